// telvin-b2b-demo: the client together with the distributor's server in one process, on
// free loopback ports, over a demo database kept in the user's data folder. This machine is
// registered for the demo dealer, so the login takes DEMO / 1234.
#include "application.h"
#include "config.h"
#include "demogenerator.h"
#include "dialogs.h"
#include "distributormethods.h"
#include "distributorservice.h"
#include "formistekyeniu.h"
#include "methodregistry.h"
#include "rpcserver.h"
#include "sqlitestorage.h"
#include "unit1.h"
#include "utils.h"
#include "webendpoints.h"

#include <QDir>
#include <QStandardPaths>
#include <QStyleFactory>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    TelvinApplication app(argc, argv);
    InstallDesktopPresenters();
    PrepareEmbeddedBrowser();
    if (QStyle *style = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(style);

    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/telvin-demo");
    QDir().mkpath(folder);
    SqliteStorage storage(folder + QStringLiteral("/demo.db"));
    if (!storage.stock(1)) {
        std::fprintf(stderr, "Demo verisi hazırlanıyor: %s\n", qPrintable(folder));
        DemoGenerator(storage, DemoGenerator::Options()).run();
    }
    if (const auto dealer = storage.userByName(QStringLiteral("DEMO")))
        storage.bindMachine(DistributorService::normalizeMachineId(GetComputerId()), dealer->id);

    DistributorService service(storage, {folder + QStringLiteral("/outbox"), 1});
    MethodRegistry registry;
    DistributorMethods::registerAll(registry, service);
    RpcServer rpc(registry);
    if (!rpc.listen(QHostAddress::LocalHost, 0)) {
        std::fprintf(stderr, "RPC portu açılamadı\n");
        return 1;
    }
    WebEndpoints web(service, QString());
    const quint16 httpPort = web.listen(QHostAddress::LocalHost, 0);

    ClientConfig &config = clientConfig();
    config.serverHost = QStringLiteral("127.0.0.1");
    config.serverPort = QString::number(rpc.serverPort());
    config.webAddress = QStringLiteral("http://127.0.0.1:%1").arg(httpPort);
    config.downloadHost = QStringLiteral("127.0.0.1:%1").arg(httpPort);
    config.paymentPage = config.webAddress + QStringLiteral("/ordakart.html");
    std::fprintf(stderr, "Demo sunucusu: rpc %d, http %d. Giriş: DEMO / 1234\n",
                 int(rpc.serverPort()), int(httpPort));

    int code = 0;
    {
        TForm1 form;
        form.FormCreate();
        form.showMaximized();
        code = app.exec();
    }
    rpc.stop();
    return code;
}
