// Preparing the WPDS report from a filled window and writing its PDF, in process: once as a
// welding engineer fills it, once with values of 10 MB (one unbroken word in a memo, a
// one-line field, many short lines) that must not slow the layout down.
// Usage: bench_report [runs] [keep.pdf]. Prints the median and the spread in milliseconds.

#include "forms/wpds/twpdsreport.h"
#include "report/reportjob.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>

using namespace Brenvik;

namespace {

// A WPDS window as filled by a welding engineer.
class FilledWpds : public ReportSource {
public:
    explicit FilledWpds(bool huge = false)
    {
        const QList<QPair<const char *, const char *>> values = {
            {"wpdsNo", "WPDS-2026-014"}, {"wpdsDate", "7 Dec 2026"}, {"rev", "2"},
            {"companyName", "Brenvik Steelworks Ltd."},
            {"address", "1200 Harbour Road, Unit 4, Port Alder, NS B3K 5X5, Canada"},
            {"refStandards", "CSA W47.1"}, {"refWPQR", "PQR-118"}, {"refWPS", "WPS-22"},
            {"weldingProcess1", "GMAW"}, {"pulsed1", "No"}, {"shieldingGasType1", "Ar 75% / CO2 25%"},
            {"processMode1", "Semi-automatic"}, {"weldingProcess2", "FCAW"}, {"pulsed2", "Yes"},
            {"shieldingGasType2", "CO2 100%"}, {"processMode2", "Semi-automatic"},
            {"position", "1G, 2G, 3G up"}, {"jointType", "Single V butt"}, {"penetration", "Complete"},
            {"material", "ASTM A36 strip"}, {"thickness", "6 mm"}, {"method", "Arc-air"},
            {"ifBackgouging", "Yes"}, {"depth", "3 mm"}, {"electrodeExtension", "12-19 mm"},
            {"nozzleDiameter", "16 mm"}, {"fluxClassification", "N/A"},
            {"TungstenElectrodeType", "N/A"}, {"diameter", "N/A"},
            {"cleaningProcedure", "Grind to bright metal\\nWire brush between passes"},
            {"technique", "Stringer beads\\nBackgouge to sound metal before welding side 2"},
            {"IBMSpec1", "CSA G40.21 350W"}, {"IBMThickness1", "6-25 mm"}, {"IBMReq1", "None"},
            {"IBMSpec2", "ASTM A572 Gr. 50"}, {"IBMThickness2", "6-25 mm"}, {"IBMReq2", "Impact tested"},
            {"IFMProcess1", "GMAW"}, {"IFMTradeName1", "Lincoln SuperArc L-56"},
            {"IFMClassification1", "ER70S-6"}, {"IFMGroup1", "G"}, {"IFMFIllerTreatment1", "None"},
            {"IFMProcess2", "FCAW"}, {"IFMTradeName2", "Lincoln Outershield 71M"},
            {"IFMClassification2", "E491T-9"}, {"IFMGroup2", "G"}, {"IFMFIllerTreatment2", "Dry storage"},
            {"preheatMin", "10"}, {"InterpassMax", "250"}, {"InterPassMin", "10"},
            {"postWeldTreatment", "None required"}, {"remarks", "Joint details per drawing 14-A"},
        };
        for (const auto &v : values)
            m_fields.append({QString::fromLatin1(v.first), QString::fromUtf8(v.second)});
        if (huge) {
            const qsizetype tenMegabytes = 10 * 1024 * 1024;
            for (CollectedField &f : m_fields) {
                if (f.name == QLatin1String("technique"))
                    f.value = QString(tenMegabytes, QLatin1Char('x'));
                else if (f.name == QLatin1String("address"))
                    f.value = QStringLiteral("Harbour Road ").repeated(tenMegabytes / 13);
                else if (f.name == QLatin1String("cleaningProcedure"))
                    f.value = QStringLiteral("Grind\\n").repeated(tenMegabytes / 7);
            }
        }
        const char *units[] = {"mm", "mm", "", "", "", "mm", "mm/s", "A", "V", "", "mm/s", "kg/h", "L/min", "kJ/mm"};
        for (int row = 1; row <= 14; ++row)
            m_cells.insert({row, 1}, QString::fromLatin1(units[row - 1]));
        for (int pass = 0; pass < 5; ++pass) {
            const int c = pass + 2;
            m_cells.insert({1, c}, QStringLiteral("10"));
            m_cells.insert({2, c}, QStringLiteral("6"));
            m_cells.insert({3, c}, QString::number(pass + 1));
            m_cells.insert({4, c}, QString::number(pass + 1));
            m_cells.insert({5, c}, pass < 3 ? QStringLiteral("GMAW") : QStringLiteral("FCAW"));
            m_cells.insert({6, c}, QStringLiteral("1.2"));
            m_cells.insert({7, c}, QStringLiteral("120"));
            m_cells.insert({8, c}, QStringLiteral("230"));
            m_cells.insert({9, c}, QStringLiteral("25"));
            m_cells.insert({10, c}, QStringLiteral("DCEP"));
            m_cells.insert({11, c}, QStringLiteral("6.5"));
            m_cells.insert({12, c}, QStringLiteral("3.1"));
            m_cells.insert({13, c}, QStringLiteral("18"));
            m_cells.insert({14, c}, QStringLiteral("0.85"));
        }
        QImage sketch(400, 300, QImage::Format_RGB32);
        sketch.fill(Qt::white);
        QPainter p(&sketch);
        p.setPen(QPen(Qt::black, 3));
        p.drawLine(20, 200, 170, 200);
        p.drawLine(170, 200, 190, 100);
        p.drawLine(230, 200, 380, 200);
        p.drawLine(230, 200, 210, 100);
        p.end();
        m_picture = Picture::fromImage(sketch);
    }
    QList<CollectedField> collectFields() const override { return m_fields; }
    bool isChecked(const QString &) const override { return false; }
    QString gridCell(const QString &, int row, int column) const override { return m_cells.value({row, column}); }
    int gridRowCount(const QString &) const override { return 15; }
    int gridColumnCount(const QString &) const override { return 10; }
    Picture sketch() const override { return m_picture; }

private:
    QList<CollectedField> m_fields;
    QHash<QPair<int, int>, QString> m_cells;
    Picture m_picture;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 30;
    QTemporaryDir dir;
    const QString path = argc > 2 ? QString::fromLocal8Bit(argv[2]) : dir.filePath(QStringLiteral("wpds.pdf"));

    for (const bool huge : {false, true}) {
        FilledWpds window(huge);
        TWPDSReport report;
        QList<double> times;
        const int count = huge ? qMax(1, runs / 10) : runs;
        for (int i = 0; i < count + 1; ++i) {
            QElapsedTimer timer;
            timer.start();
            report.prepareRpt(window);
            if (!ReportJob::fromReport(report).writePdf(path))
                return 1;
            if (i > 0) // the first run loads the fonts
                times << timer.nsecsElapsed() / 1e6;
        }
        std::sort(times.begin(), times.end());
        QTextStream(stdout) << (huge ? "prepare + write WPDS PDF, 10 MB values: median " : "prepare + write WPDS PDF: median ")
                            << times.at(times.size() / 2) << " ms, min " << times.first() << " ms, max "
                            << times.last() << " ms over " << count << " runs\n";
    }
    return 0;
}
