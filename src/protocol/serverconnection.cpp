#include "serverconnection.h"

#include "dbxconnection.h"
#include "methodcatalogue.h"
#include "wireerror.h"

namespace {

int intParam(const ConnectionParams &p, const char *name, int fallback)
{
    bool ok = false;
    const int v = p.Value(QLatin1String(name)).toInt(&ok);
    return ok && v > 0 ? v : fallback;
}

} // namespace

ServerConnection::ServerConnection()
    : m_connection(std::make_unique<DbxConnection>())
{
    m_params.SetValue(QStringLiteral("ConnectionName"), QStringLiteral("DataSnapCONNECTION"));
    m_params.SetValue(QStringLiteral("DriverName"), QStringLiteral("DataSnap"));
    m_params.SetValue(QStringLiteral("CommunicationProtocol"), QStringLiteral("tcp/ip"));
    m_params.SetValue(QStringLiteral("HostName"), QStringLiteral("localhost"));
    m_params.SetValue(QStringLiteral("Port"), QStringLiteral("9090"));
    m_params.SetValue(QStringLiteral("DatasnapContext"), QLatin1String(MethodCatalogue::kContext));
    m_params.SetValue(QStringLiteral("DSProxyPort"), QStringLiteral("8090"));
    m_params.SetValue(QStringLiteral("Filters"), QStringLiteral("{}"));
    m_params.SetValue(QStringLiteral("LoginPrompt"), QStringLiteral("False"));
    m_params.SetValue(QStringLiteral("ConnectTimeout"), QString::number(kDefaultConnectTimeoutMs));
    m_params.SetValue(
        QStringLiteral("CommunicationTimeout"), QString::number(kDefaultCommunicationTimeoutMs));
}

ServerConnection::~ServerConnection() = default;

void ServerConnection::Open()
{
    if (Connected())
        return;
    bool ok = false;
    const uint port = m_params.Value(QStringLiteral("Port")).toUInt(&ok);
    if (!ok || port == 0 || port > 65535)
        throw ProtocolError(
            QStringLiteral("Invalid port \"%1\"").arg(m_params.Value(QStringLiteral("Port"))));
    m_connection->open(m_params.Value(QStringLiteral("HostName")), quint16(port),
        m_params.Value(QStringLiteral("DatasnapContext")),
        intParam(m_params, "ConnectTimeout", kDefaultConnectTimeoutMs),
        intParam(m_params, "CommunicationTimeout", kDefaultCommunicationTimeoutMs));
}

void ServerConnection::Close()
{
    m_connection->close();
}

bool ServerConnection::Connected() const
{
    return m_connection->isOpen();
}

void ServerConnection::SetConnected(bool connected)
{
    if (connected)
        Open();
    else
        Close();
}

std::unique_ptr<ServerConnection> ServerConnection::CloneConnection() const
{
    auto clone = std::make_unique<ServerConnection>();
    clone->m_params = m_params;
    if (Connected())
        clone->Open();
    return clone;
}

DbxConnection *ServerConnection::DBXConnection()
{
    return m_connection->isOpen() ? m_connection.get() : nullptr;
}
