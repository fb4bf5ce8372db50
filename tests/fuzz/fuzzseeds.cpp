#include "fuzzseeds.h"

#include "recordingwriter.h"

#include <QDir>

namespace velmora::fuzz {

void writeSeedRecordings() {
    const QString dir = qEnvironmentVariable("VELMORA_FUZZ_SEED_DIR");
    if (dir.isEmpty() || !QDir().mkpath(dir))
        return;
    using namespace demo;
    struct Seed {
        const char *name;
        int channels;
        int frames;
        bool oddBodies;
        int falseTextIdEvery;
        bool index;
    };
    const Seed seeds[] = {
        {"seed_S_plain", 1, 4, false, 0, true},   {"seed_D_odd", 2, 3, true, 0, true},
        {"seed_T_plain", 3, 2, false, 0, true},   {"seed_S_falsetext", 1, 3, false, 1, true},
        {"seed_T_noindex", 3, 2, true, 0, false}, {"seed_S_empty", 1, 0, false, 0, true},
    };
    for (const Seed &seed : seeds) {
        const QString path = QDir(dir).filePath(QLatin1String(seed.name));
        if (QFile::exists(path))
            continue;
        RecordingOptions o;
        o.channels = seed.channels;
        o.frames = seed.frames;
        o.videoChunkSize = 16;
        o.audioBlockFrames = 2;
        o.audioSampleRate = 300; // 20-byte audio blocks
        o.oddBodies = seed.oddBodies;
        o.falseTextIdEvery = seed.falseTextIdEvery;
        o.writeIndex = seed.index;
        o.drive.voidSeconds = {1};
        writeRecording(path, o);
    }
}

} // namespace velmora::fuzz
