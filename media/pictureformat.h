#pragma once

extern "C" {
#include <libavutil/pixfmt.h>
#include <libavutil/rational.h>
}

namespace velmora::media {

// What a source's pictures are like, for the encoder that takes them.
struct PictureFormat {
    int width = 0;
    int height = 0;
    AVPixelFormat pixelFormat = AV_PIX_FMT_NONE;
    AVRational timeBase = {0, 1};
    AVRational frameRate = {0, 1};
    AVRational sampleAspectRatio = {1, 1};
};

} // namespace velmora::media
