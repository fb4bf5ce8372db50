#pragma once

// A card on a real mount: an ext4 image mounted through a loop device, for
// the cases that pull a mount from under the viewer. Needs root, mkfs.ext4
// and a free loop device; problem() says which is missing.
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <unistd.h>

class LoopCard {
public:
    LoopCard() = default;
    LoopCard(const LoopCard &) = delete;
    LoopCard &operator=(const LoopCard &) = delete;
    ~LoopCard() {
        if (m_mounted)
            run("umount", {"-l", m_mountPoint});
    }

    // Mounts a fresh 64 MB image at `folder`/card; false when this machine
    // cannot.
    bool mount(const QString &folder) {
        const QString image = folder + "/card.img";
        m_mountPoint = folder + "/card";
        if (::geteuid() != 0)
            return fail("not root");
        if (QStandardPaths::findExecutable("mkfs.ext4").isEmpty())
            return fail("no mkfs.ext4");
        QFile file(image);
        if (!file.open(QIODevice::WriteOnly) || !file.resize(64 << 20))
            return fail("cannot write " + image);
        file.close();
        QDir().mkpath(m_mountPoint);
        if (!run("mkfs.ext4", {"-q", "-F", "-L", "DASHCAM", image}))
            return fail("mkfs.ext4 failed: " + m_output);
        if (!run("mount", {"-o", "loop", image, m_mountPoint}))
            return fail("no loop device to mount the image (" + m_output.trimmed() + ")");
        m_mounted = true;
        return true;
    }

    // umount -l: the mount leaves the table at once, its open files stay
    // readable until closed.
    bool unmountLazily() {
        m_mounted = m_mounted && !run("umount", {"-l", m_mountPoint});
        return !m_mounted;
    }

    QString mountPoint() const { return m_mountPoint; }
    QString problem() const { return m_problem; }

private:
    bool fail(const QString &why) {
        m_problem = why;
        return false;
    }
    bool run(const QString &program, const QStringList &arguments) {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        const bool ok = process.waitForFinished(60000) &&
                        process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
        m_output = QString::fromLocal8Bit(process.readAll());
        return ok;
    }

    QString m_mountPoint;
    QString m_problem;
    QString m_output;
    bool m_mounted = false;
};
