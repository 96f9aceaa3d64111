#include "sqlitestorage.h"

#include "answerfields.h"
#include "searchtext.h"
#include "sqlitedatabase.h"
#include "sqliteschema.h"
#include "sqlitetransaction.h"
#include "stockorder.h"
#include "storageerror.h"

#include <sqlite3.h>

#include <algorithm>
#include <mutex>

// The columns of a stock answer, spelled as the client reads them.
#define STOCK_COLUMNS                                                                         \
    "s.id AS STOK_STOKNO, s.code AS BARKOD, s.name AS ADI, s.other_name AS DIGERADI, "        \
    "s.oem1 AS OEM1, s.oem2 AS OEM2, s.oem3 AS OEM3, s.oem4 AS OEM4, s.oem_no AS OEMNO, "     \
    "s.finish_code AS FINISHKOD, s.maker_code AS URETICIKODU, s.dp_code AS DPKOD, "           \
    "s.p_code AS PKOD, s.barcode_no AS BARKOD_BARKODNO, s.make AS MARKA, s.model AS MODEL, "  \
    "s.main_group AS ANAGRUP, s.special_code AS OZELKOD, s.unit AS BIRIM, "                   \
    "s.availability AS DURUM, (s.picture_id IS NOT NULL) AS RESIM, "                          \
    "(s.is_new > 0) AS Y, (s.campaign > 0) AS K, s.vat AS KDV, s.price AS FIYAT, "            \
    "s.list_price AS LISTEFIYAT1, "                                                           \
    "CASE WHEN s.campaign > 0 THEN s.campaign_price ELSE 0 END AS KAMPFIYAT, "                \
    "s.list_price AS ESKIFIYAT, s.net_price AS NETFIYAT, s.gross_price AS KDVDAHIL, "         \
    "s.disc1 AS IND1, s.disc2 AS IND2, s.disc3 AS IND3, s.disc4 AS IND4, "                    \
    "s.discount_text AS INDIRIMYAZI, s.disc1 AS INDIRIM, s.on_hand AS KALAN, "                \
    "s.ordered_by_customers AS ALINANSIPARIS, s.ordered_from_suppliers AS VERILENSIPARIS "

namespace {

// contains_all(haystack, needles): every blank-separated needle occurs in the haystack.
// Filters the words the trigram index cannot take (fewer than three characters).
void containsAll(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    const auto *hay = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
    const auto *needles = reinterpret_cast<const char *>(sqlite3_value_text(argv[1]));
    if (!hay || !needles) {
        sqlite3_result_int(ctx, needles == nullptr || *needles == 0);
        return;
    }
    const QByteArray h(hay);
    for (const QByteArray &n : QByteArray(needles).split(' ')) {
        if (!n.isEmpty() && !h.contains(n)) {
            sqlite3_result_int(ctx, 0);
            return;
        }
    }
    sqlite3_result_int(ctx, 1);
}

QString accountKeys(const AccountRecord &a)
{
    return SearchText::keyOf({a.code, a.name, a.city, a.district, a.contact, a.taxNumber,
                              a.tel1, a.gsm, a.specialCode});
}

QString stockKeys(const StockRecord &s)
{
    return SearchText::keyOf({s.code, s.name, s.otherName, s.oem[0], s.oem[1], s.oem[2],
                              s.oem[3], s.oemNo, s.finishCode, s.makerCode, s.make, s.model,
                              s.barcodeNo ? QString::number(s.barcodeNo) : QString()});
}

// The answer rows of these stock ids, in this order, through one statement: json_each
// yields the ids in array order and CROSS JOIN keeps it as the outer loop. The rows go after
// those `out` holds, which is loading the stock fields; `total` is the whole load's size.
void appendStockRows(SqliteDatabase &d, const qint64 *ids, size_t count, Dataset &out,
                     size_t total)
{
    QByteArray idList;
    idList.reserve(qsizetype(count) * 8 + 2);
    idList.append('[');
    for (size_t i = 0; i < count; ++i) {
        if (i)
            idList.append(',');
        idList.append(QByteArray::number(ids[i]));
    }
    idList.append(']');
    d.prepare("SELECT " STOCK_COLUMNS "FROM json_each(?1) j CROSS JOIN stock s ON s.id = j.value")
        .bindUtf8(1, idList)
        .appendRows(out, AnswerFields::stockFields(), int(total));
}

}  // namespace

