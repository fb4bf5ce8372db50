#pragma once

// The QML element "ViewSync" (module VelmoraPlayer 1.0): keeps the small
// views of a recording in step with the large one.
//
//   ViewSync { master: videoOut1; followers: [videoOut2, videoOut3] }
//
// Every 250 ms while the master plays, it hands the views' clocks to the
// SyncController and applies its answer: a nudge of a follower's speed (the
// follower's playbackRate stays as the user set it) or a seek. A follower
// that is not playing is left alone. A stop of the master starts over.
#include "syncrules.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QVariantList>

namespace velmora {

class Video;

class ViewSync : public QObject {
    Q_OBJECT
    Q_PROPERTY(velmora::Video *master READ master WRITE setMaster NOTIFY masterChanged)
    Q_PROPERTY(QVariantList followers READ followers WRITE setFollowers NOTIFY followersChanged)
    Q_PROPERTY(bool enabled READ enabled WRITE setEnabled NOTIFY enabledChanged)
    // Seeks made so far, for tests and measurements.
    Q_PROPERTY(int seeks READ seeks NOTIFY seeksChanged)
public:
    static constexpr int TickMs = 250;
    static constexpr qint64 MaxLeadMs = 1000;

    explicit ViewSync(QObject *parent = nullptr);

    Video *master() const { return m_master; }
    void setMaster(Video *master);
    QVariantList followers() const;
    void setFollowers(const QVariantList &followers);
    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    int seeks() const { return m_seeks; }

signals:
    void masterChanged();
    void followersChanged();
    void enabledChanged();
    void seeksChanged();

private:
    void update();
    void tick();
    void release();

    QPointer<Video> m_master;
    QList<QPointer<Video>> m_followers;
    bool m_enabled = true;
    int m_seeks = 0;
    QTimer m_timer;
    SyncController m_rules;
};

} // namespace velmora
