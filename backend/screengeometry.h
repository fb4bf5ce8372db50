#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace velmora {

// The screens as the scenes see them, in device-independent pixels. Without
// a GUI application (or without screens) every answer is empty or 0.
namespace ScreenGeometry {

int screenCount();
// Full geometry of screen `index` (0 is the first screen).
QRect fullGeometry(int index);
// The screen's area without task bars and docks; the first screen's for an
// index that names no screen.
QRect availableGeometry(int index);
// The screen that holds the point, or the nearest one to it.
int screenAt(const QPoint &point);

} // namespace ScreenGeometry

// The nominal window size of each window-size class of the viewer settings.
namespace DialogSize {

// The size of class 0..4; an invalid size for any other class.
QSize nominal(int sizeClass);
// The height the dialogs use: 40 less than nominal, except 679 for the
// compact class (4).
int usableHeight(int sizeClass, int nominalHeight);

} // namespace DialogSize

} // namespace velmora
