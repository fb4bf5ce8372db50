#pragma once

// A recording as FFmpeg should read it (the player's stream, the frame
// reader). The camera does not pad odd-sized chunk bodies, so the "movi"
// list can have an odd size; FFmpeg then expects the index one byte after
// the list's end and loses it, and without the index its seeks land on
// pictures that cannot be decoded. When the list's size is odd and "idx1"
// follows it directly, this file reads as if one zero byte stood between
// them. Zeros after the RIFF list's end are left out (see dataEnd()). Any
// other file reads exactly as it is.
//
// Not thread-safe: one reader at a time, as FFmpeg's callbacks use it.
#include <QFile>
#include <QString>

namespace velmora {

class PaddedRecording {
public:
    bool open(const QString &path);
    QString errorString() const { return m_file.errorString(); }

    // The size as read: one more than the file's when a byte is inserted,
    // without the zeros after the recording.
    qint64 size() const { return m_size; }
    // Where the inserted zero byte stands, or -1 when there is none.
    qint64 insertedAt() const { return m_insertedAt; }

    // Reads up to `length` bytes at the current position; 0 at the end, -1
    // on an error.
    qint64 read(char *out, qint64 length);
    bool seek(qint64 position);

private:
    qint64 findInsertion();
    qint64 dataEnd();

    QFile m_file;
    qint64 m_size = 0;
    qint64 m_insertedAt = -1;
    qint64 m_position = 0;
};

} // namespace velmora
