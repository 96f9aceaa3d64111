#include "dataset.h"
#include "hookrecorder.h"
#include "methodregistry.h"
#include "openwithretry.h"
#include "proxim.h"
#include "rpcserver.h"
#include "serverconnection.h"
#include "socketstream.h"
#include "streamcopy.h"
#include "utils.h"
#include "wirecodec.h"
#include "wireerror.h"

#include <QCborStreamWriter>
#include <QMutex>
#include <QPointer>
#include <QTcpServer>
#include <QtEndian>
#include <QtTest>

namespace {

std::shared_ptr<Dataset> rowsOf(int count)
{
    auto d = std::make_shared<Dataset>();
    d->BeginLoad({ { QStringLiteral("ID"), FieldType::Integer },
                     { QStringLiteral("ADI"), FieldType::String },
                     { QStringLiteral("FIYAT"), FieldType::Float } },
        count);
    for (int i = 0; i < count; ++i) {
        d->Fields(0).appendInt(i + 1);
        d->Fields(1).appendString(QStringLiteral("Satır %1").arg(i + 1));
        d->Fields(2).appendFloat(i * 1.5);
    }
    d->EndLoad();
    return d;
}

// A default answer of the declared kind, so every catalogue method can be served.
void answerDefault(CallContext &call)
{
    const MethodInfo &m = call.method();
    switch (m.result) {
    case WireType::Integer:
        call.setResult(m.params.size());
        break;
    case WireType::Boolean:
        call.setResult(true);
        break;
    case WireType::String:
        call.setResult(m.name);
        break;
    case WireType::Object:
        call.setResultObject(TransferObject::create(m.resultClass));
        break;
    case WireType::Table:
        call.setResultTable(rowsOf(2));
        break;
    case WireType::Packet:
        call.setResultPacket(rowsOf(3));
        break;
    case WireType::Stream:
        call.setResultStream(QByteArray(5, 'x'));
        break;
    default:
        break;
    }
}

// The raw side of a connection, for the bad-input cases.
struct RawClient
{
    std::unique_ptr<SocketStream> stream;

    explicit RawClient(quint16 port, bool shakeHands = true)
        : stream(SocketStream::connectTo(QStringLiteral("127.0.0.1"), port, 2000))
    {
        if (shakeHands) {
            WireMessage hello;
            hello.op = WireMessage::Op::Open;
            hello.context = QStringLiteral("datasnap/");
            hello.serverClass = QStringLiteral("TServerMethods1");
            send(WireCodec::encodeMessage(hello));
            const auto answer = receive();
            if (!answer || answer->op != WireMessage::Op::Opened)
                throw std::runtime_error("handshake failed");
        }
    }
    void send(const QByteArray &payload) { FrameIO::writeFrame(*stream, payload, 2000); }
    void sendRaw(const QByteArray &bytes)
    {
        stream->writeAll(bytes.constData(), bytes.size(), 2000);
    }
    // The next answer, or nullopt when the server closed the connection.
    std::optional<WireMessage> receive()
    {
        FrameIO::ReadLimits limits;
        limits.firstByteTimeoutMs = 10000;
        limits.byteTimeoutMs = 10000;
        const auto frame = FrameIO::readFrame(*stream, limits);
        if (!frame)
            return std::nullopt;
        return WireCodec::decodeMessage(*frame);
    }
    WireMessage call(const QString &method, const QVector<WireValue> &params)
    {
        WireMessage m;
        m.op = WireMessage::Op::Call;
        m.method = method;
        m.params = params;
        send(WireCodec::encodeMessage(m));
        return receive().value();
    }
};

QByteArray lengthPrefix(quint32 length)
{
    char header[4];
    qToBigEndian(length, header);
    return QByteArray(header, 4);
}

quint16 unusedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

} // namespace

class TestWire : public QObject
{
    Q_OBJECT

private:
    MethodRegistry m_registry;
    std::unique_ptr<RpcServer> m_server;
    QMutex m_seenMutex;
    QStringList m_seen; // "Name:kind,kind,..." of every call the server ran
    bool m_lastSessionWasNil = false;

