#pragma once

// How the cameras of a recording are laid out in a shared clip, as a
// libavfilter graph description from the inputs [in0] (front), [in1] and
// [in2] (the other cameras, as many as the recording has) to [out]:
//
// - all cameras, three channels: the front on top at its own size; CAM1 and
//   CAM2 below it side by side, each scaled to half the front's width,
//   keeping its aspect (the lower one padded to the taller one's height);
// - all cameras, two channels: CAM1 below the front, at the front's width;
// - one channel, or the front only: the front alone, untouched.
//
// CAM1 and CAM2 are mirrored left to right, as the players show them by
// default. Every size is even (rounded down), as H.264 in 4:2:0 needs.
#include <QSize>
#include <QString>
#include <QVector>

namespace velmora::media {

struct ShareLayout {
    QString graph;  // empty when the sizes cannot be laid out
    QSize output;   // the size of [out]
    int inputs = 0; // the inputs the graph reads: [in0] to [in<inputs-1>]
};

ShareLayout shareLayout(const QVector<QSize> &channels, bool allCameras);

// The caption bar along the bottom of a picture of `size`: its height, the
// font size, the text's top row and left column, and whether the text is
// split into two lines (a picture too narrow for one line of it).
struct CaptionBar {
    int height = 0;
    int fontSize = 0;
    int textTop = 0;
    int textLeft = 0;
    bool twoLines = false;
};
CaptionBar captionBar(const QSize &picture);

} // namespace velmora::media
