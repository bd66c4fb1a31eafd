#include "document/control/controlbar.h"

#include "core/dates.h"
#include "document/control/controlrecord.h"

#include <QHBoxLayout>
#include <QLabel>

namespace Brenvik {

ControlBar::ControlBar(QWidget *parent) : QFrame(parent), m_label(new QLabel(this))
{
    setObjectName(QStringLiteral("controlBar"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    m_label->setObjectName(QStringLiteral("controlBarText"));
    m_label->setWordWrap(true);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->addWidget(m_label, 1);
    hide();
}

QString ControlBar::textOf(const ControlState &state)
{
    const ControlRecord &r = state.record;
    if (!r.isControlled())
        return QString();
    const QString date = r.approvedDate.isValid() ? formatReportDate(r.approvedDate) : QStringLiteral("an unknown date");
    const QString by = r.approvedBy.isEmpty() ? QStringLiteral("an unnamed approver") : r.approvedBy;
    QString text = QStringLiteral("Approved on %1 by %2; create a revision to change it").arg(date, by);
    const QString later = r.supersededBy.isEmpty() ? QStringLiteral("a later revision") : r.supersededBy;
    // A draft superseded by a revision approved after it was never approved itself.
    if (r.status == ControlStatus::Superseded && r.approvedBy.isEmpty() && !r.approvedDate.isValid())
        text = QStringLiteral("Superseded by %1; it was never approved").arg(later);
    else if (r.status == ControlStatus::Superseded)
        text = QStringLiteral("Superseded by %1. %2").arg(later, text);
    if (state.changed)
        text += QStringLiteral(". Changed outside Brenvik after approval: the values or the picture no longer "
                               "match what was approved");
    return text + QLatin1Char('.');
}

void ControlBar::showState(const ControlState &state)
{
    const QString text = textOf(state);
    m_label->setText(text);
    QPalette p = palette();
    p.setColor(QPalette::Window, state.changed ? QColor(0xf8, 0xd0, 0xd0) : QColor(0xfb, 0xf1, 0xc4));
    setPalette(p);
    setVisible(!text.isEmpty());
}

QString ControlBar::text() const
{
    return m_label->text();
}

} // namespace Brenvik
