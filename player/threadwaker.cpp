#include "threadwaker.h"

#include <QSocketNotifier>
#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

namespace velmora {

ThreadWaker::ThreadWaker(QObject *parent)
    : QObject(parent)
    , m_fd(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
    if (m_fd < 0)
        qFatal("eventfd: out of file descriptors");
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        uint64_t count = 0;
        if (::read(m_fd, &count, sizeof count) == sizeof count)
            emit woken();
    });
}

ThreadWaker::~ThreadWaker() {
    delete m_notifier;
    ::close(m_fd);
}

void ThreadWaker::wake() {
    const uint64_t one = 1;
    // Fails only when the counter is full, and then a wake is pending anyway.
    [[maybe_unused]] const ssize_t written = ::write(m_fd, &one, sizeof one);
}

} // namespace velmora
