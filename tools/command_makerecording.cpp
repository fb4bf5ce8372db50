// make-recording: a recording in the camera's layout, with optional faults.
#include "commands.h"
#include "recordingwriter.h"

#include <QCommandLineParser>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace velmora::tool {

namespace {

// "3,10-12" -> {3, 10, 11, 12}
bool parseSeconds(const QString &text, QSet<int> *seconds) {
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList range = part.split(QLatin1Char('-'));
        bool okFirst = false, okLast = false;
        const int first = range.first().toInt(&okFirst);
        const int last = range.size() == 2 ? range.last().toInt(&okLast) : first;
        if (!okFirst || (range.size() == 2 && !okLast) || range.size() > 2 || first < 0 ||
            last < first || last - first > 100000)
            return false;
        for (int s = first; s <= last; ++s)
            seconds->insert(s);
    }
    return true;
}

// "04dc@10" or "04dc@10:16"
bool parseExtraChunk(const QString &text, demo::ExtraDataChunk *chunk) {
    const int at = text.indexOf(QLatin1Char('@'));
    if (at != 4)
        return false;
    chunk->id = text.left(4).toLatin1();
    const QStringList rest = text.mid(5).split(QLatin1Char(':'));
    bool ok = false;
    chunk->beforeFrame = rest.first().toInt(&ok);
    if (!ok || chunk->beforeFrame < 0 || rest.size() > 2)
        return false;
    if (rest.size() == 2) {
        chunk->size = rest.last().toUInt(&ok);
        if (!ok || chunk->size > (1u << 24))
            return false;
    }
    return true;
}

int usage(const QString &problem) {
    std::fprintf(stderr, "velmora-tool make-recording: %s\n", qPrintable(problem));
    std::fputs("usage: velmora-tool make-recording OUT --channels N --seconds S [--hevc]\n"
               "  [--hevc-size WxH] [--frames F] [--video-size BYTES] [--no-audio]\n"
               "  [--void-seconds LIST] [--non-rmc-seconds LIST] [--gnrmc-seconds LIST]\n"
               "  [--truncate BYTES] [--no-index] [--video-handler FCC] [--text-handler FCC]\n"
               "  [--text-format-size N] [--extra-header-chunk after-main|before-movi]\n"
               "  [--odd-bodies] [--movi-parity odd|even] [--false-text-id EVERY]\n"
               "  [--streams N] [--extra-chunk ID@FRAME[:SIZE]]...\n"
               "LIST is like 3,10-12. The name's marker (_S_, _D_, _T_) should match --channels.\n",
               stderr);
    return BadArguments;
}

} // namespace

