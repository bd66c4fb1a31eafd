#include "support/formfixture.h"

#include "core/appstate.h"

#include <QtTest>

namespace Brenvik {

void FormFixture::start()
{
    m_platform = std::make_unique<ScriptedPlatform>();
    m_data = std::make_unique<TempData>(true);
    m_dir = std::make_unique<QTemporaryDir>();
    AppState::instance().setChanged(false);
    AppState::instance().setHost(nullptr);
}

void FormFixture::finish()
{
    QVERIFY2(m_platform->unexpected.isEmpty(), qPrintable(m_platform->unexpected.join("; ")));
    m_platform.reset();
    m_data.reset();
    m_dir.reset();
}

} // namespace Brenvik
