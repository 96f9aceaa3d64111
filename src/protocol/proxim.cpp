#include "proxim.h"

#include "dbxconnection.h"
#include "wireerror.h"
#include "wiretable.h"

#include <QBuffer>

TServerMethods1Client::TServerMethods1Client(DbxConnection *connection, bool instanceOwner)
    : FDBXConnection(connection)
    , FInstanceOwner(instanceOwner)
{
    if (!FDBXConnection)
        throw InvalidOperation(
            QStringLiteral("Connection cannot be nil.  Make sure the connection has been opened."));
}

TServerMethods1Client::~TServerMethods1Client() = default;

DbxCommand &TServerMethods1Client::command(const QString &name)
{
    auto &slot = m_commands[name];
    if (!slot) {
        auto c = FDBXConnection->CreateCommand();
        c->SetCommandType(QStringLiteral("DataSnap.ServerMethod"));
        c->SetText(QLatin1String(MethodCatalogue::kServerClass) + QLatin1Char('.') + name);
        c->Prepare();
        slot = std::move(c);
    }
    return *slot;
}

void TServerMethods1Client::bindObject(DbxCommand &c, int position, TransferObject *object)
{
    std::unique_ptr<TransferObject> owned(FInstanceOwner ? object : nullptr);
    c.Parameters()[position] = object ? object->toWire() : WireValue();
}

template <typename T> T *TServerMethods1Client::keep(DbxCommand &c, std::unique_ptr<T> result)
{
    if (FInstanceOwner)
        return c.FreeOnExecute(std::move(result));
    return result.release();
}

template <typename T> T *TServerMethods1Client::objectResult(DbxCommand &c, int position)
{
    const WireValue &v = c.Parameters()[position];
    if (v.isNull())
        return nullptr;
    auto object = TransferObject::fromWire(v.toObject());
    std::unique_ptr<T> typed(dynamic_cast<T *>(object.get()));
    if (!typed)
        throw ProtocolError(QStringLiteral("Unexpected class %1").arg(v.toObject().type));
    object.release();
    return keep(c, std::move(typed));
}

std::shared_ptr<const WireTable> TServerMethods1Client::tableOrNull(DbxCommand &c, int position)
{
    const WireValue &v = c.Parameters()[position];
    return v.isNull() ? nullptr : v.toTable();
}

DbxReader *TServerMethods1Client::readerResult(DbxCommand &c, int position)
{
    auto table = tableOrNull(c, position);
    if (!table)
        return nullptr;
    return keep(c, std::make_unique<DbxReader>(std::move(table)));
}

QIODevice *TServerMethods1Client::streamResult(DbxCommand &c, int position)
{
    const WireValue &v = c.Parameters()[position];
    if (v.isNull())
        return nullptr;
    auto stream = std::make_unique<QBuffer>();
    stream->setData(v.toBytes());
    stream->open(QIODevice::ReadOnly);
    return keep(c, std::unique_ptr<QIODevice>(std::move(stream)));
}

QString TServerMethods1Client::EchoString(const QString &Value)
{
    DbxCommand &c = command(QStringLiteral("EchoString"));
    c.Parameters()[0] = WireValue(Value);
    c.ExecuteUpdate();
    return c.Parameters()[1].toString();
}

QString TServerMethods1Client::ReverseString(const QString &Value)
{
    DbxCommand &c = command(QStringLiteral("ReverseString"));
    c.Parameters()[0] = WireValue(Value);
    c.ExecuteUpdate();
    return c.Parameters()[1].toString();
}

TSonucBilgisi *TServerMethods1Client::BuyukGetir(const QString &idsi)
{
    DbxCommand &c = command(QStringLiteral("BuyukGetir"));
    c.Parameters()[0] = WireValue(idsi);
    c.ExecuteUpdate();
    return objectResult<TSonucBilgisi>(c, 1);
}

DataPacket TServerMethods1Client::StokAraGetir(const QString &kod, TSonucBilgisi *bilgi)
{
    DbxCommand &c = command(QStringLiteral("StokAraGetir"));
    c.Parameters()[0] = WireValue(kod);
    bindObject(c, 1, bilgi);
    c.ExecuteUpdate();
    return DataPacket(tableOrNull(c, 2));
}

