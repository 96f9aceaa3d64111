#include "baglantiu.h"
#include "hextostream.h"
#include "mobilstokunit.h"
#include "wirecodec.h"
#include "wireerror.h"

#include <QtTest>

namespace {

// Through the real encoder and decoder, as a message would carry it.
WireValue overTheWire(const WireValue &value)
{
    return WireCodec::decodeValue(WireCodec::encodeValue(value));
}

WireObject objectWithout(const TransferObject &source, const QStringList &dropped)
{
    WireObject o = source.Marshal();
    o.fields.erase(std::remove_if(o.fields.begin(), o.fields.end(),
                       [&](const auto &f) { return dropped.contains(f.first); }),
        o.fields.end());
    return o;
}

} // namespace

class TestTransferObjects : public QObject
{
    Q_OBJECT

private slots:
    void sessionRecordDefaultsAndWireOrder()
    {
        TSonucBilgisi b;
        QCOMPARE(b.MusteriTipi(), 1);
        QCOMPARE(b.Version(), 1);
        QCOMPARE(b.Varmi(), false);
        QCOMPARE(b.CARINO(), 0);
        const WireObject o = b.Marshal();
        QCOMPARE(o.type, QStringLiteral("baglantiu.TSonucBilgisi"));
        QStringList names;
        for (const auto &f : o.fields)
            names << f.first;
        QCOMPARE(names.join(u','),
            QStringLiteral("FBILGISAYARID,FSaticiMail,FSirano,FCariAdi,FSIFRE,FSaticiNo,"
                           "FCARINO,FAKTIF,FKullanicimail,FADI,FSaticiTelefon,Fcarikod,"
                           "FVarmi,FSaticiAdi,FBilgiSayarAdi,FDisip,FIcip,"
                           "FBilgisayarKullanici,FMusteriTipi,FVersion"));
    }

    void sessionRecordRoundTripAndKopyala()
    {
        TSonucBilgisi b;
        b.SetBILGISAYARID(QStringLiteral("WD-ÇĞİÖŞÜ"));
        b.SetSirano(42);
        b.SetCARINO(1234);
        b.SetVarmi(true);
        b.SetMusteriTipi(2);
        b.SetVersion(7);
        b.SetADI(QStringLiteral("AYŞE"));
        auto back = TransferObject::fromWire(overTheWire(b.toWire()).toObject());
        auto *copy = dynamic_cast<TSonucBilgisi *>(back.get());
        QVERIFY(copy);
        QCOMPARE(copy->BILGISAYARID(), b.BILGISAYARID());
        QCOMPARE(copy->Sirano(), 42);
        QCOMPARE(copy->CARINO(), 1234);
        QCOMPARE(copy->Varmi(), true);
        QCOMPARE(copy->MusteriTipi(), 2);
        QCOMPARE(copy->ADI(), QStringLiteral("AYŞE"));

        // Kopyala from a fresh record resets the role and version to 1 and clears the rest.
        copy->Kopyala(TSonucBilgisi());
        QCOMPARE(copy->MusteriTipi(), 1);
        QCOMPARE(copy->Version(), 1);
        QCOMPARE(copy->BILGISAYARID(), QString());
        QCOMPARE(copy->Varmi(), false);
        QCOMPARE(copy->Sirano(), 0);
    }

    void missingFieldsKeepConstructorDefaults()
    {
        TSonucBilgisi b;
        b.SetMusteriTipi(4);
        b.SetVersion(9);
        b.SetCARINO(5);
        auto r = TransferObject::fromWire(
            objectWithout(b, { QStringLiteral("FMusteriTipi"), QStringLiteral("FVersion") }));
        auto *rec = static_cast<TSonucBilgisi *>(r.get());
        QCOMPARE(rec->MusteriTipi(), 1);
        QCOMPARE(rec->Version(), 1);
        QCOMPARE(rec->CARINO(), 5);

        TMobilStok s;
        s.SetBirim(QStringLiteral("KUTU"));
        s.SetKDV(10);
        s.SetStokNo(77);
        auto rs = TransferObject::fromWire(
            objectWithout(s, { QStringLiteral("FBirim"), QStringLiteral("FKDV") }));
        auto *stok = static_cast<TMobilStok *>(rs.get());
        QCOMPARE(stok->Birim(), QStringLiteral("ADET"));
        QCOMPARE(stok->KDV(), 20.0);
        QCOMPARE(stok->StokNo(), 77);
    }

