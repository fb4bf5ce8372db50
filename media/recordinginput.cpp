#include "recordinginput.h"

#include "averror.h"

namespace velmora::media {

namespace {

constexpr int IoBufferSize = 64 * 1024;

int readRecording(void *file, uint8_t *buffer, int size) {
    const qint64 n =
        static_cast<PaddedRecording *>(file)->read(reinterpret_cast<char *>(buffer), size);
    return n > 0 ? int(n) : n == 0 ? AVERROR_EOF : AVERROR(EIO);
}

int64_t seekRecording(void *file, int64_t offset, int whence) {
    auto *recording = static_cast<PaddedRecording *>(file);
    if (whence == AVSEEK_SIZE)
        return recording->size();
    if ((whence & ~AVSEEK_FORCE) != SEEK_SET)
        return AVERROR(ENOSYS);
    return recording->seek(offset) ? offset : AVERROR(EINVAL);
}

} // namespace

QString RecordingInput::open(const QString &path) {
    if (!m_file.open(path))
        return m_file.errorString();
    auto *buffer = static_cast<unsigned char *>(av_malloc(IoBufferSize));
    m_io.reset(buffer ? avio_alloc_context(buffer, IoBufferSize, 0, &m_file, readRecording, nullptr,
                                           seekRecording)
                      : nullptr);
    if (!m_io)
        av_free(buffer);
    QString error;
    AVFormatContext *input = m_io ? avformat_alloc_context() : nullptr;
    if (allocationFailed(input, QStringLiteral("avformat_alloc_context"), &error))
        return error;
    input->pb = m_io.get();
    // On failure FFmpeg frees the context and nulls the pointer.
    const int opened = avformat_open_input(&input, nullptr, av_find_input_format("avi"), nullptr);
    m_input.reset(input);
    if (avFailed(opened, QStringLiteral("not a readable recording"), &error))
        return error;
    return QString();
}

CodecContextPtr openDecoder(const AVStream *stream, QString *error, int threads) {
    const AVCodec *codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec) {
        *error = QStringLiteral("no decoder for stream %1").arg(stream->index);
        return nullptr;
    }
    CodecContextPtr decoder(avcodec_alloc_context3(codec));
    const QString what = QStringLiteral("stream %1").arg(stream->index);
    if (allocationFailed(decoder.get(), QStringLiteral("avcodec_alloc_context3"), error) ||
        avFailed(avcodec_parameters_to_context(decoder.get(), stream->codecpar), what, error))
        return nullptr;
    decoder->pkt_timebase = stream->time_base;
    decoder->thread_count = threads;
    if (avFailed(avcodec_open2(decoder.get(), codec, nullptr), what, error))
        return nullptr;
    return decoder;
}

} // namespace velmora::media
