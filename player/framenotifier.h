#pragma once

// Tells a picture item, from any thread, that a new picture is ready, or
// whether its renderer could be set up (the item's outputReady(bool)). The
// item detaches itself before it goes; a callback that comes later then
// reaches nobody.
#include <QMetaObject>
#include <QQuickItem>
#include <mutex>

namespace velmora {

class FrameNotifier {
public:
    explicit FrameNotifier(QQuickItem *item)
        : m_item(item) {}

    void notify() {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_item)
            QMetaObject::invokeMethod(m_item, "takeFrame", Qt::QueuedConnection);
    }

    void ready(bool ok) {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_item)
            QMetaObject::invokeMethod(m_item, "outputReady", Qt::QueuedConnection, Q_ARG(bool, ok));
    }

    void detach() {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_item = nullptr;
    }

private:
    std::mutex m_mutex;
    QQuickItem *m_item;
};

} // namespace velmora
