#pragma once

#include "serverconnection.h"

// Closes the shared connection when a call made on it ends, also when the call throws.
// Declare it before the proxy, so the proxy goes first.
class ConnectionCloser
{
public:
    explicit ConnectionCloser(ServerConnection &connection) : m_connection(connection) {}
    ~ConnectionCloser() { m_connection.Close(); }
    ConnectionCloser(const ConnectionCloser &) = delete;
    ConnectionCloser &operator=(const ConnectionCloser &) = delete;

private:
    ServerConnection &m_connection;
};
