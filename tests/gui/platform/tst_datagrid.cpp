#include "basketgrid.h"
#include "datagrid.h"
#include "dataset.h"
#include "gridfilterpopup.h"
#include "gridproxymodel.h"
#include "numberformat.h"

#include <QApplication>
#include <QFutureWatcher>
#include <QKeyEvent>
#include <QHeaderView>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QtConcurrent>

class TestDataGrid : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void basketColumnsApplied();
    void columnChooserShowsAndHides();
    void summaries_data();
    void summaries();
    void filterPopupAppliesAndClears();
    void summariesFollowDataChanges();
    void focusMovesCursorAndDoubleClickReportsRecord();
    void incrementalSearch_data();
    void incrementalSearch();
    void sortingOnlyWhereAllowed();
    void detachWhileWorkerFills();
    void fitColumnsByTag_data();
    void fitColumnsByTag();
    void bestFitFindsWidestCell();
    void groupingWithFooters();
    void customDrawGetsTheRecord();

private:
    std::unique_ptr<DataGrid> m_grid;
    std::unique_ptr<Dataset> m_basket;
};

void TestDataGrid::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
}

void TestDataGrid::init()
{
    m_grid = std::make_unique<DataGrid>();
    m_grid->setObjectName(QStringLiteral("cxGridDBTableView1"));
    declareBasketGrid(*m_grid);
    m_basket = std::make_unique<Dataset>();
    fillBasket(*m_basket);
    m_grid->setDataset(m_basket.get());
    m_grid->resize(1342, 500);
}

void TestDataGrid::cleanup()
{
    m_grid.reset();
    m_basket.reset();
}

void TestDataGrid::basketColumnsApplied()
{
    m_grid->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));
    QTableView *view = m_grid->view();
    QHeaderView *header = view->horizontalHeader();
    auto caption = [&](const char *field) {
        return view->model()->headerData(m_grid->columnIndex(field), Qt::Horizontal).toString();
    };
    QCOMPARE(caption("STOKADI"), QStringLiteral("Stok Açıklama"));
    QCOMPARE(caption("KDV"), QStringLiteral("KDV"));  // blank caption shows the field
    QCOMPARE(m_grid->visibleFields(),
             QStringList({"SEC", "VERILISTARIHI", "BARKOD", "FINISHKOD", "OEMNO", "STOKADI",
                          "MIKTAR", "BIRIMFIYAT", "TUTAR", "INDIRIMYAZI", "NETBIRIMFIYAT", "KDV",
                          "VERGITUTARI", "NETTUTAR", "VEREN", "DURUM"}));
    QCOMPARE(header->sectionSize(m_grid->columnIndex("BARKOD")), 196);
    QCOMPARE(view->verticalHeader()->defaultSectionSize(), 60);
    QCOMPARE(header->height(), 40);

    // Cells: amounts formatted and right-aligned, check box and picture columns by value.
    const QAbstractItemModel *model = view->model();
    const int net = m_grid->columnIndex("NETTUTAR");
    QCOMPARE(model->index(2, net).data().toString(), QStringLiteral("1.125,00"));
    QVERIFY(model->index(2, net).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight);
    const int sec = m_grid->columnIndex("SEC");
    QCOMPARE(model->index(0, sec).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QCOMPARE(model->index(1, sec).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    QCOMPARE(model->index(1, m_grid->columnIndex("DURUM")).data().toString(),
             QStringLiteral("Yolda"));
    // Columns the data lacks stay empty rather than failing.
    QCOMPARE(model->index(0, m_grid->columnIndex("VEREN")).data().toString(), QString());

    // Columns declared later in a session still apply (the role layout of the main window).
    m_grid->column("KALAN")->setVisible(true).setCustomizable(true);
    QVERIFY(!header->isSectionHidden(m_grid->columnIndex("KALAN")));
}

void TestDataGrid::columnChooserShowsAndHides()
{
    std::unique_ptr<QMenu> menu(m_grid->createColumnChooserMenu());
    QStringList offered;
    for (QAction *a : menu->actions())
        offered << a->data().toString();
    QVERIFY(offered.contains("SIPARISNO"));
    QVERIFY(!offered.contains("SEC"));     // not customizable
    QVERIFY(!offered.contains("SIRANO"));
    QAction *tarih = menu->actions().at(offered.indexOf("TARIH"));
    QVERIFY(!tarih->isChecked());
    tarih->setChecked(true);
    QVERIFY(m_grid->visibleFields().contains("TARIH"));
    menu->actions().at(offered.indexOf("BARKOD"))->setChecked(false);
    QVERIFY(!m_grid->visibleFields().contains("BARKOD"));
}

void TestDataGrid::summaries_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("net");

    QTest::newRow("no filter") << QString() << QStringList() << "5" << "19" << "3.580,61";
    QTest::newRow("one brand") << "MARKA" << QStringList{"BOSCH"} << "3" << "5" << "2.835,90";
    QTest::newRow("two brands") << "MARKA" << QStringList{"MANN", "NGK"} << "2" << "14"
                                << "744,71";
    QTest::newRow("by amount text") << "NETTUTAR" << QStringList{"1.125,00"} << "1" << "1"
                                    << "1.125,00";
    QTest::newRow("two amounts") << "NETTUTAR" << QStringList{"270,90", "359,96"} << "2" << "6"
                                 << "630,86";
    QTest::newRow("by picture") << "DURUM" << QStringList{"Yolda", "Var"} << "2" << "12"
                                << "655,65";
    QTest::newRow("nothing passes") << "MARKA" << QStringList{"YOK"} << "0" << "0" << "0,00";
}

