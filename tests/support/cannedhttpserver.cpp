#include "cannedhttpserver.h"

#include <QTcpSocket>

CannedHttpServer::CannedHttpServer(QObject *parent) : QTcpServer(parent)
{
    listen(QHostAddress::LocalHost, 0);
    connect(this, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *s = nextPendingConnection())
            serve(s);
    });
}

void CannedHttpServer::setResponse(int status, const QByteArray &body, bool withLength,
                                   const QByteArray &contentType)
{
    m_status = status;
    m_body = body;
    m_withLength = withLength;
    m_type = contentType;
}

QString CannedHttpServer::baseAddress() const
{
    return QStringLiteral("127.0.0.1:%1").arg(serverPort());
}

void CannedHttpServer::serve(QTcpSocket *socket)
{
    auto buffer = std::make_shared<QByteArray>();
    connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
        buffer->append(socket->readAll());
        if (!buffer->contains("\r\n\r\n"))
            return;
        requests << buffer->left(buffer->indexOf("\r\n\r\n"));
        QByteArray head = "HTTP/1.1 " + QByteArray::number(m_status) + " X\r\n"
                          "Content-Type: " + m_type + "\r\nConnection: close\r\n";
        if (m_withLength)
            head += "Content-Length: " + QByteArray::number(m_body.size()) + "\r\n";
        socket->write(head + "\r\n");
        // In pieces, so that the client sees progress.
        for (qsizetype at = 0; at < m_body.size(); at += 256 * 1024)
            socket->write(m_body.mid(at, 256 * 1024));
        socket->disconnectFromHost();
    });
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
}
