#pragma once
// The about box: program icon, product name, credits, the web address, and the version list
// (product name, product version, build flags), and the folders of the side files in use.

#include <QDialog>

class QListWidget;

namespace Brenvik {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *parent = nullptr);
    QListWidget *versionList() const { return m_versions; }

private:
    QListWidget *m_versions;
};

} // namespace Brenvik
