// Orders, back orders, account documents, reports, customer selection and mail.
#include "distributorservice.h"

#include "answerfields.h"
#include "baglantiu.h"
#include "mobilstokunit.h"
#include "numberformat.h"
#include "pdfdocuments.h"
#include "pricing.h"
#include "searchtext.h"
#include "serviceerror.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QSaveFile>
#include <QUuid>

#include <algorithm>
#include <cmath>

namespace {

QString amount(double v)
{
    static const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
    return FormatFloat(kAmountFormat, v, turkish);
}

QString dayText(double day)
{
    return dayNumberToDate(day).toString(QStringLiteral("dd.MM.yyyy"));
}

// The mail text arrives as the memo's lines joined with ','; a line holding a blank, a
// control character, a comma or a quote is quoted, with inner quotes doubled.
QStringList splitMemoLines(const QString &text)
{
    QStringList lines;
    QString current;
    bool quoted = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                    current.append(c);
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                current.append(c);
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            lines.append(current);
            current.clear();
        } else {
            current.append(c);
        }
    }
    if (!current.isEmpty() || !lines.isEmpty())
        lines.append(current);
    return lines;
}

QByteArray encodedWord(const QString &text)
{
    return "=?UTF-8?B?" + text.toUtf8().toBase64() + "?=";
}

}  // namespace

// --- orders and back orders ------------------------------------------------------------------

DatasetPtr DistributorService::OncekiSiparisler(int carino)
{
    requireAccount(carino);
    return m_storage.orders(carino);
}

DatasetPtr DistributorService::SiparisAyrintisi2(int carino, int idnosu)
{
    const auto footer = m_storage.orderFooter(idnosu);
    if (!footer || footer->accountId != carino)
        throw ServiceError(QStringLiteral("Sipariş bulunamadı: %1").arg(idnosu));
    return m_storage.orderLines(idnosu);
}

std::unique_ptr<TSiparisDipAyrinti> DistributorService::SiparisAytintisiDip(int /*carino*/,
                                                                           int siranosu)
{
    auto out = std::make_unique<TSiparisDipAyrinti>();
    if (const auto f = m_storage.orderFooter(siranosu)) {
        out->SetSizinMesaj(f->customerNote);
        out->SetDurumu(f->status);
        out->SetVeren(f->user);
        out->SetKargo(f->cargoCompany);
        out->SetBizimMesaj(f->distributorNote);
        out->SetTeslimCinsi(f->delivery);
        out->SetKargoCinsi(f->cargoType);
        out->SetSaticiNotu(f->repNote);
    }
    return out;
}

DatasetPtr DistributorService::BakiyelerVer2(int carino)
{
    if (carino == 0)
        return AnswerFields::emptyAnswer(AnswerFields::orderLineFields());
    requireAccount(carino);
    return m_storage.backOrders(carino);
}

OrderLineRecord DistributorService::ownBackOrderLine(const Actor &, int carino,
                                                     int sepetsirano, int siparissirano) const
{
    const auto line = m_storage.orderLine(siparissirano);
    if (!line || line->accountId != carino
        || (sepetsirano != 0 && line->basketLineId != sepetsirano))
        throw ServiceError(QStringLiteral("Bakiye satırı bulunamadı: %1").arg(siparissirano));
    return *line;
}

int DistributorService::BakiyeDuzenle(const TSonucBilgisi *k, int /*stokno*/, int sepetsirano,
                                      int siparissirano, double, double, const QString &)
{
    const int carino = k ? k->CARINO() : 0;
    const Actor actor = actingFor(k, carino);
    m_storage.transaction([&] {
        OrderLineRecord line = ownBackOrderLine(actor, carino, sepetsirano, siparissirano);
        line.open = 0;
        m_storage.updateOrderLine(line);
    });
    return 1;
}

