#pragma once

#include <QRunnable>

class RpcServer;

// Serves one client on a pool worker: the handshake, then calls until the client closes,
// stays idle too long, stalls inside a frame or sends a frame over the limit.
class RpcConnection : public QRunnable
{
public:
    RpcConnection(RpcServer &server, int descriptor)
        : m_server(server)
        , m_descriptor(descriptor)
    {
    }
    void run() override;

private:
    RpcServer &m_server;
    int m_descriptor;
};
