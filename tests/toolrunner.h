#pragma once

// Runs velmora-tool (TOOL_PATH, set by the build) and keeps what it wrote.
#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

struct ToolRun {
    int code = -999; // -999: it did not finish in time
    QByteArray out, err;
};

inline ToolRun runTool(const QStringList &arguments, int timeoutMs = 30000) {
    QProcess process;
    // Without a runtime folder Qt's GUI commands (report) warn on stderr,
    // which the tests read: a private one, as a desktop session has.
    static QTemporaryDir runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!environment.contains("XDG_RUNTIME_DIR"))
        environment.insert("XDG_RUNTIME_DIR", runtime.path());
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TOOL_PATH), arguments);
    if (!process.waitForFinished(timeoutMs))
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}