int makeRecording(const QStringList &args) {
    QCommandLineParser parser;
    const QList<QCommandLineOption> options = {
        {"channels", "", "N"},
        {"seconds", "", "S"},
        {"frames", "", "F"},
        {"hevc", ""},
        {"hevc-size", "", "WxH"},
        {"video-size", "", "BYTES"},
        {"no-audio", ""},
        {"void-seconds", "", "LIST"},
        {"non-rmc-seconds", "", "LIST"},
        {"gnrmc-seconds", "", "LIST"},
        {"truncate", "", "BYTES"},
        {"no-index", ""},
        {"video-handler", "", "FCC"},
        {"text-handler", "", "FCC"},
        {"text-format-size", "", "N"},
        {"extra-header-chunk", "", "PLACE"},
        {"odd-bodies", ""},
        {"movi-parity", "", "PARITY"},
        {"false-text-id", "", "EVERY"},
        {"streams", "", "N"},
        {"extra-chunk", "", "ID@FRAME[:SIZE]"},
    };
    parser.addOptions(options);
    if (!parser.parse(QStringList{QStringLiteral("make-recording")} + args))
        return usage(parser.errorText());
    if (parser.positionalArguments().size() != 1)
        return usage(QStringLiteral("give exactly one output file"));
    const QString out = parser.positionalArguments().first();

    demo::RecordingOptions o;
    auto number = [&](const char *name, qint64 low, qint64 high, qint64 *value) {
        if (!parser.isSet(QLatin1String(name)))
            return true;
        bool ok = false;
        const qint64 v = parser.value(QLatin1String(name)).toLongLong(&ok);
        if (!ok || v < low || v > high)
            return false;
        *value = v;
        return true;
    };
    qint64 channels = -1, seconds = -1, frames = -1, videoSize = o.videoChunkSize;
    qint64 truncate = -1, textFormatSize = 0, falseTextId = 0, streams = -1;
    if (!number("channels", 1, 3, &channels) || channels < 0)
        return usage(QStringLiteral("--channels must be 1, 2 or 3"));
    if (!number("seconds", 0, 600, &seconds) || seconds < 0)
        return usage(QStringLiteral("--seconds must be 0 to 600"));
    if (!number("frames", 0, 18000, &frames))
        return usage(QStringLiteral("--frames must be 0 to 18000"));
    if (!number("video-size", 16, 16 << 20, &videoSize))
        return usage(QStringLiteral("--video-size must be 16 to 16777216"));
    if (!number("truncate", 0, qint64(1) << 40, &truncate))
        return usage(QStringLiteral("--truncate must be a byte count"));
    if (!number("text-format-size", 0, 65536, &textFormatSize))
        return usage(QStringLiteral("--text-format-size must be 0 to 65536"));
    if (!number("false-text-id", 1, 1 << 20, &falseTextId))
        return usage(QStringLiteral("--false-text-id must be a positive frame step"));
    if (!number("streams", 0, 0xffffffffll, &streams))
        return usage(QStringLiteral("--streams must be a 32-bit count"));
    o.channels = int(channels);
    o.seconds = int(seconds);
    o.frames = int(frames);
    o.videoChunkSize = int(videoSize);
    o.truncateAt = truncate;
    o.textFormatSize = quint32(textFormatSize);
    o.falseTextIdEvery = int(falseTextId);
    o.dwStreamsOverride = streams;
    o.payload = parser.isSet("hevc") ? demo::Payload::Hevc : demo::Payload::Synthetic;
    if (parser.isSet("hevc-size")) {
        const QStringList size = parser.value("hevc-size").split(QLatin1Char('x'));
        o.hevcWidth = size.value(0).toInt();
        o.hevcHeight = size.value(1).toInt();
        if (size.size() != 2 || o.hevcWidth < 16 || o.hevcHeight < 16 || o.hevcWidth > 4096 ||
            o.hevcHeight > 4096 || o.hevcWidth % 2 || o.hevcHeight % 2)
            return usage(QStringLiteral("--hevc-size must be an even WxH from 16x16 to 4096x4096"));
    }
    o.writeAudio = !parser.isSet("no-audio");
    o.writeIndex = !parser.isSet("no-index");
    o.oddBodies = parser.isSet("odd-bodies");
    if (!parseSeconds(parser.value("void-seconds"), &o.drive.voidSeconds) ||
        !parseSeconds(parser.value("non-rmc-seconds"), &o.drive.nonRmcSeconds) ||
        !parseSeconds(parser.value("gnrmc-seconds"), &o.drive.gnrmcSeconds))
        return usage(QStringLiteral("a seconds list must look like 3,10-12"));
    for (const char *name : {"video-handler", "text-handler"}) {
        if (parser.isSet(name) && parser.value(name).toLatin1().size() != 4)
            return usage(QStringLiteral("--%1 takes four characters").arg(QLatin1String(name)));
    }
    if (parser.isSet("video-handler"))
        o.videoHandler = o.videoCompression = parser.value("video-handler").toLatin1();
    if (parser.isSet("text-handler"))
        o.textHandler = parser.value("text-handler").toLatin1();
    if (parser.isSet("extra-header-chunk")) {
        const QString place = parser.value("extra-header-chunk");
        if (place == QLatin1String("after-main"))
            o.extraHeaderChunk = demo::ExtraHeaderChunk::AfterMainHeader;
        else if (place == QLatin1String("before-movi"))
            o.extraHeaderChunk = demo::ExtraHeaderChunk::BeforeMovi;
        else
            return usage(QStringLiteral("--extra-header-chunk is after-main or before-movi"));
    }
    if (parser.isSet("movi-parity")) {
        const QString parity = parser.value("movi-parity");
        if (parity == QLatin1String("odd"))
            o.moviParity = demo::MoviParity::Odd;
        else if (parity == QLatin1String("even"))
            o.moviParity = demo::MoviParity::Even;
        else
            return usage(QStringLiteral("--movi-parity is odd or even"));
    }
    for (const QString &text : parser.values("extra-chunk")) {
        demo::ExtraDataChunk chunk;
        if (!parseExtraChunk(text, &chunk))
            return usage(QStringLiteral("--extra-chunk looks like 04dc@10 or 06tx@10:400"));
        o.extraDataChunks.append(chunk);
    }

    const demo::RecordingResult result = demo::writeRecording(out, o);
    if (!result.ok) {
        std::fprintf(stderr, "velmora-tool make-recording: %s\n", qPrintable(result.error));
        return Failure;
    }
    const QJsonObject summary{{"file", out},
                              {"bytes", double(result.fileSize)},
                              {"frames", result.frames},
                              {"audioBlocks", result.audioBlocks},
                              {"moviSize", double(result.moviSize)},
                              {"indexEntries", result.indexEntries}};
    std::printf("%s\n", QJsonDocument(summary).toJson(QJsonDocument::Compact).constData());
    return Success;
}

} // namespace velmora::tool
