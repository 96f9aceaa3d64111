// Basket, orders, account documents and the mail outbox of SqliteStorage.
#include "sqlitestorage.h"

#include "answerfields.h"
#include "sqlitedatabase.h"
#include "storageerror.h"

#include <algorithm>

namespace {

// Binds quantity, unit price, VAT, four discounts, gross, discount, net unit, net, tax and
// the discount text from position `first` on; answers the next free position.
int bindAmounts(SqliteStatement &q, int first, const LineAmounts &a)
{
    int c = first;
    q.bind(c++, a.quantity);
    q.bind(c++, a.unitPrice);
    q.bind(c++, a.vat);
    for (double d : a.discounts)
        q.bind(c++, d);
    q.bind(c++, a.gross);
    q.bind(c++, a.discount);
    q.bind(c++, a.netUnit);
    q.bind(c++, a.net);
    q.bind(c++, a.tax);
    q.bind(c++, a.discountText);
    return c;
}

#define AMOUNT_COLUMNS                                                                        \
    "quantity, unit_price, vat, disc1, disc2, disc3, disc4, gross, discount, net_unit, net, " \
    "tax, discount_text"

int readAmounts(SqliteStatement &q, int first, LineAmounts &a)
{
    int c = first;
    a.quantity = q.doubleValue(c++);
    a.unitPrice = q.doubleValue(c++);
    a.vat = q.doubleValue(c++);
    for (double &d : a.discounts)
        d = q.doubleValue(c++);
    a.gross = q.doubleValue(c++);
    a.discount = q.doubleValue(c++);
    a.netUnit = q.doubleValue(c++);
    a.net = q.doubleValue(c++);
    a.tax = q.doubleValue(c++);
    a.discountText = q.textValue(c++);
    return c;
}

}  // namespace

// --- basket ----------------------------------------------------------------------------

#define LINE_STOCK_COLUMNS                                                                    \
    "s.finish_code AS FINISHKOD, s.oem_no AS OEMNO, s.name AS ACIKLAMA, "                     \
    "a.code AS CARIKOD, a.name AS CARIADI, s.oem1 AS OEM1, s.oem2 AS OEM2, s.oem3 AS OEM3, "  \
    "s.oem4 AS OEM4, s.id AS STOK_STOKNO, s.maker_code AS URETICIKODU, "                      \
    "s.other_name AS DIGERADI, s.dp_code AS DPKOD, s.p_code AS PKOD, s.make AS MARKA, "       \
    "s.model AS MODEL, s.main_group AS ANAGRUP, s.special_code AS OZELKOD, "                  \
    "s.on_hand AS ELDEKI, s.availability AS DURUM, "                                          \
    "s.ordered_by_customers AS ALINANSIPARIS, s.ordered_from_suppliers AS VERILENSIPARIS, "   \
    "'TL' AS KUR, 1.0 AS KURTL, "

DatasetPtr SqliteStorage::basket(int accountId)
{
    auto out = std::make_shared<Dataset>();
    db().prepare("SELECT " LINE_STOCK_COLUMNS
                 "b.selected AS SEC, b.date AS VERILISTARIHI, b.id AS SIRANO, "
                 "b.account_id AS CARINO, b.date AS TARIH, b.stock_id AS STOKNO, "
                 "b.code AS BARKOD, b.name AS STOKADI, b.quantity AS MIKTAR, "
                 "b.unit_price AS BIRIMFIYAT, b.unit_price AS ILKFIYAT, b.gross AS TUTAR, "
                 "b.discount_text AS INDIRIMYAZI, b.disc1 AS INDIRIMORANI1, "
                 "b.disc2 AS INDIRIMORANI2, b.disc3 AS INDIRIMORANI3, "
                 "b.disc4 AS INDIRIMORANI4, b.discount AS INDIRIMTUTAR, "
                 "b.net_unit AS NETBIRIMFIYAT, b.vat AS KDV, b.tax AS VERGITUTARI, "
                 "b.net AS NETTUTAR, b.user_id AS VERENIDNO, b.time AS SAAT, "
                 "b.user_id AS VERENSIRANO, u.name AS VEREN, s.on_hand AS KALAN "
                 "FROM basket_line b JOIN stock s ON s.id = b.stock_id "
                 "JOIN account a ON a.id = b.account_id "
                 "LEFT JOIN app_user u ON u.id = b.user_id "
                 "WHERE b.account_id = ? ORDER BY b.id")
        .bind(1, accountId)
        .readInto(*out, AnswerFields::orderLineFields());
    return out;
}

int SqliteStorage::basketLineCount(int accountId)
{
    return int(db().prepare("SELECT COUNT(*) FROM basket_line WHERE account_id = ?")
                   .bind(1, accountId).scalarInt());
}

