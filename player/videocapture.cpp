#include "videocapture.h"

#include "mpvplayer.h"
#include "playerlog.h"

#include <QDebug>
#include <QDir>
#include <QUrl>

namespace velmora {

VideoCapture::VideoCapture(MpvPlayer *player, QObject *parent)
    : QObject(parent)
    , m_player(player) {
    connect(player, &MpvPlayer::captureFinished, this, [this](const QString &path, bool ok) {
        if (ok)
            emit saved(path);
        else
            emit failed(path);
    });
}

void VideoCapture::setCaptureName(const QString &name) {
    if (name == m_name)
        return;
    m_name = name;
    emit captureNameChanged();
}

void VideoCapture::setCaptureDir(const QString &dir) {
    if (dir == m_dir)
        return;
    m_dir = dir;
    emit captureDirChanged();
}

QString VideoCapture::target() const {
    QString dir = m_dir;
    if (dir.startsWith(QLatin1String("file:")))
        dir = QUrl(dir).toLocalFile();
    return QDir(dir).filePath(m_name + QLatin1String(".png"));
}

void VideoCapture::capture() {
    const QString path = target();
    if (m_name.isEmpty() || !QDir().mkpath(QFileInfo(path).absolutePath())) {
        qCDebug(lcPlayer).noquote() << QStringLiteral("Video: cannot capture to ") + path;
        QMetaObject::invokeMethod(
            this, [this, path] { emit failed(path); }, Qt::QueuedConnection);
        return;
    }
    m_player->capture(path);
}

} // namespace velmora