int DistributorService::BakiyeDegistir(const TSonucBilgisi *k, int /*stokno*/, int sepetsirano,
                                       int siparissirano, double, double Bakiye,
                                       const QString &)
{
    const int carino = k ? k->CARINO() : 0;
    const Actor actor = actingFor(k, carino);
    if (!std::isfinite(Bakiye) || Bakiye <= 0)
        throw ServiceError(QStringLiteral("Geçersiz bakiye miktarı."));
    m_storage.transaction([&] {
        OrderLineRecord line = ownBackOrderLine(actor, carino, sepetsirano, siparissirano);
        if (Bakiye > line.amounts.quantity - line.delivered)
            throw ServiceError(QStringLiteral("Bakiye, sipariş miktarından teslim edilen "
                                              "miktar düşüldükten kalanı aşamaz."));
        line.open = Bakiye;
        m_storage.updateOrderLine(line);
    });
    return 1;
}

int DistributorService::BakiyeFiyatDegistir(const TSonucBilgisi *k, int /*stokno*/,
                                            int sepetsirano, int siparissirano, double, double,
                                            const QString &, double fiyat, double ind)
{
    const int carino = k ? k->CARINO() : 0;
    const Actor actor = actingFor(k, carino);
    if (actor.user.role != 2)
        throw ServiceError(QStringLiteral("Fiyat değiştirme yetkiniz yok."));
    if (!std::isfinite(fiyat) || fiyat < 0 || !std::isfinite(ind) || ind < 0 || ind > 100)
        throw ServiceError(QStringLiteral("Geçersiz fiyat veya iskonto."));
    m_storage.transaction([&] {
        OrderLineRecord line = ownBackOrderLine(actor, carino, sepetsirano, siparissirano);
        std::array<double, 4> discounts = line.amounts.discounts;
        discounts[0] = ind;
        line.amounts = Pricing::line(line.amounts.quantity, fiyat, line.amounts.vat, discounts);
        m_storage.updateOrderLine(line);
    });
    return 1;
}

DatasetPtr DistributorService::TumSiparislerVer(int carino, int stokno)
{
    requireAccount(carino);
    if (stokno != 0)
        requireStock(stokno);
    return m_storage.orderLinesOfStock(carino, stokno);
}

DatasetPtr DistributorService::StokHareketVer(int carino, int stokno)
{
    requireAccount(carino);
    requireStock(stokno);
    return m_storage.stockMovements(carino, stokno);
}

// --- account statement and documents ---------------------------------------------------------

DatasetPtr DistributorService::CariEkstreVer(int carino)
{
    requireAccount(carino);
    return m_storage.statement(carino);
}

DatasetPtr DistributorService::FaturaGetir(int carino, int idnosu)
{
    auto lines = m_storage.invoiceLines(carino, idnosu);
    if (lines->RecordCount() == 0)
        throw ServiceError(QStringLiteral("Fatura bulunamadı: %1").arg(idnosu));
    return lines;
}

DatasetPtr DistributorService::FaturaAltGetir(int idnosu)
{
    auto totals = m_storage.invoiceTotals(idnosu);
    if (totals->RecordCount() != 1)
        throw ServiceError(QStringLiteral("Fatura bulunamadı: %1").arg(idnosu));
    return totals;
}

DatasetPtr DistributorService::Tahsilat(int idnosu)
{
    auto rows = m_storage.collection(idnosu);
    if (rows->RecordCount() == 0)
        throw ServiceError(QStringLiteral("Tahsilat bulunamadı: %1").arg(idnosu));
    return rows;
}

int DistributorService::SanalposSiranoVer(int idnosu)
{
    return m_storage.receiptNumber(idnosu);
}

QByteArray DistributorService::SAnalPosPdfVer(int sirano)
{
    return m_storage.receipt(sirano);
}

QString DistributorService::CariDurumVer(int carino)
{
    requireAccount(carino);
    double balance = 0;
    for (const StatementEntryRecord &e : m_storage.statementEntries(carino))
        balance += e.debit - e.credit;
    // Goes unencoded into the payment page's address: digits, '.' and '-' only.
    return QString::number(Pricing::round2(balance), 'f', 2);
}

