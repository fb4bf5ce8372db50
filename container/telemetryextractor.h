#pragma once

// Runs the telemetry extraction of one recording at a time on the global
// thread pool. Each scan builds its lists privately; only the scan of the
// latest request publishes them, whole and together with state 1. A new
// request cancels the running scan, and a cancelled scan never publishes.
#include "telemetrytypes.h"

#include <QFuture>
#include <QList>
#include <QString>
#include <atomic>
#include <memory>
#include <mutex>

namespace velmora {

class TelemetryExtractor {
public:
    TelemetryExtractor();
    ~TelemetryExtractor(); // cancels and waits for every scan it started
    TelemetryExtractor(const TelemetryExtractor &) = delete;
    TelemetryExtractor &operator=(const TelemetryExtractor &) = delete;

    // Sets the state to 0, cancels the running scan and starts one for
    // `path`. An empty path starts nothing (the state stays 0).
    void start(const QString &path);
    // Sets the state to 0 and cancels the running scan, starting nothing.
    void cancel();
    // Cancels the running scan and waits until no scan of this object runs.
    void cancelAndWait();
    // Waits until every scan started so far has ended.
    void waitForFinished();

    // 0 while a request is pending or running, 1 after the latest finished.
    int state() const;
    // The lists of the latest finished scan; empty before the first one.
    std::shared_ptr<const Telemetry> telemetry() const;

private:
    struct Request {
        quint64 id = 0;
        QString path; // set before the scan starts, then only read
        std::atomic<bool> cancelled{false};
    };

    // Runs on a pool thread: the scan of request `requestId`, unless a newer
    // request replaced it before it began.
    static void runScan(TelemetryExtractor *self, quint64 requestId);
    // The worker routine: one scan of one request.
    void FileStoredData(const std::shared_ptr<Request> &request);
    void cancelRunningLocked();

    mutable std::mutex m_mutex; // guards every member below
    std::shared_ptr<Request> m_current;
    std::shared_ptr<const Telemetry> m_published;
    int m_state = 0;
    quint64 m_lastRequestId = 0;
    QList<QFuture<void>> m_futures; // scans that may still run
};

} // namespace velmora
