#pragma once

// Runs velmora-tool (TOOL_PATH, set by the build) and keeps what it wrote.
#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

struct ToolRun {
    int code = -999; // -999: it did not finish in time
    QByteArray out;
    QByteArray err;
};

inline ToolRun runTool(const QStringList &arguments, int timeoutMs = 30000) {
    QProcess process;
    process.start(QStringLiteral(TOOL_PATH), arguments);
    ToolRun run;
    if (!process.waitForFinished(timeoutMs))
        return run;
    run.code = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}
