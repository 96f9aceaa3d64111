#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// The distributor's real server for a test: a temporary database with the small demo seed,
// listening on free loopback ports. Demo logins: DEMO/1234 on machine "DEMO-BAYI-PC",
// SATICI1/1234 on "DEMO-TEMSILCI1-PC", SATICI2/1234 on "DEMO-TEMSILCI2-PC".
class TestServer
{
public:
    TestServer();
    ~TestServer();
    TestServer(const TestServer &) = delete;
    TestServer &operator=(const TestServer &) = delete;

    // Seeds the database (once) and starts serving; calling it again restarts the server
    // over the same data. False with error() set when it could not.
    bool start(const QStringList &extraServeArgs = {});
    void stop();
    // Runs an operator command against the same database (e.g. "register-machine").
    bool command(const QStringList &args, QString *output = nullptr);

    quint16 rpcPort() const { return m_rpcPort; }
    quint16 httpPort() const { return m_httpPort; }
    QString webAddress() const;  // "http://127.0.0.1:port"
    QString databasePath() const;
    QString folder() const { return m_dir.path(); }
    QString error() const { return m_error; }

    // Points the client's configuration at this server.
    void configureClient() const;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QProcess> m_process;
    quint16 m_rpcPort = 0;
    quint16 m_httpPort = 0;
    QString m_error;
    bool m_seeded = false;
};