double DistributorService::overdueAmount(int carino, double today)
{
    const AccountRecord account = requireAccount(carino);
    const auto entries = m_storage.statementEntries(carino);
    double credits = 0;
    for (const StatementEntryRecord &e : entries)
        credits += e.credit;
    double overdue = 0;
    for (const StatementEntryRecord &e : entries) {
        if (e.debit <= 0)
            continue;
        const double covered = std::min(credits, e.debit);
        credits -= covered;
        if (e.date + account.dueDays < today)
            overdue += e.debit - covered;
    }
    return Pricing::round2(overdue);
}

QString DistributorService::CariVadeGunGecmismiBul(int carino)
{
    const double overdue = overdueAmount(carino, dateToDayNumber(QDate::currentDate()));
    if (overdue <= 0)
        return QString();
    return QStringLiteral("Vadesi geçmiş %1 TL bakiyeniz bulunmaktadır !").arg(amount(overdue));
}

// --- reports ------------------------------------------------------------------------------------

DatasetPtr DistributorService::RaporAlinanSiparisler(const TSonucBilgisi *bilgi, double tarih1,
                                                     double tarih2)
{
    const Actor actor = authenticate(bilgi);
    if (!actor.isRep())
        throw ServiceError(QStringLiteral("Bu rapor yalnızca satış temsilcileri içindir."));
    return m_storage.ordersTaken(actor.user.repId, tarih1, tarih2);
}

DatasetPtr DistributorService::RaporEnCokSatilanStoklar(const TSonucBilgisi *bilgi,
                                                        double tarih1, double tarih2)
{
    const Actor actor = authenticate(bilgi);
    if (!actor.isRep())
        throw ServiceError(QStringLiteral("Bu rapor yalnızca satış temsilcileri içindir."));
    return m_storage.stocksSold(actor.user.repId, tarih1, tarih2);
}

QByteArray DistributorService::RaporGetir(int raporno, int /*bolum*/, int idno, int carino,
                                          const QString &saticiadi, double tarih1,
                                          double tarih2)
{
    const auto user = m_storage.user(idno);
    if (!user || user->active != 1)
        throw ServiceError(QStringLiteral("Kullanıcı bulunamadı: %1").arg(idno));
    const Actor actor{*user};
    if (raporno != 6 && raporno != 7)
        throw ServiceError(QStringLiteral("Rapor bulunamadı: %1").arg(raporno));
    const double from = std::min(tarih1, tarih2);
    const double to = std::max(tarih1, tarih2);

    if (raporno == 6 && carino == 0) {
        if (!actor.isRep())
            throw ServiceError(QStringLiteral("Bu rapor yalnızca satış temsilcileri içindir."));
        PdfDocuments::Table table;
        table.headers = {QStringLiteral("Cari Kod"), QStringLiteral("Cari Adı"),
                         QStringLiteral("Vade (Gün)"), QStringLiteral("Bakiye"),
                         QStringLiteral("Vadesi Geçen")};
        table.rightAligned = {2, 3, 4};
        double total = 0, totalOverdue = 0;
        for (const AccountRecord &a : m_storage.accountsOfRep(actor.user.repId)) {
            double balance = 0;
            for (const StatementEntryRecord &e : m_storage.statementEntries(a.id))
                if (e.date < to + 1)
                    balance += e.debit - e.credit;
            const double overdue = overdueAmount(a.id, to);
            total += balance;
            totalOverdue += overdue;
            table.rows.append({a.code, a.name, QString::number(a.dueDays), amount(balance),
                               amount(overdue)});
        }
        const auto rep = m_storage.salesRep(actor.user.repId);
        return PdfDocuments::write(
            QStringLiteral("Cari Toplu Alacak Vadeleri"),
            {{QStringLiteral("Temsilci:"), rep ? rep->name : saticiadi},
             {QStringLiteral("Tarih:"), dayText(to)},
             {QStringLiteral("Toplam Bakiye:"), amount(total)},
             {QStringLiteral("Vadesi Geçen:"), amount(totalOverdue)}},
            table);
    }

    if (!mayActFor(actor, carino))
        throw ServiceError(
            QStringLiteral("Bu cari adına işlem yetkiniz yok (cari %1).").arg(carino));
    const AccountRecord account = requireAccount(carino);
    const auto entries = m_storage.statementEntries(carino);
    PdfDocuments::Table table;
    table.headers = {QStringLiteral("Tarih"), QStringLiteral("Tür"), QStringLiteral("Evrak"),
                     QStringLiteral("Borç"), QStringLiteral("Alacak"), QStringLiteral("Bakiye")};
    table.rightAligned = {3, 4, 5};
    double balance = 0, debit = 0, credit = 0;
    // Report 6 shows the account up to the chosen day, report 7 the chosen period.
    const double first = raporno == 6 ? -1e9 : from;
    for (const StatementEntryRecord &e : entries) {
        if (e.date >= to + 1)
            break;
        balance += e.debit - e.credit;
        if (e.date < first)
            continue;
        debit += e.debit;
        credit += e.credit;
        table.rows.append({dayText(e.date), e.kind, e.document, amount(e.debit),
                           amount(e.credit), amount(balance)});
    }
    QVector<QPair<QString, QString>> info{
        {QStringLiteral("Cari:"), account.code + QStringLiteral(" ") + account.name},
        {QStringLiteral("Temsilci:"), saticiadi},
        {QStringLiteral("Dönem:"), raporno == 6 ? dayText(to)
                                                : dayText(from) + QStringLiteral(" - ")
                                                      + dayText(to)},
        {QStringLiteral("Toplam Borç:"), amount(debit)},
        {QStringLiteral("Toplam Alacak:"), amount(credit)},
        {QStringLiteral("Bakiye:"), amount(balance)}};
    if (raporno == 6)
        info.append({QStringLiteral("Vadesi Geçen:"), amount(overdueAmount(carino, to))});
    return PdfDocuments::write(raporno == 6 ? QStringLiteral("Cari Özeti")
                                            : QStringLiteral("Cari Alış Satış Tablosu"),
                               info, table);
}

