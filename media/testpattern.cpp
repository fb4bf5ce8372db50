#include "testpattern.h"

#include "averror.h"

extern "C" {
#include <libavfilter/buffersink.h>
}

namespace velmora::media {

namespace {

struct Stage {
    const char *filter;
    QByteArray arguments;
};

} // namespace

std::unique_ptr<TestPattern> TestPattern::open(int width, int height, unsigned int bandColour,
                                               QString *error) {
    FilterGraphPtr graph(avfilter_graph_alloc());
    if (allocationFailed(graph.get(), QStringLiteral("avfilter_graph_alloc"), error))
        return nullptr;
    // No worker threads: the graph runs in the thread that pulls its pictures.
    graph->nb_threads = 1;
    const Stage chain[] = {
        {"testsrc2", QStringLiteral("size=%1x%2:rate=30").arg(width).arg(height).toUtf8()},
        {"drawbox", QStringLiteral("x=iw*3/4:y=0:w=iw/4:h=ih:color=0x%1:t=fill")
                        .arg(bandColour, 6, 16, QLatin1Char('0'))
                        .toUtf8()},
        {"format", QByteArrayLiteral("yuv420p")},
        {"buffersink", QByteArray()},
    };
    AVFilterContext *last = nullptr;
    for (const Stage &stage : chain) {
        const AVFilter *filter = avfilter_get_by_name(stage.filter);
        if (!filter) {
            *error =
                QStringLiteral("this FFmpeg has no %1 filter").arg(QLatin1String(stage.filter));
            return nullptr;
        }
        const QString what = QStringLiteral("%1=%2").arg(QLatin1String(stage.filter),
                                                         QString::fromUtf8(stage.arguments));
        AVFilterContext *added = nullptr;
        if (avFailed(avfilter_graph_create_filter(
                         &added, filter, stage.filter,
                         stage.arguments.isEmpty() ? nullptr : stage.arguments.constData(), nullptr,
                         graph.get()),
                     what, error) ||
            (last && avFailed(avfilter_link(last, 0, added, 0), what, error)))
            return nullptr;
        last = added;
    }
    if (avFailed(avfilter_graph_config(graph.get(), nullptr),
                 QStringLiteral("avfilter_graph_config"), error))
        return nullptr;
    return std::unique_ptr<TestPattern>(new TestPattern(std::move(graph), last));
}

PictureFormat TestPattern::format() const {
    PictureFormat f;
    f.width = av_buffersink_get_w(m_sink);
    f.height = av_buffersink_get_h(m_sink);
    f.pixelFormat = static_cast<AVPixelFormat>(av_buffersink_get_format(m_sink));
    f.timeBase = av_buffersink_get_time_base(m_sink);
    f.frameRate = av_buffersink_get_frame_rate(m_sink);
    f.sampleAspectRatio = av_buffersink_get_sample_aspect_ratio(m_sink);
    return f;
}

QString TestPattern::next(AVFrame *frame) {
    QString error;
    avFailed(av_buffersink_get_frame(m_sink, frame), QStringLiteral("testsrc2"), &error);
    return error;
}

} // namespace velmora::media
