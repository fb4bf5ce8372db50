#pragma once

#include <QStringList>
#include <memory>

class QCoreApplication;

// The commands of velmora-tool. Each takes the arguments after its name and
// returns the exit code: 0 success, 1 failure, 2 bad arguments, 3 a file that
// cannot be read or is not a recording (or a time outside it), 4 an output
// (a report's PDF, a shared clip) that cannot be written.
#include <QString>

namespace velmora::tool {

constexpr int Success = 0;
constexpr int Failure = 1;
constexpr int BadArguments = 2;
constexpr int BadFile = 3;
constexpr int PdfNotWritten = 4;
constexpr int OutputNotWritten = 4;

// Prints "velmora-tool COMMAND: MESSAGE 'DETAIL'" and the usage line to
// stderr, and returns BadArguments.
int refuseArguments(const char *command, const char *usage, const char *message,
                    const QString &detail = QString());

int cards(const QStringList &args);
int config(const QStringList &args);
int makeDemoCard(const QStringList &args);
int makeRecording(const QStringList &args);
int catalogue(const QStringList &args);
int telemetry(const QStringList &args);
int info(const QStringList &args);
int exportChannel(const QStringList &args);
int copy(const QStringList &args);
int shareClip(const QStringList &args);
int report(const QStringList &args);
int mapTiles(const QStringList &args);

// The application object for the report command, which prints (fonts need a
// GUI application); every other command runs on a QCoreApplication.
std::unique_ptr<QCoreApplication> reportApplication(int &argc, char **argv);

} // namespace velmora::tool
