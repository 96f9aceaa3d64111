// Login, catalogue, main-window content, basket and order sending.
#include "distributorservice.h"

#include "answerfields.h"
#include "baglantiu.h"
#include "mobilstokunit.h"
#include "pricing.h"
#include "searchtext.h"
#include "serviceerror.h"

#include <QDate>
#include <QDateTime>
#include <QLoggingCategory>

#include <cmath>

Q_LOGGING_CATEGORY(lcService, "telvin.service")

namespace {

double today()
{
    return dateToDayNumber(QDate::currentDate());
}

QString nowTime()
{
    return QTime::currentTime().toString(QStringLiteral("HH:mm"));
}

bool validQuantity(double q)
{
    return std::isfinite(q) && q > 0 && q <= 1000000;
}

bool validPrice(double p)
{
    return std::isfinite(p) && p >= 0 && p <= 1e9;
}

bool validRate(double r)
{
    return std::isfinite(r) && r >= 0 && r <= 100;
}

}  // namespace

DistributorService::DistributorService(Storage &storage, Options options)
    : m_storage(storage), m_options(std::move(options))
{
}

QString DistributorService::normalizeMachineId(const QString &id)
{
    QString out;
    for (const QChar c : id)
        if (!c.isSpace())
            out.append(c.toUpper());
    return out;
}

// --- who may do what -------------------------------------------------------------------

DistributorService::Actor DistributorService::authenticate(const TSonucBilgisi *record) const
{
    if (!record)
        throw ServiceError(QStringLiteral("Oturum bilgisi gönderilmedi."));
    const auto user = m_storage.user(record->Sirano());
    // The record carries the login name and password; a record that does not match the
    // stored user is not taken as proof of who is calling.
    if (!user || user->name != record->ADI() || user->password != record->SIFRE())
        throw ServiceError(QStringLiteral("Oturum bilgisi geçersiz."));
    if (user->active != 1)
        throw ServiceError(QStringLiteral("Kullanıcı aktif değil."));
    return Actor{*user};
}

bool DistributorService::mayActFor(const Actor &actor, int carino) const
{
    if (actor.isRep()) {
        const auto account = m_storage.account(carino);
        return account && account->repId == actor.user.repId && actor.user.repId > 0;
    }
    return carino > 0 && carino == actor.user.accountId;
}

DistributorService::Actor DistributorService::actingFor(const TSonucBilgisi *record,
                                                        int carino) const
{
    Actor actor = authenticate(record);
    requireAccount(carino);
    if (!mayActFor(actor, carino))
        throw ServiceError(
            QStringLiteral("Bu cari adına işlem yetkiniz yok (cari %1).").arg(carino));
    return actor;
}

AccountRecord DistributorService::requireAccount(int carino) const
{
    const auto account = m_storage.account(carino);
    if (!account)
        throw ServiceError(QStringLiteral("Cari bulunamadı: %1").arg(carino));
    return *account;
}

StockRecord DistributorService::requireStock(int stokno) const
{
    const auto stock = m_storage.stock(stokno);
    if (!stock)
        throw ServiceError(QStringLiteral("Stok bulunamadı: %1").arg(stokno));
    return *stock;
}

// --- login and catalogue -----------------------------------------------------------------

std::unique_ptr<TSonucBilgisi> DistributorService::BuyukGetir(const QString &idsi)
{
    auto record = std::make_unique<TSonucBilgisi>();
    const QString machine = normalizeMachineId(idsi);
    record->SetBILGISAYARID(machine);
    record->SetVersion(m_options.clientVersion);
    const auto user = machine.isEmpty() ? std::nullopt : m_storage.userByMachine(machine);
    if (!user) {
        record->SetVarmi(false);
        record->SetMusteriTipi(0);
        return record;
    }
    record->SetVarmi(true);
    record->SetSirano(user->id);
    record->SetADI(user->name);
    record->SetSIFRE(user->password);
    record->SetAKTIF(user->active);
    record->SetMusteriTipi(user->role);
    record->SetKullanicimail(user->mail);
    int repId = user->repId;
    if (const auto account = m_storage.account(user->accountId)) {
        record->SetCARINO(account->id);
        record->Setcarikod(account->code);
        record->SetCariAdi(account->name);
        if (repId == 0)
            repId = account->repId;
    }
    if (const auto rep = m_storage.salesRep(repId)) {
        record->SetSaticiNo(rep->id);
        record->SetSaticiAdi(rep->name);
        record->SetSaticiTelefon(rep->phone);
        record->SetSaticiMail(rep->mail);
    }
    return record;
}

DatasetPtr DistributorService::StokAraGetir(const QString &kod, const TSonucBilgisi *bilgi)
{
    authenticate(bilgi);
    const QStringList words = SearchText::words(kod);
    if (words.isEmpty())
        return AnswerFields::emptyAnswer(AnswerFields::stockFields());
    const int limit = m_storage.setting(QStringLiteral("search_limit"), QStringLiteral("10000"))
                          .toInt();
    return m_storage.searchStock(words, limit > 0 ? limit : 10000);
}

