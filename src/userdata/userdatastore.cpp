#include "userdata/userdatastore.h"

#include "core/appstate.h"
#include "core/cp1252.h"
#include "core/platform.h"
#include "core/profilefile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace Brenvik {

namespace {

const QString kSync = QStringLiteral("sync");
const QString kIndex = QStringLiteral("index");
const QString kIndexString = QStringLiteral("indexString");
const QString kUserDefault = QStringLiteral("userDefault");
const QString kFixed = QStringLiteral("fixed");
const QString kUser = QStringLiteral("user");
const QString kFixedText = QStringLiteral("fixedText");
const QString kUserText = QStringLiteral("userText");

QString numbered(const QString &prefix, int n) { return prefix + QString::number(n); }

QString profileSection(int n) { return QStringLiteral("profile") + QString::number(n); }

// indexString splits at blanks and tabs; runs of them are one gap.
QStringList words(const QString &text)
{
    static const QRegularExpression gap(QStringLiteral("[ \\t]+"));
    return text.split(gap, Qt::SkipEmptyParts);
}

} // namespace

UserDataStore::UserDataStore(const QString &path)
    : m_path(path.isEmpty() ? defaultPath() : path)
{
}

QString UserDataStore::defaultPath()
{
    return QDir::toNativeSeparators(AppState::instance().dataFile(QStringLiteral("zoru.dat")));
}

bool UserDataStore::exists() const
{
    const QFileInfo info(m_path);
    return info.exists() && info.isFile();
}

QString UserDataStore::missingText() const
{
    const QFileInfo info(m_path);
    // A folder, a device or a file without read permission is there but cannot be read.
    const bool there = info.exists() && (!info.isFile() || !info.isReadable());
    return QStringLiteral("File ") + QDir::toNativeSeparators(info.absoluteFilePath())
        + (there ? QStringLiteral(" cannot be read. Operation aborted.") : QStringLiteral(" is missing. Operation aborted."));
}

void UserDataStore::reportMissing() const { errorBox(QStringLiteral("Error"), missingText()); }

bool UserDataStore::read()
{
    if (readQuietly())
        return true;
    reportMissing();
    return false;
}

bool UserDataStore::readQuietly()
{
    m_read = false;
    index(QByteArray());
    if (!exists())
        return false;
    ProfileFile file(m_path);
    if (!file.load())
        return false;
    index(file.data());
    m_read = true;
    return true;
}

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Names are folded as ProfileFile folds them: blanks trimmed, 1252 decoded, case-folded.
QString foldedName(const char *d, qsizetype begin, qsizetype end)
{
    while (begin < end && isBlank(d[begin]))
        ++begin;
    while (end > begin && isBlank(d[end - 1]))
        --end;
    bool ascii = true;
    for (qsizetype i = begin; i < end && ascii; ++i)
        ascii = uchar(d[i]) < 0x80;
    if (ascii) {
        QString name = QString::fromLatin1(d + begin, end - begin);
        for (QChar &c : name) {
            if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
                c = QChar(c.unicode() + 32);
        }
        return name;
    }
    return Cp1252::decode(QByteArray(d + begin, end - begin)).toCaseFolded();
}

QString foldedName(const QString &name)
{
    const QByteArray bytes = Cp1252::encode(name);
    return foldedName(bytes.constData(), 0, bytes.size());
}

// The end of the line's content (before CR LF) and the start of the next line.
qsizetype lineEnd(const QByteArray &bytes, qsizetype pos, qsizetype *next)
{
    const char *d = bytes.constData();
    const qsizetype size = bytes.size();
    const char *lf = static_cast<const char *>(memchr(d + pos, '\n', size_t(size - pos)));
    qsizetype end = lf ? lf - d : size;
    *next = lf ? end + 1 : size;
    if (end > pos && d[end - 1] == '\r')
        --end;
    return end;
}

} // namespace

