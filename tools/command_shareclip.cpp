// velmora-tool share-clip FILE --out OUT.mp4 [--from S] [--to S]
//     [--layout all|front] [--no-caption] [--unit km|mi]
// writes a stretch of a recording as one MP4 that anyone can play, as the
// viewer's "Share clip" does, and prints what it wrote. Exit codes: 0
// written, 2 bad arguments, 3 the recording cannot be read or the range lies
// outside it, 4 the output cannot be written (nothing is left behind).
#include "commands.h"
#include "shareclip.h"

#include <QFileInfo>
#include <cmath>
#include <cstdio>
#include <optional>

namespace velmora::tool {

namespace {

constexpr const char *Usage = "velmora-tool share-clip FILE --out OUT.mp4 [--from S] [--to S] "
                              "[--layout all|front] [--no-caption] [--unit km|mi]";

int badArgument(const char *message, const QString &detail = QString()) {
    return refuseArguments("share-clip", Usage, message, detail);
}

// Seconds as milliseconds; nothing for text that is not a number of seconds.
std::optional<qint64> milliseconds(const QString &text) {
    bool ok = false;
    const double seconds = text.toDouble(&ok);
    if (!ok || !std::isfinite(seconds) || seconds < 0 || seconds > 1e9)
        return std::nullopt;
    return std::llround(seconds * 1000.0);
}

} // namespace

int shareClip(const QStringList &args) {
    media::ShareClipRequest request;
    QString from, to, layout = QStringLiteral("all"), unit = QStringLiteral("km");
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        QString *option = arg == QLatin1String("--out")      ? &request.output
                          : arg == QLatin1String("--from")   ? &from
                          : arg == QLatin1String("--to")     ? &to
                          : arg == QLatin1String("--layout") ? &layout
                          : arg == QLatin1String("--unit")   ? &unit
                                                             : nullptr;
        if (option) {
            if (i + 1 >= args.size())
                return badArgument("a value is missing after", arg);
            *option = args[++i];
        } else if (arg == QLatin1String("--no-caption")) {
            request.caption = false;
        } else if (arg.startsWith(QLatin1Char('-')) || !request.source.isEmpty()) {
            return badArgument("unexpected argument", arg);
        } else {
            request.source = arg;
        }
    }
    if (request.source.isEmpty())
        return badArgument("no recording given");
    if (request.output.isEmpty())
        return badArgument("no --out file given");
    const auto fromMs = from.isEmpty() ? std::optional<qint64>(0) : milliseconds(from);
    const auto toMs = to.isEmpty() ? std::optional<qint64>(-1) : milliseconds(to);
    if (!fromMs)
        return badArgument("--from needs seconds, not", from);
    if (!toMs)
        return badArgument("--to needs seconds, not", to);
    if (layout != QLatin1String("all") && layout != QLatin1String("front"))
        return badArgument("--layout needs all or front, not", layout);
    if (unit != QLatin1String("km") && unit != QLatin1String("mi"))
        return badArgument("--unit needs km or mi, not", unit);
    request.fromMs = *fromMs;
    request.toMs = *toMs;
    request.allCameras = layout == QLatin1String("all");
    request.speedUnit = unit == QLatin1String("km") ? 1 : 0;
    if (!QFileInfo(request.source).isFile()) {
        std::fprintf(stderr, "velmora-tool share-clip: %s: no such file\n",
                     qPrintable(request.source));
        return BadFile;
    }

    const media::ShareClipResult result = media::shareClip(request);
    if (result.status != media::ShareClipResult::Status::Written) {
        std::fprintf(stderr, "velmora-tool share-clip: %s\n", qPrintable(result.message));
        return result.status == media::ShareClipResult::Status::CannotRead ? BadFile
                                                                           : OutputNotWritten;
    }
    std::printf("%s\n", qPrintable(result.message));
    return std::fflush(stdout) == 0 ? Success : Failure;
}

} // namespace velmora::tool
