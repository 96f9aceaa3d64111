#include "answerfields.h"
#include "baglantiu.h"
#include "demogenerator.h"
#include "distributorservice.h"
#include "mobilstokunit.h"
#include "pricing.h"
#include "serviceerror.h"
#include "sqlitestorage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The business rules on a small demo data set, without the wire.
class TestDistributorService : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void lineAmounts_data();
    void lineAmounts();
    void loginRecord();
    void answersKeepTheirColumnsWhenEmpty();
    void dealerAddsAtTheDistributorsPrice();
    void basketRejectsBadInput_data();
    void basketRejectsBadInput();
    void refusesOtherAccounts_data();
    void refusesOtherAccounts();
    void orderTakesSelectedLinesOnce();
    void backOrderChanges();
    void statementRunsInDateOrder();
    void documentsArePdf();
    void mailLandsInOutbox();

private:
    std::unique_ptr<TSonucBilgisi> session(const QString &machine)
    {
        return m_service->BuyukGetir(machine);
    }
    int firstStockOf(const Dataset &rows)
    {
        return int(rows.FieldByName(QStringLiteral("STOK_STOKNO")).intAt(0));
    }

    QTemporaryDir m_dir;
    std::unique_ptr<SqliteStorage> m_storage;
    std::unique_ptr<DistributorService> m_service;
};

void TestDistributorService::initTestCase()
{
    m_storage = std::make_unique<SqliteStorage>(m_dir.filePath(QStringLiteral("t.db")));
    DemoGenerator::Options options;
    options.small = true;
    options.stockItems = 200;
    DemoGenerator(*m_storage, options).run();
    m_service = std::make_unique<DistributorService>(
        *m_storage, DistributorService::Options{m_dir.filePath(QStringLiteral("outbox")), 1});
}

void TestDistributorService::lineAmounts_data()
{
    QTest::addColumn<double>("quantity");
    QTest::addColumn<double>("price");
    QTest::addColumn<double>("d1");
    QTest::addColumn<double>("d2");
    QTest::addColumn<double>("gross");
    QTest::addColumn<double>("discount");
    QTest::addColumn<double>("netUnit");
    QTest::addColumn<double>("tax");
    QTest::newRow("cascaded 10 then 5") << 3.0 << 100.0 << 10.0 << 5.0 << 300.0 << 43.5 << 85.5
                                        << 51.3;
    QTest::newRow("no discount") << 2.0 << 12.345 << 0.0 << 0.0 << 24.69 << 0.0 << 12.35
                                 << 4.94;
    QTest::newRow("half cent rounds up") << 1.0 << 1.005 << 0.0 << 0.0 << 1.01 << 0.0 << 1.01
                                         << 0.2;
}

void TestDistributorService::lineAmounts()
{
    QFETCH(double, quantity);
    QFETCH(double, price);
    QFETCH(double, d1);
    QFETCH(double, d2);
    const LineAmounts a = Pricing::line(quantity, price, 20, {d1, d2, 0, 0});
    QTEST(a.gross, "gross");
    QTEST(a.discount, "discount");
    QTEST(a.netUnit, "netUnit");
    QTEST(a.tax, "tax");
    QCOMPARE(a.net, Pricing::round2(a.gross - a.discount));
}

void TestDistributorService::loginRecord()
{
    const auto dealer = session(QStringLiteral(" demo-bayi-pc "));
    QVERIFY(dealer->Varmi());
    QCOMPARE(dealer->Version(), 1);
    QCOMPARE(dealer->ADI(), QStringLiteral("DEMO"));
    QCOMPARE(dealer->AKTIF(), 1);
    QCOMPARE(dealer->CARINO(), 1);
    QVERIFY(!dealer->SaticiAdi().isEmpty());

    const auto unknown = session(QStringLiteral("NOBODY"));
    QVERIFY(!unknown->Varmi());
    QCOMPARE(unknown->Version(), 1);
    QCOMPARE(session(QString())->Varmi(), false);
}

