// Stock search over a generated catalogue: the trigram index against a LIKE '%...%' scan
// of the same data, in the same run.
// Usage: bench_stocksearch [items] [database] [index]   ("index" skips the slow scan)
#include "baglantiu.h"
#include "demogenerator.h"
#include "distributormethods.h"
#include "distributorservice.h"
#include "methodregistry.h"
#include "processmemory.h"
#include "proxim.h"
#include "rpcserver.h"
#include "searchtext.h"
#include "serverconnection.h"
#include "sqlitestorage.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

struct Figures
{
    double median = 0, p99 = 0;
};

// Times each of `runs` on every term, three rounds. The runs take turns term by term, so a
// slow spell of the machine falls on all of them alike.
std::vector<Figures> measure(const QStringList &terms,
                             const std::vector<std::function<int(const QString &)>> &runs)
{
    std::vector<std::vector<double>> ms(runs.size());
    for (int round = 0; round < 3; ++round)
        for (const QString &t : terms)
            for (size_t r = 0; r < runs.size(); ++r) {
                QElapsedTimer timer;
                timer.start();
                runs[r](t);
                ms[r].push_back(timer.nsecsElapsed() / 1e6);
            }
    std::vector<Figures> out;
    for (auto &m : ms) {
        std::sort(m.begin(), m.end());
        out.push_back({m[m.size() / 2], m[std::min(m.size() - 1, size_t(m.size() * 0.99))]});
    }
    return out;
}

}  // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int items = argc > 1 ? atoi(argv[1]) : 200000;
    QTemporaryDir dir;
    const QString path = argc > 2 ? QString::fromLocal8Bit(argv[2])
                                  : dir.filePath(QStringLiteral("bench.db"));
    KeepFreedMemoryForAnswers();  // as the serving process does
    const bool indexOnly = argc > 3 && QByteArray(argv[3]) == "index";
    const bool fresh = !QFile::exists(path);
    SqliteStorage storage(path);
    if (fresh) {
        QElapsedTimer seed;
        seed.start();
        DemoGenerator::Options options;
        options.stockItems = items;
        DemoGenerator(storage, options).run();
        std::printf("seeded %d items in %.1f s\n", items, seed.elapsed() / 1000.0);
    }
    // Search texts of 3, 5 and 8 characters cut from real names and codes.
    QStringList names, codes;
    for (int id = 1; id <= 400; id += 7) {
        const auto s = storage.stock(id);
        if (!s)
            continue;
        names << SearchText::compact(s->name);
        codes << SearchText::compact(s->code);
    }
    for (int length : {3, 5, 8}) {
        QStringList terms;
        for (int i = 0; i < names.size(); ++i)
            terms << (i % 2 ? codes[i] : names[i]).mid(i % 3, length);
        long rows = 0;
        std::vector<std::function<int(const QString &)>> runs{[&](const QString &t) {
            const int n = storage.searchStock({t}, 10000)->RecordCount();
            rows += n;
            return n;
        }};
        if (!indexOnly)
            runs.push_back([&](const QString &t) {
                return storage.scanStock(t, 10000)->RecordCount();
            });
        const std::vector<Figures> figures = measure(terms, runs);
        const Figures fts = figures[0];
        const Figures scan = indexOnly ? Figures{1, 1} : figures[1];
        std::printf("%d chars: %ld rows per search on average\n", length,
                    rows / std::max<long>(1, 3 * terms.size()));
        std::printf("%d chars: index median %.2f ms p99 %.2f ms | LIKE scan median %.2f ms "
                    "p99 %.2f ms | %.1fx faster (median)\n",
                    length, fts.median, fts.p99, scan.median, scan.p99,
                    scan.median / fts.median);
    }
    QElapsedTimer timer;
    timer.start();
    const int rows = storage.searchStock({QStringLiteral("A")}, 10000)->RecordCount();
    std::printf("10000-row answer (%d rows) built in %lld ms\n", rows,
                static_cast<long long>(timer.elapsed()));

    // The same search as a dealer's client makes it: StokAraGetir through the wire, with a
    // text that fills the whole 10,000-row answer.
    QString full;
    for (const QString &name : names)
        for (int at = 0; full.isEmpty() && at + 3 <= name.size(); ++at)
            if (storage.searchStock({name.mid(at, 3)}, 10000)->RecordCount() == 10000)
                full = name.mid(at, 3);
    DistributorService service(storage, {dir.filePath(QStringLiteral("outbox")), 1});
    MethodRegistry registry;
    DistributorMethods::registerAll(registry, service);
    RpcServer rpc(registry);
    if (full.isEmpty() || !rpc.listen(QHostAddress::LocalHost, 0)) {
        std::printf("no round trip measured\n");
        return 1;
    }
    ServerConnection c;
    c.Params().SetValue(QStringLiteral("HostName"), QStringLiteral("127.0.0.1"));
    c.Params().SetValue(QStringLiteral("Port"), QString::number(rpc.serverPort()));
    c.Open();
    TServerMethods1Client proxy(c.DBXConnection());
    TSonucBilgisi session;
    session.Kopyala(*proxy.BuyukGetir(DemoGenerator::dealerMachine()));
    const Figures trip = measure({full, full, full}, {[&](const QString &t) {
        auto *record = new TSonucBilgisi;
        record->Kopyala(session);
        Dataset stok;
        proxy.StokAraGetir(t, record).AssignTo(stok);
        return stok.RecordCount();
    }})[0];
    std::printf("StokAraGetir round trip '%s' (10000 rows): median %.2f ms, p99 %.2f ms\n",
                qPrintable(full), trip.median, trip.p99);
    return 0;
}
