#include "paddedrecording.h"

#include <QtEndian>
#include <cstring>

namespace velmora {

namespace {

// Reads an id and a size at `at`; false past the end of the file.
bool chunkAt(QFile &file, qint64 at, char id[4], quint32 *size) {
    char header[8];
    if (!file.seek(at) || file.read(header, 8) != 8)
        return false;
    std::memcpy(id, header, 4);
    *size = qFromLittleEndian<quint32>(header + 4);
    return true;
}

} // namespace

bool PaddedRecording::open(const QString &path) {
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly))
        return false;
    m_insertedAt = findInsertion();
    m_size = dataEnd() + (m_insertedAt >= 0 ? 1 : 0);
    m_position = 0;
    return m_file.seek(0);
}

// Walks the top-level chunks after "RIFF....AVI " to the "movi" list, first
// as the camera writes them (unpadded), then padded as other writers do.
qint64 PaddedRecording::findInsertion() {
    const qint64 fileSize = m_file.size();
    for (const bool padded : {false, true}) {
        qint64 at = 12;
        char id[4];
        quint32 size = 0;
        while (at + 12 <= fileSize && chunkAt(m_file, at, id, &size)) {
            char type[4] = {};
            const bool isList = std::memcmp(id, "LIST", 4) == 0 && m_file.read(type, 4) == 4;
            if (isList && std::memcmp(type, "movi", 4) == 0) {
                const qint64 end = at + 8 + qint64(size);
                char next[4];
                quint32 ignored = 0;
                if ((size & 1) && chunkAt(m_file, end, next, &ignored) &&
                    std::memcmp(next, "idx1", 4) == 0)
                    return end;
                return -1;
            }
            at += 8 + qint64(size) + (padded ? (size & 1) : 0);
        }
    }
    return -1;
}

// Where the recording ends. A damaged card, or a file the camera made room
// for in advance, can hold zeros after the RIFF list; FFmpeg searches them
// byte by byte for a chunk, a minute for a few gigabytes. When zeros follow
// the RIFF list's end, the file reads as if it ended there.
qint64 PaddedRecording::dataEnd() {
    const qint64 fileSize = m_file.size();
    char id[4];
    quint32 size = 0;
    if (!chunkAt(m_file, 0, id, &size) || std::memcmp(id, "RIFF", 4) != 0)
        return fileSize;
    const qint64 end = 8 + qint64(size);
    const char none[4] = {};
    quint32 ignored = 0;
    if (end <= 12 || end >= fileSize || !chunkAt(m_file, end, id, &ignored) ||
        std::memcmp(id, none, 4) != 0)
        return fileSize;
    return end;
}

qint64 PaddedRecording::read(char *out, qint64 length) {
    if (length <= 0 || m_position >= m_size)
        return 0;
    length = qMin(length, m_size - m_position);
    qint64 done = 0;
    if (m_insertedAt < 0 || m_position < m_insertedAt) {
        const qint64 before = m_insertedAt < 0 ? length : qMin(length, m_insertedAt - m_position);
        if (!m_file.seek(m_position))
            return -1;
        done = m_file.read(out, before);
        if (done < 0)
            return -1;
        m_position += done;
        if (done < before || done == length)
            return done;
    }
    if (m_position == m_insertedAt) {
        out[done++] = '\0';
        ++m_position;
    }
    if (done < length) {
        if (!m_file.seek(m_position - 1))
            return done > 0 ? done : -1;
        const qint64 n = m_file.read(out + done, length - done);
        if (n < 0)
            return done > 0 ? done : -1;
        done += n;
        m_position += n;
    }
    return done;
}

bool PaddedRecording::seek(qint64 position) {
    if (position < 0 || position > m_size)
        return false;
    m_position = position;
    return true;
}

} // namespace velmora