void TestDataGrid::summaries()
{
    QFETCH(QString, field);
    QFETCH(QStringList, values);
    QFETCH(QString, count);
    QFETCH(QString, quantity);
    QFETCH(QString, net);
    if (!field.isEmpty())
        m_grid->setColumnFilter(field, values);
    QCOMPARE(m_grid->footerText("VERILISTARIHI"), count);
    QCOMPARE(m_grid->footerText("MIKTAR"), quantity);
    QCOMPARE(m_grid->footerText("NETTUTAR"), net);
    QCOMPARE(m_grid->rowCount(), count.toInt());

    m_grid->clearFilter();
    QCOMPARE(m_grid->footerText("NETTUTAR"), QStringLiteral("3.580,61"));
    QCOMPARE(m_grid->rowCount(), 5);
}

void TestDataGrid::filterPopupAppliesAndClears()
{
    QCOMPARE(m_grid->distinctValues("MARKA"), QStringList({"BOSCH", "MANN", "NGK"}));
    GridFilterPopup *popup = m_grid->showFilterPopup("MARKA");
    QVERIFY(popup);
    QCOMPARE(popup->list()->count(), 4);  // "(Tümü)" and the three brands
    popup->list()->item(0)->setCheckState(Qt::Unchecked);  // clears all
    QVERIFY(popup->checkedValues().isEmpty());
    popup->setChecked("NGK", true);
    QSignalSpy filtered(m_grid.get(), &DataGrid::filterChanged);
    popup->accept();
    QCOMPARE(filtered.count(), 1);
    QCOMPARE(m_grid->rowCount(), 1);
    QVERIFY(m_grid->isFiltered());
    // Values offered in another column are those the first filter lets through.
    QCOMPARE(m_grid->distinctValues("BARKOD"), QStringList({"BJ-001"}));

    // Ticking everything again is the same as no filter.
    popup = m_grid->showFilterPopup("MARKA");
    popup->list()->item(0)->setCheckState(Qt::Checked);
    popup->accept();
    QVERIFY(!m_grid->isFiltered());
    QCOMPARE(m_grid->rowCount(), 5);
}

