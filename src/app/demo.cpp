// telvin-b2b-demo: the client with the distributor's server in the same process, over a demo
// database kept in the user's data folder. The login takes DEMO / 1234.
#include "application.h"
#include "clientstartup.h"
#include "dialogs.h"
#include "embeddedserver.h"
#include "unit1.h"

#include <QStandardPaths>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    TelvinApplication app(argc, argv);
    PrepareClientApplication();

    EmbeddedServer server;
    if (!server.start(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                          + QStringLiteral("/telvin-demo"),
                      20000)) {
        std::fprintf(stderr, "%s\n", qPrintable(server.error()));
        return 1;
    }
    std::fprintf(stderr, "Demo sunucusu: rpc %d, http %d. Giriş: DEMO / 1234\n",
                 int(server.rpcPort()), int(server.httpPort()));
    TForm1 form;
    form.FormCreate();
    form.showMaximized();
    return app.exec();
}
