#include "forms/wpqr/wpqrlayout.h"

namespace Brenvik::WPQRLayout {

qreal addSectionTitle(ReportPage &page, qreal left, qreal y, const QString &title)
{
    page.addCaption(left + kPad, y + 3, title, kBold);
    return y + kRow;
}

qreal addRuledSection(ReportPage &page, qreal y, const QString &title)
{
    page.addHRule(kLeft, kRight, y);
    return addSectionTitle(page, kLeft, y, title);
}

ReportElement &addField(ReportPage &page, qreal captionX, qreal valueX, qreal valueRight, qreal y,
                        const QString &caption, const QString &name)
{
    page.addHRule(valueX - 2, valueRight, y + kRow - 2);
    page.addCaption(captionX, y + 3, caption);
    return page.addLabel(name, valueX, y + 3, valueRight - valueX);
}

qreal addTestTable(ReportPage &page, const QList<Column> &columns, qreal right, qreal headTop, qreal headHeight,
                   const QStringList &unitNames, const QList<int> &unitColumns, const QString &memoPrefix)
{
    const qreal headBottom = headTop + headHeight;
    const qreal dataTop = unitColumns.isEmpty() ? headBottom : headBottom + 16;
    const qreal bottom = dataTop + kTestRows * kLine + 5;
    const qreal left = columns.first().left;
    for (qreal y : {headTop, headBottom, dataTop, bottom})
        page.addHRule(left, right, y);
    for (int c = 0; c < columns.size(); ++c) {
        const qreal x = columns.at(c).left;
        const qreal xRight = c + 1 < columns.size() ? columns.at(c + 1).left : right;
        if (c > 0)
            page.addVRule(x, headTop, bottom);
        const QString head = QString::fromUtf8(columns.at(c).head);
        const qreal height = kLine * (head.count(QLatin1Char('\n')) + 1);
        page.addCaption(x + 1, headTop + (headHeight - height) / 2, head, {}, xRight - x - 2, Qt::AlignHCenter);
        const Qt::Alignment alignment = columns.at(c).alignment;
        const qreal inset = alignment == Qt::AlignHCenter ? 2 : kPad;
        page.addMemo(memoPrefix + QStringLiteral("%1").arg(c + 1, 2, 10, QLatin1Char('0')), x + inset, dataTop + 2,
                     xRight - x - 2 * inset, bottom - dataTop - 3, alignment, false);
    }
    for (int u = 0; u < unitColumns.size(); ++u) {
        const int c = unitColumns.at(u);
        const qreal x = columns.at(c).left;
        const qreal xRight = c + 1 < columns.size() ? columns.at(c + 1).left : right;
        page.addLabel(unitNames.at(u), x + 1, headBottom + 2, xRight - x - 2, Qt::AlignHCenter);
    }
    return bottom;
}

} // namespace Brenvik::WPQRLayout
