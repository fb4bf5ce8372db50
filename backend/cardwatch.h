#pragma once

#include "volume.h"

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <memory>

namespace velmora {

// Keeps an eye on the card the list shows, once a second on the thread it
// lives on. The card is gone when its folder is, or, when its folder was a
// mount point as the watch began, when that mount leaves the mount table: a
// lazily unmounted card leaves its empty folder behind. Once it is gone the
// watch looks for cards coming in instead: a card labelled "DASHCAM" whose
// folder was not there at the look before.
class CardWatch : public QObject {
    Q_OBJECT

public:
    explicit CardWatch(QObject *parent = nullptr);

    // Watches the card at `root`, found through `volumes`; an empty root
    // watches nothing.
    void watch(const QString &root, std::shared_ptr<const VolumeSource> volumes);
    // Watches for a card to come in, none being shown: the cards found now
    // do not count as coming in. While a card is watched, nothing changes:
    // it is first reported gone.
    void await(std::shared_ptr<const VolumeSource> volumes);
    void stop();

    // The mount points of a mount table in the format of
    // /proc/self/mountinfo, escapes ("\040" for a space) decoded, each with
    // one "/" at its end.
    static QStringList mountPoints(const QByteArray &mountinfo);

signals:
    void cardGone(const QString &root);
    void cardArrived();

private:
    void check();
    bool cardPresent() const;
    QStringList cardRoots() const; // the cards the volume source lists whose folder exists

    QTimer m_timer;
    QString m_root; // the card watched; empty while waiting for one
    bool m_mounted = false;
    QStringList m_seen; // while waiting: the cards at the last look
    std::shared_ptr<const VolumeSource> m_volumes;
};

} // namespace velmora
