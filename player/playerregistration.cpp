#include "playerregistration.h"

#include "playerenums.h"
#include "video.h"
#include "videocapture.h"
#include "viewsync.h"

#include <QQmlEngine>

namespace velmora {

void registerPlayerTypes() {
    const char *uri = "VelmoraPlayer";
    qmlRegisterType<Video>(uri, 1, 0, "Video");
    qmlRegisterType<ViewSync>(uri, 1, 0, "ViewSync");
    qmlRegisterUncreatableType<VideoCapture>(uri, 1, 0, "VideoCapture",
                                             QStringLiteral("belongs to a Video"));
    qmlRegisterUncreatableType<MediaPlayerEnums>(uri, 1, 0, "MediaPlayer",
                                                 QStringLiteral("enumerations only"));
    qmlRegisterUncreatableType<VideoOutputEnums>(uri, 1, 0, "VideoOutput",
                                                 QStringLiteral("enumerations only"));
}

} // namespace velmora
