#include "baglantiu.h"
#include "dataset.h"
#include "datapacket.h"
#include "dbxreader.h"
#include "mobilstokunit.h"
#include "proxim.h"
#include "serverconnection.h"
#include "streamcopy.h"
#include "wireerror.h"

#include <QDate>
#include <QImage>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtConcurrent>

// telvin-server started as operators start it, on free loopback ports with a small seed,
// and called through the client's own proxy.
class TestServerEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void loginAndSearch();
    void searchAnswerKeepsColumnsWhenEmpty();
    void orderSubmittedTwiceMakesOneOrder();
    void refusalsAndBadArguments();
    void concurrentBasketChanges();
    void streamsAndWebPictures();

private:
    std::unique_ptr<ServerConnection> connect() const
    {
        auto c = std::make_unique<ServerConnection>();
        c->Params().SetValue(QStringLiteral("HostName"), QStringLiteral("127.0.0.1"));
        c->Params().SetValue(QStringLiteral("Port"), QString::number(m_rpcPort));
        c->Open();
        return c;
    }
    TSonucBilgisi *login(TServerMethods1Client &proxy, const QString &machine)
    {
        TSonucBilgisi *record = proxy.BuyukGetir(machine);
        m_record.Kopyala(*record);
        return copy();
    }
    TSonucBilgisi *copy() const
    {
        auto *c = new TSonucBilgisi;
        c->Kopyala(m_record);
        return c;
    }
    int runTool(const QStringList &args)
    {
        QProcess p;
        p.start(QStringLiteral(TELVIN_SERVER_PATH), args);
        p.waitForFinished(120000);
        return p.exitCode();
    }

    QTemporaryDir m_dir;
    QProcess m_server;
    quint16 m_rpcPort = 0;
    quint16 m_httpPort = 0;
    TSonucBilgisi m_record;
};

void TestServerEndToEnd::initTestCase()
{
    const QString db = m_dir.filePath(QStringLiteral("e2e.db"));
    QCOMPARE(runTool({QStringLiteral("seed"), QStringLiteral("--small"), QStringLiteral("--db"),
                      db}),
             0);
    QCOMPARE(runTool({QStringLiteral("register-machine"), QStringLiteral("e2e machine"),
                      QStringLiteral("DEMO"), QStringLiteral("--db"), db}),
             0);
    m_server.start(QStringLiteral(TELVIN_SERVER_PATH),
                   {QStringLiteral("serve"), QStringLiteral("--db"), db, QStringLiteral("--port"),
                    QStringLiteral("0"), QStringLiteral("--http-port"), QStringLiteral("0"),
                    QStringLiteral("--outbox"), m_dir.filePath(QStringLiteral("outbox"))});
    QSignalSpy ready(&m_server, &QProcess::readyReadStandardOutput);
    const QRegularExpression ports(QStringLiteral("rpc=(\\d+) http=(\\d+)"));
    QByteArray output;
    while (!ports.match(QString::fromLatin1(output)).hasMatch()) {
        QVERIFY2(ready.wait(30000), m_server.readAllStandardError().constData());
        output += m_server.readAllStandardOutput();
    }
    const auto match = ports.match(QString::fromLatin1(output));
    m_rpcPort = quint16(match.captured(1).toUInt());
    m_httpPort = quint16(match.captured(2).toUInt());
}

void TestServerEndToEnd::cleanupTestCase()
{
    m_server.terminate();
    QVERIFY(m_server.waitForFinished(30000));
    QCOMPARE(m_server.exitStatus(), QProcess::NormalExit);
}

