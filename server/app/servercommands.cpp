#include "servercommands.h"

#include "demogenerator.h"
#include "distributormethods.h"
#include "distributorservice.h"
#include "methodregistry.h"
#include "pricing.h"
#include "processmemory.h"
#include "rpcserver.h"
#include "sqlitestorage.h"
#include "webendpoints.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTextStream>

#include <csignal>
#include <cstdio>
#include <exception>

namespace {

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

const char *const kUsage =
    "Kullanım: telvin-server <komut> [seçenekler]\n"
    "  init                         boş veritabanı oluşturur\n"
    "  seed [--stock N] [--small]   demo verisini yükler (varsayılan 20000 stok)\n"
    "  serve [--port 9090] [--http-port 8080] [--bind ADRES] [--outbox KLASÖR]\n"
    "        [--setup DOSYA] [--client-version N]\n"
    "                               sunucuyu çalıştırır (port 0: boş bir port seçer)\n"
    "  register-machine KIMLIK KULLANICI   bilgisayarı kullanıcıya bağlar\n"
    "  add-user AD SIFRE [--role N] [--account CARINO] [--rep NO] [--inactive]\n"
    "  import-stock DOSYA.csv       stok ekler veya günceller\n"
    "  set ANAHTAR DEGER            ayar (search_limit, kayan_yazi, mail_to)\n"
    "Her komut --db DOSYA alır (varsayılan telvin-server.db).\n";

QString outboxFor(const QString &db, const QString &option)
{
    if (!option.isEmpty())
        return option;
    return QFileInfo(db).absolutePath() + QStringLiteral("/outbox");
}

int serve(SqliteStorage &storage, const QCommandLineParser &p)
{
    const int clientVersion = p.value("client-version").toInt();
    if (clientVersion < 1) {
        err() << "Geçersiz istemci sürümü: " << p.value("client-version") << Qt::endl;
        return 2;
    }
    KeepFreedMemoryForAnswers();
    DistributorService service(storage,
                               {outboxFor(storage.path(), p.value("outbox")), clientVersion});
    MethodRegistry registry;
    registry.add(QStringLiteral("EchoString"),
                 [](CallContext &c) { c.setResult(c.argString(0)); });
    registry.add(QStringLiteral("ReverseString"), [](CallContext &c) {
        QString s = c.argString(0);
        std::reverse(s.begin(), s.end());
        c.setResult(s);
    });
    DistributorMethods::registerAll(registry, service);

    const QHostAddress address(p.value("bind"));
    RpcServer rpc(registry);
    if (!rpc.listen(address, quint16(p.value("port").toUInt()))) {
        err() << "RPC portu açılamadı: " << rpc.errorString() << Qt::endl;
        return 1;
    }
    WebEndpoints web(service, p.value("setup"));
    const quint16 httpPort = web.listen(address, quint16(p.value("http-port").toUInt()));
    if (httpPort == 0) {
        err() << "HTTP portu açılamadı" << Qt::endl;
        return 1;
    }
    // Tests and scripts read the bound ports from this line.
    out() << "telvin-server listening rpc=" << rpc.serverPort() << " http=" << httpPort
          << Qt::endl;

    // Ending on SIGTERM/SIGINT through the event loop lets the workers finish cleanly.
    static int pipeFds[2];
    if (::pipe(pipeFds) == 0) {
        auto *notifier = new QSocketNotifier(pipeFds[0], QSocketNotifier::Read,
                                             QCoreApplication::instance());
        QObject::connect(notifier, &QSocketNotifier::activated,
                         [] { QCoreApplication::quit(); });
        auto handler = [](int) {
            const char c = 1;
            [[maybe_unused]] auto n = ::write(pipeFds[1], &c, 1);
        };
        std::signal(SIGTERM, handler);
        std::signal(SIGINT, handler);
    }
    const int code = QCoreApplication::exec();
    rpc.stop();
    return code;
}

int importStock(Storage &storage, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        err() << "Dosya açılamadı: " << path << Qt::endl;
        return 1;
    }
    // Columns: id;code;name;make;model;group;list price;vat;disc1;on hand;oem numbers...
    std::vector<StockRecord> items;
    QTextStream in(&file);
    int lineNo = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        ++lineNo;
        if (line.trimmed().isEmpty() || (lineNo == 1 && line.startsWith(QLatin1String("id"))))
            continue;
        const QStringList f = line.split(QLatin1Char(';'));
        if (f.size() < 10) {
            err() << "Satır " << lineNo << ": en az 10 alan gerekli" << Qt::endl;
            return 1;
        }
        StockRecord s;
        bool ok = true, part = false;
        s.id = f[0].toInt(&part);
        ok &= part && s.id > 0;
        s.code = f[1].trimmed();
        s.name = f[2].trimmed();
        s.make = f[3].trimmed();
        s.model = f[4].trimmed();
        s.mainGroup = f[5].trimmed();
        s.listPrice = f[6].toDouble(&part);
        ok &= part;
        s.vat = f[7].toDouble(&part);
        ok &= part;
        s.discounts[0] = f[8].toDouble(&part);
        ok &= part;
        s.onHand = f[9].toDouble(&part);
        ok &= part;
        for (int i = 10; i < f.size() && i < 14; ++i)
            s.oem[size_t(i - 10)] = f[i].trimmed();
        s.oemNo = s.oem[0];
        if (!ok || s.code.isEmpty()) {
            err() << "Satır " << lineNo << ": geçersiz değer" << Qt::endl;
            return 1;
        }
        if (const auto old = storage.stock(s.id))
            s.pictureId = old->pictureId;
        Pricing::priceStock(s);
        items.push_back(s);
    }
    storage.saveStock(items);
    out() << items.size() << " stok kaydedildi" << Qt::endl;
    return 0;
}

}  // namespace

