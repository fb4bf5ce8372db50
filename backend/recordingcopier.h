#pragma once

// Copies batches of recordings into a folder on the global thread pool, one
// batch after another. Each batch is a snapshot taken when it is started, so
// recordings queued meanwhile never mix into it. A copy never overwrites a
// file and never leaves a partial one: the bytes go to a temporary name in
// the destination folder and take their final name only once complete,
// synced, and read back from the disk with the same SHA-256 as the source.
// Each batch adds its verified files to SHA256SUMS in the folder, in the
// format `sha256sum -c` checks.
#include "fileentry.h"

#include <QByteArray>
#include <QFuture>
#include <QList>
#include <QObject>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <atomic>
#include <functional>
#include <mutex>

namespace velmora {

class RecordingCopier : public QObject {
    Q_OBJECT

public:
    struct Batch {
        QList<FileEntry> entries;
        QString folder; // the destination folder, as the user gave it
    };
    struct Progress {
        int filesDone = 0;
        int filesTotal = 0;
        qint64 bytesDone = 0;
        qint64 bytesTotal = 0;
    };
    // One file of a batch, once it is copied or has failed.
    struct FileResult {
        QString name;
        bool copied = false;
        qint64 size = 0;
        QByteArray sha256; // lower-case hex, when copied
        QString error;     // why not, when not
    };
    struct Outcome {
        int copied = 0;
        QStringList failedNames;
        bool stopped = false;  // cancelled before its end
        QString manifestError; // SHA256SUMS could not be written
    };
    // Asked between the chunks of a copy; true stops it.
    using StopCheck = std::function<bool()>;

    explicit RecordingCopier(QObject *parent = nullptr);
    ~RecordingCopier() override; // cancels and waits
    RecordingCopier(const RecordingCopier &) = delete;
    RecordingCopier &operator=(const RecordingCopier &) = delete;

    // Queues a batch; it starts at once unless another one is running. An
    // empty batch copies nothing but still reports its end.
    void start(const Batch &batch);
    // The user's Cancel: the running batch stops in its current file, whose
    // temporary copy is removed, and the batches queued behind it copy
    // nothing. Each still reports what it copied.
    void cancelBatches();
    // For a card that went away, and returns at once: drops the batches not
    // yet started and stops the running one, whose file is abandoned by the
    // copying thread (its temporary file removed) when its current system
    // call returns. None of them is reported; batches that ended before are.
    // Batches started afterwards are copied as usual.
    void abandon();
    // The same, then waits for the copying thread; no batch starts afterwards.
    void cancelAndWait();

    // The destination of one recording: `folder` + "/" + its name. The "/" is
    // always added, also after a folder that already ends in one.
    static QString destination(const QString &folder, const QString &fileName);
    // Copies one file to `target`, which must not exist yet, and verifies the
    // copy against the source's SHA-256 (lower-case hex in `sha256`).
    // `copiedBytes` hears of every chunk read. On failure nothing is left at
    // `target` nor beside it, and `error` says why.
    static bool copyFile(const QString &source, const QString &target, const StopCheck &stop,
                         const std::function<void(qint64)> &copiedBytes, QByteArray *sha256,
                         QString *error);
    // Copies a whole batch in the calling thread, then adds the copied files
    // to the folder's manifest.
    static Outcome copyNow(const Batch &batch, const StopCheck &stop,
                           const std::function<void(const Progress &)> &progress,
                           const std::function<void(const FileResult &)> &fileDone);
    // Adds `files` (copied ones only) to `folder`/SHA256SUMS in one atomic
    // replace, keeping its other lines; a name listed before takes its new sum.
    static bool addToManifest(const QString &folder, const QList<FileResult> &files,
                              QString *error);

signals:
    // Delivered on this object's thread when a batch has ended.
    void copyFinished(int copied, int failed, QStringList failedNames);
    // At most ten a second while a batch runs, and its last figures before
    // its copyFinished().
    void copyProgress(int filesDone, int filesTotal, qint64 bytesDone, qint64 bytesTotal);

private slots:
    void deliverReports();  // on this object's thread
    void deliverProgress(); // on this object's thread

private:
    struct QueuedBatch {
        Batch batch;
        quint64 number = 0;
    };

    void runBatches(); // the pool task: every queued batch, in order
    void copyBatch(const QueuedBatch &batch);

    // Guards the queue, the reports, the progress, the running and cancelled
    // flags, the batch numbers and the future.
    std::mutex m_mutex;
    QQueue<QueuedBatch> m_queue;
    QQueue<Outcome> m_reports; // ended batches not yet reported
    Progress m_progress;       // the latest figures of the running batch
    bool m_progressPending = false;
    // Fetches the progress on this object's thread: a queued call per report
    // would hand an event between the threads for every chunk.
    QTimer m_progressTimer;
    bool m_running = false;
    QFuture<void> m_future;
    quint64 m_started = 0;                 // batches started so far
    std::atomic<quint64> m_cancelBelow{0}; // batches numbered below are cancelled
    quint64 m_silentBelow = 0;             // batches numbered below are abandoned: no report
    bool m_cancelled = false;              // going away: no batch starts any more
};

} // namespace velmora
