#include "sketch/sketchlibrary.h"

#include "core/appstate.h"

#include <QDir>
#include <QFileInfo>

namespace Brenvik {

namespace {

const QString kGeneral = QStringLiteral("general");
const QString kNumSketch = QStringLiteral("numSketch");
const QString kUserTopic = QStringLiteral("userTopic");
const QString kUser = QStringLiteral("user");
// A library lists at most this many sketches: a larger count is a damaged file, and listing
// two thousand million empty names would only fill the memory.
constexpr int kMaxSketches = 1000;

QString numbered(const QString &prefix, int n) { return prefix + QString::number(n); }

} // namespace

SketchLibrary::SketchLibrary(const QString &path)
    : m_file(path.isEmpty() ? defaultPath() : path)
{
}

QString SketchLibrary::defaultPath()
{
    return AppState::instance().dataFile(QStringLiteral("zordrw.dat"));
}

bool SketchLibrary::exists() const
{
    const QFileInfo info(m_file.path());
    return info.exists() && info.isFile();
}

QString SketchLibrary::missingText()
{
    return QStringLiteral("Cannot locate file:%1.").arg(QDir::toNativeSeparators(defaultPath()));
}

bool SketchLibrary::read()
{
    m_read = exists() && m_file.load();
    return m_read;
}

QString SketchLibrary::section(int sketchNumber)
{
    return QStringLiteral("sketch") + QString::number(sketchNumber);
}

QString SketchLibrary::notANumberText(const QString &section, const QString &key, const QString &value) const
{
    return QStringLiteral("The sketch library %1 holds \"%2\" under %3 in [%4], which is not a whole number.")
        .arg(QDir::toNativeSeparators(QFileInfo(m_file.path()).absoluteFilePath()), value, key, section);
}

QString SketchLibrary::outOfRangeText(const QString &section, const QString &key, const QString &value) const
{
    return QStringLiteral("The sketch library %1 holds %2 under %3 in [%4]; it can list 0 to %5 sketches.")
        .arg(QDir::toNativeSeparators(QFileInfo(m_file.path()).absoluteFilePath()), value, key, section)
        .arg(kMaxSketches);
}

QStringList SketchLibrary::sketchNames(QString *error) const
{
    const QString text = m_file.value(kGeneral, kNumSketch).trimmed();
    if (text.isEmpty())
        return {};
    bool ok = false;
    const int count = text.toInt(&ok);
    if (!ok || count < 0 || count > kMaxSketches) {
        if (error)
            *error = ok ? outOfRangeText(kGeneral, kNumSketch, text) : notANumberText(kGeneral, kNumSketch, text);
        return {};
    }
    QStringList names;
    for (int n = 1; n <= count; ++n)
        names.append(m_file.value(section(n), QStringLiteral("sketchName")));
    return names;
}

SketchLibrary::Sketch SketchLibrary::sketch(const QString &name, QString *error) const
{
    if (name.isEmpty())
        return {};
    const QStringList names = sketchNames(error);
    const qsizetype index = names.indexOf(name);
    if (index < 0)
        return {};
    Sketch s;
    s.number = int(index) + 1;
    const QString sec = section(s.number);
    s.name = name;
    s.image = m_file.value(sec, QStringLiteral("image"));
    s.notationImage = m_file.value(sec, QStringLiteral("image_s"));
    s.parameters = m_file.value(sec, QStringLiteral("sketchParameter"));
    s.locations = m_file.value(sec, QStringLiteral("paraLocation"));
    s.note = m_file.value(sec, QStringLiteral("note"));
    return s;
}

QString SketchLibrary::picturePath(const QString &fileName) const
{
    QString name = fileName.trimmed();
    name.replace(QLatin1Char('\\'), QLatin1Char('/')); // libraries written on Windows
    // Beside the library first (a sketch of the user's own), then where the shipped pictures
    // are looked up.
    const QString beside = QFileInfo(m_file.path()).absoluteDir().filePath(name);
    if (QFileInfo::exists(beside))
        return QDir::toNativeSeparators(beside);
    const QString shipped = AppState::instance().sideFile(name);
    return QDir::toNativeSeparators(QFileInfo::exists(shipped) ? shipped : beside);
}

QList<SketchLibrary::ValueSet> SketchLibrary::valueSets(const ProfileFile &file, int sketchNumber)
{
    QList<ValueSet> sets;
    const QString sec = section(sketchNumber);
    for (int k = 1;; ++k) {
        const QString name = file.value(sec, numbered(kUserTopic, k));
        if (name.isEmpty())
            break;
        sets.append({name, file.value(sec, numbered(kUser, k))});
    }
    return sets;
}

QList<SketchLibrary::ValueSet> SketchLibrary::valueSets(int sketchNumber) const
{
    return valueSets(m_file, sketchNumber);
}

int SketchLibrary::saveValueSet(int sketchNumber, const QString &name, const QString &values)
{
    int number = 0;
    ProfileFile::update(m_file.path(), [&](ProfileFile &file) {
        const QList<ValueSet> sets = valueSets(file, sketchNumber);
        number = int(sets.size()) + 1;
        for (int k = 0; k < sets.size(); ++k) {
            if (sets.at(k).name == name) {
                number = k + 1;
                break;
            }
        }
        const QString sec = section(sketchNumber);
        file.setValue(sec, numbered(kUserTopic, number), name);
        file.setValue(sec, numbered(kUser, number), values);
    });
    read();
    return number;
}

int SketchLibrary::deleteValueSet(int sketchNumber, const QString &name)
{
    int removed = 0;
    ProfileFile::update(m_file.path(), [&](ProfileFile &file) {
        const QList<ValueSet> sets = valueSets(file, sketchNumber);
        QList<ValueSet> kept;
        for (const ValueSet &s : sets) {
            if (s.name != name)
                kept.append(s);
        }
        removed = int(sets.size() - kept.size());
        if (!removed)
            return;
        const QString sec = section(sketchNumber);
        for (int k = 1; k <= sets.size(); ++k) {
            file.removeKey(sec, numbered(kUserTopic, k));
            file.removeKey(sec, numbered(kUser, k));
        }
        for (int k = 0; k < kept.size(); ++k) {
            file.setValue(sec, numbered(kUserTopic, k + 1), kept.at(k).name);
            file.setValue(sec, numbered(kUser, k + 1), kept.at(k).values);
        }
    });
    read();
    return removed;
}

} // namespace Brenvik
