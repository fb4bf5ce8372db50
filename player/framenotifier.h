#pragma once

// Tells a picture item, from any thread, that a new picture is ready or
// whether its renderer could be set up. The item reads the news on its own
// thread (take()); it detaches the notifier before it goes, and a callback
// that comes later then reaches nobody.
#include "threadwaker.h"

#include <mutex>

namespace velmora {

class FrameNotifier {
public:
    struct News {
        bool frame = false; // a new picture to draw
        int ready = -1;     // renderer set up: 1, failed: 0, no news: -1
    };

    explicit FrameNotifier(ThreadWaker *waker)
        : m_waker(waker) {}

    void notify() {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_news.frame = true;
        if (m_waker)
            m_waker->wake();
    }

    void ready(bool ok) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_news.ready = ok ? 1 : 0;
        if (m_waker)
            m_waker->wake();
    }

    News take() {
        std::lock_guard<std::mutex> lock(m_mutex);
        const News news = m_news;
        m_news = News();
        return news;
    }

    void detach() {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_waker = nullptr;
    }

private:
    std::mutex m_mutex;
    ThreadWaker *m_waker;
    News m_news;
};

// Passes the news on, on the item's own thread: outputReady(ok) once its
// renderer is set up or has failed; update() and frameReady() for a picture.
template <typename Item> void deliverNews(Item *item, FrameNotifier &notifier) {
    const FrameNotifier::News news = notifier.take();
    if (news.ready >= 0)
        emit item->outputReady(news.ready == 1);
    if (news.frame) {
        item->update();
        emit item->frameReady();
    }
}

} // namespace velmora
