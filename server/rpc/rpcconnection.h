#pragma once

#include "socketstream.h"

class RpcServer;

// One client's connection. A pool worker serves it only while a frame is waiting; in
// between it is parked with the server's watcher, so idle connections hold no thread.
class RpcConnection
{
public:
    RpcConnection(RpcServer &server, int descriptor);
    ~RpcConnection();
    RpcConnection(const RpcConnection &) = delete;
    RpcConnection &operator=(const RpcConnection &) = delete;

    int descriptor() const { return m_stream.descriptor(); }
    bool handshakeDone() const { return m_open; }
    // Answers the handshake or the calls that have arrived. False when the connection is
    // finished: the client closed, stalled inside a frame, broke the protocol or the
    // server is stopping.
    bool serve();

private:
    bool serveFrames();

    RpcServer &m_server;
    SocketStream m_stream;
    bool m_open = false;
};
