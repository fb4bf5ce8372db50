#include "durationwalk.h"

#include "avilayout.h"

#include <QFile>
#include <QIODevice>
#include <cstring>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <unistd.h>
#endif

namespace velmora {

namespace {

constexpr quint32 fourCc(const char (&id)[5]) {
    return quint32(quint8(id[0])) | quint32(quint8(id[1])) << 8 | quint32(quint8(id[2])) << 16 |
           quint32(quint8(id[3])) << 24;
}

constexpr quint32 FrontVideo = fourCc("00dc");
// Chunks that are skipped without being counted; any other id ends the walk.
constexpr quint32 Skipped[] = {fourCc("01dc"), fourCc("02dc"), fourCc("03dc"), fourCc("01wb"),
                               fourCc("02wb"), fourCc("03wb"), fourCc("04wb"), fourCc("02tx"),
                               fourCc("03tx"), fourCc("04tx"), fourCc("05tx")};

bool isSkipped(quint32 id) {
    for (quint32 skipped : Skipped) {
        if (id == skipped)
            return true;
    }
    return false;
}

// Reads the header field by field. The first mismatch or short read makes
// every later step fail.
class HeaderReader {
public:
    HeaderReader(QIODevice &device, qint64 end)
        : m_device(device)
        , m_end(end) {}

    bool ok() const { return m_ok; }
    void expect(const char *id) {
        if (m_ok) {
            m_ok = avi::tag(m_device, id) == 1;
            m_position += 4;
        }
    }
    void skip(qint64 bytes) {
        m_position += bytes;
        if (m_ok)
            m_ok = m_position <= m_end && m_device.seek(m_position);
    }
    quint32 word() {
        char bytes[4] = {};
        if (m_ok)
            m_ok = m_device.read(bytes, 4) == 4;
        m_position += 4;
        return avi::readLE32(bytes);
    }
    qint64 position() const { return m_position; }

    // One video stream list: "LIST", size, "strl", "strh", size, "vids",
    // "hev1", 48 bytes, "strf", size, 16 bytes, "hev1", 20 bytes.
    void videoStreamList() {
        expect("LIST");
        skip(4);
        expect("strl");
        expect("strh");
        skip(4);
        expect("vids");
        expect("hev1");
        skip(48);
        expect("strf");
        skip(4);
        skip(16);
        expect("hev1");
        skip(20);
    }

private:
    QIODevice &m_device;
    qint64 m_end;
    qint64 m_position = 0;
    bool m_ok = true;
};

// Reads `size` bytes at `position`. On a local file this is one pread() per
// chunk, half the system calls of a seek and a read.
bool readAt(QIODevice &device, qint64 position, char *data, qint64 size) {
#ifdef Q_OS_UNIX
    if (auto *file = qobject_cast<QFile *>(&device); file && file->handle() >= 0) {
        ssize_t n;
        do {
            n = ::pread(file->handle(), data, size_t(size), off_t(position));
        } while (n < 0 && errno == EINTR);
        return n == size;
    }
#endif
    return device.seek(position) && device.read(data, size) == size;
}

} // namespace

DurationWalkResult DurationWalk::walkFile(const QString &path, NameGate gate) {
    if (gate == NameGate::RequireT2 && !path.contains(QLatin1String("T_2")))
        return {};
    // Unbuffered: the walk reads 8 bytes per chunk and seeks over the body, so
    // a read-ahead buffer would only copy bytes that are skipped.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return {};
    return walkDevice(file);
}

DurationWalkResult DurationWalk::walkDevice(QIODevice &device) {
    DurationWalkResult result;
    result.opened = true;
    const qint64 end = device.size();
    if (!device.seek(0))
        return result;

    HeaderReader header(device, end);
    header.expect("RIFF");
    header.skip(4);
    header.expect("AVI ");
    header.expect("LIST");
    header.skip(4);
    header.expect("hdrl");
    header.expect("avih");
    header.skip(4);
    header.skip(avi::DwStreamsOffsetInMainBody);
    const quint32 streams = header.word();
    header.skip(avi::MainHeaderBodySize - avi::DwStreamsOffsetInMainBody - 4);

    // One video list, then one more for every stream beyond the third: the
    // header is taken to hold max(1, dwStreams - 2) video lists.
    header.videoStreamList();
    for (quint32 counter = 3; counter < streams && header.ok(); ++counter)
        header.videoStreamList();

    header.expect("LIST"); // audio: any handler
    header.skip(4);
    header.expect("strl");
    header.expect("strh");
    header.skip(4);
    header.expect("auds");
    header.skip(4);
    header.skip(48);
    header.expect("strf");
    header.skip(4);
    header.skip(avi::WaveFormatSize);

    header.expect("LIST"); // text: "txts" / "XBLB", "strf" without a body
    header.skip(4);
    header.expect("strl");
    header.expect("strh");
    header.skip(4);
    header.expect("txts");
    header.expect("XBLB");
    header.skip(48);
    header.expect("strf");
    header.skip(4);

    header.expect("LIST");
    header.skip(4);
    header.expect("movi");
    if (!header.ok())
        return result;
    result.headerValid = true;

    // The data list: count "00dc", skip the other known chunks, stop at any
    // other id (normally "idx1") or at the end of the file. A chunk whose
    // header is complete counts even when its body is cut short.
    qint64 position = header.position();
    qint64 frames = 0;
    char chunkHeader[avi::ChunkHeaderSize];
    while (position + avi::ChunkHeaderSize <= end) {
        if (!readAt(device, position, chunkHeader, avi::ChunkHeaderSize))
            break;
        const quint32 id = avi::readLE32(chunkHeader);
        if (id == FrontVideo)
            ++frames;
        else if (!isSkipped(id))
            break;
        position += avi::ChunkHeaderSize + qint64(avi::readLE32(chunkHeader + 4));
    }
    result.frames = frames;
    result.seconds = float(double(frames) / double(avi::FramesPerSecond));
    return result;
}

} // namespace velmora
