#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <vector>

// Plain records that cross the storage interface. Dates are day numbers (days since
// 1899-12-30), amounts plain doubles already rounded by the caller.

struct SalesRepRecord
{
    int id = 0;
    QString name, phone, mail;
};

struct AccountRecord
{
    int id = 0;  // CARINO
    QString code, name;
    int repId = 0;
    QString tel1, tel2, gsm, fax1, fax2, email;
    QString address1, address2, district, city, country;
    QString taxOffice, taxNumber, contact, specialCode;
    std::array<QString, 5> codes;
    QString mainGroup, subGroup;
    double discount = 0;
    int dueDays = 30;
    int dueCheckDays = 0, dueCheckMonths = 0;
};

struct UserRecord
{
    int id = 0;  // Sirano
    QString name, password;  // upper case, as typed at login
    int role = 0;            // MusteriTipi
    int active = 1;
    int accountId = 0;
    int repId = 0;           // the representative a rep user is
    QString mail;
    int version = 1;
};

struct StockRecord
{
    int id = 0;  // STOK_STOKNO
    QString code, name, otherName;
    std::array<QString, 4> oem;
    QString oemNo, finishCode, makerCode, dpCode, pCode;
    int barcodeNo = 0;
    QString make, model, mainGroup, specialCode, unit = QStringLiteral("ADET");
    int availability = 1;  // DURUM 0-5
    int pictureId = 0;
    int isNew = 0;
    int campaign = 0;      // K: 0 or 1
    double vat = 20;
    double listPrice = 0, campaignPrice = 0;
    double price = 0;      // FIYAT: campaign price for campaign items, else list price
    std::array<double, 4> discounts{};
    double netPrice = 0, grossPrice = 0;
    QString discountText;
    double onHand = 0, orderedByCustomers = 0, orderedFromSuppliers = 0;
};

// The amounts of one priced line (basket, order or invoice line).
struct LineAmounts
{
    double quantity = 0, unitPrice = 0, vat = 0;
    std::array<double, 4> discounts{};
    double gross = 0, discount = 0, netUnit = 0, net = 0, tax = 0;
    QString discountText;
};

struct BasketLineRecord
{
    int id = 0;  // SIRANO, unique over all accounts
    int accountId = 0, stockId = 0, userId = 0;
    QString code, name;
    LineAmounts amounts;
    int selected = 1;
    int campaign = 0;
    double date = 0;
    QString time;
};

struct OrderRecord
{
    int id = 0;  // IDNO
    int accountId = 0, userId = 0;
    double date = 0;
    QString time;
    int deliveryId = 0, cargoTypeId = 0, cargoCompanyId = 0;
    QString customerNote, distributorNote, repNote;
    int status = 2;
};

struct OrderLineRecord
{
    int id = 0;  // STOKHAR_NO
    int orderId = 0, basketLineId = 0, stockId = 0, accountId = 0;
    QString code, name;
    LineAmounts amounts;
    double firstPrice = 0;
    double delivered = 0, open = 0;
};

// Names behind an order, for its footer.
struct OrderFooterRecord
{
    int accountId = 0;
    QString customerNote, status, user, cargoCompany, distributorNote, delivery, cargoType,
        repNote;
};

struct InvoiceLineRecord
{
    int stockId = 0;
    LineAmounts amounts;
};

struct InvoiceRecord
{
    int id = 0;
    int accountId = 0, repId = 0, orderId = 0, dueDays = 30;
    double date = 0;
    QString number, time, kind = QStringLiteral("Satış Faturası");
    std::vector<InvoiceLineRecord> lines;
};

struct CollectionRecord
{
    int id = 0;
    int accountId = 0;
    double date = 0, due = 0, amount = 0;
    QString kind = QStringLiteral("Tahsilat"), method, number, note, ref, time;
    QByteArray receiptPdf;  // card payments only
    QString cardHolder, cardNumber;  // masked
};

struct StatementEntryRecord
{
    double date = 0, debit = 0, credit = 0;
    QString kind, document, note;
    int sourceId = 0;
};

struct ScreenRecord
{
    enum Kind { Opening = 0, Announcement = 1 };
    int id = 0, kind = Opening, order = 0;
    QByteArray picture;
    QString title, search;
};

struct MailRecord
{
    int id = 0;
    double created = 0;
    QString kind, machine, subject, sender, body, emlPath;
};

// Accounts by order state, for the representative's buttons.
struct StatusCounts
{
    int basket = 0, received = 0, approved = 0, seen = 0, partlyPrepared = 0, prepared = 0,
        shipped = 0;
};
