#pragma once

// The file an export writes: a temporary file in the destination folder that
// takes its final name only in commit(), and is removed if the export stops
// before. Every write is checked.
//
// Bytes the exporter composes (chunk headers, the index) collect in a small
// buffer. Chunk bodies are copied from the source by the kernel where it can:
// spliced into a pipe and from there into the file, so they never pass
// through this process. Where either file system cannot splice, the bodies
// are read into the buffer and written out instead.
#include <QByteArray>
#include <QString>

namespace velmora {

class ExportOutput {
public:
    enum class BodyCopy {
        Kernel,   // spliced where the file systems allow it
        Buffered, // always read into the buffer
    };
    explicit ExportOutput(BodyCopy copy = BodyCopy::Kernel)
        : m_copy(copy) {}
    ~ExportOutput();
    ExportOutput(const ExportOutput &) = delete;
    ExportOutput &operator=(const ExportOutput &) = delete;

    // Creates the temporary file next to `finalName`.
    bool open(const QByteArray &finalName);

    int descriptor() const { return m_fd; }
    // Bytes written so far, buffered or not.
    qint64 position() const { return m_flushed + m_buffer.size(); }
    // Why the last write failed.
    const QString &error() const { return m_error; }
    // Why the last copy from the source failed; empty when it did not.
    const QString &readError() const { return m_readError; }

    void append(const char *bytes, int length) { m_buffer.append(bytes, length); }
    void append(const QByteArray &bytes) { m_buffer.append(bytes); }
    void appendLE32(quint32 value);

    // Appends `length` bytes of `sourceFd` from `at`. False on a read error
    // (readError() says why, including a source that ended too early) or a
    // write error (error()).
    bool copyFrom(int sourceFd, qint64 at, qint64 length);

    // Writes the buffer out once it is full.
    bool spill() { return m_buffer.size() < BufferSize || flush(); }
    // Writes everything appended so far into the file.
    bool flush();
    // Overwrites a 32-bit size field already flushed.
    bool patchLE32(qint64 pos, quint32 value);

    // Flushes and gives the file its final name, replacing any file of that
    // name. Like cp, it leaves the writing to the disk to the system and does
    // not wait for it: the recording it came from stays where it was.
    bool commit();

private:
    static constexpr int BufferSize = 1 << 20;

    bool readInto(int sourceFd, qint64 at, qint64 length);
    bool spliceInto(int sourceFd, qint64 at, qint64 length);
    bool pushBufferToPipe();
    bool drainPipe();
    bool leavePipe();
    bool fail();
    bool readFailed(const QString &why);

    BodyCopy m_copy;
    QByteArray m_finalName;
    QByteArray m_tempName;
    int m_fd = -1;
    int m_pipe[2] = {-1, -1}; // closed once splicing is given up
    qint64 m_inPipe = 0;      // bytes in the pipe, not yet in the file
    QByteArray m_buffer;
    qint64 m_flushed = 0; // bytes that left the buffer
    QString m_error;
    QString m_readError;
};

} // namespace velmora
