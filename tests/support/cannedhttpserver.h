#pragma once

#include <QByteArray>
#include <QList>
#include <QTcpServer>

// A loopback HTTP server for client tests: answers every request with one canned response
// (status, body, with or without Content-Length) and records the requests it saw.
class CannedHttpServer : public QTcpServer
{
    Q_OBJECT

public:
    explicit CannedHttpServer(QObject *parent = nullptr);

    void setResponse(int status, const QByteArray &body, bool withLength = true,
                     const QByteArray &contentType = "application/octet-stream");
    QString baseAddress() const;  // "127.0.0.1:port"
    QList<QByteArray> requests;   // raw request heads

private:
    void serve(QTcpSocket *socket);

    int m_status = 200;
    QByteArray m_body;
    QByteArray m_type;
    bool m_withLength = true;
};