QIODevice *TServerMethods1Client::ResimVer5(int stokno, qint64 &boy)
{
    DbxCommand &c = command(QStringLiteral("ResimVer5"));
    c.Parameters()[0] = WireValue(stokno);
    c.ExecuteUpdate();
    boy = c.Parameters()[1].toInteger();
    return streamResult(c, 2);
}

int TServerMethods1Client::SepetEkle2(TSonucBilgisi *bilgim, int carino, int stokno,
    const QString &barkod, const QString &stokadi, double miktar, double kdv, double fiyat,
    double ind1, int verenid, int k, double ind2, double ind3, double ind4)
{
    DbxCommand &c = command(QStringLiteral("SepetEkle2"));
    bindObject(c, 0, bilgim);
    c.Parameters()[1] = WireValue(carino);
    c.Parameters()[2] = WireValue(stokno);
    c.Parameters()[3] = WireValue(barkod);
    c.Parameters()[4] = WireValue(stokadi);
    c.Parameters()[5] = WireValue(miktar);
    c.Parameters()[6] = WireValue(kdv);
    c.Parameters()[7] = WireValue(fiyat);
    c.Parameters()[8] = WireValue(ind1);
    c.Parameters()[9] = WireValue(verenid);
    c.Parameters()[10] = WireValue(k);
    c.Parameters()[11] = WireValue(ind2);
    c.Parameters()[12] = WireValue(ind3);
    c.Parameters()[13] = WireValue(ind4);
    c.ExecuteUpdate();
    return int(c.Parameters()[14].toInteger());
}

int TServerMethods1Client::SepetGuncelle2(TSonucBilgisi *bilgim, int carino, int stokno,
    const QString &barkod, const QString &stokadi, double miktar, double kdv, double fiyat,
    double ind1, int verenid, int _sepetsirano, double ind2, double ind3, double ind4)
{
    DbxCommand &c = command(QStringLiteral("SepetGuncelle2"));
    bindObject(c, 0, bilgim);
    c.Parameters()[1] = WireValue(carino);
    c.Parameters()[2] = WireValue(stokno);
    c.Parameters()[3] = WireValue(barkod);
    c.Parameters()[4] = WireValue(stokadi);
    c.Parameters()[5] = WireValue(miktar);
    c.Parameters()[6] = WireValue(kdv);
    c.Parameters()[7] = WireValue(fiyat);
    c.Parameters()[8] = WireValue(ind1);
    c.Parameters()[9] = WireValue(verenid);
    c.Parameters()[10] = WireValue(_sepetsirano);
    c.Parameters()[11] = WireValue(ind2);
    c.Parameters()[12] = WireValue(ind3);
    c.Parameters()[13] = WireValue(ind4);
    c.ExecuteUpdate();
    return int(c.Parameters()[14].toInteger());
}

DataPacket TServerMethods1Client::YenilerVer2(int carino)
{
    DbxCommand &c = command(QStringLiteral("YenilerVer2"));
    c.Parameters()[0] = WireValue(carino);
    c.ExecuteUpdate();
    return DataPacket(tableOrNull(c, 1));
}

DataPacket TServerMethods1Client::KampanyaliVer2(int cario, int satici)
{
    DbxCommand &c = command(QStringLiteral("KampanyaliVer2"));
    c.Parameters()[0] = WireValue(cario);
    c.Parameters()[1] = WireValue(satici);
    c.ExecuteUpdate();
    return DataPacket(tableOrNull(c, 2));
}

TAcilisEkranlariki *TServerMethods1Client::AcilisEkranlarVer2()
{
    DbxCommand &c = command(QStringLiteral("AcilisEkranlarVer2"));
    c.ExecuteUpdate();
    return objectResult<TAcilisEkranlariki>(c, 0);
}

DbxReader *TServerMethods1Client::BalonGetir(TSonucBilgisi *bil)
{
    DbxCommand &c = command(QStringLiteral("BalonGetir"));
    bindObject(c, 0, bil);
    c.ExecuteUpdate();
    return readerResult(c, 1);
}

QString TServerMethods1Client::KayanYaziGetir()
{
    DbxCommand &c = command(QStringLiteral("KayanYaziGetir"));
    c.ExecuteUpdate();
    return c.Parameters()[0].toString();
}

QIODevice *TServerMethods1Client::BannerResimVer(qint64 &size)
{
    DbxCommand &c = command(QStringLiteral("BannerResimVer"));
    c.ExecuteUpdate();
    size = c.Parameters()[0].toInteger();
    return streamResult(c, 1);
}

