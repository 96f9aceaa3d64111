#pragma once

#include <QDeadlineTimer>
#include <QMutex>

#include <functional>
#include <map>
#include <memory>
#include <thread>

class RpcConnection;

// Waits, on one thread, for parked connections to become readable (epoll) and hands each
// ready one on; a connection that stays silent past its deadline is dropped. This keeps
// idle clients from holding pool workers, so the pool can be sized by cores.
class RpcWatcher
{
public:
    using Ready = std::function<void(std::shared_ptr<RpcConnection>)>;

    explicit RpcWatcher(Ready ready);
    ~RpcWatcher(); // stops and drops every parked connection

    // Takes the connection until data (or the end of stream) arrives or the deadline passes.
    void park(std::shared_ptr<RpcConnection> connection, QDeadlineTimer deadline);
    void stop();

private:
    struct Parked
    {
        std::shared_ptr<RpcConnection> connection;
        QDeadlineTimer deadline;
    };

    void run();
    void wake();

    Ready m_ready;
    int m_epoll = -1;
    int m_wakeup = -1; // eventfd
    QMutex m_mutex;
    std::map<int, Parked> m_parked;
    bool m_stopping = false;
    std::thread m_thread;
};
