#include "amountedit.h"
#include "asyncresimu.h"
#include "cannedhttpserver.h"
#include "config.h"
#include "spinedit.h"
#include "stokayarintiu.h"
#include "warnings.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using Rates = QList<double>;

// The dialog's own behaviour: layout, arithmetic, keys and the web picture it asks for.
// Filling it from the lists and sending the line are the openers' and tested with them.
class TestStokAyrinti : public QObject
{
    Q_OBJECT

    CannedHttpServer m_web;

    template <typename T> static T *child(QWidget &w, const char *name)
    {
        T *c = w.findChild<T *>(QLatin1String(name));
        if (!c)
            qFatal("missing control %s", name);
        return c;
    }

    // A shown dialog with the opener's values, as the stock list fills it.
    static std::unique_ptr<Tstokayarinti> open(double price, const Rates &rates, double vat)
    {
        auto dlg = std::make_unique<Tstokayarinti>(nullptr, 42);
        dlg->kdvoran = vat;
        dlg->birimfiyat->setValue(price);
        const QList<AmountEdit *> edits = {dlg->edindirim1, dlg->edindirim2, dlg->edindirim3,
                                           dlg->edindirim4};
        for (int i = 0; i < rates.size(); ++i)
            edits[i]->setValue(rates[i]);
        dlg->show();
        if (!QTest::qWaitForWindowExposed(dlg.get()))
            qFatal("dialog not exposed");
        return dlg;
    }

    static void typeInto(QWidget *edit, const QString &text)
    {
        if (auto *line = qobject_cast<QLineEdit *>(edit))
            line->selectAll();
        else if (auto *spin = qobject_cast<QAbstractSpinBox *>(edit))
            spin->selectAll();
        if (text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Delete);
        else
            QTest::keyClicks(edit, text);
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
        m_web.setResponse(404, QByteArray(), true, "text/html");
        clientConfig().webAddress = QStringLiteral("http://") + m_web.baseAddress();
    }
    void init() { failOnUnexpectedWarnings(); }

    void designState()
    {
        Tstokayarinti dlg;
        QCOMPARE(dlg.windowTitle(), QString("Sepete Ekle"));
        QCOMPARE(dlg.stokno, 0);
        QCOMPARE(child<QLabel>(dlg, "Label1")->text(), QString("Adet:"));
        QCOMPARE(child<QLabel>(dlg, "indirimoran")->text(), QString("İndirim:"));
        QCOMPARE(child<QLabel>(dlg, "Label3")->text(), QString("KDV Dahil:"));
        QCOMPARE(child<QPushButton>(dlg, "ParcaliTus1")->text(), QString("Sipariş ekle"));
        QCOMPARE(child<QPushButton>(dlg, "ParcaliTus2")->text(), QString("Vazgeç"));
        auto *adet = child<SpinEdit>(dlg, "adet");
        QCOMPARE(adet->minimum(), 1);
        QCOMPARE(adet->maximum(), 10000);
        QCOMPARE(adet->value(), 1);
        QVERIFY(child<QWidget>(dlg, "GridPanel2")->isHidden());
        for (const char *name : {"birimfiyat", "indtutar", "kdvdahiltutar", "geneltutar",
                                 "edindirim1", "edindirim4"})
            QVERIFY2(child<AmountEdit>(dlg, name)->isReadOnly(), name);

        dlg.unlockEditing(false);  // as for campaign items: editable, rates panel hidden
        QVERIFY(!dlg.birimfiyat->isReadOnly());
        QVERIFY(!dlg.edindirim4->isReadOnly());
        QVERIFY(dlg.indtutar->isReadOnly() && dlg.geneltutar->isReadOnly());
        QVERIFY(dlg.GridPanel2->isHidden());
        dlg.unlockEditing(true);
        QVERIFY(!dlg.GridPanel2->isHidden());
    }

