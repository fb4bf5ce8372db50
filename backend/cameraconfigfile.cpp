#include "cameraconfigfile.h"

#include "atomicfile.h"
#include "camerakeys.h"
#include "camerasecret.h"
#include "inisnapshot.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

namespace velmora::CameraConfigFile {

namespace {
const QString Group = QStringLiteral("config");

// The order in which the values are handed to the INI writer; the writer
// itself puts them in ascending order of their names.
const char *const WriteOrder[] = {
    "adas_fcws",
    "adas_ldws",
    "cut_volt",
    "gps_speed",
    "gsensor_sensitivity",
    "lang",
    "memory_type_mmc",
    "model",
    "motion_sensitivity",
    "radar_sensitivity",
    "parking_mode",
    "screen",
    "secret",
    "security_led",
    "time_dst",
    "time_manual",
    "time_zone",
    "ver",
    "vol_mic",
    "vol_speaker",
};

// A config.txt ends with its checksum byte after the last line feed; the
// INI reader does not need it.
QByteArray withoutChecksum(QByteArray bytes) {
    if (bytes.size() >= 2 && !bytes.endsWith('\n') && bytes.at(bytes.size() - 2) == '\n')
        bytes.chop(1);
    return bytes;
}
} // namespace

char checksum(const QByteArray &bytes) {
    unsigned char sum = 0;
    for (char c : bytes)
        sum = static_cast<unsigned char>(sum + static_cast<unsigned char>(c));
    return static_cast<char>(sum);
}

QByteArray fingerprint(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

bool read(const QString &path, CameraSettings &settings, QByteArray *fingerprint) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (fingerprint)
        *fingerprint = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
    const IniSnapshot ini = IniSnapshot::parse(withoutChecksum(bytes), Group);
    for (const CameraKey &key : cameraKeys()) {
        const QString name = QLatin1String(key.name);
        switch (key.type) {
        case CameraKey::Integer:
            settings.*key.integer = ini.integer(name);
            break;
        case CameraKey::Text:
            settings.*key.text = ini.text(name);
            break;
        case CameraKey::Secret:
            settings.secretStored = ini.text(name);
            settings.secret = decodeSecret(QString::number(ini.integer(name)));
            break;
        }
    }
    return true;
}

QString whyNotConfig(const QByteArray &bytes) {
    if (bytes.isEmpty())
        return QStringLiteral("it is empty");
    const QByteArray text = withoutChecksum(bytes);
    const int nul = text.indexOf('\0');
    if (nul >= 0)
        return QStringLiteral("binary: a NUL byte at offset %1").arg(nul);
    const IniSnapshot ini = IniSnapshot::parse(text, Group);
    for (const CameraKey &key : cameraKeys()) {
        if (ini.contains(QLatin1String(key.name)))
            return QString();
    }
    return QStringLiteral("none of the camera's keys under [config]");
}

QByteArray build(const CameraSettings &settings, QString *error) {
    // Qt's INI writer decides the escaping of text values; let it write into
    // a private folder, then take its bytes.
    QTemporaryDir dir;
    if (!dir.isValid()) {
        if (error)
            *error = QStringLiteral("no temporary folder: %1").arg(dir.errorString());
        return QByteArray();
    }
    const QString iniPath = dir.filePath(QStringLiteral("config.ini"));
    {
        QSettings ini(iniPath, QSettings::IniFormat);
        ini.beginGroup(Group);
        for (const char *name : WriteOrder) {
            const CameraKey *key = findCameraKey(QLatin1String(name));
            if (key->type == CameraKey::Integer)
                ini.setValue(QLatin1String(name), settings.*key->integer);
            else
                ini.setValue(QLatin1String(name), settings.*key->text);
        }
        ini.endGroup();
        ini.sync();
        if (ini.status() != QSettings::NoError) {
            if (error)
                *error = QStringLiteral("the INI writer failed");
            return QByteArray();
        }
    }
    QFile written(iniPath);
    if (!written.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot read back %1").arg(iniPath);
        return QByteArray();
    }
    QByteArray bytes = written.readAll();
    bytes.replace("\r", "");
    bytes.append(checksum(bytes));
    return bytes;
}

bool write(const QString &path, const CameraSettings &settings, QString *error) {
    const QByteArray bytes = build(settings, error);
    if (bytes.isEmpty())
        return false;
    return replaceFileAtomically(path, bytes, error);
}

} // namespace velmora::CameraConfigFile
