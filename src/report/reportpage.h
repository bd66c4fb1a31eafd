#pragma once
// A report page: a table of named elements placed in 1/96 inch on a Letter page, filled by
// name from a document window's collected fields. Painting and text layout live in
// ReportPainter and ReportLayout, so that screen, printer and PDF draw the same page.

#include "report/reportelement.h"
#include "report/reportsource.h"
#include "report/signoffarea.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QPointF>
#include <QRectF>
#include <QStringList>

#include <cstddef>
#include <initializer_list>

namespace Brenvik {

// Rows of a page's tables: a fixed text where it starts, and a data label by name, where it
// starts and how far it may run (0: to the next element or rule of its row).
struct CaptionRow {
    qreal x, y;
    const char *text; // UTF-8
};
struct LabelRow {
    const char *name;
    qreal x, y;
    qreal width = 0;
};
// A data label or memo with its box: a label with a height wraps within it; a memo wraps.
struct DataRow {
    ElementKind kind;
    const char *name;
    qreal x, y, width, height;
    Qt::Alignment alignment;
};

class ReportPage : public QObject {
    Q_OBJECT
public:
    // Letter, portrait, in 1/96 inch.
    static constexpr qreal kPageWidth = 816;
    static constexpr qreal kPageHeight = 1056;

    explicit ReportPage(QObject *parent = nullptr);

    // The page's own report title (a design text of the page); a job of several pages has its own.
    QString title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }

    // Elements are placed from the top-left corner of this band, given in page coordinates.
    // Without one, the band is the whole page.
    void setBand(const QRectF &band) { m_band = band; }
    QRectF band() const;
    // The black frame around the page, in page coordinates; none when null.
    void setFrame(const QRectF &frame) { m_frame = frame; }
    QRectF frame() const { return m_frame; }
    // Where a text without a width may run to and a memo without a height may reach, in band
    // coordinates: the frame if there is one, else the band.
    QRectF contentRect() const;

    // A light diagonal word under everything on the page ("DRAFT"); empty: none.
    void setWatermark(const QString &text) { m_watermark = text; }
    QString watermark() const { return m_watermark; }

    // The form's sign-off area when it is on this page; empty: none here.
    void setSignOffArea(const QList<SignOffPlace> &places) { m_signOff = places; }
    const QList<SignOffPlace> &signOffArea() const { return m_signOff; }

    // The page's table, in control order.
    const QList<ReportElement> &elements() const { return m_elements; }
    int add(const ReportElement &element);

    // Building helpers; each returns the new element, valid until the next add.
    ReportElement &addCaption(qreal x, qreal y, const QString &text, const ReportFont &font = {},
                              qreal width = 0, Qt::Alignment alignment = Qt::AlignLeft);
    ReportElement &addLabel(const QString &name, qreal x, qreal y, qreal width = 0,
                            Qt::Alignment alignment = Qt::AlignLeft, qreal height = 0);
    ReportElement &addMemo(const QString &name, qreal x, qreal y, qreal width, qreal height,
                           Qt::Alignment alignment = Qt::AlignLeft, bool wordWrap = true);
    ReportElement &addImage(const QString &name, qreal x, qreal y, qreal width, qreal height);
    ReportElement &addHRule(qreal x1, qreal x2, qreal y);
    ReportElement &addVRule(qreal x, qreal y1, qreal y2);
    ReportElement &addBox(qreal x, qreal y, qreal width, qreal height);
    // A fixed text whose right end is at rightX ("Page 1 of 2" at the right of a band).
    ReportElement &addRightCaption(qreal rightX, qreal y, const QString &text, const ReportFont &font = {});
    // A label centred about centreX (a column of a table), width wide.
    ReportElement &addCentredLabel(const QString &name, qreal centreX, qreal y, qreal width);
    // "Printed on:" and the date and time of printing; right-aligned ending at rightX.
    ReportElement &addPrintedOn(qreal rightX, qreal y, const QString &text = QStringLiteral("Printed on:"));

    // A table of fixed texts or of data labels, in its order.
    template <std::size_t N> void addCaptions(const CaptionRow (&rows)[N], const ReportFont &font = {})
    {
        for (const CaptionRow &r : rows)
            addCaption(r.x, r.y, QString::fromUtf8(r.text), font);
    }
    template <std::size_t N> void addLabels(const LabelRow (&rows)[N])
    {
        for (const LabelRow &r : rows)
            addLabel(QString::fromLatin1(r.name), r.x, r.y, r.width);
    }
    // memosAsParagraph: the memos print their stored line breaks as blanks.
    template <std::size_t N> void addData(const DataRow (&rows)[N], bool memosAsParagraph = false)
    {
        for (const DataRow &r : rows)
            addData(r, memosAsParagraph);
    }
    ReportElement &addData(const DataRow &row, bool memosAsParagraph = false);

    // The first element of that name, letter case aside; -1 when there is none.
    int indexOf(const QString &name) const;
    const ReportElement *element(const QString &name) const;
    QString text(const QString &name) const;
    QStringList lines(const QString &name) const;

    // Return false when the page has no element of that name and kind.
    bool setCaption(const QString &name, const QString &text);
    bool setMemoLines(const QString &name, const QStringList &lines);
    bool setPicture(const QString &name, const Picture &picture);

    // The document's temperature unit (" °F" when its "unitTF" is checked, else " °C") after
    // each of these labels whose value holds a digit; an empty or worded value ("None") prints
    // as it is.
    void appendTemperatureUnit(const ReportSource &source, std::initializer_list<const char *> names);

    // Every label takes the value of the first field whose name equals its own, both
    // upper-cased; every memo the same value decoded into lines (or into one paragraph when it
    // prints its breaks as blanks). Elements without a matching field show their design text,
    // so a second fill starts from the same page as the first (units never pile up).
    void fillByName(const QList<CollectedField> &fields);
    // Data elements back to their design text, images emptied.
    void resetData();

    // The labels and memos in table order with their text as filled.
    QList<QPair<QString, QString>> dataFields() const;

private:
    ReportElement &addElement(const ReportElement &element);
    ReportElement *find(const QString &name, ElementKind kind);

    QList<ReportElement> m_elements;
    QString m_title;
    QRectF m_band;
    QRectF m_frame;
    QString m_watermark;
    QList<SignOffPlace> m_signOff;
    bool m_designTaken = false;
};

} // namespace Brenvik
