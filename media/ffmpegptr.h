#pragma once

// Owning pointers for FFmpeg's objects, each released by its own *_free.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavfilter/avfilter.h>
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
#include <libavutil/frame.h>
#include <libswscale/swscale.h>
}
#include <memory>

namespace velmora::media {

// FFmpeg's *_free functions take the address of the pointer and null it.
template <typename T, void (*Free)(T **)> struct FreeWith {
    void operator()(T *object) const { Free(&object); }
};

template <typename T, void (*Free)(T **)> using FfmpegPtr = std::unique_ptr<T, FreeWith<T, Free>>;

// A reading context of our own, with the buffer FFmpeg may have replaced meanwhile.
inline void freeIoContext(AVIOContext **context) {
    if (*context)
        av_freep(&(*context)->buffer);
    avio_context_free(context);
}

// sws_freeContext takes the pointer itself.
struct FreeScaler {
    void operator()(SwsContext *scaler) const { sws_freeContext(scaler); }
};

using CodecContextPtr = FfmpegPtr<AVCodecContext, avcodec_free_context>;
using InputPtr = FfmpegPtr<AVFormatContext, avformat_close_input>;
using IoContextPtr = FfmpegPtr<AVIOContext, freeIoContext>;
using ScalerPtr = std::unique_ptr<SwsContext, FreeScaler>;
using FilterGraphPtr = FfmpegPtr<AVFilterGraph, avfilter_graph_free>;
using FilterInOutPtr = FfmpegPtr<AVFilterInOut, avfilter_inout_free>;
using FramePtr = FfmpegPtr<AVFrame, av_frame_free>;
using PacketPtr = FfmpegPtr<AVPacket, av_packet_free>;

// An option dictionary for the calls that take an AVDictionary ** and leave
// in it the options they did not use.
class Dictionary {
public:
    Dictionary() = default;
    ~Dictionary() { av_dict_free(&m_dictionary); }
    Dictionary(const Dictionary &) = delete;
    Dictionary &operator=(const Dictionary &) = delete;

    AVDictionary **address() { return &m_dictionary; }
    // The first key left in the dictionary, or null.
    const char *firstKey() const {
        const AVDictionaryEntry *entry =
            av_dict_get(m_dictionary, "", nullptr, AV_DICT_IGNORE_SUFFIX);
        return entry ? entry->key : nullptr;
    }

private:
    AVDictionary *m_dictionary = nullptr;
};

} // namespace velmora::media
