#pragma once

// A libavfilter graph from a description, fed through buffer sources named
// [in0], [in1], ... and drained through one buffer sink [out].
#include "ffmpegptr.h"

#include <QString>
#include <QVector>

namespace velmora::media {

class FilterGraph {
public:
    struct Input {
        int width = 0;
        int height = 0;
        int format = 0; // AVPixelFormat
        AVRational timeBase{1, 30};
    };

    // Empty on success, else why the graph cannot be made.
    QString build(const QString &description, const QVector<Input> &inputs);

    // Hands a picture to input `index`; the graph takes a reference and the
    // caller keeps its frame.
    QString push(int index, AVFrame *frame);
    // The next picture at [out] into `frame`: true when there is one.
    bool pull(AVFrame *frame, QString *error);

private:
    FilterGraphPtr m_graph;
    QVector<AVFilterContext *> m_sources;
    AVFilterContext *m_sink = nullptr;
};

} // namespace velmora::media
