#pragma once

// A synthetic HEVC clip written as a raw Annex-B stream: FFmpeg's testsrc2
// picture (its frame counter at the top left) at 30 fps with a solid band of
// one colour over the right quarter, encoded with libx265 in closed GOPs of
// 30 frames, each starting with an IDR and its parameter sets, no B-frames,
// and an access unit delimiter opening every access unit, so that a writer
// can cut the stream at its delimiters and loop it. The caller waits for the
// whole clip; FFmpeg's log is held at errors meanwhile.
#include <QString>

namespace velmora::media {

struct SyntheticClip {
    int width = 320;
    int height = 180;
    int frames = 150;
    unsigned int bandColour = 0xff0000; // 0xRRGGBB
};

// Writes the clip to `path`, replacing what was there. Empty on success,
// otherwise what failed (the file may then hold part of the clip).
QString writeSyntheticHevcClip(const SyntheticClip &clip, const QString &path);

} // namespace velmora::media