// --- customer selection -----------------------------------------------------------------------

DatasetPtr DistributorService::CariAra(const TSonucBilgisi *bil, const QString &aranan)
{
    const Actor actor = authenticate(bil);
    if (!actor.isRep())
        throw ServiceError(QStringLiteral("Cari seçimi yalnızca satış temsilcileri içindir."));
    return m_storage.customerList(actor.user.repId, SearchText::words(aranan), 0);
}

DatasetPtr DistributorService::CariSepetVer(const TSonucBilgisi *bil, int n)
{
    const Actor actor = authenticate(bil);
    if (!actor.isRep())
        throw ServiceError(QStringLiteral("Cari seçimi yalnızca satış temsilcileri içindir."));
    if (n < 1 || n > 7)
        throw ServiceError(QStringLiteral("Geçersiz durum kodu: %1").arg(n));
    return m_storage.customerList(actor.user.repId, {}, n);
}

int DistributorService::SepetSayisi(const TSonucBilgisi *bil)
{
    const Actor actor = authenticate(bil);
    return actor.isRep() ? m_storage.statusCounts(actor.user.repId).basket : 0;
}

std::unique_ptr<TTusSonuclari> DistributorService::TusSonuclariVer(const TSonucBilgisi *bil)
{
    const Actor actor = authenticate(bil);
    auto out = std::make_unique<TTusSonuclari>();
    if (!actor.isRep())
        return out;
    const StatusCounts c = m_storage.statusCounts(actor.user.repId);
    out->SetAlindi(c.received);
    out->SetOnaylandi(c.approved);
    out->SetGoruldu(c.seen);
    out->SetParcaliHazirlandi(c.partlyPrepared);
    out->SetHazirlandi(c.prepared);
    out->SetSevkEdildi(c.shipped);
    return out;
}

// --- requests and mail --------------------------------------------------------------------------

