// Where the frame is drawn (region, orientation, flip, fit), and that the
// picture item's rectangle, rotation and mirror draw exactly that mapping.
#include "framegeometry.h"

#include <QtTest>
#include <tuple>

using namespace velmora;

namespace {

const QSize Frame(320, 180);

// What a QQuickItem with this rectangle, rotation about its centre and a
// vertically mirrored texture does with a frame point.
QPointF drawnByItem(const FramePlacement &p, QPointF f) {
    const qreal sx = p.rect.width() / Frame.width(), sy = p.rect.height() / Frame.height();
    const QPointF local(f.x() * sx, p.mirrored ? (Frame.height() - f.y()) * sy : f.y() * sy);
    const QPointF centre(p.rect.width() / 2, p.rect.height() / 2);
    QTransform turn;
    turn.rotate(p.rotation);
    return p.rect.topLeft() + centre + turn.map(local - centre);
}

} // namespace

class FrameGeometryTest : public QObject {
    Q_OBJECT
private slots:
    // The frame's right-edge middle and top-left corner in a 400 x 200 view.
    void orientationAndFlip() {
        const std::tuple<int, bool, QPointF, QPointF> cases[] = {
            {0, false, {400, 100}, {0, 0}},     {90, false, {200, 0}, {0, 200}},
            {180, false, {0, 100}, {400, 200}}, {270, false, {200, 200}, {400, 0}},
            {180, true, {0, 100}, {400, 0}}, // a left-right mirror
        };
        for (const auto &[orientation, vflip, rightMiddle, topLeft] : cases) {
            const FramePlacement p = placeFrame({{400, 200}, Frame, {}, orientation, vflip});
            QVERIFY(p.valid);
            QCOMPARE(p.frameToView.map(QPointF(320, 90)), rightMiddle);
            QCOMPARE(p.frameToView.map(QPointF(0, 0)), topLeft);
        }
    }

    // Fit keeps the aspect and centres; a region is centred in the view; the
    // item's own drawing and the way back agree with the mapping in every case.
    void regionFitAndItemAgree() {
        const FramePlacement fitted = placeFrame({{400, 400}, Frame, {}, 0, false, true});
        QCOMPARE(fitted.frameToView.mapRect(QRectF(0, 0, 320, 180)), QRectF(0, 87.5, 400, 225));

        for (int orientation : {0, 90, 180, 270})
            for (bool vflip : {false, true})
                for (bool keepAspect : {false, true}) {
                    const FramePlacement p = placeFrame(
                        {{500, 260}, Frame, {40, 30, 200, 90}, orientation, vflip, keepAspect});
                    for (QPointF f : {QPointF(0, 0), QPointF(320, 0), QPointF(77, 133)}) {
                        QCOMPARE(drawnByItem(p, f), p.frameToView.map(f));
                        QCOMPARE(p.toFrame(p.frameToView.map(f)), f);
                    }
                    // The region's centre is the view's centre.
                    QCOMPARE(p.frameToView.map(QPointF(140, 75)), QPointF(250, 130));
                }
    }

    void nothingToPlaceWithoutSizes() {
        QVERIFY(!placeFrame({{0, 100}, Frame, {}}).valid);
        QCOMPARE(placeFrame({{100, 100}, QSize(), {}}).toFrame(QPointF(3, 4)), QPointF(3, 4));
    }
};

QTEST_GUILESS_MAIN(FrameGeometryTest)
#include "tst_framegeometry.moc"
