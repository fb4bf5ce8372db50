// The duration walk on arbitrary bytes (walkFile reads the file through the
// same walkDevice).
#include "durationwalk.h"
#include "fuzzseeds.h"

#include <QBuffer>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    velmora::fuzz::writeSeedRecordings();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const velmora::DurationWalkResult walk = velmora::DurationWalk::walkDevice(buffer);
    // At most one frame per 8-byte chunk header, and none without a valid header.
    if (walk.frames > qint64(size / 8) || (!walk.headerValid && walk.frames != 0))
        std::abort();
    return 0;
}
