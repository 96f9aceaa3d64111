// Connection-per-call EchoString with 1, 8 and 64 concurrent clients against a bare TCP
// echo server (accept, read, answer, close) measured in the same run.

#include "methodregistry.h"
#include "proxim.h"
#include "rpcserver.h"
#include "serverconnection.h"
#include "socketstream.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kCallsPerRound = 4000;

// Single-threaded: accept, read the request, answer it, close.
class BareEchoServer
{
public:
    BareEchoServer()
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        int one = 1;
        ::setsockopt(m_fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        sockaddr_in a {};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_fd, reinterpret_cast<sockaddr *>(&a), sizeof a);
        ::listen(m_fd, 1024);
        socklen_t len = sizeof a;
        ::getsockname(m_fd, reinterpret_cast<sockaddr *>(&a), &len);
        m_port = ntohs(a.sin_port);
        m_thread = std::thread([this] {
            for (;;) {
                const int c = ::accept(m_fd, nullptr, nullptr);
                if (c < 0)
                    return;
                char buf[256];
                const ssize_t n = ::recv(c, buf, sizeof buf, 0);
                if (n > 0)
                    ::send(c, buf, size_t(n), MSG_NOSIGNAL);
                ::close(c);
            }
        });
    }
    ~BareEchoServer()
    {
        ::shutdown(m_fd, SHUT_RDWR);
        ::close(m_fd);
        m_thread.join();
    }
    quint16 port() const { return m_port; }

private:
    int m_fd;
    quint16 m_port;
    std::thread m_thread;
};

struct Result
{
    double perSecond;
    double p50Ms;
    double p99Ms;
};

template <typename Call> Result run(int clients, Call &&call)
{
    std::vector<std::vector<double>> latencies(static_cast<size_t>(clients));
    std::atomic<int> left { kCallsPerRound };
    QElapsedTimer total;
    total.start();
    std::vector<std::thread> threads;
    for (int i = 0; i < clients; ++i) {
        threads.emplace_back([&, i] {
            while (left.fetch_sub(1) > 0) {
                QElapsedTimer t;
                t.start();
                call();
                latencies[size_t(i)].push_back(t.nsecsElapsed() / 1e6);
            }
        });
    }
    for (auto &t : threads)
        t.join();
    const double seconds = total.nsecsElapsed() / 1e9;
    std::vector<double> all;
    for (auto &l : latencies)
        all.insert(all.end(), l.begin(), l.end());
    std::sort(all.begin(), all.end());
    return { all.size() / seconds, all[all.size() / 2], all[all.size() * 99 / 100] };
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    MethodRegistry registry;
    registry.add(
        QStringLiteral("EchoString"), [](CallContext &call) { call.setResult(call.argString(0)); });
    RpcServerOptions options;
    options.maxConnections = 128;
    RpcServer server(registry, options);
    if (!server.listen(QHostAddress::LocalHost, 0))
        return 1;
    BareEchoServer bare;
    const QString host = QStringLiteral("127.0.0.1");

    std::printf("%d connection-per-call calls per round\n", kCallsPerRound);
    for (int clients : { 1, 8, 64 }) {
        const Result ours = run(clients, [&] {
            ServerConnection c;
            c.Params().SetValue(QStringLiteral("HostName"), host);
            c.Params().SetValue(QStringLiteral("Port"), QString::number(server.serverPort()));
            c.Open();
            TServerMethods1Client proxy(c.DBXConnection());
            if (proxy.EchoString(QStringLiteral("merhaba")) != QLatin1String("merhaba"))
                std::abort();
            c.Close();
        });
        const Result ref = run(clients, [&] {
            auto s = SocketStream::connectTo(host, bare.port(), 5000);
            s->writeAll("merhaba", 7, 5000);
            char buf[16];
            if (s->readSome(buf, sizeof buf, 5000) != 7)
                std::abort();
        });
        std::printf("%2d clients: EchoString %7.0f calls/s (p50 %.2f ms, p99 %.2f ms) | bare %7.0f "
                    "calls/s (p50 %.2f ms, p99 %.2f ms) | ratio %.2f (target >= 0.5)\n",
            clients, ours.perSecond, ours.p50Ms, ours.p99Ms, ref.perSecond, ref.p50Ms, ref.p99Ms,
            ours.perSecond / ref.perSecond);
    }
    server.stop();
    return 0;
}
