// The channel export on arbitrary bytes in a file in memory (/dev/shm when
// there is one). The first byte picks the recording's channel count and the
// channel; the rest is the file. An export either succeeds with a file of
// the size it reports, which exports again to the same chunks, or leaves
// nothing behind.
#include "channelexport.h"
#include "fuzzseeds.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {

QTemporaryDir *workDir() {
    static QTemporaryDir dir(QDir("/dev/shm").exists()
                                 ? QStringLiteral("/dev/shm/fuzz-export-XXXXXX")
                                 : QDir::tempPath() + "/fuzz-export-XXXXXX");
    return &dir;
}

void removeAll(QDir dir) {
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden))
        dir.remove(name);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    if (!workDir()->isValid())
        std::abort();
    velmora::fuzz::writeSeedRecordings();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1)
        return 0;
    QDir dir(workDir()->path());
    removeAll(dir);
    const int channels = 1 + data[0] % 3;
    const int channel = (data[0] / 3) % channels;
    const char marker = "SDT"[channels - 1];
    const QString source = dir.filePath(QStringLiteral("R_20261206_081512_%1_N.avi").arg(marker));
    {
        QFile file(source);
        if (!file.open(QIODevice::WriteOnly) || file.write(reinterpret_cast<const char *>(data + 1),
                                                           qint64(size - 1)) != qint64(size - 1))
            std::abort();
    }
    const QString out = dir.filePath(QStringLiteral("R_20261206_081512_S_N_front.avi"));
    const velmora::ChannelExportResult first = velmora::ChannelExport::run(source, out, channel);
    if (!first.ok()) {
        if (QFile::exists(out) || dir.entryList(QDir::Files | QDir::Hidden).size() != 1)
            std::abort();
        return 0;
    }
    if (QFileInfo(out).size() != first.bytes || first.indexEntries > first.chunks ||
        first.chunks > qint64(size / 8))
        std::abort();

    const QString again = dir.filePath(QStringLiteral("again.avi"));
    const velmora::ChannelExportResult second = velmora::ChannelExport::run(out, again, 0);
    if (!second.ok() || second.chunks != first.chunks)
        std::abort();
    return 0;
}
