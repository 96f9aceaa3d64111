#pragma once

// Stock, basket, customer and opening-screen records that travel as objects. Field names
// (with their leading "F") and their order are part of the messages.

#include "transferobject.h"

#include <memory>
#include <vector>

// A customer account's master data.
class TMobilCariBilgisi : public TransferObject
{
public:
    QString typeName() const override { return QStringLiteral("mobilstokunit.TMobilCariBilgisi"); }
    void Kopyala(const TMobilCariBilgisi &source);

    QString BILGISAYARID() const { return FBILGISAYARID; }
    void SetBILGISAYARID(const QString &value) { FBILGISAYARID = value; }
    QString SEHIR() const { return FSEHIR; }
    void SetSEHIR(const QString &value) { FSEHIR = value; }
    QString FAX1() const { return FFAX1; }
    void SetFAX1(const QString &value) { FFAX1 = value; }
    QString SATICIMAIL() const { return FSATICIMAIL; }
    void SetSATICIMAIL(const QString &value) { FSATICIMAIL = value; }
    QString SATICIADI() const { return FSATICIADI; }
    void SetSATICIADI(const QString &value) { FSATICIADI = value; }
    QString CARIADI() const { return FCARIADI; }
    void SetCARIADI(const QString &value) { FCARIADI = value; }
    QString EMAIL() const { return FEMAIL; }
    void SetEMAIL(const QString &value) { FEMAIL = value; }
    QString VERGIDAIRESI() const { return FVERGIDAIRESI; }
    void SetVERGIDAIRESI(const QString &value) { FVERGIDAIRESI = value; }
    QString YETKILI() const { return FYETKILI; }
    void SetYETKILI(const QString &value) { FYETKILI = value; }
    QString AltGrup() const { return FAltGrup; }
    void SetAltGrup(const QString &value) { FAltGrup = value; }
    QString TEL2() const { return FTEL2; }
    void SetTEL2(const QString &value) { FTEL2 = value; }
    QString SIFRE() const { return FSIFRE; }
    void SetSIFRE(const QString &value) { FSIFRE = value; }
    QString GSM() const { return FGSM; }
    void SetGSM(const QString &value) { FGSM = value; }
    QString TEL1() const { return FTEL1; }
    void SetTEL1(const QString &value) { FTEL1 = value; }
    QString ADRES2() const { return FADRES2; }
    void SetADRES2(const QString &value) { FADRES2 = value; }
    double TLBORC() const { return FTLBORC; }
    void SetTLBORC(double value) { FTLBORC = value; }
    double TLALACAK() const { return FTLALACAK; }
    void SetTLALACAK(double value) { FTLALACAK = value; }
    QString ADRES1() const { return FADRES1; }
    void SetADRES1(const QString &value) { FADRES1 = value; }
    QString ULKE() const { return FULKE; }
    void SetULKE(const QString &value) { FULKE = value; }
    QString AnaGrup() const { return FAnaGrup; }
    void SetAnaGrup(const QString &value) { FAnaGrup = value; }
    int CARINO() const { return FCARINO; }
    void SetCARINO(int value) { FCARINO = value; }
    double TLBAKIYE() const { return FTLBAKIYE; }
    void SetTLBAKIYE(double value) { FTLBAKIYE = value; }
    QString VERGINO() const { return FVERGINO; }
    void SetVERGINO(const QString &value) { FVERGINO = value; }
    QString MAIL() const { return FMAIL; }
    void SetMAIL(const QString &value) { FMAIL = value; }
    QString OzelKod() const { return FOzelKod; }
    void SetOzelKod(const QString &value) { FOzelKod = value; }
    QString KULLANICIADI() const { return FKULLANICIADI; }
    void SetKULLANICIADI(const QString &value) { FKULLANICIADI = value; }
    QString SATICITELEFON() const { return FSATICITELEFON; }
    void SetSATICITELEFON(const QString &value) { FSATICITELEFON = value; }
    QString CARIKOD() const { return FCARIKOD; }
    void SetCARIKOD(const QString &value) { FCARIKOD = value; }
    QString FAX2() const { return FFAX2; }
    void SetFAX2(const QString &value) { FFAX2 = value; }
    QString ILCE() const { return FILCE; }
    void SetILCE(const QString &value) { FILCE = value; }

protected:
    void writeFields(FieldWriter &w) const override { visitFields(*this, w); }
    void readFields(const FieldReader &r) override { visitFields(*this, r); }

private:
    template <typename Self, typename V> static void visitFields(Self &s, V &v)
    {
        v("FBILGISAYARID", s.FBILGISAYARID);
        v("FSEHIR", s.FSEHIR);
        v("FFAX1", s.FFAX1);
        v("FSATICIMAIL", s.FSATICIMAIL);
        v("FSATICIADI", s.FSATICIADI);
        v("FCARIADI", s.FCARIADI);
        v("FEMAIL", s.FEMAIL);
        v("FVERGIDAIRESI", s.FVERGIDAIRESI);
        v("FYETKILI", s.FYETKILI);
        v("FAltGrup", s.FAltGrup);
        v("FTEL2", s.FTEL2);
        v("FSIFRE", s.FSIFRE);
        v("FGSM", s.FGSM);
        v("FTEL1", s.FTEL1);
        v("FADRES2", s.FADRES2);
        v("FTLBORC", s.FTLBORC);
        v("FTLALACAK", s.FTLALACAK);
        v("FADRES1", s.FADRES1);
        v("FULKE", s.FULKE);
        v("FAnaGrup", s.FAnaGrup);
        v("FCARINO", s.FCARINO);
        v("FTLBAKIYE", s.FTLBAKIYE);
        v("FVERGINO", s.FVERGINO);
        v("FMAIL", s.FMAIL);
        v("FOzelKod", s.FOzelKod);
        v("FKULLANICIADI", s.FKULLANICIADI);
        v("FSATICITELEFON", s.FSATICITELEFON);
        v("FCARIKOD", s.FCARIKOD);
        v("FFAX2", s.FFAX2);
        v("FILCE", s.FILCE);
    }