    std::unique_ptr<ServerConnection> connection(quint16 port = 0)
    {
        auto c = std::make_unique<ServerConnection>();
        c->Params().SetValue(QStringLiteral("HostName"), QStringLiteral("127.0.0.1"));
        c->Params().SetValue(
            QStringLiteral("Port"), QString::number(port ? port : m_server->serverPort()));
        return c;
    }

private slots:
    void initTestCase()
    {
        OpenRetry::setDelayForTesting(0);
        for (const MethodInfo &m : MethodCatalogue::methods()) {
            m_registry.add(m.name, [this](CallContext &call) {
                QStringList kinds;
                for (int i = 0; i < call.argCount(); ++i)
                    kinds << (call.method().params[i].out ? QStringLiteral("out")
                            : call.isNull(i)              ? QStringLiteral("null")
                                             : wireTypeName(call.method().params[i].type));
                {
                    QMutexLocker lock(&m_seenMutex);
                    m_seen << call.method().name + u':' + kinds.join(u',');
                }
                const QString name = call.method().name;
                if (name == QLatin1String("EchoString")) {
                    call.setResult(call.argString(0));
                } else if (name == QLatin1String("ReverseString")) {
                    QString s = call.argString(0);
                    std::reverse(s.begin(), s.end());
                    call.setResult(s);
                } else if (name == QLatin1String("BuyukGetir")) {
                    if (call.argString(0) == QLatin1String("hata"))
                        throw std::runtime_error("Kayıt bulunamadı");
                    auto b = std::make_unique<TSonucBilgisi>();
                    b->SetBILGISAYARID(call.argString(0));
                    b->SetCARINO(77);
                    call.setResultObject(std::move(b));
                } else if (name == QLatin1String("StokAraGetir")) {
                    m_lastSessionWasNil = call.argObject<TSonucBilgisi>(1) == nullptr;
                    call.setResultPacket(rowsOf(call.argString(0).toInt()));
                } else if (name == QLatin1String("ResimVer5")) {
                    // stokno n sends n bytes; 999 announces more than it sends.
                    const int n = call.argInt(0);
                    call.setResultStream(QByteArray(n == 999 ? 10 : n, 'j'));
                    if (n == 999)
                        call.setOut(1, qint64(20));
                } else if (name == QLatin1String("SiparisAytintisiDip")) {
                    if (call.argInt(1) == 0)
                        call.setResultObject(nullptr);
                    else
                        answerDefault(call);
                } else {
                    answerDefault(call);
                }
            });
        }
        RpcServerOptions options;
        options.frameTimeoutMs = 500;
        options.maxConnections = 8;
        m_server = std::make_unique<RpcServer>(m_registry, options);
        QVERIFY2(m_server->listen(QHostAddress::LocalHost, 0), qPrintable(m_server->errorString()));
    }

    void cleanupTestCase()
    {
        m_server->stop();
        OpenRetry::setDelayForTesting(OpenRetry::kDelayMs);
    }

    void echoAndReverseThroughTheProxy()
    {
        auto c = connection();
        c->Open();
        TServerMethods1Client proxy(c->DBXConnection());
        QCOMPARE(proxy.EchoString(QStringLiteral("Şifre Değiştirme İsteği")),
            QStringLiteral("Şifre Değiştirme İsteği"));
        QCOMPARE(proxy.ReverseString(QStringLiteral("abç")), QStringLiteral("çba"));
        QCOMPARE(proxy.EchoString(QString()), QString());
    }

