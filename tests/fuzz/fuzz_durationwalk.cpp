// The duration walk on arbitrary bytes: through a file whose name passes the
// "T_2" gate (and carries "_T_"), and through memory.
#include "durationwalk.h"
#include "fuzzseeds.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdint>
#include <cstdlib>

namespace {
QString g_path;
}

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    velmora::fuzz::writeSeedRecordings();
    // Memory-backed when possible: rewriting a file on ext4 waits for the disk.
    const QDir dir =
        QDir(QStringLiteral("/dev/shm")).exists() ? QDir(QStringLiteral("/dev/shm")) : QDir::temp();
    g_path = dir.filePath(QStringLiteral("velmora-fuzz-%1-T_20260101_000000_T_N.avi")
                              .arg(QCoreApplication::applicationPid()));
    std::atexit([] { QFile::remove(g_path); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    QFile::remove(g_path);
    QFile file(g_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
    file.close();
    const velmora::DurationWalkResult fromFile = velmora::DurationWalk::walkFile(g_path);

    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    const velmora::DurationWalkResult fromMemory = velmora::DurationWalk::walkDevice(buffer);

    // Both readers must agree, and the count can never exceed one frame per
    // 8-byte chunk header.
    if (!fromFile.opened || fromFile.frames != fromMemory.frames ||
        fromFile.headerValid != fromMemory.headerValid || fromFile.frames > qint64(size / 8) ||
        (!fromFile.headerValid && fromFile.frames != 0))
        std::abort();
    return 0;
}