void TestDistributorService::answersKeepTheirColumnsWhenEmpty()
{
    const auto dealer = session(DemoGenerator::dealerMachine());
    struct Case
    {
        DatasetPtr rows;
        const QVector<FieldDef> &fields;
    };
    const Case cases[] = {
        {m_service->StokAraGetir(QStringLiteral("ZZZQQQ"), dealer.get()),
         AnswerFields::stockFields()},
        {m_service->KampanyaliVer2(1, 4), AnswerFields::stockFields()},
        {m_service->BakiyelerVer2(0), AnswerFields::orderLineFields()},
        {m_service->StokHareketVer(1, 199), AnswerFields::stockMovementFields()},
    };
    for (const Case &c : cases) {
        QCOMPARE(c.rows->FieldDefs().size(), c.fields.size());
        for (int i = 0; i < c.fields.size(); ++i) {
            QCOMPARE(c.rows->Fields(i).FieldName(), c.fields[i].name);
            QCOMPARE(c.rows->Fields(i).DataType(), c.fields[i].type);
        }
    }
}

void TestDistributorService::dealerAddsAtTheDistributorsPrice()
{
    const auto dealer = session(DemoGenerator::dealerMachine());
    const int stock = 150;
    const StockRecord item = *m_storage->stock(stock);
    // A dealer's price and discounts come from the stock, whatever the dialog sent.
    QCOMPARE(m_service->SepetEkle2(dealer.get(), 1, stock, item.code, item.name, 3, 18, 0.01,
                                   99, dealer->Sirano(), 0, 0, 0, 0),
             1);
    auto basket = m_service->SepetVer2(1);
    QVERIFY(basket->Locate(QStringLiteral("STOKNO"), stock));
    QCOMPARE(basket->FieldByName(QStringLiteral("BIRIMFIYAT")).AsFloat(), item.price);
    QCOMPARE(basket->FieldByName(QStringLiteral("KDV")).AsFloat(), item.vat);
    QCOMPARE(basket->FieldByName(QStringLiteral("SEC")).AsInteger(), 1);
    const LineAmounts expected = Pricing::line(3, item.price, item.vat, item.discounts);
    QCOMPARE(basket->FieldByName(QStringLiteral("NETTUTAR")).AsFloat(), expected.net);
    QCOMPARE(basket->FieldByName(QStringLiteral("VERGITUTARI")).AsFloat(), expected.tax);
    const int line = basket->FieldByName(QStringLiteral("SIRANO")).AsInteger();

    // Adding the same stock again changes the one line; an update keeps the selection.
    m_service->SepetSecimGuncelle(line, 0);
    QCOMPARE(m_service->SepetEkle2(dealer.get(), 1, stock, {}, {}, 5, 20, 1, 0,
                                   dealer->Sirano(), 0, 0, 0, 0),
             1);
    QCOMPARE(m_service->SepetGuncelle2(dealer.get(), 1, 0, {}, {}, 7, 20, 1, 0,
                                       dealer->Sirano(), line, 0, 0, 0),
             1);
    basket = m_service->SepetVer2(1);
    QVERIFY(basket->Locate(QStringLiteral("SIRANO"), line));
    QCOMPARE(basket->FieldByName(QStringLiteral("MIKTAR")).AsFloat(), 7.0);
    QCOMPARE(basket->FieldByName(QStringLiteral("SEC")).AsInteger(), 0);
    QCOMPARE(basket->FieldByName(QStringLiteral("BIRIMFIYAT")).AsFloat(), item.price);
    m_service->SepetSatirSil(dealer.get(), line, QStringLiteral("X-Y"));
    QVERIFY(!m_service->SepetVer2(1)->Locate(QStringLiteral("SIRANO"), line));
}

void TestDistributorService::basketRejectsBadInput_data()
{
    QTest::addColumn<double>("quantity");
    QTest::newRow("zero") << 0.0;
    QTest::newRow("negative") << -2.0;
    QTest::newRow("not a number") << qQNaN();
}

