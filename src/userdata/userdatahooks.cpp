#include "userdata/userdatahooks.h"

#include "core/appstate.h"
#include "userdata/tuserinfodlg.h"
#include "userdata/tusermemodlg.h"

#include <QPlainTextEdit>

namespace Brenvik::UserDataDialogs {

void openUserInfo(QWidget *company, QWidget *address)
{
    // The command-line modes run without dialogs.
    if (AppState::instance().headless())
        return;
    TuserInfoDlg::instance()->showFor(company, address);
}

void fillDefaultProfile(QWidget *company, QWidget *address)
{
    TuserInfoDlg::fillDefaultProfile(company, address);
}

void openMemo(const QString &owner, QPlainTextEdit *memo)
{
    if (!memo || AppState::instance().headless())
        return;
    // Made as a child of the first window that asks; freed with it and made again on next use.
    TuserMemoDlg::instance(memo->window())->showFor(owner, memo);
}

} // namespace Brenvik::UserDataDialogs
