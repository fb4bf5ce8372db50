#include "viewsync.h"

#include "playerenums.h"
#include "playerlog.h"
#include "video.h"

#include <QDebug>
#include <algorithm>
#include <cmath>

namespace velmora {

ViewSync::ViewSync(QObject *parent)
    : QObject(parent) {
    m_timer.setInterval(TickMs);
    connect(&m_timer, &QTimer::timeout, this, &ViewSync::tick);
}

void ViewSync::setMaster(Video *master) {
    if (master == m_master)
        return;
    if (m_master)
        disconnect(m_master, nullptr, this, nullptr);
    release();
    m_master = master;
    if (m_master)
        connect(m_master, &Video::playbackStateChanged, this, &ViewSync::update);
    update();
    emit masterChanged();
}

QVariantList ViewSync::followers() const {
    QVariantList list;
    for (const QPointer<Video> &follower : m_followers)
        list.append(QVariant::fromValue<QObject *>(follower.data()));
    return list;
}

void ViewSync::setFollowers(const QVariantList &followers) {
    release();
    m_followers.clear();
    for (const QVariant &item : followers) {
        if (auto *video = qobject_cast<Video *>(item.value<QObject *>()))
            m_followers.append(video);
    }
    emit followersChanged();
}

void ViewSync::setEnabled(bool enabled) {
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    if (!enabled)
        release();
    update();
    emit enabledChanged();
}

// Ticks only while the master plays; a stop, or a pause, gives every follower
// its own speed back and forgets what was being nudged.
void ViewSync::update() {
    const bool playing =
        m_enabled && m_master && m_master->playbackState() == MediaPlayerEnums::PlayingState;
    if (playing && !m_timer.isActive()) {
        m_timer.start();
    } else if (!playing && m_timer.isActive()) {
        m_timer.stop();
        release();
    }
}

void ViewSync::release() {
    m_rules.reset();
    for (const QPointer<Video> &follower : m_followers) {
        if (follower)
            follower->setSpeedFactor(1.0);
    }
}

void ViewSync::tick() {
    if (!m_master) { // destroyed while it played
        m_timer.stop();
        release();
        return;
    }
    const auto clockOf = [](const Video &video) {
        ViewClock clock;
        clock.ended = video.playbackState() == MediaPlayerEnums::StoppedState;
        if (video.playbackState() == MediaPlayerEnums::PlayingState) {
            clock.position = video.clockPosition();
            clock.seeking = video.seeking();
        }
        return clock;
    };
    std::vector<ViewClock> clocks;
    for (const QPointer<Video> &follower : m_followers)
        clocks.push_back(follower ? clockOf(*follower) : ViewClock{-1, false, true});
    m_rules.setFrameMs(m_master->frameMs());
    const ViewClock master = clockOf(*m_master);
    const double speed = m_master->playbackRate();
    const std::vector<FollowerAction> actions = m_rules.tick(master, speed, false, clocks);
    for (int i = 0; i < m_followers.size(); ++i) {
        Video *follower = m_followers[i];
        if (!follower)
            continue;
        const FollowerAction &action = actions[std::size_t(i)];
        if (action.seekTo) {
            qCDebug(lcPlayer).noquote()
                << QStringLiteral("Video: %1 is %2 ms off the large view; sought to %3 ms")
                       .arg(follower->objectName())
                       .arg(master.position - clocks[std::size_t(i)].position)
                       .arg(*action.seekTo);
            // Aimed ahead by what the follower's last seek took, so that it
            // does not land so far behind that it is sought again and again.
            const qint64 lead = std::min<qint64>(follower->lastSeekMs(), MaxLeadMs);
            follower->setSpeedFactor(1.0);
            follower->seek(*action.seekTo + std::llround(lead * speed));
            ++m_seeks;
            emit seeksChanged();
        } else if (action.speed) {
            follower->setSpeedFactor(*action.speed / speed);
        }
    }
}

} // namespace velmora
