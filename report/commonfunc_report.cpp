// CommonFunc: the accident report's inputs, its printing and its PDF. The
// work is done by ReportJobs; this keeps the scenes' names.
#include "commonfunc.h"
#include "evidencepictures.h"
#include "reportjobs.h"
#include "reportlog.h"
#include "reportprinter.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QUrl>

void CommonFunc::setContentStr(const QString &text) {
    m_contentStr = text;
}

void CommonFunc::setDateStr(const QString &text) {
    m_dateStr = text;
}

void CommonFunc::setPositionStr(const QString &text) {
    m_positionStr = text;
}

void CommonFunc::setGSensorStr(const QString &text) {
    m_gSensorStr = text;
}

void CommonFunc::setCurrentLanguage(int language) {
    m_currentLanguage = language;
}

void CommonFunc::setEvidencePath(const QString &path) {
    if (path == m_evidencePath)
        return;
    m_evidencePath = path;
    emit evidencePathChanged();
}

void CommonFunc::setEvidenceMoment(int ms) {
    if (ms == m_evidenceMoment)
        return;
    m_evidenceMoment = ms;
    emit evidenceMomentChanged();
}

void CommonFunc::setSpeedUnit(int unit) {
    if (unit == m_speedUnit)
        return;
    m_speedUnit = unit;
    emit speedUnitChanged();
}

void CommonFunc::setMapPicture(const QVariant &picture, const QColor &ground) {
    const QImage grab = picture.value<QImage>();
    m_mapPicture = velmora::report::mapShowsTiles(grab, ground) ? grab : QImage();
    qCDebug(lcReport) << "map picture :" << grab.size()
                      << (m_mapPicture.isNull() ? "no tiles" : "");
}

void CommonFunc::setWorkFolder(const QString &folder) {
    if (folder == m_workFolder)
        return;
    m_workFolder = folder;
    emit workFolderChanged();
}

bool CommonFunc::busy() const {
    return m_reports->busy();
}

velmora::report::ReportRequest CommonFunc::reportRequest(const QString &name) const {
    velmora::report::ReportRequest request;
    request.name = name;
    request.texts = {m_dateStr, m_positionStr, m_gSensorStr, m_contentStr};
    request.language = m_currentLanguage;
    const QUrl work(m_workFolder);
    request.desktopFolder =
        m_workFolder.isEmpty()
            ? QStandardPaths::writableLocation(QStandardPaths::DesktopLocation)
            : QDir::cleanPath(work.isLocalFile() ? work.toLocalFile() : m_workFolder);
    request.evidencePath = m_evidencePath;
    request.momentMs = m_evidenceMoment;
    request.speedUnit = m_speedUnit;
    request.mapPicture = m_mapPicture;
    return request;
}

// The stored texts stay as the user typed them: the document escapes them
// and breaks the note's lines itself, so printing twice gives the same page.
void CommonFunc::setRunPrint(const QString &name) {
    qCDebug(lcReport).noquote() << "printer : start" + name;
    // The print dialog is a widget: without a widget application (a
    // command-line host) there is nothing to ask the user with.
    if (!qobject_cast<QApplication *>(QCoreApplication::instance())) {
        qCDebug(lcReport).noquote()
            << "printer : no window system for the dialog, not printed " + name;
        emit printFinished(false);
        return;
    }
    auto printer = std::make_shared<QPrinter>(QPrinter::ScreenResolution);
    velmora::report::setUpReportPrinter(*printer);
    // The log writes the name in the local 8-bit encoding.
    qCDebug(lcReport).noquote() << "contentText ==========>  " + name;

    // A cancelled dialog prints nothing and reports nothing.
    QPrintDialog dialog(printer.get());
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_reports->print(printer, reportRequest(name));
}

void CommonFunc::savePdf(const QString &name, const QString &target) {
    const QUrl url(target);
    const QString path = url.isLocalFile() ? url.toLocalFile() : target;
    qCDebug(lcReport).noquote() << "pdf : start " + name + " " + path;
    m_reports->writePdf(reportRequest(name), path);
}
