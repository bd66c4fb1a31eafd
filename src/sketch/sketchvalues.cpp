#include "sketch/sketchvalues.h"

#include "controls/typedgrid.h"
#include "core/texthelpers.h"

#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QRegularExpression>

namespace Brenvik::SketchValues {

namespace {

bool isRepeat(const QString &word) { return word.startsWith(kRepeatMark); }

// The value word i shows: its own cell, or for a repeat word the cell of the first label it names.
QString valueOf(const QStringList &words, const QStringList &cells, int i)
{
    const QString &word = words.at(i);
    if (!isRepeat(word))
        return cells.value(i);
    const QString target = word.mid(1);
    for (int j = 0; j < words.size(); ++j) {
        if (words.at(j) == target)
            return cells.value(j);
    }
    return QString();
}

} // namespace

QStringList words(const QString &text)
{
    static const QRegularExpression gap(QStringLiteral("[ \\t]+"));
    return text.trimmed().split(gap, Qt::SkipEmptyParts);
}

QStringList gridLabels(const QStringList &words)
{
    QStringList labels;
    for (const QString &w : words) {
        if (isRepeat(w))
            break;
        labels.append(w);
    }
    return labels;
}

QString encode(const QStringList &words, const QStringList &cells)
{
    QString out;
    for (int i = 0; i < words.size(); ++i) {
        // A separator typed into a cell would split the set and move every later value a row down.
        const QString value = TypedGrid::cleanCellText(valueOf(words, cells, i));
        out += (value.isEmpty() ? QStringLiteral("_") : value) + kCellSeparator;
    }
    return out;
}

QStringList decode(const QString &stored)
{
    QStringList fields = stored.split(kCellSeparator);
    if (!fields.isEmpty() && fields.last().isEmpty())
        fields.removeLast(); // the separator ends every field, the last one too
    for (QString &f : fields) {
        if (f == QLatin1String("_"))
            f.clear();
    }
    return fields;
}

QList<Placement> place(const QStringList &words, const QString &locations, const QStringList &cells,
                       QString *badWord)
{
    const QStringList xy = SketchValues::words(locations);
    QList<int> numbers;
    for (const QString &w : xy) {
        bool ok = false;
        const int n = w.toInt(&ok);
        if (!ok) {
            if (badWord)
                *badWord = w;
            return {};
        }
        numbers.append(n);
    }
    QList<Placement> out;
    for (int i = 0; i + 1 < numbers.size() && i / 2 < words.size(); i += 2) {
        const int k = i / 2;
        out.append({QPoint(numbers.at(i), numbers.at(i + 1)), words.at(k), valueOf(words, cells, k)});
    }
    return out;
}

QImage draw(const QImage &picture, const QList<Placement> &placements)
{
    QImage canvas = picture.convertToFormat(QImage::Format_RGB32);
    QPainter p(&canvas);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font = QGuiApplication::font();
    font.setPixelSize(24); // 18 points on a 96-dpi picture, whatever the screen
    p.setFont(font);
    p.setPen(Qt::black);
    for (const Placement &pl : placements) {
        if (pl.text.isEmpty())
            continue;
        // A value placed wholly off the picture shows nothing; its text box would not even fit
        // in the coordinates when the place is near the end of their range.
        if (pl.at.x() >= canvas.width() || pl.at.y() >= canvas.height() || pl.at.x() <= -canvas.width()
            || pl.at.y() <= -canvas.height())
            continue;
        p.drawText(QRect(pl.at, QSize(canvas.width(), canvas.height())), Qt::AlignLeft | Qt::AlignTop, pl.text);
    }
    return canvas;
}

} // namespace Brenvik::SketchValues
