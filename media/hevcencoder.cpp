#include "hevcencoder.h"

#include "averror.h"

namespace velmora::media {

namespace {

constexpr char X265Params[] = "aud=1:keyint=30:min-keyint=30:scenecut=0:bframes=0:open-gop=0:"
                              "repeat-headers=1:log-level=error:pools=none:frame-threads=1";

} // namespace

std::unique_ptr<HevcEncoder> HevcEncoder::open(const PictureFormat &format, QString *error) {
    const AVCodec *codec = avcodec_find_encoder_by_name("libx265");
    if (!codec) {
        *error = QStringLiteral("this FFmpeg has no libx265 encoder");
        return nullptr;
    }
    CodecContextPtr context(avcodec_alloc_context3(codec));
    PacketPtr packet(av_packet_alloc());
    if (allocationFailed(context.get(), QStringLiteral("libx265"), error) ||
        allocationFailed(packet.get(), QStringLiteral("av_packet_alloc"), error))
        return nullptr;
    context->width = format.width;
    context->height = format.height;
    context->pix_fmt = format.pixelFormat;
    context->time_base = format.timeBase;
    context->framerate = format.frameRate;
    context->sample_aspect_ratio = format.sampleAspectRatio;
    context->thread_count = 1;
    // No AV_CODEC_FLAG_GLOBAL_HEADER: the parameter sets stay in the stream.
    Dictionary options;
    av_dict_set(options.address(), "preset", "ultrafast", 0);
    av_dict_set(options.address(), "x265-params", X265Params, 0);
    if (avFailed(avcodec_open2(context.get(), codec, options.address()), QStringLiteral("libx265"),
                 error))
        return nullptr;
    if (const char *unused = options.firstKey()) {
        *error = QStringLiteral("libx265 does not know the option %1").arg(QLatin1String(unused));
        return nullptr;
    }
    return std::unique_ptr<HevcEncoder>(new HevcEncoder(std::move(context), std::move(packet)));
}

QString HevcEncoder::encode(AVFrame *frame, QIODevice &out) {
    // Sources such as testsrc2 mark every picture as an I picture, and libx265
    // takes a picture's type as an order; cleared, the GOP rules above decide.
    frame->pict_type = AV_PICTURE_TYPE_NONE;
    return send(frame, out);
}

QString HevcEncoder::finish(QIODevice &out) {
    return send(nullptr, out);
}

QString HevcEncoder::send(const AVFrame *frame, QIODevice &out) {
    QString error;
    if (avFailed(avcodec_send_frame(m_context.get(), frame), QStringLiteral("libx265"), &error))
        return error;
    for (;;) {
        const int received = avcodec_receive_packet(m_context.get(), m_packet.get());
        if (received == AVERROR(EAGAIN) || received == AVERROR_EOF)
            return QString();
        if (avFailed(received, QStringLiteral("libx265"), &error))
            return error;
        const qint64 size = m_packet->size;
        const qint64 written = out.write(reinterpret_cast<const char *>(m_packet->data), size);
        av_packet_unref(m_packet.get());
        if (written != size)
            return QStringLiteral("cannot write the clip: %1").arg(out.errorString());
    }
}

} // namespace velmora::media
