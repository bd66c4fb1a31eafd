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

std::optional<UserDataStore::Profile> UserDataStore::defaultProfile()
{
    UserDataStore store;
    if (!store.readQuietly())
        return std::nullopt;
    QStringList bad;
    const std::optional<int> number = store.userDefault(&bad);
    reportBadNumbers(bad);
    if (!number)
        return std::nullopt;
    return store.profile(*number);
}

} // namespace Brenvik
