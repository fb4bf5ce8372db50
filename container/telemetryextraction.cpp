#include "telemetryextraction.h"

#include "avilayout.h"
#include "nmearmc.h"

#include <QFile>
#include <QFileInfo>

namespace velmora {

QByteArray telemetryIdForPath(const QString &path) {
    const avi::ChannelLayout layout = avi::ChannelLayout::fromName(QFileInfo(path).fileName());
    return layout.isValid() ? layout.textId() : QByteArray();
}

TelemetryExtraction extractTelemetry(const QString &path, const std::atomic<bool> *cancelled) {
    QFile file(path);
    // Unbuffered: every read asks the file system for exactly what is needed.
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return TelemetryExtraction();
    return extractTelemetry(file, telemetryIdForPath(path), cancelled);
}

TelemetryExtraction extractTelemetry(QIODevice &device, const QByteArray &textId,
                                     const std::atomic<bool> *cancelled) {
    TelemetryExtraction result;
    RecordingReader reader(device);
    TelemetryScanner scanner(reader, textId, cancelled);
    TelemetryChunks chunks = scanner.locate();

    // One pass over the located records; false when one of them is not what
    // the index said it is.
    auto decodeAll = [&]() {
        result = TelemetryExtraction();
        result.usedIndex = chunks.usedIndex;
        result.resyncs = chunks.resyncs;
        result.status = chunks.cancelled ? TelemetryExtraction::Status::Cancelled
                                         : TelemetryExtraction::Status::Done;
        if (chunks.cancelled)
            return true;
        RmcDecoder decoder;
        Telemetry &telemetry = result.telemetry;
        telemetry.magnetic.reserve(chunks.positions.size());
        for (const qint64 position : qAsConst(chunks.positions)) {
            if (cancelled && cancelled->load(std::memory_order_relaxed)) {
                result.status = TelemetryExtraction::Status::Cancelled;
                return true;
            }
            const QByteArray record = scanner.readRecord(position);
            if (record.size() != avi::TelemetryRecordSize) {
                if (chunks.usedIndex)
                    return false;
                break; // the file changed under us: keep what was read
            }
            const int counter = result.records;
            if (counter % avi::FramesPerSecond == 0) {
                if (auto gio = decoder.decode(RmcDecoder::sentenceOf(record),
                                              counter / avi::FramesPerSecond))
                    telemetry.gio.append(*gio);
            }
            const char *body = record.constData();
            auto sensor = [body](int offset) {
                return float(qint32(avi::readLE32(body + offset))) / avi::SensorScale;
            };
            telemetry.magnetic.append(MagneticData{sensor(avi::SensorXOffset),
                                                   sensor(avi::SensorYOffset),
                                                   sensor(avi::SensorZOffset)});
            ++result.records;
        }
        return true;
    };

    if (!decodeAll()) {
        // The index pointed at something else: walk the data list instead.
        chunks = scanner.walkDataList();
        decodeAll();
    }
    result.bytesRead = reader.bytesRead();
    return result;
}

} // namespace velmora
