#include "startup.h"

#include <QQmlDebuggingEnabler>

// The scene debugging service is available to every run (it still has to be
// asked for with -qmljsdebugger), and says so once.
static QQmlDebuggingEnabler debuggingEnabler(true);

int main(int argc, char *argv[]) {
    return velmora::runViewer(argc, argv);
}