    void arithmetic_data()
    {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<double>("price");
        QTest::addColumn<Rates>("rates");
        QTest::addColumn<double>("vat");
        QTest::addColumn<double>("discount");
        QTest::addColumn<double>("vatUnit");
        QTest::addColumn<double>("total");
        QTest::addColumn<QString>("totalText");
        QTest::newRow("worked example: 3 x 100.00, 10 % then 5 %, VAT 20")
            << "3" << 100.0 << Rates{10, 5} << 20.0 << 43.5 << 102.6 << 307.8 << "307,80";
        QTest::newRow("four rates cascade")
            << "1" << 100.0 << Rates{10, 10, 10, 10} << 20.0 << 34.39 << 78.73 << 78.73
            << "78,73";
        QTest::newRow("net unit rounded before VAT and total")
            << "3" << 1.03 << Rates{10} << 20.0 << 0.309 << 1.12 << 3.36 << "3,36";
        QTest::newRow("negative rate ignored")
            << "1" << 100.0 << Rates{-10} << 20.0 << 0.0 << 120.0 << 120.0 << "120,00";
        QTest::newRow("thousands grouped")
            << "10" << 1234.5 << Rates{} << 20.0 << 0.0 << 1481.4 << 14814.0 << "14.814,00";
        QTest::newRow("no VAT") << "3" << 100.0 << Rates{10, 5} << 0.0 << 43.5 << 85.5 << 256.5
                                << "256,50";
        QTest::newRow("quantity 0 gives zeros")
            << "0" << 100.0 << Rates{10, 5} << 20.0 << 0.0 << 0.0 << 0.0 << "0,00";
        QTest::newRow("empty quantity counts as one")
            << "" << 100.0 << Rates{10, 5} << 20.0 << 14.5 << 102.6 << 102.6 << "102,60";
    }
    void arithmetic()
    {
        QFETCH(QString, quantity);
        QFETCH(double, price);
        QFETCH(Rates, rates);
        QFETCH(double, vat);
        QFETCH(double, discount);
        QFETCH(double, vatUnit);
        QFETCH(double, total);
        QFETCH(QString, totalText);
        auto dlg = open(price, rates, vat);
        typeInto(dlg->adet, quantity);
        QCOMPARE(dlg->indtutar->value(), discount);
        QCOMPARE(dlg->kdvdahiltutar->value(), vatUnit);
        QCOMPARE(dlg->geneltutar->value(), total);
        QCOMPARE(dlg->geneltutar->text(), totalText);
    }

    void discountShownAboveOnePercent_data()
    {
        QTest::addColumn<Rates>("rates");
        QTest::addColumn<bool>("shown");
        QTest::newRow("no rates") << Rates{} << false;
        QTest::newRow("rates summing to exactly 1") << Rates{0.25, 0.25, 0.25, 0.25} << false;
        QTest::newRow("0.1 + 0.2 + 0.7 is 1, not a hair more") << Rates{0.1, 0.2, 0.7} << false;
        QTest::newRow("rates summing to 1.01") << Rates{0.5, 0.51} << true;
        QTest::newRow("one rate of 5") << Rates{0, 0, 0, 5} << true;
    }
    void discountShownAboveOnePercent()
    {
        QFETCH(Rates, rates);
        QFETCH(bool, shown);
        auto dlg = open(100, rates, 20);
        QCOMPARE(dlg->indirimoran->isVisible(), shown);
        QCOMPARE(dlg->indtutar->isVisible(), shown);
        // Decided when the dialog opens; typing a rate afterwards does not change it.
        dlg->unlockEditing(true);
        typeInto(dlg->edindirim2, shown ? "0" : "20");
        QCOMPARE(dlg->indtutar->isVisible(), shown);
    }

    void f4StripsVat_data()
    {
        QTest::addColumn<QByteArray>("edit");
        QTest::addColumn<int>("presses");
        QTest::addColumn<double>("price");
        QTest::addColumn<QString>("priceText");
        QTest::addColumn<double>("total");
        QTest::newRow("price edit once") << QByteArray("birimfiyat") << 1 << 100 / 1.2
                                         << "83,33" << 100.0;
        QTest::newRow("price edit twice") << QByteArray("birimfiyat") << 2 << 100 / 1.44
                                          << "69,44" << 83.33;
        QTest::newRow("read-only total edit") << QByteArray("geneltutar") << 1 << 100 / 1.2
                                              << "83,33" << 100.0;
    }
    void f4StripsVat()
    {
        QFETCH(QByteArray, edit);
        QFETCH(int, presses);
        QFETCH(double, price);
        QFETCH(QString, priceText);
        QFETCH(double, total);
        auto dlg = open(100, {}, 20);
        auto *target = child<AmountEdit>(*dlg, edit.constData());
        for (int i = 0; i < presses; ++i)
            QTest::keyClick(target, Qt::Key_F4);
        QCOMPARE(dlg->birimfiyat->value(), price);
        QCOMPARE(dlg->birimfiyat->text(), priceText);
        QCOMPARE(dlg->geneltutar->value(), total);
    }

