#include "framereader.h"

#include "averror.h"
#include "ffmpegptr.h"
#include "medialog.h"
#include "quietavlog.h"
#include "recordinginput.h"

#include <limits>

namespace velmora::media {

namespace {

constexpr AVRational Microseconds = {1, 1000000};
// mpv's exact seek passes over the pictures that start more than 5 ms before
// the time it was asked for, and shows the next one.
constexpr int64_t SeekToleranceUs = 5000;

// A picture's start and end in microseconds; a picture without a duration
// lasts one tick of its track (one frame in AVI).
int64_t startOf(const AVFrame *picture, AVRational timeBase) {
    return av_rescale_q(picture->best_effort_timestamp, timeBase, Microseconds);
}

int64_t endOf(const AVFrame *picture, AVRational timeBase) {
    const int64_t duration = qMax<int64_t>(1, picture->pkt_duration);
    return av_rescale_q(picture->best_effort_timestamp + duration, timeBase, Microseconds);
}

// One video track of a recording and its decoder. It stays where it is
// made: FFmpeg's reading context points at the file.
class TrackDecoder {
public:
    QString open(const QString &path, int track);
    QString decodeAt(qint64 ms, FramePtr *shown);

    // How the last picture was reached: the start of the key frame decoding
    // began at (microseconds), and the pictures decoded from it.
    int64_t keyStart = 0;
    int decoded = 0;

private:
    QString nextPicture(AVFrame *out, bool *end);

