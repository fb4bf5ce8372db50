#include "filtergraph.h"

#include "averror.h"

extern "C" {
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
}

namespace velmora::media {

QString FilterGraph::build(const QString &description, const QVector<Input> &inputs) {
    QString error;
    m_graph.reset(avfilter_graph_alloc());
    if (allocationFailed(m_graph.get(), QStringLiteral("avfilter_graph_alloc"), &error))
        return error;
    // The filters' own threads would only compete with the decoders and the encoder.
    m_graph->nb_threads = 1;
    m_sources.clear();
    FilterInOutPtr outputs, ins;
    for (int i = 0; i < inputs.size(); ++i) {
        const Input &in = inputs[i];
        const QByteArray args = QStringLiteral("video_size=%1x%2:pix_fmt=%3:time_base=%4/%5:"
                                               "pixel_aspect=1/1")
                                    .arg(in.width)
                                    .arg(in.height)
                                    .arg(in.format)
                                    .arg(in.timeBase.num)
                                    .arg(in.timeBase.den)
                                    .toLatin1();
        const QByteArray name = "in" + QByteArray::number(i);
        AVFilterContext *source = nullptr;
        if (avFailed(avfilter_graph_create_filter(&source, avfilter_get_by_name("buffer"),
                                                  name.constData(), args.constData(), nullptr,
                                                  m_graph.get()),
                     QStringLiteral("picture input %1").arg(i), &error))
            return error;
        m_sources.append(source);
        AVFilterInOut *link = avfilter_inout_alloc();
        if (allocationFailed(link, QStringLiteral("avfilter_inout_alloc"), &error))
            return error;
        link->name = av_strdup(name.constData());
        link->filter_ctx = source;
        link->next = outputs.release();
        outputs.reset(link);
    }
    if (avFailed(avfilter_graph_create_filter(&m_sink, avfilter_get_by_name("buffersink"), "out",
                                              nullptr, nullptr, m_graph.get()),
                 QStringLiteral("picture output"), &error))
        return error;
    ins.reset(avfilter_inout_alloc());
    if (allocationFailed(ins.get(), QStringLiteral("avfilter_inout_alloc"), &error))
        return error;
    ins->name = av_strdup("out");
    ins->filter_ctx = m_sink;

    // The graph's open ends are named from its own side: its inputs are our
    // sources' outputs, and the reverse.
    AVFilterInOut *graphInputs = ins.release(), *graphOutputs = outputs.release();
    const int parsed = avfilter_graph_parse_ptr(m_graph.get(), description.toUtf8().constData(),
                                                &graphInputs, &graphOutputs, nullptr);
    avfilter_inout_free(&graphInputs);
    avfilter_inout_free(&graphOutputs);
    if (avFailed(parsed, QStringLiteral("filter graph \"%1\"").arg(description), &error) ||
        avFailed(avfilter_graph_config(m_graph.get(), nullptr), QStringLiteral("filter graph"),
                 &error))
        return error;
    return QString();
}

QString FilterGraph::push(int index, AVFrame *frame) {
    QString error;
    avFailed(av_buffersrc_add_frame_flags(m_sources[index], frame, AV_BUFFERSRC_FLAG_KEEP_REF),
             QStringLiteral("filter input %1").arg(index), &error);
    return error;
}

bool FilterGraph::pull(AVFrame *frame, QString *error) {
    const int got = av_buffersink_get_frame(m_sink, frame);
    if (got == AVERROR(EAGAIN) || got == AVERROR_EOF)
        return false;
    return !avFailed(got, QStringLiteral("filter output"), error);
}

} // namespace velmora::media
