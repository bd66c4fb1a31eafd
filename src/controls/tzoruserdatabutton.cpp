#include "controls/tzoruserdatabutton.h"

#include <QPainter>
#include <QPixmap>

namespace Brenvik {

namespace {

QIcon drawGlyph(TZorUserDataButton::Glyph glyph)
{
    QPixmap pixmap(14, 14);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (glyph) {
    case TZorUserDataButton::Glyph::Save:
        p.setPen(QPen(QColor(0, 120, 0), 2.4));
        p.drawLine(QPointF(7, 2), QPointF(7, 12));
        p.drawLine(QPointF(2, 7), QPointF(12, 7));
        break;
    case TZorUserDataButton::Glyph::Delete:
        p.setPen(QPen(QColor(170, 0, 0), 2.4));
        p.drawLine(QPointF(2, 7), QPointF(12, 7));
        break;
    case TZorUserDataButton::Glyph::Memo:
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2.5, 1.5, 9, 11));
        for (int y = 4; y <= 10; y += 3)
            p.drawLine(QPointF(4.5, y + 0.5), QPointF(9.5, y + 0.5));
        break;
    }
    return QIcon(pixmap);
}

} // namespace

TZorUserDataButton::TZorUserDataButton(QWidget *parent) : QToolButton(parent)
{
    setAutoRaise(true);
    setFixedSize(21, 21);
    setIconSize(QSize(14, 14));
    setFocusPolicy(Qt::NoFocus);
}

void TZorUserDataButton::setGlyph(Glyph glyph)
{
    setIcon(drawGlyph(glyph));
    switch (glyph) {
    case Glyph::Save:
        setToolTip(tr("Save this value in the list"));
        break;
    case Glyph::Delete:
        setToolTip(tr("Delete this value from the list"));
        break;
    case Glyph::Memo:
        setToolTip(tr("Stored texts"));
        break;
    }
}

void TZorUserDataButton::setReferencedComboBox(QWidget *widget)
{
    if (widget)
        m_reference = widget;
}

} // namespace Brenvik
