#include "methodcatalogue.h"

#include "wirevalue.h"

#include <QRegularExpression>

#include <limits>

#include <stdexcept>

namespace {

// Signatures as the server interface declares them; parsed once.
const char *const kSignatures[] = {
    // Generic methods of the interface, served for diagnostics and tests.
    "EchoString(Value: string): string",
    "ReverseString(Value: string): string",
    // Login.
    "BuyukGetir(idsi: string): TSonucBilgisi",
    // Catalogue.
    "StokAraGetir(kod: string; bilgi: TSonucBilgisi): OleVariant",
    "ResimVer5(stokno: Integer; out boy: Int64): TStream",
    "SepetEkle2(bilgim: TSonucBilgisi; carino: Integer; stokno: Integer; barkod: string; "
    "stokadi: string; miktar: Double; kdv: Double; fiyat: Double; ind1: Double; "
    "verenid: Integer; k: Integer; ind2: Double; ind3: Double; ind4: Double): Integer",
    "SepetGuncelle2(bilgim: TSonucBilgisi; carino: Integer; stokno: Integer; barkod: string; "
    "stokadi: string; miktar: Double; kdv: Double; fiyat: Double; ind1: Double; "
    "verenid: Integer; _sepetsirano: Integer; ind2: Double; ind3: Double; ind4: Double): "
    "Integer",
    "YenilerVer2(carino: Integer): OleVariant",
    "KampanyaliVer2(cario: Integer; satici: Integer): OleVariant",
    "AcilisEkranlarVer2(): TAcilisEkranlariki",
    // Main-window content.
    "BalonGetir(bil: TSonucBilgisi): TDBXReader",
    "KayanYaziGetir(): string",
    "BannerResimVer(out size: Int64): TStream",
    "BannerResimVer2(out size: Int64): TStream",
    "BannerResimVer3(out size: Int64): TStream",
    "AcilisReklamAdet(): Integer",
    "AcilisREklamVer(sira: Integer): TAcilisEkran",
    // Basket.
    "SepetVer2(carino: Integer): OleVariant",
    "CariVadeGunGecmismiBul(carino: Integer): string",
    "SepetSatirSil(bilgi: TSonucBilgisi; satirno: Integer; aciklamam: string): Integer",
    "SepetHepsiniSil(bilgi: TSonucBilgisi): Integer",
    "SepetSecimGuncelle(sirano: Integer; secim: Integer)",
    // Order confirmation.
    "TeslimVer(): TDBXReader",
    "KargoVer(): TDBXReader",
    "KargolarVer(gn: Integer): TDBXReader",
    "SiparisKaydet(BB: TSonucBilgisi; _carino: Integer; _teslim: Integer; _kargo: Integer; "
    "_aciklama: string; _verenid: Integer; _kargoyeni: Integer): Boolean",
    // Orders, back orders, stock history.
    "OncekiSiparisler(carino: Integer): TDBXReader",
    "SiparisAyrintisi2(carino: Integer; idnosu: Integer): TDBXReader",
    "SiparisAytintisiDip(carino: Integer; siranosu: Integer): TSiparisDipAyrinti",
    "BakiyelerVer2(carino: Integer): TDBXReader",
    "BakiyeDuzenle(k: TSonucBilgisi; stokno: Integer; sepetsirano: Integer; "
    "siparissirano: Integer; Adet: Double; Bakiye: Double; barkod: string): Integer",
    "BakiyeDegistir(k: TSonucBilgisi; stokno: Integer; sepetsirano: Integer; "
    "siparissirano: Integer; Adet: Double; Bakiye: Double; barkod: string): Integer",
    "BakiyeFiyatDegistir(k: TSonucBilgisi; stokno: Integer; sepetsirano: Integer; "
    "siparissirano: Integer; Adet: Double; Bakiye: Double; barkod: string; fiyat: Double; "
    "ind: Double): Integer",
    "TumSiparislerVer(carino: Integer; stokno: Integer): TDBXReader",
    "StokHareketVer(carino: Integer; stokno: Integer): OleVariant",
    // Account and documents.
    "CariEkstreVer(carino: Integer): TDBXReader",
    "FaturaGetir(carino: Integer; idnosu: Integer): TDBXReader",
    "FaturaAltGetir(idnosu: Integer): TDBXReader",
    "Tahsilat(idnosu: Integer): TDBXReader",
    "SanalposSiranoVer(idnosu: Integer): Integer",
    "SAnalPosPdfVer(sirano: Integer; out boy: Int64): TStream",
    "CariDurumVer(carino: Integer): string",
    // Reports, customer selection, requests.
    "RaporAlinanSiparisler(bilgi: TSonucBilgisi; tarih1: Double; tarih2: Double): TDBXReader",
    "RaporEnCokSatilanStoklar(bilgi: TSonucBilgisi; tarih1: Double; tarih2: Double): "
    "TDBXReader",
    "RaporGetir(raporno: Integer; bolum: Integer; idno: Integer; carino: Integer; "
    "saticiadi: string; tarih1: Double; tarih2: Double; out size: Int64): TStream",
    "CariAra(bil: TSonucBilgisi; aranan: string): TDBXReader",
    "CariSepetVer(bil: TSonucBilgisi; n: Integer): TDBXReader",
    "SepetSayisi(bil: TSonucBilgisi): Integer",
    "TusSonuclariVer(bil: TSonucBilgisi): TTusSonuclari",
    "MobilCariBilgisiGetir(sirano: Integer; _idsi: string): TMobilCariBilgisi",
    "MailGonserCari(idsi: string; baslik: string; firmaadi: string; adres1: string; "
    "adres2: string; ilce: string; sehir: string; telefon: string; fax: string; vd: string; "
    "vn: string; yetkili: string; kullaniciadi: string; sifre: string; mail: string; "
    "kargoambar: string): Integer",
    "MailGonserCariNormal(idsi: string; baslik: string; firmaadi: string; adres1: string; "
    "adres2: string; ilce: string; sehir: string; telefon: string; fax: string; vd: string; "
    "vn: string; yetkili: string; kullaniciadi: string; sifre: string; mail: string; "
    "kargoambar: string; konu: string): Integer",
};

struct TypeName
{
    const char *declared;
    WireType type;
    const char *objectClass;
};

const TypeName kTypes[] = {
    { "Integer", WireType::Integer, nullptr },
    { "Int64", WireType::Int64, nullptr },
    { "Double", WireType::Double, nullptr },
    { "Boolean", WireType::Boolean, nullptr },
    { "string", WireType::String, nullptr },
    { "TDBXReader", WireType::Table, nullptr },
    { "OleVariant", WireType::Packet, nullptr },
    { "TStream", WireType::Stream, nullptr },
    { "TJSONArray", WireType::JsonArray, nullptr },
    { "TSonucBilgisi", WireType::Object, "baglantiu.TSonucBilgisi" },
    { "TSiparisDipAyrinti", WireType::Object, "baglantiu.TSiparisDipAyrinti" },
    { "TTusSonuclari", WireType::Object, "baglantiu.TTusSonuclari" },
    { "TMobilCariBilgisi", WireType::Object, "mobilstokunit.TMobilCariBilgisi" },
    { "TAcilisEkran", WireType::Object, "mobilstokunit.TAcilisEkran" },
    { "TAcilisEkranlariki", WireType::Object, "mobilstokunit.TAcilisEkranlariki" },
};

const TypeName &lookupType(const QString &declared)
{
    for (const TypeName &t : kTypes) {
        if (declared == QLatin1String(t.declared))
            return t;
    }
    throw std::logic_error("unknown type in method catalogue: " + declared.toStdString());
}

QString declaredName(WireType type, const QString &objectClass)
{
    if (type == WireType::Object)
        return objectClass.section(QLatin1Char('.'), 1);
    for (const TypeName &t : kTypes) {
        if (t.type == type)
            return QLatin1String(t.declared);
    }
    return {};
}

MethodInfo parse(const char *signature)
{
    static const QRegularExpression whole(QStringLiteral(R"(^(\w+)\(([^)]*)\)(?:\s*:\s*(\w+))?$)"));
    static const QRegularExpression param(QStringLiteral(R"(^(out\s+)?(\w+)\s*:\s*(\w+)$)"));
    const QString text = QString::fromLatin1(signature);
    const auto m = whole.match(text);
    if (!m.hasMatch())
        throw std::logic_error(std::string("bad signature: ") + signature);
    MethodInfo info;
    info.name = m.captured(1);
    const QString params = m.captured(2).trimmed();
    if (!params.isEmpty()) {
        for (const QString &part : params.split(QLatin1Char(';'))) {
            const auto pm = param.match(part.trimmed());
            if (!pm.hasMatch())
                throw std::logic_error(std::string("bad parameter in: ") + signature);
            const TypeName &t = lookupType(pm.captured(3));
            info.params.append({ pm.captured(2), t.type, !pm.captured(1).isEmpty(),
                t.objectClass ? QString::fromLatin1(t.objectClass) : QString() });
        }
    }
    if (m.capturedLength(3) > 0) {
        const TypeName &t = lookupType(m.captured(3));
        info.result = t.type;
        if (t.objectClass)
            info.resultClass = QString::fromLatin1(t.objectClass);
    }
    return info;
}

} // namespace

