// Placeholders until the store lands: keep the document windows linking.
#include "userdata/userdatahooks.h"
#include "userdata/userproperties.h"

namespace Brenvik::UserProperties {
void loadAll(const QString &, const QList<QComboBox *> &) {}
void loadUserProperty(const QString &, QComboBox *) {}
void saveUserProperty(const QString &, QComboBox *, const QList<QComboBox *> &) {}
void delUserProperty(const QString &, QComboBox *, const QList<QComboBox *> &) {}
void mergeUserProperties(const QString &) {}
void intersectUserProperties(const QString &) {}
} // namespace Brenvik::UserProperties

namespace Brenvik::UserDataDialogs {
void openUserInfo(QWidget *, QWidget *) {}
void fillDefaultProfile(QWidget *, QWidget *) {}
void openMemo(const QString &, QPlainTextEdit *) {}
} // namespace Brenvik::UserDataDialogs

namespace Brenvik::UserProperties {
bool saveLinkedPair(const QString &, QComboBox *, QComboBox *, QComboBox *, const QString &, const QList<QComboBox *> &) { return false; }
bool delLinkedPair(const QString &, QComboBox *, QComboBox *, QComboBox *, const QString &, const QList<QComboBox *> &) { return false; }
} // namespace Brenvik::UserProperties