// One pass over the lines finds the section headers; nothing else is decoded yet.
void UserDataStore::index(const QByteArray &bytes)
{
    m_bytes = bytes;
    m_sections.clear();
    m_sectionIndex.clear();
    const char *d = m_bytes.constData();
    const qsizetype size = m_bytes.size();
    qsizetype pos = m_bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (pos < size) {
        qsizetype next = 0;
        const qsizetype end = lineEnd(m_bytes, pos, &next);
        qsizetype i = pos;
        while (i < end && isBlank(d[i]))
            ++i;
        if (i < end && d[i] == '[') {
            qsizetype close = i + 1;
            while (close < end && d[close] != ']')
                ++close;
            if (!m_sections.isEmpty())
                m_sections.last().end = pos;
            const QString name = foldedName(d, i + 1, close);
            if (!m_sectionIndex.contains(name))
                m_sectionIndex.insert(name, int(m_sections.size()));
            Section s;
            s.begin = next;
            s.end = size;
            m_sections.append(s);
        }
        pos = next;
    }
}

size_t UserDataStore::FoldHash::operator()(std::string_view key) const noexcept
{
    size_t h = 1469598103934665603ull;
    for (char c : key)
        h = (h ^ size_t(uchar(c >= 'A' && c <= 'Z' ? c + 32 : c))) * 1099511628211ull;
    return h;
}

bool UserDataStore::FoldEqual::operator()(std::string_view a, std::string_view b) const noexcept
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const char x = a[i] >= 'A' && a[i] <= 'Z' ? char(a[i] + 32) : a[i];
        const char y = b[i] >= 'A' && b[i] <= 'Z' ? char(b[i] + 32) : b[i];
        if (x != y)
            return false;
    }
    return true;
}

