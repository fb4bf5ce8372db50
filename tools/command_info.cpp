// velmora-tool info FILE: what the viewer learns about a recording, as one
// JSON line: {"channels":N,"duration":S,"frames":F,"telemetryRecords":T}.
// The duration is the header walk's, for any name (the viewer asks it only
// for "T_2" names); the records are those the telemetry extraction finds.
#include "commands.h"
#include "recordingheader.h"
#include "telemetryextraction.h"

#include <QFileInfo>
#include <charconv>
#include <cstdio>

namespace velmora::tool {

namespace {

int badFile(const QString &path, const char *reason) {
    std::fprintf(stderr, "velmora-tool info: %s: %s\n", qPrintable(path), reason);
    return BadFile;
}

// The shortest text that reads back as the same float.
QByteArray floatText(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QByteArray(buffer, int(result.ptr - buffer));
}

} // namespace

int info(const QStringList &args) {
    if (args.size() != 1 || args.first().isEmpty() || args.first().startsWith(QLatin1Char('-'))) {
        std::fprintf(stderr, "velmora-tool info: %s (usage: velmora-tool info FILE)\n",
                     args.isEmpty() ? "no recording given" : "expects exactly one recording");
        return BadArguments;
    }
    const QString path = args.first();
    if (!QFileInfo(path).isFile())
        return badFile(path, "no such file");

    const avi::ChannelLayout layout = avi::ChannelLayout::fromName(QFileInfo(path).fileName());
    if (!layout.isValid())
        return badFile(path, "not a recording (no channel marker _T_, _D_ or _S_ in the name)");

    const HeaderCheck header = checkHeader(path, layout);
    if (header.problem)
        return badFile(path, header.problem);
    const DurationWalkResult &walk = header.walk;

    const TelemetryExtraction telemetry = extractTelemetry(path);
    if (telemetry.status != TelemetryExtraction::Status::Done)
        return badFile(path, "cannot be read");

    const QByteArray line = "{\"channels\":" + QByteArray::number(layout.videoStreams) +
                            ",\"duration\":" + floatText(walk.seconds) +
                            ",\"frames\":" + QByteArray::number(walk.frames) +
                            ",\"telemetryRecords\":" + QByteArray::number(telemetry.records) +
                            "}\n";
    if (std::fwrite(line.constData(), 1, size_t(line.size()), stdout) != size_t(line.size()) ||
        std::fflush(stdout) != 0) {
        std::fputs("velmora-tool info: cannot write the result\n", stderr);
        return Failure;
    }
    return Success;
}

} // namespace velmora::tool
