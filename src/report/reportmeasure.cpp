#include "report/reportmeasure.h"

#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPointer>
#include <QTextLayout>
#include <QThread>

#include <atomic>
#include <unordered_map>

namespace Brenvik {

namespace ReportMeasure {

namespace {

// A 96-dpi device to measure on, so metrics come out in 1/96 inch.
QPaintDevice *measuringDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        return image;
    }();
    return &device;
}

// Longer texts (a memo typed out in full) are measured every time: they seldom come back, and
// keeping them would hold on to their memory.
constexpr qsizetype kLongestKept = 512;
// Past this many measures the store starts again empty; a form has a few hundred texts.
constexpr int kMostKept = 20000;

struct FontKey {
    QString family;
    qreal pointSize;
    bool bold;
    int dpi;
    bool operator==(const FontKey &o) const
    {
        return pointSize == o.pointSize && bold == o.bold && dpi == o.dpi && family == o.family;
    }
};

struct FontKeyHash {
    size_t operator()(const FontKey &k) const { return qHashMulti(0, k.family, k.pointSize, k.bold, k.dpi); }
};

FontKey keyOf(const ReportFont &f, int dpi) { return FontKey{f.family, f.pointSize, f.bold, dpi}; }

QFont makeFont(const ReportFont &f, int deviceDpi)
{
    QFont font(f.family);
    font.setPointSizeF(f.pointSize * 96.0 / qMax(deviceDpi, 1));
    font.setBold(f.bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// What is kept of one font at 96 dpi.
struct Measured {
    explicit Measured(const QFont &f) : font(f), metrics(f, measuringDevice()) {}
    QFont font;
    QFontMetricsF metrics;
    QHash<QString, qreal> widths;
    QHash<std::pair<qreal, QString>, QStringList> wraps;
};

// Bumped when the application's fonts change; each thread's store starts again when it sees it.
std::atomic<unsigned> fontGeneration{0};

struct Store {
    unsigned generation = 0;
    int count = 0;
    std::unordered_map<FontKey, Measured, FontKeyHash> fonts;  // at 96 dpi, for measuring
    std::unordered_map<FontKey, QFont, FontKeyHash> devices;  // for painting on other devices

    void clear()
    {
        fonts.clear();
        devices.clear();
        count = 0;
    }

    Measured &measured(const ReportFont &f)
    {
        const FontKey key = keyOf(f, 96);
        auto it = fonts.find(key);
        if (it == fonts.end())
            it = fonts.try_emplace(key, makeFont(f, 96)).first;
        return it->second;
    }
};

Store &threadStore()
{
    thread_local Store s;
    return s;
}

void watchFonts()
{
    // The application object may come after the first measure; it is looked for again then,
    // by the application's own thread only.
    static QPointer<QGuiApplication> watched;
    if (!qGuiApp || QThread::currentThread() != qGuiApp->thread() || watched == qGuiApp)
        return;
    watched = qGuiApp;
    QObject::connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, qGuiApp, [] { ++fontGeneration; });
    // Fonts kept past the application would be let go after the font machinery is gone.
    qAddPostRoutine([] { threadStore().clear(); });
}

Store &store()
{
    Store &s = threadStore();
    watchFonts();
    const unsigned now = fontGeneration.load();
    if (s.generation != now || s.count > kMostKept) {
        s.clear();
        s.generation = now;
    }
    return s;
}

QStringList wrapNow(const QString &text, const QFont &font, qreal width)
{
    QStringList out;
    if (text.isEmpty()) {
        out << QString();
        return out;
    }
    QTextLayout layout(text, font, measuringDevice());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(qMax<qreal>(width, 1));
        QString part = text.mid(line.textStart(), line.textLength());
        while (part.endsWith(QLatin1Char(' ')) && part.size() > 1)
            part.chop(1);
        out << part;
    }
    layout.endLayout();
    return out;
}

} // namespace

QFont font(const ReportFont &f, int deviceDpi)
{
    Store &s = store();
    if (deviceDpi == 96)
        return s.measured(f).font;
    const FontKey key = keyOf(f, deviceDpi);
    auto it = s.devices.find(key);
    if (it == s.devices.end())
        it = s.devices.try_emplace(key, makeFont(f, deviceDpi)).first;
    return it->second;
}

QFontMetricsF metrics(const ReportFont &f)
{
    return store().measured(f).metrics;
}

qreal advance(const ReportFont &f, const QString &line)
{
    Store &s = store();
    Measured &m = s.measured(f);
    if (line.size() > kLongestKept)
        return m.metrics.horizontalAdvance(line);
    const auto it = m.widths.constFind(line);
    if (it != m.widths.constEnd())
        return it.value();
    const qreal width = m.metrics.horizontalAdvance(line);
    m.widths.insert(line, width);
    ++s.count;
    return width;
}

QStringList wrapped(const ReportFont &f, const QString &paragraph, qreal width)
{
    Store &s = store();
    Measured &m = s.measured(f);
    if (paragraph.size() > kLongestKept)
        return wrapNow(paragraph, m.font, width);
    const std::pair<qreal, QString> key(width, paragraph);
    const auto it = m.wraps.constFind(key);
    if (it != m.wraps.constEnd())
        return it.value();
    const QStringList lines = wrapNow(paragraph, m.font, width);
    m.wraps.insert(key, lines);
    ++s.count;
    return lines;
}

void clear()
{
    store().clear();
}

int kept()
{
    return store().count;
}

} // namespace ReportMeasure

} // namespace Brenvik
