// The camera's config.txt and the whole-file text operations on `source`.
#include "backendlog.h"
#include "fileio.h"

#include "atomicfile.h"
#include "cameraconfigfile.h"
#include "camerakeys.h"
#include "camerasecret.h"

#include <QDebug>
#include <QFile>
#include <QTextStream>

void FileIO::setSecret(QString secret) {
    // The code is kept encoded, as the camera stores it. Anything but four
    // digits cannot be encoded and leaves the code as it was.
    const QString encoded = velmora::encodeSecret(secret);
    if (!encoded.isEmpty())
        m_camera.secret = encoded;
    qCDebug(lcSettings).noquote() << "m_secret ===> " + m_camera.secret;
}

bool FileIO::readConfig() {
    qCDebug(lcSettings).noquote() << "getDriveInfo() ===> " + m_CurrentDrivePath;
    const QString path = m_CurrentDrivePath + QStringLiteral("config.txt");
    qCDebug(lcSettings).noquote() << "checkConfig.exists() ===============> " + path;
    m_cameraFingerprint.clear();
    if (!QFile::exists(path) ||
        !velmora::CameraConfigFile::read(path, m_camera, &m_cameraFingerprint))
        return false;
    for (const velmora::CameraKey &key : velmora::cameraKeys()) {
        qCDebug(lcSettings).noquote()
            << QLatin1String(key.name) + QStringLiteral(" :") + key.valueText(m_camera);
    }
    return true;
}

bool FileIO::writeConfig() {
    const QString path = mSource + QStringLiteral("config.txt");
    // The values belong to the file that was read: never write them over
    // another card's file, nor onto a card that had none.
    if (m_cameraFingerprint.isEmpty() ||
        velmora::CameraConfigFile::fingerprint(path) != m_cameraFingerprint) {
        qCDebug(lcSettings).noquote() << "save refused: " + path + " is not the file read";
        return false;
    }
    QString error;
    if (!velmora::CameraConfigFile::write(path, m_camera, &error)) {
        qCDebug(lcSettings).noquote() << "save failed: " + error;
        return false;
    }
    m_cameraFingerprint = velmora::CameraConfigFile::fingerprint(path);
    qCDebug(lcSettings).noquote() << "save success";
    return true;
}

QString FileIO::read() {
    if (mSource.isEmpty()) {
        emit error(QStringLiteral("source is empty"));
        return QString();
    }
    QFile file(mSource);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        emit error(QStringLiteral("Unable to open the file"));
        return QString();
    }
    QString text;
    QTextStream stream(&file);
    while (!stream.atEnd())
        text += stream.readLine();
    return text;
}

bool FileIO::write(QString data) {
    if (mSource.isEmpty())
        return false;
    // Never leave the file half-written: the new text replaces it whole.
    QString error;
    if (!velmora::replaceFileAtomically(mSource, data.toUtf8(), &error)) {
        qCDebug(lcSettings).noquote() << "write failed: " + error;
        return false;
    }
    return true;
}
