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

void CommonFunc::setWindowRestart(int value) {
    m_windowRestart = value;
    // The new process gets our own options (such as --card), so a restart
    // comes back to the same cards.
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    QProcess::startDetached(QCoreApplication::applicationFilePath(), arguments);
    std::fflush(nullptr);
    std::_Exit(RestartExitCode);
}
