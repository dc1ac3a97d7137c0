#include "xls/gsf_library.h"

#include <gsf/gsf-utils.h>

#include <mutex>

namespace xls {

void ensureGsfInitialised() {
    static std::once_flag once;
    std::call_once(once, [] { gsf_init(); });
}

}  // namespace xls
