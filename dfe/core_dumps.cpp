#include "dfe/core_dumps.h"

#include <sys/prctl.h>
#include <sys/resource.h>

namespace dfe {

bool ForbidCoreDumps() {
    const rlimit none{0, 0};
    const bool limited = ::setrlimit(RLIMIT_CORE, &none) == 0;
    const bool undumpable = ::prctl(PR_SET_DUMPABLE, 0, 0, 0, 0) == 0;
    return limited && undumpable;
}

}  // namespace dfe
