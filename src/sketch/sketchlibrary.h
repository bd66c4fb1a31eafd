#pragma once
// The sketch library zordrw.dat as plain file logic: the list of sample sketches with their
// pictures, labels, value positions and notes (shipped, never written here), and the named
// sets of dimension values the user keeps per sketch (userTopic<k> / user<k>, numbered from 1
// without gaps). Each write re-reads the file under its lock, decides on what it found there
// and replaces the file in one atomic write. Nothing here talks to the user: failures come
// back as texts for the dialog to show.

#include "core/profilefile.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace Brenvik {

class SketchLibrary {
public:
    struct Sketch {
        int number = 0; // the n of [sketch<n>]
        QString name;
        QString image;          // the values picture
        QString notationImage;  // image_s
        QString parameters;     // sketchParameter
        QString locations;      // paraLocation
        QString note;
    };
    struct ValueSet {
        QString name;
        QString values; // the stored form (SketchValues::encode)
    };

    // path: zordrw.dat; empty means the one in the data folder.
    explicit SketchLibrary(const QString &path = QString());

    static QString defaultPath();
    QString path() const { return m_file.path(); }
    bool exists() const;
    // "Cannot locate file:zordrw.dat."
    static QString missingText();

    // Reads the file; false when it is missing or unreadable.
    bool read();

    // The sketch names of sketch1..sketchN in order. A numSketch that is not a whole number
    // from 0 to 1000 gives none and *error says so; an empty one gives none without a word.
    QStringList sketchNames(QString *error = nullptr) const;
    // The first sketch of that exact name; number 0 when there is none.
    Sketch sketch(const QString &name, QString *error = nullptr) const;
    // The full path of a picture named in the library (beside the library, else among the shipped side files)
    QString picturePath(const QString &fileName) const;
    // The saved sets of a sketch, up to the first missing or empty userTopic<k>.
    QList<ValueSet> valueSets(int sketchNumber) const;

    // Saves under the set of that name (its values replaced) or as the next set. Throws
    // FileError when the system refuses; the file is then untouched. Returns the set's number.
    int saveValueSet(int sketchNumber, const QString &name, const QString &values);
    // Removes every set of that name and renumbers the rest from 1 in their order. Returns
    // how many went (0: nothing written).
    int deleteValueSet(int sketchNumber, const QString &name);

    // "... numSketch in [general] ... is not a number" naming this file.
    QString notANumberText(const QString &section, const QString &key, const QString &value) const;

private:
    // "... holds -5 under numSketch in [general]; it can list 0 to 1000 sketches."
    QString outOfRangeText(const QString &section, const QString &key, const QString &value) const;
    static QString section(int sketchNumber);
    static QList<ValueSet> valueSets(const ProfileFile &file, int sketchNumber);

    ProfileFile m_file;
    bool m_read = false;
};

} // namespace Brenvik
