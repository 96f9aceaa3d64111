#include "distributormethods.h"

#include "baglantiu.h"
#include "distributorservice.h"
#include "methodregistry.h"
#include "mobilstokunit.h"

namespace {

const TSonucBilgisi *record(CallContext &c, int pos)
{
    return c.argObject<TSonucBilgisi>(pos);
}

DistributorService::MailFields mailFields(CallContext &c, bool withTopic)
{
    DistributorService::MailFields f;
    QString *fields[] = {&f.idsi, &f.baslik, &f.firmaadi, &f.adres1, &f.adres2, &f.ilce,
                         &f.sehir, &f.telefon, &f.fax, &f.vd, &f.vn, &f.yetkili,
                         &f.kullaniciadi, &f.sifre, &f.mail, &f.kargoambar, &f.konu};
    const int count = withTopic ? 17 : 16;
    for (int i = 0; i < count; ++i)
        *fields[i] = c.argString(i);
    return f;
}

}  // namespace

void DistributorMethods::registerAll(MethodRegistry &r, DistributorService &s)
{
    // Login and catalogue.
    r.add(QStringLiteral("BuyukGetir"),
          [&s](CallContext &c) { c.setResultObject(s.BuyukGetir(c.argString(0))); });
    r.add(QStringLiteral("StokAraGetir"), [&s](CallContext &c) {
        c.setResultPacket(s.StokAraGetir(c.argString(0), record(c, 1)));
    });
    r.add(QStringLiteral("YenilerVer2"),
          [&s](CallContext &c) { c.setResultPacket(s.YenilerVer2(c.argInt(0))); });
    r.add(QStringLiteral("KampanyaliVer2"), [&s](CallContext &c) {
        c.setResultPacket(s.KampanyaliVer2(c.argInt(0), c.argInt(1)));
    });
    r.add(QStringLiteral("ResimVer5"),
          [&s](CallContext &c) { c.setResultStream(s.ResimVer5(c.argInt(0))); });

    // Main-window content.
    r.add(QStringLiteral("BalonGetir"),
          [&s](CallContext &c) { c.setResultTable(s.BalonGetir(record(c, 0))); });
    r.add(QStringLiteral("KayanYaziGetir"),
          [&s](CallContext &c) { c.setResult(s.KayanYaziGetir()); });
    r.add(QStringLiteral("BannerResimVer"),
          [&s](CallContext &c) { c.setResultStream(s.BannerResimVer(1)); });
    r.add(QStringLiteral("BannerResimVer2"),
          [&s](CallContext &c) { c.setResultStream(s.BannerResimVer(2)); });
    r.add(QStringLiteral("BannerResimVer3"),
          [&s](CallContext &c) { c.setResultStream(s.BannerResimVer(3)); });
    r.add(QStringLiteral("AcilisReklamAdet"),
          [&s](CallContext &c) { c.setResult(s.AcilisReklamAdet()); });
    r.add(QStringLiteral("AcilisREklamVer"),
          [&s](CallContext &c) { c.setResultObject(s.AcilisREklamVer(c.argInt(0))); });
    r.add(QStringLiteral("AcilisEkranlarVer2"),
          [&s](CallContext &c) { c.setResultObject(s.AcilisEkranlarVer2()); });

    // Basket.
    r.add(QStringLiteral("SepetVer2"),
          [&s](CallContext &c) { c.setResultPacket(s.SepetVer2(c.argInt(0))); });
    r.add(QStringLiteral("CariVadeGunGecmismiBul"),
          [&s](CallContext &c) { c.setResult(s.CariVadeGunGecmismiBul(c.argInt(0))); });
    r.add(QStringLiteral("SepetEkle2"), [&s](CallContext &c) {
        c.setResult(s.SepetEkle2(record(c, 0), c.argInt(1), c.argInt(2), c.argString(3),
                                 c.argString(4), c.argDouble(5), c.argDouble(6),
                                 c.argDouble(7), c.argDouble(8), c.argInt(9), c.argInt(10),
                                 c.argDouble(11), c.argDouble(12), c.argDouble(13)));
    });
    r.add(QStringLiteral("SepetGuncelle2"), [&s](CallContext &c) {
        c.setResult(s.SepetGuncelle2(record(c, 0), c.argInt(1), c.argInt(2), c.argString(3),
                                     c.argString(4), c.argDouble(5), c.argDouble(6),
                                     c.argDouble(7), c.argDouble(8), c.argInt(9),
                                     c.argInt(10), c.argDouble(11), c.argDouble(12),
                                     c.argDouble(13)));
    });
    r.add(QStringLiteral("SepetSecimGuncelle"),
          [&s](CallContext &c) { s.SepetSecimGuncelle(c.argInt(0), c.argInt(1)); });
    r.add(QStringLiteral("SepetSatirSil"), [&s](CallContext &c) {
        c.setResult(s.SepetSatirSil(record(c, 0), c.argInt(1), c.argString(2)));
    });
    r.add(QStringLiteral("SepetHepsiniSil"),
          [&s](CallContext &c) { c.setResult(s.SepetHepsiniSil(record(c, 0))); });

    // Sending the order.
    r.add(QStringLiteral("TeslimVer"),
          [&s](CallContext &c) { c.setResultTable(s.TeslimVer()); });
    r.add(QStringLiteral("KargoVer"), [&s](CallContext &c) { c.setResultTable(s.KargoVer()); });
    r.add(QStringLiteral("KargolarVer"),
          [&s](CallContext &c) { c.setResultTable(s.KargolarVer(c.argInt(0))); });
    r.add(QStringLiteral("SiparisKaydet"), [&s](CallContext &c) {
        c.setResult(s.SiparisKaydet(record(c, 0), c.argInt(1), c.argInt(2), c.argInt(3),
                                    c.argString(4), c.argInt(5), c.argInt(6)));
    });

    // Orders, back orders, stock history.
    r.add(QStringLiteral("OncekiSiparisler"),
          [&s](CallContext &c) { c.setResultTable(s.OncekiSiparisler(c.argInt(0))); });
    r.add(QStringLiteral("SiparisAyrintisi2"), [&s](CallContext &c) {
        c.setResultTable(s.SiparisAyrintisi2(c.argInt(0), c.argInt(1)));
    });
    r.add(QStringLiteral("SiparisAytintisiDip"), [&s](CallContext &c) {
        c.setResultObject(s.SiparisAytintisiDip(c.argInt(0), c.argInt(1)));
    });
    r.add(QStringLiteral("BakiyelerVer2"),
          [&s](CallContext &c) { c.setResultTable(s.BakiyelerVer2(c.argInt(0))); });
    r.add(QStringLiteral("BakiyeDuzenle"), [&s](CallContext &c) {
        c.setResult(s.BakiyeDuzenle(record(c, 0), c.argInt(1), c.argInt(2), c.argInt(3),
                                    c.argDouble(4), c.argDouble(5), c.argString(6)));
    });
    r.add(QStringLiteral("BakiyeDegistir"), [&s](CallContext &c) {
        c.setResult(s.BakiyeDegistir(record(c, 0), c.argInt(1), c.argInt(2), c.argInt(3),
                                     c.argDouble(4), c.argDouble(5), c.argString(6)));
    });
    r.add(QStringLiteral("BakiyeFiyatDegistir"), [&s](CallContext &c) {
        c.setResult(s.BakiyeFiyatDegistir(record(c, 0), c.argInt(1), c.argInt(2), c.argInt(3),
                                          c.argDouble(4), c.argDouble(5), c.argString(6),
                                          c.argDouble(7), c.argDouble(8)));
    });
    r.add(QStringLiteral("TumSiparislerVer"), [&s](CallContext &c) {
        c.setResultTable(s.TumSiparislerVer(c.argInt(0), c.argInt(1)));
    });
    r.add(QStringLiteral("StokHareketVer"), [&s](CallContext &c) {
        c.setResultPacket(s.StokHareketVer(c.argInt(0), c.argInt(1)));
    });

    // Account statement and documents.
    r.add(QStringLiteral("CariEkstreVer"),
          [&s](CallContext &c) { c.setResultTable(s.CariEkstreVer(c.argInt(0))); });
    r.add(QStringLiteral("FaturaGetir"), [&s](CallContext &c) {
        c.setResultTable(s.FaturaGetir(c.argInt(0), c.argInt(1)));
    });
    r.add(QStringLiteral("FaturaAltGetir"),
          [&s](CallContext &c) { c.setResultTable(s.FaturaAltGetir(c.argInt(0))); });
    r.add(QStringLiteral("Tahsilat"),
          [&s](CallContext &c) { c.setResultTable(s.Tahsilat(c.argInt(0))); });
    r.add(QStringLiteral("SanalposSiranoVer"),
          [&s](CallContext &c) { c.setResult(s.SanalposSiranoVer(c.argInt(0))); });
    r.add(QStringLiteral("SAnalPosPdfVer"),
          [&s](CallContext &c) { c.setResultStream(s.SAnalPosPdfVer(c.argInt(0))); });
    r.add(QStringLiteral("CariDurumVer"),
          [&s](CallContext &c) { c.setResult(s.CariDurumVer(c.argInt(0))); });

    // Reports and customer selection.
    r.add(QStringLiteral("RaporAlinanSiparisler"), [&s](CallContext &c) {
        c.setResultTable(
            s.RaporAlinanSiparisler(record(c, 0), c.argDouble(1), c.argDouble(2)));
    });
    r.add(QStringLiteral("RaporEnCokSatilanStoklar"), [&s](CallContext &c) {
        c.setResultTable(
            s.RaporEnCokSatilanStoklar(record(c, 0), c.argDouble(1), c.argDouble(2)));
    });
    r.add(QStringLiteral("RaporGetir"), [&s](CallContext &c) {
        c.setResultStream(s.RaporGetir(c.argInt(0), c.argInt(1), c.argInt(2), c.argInt(3),
                                       c.argString(4), c.argDouble(5), c.argDouble(6)));
    });
    r.add(QStringLiteral("CariAra"), [&s](CallContext &c) {
        c.setResultTable(s.CariAra(record(c, 0), c.argString(1)));
    });
    r.add(QStringLiteral("CariSepetVer"), [&s](CallContext &c) {
        c.setResultTable(s.CariSepetVer(record(c, 0), c.argInt(1)));
    });
    r.add(QStringLiteral("SepetSayisi"),
          [&s](CallContext &c) { c.setResult(s.SepetSayisi(record(c, 0))); });
    r.add(QStringLiteral("TusSonuclariVer"),
          [&s](CallContext &c) { c.setResultObject(s.TusSonuclariVer(record(c, 0))); });

    // Requests and mail.
    r.add(QStringLiteral("MobilCariBilgisiGetir"), [&s](CallContext &c) {
        c.setResultObject(s.MobilCariBilgisiGetir(c.argInt(0), c.argString(1)));
    });
    r.add(QStringLiteral("MailGonserCari"),
          [&s](CallContext &c) { c.setResult(s.MailGonserCari(mailFields(c, false))); });
    r.add(QStringLiteral("MailGonserCariNormal"),
          [&s](CallContext &c) { c.setResult(s.MailGonserCariNormal(mailFields(c, true))); });
}
