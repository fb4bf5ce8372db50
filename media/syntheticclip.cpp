#include "syntheticclip.h"

#include "averror.h"
#include "hevcencoder.h"
#include "quietavlog.h"
#include "testpattern.h"

#include <QFile>

namespace velmora::media {

QString writeSyntheticHevcClip(const SyntheticClip &clip, const QString &path) {
    const QuietAvLog quiet;
    QString error;
    const auto pattern = TestPattern::open(clip.width, clip.height, clip.bandColour, &error);
    if (!pattern)
        return error;
    const auto encoder = HevcEncoder::open(pattern->format(), &error);
    if (!encoder)
        return error;
    const FramePtr frame(av_frame_alloc());
    if (allocationFailed(frame.get(), QStringLiteral("av_frame_alloc"), &error))
        return error;
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QStringLiteral("cannot write %1: %2").arg(path, out.errorString());
    for (int i = 0; i < clip.frames && error.isEmpty(); ++i) {
        error = pattern->next(frame.get());
        if (error.isEmpty())
            error = encoder->encode(frame.get(), out);
        av_frame_unref(frame.get());
    }
    if (error.isEmpty())
        error = encoder->finish(out);
    if (error.isEmpty() && !out.flush())
        error = QStringLiteral("cannot write %1: %2").arg(path, out.errorString());
    return error;
}

} // namespace velmora::media
