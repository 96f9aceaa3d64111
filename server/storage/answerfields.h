#pragma once

#include <memory>

#include "dataset.h"

#include <QVector>

// The fields of every table answer, names and types exactly as the client reads them.
namespace AnswerFields {

// An answer with all its columns and no rows.
inline std::shared_ptr<Dataset> emptyAnswer(const QVector<FieldDef> &fields)
{
    auto out = std::make_shared<Dataset>();
    out->BeginLoad(fields);
    out->EndLoad();
    return out;
}


// The three stock lists.
inline const QVector<FieldDef> &stockFields()
{
    static const QVector<FieldDef> defs{
        {QStringLiteral("STOK_STOKNO"), FieldType::Integer, 0},
        {QStringLiteral("BARKOD"), FieldType::String, 0},
        {QStringLiteral("ADI"), FieldType::String, 0},
        {QStringLiteral("DIGERADI"), FieldType::String, 0},
        {QStringLiteral("OEM1"), FieldType::String, 0},
        {QStringLiteral("OEM2"), FieldType::String, 0},
        {QStringLiteral("OEM3"), FieldType::String, 0},
        {QStringLiteral("OEM4"), FieldType::String, 0},
        {QStringLiteral("OEMNO"), FieldType::String, 0},
        {QStringLiteral("FINISHKOD"), FieldType::String, 0},
        {QStringLiteral("URETICIKODU"), FieldType::String, 0},
        {QStringLiteral("DPKOD"), FieldType::String, 0},
        {QStringLiteral("PKOD"), FieldType::String, 0},
        {QStringLiteral("BARKOD_BARKODNO"), FieldType::Integer, 0},
        {QStringLiteral("MARKA"), FieldType::String, 0},
        {QStringLiteral("MODEL"), FieldType::String, 0},
        {QStringLiteral("ANAGRUP"), FieldType::String, 0},
        {QStringLiteral("OZELKOD"), FieldType::String, 0},
        {QStringLiteral("BIRIM"), FieldType::String, 0},
        {QStringLiteral("DURUM"), FieldType::Integer, 0},
        {QStringLiteral("RESIM"), FieldType::Integer, 0},
        {QStringLiteral("Y"), FieldType::Integer, 0},
        {QStringLiteral("K"), FieldType::Integer, 0},
        {QStringLiteral("KDV"), FieldType::Float, 0},
        {QStringLiteral("FIYAT"), FieldType::Float, 0},
        {QStringLiteral("LISTEFIYAT1"), FieldType::Float, 0},
        {QStringLiteral("KAMPFIYAT"), FieldType::Float, 0},
        {QStringLiteral("ESKIFIYAT"), FieldType::Float, 0},
        {QStringLiteral("NETFIYAT"), FieldType::Float, 0},
        {QStringLiteral("KDVDAHIL"), FieldType::Float, 0},
        {QStringLiteral("IND1"), FieldType::Float, 0},
        {QStringLiteral("IND2"), FieldType::Float, 0},
        {QStringLiteral("IND3"), FieldType::Float, 0},
        {QStringLiteral("IND4"), FieldType::Float, 0},
        {QStringLiteral("INDIRIMYAZI"), FieldType::String, 0},
        {QStringLiteral("INDIRIM"), FieldType::Float, 0},
        {QStringLiteral("KALAN"), FieldType::Float, 0},
        {QStringLiteral("ALINANSIPARIS"), FieldType::Float, 0},
        {QStringLiteral("VERILENSIPARIS"), FieldType::Float, 0},
    };
    return defs;
}

// Basket, order, back-order and order-movement lines.
inline const QVector<FieldDef> &orderLineFields()
{
    static const QVector<FieldDef> defs{
        {QStringLiteral("SEC"), FieldType::Integer, 0},
        {QStringLiteral("VERILISTARIHI"), FieldType::Date, 0},
        {QStringLiteral("SIRANO"), FieldType::Integer, 0},
        {QStringLiteral("SIPARISNO"), FieldType::Integer, 0},
        {QStringLiteral("CARINO"), FieldType::Integer, 0},
        {QStringLiteral("TARIH"), FieldType::Date, 0},
        {QStringLiteral("AKTAR"), FieldType::Integer, 0},
        {QStringLiteral("STOKNO"), FieldType::Integer, 0},
        {QStringLiteral("BARKOD"), FieldType::String, 0},
        {QStringLiteral("FINISHKOD"), FieldType::String, 0},
        {QStringLiteral("OEMNO"), FieldType::String, 0},
        {QStringLiteral("STOKADI"), FieldType::String, 0},
        {QStringLiteral("MIKTAR"), FieldType::Float, 0},
        {QStringLiteral("BIRIMFIYAT"), FieldType::Float, 0},
        {QStringLiteral("ILKFIYAT"), FieldType::Float, 0},
        {QStringLiteral("TUTAR"), FieldType::Float, 0},
        {QStringLiteral("INDIRIMYAZI"), FieldType::String, 0},
        {QStringLiteral("INDIRIMORANI1"), FieldType::Float, 0},
        {QStringLiteral("INDIRIMORANI2"), FieldType::Float, 0},
        {QStringLiteral("INDIRIMORANI3"), FieldType::Float, 0},
        {QStringLiteral("INDIRIMORANI4"), FieldType::Float, 0},
        {QStringLiteral("INDIRIMTUTAR"), FieldType::Float, 0},
        {QStringLiteral("NETBIRIMFIYAT"), FieldType::Float, 0},
        {QStringLiteral("KDV"), FieldType::Float, 0},
        {QStringLiteral("VERGITUTARI"), FieldType::Float, 0},
        {QStringLiteral("NETTUTAR"), FieldType::Float, 0},
        {QStringLiteral("KUR"), FieldType::String, 0},
        {QStringLiteral("KURTL"), FieldType::Float, 0},
        {QStringLiteral("VERENIDNO"), FieldType::Integer, 0},
        {QStringLiteral("SAAT"), FieldType::String, 0},
        {QStringLiteral("TESLIMID"), FieldType::Integer, 0},
        {QStringLiteral("KARGOID"), FieldType::Integer, 0},
        {QStringLiteral("ACIKLAMA"), FieldType::String, 0},
        {QStringLiteral("IDNO"), FieldType::Integer, 0},
        {QStringLiteral("VERENSIRANO"), FieldType::Integer, 0},
        {QStringLiteral("VEREN"), FieldType::String, 0},
        {QStringLiteral("CARIKOD"), FieldType::String, 0},
        {QStringLiteral("CARIADI"), FieldType::String, 0},
        {QStringLiteral("OEM1"), FieldType::String, 0},
        {QStringLiteral("OEM2"), FieldType::String, 0},
        {QStringLiteral("OEM3"), FieldType::String, 0},
        {QStringLiteral("OEM4"), FieldType::String, 0},
        {QStringLiteral("STOK_STOKNO"), FieldType::Integer, 0},
        {QStringLiteral("URETICIKODU"), FieldType::String, 0},
        {QStringLiteral("DIGERADI"), FieldType::String, 0},
        {QStringLiteral("DPKOD"), FieldType::String, 0},
        {QStringLiteral("PKOD"), FieldType::String, 0},
        {QStringLiteral("MARKA"), FieldType::String, 0},
        {QStringLiteral("MODEL"), FieldType::String, 0},
        {QStringLiteral("ANAGRUP"), FieldType::String, 0},
        {QStringLiteral("OZELKOD"), FieldType::String, 0},
        {QStringLiteral("TESLIM"), FieldType::String, 0},
        {QStringLiteral("KARGO"), FieldType::String, 0},
        {QStringLiteral("TESLIMEDILEN"), FieldType::Float, 0},
        {QStringLiteral("KALAN"), FieldType::Float, 0},
        {QStringLiteral("STOKHAR_NO"), FieldType::Integer, 0},
        {QStringLiteral("ELDEKI"), FieldType::Float, 0},
        {QStringLiteral("DURUM"), FieldType::Integer, 0},
        {QStringLiteral("ALINANSIPARIS"), FieldType::Float, 0},
        {QStringLiteral("VERILENSIPARIS"), FieldType::Float, 0},
    };
    return defs;
}

// Previous orders.
inline const QVector<FieldDef> &orderFields()
{
    static const QVector<FieldDef> defs{
        {QStringLiteral("CARINO"), FieldType::Integer, 0},
        {QStringLiteral("IDNO"), FieldType::Integer, 0},
        {QStringLiteral("TARIH"), FieldType::Date, 0},
        {QStringLiteral("KUR"), FieldType::String, 0},
        {QStringLiteral("KURTL"), FieldType::Float, 0},
        {QStringLiteral("VERENIDNO"), FieldType::Integer, 0},
        {QStringLiteral("KARGO"), FieldType::String, 0},
        {QStringLiteral("TESLIM"), FieldType::String, 0},
        {QStringLiteral("VEREN"), FieldType::String, 0},
        {QStringLiteral("CARIKOD"), FieldType::String, 0},
        {QStringLiteral("CARIADI"), FieldType::String, 0},
        {QStringLiteral("VERGI"), FieldType::Float, 0},
        {QStringLiteral("NETTUTAR"), FieldType::Float, 0},
        {QStringLiteral("TUTAR"), FieldType::Float, 0},
        {QStringLiteral("DURUM"), FieldType::String, 0},
        {QStringLiteral("KARGOADI"), FieldType::String, 0},
        {QStringLiteral("VERENINNOTU"), FieldType::Memo, 0},
        {QStringLiteral("ALANNOTU"), FieldType::Memo, 0},
    };
    return defs;
}

// Movements of one stock.
inline const QVector<FieldDef> &stockMovementFields()
{
    static const QVector<FieldDef> defs{
        {QStringLiteral("BARKOD"), FieldType::String, 0},
        {QStringLiteral("TARIH"), FieldType::Date, 0},
        {QStringLiteral("TURU"), FieldType::String, 0},
        {QStringLiteral("EVRAKSERI"), FieldType::String, 0},
        {QStringLiteral("EVRAKSIRA"), FieldType::Integer, 0},
        {QStringLiteral("MIKTAR"), FieldType::Float, 0},
        {QStringLiteral("TLBIRIMFIYAT"), FieldType::Float, 0},
        {QStringLiteral("TLVERGI"), FieldType::Float, 0},
        {QStringLiteral("TLTUTAR"), FieldType::Float, 0},
        {QStringLiteral("INDIRIM1"), FieldType::Float, 0},
        {QStringLiteral("INDIRIM2"), FieldType::Float, 0},
        {QStringLiteral("INDIRIM3"), FieldType::Float, 0},
        {QStringLiteral("INDIRIM4"), FieldType::Float, 0},
        {QStringLiteral("INDIRIM5"), FieldType::Float, 0},
        {QStringLiteral("INDIRIM6"), FieldType::Float, 0},
        {QStringLiteral("INDIRIM7"), FieldType::Float, 0},
        {QStringLiteral("INDIRIM8"), FieldType::Float, 0},
        {QStringLiteral("TOPLAMINDIRIM"), FieldType::Float, 0},
        {QStringLiteral("MASRAF1"), FieldType::Float, 0},
        {QStringLiteral("MASRAF2"), FieldType::Float, 0},
        {QStringLiteral("TOPLAMMASRAF"), FieldType::Float, 0},
        {QStringLiteral("NETBIRIMFIYAT"), FieldType::Float, 0},
        {QStringLiteral("NETTLTUTAR"), FieldType::Float, 0},
        {QStringLiteral("VADE"), FieldType::Integer, 0},
        {QStringLiteral("STOKCARIKOD"), FieldType::String, 0},
        {QStringLiteral("KDVDAHILBIRIMFIYAT"), FieldType::Float, 0},
        {QStringLiteral("KDVDAHILTUTAR"), FieldType::Float, 0},
        {QStringLiteral("SATICI"), FieldType::String, 0},
    };
    return defs;
}

// Account statement.
inline const QVector<FieldDef> &statementFields()
{
    static const QVector<FieldDef> defs{
        {QStringLiteral("CARINO"), FieldType::Integer, 0},
        {QStringLiteral("TARIH"), FieldType::Date, 0},
        {QStringLiteral("TURADI"), FieldType::String, 0},
        {QStringLiteral("EVRAK"), FieldType::String, 0},
        {QStringLiteral("BORC"), FieldType::Float, 0},
        {QStringLiteral("ALACAK"), FieldType::Float, 0},
        {QStringLiteral("KUR"), FieldType::String, 0},
        {QStringLiteral("BAKIYE"), FieldType::Float, 0},
        {QStringLiteral("D"), FieldType::String, 1},
        {QStringLiteral("IDNO"), FieldType::Integer, 0},
        {QStringLiteral("ACIKLAMA"), FieldType::String, 0},
    };
    return defs;
}

// Invoice lines; document data repeated on every row.
inline const QVector<FieldDef> &invoiceLineFields()
{
    static const QVector<FieldDef> defs{
        {QStringLiteral("OEMNO"), FieldType::String, 0},
        {QStringLiteral("STOKADI"), FieldType::String, 0},
        {QStringLiteral("FINISHKOD"), FieldType::String, 0},
        {QStringLiteral("MARKA"), FieldType::String, 0},
        {QStringLiteral("MODEL"), FieldType::String, 0},
        {QStringLiteral("ANAGRUP"), FieldType::String, 0},
        {QStringLiteral("OZELKOD"), FieldType::String, 0},
        {QStringLiteral("BIRIM"), FieldType::String, 0},
        {QStringLiteral("BARKOD"), FieldType::String, 0},
        {QStringLiteral("STOKHAR_HAREKETTARIHI"), FieldType::Date, 0},
        {QStringLiteral("STOKHAR_HAREKETTIPI2"), FieldType::String, 0},
        {QStringLiteral("EVRAKNO"), FieldType::String, 0},
        {QStringLiteral("STOKHAR_MIKTAR"), FieldType::Float, 0},
        {QStringLiteral("STOKHAR_TLBIRIMFIYATI"), FieldType::Float, 0},
        {QStringLiteral("STOKHAR_TLVERGI"), FieldType::Float, 0},
        {QStringLiteral("STOKHAR_TLTUTAR"), FieldType::Float, 0},
        {QStringLiteral("STOKHAR_INDIRIM1"), FieldType::Float, 0},
        {QStringLiteral("STOKHAR_INDIRIM2"), FieldType::Float, 0},
        {QStringLiteral("STOKHAR_INDIRIM3"), FieldType::Float, 0},
        {QStringLiteral("STOKHAR_INDIRIM4"), FieldType::Float, 0},
        {QStringLiteral("STOKHAR_INDIRIM5"), FieldType::Float, 0},
        {QStringLiteral("STOKHAR_INDIRIM6"), FieldType::Float, 0},
        {QStringLiteral("STOKHAR_INDIRIM7"), FieldType::Float, 0},
        {QStringLiteral("STOKHAR_INDIRIM8"), FieldType::Float, 0},
        {QStringLiteral("STOKHAR_DOVIZBIRIMFIYATI"), FieldType::Float, 0},
        {QStringLiteral("STOKHAR_DOVIZVERGI"), FieldType::Float, 0},
        {QStringLiteral("STOKHAR_DOVIZTUTAR"), FieldType::Float, 0},
        {QStringLiteral("IRSALIYEEVRAKNO"), FieldType::String, 0},
        {QStringLiteral("STOKHAR_IRSTARIHI"), FieldType::Date, 0},
        {QStringLiteral("KDV"), FieldType::Float, 0},
        {QStringLiteral("STOKHAR_PARTI"), FieldType::String, 0},
        {QStringLiteral("STOKHAR_BEDEN"), FieldType::String, 0},
        {QStringLiteral("STOKHAR_RENK"), FieldType::String, 0},
        {QStringLiteral("SATIRACIKLMASI"), FieldType::String, 0},
        {QStringLiteral("STOKHAR_TOPLAMINDIRIM"), FieldType::Float, 0},
        {QStringLiteral("STOKHAR_MASRAF1"), FieldType::Float, 0},
        {QStringLiteral("STOKHAR_MASRAF2"), FieldType::Float, 0},
        {QStringLiteral("STOKHAR_TOPLAMMASRAF"), FieldType::Float, 0},
        {QStringLiteral("STOKHAR_DOVIZTOPLAMINDIRIM"), FieldType::Float, 0},
        {QStringLiteral("STOKHAR_DOVIZTOPLAMMASRAF"), FieldType::Float, 0},
        {QStringLiteral("STOKHAR_SAAT"), FieldType::String, 0},
        {QStringLiteral("STOKHAR_NETTLBIRIMFIYATI"), FieldType::Float, 0},
        {QStringLiteral("STOKHAR_NETDOVIZBIRIMFIYATI"), FieldType::Float, 0},
        {QStringLiteral("STOKHAR_NETTLTUTAR"), FieldType::Float, 0},
        {QStringLiteral("STOKHAR_NETDOVIZTUTAR"), FieldType::Float, 0},
        {QStringLiteral("STOKHAR_KURTL"), FieldType::Float, 0},
        {QStringLiteral("STOKHAR_VADE"), FieldType::Integer, 0},
        {QStringLiteral("SIPARISTIPI"), FieldType::Integer, 0},
        {QStringLiteral("SIPARISEVRAKNO"), FieldType::String, 0},
        {QStringLiteral("SIPARISTARIHI"), FieldType::Date, 0},
        {QStringLiteral("IRSALIYETIPINO"), FieldType::Integer, 0},
        {QStringLiteral("IRSALIYETIP2"), FieldType::String, 0},
        {QStringLiteral("STOKCARIKOD"), FieldType::String, 0},
        {QStringLiteral("SUBE_NO"), FieldType::Integer, 0},
        {QStringLiteral("STOKHAR_CARINO"), FieldType::Integer, 0},
        {QStringLiteral("KUR_KURSIMGE"), FieldType::String, 0},
        {QStringLiteral("SATICIADI"), FieldType::String, 0},
        {QStringLiteral("URETICIKODU"), FieldType::String, 0},
        {QStringLiteral("DPKOD"), FieldType::String, 0},
        {QStringLiteral("ENADI"), FieldType::String, 0},
        {QStringLiteral("PKOD"), FieldType::String, 0},
        {QStringLiteral("BELGENO"), FieldType::String, 0},
        {QStringLiteral("IDNO"), FieldType::Integer, 0},
    };
    return defs;
}

// Invoice footer, one row.
inline const QVector<FieldDef> &invoiceTotalFields()
{
    static const QVector<FieldDef> defs{
        {QStringLiteral("TOPLAM"), FieldType::Float, 0},
        {QStringLiteral("TOPLAMINDIRIM"), FieldType::Float, 0},
        {QStringLiteral("MATRAH"), FieldType::Float, 0},
        {QStringLiteral("KDVTUTAR"), FieldType::Float, 0},
        {QStringLiteral("KDVDAHIL"), FieldType::Float, 0},
    };
    return defs;
}

// Collection detail; the names are shown as headers.
inline const QVector<FieldDef> &collectionFields()
{
    static const QVector<FieldDef> defs{
        {QStringLiteral("Tarih"), FieldType::Date, 0},
        {QStringLiteral("Türü"), FieldType::String, 0},
        {QStringLiteral("Cins"), FieldType::String, 0},
        {QStringLiteral("EvrakNo"), FieldType::String, 0},
        {QStringLiteral("Vade"), FieldType::Date, 0},
        {QStringLiteral("Tutar"), FieldType::Float, 0},
        {QStringLiteral("Kur"), FieldType::String, 0},
        {QStringLiteral("KurTL"), FieldType::Float, 0},
        {QStringLiteral("Açıklama"), FieldType::String, 0},
        {QStringLiteral("Döviz Tutar"), FieldType::Float, 0},
        {QStringLiteral("Ref"), FieldType::String, 0},
        {QStringLiteral("Saat"), FieldType::String, 0},
    };
    return defs;
}

// Report of orders taken; declared fields.
inline const QVector<FieldDef> &ordersTakenFields()
{
    static const QVector<FieldDef> defs{
        {QStringLiteral("SATICIADI"), FieldType::String, 50},
        {QStringLiteral("IDNO"), FieldType::Float, 0},
        {QStringLiteral("CARINO"), FieldType::Integer, 0},
        {QStringLiteral("TARIH"), FieldType::Date, 0},
        {QStringLiteral("KUR"), FieldType::String, 5},
        {QStringLiteral("KURTL"), FieldType::Float, 0},
        {QStringLiteral("VERENIDNO"), FieldType::Integer, 0},
        {QStringLiteral("KARGO"), FieldType::String, 50},
        {QStringLiteral("TESLIM"), FieldType::String, 50},
        {QStringLiteral("VEREN"), FieldType::String, 50},
        {QStringLiteral("CARIKOD"), FieldType::String, 25},
        {QStringLiteral("CARIADI"), FieldType::String, 100},
        {QStringLiteral("DURUM"), FieldType::String, 100},
        {QStringLiteral("KARGOADI"), FieldType::String, 50},
        {QStringLiteral("VERGI"), FieldType::Float, 0},
        {QStringLiteral("NETTUTAR"), FieldType::Float, 0},
        {QStringLiteral("TUTAR"), FieldType::Float, 0},
    };
    return defs;
}

// Report of stock sold; declared fields.
inline const QVector<FieldDef> &stocksSoldFields()
{
    static const QVector<FieldDef> defs{
        {QStringLiteral("BARKOD"), FieldType::String, 50},
        {QStringLiteral("KOD"), FieldType::String, 50},
        {QStringLiteral("ADI"), FieldType::String, 100},
        {QStringLiteral("DEPARTMAN"), FieldType::String, 50},
        {QStringLiteral("MIKTAR"), FieldType::Float, 0},
        {QStringLiteral("NETTUTAR"), FieldType::Float, 0},
        {QStringLiteral("TLVERGI"), FieldType::Float, 0},
        {QStringLiteral("TUTAR"), FieldType::Float, 0},
    };
    return defs;
}

// Customer selection list.
inline const QVector<FieldDef> &customerFields()
{
    static const QVector<FieldDef> defs{
        {QStringLiteral("CARINO"), FieldType::Integer, 0},
        {QStringLiteral("CARIKOD"), FieldType::String, 0},
        {QStringLiteral("CARIADI"), FieldType::String, 0},
        {QStringLiteral("SATICISI"), FieldType::String, 0},
        {QStringLiteral("TLBAKIYE"), FieldType::Float, 0},
        {QStringLiteral("DURUM"), FieldType::String, 0},
        {QStringLiteral("OZELKOD"), FieldType::String, 0},
        {QStringLiteral("KOD1"), FieldType::String, 0},
        {QStringLiteral("KOD2"), FieldType::String, 0},
        {QStringLiteral("KOD3"), FieldType::String, 0},
        {QStringLiteral("KOD4"), FieldType::String, 0},
        {QStringLiteral("KOD5"), FieldType::String, 0},
        {QStringLiteral("TEL1"), FieldType::String, 0},
        {QStringLiteral("TEL2"), FieldType::String, 0},
        {QStringLiteral("ILCE"), FieldType::String, 0},
        {QStringLiteral("IL"), FieldType::String, 0},
        {QStringLiteral("GSM"), FieldType::String, 0},
        {QStringLiteral("SEPET"), FieldType::Integer, 0},
        {QStringLiteral("YETKILI"), FieldType::String, 0},
        {QStringLiteral("INDIRIM"), FieldType::Float, 0},
        {QStringLiteral("VADE"), FieldType::Integer, 0},
        {QStringLiteral("VADEKONTROLGUN"), FieldType::Integer, 0},
        {QStringLiteral("VADEKONTROLAY"), FieldType::Integer, 0},
        {QStringLiteral("VERGIDAIRESI"), FieldType::String, 0},
        {QStringLiteral("VERGINO"), FieldType::String, 0},
        {QStringLiteral("ADRES1"), FieldType::String, 0},
        {QStringLiteral("ADRES2"), FieldType::String, 0},
        {QStringLiteral("ANAGRUP"), FieldType::String, 0},
        {QStringLiteral("ALTGRUP"), FieldType::String, 0},
        {QStringLiteral("FAX1"), FieldType::String, 0},
        {QStringLiteral("FAX2"), FieldType::String, 0},
        {QStringLiteral("EMAIL"), FieldType::String, 0},
        {QStringLiteral("ALINDI"), FieldType::Integer, 0},
        {QStringLiteral("ONAYLANDI"), FieldType::Integer, 0},
        {QStringLiteral("GORULDU"), FieldType::Integer, 0},
        {QStringLiteral("HAZIRLANDI"), FieldType::Integer, 0},
        {QStringLiteral("PARCALIHAZIRLANDI"), FieldType::Integer, 0},
    };
    return defs;
}

// Cargo companies of one type.
inline const QVector<FieldDef> &cargoCompanyFields()
{
    static const QVector<FieldDef> defs{
        {QStringLiteral("ADI"), FieldType::String, 0},
        {QStringLiteral("SIRANO"), FieldType::Integer, 0},
        {QStringLiteral("UYARI"), FieldType::String, 0},
    };
    return defs;
}

// Delivery modes and cargo types, read by position.
inline const QVector<FieldDef> &idNameFields()
{
    static const QVector<FieldDef> defs{
        {QStringLiteral("ID"), FieldType::Integer, 0},
        {QStringLiteral("ADI"), FieldType::String, 0},
    };
    return defs;
}

// Tab counts, read by position.
inline const QVector<FieldDef> &badgeFields()
{
    static const QVector<FieldDef> defs{
        {QStringLiteral("SEPET"), FieldType::Integer, 0},
        {QStringLiteral("YENI"), FieldType::Integer, 0},
        {QStringLiteral("KAMPANYA"), FieldType::Integer, 0},
        {QStringLiteral("DUYURU"), FieldType::Integer, 0},
        {QStringLiteral("BAKIYE"), FieldType::Float, 0},
    };
    return defs;
}

} // namespace AnswerFields