std::unique_ptr<TMobilCariBilgisi> DistributorService::MobilCariBilgisiGetir(int /*sirano*/,
                                                                            const QString &idsi)
{
    auto out = std::make_unique<TMobilCariBilgisi>();
    const QString machine = normalizeMachineId(idsi);
    out->SetBILGISAYARID(machine);
    const auto user = machine.isEmpty() ? std::nullopt : m_storage.userByMachine(machine);
    if (!user)
        return out;
    out->SetKULLANICIADI(user->name);
    out->SetSIFRE(user->password);
    out->SetMAIL(user->mail);
    const auto account = m_storage.account(user->accountId);
    if (!account)
        return out;
    out->SetCARINO(account->id);
    out->SetCARIKOD(account->code);
    out->SetCARIADI(account->name);
    out->SetADRES1(account->address1);
    out->SetADRES2(account->address2);
    out->SetILCE(account->district);
    out->SetSEHIR(account->city);
    out->SetULKE(account->country);
    out->SetTEL1(account->tel1);
    out->SetTEL2(account->tel2);
    out->SetGSM(account->gsm);
    out->SetFAX1(account->fax1);
    out->SetFAX2(account->fax2);
    out->SetEMAIL(account->email);
    out->SetVERGIDAIRESI(account->taxOffice);
    out->SetVERGINO(account->taxNumber);
    out->SetYETKILI(account->contact);
    out->SetOzelKod(account->specialCode);
    out->SetAnaGrup(account->mainGroup);
    out->SetAltGrup(account->subGroup);
    double debit = 0, credit = 0;
    for (const StatementEntryRecord &e : m_storage.statementEntries(account->id)) {
        debit += e.debit;
        credit += e.credit;
    }
    out->SetTLBORC(Pricing::round2(debit));
    out->SetTLALACAK(Pricing::round2(credit));
    out->SetTLBAKIYE(Pricing::round2(debit - credit));
    if (const auto rep = m_storage.salesRep(account->repId)) {
        out->SetSATICIADI(rep->name);
        out->SetSATICITELEFON(rep->phone);
        out->SetSATICIMAIL(rep->mail);
    }
    return out;
}

int DistributorService::storeMail(const QString &kind, const MailFields &f,
                                  const QStringList &lines)
{
    const QString recipient = m_storage.setting(QStringLiteral("mail_to"),
                                                QStringLiteral("siparis@telvin.example"));
    const QString sender = f.mail.trimmed().isEmpty() ? QStringLiteral("b2b@telvin.example")
                                                      : f.mail.trimmed();
    const QString body = lines.join(QLatin1Char('\n'));
    const QDateTime now = QDateTime::currentDateTime();

    QByteArray eml;
    eml += "From: " + sender.toUtf8() + "\r\n";
    eml += "To: " + recipient.toUtf8() + "\r\n";
    eml += "Subject: " + encodedWord(f.baslik.trimmed()) + "\r\n";
    eml += "Date: " + now.toString(Qt::RFC2822Date).toUtf8() + "\r\n";
    eml += "X-Telvin-Machine: " + normalizeMachineId(f.idsi).toLatin1() + "\r\n";
    eml += "MIME-Version: 1.0\r\n";
    eml += "Content-Type: text/plain; charset=UTF-8\r\n";
    eml += "Content-Transfer-Encoding: base64\r\n\r\n";
    const QByteArray encoded = QByteArray(body.toUtf8()).replace("\n", "\r\n").toBase64();
    for (qsizetype i = 0; i < encoded.size(); i += 76)
        eml += encoded.mid(i, 76) + "\r\n";

    QString path;
    if (!m_options.outboxDir.isEmpty()) {
        QDir().mkpath(m_options.outboxDir);
        path = QDir(m_options.outboxDir)
                   .filePath(now.toString(QStringLiteral("yyyyMMdd-HHmmss-"))
                             + QUuid::createUuid().toString(QUuid::Id128).left(12)
                             + QStringLiteral(".eml"));
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(eml) != eml.size() || !file.commit())
            throw ServiceError(QStringLiteral("Mail kaydedilemedi: %1").arg(path));
    }
    MailRecord record;
    record.created = dateTimeToDayNumber(now);
    record.kind = kind;
    record.machine = normalizeMachineId(f.idsi);
    record.subject = f.baslik.trimmed();
    record.sender = sender;
    record.body = body;
    record.emlPath = path;
    return m_storage.insertMail(record);
}

