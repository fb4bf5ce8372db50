#pragma once

// The picture drawn through mpv's software render API, for scene graphs
// without OpenGL. A thread of the item's own renders each new frame into an
// image of the item's size (at most the frame's); the item shows the newest
// image as a texture.
#include "framenotifier.h"
#include "mpvhandle.h"

#include <QImage>
#include <QQuickItem>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace velmora {

class SwFrameItem : public QQuickItem {
    Q_OBJECT
public:
    SwFrameItem(std::shared_ptr<MpvHandle> mpv, QQuickItem *parent);
    ~SwFrameItem() override;

    void setFrameSize(const QSize &size);
    void setMirrorVertically(bool mirrored);

signals:
    // A new picture is ready and will be drawn with the window's next frame.
    void frameReady();
    // The render context exists (ok) or could not be made; mpv may open
    // files only after it exists.
    void outputReady(bool ok);

protected:
    QSGNode *updatePaintNode(QSGNode *old, UpdatePaintNodeData *) override;
    void geometryChanged(const QRectF &now, const QRectF &before) override;

private:
    void renderLoop();
    void requestSize();

    std::shared_ptr<MpvHandle> m_mpv;

    ThreadWaker *m_waker;
    std::shared_ptr<FrameNotifier> m_notifier;
    QSize m_frameSize;
    bool m_mirrored = false;

    // Shared with the render thread.
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_quit = false;
    bool m_frameWaiting = false;
    QSize m_targetSize;
    QImage m_ready; // newest picture not yet shown; empty once updatePaintNode took it
    std::thread m_thread;
};

} // namespace velmora
