#pragma once

#include "baglantiu.h"
#include "openwithretry.h"
#include "proxim.h"
#include "serverconnection.h"

#include <memory>

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

// A change or small read on the shared connection, on the UI thread: opens it with retries
// (the failure dialog included), hands `call` a proxy and a fresh copy of the session record
// for the call to pass on (the proxy frees it), and closes the connection afterwards, also
// when the call throws. False when the connection could not be opened.
template <typename Call>
bool CallOnShared(ServerConnection &connection, const TSonucBilgisi &session, Call &&call)
{
    if (!OpenWithRetry(connection, 1))
        return false;
    ConnectionCloser closer(connection);
    TServerMethods1Client proxy(connection.DBXConnection());
    auto copy = std::make_unique<TSonucBilgisi>();
    copy->Kopyala(session);
    call(proxy, copy.release());
    return true;
}
