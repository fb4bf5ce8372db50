#include "avilayout.h"

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

} // namespace velmora::avi
