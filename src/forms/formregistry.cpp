#include "forms/formregistry.h"

namespace Brenvik {

void registerForms()
{
    // Each form adds its window and its report here.
}

} // namespace Brenvik