SqliteStorage::SqliteStorage(const QString &path)
    : m_path(path)
{
    SqliteSchema::migrate(db());
}

SqliteStorage::~SqliteStorage() = default;

std::unique_ptr<SqliteDatabase> SqliteStorage::open() const
{
    auto connection = std::make_unique<SqliteDatabase>(m_path);
    sqlite3_create_function(connection->handle(), "contains_all", 2,
                            SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, containsAll, nullptr,
                            nullptr);
    return connection;
}

SqliteDatabase &SqliteStorage::db()
{
    const auto self = std::this_thread::get_id();
    QMutexLocker lock(&m_mutex);
    auto &slot = m_connections[self];
    if (!slot)
        slot = open();
    return *slot;
}

void SqliteStorage::transaction(const std::function<void()> &work)
{
    SqliteDatabase &d = db();
    if (d.inTransaction()) {
        work();
        return;
    }
    SqliteTransaction tx(d);
    work();
    tx.commit();
}

// --- settings and content -----------------------------------------------------------

QString SqliteStorage::setting(const QString &key, const QString &fallback)
{
    return db().prepare("SELECT value FROM setting WHERE key = ?").bind(1, key)
        .scalarText(fallback);
}

void SqliteStorage::setSetting(const QString &key, const QString &value)
{
    db().prepare("INSERT INTO setting(key, value) VALUES (?, ?) "
                 "ON CONFLICT(key) DO UPDATE SET value = excluded.value")
        .bind(1, key).bind(2, value).exec();
}

QByteArray SqliteStorage::banner(int slot)
{
    auto &q = db().prepare("SELECT data FROM banner WHERE slot = ?").bind(1, slot);
    QByteArray out = q.step() ? q.blobValue(0) : QByteArray();
    q.reset();
    return out;
}

void SqliteStorage::setBanner(int slot, const QByteArray &bytes)
{
    db().prepare("INSERT INTO banner(slot, data) VALUES (?, ?) "
                 "ON CONFLICT(slot) DO UPDATE SET data = excluded.data")
        .bind(1, slot).bind(2, bytes).exec();
}

int SqliteStorage::insertScreen(const ScreenRecord &s)
{
    SqliteDatabase &d = db();
    d.prepare("INSERT INTO screen(kind, position, picture, title, search) VALUES (?,?,?,?,?)")
        .bind(1, s.kind).bind(2, s.order).bind(3, s.picture).bind(4, s.title)
        .bind(5, s.search).exec();
    return int(d.lastInsertId());
}

int SqliteStorage::screenCount(int kind)
{
    return int(db().prepare("SELECT COUNT(*) FROM screen WHERE kind = ?").bind(1, kind)
                   .scalarInt());
}

std::optional<ScreenRecord> SqliteStorage::screenAt(int kind, int position)
{
    if (position < 0)
        return std::nullopt;
    auto &q = db().prepare("SELECT id, position, picture, title, search FROM screen "
                           "WHERE kind = ? ORDER BY position, id LIMIT 1 OFFSET ?");
    q.bind(1, kind).bind(2, position);
    std::optional<ScreenRecord> out;
    if (q.step()) {
        ScreenRecord s;
        s.id = int(q.intValue(0));
        s.kind = kind;
        s.order = int(q.intValue(1));
        s.picture = q.blobValue(2);
        s.title = q.textValue(3);
        s.search = q.textValue(4);
        out = s;
    }
    q.reset();
    return out;
}

std::vector<ScreenRecord> SqliteStorage::screens(int kind)
{
    auto &q = db().prepare("SELECT id, position, picture, title, search FROM screen "
                           "WHERE kind = ? ORDER BY position, id");
    q.bind(1, kind);
    std::vector<ScreenRecord> out;
    while (q.step()) {
        ScreenRecord s;
        s.id = int(q.intValue(0));
        s.kind = kind;
        s.order = int(q.intValue(1));
        s.picture = q.blobValue(2);
        s.title = q.textValue(3);
        s.search = q.textValue(4);
        out.push_back(s);
    }
    q.reset();
    return out;
}

int SqliteStorage::insertDeliveryMode(const QString &name)
{
    SqliteDatabase &d = db();
    d.prepare("INSERT INTO delivery_mode(name, position) "
              "VALUES (?, (SELECT COALESCE(MAX(position), 0) + 1 FROM delivery_mode))")
        .bind(1, name).exec();
    return int(d.lastInsertId());
}

