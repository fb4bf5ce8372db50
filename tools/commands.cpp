#include "commands.h"

#include <cstdio>

namespace velmora::tool {

int refuseArguments(const char *command, const char *usage, const char *message,
                    const QString &detail) {
    if (detail.isEmpty())
        std::fprintf(stderr, "velmora-tool %s: %s\n", command, message);
    else
        std::fprintf(stderr, "velmora-tool %s: %s '%s'\n", command, message, qPrintable(detail));
    std::fprintf(stderr, "usage: %s\n", usage);
    return BadArguments;
}

} // namespace velmora::tool