    void everyProxyMethodMatchesTheServer()
    {
        auto c = connection();
        c->Open();
        TServerMethods1Client p(c->DBXConnection());
        auto rec = [] { return new TSonucBilgisi; };
        qint64 size = -1;
        const QString s = QStringLiteral("x");
        {
            QMutexLocker lock(&m_seenMutex);
            m_seen.clear();
        }
        QVERIFY(p.BuyukGetir(s));
        QVERIFY(!p.StokAraGetir(QStringLiteral("1"), rec()).IsNull());
        QVERIFY(p.ResimVer5(4, size));
        QCOMPARE(size, qint64(4));
        QCOMPARE(p.SepetEkle2(rec(), 1, 2, s, s, 1.0, 20, 3.5, 0, 9, 1, 0, 0, 0), 14);
        QCOMPARE(p.SepetGuncelle2(rec(), 1, 0, s, s, 1.0, 20, 3.5, 0, 9, 5, 0, 0, 0), 14);
        QVERIFY(!p.YenilerVer2(1).IsNull());
        QVERIFY(!p.KampanyaliVer2(1, 3).IsNull());
        QVERIFY(p.AcilisEkranlarVer2());
        QVERIFY(p.BalonGetir(rec()));
        QCOMPARE(p.KayanYaziGetir(), QStringLiteral("KayanYaziGetir"));
        QVERIFY(p.BannerResimVer(size));
        QVERIFY(p.BannerResimVer2(size));
        QVERIFY(p.BannerResimVer3(size));
        QCOMPARE(size, qint64(5));
        QCOMPARE(p.AcilisReklamAdet(), 0);
        QVERIFY(p.AcilisREklamVer(0));
        QVERIFY(!p.SepetVer2(1).IsNull());
        QCOMPARE(p.CariVadeGunGecmismiBul(1), QStringLiteral("CariVadeGunGecmismiBul"));
        QCOMPARE(p.SepetSatirSil(rec(), 3, QStringLiteral("B-AD")), 3);
        QCOMPARE(p.SepetHepsiniSil(rec()), 1);
        p.SepetSecimGuncelle(3, 1);
        QVERIFY(p.TeslimVer());
        QVERIFY(p.KargoVer());
        QVERIFY(p.KargolarVer(2));
        QVERIFY(p.SiparisKaydet(rec(), 1, 2, 3, s, 9, 4));
        QVERIFY(p.OncekiSiparisler(1));
        QVERIFY(p.SiparisAyrintisi2(1, 2));
        QVERIFY(p.SiparisAytintisiDip(0, 5));
        QVERIFY(p.BakiyelerVer2(1));
        QCOMPARE(p.BakiyeDuzenle(rec(), 1, 2, 3, 4, 5, s), 7);
        QCOMPARE(p.BakiyeDegistir(rec(), 1, 2, 3, 4, 5, s), 7);
        QCOMPARE(p.BakiyeFiyatDegistir(rec(), 0, 2, 3, 4, 5, s, 6.5, 10), 9);
        QVERIFY(p.TumSiparislerVer(1, 2));
        QVERIFY(!p.StokHareketVer(1, 2).IsNull());
        QVERIFY(p.CariEkstreVer(1));
        QVERIFY(p.FaturaGetir(1, 2));
        QVERIFY(p.FaturaAltGetir(2));
        QVERIFY(p.Tahsilat(2));
        QCOMPARE(p.SanalposSiranoVer(2), 1);
        QVERIFY(p.SAnalPosPdfVer(2, size));
        QCOMPARE(p.CariDurumVer(1), QStringLiteral("CariDurumVer"));
        QVERIFY(p.RaporAlinanSiparisler(rec(), 45000, 45001));
        QVERIFY(p.RaporEnCokSatilanStoklar(rec(), 45000, 45001));
        QVERIFY(p.RaporGetir(6, 6, 1, 0, QStringLiteral("."), 45000, 45001, size));
        QVERIFY(p.CariAra(rec(), s));
        QVERIFY(p.CariSepetVer(rec(), 1));
        QCOMPARE(p.SepetSayisi(rec()), 1);
        QVERIFY(p.TusSonuclariVer(rec()));
        QVERIFY(p.MobilCariBilgisiGetir(0, s));
        QCOMPARE(p.MailGonserCari(s, s, s, s, s, s, s, s, s, s, s, s, s, s, s, s), 16);
        QCOMPARE(p.MailGonserCariNormal(s, s, s, s, s, s, s, s, s, s, s, s, s, s, s, s, s), 17);

        QMutexLocker lock(&m_seenMutex);
        QCOMPARE(m_seen.size(), 50);
        QVERIFY(m_seen.contains(QStringLiteral("RaporGetir:Integer,Integer,Integer,Integer,"
                                               "string,Double,Double,out")));
        QVERIFY(m_seen.contains(QStringLiteral("SepetEkle2:object,Integer,Integer,string,string,"
                                               "Double,Double,Double,Double,Integer,Integer,"
                                               "Double,Double,Double")));
    }

