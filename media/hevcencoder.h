#pragma once

// libx265 set up for clips that a player can enter at any second and that a
// writer can cut and loop: closed GOPs of 30 frames starting with an IDR, no
// B-frames, the parameter sets in-band before every IDR and an access unit
// delimiter at the start of every access unit. Its packets go out as a raw
// Annex-B stream. x265 runs without its worker pool and with a single frame
// encoder, whose one thread lives as long as the encoder and hands each
// packet back through x265's own locks; libavcodec starts no threads for it
// (the tests run under ThreadSanitizer).
#include "ffmpegptr.h"
#include "pictureformat.h"

#include <QIODevice>
#include <QString>

namespace velmora::media {

class HevcEncoder {
public:
    // An encoder for pictures of `format`, or null with *error set.
    static std::unique_ptr<HevcEncoder> open(const PictureFormat &format, QString *error);

    // Encodes `frame` and writes to `out` the packets that are ready. Empty on
    // success, otherwise what failed.
    QString encode(AVFrame *frame, QIODevice &out);
    // Writes the packets still held back; nothing may be encoded after it.
    QString finish(QIODevice &out);

private:
    HevcEncoder(CodecContextPtr context, PacketPtr packet)
        : m_context(std::move(context))
        , m_packet(std::move(packet)) {}
    QString send(const AVFrame *frame, QIODevice &out);

    CodecContextPtr m_context;
    PacketPtr m_packet;
};

} // namespace velmora::media