int SqliteStorage::insertCargoType(const QString &name)
{
    SqliteDatabase &d = db();
    d.prepare("INSERT INTO cargo_type(name, position) "
              "VALUES (?, (SELECT COALESCE(MAX(position), 0) + 1 FROM cargo_type))")
        .bind(1, name).exec();
    return int(d.lastInsertId());
}

int SqliteStorage::insertCargoCompany(int typeId, const QString &name, const QString &warning)
{
    SqliteDatabase &d = db();
    d.prepare("INSERT INTO cargo_company(type_id, name, warning) VALUES (?, ?, ?)")
        .bind(1, typeId).bind(2, name).bind(3, warning).exec();
    return int(d.lastInsertId());
}

DatasetPtr SqliteStorage::deliveryModes()
{
    auto out = std::make_shared<Dataset>();
    db().prepare("SELECT id AS ID, name AS ADI FROM delivery_mode ORDER BY position, id")
        .readInto(*out, AnswerFields::idNameFields());
    return out;
}

DatasetPtr SqliteStorage::cargoTypes()
{
    auto out = std::make_shared<Dataset>();
    db().prepare("SELECT id AS ID, name AS ADI FROM cargo_type ORDER BY position, id")
        .readInto(*out, AnswerFields::idNameFields());
    return out;
}

DatasetPtr SqliteStorage::cargoCompanies(int typeId)
{
    auto out = std::make_shared<Dataset>();
    db().prepare("SELECT name AS ADI, id AS SIRANO, warning AS UYARI FROM cargo_company "
                 "WHERE type_id = ? ORDER BY name")
        .bind(1, typeId).readInto(*out, AnswerFields::cargoCompanyFields());
    return out;
}

bool SqliteStorage::deliveryModeExists(int id)
{
    return db().prepare("SELECT COUNT(*) FROM delivery_mode WHERE id = ?").bind(1, id)
               .scalarInt() > 0;
}

bool SqliteStorage::cargoTypeExists(int id)
{
    return db().prepare("SELECT COUNT(*) FROM cargo_type WHERE id = ?").bind(1, id)
               .scalarInt() > 0;
}

bool SqliteStorage::cargoCompanyOfType(int companyId, int typeId)
{
    return db().prepare("SELECT COUNT(*) FROM cargo_company WHERE id = ? AND type_id = ?")
               .bind(1, companyId).bind(2, typeId).scalarInt() > 0;
}

// --- people and accounts ---------------------------------------------------------------

int SqliteStorage::insertSalesRep(const SalesRepRecord &r)
{
    SqliteDatabase &d = db();
    auto &q = d.prepare("INSERT INTO sales_rep(id, name, phone, mail) VALUES (?, ?, ?, ?)");
    if (r.id > 0)
        q.bind(1, r.id);
    q.bind(2, r.name).bind(3, r.phone).bind(4, r.mail).exec();
    return int(d.lastInsertId());
}

std::optional<SalesRepRecord> SqliteStorage::salesRep(int id)
{
    auto &q = db().prepare("SELECT id, name, phone, mail FROM sales_rep WHERE id = ?");
    return q.bind(1, id).first([&] {
        return SalesRepRecord{int(q.intValue(0)), q.textValue(1), q.textValue(2), q.textValue(3)};
    });
}

#define ACCOUNT_COLUMNS                                                                       \
    "id, code, name, rep_id, tel1, tel2, gsm, fax1, fax2, email, address1, address2, "         \
    "district, city, country, tax_office, tax_number, contact, special_code, code1, code2, "  \
    "code3, code4, code5, main_group, sub_group, discount, due_days, due_check_days, "         \
    "due_check_months"

static AccountRecord readAccount(SqliteStatement &q)
{
    AccountRecord a;
    int c = 0;
    a.id = int(q.intValue(c++));
    a.code = q.textValue(c++);
    a.name = q.textValue(c++);
    a.repId = int(q.intValue(c++));
    for (QString *s : {&a.tel1, &a.tel2, &a.gsm, &a.fax1, &a.fax2, &a.email, &a.address1,
                       &a.address2, &a.district, &a.city, &a.country, &a.taxOffice,
                       &a.taxNumber, &a.contact, &a.specialCode, &a.codes[0], &a.codes[1],
                       &a.codes[2], &a.codes[3], &a.codes[4], &a.mainGroup, &a.subGroup})
        *s = q.textValue(c++);
    a.discount = q.doubleValue(c++);
    a.dueDays = int(q.intValue(c++));
    a.dueCheckDays = int(q.intValue(c++));
    a.dueCheckMonths = int(q.intValue(c++));
    return a;
}

