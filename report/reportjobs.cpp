#include "reportjobs.h"

#include "reportlog.h"
#include "reportprinter.h"

#include <QDebug>
#include <QFutureWatcher>
#include <QPrinter>
#include <QtConcurrent>

namespace velmora::report {

ReportJobs::ReportJobs(QObject *parent)
    : QObject(parent) {}

ReportJobs::~ReportJobs() {
    m_closing = true;
    for (QFuture<RecordingEvidence> &future : m_reading)
        future.waitForFinished();
}

void ReportJobs::print(std::shared_ptr<QPrinter> printer, const ReportRequest &request) {
    compose(request, [this, printer](const ComposedReport &report) {
        const bool ok = printReportDocument(*printer, report.html, report.pictures);
        qCDebug(lcReport) << "printer : printed" << ok;
        emit printed(ok);
    });
}

void ReportJobs::writePdf(const ReportRequest &request, const QString &pdfPath) {
    compose(request, [this, pdfPath](const ComposedReport &report) {
        QString error;
        const bool ok = printReportToPdf(report.html, pdfPath, &error, report.pictures);
        qCDebug(lcReport).noquote() << "pdf : " + pdfPath << ok << error;
        emit pdfWritten(pdfPath, ok, error);
    });
}

void ReportJobs::compose(const ReportRequest &request, const Output &output) {
    if (request.evidencePath.isEmpty()) {
        output(composeReport(request, nullptr, QDateTime::currentDateTime()));
        return;
    }
    auto *watcher = new QFutureWatcher<RecordingEvidence>(this);
    const QFuture<RecordingEvidence> future =
        QtConcurrent::run(readRecordingEvidence, request.evidencePath, &m_closing);
    connect(watcher, &QFutureWatcher<RecordingEvidence>::finished, this,
            [this, watcher, future, request, output] {
                const RecordingEvidence evidence = watcher->result();
                watcher->deleteLater();
                m_reading.removeOne(future);
                if (m_reading.isEmpty())
                    emit busyChanged();
                output(composeReport(request, &evidence, QDateTime::currentDateTime()));
            });
    m_reading.append(future);
    watcher->setFuture(future);
    if (m_reading.size() == 1)
        emit busyChanged();
}

} // namespace velmora::report
