#include "clipsource.h"

#include "averror.h"

#include <algorithm>

extern "C" {
#include <libavutil/imgutils.h>
}

namespace velmora::media {

namespace {

constexpr AVRational Microseconds = {1, 1000000};
// As the player's exact seek: a picture that starts up to 5 ms before a
// time is the one shown at it.
constexpr int64_t ToleranceUs = 5000;
// A camera whose pictures stop coming while the others go on is passed over
// once another camera has this many pictures waiting (a second's worth),
// rather than buffering the file.
constexpr std::size_t StallPictures = 30;
// Beyond this a camera's pictures are not kept at all.
constexpr std::size_t MaxQueued = 300;
// Damaged pictures passed over in a row before a decoder is given up on.
constexpr int MaxDamaged = 64;

} // namespace

QString ClipSource::open(const QString &path, int cameras) {
    if (QString error = m_recording.open(path); !error.isEmpty())
        return error;
    AVFormatContext *input = m_recording.context();
    QString error;
    for (unsigned int i = 0; i < input->nb_streams; ++i) {
        AVStream *stream = input->streams[i];
        const AVMediaType type = stream->codecpar->codec_type;
        stream->discard = AVDISCARD_ALL;
        if (type == AVMEDIA_TYPE_VIDEO && int(m_cameras.size()) < std::min(cameras, 3)) {
            m_cameras.emplace_back();
            m_cameras.back().stream = stream;
            m_cameras.back().decoder = openDecoder(stream, &error, 0);
            if (!m_cameras.back().decoder)
                return QStringLiteral("camera %1: %2").arg(m_cameras.size() - 1).arg(error);
        } else if (type == AVMEDIA_TYPE_AUDIO && !m_sound.stream &&
                   (avformat_index_get_entries_count(stream) > 0 || stream->nb_frames > 0)) {
            m_sound.stream = stream;
            m_sound.decoder = openDecoder(stream, &error);
            if (!m_sound.decoder)
                return QStringLiteral("sound: %1").arg(error);
        } else {
            continue;
        }
        stream->discard = AVDISCARD_DEFAULT;
    }
    if (m_cameras.empty())
        return QStringLiteral("the recording has no camera track");
    const AVStream *front = m_cameras.front().stream;
    AVRational rate = front->avg_frame_rate.num > 0 ? front->avg_frame_rate : front->r_frame_rate;
    if (rate.num <= 0 || rate.den <= 0)
        rate = {30, 1};
    m_frameUs = av_rescale_q(1, av_inv_q(rate), Microseconds);
    m_durationUs = front->duration > 0
                       ? av_rescale_q(front->duration, front->time_base, Microseconds)
                       : std::max<int64_t>(0, input->duration);
    m_packet.reset(av_packet_alloc());
    if (allocationFailed(m_packet.get(), QStringLiteral("av_packet_alloc"), &error))
        return error;
    return QString();
}

QString ClipSource::seek(int64_t fromUs) {
    m_fromUs = fromUs;
    const AVStream *front = m_cameras.front().stream;
    const int64_t target =
        av_rescale_q(std::max<int64_t>(0, fromUs - ToleranceUs), Microseconds, front->time_base);
    // The demuxer takes every stream back to its own key frame at or before
    // the time. A file whose index leads nowhere is read from its start.
    AVFormatContext *input = m_recording.context();
    if (fromUs > 0 && avformat_index_get_entries_count(front) > 0 &&
        av_seek_frame(input, front->index, target, AVSEEK_FLAG_BACKWARD) < 0 &&
        av_seek_frame(input, front->index, 0, AVSEEK_FLAG_BACKWARD) < 0)
        return QStringLiteral("cannot seek to the key frame before %1 ms").arg(fromUs / 1000);
    return QString();
}

int64_t ClipSource::startUs(const Track &track, const AVFrame *frame) const {
    return av_rescale_q(frame->best_effort_timestamp, track.stream->time_base, Microseconds);
}

bool ClipSource::frame(int64_t k, QVector<AVFrame *> *pictures, QString *error) {
    const int64_t at = m_fromUs + k * m_frameUs - ToleranceUs;
    pictures->clear();
    for (std::size_t c = 0; c < m_cameras.size(); ++c) {
        Track &track = m_cameras[c];
        for (;;) {
            // Pictures that start before the time are passed over.
            while (!track.queue.empty() && startUs(track, track.queue.front().get()) < at) {
                track.current = std::move(track.queue.front());
                track.queue.pop_front();
            }
            if (!track.queue.empty() || track.ended)
                break;
            if (m_inputEnded) {
                track.ended = true;
                continue;
            }
            if (othersAhead(&track))
                break;
            if (QString failed = readPacket(); !failed.isEmpty()) {
                *error = failed;
                return false;
            }
        }
        // The first picture from the time on, unless it belongs to a later
        // frame (a gap in the camera): then the last one stays.
        if (!track.queue.empty() &&
            (!track.current || startUs(track, track.queue.front().get()) < at + m_frameUs)) {
            track.current = std::move(track.queue.front());
            track.queue.pop_front();
        } else if (c == 0 && track.queue.empty()) {
            return false; // the front camera has run out
        }
        if (!track.current) {
            if (QString failed = blackPicture(track); !failed.isEmpty()) {
                *error = failed;
                return false;
            }
        }
        pictures->append(track.current.get());
    }
    return true;
}

bool ClipSource::othersAhead(const Track *track) const {
    return std::any_of(m_cameras.begin(), m_cameras.end(), [&](const Track &other) {
        return &other != track && other.queue.size() > StallPictures;
    });
}

int ClipSource::frameNumber(const AVFrame *front) const {
    return int((startUs(m_cameras.front(), front) + m_frameUs / 2) / m_frameUs);
}

// Black at the camera's size (the front's when its header has none), in the
// front's pixel format.
QString ClipSource::blackPicture(Track &track) {
    const AVFrame *front = m_cameras.front().current.get();
    const AVCodecParameters *header = track.stream->codecpar;
    FramePtr black(av_frame_alloc());
    QString error;
    if (allocationFailed(black.get(), QStringLiteral("av_frame_alloc"), &error))
        return error;
    black->width = header->width > 0 ? header->width : front->width;
    black->height = header->height > 0 ? header->height : front->height;
    black->format = front->format;
    if (avFailed(av_frame_get_buffer(black.get(), 0), QStringLiteral("black picture"), &error))
        return error;
    ptrdiff_t lines[4] = {};
    for (int i = 0; i < 4; ++i)
        lines[i] = black->linesize[i];
    av_image_fill_black(black->data, lines, AVPixelFormat(black->format), AVCOL_RANGE_MPEG,
                        black->width, black->height);
    track.current = std::move(black);
    return QString();
}

bool ClipSource::readOn(QString *error) {
    if (m_inputEnded || othersAhead(nullptr))
        return false;
    *error = readPacket();
    return error->isEmpty();
}

// One packet to its decoder, and what that decoder gives back to its queue.
QString ClipSource::readPacket() {
    const int read = av_read_frame(m_recording.context(), m_packet.get());
    QString error;
    if (read == AVERROR_EOF) {
        m_inputEnded = true;
        for (Track &track : m_cameras)
            avcodec_send_packet(track.decoder.get(), nullptr);
        if (m_sound.decoder)
            avcodec_send_packet(m_sound.decoder.get(), nullptr);
    } else if (avFailed(read, QStringLiteral("cannot read"), &error)) {
        return error;
    }
    auto drain = [&](Track &track, bool video) {
        if (read >= 0 && m_packet->stream_index != track.stream->index)
            return QString();
        if (read >= 0) {
            const int sent = avcodec_send_packet(track.decoder.get(), m_packet.get());
            // A damaged packet is passed over, as the player passes over it.
            if (sent < 0 && sent != AVERROR_INVALIDDATA && sent != AVERROR(EAGAIN))
                return avErrorText(sent);
        }
        return decode(track, video);
    };
    for (Track &track : m_cameras) {
        if (error = drain(track, true); !error.isEmpty())
            break;
    }
    if (error.isEmpty() && m_sound.decoder)
        error = drain(m_sound, false);
    av_packet_unref(m_packet.get());
    return error;
}

QString ClipSource::decode(Track &track, bool video) {
    for (int damaged = 0;;) {
        FramePtr frame(av_frame_alloc());
        QString error;
        if (allocationFailed(frame.get(), QStringLiteral("av_frame_alloc"), &error))
            return error;
        const int got = avcodec_receive_frame(track.decoder.get(), frame.get());
        // A damaged picture is passed over; the ones after it still come.
        if (got == AVERROR_INVALIDDATA && ++damaged < MaxDamaged)
            continue;
        if (got == AVERROR(EAGAIN) || got == AVERROR_EOF || got == AVERROR_INVALIDDATA)
            return QString();
        if (avFailed(got, QStringLiteral("cannot decode"), &error))
            return error;
        if (!video) {
            m_soundFrames.push_back(std::move(frame));
            continue;
        }
        // Pictures before a camera's first key frame lack their references.
        track.keySeen = track.keySeen || frame->key_frame;
        if (!track.keySeen)
            continue;
        if (track.queue.size() >= MaxQueued)
            return QStringLiteral("the cameras' pictures are too far apart in the file");
        track.queue.push_back(std::move(frame));
    }
}

} // namespace velmora::media
