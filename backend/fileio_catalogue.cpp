// The recording catalogue as the scenes see it: the five category lists,
// lookups by (kind, index) and the small name and path helpers.
#include "avilayout.h"
#include "backendlog.h"
#include "fileio.h"
#include "fileurl.h"
#include "systemvolumes.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

using velmora::Catalogue;
using velmora::FileEntry;

void FileIO::fileSearch() {
    qCDebug(lcCatalogue).noquote() << "fileSearch: ================> ";
    // Carries on with the bare folder names, which normally finds nothing.
    if (mSource.isEmpty())
        emit error(QStringLiteral("source is empty"));
    m_FileList.search(mSource, &mFileInfo);
    if (!m_volumes)
        m_volumes = std::make_shared<velmora::SystemVolumes>();
    const QFileInfo card(mSource);
    m_cardWatch.watch(card.isAbsolute() && card.isDir() ? mSource : QString(), m_volumes);
}

QString FileIO::setfileInfo(QString files) {
    qCDebug(lcCatalogue).noquote() << "fileSearch: ================> ";
    qCDebug(lcCatalogue).noquote() << " files.length()==> " + QString::number(files.length());
    m_FileList.takePicked(files, &mFileInfo);
    m_cardWatch.stop(); // the list shows files opened by hand now
    return QStringLiteral("OK");
}

const FileEntry &FileIO::selectEntry(int kind, int index) {
    mFileInfo = m_FileList.entry(kind, index);
    return mFileInfo;
}

QString FileIO::readfilename(int kind, int index) {
    return selectEntry(kind, index).fileName;
}

QString FileIO::readfileinfo(int kind, int index) {
    return selectEntry(kind, index).fileInfo;
}

QString FileIO::readfilepath(int kind, int index) {
    const QString path = selectEntry(kind, index).filePath;
    // Nothing to extract for an entry that does not exist.
    if (!m_FileList.contains(kind, index))
        return QString();
    return startExtraction(path);
}

QString FileIO::readBaseFName(int kind, int index) {
    return Catalogue::baseName(selectEntry(kind, index).fileName);
}

QString FileIO::readBaseFName(QString filpath) {
    return Catalogue::baseName(filpath);
}

int FileIO::getVideoChannel(QString filpath) {
    const velmora::avi::ChannelLayout layout = velmora::avi::ChannelLayout::fromName(filpath);
    return layout.isValid() ? layout.videoStreams : -1;
}

int FileIO::readfileCnt(int kind) {
    return m_FileList.count(kind);
}

int FileIO::fileValidation(QString filePath) {
    return QFile::exists(velmora::stripFileUrl(filePath)) ? 1 : 0;
}

// A folder chosen in a dialog arrives as a URL: "%", "#" and spaces in its
// name are escaped there.
QString FileIO::fileCut(QString filePath) {
    if (filePath.startsWith(QLatin1String("file:")))
        return QUrl(filePath).toLocalFile();
    return filePath;
}
