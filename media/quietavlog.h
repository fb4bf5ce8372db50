#pragma once

namespace velmora::media {

// While one lives, FFmpeg's log (a setting of the whole process) prints errors
// only, for work whose notes and warnings mean nothing to the user. The level
// found comes back when the last one ends; a quieter level is left alone.
class QuietAvLog {
public:
    QuietAvLog();
    ~QuietAvLog();
    QuietAvLog(const QuietAvLog &) = delete;
    QuietAvLog &operator=(const QuietAvLog &) = delete;
};

} // namespace velmora::media
