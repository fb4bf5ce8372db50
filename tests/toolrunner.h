#pragma once

// Runs velmora-tool (TOOL_PATH, set by the build) and keeps what it wrote.
#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

struct ToolRun {
    int code = -999; // -999: it did not finish in time
    QByteArray out, err;
};

inline ToolRun runTool(const QStringList &arguments, int timeoutMs = 30000) {
    QProcess process;
    process.start(QStringLiteral(TOOL_PATH), arguments);
    if (!process.waitForFinished(timeoutMs))
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}