void TestServerEndToEnd::loginAndSearch()
{
    auto c = connect();
    TServerMethods1Client proxy(c->DBXConnection());
    delete login(proxy, QStringLiteral("E2EMACHINE"));
    QVERIFY(m_record.Varmi());
    QCOMPARE(m_record.ADI(), QStringLiteral("DEMO"));
    QCOMPARE(m_record.MusteriTipi(), 0);

    Dataset stok;
    proxy.StokAraGetir(QStringLiteral(" FREN DISKI "), copy()).AssignTo(stok);
    QVERIFY(stok.RecordCount() > 0);
    for (stok.First(); !stok.Eof(); stok.Next())
        QVERIFY(stok.FieldByName(QStringLiteral("ADI")).AsString().contains(
            QStringLiteral("FREN DİSKİ")));
    QCOMPARE(stok.FieldByName(QStringLiteral("STOK_STOKNO")).DataType(), FieldType::Integer);
    QCOMPARE(stok.FieldByName(QStringLiteral("FIYAT")).DataType(), FieldType::Float);

    // The code as typed without separators finds the item.
    const QString code = stok.FieldByName(QStringLiteral("BARKOD")).stringAt(0);
    Dataset byCode;
    proxy.StokAraGetir(QString(code).remove(QLatin1Char('-')), copy()).AssignTo(byCode);
    QVERIFY(byCode.Locate(QStringLiteral("BARKOD"), code));

    std::unique_ptr<DbxReader> balloons;
    Dataset badges;
    proxy.BalonGetir(copy())->CopyTo(badges);
    QCOMPARE(badges.RecordCount(), 1);
    QCOMPARE(int(badges.Fields(3).intAt(0)), 4);  // announcements
    QCOMPARE(int(proxy.AcilisEkranlarVer2()->Ekranlar().size()), 4);
    QVERIFY(!proxy.KayanYaziGetir().isEmpty());
}

void TestServerEndToEnd::searchAnswerKeepsColumnsWhenEmpty()
{
    auto c = connect();
    TServerMethods1Client proxy(c->DBXConnection());
    delete login(proxy, QStringLiteral("E2EMACHINE"));
    Dataset none;
    proxy.StokAraGetir(QStringLiteral("QQQXXXZZZ"), copy()).AssignTo(none);
    QCOMPARE(none.RecordCount(), 0);
    QVERIFY(none.FindField(QStringLiteral("IND1")));
    QVERIFY(none.FindField(QStringLiteral("INDIRIMYAZI")));
}

void TestServerEndToEnd::orderSubmittedTwiceMakesOneOrder()
{
    auto c = connect();
    TServerMethods1Client proxy(c->DBXConnection());
    delete login(proxy, QStringLiteral("E2EMACHINE"));
    const int carino = m_record.CARINO();
    QCOMPARE(proxy.SepetEkle2(copy(), carino, 42, QString(), QString(), 2, 20, 10, 0,
                              m_record.Sirano(), 0, 0, 0, 0),
             1);
    Dataset before;
    proxy.OncekiSiparisler(carino)->CopyTo(before);
    QVERIFY(proxy.SiparisKaydet(copy(), carino, 2, 1, QStringLiteral("e2e"), m_record.Sirano(),
                                1));
    QVERIFY(!proxy.SiparisKaydet(copy(), carino, 2, 1, QStringLiteral("e2e"),
                                 m_record.Sirano(), 1));
    Dataset after;
    proxy.OncekiSiparisler(carino)->CopyTo(after);
    QCOMPARE(after.RecordCount(), before.RecordCount() + 1);
    const int idno = int(after.FieldByName(QStringLiteral("IDNO")).intAt(0));
    QCOMPARE(proxy.SiparisAytintisiDip(0, idno)->SizinMesaj(), QStringLiteral("e2e"));
    Dataset basket;
    proxy.SepetVer2(carino).AssignTo(basket);
    QVERIFY(!basket.Locate(QStringLiteral("STOKNO"), 42));
}