    RecordingInput m_recording;
    AVFormatContext *m_input = nullptr; // m_recording's
    CodecContextPtr m_decoder;
    PacketPtr m_packet;
    AVStream *m_stream = nullptr;
};

QString TrackDecoder::open(const QString &path, int track) {
    if (QString error = m_recording.open(path); !error.isEmpty())
        return error;
    m_input = m_recording.context();

    int videoTracks = 0;
    for (unsigned int i = 0; i < m_input->nb_streams; ++i) {
        AVStream *stream = m_input->streams[i];
        if (stream->codecpar->codec_type == AVMEDIA_TYPE_VIDEO && videoTracks++ == track)
            m_stream = stream;
        else
            stream->discard = AVDISCARD_ALL;
    }
    if (!m_stream)
        return QStringLiteral("no video track %1 (the recording has %2)")
            .arg(track)
            .arg(videoTracks);

    QString error;
    m_decoder = openDecoder(m_stream, &error);
    m_packet.reset(av_packet_alloc());
    if (!m_decoder)
        return QStringLiteral("video track %1: %2").arg(track).arg(error);
    if (allocationFailed(m_packet.get(), QStringLiteral("av_packet_alloc"), &error))
        return error;
    return QString();
}

// Seeks to the key frame at or before the picture shown at `ms`, then
// decodes forward to that picture.
QString TrackDecoder::decodeAt(qint64 ms, FramePtr *shown) {
    const AVRational timeBase = m_stream->time_base;
    const int64_t wanted = ms * 1000 - SeekToleranceUs;
    const int64_t seekTo =
        qMax<int64_t>(0, av_rescale_q_rnd(wanted, Microseconds, timeBase, AV_ROUND_DOWN));
    // A recording cut short has no index and no seek to trust: it is decoded
    // from the start of its data, where reading stands after the opening.
    // When the index leads nowhere, the pictures are decoded from the start.
    if (avformat_index_get_entries_count(m_stream) > 0 &&
        av_seek_frame(m_input, m_stream->index, seekTo, AVSEEK_FLAG_BACKWARD) < 0 &&
        av_seek_frame(m_input, m_stream->index, 0, AVSEEK_FLAG_BACKWARD) < 0)
        return QStringLiteral("cannot seek to the key frame before %1 ms").arg(ms);

    FramePtr picture(av_frame_alloc()), previous(av_frame_alloc());
    QString error;
    if (allocationFailed(picture.get(), QStringLiteral("av_frame_alloc"), &error) ||
        allocationFailed(previous.get(), QStringLiteral("av_frame_alloc"), &error))
        return error;
    bool keySeen = false, end = false;
    while ((error = nextPicture(picture.get(), &end)).isEmpty() && !end) {
        // Pictures before the first key frame lack their references.
        if (!keySeen && picture->key_frame) {
            keySeen = true;
            keyStart = startOf(picture.get(), timeBase);
            if (keyStart > av_rescale_q(seekTo, timeBase, Microseconds))
                return QStringLiteral("no key frame before %1 ms").arg(ms);
        }
        decoded += keySeen ? 1 : 0;
        if (keySeen && startOf(picture.get(), timeBase) >= wanted) {
            *shown = std::move(picture);
            return QString();
        }
        if (keySeen)
            std::swap(picture, previous);
        av_frame_unref(picture.get());
    }
    if (!error.isEmpty())
        return error;
    // Past the last picture's start the player shows it to its end.
    if (!previous->buf[0] || ms * 1000 >= endOf(previous.get(), timeBase))
        return QStringLiteral("%1 ms is past the end of the video track").arg(ms);
    *shown = std::move(previous);
    return QString();
}

// The track's next picture; *end once the decoder has given the last one.
QString TrackDecoder::nextPicture(AVFrame *out, bool *end) {
    constexpr int MaxDamagedPictures = 64;
    int damaged = 0;
    QString error;
    for (;;) {
        const int received = avcodec_receive_frame(m_decoder.get(), out);
        // A damaged picture is passed over, as the player passes over it;
        // a decoder that gives nothing else is given up on.
        if (received == AVERROR_INVALIDDATA && ++damaged < MaxDamagedPictures)
            continue;
        if (received != AVERROR(EAGAIN)) {
            *end = received == AVERROR_EOF;
            return *end || !avFailed(received, QStringLiteral("cannot decode"), &error) ? QString()
                                                                                        : error;
        }
        const int read = av_read_frame(m_input, m_packet.get());
        if (read != AVERROR_EOF && avFailed(read, QStringLiteral("cannot read"), &error))
            return error;
        if (read >= 0 && m_packet->stream_index != m_stream->index) {
            av_packet_unref(m_packet.get());
            continue;
        }
        // At the end of the data an empty packet drains the decoder.
        const int sent = avcodec_send_packet(m_decoder.get(), read >= 0 ? m_packet.get() : nullptr);
        av_packet_unref(m_packet.get());
        if (sent != AVERROR_INVALIDDATA && avFailed(sent, QStringLiteral("cannot decode"), &error))
            return error;
    }
}

// RGB as the player converts it: pictures that do not name their colour
// matrix are BT.709 from 1280 x 720 up and BT.601 below, limited range
// unless marked full.
QImage toImage(const AVFrame *picture, QString *error) {
    const int width = picture->width, height = picture->height;
    const ScalerPtr scaler(sws_getContext(width, height, AVPixelFormat(picture->format), width,
                                          height, AV_PIX_FMT_RGB24, SWS_BICUBIC, nullptr, nullptr,
                                          nullptr));
    QImage image(width, height, QImage::Format_RGB888);
    if (!scaler || image.isNull()) {
        *error = QStringLiteral("cannot convert a %1 x %2 picture").arg(width).arg(height);
        return QImage();
    }
    int matrix = picture->colorspace;
    if (matrix == AVCOL_SPC_UNSPECIFIED)
        matrix = width >= 1280 || height > 576 ? SWS_CS_ITU709 : SWS_CS_ITU601;
    sws_setColorspaceDetails(scaler.get(), sws_getCoefficients(matrix),
                             picture->color_range == AVCOL_RANGE_JPEG,
                             sws_getCoefficients(SWS_CS_DEFAULT), 1, 0, 1 << 16, 1 << 16);
    uint8_t *const planes[] = {image.bits()};
    const int strides[] = {int(image.bytesPerLine())};
    sws_scale(scaler.get(), picture->data, picture->linesize, 0, height, planes, strides);
    return image;
}

} // namespace

Frame readFrame(const QString &path, int track, qint64 ms) {
    const QuietAvLog quiet;
    QString error;
    FramePtr picture;
    QImage image;
    TrackDecoder decoder;
    if (ms < 0 || ms > std::numeric_limits<qint64>::max() / 1000)
        error = QStringLiteral("%1 ms is outside the recording").arg(ms);
    if (error.isEmpty())
        error = decoder.open(path, track);
    if (error.isEmpty())
        error = decoder.decodeAt(ms, &picture);
    if (error.isEmpty())
        image = toImage(picture.get(), &error);
    const QString what =
        QStringLiteral("Frame: %1, track %2 at %3 ms: ").arg(path).arg(track).arg(ms);
    if (!error.isEmpty()) {
        qCDebug(lcMedia).noquote() << what + error;
        return {QImage(), QStringLiteral("%1: %2").arg(path, error)};
    }
    qCDebug(lcMedia).noquote() << what + QStringLiteral(
                                             "decoded %1 pictures from the key frame at %2 ms")
                                             .arg(decoder.decoded)
                                             .arg(decoder.keyStart / 1000);
    return {image, QString()};
}

} // namespace velmora::media
