#pragma once

// The header checks that info and telemetry share: whether a file holds the
// camera's header for the channels its name gives.
#include "avilayout.h"
#include "durationwalk.h"

#include <QString>

namespace velmora::tool {

struct HeaderCheck {
    const char *problem = nullptr; // why not the camera's header; null when it is
    // The file cannot be opened or ends before the header would: nothing in
    // it can be read. Otherwise a problem means another layout.
    bool unreadable = false;
    DurationWalkResult walk;
};

HeaderCheck checkHeader(const QString &path, const avi::ChannelLayout &layout);

} // namespace velmora::tool
