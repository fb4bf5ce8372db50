#include "telemetryscan.h"

#include "avilayout.h"

#include <QFileDevice>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace velmora {

namespace {

constexpr qint64 SearchBlockSize = 64 * 1024;
constexpr qint64 IndexBlockEntries = 4096;
constexpr int TopLevelChunkLimit = 64;
constexpr qint64 RecordChunkSize = avi::ChunkHeaderSize + avi::TelemetryRecordSize;

// Two digits and two lower-case letters: a data chunk of some stream.
bool isStreamChunkId(const char *id) {
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    auto lower = [](char c) { return c >= 'a' && c <= 'z'; };
    return digit(id[0]) && digit(id[1]) && lower(id[2]) && lower(id[3]);
}

} // namespace

RecordingReader::RecordingReader(QIODevice &device)
    : m_device(device)
    , m_size(device.size()) {
    // An unbuffered file is read straight through its descriptor.
    auto *file = qobject_cast<QFileDevice *>(&device);
    if (file && device.openMode().testFlag(QIODevice::Unbuffered))
        m_handle = file->handle();
}

bool RecordingReader::readAt(qint64 pos, char *out, qint64 length) {
    if (pos < 0 || length < 0 || pos > m_size || length > m_size - pos)
        return false;
    if (m_handle >= 0) {
        qint64 done = 0;
        while (done < length) {
            const ssize_t got = ::pread(m_handle, out + done, size_t(length - done), pos + done);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            done += got;
        }
        m_bytesRead += done;
        return done == length;
    }
    if (!m_device.seek(pos))
        return false;
    qint64 done = 0;
    while (done < length) {
        const qint64 got = m_device.read(out + done, length - done);
        if (got <= 0)
            break;
        done += got;
    }
    m_bytesRead += done;
    return done == length;
}

TelemetryScanner::TelemetryScanner(RecordingReader &reader, QByteArray textId,
                                   const std::atomic<bool> *cancelled)
    : m_reader(reader)
    , m_textId(std::move(textId))
    , m_cancelled(cancelled) {}

bool TelemetryScanner::isCancelled() const {
    return m_cancelled && m_cancelled->load(std::memory_order_relaxed);
}

TelemetryChunks TelemetryScanner::locate() {
    TelemetryChunks out;
    if (m_textId.size() != 4)
        return out; // a name without channel marker: nothing to look for

    const MoviList movi = findMovi();
    if (movi.typePos >= 0 && fromIndex(movi, out))
        return out;
    return walkDataList(movi);
}

TelemetryChunks TelemetryScanner::walkDataList() {
    if (m_textId.size() != 4)
        return TelemetryChunks();
    return walkDataList(findMovi());
}

TelemetryChunks TelemetryScanner::walkDataList(const MoviList &movi) {
    TelemetryChunks out;
    if (movi.typePos >= 0) {
        walk(movi.typePos + 4, out);
    } else {
        // No data list to be found: search the file from its start.
        ++out.resyncs;
        const qint64 first = searchRecord(0);
        if (first >= 0)
            walk(first, out);
    }
    out.cancelled = isCancelled();
    if (out.cancelled)
        out.positions.clear();
    return out;
}

QByteArray TelemetryScanner::readRecord(qint64 position) {
    // Header and body in one read.
    QByteArray chunk(int(RecordChunkSize), Qt::Uninitialized);
    if (!m_reader.readAt(position, chunk.data(), chunk.size()) ||
        std::memcmp(chunk.constData(), m_textId.constData(), 4) != 0 ||
        avi::readLE32(chunk.constData() + 4) != quint32(avi::TelemetryRecordSize))
        return QByteArray();
    return chunk.mid(avi::ChunkHeaderSize);
}

TelemetryScanner::MoviList TelemetryScanner::findMovi() {
    MoviList movi;
    char head[12];
    if (!m_reader.readAt(0, head, 12) || std::memcmp(head, "RIFF", 4) != 0 ||
        std::memcmp(head + 8, "AVI ", 4) != 0)
        return movi;
    // Top-level chunks follow each other without padding: "LIST" "hdrl",
    // then normally "LIST" "movi".
    qint64 pos = avi::RiffHeaderSize;
    for (int i = 0; i < TopLevelChunkLimit; ++i) {
        if (!m_reader.readAt(pos, head, 12))
            return movi;
        const quint32 size = avi::readLE32(head + 4);
        if (std::memcmp(head, "LIST", 4) == 0 && std::memcmp(head + 8, "movi", 4) == 0) {
            movi.typePos = pos + 8;
            movi.size = size;
            return movi;
        }
        pos += avi::ChunkHeaderSize + qint64(size);
    }
    return movi;
}

