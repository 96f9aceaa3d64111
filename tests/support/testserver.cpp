#include "testserver.h"

#include "config.h"

#include <QRegularExpression>

TestServer::TestServer() = default;

TestServer::~TestServer()
{
    stop();
}

QString TestServer::databasePath() const
{
    return m_dir.filePath(QStringLiteral("test.db"));
}

QString TestServer::webAddress() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_httpPort);
}

bool TestServer::command(const QStringList &args, QString *output)
{
    QProcess p;
    p.start(QStringLiteral(TELVIN_SERVER_BINARY),
            QStringList{QStringLiteral("--db"), databasePath()} + args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit
        || p.exitCode() != 0) {
        m_error = QStringLiteral("telvin-server %1: %2").arg(args.join(u' '),
                                                           QString::fromUtf8(p.readAllStandardError()));
        return false;
    }
    if (output)
        *output = QString::fromUtf8(p.readAllStandardOutput());
    return true;
}

bool TestServer::start(const QStringList &extraServeArgs)
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return false;
    }
    if (!m_seeded && !command({QStringLiteral("seed"), QStringLiteral("--small")}))
        return false;
    m_seeded = true;
    stop();
    m_process = std::make_unique<QProcess>();
    m_process->setProcessChannelMode(QProcess::SeparateChannels);
    m_process->start(QStringLiteral(TELVIN_SERVER_BINARY),
                     QStringList{QStringLiteral("--db"), databasePath(), QStringLiteral("serve"),
                                 QStringLiteral("--port"), QStringLiteral("0"),
                                 QStringLiteral("--http-port"), QStringLiteral("0")}
                         + extraServeArgs);
    static const QRegularExpression ready(QStringLiteral("listening rpc=(\\d+) http=(\\d+)"));
    QString seen;
    while (m_process->waitForReadyRead(30000)) {
        seen += QString::fromUtf8(m_process->readAllStandardOutput());
        const QRegularExpressionMatch m = ready.match(seen);
        if (m.hasMatch()) {
            m_rpcPort = quint16(m.captured(1).toUInt());
            m_httpPort = quint16(m.captured(2).toUInt());
            return true;
        }
    }
    m_error = QStringLiteral("server did not start: ") + seen
        + QString::fromUtf8(m_process->readAllStandardError());
    return false;
}

void TestServer::stop()
{
    if (m_process && m_process->state() != QProcess::NotRunning) {
        m_process->terminate();
        if (!m_process->waitForFinished(10000))
            m_process->kill();
        m_process->waitForFinished(5000);
    }
    m_process.reset();
}

void TestServer::configureClient() const
{
    ClientConfig &c = clientConfig();
    c.serverHost = QStringLiteral("127.0.0.1");
    c.serverPort = QString::number(m_rpcPort);
    c.webAddress = webAddress();
    c.downloadHost = QStringLiteral("127.0.0.1:%1").arg(m_httpPort);
    c.paymentPage = webAddress() + QStringLiteral("/ordakart.html");
}