    QString FBILGISAYARID;
    QString FSEHIR;
    QString FFAX1;
    QString FSATICIMAIL;
    QString FSATICIADI;
    QString FCARIADI;
    QString FEMAIL;
    QString FVERGIDAIRESI;
    QString FYETKILI;
    QString FAltGrup;
    QString FTEL2;
    QString FSIFRE;
    QString FGSM;
    QString FTEL1;
    QString FADRES2;
    double FTLBORC = 0.0;
    double FTLALACAK = 0.0;
    QString FADRES1;
    QString FULKE;
    QString FAnaGrup;
    int FCARINO = 0;
    double FTLBAKIYE = 0.0;
    QString FVERGINO;
    QString FMAIL;
    QString FOzelKod;
    QString FKULLANICIADI;
    QString FSATICITELEFON;
    QString FCARIKOD;
    QString FFAX2;
    QString FILCE;
};

// One opening screen; FResim holds the picture as hexadecimal text.
class TAcilisEkran : public TransferObject
{
public:
    QString typeName() const override { return QStringLiteral("mobilstokunit.TAcilisEkran"); }

    int SiraNo() const { return FSiraNo; }
    void SetSiraNo(int value) { FSiraNo = value; }
    QString Resim() const { return FResim; }
    void SetResim(const QString &value) { FResim = value; }
    QString Baslik() const { return FBaslik; }
    void SetBaslik(const QString &value) { FBaslik = value; }
    QString Arama() const { return FArama; }
    void SetArama(const QString &value) { FArama = value; }

protected:
    void writeFields(FieldWriter &w) const override { visitFields(*this, w); }
    void readFields(const FieldReader &r) override { visitFields(*this, r); }

private:
    template <typename Self, typename V> static void visitFields(Self &s, V &v)
    {
        v("FSiraNo", s.FSiraNo);
        v("FResim", s.FResim);
        v("FBaslik", s.FBaslik);
        v("FArama", s.FArama);
    }

    int FSiraNo = 0;
    QString FResim;
    QString FBaslik;
    QString FArama;
};

// One stock item as the list methods deliver it.
class TMobilStok : public TransferObject
{
public:
    QString typeName() const override { return QStringLiteral("mobilstokunit.TMobilStok"); }
    void Kopyala(const TMobilStok &source);

