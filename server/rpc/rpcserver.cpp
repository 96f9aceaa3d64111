#include "rpcserver.h"

#include "methodcatalogue.h"
#include "rpcconnection.h"
#include "rpcwatcher.h"
#include "socketstream.h"
#include "wirecodec.h"

#include <QMetaObject>
#include <QTcpServer>
#include <QThread>

#include <sys/socket.h>
#include <unistd.h>

// Accepts on the server's own thread and hands each descriptor to the server.
class RpcListener : public QTcpServer
{
public:
    explicit RpcListener(RpcServer &server)
        : m_server(server)
    {
    }

protected:
    void incomingConnection(qintptr descriptor) override { m_server.accept(descriptor); }

private:
    RpcServer &m_server;
};

RpcServer::RpcServer(const MethodRegistry &registry, RpcServerOptions options)
    : m_registry(registry)
    , m_options(options)
{
    m_pool.setMaxThreadCount(m_options.workerThreads > 0
            ? m_options.workerThreads
            : qMax(4, 2 * QThread::idealThreadCount()));
}

RpcServer::~RpcServer()
{
    stop();
}

bool RpcServer::listen(const QHostAddress &address, quint16 port)
{
    if (m_thread)
        return false;
    m_stopping = false;
    m_watcher = std::make_unique<RpcWatcher>(
        [this](std::shared_ptr<RpcConnection> connection) { serve(std::move(connection)); });
    m_thread = new QThread;
    m_thread->setObjectName(QStringLiteral("rpc-accept"));
    m_listener = new RpcListener(*this);
    m_listener->moveToThread(m_thread);
    QObject::connect(m_thread, &QThread::finished, m_listener, &QObject::deleteLater);
    m_thread->start();
    bool ok = false;
    QMetaObject::invokeMethod(
        m_listener,
        [&] {
            m_listener->setMaxPendingConnections(qMax(30, m_options.maxConnections));
            ok = m_listener->listen(address, port);
            m_port = m_listener->serverPort();
            m_error = m_listener->errorString();
        },
        Qt::BlockingQueuedConnection);
    if (!ok) {
        m_thread->quit();
        m_thread->wait();
        delete m_thread;
        m_thread = nullptr;
        m_listener = nullptr;
        m_watcher.reset();
    }
    return ok;
}

void RpcServer::stop()
{
    if (!m_thread)
        return;
    m_stopping = true;
    QMetaObject::invokeMethod(
        m_listener, [this] { m_listener->close(); }, Qt::BlockingQueuedConnection);
    m_thread->quit();
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    m_listener = nullptr;
    {
        QMutexLocker lock(&m_mutex);
        for (int fd : std::as_const(m_active))
            ::shutdown(fd, SHUT_RDWR);
    }
    // Parked connections are dropped with the watcher; busy ones end on the shutdown above
    // and are dropped by their workers, which can no longer park them.
    m_watcher->stop();
    m_pool.waitForDone();
    m_watcher.reset();
}

int RpcServer::activeConnections() const
{
    QMutexLocker lock(&m_mutex);
    return m_active.size();
}

void RpcServer::accept(qintptr descriptor)
{
    const int fd = int(descriptor);
    if (m_stopping || !track(fd)) {
        // Over the limit: a short error answer, then close, without taking a worker.
        SocketStream stream(fd);
        try {
            FrameIO::writeFrame(stream,
                WireCodec::encodeMessage(
                    WireMessage::error(QStringLiteral("Too many connections"))),
                100);
        } catch (const std::exception &) {
        }
        return;
    }
    serve(std::make_shared<RpcConnection>(*this, fd));
}

void RpcServer::serve(std::shared_ptr<RpcConnection> connection)
{
    m_pool.start([this, connection = std::move(connection)]() mutable {
        if (!connection->serve())
            return;
        // The handshake must arrive within the frame time-out; calls within the idle one.
        const int timeoutMs
            = connection->handshakeDone() ? m_options.idleTimeoutMs : m_options.frameTimeoutMs;
        m_watcher->park(std::move(connection), QDeadlineTimer(timeoutMs));
    });
}

bool RpcServer::track(int descriptor)
{
    QMutexLocker lock(&m_mutex);
    if (m_active.size() >= m_options.maxConnections)
        return false;
    m_active.insert(descriptor);
    return true;
}

void RpcServer::untrack(int descriptor)
{
    QMutexLocker lock(&m_mutex);
    m_active.remove(descriptor);
}
