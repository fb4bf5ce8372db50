// Where the frame is drawn: the region fills the view, turned anticlockwise
// by the orientation, then mirrored top to bottom on the screen; the picture
// item's rectangle, rotation and mirror draw exactly that mapping.
#include "framegeometry.h"

#include <QtTest>

using namespace velmora;

namespace {

FrameView view(QSizeF size, int orientation = 0, bool vflip = false, QRectF region = {}) {
    FrameView v;
    v.view = size;
    v.frame = QSize(320, 180);
    v.orientation = orientation;
    v.vflip = vflip;
    v.region = region;
    return v;
}

// What a QQuickItem with this rectangle, rotation about its centre and a
// vertically mirrored texture does with a frame point.
QPointF drawnByItem(const FramePlacement &p, QSize frame, QPointF f) {
    const qreal sx = p.rect.width() / frame.width();
    const qreal sy = p.rect.height() / frame.height();
    const QPointF local(f.x() * sx, p.mirrored ? (frame.height() - f.y()) * sy : f.y() * sy);
    const QPointF centre(p.rect.width() / 2, p.rect.height() / 2);
    QTransform turn;
    turn.rotate(p.rotation);
    return p.rect.topLeft() + centre + turn.map(local - centre);
}

bool near(QPointF a, QPointF b) {
    return qAbs(a.x() - b.x()) < 1e-6 && qAbs(a.y() - b.y()) < 1e-6;
}

} // namespace

class FrameGeometryTest : public QObject {
    Q_OBJECT
private slots:
    // The frame's right-edge middle and top-left corner, seen in a 400 x 200
    // view stretched.
    void orientationAndFlip_data() {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<bool>("vflip");
        QTest::addColumn<QPointF>("rightMiddle");
        QTest::addColumn<QPointF>("topLeft");
        QTest::newRow("0") << 0 << false << QPointF(400, 100) << QPointF(0, 0);
        QTest::newRow("90") << 90 << false << QPointF(200, 0) << QPointF(0, 200);
        QTest::newRow("180") << 180 << false << QPointF(0, 100) << QPointF(400, 200);
        QTest::newRow("270") << 270 << false << QPointF(200, 200) << QPointF(400, 0);
        QTest::newRow("0 flipped") << 0 << true << QPointF(400, 100) << QPointF(0, 200);
        QTest::newRow("180 flipped: mirrored left to right")
            << 180 << true << QPointF(0, 100) << QPointF(400, 0);
        QTest::newRow("90 flipped") << 90 << true << QPointF(200, 200) << QPointF(0, 0);
    }

    void orientationAndFlip() {
        QFETCH(int, orientation);
        QFETCH(bool, vflip);
        QFETCH(QPointF, rightMiddle);
        QFETCH(QPointF, topLeft);
        const FramePlacement p = placeFrame(view(QSizeF(400, 200), orientation, vflip));
        QVERIFY(p.valid);
        QVERIFY(near(p.frameToView.map(QPointF(320, 90)), rightMiddle));
        QVERIFY(near(p.frameToView.map(QPointF(0, 0)), topLeft));
        QVERIFY(near(p.toFrame(rightMiddle), QPointF(320, 90)));
    }

    // Fit keeps the aspect and centres; a region fills the view; the item's
    // own drawing agrees with the mapping in every case.
    void regionFitAndItemAgree() {
        FrameView fit = view(QSizeF(400, 400));
        fit.keepAspect = true;
        const FramePlacement fitted = placeFrame(fit);
        QVERIFY(near(fitted.frameToView.map(QPointF(0, 0)), QPointF(0, 87.5)));
        QVERIFY(near(fitted.frameToView.map(QPointF(320, 180)), QPointF(400, 312.5)));

        // zoom 2 about the frame's right half
        const QRectF rightHalf(160, 0, 160, 180);
        const FramePlacement zoomed = placeFrame(view(QSizeF(320, 180), 0, false, rightHalf));
        QVERIFY(near(zoomed.frameToView.map(QPointF(160, 0)), QPointF(0, 0)));
        QVERIFY(near(zoomed.frameToView.map(QPointF(320, 180)), QPointF(320, 180)));

        for (int orientation : {0, 90, 180, 270}) {
            for (bool vflip : {false, true}) {
                for (bool keepAspect : {false, true}) {
                    FrameView v =
                        view(QSizeF(500, 260), orientation, vflip, QRectF(40, 30, 200, 90));
                    v.keepAspect = keepAspect;
                    const FramePlacement p = placeFrame(v);
                    for (QPointF f : {QPointF(0, 0), QPointF(320, 0), QPointF(77, 133)}) {
                        QVERIFY(near(drawnByItem(p, v.frame, f), p.frameToView.map(f)));
                        QVERIFY(near(p.toFrame(p.frameToView.map(f)), f));
                    }
                    // The region's centre is the view's centre.
                    QVERIFY(near(p.frameToView.map(QPointF(140, 75)), QPointF(250, 130)));
                }
            }
        }
    }

    void nothingToPlaceWithoutSizes() {
        FrameView v = view(QSizeF(0, 100));
        QVERIFY(!placeFrame(v).valid);
        v = view(QSizeF(100, 100));
        v.frame = QSize();
        QVERIFY(!placeFrame(v).valid);
        QCOMPARE(placeFrame(v).toFrame(QPointF(3, 4)), QPointF(3, 4));
    }
};

QTEST_GUILESS_MAIN(FrameGeometryTest)
#include "tst_framegeometry.moc"