    int StokNo() const { return FStokNo; }
    void SetStokNo(int value) { FStokNo = value; }
    int ResimVar() const { return FResimVar; }
    void SetResimVar(int value) { FResimVar = value; }
    QString Resim() const { return FResim; }
    void SetResim(const QString &value) { FResim = value; }
    int Yeni() const { return FYeni; }
    void SetYeni(int value) { FYeni = value; }
    QString Departman() const { return FDepartman; }
    void SetDepartman(const QString &value) { FDepartman = value; }
    double VerilenSiparis() const { return FVerilenSiparis; }
    void SetVerilenSiparis(double value) { FVerilenSiparis = value; }
    QString AltGrup() const { return FAltGrup; }
    void SetAltGrup(const QString &value) { FAltGrup = value; }
    int Durum() const { return FDurum; }
    void SetDurum(int value) { FDurum = value; }
    QString Renk() const { return FRenk; }
    void SetRenk(const QString &value) { FRenk = value; }
    QString Birim() const { return FBirim; }
    void SetBirim(const QString &value) { FBirim = value; }
    double KDV() const { return FKDV; }
    void SetKDV(double value) { FKDV = value; }
    double AlinanSiparis() const { return FAlinanSiparis; }
    void SetAlinanSiparis(double value) { FAlinanSiparis = value; }
    double Isk2() const { return FIsk2; }
    void SetIsk2(double value) { FIsk2 = value; }
    QString AnaGrup() const { return FAnaGrup; }
    void SetAnaGrup(const QString &value) { FAnaGrup = value; }
    QString Kod() const { return FKod; }
    void SetKod(const QString &value) { FKod = value; }
    double Isk3() const { return FIsk3; }
    void SetIsk3(double value) { FIsk3 = value; }
    double ListeFiyati() const { return FListeFiyati; }
    void SetListeFiyati(double value) { FListeFiyati = value; }
    QString Beden() const { return FBeden; }
    void SetBeden(const QString &value) { FBeden = value; }
    double NetFiyat() const { return FNetFiyat; }
    void SetNetFiyat(double value) { FNetFiyat = value; }
    double Isk1() const { return FIsk1; }
    void SetIsk1(double value) { FIsk1 = value; }
    double KDVliFiyat() const { return FKDVliFiyat; }
    void SetKDVliFiyat(double value) { FKDVliFiyat = value; }
    double Isk4() const { return FIsk4; }
    void SetIsk4(double value) { FIsk4 = value; }
    QString OzelKod() const { return FOzelKod; }
    void SetOzelKod(const QString &value) { FOzelKod = value; }
    int Kampnayali() const { return FKampnayali; }
    void SetKampnayali(int value) { FKampnayali = value; }
    QString Barkod() const { return FBarkod; }
    void SetBarkod(const QString &value) { FBarkod = value; }
    double IndirimOran() const { return FIndirimOran; }
    void SetIndirimOran(double value) { FIndirimOran = value; }
    double Kalan() const { return FKalan; }
    void SetKalan(double value) { FKalan = value; }
    QString UreticiKod() const { return FUreticiKod; }
    void SetUreticiKod(const QString &value) { FUreticiKod = value; }
    double KampanyaliFiyat() const { return FKampanyaliFiyat; }
    void SetKampanyaliFiyat(double value) { FKampanyaliFiyat = value; }
    QString OemNo() const { return FOemNo; }
    void SetOemNo(const QString &value) { FOemNo = value; }
    int BarkodNo() const { return FBarkodNo; }
    void SetBarkodNo(int value) { FBarkodNo = value; }
    QString PKod() const { return FPKod; }
    void SetPKod(const QString &value) { FPKod = value; }
    QString DpKod() const { return FDpKod; }
    void SetDpKod(const QString &value) { FDpKod = value; }
    QString Adi() const { return FAdi; }
    void SetAdi(const QString &value) { FAdi = value; }
    double Fiyat() const { return FFiyat; }
    void SetFiyat(double value) { FFiyat = value; }

protected:
    void writeFields(FieldWriter &w) const override { visitFields(*this, w); }
    void readFields(const FieldReader &r) override { visitFields(*this, r); }

private:
    template <typename Self, typename V> static void visitFields(Self &s, V &v)
    {
        v("FStokNo", s.FStokNo);
        v("FResimVar", s.FResimVar);
        v("FResim", s.FResim);
        v("FYeni", s.FYeni);
        v("FDepartman", s.FDepartman);
        v("FVerilenSiparis", s.FVerilenSiparis);
        v("FAltGrup", s.FAltGrup);
        v("FDurum", s.FDurum);
        v("FRenk", s.FRenk);
        v("FBirim", s.FBirim);
        v("FKDV", s.FKDV);
        v("FAlinanSiparis", s.FAlinanSiparis);
        v("FIsk2", s.FIsk2);
        v("FAnaGrup", s.FAnaGrup);
        v("FKod", s.FKod);
        v("FIsk3", s.FIsk3);
        v("FListeFiyati", s.FListeFiyati);
        v("FBeden", s.FBeden);
        v("FNetFiyat", s.FNetFiyat);
        v("FIsk1", s.FIsk1);
        v("FKDVliFiyat", s.FKDVliFiyat);
        v("FIsk4", s.FIsk4);
        v("FOzelKod", s.FOzelKod);
        v("FKampnayali", s.FKampnayali);
        v("FBarkod", s.FBarkod);
        v("FIndirimOran", s.FIndirimOran);
        v("FKalan", s.FKalan);
        v("FUreticiKod", s.FUreticiKod);
        v("FKampanyaliFiyat", s.FKampanyaliFiyat);
        v("FOemNo", s.FOemNo);
        v("FBarkodNo", s.FBarkodNo);
        v("FPKod", s.FPKod);
        v("FDpKod", s.FDpKod);
        v("FAdi", s.FAdi);
        v("FFiyat", s.FFiyat);
    }

