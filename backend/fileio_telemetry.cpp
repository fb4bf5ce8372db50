// Starting the telemetry extraction of a recording; the worker itself is
// velmora::TelemetryExtractor.
#include "containerlog.h"
#include "fileio.h"
#include "fileurl.h"

#include <QDebug>

QString FileIO::startExtraction(const QString &path) {
    m_extractor.start(path);
    return path;
}

std::shared_ptr<const velmora::Telemetry> FileIO::telemetry() const {
    return m_extractor.telemetry();
}

QString FileIO::readfilepath(QString filpath) {
    // A new request makes the state 0 and stops the running scan, even when
    // the path is then refused.
    m_extractor.cancel();
    const QString path = velmora::stripFileUrl(filpath);
    const QByteArray buff = path.toUtf8();
    qCDebug(lcTelemetry).noquote() << "buff[10] ===>  " + QString::fromUtf8(buff);
    // The camera's names are plain ASCII without spaces; anything else is
    // refused.
    int i = 0;
    while (i < buff.size() && uchar(buff.at(i)) < 0x80 && buff.at(i) != ' ')
        ++i;
    if (i < buff.size()) {
        qCDebug(lcTelemetry).noquote() << "buff] ===>  " + QString::number(i);
        return QStringLiteral("ERROR");
    }
    return startExtraction(path);
}

int FileIO::readProcessState() {
    return m_extractor.state();
}