    void objectsTravelAndNilStaysNil()
    {
        auto c = connection();
        c->Open();
        TServerMethods1Client proxy(c->DBXConnection());
        TSonucBilgisi *b = proxy.BuyukGetir(QStringLiteral("WD-123 ÇŞ"));
        QVERIFY(b);
        QCOMPARE(b->BILGISAYARID(), QStringLiteral("WD-123 ÇŞ"));
        QCOMPARE(b->CARINO(), 77);
        QCOMPARE(b->MusteriTipi(), 1);

        proxy.StokAraGetir(QStringLiteral("0"), nullptr);
        QVERIFY(m_lastSessionWasNil);
        proxy.StokAraGetir(QStringLiteral("0"), new TSonucBilgisi);
        QVERIFY(!m_lastSessionWasNil);

        QCOMPARE(proxy.SiparisAytintisiDip(0, 0), nullptr);
    }

    void tablesAndPacketsLoadIntoDatasets()
    {
        auto c = connection();
        c->Open();
        TServerMethods1Client proxy(c->DBXConnection());

        Dataset stok;
        proxy.StokAraGetir(QStringLiteral("250"), new TSonucBilgisi).AssignTo(stok);
        QCOMPARE(stok.RecordCount(), 250);
        QCOMPARE(
            stok.FieldByName(QStringLiteral("ADI")).stringAt(249), QStringLiteral("Satır 250"));
        QCOMPARE(stok.FieldByName(QStringLiteral("FIYAT")).DataType(), FieldType::Float);

        DbxReader *reader = proxy.TeslimVer();
        QVERIFY(reader);
        QCOMPARE(reader->ColumnCount(), 3);
        QCOMPARE(reader->ColumnName(1), QStringLiteral("ADI"));
        QVERIFY(reader->Next());
        QCOMPARE(reader->Value(0).toInt(), 1);
        QVERIFY(reader->Next());
        QCOMPARE(reader->Value(1).toString(), QStringLiteral("Satır 2"));
        QVERIFY(!reader->Next());

        Dataset kargo;
        proxy.KargoVer()->CopyTo(kargo);
        QCOMPARE(kargo.RecordCount(), 2);
        QCOMPARE(kargo.FieldCount(), 3);
    }

    void streamResults_data()
    {
        QTest::addColumn<int>("stokno");
        QTest::addColumn<int>("expected"); // -1: the copy is discarded
        QTest::newRow("size 0 uses nothing") << 0 << -1;
        QTest::newRow("exactly 1024 x 4") << 4096 << 4096;
        QTest::newRow("partial last block") << 1500 << 1500;
        QTest::newRow("announced size differs") << 999 << -1;
    }
    void streamResults()
    {
        QFETCH(int, stokno);
        QFETCH(int, expected);
        auto c = connection();
        c->Open();
        TServerMethods1Client proxy(c->DBXConnection());
        qint64 boy = -1;
        QIODevice *stream = proxy.ResimVer5(stokno, boy);
        const auto copy = copyStreamResult(stream, boy);
        QCOMPARE(copy.has_value(), expected >= 0);
        if (copy)
            QCOMPARE(copy->size(), expected);
    }

