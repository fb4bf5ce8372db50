// velmora-tool copy: copies recordings as the list panel's Save does, each
// read back from the disk and compared by SHA-256, and adds them to the
// folder's SHA256SUMS. Prints one line a file and a total; never overwrites.
// SIGINT or SIGTERM stops it in the current file, whose partial copy is
// removed, and the files copied before stay listed.
#include "catalogue.h"
#include "commands.h"
#include "recordingcopier.h"

#include <QFileInfo>
#include <atomic>
#include <csignal>
#include <cstdio>

namespace velmora::tool {

namespace {

constexpr char Usage[] =
    "velmora-tool copy CARD_DIR --to DIR [--kind 0..4] [--all | --index N...]\n"
    "       velmora-tool copy FILE... --to DIR";

int badArgument(const char *message, const QString &detail = QString()) {
    return refuseArguments("copy", Usage, message, detail);
}

// Set by the first SIGINT or SIGTERM; the copy stops in its current file and
// removes that file's temporary copy. A second signal ends the tool at once.
std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "read in a signal handler");

void interrupt(int) {
    interrupted = true;
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    sigaction(SIGINT, &standard, nullptr);
    sigaction(SIGTERM, &standard, nullptr);
}

void stopOnInterrupt() {
    struct sigaction action {};
    action.sa_handler = interrupt;
    action.sa_flags = SA_RESTART; // the stop check, not a failed read, ends the copy
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool isIndex(const QString &text, int *value) {
    bool ok = false;
    *value = text.toInt(&ok);
    return ok && *value >= 0;
}

} // namespace

int copy(const QStringList &args) {
    QStringList paths;
    QString folder;
    QString kindText;
    bool all = false;
    QList<int> indexes;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (arg == QLatin1String("--to") || arg == QLatin1String("--kind")) {
            if (i + 1 >= args.size())
                return badArgument("a value is missing after", arg);
            (arg == QLatin1String("--to") ? folder : kindText) = args[++i];
        } else if (arg == QLatin1String("--all")) {
            all = true;
        } else if (arg == QLatin1String("--index")) {
            int index = 0;
            if (i + 1 >= args.size() || !isIndex(args[i + 1], &index))
                return badArgument("--index needs a row number");
            // A row given twice is copied once, where it first stood.
            while (i + 1 < args.size() && isIndex(args[i + 1], &index)) {
                if (!indexes.contains(index))
                    indexes << index;
                ++i;
            }
        } else if (arg.startsWith(QLatin1Char('-'))) {
            return badArgument("unexpected argument", arg);
        } else {
            paths << arg;
        }
    }
    if (paths.isEmpty())
        return badArgument("no card folder or file given");
    if (folder.isEmpty())
        return badArgument("no --to folder given");
    if (all && !indexes.isEmpty())
        return badArgument("give --all or --index, not both");
    for (const QString &path : paths) {
        if (!QFileInfo::exists(path))
            return badArgument("no such file or folder", path);
    }
    if (!QFileInfo(folder).isDir())
        return badArgument(
            QFileInfo::exists(folder) ? "--to is not a folder" : "no such --to folder", folder);

    RecordingCopier::Batch batch;
    batch.folder = folder;
    const bool card = paths.size() == 1 && QFileInfo(paths.first()).isDir();
    if (card) {
        bool isNumber = true;
        const int kind = kindText.isEmpty() ? 0 : kindText.toInt(&isNumber);
        if (!isNumber || kind < 0 || kind >= Catalogue::CategoryCount)
            return badArgument("--kind needs 0 to 4, not", kindText);
        Catalogue lists;
        lists.search(paths.first() + QLatin1Char('/'));
        const QList<FileEntry> list = lists.list(kind);
        if (indexes.isEmpty())
            batch.entries = list;
        for (int index : indexes) {
            if (index >= list.size())
                return badArgument("no such row in the list", QString::number(index));
            batch.entries << list[index];
        }
    } else {
        if (!kindText.isEmpty() || all || !indexes.isEmpty())
            return badArgument("--kind, --all and --index choose from a card folder");
        for (const QString &path : paths)
            batch.entries << FileEntry{QFileInfo(path).fileName(), QString(), path};
    }

    qint64 bytes = 0;
    const auto printed = [&](const RecordingCopier::FileResult &file) {
        if (file.copied) {
            bytes += file.size;
            std::printf("copied %s %lld bytes sha256 %s\n", qPrintable(file.name),
                        static_cast<long long>(file.size), file.sha256.constData());
        } else {
            std::printf("failed %s: %s\n", qPrintable(file.name), qPrintable(file.error));
        }
        std::fflush(stdout);
    };
    stopOnInterrupt();
    const RecordingCopier::Outcome outcome = RecordingCopier::copyNow(
        batch, [] { return interrupted.load(); }, {}, printed);
    const int failed = int(outcome.failedNames.size());
    if (outcome.stopped)
        std::printf("interrupted: %d copied, %d failed, %d not copied, %lld bytes\n",
                    outcome.copied, failed, int(batch.entries.size()) - outcome.copied - failed,
                    static_cast<long long>(bytes));
    else
        std::printf("%d copied, %d failed, %lld bytes\n", outcome.copied, failed,
                    static_cast<long long>(bytes));
    if (!outcome.manifestError.isEmpty())
        std::fprintf(stderr, "velmora-tool copy: %s\n", qPrintable(outcome.manifestError));
    const bool allCopied =
        !outcome.stopped && outcome.failedNames.isEmpty() && outcome.manifestError.isEmpty();
    return std::fflush(stdout) == 0 && allCopied ? Success : Failure;
}

} // namespace velmora::tool
