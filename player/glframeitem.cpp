#include "glframeitem.h"

#include "playerlog.h"

#include <QDebug>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QQuickWindow>
#include <mpv/render_gl.h>

namespace velmora {

namespace {

void *procAddress(void *, const char *name) {
    QOpenGLContext *context = QOpenGLContext::currentContext();
    return context ? reinterpret_cast<void *>(context->getProcAddress(QByteArray(name))) : nullptr;
}

// Lives on the render thread. It frees its render context before it lets
// go of the core.
class GlFrameRenderer : public QQuickFramebufferObject::Renderer {
public:
    GlFrameRenderer(std::shared_ptr<MpvHandle> mpv, std::shared_ptr<FrameNotifier> notifier)
        : m_mpv(std::move(mpv))
        , m_notifier(std::move(notifier)) {}

    ~GlFrameRenderer() override {
        if (m_context)
            mpv_render_context_free(m_context);
    }

    // The framebuffer has the item's size, but never more than the frame's;
    // it is made anew only when that size changes.
    void synchronize(QQuickFramebufferObject *item) override {
        m_window = item->window();
        const qreal ratio = m_window ? m_window->effectiveDevicePixelRatio() : 1.0;
        QSize size = (QSizeF(item->width(), item->height()) * ratio).toSize();
        const QSize frame = static_cast<GlFrameItem *>(item)->frameSize();
        if (frame.isValid())
            size = size.boundedTo(frame);
        size = size.expandedTo(QSize(1, 1));
        if (size != m_targetSize) {
            m_targetSize = size;
            invalidateFramebufferObject();
        }
    }

    QOpenGLFramebufferObject *createFramebufferObject(const QSize &) override {
        if (!m_context && m_mpv)
            createContext();
        return new QOpenGLFramebufferObject(m_targetSize.expandedTo(QSize(1, 1)));
    }

    void render() override {
        if (!m_context)
            return;
        QOpenGLFramebufferObject *target = framebufferObject();
        mpv_opengl_fbo fbo{int(target->handle()), target->width(), target->height(), 0};
        int flipY = 0;
        mpv_render_param params[] = {{MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
                                     {MPV_RENDER_PARAM_FLIP_Y, &flipY},
                                     {MPV_RENDER_PARAM_INVALID, nullptr}};
        mpv_render_context_render(m_context, params);
        if (m_window)
            m_window->resetOpenGLState();
    }

private:
    void createContext() {
        mpv_opengl_init_params gl{procAddress, nullptr};
        const char *api = MPV_RENDER_API_TYPE_OPENGL;
        mpv_render_param params[] = {{MPV_RENDER_PARAM_API_TYPE, const_cast<char *>(api)},
                                     {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &gl},
                                     {MPV_RENDER_PARAM_INVALID, nullptr}};
        if (mpv_render_context_create(&m_context, m_mpv->get(), params) < 0) {
            qCDebug(lcPlayer).noquote() << QStringLiteral("Video: no OpenGL rendering");
            m_context = nullptr;
            m_notifier->ready(false);
            return;
        }
        mpv_render_context_set_update_callback(
            m_context, [](void *notifier) { static_cast<FrameNotifier *>(notifier)->notify(); },
            m_notifier.get());
        m_notifier->ready(true);
    }

    std::shared_ptr<MpvHandle> m_mpv;
    std::shared_ptr<FrameNotifier> m_notifier;
    mpv_render_context *m_context = nullptr;
    QQuickWindow *m_window = nullptr;
    QSize m_targetSize;
};

} // namespace

GlFrameItem::GlFrameItem(std::shared_ptr<MpvHandle> mpv, QQuickItem *parent)
    : QQuickFramebufferObject(parent)
    , m_mpv(std::move(mpv))
    , m_waker(new ThreadWaker(this))
    , m_notifier(std::make_shared<FrameNotifier>(m_waker)) {
    setTextureFollowsItemSize(false); // the renderer sizes its framebuffer itself
    connect(m_waker, &ThreadWaker::woken, this, [this] { deliverNews(this, *m_notifier); });
}

GlFrameItem::~GlFrameItem() {
    m_notifier->detach();
}

QQuickFramebufferObject::Renderer *GlFrameItem::createRenderer() const {
    return new GlFrameRenderer(m_mpv, m_notifier);
}

// The vertical mirror changes only the node's texture coordinates, and Qt
// marks only its material dirty: a node merged into a batch would keep
// showing the old coordinates. Marking the geometry dirty uploads them.
QSGNode *GlFrameItem::updatePaintNode(QSGNode *old, UpdatePaintNodeData *data) {
    QSGNode *node = QQuickFramebufferObject::updatePaintNode(old, data);
    if (node)
        node->markDirty(QSGNode::DirtyGeometry);
    return node;
}

// A new size may need a new framebuffer, and the picture drawn again.
void GlFrameItem::geometryChanged(const QRectF &now, const QRectF &before) {
    QQuickFramebufferObject::geometryChanged(now, before);
    if (now.size() != before.size())
        update();
}

void GlFrameItem::setFrameSize(const QSize &size) {
    if (size == m_frameSize)
        return;
    m_frameSize = size;
    update();
}

} // namespace velmora