void TestDataGrid::summariesFollowDataChanges()
{
    m_grid->setColumnFilter("MARKA", {"BOSCH"});
    m_basket->SetRecNo(2);  // AMORTİSÖR, a BOSCH line
    m_basket->Edit();
    m_basket->FieldByName("NETTUTAR").SetAsFloat(1000);
    m_basket->Post();
    QCOMPARE(m_grid->footerText("NETTUTAR"), QStringLiteral("2.710,90"));
    m_basket->SetRecNo(2);
    m_basket->Edit();
    m_basket->FieldByName("MARKA").SetAsString("NGK");  // leaves the filter
    m_basket->Post();
    QCOMPARE(m_grid->rowCount(), 2);
    QCOMPARE(m_grid->footerText("VERILISTARIHI"), QStringLiteral("2"));
    m_basket->Append();
    m_basket->FieldByName("MARKA").SetAsString("BOSCH");
    m_basket->FieldByName("NETTUTAR").SetAsFloat(10);
    m_basket->FieldByName("MIKTAR").SetAsInteger(1);
    m_basket->Post();
    QCOMPARE(m_grid->rowCount(), 3);
    QCOMPARE(m_grid->footerText("NETTUTAR"), QStringLiteral("1.720,90"));
}

void TestDataGrid::focusMovesCursorAndDoubleClickReportsRecord()
{
    m_grid->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));
    QCOMPARE(m_grid->focusedRecord(), 0);  // a freshly shown list starts on its first row
    QSignalSpy focused(m_grid.get(), &DataGrid::FocusedRecordChanged);
    QVERIFY(m_grid->setFocusedRecord(3));
    QCOMPARE(focused.count(), 1);
    QCOMPARE(focused.at(0).at(0).toInt(), 3);
    QCOMPARE(m_basket->FieldByName("SIRANO").AsInteger(), 14);  // the cursor follows

    // With a filter the focus stays on its record; a hidden record cannot be focused.
    m_grid->setColumnFilter("MARKA", {"NGK", "BOSCH"});
    QCOMPARE(m_grid->focusedRecord(), 3);
    QVERIFY(!m_grid->setFocusedRecord(1));

    // Moving across columns steps over those that take no focus.
    m_grid->column("VERILISTARIHI")->setFocusable(false);
    m_grid->setFocusedField("SEC");
    QTest::keyClick(m_grid->view(), Qt::Key_Right);
    QCOMPARE(m_grid->focusedField(), QStringLiteral("BARKOD"));
    QTest::keyClick(m_grid->view(), Qt::Key_Left);
    QCOMPARE(m_grid->focusedField(), QStringLiteral("SEC"));

    QSignalSpy doubleClicked(m_grid.get(), &DataGrid::recordDoubleClicked);
    QTableView *view = m_grid->view();
    const QModelIndex second = view->model()->index(1, m_grid->columnIndex("STOKADI"));
    const QPoint at = view->visualRect(second).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(doubleClicked.count(), 1);
    QCOMPARE(doubleClicked.at(0).at(0).toInt(), 2);  // rows in dataset order: 0, 2, 3, 4
    QCOMPARE(m_basket->FieldByName("SIRANO").AsInteger(), 13);
}

void TestDataGrid::incrementalSearch_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("search");
    QTest::addColumn<int>("record");

    QTest::newRow("first letter") << "F" << "F" << 0;
    QTest::newRow("narrows further down") << "FREN D" << "FREN D" << 4;
    QTest::newRow("lower case matches") << "bu" << "bu" << 3;
    QTest::newRow("unmatched letter ignored") << "AMX" << "AM" << 2;
    QTest::newRow("turkish letters") << "YAĞ" << "YAĞ" << 1;
}

void TestDataGrid::incrementalSearch()
{
    QFETCH(QString, typed);
    QFETCH(QString, search);
    QFETCH(int, record);
    m_grid->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));
    m_grid->setFocusedField("STOKADI");
    m_grid->view()->setFocus();
    // Key by key with the typed text, as a keyboard layout delivers Turkish letters.
    for (QChar c : typed) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(m_grid->view(), &press);
    }
    QCOMPARE(m_grid->searchText(), search);
    QCOMPARE(m_grid->focusedRecord(), record);
    QTest::keyClick(m_grid->view(), Qt::Key_Escape);
    QCOMPARE(m_grid->searchText(), QString());
}

