#pragma once

#include <QString>
#include <QVector>

namespace velmora {

// One mounted volume as the card search sees it.
struct Volume {
    QString rootPath; // ends in "/"
    QString label;    // the volume label; empty when it cannot be read
    QString fileSystemType;
    qint64 bytesTotal = 0;
    qint64 bytesFree = 0;
};

// Supplies the volumes the card search looks through, in the order it
// should find them. The system implementation reads the mounted volumes;
// tests hand in their own list.
class VolumeSource {
public:
    virtual ~VolumeSource() = default;
    virtual QVector<Volume> volumes() const = 0;
};

// A fixed list, for tests and for tools that already know their volumes.
class FixedVolumes : public VolumeSource {
public:
    explicit FixedVolumes(QVector<Volume> volumes)
        : m_volumes(std::move(volumes)) {}
    QVector<Volume> volumes() const override { return m_volumes; }

private:
    QVector<Volume> m_volumes;
};

} // namespace velmora
