#pragma once

// Saves the current frame of its element as captureDir/captureName.png,
// creating the folder when it is missing. The file is written in the
// background; saved() or failed() follows.
#include <QObject>
#include <QString>

namespace velmora {

class MpvPlayer;

class VideoCapture : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString captureName READ captureName WRITE setCaptureName NOTIFY captureNameChanged)
    Q_PROPERTY(QString captureDir READ captureDir WRITE setCaptureDir NOTIFY captureDirChanged)
public:
    VideoCapture(MpvPlayer *player, QObject *parent);

    QString captureName() const { return m_name; }
    void setCaptureName(const QString &name);

    QString captureDir() const { return m_dir; }
    void setCaptureDir(const QString &dir);

    // The file the next capture writes. A folder given as a file URL is
    // taken as its path.
    QString target() const;

    Q_INVOKABLE void capture();

signals:
    void captureNameChanged();
    void captureDirChanged();
    void saved(const QString &path);
    void failed(const QString &path);

private:
    MpvPlayer *m_player;
    QString m_name;
    QString m_dir;
};

} // namespace velmora