QIODevice *TServerMethods1Client::BannerResimVer2(qint64 &size)
{
    DbxCommand &c = command(QStringLiteral("BannerResimVer2"));
    c.ExecuteUpdate();
    size = c.Parameters()[0].toInteger();
    return streamResult(c, 1);
}

QIODevice *TServerMethods1Client::BannerResimVer3(qint64 &size)
{
    DbxCommand &c = command(QStringLiteral("BannerResimVer3"));
    c.ExecuteUpdate();
    size = c.Parameters()[0].toInteger();
    return streamResult(c, 1);
}

int TServerMethods1Client::AcilisReklamAdet()
{
    DbxCommand &c = command(QStringLiteral("AcilisReklamAdet"));
    c.ExecuteUpdate();
    return int(c.Parameters()[0].toInteger());
}

TAcilisEkran *TServerMethods1Client::AcilisREklamVer(int sira)
{
    DbxCommand &c = command(QStringLiteral("AcilisREklamVer"));
    c.Parameters()[0] = WireValue(sira);
    c.ExecuteUpdate();
    return objectResult<TAcilisEkran>(c, 1);
}

DataPacket TServerMethods1Client::SepetVer2(int carino)
{
    DbxCommand &c = command(QStringLiteral("SepetVer2"));
    c.Parameters()[0] = WireValue(carino);
    c.ExecuteUpdate();
    return DataPacket(tableOrNull(c, 1));
}

QString TServerMethods1Client::CariVadeGunGecmismiBul(int carino)
{
    DbxCommand &c = command(QStringLiteral("CariVadeGunGecmismiBul"));
    c.Parameters()[0] = WireValue(carino);
    c.ExecuteUpdate();
    return c.Parameters()[1].toString();
}

int TServerMethods1Client::SepetSatirSil(
    TSonucBilgisi *bilgi, int satirno, const QString &aciklamam)
{
    DbxCommand &c = command(QStringLiteral("SepetSatirSil"));
    bindObject(c, 0, bilgi);
    c.Parameters()[1] = WireValue(satirno);
    c.Parameters()[2] = WireValue(aciklamam);
    c.ExecuteUpdate();
    return int(c.Parameters()[3].toInteger());
}

int TServerMethods1Client::SepetHepsiniSil(TSonucBilgisi *bilgi)
{
    DbxCommand &c = command(QStringLiteral("SepetHepsiniSil"));
    bindObject(c, 0, bilgi);
    c.ExecuteUpdate();
    return int(c.Parameters()[1].toInteger());
}

void TServerMethods1Client::SepetSecimGuncelle(int sirano, int secim)
{
    DbxCommand &c = command(QStringLiteral("SepetSecimGuncelle"));
    c.Parameters()[0] = WireValue(sirano);
    c.Parameters()[1] = WireValue(secim);
    c.ExecuteUpdate();
}

DbxReader *TServerMethods1Client::TeslimVer()
{
    DbxCommand &c = command(QStringLiteral("TeslimVer"));
    c.ExecuteUpdate();
    return readerResult(c, 0);
}

DbxReader *TServerMethods1Client::KargoVer()
{
    DbxCommand &c = command(QStringLiteral("KargoVer"));
    c.ExecuteUpdate();
    return readerResult(c, 0);
}

DbxReader *TServerMethods1Client::KargolarVer(int gn)
{
    DbxCommand &c = command(QStringLiteral("KargolarVer"));
    c.Parameters()[0] = WireValue(gn);
    c.ExecuteUpdate();
    return readerResult(c, 1);
}

bool TServerMethods1Client::SiparisKaydet(TSonucBilgisi *BB, int _carino, int _teslim, int _kargo,
    const QString &_aciklama, int _verenid, int _kargoyeni)
{
    DbxCommand &c = command(QStringLiteral("SiparisKaydet"));
    bindObject(c, 0, BB);
    c.Parameters()[1] = WireValue(_carino);
    c.Parameters()[2] = WireValue(_teslim);
    c.Parameters()[3] = WireValue(_kargo);
    c.Parameters()[4] = WireValue(_aciklama);
    c.Parameters()[5] = WireValue(_verenid);
    c.Parameters()[6] = WireValue(_kargoyeni);
    c.ExecuteUpdate();
    return c.Parameters()[7].toBool();
}

