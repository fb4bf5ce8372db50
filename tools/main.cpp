// velmora-tool: the viewer's libraries on the command line.
#include "commands.h"
#include "velmoraversion.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLoggingCategory>
#include <cstdio>
#include <cstring>

namespace {

struct Command {
    const char *name;
    const char *synopsis;
    int (*run)(const QStringList &args);
};

const Command Commands[] = {
    {"cards", "cards [--card DIR]...         list the camera cards the viewer would find",
     velmora::tool::cards},
    {"config", "config show|set CARD_DIR [key=value]...  show or change the camera's config.txt",
     velmora::tool::config},
    {"make-demo-card", "make-demo-card DIR            write a small demo card folder",
     velmora::tool::makeDemoCard},
    {"make-recording", "make-recording OUT --channels N --seconds S ...  write a test recording",
     velmora::tool::makeRecording},
    {"catalogue", "catalogue DIR                 list a card's recordings by category (JSON)",
     velmora::tool::catalogue},
    {"telemetry", "telemetry FILE [--format json|csv|gpx|kml]  a recording's telemetry",
     velmora::tool::telemetry},
    {"info", "info FILE                     a recording's channels, duration and records (JSON)",
     velmora::tool::info},
    {"export-channel",
     "export-channel FILE --channel N --out DIR  write one camera channel as a file",
     velmora::tool::exportChannel},
    {"copy",
     "copy CARD_DIR --to DIR [--kind 0..4] [--all | --index N...]  copy recordings, each "
     "verified by SHA-256 and added to DIR/SHA256SUMS\n"
     "  copy FILE... --to DIR  the same for the files given",
     velmora::tool::copy},
    {"share-clip",
     "share-clip FILE --out OUT.mp4 [--from S] [--to S] [--layout all|front] [--no-caption] "
     "[--unit km|mi]  one MP4 of all cameras with the caption",
     velmora::tool::shareClip},
    {"report",
     "report --name NAME --date D --position P --sensor S --note N --lang 0|1|2 --pdf OUT  print "
     "the accident report to a PDF\n"
     "  report --recording FILE --at SECONDS --pdf OUT [--lang 0|1|2] [--note TEXT] "
     "[--unit km|mi]  the same with the evidence page, all taken from the recording",
     velmora::tool::report},
    {"map-tiles",
     "map-tiles DIR SOUTH WEST NORTH EAST [--zoom MIN-MAX]  offline tiles of a made-up street "
     "map",
     velmora::tool::mapTiles},
};

void printUsage(FILE *out) {
    std::fputs("usage: velmora-tool COMMAND [ARGS]\n\ncommands:\n", out);
    for (const Command &command : Commands)
        std::fprintf(out, "  %s\n", command.synopsis);
    std::fputs("  help                          show this text\n", out);
    std::fputs("\noptions:\n  -h, --help     show this text\n  -v, --version  show the version\n",
               out);
}

} // namespace

int main(int argc, char *argv[]) {
    const std::unique_ptr<QCoreApplication> app =
        argc > 1 && std::strcmp(argv[1], "report") == 0
            ? velmora::tool::reportApplication(argc, argv)
            : std::make_unique<QCoreApplication>(argc, argv);
    // The libraries log their steps for the viewer's console; keep the tool's
    // output to its results.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));

    // Options before the command are the tool's own; everything from the
    // command on belongs to the command.
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    if (!parser.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "velmora-tool: %s\n", qPrintable(parser.errorText()));
        printUsage(stderr);
        return velmora::tool::BadArguments;
    }
    if (parser.isSet(versionOption)) {
        std::printf("velmora-tool %s\n", VELMORA_VERSION);
        return velmora::tool::Success;
    }
    QStringList args = parser.positionalArguments();
    if (parser.isSet(helpOption) || parser.isSet(QStringLiteral("help-all")) ||
        args.value(0) == QLatin1String("help")) {
        printUsage(stdout);
        return velmora::tool::Success;
    }
    if (args.isEmpty()) {
        printUsage(stderr);
        return velmora::tool::BadArguments;
    }
    const QString name = args.takeFirst();
    for (const Command &command : Commands) {
        if (name == QLatin1String(command.name))
            return command.run(args);
    }
    std::fprintf(stderr, "velmora-tool: unknown command '%s'\n", qPrintable(name));
    printUsage(stderr);
    return velmora::tool::BadArguments;
}
