#include "controls/whatsthismenu.h"

#include "core/helpindex.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QWidget>

namespace Brenvik {

void attachWhatsThisMenu(QWidget *label)
{
    if (!label || whatsThisMenu(label))
        return;
    auto *menu = new QMenu(label);
    menu->setObjectName(QStringLiteral("PopupMenuHelp"));
    QAction *whatsThis = menu->addAction(QStringLiteral("What's This?"));
    whatsThis->setObjectName(QStringLiteral("WhatsThis1"));
    // The name is read when the entry is chosen, so a label renamed later still finds its help.
    QPointer<QWidget> target(label);
    QObject::connect(whatsThis, &QAction::triggered, label, [target] {
        if (target)
            showHelpForName(target->objectName());
    });
    label->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(label, &QWidget::customContextMenuRequested, menu,
                     [label, menu](const QPoint &pos) { menu->popup(label->mapToGlobal(pos)); });
}

QMenu *whatsThisMenu(QWidget *label)
{
    return label ? label->findChild<QMenu *>(QStringLiteral("PopupMenuHelp"), Qt::FindDirectChildrenOnly)
                 : nullptr;
}

} // namespace Brenvik
