#include "camerasecret.h"

namespace velmora {

QString decodeSecret(const QString &stored) {
    bool ok = false;
    const qint64 n = stored.toLongLong(&ok);
    if (!ok || n <= 0)
        return QString();
    const quint32 m = static_cast<quint32>(n - SecretCodeOffset);
    return QString::asprintf("%d%d%d%d", int((m >> 24) & 0xff), int((m >> 16) & 0xff),
                             int((m >> 8) & 0xff), int(m & 0xff));
}

QString encodeSecret(const QString &code) {
    if (code.size() != 4)
        return QString();
    quint32 value = 0;
    for (QChar c : code) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return QString();
        value = (value << 8) | quint32(c.unicode() - '0');
    }
    return QString::number(qint64(value) + SecretCodeOffset);
}

} // namespace velmora