DbxReader *TServerMethods1Client::OncekiSiparisler(int carino)
{
    DbxCommand &c = command(QStringLiteral("OncekiSiparisler"));
    c.Parameters()[0] = WireValue(carino);
    c.ExecuteUpdate();
    return readerResult(c, 1);
}

DbxReader *TServerMethods1Client::SiparisAyrintisi2(int carino, int idnosu)
{
    DbxCommand &c = command(QStringLiteral("SiparisAyrintisi2"));
    c.Parameters()[0] = WireValue(carino);
    c.Parameters()[1] = WireValue(idnosu);
    c.ExecuteUpdate();
    return readerResult(c, 2);
}

TSiparisDipAyrinti *TServerMethods1Client::SiparisAytintisiDip(int carino, int siranosu)
{
    DbxCommand &c = command(QStringLiteral("SiparisAytintisiDip"));
    c.Parameters()[0] = WireValue(carino);
    c.Parameters()[1] = WireValue(siranosu);
    c.ExecuteUpdate();
    return objectResult<TSiparisDipAyrinti>(c, 2);
}

DbxReader *TServerMethods1Client::BakiyelerVer2(int carino)
{
    DbxCommand &c = command(QStringLiteral("BakiyelerVer2"));
    c.Parameters()[0] = WireValue(carino);
    c.ExecuteUpdate();
    return readerResult(c, 1);
}

int TServerMethods1Client::BakiyeDuzenle(TSonucBilgisi *k, int stokno, int sepetsirano,
    int siparissirano, double Adet, double Bakiye, const QString &barkod)
{
    DbxCommand &c = command(QStringLiteral("BakiyeDuzenle"));
    bindObject(c, 0, k);
    c.Parameters()[1] = WireValue(stokno);
    c.Parameters()[2] = WireValue(sepetsirano);
    c.Parameters()[3] = WireValue(siparissirano);
    c.Parameters()[4] = WireValue(Adet);
    c.Parameters()[5] = WireValue(Bakiye);
    c.Parameters()[6] = WireValue(barkod);
    c.ExecuteUpdate();
    return int(c.Parameters()[7].toInteger());
}

int TServerMethods1Client::BakiyeDegistir(TSonucBilgisi *k, int stokno, int sepetsirano,
    int siparissirano, double Adet, double Bakiye, const QString &barkod)
{
    DbxCommand &c = command(QStringLiteral("BakiyeDegistir"));
    bindObject(c, 0, k);
    c.Parameters()[1] = WireValue(stokno);
    c.Parameters()[2] = WireValue(sepetsirano);
    c.Parameters()[3] = WireValue(siparissirano);
    c.Parameters()[4] = WireValue(Adet);
    c.Parameters()[5] = WireValue(Bakiye);
    c.Parameters()[6] = WireValue(barkod);
    c.ExecuteUpdate();
    return int(c.Parameters()[7].toInteger());
}

int TServerMethods1Client::BakiyeFiyatDegistir(TSonucBilgisi *k, int stokno, int sepetsirano,
    int siparissirano, double Adet, double Bakiye, const QString &barkod, double fiyat, double ind)
{
    DbxCommand &c = command(QStringLiteral("BakiyeFiyatDegistir"));
    bindObject(c, 0, k);
    c.Parameters()[1] = WireValue(stokno);
    c.Parameters()[2] = WireValue(sepetsirano);
    c.Parameters()[3] = WireValue(siparissirano);
    c.Parameters()[4] = WireValue(Adet);
    c.Parameters()[5] = WireValue(Bakiye);
    c.Parameters()[6] = WireValue(barkod);
    c.Parameters()[7] = WireValue(fiyat);
    c.Parameters()[8] = WireValue(ind);
    c.ExecuteUpdate();
    return int(c.Parameters()[9].toInteger());
}

DbxReader *TServerMethods1Client::TumSiparislerVer(int carino, int stokno)
{
    DbxCommand &c = command(QStringLiteral("TumSiparislerVer"));
    c.Parameters()[0] = WireValue(carino);
    c.Parameters()[1] = WireValue(stokno);
    c.ExecuteUpdate();
    return readerResult(c, 2);
}

DataPacket TServerMethods1Client::StokHareketVer(int carino, int stokno)
{
    DbxCommand &c = command(QStringLiteral("StokHareketVer"));
    c.Parameters()[0] = WireValue(carino);
    c.Parameters()[1] = WireValue(stokno);
    c.ExecuteUpdate();
    return DataPacket(tableOrNull(c, 2));
}

