#include "socketstream.h"

#include "wireerror.h"

#include <QDeadlineTimer>
#include <QtEndian>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

QString systemError(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

// Polls for `events`; returns false on time-out. Restarts after signals.
bool pollFor(int fd, short events, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs < 0 ? QDeadlineTimer::Forever : QDeadlineTimer(timeoutMs));
    for (;;) {
        pollfd p { fd, events, 0 };
        const qint64 left = deadline.isForever() ? -1 : deadline.remainingTime();
        const int n = ::poll(&p, 1, int(left));
        if (n > 0)
            return true;
        if (n == 0)
            return false;
        if (errno != EINTR)
            throw ProtocolError(systemError(errno));
    }
}

} // namespace

SocketStream::SocketStream(int fd)
    : m_fd(fd)
{
    int one = 1;
    ::setsockopt(m_fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
}

SocketStream::~SocketStream()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

std::unique_ptr<SocketStream> SocketStream::connectTo(
    const QString &host, quint16 port, int timeoutMs)
{
    addrinfo hints {};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *found = nullptr;
    const QByteArray service = QByteArray::number(port);
    const int rc = ::getaddrinfo(host.toUtf8().constData(), service.constData(), &hints, &found);
    if (rc != 0)
        throw ProtocolError(
            QStringLiteral("%1: %2").arg(host, QString::fromLocal8Bit(::gai_strerror(rc))));
    QString lastError = QStringLiteral("%1: no address").arg(host);
    std::unique_ptr<SocketStream> result;
    for (addrinfo *a = found; a && !result; a = a->ai_next) {
        const int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0) {
            lastError = systemError(errno);
            continue;
        }
        const int flags = ::fcntl(fd, F_GETFL);
        ::fcntl(fd, F_SETFL, flags | O_NONBLOCK);
        int err = 0;
        if (::connect(fd, a->ai_addr, a->ai_addrlen) != 0) {
            err = errno;
            if (err == EINPROGRESS) {
                if (!pollFor(fd, POLLOUT, timeoutMs)) {
                    err = ETIMEDOUT;
                } else {
                    socklen_t len = sizeof err;
                    ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len);
                }
            }
        }
        if (err != 0) {
            lastError = QStringLiteral("%1:%2: %3").arg(host).arg(port).arg(systemError(err));
            ::close(fd);
            continue;
        }
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
        result = std::make_unique<SocketStream>(fd);
    }
    ::freeaddrinfo(found);
    if (!result)
        throw ProtocolError(lastError);
    return result;
}

void SocketStream::writeAll(const char *data, qsizetype size, int timeoutMs, bool more)
{
    const int flags = MSG_NOSIGNAL | MSG_DONTWAIT | (more ? MSG_MORE : 0);
    QDeadlineTimer deadline(timeoutMs < 0 ? QDeadlineTimer::Forever : QDeadlineTimer(timeoutMs));
    while (size > 0) {
        const ssize_t n = ::send(m_fd, data, size_t(size), flags);
        if (n > 0) {
            data += n;
            size -= n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            const qint64 left = deadline.isForever() ? -1 : deadline.remainingTime();
            if (left == 0 || !pollFor(m_fd, POLLOUT, int(left)))
                throw ProtocolError(QStringLiteral("Write timed out"));
            continue;
        }
        throw ProtocolError(systemError(errno));
    }
}

qsizetype SocketStream::receive(char *data, qsizetype size, int timeoutMs)
{
    // Try first: on a busy connection the data is usually there, and a poll costs a call.
    for (;;) {
        const ssize_t n = ::recv(m_fd, data, size_t(size), MSG_DONTWAIT);
        if (n >= 0)
            return n;
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK)
            throw ProtocolError(systemError(errno));
        if (!pollFor(m_fd, POLLIN, timeoutMs))
            throw ProtocolError(QStringLiteral("Read timed out"));
    }
}

qsizetype SocketStream::readSome(char *data, qsizetype size, int timeoutMs)
{
    if (size <= 0)
        return 0;
    if (m_bufferBegin == m_bufferEnd) {
        if (size >= kBufferSize)
            return receive(data, size, timeoutMs);
        if (!m_buffer)
            m_buffer = std::make_unique<char[]>(size_t(kBufferSize));
        m_bufferBegin = 0;
        m_bufferEnd = receive(m_buffer.get(), kBufferSize, timeoutMs);
        if (m_bufferEnd == 0)
            return 0;
    }
    const qsizetype n = qMin(size, m_bufferEnd - m_bufferBegin);
    std::memcpy(data, m_buffer.get() + m_bufferBegin, size_t(n));
    m_bufferBegin += n;
    return n;
}

