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
#include <QtEndian>

namespace velmora::reference {

struct ReferenceResult {
    Telemetry telemetry;
    int records = 0;
};

inline ReferenceResult byteSearchExtraction(const QString &path) {
    ReferenceResult result;
    const QString name = QFileInfo(path).fileName();
    const QByteArray id = name.contains("_T_")   ? "04tx"
                          : name.contains("_D_") ? "03tx"
                          : name.contains("_S_") ? "02tx"
                                                 : "";
    QFile file(path);
    if (id.isEmpty() || !file.open(QIODevice::ReadOnly))
        return result;
    const QByteArray all = file.readAll();
    auto le32 = [&all](int at) { return qFromLittleEndian<qint32>(all.constData() + at); };
    QString keptLat, keptLon, keptEw;
    for (int at = all.indexOf(id); at >= 0 && at + 408 <= all.size() && le32(at + 4) == 400;
         at = all.indexOf(id, at + 404)) {
        const int record = at + 8;
        if (result.records % 30 == 0) {
            const QString sentence = QString::fromUtf8(
                all.constData() + record + 34, int(qstrnlen(all.constData() + record + 34, 256)));
            const int second = result.records / 30;
            const int m = sentence.indexOf(QLatin1String("A,"));
            const QStringList f = sentence.mid(m + 2).split(QLatin1Char(','));
            if (!sentence.contains(QLatin1String("GPRMC")) &&
                !sentence.contains(QLatin1String("GNRMC"))) {
                if (second == 0)
                    keptLat = keptLon = keptEw = QStringLiteral("0");
                result.telemetry.gio.append(
                    {second, keptEw, keptLat, keptLon, QStringLiteral("0"), {}, {}, {}});
            } else if (m >= 0 && f.size() >= 6) { // a valid fix, up to the comma after the speed
                keptLat = f[0];
                keptLon = f[2];
                keptEw = f[3].right(1);
                result.telemetry.gio.append({second, keptEw, keptLat, keptLon, f[4], {}, {}, {}});
            }
        }
        auto value = [&](int offset) { return float(le32(record + offset)) / 1000.0f; };
        result.telemetry.magnetic.append(MagneticData{value(290), value(294), value(298)});
        ++result.records;
    }
    return result;
}

} // namespace velmora::reference
