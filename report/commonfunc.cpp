#include "commonfunc.h"

#include <QCoreApplication>
#include <QProcess>
#include <cstdio>
#include <cstdlib>

namespace {
constexpr int RestartExitCode = 12;
}

CommonFunc::CommonFunc(QObject *parent)
    : QObject(parent) {}

void CommonFunc::setDisFileName(const QString &name) {
    m_disFileName = name;
}

void CommonFunc::setDisFilePath(const QString &path) {
    m_disFilePath = path;
}

void CommonFunc::setVideoChannel(int channel) {
    m_videoChannel = channel;
}

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

// The channel export and the report printing are not built yet: writing
// these commands does nothing.
void CommonFunc::setRunMake(const QString &) {}
void CommonFunc::setRunPrint(const QString &) {}

void CommonFunc::setWindowRestart(int value) {
    m_windowRestart = value;
    // The new process gets our own options (such as --card), so a restart
    // comes back to the same cards.
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    QProcess::startDetached(QCoreApplication::applicationFilePath(), arguments);
    std::fflush(nullptr);
    std::_Exit(RestartExitCode);
}