void TestDistributorService::basketRejectsBadInput()
{
    QFETCH(double, quantity);
    const auto dealer = session(DemoGenerator::dealerMachine());
    const int before = m_storage->basketLineCount(1);
    QCOMPARE(m_service->SepetEkle2(dealer.get(), 1, 160, {}, {}, quantity, 20, 10, 0,
                                   dealer->Sirano(), 0, 0, 0, 0),
             0);
    QCOMPARE(m_storage->basketLineCount(1), before);
    QVERIFY_THROWS_EXCEPTION(ServiceError, m_service->SepetSecimGuncelle(987654, 1));
    QVERIFY_THROWS_EXCEPTION(ServiceError, m_service->SepetSecimGuncelle(1, 2));
    QVERIFY_THROWS_EXCEPTION(ServiceError,
                             m_service->SepetEkle2(dealer.get(), 1, 999999, {}, {}, 1, 20, 1, 0,
                                                   dealer->Sirano(), 0, 0, 0, 0));
}

void TestDistributorService::refusesOtherAccounts_data()
{
    QTest::addColumn<QString>("machine");
    QTest::addColumn<int>("account");
    QTest::newRow("dealer for another account") << DemoGenerator::dealerMachine() << 2;
    QTest::newRow("rep for an account of the other rep") << DemoGenerator::repMachine() << 3;
    QTest::newRow("unknown account") << DemoGenerator::repMachine() << 4242;
}

void TestDistributorService::refusesOtherAccounts()
{
    QFETCH(QString, machine);
    QFETCH(int, account);
    auto record = session(machine);
    record->SetCARINO(account);
    QVERIFY_THROWS_EXCEPTION(ServiceError,
                             m_service->SepetEkle2(record.get(), account, 10, {}, {}, 1, 20, 1,
                                                   0, record->Sirano(), 0, 0, 0, 0));
    QVERIFY_THROWS_EXCEPTION(ServiceError, m_service->SepetHepsiniSil(record.get()));
    QVERIFY_THROWS_EXCEPTION(ServiceError, m_service->BalonGetir(record.get()));

    // A record with a wrong password is no proof of the user.
    auto forged = session(DemoGenerator::dealerMachine());
    forged->SetSIFRE(QStringLiteral("WRONG"));
    QVERIFY_THROWS_EXCEPTION(ServiceError, m_service->SepetHepsiniSil(forged.get()));
}

void TestDistributorService::orderTakesSelectedLinesOnce()
{
    auto rep = session(DemoGenerator::repMachine());
    rep->SetCARINO(2);  // served by the first representative
    m_service->SepetHepsiniSil(rep.get());
    for (int stock : {20, 21, 22})
        QCOMPARE(m_service->SepetEkle2(rep.get(), 2, stock, {}, {}, 2, 20, 100, 10,
                                       rep->Sirano(), 0, 5, 0, 0),
                 1);
    auto basket = m_service->SepetVer2(2);
    QCOMPARE(basket->RecordCount(), 3);
    // A representative's own price and discounts are kept.
    QCOMPARE(basket->FieldByName(QStringLiteral("NETBIRIMFIYAT")).floatAt(0), 85.5);
    const int unselected = int(basket->FieldByName(QStringLiteral("SIRANO")).intAt(2));
    m_service->SepetSecimGuncelle(unselected, 0);
    const int ordersBefore = m_service->OncekiSiparisler(2)->RecordCount();

    QVERIFY(m_service->SiparisKaydet(rep.get(), 2, 2, 1, QStringLiteral("Not\r\nikinci satır"),
                                     rep->Sirano(), 1));
    // Sent again after a lost answer: nothing selected is left, nothing new is made.
    QVERIFY(!m_service->SiparisKaydet(rep.get(), 2, 2, 1, QString(), rep->Sirano(), 1));

    auto orders = m_service->OncekiSiparisler(2);
    QCOMPARE(orders->RecordCount(), ordersBefore + 1);
    const int orderId = int(orders->FieldByName(QStringLiteral("IDNO")).intAt(0));
    QCOMPARE(orders->FieldByName(QStringLiteral("DURUM")).stringAt(0), QStringLiteral("Alındı"));
    QCOMPARE(orders->FieldByName(QStringLiteral("NETTUTAR")).floatAt(0), 342.0);
    QCOMPARE(m_service->SiparisAyrintisi2(2, orderId)->RecordCount(), 2);
    const auto footer = m_service->SiparisAytintisiDip(0, orderId);
    QCOMPARE(footer->SizinMesaj(), QStringLiteral("Not\r\nikinci satır"));
    QCOMPARE(footer->TeslimCinsi(), QStringLiteral("Kargo ile Gönderim"));
    QCOMPARE(footer->KargoCinsi(), QStringLiteral("Anlaşmalı Kargo"));
    QCOMPARE(footer->Kargo(), QStringLiteral("Hızır Kargo"));
    QCOMPARE(footer->Veren(), QStringLiteral("SATICI1"));
    basket = m_service->SepetVer2(2);
    QCOMPARE(basket->RecordCount(), 1);
    QCOMPARE(int(basket->FieldByName(QStringLiteral("SIRANO")).intAt(0)), unselected);
    QVERIFY_THROWS_EXCEPTION(ServiceError, m_service->SiparisAyrintisi2(1, orderId));
    QVERIFY_THROWS_EXCEPTION(ServiceError, m_service->SiparisKaydet(rep.get(), 2, 99, 1, {},
                                                                    rep->Sirano(), 1));
    QVERIFY_THROWS_EXCEPTION(ServiceError, m_service->SiparisKaydet(rep.get(), 2, 2, 1, {},
                                                                    rep->Sirano(), 3));
}

