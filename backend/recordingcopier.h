#pragma once

// Copies batches of recordings into a folder on the global thread pool, one
// batch after another. Each batch is a snapshot taken when it is started, so
// recordings queued meanwhile never mix into it. A copy never overwrites a
// file and never leaves a partial one: the bytes go to a temporary name in
// the destination folder and take their final name only once complete and
// synced.
#include "fileentry.h"

#include <QFuture>
#include <QList>
#include <QObject>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <atomic>
#include <mutex>

namespace velmora {

class RecordingCopier : public QObject {
    Q_OBJECT

public:
    struct Batch {
        QList<FileEntry> entries;
        QString folder; // the destination folder, as the user gave it
    };

    explicit RecordingCopier(QObject *parent = nullptr);
    ~RecordingCopier() override; // cancels and waits
    RecordingCopier(const RecordingCopier &) = delete;
    RecordingCopier &operator=(const RecordingCopier &) = delete;

    // Queues a batch; it starts at once unless another one is running. An
    // empty batch copies nothing but still reports its end.
    void start(const Batch &batch);
    // Drops the batches not yet started, stops the running one and waits for
    // it: a file it was copying is abandoned, its temporary file removed. No
    // batch starts afterwards, and no report of a stopped batch is sent.
    void cancelAndWait();
    // The same for a card that went away, but batches started afterwards
    // are copied again. Batches that ended before are still reported.
    void abandon();

    // The destination of one recording: `folder` + "/" + its name. The "/" is
    // always added, also after a folder that already ends in one.
    static QString destination(const QString &folder, const QString &fileName);
    // Copies one file to `target`, which must not exist yet. On failure
    // nothing is left at `target` nor beside it, and `error` says why.
    static bool copyFile(const QString &source, const QString &target,
                         const std::atomic<bool> *cancelled, QString *error);

signals:
    // Delivered on this object's thread when a batch has ended.
    void copyFinished(int copied, int failed, QStringList failedNames);

private slots:
    void deliverReports(); // on this object's thread

private:
    struct Report {
        int copied = 0;
        QStringList failedNames;
    };

    void runBatches(); // the pool task: every queued batch, in order
    void copyBatch(const Batch &batch);

    std::mutex m_mutex; // guards the queue, the reports, the running flag and the future
    QQueue<Batch> m_queue;
    QQueue<Report> m_reports; // ended batches not yet reported
    bool m_running = false;
    QFuture<void> m_future;
    std::atomic<bool> m_cancelled{false};
};

} // namespace velmora
