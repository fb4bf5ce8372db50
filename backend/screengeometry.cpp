#include "screengeometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <limits>

namespace velmora {

namespace {
QScreen *screenNumber(int index) {
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return nullptr;
    const QList<QScreen *> screens = QGuiApplication::screens();
    return index >= 0 && index < screens.size() ? screens.at(index) : nullptr;
}

qint64 distanceSquared(const QRect &rect, const QPoint &point) {
    const qint64 dx = qMax(qMax(rect.left() - point.x(), point.x() - rect.right()), 0);
    const qint64 dy = qMax(qMax(rect.top() - point.y(), point.y() - rect.bottom()), 0);
    return dx * dx + dy * dy;
}
} // namespace

int ScreenGeometry::screenCount() {
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return 0;
    return QGuiApplication::screens().size();
}

QRect ScreenGeometry::fullGeometry(int index) {
    QScreen *screen = screenNumber(index);
    return screen ? screen->geometry() : QRect();
}

QRect ScreenGeometry::availableGeometry(int index) {
    QScreen *screen = screenNumber(index);
    if (!screen)
        screen = screenNumber(0);
    return screen ? screen->availableGeometry() : QRect();
}

int ScreenGeometry::screenAt(const QPoint &point) {
    int nearest = 0;
    qint64 best = std::numeric_limits<qint64>::max();
    for (int i = 0; i < screenCount(); ++i) {
        const qint64 d = distanceSquared(fullGeometry(i), point);
        if (d < best) {
            best = d;
            nearest = i;
        }
    }
    return nearest;
}

QSize DialogSize::nominal(int sizeClass) {
    static const QSize sizes[] = {{1920, 1080}, {1600, 900}, {1360, 768}, {1280, 720}, {1024, 700}};
    return sizeClass >= 0 && sizeClass < 5 ? sizes[sizeClass] : QSize();
}

int DialogSize::usableHeight(int sizeClass, int nominalHeight) {
    return sizeClass == 4 ? 679 : nominalHeight - 40;
}

} // namespace velmora
