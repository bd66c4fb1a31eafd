// Turns one sample-sketch drawing (SVG) into the two bitmaps the sketch library ships: the
// notation picture (the drawing as it is) and the values picture (the same drawing without
// its group "notation", whose letters stand where the dimension values are drawn). Elements
// whose id begins with "plate" are hatched as parts in section.
//
//   sketchpicture DRAWING.svg VALUES.bmp NOTATION.bmp

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTextStream>

namespace {

constexpr int kHatchSpacing = 7;

QImage render(const QByteArray &svg, const QSize &size, QString *error)
{
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        *error = QStringLiteral("not a drawing Qt Svg can read");
        return {};
    }
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    renderer.render(&p, QRectF(QPointF(0, 0), QSizeF(size)));

    // Hatching: 45-degree lines over everything, kept only where a plate lies.
    const QRegularExpression plateId(QStringLiteral("id=\"(plate[^\"]*)\""));
    QImage mask(size, QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter m(&mask);
        const QTransform toImage = QTransform::fromScale(size.width() / renderer.viewBoxF().width(),
                                                         size.height() / renderer.viewBoxF().height());
        for (auto it = plateId.globalMatch(QString::fromUtf8(svg)); it.hasNext();) {
            const QString id = it.next().captured(1);
            const QRectF bounds = toImage.mapRect(renderer.transformForElement(id).mapRect(renderer.boundsOnElement(id)));
            renderer.render(&m, id, bounds);
        }
    }
    QImage hatch(size, QImage::Format_ARGB32_Premultiplied);
    hatch.fill(Qt::transparent);
    {
        QPainter h(&hatch);
        // Crisp one-pixel lines: the bitmap keeps them sharp at any zoom of the image box.
        h.setPen(QPen(QColor(80, 80, 80), 1));
        for (int x = -size.height(); x < size.width(); x += kHatchSpacing)
            h.drawLine(QPointF(x, size.height()), QPointF(x + size.height(), 0));
        h.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        h.drawImage(0, 0, mask);
    }
    p.drawImage(0, 0, hatch);
    return image;
}

bool writeBitmap(const QImage &image, const QString &path, QString *error)
{
    // 256 colours: line drawings lose nothing and the shipped files stay small.
    const QImage indexed = image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
    if (!indexed.save(path, "BMP")) {
        *error = QStringLiteral("cannot write ") + path;
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        err << "usage: sketchpicture DRAWING.svg VALUES.bmp NOTATION.bmp\n";
        return 2;
    }
    QFile file(args.at(1));
    if (!file.open(QIODevice::ReadOnly)) {
        err << args.at(1) << ": cannot read\n";
        return 1;
    }
    const QByteArray notation = file.readAll();
    QByteArray values = notation;
    const QByteArray group("id=\"notation\"");
    if (notation.count(group) != 1) {
        err << args.at(1) << ": needs exactly one element with id=\"notation\"\n";
        return 1;
    }
    values.replace(group, group + " display=\"none\"");

    QString error;
    const QSize size = QSvgRenderer(notation).defaultSize();
    if (size.isEmpty()) {
        err << args.at(1) << ": no width and height\n";
        return 1;
    }
    const QImage shownValues = render(values, size, &error);
    const QImage shownNotation = shownValues.isNull() ? QImage() : render(notation, size, &error);
    if (shownNotation.isNull() || !writeBitmap(shownValues, args.at(2), &error)
        || !writeBitmap(shownNotation, args.at(3), &error)) {
        err << args.at(1) << ": " << error << "\n";
        return 1;
    }
    return 0;
}
