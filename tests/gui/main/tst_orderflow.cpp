#include "baskettab.h"
#include "busyindicator.h"
#include "datagrid.h"
#include "excelsaver.h"
#include "mainwindowfixture.h"
#include "numberformat.h"
#include "basketlineeditor.h"
#include "onaysipu.h"
#include "openwithretry.h"
#include "proxim.h"
#include "spinedit.h"
#include "stocktab.h"
#include "stokayarintiu.h"
#include "tabcontrol.h"
#include "unit1.h"
#include "utils.h"
#include "warnings.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

// A dealer's way from a search to a sent order, against the distributor's server.
class TestOrderFlow : public QObject
{
    Q_OBJECT

    std::unique_ptr<MainWindowFixture> f;
    TForm1 *w = nullptr;
    QList<int> m_shownQuantities;  // what the stock dialog showed, one entry per opening

    QString caption(QWidget *page) const
    {
        return w->sPageControl1->tabText(w->sPageControl1->indexOf(page));
    }

    void search(const QString &typed)
    {
        w->araedit->clear();
        QTest::keyClicks(w->araedit, typed);
        QTest::keyClick(w->araedit, Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(w->araedit->isEnabled() && w->gifstokara->isHidden(), 30000);
    }

    // The stock dialog: takes the given quantity and confirms.
    std::function<int(QDialog *)> stockDialogAnswering(int quantity)
    {
        return [this, quantity](QDialog *d) -> int {
            if (auto *detail = qobject_cast<Tstokayarinti *>(d)) {
                detail->FormShow();
                m_shownQuantities << detail->adet->value();
                detail->adet->setValue(quantity);
                detail->ParcaliTus1Click();
                return detail->result();
            }
            if (auto *onay = qobject_cast<TONAYSIP *>(d))
                return confirmOrder(onay);
            return QDialog::Rejected;
        };
    }

    int confirmOrder(TONAYSIP *onay)
    {
        const QList<QRadioButton *> types = onay->boxkargo->findChildren<QRadioButton *>();
        if (types.isEmpty())
            return QDialog::Rejected;
        types.first()->click();
        if (onay->kargocombo->currentIndex() <= 0 && onay->kargocombo->count() > 1)
            onay->kargocombo->setCurrentIndex(1);
        onay->aciklamagir->setPlainText("Öğleden önce teslim lütfen");
        onay->Button1Click();
        return onay->result();
    }

    // The account's orders as the server lists them.
    std::unique_ptr<Dataset> previousOrders()
    {
        auto orders = std::make_unique<Dataset>();
        std::unique_ptr<ServerConnection> clone = w->bagc.CloneConnection();
        if (OpenWithRetry(*clone, 0)) {
            TServerMethods1Client proxy(clone->DBXConnection());
            proxy.OncekiSiparisler(w->sbilgi.CARINO())->CopyTo(*orders);
        }
        return orders;
    }

    void showBasket()
    {
        QSignalSpy loaded(&w->basketTab(), &BasketTab::loadFinished);
        w->sPageControl1->setCurrentWidget(w->ssepet);
        QVERIFY(loaded.wait(30000));
    }

private slots:
    void init()
    {
        failOnUnexpectedWarnings();
        m_shownQuantities.clear();
        OpenRetry::setDelayForTesting(1);
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
        f = std::make_unique<MainWindowFixture>();
        QVERIFY2(f->startServer(), qPrintable(f->server.error()));
        w = f->login("DEMO-BAYI-PC", "DEMO", "1234");
        QVERIFY(w);
        QVERIFY(f->hooks->exits.isEmpty());
        f->hooks->clear();
    }
    void cleanup()
    {
        f.reset();
        QLocale::setDefault(QLocale::c());
    }

    void searchRules()
    {
        // Turkish letters are typed as their plain forms.
        for (QChar c : QString("şöğüçı")) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w->araedit, &press);
        }
        QCOMPARE(w->araedit->text(), QString("SOGUCI"));