// Takes the telemetry chunks from "idx1" when the index describes the data
// list exactly: entries in order, each chunk starting where the one before
// it ends, and the last one ending with the list. Whether each telemetry
// entry's chunk carries the text id and size 400 is checked as it is read.
bool TelemetryScanner::fromIndex(const MoviList &movi, TelemetryChunks &out) {
    const qint64 fileSize = m_reader.size();
    const qint64 indexPos = movi.typePos + qint64(movi.size);
    char head[8];
    if (!m_reader.readAt(indexPos, head, 8) || std::memcmp(head, "idx1", 4) != 0)
        return false;
    const qint64 indexSize = avi::readLE32(head + 4);
    if (indexSize % avi::IndexEntrySize != 0 || indexSize > fileSize - indexPos - 8)
        return false;

    const qint64 entries = indexSize / avi::IndexEntrySize;
    qint64 expected = 4; // the first chunk follows the list type
    qint64 endedAt = -1; // a telemetry entry of another size: the list ends there
    qint64 endedLength = 0;
    QByteArray block;
    for (qint64 first = 0; first < entries; first += IndexBlockEntries) {
        if (isCancelled())
            return false;
        const qint64 count = std::min(IndexBlockEntries, entries - first);
        block.resize(int(count * avi::IndexEntrySize));
        if (!m_reader.readAt(indexPos + 8 + first * avi::IndexEntrySize, block.data(),
                             block.size()))
            return false;
        for (qint64 i = 0; i < count; ++i) {
            const char *entry = block.constData() + i * avi::IndexEntrySize;
            const qint64 offset = avi::readLE32(entry + 8);
            const qint64 length = avi::readLE32(entry + 12);
            if (offset != expected)
                return false;
            expected = offset + avi::ChunkHeaderSize + length;
            if (expected > qint64(movi.size))
                return false;
            if (endedAt >= 0 || std::memcmp(entry, m_textId.constData(), 4) != 0)
                continue;
            if (length != avi::TelemetryRecordSize) {
                endedAt = movi.typePos + offset;
                endedLength = length;
            } else {
                out.positions.append(movi.typePos + offset);
            }
        }
    }
    if (expected != qint64(movi.size) ||
        (!out.positions.isEmpty() && out.positions.last() + RecordChunkSize > fileSize))
        return false;
    // The chunk that ends the list must be in the file as the index says.
    if (endedAt >= 0 &&
        (!m_reader.readAt(endedAt, head, 8) || std::memcmp(head, m_textId.constData(), 4) != 0 ||
         avi::readLE32(head + 4) != quint32(endedLength)))
        return false;
    out.usedIndex = true;
    return true;
}

void TelemetryScanner::walk(qint64 pos, TelemetryChunks &out) {
    const qint64 fileSize = m_reader.size();
    char head[8];
    while (pos >= 0 && !isCancelled()) {
        if (!m_reader.readAt(pos, head, 8))
            return; // the end of the file
        if (std::memcmp(head, "idx1", 4) == 0)
            return;
        const qint64 size = avi::readLE32(head + 4);
        const qint64 end = pos + avi::ChunkHeaderSize + size;
        if (std::memcmp(head, m_textId.constData(), 4) == 0) {
            if (size != avi::TelemetryRecordSize)
                return; // as the camera's reader: the telemetry ends here
            if (end <= fileSize) {
                out.positions.append(pos);
                pos = end;
                continue;
            }
        } else if (isStreamChunkId(head) && end <= fileSize) {
            pos = end;
            continue;
        }
        // An unknown id or a size past the end of the file.
        ++out.resyncs;
        pos = searchRecord(pos + 1);
    }
}

qint64 TelemetryScanner::searchRecord(qint64 from) {
    QByteArray pattern = m_textId;
    avi::appendLE32(pattern, avi::TelemetryRecordSize);
    const qint64 fileSize = m_reader.size();
    const qint64 overlap = pattern.size() - 1;
    QByteArray block;
    for (qint64 start = from; start + pattern.size() <= fileSize; start += SearchBlockSize) {
        if (isCancelled())
            return -1;
        const qint64 length = std::min(SearchBlockSize + overlap, fileSize - start);
        block.resize(int(length));
        if (!m_reader.readAt(start, block.data(), length))
            return -1;
        for (int at = block.indexOf(pattern); at >= 0; at = block.indexOf(pattern, at + 1)) {
            if (at >= SearchBlockSize)
                break; // the next block starts here and finds it again
            if (start + at + RecordChunkSize <= fileSize)
                return start + at;
        }
    }
    return -1;
}

} // namespace velmora
