#include "commands.h"
#include "democard.h"

#include <cstdio>

namespace velmora::tool {

int makeDemoCard(const QStringList &args) {
    if (args.size() != 1) {
        std::fputs("usage: velmora-tool make-demo-card DIR\n", stderr);
        return BadArguments;
    }
    const QString error = velmora::makeDemoCard(args.first());
    if (!error.isEmpty()) {
        std::fprintf(stderr, "velmora-tool make-demo-card: %s\n", qPrintable(error));
        return Failure;
    }
    std::printf("demo card written to %s\n", qPrintable(args.first()));
    return Success;
}

} // namespace velmora::tool
