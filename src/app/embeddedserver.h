#pragma once

#include <QString>

#include <memory>

// The distributor's server inside the client's process, on free loopback ports, over a
// demo database in `folder` (seeded on first use). Points the client's configuration at
// itself and registers this machine for the demo dealer DEMO / 1234.
class EmbeddedServer
{
public:
    EmbeddedServer();
    ~EmbeddedServer();
    EmbeddedServer(const EmbeddedServer &) = delete;
    EmbeddedServer &operator=(const EmbeddedServer &) = delete;

    // Returns false with error() set when the server cannot listen.
    // `searchLimit` caps the rows of a stock search (0 keeps the server's own cap).
    bool start(const QString &folder, int stockItems, int searchLimit = 0);
    QString error() const { return m_error; }
    quint16 rpcPort() const;
    quint16 httpPort() const { return m_httpPort; }

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
    quint16 m_httpPort = 0;
    QString m_error;
};
