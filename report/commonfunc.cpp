#include "commonfunc.h"
#include "reportjobs.h"

#include <QCoreApplication>
#include <QProcess>
#include <cstdio>
#include <cstdlib>

namespace {
constexpr int RestartExitCode = 12;
QStringList restartArguments;
} // namespace

void CommonFunc::setRestartArguments(const QStringList &arguments) {
    restartArguments = arguments;
}

CommonFunc::CommonFunc(QObject *parent)
    : QObject(parent)
    , m_reports(std::make_unique<velmora::report::ReportJobs>()) {
    using velmora::report::ReportJobs;
    connect(m_reports.get(), &ReportJobs::busyChanged, this, &CommonFunc::busyChanged);
    connect(m_reports.get(), &ReportJobs::printed, this, &CommonFunc::printFinished);
    connect(m_reports.get(), &ReportJobs::pdfWritten, this, &CommonFunc::pdfFinished);
}

void CommonFunc::setWindowRestart(int value) {
    m_windowRestart = value;
    QProcess::startDetached(QCoreApplication::applicationFilePath(), restartArguments);
    std::fflush(nullptr);
    std::_Exit(RestartExitCode);
}
