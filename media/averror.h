#pragma once

#include <QString>

namespace velmora::media {

// FFmpeg's own words for an error code (a negative AVERROR), through av_strerror.
QString avErrorText(int code);

// When `code` is a failure, sets *error to "what: FFmpeg's words" and returns
// true; the one form in which media/ reports a failed FFmpeg call.
bool avFailed(int code, const QString &what, QString *error);

// The same for an allocation that gave back null.
bool allocationFailed(const void *allocated, const QString &what, QString *error);

} // namespace velmora::media
