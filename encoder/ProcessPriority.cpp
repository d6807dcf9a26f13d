#include "ProcessPriority.h"

#include <sys/resource.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tolvane {

std::optional<int> NiceValueOf(qint32 priorityClass)
{
    switch (priorityClass) {
    case PriorityClass::Idle: return 19;
    case PriorityClass::BelowNormal: return 10;
    case PriorityClass::Normal: return 0;
    case PriorityClass::AboveNormal: return -5;
    case PriorityClass::High:
    case PriorityClass::Realtime: return -10;
    default: return std::nullopt;
    }
}

void SetPriority(qint32 iPriority)
{
    const std::optional<int> nice = NiceValueOf(iPriority);
    if (!nice) {
        std::fprintf(stderr, "encorda: priority class %d is unknown; the priority is left as it is\n", iPriority);
        return;
    }
    if (setpriority(PRIO_PROCESS, 0, *nice) != 0)
        std::fprintf(stderr, "encorda: priority %d refused: %s\n", *nice, std::strerror(errno));
}

}  // namespace tolvane