    int FStokNo = 0;
    int FResimVar = 0;
    QString FResim;
    int FYeni = 0;
    QString FDepartman;
    double FVerilenSiparis = 0.0;
    QString FAltGrup;
    int FDurum = 0;
    QString FRenk;
    QString FBirim = QStringLiteral("ADET");
    double FKDV = 20.0;
    double FAlinanSiparis = 0.0;
    double FIsk2 = 0.0;
    QString FAnaGrup;
    QString FKod;
    double FIsk3 = 0.0;
    double FListeFiyati = 0.0;
    QString FBeden;
    double FNetFiyat = 0.0;
    double FIsk1 = 0.0;
    double FKDVliFiyat = 0.0;
    double FIsk4 = 0.0;
    QString FOzelKod;
    int FKampnayali = 0;
    QString FBarkod;
    double FIndirimOran = 0.0;
    double FKalan = 0.0;
    QString FUreticiKod;
    double FKampanyaliFiyat = 0.0;
    QString FOemNo;
    int FBarkodNo = 0;
    QString FPKod;
    QString FDpKod;
    QString FAdi;
    double FFiyat = 0.0;
};

// One basket line as the list methods deliver it; dates are day numbers.
class TMobilSepet : public TransferObject
{
public:
    QString typeName() const override { return QStringLiteral("mobilstokunit.TMobilSepet"); }
    void Kopyala(const TMobilSepet &source);

