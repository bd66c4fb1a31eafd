#pragma once
// Runs one store operation; a write the system refused is shown (caption "Error") and ends
// the operation there, instead of unwinding into the event loop.

#include "core/platform.h"
#include "core/profilefile.h"

namespace Brenvik {

template<typename Fn>
bool guarded(Fn &&fn)
{
    try {
        fn();
        return true;
    } catch (const FileError &e) {
        errorBox(QStringLiteral("Error"), e.message());
        return false;
    }
}

} // namespace Brenvik
