#include "fuzzseeds.h"

#include "recordingwriter.h"

#include <QDir>

namespace velmora::fuzz {

void writeSeedRecordings() {
    const QString dir = qEnvironmentVariable("VELMORA_FUZZ_SEED_DIR");
    if (dir.isEmpty() || !QDir().mkpath(dir))
        return;
    // One, two and three channels: plain; odd bodies without an index; false text ids.
    for (int channels = 1; channels <= 3; ++channels) {
        const QString path = QDir(dir).filePath(QStringLiteral("seed_%1").arg(channels));
        if (QFile::exists(path))
            continue;
        demo::RecordingOptions o;
        o.channels = channels;
        o.frames = 3;
        o.videoChunkSize = 16;
        o.audioBlockFrames = 2;
        o.audioSampleRate = 300; // 20-byte audio blocks
        o.oddBodies = channels == 2;
        o.writeIndex = channels != 2;
        o.falseTextIdEvery = channels == 3 ? 1 : 0;
        o.drive.voidSeconds = {1};
        demo::writeRecording(path, o);
    }
}

} // namespace velmora::fuzz
