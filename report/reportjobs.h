#pragma once

// Reports made for CommonFunc: the recording the evidence page is about is
// read on the global thread pool (hash, frames, telemetry), then the whole
// report is composed and printed, or written as PDF, back on the object's
// thread. A request without a recording is done at once.
#include "evidencepage.h"

#include <QFuture>
#include <QList>
#include <QObject>
#include <atomic>
#include <functional>
#include <memory>

class QPrinter;

namespace velmora::report {

class ReportJobs : public QObject {
    Q_OBJECT

public:
    explicit ReportJobs(QObject *parent = nullptr);
    // Stops the recordings still being read and waits for them.
    ~ReportJobs() override;

    // True while a recording is being read for a report.
    bool busy() const { return !m_reading.isEmpty(); }

    // Prints on `printer`, set up by the print dialog; emits printed().
    void print(std::shared_ptr<QPrinter> printer, const ReportRequest &request);
    // Writes the PDF file at `pdfPath` (whole or not at all); emits pdfWritten().
    void writePdf(const ReportRequest &request, const QString &pdfPath);

signals:
    void busyChanged();
    void printed(bool ok);
    void pdfWritten(const QString &path, bool ok, const QString &error);

private:
    using Output = std::function<void(const ComposedReport &)>;
    // Composes the report once its recording has been read, then hands it on.
    void compose(const ReportRequest &request, const Output &output);

    QList<QFuture<RecordingEvidence>> m_reading;
    // Set when the jobs are destroyed: the reads still running stop soon.
    std::atomic<bool> m_closing{false};
};

} // namespace velmora::report
