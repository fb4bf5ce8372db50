#include "exportoutput.h"

#include "avilayout.h"
#include "posixio.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {

constexpr int PipeSize = 1 << 20;

bool spliceUnsupported(int error) {
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP || error == EBADF;
}

QString shrunk() {
    return QStringLiteral("the recording ended while it was read");
}

void closeQuietly(int &fd) {
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

} // namespace

ExportOutput::~ExportOutput() {
    closeQuietly(m_pipe[0]);
    closeQuietly(m_pipe[1]);
    closeQuietly(m_fd);
    if (!m_tempName.isEmpty())
        ::unlink(m_tempName.constData());
}

bool ExportOutput::open(const QByteArray &finalName) {
    m_finalName = finalName;
    m_tempName = finalName + ".XXXXXX";
    m_fd = ::mkostemp(m_tempName.data(), O_CLOEXEC);
    if (m_fd < 0) {
        m_tempName.clear();
        return fail();
    }
    if (::fchmod(m_fd, 0644) != 0)
        return fail();
    m_buffer.reserve(BufferSize);
    // Without a pipe the bodies go through the buffer.
    if (m_copy == BodyCopy::Kernel && ::pipe2(m_pipe, O_NONBLOCK | O_CLOEXEC) == 0)
        ::fcntl(m_pipe[1], F_SETPIPE_SZ, PipeSize); // a smaller pipe only costs calls
    else
        m_pipe[0] = m_pipe[1] = -1;
    return true;
}

void ExportOutput::appendLE32(quint32 value) {
    avi::appendLE32(m_buffer, value);
}

bool ExportOutput::copyFrom(int sourceFd, qint64 at, qint64 length) {
    if (m_pipe[1] >= 0)
        return spliceInto(sourceFd, at, length);
    return readInto(sourceFd, at, length);
}

bool ExportOutput::spliceInto(int sourceFd, qint64 at, qint64 length) {
    if (!pushBufferToPipe())
        return false;
    loff_t from = at;
    qint64 left = length;
    while (left > 0) {
        const ssize_t n = ::splice(sourceFd, &from, m_pipe[1], nullptr, size_t(left),
                                   SPLICE_F_MOVE | SPLICE_F_NONBLOCK);
        if (n > 0) {
            left -= n;
            m_inPipe += n;
            m_flushed += n;
            continue;
        }
        if (n == 0)
            return readFailed(shrunk());
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN && m_inPipe > 0) { // the pipe is full
            if (!drainPipe())
                return false;
            continue;
        }
        if (errno == EAGAIN || spliceUnsupported(errno)) {
            // The source's file system cannot splice: read what is left.
            if (!leavePipe())
                return false;
            return readInto(sourceFd, from, left);
        }
        return readFailed(posixio::systemError());
    }
    return true;
}

bool ExportOutput::readInto(int sourceFd, qint64 at, qint64 length) {
    while (length > 0) {
        const qint64 piece = std::min<qint64>(length, BufferSize);
        if (m_buffer.size() + piece > BufferSize && !flush())
            return false;
        const int start = m_buffer.size();
        m_buffer.resize(start + int(piece));
        qint64 done = 0;
        while (done < piece) {
            const ssize_t n = ::pread(sourceFd, m_buffer.data() + start + done,
                                      size_t(piece - done), off_t(at + done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                m_buffer.resize(start);
                return readFailed(n == 0 ? shrunk() : posixio::systemError());
            }
            done += n;
        }
        at += piece;
        length -= piece;
    }
    return true;
}

bool ExportOutput::pushBufferToPipe() {
    const char *data = m_buffer.constData();
    qint64 left = m_buffer.size();
    while (left > 0) {
        const ssize_t n = ::write(m_pipe[1], data, size_t(left));
        if (n > 0) {
            data += n;
            left -= n;
            m_inPipe += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN && m_inPipe > 0) {
            if (!drainPipe())
                return false;
            continue;
        }
        return fail();
    }
    m_flushed += m_buffer.size();
    m_buffer.clear();
    return true;
}

bool ExportOutput::drainPipe() {
    bool viaRead = false; // the destination's file system cannot splice
    char piece[64 * 1024];
    while (m_inPipe > 0) {
        ssize_t n;
        if (!viaRead) {
            n = ::splice(m_pipe[0], nullptr, m_fd, nullptr, size_t(m_inPipe), SPLICE_F_MOVE);
            if (n < 0 && spliceUnsupported(errno)) {
                viaRead = true;
                continue;
            }
        } else {
            n = ::read(m_pipe[0], piece, size_t(std::min<qint64>(m_inPipe, sizeof piece)));
            if (n > 0 && !posixio::writeAll(m_fd, piece, n))
                return fail();
        }
        if (n > 0) {
            m_inPipe -= n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0)
            errno = EIO; // the pipe lost what it held
        return fail();
    }
    if (viaRead)
        return leavePipe();
    return true;
}

bool ExportOutput::leavePipe() {
    if (!drainPipe())
        return false;
    closeQuietly(m_pipe[0]);
    closeQuietly(m_pipe[1]);
    return true;
}

bool ExportOutput::flush() {
    if (m_inPipe > 0 && !drainPipe())
        return false;
    if (!posixio::writeAll(m_fd, m_buffer.constData(), m_buffer.size()))
        return fail();
    m_flushed += m_buffer.size();
    m_buffer.clear();
    return true;
}

bool ExportOutput::patchLE32(qint64 pos, quint32 value) {
    QByteArray word;
    avi::appendLE32(word, value);
    return ::pwrite(m_fd, word.constData(), 4, off_t(pos)) == 4 || fail();
}

bool ExportOutput::commit() {
    if (!flush())
        return false;
    closeQuietly(m_pipe[0]);
    closeQuietly(m_pipe[1]);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 || ::rename(m_tempName.constData(), m_finalName.constData()) != 0)
        return fail();
    m_tempName.clear();
    return true;
}

bool ExportOutput::fail() {
    if (m_error.isEmpty())
        m_error = posixio::systemError();
    return false;
}

bool ExportOutput::readFailed(const QString &why) {
    m_readError = why;
    return false;
}

} // namespace velmora
