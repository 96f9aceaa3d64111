#include "rpcwatcher.h"

#include "rpcconnection.h"

#include <cerrno>
#include <stdexcept>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <vector>

RpcWatcher::RpcWatcher(Ready ready)
    : m_ready(std::move(ready))
{
    m_epoll = ::epoll_create1(EPOLL_CLOEXEC);
    m_wakeup = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_epoll < 0 || m_wakeup < 0)
        throw std::runtime_error("epoll/eventfd unavailable");
    epoll_event e {};
    e.events = EPOLLIN;
    e.data.fd = m_wakeup;
    ::epoll_ctl(m_epoll, EPOLL_CTL_ADD, m_wakeup, &e);
    m_thread = std::thread([this] { run(); });
}

RpcWatcher::~RpcWatcher()
{
    stop();
    ::close(m_wakeup);
    ::close(m_epoll);
}

void RpcWatcher::stop()
{
    {
        QMutexLocker lock(&m_mutex);
        m_stopping = true;
    }
    wake();
    if (m_thread.joinable())
        m_thread.join();
    std::map<int, Parked> dropped;
    {
        QMutexLocker lock(&m_mutex);
        dropped.swap(m_parked);
    }
}

void RpcWatcher::park(std::shared_ptr<RpcConnection> connection, QDeadlineTimer deadline)
{
    const int fd = connection->descriptor();
    {
        QMutexLocker lock(&m_mutex);
        if (m_stopping)
            return; // dropped here
        m_parked[fd] = { std::move(connection), deadline };
        epoll_event e {};
        e.events = EPOLLIN | EPOLLRDHUP | EPOLLONESHOT;
        e.data.fd = fd;
        if (::epoll_ctl(m_epoll, EPOLL_CTL_ADD, fd, &e) != 0) {
            m_parked.erase(fd);
            return;
        }
    }
    // The watcher may be sleeping until a later deadline than this one.
    wake();
}

void RpcWatcher::wake()
{
    const quint64 one = 1;
    [[maybe_unused]] const auto n = ::write(m_wakeup, &one, sizeof one);
}

void RpcWatcher::run()
{
    std::vector<epoll_event> events(64);
    for (;;) {
        int timeoutMs = -1;
        {
            QMutexLocker lock(&m_mutex);
            if (m_stopping)
                return;
            // Drop the connections whose deadline passed; find the next deadline.
            for (auto it = m_parked.begin(); it != m_parked.end();) {
                if (it->second.deadline.hasExpired()) {
                    ::epoll_ctl(m_epoll, EPOLL_CTL_DEL, it->first, nullptr);
                    it = m_parked.erase(it);
                    continue;
                }
                if (!it->second.deadline.isForever()) {
                    const int left = int(qMin<qint64>(it->second.deadline.remainingTime(), 60000));
                    timeoutMs = timeoutMs < 0 ? left : qMin(timeoutMs, left);
                }
                ++it;
            }
        }
        const int n = ::epoll_wait(m_epoll, events.data(), int(events.size()), timeoutMs);
        if (n < 0 && errno != EINTR)
            return;
        for (int i = 0; i < n; ++i) {
            const int fd = events[size_t(i)].data.fd;
            if (fd == m_wakeup) {
                quint64 count;
                [[maybe_unused]] const auto r = ::read(m_wakeup, &count, sizeof count);
                continue;
            }
            std::shared_ptr<RpcConnection> ready;
            {
                QMutexLocker lock(&m_mutex);
                auto it = m_parked.find(fd);
                if (it == m_parked.end())
                    continue;
                ::epoll_ctl(m_epoll, EPOLL_CTL_DEL, fd, nullptr);
                ready = std::move(it->second.connection);
                m_parked.erase(it);
            }
            m_ready(std::move(ready));
        }
    }
}
