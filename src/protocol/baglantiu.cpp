#include "baglantiu.h"

void TSonucBilgisi::Kopyala(const TSonucBilgisi &source)
{
    SetBILGISAYARID(source.BILGISAYARID());
    SetSaticiMail(source.SaticiMail());
    SetSirano(source.Sirano());
    SetCariAdi(source.CariAdi());
    SetSIFRE(source.SIFRE());
    SetSaticiNo(source.SaticiNo());
    SetCARINO(source.CARINO());
    SetAKTIF(source.AKTIF());
    SetKullanicimail(source.Kullanicimail());
    SetADI(source.ADI());
    SetSaticiTelefon(source.SaticiTelefon());
    Setcarikod(source.carikod());
    SetVarmi(source.Varmi());
    SetSaticiAdi(source.SaticiAdi());
    SetBilgiSayarAdi(source.BilgiSayarAdi());
    SetDisip(source.Disip());
    SetIcip(source.Icip());
    SetBilgisayarKullanici(source.BilgisayarKullanici());
    SetMusteriTipi(source.MusteriTipi());
    SetVersion(source.Version());
}

void TSiparisDipAyrinti::Kopyala(const TSiparisDipAyrinti &source)
{
    SetSizinMesaj(source.SizinMesaj());
    SetDurumu(source.Durumu());
    SetVeren(source.Veren());
    SetKargo(source.Kargo());
    SetBizimMesaj(source.BizimMesaj());
    SetTeslimCinsi(source.TeslimCinsi());
    SetKargoCinsi(source.KargoCinsi());
    SetSaticiNotu(source.SaticiNotu());
}

void TTusSonuclari::Kopyala(const TTusSonuclari &source)
{
    SetAlindi(source.Alindi());
    SetOnaylandi(source.Onaylandi());
    SetParcaliHazirlandi(source.ParcaliHazirlandi());
    SetSevkEdildi(source.SevkEdildi());
    SetHazirlandi(source.Hazirlandi());
    SetGoruldu(source.Goruldu());
}
