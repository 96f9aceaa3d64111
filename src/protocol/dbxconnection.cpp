#include "dbxconnection.h"

#include "dbxcommand.h"
#include "methodcatalogue.h"
#include "socketstream.h"
#include "wirecodec.h"
#include "wireerror.h"

DbxConnection::DbxConnection() = default;
DbxConnection::~DbxConnection() = default;

void DbxConnection::open(const QString &host, quint16 port, const QString &context,
    int connectTimeoutMs, int readTimeoutMs)
{
    close();
    auto stream = SocketStream::connectTo(host, port, connectTimeoutMs);
    WireMessage hello;
    hello.op = WireMessage::Op::Open;
    hello.context = context;
    hello.serverClass = QLatin1String(MethodCatalogue::kServerClass);
    hello.protocol = WireCodec::kProtocolVersion;
    FrameIO::writeFrame(*stream, WireCodec::encodeMessage(hello), readTimeoutMs);

    FrameIO::ReadLimits limits;
    limits.maxPayload = 64 * 1024;
    limits.firstByteTimeoutMs = connectTimeoutMs;
    limits.byteTimeoutMs = connectTimeoutMs;
    const auto frame = FrameIO::readFrame(*stream, limits);
    if (!frame)
        throw ProtocolError(QStringLiteral("The server closed the connection"));
    const WireMessage answer = WireCodec::decodeMessage(*frame);
    if (answer.op == WireMessage::Op::Error)
        throw RemoteError(answer.message);
    if (answer.op != WireMessage::Op::Opened || answer.context != context
        || answer.serverClass != hello.serverClass || answer.protocol != hello.protocol)
        throw ProtocolError(
            QStringLiteral("The peer is not a %1 server at %2").arg(hello.serverClass, context));
    m_stream = std::move(stream);
    m_readTimeoutMs = readTimeoutMs;
}

void DbxConnection::close()
{
    m_stream.reset();
}

std::unique_ptr<DbxCommand> DbxConnection::CreateCommand()
{
    return std::make_unique<DbxCommand>(this);
}

WireMessage DbxConnection::exchange(const WireMessage &call)
{
    if (!m_stream)
        throw ProtocolError(QStringLiteral("The connection is closed"));
    try {
        FrameIO::writeFrame(*m_stream, WireCodec::encodeMessage(call), m_readTimeoutMs);
        FrameIO::ReadLimits limits;
        limits.maxPayload = kMaxAnswerBytes;
        limits.firstByteTimeoutMs = m_readTimeoutMs;
        limits.byteTimeoutMs = m_readTimeoutMs;
        const auto frame = FrameIO::readFrame(*m_stream, limits);
        if (!frame)
            throw ProtocolError(QStringLiteral("The server closed the connection"));
        return WireCodec::decodeMessage(*frame);
    } catch (...) {
        close();
        throw;
    }
}
