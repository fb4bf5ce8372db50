#include "channelexport.h"

#include "containerlog.h"
#include "exportoutput.h"
#include "posixio.h"

#include "avilayout.h"

#include <QByteArray>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QVector>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {

using Status = ChannelExportResult::Status;

constexpr int IndexEntriesPerRead = 4096;
constexpr int MaxVideoStreams = 4; // "00dc" to "03dc" are taken as video

void log(const char *label, const QString &value) {
    qCDebug(lcExport).noquote() << QLatin1String(label) + value;
}

using posixio::systemError;

bool hasId(const QByteArray &block, int offset, const char *id) {
    return std::memcmp(block.constData() + offset, id, 4) == 0;
}

// The header blocks stand where the layout puts them for n video streams.
bool headerFollowsLayout(const QByteArray &h, int n) {
    const auto isStreamList = [&](int at, const char *type) {
        return hasId(h, at, "LIST") && hasId(h, at + 8, "strl") && hasId(h, at + 12, "strh") &&
               hasId(h, at + 20, type);
    };
    if (!hasId(h, 0, "RIFF") || !hasId(h, 8, "AVI ") || !hasId(h, 12, "LIST") ||
        !hasId(h, 20, "hdrl") || !hasId(h, 24, "avih"))
        return false;
    for (int i = 0; i < n; ++i) {
        if (!isStreamList(avi::FirstVideoListOffset + avi::VideoStreamListSize * i, "vids"))
            return false;
    }
    return isStreamList(avi::AudioListOffset(n), "auds") &&
           isStreamList(avi::TextListOffset(n), "txts") &&
           hasId(h, avi::MoviListOffset(n), "LIST") && hasId(h, avi::MoviListOffset(n) + 8, "movi");
}

