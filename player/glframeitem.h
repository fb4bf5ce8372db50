#pragma once

// The picture drawn through mpv's OpenGL render API into a framebuffer
// object. The framebuffer is at most as large as the frame; the item
// stretches it over its own rectangle.
#include "framenotifier.h"
#include "mpvhandle.h"

#include <QQuickFramebufferObject>
#include <memory>

namespace velmora {

class GlFrameItem : public QQuickFramebufferObject {
    Q_OBJECT
public:
    GlFrameItem(std::shared_ptr<MpvHandle> mpv, QQuickItem *parent);
    ~GlFrameItem() override;

    Renderer *createRenderer() const override;

    // The decoded frame's size, which bounds the framebuffer.
    void setFrameSize(const QSize &size);
    QSize frameSize() const { return m_frameSize; }

protected:
    QSGNode *updatePaintNode(QSGNode *old, UpdatePaintNodeData *data) override;
    void geometryChanged(const QRectF &now, const QRectF &before) override;

signals:
    // A new picture is ready and will be drawn with the window's next frame.
    void frameReady();
    // The render context exists (ok) or could not be made; mpv may open
    // files only after it exists.
    void outputReady(bool ok);

private:
    std::shared_ptr<MpvHandle> m_mpv;

    ThreadWaker *m_waker;
    std::shared_ptr<FrameNotifier> m_notifier;
    QSize m_frameSize;
};

} // namespace velmora
