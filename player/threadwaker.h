#pragma once

// Wakes the thread an object lives on from any other thread, through an
// eventfd read by a socket notifier: wake() writes eight bytes and touches no
// memory of Qt's, so callbacks on mpv's threads and our render threads share
// nothing with the GUI thread but what our own locks guard.
#include <QObject>

class QSocketNotifier;

namespace velmora {

class ThreadWaker : public QObject {
    Q_OBJECT
public:
    explicit ThreadWaker(QObject *parent = nullptr);
    ~ThreadWaker() override;

    // Any thread. Wakes coalesce: several before the thread runs give one
    // woken().
    void wake();

signals:
    void woken();

private:
    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace velmora