    void enterKeys_data()
    {
        QTest::addColumn<QByteArray>("control");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("quantityAfter");
        QTest::newRow("Enter in quantity confirms")
            << QByteArray("adet") << int(Qt::Key_Return) << "3" << true << "3";
        QTest::newRow("keypad Enter in quantity confirms")
            << QByteArray("adet") << int(Qt::Key_Enter) << "12" << true << "12";
        QTest::newRow("Enter in price does nothing")
            << QByteArray("birimfiyat") << int(Qt::Key_Return) << "3" << false << "3";
        QTest::newRow("Enter in a rate does nothing")
            << QByteArray("edindirim1") << int(Qt::Key_Return) << "3" << false << "3";
        QTest::newRow("quantity 0 is corrected, not confirmed")
            << QByteArray("adet") << int(Qt::Key_Return) << "0" << false << "1";
        QTest::newRow("empty quantity is corrected, not confirmed")
            << QByteArray("adet") << int(Qt::Key_Return) << "" << false << "1";
    }
    void enterKeys()
    {
        QFETCH(QByteArray, control);
        QFETCH(int, key);
        QFETCH(QString, quantity);
        QFETCH(bool, accepted);
        QFETCH(QString, quantityAfter);
        auto dlg = open(100, {10}, 20);
        dlg->unlockEditing(true);
        typeInto(dlg->adet, quantity);
        QSignalSpy finished(dlg.get(), &QDialog::finished);
        QTest::keyClick(child<QWidget>(*dlg, control.constData()), Qt::Key(key));
        QCOMPARE(finished.size(), accepted ? 1 : 0);
        if (accepted)
            QCOMPARE(finished.at(0).at(0).toInt(), int(QDialog::Accepted));
        QCOMPARE(dlg->adet->text(), quantityAfter);
        if (!accepted && control == "adet") {
            QCOMPARE(dlg->geneltutar->value(), 108.0);  // amounts follow the correction
            QTest::keyClick(dlg->adet, Qt::Key_Return);
            QCOMPARE(finished.size(), 1);
        }
    }

    void buttonsAndTypedValues()
    {
        auto dlg = open(100, {}, 20);
        dlg->unlockEditing(true);
        typeInto(dlg->birimfiyat, "250");
        QCOMPARE(dlg->geneltutar->value(), 300.0);  // recomputed while typing
        typeInto(dlg->edindirim1, "10");
        QCOMPARE(dlg->geneltutar->value(), 270.0);
        QSignalSpy finished(dlg.get(), &QDialog::finished);
        dlg->ParcaliTus1->click();  // the rate edit still has the typed text
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(), int(QDialog::Accepted));
        QCOMPARE(dlg->birimfiyat->value(), 250.0);
        QCOMPARE(dlg->edindirim1->value(), 10.0);

        auto cancelled = open(100, {}, 20);
        QSignalSpy cancelledFinished(cancelled.get(), &QDialog::finished);
        cancelled->ParcaliTus2->click();
        QCOMPARE(cancelledFinished.value(0).value(0).toInt(), int(QDialog::Rejected));
    }

    void openingAsksForThePictureAndSelectsQuantity_data()
    {
        QTest::addColumn<bool>("withStockNumber");
        QTest::addColumn<QByteArray>("request");
        QTest::newRow("opened with a stock number")
            << true << QByteArray("GET /resimgoster.ashx?id=42 ");
        QTest::newRow("plain dialog asks for id 0")
            << false << QByteArray("GET /resimgoster.ashx?id=0 ");
    }
    void openingAsksForThePictureAndSelectsQuantity()
    {
        QFETCH(bool, withStockNumber);
        QFETCH(QByteArray, request);
        // A server of its own: earlier dialogs' requests may still arrive at the shared one.
        CannedHttpServer web;
        web.setResponse(404, QByteArray(), true, "text/html");
        const QString sharedWeb = clientConfig().webAddress;
        clientConfig().webAddress = QStringLiteral("http://") + web.baseAddress();
        auto dlg = withStockNumber ? std::make_unique<Tstokayarinti>(nullptr, 42)
                                   : std::make_unique<Tstokayarinti>();
        QSignalSpy finished(dlg->AsyncResim1, &TAsyncResim::loadFinished);
        dlg->show();
        QVERIFY(QTest::qWaitForWindowActive(dlg.get()));
        QCOMPARE(QApplication::focusWidget(), dlg->adet);
        QCOMPARE(dlg->adet->findChild<QLineEdit *>()->selectedText(), QString("1"));
        clientConfig().webAddress = sharedWeb;
        QTRY_COMPARE(finished.size(), 1);
        QCOMPARE(web.requests.size(), 1);
        QVERIFY2(web.requests.at(0).startsWith(request), web.requests.at(0).constData());
    }
};

QTEST_MAIN(TestStokAyrinti)
#include "tst_stokayarinti.moc"
