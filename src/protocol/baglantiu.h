#pragma once

// Records of the session and of orders that travel as objects between client and server.
// Field names (with their leading "F") and their order are part of the messages.

#include "transferobject.h"

// The session record: who works, for which customer account, from which machine.
class TSonucBilgisi : public TransferObject
{
public:
    QString typeName() const override { return QStringLiteral("baglantiu.TSonucBilgisi"); }
    void Kopyala(const TSonucBilgisi &source);

    int Sirano() const { return FSirano; }
    void SetSirano(int value) { FSirano = value; }
    QString BILGISAYARID() const { return FBILGISAYARID; }
    void SetBILGISAYARID(const QString &value) { FBILGISAYARID = value; }
    QString ADI() const { return FADI; }
    void SetADI(const QString &value) { FADI = value; }
    QString SIFRE() const { return FSIFRE; }
    void SetSIFRE(const QString &value) { FSIFRE = value; }
    int CARINO() const { return FCARINO; }
    void SetCARINO(int value) { FCARINO = value; }
    int AKTIF() const { return FAKTIF; }
    void SetAKTIF(int value) { FAKTIF = value; }
    QString Kullanicimail() const { return FKullanicimail; }
    void SetKullanicimail(const QString &value) { FKullanicimail = value; }
    QString carikod() const { return Fcarikod; }
    void Setcarikod(const QString &value) { Fcarikod = value; }
    QString CariAdi() const { return FCariAdi; }
    void SetCariAdi(const QString &value) { FCariAdi = value; }
    int SaticiNo() const { return FSaticiNo; }
    void SetSaticiNo(int value) { FSaticiNo = value; }
    QString SaticiTelefon() const { return FSaticiTelefon; }
    void SetSaticiTelefon(const QString &value) { FSaticiTelefon = value; }
    QString SaticiMail() const { return FSaticiMail; }
    void SetSaticiMail(const QString &value) { FSaticiMail = value; }
    bool Varmi() const { return FVarmi; }
    void SetVarmi(bool value) { FVarmi = value; }
    QString SaticiAdi() const { return FSaticiAdi; }
    void SetSaticiAdi(const QString &value) { FSaticiAdi = value; }
    QString BilgiSayarAdi() const { return FBilgiSayarAdi; }
    void SetBilgiSayarAdi(const QString &value) { FBilgiSayarAdi = value; }
    QString Disip() const { return FDisip; }
    void SetDisip(const QString &value) { FDisip = value; }
    QString Icip() const { return FIcip; }
    void SetIcip(const QString &value) { FIcip = value; }
    QString BilgisayarKullanici() const { return FBilgisayarKullanici; }
    void SetBilgisayarKullanici(const QString &value) { FBilgisayarKullanici = value; }
    int MusteriTipi() const { return FMusteriTipi; }
    void SetMusteriTipi(int value) { FMusteriTipi = value; }
    int Version() const { return FVersion; }
    void SetVersion(int value) { FVersion = value; }

protected:
    void writeFields(FieldWriter &w) const override { visitFields(*this, w); }
    void readFields(const FieldReader &r) override { visitFields(*this, r); }

private:
    template <typename Self, typename V> static void visitFields(Self &s, V &v)
    {
        v("FBILGISAYARID", s.FBILGISAYARID);
        v("FSaticiMail", s.FSaticiMail);
        v("FSirano", s.FSirano);
        v("FCariAdi", s.FCariAdi);
        v("FSIFRE", s.FSIFRE);
        v("FSaticiNo", s.FSaticiNo);
        v("FCARINO", s.FCARINO);
        v("FAKTIF", s.FAKTIF);
        v("FKullanicimail", s.FKullanicimail);
        v("FADI", s.FADI);
        v("FSaticiTelefon", s.FSaticiTelefon);
        v("Fcarikod", s.Fcarikod);
        v("FVarmi", s.FVarmi);
        v("FSaticiAdi", s.FSaticiAdi);
        v("FBilgiSayarAdi", s.FBilgiSayarAdi);
        v("FDisip", s.FDisip);
        v("FIcip", s.FIcip);
        v("FBilgisayarKullanici", s.FBilgisayarKullanici);
        v("FMusteriTipi", s.FMusteriTipi);
        v("FVersion", s.FVersion);
    }