    void kopyalaOfStockSkipsPackingCodes()
    {
        TMobilStok a;
        a.SetKod(QStringLiteral("K-1"));
        a.SetPKod(QStringLiteral("P"));
        a.SetDpKod(QStringLiteral("D"));
        a.SetFiyat(12.5);
        TMobilStok b;
        b.Kopyala(a);
        QCOMPARE(b.Kod(), QStringLiteral("K-1"));
        QCOMPARE(b.Fiyat(), 12.5);
        QCOMPARE(b.PKod(), QString());
        QCOMPARE(b.DpKod(), QString());
    }

    void nestedScreensAndListsRoundTrip()
    {
        TAcilisEkranlariki holder;
        for (int i = 0; i < 3; ++i) {
            auto e = std::make_unique<TAcilisEkran>();
            e->SetSiraNo(i);
            e->SetBaslik(QStringLiteral("Duyuru %1").arg(i));
            e->SetResim(QStringLiteral("FFD8"));
            holder.Ekranlar().push_back(std::move(e));
        }
        const WireObject o = holder.Marshal();
        // Ids are unique within the message: the holder is 1, its screens follow.
        const auto &items = o.field(u"FEkranlar")->toArray();
        QCOMPARE(items.size(), 3);
        QCOMPARE(items[2].toObject().id, qint64(4));
        auto back = TransferObject::fromWire(overTheWire(WireValue::object(o)).toObject());
        auto *h = static_cast<TAcilisEkranlariki *>(back.get());
        QCOMPARE(int(h->Ekranlar().size()), 3);
        QCOMPARE(h->Ekranlar()[1]->Baslik(), QStringLiteral("Duyuru 1"));

        TMobilSepetler baskets;
        auto line = std::make_unique<TMobilSepet>();
        line->SetTARIH(45000.0);
        line->SetMIKTAR(2.5);
        baskets.Add(std::move(line));
        auto b2 = TransferObject::fromWire(overTheWire(baskets.toWire()).toObject());
        auto *list = static_cast<TMobilSepetler *>(b2.get());
        QCOMPARE(list->Count(), 1);
        QCOMPARE(list->Items(0)->TARIH(), 45000.0);
    }

    void malformedObjectsAreRejected_data()
    {
        QTest::addColumn<QString>("json");
        QTest::newRow("unknown class") << R"({"type":"baglantiu.TYok","id":1,"fields":{}})";
        QTest::newRow("string in integer field")
            << R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FCARINO":"12"}})";
        QTest::newRow("integer beyond 32 bits")
            << R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FCARINO":8589934592}})";
        QTest::newRow("number in boolean field")
            << R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FVarmi":1}})";
        QTest::newRow("wrong class inside the screen array")
            << R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,"fields":{"FEkranlar":)"
               R"([{"type":"baglantiu.TTusSonuclari","id":2,"fields":{}}]}})";
    }
    void malformedObjectsAreRejected()
    {
        QFETCH(QString, json);
        const WireValue v = WireCodec::fromJson(QJsonDocument::fromJson(json.toUtf8()).object());
        QVERIFY_THROWS_EXCEPTION(ProtocolError, TransferObject::fromWire(v.toObject()));
    }

    void hexToStream_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QString() << QByteArray();
        QTest::newRow("pairs, both cases")
            << QStringLiteral("FFd8a0") << QByteArray("\xff\xd8\xa0");
        QTest::newRow("lone last digit is its own byte")
            << QStringLiteral("0102F") << QByteArray("\x01\x02\x0f");
    }
    void hexToStream()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        auto stream = HexToStream(text);
        QCOMPARE(stream->pos(), qint64(0));
        QCOMPARE(stream->readAll(), bytes);
    }

    void hexToStreamRejectsNonHexDigits()
    {
        QVERIFY_THROWS_EXCEPTION(ConversionError, HexToStream(QStringLiteral("0G")));
    }
};

QTEST_GUILESS_MAIN(TestTransferObjects)
#include "tst_transferobjects.moc"