int DistributorService::MailGonserCari(const MailFields &f)
{
    const QVector<QPair<QString, const QString *>> required{
        {QStringLiteral("Firma Adı"), &f.firmaadi}, {QStringLiteral("Adres"), &f.adres1},
        {QStringLiteral("İlçe"), &f.ilce}, {QStringLiteral("Şehir"), &f.sehir},
        {QStringLiteral("Telefon"), &f.telefon}, {QStringLiteral("Yetkili"), &f.yetkili},
        {QStringLiteral("Kullanıcı Adı"), &f.kullaniciadi},
        {QStringLiteral("Şifre"), &f.sifre}, {QStringLiteral("Mail"), &f.mail}};
    for (const auto &r : required)
        if (r.second->trimmed().isEmpty())
            throw ServiceError(QStringLiteral("Zorunlu alan boş: %1").arg(r.first));
    const QStringList lines{
        QStringLiteral("Bilgisayar: ") + normalizeMachineId(f.idsi),
        QStringLiteral("Firma Adı: ") + f.firmaadi.trimmed(),
        QStringLiteral("Adres: ") + f.adres1.trimmed() + QLatin1Char(' ') + f.adres2.trimmed(),
        QStringLiteral("İlçe/Şehir: ") + f.ilce.trimmed() + QLatin1Char('/') + f.sehir.trimmed(),
        QStringLiteral("Telefon: ") + f.telefon.trimmed(),
        QStringLiteral("Fax: ") + f.fax.trimmed(),
        QStringLiteral("Vergi Dairesi/No: ") + f.vd.trimmed() + QLatin1Char('/') + f.vn.trimmed(),
        QStringLiteral("Yetkili: ") + f.yetkili.trimmed(),
        QStringLiteral("Kullanıcı Adı: ") + f.kullaniciadi.trimmed(),
        QStringLiteral("İstenen Şifre: ") + f.sifre.trimmed(),
        QStringLiteral("Mail: ") + f.mail.trimmed(),
        QStringLiteral("Kargo/Ambar: ") + f.kargoambar.trimmed()};
    return storeMail(QStringLiteral("sifre"), f, lines);
}

int DistributorService::MailGonserCariNormal(const MailFields &f)
{
    if (f.baslik.trimmed().isEmpty())
        throw ServiceError(QStringLiteral("Zorunlu alan boş: Konu"));
    QStringList lines{QStringLiteral("Firma: ") + f.firmaadi.trimmed(),
                      QStringLiteral("Kullanıcı: ") + f.kullaniciadi.trimmed(),
                      QStringLiteral("Telefon: ") + f.telefon.trimmed(),
                      QStringLiteral("Mail: ") + f.mail.trimmed(), QString()};
    lines += splitMemoLines(f.konu);
    return storeMail(QStringLiteral("mail"), f, lines);
}

int DistributorService::WebIstegiKaydet(int carino, const QString &kullanici, const QString &id,
                                        const QString &adSoyad, const QString &telefon,
                                        const QString &mesaj)
{
    if (adSoyad.trimmed().isEmpty() || telefon.trimmed().isEmpty())
        throw ServiceError(QStringLiteral("Ad Soyad ve Telefon zorunludur."));
    MailFields f;
    f.idsi = id;
    f.baslik = QStringLiteral("Web İsteği");
    QStringList lines{QStringLiteral("Bilgisayar: ") + normalizeMachineId(id),
                      QStringLiteral("Cari No: ") + QString::number(carino),
                      QStringLiteral("Kullanıcı: ") + kullanici.trimmed(),
                      QStringLiteral("Ad Soyad: ") + adSoyad.trimmed(),
                      QStringLiteral("Telefon: ") + telefon.trimmed(), QString()};
    lines += mesaj.split(QLatin1Char('\n'));
    return storeMail(QStringLiteral("web"), f, lines);
}