QString wireTypeName(WireType type)
{
    switch (type) {
    case WireType::None:
        return QStringLiteral("none");
    case WireType::Integer:
        return QStringLiteral("Integer");
    case WireType::Int64:
        return QStringLiteral("Int64");
    case WireType::Double:
        return QStringLiteral("Double");
    case WireType::Boolean:
        return QStringLiteral("Boolean");
    case WireType::String:
        return QStringLiteral("string");
    case WireType::Object:
        return QStringLiteral("object");
    case WireType::Table:
        return QStringLiteral("table");
    case WireType::Packet:
        return QStringLiteral("data packet");
    case WireType::Stream:
        return QStringLiteral("stream");
    case WireType::JsonArray:
        return QStringLiteral("JSON array");
    }
    return {};
}

QString MethodInfo::commandText() const
{
    return QLatin1String(MethodCatalogue::kServerClass) + QLatin1Char('.') + name;
}

QString MethodInfo::signature() const
{
    QStringList parts;
    for (const MethodParam &p : params) {
        parts << (p.out ? QStringLiteral("out ") : QString()) + p.name + QStringLiteral(": ")
                + declaredName(p.type, p.objectClass);
    }
    QString text = name + QLatin1Char('(') + parts.join(QStringLiteral("; ")) + QLatin1Char(')');
    if (result != WireType::None)
        text += QStringLiteral(": ") + declaredName(result, resultClass);
    return text;
}

