// Deleting recordings from the card and copying them to a folder of the
// user's choice. The copies run in the background, batch after batch; each
// batch reports its outcome with copyFinished().
#include "backendlog.h"
#include "fileio.h"

#include <QDebug>
#include <QFile>

void FileIO::fileRemove() {
    m_FileList.clear();
}

// The entry stays in its list: the list panel deletes its rows from the last
// to the first and searches the card again afterwards.
void FileIO::fileRemove(int kind, int index) {
    qCDebug(lcFiles).noquote() << "kind: ================> " + QString::number(kind);
    qCDebug(lcFiles).noquote() << "index: ================> " + QString::number(index);
    const QString path = selectEntry(kind, index).filePath;
    qCDebug(lcFiles).noquote() << "mFileInfo filePath: ================> " + path;
    if (!m_FileList.contains(kind, index)) {
        qCDebug(lcFiles).noquote() << "fileRemove failed: ================> no such recording";
        return;
    }
    QFile file(path);
    if (!file.remove())
        qCDebug(lcFiles).noquote()
            << "fileRemove failed: ================> " + path + ": " + file.errorString();
}

void FileIO::fileSave(int kind, int index, QString savePath) {
    qCDebug(lcFiles).noquote() << "fileSave kind: ================> " + QString::number(kind);
    qCDebug(lcFiles).noquote() << "fileSave index: ================> " + QString::number(index);
    qCDebug(lcFiles).noquote() << "fileSave mT2Idx: ================> " + QString::number(mT2Idx);
    if (!m_FileList.contains(kind, index)) {
        qCDebug(lcFiles).noquote() << "fileSave failed: ================> no such recording";
        return;
    }
    m_SaveList.append(m_FileList.entry(kind, index));
    // The last call before a start decides the folder of the whole batch.
    m_SavePath = savePath;
    ++mT2Idx;
}

// Hands the queued entries to the copier as one batch and starts a new,
// empty queue at once, so nothing queued later can mix into this batch.
void FileIO::fileSaveStart() {
    m_copier.start({m_SaveList, m_SavePath});
    m_SaveList.clear();
    mT2Idx = 0;
}

void FileIO::fileSaveCancel() {
    m_copier.cancelBatches();
}
