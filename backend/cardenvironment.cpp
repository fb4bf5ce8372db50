#include "cardenvironment.h"

#include "systemvolumes.h"

#include <QQmlEngine>

namespace velmora {

CardEnvironment::CardEnvironment(std::shared_ptr<const VolumeSource> volumes, QObject *parent)
    : QObject(parent)
    , m_volumes(std::move(volumes)) {}

void CardEnvironment::attach(QQmlEngine *engine, std::shared_ptr<const VolumeSource> volumes) {
    delete engine->findChild<CardEnvironment *>(QString(), Qt::FindDirectChildrenOnly);
    new CardEnvironment(std::move(volumes), engine);
}

std::shared_ptr<const VolumeSource> CardEnvironment::volumesOf(const QQmlEngine *engine) {
    if (engine) {
        if (auto *env = engine->findChild<CardEnvironment *>(QString(), Qt::FindDirectChildrenOnly))
            return env->m_volumes;
    }
    return std::make_shared<SystemVolumes>();
}

} // namespace velmora