namespace MethodCatalogue {

const QVector<MethodInfo> &methods()
{
    static const QVector<MethodInfo> all = [] {
        QVector<MethodInfo> list;
        for (const char *s : kSignatures)
            list.append(parse(s));
        return list;
    }();
    return all;
}

const MethodInfo *find(QStringView name)
{
    const QLatin1String prefix(kServerClass);
    if (name.startsWith(prefix) && name.size() > prefix.size() && name[prefix.size()] == u'.')
        name = name.mid(prefix.size() + 1);
    for (const MethodInfo &m : methods()) {
        if (m.name == name)
            return &m;
    }
    return nullptr;
}

} // namespace MethodCatalogue

QString checkWireValue(const WireValue &value, WireType type, const QString &objectClass)
{
    using K = WireValue::Kind;
    const K kind = value.kind();
    if (kind == K::Null) {
        switch (type) {
        case WireType::Object:
        case WireType::Table:
        case WireType::Packet:
        case WireType::Stream:
        case WireType::JsonArray:
            return {};
        default:
            return QStringLiteral("null is not a %1").arg(wireTypeName(type));
        }
    }
    bool fits = false;
    switch (type) {
    case WireType::None:
        break;
    case WireType::Integer:
        fits = kind == K::Integer && value.toInteger() >= std::numeric_limits<qint32>::min()
            && value.toInteger() <= std::numeric_limits<qint32>::max();
        break;
    case WireType::Int64:
        fits = kind == K::Integer;
        break;
    case WireType::Double:
        fits = kind == K::Double || kind == K::Integer;
        break;
    case WireType::Boolean:
        fits = kind == K::Boolean;
        break;
    case WireType::String:
        fits = kind == K::String;
        break;
    case WireType::Table:
        fits = kind == K::Table;
        break;
    case WireType::Packet:
        fits = kind == K::Packet;
        break;
    case WireType::Stream:
        fits = kind == K::Bytes;
        break;
    case WireType::JsonArray:
        fits = kind == K::Array;
        break;
    case WireType::Object:
        if (kind == K::Object) {
            if (value.toObject().type == objectClass)
                return {};
            return QStringLiteral("object of class %1 where %2 is expected")
                .arg(value.toObject().type, objectClass);
        }
        break;
    }
    if (fits)
        return {};
    return QStringLiteral("%1 value where %2 is expected")
        .arg(
            WireValue::kindName(kind), type == WireType::Object ? objectClass : wireTypeName(type));
}
