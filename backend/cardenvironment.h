#pragma once

#include "volume.h"

#include <QObject>
#include <memory>

class QQmlEngine;

namespace velmora {

// Carries the volume source that the application chose (mounted volumes plus
// any --card folders, or a test's list) to the FileIO objects the scenes
// create. It lives as a child of the engine, so each engine has its own.
class CardEnvironment : public QObject {
    Q_OBJECT
public:
    static void attach(QQmlEngine *engine, std::shared_ptr<const VolumeSource> volumes);
    // The engine's volume source, or the system's mounted volumes when none
    // was attached.
    static std::shared_ptr<const VolumeSource> volumesOf(const QQmlEngine *engine);

private:
    CardEnvironment(std::shared_ptr<const VolumeSource> volumes, QObject *parent);
    std::shared_ptr<const VolumeSource> m_volumes;
};

} // namespace velmora
