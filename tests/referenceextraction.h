#pragma once

// REFERENCE ONLY, for tests and benchmarks: the whole-file byte search that the
// streaming telemetry scan replaced, kept as an oracle. It reads the whole
// recording into memory and finds the records by searching for the text chunk
// id, stopping at the first match whose size field is not 400. The streaming
// scan must give the same lists on every well-formed recording.
#include "telemetrytypes.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>

namespace velmora::reference {

struct ReferenceResult {
    bool opened = false;
    Telemetry telemetry;
    int records = 0;
};

inline ReferenceResult byteSearchExtraction(const QString &path) {
    ReferenceResult result;
    const QString name = QFileInfo(path).fileName();
    QByteArray id;
    if (name.contains(QLatin1String("_T_")))
        id = "04tx";
    else if (name.contains(QLatin1String("_D_")))
        id = "03tx";
    else if (name.contains(QLatin1String("_S_")))
        id = "02tx";

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    result.opened = true;
    if (id.isEmpty())
        return result;
    const QByteArray all = file.readAll();

    QString keptLat, keptLon, keptEw;
    int pos = 0;
    for (;;) {
        const int at = all.indexOf(id, pos);
        if (at < 0 || at + 8 > all.size())
            break;
        const auto *u = reinterpret_cast<const unsigned char *>(all.constData() + at + 4);
        const quint32 size = u[0] | u[1] << 8 | u[2] << 16 | quint32(u[3]) << 24;
        if (size != 400 || at + 408 > all.size())
            break;
        pos = at + 404;
        const char *record = all.constData() + at + 8;
        const int counter = result.records;

        if (counter % 30 == 0) {
            const int second = counter / 30;
            const QString sentence =
                QString::fromUtf8(record + 34, int(qstrnlen(record + 34, 256)));
            GioData gio;
            gio.time = second;
            bool append = true;
            if (!sentence.contains(QLatin1String("GPRMC")) &&
                !sentence.contains(QLatin1String("GNRMC"))) {
                if (second == 0)
                    keptLat = keptLon = keptEw = QStringLiteral("0");
                gio.lat = keptLat;
                gio.lon = keptLon;
                gio.ew = keptEw;
                gio.speed = QStringLiteral("0");
            } else {
                const int m = sentence.indexOf(QLatin1String("A,"));
                const int n = m < 0 ? -1 : sentence.indexOf(QLatin1Char(','), m + 2);
                const int p = n < 0 ? -1 : sentence.indexOf(QLatin1Char(','), n + 1);
                const int q = p < 0 ? -1 : sentence.indexOf(QLatin1Char(','), p + 1);
                const int s = q < 0 ? -1 : sentence.indexOf(QLatin1Char(','), q + 1);
                const int w = s < 0 ? -1 : sentence.indexOf(QLatin1Char(','), s + 1);
                append = w >= 0;
                if (append) {
                    gio.lat = sentence.mid(m + 2, n - m - 2);
                    gio.lon = sentence.mid(p + 1, q - p - 1);
                    gio.ew = sentence.mid(s - 1, 1);
                    gio.speed = sentence.mid(s + 1, w - s - 1);
                    keptLat = gio.lat;
                    keptLon = gio.lon;
                    keptEw = gio.ew;
                }
            }
            if (append)
                result.telemetry.gio.append(gio);
        }
        auto value = [record](int offset) {
            const auto *b = reinterpret_cast<const unsigned char *>(record + offset);
            return float(qint32(b[0] | b[1] << 8 | b[2] << 16 | quint32(b[3]) << 24)) / 1000.0f;
        };
        result.telemetry.magnetic.append(MagneticData{value(290), value(294), value(298)});
        ++result.records;
    }
    return result;
}

} // namespace velmora::reference
