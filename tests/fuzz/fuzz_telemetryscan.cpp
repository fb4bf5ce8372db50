// The telemetry scan on arbitrary bytes, for each of the three text ids:
// through the index, the chunk walk and the resynchronising search.
#include "avilayout.h"
#include "fuzzseeds.h"
#include "telemetryextraction.h"
#include "telemetryscan.h"

#include <QBuffer>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    velmora::fuzz::writeSeedRecordings();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    for (const char *id : {"02tx", "03tx", "04tx"}) {
        const QByteArray textId(id);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        velmora::RecordingReader reader(buffer);
        velmora::TelemetryScanner scanner(reader, textId);
        const velmora::TelemetryChunks chunks = scanner.locate();

        // Every position found is a whole chunk in the file, in file order,
        // never overlapping the one before; those of the walk carry the text
        // id and size 400 (the index's are checked as they are read).
        qint64 previousEnd = 0;
        for (const qint64 pos : chunks.positions) {
            if (pos < previousEnd || pos + 408 > qint64(size))
                std::abort();
            if (!chunks.usedIndex && (std::memcmp(bytes.constData() + pos, id, 4) != 0 ||
                                      velmora::avi::readLE32(bytes.constData() + pos + 4) != 400))
                std::abort();
            previousEnd = pos + 408;
        }

        buffer.seek(0);
        const velmora::TelemetryExtraction result = velmora::extractTelemetry(buffer, textId);
        if (result.status != velmora::TelemetryExtraction::Status::Done ||
            result.records > int(size / 408) ||
            result.telemetry.magnetic.size() != result.records ||
            result.telemetry.gio.size() > (result.records + 29) / 30)
            std::abort();
    }
    return 0;
}
