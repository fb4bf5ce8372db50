// CommonFunc: the accident report's inputs and its printing.
#include "commonfunc.h"
#include "reportdocument.h"
#include "reportlog.h"
#include "reportprinter.h"

#include <QApplication>
#include <QDebug>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

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

// Asks for a printer and prints the report of the recording `name`. The
// stored texts stay as the user typed them: the document escapes them and
// breaks the note's lines itself, so printing twice gives the same page.
void CommonFunc::setRunPrint(const QString &name) {
    qCDebug(lcReport).noquote() << "printer : start" + name;
    // The print dialog is a widget: without a widget application (a
    // command-line host) there is nothing to ask the user with.
    if (!qobject_cast<QApplication *>(QCoreApplication::instance())) {
        qCDebug(lcReport).noquote()
            << "printer : no window system for the dialog, not printed " + name;
        return;
    }
    QPrinter printer(QPrinter::ScreenResolution);
    velmora::report::setUpReportPrinter(printer);
    // The log writes the name in the local 8-bit encoding.
    qCDebug(lcReport).noquote() << "contentText ==========>  " + name;

    QPrintDialog dialog(&printer);
    if (dialog.exec() != QDialog::Accepted)
        return;

    const velmora::report::ReportTexts texts{m_dateStr, m_positionStr, m_gSensorStr, m_contentStr};
    const QString html = velmora::report::composeReportHtml(
        name, texts, m_currentLanguage,
        QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    velmora::report::printReportDocument(printer, html);
}
