#include "swframeitem.h"

#include "playerlog.h"

#include <QDebug>
#include <QQuickWindow>
#include <QSGImageNode>
#include <mpv/render.h>

namespace velmora {

SwFrameItem::SwFrameItem(std::shared_ptr<MpvHandle> mpv, QQuickItem *parent)
    : QQuickItem(parent)
    , m_mpv(std::move(mpv))
    , m_waker(new ThreadWaker(this))
    , m_notifier(std::make_shared<FrameNotifier>(m_waker)) {
    setFlag(ItemHasContents, true);
    connect(m_waker, &ThreadWaker::woken, this, [this] { deliverNews(this, *m_notifier); });
    if (m_mpv)
        m_thread = std::thread([this] { renderLoop(); });
}

SwFrameItem::~SwFrameItem() {
    m_notifier->detach();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void SwFrameItem::setFrameSize(const QSize &size) {
    if (size == m_frameSize)
        return;
    m_frameSize = size;
    requestSize();
}

void SwFrameItem::setMirrorVertically(bool mirrored) {
    if (mirrored == m_mirrored)
        return;
    m_mirrored = mirrored;
    update();
}

void SwFrameItem::geometryChanged(const QRectF &now, const QRectF &before) {
    QQuickItem::geometryChanged(now, before);
    if (now.size() != before.size())
        requestSize();
}

// Renders at the size shown, but never above the frame's own.
void SwFrameItem::requestSize() {
    const qreal ratio = window() ? window()->effectiveDevicePixelRatio() : 1.0;
    QSize size = (QSizeF(width(), height()) * ratio).toSize();
    if (m_frameSize.isValid())
        size = size.boundedTo(m_frameSize);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (size == m_targetSize)
            return;
        m_targetSize = size;
        m_frameWaiting = true; // draw the current frame again at the new size
    }
    m_wake.notify_all();
}

void SwFrameItem::renderLoop() {
    mpv_render_context *context = nullptr;
    const char *api = MPV_RENDER_API_TYPE_SW;
    mpv_render_param create[] = {{MPV_RENDER_PARAM_API_TYPE, const_cast<char *>(api)},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    if (mpv_render_context_create(&context, m_mpv->get(), create) < 0) {
        qCDebug(lcPlayer).noquote() << QStringLiteral("Video: no software rendering");
        m_notifier->ready(false);
        return;
    }
    // Runs on mpv's threads: it only wakes this one.
    mpv_render_context_set_update_callback(
        context,
        [](void *self) {
            auto *item = static_cast<SwFrameItem *>(self);
            {
                std::lock_guard<std::mutex> lock(item->m_mutex);
                item->m_frameWaiting = true;
            }
            item->m_wake.notify_all();
        },
        this);
    m_notifier->ready(true);

    std::unique_lock<std::mutex> lock(m_mutex);
    while (true) {
        m_wake.wait(lock, [this] { return m_quit || m_frameWaiting; });
        if (m_quit)
            break;
        m_frameWaiting = false;
        const QSize size = m_targetSize;
        lock.unlock();

        // A new image for every picture: once handed over, the item owns it
        // alone, and no pixels are shared between the threads.
        const bool newFrame = mpv_render_context_update(context) & MPV_RENDER_UPDATE_FRAME;
        QImage image;
        if (size.width() > 0 && size.height() > 0) {
            image = QImage(size, QImage::Format_ARGB32_Premultiplied);
            int sizeParam[2] = {size.width(), size.height()};
            size_t stride = size_t(image.bytesPerLine());
            const char *format = "bgra";
            mpv_render_param render[] = {{MPV_RENDER_PARAM_SW_SIZE, sizeParam},
                                         {MPV_RENDER_PARAM_SW_FORMAT, const_cast<char *>(format)},
                                         {MPV_RENDER_PARAM_SW_STRIDE, &stride},
                                         {MPV_RENDER_PARAM_SW_POINTER, image.bits()},
                                         {MPV_RENDER_PARAM_INVALID, nullptr}};
            if (mpv_render_context_render(context, render) < 0)
                image = QImage();
        }
        lock.lock();
        if (!image.isNull() && (newFrame || size == m_targetSize)) {
            m_ready = std::move(image);
            lock.unlock();
            m_notifier->notify();
            lock.lock();
        }
    }
    lock.unlock();
    mpv_render_context_free(context);
}

QSGNode *SwFrameItem::updatePaintNode(QSGNode *old, UpdatePaintNodeData *) {
    auto *node = static_cast<QSGImageNode *>(old);
    QImage image;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        image.swap(m_ready); // leaves m_ready empty until the next picture
    }
    if (!node && image.isNull())
        return nullptr;
    if (!node) {
        node = window()->createImageNode();
        node->setOwnsTexture(true);
        node->setFiltering(QSGTexture::Linear);
    }
    if (!image.isNull())
        node->setTexture(window()->createTextureFromImage(image));
    node->setRect(boundingRect());
    if (node->texture())
        node->setSourceRect(QRectF(QPointF(0, 0), node->texture()->textureSize()));
    node->setTextureCoordinatesTransform(m_mirrored ? QSGImageNode::MirrorVertically
                                                    : QSGImageNode::NoTransform);
    return node;
}

} // namespace velmora