DatasetPtr DistributorService::YenilerVer2(int /*carino*/)
{
    return m_storage.newItems();
}

DatasetPtr DistributorService::KampanyaliVer2(int /*cario*/, int satici)
{
    // satici carries the caller's role; role 4 sees no campaigns.
    if (satici == 4)
        return AnswerFields::emptyAnswer(AnswerFields::stockFields());
    return m_storage.campaignItems();
}

QByteArray DistributorService::ResimVer5(int stokno)
{
    return m_storage.stockPicture(stokno);
}

// --- main-window content -----------------------------------------------------------------

DatasetPtr DistributorService::BalonGetir(const TSonucBilgisi *bil)
{
    const Actor actor = actingFor(bil, bil ? bil->CARINO() : 0);
    const int carino = bil->CARINO();
    auto out = std::make_shared<Dataset>();
    out->SetFields(AnswerFields::badgeFields());
    out->AppendRecord({m_storage.basketLineCount(carino), m_storage.newItemCount(),
                       actor.user.role == 4 ? 0 : m_storage.campaignItemCount(),
                       m_storage.screenCount(ScreenRecord::Announcement),
                       m_storage.backOrderQuantity(carino)});
    return out;
}

QString DistributorService::KayanYaziGetir()
{
    return m_storage.setting(QStringLiteral("kayan_yazi"));
}

QByteArray DistributorService::BannerResimVer(int slot)
{
    return m_storage.banner(slot);
}

int DistributorService::AcilisReklamAdet()
{
    return m_storage.screenCount(ScreenRecord::Opening);
}

static std::unique_ptr<TAcilisEkran> toScreen(const ScreenRecord &s)
{
    auto screen = std::make_unique<TAcilisEkran>();
    screen->SetSiraNo(s.order);
    screen->SetResim(QString::fromLatin1(s.picture.toHex().toUpper()));
    screen->SetBaslik(s.title);
    screen->SetArama(s.search);
    return screen;
}

std::unique_ptr<TAcilisEkran> DistributorService::AcilisREklamVer(int sira)
{
    const auto screen = m_storage.screenAt(ScreenRecord::Opening, sira);
    if (!screen)
        throw ServiceError(QStringLiteral("Açılış ekranı bulunamadı: %1").arg(sira));
    return toScreen(*screen);
}

std::unique_ptr<TAcilisEkranlariki> DistributorService::AcilisEkranlarVer2()
{
    auto holder = std::make_unique<TAcilisEkranlariki>();
    for (const ScreenRecord &s : m_storage.screens(ScreenRecord::Announcement))
        holder->Ekranlar().push_back(toScreen(s));
    return holder;
}

// --- basket ------------------------------------------------------------------------------

DatasetPtr DistributorService::SepetVer2(int carino)
{
    requireAccount(carino);
    return m_storage.basket(carino);
}

int DistributorService::SepetEkle2(const TSonucBilgisi *bilgim, int carino, int stokno,
                                   const QString & /*barkod*/, const QString & /*stokadi*/,
                                   double miktar, double /*kdv*/, double fiyat, double ind1,
                                   int verenid, int /*k*/, double ind2, double ind3,
                                   double ind4)
{
    const Actor actor = actingFor(bilgim, carino);
    if (verenid != actor.user.id)
        throw ServiceError(QStringLiteral("Siparişi veren kullanıcı oturumla uyuşmuyor."));
    const StockRecord stock = requireStock(stokno);
    if (!validQuantity(miktar))
        return 0;
    // Representatives may give their own price and discounts; everyone else orders at the
    // distributor's price, whatever the dialog sent.
    double price = stock.price;
    std::array<double, 4> discounts = stock.discounts;
    if (actor.isRep()) {
        if (!validPrice(fiyat) || !validRate(ind1) || !validRate(ind2) || !validRate(ind3)
            || !validRate(ind4))
            return 0;
        price = fiyat;
        discounts = {ind1, ind2, ind3, ind4};
    }
    BasketLineRecord line;
    line.accountId = carino;
    line.stockId = stock.id;
    line.userId = actor.user.id;
    line.code = stock.code;
    line.name = stock.name;
    line.campaign = stock.campaign;
    line.amounts = Pricing::line(miktar, price, stock.vat, discounts);
    line.date = today();
    line.time = nowTime();
    m_storage.transaction([&] {
        // One line per stock: a second add (a retry, or another window) replaces it.
        if (const auto existing = m_storage.basketLineOfStock(carino, stock.id)) {
            line.id = existing->id;
            line.selected = existing->selected;
            m_storage.updateBasketLine(line);
        } else {
            line.selected = 1;
            m_storage.insertBasketLine(line);
        }
    });
    return 1;
}