bool SocketStream::waitReadable(int timeoutMs)
{
    return m_bufferBegin != m_bufferEnd || pollFor(m_fd, POLLIN, timeoutMs);
}

void SocketStream::shutdown()
{
    ::shutdown(m_fd, SHUT_RDWR);
}

void SocketStream::lingeringClose(int timeoutMs, qsizetype maxBytes)
{
    ::shutdown(m_fd, SHUT_WR);
    QDeadlineTimer deadline(timeoutMs);
    char sink[16384];
    qsizetype dropped = 0;
    while (dropped < maxBytes && !deadline.hasExpired()) {
        if (!pollFor(m_fd, POLLIN, int(deadline.remainingTime())))
            break;
        const ssize_t n = ::recv(m_fd, sink, sizeof sink, MSG_DONTWAIT);
        if (n <= 0 && !(n < 0 && (errno == EINTR || errno == EAGAIN)))
            break;
        dropped += qMax<ssize_t>(n, 0);
    }
}

namespace FrameIO {

void writeFrame(SocketStream &stream, const QByteArray &payload, int timeoutMs)
{
    char header[4];
    qToBigEndian(quint32(payload.size()), header);
    if (payload.size() > 64 * 1024) {
        // Copying a large answer behind its header would cost more than a second send.
        QDeadlineTimer deadline(
            timeoutMs < 0 ? QDeadlineTimer::Forever : QDeadlineTimer(timeoutMs));
        stream.writeAll(header, 4, timeoutMs, true);
        const qint64 left = deadline.isForever() ? -1 : qMax<qint64>(1, deadline.remainingTime());
        stream.writeAll(payload.constData(), payload.size(), int(left));
        return;
    }
    QByteArray frame;
    frame.reserve(4 + payload.size());
    frame.append(header, 4);
    frame.append(payload);
    stream.writeAll(frame.constData(), frame.size(), timeoutMs);
}

std::optional<QByteArray> readFrame(SocketStream &stream, const ReadLimits &limits)
{
    char header[4];
    qsizetype got = 0;
    QDeadlineTimer frameDeadline(QDeadlineTimer::Forever);
    auto wait = [&](bool started) {
        int t = started ? limits.byteTimeoutMs : limits.firstByteTimeoutMs;
        if (started && !frameDeadline.isForever()) {
            const qint64 left = frameDeadline.remainingTime();
            if (t < 0 || left < t)
                t = int(left);
        }
        return t;
    };
    while (got < 4) {
        const qsizetype n = stream.readSome(header + got, 4 - got, wait(got > 0));
        if (n == 0) {
            if (got == 0)
                return std::nullopt;
            throw ProtocolError(QStringLiteral("Connection closed inside a frame"));
        }
        if (got == 0 && limits.frameTimeoutMs >= 0)
            frameDeadline = QDeadlineTimer(limits.frameTimeoutMs);
        got += n;
    }
    const quint32 length = qFromBigEndian<quint32>(header);
    if (length == 0)
        throw ProtocolError(QStringLiteral("Empty frame"));
    if (qint64(length) > limits.maxPayload)
        throw FrameTooLarge(QStringLiteral("Frame of %1 bytes exceeds the limit of %2 bytes")
                                .arg(length)
                                .arg(limits.maxPayload));
    // Grow with what actually arrives, never by the announced size alone.
    QByteArray payload;
    qsizetype have = 0;
    while (have < qsizetype(length)) {
        const qsizetype step
            = qMin<qsizetype>(qsizetype(length) - have, qMax<qsizetype>(64 * 1024, have));
        if (payload.size() < have + step)
            payload.resize(have + step);
        const qsizetype n = stream.readSome(payload.data() + have, step, wait(true));
        if (n == 0)
            throw ProtocolError(QStringLiteral("Connection closed inside a frame"));
        have += n;
    }
    payload.resize(have);
    return payload;
}

} // namespace FrameIO