    int KARGOID() const { return FKARGOID; }
    void SetKARGOID(int value) { FKARGOID = value; }
    int StokNo() const { return FStokNo; }
    void SetStokNo(int value) { FStokNo = value; }
    double TARIH() const { return FTARIH; }
    void SetTARIH(double value) { FTARIH = value; }
    int SIRANO() const { return FSIRANO; }
    void SetSIRANO(int value) { FSIRANO = value; }
    QString CARIADI() const { return FCARIADI; }
    void SetCARIADI(const QString &value) { FCARIADI = value; }
    double VERILISTARIHI() const { return FVERILISTARIHI; }
    void SetVERILISTARIHI(double value) { FVERILISTARIHI = value; }
    int Durum() const { return FDurum; }
    void SetDurum(int value) { FDurum = value; }
    double MIKTAR() const { return FMIKTAR; }
    void SetMIKTAR(double value) { FMIKTAR = value; }
    int VERENIDNO() const { return FVERENIDNO; }
    void SetVERENIDNO(int value) { FVERENIDNO = value; }
    double NETTUTAR() const { return FNETTUTAR; }
    void SetNETTUTAR(double value) { FNETTUTAR = value; }
    double KDVLITUTAR() const { return FKDVLITUTAR; }
    void SetKDVLITUTAR(double value) { FKDVLITUTAR = value; }
    double KDV() const { return FKDV; }
    void SetKDV(double value) { FKDV = value; }
    int AKTAR() const { return FAKTAR; }
    void SetAKTAR(int value) { FAKTAR = value; }
    QString SAAT() const { return FSAAT; }
    void SetSAAT(const QString &value) { FSAAT = value; }
    double VERGITUTARI() const { return FVERGITUTARI; }
    void SetVERGITUTARI(double value) { FVERGITUTARI = value; }
    QString PKod() const { return FPKod; }
    void SetPKod(const QString &value) { FPKod = value; }
    QString MODEL() const { return FMODEL; }
    void SetMODEL(const QString &value) { FMODEL = value; }
    double INDIRIMTUTAR() const { return FINDIRIMTUTAR; }
    void SetINDIRIMTUTAR(double value) { FINDIRIMTUTAR = value; }
    int STOK_STOKNO() const { return FSTOK_STOKNO; }
    void SetSTOK_STOKNO(int value) { FSTOK_STOKNO = value; }
    double BIRIMFIYAT() const { return FBIRIMFIYAT; }
    void SetBIRIMFIYAT(double value) { FBIRIMFIYAT = value; }
    int SEC() const { return FSEC; }
    void SetSEC(int value) { FSEC = value; }
    QString OEM2() const { return FOEM2; }
    void SetOEM2(const QString &value) { FOEM2 = value; }
    QString OEM3() const { return FOEM3; }
    void SetOEM3(const QString &value) { FOEM3 = value; }
    QString AnaGrup() const { return FAnaGrup; }
    void SetAnaGrup(const QString &value) { FAnaGrup = value; }
    QString MARKA() const { return FMARKA; }
    void SetMARKA(const QString &value) { FMARKA = value; }
    QString VEREN() const { return FVEREN; }
    void SetVEREN(const QString &value) { FVEREN = value; }
    QString STOKADI() const { return FSTOKADI; }
    void SetSTOKADI(const QString &value) { FSTOKADI = value; }
    QString OEM1() const { return FOEM1; }
    void SetOEM1(const QString &value) { FOEM1 = value; }
    int CARINO() const { return FCARINO; }
    void SetCARINO(int value) { FCARINO = value; }
    int VERENSIRANO() const { return FVERENSIRANO; }
    void SetVERENSIRANO(int value) { FVERENSIRANO = value; }
    int ACIKLAMA() const { return FACIKLAMA; }
    void SetACIKLAMA(int value) { FACIKLAMA = value; }
    double INDIRIMORANI2() const { return FINDIRIMORANI2; }
    void SetINDIRIMORANI2(double value) { FINDIRIMORANI2 = value; }
    QString OEM4() const { return FOEM4; }
    void SetOEM4(const QString &value) { FOEM4 = value; }
    QString KUR() const { return FKUR; }
    void SetKUR(const QString &value) { FKUR = value; }
    double INDIRIMORANI3() const { return FINDIRIMORANI3; }
    void SetINDIRIMORANI3(double value) { FINDIRIMORANI3 = value; }
    int SIPARISNO() const { return FSIPARISNO; }
    void SetSIPARISNO(int value) { FSIPARISNO = value; }
    double IDNO() const { return FIDNO; }
    void SetIDNO(double value) { FIDNO = value; }
    QString OzelKod() const { return FOzelKod; }
    void SetOzelKod(const QString &value) { FOzelKod = value; }
    QString DpKod() const { return FDpKod; }
    void SetDpKod(const QString &value) { FDpKod = value; }
    double KURTL() const { return FKURTL; }
    void SetKURTL(double value) { FKURTL = value; }
    double INDIRIMORANI1() const { return FINDIRIMORANI1; }
    void SetINDIRIMORANI1(double value) { FINDIRIMORANI1 = value; }
    QString DIGERADI() const { return FDIGERADI; }
    void SetDIGERADI(const QString &value) { FDIGERADI = value; }
    QString Barkod() const { return FBarkod; }
    void SetBarkod(const QString &value) { FBarkod = value; }
    double TUTAR() const { return FTUTAR; }
    void SetTUTAR(double value) { FTUTAR = value; }
    QString URETICIKODU() const { return FURETICIKODU; }
    void SetURETICIKODU(const QString &value) { FURETICIKODU = value; }
    double Kalan() const { return FKalan; }
    void SetKalan(double value) { FKalan = value; }
    QString FINISHKOD() const { return FFINISHKOD; }
    void SetFINISHKOD(const QString &value) { FFINISHKOD = value; }
    QString CARIKOD() const { return FCARIKOD; }
    void SetCARIKOD(const QString &value) { FCARIKOD = value; }
    double NETBIRIMFIYAT() const { return FNETBIRIMFIYAT; }
    void SetNETBIRIMFIYAT(double value) { FNETBIRIMFIYAT = value; }
    QString OemNo() const { return FOemNo; }
    void SetOemNo(const QString &value) { FOemNo = value; }
    int TESLIMID() const { return FTESLIMID; }
    void SetTESLIMID(int value) { FTESLIMID = value; }
    int ResimVar() const { return FResimVar; }
    void SetResimVar(int value) { FResimVar = value; }
    QString Resim() const { return FResim; }
    void SetResim(const QString &value) { FResim = value; }

protected:
    void writeFields(FieldWriter &w) const override { visitFields(*this, w); }
    void readFields(const FieldReader &r) override { visitFields(*this, r); }

private:
    template <typename Self, typename V> static void visitFields(Self &s, V &v)
    {
        v("FKARGOID", s.FKARGOID);
        v("FStokNo", s.FStokNo);
        v("FTARIH", s.FTARIH);
        v("FSIRANO", s.FSIRANO);
        v("FCARIADI", s.FCARIADI);
        v("FVERILISTARIHI", s.FVERILISTARIHI);
        v("FDurum", s.FDurum);
        v("FMIKTAR", s.FMIKTAR);
        v("FVERENIDNO", s.FVERENIDNO);
        v("FNETTUTAR", s.FNETTUTAR);
        v("FKDVLITUTAR", s.FKDVLITUTAR);
        v("FKDV", s.FKDV);
        v("FAKTAR", s.FAKTAR);
        v("FSAAT", s.FSAAT);
        v("FVERGITUTARI", s.FVERGITUTARI);
        v("FPKod", s.FPKod);
        v("FMODEL", s.FMODEL);
        v("FINDIRIMTUTAR", s.FINDIRIMTUTAR);
        v("FSTOK_STOKNO", s.FSTOK_STOKNO);
        v("FBIRIMFIYAT", s.FBIRIMFIYAT);
        v("FSEC", s.FSEC);
        v("FOEM2", s.FOEM2);
        v("FOEM3", s.FOEM3);
        v("FAnaGrup", s.FAnaGrup);
        v("FMARKA", s.FMARKA);
        v("FVEREN", s.FVEREN);
        v("FSTOKADI", s.FSTOKADI);
        v("FOEM1", s.FOEM1);
        v("FCARINO", s.FCARINO);
        v("FVERENSIRANO", s.FVERENSIRANO);
        v("FACIKLAMA", s.FACIKLAMA);
        v("FINDIRIMORANI2", s.FINDIRIMORANI2);
        v("FOEM4", s.FOEM4);
        v("FKUR", s.FKUR);
        v("FINDIRIMORANI3", s.FINDIRIMORANI3);
        v("FSIPARISNO", s.FSIPARISNO);
        v("FIDNO", s.FIDNO);
        v("FOzelKod", s.FOzelKod);
        v("FDpKod", s.FDpKod);
        v("FKURTL", s.FKURTL);
        v("FINDIRIMORANI1", s.FINDIRIMORANI1);
        v("FDIGERADI", s.FDIGERADI);
        v("FBarkod", s.FBarkod);
        v("FTUTAR", s.FTUTAR);
        v("FURETICIKODU", s.FURETICIKODU);
        v("FKalan", s.FKalan);
        v("FFINISHKOD", s.FFINISHKOD);
        v("FCARIKOD", s.FCARIKOD);
        v("FNETBIRIMFIYAT", s.FNETBIRIMFIYAT);
        v("FOemNo", s.FOemNo);
        v("FTESLIMID", s.FTESLIMID);
        v("FResimVar", s.FResimVar);
        v("FResim", s.FResim);
    }

