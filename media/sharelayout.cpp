#include "sharelayout.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace velmora::media {

namespace {

int even(int value) {
    return value & ~1;
}

// The height of `size` scaled to `width`, keeping its aspect; even, at least 2.
int heightAt(const QSize &size, int width) {
    return std::max(2, even(int(std::lround(double(width) * size.height() / size.width()))));
}

// A camera below the front: mirrored, scaled, padded to `rows` when shorter.
QString lower(int input, int width, int height, int rows) {
    QString chain = QStringLiteral("[in%1]hflip,scale=%2:%3").arg(input).arg(width).arg(height);
    if (rows > height)
        chain += QStringLiteral(",pad=%1:%2").arg(width).arg(rows);
    return chain;
}

} // namespace

ShareLayout shareLayout(const QVector<QSize> &channels, bool allCameras) {
    ShareLayout layout;
    for (const QSize &size : channels) {
        if (size.width() < 2 || size.height() < 2)
            return layout;
    }
    if (channels.isEmpty())
        return layout;
    const QSize front(even(channels[0].width()), even(channels[0].height()));
    QString top = QStringLiteral("[in0]");
    if (front != channels[0])
        top += QStringLiteral("crop=%1:%2:0:0,").arg(front.width()).arg(front.height());
    const int count = allCameras ? std::min<int>(int(channels.size()), 3) : 1;
    layout.inputs = count;

    if (count == 1) {
        layout.graph = top + QStringLiteral("null[out]");
        layout.output = front;
    } else if (count == 2) {
        const int height = heightAt(channels[1], front.width());
        layout.graph = top + QStringLiteral("null[top];") +
                       lower(1, front.width(), height, height) +
                       QStringLiteral("[low];[top][low]vstack=inputs=2[out]");
        layout.output = QSize(front.width(), front.height() + height);
    } else {
        const int half = std::max(2, even(front.width() / 2));
        const int h1 = heightAt(channels[1], half), h2 = heightAt(channels[2], half);
        const int rows = std::max(h1, h2);
        QString row = QStringLiteral("[c1][c2]hstack=inputs=2");
        if (2 * half < front.width())
            row += QStringLiteral(",pad=%1:%2").arg(front.width()).arg(rows);
        layout.graph = top + QStringLiteral("null[top];") + lower(1, half, h1, rows) +
                       QStringLiteral("[c1];") + lower(2, half, h2, rows) +
                       QStringLiteral("[c2];") + row +
                       QStringLiteral("[low];[top][low]vstack=inputs=2[out]");
        layout.output = QSize(front.width(), front.height() + rows);
    }
    return layout;
}

CaptionBar captionBar(const QSize &picture) {
    // The caption runs to about 90 characters, 60 on its longer line when
    // split, of about half the font size each.
    constexpr int OneLine = 90, LongerLine = 60;
    CaptionBar bar;
    bar.fontSize = std::max(8, picture.height() / 40);
    bar.textLeft = std::max(4, bar.fontSize / 2);
    const int room = picture.width() - 2 * bar.textLeft;
    bar.twoLines = OneLine * bar.fontSize / 2 > room;
    if (bar.twoLines)
        bar.fontSize = std::max(6, std::min(bar.fontSize, 2 * room / LongerLine));
    const int lines = bar.twoLines ? 2 : 1;
    bar.height = even(bar.fontSize * (lines * 13 + 5) / 10 + 1);
    bar.textTop = picture.height() - bar.height + (bar.height - bar.fontSize * lines * 12 / 10) / 2;
    return bar;
}

} // namespace velmora::media
