#pragma once
// The dimension values of a sample sketch as plain text logic: the labels of the value grid,
// the one-line form a value set is stored in, and where each value is drawn on the values
// picture (a label "«A" repeats the value of A at a further place). No widgets here.

#include <QImage>
#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

namespace Brenvik::SketchValues {

// The mark that makes a word of sketchParameter repeat another label's value.
inline constexpr QChar kRepeatMark = QChar(0x00AB);

// A blank-separated list (sketchParameter, paraLocation).
QStringList words(const QString &text);
// The labels that get a row of the grid: the words up to the first repeat word.
QStringList gridLabels(const QStringList &words);

// The stored form of one set: for each word its value ("_" when empty) and the cell
// separator after it. A repeat word stores the value it repeats.
QString encode(const QStringList &words, const QStringList &cells);
// The values of a stored set, field by field; "_" is an empty cell.
QStringList decode(const QString &stored);

struct Placement {
    QPoint at;   // top-left corner of the text on the values picture
    QString label;
    QString text;
};
// The values at their places: text i at the i-th x/y pair of locations, labelled by word i.
// A word of locations that is not a whole number gives no placements and *badWord names it.
QList<Placement> place(const QStringList &words, const QString &locations, const QStringList &cells,
                       QString *badWord = nullptr);
// The picture with the values drawn on it in black, 18 points at 96 dots per inch; a value
// placed wholly off the picture is left out.
QImage draw(const QImage &picture, const QList<Placement> &placements);

} // namespace Brenvik::SketchValues