DbxReader *TServerMethods1Client::CariEkstreVer(int carino)
{
    DbxCommand &c = command(QStringLiteral("CariEkstreVer"));
    c.Parameters()[0] = WireValue(carino);
    c.ExecuteUpdate();
    return readerResult(c, 1);
}

DbxReader *TServerMethods1Client::FaturaGetir(int carino, int idnosu)
{
    DbxCommand &c = command(QStringLiteral("FaturaGetir"));
    c.Parameters()[0] = WireValue(carino);
    c.Parameters()[1] = WireValue(idnosu);
    c.ExecuteUpdate();
    return readerResult(c, 2);
}

DbxReader *TServerMethods1Client::FaturaAltGetir(int idnosu)
{
    DbxCommand &c = command(QStringLiteral("FaturaAltGetir"));
    c.Parameters()[0] = WireValue(idnosu);
    c.ExecuteUpdate();
    return readerResult(c, 1);
}

DbxReader *TServerMethods1Client::Tahsilat(int idnosu)
{
    DbxCommand &c = command(QStringLiteral("Tahsilat"));
    c.Parameters()[0] = WireValue(idnosu);
    c.ExecuteUpdate();
    return readerResult(c, 1);
}

int TServerMethods1Client::SanalposSiranoVer(int idnosu)
{
    DbxCommand &c = command(QStringLiteral("SanalposSiranoVer"));
    c.Parameters()[0] = WireValue(idnosu);
    c.ExecuteUpdate();
    return int(c.Parameters()[1].toInteger());
}

QIODevice *TServerMethods1Client::SAnalPosPdfVer(int sirano, qint64 &boy)
{
    DbxCommand &c = command(QStringLiteral("SAnalPosPdfVer"));
    c.Parameters()[0] = WireValue(sirano);
    c.ExecuteUpdate();
    boy = c.Parameters()[1].toInteger();
    return streamResult(c, 2);
}

QString TServerMethods1Client::CariDurumVer(int carino)
{
    DbxCommand &c = command(QStringLiteral("CariDurumVer"));
    c.Parameters()[0] = WireValue(carino);
    c.ExecuteUpdate();
    return c.Parameters()[1].toString();
}

DbxReader *TServerMethods1Client::RaporAlinanSiparisler(
    TSonucBilgisi *bilgi, double tarih1, double tarih2)
{
    DbxCommand &c = command(QStringLiteral("RaporAlinanSiparisler"));
    bindObject(c, 0, bilgi);
    c.Parameters()[1] = WireValue(tarih1);
    c.Parameters()[2] = WireValue(tarih2);
    c.ExecuteUpdate();
    return readerResult(c, 3);
}

DbxReader *TServerMethods1Client::RaporEnCokSatilanStoklar(
    TSonucBilgisi *bilgi, double tarih1, double tarih2)
{
    DbxCommand &c = command(QStringLiteral("RaporEnCokSatilanStoklar"));
    bindObject(c, 0, bilgi);
    c.Parameters()[1] = WireValue(tarih1);
    c.Parameters()[2] = WireValue(tarih2);
    c.ExecuteUpdate();
    return readerResult(c, 3);
}

QIODevice *TServerMethods1Client::RaporGetir(int raporno, int bolum, int idno, int carino,
    const QString &saticiadi, double tarih1, double tarih2, qint64 &size)
{
    DbxCommand &c = command(QStringLiteral("RaporGetir"));
    c.Parameters()[0] = WireValue(raporno);
    c.Parameters()[1] = WireValue(bolum);
    c.Parameters()[2] = WireValue(idno);
    c.Parameters()[3] = WireValue(carino);
    c.Parameters()[4] = WireValue(saticiadi);
    c.Parameters()[5] = WireValue(tarih1);
    c.Parameters()[6] = WireValue(tarih2);
    c.ExecuteUpdate();
    size = c.Parameters()[7].toInteger();
    return streamResult(c, 8);
}

DbxReader *TServerMethods1Client::CariAra(TSonucBilgisi *bil, const QString &aranan)
{
    DbxCommand &c = command(QStringLiteral("CariAra"));
    bindObject(c, 0, bil);
    c.Parameters()[1] = WireValue(aranan);
    c.ExecuteUpdate();
    return readerResult(c, 2);
}