#define BASKET_COLUMNS "id, account_id, stock_id, user_id, code, name, selected, campaign, " \
                       "date, time, " AMOUNT_COLUMNS

static BasketLineRecord readBasketLine(SqliteStatement &q)
{
    BasketLineRecord b;
    b.id = int(q.intValue(0));
    b.accountId = int(q.intValue(1));
    b.stockId = int(q.intValue(2));
    b.userId = int(q.intValue(3));
    b.code = q.textValue(4);
    b.name = q.textValue(5);
    b.selected = int(q.intValue(6));
    b.campaign = int(q.intValue(7));
    b.date = q.doubleValue(8);
    b.time = q.textValue(9);
    readAmounts(q, 10, b.amounts);
    return b;
}

std::optional<BasketLineRecord> SqliteStorage::basketLine(int id)
{
    auto &q = db().prepare("SELECT " BASKET_COLUMNS " FROM basket_line WHERE id = ?");
    return q.bind(1, id).first([&] { return readBasketLine(q); });
}

std::optional<BasketLineRecord> SqliteStorage::basketLineOfStock(int accountId, int stockId)
{
    auto &q = db().prepare("SELECT " BASKET_COLUMNS " FROM basket_line "
                           "WHERE account_id = ? AND stock_id = ?");
    return q.bind(1, accountId).bind(2, stockId).first([&] {
        return readBasketLine(q);
    });
}

