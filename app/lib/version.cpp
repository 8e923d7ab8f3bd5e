#include "tolvane.h"
#include "tolvane_version.h"

extern "C" const char* tolvane_version(void) noexcept {
    return TOLVANE_VERSION;
}
