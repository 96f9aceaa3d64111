#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

// A blocking TCP stream with time-outs on every wait. It has no thread affinity, so a
// connection opened on one thread may be used and closed on another (clones are opened on
// the UI thread and used by workers). Every failure throws ProtocolError.
class SocketStream
{
public:
    explicit SocketStream(int fd);
    ~SocketStream();
    SocketStream(const SocketStream &) = delete;
    SocketStream &operator=(const SocketStream &) = delete;

    static std::unique_ptr<SocketStream> connectTo(
        const QString &host, quint16 port, int timeoutMs);

    int descriptor() const { return m_fd; }
    // `more`: further data follows at once, so the kernel may hold this back (MSG_MORE).
    void writeAll(const char *data, qsizetype size, int timeoutMs, bool more = false);
    // Reads up to `size` bytes once readable; 0 means the peer closed. Throws on time-out.
    qsizetype readSome(char *data, qsizetype size, int timeoutMs);
    // Waits until readable (buffered data, data or end of stream); false on time-out.
    bool waitReadable(int timeoutMs);
    // Wakes a thread blocked on this stream (server shutdown).
    void shutdown();
    // Ends our side, then reads and drops what the peer still sends (bounded by time and
    // bytes), so a last error answer is not lost to a reset.
    void lingeringClose(int timeoutMs, qsizetype maxBytes);

private:
    qsizetype receive(char *data, qsizetype size, int timeoutMs);

    int m_fd;
    // Small reads go through this buffer, so a frame's header and a short payload arrive
    // with one system call instead of two polls and two receives.
    static constexpr qsizetype kBufferSize = 8192;
    std::unique_ptr<char[]> m_buffer;
    qsizetype m_bufferBegin = 0;
    qsizetype m_bufferEnd = 0;
};

// Frames: a 4-byte big-endian payload length, then the payload.
namespace FrameIO {

struct ReadLimits
{
    qint64 maxPayload = 16 * 1024 * 1024;
    int firstByteTimeoutMs = 60000; // waiting for a frame to start
    int byteTimeoutMs = 60000; // longest silence inside a frame
    int frameTimeoutMs = -1; // whole frame once started; -1 for none
};

void writeFrame(SocketStream &stream, const QByteArray &payload, int timeoutMs);
// std::nullopt when the peer closed cleanly before a new frame. Throws FrameTooLarge
// before reading any of an oversized payload, ProtocolError otherwise.
std::optional<QByteArray> readFrame(SocketStream &stream, const ReadLimits &limits);

} // namespace FrameIO
