#include "drivetable.h"

#include "backendlog.h"

#include <QDebug>

namespace velmora {

namespace {
QString megabytes(qint64 bytes) {
    return QString::number(bytes / 1000 / 1000) + QStringLiteral("MB");
}
} // namespace

bool DriveTable::search(const QVector<Volume> &volumes, const QString &wantedLabel) {
    m_DriveCount = 0;
    for (const Volume &volume : volumes) {
        qCDebug(lcCard).noquote() << "source ===>  :" + volume.rootPath;
        qCDebug(lcCard).noquote() << "name:" + volume.label;
        if (volume.label != wantedLabel)
            continue;
        qCDebug(lcCard).noquote() << "fileSystemType:" + volume.fileSystemType;
        qCDebug(lcCard).noquote() << "size:" + megabytes(volume.bytesTotal);
        qCDebug(lcCard).noquote() << "availableSize:" + megabytes(volume.bytesFree);
        if (m_DriveCount == Capacity) {
            qCDebug(lcCard).noquote() << "drive table full, card left out:" + volume.rootPath;
            continue;
        }
        m_DriveName[m_DriveCount] = volume.label;
        m_DrivePath[m_DriveCount] = volume.rootPath;
        ++m_DriveCount;
    }
    return m_DriveCount > 0;
}

QString DriveTable::name(int idx) const {
    return idx >= 0 && idx < Capacity ? m_DriveName[idx] : QString();
}

QString DriveTable::path(int idx) const {
    return idx >= 0 && idx < Capacity ? m_DrivePath[idx] : QString();
}

} // namespace velmora
