#pragma once

// The viewer's "Share clip" for the scenes: one media::shareClip() at a time
// on a worker thread, its progress and its end reported on this object's
// thread. The progress arrives some ten times a second at the most, so a
// fast export does not flood the scene; the last picture is always reported.
#include <QFuture>
#include <QObject>
#include <QSize>
#include <QString>
#include <QThreadPool>
#include <atomic>

namespace velmora {

namespace media {
struct ShareClipResult;
}

class ShareClipJob : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool running READ running NOTIFY runningChanged)
    Q_PROPERTY(qint64 framesDone READ framesDone NOTIFY progressChanged)
    Q_PROPERTY(qint64 framesTotal READ framesTotal NOTIFY progressChanged)
    // Estimated from the time taken so far; -1 until a picture is done.
    Q_PROPERTY(int secondsLeft READ secondsLeft NOTIFY progressChanged)
    // What the last export wrote: its picture size and length.
    Q_PROPERTY(QSize writtenSize READ writtenSize NOTIFY finished)
    Q_PROPERTY(qint64 writtenMs READ writtenMs NOTIFY finished)

public:
    // The values of finished()'s status, as media::ShareClipResult::Status.
    enum Status { Written, CannotRead, CannotWrite, Cancelled };
    Q_ENUM(Status)

    explicit ShareClipJob(QObject *parent = nullptr);
    ~ShareClipJob() override; // cancels a running export and waits for it
    ShareClipJob(const ShareClipJob &) = delete;
    ShareClipJob &operator=(const ShareClipJob &) = delete;

    // Writes `fromMs` to `toMs` of the recording at `source` (a path) to
    // `output` (a path or a file URL); toMs -1 is the end. Ignored while an
    // export runs.
    Q_INVOKABLE void start(const QString &source, const QString &output, int fromMs, int toMs,
                           bool allCameras, bool caption, int speedUnit);
    // The running export stops after its current picture and leaves nothing.
    Q_INVOKABLE void cancel();

    bool running() const { return m_running; }
    qint64 framesDone() const { return m_done; }
    qint64 framesTotal() const { return m_total; }
    int secondsLeft() const { return m_secondsLeft; }
    QSize writtenSize() const { return m_writtenSize; }
    qint64 writtenMs() const { return m_writtenMs; }

signals:
    void runningChanged();
    void progressChanged();
    // `output` is the path written (or that would have been); `message` what
    // the export said, in English.
    void finished(int status, const QString &message, const QString &output);

private:
    void report(qint64 done, qint64 total, int secondsLeft); // on this object's thread
    void end(const media::ShareClipResult &result, const QString &output);

    // A thread of its own, so that a long export leaves the global pool to
    // the telemetry of the recordings played meanwhile.
    QThreadPool m_pool;
    QFuture<void> m_future;
    std::atomic<bool> m_cancelled{false};
    bool m_running = false;
    qint64 m_done = 0;
    qint64 m_total = 0;
    int m_secondsLeft = -1;
    QSize m_writtenSize;
    qint64 m_writtenMs = 0;
};

} // namespace velmora
