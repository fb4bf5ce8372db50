// The playing time of the camera's "T_2..." recordings, from the header walk.
#include "durationwalk.h"
#include "fileio.h"
#include "fileurl.h"

float FileIO::getDuration(QString tFilename) {
    // The name decides before the file is touched: only "T_2" names are walked.
    if (!tFilename.contains(QLatin1String("T_2")))
        return 0.0f;
    return velmora::DurationWalk::walkFile(velmora::stripFileUrl(tFilename)).seconds;
}