        search("  ab ");
        QCOMPARE(f->hooks->texts(), QStringList{"Lütfen en az 3 harf giriniz !"});
        QCOMPARE(f->hooks->messages().first().type, MsgDlgType::Warning);

        // Three letters count after trimming; the text goes to the server as typed.
        f->hooks->clear();
        search("  fre  ");
        QVERIFY(f->hooks->messages().isEmpty());
        QVERIFY(w->stok.RecordCount() > 0);
        QCOMPARE(w->araedit->text(), QString("  FRE  "));

        search("fren");
        QVERIFY(f->hooks->messages().isEmpty());
        const int rows = w->stok.RecordCount();
        QVERIFY(rows > 0);
        QCOMPARE(caption(w->sstoklistesi), QString::number(rows) + "=Stok Listesi");
        QVERIFY(w->cxGrid1->recordCount() == rows);
        QCOMPARE(w->stok.FieldByName("NETFIYAT").DisplayFormat(), QString("#,###,##0.00"));

        w->stockTab().SpeedButton1Click();
        QCOMPARE(caption(w->sstoklistesi), QString("Stok Listesi"));
        QVERIFY(w->stok.IsEmpty());
        QVERIFY(w->araedit->text().isEmpty());
    }

    void priceInformationLines()
    {
        QCOMPARE(StockTab::priceInformation(1250.5, 0, 1000, 1200),
                 QString("Liste Fiyatı: 1.250,50\r\nNetFiyat: 1.000,00\r\nKDV li Fiyat: "
                         "1.200,00\r\n"));
        QCOMPARE(StockTab::priceInformation(100, 85, 80, 96).count("\r\n"), 4);
    }

    void basketTotals_data()
    {
        QTest::addColumn<QList<QVariantList>>("lines");  // SEC, TUTAR, INDIRIMTUTAR, VERGITUTARI
        QTest::addColumn<QStringList>("labels");         // T, I, N, V, G
        QTest::newRow("running sums are rounded after every addition")
            << QList<QVariantList>{{1, 10.004, 0.0, 0.0}, {1, 20.004, 0.0, 0.0}}
            << QStringList{"30,00", "0,00", "30,00", "0,00", "30,00"};
        QTest::newRow("net and grand total")
            << QList<QVariantList>{{1, 100.0, 10.0, 18.0}}
            << QStringList{"100,00", "10,00", "90,00", "18,00", "108,00"};
        QTest::newRow("unselected and empty marks are left out")
            << QList<QVariantList>{{0, 100.0, 10.0, 18.0}, {QVariant(), 5.0, 0.0, 1.0}}
            << QStringList{"0,00", "0,00", "0,00", "0,00", "0,00"};
    }

    void basketTotals()
    {
        QFETCH(QList<QVariantList>, lines);
        QFETCH(QStringList, labels);
        w->sepet.SetFields({{"SEC", FieldType::Integer}, {"TUTAR", FieldType::Float},
                            {"INDIRIMTUTAR", FieldType::Float},
                            {"VERGITUTARI", FieldType::Float}});
        for (const QVariantList &l : lines)
            w->sepet.AppendRecord(QVector<QVariant>(l.begin(), l.end()));
        BasketTab &b = w->basketTab();
        b.ComputeBasketTotals();
        QCOMPARE(QStringList({b.aratoplaml->text(), b.indiriml->text(), b.nettutarl->text(),
                              b.vergil->text(), b.geneltoplaml->text()}),
                 labels);
        QVERIFY(w->sepet.Eof() || w->sepet.IsEmpty());
    }

    void serverDownDuringChangesLosesNothing()
    {
        search("fren");
        w->LoadBasket();
        const int lines = w->sepet.RecordCount();
        w->cxGrid1->setFocusedRecord(0);
        f->server.stop();
        f->hooks->clear();
        f->onDialog = stockDialogAnswering(1);
        // The stock is not in the basket: the add flow opens the dialog, then cannot send.
        w->lineEditor().AddFromStockList(w->stok.FieldByName("STOK_STOKNO").AsInteger());
        QCOMPARE(f->hooks->texts().last(),
                 QString("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"));
        QCOMPARE(w->sepet.RecordCount(), lines);

        // The order: the confirmation loads its lists, then the server goes away.
        const auto restart = [this] {
            QVERIFY(f->server.start());
            f->server.configureClient();
            w->bagc.Params().SetValue("Port", QString::number(f->server.rpcPort()));
        };
        restart();
        w->LoadBasket();
        f->hooks->clear();
        f->onDialog = [this](QDialog *d) -> int {
            auto *onay = qobject_cast<TONAYSIP *>(d);
            const int result = onay ? confirmOrder(onay) : int(QDialog::Rejected);
            f->server.stop();
            return result;
        };
        w->basketTab().Button1Click();
        QVERIFY(f->hooks->texts().contains("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"));
        QCOMPARE(f->hooks->texts().last(), QString("Sipariş Göndermede Hata"));

        // Back up: nothing was added or sent meanwhile.
        restart();
        w->LoadBasket();
        QCOMPARE(w->sepet.RecordCount(), lines);
    }

    void failedSearchEmptiesTheList()
    {
        search("fren");
        QVERIFY(!w->stok.IsEmpty());
        f->server.stop();
        f->hooks->clear();
        search("balata");
        QVERIFY(w->stok.IsEmpty());
        QCOMPARE(f->hooks->texts().last(),
                 QString("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"));
        QCOMPARE(caption(w->sstoklistesi), QString("Stok Listesi"));
    }

    void addChangeSelectAndSend()
    {
        search("fren");
        w->cxGrid1->setFocusedRecord(0);
        const int stokno = w->stok.FieldByName("STOK_STOKNO").intAt(0);

        // A new item is added with the dialog's quantity (the demo basket holds some lines).
        w->LoadBasket();
        const int lines = w->sepet.RecordCount();
        QVERIFY(!w->sepet.Locate("STOKNO", stokno));
        f->onDialog = stockDialogAnswering(2);
        w->lineEditor().OpenFromGrid(*w->cxGrid1, w->stok, BasketLineEditor::Source::StockList);
        QCOMPARE(w->sepet.RecordCount(), lines + 1);
        QVERIFY(w->sepet.Locate("STOKNO", stokno));
        QCOMPARE(w->sepet.FieldByName("MIKTAR").AsFloat(), 2.0);

        // The same stock again changes its line instead of adding one.
        f->onDialog = stockDialogAnswering(3);
        w->lineEditor().OpenFromGrid(*w->cxGrid1, w->stok, BasketLineEditor::Source::StockList);
        QCOMPARE(m_shownQuantities, QList<int>({1, 2}));
        QCOMPARE(w->sepet.RecordCount(), lines + 1);
        QVERIFY(w->sepet.Locate("STOKNO", stokno));
        QCOMPARE(w->sepet.FieldByName("MIKTAR").AsFloat(), 3.0);

        showBasket();
        QCOMPARE(caption(w->ssepet), QString::number(lines + 1) + "=Sepet");
        BasketTab &basket = w->basketTab();

        // Toggling on the "Seç" column flips the mark here and on the server.
        w->cxGrid2->setFocusedRecord(0);
        w->cxGrid2->setFocusedField("SEC");
        const int before = int(w->sepet.FieldByName("SEC").intAt(0));
        basket.Deitir1Click();
        QCOMPARE(w->sepet.FieldByName("SEC").intAt(0), before == 0 ? 1 : 0);
        w->LoadBasket();
        QCOMPARE(w->sepet.FieldByName("SEC").intAt(0), before == 0 ? 1 : 0);

        basket.Button4Click();
        double t = 0, i = 0, v = 0;
        for (int r = 0; r < w->sepet.RecordCount(); ++r) {
            QCOMPARE(w->sepet.FieldByName("SEC").intAt(r), 1);
            t = Round2(t + w->sepet.FieldByName("TUTAR").floatAt(r));
            i = Round2(i + w->sepet.FieldByName("INDIRIMTUTAR").floatAt(r));
            v = Round2(v + w->sepet.FieldByName("VERGITUTARI").floatAt(r));
        }
        QCOMPARE(basket.geneltoplaml->text(), FormatFloat(kAmountFormat, Round2(v + Round2(t - i))));

        const int ordersBefore = previousOrders()->RecordCount();
        basket.Button1Click();
        QCOMPARE(f->hooks->texts().last(), QString("Siparişiniz Gönderildi !"));
        QCOMPARE(w->sepet.RecordCount(), 0);
        // The order is among the account's previous orders, with the note typed.
        const std::unique_ptr<Dataset> orders = previousOrders();
        QCOMPARE(orders->RecordCount(), ordersBefore + 1);
        QVERIFY(orders->Locate("VERENINNOTU", "Öğleden önce teslim lütfen"));

        f->hooks->clear();
        basket.Button1Click();
        QCOMPARE(f->hooks->texts(), QStringList{"Gönderilecek Parça Yok "});
        basket.HepsiniSil1Click();  // nothing to delete: nothing is asked
        QCOMPARE(f->hooks->messages().size(), 1);
    }

    void doubleClickDuringTheBasketLoadWaitsForIt()
    {
        search("fren");
        w->cxGrid1->setFocusedRecord(1);
        const int stokno = int(w->stok.FieldByName("STOK_STOKNO").intAt(1));
        w->sPageControl1->setCurrentWidget(w->ssepet);  // the tab's load starts
        QVERIFY(w->basketTab().isLoading());
        QVERIFY(!w->basketTab().Button1->isEnabled());
        f->onDialog = stockDialogAnswering(1);
        w->lineEditor().OpenFromGrid(*w->cxGrid1, w->stok, BasketLineEditor::Source::StockList);
        QVERIFY(!w->basketTab().isLoading());
        QVERIFY(w->basketTab().Button1->isEnabled());
        QVERIFY(w->sepet.Locate("STOKNO", stokno));
    }

    void deleteOneLine()
    {
        search("fren");
        w->cxGrid1->setFocusedRecord(0);
        f->onDialog = stockDialogAnswering(1);
        w->lineEditor().OpenFromGrid(*w->cxGrid1, w->stok, BasketLineEditor::Source::StockList);
        showBasket();
        const int lines = w->sepet.RecordCount();
        w->cxGrid2->setFocusedRecord(0);
        w->cxGrid2->setFocusedField("STOKADI");

        f->hooks->queueAnswers({mrNo});
        w->basketTab().SatrSil1Click();
        QCOMPARE(w->sepet.RecordCount(), lines);
        QCOMPARE(f->hooks->messages().last().defaultButton, MsgDlgBtn::No);

        f->hooks->queueAnswers({mrYes});
        w->basketTab().SatrSil1Click();
        QCOMPARE(f->hooks->texts().last(), QString("Satır silindi !"));
        QCOMPARE(w->sepet.RecordCount(), lines - 1);

        // "Excel Kaydet" writes the basket grid to the chosen workbook.
        QTemporaryDir dir;
        ExcelSaver::setChooser([&dir](QWidget *, const QString &filter) {
            return filter.contains("xls") ? dir.filePath("sepet.xls") : QString();
        });
        w->basketTab().Button2Click();
        ExcelSaver::setChooser({});
        QVERIFY(QFileInfo(dir.filePath("sepet.xlsx")).size() > 0);

        // The whole basket: "Hayır" keeps it, "Evet" empties it on the server.
        f->hooks->queueAnswers({mrNo});
        w->basketTab().HepsiniSil1Click();
        QCOMPARE(f->hooks->texts().last(), QString("Tüm Sepeti Silmek İstiyor musunuz "));
        QCOMPARE(w->sepet.RecordCount(), lines - 1);
        f->hooks->queueAnswers({mrYes});
        w->basketTab().HepsiniSil1Click();
        QCOMPARE(f->hooks->texts().last(), QString("Sepet Silindi !"));
        QCOMPARE(w->sepet.RecordCount(), 0);
        w->LoadBasket();
        QCOMPARE(w->sepet.RecordCount(), 0);
    }
};

QTEST_MAIN(TestOrderFlow)
#include "tst_orderflow.moc"
