#include "commands.h"
#include "drivetable.h"
#include "systemvolumes.h"

#include <cstdio>

namespace velmora::tool {

int cards(const QStringList &args) {
    QStringList folders;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] != QLatin1String("--card") || i + 1 >= args.size()) {
            std::fprintf(stderr, "velmora-tool cards: unexpected argument '%s'\n",
                         qPrintable(args[i]));
            return BadArguments;
        }
        folders << args[++i];
    }
    DriveTable table;
    table.search(SystemVolumes(folders).volumes(), QStringLiteral("DASHCAM"));
    for (int i = 0; i < table.count(); ++i)
        std::printf("%s\t%s\n", qPrintable(table.name(i)), qPrintable(table.path(i)));
    return Success;
}

} // namespace velmora::tool
