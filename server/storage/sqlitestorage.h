#pragma once

#include "sparethread.h"
#include "storage.h"

#include <QMutex>
#include <QString>

#include <map>
#include <memory>
#include <thread>

class SqliteDatabase;
class StockOrder;

// Storage in one SQLite file. Each calling thread gets its own connection, opened on first
// use and closed with the storage; the schema is migrated when the storage is created.
class SqliteStorage final : public Storage
{
public:
    explicit SqliteStorage(const QString &path);
    ~SqliteStorage() override;

    const QString &path() const { return m_path; }

    void transaction(const std::function<void()> &work) override;

    QString setting(const QString &key, const QString &fallback = QString()) override;
    void setSetting(const QString &key, const QString &value) override;
    QByteArray banner(int slot) override;
    void setBanner(int slot, const QByteArray &bytes) override;
    int insertScreen(const ScreenRecord &screen) override;
    int screenCount(int kind) override;
    std::optional<ScreenRecord> screenAt(int kind, int position) override;
    std::vector<ScreenRecord> screens(int kind) override;
    int insertDeliveryMode(const QString &name) override;
    int insertCargoType(const QString &name) override;
    int insertCargoCompany(int typeId, const QString &name, const QString &warning) override;
    DatasetPtr deliveryModes() override;
    DatasetPtr cargoTypes() override;
    DatasetPtr cargoCompanies(int typeId) override;
    bool deliveryModeExists(int id) override;
    bool cargoTypeExists(int id) override;
    bool cargoCompanyOfType(int companyId, int typeId) override;

    int insertSalesRep(const SalesRepRecord &rep) override;
    std::optional<SalesRepRecord> salesRep(int id) override;
    int insertAccount(const AccountRecord &account) override;
    std::optional<AccountRecord> account(int id) override;
    std::vector<AccountRecord> accountsOfRep(int repId) override;
    int insertUser(const UserRecord &user) override;
    std::optional<UserRecord> user(int id) override;
    std::optional<UserRecord> userByName(const QString &name) override;
    std::optional<UserRecord> userByMachine(const QString &machineId) override;
    void bindMachine(const QString &machineId, int userId) override;
    DatasetPtr customerList(int repId, const QStringList &words, int status) override;
    StatusCounts statusCounts(int repId) override;

    void saveStock(const std::vector<StockRecord> &items) override;
    std::optional<StockRecord> stock(int id) override;
    int insertPicture(const QByteArray &jpeg) override;
    QByteArray stockPicture(int stockId) override;
    DatasetPtr searchStock(const QStringList &words, int limit) override;
    DatasetPtr newItems() override;
    DatasetPtr campaignItems() override;
    int newItemCount() override;
    int campaignItemCount() override;

    DatasetPtr basket(int accountId) override;
    int basketLineCount(int accountId) override;
    std::optional<BasketLineRecord> basketLine(int id) override;
    std::optional<BasketLineRecord> basketLineOfStock(int accountId, int stockId) override;
    int insertBasketLine(const BasketLineRecord &line) override;
    void updateBasketLine(const BasketLineRecord &line) override;
    bool setBasketSelection(int lineId, int selected) override;
    bool deleteBasketLine(int lineId) override;
    int deleteBasket(int accountId) override;

    int placeOrder(const OrderRecord &order) override;
    int insertOrder(const OrderRecord &order, const std::vector<OrderLineRecord> &lines) override;
    DatasetPtr orders(int accountId) override;
    DatasetPtr orderLines(int orderId) override;
    std::optional<OrderFooterRecord> orderFooter(int orderId) override;
    DatasetPtr backOrders(int accountId) override;
    double backOrderQuantity(int accountId) override;
    DatasetPtr orderLinesOfStock(int accountId, int stockId) override;
    std::optional<OrderLineRecord> orderLine(int id) override;
    void updateOrderLine(const OrderLineRecord &line) override;
    DatasetPtr ordersTaken(int repId, double from, double to) override;
    DatasetPtr stocksSold(int repId, double from, double to) override;

    int insertInvoice(const InvoiceRecord &invoice) override;
    int insertCollection(const CollectionRecord &collection) override;
    void insertStatementEntry(int accountId, const StatementEntryRecord &entry) override;
    DatasetPtr statement(int accountId) override;
    std::vector<StatementEntryRecord> statementEntries(int accountId) override;
    DatasetPtr stockMovements(int accountId, int stockId) override;
    DatasetPtr invoiceLines(int accountId, int invoiceId) override;
    DatasetPtr invoiceTotals(int invoiceId) override;
    DatasetPtr collection(int collectionId) override;
    int receiptNumber(int collectionId) override;
    QByteArray receipt(int number) override;

    int insertMail(const MailRecord &mail) override;
    std::vector<MailRecord> mails() override;

    // The LIKE '%word%' scan the index replaces; kept as the benchmark's reference.
    DatasetPtr scanStock(const QString &word, int limit);

private:
    SqliteDatabase &db();
    std::unique_ptr<SqliteDatabase> open() const;
    std::shared_ptr<const StockOrder> stockOrder(SqliteDatabase &d);

    QString m_path;
    QMutex m_mutex;
    std::map<std::thread::id, std::unique_ptr<SqliteDatabase>> m_connections;
    QMutex m_orderMutex;
    std::shared_ptr<const StockOrder> m_stockOrder;
    SpareThread m_spare;  // stopped before the connections close
};
