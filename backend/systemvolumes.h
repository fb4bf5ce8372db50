#pragma once

#include "volume.h"

#include <QStringList>

namespace velmora {

// The camera's card as Linux shows it: the mounted volumes, plus folders the
// user names on the command line, which count as cards labelled "DASHCAM".
class SystemVolumes : public VolumeSource {
public:
    explicit SystemVolumes(QStringList cardFolders = {});

    QVector<Volume> volumes() const override;

    // The label of a mounted volume. When the system cannot tell it (no udev
    // label links), a desktop automount point such as /media/USER/DASHCAM
    // still names the volume after its label.
    static QString labelOf(const QString &reportedLabel, const QString &rootPath);

    // The folder with exactly one "/" at its end.
    static QString withTrailingSlash(const QString &path);

private:
    QStringList m_cardFolders;
};

} // namespace velmora