    int FKARGOID = 0;
    int FStokNo = 0;
    double FTARIH = 0.0;
    int FSIRANO = 0;
    QString FCARIADI;
    double FVERILISTARIHI = 0.0;
    int FDurum = 0;
    double FMIKTAR = 0.0;
    int FVERENIDNO = 0;
    double FNETTUTAR = 0.0;
    double FKDVLITUTAR = 0.0;
    double FKDV = 0.0;
    int FAKTAR = 0;
    QString FSAAT;
    double FVERGITUTARI = 0.0;
    QString FPKod;
    QString FMODEL;
    double FINDIRIMTUTAR = 0.0;
    int FSTOK_STOKNO = 0;
    double FBIRIMFIYAT = 0.0;
    int FSEC = 0;
    QString FOEM2;
    QString FOEM3;
    QString FAnaGrup;
    QString FMARKA;
    QString FVEREN;
    QString FSTOKADI;
    QString FOEM1;
    int FCARINO = 0;
    int FVERENSIRANO = 0;
    int FACIKLAMA = 0;
    double FINDIRIMORANI2 = 0.0;
    QString FOEM4;
    QString FKUR;
    double FINDIRIMORANI3 = 0.0;
    int FSIPARISNO = 0;
    double FIDNO = 0.0;
    QString FOzelKod;
    QString FDpKod;
    double FKURTL = 0.0;
    double FINDIRIMORANI1 = 0.0;
    QString FDIGERADI;
    QString FBarkod;
    double FTUTAR = 0.0;
    QString FURETICIKODU;
    double FKalan = 0.0;
    QString FFINISHKOD;
    QString FCARIKOD;
    double FNETBIRIMFIYAT = 0.0;
    QString FOemNo;
    int FTESLIMID = 0;
    int FResimVar = 0;
    QString FResim;
};

