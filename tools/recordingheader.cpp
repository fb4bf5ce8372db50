#include "recordingheader.h"

#include <QFile>
#include <QFileInfo>

namespace velmora::tool {

namespace {

// dwStreams of the main header; -1 if it cannot be read.
qint64 streamCount(const QString &path) {
    QFile file(path);
    constexpr qint64 offset = avi::RiffHeaderSize + avi::ListHeaderSize + avi::ChunkHeaderSize +
                              avi::DwStreamsOffsetInMainBody;
    if (!file.open(QIODevice::ReadOnly) || !file.seek(offset))
        return -1;
    const QByteArray word = file.read(4);
    return word.size() == 4 ? qint64(avi::readLE32(word.constData())) : -1;
}

} // namespace

HeaderCheck checkHeader(const QString &path, const avi::ChannelLayout &layout) {
    HeaderCheck check;
    check.walk = DurationWalk::walkFile(path, DurationWalk::NameGate::Skip);
    if (!check.walk.opened) {
        check.problem = "cannot be read";
        check.unreadable = true;
    } else if (!check.walk.headerValid &&
               QFileInfo(path).size() < avi::FirstDataChunkOffset(layout.videoStreams)) {
        check.problem = "cannot be read (the file ends inside its header)";
        check.unreadable = true;
    } else if (!check.walk.headerValid) {
        check.problem = "not a recording (the header does not follow the camera's layout)";
    } else if (streamCount(path) != layout.streamCount()) {
        check.problem = "not a recording (the header's stream count does not match the name's "
                        "channel marker)";
    }
    return check;
}

} // namespace velmora::tool