    void repeatedCallFreesTheEarlierResult()
    {
        auto c = connection();
        c->Open();
        QPointer<QIODevice> first;
        QPointer<QIODevice> other;
        {
            TServerMethods1Client proxy(c->DBXConnection());
            qint64 boy = 0;
            first = proxy.ResimVer5(10, boy);
            other = proxy.BannerResimVer(boy);
            QVERIFY(first);
            QIODevice *second = proxy.ResimVer5(20, boy);
            QVERIFY(!first); // freed when the same method ran again
            QVERIFY(other); // another method's result is untouched
            QCOMPARE(second->size(), qint64(20));
        }
        QVERIFY(!other); // and everything goes with the proxy
    }

    void errorsPassOutOfTheProxy()
    {
        auto c = connection();
        c->Open();
        TServerMethods1Client proxy(c->DBXConnection());
        try {
            proxy.BuyukGetir(QStringLiteral("hata"));
            QFAIL("no error");
        } catch (const RemoteError &e) {
            QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("Kayıt bulunamadı"));
        }
        // The connection stays usable after an error answer.
        QCOMPARE(proxy.EchoString(QStringLiteral("ok")), QStringLiteral("ok"));
    }

    void nilConnectionIsRefused()
    {
        ServerConnection closed;
        QCOMPARE(closed.DBXConnection(), nullptr);
        try {
            TServerMethods1Client proxy(closed.DBXConnection());
            QFAIL("no error");
        } catch (const InvalidOperation &e) {
            QCOMPARE(QString::fromUtf8(e.what()),
                QStringLiteral("Connection cannot be nil.  Make sure the connection has "
                               "been opened."));
        }
    }

    void cloneFollowsTheOriginal()
    {
        auto c = connection();
        auto closedClone = c->CloneConnection();
        QVERIFY(!closedClone->Connected());
        QCOMPARE(closedClone->Params().Value(QStringLiteral("Port")),
            c->Params().Value(QStringLiteral("port")));
        c->Open();
        auto openClone = c->CloneConnection();
        QVERIFY(openClone->Connected());
        TServerMethods1Client proxy(openClone->DBXConnection());
        QCOMPARE(proxy.EchoString(QStringLiteral("klon")), QStringLiteral("klon"));
    }

    void openWithRetryGivesUpAfterElevenAttempts_data()
    {
        QTest::addColumn<int>("showFailure");
        QTest::newRow("final dialog asked for") << 1;
        QTest::newRow("final dialog suppressed") << 0;
    }
    void openWithRetryGivesUpAfterElevenAttempts()
    {
        QFETCH(int, showFailure);
        HookRecorder hooks;
        Platform::setApplicationTitle(QStringLiteral("Telvin Otomotiv B2B Programı"));
        auto c = connection(unusedPort());
        QVERIFY(!OpenWithRetry(*c, showFailure));
        QVERIFY(!c->Connected());
        const auto messages = hooks.messages();
        QCOMPARE(messages.size(), 11 + showFailure);
        for (int i = 0; i < 11; ++i) {
            QCOMPARE(messages[i].kind, MessageRequest::Kind::PlainBox);
            QCOMPARE(messages[i].caption, QStringLiteral("Telvin Otomotiv B2B Programı"));
            QCOMPARE(messages[i].buttons, MsgDlgButtons { MsgDlgBtn::OK });
            QVERIFY2(
                messages[i].text.contains(QStringLiteral("refused")), qPrintable(messages[i].text));
        }
        if (showFailure) {
            const MessageRequest &last = messages.last();
            QCOMPARE(last.kind, MessageRequest::Kind::Dialog);
            QCOMPARE(last.type, MsgDlgType::Error);
            QCOMPARE(last.text, QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"));
            QCOMPARE(last.buttons, MsgDlgButtons { MsgDlgBtn::OK });
        }
    }

    void openWithRetrySucceedsOnTheThirdAttempt()
    {
        const quint16 port = unusedPort();
        RpcServer late(m_registry);
        HookRecorder hooks;
        // The server comes up while the second failure is being reported.
        int failures = 0;
        hooks.setResponder([&](const MessageRequest &) {
            if (++failures == 2)
                late.listen(QHostAddress::LocalHost, port);
            return int(mrOk);
        });
        auto c = connection(port);
        QVERIFY(OpenWithRetry(*c, 1));
        QVERIFY(c->Connected());
        QCOMPARE(hooks.messages().size(), 2);
        TServerMethods1Client proxy(c->DBXConnection());
        QCOMPARE(proxy.EchoString(QStringLiteral("üç")), QStringLiteral("üç"));
    }

    void wrongServiceFailsTheOpen()
    {
        auto c = connection();
        c->Params().SetValue(QStringLiteral("DatasnapContext"), QStringLiteral("baska/"));
        try {
            c->Open();
            QFAIL("opened");
        } catch (const RemoteError &e) {
            QVERIFY(QString::fromUtf8(e.what()).contains(QStringLiteral("baska/")));
        }
        QVERIFY(!c->Connected());
    }

    void deadServerTimesOut()
    {
        // Accepts at the TCP level (backlog) but never answers the handshake.
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress::LocalHost, 0));
        silent.pauseAccepting();
        auto c = connection(silent.serverPort());
        c->Params().SetValue(QStringLiteral("ConnectTimeout"), QStringLiteral("200"));
        QVERIFY_THROWS_EXCEPTION(ProtocolError, c->Open());
        QVERIFY(!c->Connected());
    }

    void badRequestsGetErrorAnswers_data()
    {
        QTest::addColumn<QString>("method");
        QTest::addColumn<QVector<WireValue>>("params");
        QTest::addColumn<QString>("error");
        QTest::newRow("unknown method")
            << "TServerMethods1.Yok" << QVector<WireValue> {} << "Unknown method";
        QTest::newRow("other class")
            << "TBaska.EchoString" << QVector<WireValue> { WireValue("a") } << "Unknown method";
        QTest::newRow("too few parameters")
            << "TServerMethods1.EchoString" << QVector<WireValue> {} << "expects 1 parameters";
        QTest::newRow("too many parameters")
            << "TServerMethods1.EchoString" << QVector<WireValue> { WireValue("a"), WireValue(1) }
            << "expects 1 parameters";
        QTest::newRow("integer for a string")
            << "TServerMethods1.EchoString" << QVector<WireValue> { WireValue(5) }
            << "parameter Value";
        QTest::newRow("null for an Integer")
            << "TServerMethods1.YenilerVer2" << QVector<WireValue> { WireValue() } << "null is not";
        QTest::newRow("double for an Integer")
            << "TServerMethods1.YenilerVer2" << QVector<WireValue> { WireValue(1.5) } << "double";
        WireObject unknown;
        unknown.type = QStringLiteral("baglantiu.TYabanci");
        QTest::newRow("object of an unknown class")
            << "TServerMethods1.SepetSayisi" << QVector<WireValue> { WireValue::object(unknown) }
            << "unknown class baglantiu.TYabanci";
        QTest::newRow("object of another class")
            << "TServerMethods1.SepetSayisi" << QVector<WireValue> { TTusSonuclari().toWire() }
            << "baglantiu.TTusSonuclari";
        WireObject badField = TSonucBilgisi().Marshal();
        badField.fields[2].second = WireValue("yirmi");
        QTest::newRow("field of the wrong kind")
            << "TServerMethods1.SepetSayisi" << QVector<WireValue> { WireValue::object(badField) }
            << "FSirano";
    }
    void badRequestsGetErrorAnswers()
    {
        QFETCH(QString, method);
        QFETCH(QVector<WireValue>, params);
        QFETCH(QString, error);
        RawClient client(m_server->serverPort());
        const WireMessage answer = client.call(method, params);
        QCOMPARE(answer.op, WireMessage::Op::Error);
        QVERIFY2(answer.message.contains(error), qPrintable(answer.message));
        // The connection survives a bad call.
        const WireMessage ok
            = client.call(QStringLiteral("TServerMethods1.EchoString"), { WireValue("sonra") });
        QCOMPARE(ok.result.toString(), QStringLiteral("sonra"));
    }

    void malformedFramesAnswerOrClose_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("answered"); // an error answer, then the connection goes on
        QTest::newRow("garbage payload") << lengthPrefix(6) + QByteArray("\xff\x00garb", 6) << true;
        QByteArray notCall;
        {
            QCborStreamWriter w(&notCall);
            w.append(QLatin1String("merhaba"));
        }
        QTest::newRow("valid CBOR, not a message")
            << lengthPrefix(quint32(notCall.size())) + notCall << true;
        QTest::newRow("empty frame") << lengthPrefix(0) << false;
        QTest::newRow("oversized frame")
            << lengthPrefix(0x7fffffff) + QByteArray(100, 'a') << false;
    }
    void malformedFramesAnswerOrClose()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, answered);
        RawClient bystander(m_server->serverPort());
        RawClient client(m_server->serverPort());
        client.sendRaw(bytes);
        std::optional<WireMessage> answer;
        try {
            answer = client.receive();
        } catch (const ProtocolError &) {
            // a reset is as good as a close
        }
        if (answered) {
            QVERIFY(answer);
            QCOMPARE(answer->op, WireMessage::Op::Error);
            QCOMPARE(client.call(QStringLiteral("TServerMethods1.EchoString"), { WireValue("b") })
                         .result.toString(),
                QStringLiteral("b"));
        } else if (answer) {
            QCOMPARE(answer->op, WireMessage::Op::Error);
            bool closed = false;
            try {
                closed = !client.receive().has_value();
            } catch (const ProtocolError &) {
                closed = true;
            }
            QVERIFY(closed);
        }
        QCOMPARE(bystander.call(QStringLiteral("TServerMethods1.EchoString"), { WireValue("c") })
                     .result.toString(),
            QStringLiteral("c"));
    }

    void stalledAndTruncatedClientsAreDropped()
    {
        RawClient bystander(m_server->serverPort());
        {
            RawClient truncated(m_server->serverPort());
            truncated.sendRaw(lengthPrefix(100) + QByteArray(10, 'a'));
        } // closes mid-frame
        RawClient stalled(m_server->serverPort());
        stalled.sendRaw(lengthPrefix(100) + QByteArray(10, 'a'));
        // The server drops the stalled client after its frame time-out (500 ms here).
        bool closed = false;
        try {
            closed = !stalled.receive().has_value();
        } catch (const ProtocolError &) {
            closed = true;
        }
        QVERIFY(closed);
        QCOMPARE(bystander.call(QStringLiteral("TServerMethods1.EchoString"), { WireValue("d") })
                     .result.toString(),
            QStringLiteral("d"));
        QTRY_COMPARE(m_server->activeConnections(), 1);
    }

    void connectionLimitIsEnforced()
    {
        MethodRegistry registry;
        registry.add(QStringLiteral("EchoString"),
            [](CallContext &call) { call.setResult(call.argString(0)); });
        RpcServerOptions options;
        options.maxConnections = 2;
        RpcServer small(registry, options);
        QVERIFY(small.listen(QHostAddress::LocalHost, 0));
        RawClient a(small.serverPort());
        RawClient b(small.serverPort());
        RawClient third(small.serverPort(), false);
        const auto refusal = third.receive();
        QVERIFY(refusal);
        QCOMPARE(refusal->message, QStringLiteral("Too many connections"));
        QCOMPARE(a.call(QStringLiteral("TServerMethods1.EchoString"), { WireValue("a") })
                     .result.toString(),
            QStringLiteral("a"));
        QCOMPARE(small.activeConnections(), 2);
        small.stop(); // ends the open connections and returns
        QCOMPARE(small.activeConnections(), 0);
    }

    void idleConnectionsHoldNoWorker()
    {
        MethodRegistry registry;
        registry.add(QStringLiteral("EchoString"),
            [](CallContext &call) { call.setResult(call.argString(0)); });
        RpcServerOptions options;
        options.workerThreads = 1;
        options.idleTimeoutMs = 300;
        RpcServer single(registry, options);
        QVERIFY(single.listen(QHostAddress::LocalHost, 0));
        RawClient idle(single.serverPort());
        RawClient quiet(single.serverPort(), false); // connected, no handshake yet
        RawClient busy(single.serverPort());
        for (const char *text : { "a", "b" })
            QCOMPARE(busy.call(QStringLiteral("TServerMethods1.EchoString"), { WireValue(text) })
                         .result.toString(),
                QLatin1String(text));
        // The idle one is still served after waiting between calls...
        QCOMPARE(idle.call(QStringLiteral("TServerMethods1.EchoString"), { WireValue("c") })
                     .result.toString(),
            QStringLiteral("c"));
        // ...until it stays silent past the idle time-out.
        QVERIFY(!idle.receive().has_value());
        QTRY_COMPARE(single.activeConnections(), 1); // the one waiting for its handshake
        single.stop();
        QCOMPARE(single.activeConnections(), 0);
    }

