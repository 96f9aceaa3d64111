#include "answerfields.h"
#include "searchtext.h"
#include "sparethread.h"
#include "sqlitestorage.h"
#include "storageerror.h"

#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <thread>

class TestServerStorage : public QObject
{
    Q_OBJECT

private slots:
    void foldsLikeTheSearchBox_data();
    void foldsLikeTheSearchBox();
    void searchMatchesEveryWord_data();
    void searchMatchesEveryWord();
    void searchHonoursLimitAndKeepsColumnsWhenEmpty();
    void searchKeepsCodeOrderThroughStockChanges();
    void largeAnswersComeWholeAndInOrder();
    void spareThreadTakesOneJobAtATime();
    void connectionsPerThreadSeeEachOthersWrites();

private:
    StockRecord item(int id, const QString &code, const QString &name, const QString &oem = {})
    {
        StockRecord s;
        s.id = id;
        s.code = code;
        s.name = name;
        s.oem[0] = oem;
        s.make = QStringLiteral("TORVA");
        return s;
    }
};

void TestServerStorage::foldsLikeTheSearchBox_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("folded");
    QTest::newRow("turkish letters") << QStringLiteral("Fren Diski Ön Şğüçı")
                                     << QStringLiteral("FREN DISKI ON SGUCI");
    QTest::newRow("capital dotted i") << QStringLiteral("DİSKİ") << QStringLiteral("DISKI");
    QTest::newRow("code separators kept") << QStringLiteral("04465-0d010")
                                          << QStringLiteral("04465-0D010");
}

void TestServerStorage::foldsLikeTheSearchBox()
{
    QFETCH(QString, text);
    QFETCH(QString, folded);
    QCOMPARE(SearchText::fold(text), folded);
}

void TestServerStorage::searchMatchesEveryWord_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QList<int>>("ids");
    QTest::newRow("typed without Turkish letters") << QStringLiteral("FREN DISKI")
                                                   << QList<int>{1, 2};
    QTest::newRow("blanks around") << QStringLiteral("   FREN DISKI  ") << QList<int>{1, 2};
    QTest::newRow("every word must match") << QStringLiteral("FREN ARKA") << QList<int>{2};
    QTest::newRow("code without separators") << QStringLiteral("044650D010")
                                             << QList<int>{1};
    QTest::newRow("code with separators") << QStringLiteral("04465-0D010") << QList<int>{1};
    QTest::newRow("oem number part") << QStringLiteral("77123") << QList<int>{3};
    QTest::newRow("short word filters") << QStringLiteral("FILTRE 9") << QList<int>{3};
    QTest::newRow("only short words") << QStringLiteral("ON 0D") << QList<int>{1};
    QTest::newRow("quote in text is no syntax") << QStringLiteral("\"FREN") << QList<int>{1, 2};
    QTest::newRow("no match") << QStringLiteral("AMORTISOR") << QList<int>{};
}

void TestServerStorage::searchMatchesEveryWord()
{
    QFETCH(QString, typed);
    QFETCH(QList<int>, ids);
    QTemporaryDir dir;
    SqliteStorage storage(dir.filePath(QStringLiteral("t.db")));
    storage.saveStock({item(1, QStringLiteral("04465-0D010"), QStringLiteral("FREN DİSKİ ÖN")),
                       item(2, QStringLiteral("04466-12345"), QStringLiteral("FREN DİSKİ ARKA")),
                       item(3, QStringLiteral("Y-900"), QStringLiteral("YAĞ FİLTRESİ 9"),
                            QStringLiteral("77-12345"))});
    auto rows = storage.searchStock(SearchText::words(typed), 100);
    QList<int> found;
    for (int r = 0; r < rows->RecordCount(); ++r)
        found << int(rows->FieldByName(QStringLiteral("STOK_STOKNO")).intAt(r));
    QCOMPARE(found, ids);
}

void TestServerStorage::searchHonoursLimitAndKeepsColumnsWhenEmpty()
{
    QTemporaryDir dir;
    SqliteStorage storage(dir.filePath(QStringLiteral("t.db")));
    std::vector<StockRecord> items;
    for (int i = 1; i <= 50; ++i)
        items.push_back(item(i, QStringLiteral("K-%1").arg(i), QStringLiteral("BUJİ")));
    storage.saveStock(items);
    QCOMPARE(storage.searchStock({QStringLiteral("BUJI")}, 20)->RecordCount(), 20);

    // Renaming an item keeps the index in step.
    items[0].name = QStringLiteral("TERMOSTAT");
    storage.saveStock({items[0]});
    QCOMPARE(storage.searchStock({QStringLiteral("BUJI")}, 100)->RecordCount(), 49);
    QCOMPARE(storage.searchStock({QStringLiteral("TERMOSTAT")}, 100)->RecordCount(), 1);

    auto none = storage.searchStock({QStringLiteral("XYZXYZ")}, 100);
    QCOMPARE(none->RecordCount(), 0);
    QCOMPARE(none->FieldDefs().size(), AnswerFields::stockFields().size());
    QVERIFY(none->FindField(QStringLiteral("IND1")));
}

