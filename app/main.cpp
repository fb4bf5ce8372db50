#include "startup.h"

#include <QQmlDebuggingEnabler>
#include <cstdlib>
#include <malloc.h>

// The scene debugging service is available to every run (it still has to be
// asked for with -qmljsdebugger), and says so once.
static QQmlDebuggingEnabler debuggingEnabler(true);

int main(int argc, char *argv[]) {
    // Every recording opened starts a few short-lived decoding threads, and
    // glibc hands new threads memory pools of their own (up to eight per
    // core) that it keeps for good: over hours of playback the viewer grew by
    // some 60 MB that way. Two pools serve its threads as fast. A
    // MALLOC_ARENA_MAX set by the user still decides.
    if (!std::getenv("MALLOC_ARENA_MAX"))
        mallopt(M_ARENA_MAX, 2);
    return velmora::runViewer(argc, argv);
}
