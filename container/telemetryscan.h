#pragma once

// Finds the telemetry chunks of a recording without reading its video or
// audio: through the "idx1" index when it describes the data list exactly,
// otherwise by walking the data list chunk by chunk. Only chunk headers, the
// index and the 400-byte telemetry bodies are read; everything else is
// seeked over.
#include <QByteArray>
#include <QIODevice>
#include <QVector>
#include <atomic>

namespace velmora {

// Positioned reads from an open device, counting the bytes they read. Open
// files unbuffered, so the count is what the file system delivers.
class RecordingReader {
public:
    explicit RecordingReader(QIODevice &device);

    qint64 size() const { return m_size; }
    // Reads exactly `length` bytes at `pos`; false when the device ends first.
    bool readAt(qint64 pos, char *out, qint64 length);
    qint64 bytesRead() const { return m_bytesRead; }

private:
    QIODevice &m_device;
    int m_handle = -1; // a file's descriptor: one pread per read
    qint64 m_size = 0;
    qint64 m_bytesRead = 0;
};

struct TelemetryChunks {
    // File offsets of the ids of the telemetry chunks, in file order, whole
    // inside the file. Those of the walk carry the text id and size 400;
    // those taken from the index are checked as readRecord() reads them.
    QVector<qint64> positions;
    bool cancelled = false;
    bool usedIndex = false; // taken from a consistent "idx1"
    int resyncs = 0;        // damaged places searched past
};

class TelemetryScanner {
public:
    // `cancelled` may be null; it is polled between chunks and buffer reads.
    TelemetryScanner(RecordingReader &reader, QByteArray textId,
                     const std::atomic<bool> *cancelled = nullptr);

    // Ends, like the camera's own index, at the first telemetry chunk whose
    // size is not 400, at "idx1" or at the end of the file. A damaged place
    // (an unknown id, a size past the end of the file) is searched past for
    // the next text id followed by the size 400.
    TelemetryChunks locate();
    // The same, never trusting the index: for an index that readRecord()
    // found wrong.
    TelemetryChunks walkDataList();

    // The 400-byte body of the telemetry chunk at `position`; empty if the
    // chunk there has another id or size, or cannot be read.
    QByteArray readRecord(qint64 position);

private:
    struct MoviList {
        qint64 typePos = -1; // offset of the "movi" list type
        quint32 size = 0;    // list size field: type plus data chunks
    };

    bool isCancelled() const;
    MoviList findMovi();
    bool fromIndex(const MoviList &movi, TelemetryChunks &out);
    TelemetryChunks walkDataList(const MoviList &movi);
    void walk(qint64 pos, TelemetryChunks &out);
    // First offset >= from holding the text id and the size 400 with its whole
    // body in the file; -1 if none (or cancelled).
    qint64 searchRecord(qint64 from);

    RecordingReader &m_reader;
    QByteArray m_textId;
    const std::atomic<bool> *m_cancelled;
};

} // namespace velmora
