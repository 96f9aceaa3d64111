#pragma once

#include "dataset.h"
#include "storagerecords.h"

#include <QStringList>

#include <memory>

#include <functional>
#include <optional>
#include <vector>

// What the distributor's business needs from its storage. Table answers come back as
// datasets with exactly the fields of answerfields.h; everything else as plain records.
// Implementations are safe to call from several threads at once, and every method that
// changes more than one row does so in one transaction.
using DatasetPtr = std::shared_ptr<Dataset>;

class Storage
{
public:
    virtual ~Storage() = default;

    // Runs work in one transaction; nested calls join the outer one.
    virtual void transaction(const std::function<void()> &work) = 0;

    // Settings and content.
    virtual QString setting(const QString &key, const QString &fallback = QString()) = 0;
    virtual void setSetting(const QString &key, const QString &value) = 0;
    virtual QByteArray banner(int slot) = 0;
    virtual void setBanner(int slot, const QByteArray &bytes) = 0;
    virtual int insertScreen(const ScreenRecord &screen) = 0;
    virtual int screenCount(int kind) = 0;
    virtual std::optional<ScreenRecord> screenAt(int kind, int position) = 0;
    virtual std::vector<ScreenRecord> screens(int kind) = 0;
    virtual int insertDeliveryMode(const QString &name) = 0;
    virtual int insertCargoType(const QString &name) = 0;
    virtual int insertCargoCompany(int typeId, const QString &name, const QString &warning) = 0;
    virtual DatasetPtr deliveryModes() = 0;
    virtual DatasetPtr cargoTypes() = 0;
    virtual DatasetPtr cargoCompanies(int typeId) = 0;
    virtual bool deliveryModeExists(int id) = 0;
    virtual bool cargoTypeExists(int id) = 0;
    virtual bool cargoCompanyOfType(int companyId, int typeId) = 0;

    // People and accounts.
    virtual int insertSalesRep(const SalesRepRecord &rep) = 0;
    virtual std::optional<SalesRepRecord> salesRep(int id) = 0;
    virtual int insertAccount(const AccountRecord &account) = 0;
    virtual std::optional<AccountRecord> account(int id) = 0;
    virtual std::vector<AccountRecord> accountsOfRep(int repId) = 0;  // 0: all
    virtual int insertUser(const UserRecord &user) = 0;
    virtual std::optional<UserRecord> user(int id) = 0;
    virtual std::optional<UserRecord> userByName(const QString &name) = 0;
    virtual std::optional<UserRecord> userByMachine(const QString &machineId) = 0;
    virtual void bindMachine(const QString &machineId, int userId) = 0;
    // Customer list: repId 0 means every account; words are SearchText::words; status 1
    // lists accounts with basket lines, 2-7 accounts with orders in that state.
    virtual DatasetPtr customerList(int repId, const QStringList &words, int status) = 0;
    virtual StatusCounts statusCounts(int repId) = 0;

    // Stock.
    virtual void saveStock(const std::vector<StockRecord> &items) = 0;  // insert or replace
    virtual std::optional<StockRecord> stock(int id) = 0;
    virtual int insertPicture(const QByteArray &jpeg) = 0;
    virtual QByteArray stockPicture(int stockId) = 0;
    // Items matching every word, in code order, at most `limit` of them (none when < 1).
    virtual DatasetPtr searchStock(const QStringList &words, int limit) = 0;
    virtual DatasetPtr newItems() = 0;
    virtual DatasetPtr campaignItems() = 0;
    virtual int newItemCount() = 0;
    virtual int campaignItemCount() = 0;

    // Basket.
    virtual DatasetPtr basket(int accountId) = 0;
    virtual int basketLineCount(int accountId) = 0;
    virtual std::optional<BasketLineRecord> basketLine(int id) = 0;
    virtual std::optional<BasketLineRecord> basketLineOfStock(int accountId, int stockId) = 0;
    virtual int insertBasketLine(const BasketLineRecord &line) = 0;
    virtual void updateBasketLine(const BasketLineRecord &line) = 0;
    virtual bool setBasketSelection(int lineId, int selected) = 0;
    virtual bool deleteBasketLine(int lineId) = 0;
    virtual int deleteBasket(int accountId) = 0;

    // Orders. placeOrder turns the account's selected basket lines into one order and
    // removes them from the basket; it answers 0 and changes nothing when none is selected.
    virtual int placeOrder(const OrderRecord &order) = 0;
    virtual int insertOrder(const OrderRecord &order, const std::vector<OrderLineRecord> &lines)
        = 0;
    virtual DatasetPtr orders(int accountId) = 0;
    virtual DatasetPtr orderLines(int orderId) = 0;
    virtual std::optional<OrderFooterRecord> orderFooter(int orderId) = 0;
    virtual DatasetPtr backOrders(int accountId) = 0;
    virtual double backOrderQuantity(int accountId) = 0;
    virtual DatasetPtr orderLinesOfStock(int accountId, int stockId) = 0;  // stockId 0: all
    virtual std::optional<OrderLineRecord> orderLine(int id) = 0;
    virtual void updateOrderLine(const OrderLineRecord &line) = 0;
    virtual DatasetPtr ordersTaken(int repId, double from, double to) = 0;
    virtual DatasetPtr stocksSold(int repId, double from, double to) = 0;

    // Account documents.
    virtual int insertInvoice(const InvoiceRecord &invoice) = 0;
    virtual int insertCollection(const CollectionRecord &collection) = 0;
    virtual void insertStatementEntry(int accountId, const StatementEntryRecord &entry) = 0;
    virtual DatasetPtr statement(int accountId) = 0;
    virtual std::vector<StatementEntryRecord> statementEntries(int accountId) = 0;
    virtual DatasetPtr stockMovements(int accountId, int stockId) = 0;
    virtual DatasetPtr invoiceLines(int accountId, int invoiceId) = 0;
    virtual DatasetPtr invoiceTotals(int invoiceId) = 0;
    virtual DatasetPtr collection(int collectionId) = 0;
    virtual int receiptNumber(int collectionId) = 0;
    virtual QByteArray receipt(int number) = 0;

    // Mail outbox.
    virtual int insertMail(const MailRecord &mail) = 0;
    virtual std::vector<MailRecord> mails() = 0;
};
