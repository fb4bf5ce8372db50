// velmora-tool export-channel FILE --channel N --out DIR: writes one camera
// channel of a recording as DIR/<name>_<front|CAM1|CAM2>.avi, exactly as the
// report screen exports it, and prints the path written.
#include "channelexport.h"
#include "commands.h"

#include <QFileInfo>
#include <cstdio>

namespace velmora::tool {

namespace {

int badArgument(const char *message, const QString &detail = QString()) {
    return refuseArguments("export-channel",
                           "velmora-tool export-channel FILE --channel 0|1|2 --out DIR", message,
                           detail);
}

} // namespace

int exportChannel(const QStringList &args) {
    QString path;
    QString channelText;
    QString folder;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        QString *option = arg == QLatin1String("--channel") ? &channelText
                          : arg == QLatin1String("--out")   ? &folder
                                                            : nullptr;
        if (option) {
            if (i + 1 >= args.size())
                return badArgument("a value is missing after", arg);
            *option = args[++i];
        } else if (arg.startsWith(QLatin1Char('-')) || !path.isEmpty()) {
            return badArgument("unexpected argument", arg);
        } else {
            path = arg;
        }
    }
    if (path.isEmpty())
        return badArgument("no recording given");
    bool isNumber = false;
    const int channel = channelText.toInt(&isNumber);
    if (!isNumber || channel < 0 || channel > 2)
        return badArgument("--channel needs 0, 1 or 2, not", channelText);
    if (folder.isEmpty())
        return badArgument("no --out folder given");
    if (!QFileInfo(path).isFile()) {
        std::fprintf(stderr, "velmora-tool export-channel: %s: no such file\n", qPrintable(path));
        return BadFile;
    }

    const QString destination =
        ChannelExport::destinationPath(folder, QFileInfo(path).completeBaseName(), channel);
    const ChannelExportResult result = ChannelExport::run(path, destination, channel);
    if (!result.ok()) {
        std::fprintf(stderr, "velmora-tool export-channel: %s: %s\n", qPrintable(path),
                     qPrintable(result.error));
        return result.status == ChannelExportResult::Status::WriteFailed ? Failure : BadFile;
    }
    std::printf("%s\n", qPrintable(destination));
    return std::fflush(stdout) == 0 ? Success : Failure;
}

} // namespace velmora::tool