// The opening screens of the announcements tab; owns its screens.
class TAcilisEkranlariki : public TransferObject
{
public:
    QString typeName() const override { return QStringLiteral("mobilstokunit.TAcilisEkranlariki"); }

    const std::vector<std::unique_ptr<TAcilisEkran>> &Ekranlar() const { return FEkranlar; }
    std::vector<std::unique_ptr<TAcilisEkran>> &Ekranlar() { return FEkranlar; }
    void SetEkranlar(std::vector<std::unique_ptr<TAcilisEkran>> value)
    {
        FEkranlar = std::move(value);
    }

protected:
    void writeFields(FieldWriter &w) const override { w("FEkranlar", FEkranlar); }
    void readFields(const FieldReader &r) override { r("FEkranlar", FEkranlar); }

private:
    std::vector<std::unique_ptr<TAcilisEkran>> FEkranlar;
};

// An owning list of records; travels as an object whose one field "FItems" is the array
// of its elements.
template <typename T> class TransferList : public TransferObject
{
public:
    int Count() const { return int(FItems.size()); }
    T *Items(int index) const { return FItems.at(size_t(index)).get(); }
    T *Add(std::unique_ptr<T> item)
    {
        FItems.push_back(std::move(item));
        return FItems.back().get();
    }
    void Clear() { FItems.clear(); }

protected:
    void writeFields(FieldWriter &w) const override { w("FItems", FItems); }
    void readFields(const FieldReader &r) override { r("FItems", FItems); }

private:
    std::vector<std::unique_ptr<T>> FItems;
};

class TMobilStoklar : public TransferList<TMobilStok>
{
public:
    QString typeName() const override { return QStringLiteral("mobilstokunit.TMobilStoklar"); }
};

class TMobilSepetler : public TransferList<TMobilSepet>
{
public:
    QString typeName() const override { return QStringLiteral("mobilstokunit.TMobilSepetler"); }
};

class TAcilisEkranlar : public TransferList<TAcilisEkran>
{
public:
    QString typeName() const override { return QStringLiteral("mobilstokunit.TAcilisEkranlar"); }
};