DbxReader *TServerMethods1Client::CariSepetVer(TSonucBilgisi *bil, int n)
{
    DbxCommand &c = command(QStringLiteral("CariSepetVer"));
    bindObject(c, 0, bil);
    c.Parameters()[1] = WireValue(n);
    c.ExecuteUpdate();
    return readerResult(c, 2);
}

int TServerMethods1Client::SepetSayisi(TSonucBilgisi *bil)
{
    DbxCommand &c = command(QStringLiteral("SepetSayisi"));
    bindObject(c, 0, bil);
    c.ExecuteUpdate();
    return int(c.Parameters()[1].toInteger());
}

TTusSonuclari *TServerMethods1Client::TusSonuclariVer(TSonucBilgisi *bil)
{
    DbxCommand &c = command(QStringLiteral("TusSonuclariVer"));
    bindObject(c, 0, bil);
    c.ExecuteUpdate();
    return objectResult<TTusSonuclari>(c, 1);
}

TMobilCariBilgisi *TServerMethods1Client::MobilCariBilgisiGetir(int sirano, const QString &_idsi)
{
    DbxCommand &c = command(QStringLiteral("MobilCariBilgisiGetir"));
    c.Parameters()[0] = WireValue(sirano);
    c.Parameters()[1] = WireValue(_idsi);
    c.ExecuteUpdate();
    return objectResult<TMobilCariBilgisi>(c, 2);
}

int TServerMethods1Client::MailGonserCari(const QString &idsi, const QString &baslik,
    const QString &firmaadi, const QString &adres1, const QString &adres2, const QString &ilce,
    const QString &sehir, const QString &telefon, const QString &fax, const QString &vd,
    const QString &vn, const QString &yetkili, const QString &kullaniciadi, const QString &sifre,
    const QString &mail, const QString &kargoambar)
{
    DbxCommand &c = command(QStringLiteral("MailGonserCari"));
    c.Parameters()[0] = WireValue(idsi);
    c.Parameters()[1] = WireValue(baslik);
    c.Parameters()[2] = WireValue(firmaadi);
    c.Parameters()[3] = WireValue(adres1);
    c.Parameters()[4] = WireValue(adres2);
    c.Parameters()[5] = WireValue(ilce);
    c.Parameters()[6] = WireValue(sehir);
    c.Parameters()[7] = WireValue(telefon);
    c.Parameters()[8] = WireValue(fax);
    c.Parameters()[9] = WireValue(vd);
    c.Parameters()[10] = WireValue(vn);
    c.Parameters()[11] = WireValue(yetkili);
    c.Parameters()[12] = WireValue(kullaniciadi);
    c.Parameters()[13] = WireValue(sifre);
    c.Parameters()[14] = WireValue(mail);
    c.Parameters()[15] = WireValue(kargoambar);
    c.ExecuteUpdate();
    return int(c.Parameters()[16].toInteger());
}

int TServerMethods1Client::MailGonserCariNormal(const QString &idsi, const QString &baslik,
    const QString &firmaadi, const QString &adres1, const QString &adres2, const QString &ilce,
    const QString &sehir, const QString &telefon, const QString &fax, const QString &vd,
    const QString &vn, const QString &yetkili, const QString &kullaniciadi, const QString &sifre,
    const QString &mail, const QString &kargoambar, const QString &konu)
{
    DbxCommand &c = command(QStringLiteral("MailGonserCariNormal"));
    c.Parameters()[0] = WireValue(idsi);
    c.Parameters()[1] = WireValue(baslik);
    c.Parameters()[2] = WireValue(firmaadi);
    c.Parameters()[3] = WireValue(adres1);
    c.Parameters()[4] = WireValue(adres2);
    c.Parameters()[5] = WireValue(ilce);
    c.Parameters()[6] = WireValue(sehir);
    c.Parameters()[7] = WireValue(telefon);
    c.Parameters()[8] = WireValue(fax);
    c.Parameters()[9] = WireValue(vd);
    c.Parameters()[10] = WireValue(vn);
    c.Parameters()[11] = WireValue(yetkili);
    c.Parameters()[12] = WireValue(kullaniciadi);
    c.Parameters()[13] = WireValue(sifre);
    c.Parameters()[14] = WireValue(mail);
    c.Parameters()[15] = WireValue(kargoambar);
    c.Parameters()[16] = WireValue(konu);
    c.ExecuteUpdate();
    return int(c.Parameters()[17].toInteger());
}