void TestServerStorage::searchKeepsCodeOrderThroughStockChanges()
{
    QTemporaryDir dir;
    SqliteStorage storage(dir.filePath(QStringLiteral("t.db")));
    auto codes = [&storage](const QString &word, int limit) {
        QStringList out;
        auto rows = storage.searchStock({word}, limit);
        for (int r = 0; r < rows->RecordCount(); ++r)
            out << rows->FieldByName(QStringLiteral("BARKOD")).stringAt(r);
        return out;
    };
    // Ids run against the code order, so a cap by id would keep the wrong rows.
    storage.saveStock({item(1, QStringLiteral("K-4"), QStringLiteral("BALATA ÖN")),
                       item(2, QStringLiteral("K-3"), QStringLiteral("BALATA ARKA")),
                       item(3, QStringLiteral("K-2"), QStringLiteral("BALATA SOL")),
                       item(4, QStringLiteral("K-1"), QStringLiteral("BALATA SAĞ"))});
    QCOMPARE(codes(QStringLiteral("BALATA"), 2), (QStringList{"K-1", "K-2"}));
    QCOMPARE(codes(QStringLiteral("BALATA"), 10), (QStringList{"K-1", "K-2", "K-3", "K-4"}));

    // A new item and a changed code take their places in the next search.
    storage.saveStock({item(5, QStringLiteral("A-9"), QStringLiteral("BALATA YENİ"))});
    QCOMPARE(codes(QStringLiteral("BALATA"), 2), (QStringList{"A-9", "K-1"}));
    storage.saveStock({item(1, QStringLiteral("A-1"), QStringLiteral("BALATA ÖN"))});
    QCOMPARE(codes(QStringLiteral("BALATA"), 10),
             (QStringList{"A-1", "A-9", "K-1", "K-2", "K-3"}));
    // Only short words (no index) keep the order and the cap too.
    QCOMPARE(codes(QStringLiteral("K"), 3), (QStringList{"K-1", "K-2", "K-3"}));
    // A long and a short word; names come back as stored.
    auto rows = storage.searchStock({QStringLiteral("BALATA"), QStringLiteral("S")}, 10);
    QCOMPARE(rows->RecordCount(), 2);
    QCOMPARE(rows->FieldByName(QStringLiteral("ADI")).stringAt(0), QStringLiteral("BALATA SAĞ"));
    QCOMPARE(rows->FieldByName(QStringLiteral("ADI")).stringAt(1), QStringLiteral("BALATA SOL"));
}

void TestServerStorage::largeAnswersComeWholeAndInOrder()
{
    // Big enough to be read in two halves on two connections.
    QTemporaryDir dir;
    SqliteStorage storage(dir.filePath(QStringLiteral("t.db")));
    const int count = 4999;
    std::vector<StockRecord> items;
    for (int i = 1; i <= count; ++i)
        items.push_back(item(i, QStringLiteral("K-%1").arg(count - i, 5, 10, QLatin1Char('0')),
                             QStringLiteral("DİSK %1").arg(i)));
    storage.saveStock(items);
    for (int round = 0; round < 3; ++round) {
        auto rows = storage.searchStock({QStringLiteral("DISK")}, 10000);
        QCOMPARE(rows->RecordCount(), count);
        for (int r = 0; r < count; ++r) {
            const int id = int(rows->FieldByName(QStringLiteral("STOK_STOKNO")).intAt(r));
            QCOMPARE(id, count - r);
            QCOMPARE(rows->FieldByName(QStringLiteral("ADI")).stringAt(r),
                     QStringLiteral("DİSK %1").arg(id));
        }
    }
    QCOMPARE(storage.searchStock({QStringLiteral("DISK")}, 3000)->RecordCount(), 3000);

    // Callers at once: one of them gets the spare thread, the others read alone.
    std::atomic<int> whole{0};
    std::vector<std::thread> callers;
    for (int t = 0; t < 3; ++t)
        callers.emplace_back([&storage, &whole] {
            for (int i = 0; i < 3; ++i) {
                auto rows = storage.searchStock({QStringLiteral("DISK")}, 10000);
                const Field &id = rows->FieldByName(QStringLiteral("STOK_STOKNO"));
                whole += rows->RecordCount() == count && id.intAt(0) == count
                         && id.intAt(count / 2) == count - count / 2 && id.intAt(count - 1) == 1;
            }
        });
    for (auto &t : callers)
        t.join();
    QCOMPARE(whole.load(), 9);
}

void TestServerStorage::spareThreadTakesOneJobAtATime()
{
    SpareThread spare;
    std::atomic<bool> release{false};
    std::atomic<int> ran{0};
    QVERIFY(spare.tryStart([&] {
        while (!release)
            std::this_thread::yield();
        ++ran;
    }));
    QVERIFY(!spare.tryStart([&] { ran += 100; }));  // busy: the caller does its own work
    release = true;
    spare.wait();
    QCOMPARE(ran.load(), 1);
    // A failing job reports to the waiter, and the thread stays usable.
    QVERIFY(spare.tryStart([] { throw StorageError(QStringLiteral("kırık")); }));
    QVERIFY_THROWS_EXCEPTION(StorageError, spare.wait());
    QVERIFY(spare.tryStart([&] { ++ran; }));
    spare.wait();
    QCOMPARE(ran.load(), 2);
}

void TestServerStorage::connectionsPerThreadSeeEachOthersWrites()
{
    QTemporaryDir dir;
    SqliteStorage storage(dir.filePath(QStringLiteral("t.db")));
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&storage, t] {
            for (int i = 0; i < 25; ++i)
                storage.setSetting(QStringLiteral("k%1_%2").arg(t).arg(i), QStringLiteral("v"));
        });
    for (auto &t : threads)
        t.join();
    int found = 0;
    for (int t = 0; t < 4; ++t)
        for (int i = 0; i < 25; ++i)
            found += storage.setting(QStringLiteral("k%1_%2").arg(t).arg(i)) == "v";
    QCOMPARE(found, 100);
}

QTEST_GUILESS_MAIN(TestServerStorage)
#include "tst_serverstorage.moc"
