#pragma once

// A plain reading of a recording, written apart from the product's readers:
// the header list, the data chunks as written (unpadded), and the index.
#include <QByteArray>
#include <QVector>
#include <QtEndian>

struct AviChunk {
    QByteArray id;
    quint32 size = 0;
    qint64 offset = 0; // of the id, from the start of the file
    bool operator==(const AviChunk &o) const {
        return id == o.id && size == o.size && offset == o.offset;
    }
};

struct ParsedAvi {
    QByteArray bytes, error; // error: empty when the layout holds together
    qint64 moviOffset = 0;   // of the list type "movi"
    QVector<AviChunk> chunks, index;
    quint32 u32(qint64 at) const { return qFromLittleEndian<quint32>(bytes.constData() + at); }
};

inline ParsedAvi parseAvi(const QByteArray &bytes) {
    ParsedAvi p;
    p.bytes = bytes;
    const QByteArray &b = p.bytes;
    const qint64 movi = b.size() < 24 ? 0 : 20 + p.u32(16);
    if (b.left(4) != "RIFF" || b.mid(8, 4) != "AVI " || b.mid(12, 4) != "LIST" ||
        b.mid(20, 4) != "hdrl" || b.mid(movi, 4) != "LIST" || b.mid(movi + 8, 4) != "movi") {
        p.error = "no RIFF/AVI/hdrl/movi";
        return p;
    }
    p.moviOffset = movi + 8;
    const qint64 end = p.moviOffset + p.u32(movi + 4);
    qint64 at = p.moviOffset + 4;
    for (; at + 8 <= end; at += 8 + p.u32(at + 4))
        p.chunks.append({b.mid(at, 4), p.u32(at + 4), at});
    if (at != end)
        p.error = "data chunks do not fill the movi list";
    else if (p.u32(4) + 8 != quint32(b.size()))
        p.error = "RIFF size is not the file's";
    else if (b.mid(end, 4) == "idx1" && end + 8 + p.u32(end + 4) != b.size())
        p.error = "idx1 does not end the file";
    else if (b.mid(end, 4) == "idx1")
        for (qint64 e = end + 8; e + 16 <= b.size(); e += 16)
            p.index.append({b.mid(e, 4), p.u32(e + 12), p.moviOffset + p.u32(e + 8)});
    return p;
}
