#include "core/profilefile.h"

#include "core/atomicfile.h"
#include "core/cp1252.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>

namespace Brenvik {

namespace {

const QByteArray kBom("\xEF\xBB\xBF");
const QByteArray kCrLf("\r\n");

// How long a lock left by a crashed copy of the program stands, and how long a second copy
// waits for a live one to finish its write.
constexpr int kStaleLockMs = 10000;
constexpr int kLockWaitMs = 5000;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Length of the line without its line end ("\r\n", "\n", or a lone "\r" on the last line).
qsizetype contentLength(const QByteArray &line)
{
    qsizetype n = line.size();
    if (n > 0 && line.at(n - 1) == '\n')
        --n;
    if (n > 0 && line.at(n - 1) == '\r')
        --n;
    return n;
}

// Gives the file's last line a line end before anything is put after it. A lone CR at the
// end of the file reads as a line end but would not part it from a new line: it gets its LF.
void endLine(QByteArray &line)
{
    if (line.endsWith('\n'))
        return;
    if (line.endsWith('\r'))
        line += '\n';
    else
        line += kCrLf;
}

QByteArray trimmedBlanks(const char *data, qsizetype begin, qsizetype end)
{
    while (begin < end && isBlank(data[begin]))
        ++begin;
    while (end > begin && isBlank(data[end - 1]))
        --end;
    return QByteArray(data + begin, end - begin);
}

// The section name of a header line, or false when the line is no header.
bool headerName(const QByteArray &line, QByteArray *name)
{
    const qsizetype n = contentLength(line);
    const char *d = line.constData();
    qsizetype i = 0;
    while (i < n && isBlank(d[i]))
        ++i;
    if (i >= n || d[i] != '[')
        return false;
    qsizetype close = i + 1;
    while (close < n && d[close] != ']')
        ++close;
    *name = trimmedBlanks(d, i + 1, close);
    return true;
}

// The key of a "key=value" line and where its value starts; false for any other line.
// The key is a view into the line, to be used while the line stands.
bool keyOf(const QByteArray &line, QByteArray *key, qsizetype *valueStart)
{
    const qsizetype n = contentLength(line);
    const char *d = line.constData();
    const char *eq = static_cast<const char *>(memchr(d, '=', size_t(n)));
    if (!eq)
        return false;
    qsizetype begin = 0;
    qsizetype end = eq - d;
    while (begin < end && isBlank(d[begin]))
        ++begin;
    while (end > begin && isBlank(d[end - 1]))
        --end;
    *key = QByteArray::fromRawData(d + begin, end - begin);
    if (valueStart)
        *valueStart = eq - d + 1;
    return true;
}

// The value of a "key=value" line as the profile service reads it: without the blanks
// around it.
QByteArray valueOf(const QByteArray &line, qsizetype valueStart)
{
    return trimmedBlanks(line.constData(), valueStart, contentLength(line));
}

QString fold(const QString &name)
{
    return name.toCaseFolded();
}

// Blanks (space and tab) only, as the reader trims names: QString::trimmed would also take
// the no-break space and other characters 1252 holds.
QString trimmedBlanks(const QString &name)
{
    qsizetype begin = 0;
    qsizetype end = name.size();
    while (begin < end && (name.at(begin) == QLatin1Char(' ') || name.at(begin) == QLatin1Char('\t')))
        ++begin;
    while (end > begin && (name.at(end - 1) == QLatin1Char(' ') || name.at(end - 1) == QLatin1Char('\t')))
        --end;
    return name.mid(begin, end - begin);
}

QString foldedName(const QString &name)
{
    return fold(trimmedBlanks(name));
}

// Names come from the program, but a line break in one would split the line.
QString oneLine(const QString &text)
{
    QString t = text;
    t.replace(QLatin1Char('\r'), QLatin1Char(' '));
    t.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return t;
}

bool blankLine(const QByteArray &line)
{
    const qsizetype n = contentLength(line);
    for (qsizetype i = 0; i < n; ++i) {
        if (!isBlank(line.at(i)))
            return false;
    }
    return true;
}

} // namespace

FileError::FileError(const QString &message)
    : std::runtime_error(message.toStdString()), m_message(message)
{
}

FileError FileError::unableToWrite(const QString &path)
{
    return FileError(QStringLiteral("Unable to write to %1").arg(path));
}

ProfileFile::ProfileFile(const QString &path, Kind kind) : m_path(path), m_kind(kind)
{
    setData(QByteArray());
}

bool ProfileFile::load()
{
    QFile file(m_path);
    const QFileInfo info(m_path);
    // Only a regular file is read: a FIFO would block and a device never end. A folder or a
    // device in the file's place cannot be read, which is not the same as missing.
    if ((info.exists() && !info.isFile()) || !file.open(QIODevice::ReadOnly)) {
        setData(QByteArray());
        m_unreadable = info.exists();
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        setData(QByteArray());
        m_unreadable = true;
        return false;
    }
    setData(bytes);
    return true;
}

void ProfileFile::setData(const QByteArray &bytes)
{
    m_blocks.clear();
    m_sectionIndex.clear();
    m_lossy.clear();
    m_modified = false;
    m_unreadable = false;
    m_raw = bytes;
    m_raw.detach(); // the views below need a buffer of our own, not the caller's raw data
    m_bom = m_raw.startsWith(kBom);

    m_blocks.append(Block());
    const char *raw = m_raw.constData();
    const qsizetype size = m_raw.size();
    qsizetype pos = m_bom ? kBom.size() : 0;
    QByteArray name;
    while (pos < size) {
        // A line ends at LF, CR LF, or a lone CR (files from old Mac editors).
        const char *lf = static_cast<const char *>(memchr(raw + pos, '\n', size_t(size - pos)));
        const qsizetype lfEnd = lf ? (lf - raw) + 1 : size;
        const char *cr = static_cast<const char *>(memchr(raw + pos, '\r', size_t(lfEnd - pos)));
        qsizetype end = lfEnd;
        if (cr && cr + 1 < raw + size && cr[1] != '\n')
            end = (cr - raw) + 1;
        const QByteArray line = QByteArray::fromRawData(raw + pos, end - pos);
        pos = end;
        if (headerName(line, &name)) {
            Block block;
            block.name = Cp1252::decode(name);
            block.folded = fold(block.name);
            block.hasHeader = true;
            block.lines.append(line);
            m_blocks.append(std::move(block));
        } else {
            m_blocks.last().lines.append(line);
        }
    }
    rebuildSectionIndex();
}

QByteArray ProfileFile::data() const
{
    QByteArray bytes;
    qsizetype size = m_bom ? kBom.size() : 0;
    for (const Block &block : m_blocks) {
        for (const QByteArray &line : block.lines)
            size += line.size();
    }
    bytes.reserve(size);
    if (m_bom)
        bytes += kBom;
    for (const Block &block : m_blocks) {
        for (const QByteArray &line : block.lines)
            bytes += line;
    }
    return bytes;
}

bool ProfileFile::exists() const
{
    const QFileInfo info(m_path);
    return info.exists() && !info.isDir();
}

void ProfileFile::rebuildSectionIndex()
{
    m_sectionIndex.clear();
    for (int i = 0; i < m_blocks.size(); ++i) {
        const Block &block = m_blocks.at(i);
        if (block.hasHeader && !m_sectionIndex.contains(block.folded))
            m_sectionIndex.insert(block.folded, i);
    }
}

int ProfileFile::findBlockIndex(const QString &section) const
{
    return m_sectionIndex.value(foldedName(section), -1);
}

const ProfileFile::Block *ProfileFile::findBlock(const QString &section) const
{
    const int i = findBlockIndex(section);
    return i < 0 ? nullptr : &m_blocks.at(i);
}

void ProfileFile::indexKeys(const Block &block) const
{
    if (block.indexed)
        return;
    block.keyIndex.clear();
    block.keyLines.clear();
    QByteArray key;
    for (int i = block.hasHeader ? 1 : 0; i < block.lines.size(); ++i) {
        if (!keyOf(block.lines.at(i), &key, nullptr))
            continue;
        QString folded = Cp1252::decode(key).toCaseFolded();
        if (block.keyIndex.contains(folded))
            continue;
        block.keyIndex.insert(std::move(folded), i);
        block.keyLines.append(i);
    }
    block.indexed = true;
}

int ProfileFile::findKey(const Block &block, const QString &key) const
{
    indexKeys(block);
    return block.keyIndex.value(foldedName(key), -1);
}

QString ProfileFile::value(const QString &section, const QString &key) const
{
    const Block *block = findBlock(section);
    if (!block)
        return QString();
    const int line = findKey(*block, key);
    if (line < 0)
        return QString();
    const QByteArray &bytes = block->lines.at(line);
    QByteArray name;
    qsizetype valueStart = 0;
    keyOf(bytes, &name, &valueStart);
    return Cp1252::decode(valueOf(bytes, valueStart));
}

bool ProfileFile::contains(const QString &section, const QString &key) const
{
    const Block *block = findBlock(section);
    return block && findKey(*block, key) >= 0;
}

bool ProfileFile::hasSection(const QString &section) const
{
    return findBlockIndex(section) >= 0;
}

QStringList ProfileFile::sections() const
{
    QStringList names;
    for (int i = 0; i < m_blocks.size(); ++i) {
        const Block &block = m_blocks.at(i);
        if (block.hasHeader && m_sectionIndex.value(block.folded) == i)
            names.append(block.name);
    }
    return names;
}

QStringList ProfileFile::keys(const QString &section) const
{
    const Block *block = findBlock(section);
    if (!block)
        return QStringList();
    indexKeys(*block);
    QStringList names;
    names.reserve(block->keyLines.size());
    QByteArray key;
    for (int line : block->keyLines) {
        keyOf(block->lines.at(line), &key, nullptr);
        names.append(Cp1252::decode(key));
    }
    return names;
}

QList<std::pair<QString, QString>> ProfileFile::entries(const QString &section) const
{
    QList<std::pair<QString, QString>> result;
    const Block *block = findBlock(section);
    if (!block)
        return result;
    indexKeys(*block);
    result.reserve(block->keyLines.size());
    QByteArray key;
    qsizetype valueStart = 0;
    for (int line : block->keyLines) {
        const QByteArray &bytes = block->lines.at(line);
        keyOf(bytes, &key, &valueStart);
        result.append({Cp1252::decode(key), Cp1252::decode(valueOf(bytes, valueStart))});
    }
    return result;
}

void ProfileFile::noteLoss(const QString &section, const QString &key, bool lossy)
{
    const QString entry = trimmedBlanks(section) + QLatin1Char('/') + trimmedBlanks(key);
    for (qsizetype i = m_lossy.size() - 1; i >= 0; --i) {
        if (QString::compare(m_lossy.at(i), entry, Qt::CaseInsensitive) == 0)
            m_lossy.removeAt(i);
    }
    if (lossy)
        m_lossy.append(entry);
}

void ProfileFile::setValue(const QString &section, const QString &key, const QString &value)
{
    const QString sectionName = trimmedBlanks(oneLine(section));
    const QString keyName = trimmedBlanks(oneLine(key));
    bool lostName = false;
    bool lostKey = false;
    bool lostValue = false;
    const QByteArray valueBytes = Cp1252::encode(oneLine(value), &lostValue);
    const QByteArray keyBytes = Cp1252::encode(keyName, &lostKey);
    noteLoss(sectionName, keyName, lostValue || lostKey);

    int b = findBlockIndex(sectionName);
    if (b < 0) {
        const QByteArray sectionBytes = Cp1252::encode(sectionName, &lostName);
        if (lostName)
            noteLoss(sectionName, keyName, true);
        // The file's last line may lack its line end; the header must start a line.
        for (int i = m_blocks.size() - 1; i >= 0; --i) {
            if (m_blocks.at(i).lines.isEmpty())
                continue;
            endLine(m_blocks[i].lines.last());
            break;
        }
        Block block;
        block.name = sectionName;
        block.folded = fold(sectionName);
        block.hasHeader = true;
        block.lines.append('[' + sectionBytes + ']' + kCrLf);
        m_blocks.append(block);
        b = m_blocks.size() - 1;
        m_sectionIndex.insert(block.folded, b);
    }

    Block &block = m_blocks[b];
    const int line = findKey(block, keyName);
    if (line >= 0) {
        // In place: the key keeps its spelling and blanks, the line keeps its line end. A
        // value that already reads as the one set stays as it is, blanks around it included,
        // so a hand-edited file saved unchanged keeps its bytes.
        QByteArray &bytes = block.lines[line];
        QByteArray name;
        qsizetype valueStart = 0;
        keyOf(bytes, &name, &valueStart);
        const qsizetype end = contentLength(bytes);
        if (bytes.mid(valueStart, end - valueStart) == valueBytes || valueOf(bytes, valueStart) == valueBytes)
            return;
        bytes = bytes.left(valueStart) + valueBytes + bytes.mid(end);
        m_modified = true;
        return;
    }

    // After the section's last non-blank line, so the blank lines that part it from the
    // next section stay where they are. Every key line lies before that point, so no index
    // entry moves.
    int at = block.lines.size();
    while (at > (block.hasHeader ? 1 : 0) && blankLine(block.lines.at(at - 1)))
        --at;
    if (at > 0)
        endLine(block.lines[at - 1]);
    block.lines.insert(at, keyBytes + '=' + valueBytes + kCrLf);
    block.keyIndex.insert(fold(keyName), at);
    block.keyLines.append(at);
    m_modified = true;
}

void ProfileFile::removeKey(const QString &section, const QString &key)
{
    const int b = findBlockIndex(section);
    if (b < 0)
        return;
    Block &block = m_blocks[b];
    const QString folded = foldedName(key);
    QByteArray name;
    bool removed = false;
    for (int i = block.lines.size() - 1; i >= (block.hasHeader ? 1 : 0); --i) {
        if (keyOf(block.lines.at(i), &name, nullptr) && fold(Cp1252::decode(name)) == folded) {
            block.lines.removeAt(i);
            removed = true;
        }
    }
    if (!removed)
        return;
    block.indexed = false;
    noteLoss(section, key, false);
    m_modified = true;
}

void ProfileFile::removeSection(const QString &section)
{
    const QString folded = foldedName(section);
    bool removed = false;
    for (int i = m_blocks.size() - 1; i >= 0; --i) {
        if (m_blocks.at(i).hasHeader && m_blocks.at(i).folded == folded) {
            m_blocks.removeAt(i);
            removed = true;
        }
    }
    if (!removed)
        return;
    const QString prefix = trimmedBlanks(section) + QLatin1Char('/');
    for (qsizetype i = m_lossy.size() - 1; i >= 0; --i) {
        if (m_lossy.at(i).startsWith(prefix, Qt::CaseInsensitive))
            m_lossy.removeAt(i);
    }
    rebuildSectionIndex();
    m_modified = true;
}

void ProfileFile::commit()
{
    if (!m_modified)
        return;
    if (m_unreadable || (m_kind == Kind::SideFile && !exists()))
        throw FileError::unableToWrite(m_path);
    QString error;
    if (!writeFileAtomically(m_path, data(), &error))
        throw FileError(error);
    m_modified = false;
}

void ProfileFile::update(const QString &path, const std::function<void(ProfileFile &)> &edit, Kind kind)
{
    QLockFile lock(path + QStringLiteral(".lck"));
    lock.setStaleLockTime(kStaleLockMs);
    if (!lock.tryLock(kLockWaitMs))
        throw FileError::unableToWrite(path);
    ProfileFile file(path, kind);
    file.load();
    edit(file);
    file.commit();
}

} // namespace Brenvik
