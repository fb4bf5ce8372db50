#include "commonfunc.h"

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
    : QObject(parent) {}

void CommonFunc::setWindowRestart(int value) {
    m_windowRestart = value;
    QProcess::startDetached(QCoreApplication::applicationFilePath(), restartArguments);
    std::fflush(nullptr);
    std::_Exit(RestartExitCode);
}
