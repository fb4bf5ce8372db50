// CommonFunc: the export of one camera channel of a recording. The report
// screen sets the channel, the folder and the name, then writes the
// recording's path into runMake, which starts the export in the background.
#include "channelexport.h"
#include "commonfunc.h"
#include "containerlog.h"
#include "reportjobs.h"

#include <QDebug>
#include <QFutureWatcher>
#include <QtConcurrent>
#include <algorithm>

void CommonFunc::setVideoChannel(int channel) {
    m_videoChannel = channel;
}

void CommonFunc::setDisFilePath(const QString &path) {
    m_disFilePath = path;
}

// Built from the folder and channel set before, so those come first.
void CommonFunc::setDisFileName(const QString &name) {
    m_disFileName = velmora::ChannelExport::destinationPath(m_disFilePath, name, m_videoChannel);
    qCDebug(lcExport).noquote() << "disFileNameText : " + m_disFileName;
}

// Returns at once; the export runs on the global thread pool with its own
// copy of the arguments, so further writes start further exports. The
// object waits for them when it is destroyed.
void CommonFunc::setRunMake(const QString &sourcePath) {
    const QString destination = m_disFileName;
    const int channel = m_videoChannel;
    auto *watcher = new QFutureWatcher<bool>(this);
    connect(watcher, &QFutureWatcher<bool>::finished, this, [this, watcher, destination] {
        emit exportFinished(destination, watcher->result());
        watcher->deleteLater();
    });
    auto stop = std::make_shared<std::atomic<bool>>(false);
    const QFuture<bool> future = QtConcurrent::run([sourcePath, destination, channel, stop] {
        const auto stopped = [&stop] { return stop->load(); };
        return velmora::ChannelExport::run(sourcePath, destination, channel, stopped).ok();
    });
    watcher->setFuture(future);
    m_exports.erase(std::remove_if(m_exports.begin(), m_exports.end(),
                                   [](const RunningExport &e) { return e.future.isFinished(); }),
                    m_exports.end());
    m_exports.append({future, sourcePath, stop});
}

void CommonFunc::cancelExports(const QString &folder) {
    const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    for (const RunningExport &e : qAsConst(m_exports)) {
        if (e.source.startsWith(prefix) && !e.future.isFinished()) {
            qCDebug(lcExport).noquote() << "export cancelled: " + e.source;
            e.stop->store(true);
        }
    }
}

CommonFunc::~CommonFunc() {
    for (RunningExport &e : m_exports)
        e.future.waitForFinished();
}
