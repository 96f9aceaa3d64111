#pragma once

#include <QHostAddress>
#include <QString>

#include <memory>

class DistributorService;
class QHttpServer;

// The distributor's web server: stock pictures, the request page, the setup download and
// the payment page. Runs on the thread that creates it (it needs that thread's event loop).
class WebEndpoints
{
public:
    WebEndpoints(DistributorService &service, QString setupFile);
    ~WebEndpoints();

    // Port 0 picks a free port. Answers the bound port, 0 on failure.
    quint16 listen(const QHostAddress &address, quint16 port);

private:
    DistributorService &m_service;
    QString m_setupFile;
    std::unique_ptr<QHttpServer> m_server;
};
