#include "fileio.h"

#include "backendlog.h"
#include "cardenvironment.h"
#include "systemvolumes.h"

#include <QDebug>
#include <QQmlEngine>
#include <QStandardPaths>

namespace {
const QString CardLabel = QStringLiteral("DASHCAM");
const QString None = QStringLiteral("none");
} // namespace

FileIO::FileIO(QObject *parent)
    : QObject(parent)
    , m_mapSources(velmora::mapSources(m_viewer)) {
    connect(&m_copier, &velmora::RecordingCopier::copyFinished, this, &FileIO::copyFinished);
    connect(&m_cardWatch, &velmora::CardWatch::cardGone, this, &FileIO::cardLost);
    connect(&m_cardWatch, &velmora::CardWatch::cardArrived, this, &FileIO::cardInserted);
    connect(&m_copier, &velmora::RecordingCopier::copyProgress, this, &FileIO::copyProgress);
}

FileIO::~FileIO() {
    // Never let a background task outlive the object it works for.
    m_extractor.cancelAndWait();
    m_copier.cancelAndWait();
}

void FileIO::setVolumeSource(std::shared_ptr<const velmora::VolumeSource> volumes) {
    m_volumes = std::move(volumes);
}

void FileIO::classBegin() {
    // Runs before the scene assigns any property, so the first card search
    // already looks where the application said.
    if (!m_volumes)
        m_volumes = velmora::CardEnvironment::volumesOf(qmlEngine(this));
}

void FileIO::setSource(QString source) {
    m_CurrentDrivePath = None;
    if (source != CardLabel) {
        mSource = source;
        m_CurrentDrivePath = source;
        qCDebug(lcCard).noquote() << "mSource 1111:" + mSource;
        return;
    }

    qCDebug(lcCard).noquote() << "mSource:" + source;
    if (!m_volumes)
        m_volumes = std::make_shared<velmora::SystemVolumes>();
    mSource = None;
    if (m_drives.search(m_volumes->volumes(), source))
        mSource = QStringLiteral("Drive");
    else
        m_cardWatch.await(m_volumes); // the card dialog opens when one comes in

    readConfig();
    readPCConfig();
}

// Everything that reads from the card is told to stop before the scenes hear
// of it, and none of it is waited for: a copy can hang for seconds in a write
// to a slow stick. What it leaves is removed by its own thread.
void FileIO::cardLost(const QString &root) {
    m_extractor.cancel();
    m_copier.abandon();
    m_SaveList.clear();
    mT2Idx = 0;
    m_FileList.clear();
    emit cardRemoved(root);
}

int FileIO::getDriveCount() {
    return m_drives.count();
}

QString FileIO::getDriveName(int idx) {
    return m_drives.name(idx);
}

QString FileIO::getDrivePath(int idx) {
    const QString path = m_drives.path(idx);
    qCDebug(lcCard).noquote() << " m_DrivePath[idx] =======> " + path;
    return path;
}

QString FileIO::getDrivePath() {
    qCDebug(lcCard).noquote() << "getDriveInfo() ===> " + m_CurrentDrivePath;
    return m_CurrentDrivePath;
}

QString FileIO::readWorkDir() {
    return getDesktopPath();
}

QString FileIO::getDesktopPath() {
    return QStringLiteral("%1/").arg(
        QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
}