int SqliteStorage::insertBasketLine(const BasketLineRecord &b)
{
    SqliteDatabase &d = db();
    auto &q = d.prepare("INSERT INTO basket_line(account_id, stock_id, user_id, code, name, "
                        "selected, campaign, date, time, " AMOUNT_COLUMNS ") VALUES "
                        "(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    q.bind(1, b.accountId).bind(2, b.stockId).bind(3, b.userId).bind(4, b.code)
        .bind(5, b.name).bind(6, b.selected).bind(7, b.campaign).bind(8, b.date)
        .bind(9, b.time);
    bindAmounts(q, 10, b.amounts);
    q.exec();
    return int(d.lastInsertId());
}

void SqliteStorage::updateBasketLine(const BasketLineRecord &b)
{
    auto &q = db().prepare("UPDATE basket_line SET user_id = ?, code = ?, name = ?, "
                           "selected = ?, campaign = ?, quantity = ?, unit_price = ?, vat = ?, "
                           "disc1 = ?, disc2 = ?, disc3 = ?, disc4 = ?, gross = ?, "
                           "discount = ?, net_unit = ?, net = ?, tax = ?, discount_text = ? "
                           "WHERE id = ?");
    q.bind(1, b.userId).bind(2, b.code).bind(3, b.name).bind(4, b.selected)
        .bind(5, b.campaign);
    const int next = bindAmounts(q, 6, b.amounts);
    q.bind(next, b.id).exec();
}

bool SqliteStorage::setBasketSelection(int lineId, int selected)
{
    SqliteDatabase &d = db();
    d.prepare("UPDATE basket_line SET selected = ? WHERE id = ?")
        .bind(1, selected).bind(2, lineId).exec();
    return d.changes() > 0;
}

bool SqliteStorage::deleteBasketLine(int lineId)
{
    SqliteDatabase &d = db();
    d.prepare("DELETE FROM basket_line WHERE id = ?").bind(1, lineId).exec();
    return d.changes() > 0;
}

int SqliteStorage::deleteBasket(int accountId)
{
    SqliteDatabase &d = db();
    d.prepare("DELETE FROM basket_line WHERE account_id = ?").bind(1, accountId).exec();
    return d.changes();
}

// --- orders ----------------------------------------------------------------------------

int SqliteStorage::placeOrder(const OrderRecord &o)
{
    int orderId = 0;
    transaction([&] {
        SqliteDatabase &d = db();
        auto &count = d.prepare("SELECT COUNT(*) FROM basket_line "
                                "WHERE account_id = ? AND selected = 1");
        if (count.bind(1, o.accountId).scalarInt() == 0)
            return;
        d.prepare("INSERT INTO sales_order(account_id, user_id, date, time, delivery_id, "
                  "cargo_type_id, cargo_company_id, customer_note, status) "
                  "VALUES (?,?,?,?,?,?,?,?,2)")
            .bind(1, o.accountId).bind(2, o.userId).bind(3, o.date).bind(4, o.time)
            .bind(5, o.deliveryId).bind(6, o.cargoTypeId).bind(7, o.cargoCompanyId)
            .bind(8, o.customerNote).exec();
        orderId = int(d.lastInsertId());
        d.prepare("INSERT INTO order_line(order_id, basket_line_id, stock_id, code, name, "
                  "first_price, delivered, open, " AMOUNT_COLUMNS ") "
                  "SELECT ?1, id, stock_id, code, name, unit_price, 0, quantity, "
                  AMOUNT_COLUMNS " FROM basket_line "
                  "WHERE account_id = ?2 AND selected = 1 ORDER BY id")
            .bind(1, orderId).bind(2, o.accountId).exec();
        d.prepare("UPDATE stock SET ordered_by_customers = ordered_by_customers + "
                  "(SELECT SUM(quantity) FROM basket_line b WHERE b.stock_id = stock.id "
                  " AND b.account_id = ?1 AND b.selected = 1) "
                  "WHERE id IN (SELECT stock_id FROM basket_line "
                  "             WHERE account_id = ?1 AND selected = 1)")
            .bind(1, o.accountId).exec();
        d.prepare("UPDATE sales_order SET (gross, discount, net, tax) = "
                  "(SELECT ROUND(SUM(gross), 2), ROUND(SUM(discount), 2), ROUND(SUM(net), 2), "
                  " ROUND(SUM(tax), 2) FROM order_line WHERE order_id = ?1) WHERE id = ?1")
            .bind(1, orderId).exec();
        d.prepare("DELETE FROM basket_line WHERE account_id = ? AND selected = 1")
            .bind(1, o.accountId).exec();
    });
    return orderId;
}

int SqliteStorage::insertOrder(const OrderRecord &o, const std::vector<OrderLineRecord> &lines)
{
    int orderId = 0;
    transaction([&] {
        SqliteDatabase &d = db();
        d.prepare("INSERT INTO sales_order(account_id, user_id, date, time, delivery_id, "
                  "cargo_type_id, cargo_company_id, customer_note, distributor_note, "
                  "rep_note, status) VALUES (?,?,?,?,?,?,?,?,?,?,?)")
            .bind(1, o.accountId).bind(2, o.userId).bind(3, o.date).bind(4, o.time)
            .bind(5, o.deliveryId).bind(6, o.cargoTypeId).bind(7, o.cargoCompanyId)
            .bind(8, o.customerNote).bind(9, o.distributorNote).bind(10, o.repNote)
            .bind(11, o.status).exec();
        orderId = int(d.lastInsertId());
        // Old orders keep line numbers of their own, above any basket line yet to come.
        auto &q = d.prepare("INSERT INTO order_line(order_id, basket_line_id, stock_id, code, "
                            "name, first_price, delivered, open, " AMOUNT_COLUMNS ") VALUES "
                            "(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
        for (const OrderLineRecord &l : lines) {
            q.bind(1, orderId).bind(2, l.basketLineId).bind(3, l.stockId).bind(4, l.code)
                .bind(5, l.name).bind(6, l.firstPrice).bind(7, l.delivered).bind(8, l.open);
            bindAmounts(q, 9, l.amounts);
            q.exec();
        }
        d.prepare("UPDATE sales_order SET (gross, discount, net, tax) = "
                  "(SELECT ROUND(SUM(gross), 2), ROUND(SUM(discount), 2), ROUND(SUM(net), 2), "
                  " ROUND(SUM(tax), 2) FROM order_line WHERE order_id = ?1) WHERE id = ?1")
            .bind(1, orderId).exec();
    });
    return orderId;
}

#define ORDER_JOINS                                                                           \
    "JOIN account a ON a.id = o.account_id LEFT JOIN app_user u ON u.id = o.user_id "         \
    "LEFT JOIN delivery_mode dm ON dm.id = o.delivery_id "                                    \
    "LEFT JOIN cargo_type ct ON ct.id = o.cargo_type_id "                                     \
    "LEFT JOIN cargo_company cc ON cc.id = o.cargo_company_id "                               \
    "LEFT JOIN order_status st ON st.id = o.status "

DatasetPtr SqliteStorage::orders(int accountId)
{
    auto out = std::make_shared<Dataset>();
    db().prepare("SELECT o.account_id AS CARINO, o.id AS IDNO, o.date AS TARIH, 'TL' AS KUR, "
                 "1.0 AS KURTL, o.user_id AS VERENIDNO, ct.name AS KARGO, dm.name AS TESLIM, "
                 "u.name AS VEREN, a.code AS CARIKOD, a.name AS CARIADI, o.tax AS VERGI, "
                 "o.net AS NETTUTAR, o.gross AS TUTAR, st.name AS DURUM, cc.name AS KARGOADI, "
                 "o.customer_note AS VERENINNOTU, o.distributor_note AS ALANNOTU "
                 "FROM sales_order o " ORDER_JOINS
                 "WHERE o.account_id = ? ORDER BY o.date DESC, o.id DESC")
        .bind(1, accountId)
        .readInto(*out, AnswerFields::orderFields());
    return out;
}

#define ORDER_LINE_SELECT                                                                     \
    "SELECT " LINE_STOCK_COLUMNS                                                              \
    "0 AS SEC, o.date AS VERILISTARIHI, l.basket_line_id AS SIRANO, o.id AS SIPARISNO, "      \
    "o.account_id AS CARINO, o.date AS TARIH, l.stock_id AS STOKNO, l.code AS BARKOD, "       \
    "l.name AS STOKADI, l.quantity AS MIKTAR, l.unit_price AS BIRIMFIYAT, "                   \
    "l.first_price AS ILKFIYAT, l.gross AS TUTAR, l.discount_text AS INDIRIMYAZI, "           \
    "l.disc1 AS INDIRIMORANI1, l.disc2 AS INDIRIMORANI2, l.disc3 AS INDIRIMORANI3, "          \
    "l.disc4 AS INDIRIMORANI4, l.discount AS INDIRIMTUTAR, l.net_unit AS NETBIRIMFIYAT, "     \
    "l.vat AS KDV, l.tax AS VERGITUTARI, l.net AS NETTUTAR, o.user_id AS VERENIDNO, "         \
    "o.time AS SAAT, o.delivery_id AS TESLIMID, o.cargo_type_id AS KARGOID, o.id AS IDNO, "   \
    "o.user_id AS VERENSIRANO, u.name AS VEREN, dm.name AS TESLIM, ct.name AS KARGO, "        \
    "l.delivered AS TESLIMEDILEN, l.open AS KALAN, l.id AS STOKHAR_NO "                       \
    "FROM order_line l JOIN sales_order o ON o.id = l.order_id "                              \
    "JOIN stock s ON s.id = l.stock_id " ORDER_JOINS

DatasetPtr SqliteStorage::orderLines(int orderId)
{
    auto out = std::make_shared<Dataset>();
    db().prepare(ORDER_LINE_SELECT "WHERE l.order_id = ? ORDER BY l.id")
        .bind(1, orderId)
        .readInto(*out, AnswerFields::orderLineFields());
    return out;
}

std::optional<OrderFooterRecord> SqliteStorage::orderFooter(int orderId)
{
    auto &q = db().prepare("SELECT o.account_id, o.customer_note, st.name, u.name, cc.name, "
                           "o.distributor_note, dm.name, ct.name, o.rep_note "
                           "FROM sales_order o " ORDER_JOINS "WHERE o.id = ?");
    q.bind(1, orderId);
    std::optional<OrderFooterRecord> out;
    if (q.step()) {
        OrderFooterRecord f;
        f.accountId = int(q.intValue(0));
        f.customerNote = q.textValue(1);
        f.status = q.textValue(2);
        f.user = q.textValue(3);
        f.cargoCompany = q.textValue(4);
        f.distributorNote = q.textValue(5);
        f.delivery = q.textValue(6);
        f.cargoType = q.textValue(7);
        f.repNote = q.textValue(8);
        out = f;
    }
    q.reset();
    return out;
}

DatasetPtr SqliteStorage::backOrders(int accountId)
{
    auto out = std::make_shared<Dataset>();
    db().prepare(ORDER_LINE_SELECT "WHERE o.account_id = ? AND l.open > 0 "
                                   "ORDER BY o.date, l.id")
        .bind(1, accountId)
        .readInto(*out, AnswerFields::orderLineFields());
    return out;
}

double SqliteStorage::backOrderQuantity(int accountId)
{
    return db().prepare("SELECT COALESCE(SUM(l.open), 0) FROM order_line l "
                        "JOIN sales_order o ON o.id = l.order_id "
                        "WHERE o.account_id = ? AND l.open > 0")
        .bind(1, accountId).scalarDouble();
}

DatasetPtr SqliteStorage::orderLinesOfStock(int accountId, int stockId)
{
    auto out = std::make_shared<Dataset>();
    db().prepare(ORDER_LINE_SELECT "WHERE o.account_id = ?1 AND (?2 = 0 OR l.stock_id = ?2) "
                                   "ORDER BY o.date DESC, l.id")
        .bind(1, accountId).bind(2, stockId)
        .readInto(*out, AnswerFields::orderLineFields());
    return out;
}

std::optional<OrderLineRecord> SqliteStorage::orderLine(int id)
{
    auto &q = db().prepare("SELECT l.id, l.order_id, l.basket_line_id, l.stock_id, "
                           "o.account_id, l.code, l.name, l.first_price, l.delivered, l.open, "
                           "l.quantity, l.unit_price, l.vat, l.disc1, l.disc2, l.disc3, "
                           "l.disc4, l.gross, l.discount, l.net_unit, l.net, l.tax, "
                           "l.discount_text FROM order_line l "
                           "JOIN sales_order o ON o.id = l.order_id WHERE l.id = ?");
    q.bind(1, id);
    std::optional<OrderLineRecord> out;
    if (q.step()) {
        OrderLineRecord l;
        l.id = int(q.intValue(0));
        l.orderId = int(q.intValue(1));
        l.basketLineId = int(q.intValue(2));
        l.stockId = int(q.intValue(3));
        l.accountId = int(q.intValue(4));
        l.code = q.textValue(5);
        l.name = q.textValue(6);
        l.firstPrice = q.doubleValue(7);
        l.delivered = q.doubleValue(8);
        l.open = q.doubleValue(9);
        readAmounts(q, 10, l.amounts);
        out = l;
    }
    q.reset();
    return out;
}

void SqliteStorage::updateOrderLine(const OrderLineRecord &l)
{
    transaction([&] {
        SqliteDatabase &d = db();
        const double oldOpen = d.prepare("SELECT open FROM order_line WHERE id = ?")
                                   .bind(1, l.id).scalarDouble();
        auto &q = d.prepare("UPDATE order_line SET first_price = ?, delivered = ?, open = ?, "
                            "quantity = ?, unit_price = ?, vat = ?, disc1 = ?, disc2 = ?, "
                            "disc3 = ?, disc4 = ?, gross = ?, discount = ?, net_unit = ?, "
                            "net = ?, tax = ?, discount_text = ? WHERE id = ?");
        q.bind(1, l.firstPrice).bind(2, l.delivered).bind(3, l.open);
        const int next = bindAmounts(q, 4, l.amounts);
        q.bind(next, l.id).exec();
        d.prepare("UPDATE stock SET ordered_by_customers = "
                  "MAX(0, ordered_by_customers + ?) WHERE id = ?")
            .bind(1, l.open - oldOpen).bind(2, l.stockId).exec();
        d.prepare("UPDATE sales_order SET (gross, discount, net, tax) = "
                  "(SELECT ROUND(SUM(gross), 2), ROUND(SUM(discount), 2), ROUND(SUM(net), 2), "
                  " ROUND(SUM(tax), 2) FROM order_line WHERE order_id = ?1) WHERE id = ?1")
            .bind(1, l.orderId).exec();
    });
}

DatasetPtr SqliteStorage::ordersTaken(int repId, double from, double to)
{
    auto out = std::make_shared<Dataset>();
    db().prepare("SELECT COALESCE(r.name, '') AS SATICIADI, o.id AS IDNO, "
                 "o.account_id AS CARINO, o.date AS TARIH, 'TL' AS KUR, 1.0 AS KURTL, "
                 "o.user_id AS VERENIDNO, ct.name AS KARGO, dm.name AS TESLIM, u.name AS VEREN, "
                 "a.code AS CARIKOD, a.name AS CARIADI, st.name AS DURUM, cc.name AS KARGOADI, "
                 "o.tax AS VERGI, o.net AS NETTUTAR, o.gross AS TUTAR "
                 "FROM sales_order o " ORDER_JOINS "LEFT JOIN sales_rep r ON r.id = a.rep_id "
                 "WHERE (?1 = 0 OR a.rep_id = ?1) AND o.date >= ?2 AND o.date < ?3 + 1 "
                 "ORDER BY r.name, o.date, o.id")
        .bind(1, repId).bind(2, std::min(from, to)).bind(3, std::max(from, to))
        .readInto(*out, AnswerFields::ordersTakenFields());
    return out;
}

DatasetPtr SqliteStorage::stocksSold(int repId, double from, double to)
{
    auto out = std::make_shared<Dataset>();
    db().prepare("SELECT s.code AS BARKOD, s.finish_code AS KOD, s.name AS ADI, "
                 "s.main_group AS DEPARTMAN, SUM(l.quantity) AS MIKTAR, "
                 "ROUND(SUM(l.net), 2) AS NETTUTAR, ROUND(SUM(l.tax), 2) AS TLVERGI, "
                 "ROUND(SUM(l.gross), 2) AS TUTAR "
                 "FROM order_line l JOIN sales_order o ON o.id = l.order_id "
                 "JOIN account a ON a.id = o.account_id JOIN stock s ON s.id = l.stock_id "
                 "WHERE (?1 = 0 OR a.rep_id = ?1) AND o.date >= ?2 AND o.date < ?3 + 1 "
                 "GROUP BY s.id ORDER BY MIKTAR DESC, NETTUTAR DESC, s.code")
        .bind(1, repId).bind(2, std::min(from, to)).bind(3, std::max(from, to))
        .readInto(*out, AnswerFields::stocksSoldFields());
    return out;
}

// --- account documents -------------------------------------------------------------------

int SqliteStorage::insertInvoice(const InvoiceRecord &inv)
{
    int id = 0;
    transaction([&] {
        SqliteDatabase &d = db();
        d.prepare("INSERT INTO invoice(account_id, rep_id, order_id, date, time, number, kind, "
                  "due_days) VALUES (?,?,?,?,?,?,?,?)")
            .bind(1, inv.accountId).bind(2, inv.repId).bind(3, inv.orderId).bind(4, inv.date)
            .bind(5, inv.time).bind(6, inv.number).bind(7, inv.kind).bind(8, inv.dueDays)
            .exec();
        id = int(d.lastInsertId());
        auto &q = d.prepare("INSERT INTO invoice_line(invoice_id, stock_id, quantity, "
                            "unit_price, vat, disc1, disc2, disc3, disc4, gross, discount, "
                            "net_unit, net, tax) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
        for (const InvoiceLineRecord &l : inv.lines) {
            q.bind(1, id).bind(2, l.stockId);
            const LineAmounts &a = l.amounts;
            q.bind(3, a.quantity).bind(4, a.unitPrice).bind(5, a.vat);
            for (int i = 0; i < 4; ++i)
                q.bind(6 + i, a.discounts[size_t(i)]);
            q.bind(10, a.gross).bind(11, a.discount).bind(12, a.netUnit).bind(13, a.net)
                .bind(14, a.tax).exec();
        }
        d.prepare("UPDATE invoice SET (total, discount, net, tax) = "
                  "(SELECT ROUND(SUM(gross), 2), ROUND(SUM(discount), 2), ROUND(SUM(net), 2), "
                  " ROUND(SUM(tax), 2) FROM invoice_line WHERE invoice_id = ?1) WHERE id = ?1")
            .bind(1, id).exec();
        d.prepare("UPDATE invoice SET gross_total = ROUND(net + tax, 2) WHERE id = ?")
            .bind(1, id).exec();
        d.prepare("INSERT INTO statement_entry(account_id, date, kind, document, debit, credit, "
                  "note, source_id) SELECT account_id, date, kind, number, gross_total, 0, "
                  "'Fatura ' || number, id FROM invoice WHERE id = ?")
            .bind(1, id).exec();
    });
    return id;
}

int SqliteStorage::insertCollection(const CollectionRecord &c)
{
    int id = 0;
    transaction([&] {
        SqliteDatabase &d = db();
        d.prepare("INSERT INTO collection(account_id, date, due, amount, kind, method, number, "
                  "note, ref, time) VALUES (?,?,?,?,?,?,?,?,?,?)")
            .bind(1, c.accountId).bind(2, c.date).bind(3, c.due).bind(4, c.amount)
            .bind(5, c.kind).bind(6, c.method).bind(7, c.number).bind(8, c.note)
            .bind(9, c.ref).bind(10, c.time).exec();
        id = int(d.lastInsertId());
        if (!c.receiptPdf.isEmpty())
            d.prepare("INSERT INTO card_receipt(collection_id, card_holder, card_number, pdf) "
                      "VALUES (?,?,?,?)")
                .bind(1, id).bind(2, c.cardHolder).bind(3, c.cardNumber).bind(4, c.receiptPdf)
                .exec();
        const bool payment = c.kind == QLatin1String("Tediye");
        d.prepare("INSERT INTO statement_entry(account_id, date, kind, document, debit, credit, "
                  "note, source_id) VALUES (?,?,?,?,?,?,?,?)")
            .bind(1, c.accountId).bind(2, c.date).bind(3, c.kind).bind(4, c.number)
            .bind(5, payment ? c.amount : 0.0).bind(6, payment ? 0.0 : c.amount)
            .bind(7, c.note).bind(8, id).exec();
    });
    return id;
}

void SqliteStorage::insertStatementEntry(int accountId, const StatementEntryRecord &e)
{
    db().prepare("INSERT INTO statement_entry(account_id, date, kind, document, debit, credit, "
                 "note, source_id) VALUES (?,?,?,?,?,?,?,?)")
        .bind(1, accountId).bind(2, e.date).bind(3, e.kind).bind(4, e.document)
        .bind(5, e.debit).bind(6, e.credit).bind(7, e.note).bind(8, e.sourceId).exec();
}

DatasetPtr SqliteStorage::statement(int accountId)
{
    auto out = std::make_shared<Dataset>();
    db().prepare("SELECT account_id AS CARINO, date AS TARIH, kind AS TURADI, "
                 "document AS EVRAK, debit AS BORC, credit AS ALACAK, 'TL' AS KUR, "
                 "ROUND(SUM(debit - credit) OVER (ORDER BY date, id), 2) AS BAKIYE, "
                 "CASE WHEN ROUND(SUM(debit - credit) OVER (ORDER BY date, id), 2) > 0 "
                 "  THEN 'B' WHEN ROUND(SUM(debit - credit) OVER (ORDER BY date, id), 2) < 0 "
                 "  THEN 'A' ELSE ' ' END AS D, "
                 "source_id AS IDNO, note AS ACIKLAMA FROM statement_entry "
                 "WHERE account_id = ? ORDER BY date, id")
        .bind(1, accountId)
        .readInto(*out, AnswerFields::statementFields());
    return out;
}

std::vector<StatementEntryRecord> SqliteStorage::statementEntries(int accountId)
{
    auto &q = db().prepare("SELECT date, debit, credit, kind, document, note, source_id "
                           "FROM statement_entry WHERE account_id = ? ORDER BY date, id");
    q.bind(1, accountId);
    std::vector<StatementEntryRecord> out;
    while (q.step()) {
        StatementEntryRecord e;
        e.date = q.doubleValue(0);
        e.debit = q.doubleValue(1);
        e.credit = q.doubleValue(2);
        e.kind = q.textValue(3);
        e.document = q.textValue(4);
        e.note = q.textValue(5);
        e.sourceId = int(q.intValue(6));
        out.push_back(e);
    }
    q.reset();
    return out;
}

DatasetPtr SqliteStorage::stockMovements(int accountId, int stockId)
{
    auto out = std::make_shared<Dataset>();
    db().prepare("SELECT s.code AS BARKOD, i.date AS TARIH, i.kind AS TURU, "
                 "substr(i.number, 1, 3) AS EVRAKSERI, "
                 "CAST(substr(i.number, 4) AS INTEGER) AS EVRAKSIRA, l.quantity AS MIKTAR, "
                 "l.unit_price AS TLBIRIMFIYAT, l.tax AS TLVERGI, l.gross AS TLTUTAR, "
                 "l.disc1 AS INDIRIM1, l.disc2 AS INDIRIM2, l.disc3 AS INDIRIM3, "
                 "l.disc4 AS INDIRIM4, l.discount AS TOPLAMINDIRIM, "
                 "l.net_unit AS NETBIRIMFIYAT, l.net AS NETTLTUTAR, i.due_days AS VADE, "
                 "a.code AS STOKCARIKOD, "
                 "ROUND(l.net_unit * (1 + l.vat / 100.0), 2) AS KDVDAHILBIRIMFIYAT, "
                 "ROUND(l.net + l.tax, 2) AS KDVDAHILTUTAR, r.name AS SATICI "
                 "FROM invoice_line l JOIN invoice i ON i.id = l.invoice_id "
                 "JOIN stock s ON s.id = l.stock_id JOIN account a ON a.id = i.account_id "
                 "LEFT JOIN sales_rep r ON r.id = i.rep_id "
                 "WHERE i.account_id = ? AND l.stock_id = ? ORDER BY i.date, l.id")
        .bind(1, accountId).bind(2, stockId)
        .readInto(*out, AnswerFields::stockMovementFields());
    return out;
}

DatasetPtr SqliteStorage::invoiceLines(int accountId, int invoiceId)
{
    auto out = std::make_shared<Dataset>();
    db().prepare("SELECT s.oem_no AS OEMNO, s.name AS STOKADI, s.finish_code AS FINISHKOD, "
                 "s.make AS MARKA, s.model AS MODEL, s.main_group AS ANAGRUP, "
                 "s.special_code AS OZELKOD, s.unit AS BIRIM, s.code AS BARKOD, "
                 "i.date AS STOKHAR_HAREKETTARIHI, i.kind AS STOKHAR_HAREKETTIPI2, "
                 "i.number AS EVRAKNO, l.quantity AS STOKHAR_MIKTAR, "
                 "l.unit_price AS STOKHAR_TLBIRIMFIYATI, l.tax AS STOKHAR_TLVERGI, "
                 "l.gross AS STOKHAR_TLTUTAR, l.disc1 AS STOKHAR_INDIRIM1, "
                 "l.disc2 AS STOKHAR_INDIRIM2, l.disc3 AS STOKHAR_INDIRIM3, "
                 "l.disc4 AS STOKHAR_INDIRIM4, 'IRS' || i.number AS IRSALIYEEVRAKNO, "
                 "i.date AS STOKHAR_IRSTARIHI, l.vat AS KDV, "
                 "l.discount AS STOKHAR_TOPLAMINDIRIM, i.time AS STOKHAR_SAAT, "
                 "l.net_unit AS STOKHAR_NETTLBIRIMFIYATI, l.net AS STOKHAR_NETTLTUTAR, "
                 "1.0 AS STOKHAR_KURTL, i.due_days AS STOKHAR_VADE, "
                 "CASE WHEN i.order_id > 0 THEN 'SIP' || i.order_id ELSE '' END "
                 "  AS SIPARISEVRAKNO, o.date AS SIPARISTARIHI, 'Satış İrsaliyesi' "
                 "  AS IRSALIYETIP2, a.code AS STOKCARIKOD, 1 AS SUBE_NO, "
                 "i.account_id AS STOKHAR_CARINO, 'TL' AS KUR_KURSIMGE, r.name AS SATICIADI, "
                 "s.maker_code AS URETICIKODU, s.dp_code AS DPKOD, s.other_name AS ENADI, "
                 "s.p_code AS PKOD, i.number AS BELGENO, i.id AS IDNO "
                 "FROM invoice_line l JOIN invoice i ON i.id = l.invoice_id "
                 "JOIN stock s ON s.id = l.stock_id JOIN account a ON a.id = i.account_id "
                 "LEFT JOIN sales_rep r ON r.id = i.rep_id "
                 "LEFT JOIN sales_order o ON o.id = i.order_id "
                 "WHERE i.id = ? AND i.account_id = ? ORDER BY l.id")
        .bind(1, invoiceId).bind(2, accountId)
        .readInto(*out, AnswerFields::invoiceLineFields());
    return out;
}

DatasetPtr SqliteStorage::invoiceTotals(int invoiceId)
{
    auto out = std::make_shared<Dataset>();
    db().prepare("SELECT total AS TOPLAM, discount AS TOPLAMINDIRIM, net AS MATRAH, "
                 "tax AS KDVTUTAR, gross_total AS KDVDAHIL FROM invoice WHERE id = ?")
        .bind(1, invoiceId)
        .readInto(*out, AnswerFields::invoiceTotalFields());
    return out;
}

DatasetPtr SqliteStorage::collection(int collectionId)
{
    auto out = std::make_shared<Dataset>();
    db().prepare("SELECT date AS Tarih, kind AS \"Türü\", method AS Cins, number AS EvrakNo, "
                 "due AS Vade, amount AS Tutar, 'TL' AS Kur, 1.0 AS KurTL, "
                 "note AS \"Açıklama\", 0.0 AS \"Döviz Tutar\", ref AS Ref, time AS Saat "
                 "FROM collection WHERE id = ?")
        .bind(1, collectionId)
        .readInto(*out, AnswerFields::collectionFields());
    return out;
}

int SqliteStorage::receiptNumber(int collectionId)
{
    return int(db().prepare("SELECT id FROM card_receipt WHERE collection_id = ?")
                   .bind(1, collectionId).scalarInt(0));
}

QByteArray SqliteStorage::receipt(int number)
{
    auto &q = db().prepare("SELECT pdf FROM card_receipt WHERE id = ?").bind(1, number);
    QByteArray out = q.step() ? q.blobValue(0) : QByteArray();
    q.reset();
    return out;
}

// --- mail ------------------------------------------------------------------------------

int SqliteStorage::insertMail(const MailRecord &m)
{
    SqliteDatabase &d = db();
    d.prepare("INSERT INTO outbox(created, kind, machine, subject, sender, body, eml_path) "
              "VALUES (?,?,?,?,?,?,?)")
        .bind(1, m.created).bind(2, m.kind).bind(3, m.machine).bind(4, m.subject)
        .bind(5, m.sender).bind(6, m.body).bind(7, m.emlPath).exec();
    return int(d.lastInsertId());
}

std::vector<MailRecord> SqliteStorage::mails()
{
    auto &q = db().prepare("SELECT id, created, kind, machine, subject, sender, body, eml_path "
                           "FROM outbox ORDER BY id");
    std::vector<MailRecord> out;
    while (q.step()) {
        MailRecord m;
        m.id = int(q.intValue(0));
        m.created = q.doubleValue(1);
        m.kind = q.textValue(2);
        m.machine = q.textValue(3);
        m.subject = q.textValue(4);
        m.sender = q.textValue(5);
        m.body = q.textValue(6);
        m.emlPath = q.textValue(7);
        out.push_back(m);
    }
    q.reset();
    return out;
}
