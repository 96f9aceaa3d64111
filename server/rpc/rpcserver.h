#pragma once

#include <QHostAddress>
#include <QMutex>
#include <QSet>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <memory>

class MethodRegistry;
class QThread;
class RpcConnection;
class RpcListener;
class RpcWatcher;

struct RpcServerOptions
{
    int maxConnections = 64; // further clients get an error and close
    int idleTimeoutMs = 120000; // silence between calls
    int frameTimeoutMs = 30000; // to receive one whole frame once started
    int writeTimeoutMs = 60000; // to hand one answer to the client
    qint64 maxRequestBytes = 16 * 1024 * 1024; // larger requests close the connection
    // Threads that run calls; idle connections hold none. 0: twice the cores, at least 4.
    int workerThreads = 0;
};

// The RPC service: accepts on its own thread, waits for idle connections on a watcher
// thread and serves each arriving frame on a pool worker with blocking I/O. Usable
// in-process (tests) and by telvin-server.
class RpcServer
{
public:
    explicit RpcServer(const MethodRegistry &registry, RpcServerOptions options = {});
    ~RpcServer();
    RpcServer(const RpcServer &) = delete;
    RpcServer &operator=(const RpcServer &) = delete;

    // Port 0 picks a free port; serverPort() tells which.
    bool listen(const QHostAddress &address, quint16 port);
    quint16 serverPort() const { return m_port; }
    QString errorString() const { return m_error; }
    // Stops accepting, ends every open connection and waits for the workers.
    void stop();

    int activeConnections() const;
    const RpcServerOptions &options() const { return m_options; }

private:
    friend class RpcListener;
    friend class RpcConnection;
    void accept(qintptr descriptor);
    void serve(std::shared_ptr<RpcConnection> connection);
    bool track(int descriptor);
    void untrack(int descriptor);

    const MethodRegistry &m_registry;
    RpcServerOptions m_options;
    QThread *m_thread = nullptr;
    RpcListener *m_listener = nullptr;
    QThreadPool m_pool;
    std::unique_ptr<RpcWatcher> m_watcher;
    mutable QMutex m_mutex;
    QSet<int> m_active;
    std::atomic<bool> m_stopping { false };
    quint16 m_port = 0;
    QString m_error;
};
