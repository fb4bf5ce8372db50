#pragma once

// The camera's recording layout, stated once for every reader and writer:
// a RIFF AVI with 1 to 3 HEVC video streams, one PCM audio stream and one
// telemetry text stream, in fixed-size header blocks with no padding.
#include <QByteArray>
#include <QString>
#include <cstdint>

class QIODevice;

namespace velmora::avi {

// The program takes every recording as 30 frames per second.
constexpr int FramesPerSecond = 30;

// Header block sizes, in bytes, including their ids and size fields.
constexpr int RiffHeaderSize = 12; // "RIFF", size, "AVI "
constexpr int ListHeaderSize = 12; // "LIST", size, list type
constexpr int MainHeaderSize = 64; // "avih", 56, 14 words
constexpr int VideoStreamListSize = 124;
constexpr int AudioStreamListSize = 102;
constexpr int TextStreamListSize = 84;
constexpr int ChunkHeaderSize = 8; // id, size
constexpr int IndexEntrySize = 16; // id, flags, offset, length

constexpr int MainHeaderBodySize = 56;
constexpr int StreamHeaderBodySize = 56;
constexpr int BitmapHeaderSize = 40;
constexpr int WaveFormatSize = 18;
constexpr int DwStreamsOffsetInMainBody = 24;

// Offsets from the start of the file, for n video streams.
constexpr int HeaderListSize(int n) {
    return 254 + VideoStreamListSize * n;
}
constexpr int FirstVideoListOffset = 88;
constexpr int AudioListOffset(int n) {
    return 88 + VideoStreamListSize * n;
}
constexpr int TextListOffset(int n) {
    return 190 + VideoStreamListSize * n;
}
constexpr int MoviListOffset(int n) {
    return 274 + VideoStreamListSize * n;
}
constexpr int FirstDataChunkOffset(int n) {
    return 286 + VideoStreamListSize * n;
}

// One telemetry record per video frame, in a chunk of exactly this size.
constexpr int TelemetryRecordSize = 400;
constexpr int NmeaOffset = 34;
constexpr int NmeaFieldSize = 256;
constexpr int SensorXOffset = 290;
constexpr int SensorYOffset = 294;
constexpr int SensorZOffset = 298;
constexpr float SensorScale = 1000.0f; // stored in thousandths of g

// Which streams a recording holds, from the channel marker of its name.
struct ChannelLayout {
    int videoStreams = 0; // 1..3; 0 when the name carries no marker

    bool isValid() const { return videoStreams > 0; }
    int streamCount() const { return videoStreams + 2; }
    QByteArray videoId(int channel) const { return chunkId(channel, "dc"); }
    QByteArray audioId() const { return chunkId(videoStreams, "wb"); }
    QByteArray textId() const { return chunkId(videoStreams + 1, "tx"); }

    // "_T_" 3, "_D_" 2, "_S_" 1, tested in that order, case-sensitively.
    static ChannelLayout fromName(const QString &name);
    // "%02d" followed by the two-letter kind ("dc", "wb", "tx").
    static QByteArray chunkId(int stream, const char *kind);
};

// Reads 4 bytes from `in` and compares them with the 4-byte id `expected`
// (exact, case-sensitive). When `out` is given the bytes read are copied to
// it. Returns 1 on a match, 0 otherwise (also when fewer than 4 bytes remain).
int tag(QIODevice &in, const char *expected, QIODevice *out = nullptr);

inline quint32 readLE32(const char *p) {
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    return quint32(u[0]) | quint32(u[1]) << 8 | quint32(u[2]) << 16 | quint32(u[3]) << 24;
}

inline void appendLE32(QByteArray &out, quint32 v) {
    const char bytes[4] = {char(v & 0xff), char((v >> 8) & 0xff), char((v >> 16) & 0xff),
                           char((v >> 24) & 0xff)};
    out.append(bytes, 4);
}

inline void appendLE16(QByteArray &out, quint16 v) {
    const char bytes[2] = {char(v & 0xff), char((v >> 8) & 0xff)};
    out.append(bytes, 2);
}

} // namespace velmora::avi
