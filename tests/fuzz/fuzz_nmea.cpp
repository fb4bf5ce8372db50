// The RMC decoding on arbitrary sentences. The input is split at line feeds
// into the sentences of consecutive seconds, so the kept texts carry over.
#include "fuzzseeds.h"
#include "nmearmc.h"

#include <QList>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    velmora::fuzz::writeSeedRecordings();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    velmora::RmcDecoder decoder;
    const QList<QByteArray> sentences = bytes.split('\n');
    for (int second = 0; second < sentences.size(); ++second) {
        // A copy of exactly the sentence's bytes, so any overread is caught.
        const QByteArray sentence(sentences[second].constData(), sentences[second].size());
        const auto gio = decoder.decode(sentence, second);
        const bool rmc = sentence.contains("GPRMC") || sentence.contains("GNRMC");
        if (!rmc && (!gio || gio->speed != QLatin1String("0")))
            std::abort();
        if (!gio)
            continue;
        if (gio->time != second)
            std::abort();
        if (rmc && gio->ew.size() != 1) // the letter is the one byte before a comma
            std::abort();

        // The same bytes as a telemetry record's sentence field.
        QByteArray record(400, '\0');
        record.replace(34, qMin(sentence.size(), 256), sentence.left(256));
        if (velmora::RmcDecoder::sentenceOf(record).size() > 256)
            std::abort();
    }
    return 0;
}