int DistributorService::SepetGuncelle2(const TSonucBilgisi *bilgim, int carino, int /*stokno*/,
                                       const QString & /*barkod*/,
                                       const QString & /*stokadi*/, double miktar,
                                       double /*kdv*/, double fiyat, double ind1, int verenid,
                                       int sepetsirano, double ind2, double ind3, double ind4)
{
    const Actor actor = actingFor(bilgim, carino);
    if (verenid != actor.user.id)
        throw ServiceError(QStringLiteral("Siparişi veren kullanıcı oturumla uyuşmuyor."));
    int result = 0;
    m_storage.transaction([&] {
        auto line = m_storage.basketLine(sepetsirano);
        if (!line || line->accountId != carino)
            throw ServiceError(QStringLiteral("Sepet satırı bulunamadı: %1").arg(sepetsirano));
        if (!validQuantity(miktar))
            return;
        double price = line->amounts.unitPrice;
        std::array<double, 4> discounts = line->amounts.discounts;
        if (actor.isRep()) {
            if (!validPrice(fiyat) || !validRate(ind1) || !validRate(ind2) || !validRate(ind3)
                || !validRate(ind4))
                return;
            price = fiyat;
            discounts = {ind1, ind2, ind3, ind4};
        }
        line->userId = actor.user.id;
        line->amounts = Pricing::line(miktar, price, line->amounts.vat, discounts);
        m_storage.updateBasketLine(*line);
        result = 1;
    });
    return result;
}

void DistributorService::SepetSecimGuncelle(int sirano, int secim)
{
    if (secim != 0 && secim != 1)
        throw ServiceError(QStringLiteral("Geçersiz seçim değeri: %1").arg(secim));
    if (!m_storage.setBasketSelection(sirano, secim))
        throw ServiceError(QStringLiteral("Sepet satırı bulunamadı: %1").arg(sirano));
}

int DistributorService::SepetSatirSil(const TSonucBilgisi *bilgi, int satirno,
                                      const QString &aciklamam)
{
    const int carino = bilgi ? bilgi->CARINO() : 0;
    const Actor actor = actingFor(bilgi, carino);
    int deleted = 0;
    m_storage.transaction([&] {
        const auto line = m_storage.basketLine(satirno);
        if (!line || line->accountId != carino)
            throw ServiceError(QStringLiteral("Sepet satırı bulunamadı: %1").arg(satirno));
        deleted = m_storage.deleteBasketLine(satirno) ? 1 : 0;
    });
    qCInfo(lcService) << "basket line" << satirno << "deleted by user" << actor.user.id << ":"
                      << aciklamam;
    return deleted;
}

int DistributorService::SepetHepsiniSil(const TSonucBilgisi *bilgi)
{
    const int carino = bilgi ? bilgi->CARINO() : 0;
    actingFor(bilgi, carino);
    return m_storage.deleteBasket(carino);
}

// --- sending the order ---------------------------------------------------------------------

DatasetPtr DistributorService::TeslimVer()
{
    return m_storage.deliveryModes();
}

DatasetPtr DistributorService::KargoVer()
{
    return m_storage.cargoTypes();
}

DatasetPtr DistributorService::KargolarVer(int gn)
{
    if (!m_storage.cargoTypeExists(gn))
        throw ServiceError(QStringLiteral("Kargo türü bulunamadı: %1").arg(gn));
    return m_storage.cargoCompanies(gn);
}

bool DistributorService::SiparisKaydet(const TSonucBilgisi *BB, int carino, int teslim,
                                       int kargo, const QString &aciklama, int verenid,
                                       int kargoyeni)
{
    const Actor actor = actingFor(BB, carino);
    if (verenid != actor.user.id)
        throw ServiceError(QStringLiteral("Siparişi veren kullanıcı oturumla uyuşmuyor."));
    if (!m_storage.deliveryModeExists(teslim))
        throw ServiceError(QStringLiteral("Teslim şekli bulunamadı: %1").arg(teslim));
    if (!m_storage.cargoTypeExists(kargo))
        throw ServiceError(QStringLiteral("Kargo türü bulunamadı: %1").arg(kargo));
    const bool typeHasCompanies = m_storage.cargoCompanies(kargo)->RecordCount() > 0;
    if (kargoyeni != 0 || typeHasCompanies) {
        if (!m_storage.cargoCompanyOfType(kargoyeni, kargo))
            throw ServiceError(QStringLiteral("Kargo firması bu kargo türüne ait değil: %1")
                                   .arg(kargoyeni));
    }
    OrderRecord order;
    order.accountId = carino;
    order.userId = actor.user.id;
    order.date = today();
    order.time = nowTime();
    order.deliveryId = teslim;
    order.cargoTypeId = kargo;
    order.cargoCompanyId = kargoyeni;
    order.customerNote = aciklama;
    const int orderId = m_storage.placeOrder(order);
    if (orderId > 0)
        qCInfo(lcService) << "order" << orderId << "saved for account" << carino;
    return orderId > 0;
}