void TestServerEndToEnd::refusalsAndBadArguments()
{
    auto c = connect();
    TServerMethods1Client proxy(c->DBXConnection());
    delete login(proxy, QStringLiteral("E2EMACHINE"));
    QVERIFY_THROWS_EXCEPTION(RemoteError, proxy.SepetVer2(4242));
    QVERIFY_THROWS_EXCEPTION(RemoteError, proxy.SepetEkle2(copy(), 2, 42, {}, {}, 1, 20, 10, 0,
                                                           m_record.Sirano(), 0, 0, 0, 0));
    QCOMPARE(proxy.SepetEkle2(copy(), m_record.CARINO(), 42, {}, {}, -1, 20, 10, 0,
                              m_record.Sirano(), 0, 0, 0, 0),
             0);
    QVERIFY_THROWS_EXCEPTION(RemoteError, proxy.FaturaAltGetir(987654));

    QVERIFY_THROWS_EXCEPTION(RemoteError, proxy.TumSiparislerVer(m_record.CARINO(), 999999));
    // An error leaves the connection usable.
    QCOMPARE(proxy.EchoString(QStringLiteral("hâlâ açık")), QStringLiteral("hâlâ açık"));
}

void TestServerEndToEnd::concurrentBasketChanges()
{
    {
        auto c = connect();
        TServerMethods1Client proxy(c->DBXConnection());
        delete login(proxy, QStringLiteral("E2EMACHINE"));
        proxy.SepetHepsiniSil(copy());
    }
    // Two connections add the same stock and two others at once.
    const auto add = [this](int stock) {
        auto c = connect();
        TServerMethods1Client proxy(c->DBXConnection());
        return proxy.SepetEkle2(copy(), m_record.CARINO(), stock, {}, {}, 1, 20, 1, 0,
                                m_record.Sirano(), 0, 0, 0, 0);
    };
    QList<QFuture<int>> calls;
    for (int stock : {50, 50, 51, 52, 50})
        calls << QtConcurrent::run(add, stock);
    for (auto &f : calls)
        QCOMPARE(f.result(), 1);
    auto c = connect();
    TServerMethods1Client proxy(c->DBXConnection());
    Dataset basket;
    proxy.SepetVer2(m_record.CARINO()).AssignTo(basket);
    QCOMPARE(basket.RecordCount(), 3);
}

void TestServerEndToEnd::streamsAndWebPictures()
{
    auto c = connect();
    TServerMethods1Client proxy(c->DBXConnection());
    int withPicture = 0;
    QByteArray jpeg;
    for (int id = 1; id < 40 && jpeg.isEmpty(); ++id) {
        qint64 size = 0;
        QIODevice *stream = proxy.ResimVer5(id, size);
        if (size > 0) {
            jpeg = copyStreamResult(stream, size).value_or(QByteArray());
            withPicture = id;
        }
    }
    QVERIFY(!QImage::fromData(jpeg, "JPEG").isNull());
    qint64 size = 0;
    proxy.ResimVer5(999999, size);
    QCOMPARE(size, 0);
    proxy.BannerResimVer(size);
    QVERIFY(size > 0);

    QNetworkAccessManager web;
    const auto get = [&](const QString &path) {
        QNetworkReply *reply = web.get(QNetworkRequest(
            QUrl(QStringLiteral("http://127.0.0.1:%1/%2").arg(m_httpPort).arg(path))));
        QSignalSpy done(reply, &QNetworkReply::finished);
        done.wait(20000);
        reply->deleteLater();
        return reply;
    };
    QNetworkReply *picture = get(QStringLiteral("resimgoster.ashx?id=%1").arg(withPicture));
    QCOMPARE(picture->header(QNetworkRequest::ContentTypeHeader).toString(),
             QStringLiteral("image/jpeg"));
    QCOMPARE(picture->readAll(), jpeg);
    QCOMPARE(get(QStringLiteral("resimgoster.ashx?id=999999"))
                 ->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
             404);
    QVERIFY(get(QStringLiteral("ordakart.html?carino=1&sube=MERKEZ&firmasi=A%26B&bakiye=12.50"))
                ->readAll().contains("A&amp;B"));
}

QTEST_MAIN(TestServerEndToEnd)
#include "tst_servere2e.moc"
