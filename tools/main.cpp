// velmora-tool: the viewer's libraries on the command line.
#include "democard.h"
#include "drivetable.h"
#include "systemvolumes.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QStringList>
#include <cstdio>

namespace {

constexpr int Failure = 1;
constexpr int Usage = 2;

void printUsage(FILE *out) {
    std::fputs("usage: velmora-tool COMMAND [ARGS]\n"
               "\n"
               "commands:\n"
               "  cards [--card DIR]...   list the camera cards the viewer would find\n"
               "  make-demo-card DIR      write a small demo card folder\n"
               "  help                    show this text\n",
               out);
}

int listCards(const QStringList &args) {
    QStringList folders;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] != QLatin1String("--card") || i + 1 >= args.size()) {
            std::fprintf(stderr, "velmora-tool cards: unexpected argument '%s'\n",
                         qPrintable(args[i]));
            return Usage;
        }
        folders << args[++i];
    }
    velmora::DriveTable table;
    table.search(velmora::SystemVolumes(folders).volumes(), QStringLiteral("DASHCAM"));
    for (int i = 0; i < table.count(); ++i)
        std::printf("%s\t%s\n", qPrintable(table.name(i)), qPrintable(table.path(i)));
    return 0;
}

int makeDemoCard(const QStringList &args) {
    if (args.size() != 1) {
        std::fputs("usage: velmora-tool make-demo-card DIR\n", stderr);
        return Usage;
    }
    const QString error = velmora::makeDemoCard(args.first());
    if (!error.isEmpty()) {
        std::fprintf(stderr, "velmora-tool make-demo-card: %s\n", qPrintable(error));
        return Failure;
    }
    std::printf("demo card written to %s\n", qPrintable(args.first()));
    return 0;
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    // The libraries log their steps for the viewer's console; keep the tool's
    // output to its results.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) {
        printUsage(stderr);
        return Usage;
    }
    const QString command = args.takeFirst();
    if (command == QLatin1String("cards"))
        return listCards(args);
    if (command == QLatin1String("make-demo-card"))
        return makeDemoCard(args);
    if (command == QLatin1String("help") || command == QLatin1String("--help")) {
        printUsage(stdout);
        return 0;
    }
    std::fprintf(stderr, "velmora-tool: unknown command '%s'\n", qPrintable(command));
    printUsage(stderr);
    return Usage;
}
