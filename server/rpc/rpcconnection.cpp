#include "rpcconnection.h"

#include "dispatcher.h"
#include "methodcatalogue.h"
#include "rpcserver.h"
#include "wirecodec.h"
#include "wireerror.h"

namespace {

// How long a worker waits for the next frame (or the end of stream) before it parks the
// connection: clients send their call right after the handshake and close right after
// the answer, so a short wait saves the hand-over to the watcher and back.
constexpr int kLingerMs = 20;

void sendQuietly(SocketStream &stream, const WireMessage &message, int timeoutMs)
{
    try {
        FrameIO::writeFrame(stream, WireCodec::encodeMessage(message), timeoutMs);
    } catch (const std::exception &) {
        // the peer is gone; nothing more to tell it
    }
}

// Answers the handshake; false when the peer asked for another service.
bool handshake(SocketStream &stream, const RpcServerOptions &o)
{
    FrameIO::ReadLimits limits;
    limits.maxPayload = 64 * 1024;
    limits.firstByteTimeoutMs = o.frameTimeoutMs;
    limits.byteTimeoutMs = o.frameTimeoutMs;
    limits.frameTimeoutMs = o.frameTimeoutMs;
    const auto frame = FrameIO::readFrame(stream, limits);
    if (!frame)
        return false;
    WireMessage hello;
    try {
        hello = WireCodec::decodeMessage(*frame);
    } catch (const ProtocolError &e) {
        sendQuietly(stream, WireMessage::error(QString::fromUtf8(e.what())), o.writeTimeoutMs);
        return false;
    }
    QString problem;
    if (hello.op != WireMessage::Op::Open)
        problem = QStringLiteral("Expected the opening handshake");
    else if (hello.context != QLatin1String(MethodCatalogue::kContext))
        problem = QStringLiteral("Unknown context \"%1\"").arg(hello.context);
    else if (hello.serverClass != QLatin1String(MethodCatalogue::kServerClass))
        problem = QStringLiteral("Unknown server class \"%1\"").arg(hello.serverClass);
    else if (hello.protocol != WireCodec::kProtocolVersion)
        problem = QStringLiteral("Unsupported protocol version %1").arg(hello.protocol);
    if (!problem.isEmpty()) {
        sendQuietly(stream, WireMessage::error(problem), o.writeTimeoutMs);
        return false;
    }
    WireMessage opened;
    opened.op = WireMessage::Op::Opened;
    opened.context = hello.context;
    opened.serverClass = hello.serverClass;
    opened.protocol = WireCodec::kProtocolVersion;
    FrameIO::writeFrame(stream, WireCodec::encodeMessage(opened), o.writeTimeoutMs);
    return true;
}

} // namespace

RpcConnection::RpcConnection(RpcServer &server, int descriptor)
    : m_server(server)
    , m_stream(descriptor)
{
}

RpcConnection::~RpcConnection()
{
    // Untracked before the stream closes the descriptor, so stop() never touches a reused one.
    m_server.untrack(descriptor());
}

bool RpcConnection::serve()
{
    const RpcServerOptions &o = m_server.options();
    try {
        if (!m_open) {
            if (!m_stream.waitReadable(kLingerMs))
                return !m_server.m_stopping;
            if (!handshake(m_stream, o))
                return false;
            m_open = true;
            if (!m_stream.waitReadable(kLingerMs))
                return !m_server.m_stopping;
        }
        return serveFrames();
    } catch (const FrameTooLarge &e) {
        // The payload was never read, so the stream cannot be resynchronised: say why, close.
        sendQuietly(m_stream, WireMessage::error(QString::fromUtf8(e.what())), o.writeTimeoutMs);
        try {
            m_stream.lingeringClose(1000, 1024 * 1024);
        } catch (const std::exception &) {
        }
    } catch (const std::exception &) {
        // time-out, reset or a peer gone mid-frame: this connection ends, others go on
    }
    return false;
}

bool RpcConnection::serveFrames()
{
    const RpcServerOptions &o = m_server.options();
    const Dispatcher dispatcher(m_server.m_registry);
    FrameIO::ReadLimits limits;
    limits.maxPayload = o.maxRequestBytes;
    limits.firstByteTimeoutMs = o.frameTimeoutMs; // the watcher saw data arrive
    limits.byteTimeoutMs = o.frameTimeoutMs;
    limits.frameTimeoutMs = o.frameTimeoutMs;
    do {
        if (m_server.m_stopping)
            return false;
        const auto frame = FrameIO::readFrame(m_stream, limits);
        if (!frame)
            return false;
        FrameIO::writeFrame(m_stream, dispatcher.handle(*frame), o.writeTimeoutMs);
    } while (m_stream.waitReadable(kLingerMs));
    return !m_server.m_stopping;
}
