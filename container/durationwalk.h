#pragma once

// The playing time of a recording from its chunk structure: the header blocks
// are checked id by id, then the data list is walked chunk by chunk, seeking
// over every body, and the front camera's frames ("00dc") are counted.
#include <QString>

class QIODevice;

namespace velmora {

struct DurationWalkResult {
    bool opened = false;      // the file was opened
    bool headerValid = false; // every header id matched
    qint64 frames = 0;        // "00dc" chunks before the first other id or the end
    float seconds = 0.0f;     // frames / 30, 0 when the header does not match
};

class DurationWalk {
public:
    enum class NameGate {
        RequireT2, // only names containing "T_2" are walked; others give 0 unopened
        Skip,      // walk any file (velmora-tool)
    };

    static DurationWalkResult walkFile(const QString &path, NameGate gate = NameGate::RequireT2);
    // Walks an open, seekable device from its start.
    static DurationWalkResult walkDevice(QIODevice &device);
};

} // namespace velmora
