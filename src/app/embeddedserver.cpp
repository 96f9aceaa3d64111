#include "embeddedserver.h"

#include "config.h"
#include "demogenerator.h"
#include "distributormethods.h"
#include "distributorservice.h"
#include "methodregistry.h"
#include "processmemory.h"
#include "rpcserver.h"
#include "sqlitestorage.h"
#include "utils.h"
#include "webendpoints.h"

#include <QDir>

#include <cstdio>

struct EmbeddedServer::Parts
{
    explicit Parts(const QString &folder)
        : storage(folder + QStringLiteral("/demo.db"))
    {
    }
    SqliteStorage storage;
    std::unique_ptr<DistributorService> service;
    MethodRegistry registry;
    std::unique_ptr<RpcServer> rpc;
    std::unique_ptr<WebEndpoints> web;
};

EmbeddedServer::EmbeddedServer() = default;

EmbeddedServer::~EmbeddedServer()
{
    if (m_parts && m_parts->rpc)
        m_parts->rpc->stop();
}

quint16 EmbeddedServer::rpcPort() const
{
    return m_parts && m_parts->rpc ? m_parts->rpc->serverPort() : 0;
}

bool EmbeddedServer::start(const QString &folder, int stockItems, int searchLimit)
{
    QDir().mkpath(folder);
    m_parts = std::make_unique<Parts>(folder);
    Storage &storage = m_parts->storage;
    if (!storage.stock(1)) {
        std::fprintf(stderr, "Demo verisi hazırlanıyor: %s\n", qPrintable(folder));
        DemoGenerator::Options options;
        options.stockItems = stockItems;
        DemoGenerator(storage, options).run();
    }
    if (searchLimit > 0)
        storage.setSetting(QStringLiteral("search_limit"), QString::number(searchLimit));
    if (const auto dealer = storage.userByName(QStringLiteral("DEMO")))
        storage.bindMachine(DistributorService::normalizeMachineId(GetComputerId()), dealer->id);

    KeepFreedMemoryForAnswers();
    m_parts->service = std::make_unique<DistributorService>(
        storage, DistributorService::Options{folder + QStringLiteral("/outbox"), 1});
    DistributorMethods::registerAll(m_parts->registry, *m_parts->service);
    m_parts->rpc = std::make_unique<RpcServer>(m_parts->registry);
    if (!m_parts->rpc->listen(QHostAddress::LocalHost, 0)) {
        m_error = QStringLiteral("RPC portu açılamadı");
        return false;
    }
    m_parts->web = std::make_unique<WebEndpoints>(*m_parts->service, QString());
    m_httpPort = m_parts->web->listen(QHostAddress::LocalHost, 0);
    if (m_httpPort == 0) {
        m_error = QStringLiteral("HTTP portu açılamadı");
        return false;
    }

    ClientConfig &config = clientConfig();
    config.serverHost = QStringLiteral("127.0.0.1");
    config.serverPort = QString::number(rpcPort());
    config.webAddress = QStringLiteral("http://127.0.0.1:%1").arg(m_httpPort);
    config.downloadHost = QStringLiteral("127.0.0.1:%1").arg(m_httpPort);
    config.paymentPage = config.webAddress + QStringLiteral("/ordakart.html");
    return true;
}
