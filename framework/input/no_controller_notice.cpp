#include "vela/input/no_controller_notice.h"

#include <atomic>
#include <cstdio>

namespace vela {

void ReportNoControllerFound() {
    static std::atomic<bool> reported(false);
    if (!reported.exchange(true)) {
        std::fprintf(stderr, "Controller input: no game controller found: keyboard only\n");
    }
}

}  // namespace vela