namespace {

std::string_view trimmedView(const char *d, qsizetype begin, qsizetype end)
{
    while (begin < end && isBlank(d[begin]))
        ++begin;
    while (end > begin && isBlank(d[end - 1]))
        --end;
    return std::string_view(d + begin, size_t(end - begin));
}

bool isAscii(std::string_view v)
{
    for (char c : v) {
        if (uchar(c) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

void UserDataStore::parse(const Section &s) const
{
    if (s.parsed)
        return;
    s.parsed = true;
    const char *d = m_bytes.constData();
    qsizetype pos = s.begin;
    while (pos < s.end) {
        qsizetype next = 0;
        const qsizetype end = lineEnd(m_bytes, pos, &next);
        const char *eq = static_cast<const char *>(memchr(d + pos, '=', size_t(end - pos)));
        if (eq) {
            const std::string_view key = trimmedView(d, pos, eq - d);
            // Values without the blanks around them, as ProfileFile reads them.
            const std::string_view trimmed = trimmedView(d, eq - d + 1, end);
            const Span value{trimmed.data() - d, trimmed.data() - d + qsizetype(trimmed.size())};
            bool added = false;
            if (isAscii(key))
                added = s.ascii.emplace(key, value).second;
            else if (!s.other.contains(foldedName(d, pos, eq - d)))
                added = (s.other.insert(foldedName(d, pos, eq - d), value), true);
            if (added)
                s.keyOrder.push_back(key);
        }
        pos = next;
    }
}

const UserDataStore::Span *UserDataStore::find(const Section &s, const QString &key) const
{
    const QByteArray bytes = Cp1252::encode(key);
    const std::string_view view = trimmedView(bytes.constData(), 0, bytes.size());
    if (isAscii(view)) {
        const auto it = s.ascii.find(view);
        return it == s.ascii.end() ? nullptr : &it->second;
    }
    const auto it = s.other.constFind(foldedName(bytes.constData(), 0, bytes.size()));
    return it == s.other.constEnd() ? nullptr : &it.value();
}

const UserDataStore::Section *UserDataStore::section(const QString &name) const
{
    const int i = m_sectionIndex.value(foldedName(name), -1);
    if (i < 0)
        return nullptr;
    const Section &s = m_sections.at(i);
    parse(s);
    return &s;
}

bool UserDataStore::hasSection(const QString &name) const
{
    if (m_locked)
        return m_locked->hasSection(name);
    return m_sectionIndex.contains(foldedName(name));
}

QStringList UserDataStore::keys(const QString &name) const
{
    if (m_locked)
        return m_locked->keys(name);
    QStringList result;
    if (const Section *s = section(name)) {
        for (std::string_view key : s->keyOrder)
            result.append(Cp1252::decode(QByteArray(key.data(), qsizetype(key.size()))));
    }
    return result;
}

QString UserDataStore::value(const QString &sectionName, const QString &key) const
{
    if (m_locked)
        return m_locked->value(sectionName, key);
    const Section *s = section(sectionName);
    const Span *span = s ? find(*s, key) : nullptr;
    return span ? Cp1252::decode(QByteArray::fromRawData(m_bytes.constData() + span->begin, span->end - span->begin)) : QString();
}

// --- Value lists --------------------------------------------------------------------------

QString UserDataStore::syncValue(const QString &control) const { return value(kSync, control); }

QString UserDataStore::listSection(const QString &owner, const QString &control) const
{
    const QString shared = syncValue(control);
    return shared.isEmpty() ? owner + QLatin1Char('_') + control : shared;
}

QStringList UserDataStore::run(const QString &sectionName, const QString &prefix) const
{
    QStringList result;
    if (!hasSection(sectionName))
        return result;
    if (!m_locked) {
        // Filling dozens of boxes walks thousands of entries: no per-key decoding here.
        const Section *s = section(sectionName);
        QByteArray key = Cp1252::encode(prefix);
        const qsizetype base = key.size();
        for (int n = 1;; ++n) {
            key.truncate(base);
            key.append(QByteArray::number(n));
            const auto it = s->ascii.find(std::string_view(key.constData(), size_t(key.size())));
            if (it == s->ascii.end() || it->second.end == it->second.begin)
                break;
            result.append(Cp1252::decode(
                QByteArray::fromRawData(m_bytes.constData() + it->second.begin, it->second.end - it->second.begin)));
        }
        return result;
    }
    for (int n = 1;; ++n) {
        const QString v = value(sectionName, numbered(prefix, n));
        if (v.isEmpty())
            break;
        result.append(v);
    }
    return result;
}

QStringList UserDataStore::values(const QString &sectionName) const
{
    return run(sectionName, kFixed) + run(sectionName, kUser);
}

QStringList UserDataStore::syncedControls(const QString &sectionName) const
{
    QStringList result;
    if (sectionName.isEmpty())
        return result;
    for (const QString &key : keys(kSync)) {
        if (value(kSync, key).compare(sectionName, Qt::CaseInsensitive) == 0)
            result.append(key);
    }
    return result;
}

// The edit reads the copy taken under the lock; the copy in hand becomes what was written
// only once the write went through.
void UserDataStore::rewrite(const std::function<void(ProfileFile &)> &edit)
{
    QByteArray written;
    try {
        ProfileFile::update(m_path, [&](ProfileFile &file) {
            m_locked = &file;
            edit(file);
            m_locked = nullptr;
            written = file.data();
        });
    } catch (...) {
        m_locked = nullptr;
        throw;
    }
    index(written);
    m_read = true;
}

// Writes newValues as prefix1..prefixK over a run that held oldValues; keys whose value
// does not change are left alone, keys past the new end are removed.
void UserDataStore::writeRun(ProfileFile &file, const QString &sectionName, const QString &prefix,
                             const QStringList &oldValues, const QStringList &newValues) const
{
    const int count = qMax(oldValues.size(), newValues.size());
    for (int i = 0; i < count; ++i) {
        const QString key = numbered(prefix, i + 1);
        if (i < newValues.size()) {
            if (i >= oldValues.size() || oldValues.at(i) != newValues.at(i))
                file.setValue(sectionName, key, newValues.at(i));
        } else {
            file.removeKey(sectionName, key);
        }
    }
}

bool UserDataStore::saveValue(const QString &owner, const QString &control, const QString &text)
{
    if (text.isEmpty())
        return false;
    bool written = false;
    rewrite([&](ProfileFile &file) {
        const QString sectionName = listSection(owner, control);
        const QStringList user = run(sectionName, kUser);
        if (run(sectionName, kFixed).contains(text) || user.contains(text))
            return;
        file.setValue(sectionName, numbered(kUser, user.size() + 1), text);
        written = true;
    });
    return written;
}

int UserDataStore::deleteValue(const QString &owner, const QString &control, const QString &text)
{
    if (text.isEmpty())
        return 0;
    int removed = 0;
    rewrite([&](ProfileFile &file) {
        const QString sectionName = listSection(owner, control);
        const QStringList user = run(sectionName, kUser);
        QStringList kept;
        for (const QString &v : user) {
            if (v != text)
                kept.append(v);
        }
        removed = int(user.size() - kept.size());
        if (removed)
            writeRun(file, sectionName, kUser, user, kept);
    });
    return removed;
}

void UserDataStore::mergeUserEntries(const QStringList &sections)
{
    if (sections.size() < 2 || !exists())
        return;
    rewrite([&](ProfileFile &file) {
        QList<QStringList> old;
        QStringList all;
        for (const QString &s : sections) {
            old.append(run(s, kUser));
            for (const QString &v : old.last()) {
                if (!all.contains(v))
                    all.append(v);
            }
        }
        for (int i = 0; i < sections.size(); ++i)
            writeRun(file, sections.at(i), kUser, old.at(i), all);
    });
}

void UserDataStore::intersectUserEntries(const QStringList &sections)
{
    if (sections.size() < 2 || !exists())
        return;
    rewrite([&](ProfileFile &file) {
        QList<QStringList> old;
        for (const QString &s : sections)
            old.append(run(s, kUser));
        QStringList common = old.first();
        for (int i = 1; i < old.size(); ++i) {
            const QStringList &other = old.at(i);
            common.erase(std::remove_if(common.begin(), common.end(),
                                        [&](const QString &v) { return !other.contains(v); }),
                         common.end());
        }
        for (int i = 0; i < sections.size(); ++i)
            writeRun(file, sections.at(i), kUser, old.at(i), common);
    });
}

// --- Memo topics --------------------------------------------------------------------------

QList<UserDataStore::Topic> UserDataStore::topics(const QString &sectionName) const
{
    QList<Topic> result;
    if (!hasSection(sectionName))
        return result;
    const auto readRun = [&](const QString &topicPrefix, const QString &textPrefix, bool fixed) {
        for (int n = 1;; ++n) {
            const QString name = value(sectionName, numbered(topicPrefix, n));
            if (name.isEmpty())
                break;
            result.append({name, value(sectionName, numbered(textPrefix, n)), fixed});
        }
    };
    readRun(kFixed, kFixedText, true);
    readRun(kUser, kUserText, false);
    return result;
}

bool UserDataStore::saveTopic(const QString &sectionName, const QString &name, const QString &encodedText)
{
    if (name.isEmpty())
        return false;
    bool written = false;
    rewrite([&](ProfileFile &file) {
        int userCount = 0;
        int slot = 0;
        for (const Topic &t : topics(sectionName)) {
            if (t.fixed) {
                if (t.name == name)
                    return;
                continue;
            }
            ++userCount;
            if (!slot && t.name == name)
                slot = userCount;
        }
        if (!slot)
            slot = userCount + 1;
        file.setValue(sectionName, numbered(kUser, slot), name);
        file.setValue(sectionName, numbered(kUserText, slot), encodedText);
        written = true;
    });
    return written;
}

int UserDataStore::deleteTopic(const QString &sectionName, const QString &name)
{
    if (name.isEmpty())
        return 0;
    int removed = 0;
    rewrite([&](ProfileFile &file) {
        QStringList oldNames, oldTexts, names, texts;
        for (const Topic &t : topics(sectionName)) {
            if (t.fixed)
                continue;
            oldNames.append(t.name);
            oldTexts.append(t.text);
            if (t.name != name) {
                names.append(t.name);
                texts.append(t.text);
            }
        }
        removed = int(oldNames.size() - names.size());
        if (!removed)
            return;
        writeRun(file, sectionName, kUser, oldNames, names);
        // A text key may be missing while its topic is there: compare against what is read,
        // and remove the text keys past the end whatever they held.
        writeRun(file, sectionName, kUserText, oldTexts, texts);
    });
    return removed;
}

// --- Company profiles ---------------------------------------------------------------------

QString UserDataStore::indexString() const { return value(kIndex, kIndexString); }

UserDataStore::Profile UserDataStore::profile(int number) const
{
    const QString s = profileSection(number);
    return {number, value(s, QStringLiteral("profilename")), value(s, QStringLiteral("company")),
            value(s, QStringLiteral("address"))};
}

QList<UserDataStore::Profile> UserDataStore::profiles(QStringList *badWords) const
{
    QList<Profile> result;
    for (const QString &word : words(indexString())) {
        bool ok = false;
        const int n = word.toInt(&ok);
        if (!ok) {
            if (badWords && !badWords->contains(word))
                badWords->append(word);
            continue;
        }
        result.append(profile(n));
    }
    return result;
}

std::optional<int> UserDataStore::userDefault(QStringList *badWords) const
{
    const QString text = value(kIndex, kUserDefault).trimmed();
    if (text.isEmpty())
        return std::nullopt;
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok) {
        if (badWords && !badWords->contains(text))
            badWords->append(text);
        return std::nullopt;
    }
    return n;
}

int UserDataStore::saveProfile(const QString &name, const QString &company, const QString &address,
                               bool makeDefault, QStringList *badWords)
{
    int number = 0;
    rewrite([&](ProfileFile &file) {
        number = 0;
        int highest = 0;
        for (const Profile &p : profiles(badWords)) {
            highest = qMax(highest, p.number);
            if (!number && p.name == name)
                number = p.number;
        }
        if (!number) {
            number = highest + 1;
            const QString old = indexString();
            file.setValue(kIndex, kIndexString,
                          old.isEmpty() ? QString::number(number) : old + QLatin1Char(' ') + QString::number(number));
        }
        if (makeDefault)
            file.setValue(kIndex, kUserDefault, QString::number(number));
        const QString s = profileSection(number);
        file.setValue(s, QStringLiteral("profilename"), name);
        file.setValue(s, QStringLiteral("company"), company);
        file.setValue(s, QStringLiteral("address"), address);
    });
    return number;
}

int UserDataStore::deleteProfile(const QString &name, QStringList *badWords)
{
    int number = 0;
    rewrite([&](ProfileFile &file) {
        number = 0;
        for (const Profile &p : profiles(badWords)) {
            if (p.name == name) {
                number = p.number;
                break;
            }
        }
        if (!number)
            return;
        file.removeSection(profileSection(number));
        // Rebuilt as the list has always been written: each kept word after a blank.
        QString rebuilt;
        for (const QString &word : words(indexString())) {
            bool ok = false;
            if (word.toInt(&ok) == number && ok)
                continue;
            rebuilt += QLatin1Char(' ') + word;
        }
        file.setValue(kIndex, kIndexString, rebuilt);
        // A default left naming a deleted profile would pass to the next new profile that
        // reuses its number.
        if (userDefault() == number)
            file.removeKey(kIndex, kUserDefault);
    });
    return number;
}

// --- Text checks --------------------------------------------------------------------------

QString UserDataStore::unkeepable(const QStringList &texts)
{
    QString result;
    for (const QString &t : texts) {
        const QString lost = Cp1252::unencodable(t);
        // Walk by code point so a character outside the basic plane stays whole.
        for (uint c : lost.toUcs4()) {
            const QString one = QString::fromUcs4(reinterpret_cast<const char32_t *>(&c), 1);
            if (!result.contains(one))
                result += one;
        }
    }
    return result;
}

bool UserDataStore::acceptTexts(const QStringList &texts)
{
    const QString lost = unkeepable(texts);
    if (lost.isEmpty())
        return true;
    QStringList shown;
    for (uint c : lost.toUcs4())
        shown.append(QLatin1Char('"') + QString::fromUcs4(reinterpret_cast<const char32_t *>(&c), 1)
                     + QLatin1Char('"'));
    errorBox(QStringLiteral("Error"),
             QStringLiteral("These characters cannot be kept in the user-data store: %1. Nothing was saved.")
                 .arg(shown.join(QLatin1Char(' '))));
    return false;
}

void UserDataStore::reportBadNumbers(const QStringList &badWords)
{
    if (badWords.isEmpty())
        return;
    QStringList quoted;
    for (const QString &w : badWords)
        quoted.append(QLatin1Char('"') + w + QLatin1Char('"'));
    errorBox(QStringLiteral("Error"),
             QStringLiteral("The user-data store names a profile by something that is not a number: %1. "
                            "It is skipped.")
                 .arg(quoted.join(QStringLiteral(", "))));
}

} // namespace Brenvik