void TestDistributorService::backOrderChanges()
{
    auto rep2 = session(DemoGenerator::rep2Machine());
    rep2->SetCARINO(3);
    auto rows = m_service->BakiyelerVer2(3);
    QVERIFY(rows->RecordCount() >= 2);
    const auto field = [&](const char *name, int row) {
        return rows->FieldByName(QString::fromLatin1(name)).floatAt(row);
    };
    const int sirano = int(field("SIRANO", 0));
    const int line = int(field("STOKHAR_NO", 0));
    QCOMPARE(field("KALAN", 0), field("MIKTAR", 0) - field("TESLIMEDILEN", 0));

    m_service->BakiyeDegistir(rep2.get(), 0, sirano, line, 1, 1, {});
    m_service->BakiyeFiyatDegistir(rep2.get(), 0, sirano, line, 1, 1, {}, 200, 10);
    rows = m_service->BakiyelerVer2(3);
    QVERIFY(rows->Locate(QStringLiteral("STOKHAR_NO"), line));
    QCOMPARE(rows->FieldByName(QStringLiteral("KALAN")).AsFloat(), 1.0);
    QCOMPARE(rows->FieldByName(QStringLiteral("BIRIMFIYAT")).AsFloat(), 200.0);
    QCOMPARE(rows->FieldByName(QStringLiteral("INDIRIMORANI1")).AsFloat(), 10.0);
    QVERIFY(rows->FieldByName(QStringLiteral("ILKFIYAT")).AsFloat() != 200.0);

    m_service->BakiyeDuzenle(rep2.get(), 0, sirano, line, 1, 1, {});
    QVERIFY(!m_service->BakiyelerVer2(3)->Locate(QStringLiteral("STOKHAR_NO"), line));

    // Only role 2 changes prices; a wrong line pair is refused.
    auto rep1 = session(DemoGenerator::repMachine());
    rep1->SetCARINO(2);
    auto rows2 = m_service->BakiyelerVer2(2);
    QVERIFY(rows2->RecordCount() > 0);
    const int line2 = int(rows2->FieldByName(QStringLiteral("STOKHAR_NO")).intAt(0));
    QVERIFY_THROWS_EXCEPTION(ServiceError, m_service->BakiyeFiyatDegistir(
                                               rep1.get(), 0, 0, line2, 1, 1, {}, 1, 0));
    QVERIFY_THROWS_EXCEPTION(ServiceError, m_service->BakiyeDegistir(rep1.get(), 0, 0, line, 1,
                                                                     1, {}));
    QVERIFY_THROWS_EXCEPTION(ServiceError, m_service->BakiyeDegistir(rep1.get(), 0, 0, line2, 1,
                                                                     -3, {}));
}

