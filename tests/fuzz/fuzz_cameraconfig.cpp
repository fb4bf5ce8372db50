// The camera's config.txt on arbitrary bytes: what is read is written back
// as bytes that read the same, and writing those settings over that file
// leaves every byte of it as it was.
#include "cameraconfigfile.h"
#include "camerakeys.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {

QTemporaryDir *workDir() {
    static QTemporaryDir dir;
    return &dir;
}

bool sameSettings(const velmora::CameraSettings &a, const velmora::CameraSettings &b) {
    for (const velmora::CameraKey &key : velmora::cameraKeys()) {
        if (key.valueText(a) != key.valueText(b))
            return false;
    }
    return a.secret == b.secret;
}

QByteArray fileBytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    // The writer works in temporary folders and syncs what it writes: in
    // memory that costs little.
    if (QDir(QStringLiteral("/dev/shm")).exists())
        qputenv("TMPDIR", "/dev/shm");
    if (!workDir()->isValid())
        std::abort();
    // A seed: the bytes the viewer writes for a camera set up by hand.
    const QString seeds = qEnvironmentVariable("VELMORA_FUZZ_SEED_DIR");
    if (!seeds.isEmpty() && QDir().mkpath(seeds)) {
        velmora::CameraSettings settings;
        settings.lang = QStringLiteral("fr");
        settings.model = QStringLiteral("DC-3, rear \"wide\"");
        settings.ver = QStringLiteral("1.2.0");
        settings.secretStored = QStringLiteral("52718");
        settings.time_zone = -5;
        settings.vol_speaker = 3;
        QFile seed(QDir(seeds).filePath(QStringLiteral("seed_config")));
        if (!seed.exists() && seed.open(QIODevice::WriteOnly))
            seed.write(velmora::CameraConfigFile::build(settings));
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QString path = workDir()->filePath(QStringLiteral("config.txt"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
            std::abort();
    }
    velmora::CameraSettings read;
    if (!velmora::CameraConfigFile::read(path, read))
        std::abort();
    const QByteArray built = velmora::CameraConfigFile::build(read);
    if (built.isEmpty() || !velmora::CameraConfigFile::write(path, read) ||
        fileBytes(path) != built)
        std::abort();

    velmora::CameraSettings again;
    if (!velmora::CameraConfigFile::read(path, again) || !sameSettings(read, again))
        std::abort();
    // Settings that read back equal write the very same bytes.
    if (!velmora::CameraConfigFile::write(path, again) || fileBytes(path) != built)
        std::abort();
    return 0;
}