void TestDataGrid::sortingOnlyWhereAllowed()
{
    m_grid->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));
    QHeaderView *header = m_grid->view()->horizontalHeader();
    const int name = m_grid->columnIndex("STOKADI");
    auto clickHeader = [&] {
        const QPoint at(header->sectionViewportPosition(name) + 10, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    };
    auto firstRecord = [&] { return m_grid->proxyModel()->recordAt(0); };
    clickHeader();
    QCOMPARE(firstRecord(), 0);  // the statement's rule: no sorting unless allowed

    m_grid->setSortingAllowed(true);
    m_grid->setFocusedRecord(1);
    clickHeader();
    QCOMPARE(firstRecord(), 2);  // AMORTİSÖR ARKA
    QCOMPARE(m_grid->focusedRecord(), 1);
    clickHeader();
    QCOMPARE(firstRecord(), 1);  // YAĞ FİLTRESİ last in Turkish order, first descending
    m_grid->setSortingAllowed(false);
    QCOMPARE(firstRecord(), 0);
}

void TestDataGrid::detachWhileWorkerFills()
{
    m_grid->setColumnFilter("MARKA", {"BOSCH"});
    m_grid->detach();
    QCOMPARE(m_grid->rowCount(), 0);
    QCOMPARE(m_grid->dataset(), nullptr);

    QFutureWatcher<void> watcher;
    QSignalSpy done(&watcher, &QFutureWatcher<void>::finished);
    Dataset *basket = m_basket.get();
    watcher.setFuture(QtConcurrent::run([basket] {
        Dataset fresh;
        fillBasket(fresh);
        for (int i = 0; i < 1000; ++i)
            fresh.AppendRecord({0, 45000.0, 100 + i, "X", "EK", "BOSCH", 1, 1.0, 1.0, 20.0, 1});
        basket->Assign(fresh);
    }));
    QVERIFY(done.wait());

    m_grid->attach();
    QCOMPARE(m_grid->dataset(), basket);
    QCOMPARE(m_grid->rowCount(), 1003);
    QCOMPARE(m_grid->footerText("NETTUTAR"), QStringLiteral("3.835,90"));
}

void TestDataGrid::fitColumnsByTag_data()
{
    QTest::addColumn<int>("screenWidth");
    QTest::addColumn<bool>("byWeight");

    QTest::newRow("wide screen") << 1153 << true;
    QTest::newRow("1152 screen fits to content") << 1152 << false;
}

void TestDataGrid::fitColumnsByTag()
{
    QFETCH(int, screenWidth);
    QFETCH(bool, byWeight);
    QHeaderView *header = m_grid->view()->horizontalHeader();
    m_grid->fitColumnsByTag(screenWidth);
    const int name = header->sectionSize(m_grid->columnIndex("STOKADI"));
    const int date = header->sectionSize(m_grid->columnIndex("VERILISTARIHI"));
    if (byWeight) {
        // Visible weights sum to 22: unit = (1342 - 30) / 22 = 59.
        QCOMPARE(name, 177);
        QCOMPARE(date, 59);
        QCOMPARE(header->sectionSize(m_grid->columnIndex("BARKOD")), 118);
    } else {
        const QFontMetrics fm(m_grid->view()->font());
        QVERIFY(name >= fm.horizontalAdvance(QStringLiteral("AMORTİSÖR ARKA")));
        QVERIFY(name < 177);
    }
    // Hidden columns keep their widths.
    QCOMPARE(header->isSectionHidden(m_grid->columnIndex("MARKA")), true);
    m_grid->column("MARKA")->setVisible(true);
    QCOMPARE(header->sectionSize(m_grid->columnIndex("MARKA")), 404);
}

void TestDataGrid::bestFitFindsWidestCell()
{
    Dataset data;
    data.SetFields({{"KOD", FieldType::String}, {"TUTAR", FieldType::Float},
                    {"NOT", FieldType::Memo}});
    data.BeginLoad(data.FieldDefs(), 20000);
    for (int i = 0; i < 20000; ++i) {
        data.Fields(0).appendString(i == 17321 ? QStringLiteral("WWWWWWWWWWWWWWWWWWWWWW")
                                               : QStringLiteral("iiiiiiiiiiiiiiiiiiiiiiiiiiii%1")
                                                     .arg(i % 10));
        data.Fields(1).appendFloat(i == 123 ? -98765432.1 : i * 3.5);
        data.Fields(2).appendString(i == 5 ? QStringLiteral("kısa\nWWWWWWWWWWWWWWW uzun satır")
                                           : QStringLiteral("not"));
    }
    data.EndLoad();
    data.Fields(1).SetDisplayFormat(kAmountFormat);
    DataGrid grid;
    grid.addColumn("KOD", "Kod");
    grid.addColumn("TUTAR", "Tutar");
    grid.addColumn("NOT", "Not").setKind(ColumnKind::Memo);
    grid.setDataset(&data);
    grid.bestFit();
    const QFontMetrics fm(grid.view()->font());
    QHeaderView *header = grid.view()->horizontalHeader();
    const int margins = 10;
    QCOMPARE(header->sectionSize(0),
             fm.horizontalAdvance(QStringLiteral("WWWWWWWWWWWWWWWWWWWWWW")) + margins);
    QCOMPARE(header->sectionSize(1),
             fm.horizontalAdvance(QStringLiteral("-98.765.432,10")) + margins);
    QCOMPARE(header->sectionSize(2),
             fm.horizontalAdvance(QStringLiteral("WWWWWWWWWWWWWWW uzun satır")) + margins);
}

