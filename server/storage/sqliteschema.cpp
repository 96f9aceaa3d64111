#include "sqliteschema.h"

#include "sqlitedatabase.h"
#include "sqlitetransaction.h"
#include "storageerror.h"

namespace {

const char *const kMigrations[] = {
    // 1: the distributor's business.
    R"sql(
CREATE TABLE setting(key TEXT PRIMARY KEY, value TEXT NOT NULL);
CREATE TABLE banner(slot INTEGER PRIMARY KEY, data BLOB NOT NULL);
CREATE TABLE screen(
  id INTEGER PRIMARY KEY, kind INTEGER NOT NULL, position INTEGER NOT NULL,
  picture BLOB, title TEXT NOT NULL DEFAULT '', search TEXT NOT NULL DEFAULT '');
CREATE TABLE delivery_mode(id INTEGER PRIMARY KEY, name TEXT NOT NULL, position INTEGER NOT NULL);
CREATE TABLE cargo_type(id INTEGER PRIMARY KEY, name TEXT NOT NULL, position INTEGER NOT NULL);
CREATE TABLE cargo_company(
  id INTEGER PRIMARY KEY, type_id INTEGER NOT NULL REFERENCES cargo_type(id),
  name TEXT NOT NULL CHECK(trim(name) <> ''), warning TEXT NOT NULL DEFAULT '',
  UNIQUE(type_id, name));
CREATE TABLE sales_rep(
  id INTEGER PRIMARY KEY, name TEXT NOT NULL, phone TEXT NOT NULL DEFAULT '',
  mail TEXT NOT NULL DEFAULT '');
CREATE TABLE account(
  id INTEGER PRIMARY KEY, code TEXT NOT NULL UNIQUE, name TEXT NOT NULL,
  rep_id INTEGER REFERENCES sales_rep(id),
  tel1 TEXT NOT NULL DEFAULT '', tel2 TEXT NOT NULL DEFAULT '', gsm TEXT NOT NULL DEFAULT '',
  fax1 TEXT NOT NULL DEFAULT '', fax2 TEXT NOT NULL DEFAULT '', email TEXT NOT NULL DEFAULT '',
  address1 TEXT NOT NULL DEFAULT '', address2 TEXT NOT NULL DEFAULT '',
  district TEXT NOT NULL DEFAULT '', city TEXT NOT NULL DEFAULT '',
  country TEXT NOT NULL DEFAULT '', tax_office TEXT NOT NULL DEFAULT '',
  tax_number TEXT NOT NULL DEFAULT '', contact TEXT NOT NULL DEFAULT '',
  special_code TEXT NOT NULL DEFAULT '',
  code1 TEXT NOT NULL DEFAULT '', code2 TEXT NOT NULL DEFAULT '',
  code3 TEXT NOT NULL DEFAULT '', code4 TEXT NOT NULL DEFAULT '',
  code5 TEXT NOT NULL DEFAULT '',
  main_group TEXT NOT NULL DEFAULT '', sub_group TEXT NOT NULL DEFAULT '',
  discount REAL NOT NULL DEFAULT 0, due_days INTEGER NOT NULL DEFAULT 30,
  due_check_days INTEGER NOT NULL DEFAULT 0, due_check_months INTEGER NOT NULL DEFAULT 0,
  search_keys TEXT NOT NULL DEFAULT '');
CREATE INDEX account_rep ON account(rep_id);
CREATE TABLE app_user(
  id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE, password TEXT NOT NULL,
  role INTEGER NOT NULL DEFAULT 0, active INTEGER NOT NULL DEFAULT 1,
  account_id INTEGER REFERENCES account(id), rep_id INTEGER REFERENCES sales_rep(id),
  mail TEXT NOT NULL DEFAULT '', version INTEGER NOT NULL DEFAULT 1);
CREATE TABLE machine(id TEXT PRIMARY KEY, user_id INTEGER NOT NULL REFERENCES app_user(id));
CREATE TABLE picture(id INTEGER PRIMARY KEY, jpeg BLOB NOT NULL);
CREATE TABLE stock(
  id INTEGER PRIMARY KEY, code TEXT NOT NULL, name TEXT NOT NULL,
  other_name TEXT NOT NULL DEFAULT '',
  oem1 TEXT NOT NULL DEFAULT '', oem2 TEXT NOT NULL DEFAULT '',
  oem3 TEXT NOT NULL DEFAULT '', oem4 TEXT NOT NULL DEFAULT '',
  oem_no TEXT NOT NULL DEFAULT '', finish_code TEXT NOT NULL DEFAULT '',
  maker_code TEXT NOT NULL DEFAULT '', dp_code TEXT NOT NULL DEFAULT '',
  p_code TEXT NOT NULL DEFAULT '', barcode_no INTEGER NOT NULL DEFAULT 0,
  make TEXT NOT NULL DEFAULT '', model TEXT NOT NULL DEFAULT '',
  main_group TEXT NOT NULL DEFAULT '', special_code TEXT NOT NULL DEFAULT '',
  unit TEXT NOT NULL DEFAULT 'ADET', availability INTEGER NOT NULL DEFAULT 1,
  picture_id INTEGER REFERENCES picture(id), is_new INTEGER NOT NULL DEFAULT 0,
  campaign INTEGER NOT NULL DEFAULT 0, vat REAL NOT NULL DEFAULT 20,
  list_price REAL NOT NULL DEFAULT 0, campaign_price REAL NOT NULL DEFAULT 0,
  price REAL NOT NULL DEFAULT 0,
  disc1 REAL NOT NULL DEFAULT 0, disc2 REAL NOT NULL DEFAULT 0,
  disc3 REAL NOT NULL DEFAULT 0, disc4 REAL NOT NULL DEFAULT 0,
  net_price REAL NOT NULL DEFAULT 0, gross_price REAL NOT NULL DEFAULT 0,
  discount_text TEXT NOT NULL DEFAULT '',
  on_hand REAL NOT NULL DEFAULT 0, ordered_by_customers REAL NOT NULL DEFAULT 0,
  ordered_from_suppliers REAL NOT NULL DEFAULT 0,
  search_keys TEXT NOT NULL DEFAULT '');
CREATE INDEX stock_code ON stock(code);
CREATE INDEX stock_new ON stock(is_new) WHERE is_new > 0;
CREATE INDEX stock_campaign ON stock(campaign) WHERE campaign > 0;
CREATE VIRTUAL TABLE stock_fts USING fts5(
  search_keys, content='stock', content_rowid='id', tokenize='trigram');
CREATE TRIGGER stock_fts_insert AFTER INSERT ON stock BEGIN
  INSERT INTO stock_fts(rowid, search_keys) VALUES (new.id, new.search_keys);
END;
CREATE TRIGGER stock_fts_delete AFTER DELETE ON stock BEGIN
  INSERT INTO stock_fts(stock_fts, rowid, search_keys)
    VALUES ('delete', old.id, old.search_keys);
END;
CREATE TRIGGER stock_fts_update AFTER UPDATE OF search_keys ON stock BEGIN
  INSERT INTO stock_fts(stock_fts, rowid, search_keys)
    VALUES ('delete', old.id, old.search_keys);
  INSERT INTO stock_fts(rowid, search_keys) VALUES (new.id, new.search_keys);
END;
CREATE TABLE basket_line(
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  account_id INTEGER NOT NULL REFERENCES account(id),
  stock_id INTEGER NOT NULL REFERENCES stock(id), user_id INTEGER NOT NULL DEFAULT 0,
  code TEXT NOT NULL DEFAULT '', name TEXT NOT NULL DEFAULT '',
  quantity REAL NOT NULL CHECK(quantity > 0), unit_price REAL NOT NULL, vat REAL NOT NULL,
  disc1 REAL NOT NULL, disc2 REAL NOT NULL, disc3 REAL NOT NULL, disc4 REAL NOT NULL,
  gross REAL NOT NULL, discount REAL NOT NULL, net_unit REAL NOT NULL, net REAL NOT NULL,
  tax REAL NOT NULL, discount_text TEXT NOT NULL DEFAULT '',
  selected INTEGER NOT NULL DEFAULT 1 CHECK(selected IN (0, 1)),
  campaign INTEGER NOT NULL DEFAULT 0, date REAL NOT NULL, time TEXT NOT NULL DEFAULT '',
  UNIQUE(account_id, stock_id));
CREATE TABLE order_status(id INTEGER PRIMARY KEY, name TEXT NOT NULL);
INSERT INTO order_status VALUES
  (2, 'Alındı'), (3, 'Onaylandı'), (4, 'Görüldü'), (5, 'Parçalı Hazırlandı'),
  (6, 'Hazırlandı'), (7, 'Sevk Edildi');
CREATE TABLE sales_order(
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  account_id INTEGER NOT NULL REFERENCES account(id), user_id INTEGER NOT NULL DEFAULT 0,
  date REAL NOT NULL, time TEXT NOT NULL DEFAULT '',
  delivery_id INTEGER NOT NULL DEFAULT 0, cargo_type_id INTEGER NOT NULL DEFAULT 0,
  cargo_company_id INTEGER NOT NULL DEFAULT 0,
  customer_note TEXT NOT NULL DEFAULT '', distributor_note TEXT NOT NULL DEFAULT '',
  rep_note TEXT NOT NULL DEFAULT '',
  status INTEGER NOT NULL DEFAULT 2 REFERENCES order_status(id),
  gross REAL NOT NULL DEFAULT 0, discount REAL NOT NULL DEFAULT 0,
  net REAL NOT NULL DEFAULT 0, tax REAL NOT NULL DEFAULT 0);
CREATE INDEX sales_order_account ON sales_order(account_id);
CREATE INDEX sales_order_date ON sales_order(date);
CREATE TABLE order_line(
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  order_id INTEGER NOT NULL REFERENCES sales_order(id),
  basket_line_id INTEGER NOT NULL, stock_id INTEGER NOT NULL REFERENCES stock(id),
  code TEXT NOT NULL DEFAULT '', name TEXT NOT NULL DEFAULT '',
  quantity REAL NOT NULL, unit_price REAL NOT NULL, first_price REAL NOT NULL,
  vat REAL NOT NULL,
  disc1 REAL NOT NULL, disc2 REAL NOT NULL, disc3 REAL NOT NULL, disc4 REAL NOT NULL,
  gross REAL NOT NULL, discount REAL NOT NULL, net_unit REAL NOT NULL, net REAL NOT NULL,
  tax REAL NOT NULL, discount_text TEXT NOT NULL DEFAULT '',
  delivered REAL NOT NULL DEFAULT 0, open REAL NOT NULL DEFAULT 0 CHECK(open >= 0));
CREATE INDEX order_line_order ON order_line(order_id);
CREATE INDEX order_line_stock ON order_line(stock_id);
CREATE TABLE invoice(
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  account_id INTEGER NOT NULL REFERENCES account(id), rep_id INTEGER NOT NULL DEFAULT 0,
  order_id INTEGER NOT NULL DEFAULT 0, date REAL NOT NULL, time TEXT NOT NULL DEFAULT '',
  number TEXT NOT NULL, kind TEXT NOT NULL, due_days INTEGER NOT NULL DEFAULT 0,
  total REAL NOT NULL DEFAULT 0, discount REAL NOT NULL DEFAULT 0,
  net REAL NOT NULL DEFAULT 0, tax REAL NOT NULL DEFAULT 0,
  gross_total REAL NOT NULL DEFAULT 0);
CREATE TABLE invoice_line(
  id INTEGER PRIMARY KEY, invoice_id INTEGER NOT NULL REFERENCES invoice(id),
  stock_id INTEGER NOT NULL REFERENCES stock(id),
  quantity REAL NOT NULL, unit_price REAL NOT NULL, vat REAL NOT NULL,
  disc1 REAL NOT NULL, disc2 REAL NOT NULL, disc3 REAL NOT NULL, disc4 REAL NOT NULL,
  gross REAL NOT NULL, discount REAL NOT NULL, net_unit REAL NOT NULL, net REAL NOT NULL,
  tax REAL NOT NULL);
CREATE INDEX invoice_line_invoice ON invoice_line(invoice_id);
CREATE INDEX invoice_account ON invoice(account_id);
CREATE TABLE collection(
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  account_id INTEGER NOT NULL REFERENCES account(id),
  date REAL NOT NULL, due REAL NOT NULL, amount REAL NOT NULL,
  kind TEXT NOT NULL, method TEXT NOT NULL DEFAULT '', number TEXT NOT NULL DEFAULT '',
  note TEXT NOT NULL DEFAULT '', ref TEXT NOT NULL DEFAULT '', time TEXT NOT NULL DEFAULT '');
CREATE TABLE card_receipt(
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  collection_id INTEGER NOT NULL UNIQUE REFERENCES collection(id),
  card_holder TEXT NOT NULL DEFAULT '', card_number TEXT NOT NULL DEFAULT '',
  pdf BLOB NOT NULL);
CREATE TABLE statement_entry(
  id INTEGER PRIMARY KEY, account_id INTEGER NOT NULL REFERENCES account(id),
  date REAL NOT NULL, kind TEXT NOT NULL, document TEXT NOT NULL DEFAULT '',
  debit REAL NOT NULL DEFAULT 0, credit REAL NOT NULL DEFAULT 0,
  note TEXT NOT NULL DEFAULT '', source_id INTEGER NOT NULL DEFAULT 0);
CREATE INDEX statement_account ON statement_entry(account_id, date, id);
CREATE TABLE outbox(
  id INTEGER PRIMARY KEY, created REAL NOT NULL, kind TEXT NOT NULL,
  machine TEXT NOT NULL DEFAULT '', subject TEXT NOT NULL DEFAULT '',
  sender TEXT NOT NULL DEFAULT '', body TEXT NOT NULL DEFAULT '',
  eml_path TEXT NOT NULL DEFAULT '');
)sql",
    // 2: a counter of changes to the stock's codes, so the code order can live in memory
    // between changes.
    R"sql(
CREATE TABLE stock_revision(n INTEGER NOT NULL);
INSERT INTO stock_revision VALUES (0);
CREATE TRIGGER stock_revision_insert AFTER INSERT ON stock BEGIN
  UPDATE stock_revision SET n = n + 1;
END;
CREATE TRIGGER stock_revision_delete AFTER DELETE ON stock BEGIN
  UPDATE stock_revision SET n = n + 1;
END;
CREATE TRIGGER stock_revision_code AFTER UPDATE OF code ON stock BEGIN
  UPDATE stock_revision SET n = n + 1;
END;
)sql",
};

}  // namespace

int SqliteSchema::latestVersion()
{
    return int(sizeof(kMigrations) / sizeof(kMigrations[0]));
}

void SqliteSchema::migrate(SqliteDatabase &db)
{
    const int current = int(db.prepare("PRAGMA user_version").scalarInt());
    if (current > latestVersion())
        throw StorageError(QStringLiteral("Veritabanı bu sunucudan yeni (sürüm %1)").arg(current));
    for (int v = current; v < latestVersion(); ++v) {
        SqliteTransaction tx(db);
        if (db.prepare("PRAGMA user_version").scalarInt() != v)
            continue;  // another connection got there first
        db.execScript(kMigrations[v]);
        // user_version takes no parameter; the value is our own constant.
        const QByteArray pragma = "PRAGMA user_version=" + QByteArray::number(v + 1);
        db.execScript(pragma.constData());
        tx.commit();
    }
}
