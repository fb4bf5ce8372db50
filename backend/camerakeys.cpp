#include "camerakeys.h"

#include "camerasecret.h"

namespace velmora {

namespace {
using S = CameraSettings;

CameraKey number(const char *name, int S::*field, int minimum, int maximum) {
    return {name, CameraKey::Integer, minimum, maximum, field, nullptr};
}

CameraKey text(const char *name, QString S::*field) {
    return {name, CameraKey::Text, 0, 0, nullptr, field};
}
} // namespace

const std::vector<CameraKey> &cameraKeys() {
    static const std::vector<CameraKey> keys = {
        number("adas_fcws", &S::adas_fcws, 0, 1),
        number("adas_ldws", &S::adas_ldws, 0, 1),
        number("gps_speed", &S::gps_speed, 0, 1),
        number("cut_volt", &S::cut_volt, 0, 5),
        number("gsensor_sensitivity", &S::gsensor_sensitivity, 0, 5),
        text("lang", &S::lang),
        number("memory_type_mmc", &S::memory_type_mmc, 0, 2),
        text("model", &S::model),
        number("motion_sensitivity", &S::motion_sensitivity, 0, 3),
        number("radar_sensitivity", &S::radar_sensitivity, 0, 3),
        number("parking_mode", &S::parking_mode, 0, 2),
        number("screen", &S::screen, 0, 2),
        {"secret", CameraKey::Secret, 0, 0, nullptr, &S::secretStored},
        number("security_led", &S::security_led, 0, 1),
        number("time_dst", &S::time_dst, 0, 1),
        number("time_manual", &S::time_manual, 0, 1),
        number("time_zone", &S::time_zone, 0, 24),
        text("ver", &S::ver),
        number("vol_mic", &S::vol_mic, 0, 1),
        number("vol_speaker", &S::vol_speaker, 0, 5),
    };
    return keys;
}

const CameraKey *findCameraKey(const QString &name) {
    for (const CameraKey &key : cameraKeys()) {
        if (name.compare(QLatin1String(key.name), Qt::CaseInsensitive) == 0)
            return &key;
    }
    return nullptr;
}

QString CameraKey::valueText(const CameraSettings &settings) const {
    return type == Integer ? QString::number(settings.*integer) : settings.*text;
}

QString CameraKey::assign(CameraSettings &settings, const QString &value) const {
    switch (type) {
    case Integer: {
        bool ok = false;
        const int v = value.toInt(&ok);
        if (!ok || v < minimum || v > maximum)
            return QStringLiteral("%1 takes a whole number from %2 to %3, not '%4'")
                .arg(QLatin1String(name))
                .arg(minimum)
                .arg(maximum)
                .arg(value);
        settings.*integer = v;
        return QString();
    }
    case Text:
        if (text == &S::lang && value != QLatin1String("en") && value != QLatin1String("fr"))
            return QStringLiteral("lang takes en or fr, not '%1'").arg(value);
        settings.*text = value;
        return QString();
    case Secret: {
        const QString stored = encodeSecret(value);
        if (stored.isEmpty())
            return QStringLiteral("secret takes four digits, not '%1'").arg(value);
        settings.secret = value;
        settings.secretStored = stored;
        return QString();
    }
    }
    return QString();
}

} // namespace velmora