    QString FBILGISAYARID;
    QString FSaticiMail;
    int FSirano = 0;
    QString FCariAdi;
    QString FSIFRE;
    int FSaticiNo = 0;
    int FCARINO = 0;
    int FAKTIF = 0;
    QString FKullanicimail;
    QString FADI;
    QString FSaticiTelefon;
    QString Fcarikod;
    bool FVarmi = false;
    QString FSaticiAdi;
    QString FBilgiSayarAdi;
    QString FDisip;
    QString FIcip;
    QString FBilgisayarKullanici;
    int FMusteriTipi = 1;
    int FVersion = 1;
};

// The footer of one order.
class TSiparisDipAyrinti : public TransferObject
{
public:
    QString typeName() const override { return QStringLiteral("baglantiu.TSiparisDipAyrinti"); }
    void Kopyala(const TSiparisDipAyrinti &source);

    QString SizinMesaj() const { return FSizinMesaj; }
    void SetSizinMesaj(const QString &value) { FSizinMesaj = value; }
    QString Durumu() const { return FDurumu; }
    void SetDurumu(const QString &value) { FDurumu = value; }
    QString Veren() const { return FVeren; }
    void SetVeren(const QString &value) { FVeren = value; }
    QString Kargo() const { return FKargo; }
    void SetKargo(const QString &value) { FKargo = value; }
    QString BizimMesaj() const { return FBizimMesaj; }
    void SetBizimMesaj(const QString &value) { FBizimMesaj = value; }
    QString TeslimCinsi() const { return FTeslimCinsi; }
    void SetTeslimCinsi(const QString &value) { FTeslimCinsi = value; }
    QString KargoCinsi() const { return FKargoCinsi; }
    void SetKargoCinsi(const QString &value) { FKargoCinsi = value; }
    QString SaticiNotu() const { return FSaticiNotu; }
    void SetSaticiNotu(const QString &value) { FSaticiNotu = value; }

protected:
    void writeFields(FieldWriter &w) const override { visitFields(*this, w); }
    void readFields(const FieldReader &r) override { visitFields(*this, r); }

private:
    template <typename Self, typename V> static void visitFields(Self &s, V &v)
    {
        v("FSizinMesaj", s.FSizinMesaj);
        v("FDurumu", s.FDurumu);
        v("FVeren", s.FVeren);
        v("FKargo", s.FKargo);
        v("FBizimMesaj", s.FBizimMesaj);
        v("FTeslimCinsi", s.FTeslimCinsi);
        v("FKargoCinsi", s.FKargoCinsi);
        v("FSaticiNotu", s.FSaticiNotu);
    }

    QString FSizinMesaj;
    QString FDurumu;
    QString FVeren;
    QString FKargo;
    QString FBizimMesaj;
    QString FTeslimCinsi;
    QString FKargoCinsi;
    QString FSaticiNotu;
};

// The order-status counters of the customer selection.
class TTusSonuclari : public TransferObject
{
public:
    QString typeName() const override { return QStringLiteral("baglantiu.TTusSonuclari"); }
    void Kopyala(const TTusSonuclari &source);

    int Alindi() const { return FAlindi; }
    void SetAlindi(int value) { FAlindi = value; }
    int Onaylandi() const { return FOnaylandi; }
    void SetOnaylandi(int value) { FOnaylandi = value; }
    int ParcaliHazirlandi() const { return FParcaliHazirlandi; }
    void SetParcaliHazirlandi(int value) { FParcaliHazirlandi = value; }
    int SevkEdildi() const { return FSevkEdildi; }
    void SetSevkEdildi(int value) { FSevkEdildi = value; }
    int Hazirlandi() const { return FHazirlandi; }
    void SetHazirlandi(int value) { FHazirlandi = value; }
    int Goruldu() const { return FGoruldu; }
    void SetGoruldu(int value) { FGoruldu = value; }

protected:
    void writeFields(FieldWriter &w) const override { visitFields(*this, w); }
    void readFields(const FieldReader &r) override { visitFields(*this, r); }

private:
    template <typename Self, typename V> static void visitFields(Self &s, V &v)
    {
        v("FAlindi", s.FAlindi);
        v("FOnaylandi", s.FOnaylandi);
        v("FParcaliHazirlandi", s.FParcaliHazirlandi);
        v("FSevkEdildi", s.FSevkEdildi);
        v("FHazirlandi", s.FHazirlandi);
        v("FGoruldu", s.FGoruldu);
    }

    int FAlindi = 0;
    int FOnaylandi = 0;
    int FParcaliHazirlandi = 0;
    int FSevkEdildi = 0;
    int FHazirlandi = 0;
    int FGoruldu = 0;
};
