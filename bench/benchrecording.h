#pragma once

// The large recording the benchmarks measure: 60 seconds, 3 channels, about
// 450 MB of synthetic payload, written into the build tree once and reused.
#include "recordingwriter.h"

#include <QString>
#include <cstdio>
#include <cstdlib>

namespace velmora::bench {

constexpr int RecordingSeconds = 60;

inline demo::RecordingOptions largeRecording() {
    demo::RecordingOptions o;
    o.channels = 3;
    o.seconds = RecordingSeconds;
    o.videoChunkSize = 83'000; // about 20 Mbit/s per camera
    return o;
}

// Writes the recording, or ends the program: without it nothing can be measured.
inline void writeRecordingOrExit(const QString &path, const demo::RecordingOptions &o) {
    std::fprintf(stderr, "writing %s ...\n", qPrintable(path));
    const auto written = demo::writeRecording(path, o);
    if (!written.ok) {
        std::fprintf(stderr, "%s\n", qPrintable(written.error));
        std::exit(1);
    }
}

} // namespace velmora::bench
