#pragma once

// A recording opened by FFmpeg's AVI demuxer through the odd-"movi"
// correction (PaddedRecording). It stays where it is made: FFmpeg's reading
// context points at the file.
#include "ffmpegptr.h"
#include "paddedrecording.h"

#include <QString>

namespace velmora::media {

class RecordingInput {
public:
    RecordingInput() = default;
    RecordingInput(const RecordingInput &) = delete;
    RecordingInput &operator=(const RecordingInput &) = delete;

    // Empty on success, else why the file cannot be read.
    QString open(const QString &path);
    AVFormatContext *context() const { return m_input.get(); }

private:
    PaddedRecording m_file;
    IoContextPtr m_io;
    InputPtr m_input; // declared after m_io: closed before it
};

// A decoder for `stream` on `threads` threads (0: FFmpeg's choice); empty on
// failure, with the reason in *error.
CodecContextPtr openDecoder(const AVStream *stream, QString *error, int threads = 1);

} // namespace velmora::media
