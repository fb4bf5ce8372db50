#pragma once

// Small file helpers for the tests. The QVERIFYs fail the calling test.
#include <QtTest>
#include <sys/mount.h>
#include <unistd.h>

// Whether the independent checkers, the ffmpeg and ffprobe programs, are installed.
inline bool ffmpegAvailable() {
    return !QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty();
}
inline bool ffprobeAvailable() {
    return !QStandardPaths::findExecutable(QStringLiteral("ffprobe")).isEmpty();
}

// The whole file; empty when it cannot be read.
inline QByteArray readAll(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeAll(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

// An empty file, with its folders, and the given modification time if valid.
inline void touch(const QString &path, const QDateTime &modified = QDateTime()) {
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    if (modified.isValid())
        QVERIFY(file.setFileTime(modified, QFileDevice::FileModificationTime));
}

// A small file system mounted over `path` (root only); unmounted on destruction.
class SmallFileSystem {
public:
    SmallFileSystem(const QString &path, const QByteArray &size)
        : m_path(QFile::encodeName(path)) {
        m_mounted = geteuid() == 0 && mount("tmpfs", m_path.constData(), "tmpfs", 0,
                                            ("size=" + size).constData()) == 0;
    }
    ~SmallFileSystem() {
        if (m_mounted)
            umount(m_path.constData());
    }
    SmallFileSystem(const SmallFileSystem &) = delete;
    SmallFileSystem &operator=(const SmallFileSystem &) = delete;
    bool mounted() const { return m_mounted; }
    bool remountReadOnly() {
        return m_mounted &&
               mount(nullptr, m_path.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    QByteArray m_path;
    bool m_mounted = false;
};

// A folder made read-only for this process, with the files `fill` puts in it
// first; undone on destruction. Root writes whatever the permissions, so for
// root it is a small file system mounted read-only.
class ReadOnlyFolder {
public:
    template <typename Fill>
    ReadOnlyFolder(const QString &path, Fill fill)
        : m_path(path)
        , m_mount(path, "64k") {
        fill();
        m_ready = geteuid() == 0 ? m_mount.remountReadOnly()
                                 : QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
    }
    ~ReadOnlyFolder() {
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    // False when the folder could not be made read-only here.
    bool ready() const { return m_ready; }

private:
    QString m_path;
    SmallFileSystem m_mount;
    bool m_ready = false;
};

#include <mutex>

// The debug lines of every thread, collected while an instance lives.
class CapturedDebug {
public:
    CapturedDebug() {
        std::lock_guard<std::mutex> lock(s_mutex);
        s_lines.clear();
        m_previous = qInstallMessageHandler(&CapturedDebug::collect);
    }
    ~CapturedDebug() { qInstallMessageHandler(m_previous); }
    CapturedDebug(const CapturedDebug &) = delete;
    CapturedDebug &operator=(const CapturedDebug &) = delete;
    QStringList lines() const {
        std::lock_guard<std::mutex> lock(s_mutex);
        return s_lines;
    }

private:
    static void collect(QtMsgType type, const QMessageLogContext &, const QString &text) {
        std::lock_guard<std::mutex> lock(s_mutex);
        if (type == QtDebugMsg)
            s_lines << text;
    }
    static inline std::mutex s_mutex;
    static inline QStringList s_lines;
    QtMessageHandler m_previous = nullptr;
};
