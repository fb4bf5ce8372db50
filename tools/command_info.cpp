// velmora-tool info FILE: what the viewer learns about a recording, as one
// JSON line: {"channels":N,"duration":S,"frames":F,"telemetryRecords":T}.
// The duration is the header walk's, for any name (the viewer asks it only
// for "T_2" names); the records are those the telemetry extraction finds.
#include "avilayout.h"
#include "commands.h"
#include "durationwalk.h"
#include "telemetryextraction.h"

#include <QFile>
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

// dwStreams of the main header; -1 if it cannot be read.
qint64 streamCount(const QString &path) {
    QFile file(path);
    constexpr qint64 offset = avi::RiffHeaderSize + avi::ListHeaderSize + avi::ChunkHeaderSize +
                              avi::DwStreamsOffsetInMainBody;
    if (!file.open(QIODevice::ReadOnly) || !file.seek(offset))
        return -1;
    const QByteArray word = file.read(4);
    return word.size() == 4 ? qint64(avi::readLE32(word.constData())) : -1;
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

    const DurationWalkResult walk = DurationWalk::walkFile(path, DurationWalk::NameGate::Skip);
    if (!walk.opened)
        return badFile(path, "cannot be read");
    if (!walk.headerValid)
        return badFile(path, "not a recording (the header does not follow the camera's layout)");
    if (streamCount(path) != layout.streamCount())
        return badFile(path, "not a recording (the header's stream count does not match the "
                             "name's channel marker)");

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