void TestDistributorService::statementRunsInDateOrder()
{
    auto rows = m_service->CariEkstreVer(1);
    QVERIFY(rows->RecordCount() > 3);
    double balance = 0;
    for (int r = 0; r < rows->RecordCount(); ++r) {
        if (r > 0)
            QVERIFY(rows->FieldByName(QStringLiteral("TARIH")).floatAt(r)
                    >= rows->FieldByName(QStringLiteral("TARIH")).floatAt(r - 1));
        balance += rows->FieldByName(QStringLiteral("BORC")).floatAt(r)
                   - rows->FieldByName(QStringLiteral("ALACAK")).floatAt(r);
        QCOMPARE(rows->FieldByName(QStringLiteral("BAKIYE")).floatAt(r), Pricing::round2(balance));
        const QString kind = rows->FieldByName(QStringLiteral("TURADI")).stringAt(r);
        const int id = int(rows->FieldByName(QStringLiteral("IDNO")).intAt(r));
        if (kind.contains(QStringLiteral("Fatura"))) {
            QVERIFY(m_service->FaturaGetir(1, id)->RecordCount() > 0);
            QCOMPARE(m_service->FaturaAltGetir(id)->RecordCount(), 1);
        } else if (kind == QStringLiteral("Tahsilat")) {
            QCOMPARE(m_service->Tahsilat(id)->RecordCount(), 1);
        }
    }
    QCOMPARE(m_service->CariDurumVer(1), QString::number(Pricing::round2(balance), 'f', 2));
    QVERIFY_THROWS_EXCEPTION(ServiceError, m_service->FaturaGetir(2, 1));
}

void TestDistributorService::documentsArePdf()
{
    int receipt = 0;
    for (int id = 1; id < 20 && receipt == 0; ++id)
        receipt = m_service->SanalposSiranoVer(id);
    QVERIFY(receipt > 0);
    QVERIFY(m_service->SAnalPosPdfVer(receipt).startsWith("%PDF"));
    const auto rep = session(DemoGenerator::repMachine());
    const double day = dateToDayNumber(QDate::currentDate());
    QVERIFY(m_service->RaporGetir(6, 6, rep->Sirano(), 2, QStringLiteral("X"), day, day)
                .startsWith("%PDF"));
    QVERIFY(m_service->RaporGetir(6, 6, rep->Sirano(), 0, QStringLiteral("."), day, day)
                .startsWith("%PDF"));
    QVERIFY(m_service->RaporGetir(7, 7, rep->Sirano(), 2, QStringLiteral("X"), day - 365, day)
                .startsWith("%PDF"));
    QVERIFY_THROWS_EXCEPTION(ServiceError, m_service->RaporGetir(6, 6, rep->Sirano(), 3, {},
                                                                 day, day));
}

void TestDistributorService::mailLandsInOutbox()
{
    DistributorService::MailFields f;
    f.idsi = DemoGenerator::dealerMachine();
    f.baslik = QStringLiteral("Sipariş hakkında");
    f.konu = QStringLiteral("Merhaba,\"Sipariş 12\",\"a \"\"b\"\"\"");
    m_service->MailGonserCariNormal(f);
    const auto mails = m_storage->mails();
    QVERIFY(!mails.empty());
    const MailRecord &m = mails.back();
    QVERIFY(m.body.endsWith(QStringLiteral("Merhaba\nSipariş 12\na \"b\"")));
    QFile eml(m.emlPath);
    QVERIFY(eml.open(QIODevice::ReadOnly));
    const QByteArray text = eml.readAll();
    QVERIFY(text.contains("Subject: =?UTF-8?B?"));
    QVERIFY(text.contains("Content-Transfer-Encoding: base64"));
    f.baslik = QStringLiteral("  ");
    QVERIFY_THROWS_EXCEPTION(ServiceError, m_service->MailGonserCariNormal(f));
}

QTEST_MAIN(TestDistributorService)
#include "tst_distributorservice.moc"
