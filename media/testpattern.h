#pragma once

// FFmpeg's testsrc2 picture (a frame counter at the top left) at 30 fps with
// a solid band of one colour over the right quarter, in yuv420p, from the
// libavfilter chain testsrc2, drawbox, format into a buffersink.
#include "ffmpegptr.h"
#include "pictureformat.h"

#include <QString>

namespace velmora::media {

class TestPattern {
public:
    // The graph for a width x height picture with a 0xRRGGBB band, or null
    // with *error set.
    static std::unique_ptr<TestPattern> open(int width, int height, unsigned int bandColour,
                                             QString *error);

    PictureFormat format() const;
    // Puts the next picture into `frame` (which must hold none). Empty on
    // success, otherwise what failed.
    QString next(AVFrame *frame);

private:
    TestPattern(FilterGraphPtr graph, AVFilterContext *sink)
        : m_graph(std::move(graph))
        , m_sink(sink) {}

    FilterGraphPtr m_graph;
    AVFilterContext *m_sink; // owned by m_graph
};

} // namespace velmora::media
