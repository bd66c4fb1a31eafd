#include "report/reportpage.h"

#include "core/texthelpers.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>

namespace Brenvik {

ReportPage::ReportPage(QObject *parent) : QObject(parent) {}

QRectF ReportPage::band() const
{
    return m_band.isNull() ? QRectF(0, 0, kPageWidth, kPageHeight) : m_band;
}

QRectF ReportPage::contentRect() const
{
    const QRectF b = band();
    if (!m_frame.isNull())
        return m_frame.translated(-b.topLeft());
    return QRectF(QPointF(0, 0), b.size());
}

int ReportPage::add(const ReportElement &element)
{
    addElement(element);
    return int(m_elements.size()) - 1;
}

ReportElement &ReportPage::addElement(const ReportElement &element)
{
    m_elements.append(element);
    ReportElement &e = m_elements.last();
    if (m_designTaken && e.isData() && e.designText.isNull())
        e.designText = e.text;
    return e;
}

void ReportPage::resetData()
{
    // The texts the page was built with are its design; they are taken on the first fill.
    if (!m_designTaken) {
        for (ReportElement &e : m_elements)
            if (e.isData() && e.designText.isNull())
                e.designText = e.text;
        m_designTaken = true;
    }
    for (ReportElement &e : m_elements) {
        if (e.isData())
            e.text = e.designText;
        else if (e.kind == ElementKind::Image)
            e.picture = Picture();
    }
}

namespace {

// An element of a kind, named and placed; the rest keeps its defaults.
ReportElement placed(ElementKind kind, const QString &name, qreal x, qreal y, qreal width = 0,
                     qreal height = 0)
{
    ReportElement e;
    e.kind = kind;
    e.name = name;
    e.x = x;
    e.y = y;
    e.width = width;
    e.height = height;
    return e;
}

} // namespace

ReportElement &ReportPage::addCaption(qreal x, qreal y, const QString &text, const ReportFont &font,
                                      qreal width, Qt::Alignment alignment)
{
    ReportElement e = placed(ElementKind::Caption, QString(), x, y, width);
    e.text = text;
    e.font = font;
    e.alignment = alignment;
    return addElement(e);
}

ReportElement &ReportPage::addData(const DataRow &row, bool memosAsParagraph)
{
    const QString name = QString::fromLatin1(row.name);
    if (row.kind != ElementKind::Memo)
        return addLabel(name, row.x, row.y, row.width, row.alignment, row.height);
    ReportElement &memo = addMemo(name, row.x, row.y, row.width, row.height, row.alignment, true);
    memo.breaksAsBlanks = memosAsParagraph;
    return memo;
}

ReportElement &ReportPage::addLabel(const QString &name, qreal x, qreal y, qreal width,
                                    Qt::Alignment alignment, qreal height)
{
    ReportElement e = placed(ElementKind::Label, name, x, y, width, height);
    e.alignment = alignment;
    e.wordWrap = height > 0;
    return addElement(e);
}

ReportElement &ReportPage::addMemo(const QString &name, qreal x, qreal y, qreal width, qreal height,
                                   Qt::Alignment alignment, bool wordWrap)
{
    ReportElement e = placed(ElementKind::Memo, name, x, y, width, height);
    e.alignment = alignment;
    e.wordWrap = wordWrap;
    return addElement(e);
}

ReportElement &ReportPage::addImage(const QString &name, qreal x, qreal y, qreal width, qreal height)
{
    return addElement(placed(ElementKind::Image, name, x, y, width, height));
}

ReportElement &ReportPage::addHRule(qreal x1, qreal x2, qreal y)
{
    return addElement(placed(ElementKind::HRule, QString(), qMin(x1, x2), y, qAbs(x2 - x1)));
}

ReportElement &ReportPage::addVRule(qreal x, qreal y1, qreal y2)
{
    return addElement(placed(ElementKind::VRule, QString(), x, qMin(y1, y2), 0, qAbs(y2 - y1)));
}

ReportElement &ReportPage::addBox(qreal x, qreal y, qreal width, qreal height)
{
    return addElement(placed(ElementKind::Box, QString(), x, y, width, height));
}

ReportElement &ReportPage::addRightCaption(qreal rightX, qreal y, const QString &text, const ReportFont &font)
{
    // Room enough for any caption; the layout places the letters against the right end.
    const qreal width = qMin<qreal>(400, qMax<qreal>(0, rightX));
    return addCaption(rightX - width, y, text, font, width, Qt::AlignRight);
}

ReportElement &ReportPage::addCentredLabel(const QString &name, qreal centreX, qreal y, qreal width)
{
    return addLabel(name, centreX - width / 2, y, width, Qt::AlignHCenter);
}

ReportElement &ReportPage::addPrintedOn(qreal rightX, qreal y, const QString &text)
{
    // Wide enough for the longest regional time format; the text ends at rightX.
    const qreal width = 240;
    ReportElement e = placed(ElementKind::PrintedOn, QString(), rightX - width, y, width);
    e.text = text;
    e.alignment = Qt::AlignRight;
    return addElement(e);
}

int ReportPage::indexOf(const QString &name) const
{
    for (int i = 0; i < m_elements.size(); ++i)
        if (!m_elements[i].name.isEmpty() && m_elements[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

const ReportElement *ReportPage::element(const QString &name) const
{
    const int i = indexOf(name);
    return i < 0 ? nullptr : &m_elements[i];
}

QString ReportPage::text(const QString &name) const
{
    const ReportElement *e = element(name);
    return e ? e->text : QString();
}

QStringList ReportPage::lines(const QString &name) const
{
    const ReportElement *e = element(name);
    return e ? e->text.split(QLatin1Char('\n')) : QStringList();
}

ReportElement *ReportPage::find(const QString &name, ElementKind kind)
{
    for (ReportElement &e : m_elements)
        if (e.kind == kind && e.name.compare(name, Qt::CaseInsensitive) == 0)
            return &e;
    return nullptr;
}

bool ReportPage::setCaption(const QString &name, const QString &text)
{
    ReportElement *e = find(name, ElementKind::Label);
    if (!e)
        e = find(name, ElementKind::Caption);
    if (!e)
        return false;
    e->text = text;
    return true;
}

bool ReportPage::setMemoLines(const QString &name, const QStringList &lines)
{
    ReportElement *e = find(name, ElementKind::Memo);
    if (!e)
        return false;
    e->text = lines.join(e->breaksAsBlanks ? QLatin1Char(' ') : QLatin1Char('\n'));
    return true;
}

bool ReportPage::setPicture(const QString &name, const Picture &picture)
{
    ReportElement *e = find(name, ElementKind::Image);
    if (!e)
        return false;
    e->picture = picture;
    return true;
}

void ReportPage::appendTemperatureUnit(const ReportSource &source, std::initializer_list<const char *> names)
{
    const QString unit = source.isChecked(QStringLiteral("unitTF")) ? QStringLiteral(" \u00B0F")
                                                                    : QStringLiteral(" \u00B0C");
    // A value that names its own unit ("300F", "150 °C", "200 deg F") keeps it alone.
    static const QRegularExpression ownUnit(QStringLiteral("\\d\\s*(?:\u00B0|\u00BA|deg(?:rees?)?\\.?)?\\s*[cf]\\b"),
                                            QRegularExpression::CaseInsensitiveOption);
    for (const char *name : names) {
        const QString n = QString::fromLatin1(name);
        const QString value = text(n);
        if (std::any_of(value.cbegin(), value.cend(), [](QChar c) { return c.isDigit(); }) &&
            !ownUnit.match(value).hasMatch())
            setCaption(n, value + unit);
    }
}

void ReportPage::fillByName(const QList<CollectedField> &fields)
{
    // First match in control order wins, so later fields never replace an earlier name.
    QHash<QString, QString> first;
    first.reserve(fields.size());
    for (const CollectedField &f : fields) {
        const QString key = f.name.toUpper();
        if (!first.contains(key))
            first.insert(key, f.value);
    }
    resetData();
    for (ReportElement &e : m_elements) {
        if (!e.isData())
            continue;
        const auto it = first.constFind(e.name.toUpper());
        if (it == first.constEnd())
            continue;
        if (e.kind == ElementKind::Label) {
            e.text = it.value();
        } else {
            // Lines are kept joined by '\n' inside the page, whatever break the helper returns.
            e.text =
                e.breaksAsBlanks ? flattenMemo(it.value()) : replacedAll(it.value(), kMemoLineMark, u"\n");
        }
    }
}

QList<QPair<QString, QString>> ReportPage::dataFields() const
{
    QList<QPair<QString, QString>> out;
    for (const ReportElement &e : m_elements)
        if (e.isData())
            out.append({e.name, e.text});
    return out;
}

} // namespace Brenvik
