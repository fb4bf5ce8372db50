#pragma once

// One picture of a recording, decoded with FFmpeg's libraries, for work that
// has no player window (the report on the command line).
#include <QImage>
#include <QString>

namespace velmora::media {

struct Frame {
    QImage image;  // RGB888 at the track's size; null on failure
    QString error; // why there is no picture
};

// The picture of video track `track` (0 front, 1, 2) that the player shows
// after an exact seek to `ms`: the first picture whose time is at most 5 ms
// before `ms`, or the last one when `ms` falls within it. The player's
// position of a picture (its time rounded to the millisecond) reads that
// same picture back. Decoded from the key frame before it, through the
// odd-"movi" correction. Errors: cannot open or read the file, no such
// track, a time outside the recording.
Frame readFrame(const QString &path, int track, qint64 ms);

} // namespace velmora::media
