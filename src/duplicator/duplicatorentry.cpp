#include "duplicator/duplicatorentry.h"

#include "duplicator/tduplicator.h"

namespace Brenvik {

void openDuplicator(QWidget *parent)
{
    TDuplicator dialog(parent);
    dialog.exec();
}

} // namespace Brenvik