void TestDataGrid::groupingWithFooters()
{
    m_grid->addGroupSummary(SummaryKind::Sum, "NETTUTAR");
    m_grid->addGroupSummary(SummaryKind::Count, "STOKADI");
    m_grid->setGroupColumn("MARKA");
    m_grid->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));
    GridProxyModel *rows = m_grid->proxyModel();
    QCOMPARE(m_grid->groupCount(), 3);
    // BOSCH: header, 3 lines, footer; MANN: header, 1, footer; NGK: header, 1, footer.
    QCOMPARE(m_grid->rowCount(), 11);
    using Kind = GridProxyModel::RowKind;
    QCOMPARE(rows->kindAt(0), Kind::GroupHeader);
    QCOMPARE(rows->index(0, 0).data().toString(), QStringLiteral("Marka : BOSCH"));
    QCOMPARE(rows->kindAt(4), Kind::GroupFooter);
    QCOMPARE(rows->index(4, m_grid->columnIndex("NETTUTAR")).data().toString(),
             QStringLiteral("2.835,90"));
    QCOMPARE(rows->index(4, m_grid->columnIndex("STOKADI")).data().toString(),
             QStringLiteral("3"));
    QCOMPARE(rows->index(9, m_grid->columnIndex("NETTUTAR")).data().toString(),
             QStringLiteral("359,96"));
    // The grid footer still sums every record.
    QCOMPARE(m_grid->footerText("NETTUTAR"), QStringLiteral("3.580,61"));

    m_grid->setFocusedRecord(3);
    m_grid->collapseAll();
    QCOMPARE(m_grid->rowCount(), 3);
    QCOMPARE(m_grid->footerText("NETTUTAR"), QStringLiteral("3.580,61"));
    QTest::keyClick(m_grid->view(), Qt::Key_Plus);  // opens the focused group
    QVERIFY(m_grid->rowCount() > 3);
    m_grid->expandAll();
    QCOMPARE(m_grid->rowCount(), 11);
    QVERIFY(m_grid->setFocusedRecord(3));

    m_grid->setColumnFilter("MARKA", {"MANN", "NGK"});
    QCOMPARE(m_grid->groupCount(), 2);
    QCOMPARE(m_grid->rowCount(), 6);
    m_grid->setGroupColumn(QString());
    QCOMPARE(m_grid->rowCount(), 2);
}

void TestDataGrid::customDrawGetsTheRecord()
{
    QSet<int> drawn;
    GridColumn &price = m_grid->addColumn("FIYATBILGISI", "Fiyat Bilgisi");
    price.setCustomDraw([&](const GridCellPaint &c) {
        drawn.insert(c.record);
        c.painter->drawText(c.rect, Qt::AlignRight,
                            c.dataset->Fields(c.dataset->FieldIndex("BARKOD")).stringAt(c.record));
        return true;
    });
    m_grid->setFocusedRecord(0);
    m_grid->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));
    const int column = m_grid->columnIndex("FIYATBILGISI");
    m_grid->view()->scrollTo(m_grid->view()->model()->index(0, column));
    m_grid->grab();
    QCOMPARE(drawn, QSet<int>({0, 1, 2, 3, 4}));
}

QTEST_MAIN(TestDataGrid)
#include "tst_datagrid.moc"
