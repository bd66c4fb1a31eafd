#include "support/reportchecks.h"

#include "report/reportlayout.h"
#include "report/reportpage.h"

namespace Brenvik {

namespace {

bool crosses(const QRectF &a, const QRectF &b)
{
    return qMin(a.right(), b.right()) - qMax(a.left(), b.left()) > 0.01 &&
           qMin(a.bottom(), b.bottom()) - qMax(a.top(), b.top()) > 0.5;
}

QString who(const ReportElement &e)
{
    return e.name.isEmpty() ? e.text : e.name;
}

} // namespace

QStringList textCollisions(const ReportPage &page)
{
    QStringList out;
    const ReportLayout layout(page);
    const QList<ReportElement> &elements = page.elements();
    for (int i = 0; i < elements.size(); ++i) {
        const QRectF ink = elements[i].isText() ? layout.inkRect(i) : QRectF();
        if (ink.isEmpty())
            continue;
        if (!page.frame().isNull() && !page.frame().contains(ink))
            out << who(elements[i]) + QStringLiteral(" leaves the frame");
        for (int j = 0; j < elements.size(); ++j) {
            const ReportElement &o = elements[j];
            QRectF other;
            if (j == i)
                continue;
            if (o.isText())
                other = layout.inkRect(j);
            else if (o.kind == ElementKind::VRule)
                other = QRectF(o.x - 0.5, o.y, 1, o.height);
            else if (o.kind == ElementKind::HRule)
                other = QRectF(o.x, o.y - 0.5, o.width, 1);
            else if (o.kind == ElementKind::Image)
                other = QRectF(o.x, o.y, o.width, o.height);
            if (crosses(ink, other))
                out << who(elements[i]) + QStringLiteral(" runs into ") + who(o);
        }
    }
    return out;
}

const ReportElement *elementOnPages(std::initializer_list<const ReportPage *> pages, const QString &name)
{
    for (const ReportPage *page : pages)
        if (const ReportElement *e = page->element(name))
            return e;
    return nullptr;
}

} // namespace Brenvik
