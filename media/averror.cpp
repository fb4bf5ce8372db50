#include "averror.h"

extern "C" {
#include <libavutil/error.h>
}

namespace velmora::media {

QString avErrorText(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    // For a code it does not know, av_strerror still writes "Error number N occurred".
    av_strerror(code, text, sizeof text);
    return QString::fromUtf8(text);
}

bool avFailed(int code, const QString &what, QString *error) {
    if (code >= 0)
        return false;
    *error = QStringLiteral("%1: %2").arg(what, avErrorText(code));
    return true;
}

bool allocationFailed(const void *allocated, const QString &what, QString *error) {
    return avFailed(allocated ? 0 : AVERROR(ENOMEM), what, error);
}

} // namespace velmora::media
