// velmora-tool telemetry FILE [--format json|csv|gpx|kml]: the telemetry of
// one recording, extracted exactly as the viewer extracts it.
#include "commands.h"
#include "recordingheader.h"
#include "telemetryexport.h"
#include "telemetryextraction.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace velmora::tool {

namespace {

int badArgument(const char *message, const QString &detail = QString()) {
    return refuseArguments("telemetry", "velmora-tool telemetry FILE [--format json|csv|gpx|kml]",
                           message, detail);
}

int badFile(const QString &path, const char *reason) {
    std::fprintf(stderr, "velmora-tool telemetry: %s: %s\n", qPrintable(path), reason);
    return BadFile;
}

// A RIFF AVI, and a name whose channel marker says where the telemetry is.
const char *whyNotARecording(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "cannot be read";
    const QByteArray head = file.read(12);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "AVI ")
        return "not a recording (no RIFF AVI header)";
    if (telemetryIdForPath(path).isEmpty())
        return "not a recording (no channel marker _T_, _D_ or _S_ in the name)";
    return nullptr;
}

} // namespace

int telemetry(const QStringList &args) {
    QString path;
    QString formatName = QStringLiteral("json");
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (arg == QLatin1String("--format")) {
            if (i + 1 >= args.size())
                return badArgument("--format needs a value");
            formatName = args[++i];
        } else if (arg.startsWith(QLatin1String("--format="))) {
            formatName = arg.mid(int(qstrlen("--format=")));
        } else if (arg.startsWith(QLatin1Char('-')) || !path.isEmpty()) {
            return badArgument("unexpected argument", arg);
        } else {
            path = arg;
        }
    }
    if (path.isEmpty())
        return badArgument("no recording given");
    const std::optional<ExportFormat> format = exportFormatFromName(formatName);
    if (!format)
        return badArgument("unknown format", formatName);

    if (!QFileInfo(path).isFile())
        return badFile(path, "no such file");
    if (const char *reason = whyNotARecording(path))
        return badFile(path, reason);
    // Another layout may still hold the telemetry where the name says.
    const HeaderCheck header =
        checkHeader(path, avi::ChannelLayout::fromName(QFileInfo(path).fileName()));
    if (header.unreadable)
        return badFile(path, header.problem);
    const TelemetryExtraction extraction = extractTelemetry(path);
    if (extraction.status != TelemetryExtraction::Status::Done)
        return badFile(path, "cannot be read");

    QByteArray out =
        exportTelemetry(extraction.telemetry, *format, QFileInfo(path).completeBaseName());
    if (!out.endsWith('\n'))
        out += '\n';
    if (std::fwrite(out.constData(), 1, size_t(out.size()), stdout) != size_t(out.size()) ||
        std::fflush(stdout) != 0) {
        std::fputs("velmora-tool telemetry: cannot write the output\n", stderr);
        return Failure;
    }
    return Success;
}

} // namespace velmora::tool
