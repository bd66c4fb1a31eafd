// The reading side of the store: one pass finds the section headers, and a section's lines
// are split into keys and values only when something of it is asked for. zoru.dat grows with
// every list a user saves; opening a document asks for a few dozen of its sections.

#include "userdata/userdatastore.h"

#include "core/cp1252.h"

namespace Brenvik {

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

} // namespace Brenvik
