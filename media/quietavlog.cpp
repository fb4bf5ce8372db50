#include "quietavlog.h"

#include <mutex>

extern "C" {
#include <libavutil/log.h>
}

namespace velmora::media {

namespace {

struct Holders {
    std::mutex mutex;
    int count = 0;
    int levelBefore = AV_LOG_INFO;
};

Holders &holders() {
    static Holders h;
    return h;
}

} // namespace

QuietAvLog::QuietAvLog() {
    Holders &h = holders();
    const std::lock_guard<std::mutex> lock(h.mutex);
    if (h.count++ == 0) {
        h.levelBefore = av_log_get_level();
        if (h.levelBefore > AV_LOG_ERROR)
            av_log_set_level(AV_LOG_ERROR);
    }
}

QuietAvLog::~QuietAvLog() {
    Holders &h = holders();
    const std::lock_guard<std::mutex> lock(h.mutex);
    if (--h.count == 0 && h.levelBefore > AV_LOG_ERROR)
        av_log_set_level(h.levelBefore);
}

} // namespace velmora::media
