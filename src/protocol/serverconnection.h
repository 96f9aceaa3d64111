#pragma once

#include "connectionparams.h"

#include <memory>

class DbxConnection;

// The connection to the application server that windows hold (`bagc`) and clone for
// background work. Settings live in Params(); HostName and Port say where the server is.
//
// Time-outs (milliseconds, in Params()): ConnectTimeout (default 5000) bounds the TCP
// connect and the handshake; CommunicationTimeout (default 60000) is the longest silence
// allowed while waiting for or reading an answer. A dead server therefore fails a call
// after at most a minute instead of hanging the worker.
class ServerConnection
{
public:
    static constexpr int kDefaultConnectTimeoutMs = 5000;
    static constexpr int kDefaultCommunicationTimeoutMs = 60000;

    ServerConnection();
    ~ServerConnection();
    ServerConnection(const ServerConnection &) = delete;
    ServerConnection &operator=(const ServerConnection &) = delete;

    ConnectionParams &Params() { return m_params; }
    const ConnectionParams &Params() const { return m_params; }

    // Throws with the transport's error text when the server cannot be reached or
    // refuses the handshake.
    void Open();
    void Close();
    bool Connected() const;
    void SetConnected(bool connected);

    // A new connection with the same settings; connected at once when this one is.
    std::unique_ptr<ServerConnection> CloneConnection() const;

    // The open transport, or nullptr while closed.
    DbxConnection *DBXConnection();

private:
    ConnectionParams m_params;
    std::unique_ptr<DbxConnection> m_connection;
};
