#pragma once

// The pictures and the sound of a stretch of a recording, read once from
// start to end: for each output frame k (time from + k frames), the picture
// of every camera that the player shows at that time (the first one that
// starts no more than 5 ms before it; the last one once a camera has run
// out), and the sound samples in order. Reading starts at the key frames
// before `from` and passes over the pictures before it.
#include "ffmpegptr.h"
#include "recordinginput.h"

#include <QString>
#include <QVector>
#include <deque>

namespace velmora::media {

class ClipSource {
public:
    // Opens the recording and its decoders (the first `cameras` cameras, at
    // most three, and the first sound stream); empty on success.
    QString open(const QString &path, int cameras = 3);

    int cameras() const { return int(m_cameras.size()); }
    bool hasSound() const { return m_sound.stream != nullptr; }
    const AVCodecContext *soundDecoder() const { return m_sound.decoder.get(); }
    // One frame of the front camera, and the recording's length, in µs.
    int64_t frameUs() const { return m_frameUs; }
    int64_t durationUs() const { return m_durationUs; }

    // Goes to the key frames before `fromUs`; the next frame read is frame 0.
    QString seek(int64_t fromUs);

    // The pictures of output frame `k` (one per camera; owned by the source,
    // valid until the next call). False at the end of the front camera or on
    // an error (then *error says why). A camera that has stopped, or lags
    // more than a second of the others' pictures behind them in the file,
    // shows its last picture, or black when it has had none.
    bool frame(int64_t k, QVector<AVFrame *> *pictures, QString *error);
    // The recording's frame number of a picture of the front camera.
    int frameNumber(const AVFrame *front) const;

    // Sound decoded so far, in order, for the caller to take.
    std::deque<FramePtr> &sound() { return m_soundFrames; }
    // Reads on for sound that lies beyond the last picture read; false once
    // the file has ended, when the pictures read on for would pile up (no
    // sound is near), or on an error (*error says why).
    bool readOn(QString *error);

private:
    struct Track {
        AVStream *stream = nullptr;
        CodecContextPtr decoder;
        std::deque<FramePtr> queue; // decoded, not yet passed over
        FramePtr current;           // the picture last handed out
        bool keySeen = false;
        bool ended = false;
    };

    QString readPacket();
    bool othersAhead(const Track *track) const;
    QString blackPicture(Track &track);
    QString decode(Track &track, bool video);
    int64_t startUs(const Track &track, const AVFrame *frame) const;

    RecordingInput m_recording;
    std::deque<Track> m_cameras; // a deque: tracks never move
    Track m_sound;
    std::deque<FramePtr> m_soundFrames;
    PacketPtr m_packet;
    bool m_inputEnded = false;
    int64_t m_fromUs = 0;
    int64_t m_frameUs = 33333;
    int64_t m_durationUs = 0;
};

} // namespace velmora::media
