#include "avilayout.h"

#include <QIODevice>
#include <cstring>

namespace velmora::avi {

ChannelLayout ChannelLayout::fromName(const QString &name) {
    ChannelLayout layout;
    if (name.contains(QLatin1String("_T_")))
        layout.videoStreams = 3;
    else if (name.contains(QLatin1String("_D_")))
        layout.videoStreams = 2;
    else if (name.contains(QLatin1String("_S_")))
        layout.videoStreams = 1;
    return layout;
}

QByteArray ChannelLayout::chunkId(int stream, const char *kind) {
    return QByteArray::number(stream).rightJustified(2, '0') + kind;
}

int tag(QIODevice &in, const char *expected, QIODevice *out) {
    char id[4];
    if (in.read(id, 4) != 4)
        return 0;
    if (out)
        out->write(id, 4);
    return std::memcmp(id, expected, 4) == 0 ? 1 : 0;
}

} // namespace velmora::avi