int ServerCommands::run(const QStringList &arguments)
{
    QCommandLineParser p;
    p.addPositionalArgument("command", "init, seed, serve, register-machine, add-user, "
                                       "import-stock, set");
    p.addOptions({{"db", "database file", "file", "telvin-server.db"},
                  {"port", "RPC port", "port", "9090"},
                  {"http-port", "HTTP port", "port", "8080"},
                  {"bind", "listen address", "address", "127.0.0.1"},
                  {"outbox", "mail outbox folder", "dir"},
                  {"setup", "setup program to offer for download", "file"},
                  {{"stock", "items"}, "stock items to generate", "n", "20000"},
                  {"small", "a small data set"},
                  {"role", "role (MusteriTipi)", "n", "0"},
                  {"account", "customer account", "carino", "0"},
                  {"rep", "sales representative number", "n", "0"},
                  {"inactive", "the new user may not log in yet"},
                  {"client-version", "client version announced at login", "n", "1"}});
    p.addHelpOption();
    p.process(arguments);
    const QStringList args = p.positionalArguments();
    if (args.isEmpty()) {
        err() << kUsage;
        return 2;
    }
    const QString command = args.first();
    try {
        SqliteStorage storage(p.value("db"));
        if (command == QLatin1String("init")) {
            out() << "Veritabanı hazır: " << storage.path() << Qt::endl;
            return 0;
        }
        if (command == QLatin1String("seed")) {
            if (storage.stock(1)) {
                err() << "Veritabanında zaten veri var: " << storage.path() << Qt::endl;
                return 1;
            }
            DemoGenerator::Options options;
            options.small = p.isSet("small");
            options.stockItems = p.isSet("stock") ? p.value("stock").toInt()
                                                  : (options.small ? 300 : 20000);
            QElapsedTimer timer;
            timer.start();
            DemoGenerator(storage, options).run();
            out() << "Demo verisi yüklendi: " << options.stockItems << " stok, "
                  << timer.elapsed() << " ms" << Qt::endl;
            return 0;
        }
        if (command == QLatin1String("serve"))
            return serve(storage, p);
        if (command == QLatin1String("register-machine") && args.size() == 3) {
            const auto user = storage.userByName(args[2]);
            if (!user) {
                err() << "Kullanıcı bulunamadı: " << args[2] << Qt::endl;
                return 1;
            }
            const QString id = DistributorService::normalizeMachineId(args[1]);
            storage.bindMachine(id, user->id);
            out() << id << " -> " << user->name << Qt::endl;
            return 0;
        }
        if (command == QLatin1String("add-user") && args.size() == 3) {
            UserRecord u;
            u.name = args[1].trimmed().toUpper();
            u.password = args[2].trimmed().toUpper();
            u.role = p.value("role").toInt();
            u.accountId = p.value("account").toInt();
            u.repId = p.value("rep").toInt();
            u.active = p.isSet("inactive") ? 0 : 1;
            out() << "Kullanıcı " << storage.insertUser(u) << ": " << u.name << Qt::endl;
            return 0;
        }
        if (command == QLatin1String("import-stock") && args.size() == 2)
            return importStock(storage, args[1]);
        if (command == QLatin1String("set") && args.size() == 3) {
            storage.setSetting(args[1], args[2]);
            return 0;
        }
    } catch (const std::exception &e) {
        err() << QString::fromUtf8(e.what()) << Qt::endl;
        return 1;
    }
    err() << kUsage;
    return 2;
}
