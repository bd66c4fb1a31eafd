#pragma once
// What every document-window test starts from: a scripted platform that answers the questions,
// a data folder holding the shipped store, a folder for the files, no changed-flag, no host.

#include "support/scriptedplatform.h"
#include "support/tempdata.h"

#include <QTemporaryDir>

#include <memory>

namespace Brenvik {

class FormFixture {
protected:
    void start();
    // Fails the test when a question was asked that the test did not script.
    void finish();
    QString path(const QString &name) const { return m_dir->filePath(name); }

    std::unique_ptr<ScriptedPlatform> m_platform;
    std::unique_ptr<TempData> m_data;
    std::unique_ptr<QTemporaryDir> m_dir;
};

} // namespace Brenvik