#ifdef TELVIN_CALL_PATH
    void telvinCallPrintsTheAnswerAsJson_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("expected"); // a piece of the output
        QTest::newRow("string") << QStringList { "EchoString", "Merhaba Dünya" } << 0
                                << "\"result\": \"Merhaba Dünya\"";
        QTest::newRow("object result")
            << QStringList { "BuyukGetir", "WD-1" } << 0 << "\"type\": \"baglantiu.TSonucBilgisi\"";
        QTest::newRow("stream with out size")
            << QStringList { "ResimVer5", "3" } << 0 << "\"boy\": 3";
        QTest::newRow("data packet")
            << QStringList { "StokAraGetir", "2", "null" } << 0 << "\"Satır 2\"";
        QTest::newRow("typed by the catalogue")
            << QStringList { "YenilerVer2", "bir" } << 1 << "not a valid Integer";
        QTest::newRow("wrong argument count")
            << QStringList { "EchoString" } << 1 << "takes 1 arguments";
    }
    void telvinCallPrintsTheAnswerAsJson()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, expected);
        QProcess call;
        call.start(QStringLiteral(TELVIN_CALL_PATH),
            QStringList { QStringLiteral("--port"), QString::number(m_server->serverPort()) }
                + args);
        QVERIFY(call.waitForFinished(20000));
        QCOMPARE(call.exitCode(), exitCode);
        const QString output
            = QString::fromUtf8(call.readAllStandardOutput() + call.readAllStandardError());
        QVERIFY2(output.contains(expected), qPrintable(output));
    }

    void telvinCallTellsThisMachinesIdentity()
    {
        // Operators register a machine with what it prints, so it must be the client's key.
        for (const char *option : {"--whoami", "--machine-id"}) {
            QProcess call;
            call.start(QStringLiteral(TELVIN_CALL_PATH), {QString::fromLatin1(option)});
            QVERIFY(call.waitForFinished(20000));
            QCOMPARE(call.exitCode(), 0);
            QCOMPARE(QString::fromUtf8(call.readAllStandardOutput()).trimmed(), GetComputerId());
        }
    }
#endif

    void unregisteredMethodsAnswerNotImplemented()
    {
        MethodRegistry registry;
        registry.add(QStringLiteral("EchoString"),
            [](CallContext &call) { call.setResult(call.argString(0)); });
        QVERIFY_THROWS_EXCEPTION(
            std::invalid_argument, registry.add(QStringLiteral("Uydurma"), [](CallContext &) {}));
        RpcServer partial(registry);
        QVERIFY(partial.listen(QHostAddress::LocalHost, 0));
        auto c = connection(partial.serverPort());
        c->Open();
        TServerMethods1Client proxy(c->DBXConnection());
        try {
            proxy.KayanYaziGetir();
            QFAIL("no error");
        } catch (const RemoteError &e) {
            QCOMPARE(QString::fromUtf8(e.what()),
                QStringLiteral("TServerMethods1.KayanYaziGetir is not implemented"));
        }
    }
};

QTEST_GUILESS_MAIN(TestWire)
#include "tst_wire.moc"