// Reads exactly `length` bytes at `pos`, retrying short reads. Returns the
// bytes read: fewer only at the end of the file; -1 on an error.
qint64 readAt(int fd, char *out, qint64 length, qint64 pos) {
    qint64 done = 0;
    while (done < length) {
        const ssize_t n = posixio::pread(fd, out + done, size_t(length - done), off_t(pos + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        done += n;
    }
    return done;
}

class Source {
public:
    ~Source() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool open(const QByteArray &name) {
        m_fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
        struct stat info {};
        if (m_fd < 0 || ::fstat(m_fd, &info) != 0)
            return false;
        m_size = info.st_size;
        ::posix_fadvise(m_fd, 0, 0, POSIX_FADV_SEQUENTIAL);
        return true;
    }
    int descriptor() const { return m_fd; }
    qint64 size() const { return m_size; }

private:
    int m_fd = -1;
    qint64 m_size = 0;
};

// Reads chunk headers with a little of what follows them: after a small
// body (telemetry, sound) the next header, and the body itself, are then at
// hand without another read.
class HeaderReader {
public:
    explicit HeaderReader(int fd)
        : m_fd(fd) {}

    // The `length` bytes at `pos`, read with what follows them unless they
    // were read already; null at the end of the file, or with *failed set
    // when the read failed.
    const char *at(qint64 pos, qint64 length, bool *failed) {
        *failed = false;
        if (const char *bytes = held(pos, length))
            return bytes;
        const qint64 got = readAt(m_fd, m_window, Window, pos);
        m_start = pos;
        m_size = qMax<qint64>(got, 0);
        *failed = got < 0;
        return got >= length ? m_window : nullptr;
    }

    // The bytes at `pos` if they were read already, else null.
    const char *held(qint64 pos, qint64 length) const {
        if (pos < m_start || pos + length > m_start + m_size)
            return nullptr;
        return m_window + (pos - m_start);
    }

private:
    static constexpr qint64 Window = 512;
    int m_fd;
    char m_window[Window];
    qint64 m_start = 0;
    qint64 m_size = 0;
};

enum class Kind { Video, Audio, Text, Other };

Kind kindOf(const char *id) {
    if (id[2] == 'd' && id[3] == 'c' && id[0] == '0' && id[1] >= '0' &&
        id[1] < '0' + MaxVideoStreams)
        return Kind::Video;
    if (id[2] == 'w' && id[3] == 'b')
        return Kind::Audio;
    if (id[2] == 't' && id[3] == 'x')
        return Kind::Text;
    return Kind::Other;
}

// One export: the source's header blocks, the selection, and the output
// position of every data chunk written.
class Exporter {
public:
    Exporter(Source &source, ExportOutput &output, int videoStreams, int channel,
             const std::function<bool()> &stop)
        : m_source(source)
        , m_output(output)
        , m_videoStreams(videoStreams)
        , m_stop(stop) {
        m_selected[channel] = true;
        m_videoIds[channel] = avi::ChannelLayout::chunkId(0, "dc");
        m_audioId = avi::ChannelLayout::chunkId(m_selectedCount, "wb");
        m_textId = avi::ChannelLayout::chunkId(m_selectedCount + 1, "tx");
    }

    void writeHeader(const QByteArray &source) {
        const int n = m_videoStreams;
        m_output.append("RIFF", 4);
        m_output.appendLE32(0x00754646); // set when the file is complete
        m_output.append("AVI LIST", 8);
        m_output.appendLE32(quint32(avi::HeaderListSize(m_selectedCount)));
        m_output.append("hdrl", 4);
        const int streamsAt = 24 + avi::ChunkHeaderSize + avi::DwStreamsOffsetInMainBody;
        m_output.append(source.constData() + 24, streamsAt - 24);
        m_output.appendLE32(quint32(m_selectedCount + 2));
        m_output.append(source.constData() + streamsAt + 4,
                        24 + avi::MainHeaderSize - streamsAt - 4);
        for (int i = 0; i < n; ++i) {
            if (m_selected[i])
                m_output.append(source.constData() + avi::FirstVideoListOffset +
                                    avi::VideoStreamListSize * i,
                                avi::VideoStreamListSize);
        }
        m_output.append(source.constData() + avi::AudioListOffset(n),
                        avi::AudioStreamListSize + avi::TextStreamListSize);
        m_output.append("LIST", 4);
        m_moviSizeAt = m_output.position();
        m_output.appendLE32(0x00752FA0); // set after the data chunks
        m_output.append("movi", 4);
    }

    // Copies the data chunks from the first one at `pos` until an id that is
    // not video, audio or text, or the end of the file. Returns false on a
    // read or write error; *indexAt is where the source's index entries start,
    // or -1 when the data list does not end in "idx1".
    bool copyData(qint64 pos, qint64 *indexAt) {
        *indexAt = -1;
        const int fd = m_source.descriptor();
        const qint64 fileSize = m_source.size();
        HeaderReader reader(fd);
        bool failed = false;
        const char *header = reader.at(pos, avi::ChunkHeaderSize, &failed);
        while (true) {
            if (failed)
                return readFailed();
            if (stopped())
                return false;
            if (!header)
                return true; // the end of the file
            const quint32 size = avi::readLE32(header + 4);
            const qint64 bodyAt = pos + avi::ChunkHeaderSize;
            const QByteArray newId = renamed(header);
            if (newId.isNull() && kindOf(header) == Kind::Other) {
                if (std::memcmp(header, "idx1", 4) == 0)
                    *indexAt = bodyAt;
                return true;
            }
            if (bodyAt + size > fileSize)
                return true; // cut short: the last whole chunk ends the copy
            if (!newId.isNull()) {
                m_chunkPositions.append(m_output.position());
                m_output.append(newId);
                m_output.appendLE32(size);
                // A small body read with its header is written from there.
                if (const char *body = reader.held(bodyAt, size))
                    m_output.append(body, int(size));
                else if (!m_output.copyFrom(fd, bodyAt, size))
                    return false;
            }
            pos = bodyAt + size;
            header = reader.at(pos, avi::ChunkHeaderSize, &failed);
        }
    }

    // Writes "idx1" with the source's entries from `indexAt` (-1: none),
    // renamed and pointing at the chunks written, then completes the sizes.
    bool writeIndex(qint64 indexAt) {
        const qint64 dataEnd = m_output.position();
        m_output.append("idx1", 4);
        const qint64 indexSizeAt = m_output.position();
        m_output.appendLE32(0);
        const int fd = m_source.descriptor();
        QByteArray entries(IndexEntriesPerRead * avi::IndexEntrySize, '\0');
        bool more = indexAt >= 0;
        for (qint64 at = indexAt; more; at += entries.size()) {
            if (stopped())
                return false;
            const qint64 got = readAt(fd, entries.data(), entries.size(), at);
            if (got < 0)
                return readFailed();
            more = got == entries.size();
            for (qint64 e = 0; e + avi::IndexEntrySize <= got; e += avi::IndexEntrySize) {
                const char *entry = entries.constData() + e;
                const QByteArray newId = renamed(entry);
                if (newId.isNull() && kindOf(entry) != Kind::Video) {
                    more = false;
                    break;
                }
                if (newId.isNull())
                    continue;
                // Entry i belongs to chunk i; a longer index than the chunks
                // copied (a damaged source) ends here.
                if (m_written >= m_chunkPositions.size()) {
                    more = false;
                    break;
                }
                m_output.append(newId);
                m_output.append(entry + 4, 4); // flags
                m_output.appendLE32(
                    quint32(m_chunkPositions[int(m_written)] - m_chunkPositions[0] + 4));
                m_output.append(entry + 12, 4); // length
                ++m_written;
                if (!m_output.spill())
                    return false;
            }
        }
        const qint64 end = m_output.position();
        return m_output.flush() &&
               m_output.patchLE32(m_moviSizeAt, quint32(dataEnd - m_moviSizeAt - 4)) &&
               m_output.patchLE32(indexSizeAt, quint32(end - indexSizeAt - 4)) &&
               m_output.patchLE32(4, quint32(end - 8));
    }

    qint64 chunks() const { return m_chunkPositions.size(); }
    qint64 indexEntries() const { return m_written; }
    bool wasStopped() const { return m_stopped; }
    const QString &readError() const {
        return m_readError.isEmpty() ? m_output.readError() : m_readError;
    }

private:
    // The chunk's id in the output, or a null array when it is dropped.
    QByteArray renamed(const char *id) const {
        switch (kindOf(id)) {
        case Kind::Video:
            return m_videoIds[id[1] - '0'];
        case Kind::Audio:
            return m_audioId;
        case Kind::Text:
            return m_textId;
        case Kind::Other:
            break;
        }
        return QByteArray();
    }

    // Asks the caller's stop check; once true, it stays true.
    bool stopped() {
        m_stopped = m_stopped || (m_stop && m_stop());
        return m_stopped;
    }

    bool readFailed(const QString &why = systemError()) {
        m_readError = why;
        return false;
    }

    Source &m_source;
    ExportOutput &m_output;
    int m_videoStreams;
    const std::function<bool()> &m_stop;
    bool m_stopped = false;
    bool m_selected[MaxVideoStreams] = {};
    int m_selectedCount = 1;
    QByteArray m_videoIds[MaxVideoStreams]; // null for the streams dropped
    QByteArray m_audioId;
    QByteArray m_textId;
    QVector<qint64> m_chunkPositions; // output offset of every data chunk written
    qint64 m_written = 0;             // index entries written
    qint64 m_moviSizeAt = 0;
    QString m_readError;
};

ChannelExportResult refuse(Status status, const QString &why, const QString &source) {
    log("setRunMake : refused ", source + QLatin1String(": ") + why);
    ChannelExportResult result;
    result.status = status;
    result.error = why;
    return result;
}

} // namespace

QString ChannelExport::channelWord(int channel) {
    switch (channel) {
    case 0:
        return QStringLiteral("front");
    case 1:
        return QStringLiteral("CAM1");
    case 2:
        return QStringLiteral("CAM2");
    default:
        return QString();
    }
}

QString ChannelExport::destinationPath(const QString &folder, const QString &name, int channel) {
    return folder + QLatin1Char('/') + name + QLatin1Char('_') + channelWord(channel) +
           QLatin1String(".avi");
}

ChannelExportResult ChannelExport::run(const QString &source, const QString &destination,
                                       int channel, const std::function<bool()> &stop) {
    log("setRunMake : start", source);
    log("setRunMake : str", destination);

    const int n = avi::ChannelLayout::fromName(QFileInfo(source).fileName()).videoStreams;
    if (n == 0)
        return refuse(Status::NotARecording,
                      QStringLiteral("no channel marker _T_, _D_ or _S_ in the name"), source);
    if (channel < 0 || channel >= n)
        return refuse(Status::MissingChannel,
                      QStringLiteral("no channel %1 in a recording of %2").arg(channel).arg(n),
                      source);

    const QByteArray sourceName = QFile::encodeName(source);
    log("fReBA.constData() : ", QFile::decodeName(sourceName));
    Source in;
    const bool opened = in.open(sourceName);
    log("fRe : ", QString::number(in.descriptor()));
    if (!opened)
        return refuse(Status::SourceUnreadable, systemError(), source);

    const int headerSize = avi::FirstDataChunkOffset(n);
    QByteArray header(headerSize, '\0');
    const qint64 got = readAt(in.descriptor(), header.data(), headerSize, 0);
    if (got < 0)
        return refuse(Status::SourceUnreadable, systemError(), source);
    if (got < headerSize || !headerFollowsLayout(header, n))
        return refuse(Status::NotARecording,
                      QStringLiteral("the header does not follow the camera's layout"), source);

    const QByteArray destinationName = QFile::encodeName(destination);
    log("fWrBA.constData() : ", QFile::decodeName(destinationName));
    ExportOutput out;
    const bool isFolder = QFileInfo(destination).isDir();
    const bool created = !isFolder && out.open(destinationName);
    log("fWr : ", QString::number(out.descriptor()));
    if (!created)
        return refuse(
            Status::WriteFailed,
            QStringLiteral("cannot write %1: %2")
                .arg(destination, isFolder ? QStringLiteral("it is a folder") : out.error()),
            source);

    Exporter exporter(in, out, n, channel, stop);
    ChannelExportResult result;
    log("setRunMake1 : str", destination);
    exporter.writeHeader(header);
    log("setRunMake2 : str", destination);
    qint64 indexAt = -1;
    bool done = exporter.copyData(headerSize, &indexAt);
    if (done) {
        log("setRunMake3 : str", destination);
        done = exporter.writeIndex(indexAt);
    }
    if (done) {
        result.bytes = out.position();
        done = out.commit();
    }
    log("setRunMake4 : str", destination);
    if (!done) {
        if (exporter.wasStopped())
            return refuse(Status::Cancelled, QStringLiteral("cancelled"), source);
        if (!exporter.readError().isEmpty())
            return refuse(Status::SourceUnreadable, exporter.readError(), source);
        return refuse(Status::WriteFailed,
                      QStringLiteral("cannot write %1: %2").arg(destination, out.error()), source);
    }
    result.status = Status::Done;
    result.chunks = exporter.chunks();
    result.indexEntries = exporter.indexEntries();
    return result;
}

} // namespace velmora
