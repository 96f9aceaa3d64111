#pragma once

#include "baglantiu.h"
#include "datapacket.h"
#include "dbxcommand.h"
#include "dbxreader.h"
#include "mobilstokunit.h"

#include <QIODevice>
#include <QString>

#include <map>
#include <memory>

class DbxConnection;

// The client side of the server class TServerMethods1: one method per server method, with
// the server's names, parameters and result kinds. Create one per call on an open
// connection: `TServerMethods1Client proxy(bagc.DBXConnection());`.
//
// Ownership (instance-owner mode, the default):
// - An object argument (the session-record copy) belongs to the proxy once the call starts
//   and is deleted right after it is marshalled. Pass a fresh `new` copy; never touch it
//   again. nullptr travels as nil.
// - A returned object, DbxReader or stream belongs to the proxy and stays valid until the
//   same method is called again on this proxy or the proxy is destroyed. Copy what you need
//   (Kopyala, DbxReader::CopyTo, copyStreamResult) first. DataPacket results are values.
// - Without instance-owner mode arguments stay the caller's and results become the caller's.
// Errors (transport, server, malformed answers) pass out of the methods as exceptions.
class TServerMethods1Client
{
public:
    explicit TServerMethods1Client(DbxConnection *connection, bool instanceOwner = true);
    ~TServerMethods1Client();
    TServerMethods1Client(const TServerMethods1Client &) = delete;
    TServerMethods1Client &operator=(const TServerMethods1Client &) = delete;

    QString EchoString(const QString &Value);
    QString ReverseString(const QString &Value);
    TSonucBilgisi *BuyukGetir(const QString &idsi);
    DataPacket StokAraGetir(const QString &kod, TSonucBilgisi *bilgi);
    QIODevice *ResimVer5(int stokno, qint64 &boy);
    int SepetEkle2(TSonucBilgisi *bilgim, int carino, int stokno, const QString &barkod,
        const QString &stokadi, double miktar, double kdv, double fiyat, double ind1, int verenid,
        int k, double ind2, double ind3, double ind4);
    int SepetGuncelle2(TSonucBilgisi *bilgim, int carino, int stokno, const QString &barkod,
        const QString &stokadi, double miktar, double kdv, double fiyat, double ind1, int verenid,
        int _sepetsirano, double ind2, double ind3, double ind4);
    DataPacket YenilerVer2(int carino);
    DataPacket KampanyaliVer2(int cario, int satici);
    TAcilisEkranlariki *AcilisEkranlarVer2();
    DbxReader *BalonGetir(TSonucBilgisi *bil);
    QString KayanYaziGetir();
    QIODevice *BannerResimVer(qint64 &size);
    QIODevice *BannerResimVer2(qint64 &size);
    QIODevice *BannerResimVer3(qint64 &size);
    int AcilisReklamAdet();
    TAcilisEkran *AcilisREklamVer(int sira);
    DataPacket SepetVer2(int carino);
    QString CariVadeGunGecmismiBul(int carino);
    int SepetSatirSil(TSonucBilgisi *bilgi, int satirno, const QString &aciklamam);
    int SepetHepsiniSil(TSonucBilgisi *bilgi);
    void SepetSecimGuncelle(int sirano, int secim);
    DbxReader *TeslimVer();
    DbxReader *KargoVer();
    DbxReader *KargolarVer(int gn);
    bool SiparisKaydet(TSonucBilgisi *BB, int _carino, int _teslim, int _kargo,
        const QString &_aciklama, int _verenid, int _kargoyeni);
    DbxReader *OncekiSiparisler(int carino);
    DbxReader *SiparisAyrintisi2(int carino, int idnosu);
    TSiparisDipAyrinti *SiparisAytintisiDip(int carino, int siranosu);
    DbxReader *BakiyelerVer2(int carino);
    int BakiyeDuzenle(TSonucBilgisi *k, int stokno, int sepetsirano, int siparissirano, double Adet,
        double Bakiye, const QString &barkod);
    int BakiyeDegistir(TSonucBilgisi *k, int stokno, int sepetsirano, int siparissirano,
        double Adet, double Bakiye, const QString &barkod);
    int BakiyeFiyatDegistir(TSonucBilgisi *k, int stokno, int sepetsirano, int siparissirano,
        double Adet, double Bakiye, const QString &barkod, double fiyat, double ind);
    DbxReader *TumSiparislerVer(int carino, int stokno);
    DataPacket StokHareketVer(int carino, int stokno);
    DbxReader *CariEkstreVer(int carino);
    DbxReader *FaturaGetir(int carino, int idnosu);
    DbxReader *FaturaAltGetir(int idnosu);
    DbxReader *Tahsilat(int idnosu);
    int SanalposSiranoVer(int idnosu);
    QIODevice *SAnalPosPdfVer(int sirano, qint64 &boy);
    QString CariDurumVer(int carino);
    DbxReader *RaporAlinanSiparisler(TSonucBilgisi *bilgi, double tarih1, double tarih2);
    DbxReader *RaporEnCokSatilanStoklar(TSonucBilgisi *bilgi, double tarih1, double tarih2);
    QIODevice *RaporGetir(int raporno, int bolum, int idno, int carino, const QString &saticiadi,
        double tarih1, double tarih2, qint64 &size);
    DbxReader *CariAra(TSonucBilgisi *bil, const QString &aranan);
    DbxReader *CariSepetVer(TSonucBilgisi *bil, int n);
    int SepetSayisi(TSonucBilgisi *bil);
    TTusSonuclari *TusSonuclariVer(TSonucBilgisi *bil);
    TMobilCariBilgisi *MobilCariBilgisiGetir(int sirano, const QString &_idsi);
    int MailGonserCari(const QString &idsi, const QString &baslik, const QString &firmaadi,
        const QString &adres1, const QString &adres2, const QString &ilce, const QString &sehir,
        const QString &telefon, const QString &fax, const QString &vd, const QString &vn,
        const QString &yetkili, const QString &kullaniciadi, const QString &sifre,
        const QString &mail, const QString &kargoambar);
    int MailGonserCariNormal(const QString &idsi, const QString &baslik, const QString &firmaadi,
        const QString &adres1, const QString &adres2, const QString &ilce, const QString &sehir,
        const QString &telefon, const QString &fax, const QString &vd, const QString &vn,
        const QString &yetkili, const QString &kullaniciadi, const QString &sifre,
        const QString &mail, const QString &kargoambar, const QString &konu);

private:
    DbxCommand &command(const QString &name);
    void bindObject(DbxCommand &c, int position, TransferObject *object);
    std::shared_ptr<const WireTable> tableOrNull(DbxCommand &c, int position);
    DbxReader *readerResult(DbxCommand &c, int position);
    QIODevice *streamResult(DbxCommand &c, int position);
    template <typename T> T *objectResult(DbxCommand &c, int position);
    template <typename T> T *keep(DbxCommand &c, std::unique_ptr<T> result);

    DbxConnection *FDBXConnection;
    bool FInstanceOwner;
    std::map<QString, std::unique_ptr<DbxCommand>> m_commands; // one slot per method
};
