#include "shareclip.h"

#include "averror.h"
#include "clipsource.h"
#include "filtergraph.h"
#include "medialog.h"
#include "mp4writer.h"
#include "quietavlog.h"
#include "sharecaption.h"
#include "sharelayout.h"
#include "telemetryextraction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

// Outside any namespace, as Qt's resource macro needs.
static void loadMediaResources() {
    Q_INIT_RESOURCE(media);
}

namespace velmora::media {

namespace {

using Status = ShareClipResult::Status;
constexpr AVRational Microseconds = {1, 1000000};
constexpr const char *CaptionKey = "velmora.caption";

ShareClipResult failure(Status status, const QString &message) {
    ShareClipResult result;
    result.status = status;
    result.message = message;
    return result;
}

// `text` as the value of a filter option inside a filter graph description:
// escaped once for the option list, once more for the graph.
QString escapedValue(const QString &text) {
    QString once, twice;
    for (const QChar c : text)
        once += QStringLiteral("\\':").contains(c) ? QStringLiteral("\\") + c : QString(c);
    for (const QChar c : once)
        twice += QStringLiteral("\\'[],;").contains(c) ? QStringLiteral("\\") + c : QString(c);
    return twice;
}

// The caption's font as a file, for the text filter to open.
std::optional<QString> fontFile(const QTemporaryDir &dir) {
    loadMediaResources();
    const QString path = dir.filePath(QStringLiteral("caption.ttf"));
    if (!QFile::copy(QStringLiteral(":/velmora-media/caption.ttf"), path))
        return std::nullopt;
    return path;
}

// A dark bar along the bottom with the frame's caption (its metadata) on it.
QString captionGraph(const QSize &size, const QString &font) {
    const CaptionBar bar = captionBar(size);
    return QStringLiteral("[in0]drawbox=x=0:y=ih-%1:w=iw:h=%1:color=black@0.65:t=fill,"
                          "drawtext=fontfile=%2:text='%{metadata\\:%3}':expansion=normal:"
                          "fontsize=%4:fontcolor=white:x=%5:y=%6[out]")
        .arg(bar.height)
        .arg(escapedValue(font))
        .arg(QLatin1String(CaptionKey))
        .arg(bar.fontSize)
        .arg(bar.textLeft)
        .arg(bar.textTop);
}

// A new empty file next to `output` that nothing else uses, created with
// the mode the umask leaves of 0666 (as any saved file); empty when the
// folder cannot be written.
QString temporaryNextTo(const QString &output) {
    const QFileInfo info(output);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name = QStringLiteral("%1/.%2.%3")
                                 .arg(info.absolutePath(), info.fileName())
                                 .arg(QRandomGenerator::global()->generate(), 8, 16, QChar('0'));
        const int fd = ::open(QFile::encodeName(name).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return name;
        }
        if (errno != EEXIST)
            break;
    }
    return QString();
}

// Removes the temporary file on every way out but a commit.
struct TemporaryFile {
    QString path;
    bool committed = false;
    ~TemporaryFile() {
        if (!committed && !path.isEmpty())
            QFile::remove(path);
    }
};

// The written file to the disk, then under its name, then the folder's entry.
bool commit(const QString &temporary, const QString &output) {
    const QByteArray from = QFile::encodeName(temporary), to = QFile::encodeName(output);
    const int fd = ::open(from.constData(), O_RDONLY | O_CLOEXEC);
    const bool synced = fd >= 0 && ::fsync(fd) == 0;
    if (fd >= 0)
        ::close(fd);
    if (!synced || std::rename(from.constData(), to.constData()) != 0)
        return false;
    const QByteArray folder = QFile::encodeName(QFileInfo(output).absolutePath());
    const int dirFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

// Everything one export needs, from the first picture on.
class ShareJob {
public:
    ShareJob(const ShareClipRequest &request, const ShareClipProgress &progress)
        : m_request(request)
        , m_progress(progress) {}

    ShareClipResult run();

private:
    ShareClipResult prepare();
    QString start(const QVector<AVFrame *> &pictures, const QString &temporary);
    QString writeFrame(int64_t k, const QVector<AVFrame *> &pictures);
    QString writeSound(int64_t frames, bool toTheEnd);

    const ShareClipRequest &m_request;
    const ShareClipProgress &m_progress;
    ClipSource m_source;
    int64_t m_fromUs = 0;
    int64_t m_frames = 0;
    std::optional<ShareCaption> m_caption;
    QTemporaryDir m_fontDir;
    FilterGraph m_stack;
    std::optional<FilterGraph> m_captionGraph;
    Mp4Writer m_writer;
    FramePtr m_stacked, m_captioned;
    QSize m_size;
    int m_inputs = 0; // the pictures the layout takes, front first
    // Sound: the source's first sample of the clip and the samples written.
    int64_t m_soundFrom = 0, m_soundWritten = 0;
};

ShareClipResult ShareJob::prepare() {
    const QFileInfo output(m_request.output);
    if (output.exists() &&
        output.canonicalFilePath() == QFileInfo(m_request.source).canonicalFilePath())
        return failure(Status::CannotWrite,
                       QStringLiteral("%1 is the recording itself").arg(m_request.output));
    if (QString error = m_source.open(m_request.source, m_request.allCameras ? 3 : 1);
        !error.isEmpty())
        return failure(Status::CannotRead,
                       QStringLiteral("cannot read %1: %2").arg(m_request.source, error));
    const int64_t frameUs = m_source.frameUs(), durationUs = m_source.durationUs();
    m_fromUs = m_request.fromMs * 1000;
    const int64_t toUs = m_request.toMs < 0 ? durationUs : m_request.toMs * 1000;
    if (m_request.fromMs < 0 || m_fromUs >= durationUs || toUs <= m_fromUs ||
        toUs > durationUs + frameUs)
        return failure(Status::CannotRead,
                       QStringLiteral("%1 to %2 s lies outside the recording (%3 s)")
                           .arg(m_fromUs / 1e6)
                           .arg(toUs / 1e6)
                           .arg(durationUs / 1e6));
    m_frames = std::max<int64_t>(1, (toUs - m_fromUs + frameUs / 2) / frameUs);
    if (m_request.caption) {
        const TelemetryExtraction extraction = extractTelemetry(m_request.source);
        m_caption.emplace(extraction.telemetry, startTimeFromName(m_request.source),
                          m_request.speedUnit);
    }
    if (QString error = m_source.seek(m_fromUs); !error.isEmpty())
        return failure(Status::CannotRead, error);
    return failure(Status::Written, QString());
}

QString ShareJob::start(const QVector<AVFrame *> &pictures, const QString &temporary) {
    QVector<QSize> sizes;
    for (const AVFrame *picture : pictures)
        sizes.append(QSize(picture->width, picture->height));
    const ShareLayout layout = shareLayout(sizes, m_request.allCameras);
    if (layout.graph.isEmpty())
        return QStringLiteral("pictures of these sizes cannot be laid out");
    m_size = layout.output;
    m_inputs = layout.inputs;
    const AVRational rate = av_inv_q(av_make_q(int(m_source.frameUs()), 1000000));
    QVector<FilterGraph::Input> inputs;
    for (int i = 0; i < layout.inputs; ++i)
        inputs.append(
            {pictures[i]->width, pictures[i]->height, pictures[i]->format, av_inv_q(rate)});
    QString graph = layout.graph;
    graph.chop(5); // "[out]"
    if (QString error = m_stack.build(graph + QStringLiteral(",format=yuv420p[out]"), inputs);
        !error.isEmpty())
        return error;
    if (m_caption) {
        const std::optional<QString> font = fontFile(m_fontDir);
        if (!font)
            return QStringLiteral("the caption's font is missing");
        m_captionGraph.emplace();
        const QVector<FilterGraph::Input> captionInput{
            {m_size.width(), m_size.height(), AV_PIX_FMT_YUV420P, av_inv_q(rate)}};
        if (QString error = m_captionGraph->build(captionGraph(m_size, *font), captionInput);
            !error.isEmpty())
            return error;
    }
    Mp4Writer::Sound sound;
    if (const AVCodecContext *decoder = m_source.soundDecoder()) {
        sound = {decoder->sample_rate, decoder->ch_layout.nb_channels, decoder->sample_fmt};
        m_soundFrom = av_rescale_q(m_fromUs, Microseconds, {1, sound.sampleRate});
    }
    m_stacked.reset(av_frame_alloc());
    m_captioned.reset(av_frame_alloc());
    if (!m_stacked || !m_captioned)
        return QStringLiteral("out of memory");
    return m_writer.open(temporary, m_size, rate, sound);
}

QString ShareJob::writeFrame(int64_t k, const QVector<AVFrame *> &pictures) {
    QString error;
    for (int i = 0; i < m_inputs && error.isEmpty(); ++i) {
        pictures[i]->pts = k;
        error = m_stack.push(i, pictures[i]);
    }
    while (error.isEmpty() && m_stack.pull(m_stacked.get(), &error)) {
        AVFrame *out = m_stacked.get();
        if (m_captionGraph) {
            const QByteArray text =
                m_caption->text(m_source.frameNumber(pictures[0]), captionBar(m_size).twoLines)
                    .toUtf8();
            av_dict_set(&out->metadata, CaptionKey, text.constData(), 0);
            error = m_captionGraph->push(0, out);
            av_frame_unref(out);
            out = m_captioned.get();
            if (!error.isEmpty() || !m_captionGraph->pull(out, &error))
                break;
        }
        error = m_writer.writePicture(out);
        av_frame_unref(out);
    }
    return error;
}

// The clip's sound that goes with its first `frames` pictures, as far as it
// has been decoded; with `toTheEnd`, read on for the rest, and silent where
// the file has none (a gap, or sound that stops before the pictures).
QString ShareJob::writeSound(int64_t frames, bool toTheEnd) {
    if (!m_source.hasSound())
        return QString();
    const AVRational samples = {1, m_source.soundDecoder()->sample_rate};
    const int64_t total = av_rescale_q(frames * m_source.frameUs(), Microseconds, samples);
    QString error, readError;
    auto &queue = m_source.sound();
    while (error.isEmpty() && m_soundWritten < total) {
        if (queue.empty()) {
            if (!toTheEnd || !m_source.readOn(&readError))
                break;
            continue;
        }
        const AVFrame *frame = queue.front().get();
        const AVRational base = m_source.soundDecoder()->pkt_timebase;
        const int64_t at = av_rescale_q(frame->best_effort_timestamp, base, samples) - m_soundFrom;
        if (at > m_soundWritten) {
            const int64_t gap = std::min(at, total) - m_soundWritten;
            error = m_writer.writeSound(nullptr, 0, int(gap));
            m_soundWritten += gap;
        }
        const int64_t offset = m_soundWritten - at;
        const int64_t count = std::min<int64_t>(frame->nb_samples - offset, total - m_soundWritten);
        if (error.isEmpty() && offset >= 0 && count > 0) {
            error = m_writer.writeSound(frame, int(offset), int(count));
            m_soundWritten += count;
        }
        // A block that reaches beyond the pictures written so far waits.
        if (offset + count >= frame->nb_samples || m_soundWritten < total)
            queue.pop_front();
    }
    if (error.isEmpty() && toTheEnd && m_soundWritten < total) {
        error = m_writer.writeSound(nullptr, 0, int(total - m_soundWritten));
        m_soundWritten = total;
    }
    return error;
}

ShareClipResult ShareJob::run() {
    ShareClipResult result = prepare();
    if (!result.message.isEmpty())
        return result;
    TemporaryFile temporary{temporaryNextTo(m_request.output)};
    if (temporary.path.isEmpty())
        return failure(Status::CannotWrite,
                       QStringLiteral("cannot write in the folder of %1: %2")
                           .arg(m_request.output, QString::fromLocal8Bit(std::strerror(errno))));
    QString error, readError;
    QVector<AVFrame *> pictures;
    int64_t k = 0; // pictures written
    bool cancelled = false;
    if (!m_source.frame(0, &pictures, &readError))
        readError = readError.isEmpty() ? QStringLiteral("no picture at the start") : readError;
    if (readError.isEmpty())
        error = start(pictures, temporary.path);
    while (error.isEmpty() && readError.isEmpty() && k < m_frames) {
        if (k > 0 && !m_source.frame(k, &pictures, &readError))
            break; // the front camera has ended (or an error, in readError)
        error = writeFrame(k, pictures);
        ++k;
        if (error.isEmpty())
            error = writeSound(k, false);
        if (m_progress && !m_progress(k, m_frames)) {
            cancelled = true;
            break;
        }
    }
    if (error.isEmpty() && readError.isEmpty() && !cancelled) {
        error = writeSound(k, true);
        if (error.isEmpty())
            error = m_writer.finish();
        if (error.isEmpty() && !commit(temporary.path, m_request.output))
            error = QStringLiteral("cannot write %1: %2")
                        .arg(m_request.output, QString::fromLocal8Bit(std::strerror(errno)));
        temporary.committed = error.isEmpty();
    }
    if (cancelled)
        return failure(Status::Cancelled, QStringLiteral("cancelled; nothing was written"));
    if (!readError.isEmpty())
        return failure(Status::CannotRead,
                       QStringLiteral("cannot read %1: %2").arg(m_request.source, readError));
    if (!error.isEmpty())
        return failure(Status::CannotWrite, error);
    result.status = Status::Written;
    result.size = m_size;
    result.frames = k;
    result.durationMs = k * m_source.frameUs() / 1000;
    result.sound = m_source.hasSound();
    result.message = QStringLiteral("wrote %1 (%2 x %3, %4 s%5)")
                         .arg(m_request.output)
                         .arg(m_size.width())
                         .arg(m_size.height())
                         .arg(double(k) * m_source.frameUs() / 1e6, 0, 'f', 2)
                         .arg(result.sound ? QStringLiteral(", with sound") : QString());
    return result;
}

} // namespace

ShareClipResult shareClip(const ShareClipRequest &request, const ShareClipProgress &progress) {
    const QuietAvLog quiet;
    ShareClipResult result;
    try {
        ShareJob job(request, progress);
        result = job.run();
    } catch (const std::exception &e) { // out of memory, or thrown by the caller's progress
        result = failure(Status::CannotWrite, QStringLiteral("stopped: %1").arg(e.what()));
    }
    qCDebug(lcMedia).noquote() << QStringLiteral("Share: %1 %2 to %3 ms: %4")
                                      .arg(request.source)
                                      .arg(request.fromMs)
                                      .arg(request.toMs)
                                      .arg(result.message);
    return result;
}

} // namespace velmora::media
