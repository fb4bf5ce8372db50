#include "telemetryextractor.h"

#include "containerlog.h"
#include "telemetryextraction.h"

#include <QDebug>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

namespace velmora {

namespace {
constexpr char CanceledLine[] =
    "mT1 Threan : canceled ===============================================================> ";

// The hand-off of a request to its pool thread. Qt's pool orders it already;
// taking this lock on both sides states that order where ThreadSanitizer can
// see it (Qt's own locks are invisible to it), also for an object whose memory
// was only just allocated.
std::mutex &handoffMutex() {
    static std::mutex mutex;
    return mutex;
}

} // namespace

TelemetryExtractor::TelemetryExtractor()
    : m_published(std::make_shared<const Telemetry>()) {}

TelemetryExtractor::~TelemetryExtractor() {
    cancelAndWait();
}

void TelemetryExtractor::start(const QString &path) {
    std::lock_guard<std::mutex> handoff(handoffMutex());
    std::lock_guard<std::mutex> lock(m_mutex);
    cancelRunningLocked();
    m_state = 0;
    m_current.reset();
    if (path.isEmpty())
        return; // nothing to read: the state stays 0
    m_current = std::make_shared<Request>();
    m_current->id = ++m_lastRequestId;
    m_current->path = path;
    // Forget the scans that have ended; the others are waited for at the end.
    for (auto it = m_futures.begin(); it != m_futures.end();)
        it = it->isFinished() ? m_futures.erase(it) : it + 1;
    // Only plain values travel with the task; the scan takes its request from
    // here, under the lock.
    m_futures.append(QtConcurrent::run(QThreadPool::globalInstance(), &TelemetryExtractor::runScan,
                                       this, m_current->id));
}

void TelemetryExtractor::runScan(TelemetryExtractor *self, quint64 requestId) {
    { std::lock_guard<std::mutex> handoff(handoffMutex()); }
    std::shared_ptr<Request> request;
    {
        std::lock_guard<std::mutex> lock(self->m_mutex);
        if (!self->m_current || self->m_current->id != requestId)
            return; // replaced before it began
        request = self->m_current;
    }
    self->FileStoredData(request);
}

void TelemetryExtractor::cancel() {
    std::lock_guard<std::mutex> lock(m_mutex);
    cancelRunningLocked();
    m_state = 0;
    m_current.reset();
}

void TelemetryExtractor::cancelRunningLocked() {
    if (!m_current)
        return;
    m_current->cancelled.store(true);
    if (!m_futures.isEmpty() && !m_futures.last().isFinished())
        qCDebug(lcTelemetry).noquote() << CanceledLine;
}

void TelemetryExtractor::cancelAndWait() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_current)
            m_current->cancelled.store(true);
    }
    waitForFinished();
}

void TelemetryExtractor::waitForFinished() {
    QList<QFuture<void>> futures;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        futures = m_futures;
    }
    for (QFuture<void> &future : futures)
        future.waitForFinished();
    // The scans took the lock last: taking it here orders their ends before
    // whatever the caller does next (ThreadSanitizer cannot see Qt's waits).
    std::lock_guard<std::mutex> lock(m_mutex);
}

int TelemetryExtractor::state() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_state;
}

std::shared_ptr<const Telemetry> TelemetryExtractor::telemetry() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_published;
}

void TelemetryExtractor::FileStoredData(const std::shared_ptr<Request> &request) {
    TelemetryExtraction result = extractTelemetry(request->path, &request->cancelled);
    if (result.status != TelemetryExtraction::Status::Done)
        return; // cannot open (the state stays 0) or cancelled

    result.telemetry.source = request->path;
    auto telemetry = std::make_shared<const Telemetry>(std::move(result.telemetry));
    std::lock_guard<std::mutex> lock(m_mutex);
    // Only the latest request may publish, and only if nobody cancelled it.
    if (request != m_current || request->cancelled.load())
        return;
    qCDebug(lcTelemetry).noquote() << "do while =================> end";
    qCDebug(lcTelemetry).noquote()
        << "FileStoredData: cnt ======> " + QString::number(result.records);
    m_published = std::move(telemetry);
    m_state = 1;
}

} // namespace velmora
