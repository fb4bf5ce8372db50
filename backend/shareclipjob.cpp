#include "shareclipjob.h"

#include "backendlog.h"
#include "shareclip.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QMetaObject>
#include <QThreadPool>
#include <QUrl>
#include <QtConcurrent>

namespace velmora {

namespace {

constexpr qint64 ReportEveryMs = 100;

using MediaStatus = media::ShareClipResult::Status;
static_assert(int(MediaStatus::Written) == ShareClipJob::Written &&
              int(MediaStatus::CannotRead) == ShareClipJob::CannotRead &&
              int(MediaStatus::CannotWrite) == ShareClipJob::CannotWrite &&
              int(MediaStatus::Cancelled) == ShareClipJob::Cancelled);

QString localPath(const QString &text) {
    const QUrl url(text);
    return url.isLocalFile() ? url.toLocalFile() : text;
}

// Whole seconds still to go at the pace so far, rounded up.
int timeLeft(qint64 elapsedMs, qint64 done, qint64 total) {
    if (done <= 0)
        return -1;
    const qint64 leftMs = elapsedMs * (total - done) / done;
    return int((leftMs + 999) / 1000);
}

} // namespace

ShareClipJob::ShareClipJob(QObject *parent)
    : QObject(parent) {
    m_pool.setMaxThreadCount(1);
}

ShareClipJob::~ShareClipJob() {
    m_cancelled = true;
    m_future.waitForFinished();
}

void ShareClipJob::start(const QString &source, const QString &output, int fromMs, int toMs,
                         bool allCameras, bool caption, int speedUnit) {
    if (m_running) {
        qCWarning(lcFiles).noquote() << "share clip: an export is running; ignored " + output;
        return;
    }
    media::ShareClipRequest request;
    request.source = localPath(source);
    request.output = localPath(output);
    request.fromMs = fromMs;
    request.toMs = toMs;
    request.allCameras = allCameras;
    request.caption = caption;
    request.speedUnit = speedUnit;

    m_cancelled = false;
    m_running = true;
    m_done = 0;
    m_total = 0;
    m_secondsLeft = -1;
    emit progressChanged();
    emit runningChanged();
    m_future = QtConcurrent::run(&m_pool, [this, request] {
        QElapsedTimer clock;
        clock.start();
        qint64 reportedAt = -ReportEveryMs;
        const auto progress = [&](qint64 done, qint64 total) {
            const qint64 now = clock.elapsed();
            if (done == total || now - reportedAt >= ReportEveryMs) {
                reportedAt = now;
                const int left = timeLeft(now, done, total);
                QMetaObject::invokeMethod(
                    this, [this, done, total, left] { report(done, total, left); },
                    Qt::QueuedConnection);
            }
            return !m_cancelled;
        };
        const media::ShareClipResult result = media::shareClip(request, progress);
        QMetaObject::invokeMethod(
            this, [this, result, output = request.output] { end(result, output); },
            Qt::QueuedConnection);
    });
}

void ShareClipJob::cancel() {
    m_cancelled = true;
}

void ShareClipJob::report(qint64 done, qint64 total, int secondsLeft) {
    if (!m_running)
        return;
    m_done = done;
    m_total = total;
    m_secondsLeft = secondsLeft;
    emit progressChanged();
}

void ShareClipJob::end(const media::ShareClipResult &result, const QString &output) {
    m_future.waitForFinished(); // it has returned; this only joins it
    m_running = false;
    m_writtenSize = result.size;
    m_writtenMs = result.durationMs;
    emit runningChanged();
    emit finished(int(result.status), result.message, output);
}

} // namespace velmora
