#pragma once

// Where a video frame is drawn in a view. The region of interest (frame
// pixels) fills the view, stretched or with its aspect kept, turned by the
// orientation (degrees, anticlockwise) and then, when flipped, mirrored top
// to bottom on the screen.
//
// The picture item draws the whole frame in `rect`, mirrored vertically
// inside it when `mirrored`, and turned by `rotation` (degrees, clockwise)
// about the rect's centre, as QQuickItem's rotation does; the view clips.
// `frameToView` maps frame pixels to view coordinates for the same drawing.
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QTransform>

namespace velmora {

struct FrameView {
    QSizeF view;
    QSize frame;
    QRectF region;       // frame pixels; empty means the whole frame
    int orientation = 0; // 0, 90, 180 or 270
    bool vflip = false;
    bool keepAspect = false; // PreserveAspectFit rather than Stretch
};

struct FramePlacement {
    QRectF rect;
    qreal rotation = 0;
    bool mirrored = false;
    QTransform frameToView;
    bool valid = false; // false while the frame or the view has no size

    // A point of the view in frame pixels.
    QPointF toFrame(const QPointF &viewPoint) const;
};

FramePlacement placeFrame(const FrameView &v);

} // namespace velmora
