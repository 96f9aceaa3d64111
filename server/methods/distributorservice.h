#pragma once

#include "storage.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

class TSonucBilgisi;
class TSiparisDipAyrinti;
class TTusSonuclari;
class TMobilCariBilgisi;
class TAcilisEkran;
class TAcilisEkranlariki;

// The distributor's business behind the server methods. Each method takes the call's
// arguments as typed values, checks them and the caller's right to act for the account,
// and answers with a dataset, a transfer object, bytes or a scalar; a refusal or failure
// throws ServiceError with a message for the user. Safe to call from several threads.
class DistributorService
{
public:
    struct Options
    {
        QString outboxDir;      // .eml files of the mail outbox
        int clientVersion = 1;  // the version every login answer announces
    };

    // The fields of a request mail, in the order the client sends them.
    struct MailFields
    {
        QString idsi, baslik, firmaadi, adres1, adres2, ilce, sehir, telefon, fax, vd, vn,
            yetkili, kullaniciadi, sifre, mail, kargoambar, konu;
    };

    DistributorService(Storage &storage, Options options);

    Storage &storage() { return m_storage; }

    // Login and catalogue.
    std::unique_ptr<TSonucBilgisi> BuyukGetir(const QString &idsi);
    DatasetPtr StokAraGetir(const QString &kod, const TSonucBilgisi *bilgi);
    DatasetPtr YenilerVer2(int carino);
    DatasetPtr KampanyaliVer2(int cario, int satici);
    QByteArray ResimVer5(int stokno);

    // Main-window content.
    DatasetPtr BalonGetir(const TSonucBilgisi *bil);
    QString KayanYaziGetir();
    QByteArray BannerResimVer(int slot);  // slots 1-3: header, strip, bottom marquee
    int AcilisReklamAdet();
    std::unique_ptr<TAcilisEkran> AcilisREklamVer(int sira);
    std::unique_ptr<TAcilisEkranlariki> AcilisEkranlarVer2();

    // Basket.
    DatasetPtr SepetVer2(int carino);
    QString CariVadeGunGecmismiBul(int carino);
    int SepetEkle2(const TSonucBilgisi *bilgim, int carino, int stokno, const QString &barkod,
                   const QString &stokadi, double miktar, double kdv, double fiyat, double ind1,
                   int verenid, int k, double ind2, double ind3, double ind4);
    int SepetGuncelle2(const TSonucBilgisi *bilgim, int carino, int stokno,
                       const QString &barkod, const QString &stokadi, double miktar,
                       double kdv, double fiyat, double ind1, int verenid, int sepetsirano,
                       double ind2, double ind3, double ind4);
    void SepetSecimGuncelle(int sirano, int secim);
    int SepetSatirSil(const TSonucBilgisi *bilgi, int satirno, const QString &aciklamam);
    int SepetHepsiniSil(const TSonucBilgisi *bilgi);

    // Sending the order.
    DatasetPtr TeslimVer();
    DatasetPtr KargoVer();
    DatasetPtr KargolarVer(int gn);
    bool SiparisKaydet(const TSonucBilgisi *BB, int carino, int teslim, int kargo,
                       const QString &aciklama, int verenid, int kargoyeni);

    // Orders, back orders, stock history.
    DatasetPtr OncekiSiparisler(int carino);
    DatasetPtr SiparisAyrintisi2(int carino, int idnosu);
    std::unique_ptr<TSiparisDipAyrinti> SiparisAytintisiDip(int carino, int siranosu);
    DatasetPtr BakiyelerVer2(int carino);
    int BakiyeDuzenle(const TSonucBilgisi *k, int stokno, int sepetsirano, int siparissirano,
                      double Adet, double Bakiye, const QString &barkod);
    int BakiyeDegistir(const TSonucBilgisi *k, int stokno, int sepetsirano, int siparissirano,
                       double Adet, double Bakiye, const QString &barkod);
    int BakiyeFiyatDegistir(const TSonucBilgisi *k, int stokno, int sepetsirano,
                            int siparissirano, double Adet, double Bakiye,
                            const QString &barkod, double fiyat, double ind);
    DatasetPtr TumSiparislerVer(int carino, int stokno);
    DatasetPtr StokHareketVer(int carino, int stokno);

    // Account statement and documents.
    DatasetPtr CariEkstreVer(int carino);
    DatasetPtr FaturaGetir(int carino, int idnosu);
    DatasetPtr FaturaAltGetir(int idnosu);
    DatasetPtr Tahsilat(int idnosu);
    int SanalposSiranoVer(int idnosu);
    QByteArray SAnalPosPdfVer(int sirano);
    QString CariDurumVer(int carino);

    // Reports and customer selection.
    DatasetPtr RaporAlinanSiparisler(const TSonucBilgisi *bilgi, double tarih1, double tarih2);
    DatasetPtr RaporEnCokSatilanStoklar(const TSonucBilgisi *bilgi, double tarih1,
                                        double tarih2);
    QByteArray RaporGetir(int raporno, int bolum, int idno, int carino,
                          const QString &saticiadi, double tarih1, double tarih2);
    DatasetPtr CariAra(const TSonucBilgisi *bil, const QString &aranan);
    DatasetPtr CariSepetVer(const TSonucBilgisi *bil, int n);
    int SepetSayisi(const TSonucBilgisi *bil);
    std::unique_ptr<TTusSonuclari> TusSonuclariVer(const TSonucBilgisi *bil);

    // Requests and mail.
    std::unique_ptr<TMobilCariBilgisi> MobilCariBilgisiGetir(int sirano, const QString &idsi);
    int MailGonserCari(const MailFields &fields);
    int MailGonserCariNormal(const MailFields &fields);
    // The web request page's submission.
    int WebIstegiKaydet(int carino, const QString &kullanici, const QString &id,
                        const QString &adSoyad, const QString &telefon, const QString &mesaj);

    // The overdue part of an account's balance: debits not covered by later credits whose
    // due date (document date + the account's payment term) lies before `today`.
    double overdueAmount(int carino, double today);

    // "AB12-34 CD" style machine identities: upper case, no blanks, as the client sends them.
    static QString normalizeMachineId(const QString &id);

private:
    struct Actor
    {
        UserRecord user;
        bool isRep() const { return user.role == 1 || user.role == 2; }
    };

    Actor authenticate(const TSonucBilgisi *record) const;
    Actor actingFor(const TSonucBilgisi *record, int carino) const;
    bool mayActFor(const Actor &actor, int carino) const;
    AccountRecord requireAccount(int carino) const;
    StockRecord requireStock(int stokno) const;
    OrderLineRecord ownBackOrderLine(const Actor &actor, int carino, int sepetsirano,
                                     int siparissirano) const;
    int storeMail(const QString &kind, const MailFields &fields, const QStringList &lines);

    Storage &m_storage;
    Options m_options;
};
