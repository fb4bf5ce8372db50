#pragma once

// A stretch of a recording as one MP4 that anyone can play: every camera
// (or the front alone) in one picture, laid out as sharelayout.h says, with
// the time, speed, place and sensor values burned in along the bottom
// (sharecaption.h), H.264 and AAC (mp4writer.h).
//
// The first picture is the one the player shows at `from`, key frame or not;
// the clip lasts `to - from`, to the frame. It is written to a temporary
// file in the destination's folder that takes its name only when whole: a
// failure or a cancel leaves nothing behind.
#include <QSize>
#include <QString>
#include <functional>

namespace velmora::media {

struct ShareClipRequest {
    QString source;
    QString output;
    qint64 fromMs = 0;
    qint64 toMs = -1; // -1: to the end
    bool allCameras = true;
    bool caption = true;
    int speedUnit = 1; // as the viewer's setting: 1 km/h, else mph
};

struct ShareClipResult {
    enum class Status {
        Written,
        CannotRead,  // the recording cannot be read, or the range lies outside it
        CannotWrite, // the output cannot be written
        Cancelled,
    };
    Status status = Status::CannotRead;
    QString message; // what happened, for the user
    QSize size;      // of the pictures written
    qint64 frames = 0;
    qint64 durationMs = 0; // of the clip written
    bool sound = false;
};

// Called after each picture with the pictures done and the total; false
// cancels. Called on the thread that runs shareClip().
using ShareClipProgress = std::function<bool(qint64 done, qint64 total)>;

ShareClipResult shareClip(const ShareClipRequest &request,
                          const ShareClipProgress &progress = ShareClipProgress());

} // namespace velmora::media
