#include "framegeometry.h"

#include <QtGlobal>
#include <algorithm>

namespace velmora {

QPointF FramePlacement::toFrame(const QPointF &viewPoint) const {
    if (!valid)
        return viewPoint;
    return frameToView.inverted().map(viewPoint);
}

FramePlacement placeFrame(const FrameView &v) {
    FramePlacement p;
    const qreal fw = v.frame.width();
    const qreal fh = v.frame.height();
    if (fw <= 0 || fh <= 0 || v.view.width() <= 0 || v.view.height() <= 0)
        return p;
    const QRectF region =
        v.region.width() > 0 && v.region.height() > 0 ? v.region : QRectF(0, 0, fw, fh);
    const int quarter = ((v.orientation % 360 + 360) % 360 + 45) / 90 % 4;
    const bool turned = quarter % 2 == 1; // the frame's x axis runs up or down the screen

    // Scale on the screen's axes, then on the frame's.
    const qreal shownWidth = turned ? region.height() : region.width();
    const qreal shownHeight = turned ? region.width() : region.height();
    qreal kx = v.view.width() / shownWidth;
    qreal ky = v.view.height() / shownHeight;
    if (v.keepAspect)
        kx = ky = std::min(kx, ky);
    const qreal sx = turned ? ky : kx;
    const qreal sy = turned ? kx : ky;

    // A flip after turning by a on the screen is a flip of the frame followed
    // by a turn the other way.
    const qreal anticlockwise = quarter * 90;
    p.mirrored = v.vflip;
    p.rotation = v.vflip ? anticlockwise : -anticlockwise;
    if (p.rotation < 0)
        p.rotation += 360;

    const QSizeF size(fw * sx, fh * sy);
    const QPointF centre(size.width() / 2, size.height() / 2);
    const QTransform toItem(sx, 0, 0, v.vflip ? -sy : sy, 0, v.vflip ? fh * sy : 0);
    QTransform turn;
    turn.rotate(p.rotation);
    // Place the item so that the region's centre lands on the view's.
    const QPointF regionCentre = toItem.map(region.center());
    const QPointF viewCentre(v.view.width() / 2, v.view.height() / 2);
    const QPointF position = viewCentre - centre - turn.map(regionCentre - centre);

    p.rect = QRectF(position, size);
    p.frameToView = toItem * QTransform::fromTranslate(-centre.x(), -centre.y()) * turn *
                    QTransform::fromTranslate(position.x() + centre.x(), position.y() + centre.y());
    p.valid = true;
    return p;
}

} // namespace velmora
