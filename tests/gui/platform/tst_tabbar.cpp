#include "tabbar.h"
#include "tabcaption.h"
#include "tabcontrol.h"

#include <QLabel>
#include <QTest>

class TestTabBar : public QObject
{
    Q_OBJECT

private slots:
    void captions_data();
    void captions();
    void drawsEveryCaptionWithIconsAndHiddenTabs();
};

void TestTabBar::captions_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("badge");

    QTest::newRow("count") << "25=Stok Listesi" << "Stok Listesi" << "(25)";
    QTest::newRow("zero shows no badge") << "0=Stok Listesi" << "Stok Listesi" << "";
    QTest::newRow("amount shows no badge") << "12,5=Bakiyeler" << "Bakiyeler" << "";
    QTest::newRow("whole amount") << "1500=Bakiyeler" << "Bakiyeler" << "(1500)";
    QTest::newRow("negative amount") << "-340=Bakiyeler" << "Bakiyeler" << "";
    QTest::newRow("plain title") << "Sepet" << "Sepet" << "";
    QTest::newRow("text before equals") << "abc=Duyurular" << "Duyurular" << "";
    QTest::newRow("first equals splits") << "3=Sepet=Eski" << "Sepet=Eski" << "(3)";
    QTest::newRow("empty count") << "=Sepet" << "Sepet" << "";
    QTest::newRow("empty title") << "7=" << "" << "(7)";
    QTest::newRow("huge number") << "99999999999=Stok" << "Stok" << "";
    QTest::newRow("title cut at 100") << QStringLiteral("1=") + QString(120, u'x')
                                      << QString(100, u'x') << "(1)";
}

void TestTabBar::captions()
{
    QFETCH(QString, caption);
    QFETCH(QString, title);
    QFETCH(QString, badge);
    const TabCaption parsed = TabCaption::parse(caption);
    QCOMPARE(parsed.title, title);
    QCOMPARE(parsed.badge(), badge);

    TabControl tabs;
    tabs.addTab(new QLabel, caption);
    QCOMPARE(tabs.badgeBar()->displayTitle(0), title);
    QCOMPARE(tabs.badgeBar()->badgeText(0), badge);
    QCOMPARE(tabs.tabText(0), caption);  // windows read back what they wrote
}

void TestTabBar::drawsEveryCaptionWithIconsAndHiddenTabs()
{
    TabControl tabs;
    QPixmap icon(16, 16);
    icon.fill(Qt::darkGreen);
    const QStringList captions = {"25=Stok Listesi", "3=Sepet", "Önceki Siparişler",
                                  "12,5=Bakiyeler", "0=Duyurular", "Sanal Pos"};
    for (const QString &c : captions)
        tabs.addTab(new QLabel(c), QIcon(icon), c);
    tabs.setTabVisible(5, false);
    tabs.resize(900, 200);
    tabs.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tabs));
    TabBar *bar = tabs.badgeBar();
    QVERIFY(!bar->isTabVisible(5));
    QCOMPARE(bar->tabRect(5).width(), 0);

    // The badge is drawn in the badge colour inside the tab; a tab without one has none.
    const QImage image = bar->grab().toImage();
    auto hasBadgeColour = [&](int tab) {
        const QRect r = bar->tabRect(tab);
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (image.pixelColor(x, y) == bar->badgeColor())
                    return true;
        return false;
    };
    QVERIFY(hasBadgeColour(0));
    QVERIFY(hasBadgeColour(1));
    QVERIFY(!hasBadgeColour(2));
    QVERIFY(!hasBadgeColour(3));
    QVERIFY(!hasBadgeColour(4));

    // Changing a count later (as the loads do) redraws without trouble.
    tabs.setTabText(3, "1234,75=Bakiyeler");
    tabs.setTabText(4, "5=Duyurular");
    const QImage again = bar->grab().toImage();
    QVERIFY(!again.isNull());
}

QTEST_MAIN(TestTabBar)
#include "tst_tabbar.moc"
