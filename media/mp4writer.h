#pragma once

// An MP4 that plays in a browser and on a phone: H.264 (libx264, High
// profile, yuv420p, CRF 20, preset "veryfast") and, when asked for, AAC
// sound; the index at the front ("+faststart").
#include "ffmpegptr.h"

#include <QSize>
#include <QString>

struct AVAudioFifo;
struct SwrContext;

namespace velmora::media {

class Mp4Writer {
public:
    struct Sound {
        int sampleRate = 0;
        int channels = 0;
        int format = -1; // the decoded AVSampleFormat
    };

    Mp4Writer() = default;
    ~Mp4Writer();
    Mp4Writer(const Mp4Writer &) = delete;
    Mp4Writer &operator=(const Mp4Writer &) = delete;

    // Opens `path` (written as MP4 whatever its name) for pictures of `size`
    // at `frameRate`, with sound when sound.sampleRate > 0. Empty on success.
    QString open(const QString &path, QSize size, AVRational frameRate, const Sound &sound);
    // The next picture (yuv420p at the size given); its time is its number.
    QString writePicture(AVFrame *picture);
    // `count` decoded sound samples of `frame` from `offset` on, in order;
    // `count` samples of silence when `frame` is null.
    QString writeSound(const AVFrame *frame, int offset, int count);
    // Encodes what is left, writes the index and closes the file.
    QString finish();

private:
    QString openSound(const Sound &sound);
    QString encodeSound(bool flush);
    QString send(AVCodecContext *encoder, AVStream *stream, const AVFrame *frame);

    AVFormatContext *m_output = nullptr;
    CodecContextPtr m_video;
    CodecContextPtr m_audio;
    AVStream *m_videoStream = nullptr;
    AVStream *m_audioStream = nullptr;
    SwrContext *m_resampler = nullptr;
    AVAudioFifo *m_fifo = nullptr;
    FramePtr m_soundFrame;
    PacketPtr m_packet;
    int64_t m_pictures = 0;
    int64_t m_samples = 0;
};

} // namespace velmora::media
