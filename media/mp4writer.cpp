#include "mp4writer.h"

#include "averror.h"

extern "C" {
#include <libavutil/audio_fifo.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

namespace velmora::media {

Mp4Writer::~Mp4Writer() {
    if (m_output) {
        if (m_output->pb)
            avio_closep(&m_output->pb);
        avformat_free_context(m_output);
    }
    swr_free(&m_resampler);
    if (m_fifo)
        av_audio_fifo_free(m_fifo);
}

QString Mp4Writer::open(const QString &path, QSize size, AVRational frameRate, const Sound &sound) {
    QString error;
    const QByteArray file = path.toUtf8();
    if (avFailed(avformat_alloc_output_context2(&m_output, nullptr, "mp4", file.constData()),
                 QStringLiteral("MP4 output"), &error))
        return error;
    const AVCodec *h264 = avcodec_find_encoder_by_name("libx264");
    if (!h264)
        return QStringLiteral("this FFmpeg has no libx264 encoder");
    m_video.reset(avcodec_alloc_context3(h264));
    m_packet.reset(av_packet_alloc());
    m_videoStream = avformat_new_stream(m_output, nullptr);
    if (allocationFailed(m_video.get(), QStringLiteral("avcodec_alloc_context3"), &error) ||
        allocationFailed(m_packet.get(), QStringLiteral("av_packet_alloc"), &error) ||
        allocationFailed(m_videoStream, QStringLiteral("avformat_new_stream"), &error))
        return error;
    m_video->width = size.width();
    m_video->height = size.height();
    m_video->pix_fmt = AV_PIX_FMT_YUV420P;
    m_video->time_base = av_inv_q(frameRate);
    m_video->framerate = frameRate;
    m_video->sample_aspect_ratio = {1, 1};
    m_video->thread_count = 0;
    if (m_output->oformat->flags & AVFMT_GLOBALHEADER)
        m_video->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    av_opt_set(m_video->priv_data, "preset", "veryfast", 0);
    av_opt_set(m_video->priv_data, "crf", "20", 0);
    av_opt_set(m_video->priv_data, "profile", "high", 0);
    if (avFailed(avcodec_open2(m_video.get(), h264, nullptr), QStringLiteral("H.264 encoder"),
                 &error) ||
        avFailed(avcodec_parameters_from_context(m_videoStream->codecpar, m_video.get()),
                 QStringLiteral("H.264 stream"), &error))
        return error;
    m_videoStream->time_base = m_video->time_base;
    m_videoStream->avg_frame_rate = frameRate;
    if (sound.sampleRate > 0) {
        if (error = openSound(sound); !error.isEmpty())
            return error;
    }
    if (avFailed(avio_open(&m_output->pb, file.constData(), AVIO_FLAG_WRITE),
                 QStringLiteral("cannot write %1").arg(path), &error))
        return error;
    Dictionary options;
    av_dict_set(options.address(), "movflags", "+faststart", 0);
    if (avFailed(avformat_write_header(m_output, options.address()),
                 QStringLiteral("cannot write %1").arg(path), &error))
        return error;
    return QString();
}

QString Mp4Writer::openSound(const Sound &sound) {
    QString error;
    const AVCodec *aac = avcodec_find_encoder(AV_CODEC_ID_AAC);
    if (!aac)
        return QStringLiteral("this FFmpeg has no AAC encoder");
    m_audio.reset(avcodec_alloc_context3(aac));
    m_audioStream = avformat_new_stream(m_output, nullptr);
    m_soundFrame.reset(av_frame_alloc());
    if (allocationFailed(m_audio.get(), QStringLiteral("avcodec_alloc_context3"), &error) ||
        allocationFailed(m_audioStream, QStringLiteral("avformat_new_stream"), &error) ||
        allocationFailed(m_soundFrame.get(), QStringLiteral("av_frame_alloc"), &error))
        return error;
    m_audio->sample_fmt = AV_SAMPLE_FMT_FLTP;
    m_audio->sample_rate = sound.sampleRate;
    av_channel_layout_default(&m_audio->ch_layout, sound.channels);
    m_audio->bit_rate = 64000 * sound.channels;
    m_audio->time_base = {1, sound.sampleRate};
    if (m_output->oformat->flags & AVFMT_GLOBALHEADER)
        m_audio->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (avFailed(avcodec_open2(m_audio.get(), aac, nullptr), QStringLiteral("AAC encoder"),
                 &error) ||
        avFailed(avcodec_parameters_from_context(m_audioStream->codecpar, m_audio.get()),
                 QStringLiteral("AAC stream"), &error))
        return error;
    m_audioStream->time_base = m_audio->time_base;
    if (avFailed(swr_alloc_set_opts2(&m_resampler, &m_audio->ch_layout, AV_SAMPLE_FMT_FLTP,
                                     sound.sampleRate, &m_audio->ch_layout,
                                     AVSampleFormat(sound.format), sound.sampleRate, 0, nullptr),
                 QStringLiteral("sound conversion"), &error) ||
        avFailed(swr_init(m_resampler), QStringLiteral("sound conversion"), &error))
        return error;
    m_fifo = av_audio_fifo_alloc(AV_SAMPLE_FMT_FLTP, sound.channels, 4096);
    if (allocationFailed(m_fifo, QStringLiteral("av_audio_fifo_alloc"), &error))
        return error;
    return QString();
}

QString Mp4Writer::writePicture(AVFrame *picture) {
    picture->pts = m_pictures++;
    picture->pict_type = AV_PICTURE_TYPE_NONE;
    return send(m_video.get(), m_videoStream, picture);
}

QString Mp4Writer::writeSound(const AVFrame *frame, int offset, int count) {
    if (!m_audio || count <= 0)
        return QString();
    const int channels = m_audio->ch_layout.nb_channels;
    uint8_t **converted = nullptr;
    QString error;
    if (avFailed(av_samples_alloc_array_and_samples(&converted, nullptr, channels, count,
                                                    AV_SAMPLE_FMT_FLTP, 0),
                 QStringLiteral("sound buffer"), &error))
        return error;
    if (frame) {
        const auto format = AVSampleFormat(frame->format);
        const int bytes = av_get_bytes_per_sample(format);
        const bool planar = av_sample_fmt_is_planar(format);
        const uint8_t *in[AV_NUM_DATA_POINTERS] = {};
        for (int p = 0; p < (planar ? channels : 1); ++p)
            in[p] = frame->extended_data[p] + qint64(offset) * bytes * (planar ? 1 : channels);
        const int done = swr_convert(m_resampler, converted, count, in, count);
        if (done < 0)
            avFailed(done, QStringLiteral("sound conversion"), &error);
    } else {
        av_samples_set_silence(converted, 0, count, channels, AV_SAMPLE_FMT_FLTP);
    }
    if (error.isEmpty() &&
        av_audio_fifo_write(m_fifo, reinterpret_cast<void **>(converted), count) < count)
        error = QStringLiteral("sound buffer full");
    av_freep(&converted[0]);
    av_freep(&converted);
    return error.isEmpty() ? encodeSound(false) : error;
}

// Whole encoder frames from the buffer; the rest too when flushing.
QString Mp4Writer::encodeSound(bool flush) {
    const int size = m_audio->frame_size;
    while (av_audio_fifo_size(m_fifo) >= size || (flush && av_audio_fifo_size(m_fifo) > 0)) {
        av_frame_unref(m_soundFrame.get());
        m_soundFrame->nb_samples = std::min(size, av_audio_fifo_size(m_fifo));
        m_soundFrame->format = AV_SAMPLE_FMT_FLTP;
        m_soundFrame->sample_rate = m_audio->sample_rate;
        QString error;
        if (avFailed(av_channel_layout_copy(&m_soundFrame->ch_layout, &m_audio->ch_layout),
                     QStringLiteral("sound frame"), &error) ||
            avFailed(av_frame_get_buffer(m_soundFrame.get(), 0), QStringLiteral("sound frame"),
                     &error))
            return error;
        av_audio_fifo_read(m_fifo, reinterpret_cast<void **>(m_soundFrame->data),
                           m_soundFrame->nb_samples);
        m_soundFrame->pts = m_samples;
        m_samples += m_soundFrame->nb_samples;
        if (error = send(m_audio.get(), m_audioStream, m_soundFrame.get()); !error.isEmpty())
            return error;
    }
    return QString();
}

QString Mp4Writer::send(AVCodecContext *encoder, AVStream *stream, const AVFrame *frame) {
    QString error;
    if (avFailed(avcodec_send_frame(encoder, frame), QStringLiteral("cannot encode"), &error))
        return error;
    for (;;) {
        const int got = avcodec_receive_packet(encoder, m_packet.get());
        if (got == AVERROR(EAGAIN) || got == AVERROR_EOF)
            return QString();
        if (avFailed(got, QStringLiteral("cannot encode"), &error))
            return error;
        av_packet_rescale_ts(m_packet.get(), encoder->time_base, stream->time_base);
        m_packet->stream_index = stream->index;
        // The muxer takes the packet's data and leaves it empty.
        if (avFailed(av_interleaved_write_frame(m_output, m_packet.get()),
                     QStringLiteral("cannot write"), &error))
            return error;
    }
}

QString Mp4Writer::finish() {
    QString error = send(m_video.get(), m_videoStream, nullptr);
    if (error.isEmpty() && m_audio)
        error = encodeSound(true);
    if (error.isEmpty() && m_audio)
        error = send(m_audio.get(), m_audioStream, nullptr);
    if (error.isEmpty())
        avFailed(av_write_trailer(m_output), QStringLiteral("cannot write"), &error);
    if (error.isEmpty() && m_output->pb->error < 0)
        avFailed(m_output->pb->error, QStringLiteral("cannot write"), &error);
    if (error.isEmpty())
        avFailed(avio_closep(&m_output->pb), QStringLiteral("cannot write"), &error);
    return error;
}

} // namespace velmora::media
