#pragma once
// The index of the plot data file zorc.dat: its welding processes ("general") and, per
// process, the sections of its plot sets with their captions. The process and plot-type
// combo boxes and the parameter plot read these lists; the curves themselves are the plot's.
// A count that is not a whole number ends the list there with a message naming section and
// key; a missing file or section gives empty lists.

#include <QList>
#include <QString>
#include <QStringList>

namespace Brenvik {

class ProfileFile;

namespace PlotIndex {

struct PlotSetRef {
    QString section; // plotTypeID<i>
    QString caption;
};

// zorc.dat, where the read-only side files are found.
QString path();
// "The curve file PATH is missing." (or "cannot be read") for a file whose load() failed.
QString unreadableText(const ProfileFile &file);
// "Bad program data file at section=<section> Key=<key>" (caption "Internal Error").
QString badDataText(const QString &section, const QString &key);
// A count key: absent or empty reads 0; anything but a whole number from 0 to limit adds a
// message to *errors and gives -1.
int count(const ProfileFile &file, const QString &section, const QString &key, int limit, QStringList *errors);
// process1 .. process<numProcess> of "general", in order.
QStringList processes(const ProfileFile &file, QStringList *errors);
// The plot sets of a process (at most 25), in order.
QList<PlotSetRef> plotSets(const ProfileFile &file, const QString &process, QStringList *errors);

} // namespace PlotIndex
} // namespace Brenvik