int SqliteStorage::insertAccount(const AccountRecord &a)
{
    SqliteDatabase &d = db();
    auto &q = d.prepare("INSERT INTO account(" ACCOUNT_COLUMNS ", search_keys) VALUES "
                        "(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    int c = 1;
    if (a.id > 0)
        q.bind(c, a.id);
    ++c;
    q.bind(c++, a.code);
    q.bind(c++, a.name);
    if (a.repId > 0)
        q.bind(c, a.repId);
    ++c;
    for (const QString *s : {&a.tel1, &a.tel2, &a.gsm, &a.fax1, &a.fax2, &a.email, &a.address1,
                             &a.address2, &a.district, &a.city, &a.country, &a.taxOffice,
                             &a.taxNumber, &a.contact, &a.specialCode, &a.codes[0],
                             &a.codes[1], &a.codes[2], &a.codes[3], &a.codes[4],
                             &a.mainGroup, &a.subGroup})
        q.bind(c++, *s);
    q.bind(c++, a.discount);
    q.bind(c++, a.dueDays);
    q.bind(c++, a.dueCheckDays);
    q.bind(c++, a.dueCheckMonths);
    q.bind(c++, accountKeys(a));
    q.exec();
    return int(d.lastInsertId());
}

std::optional<AccountRecord> SqliteStorage::account(int id)
{
    auto &q = db().prepare("SELECT " ACCOUNT_COLUMNS " FROM account WHERE id = ?");
    return q.bind(1, id).first([&] { return readAccount(q); });
}

std::vector<AccountRecord> SqliteStorage::accountsOfRep(int repId)
{
    auto &q = db().prepare("SELECT " ACCOUNT_COLUMNS " FROM account "
                           "WHERE ?1 = 0 OR rep_id = ?1 ORDER BY name");
    q.bind(1, repId);
    std::vector<AccountRecord> out;
    while (q.step())
        out.push_back(readAccount(q));
    q.reset();
    return out;
}

#define USER_COLUMNS "u.id, u.name, u.password, u.role, u.active, u.account_id, u.rep_id, " \
                     "u.mail, u.version"

static UserRecord readUser(SqliteStatement &q)
{
    UserRecord u;
    u.id = int(q.intValue(0));
    u.name = q.textValue(1);
    u.password = q.textValue(2);
    u.role = int(q.intValue(3));
    u.active = int(q.intValue(4));
    u.accountId = int(q.intValue(5));
    u.repId = int(q.intValue(6));
    u.mail = q.textValue(7);
    u.version = int(q.intValue(8));
    return u;
}

int SqliteStorage::insertUser(const UserRecord &u)
{
    SqliteDatabase &d = db();
    auto &q = d.prepare("INSERT INTO app_user(id, name, password, role, active, account_id, "
                        "rep_id, mail, version) VALUES (?,?,?,?,?,?,?,?,?)");
    if (u.id > 0)
        q.bind(1, u.id);
    q.bind(2, u.name).bind(3, u.password).bind(4, u.role).bind(5, u.active);
    if (u.accountId > 0)
        q.bind(6, u.accountId);
    if (u.repId > 0)
        q.bind(7, u.repId);
    q.bind(8, u.mail).bind(9, u.version).exec();
    return int(d.lastInsertId());
}

std::optional<UserRecord> SqliteStorage::user(int id)
{
    auto &q = db().prepare("SELECT " USER_COLUMNS " FROM app_user u WHERE u.id = ?");
    return q.bind(1, id).first([&] { return readUser(q); });
}

std::optional<UserRecord> SqliteStorage::userByName(const QString &name)
{
    auto &q = db().prepare("SELECT " USER_COLUMNS " FROM app_user u WHERE u.name = ?");
    return q.bind(1, name).first([&] { return readUser(q); });
}

std::optional<UserRecord> SqliteStorage::userByMachine(const QString &machineId)
{
    auto &q = db().prepare("SELECT " USER_COLUMNS " FROM machine m "
                           "JOIN app_user u ON u.id = m.user_id WHERE m.id = ?");
    return q.bind(1, machineId).first([&] { return readUser(q); });
}

void SqliteStorage::bindMachine(const QString &machineId, int userId)
{
    db().prepare("INSERT INTO machine(id, user_id) VALUES (?, ?) "
                 "ON CONFLICT(id) DO UPDATE SET user_id = excluded.user_id")
        .bind(1, machineId).bind(2, userId).exec();
}

DatasetPtr SqliteStorage::customerList(int repId, const QStringList &words, int status)
{
    auto out = std::make_shared<Dataset>();
    db().prepare(
            "SELECT a.id AS CARINO, a.code AS CARIKOD, a.name AS CARIADI, "
            "r.name AS SATICISI, COALESCE(b.bal, 0) AS TLBAKIYE, "
            "CASE WHEN b.bal > 0 THEN 'Borçlu' WHEN b.bal < 0 THEN 'Alacaklı' ELSE '' END "
            "  AS DURUM, "
            "a.special_code AS OZELKOD, a.code1 AS KOD1, a.code2 AS KOD2, a.code3 AS KOD3, "
            "a.code4 AS KOD4, a.code5 AS KOD5, a.tel1 AS TEL1, a.tel2 AS TEL2, "
            "a.district AS ILCE, a.city AS IL, a.gsm AS GSM, "
            "(SELECT COUNT(*) FROM basket_line l WHERE l.account_id = a.id) AS SEPET, "
            "a.contact AS YETKILI, a.discount AS INDIRIM, a.due_days AS VADE, "
            "a.due_check_days AS VADEKONTROLGUN, a.due_check_months AS VADEKONTROLAY, "
            "a.tax_office AS VERGIDAIRESI, a.tax_number AS VERGINO, a.address1 AS ADRES1, "
            "a.address2 AS ADRES2, a.main_group AS ANAGRUP, a.sub_group AS ALTGRUP, "
            "a.fax1 AS FAX1, a.fax2 AS FAX2, a.email AS EMAIL, "
            "(SELECT COUNT(*) FROM sales_order o WHERE o.account_id = a.id AND o.status = 2) "
            "  AS ALINDI, "
            "(SELECT COUNT(*) FROM sales_order o WHERE o.account_id = a.id AND o.status = 3) "
            "  AS ONAYLANDI, "
            "(SELECT COUNT(*) FROM sales_order o WHERE o.account_id = a.id AND o.status = 4) "
            "  AS GORULDU, "
            "(SELECT COUNT(*) FROM sales_order o WHERE o.account_id = a.id AND o.status = 6) "
            "  AS HAZIRLANDI, "
            "(SELECT COUNT(*) FROM sales_order o WHERE o.account_id = a.id AND o.status = 5) "
            "  AS PARCALIHAZIRLANDI "
            "FROM account a LEFT JOIN sales_rep r ON r.id = a.rep_id "
            "LEFT JOIN (SELECT account_id, ROUND(SUM(debit - credit), 2) AS bal "
            "           FROM statement_entry GROUP BY account_id) b ON b.account_id = a.id "
            "WHERE (?1 = 0 OR a.rep_id = ?1) AND contains_all(a.search_keys, ?2) "
            "AND (?3 = 0 "
            "  OR (?3 = 1 AND EXISTS (SELECT 1 FROM basket_line l WHERE l.account_id = a.id)) "
            "  OR (?3 > 1 AND EXISTS (SELECT 1 FROM sales_order o "
            "                         WHERE o.account_id = a.id AND o.status = ?3))) "
            "ORDER BY a.name")
        .bind(1, repId).bind(2, words.join(QLatin1Char(' '))).bind(3, status)
        .readInto(*out, AnswerFields::customerFields());
    return out;
}

StatusCounts SqliteStorage::statusCounts(int repId)
{
    auto &q = db().prepare(
        "SELECT "
        "(SELECT COUNT(DISTINCT l.account_id) FROM basket_line l "
        "   JOIN account a ON a.id = l.account_id WHERE ?1 = 0 OR a.rep_id = ?1), "
        "COUNT(DISTINCT CASE WHEN o.status = 2 THEN o.account_id END), "
        "COUNT(DISTINCT CASE WHEN o.status = 3 THEN o.account_id END), "
        "COUNT(DISTINCT CASE WHEN o.status = 4 THEN o.account_id END), "
        "COUNT(DISTINCT CASE WHEN o.status = 5 THEN o.account_id END), "
        "COUNT(DISTINCT CASE WHEN o.status = 6 THEN o.account_id END), "
        "COUNT(DISTINCT CASE WHEN o.status = 7 THEN o.account_id END) "
        "FROM sales_order o JOIN account a ON a.id = o.account_id "
        "WHERE ?1 = 0 OR a.rep_id = ?1");
    q.bind(1, repId);
    StatusCounts c;
    if (q.step()) {
        c.basket = int(q.intValue(0));
        c.received = int(q.intValue(1));
        c.approved = int(q.intValue(2));
        c.seen = int(q.intValue(3));
        c.partlyPrepared = int(q.intValue(4));
        c.prepared = int(q.intValue(5));
        c.shipped = int(q.intValue(6));
    }
    q.reset();
    return c;
}

// --- stock -----------------------------------------------------------------------------

void SqliteStorage::saveStock(const std::vector<StockRecord> &items)
{
    transaction([&] {
        auto &q = db().prepare(
            "INSERT INTO stock(id, code, name, other_name, oem1, oem2, oem3, oem4, oem_no, "
            "finish_code, maker_code, dp_code, p_code, barcode_no, make, model, main_group, "
            "special_code, unit, availability, picture_id, is_new, campaign, vat, list_price, "
            "campaign_price, price, disc1, disc2, disc3, disc4, net_price, gross_price, "
            "discount_text, on_hand, ordered_by_customers, ordered_from_suppliers, "
            "search_keys) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,"
            "?,?,?,?,?,?,?,?) "
            "ON CONFLICT(id) DO UPDATE SET code=excluded.code, name=excluded.name, "
            "other_name=excluded.other_name, oem1=excluded.oem1, oem2=excluded.oem2, "
            "oem3=excluded.oem3, oem4=excluded.oem4, oem_no=excluded.oem_no, "
            "finish_code=excluded.finish_code, maker_code=excluded.maker_code, "
            "dp_code=excluded.dp_code, p_code=excluded.p_code, "
            "barcode_no=excluded.barcode_no, make=excluded.make, model=excluded.model, "
            "main_group=excluded.main_group, special_code=excluded.special_code, "
            "unit=excluded.unit, availability=excluded.availability, "
            "picture_id=excluded.picture_id, is_new=excluded.is_new, "
            "campaign=excluded.campaign, vat=excluded.vat, list_price=excluded.list_price, "
            "campaign_price=excluded.campaign_price, price=excluded.price, "
            "disc1=excluded.disc1, disc2=excluded.disc2, disc3=excluded.disc3, "
            "disc4=excluded.disc4, net_price=excluded.net_price, "
            "gross_price=excluded.gross_price, discount_text=excluded.discount_text, "
            "on_hand=excluded.on_hand, ordered_by_customers=excluded.ordered_by_customers, "
            "ordered_from_suppliers=excluded.ordered_from_suppliers, "
            "search_keys=excluded.search_keys");
        for (const StockRecord &s : items) {
            int c = 1;
            if (s.id > 0)
                q.bind(c, s.id);
            ++c;
            for (const QString *t : {&s.code, &s.name, &s.otherName, &s.oem[0], &s.oem[1],
                                     &s.oem[2], &s.oem[3], &s.oemNo, &s.finishCode,
                                     &s.makerCode, &s.dpCode, &s.pCode})
                q.bind(c++, *t);
            q.bind(c++, s.barcodeNo);
            for (const QString *t : {&s.make, &s.model, &s.mainGroup, &s.specialCode, &s.unit})
                q.bind(c++, *t);
            q.bind(c++, s.availability);
            if (s.pictureId > 0)
                q.bind(c, s.pictureId);
            ++c;
            q.bind(c++, s.isNew);
            q.bind(c++, s.campaign);
            q.bind(c++, s.vat);
            q.bind(c++, s.listPrice);
            q.bind(c++, s.campaignPrice);
            q.bind(c++, s.price);
            for (double dsc : s.discounts)
                q.bind(c++, dsc);
            q.bind(c++, s.netPrice);
            q.bind(c++, s.grossPrice);
            q.bind(c++, s.discountText);
            q.bind(c++, s.onHand);
            q.bind(c++, s.orderedByCustomers);
            q.bind(c++, s.orderedFromSuppliers);
            q.bind(c++, stockKeys(s));
            q.exec();
        }
    });
}

std::optional<StockRecord> SqliteStorage::stock(int id)
{
    auto &q = db().prepare(
        "SELECT id, code, name, other_name, oem1, oem2, oem3, oem4, oem_no, finish_code, "
        "maker_code, dp_code, p_code, barcode_no, make, model, main_group, special_code, "
        "unit, availability, COALESCE(picture_id, 0), is_new, campaign, vat, list_price, "
        "campaign_price, price, disc1, disc2, disc3, disc4, net_price, gross_price, "
        "discount_text, on_hand, ordered_by_customers, ordered_from_suppliers "
        "FROM stock WHERE id = ?");
    q.bind(1, id);
    std::optional<StockRecord> out;
    if (q.step()) {
        StockRecord s;
        int c = 0;
        s.id = int(q.intValue(c++));
        for (QString *t : {&s.code, &s.name, &s.otherName, &s.oem[0], &s.oem[1], &s.oem[2],
                           &s.oem[3], &s.oemNo, &s.finishCode, &s.makerCode, &s.dpCode,
                           &s.pCode})
            *t = q.textValue(c++);
        s.barcodeNo = int(q.intValue(c++));
        for (QString *t : {&s.make, &s.model, &s.mainGroup, &s.specialCode, &s.unit})
            *t = q.textValue(c++);
        s.availability = int(q.intValue(c++));
        s.pictureId = int(q.intValue(c++));
        s.isNew = int(q.intValue(c++));
        s.campaign = int(q.intValue(c++));
        s.vat = q.doubleValue(c++);
        s.listPrice = q.doubleValue(c++);
        s.campaignPrice = q.doubleValue(c++);
        s.price = q.doubleValue(c++);
        for (double &dsc : s.discounts)
            dsc = q.doubleValue(c++);
        s.netPrice = q.doubleValue(c++);
        s.grossPrice = q.doubleValue(c++);
        s.discountText = q.textValue(c++);
        s.onHand = q.doubleValue(c++);
        s.orderedByCustomers = q.doubleValue(c++);
        s.orderedFromSuppliers = q.doubleValue(c++);
        out = s;
    }
    q.reset();
    return out;
}

int SqliteStorage::insertPicture(const QByteArray &jpeg)
{
    SqliteDatabase &d = db();
    d.prepare("INSERT INTO picture(jpeg) VALUES (?)").bind(1, jpeg).exec();
    return int(d.lastInsertId());
}

QByteArray SqliteStorage::stockPicture(int stockId)
{
    auto &q = db().prepare("SELECT p.jpeg FROM stock s JOIN picture p ON p.id = s.picture_id "
                           "WHERE s.id = ?");
    q.bind(1, stockId);
    QByteArray out = q.step() ? q.blobValue(0) : QByteArray();
    q.reset();
    return out;
}

std::shared_ptr<const StockOrder> SqliteStorage::stockOrder(SqliteDatabase &d)
{
    const qint64 revision = StockOrder::currentRevision(d);
    QMutexLocker lock(&m_orderMutex);
    if (!m_stockOrder || m_stockOrder->revision() != revision)
        m_stockOrder = StockOrder::read(d, revision);
    return m_stockOrder;
}

DatasetPtr SqliteStorage::searchStock(const QStringList &words, int limit)
{
    auto out = std::make_shared<Dataset>();
    if (words.isEmpty() || limit <= 0) {
        out->BeginLoad(AnswerFields::stockFields());
        out->EndLoad();
        return out;
    }
    // Words of three characters or more go through the trigram index; shorter ones can
    // only filter what the index found, or the whole table when no word is long enough.
    QStringList indexed, filtered;
    for (const QString &w : words)
        (w.size() >= 3 ? indexed : filtered).append(w);
    QStringList terms;
    for (const QString &w : indexed)
        terms.append(QLatin1Char('"') + QString(w).replace(QLatin1Char('"'), QLatin1String("\"\""))
                     + QLatin1Char('"'));

    SqliteDatabase &d = db();
    // Inside a caller's transaction another connection would not see its changes.
    const bool mayShare = !d.inTransaction();
    SqliteReadSnapshot snapshot(d);
    // First the matching ids in code order, cut at the cap; only those rows are read.
    std::vector<qint64> ids;
    auto collect = [&ids](SqliteStatement &q) {
        while (q.step())
            ids.push_back(q.intValue(0));
        q.reset();
    };
    if (indexed.isEmpty()) {
        collect(d.prepare("SELECT s.id FROM stock s WHERE contains_all(s.search_keys, ?1) "
                          "ORDER BY s.code, s.id LIMIT ?2")
                    .bind(1, filtered.join(QLatin1Char(' ')))
                    .bind(2, limit));
    } else {
        if (filtered.isEmpty()) {
            collect(d.prepare("SELECT rowid FROM stock_fts WHERE stock_fts MATCH ?1")
                        .bind(1, terms.join(QLatin1String(" AND "))));
        } else {
            collect(d.prepare("SELECT s.id FROM stock s WHERE s.id IN "
                              "(SELECT rowid FROM stock_fts WHERE stock_fts MATCH ?1) "
                              "AND contains_all(s.search_keys, ?2)")
                        .bind(1, terms.join(QLatin1String(" AND ")))
                        .bind(2, filtered.join(QLatin1Char(' '))));
        }
        stockOrder(d)->sortAndTruncate(ids, size_t(limit));
    }

    // A large answer is read by two threads while the spare one is idle: row reads wait on
    // memory, and a second core halves that wait. The ids are cut into chunks; this thread
    // takes them from the front and the spare thread from the back until they meet, so a
    // spare thread slow to wake simply gets fewer. It reads on its own connection, so its
    // rows may be a moment newer; every row is whole either way.
    static constexpr size_t kSplitRows = 2000, kChunk = 512;
    const QVector<FieldDef> &fields = AnswerFields::stockFields();
    const size_t chunks = (ids.size() + kChunk - 1) / kChunk;
    const auto chunkSize = [&ids](size_t c) { return std::min(kChunk, ids.size() - c * kChunk); };
    std::mutex claim;
    size_t front = 0, back = chunks;  // chunks not yet taken: [front, back)
    // The next chunk from one end, or false once the two ends have met.
    const auto take = [&](bool fromFront, size_t &c) {
        std::lock_guard<std::mutex> lock(claim);
        if (front >= back)
            return false;
        c = fromFront ? front++ : --back;
        return true;
    };
    std::unique_ptr<Dataset[]> fromBack(new Dataset[chunks]);
    out->BeginLoad(fields, int(ids.size()));
    const bool split = ids.size() >= kSplitRows && mayShare
        && m_spare.tryStart([&, this] {
               SqliteDatabase &own = db();
               SqliteReadSnapshot view(own);
               size_t c = 0;
               while (take(false, c)) {
                   fromBack[c].BeginLoad(fields, int(chunkSize(c)));
                   appendStockRows(own, ids.data() + c * kChunk, chunkSize(c), fromBack[c],
                                   chunkSize(c));
                   fromBack[c].EndLoad();
               }
           });
    if (!split) {
        appendStockRows(d, ids.data(), ids.size(), *out, ids.size());
        out->EndLoad();
        return out;
    }
    try {
        size_t c = 0;
        while (take(true, c))
            appendStockRows(d, ids.data() + c * kChunk, chunkSize(c), *out, ids.size());
    } catch (...) {
        {
            std::lock_guard<std::mutex> lock(claim);
            back = front;  // nothing more for the spare thread
        }
        try {
            m_spare.wait();  // it uses this frame; this thread's error is the one to report
        } catch (...) {
        }
        throw;
    }
    m_spare.wait();
    out->EndLoad();
    for (size_t c = front; c < chunks; ++c)
        out->AppendLoaded(fromBack[c]);
    return out;
}

DatasetPtr SqliteStorage::scanStock(const QString &word, int limit)
{
    auto out = std::make_shared<Dataset>();
    db().prepare("SELECT " STOCK_COLUMNS "FROM stock s WHERE s.search_keys LIKE ?1 "
                 "ORDER BY s.code, s.id LIMIT ?2")
        .bind(1, QLatin1Char('%') + word + QLatin1Char('%'))
        .bind(2, limit)
        .readInto(*out, AnswerFields::stockFields());
    return out;
}

DatasetPtr SqliteStorage::newItems()
{
    auto out = std::make_shared<Dataset>();
    db().prepare("SELECT " STOCK_COLUMNS "FROM stock s WHERE s.is_new > 0 ORDER BY s.code")
        .readInto(*out, AnswerFields::stockFields());
    return out;
}

DatasetPtr SqliteStorage::campaignItems()
{
    auto out = std::make_shared<Dataset>();
    db().prepare("SELECT " STOCK_COLUMNS "FROM stock s WHERE s.campaign > 0 ORDER BY s.code")
        .readInto(*out, AnswerFields::stockFields());
    return out;
}

int SqliteStorage::newItemCount()
{
    return int(db().prepare("SELECT COUNT(*) FROM stock WHERE is_new > 0").scalarInt());
}

int SqliteStorage::campaignItemCount()
{
    return int(db().prepare("SELECT COUNT(*) FROM stock WHERE campaign > 0").scalarInt());
}
