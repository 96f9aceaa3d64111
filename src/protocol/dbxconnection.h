#pragma once

#include "wiremessage.h"

#include <QString>

#include <memory>

class DbxCommand;
class SocketStream;

// An open transport to the application server: the TCP stream after a successful
// handshake. Calls are strictly one request, one answer; a transport failure in the
// middle of a call leaves the connection closed, since the stream is out of step.
class DbxConnection
{
public:
    static constexpr qint64 kMaxAnswerBytes = qint64(1) << 30;

    DbxConnection();
    ~DbxConnection();
    DbxConnection(const DbxConnection &) = delete;
    DbxConnection &operator=(const DbxConnection &) = delete;

    // Connects and shakes hands; throws ProtocolError or RemoteError with the reason.
    void open(const QString &host, quint16 port, const QString &context, int connectTimeoutMs,
        int readTimeoutMs);
    void close();
    bool isOpen() const { return m_stream != nullptr; }

    std::unique_ptr<DbxCommand> CreateCommand();

    // Sends one call and returns the answer (a result or an error message).
    WireMessage exchange(const WireMessage &call);

private:
    std::unique_ptr<SocketStream> m_stream;
    int m_readTimeoutMs = 60000;
};
