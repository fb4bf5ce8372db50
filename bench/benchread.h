#pragma once

// The plain sequential read the benchmarks compare against.
#include <QByteArray>
#include <QFile>
#include <QString>

namespace velmora::bench {

// Reads the whole file through `block`, past Qt's buffer; returns the bytes read.
inline qint64 readWholeFile(const QString &path, QByteArray &block) {
    QFile file(path);
    file.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    qint64 total = 0;
    for (qint64 n; (n = file.read(block.data(), block.size())) > 0;)
        total += n;
    return total;
}

} // namespace velmora::bench
