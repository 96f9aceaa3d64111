#include "baglantiu.h"
#include "dataset.h"
#include "hookrecorder.h"
#include "methodregistry.h"
#include "onaysipu.h"
#include "openwithretry.h"
#include "rpcserver.h"
#include "serverconnection.h"
#include "warnings.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMutex>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTcpServer>
#include <QtTest>

#include <memory>
#include <stdexcept>

namespace {

struct Company
{
    QString adi;
    int sirano;
    QString uyari;
};

using Items = QList<QPair<int, QString>>;  // id, name

// What the small in-process server answers; changed by the tests between dialogs.
struct CargoData
{
    Items modes;
    Items types;
    QHash<int, QList<Company>> companies;  // by cargo type id; a missing type fails
    bool failTeslimVer = false;
    QList<int> askedTypes;                 // gn of every KargolarVer call
};

std::shared_ptr<Dataset> idNameTable(const Items &items)
{
    // Read by position: the names are deliberately not what the dialog shows.
    auto rows = std::make_shared<Dataset>();
    rows->SetFields({{QStringLiteral("NO"), FieldType::Integer},
                     {QStringLiteral("TANIM"), FieldType::String, 50}});
    for (const auto &item : items)
        rows->AppendRecord({item.first, item.second});
    return rows;
}

quint16 unusedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

const Items kThreeModes{{11, "Depodan Teslim"}, {12, "Kargo ile"}, {13, "Servis ile"}};
const Items kTypes{{5, "Anlaşmalı Kargo"}, {7, "Alıcı Ödemeli"}, {9, "Yurt Dışı"}};
const Company kHizir{"Hızır Kargo", 501, "Cumartesi dağıtım yok."};
const Company kAtlas{"Atlas Kargo", 502, "Ödeme teslimatta nakit."};
const Company kYildiz{"Yıldız Kargo", 503, "Hafta içi 17:00'ye kadar."};

}  // namespace

// The order confirmation against a small server that answers the three lists it asks for.
class TestOnaySip : public QObject
{
    Q_OBJECT

    MethodRegistry m_registry;
    std::unique_ptr<RpcServer> m_server;
    QMutex m_mutex;
    CargoData m_data;
    ServerConnection m_bagc;
    TSonucBilgisi m_bilgi;

    void serve(const CargoData &data)
    {
        QMutexLocker lock(&m_mutex);
        m_data = data;
    }
    QList<int> askedTypes()
    {
        QMutexLocker lock(&m_mutex);
        return m_data.askedTypes;
    }
    static CargoData standardData()
    {
        CargoData d;
        d.modes = kThreeModes;
        d.types = kTypes;
        d.companies[5] = {kHizir};
        d.companies[7] = {kAtlas, kYildiz};
        d.companies[9] = {};
        return d;
    }

    std::unique_ptr<TONAYSIP> open(const QString &mesaj = QString(),
                                   const QString &toplam = QStringLiteral("0,00"))
    {
        auto w = std::make_unique<TONAYSIP>(nullptr, &m_bagc, mesaj, &m_bilgi, toplam);
        w->show();
        if (!QTest::qWaitForWindowExposed(w.get()))
            qWarning("dialog not exposed");
        return w;
    }

    static QList<QRadioButton *> radios(QGroupBox *box)
    {
        return box->findChildren<QRadioButton *>();
    }
    static QStringList texts(QGroupBox *box)
    {
        QStringList out;
        for (auto *r : radios(box))
            out << r->text();
        return out;
    }
    static int checkedIndex(QGroupBox *box)
    {
        const auto list = radios(box);
        for (int i = 0; i < list.size(); ++i)
            if (list[i]->isChecked())
                return i;
        return -1;
    }
    static QStringList comboItems(QComboBox *combo)
    {
        QStringList out;
        for (int i = 0; i < combo->count(); ++i)
            out << combo->itemText(i);
        return out;
    }
    // Clicks on the indicator: a radio button only reacts inside its indicator and text.
    static void clickRadio(QGroupBox *box, int index)
    {
        QRadioButton *r = radios(box).at(index);
        QTest::mouseClick(r, Qt::LeftButton, {}, QPoint(6, r->height() / 2));
    }
    static void clickType(TONAYSIP &w, int index) { clickRadio(w.boxkargo, index); }

private slots:
    void initTestCase()
    {
        OpenRetry::setDelayForTesting(0);
        m_registry.add(QStringLiteral("TeslimVer"), [this](CallContext &call) {
            QMutexLocker lock(&m_mutex);
            if (m_data.failTeslimVer)
                throw std::runtime_error("Teslim listesi okunamadı");
            call.setResultTable(idNameTable(m_data.modes));
        });
        m_registry.add(QStringLiteral("KargoVer"), [this](CallContext &call) {
            QMutexLocker lock(&m_mutex);
            call.setResultTable(idNameTable(m_data.types));
        });
        m_registry.add(QStringLiteral("KargolarVer"), [this](CallContext &call) {
            QMutexLocker lock(&m_mutex);
            const int gn = call.argInt(0);
            m_data.askedTypes << gn;
            if (!m_data.companies.contains(gn))
                throw std::runtime_error("Kargo türü bulunamadı");
            auto rows = std::make_shared<Dataset>();
            rows->SetFields({{QStringLiteral("SIRANO"), FieldType::Integer},
                             {QStringLiteral("ADI"), FieldType::String, 50},
                             {QStringLiteral("UYARI"), FieldType::String, 200}});
            for (const Company &c : m_data.companies.value(gn))
                rows->AppendRecord({c.sirano, c.adi, c.uyari});
            call.setResultTable(rows);
        });
        m_server = std::make_unique<RpcServer>(m_registry);
        QVERIFY2(m_server->listen(QHostAddress::LocalHost, 0),
                 qPrintable(m_server->errorString()));
        m_bilgi.SetADI(QStringLiteral("AHMET YILMAZ"));
        m_bilgi.SetCariAdi(QStringLiteral("DEMİR OTO YEDEK PARÇA"));
    }

    void init()
    {
        failOnUnexpectedWarnings();
        m_bagc.Params().SetValue(QStringLiteral("HostName"), QStringLiteral("127.0.0.1"));
        m_bagc.Params().SetValue(QStringLiteral("Port"), QString::number(m_server->serverPort()));
        serve(standardData());
    }

    void cleanupTestCase()
    {
        m_server->stop();
        OpenRetry::setDelayForTesting(OpenRetry::kDelayMs);
    }

    void layoutAndSummary()
    {
        HookRecorder hooks;
        auto w = open(QStringLiteral("Vadesi geçmiş bakiyeniz var !"),
                      QStringLiteral("1.234,50"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Sipariş Onay"));
        QCOMPARE(w->Label2->text(), QStringLiteral("Kullanıcı: AHMET YILMAZ\r\n"
                                                   "Cari     : DEMİR OTO YEDEK PARÇA\r\n"
                                                   "Tutar    : 1.234,50"));
        QCOMPARE(w->Label3->text(), QStringLiteral("Vadesi geçmiş bakiyeniz var !"));
        QCOMPARE(w->Label1->text(),
                 QStringLiteral("Yukarıda bilgileri verilen siparişi onaylıyor musunuz ?"));
        QCOMPARE(w->Button1->text(), QStringLiteral("Evet"));
        QCOMPARE(w->Button2->text(), QStringLiteral("Hayır"));
        QCOMPARE(w->teslimbox->title(), QStringLiteral("Teslim Durumu"));
        QCOMPARE(w->boxkargo->title(), QStringLiteral("Kargo Türleri"));
        QVERIFY(!w->kargocombo->isEditable());
        // Names from the server are shown as text, never as markup.
        QCOMPARE(w->Label2->textFormat(), Qt::PlainText);
        QCOMPARE(w->uyarikargo->textFormat(), Qt::PlainText);
        QVERIFY(hooks.messages().isEmpty());
        // Both lists came over one clone, which is closed again; the shared one stays closed.
        QVERIFY(!m_bagc.Connected());
        QTRY_COMPARE(m_server->activeConnections(), 0);
    }

    void deliveryModes_data()
    {
        QTest::addColumn<Items>("modes");
        QTest::addColumn<int>("checked");
        QTest::newRow("three modes: the second is preselected") << kThreeModes << 1;
        QTest::newRow("one mode: that one is preselected") << Items{{4, "Depodan Teslim"}} << 0;
        QTest::newRow("no modes: nothing is selected") << Items{} << -1;
    }

    void deliveryModes()
    {
        QFETCH(Items, modes);
        QFETCH(int, checked);
        CargoData d = standardData();
        d.modes = modes;
        serve(d);
        HookRecorder hooks;
        auto w = open();
        QStringList names;
        for (const auto &m : modes)
            names << m.second;
        QCOMPARE(texts(w->teslimbox), names);
        QCOMPARE(checkedIndex(w->teslimbox), checked);
        QCOMPARE(texts(w->boxkargo),
                 (QStringList{"Anlaşmalı Kargo", "Alıcı Ödemeli", "Yurt Dışı"}));
        QCOMPARE(checkedIndex(w->boxkargo), -1);
        QCOMPARE(w->kargocombo->count(), 0);
        QVERIFY(askedTypes().isEmpty());
    }

    void cargoCompanies_data()
    {
        QTest::addColumn<int>("typeIndex");
        QTest::addColumn<int>("gn");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("warning");
        QTest::newRow("one company: chosen at once with its warning")
            << 0 << 5 << QStringList{" ", "Hızır Kargo"} << 1 << kHizir.uyari;
        QTest::newRow("two companies: none chosen")
            << 1 << 7 << QStringList{" ", "Atlas Kargo", "Yıldız Kargo"} << 0 << QString();
        QTest::newRow("no companies: only the blank item") << 2 << 9 << QStringList{" "} << 0
                                                           << QString();
    }

    void cargoCompanies()
    {
        QFETCH(int, typeIndex);
        QFETCH(int, gn);
        QFETCH(QStringList, items);
        QFETCH(int, current);
        QFETCH(QString, warning);
        HookRecorder hooks;
        auto w = open();
        clickType(*w, typeIndex);
        QCOMPARE(askedTypes(), QList<int>{gn});
        QCOMPARE(comboItems(w->kargocombo), items);
        QCOMPARE(w->kargocombo->currentIndex(), current);
        QCOMPARE(w->uyarikargo->text(), warning);
        QVERIFY(!m_bagc.Connected());
        QVERIFY(hooks.messages().isEmpty());
    }

    void choosingCompaniesAndTypes()
    {
        HookRecorder hooks;
        auto w = open();
        clickType(*w, 1);
        // The user picks the second company of two, then the blank item again.
        w->kargocombo->setFocus();
        QTest::keyClick(w->kargocombo, Qt::Key_Down);
        QTest::keyClick(w->kargocombo, Qt::Key_Down);
        QCOMPARE(w->kargocombo->currentText(), QStringLiteral("Yıldız Kargo"));
        QCOMPARE(w->uyarikargo->text(), kYildiz.uyari);
        QTest::keyClick(w->kargocombo, Qt::Key_Home);
        QCOMPARE(w->kargocombo->currentIndex(), 0);
        QVERIFY(w->uyarikargo->text().isEmpty());
        QTest::keyClick(w->kargocombo, Qt::Key_Down);
        QCOMPARE(w->uyarikargo->text(), kAtlas.uyari);

        // Another type with no companies: warning gone, nothing chosen.
        clickType(*w, 2);
        QCOMPARE(comboItems(w->kargocombo), QStringList{" "});
        QVERIFY(w->uyarikargo->text().isEmpty());
        // Back to a type with two companies: reloaded, nothing chosen.
        clickType(*w, 1);
        QCOMPARE(w->kargocombo->currentIndex(), 0);
        QVERIFY(w->uyarikargo->text().isEmpty());
        // A type with one company chooses it again.
        clickType(*w, 0);
        QCOMPARE(w->kargocombo->currentText(), QStringLiteral("Hızır Kargo"));
        QCOMPARE(w->uyarikargo->text(), kHizir.uyari);
        QCOMPARE(askedTypes(), (QList<int>{7, 9, 7, 5}));
        QVERIFY(hooks.messages().isEmpty());
    }

    void checksInOrder_data()
    {
        QTest::addColumn<bool>("withModes");
        QTest::addColumn<int>("typeIndex");  // -1: no cargo type clicked
        QTest::addColumn<QString>("message");
        QTest::newRow("no delivery mode comes before everything")
            << false << -1 << "Lütfen Teslim Durumu Seçiniz !";
        QTest::newRow("no delivery mode, type and company chosen")
            << false << 0 << "Lütfen Teslim Durumu Seçiniz !";
        QTest::newRow("no cargo type") << true << -1 << "Lütfen Kargo Türünü Seçiniz !";
        QTest::newRow("two companies, none chosen") << true << 1 << "Lütfen Kargo  Seçiniz !";
        QTest::newRow("type without companies") << true << 2 << "Lütfen Kargo  Seçiniz !";
    }

    void checksInOrder()
    {
        QFETCH(bool, withModes);
        QFETCH(int, typeIndex);
        QFETCH(QString, message);
        CargoData d = standardData();
        if (!withModes)
            d.modes.clear();
        serve(d);
        HookRecorder hooks;
        auto w = open();
        if (typeIndex >= 0)
            clickType(*w, typeIndex);
        QSignalSpy finished(w.get(), &QDialog::finished);
        QTest::mouseClick(w->Button1, Qt::LeftButton);
        QCOMPARE(hooks.texts(), QStringList{message});
        const MessageRequest shown = hooks.messages().first();
        QCOMPARE(shown.type, MsgDlgType::Warning);
        QCOMPARE(shown.buttons, MsgDlgButtons{MsgDlgBtn::OK});
        QVERIFY(finished.isEmpty());
        QVERIFY(w->isVisible());
        if (message == QLatin1String("Lütfen Kargo  Seçiniz !"))
            QTRY_COMPARE(QApplication::focusWidget(), w->kargocombo);
    }

    void confirmationSetsChoices_data()
    {
        QTest::addColumn<int>("modeIndex");  // -1 keeps the preselected mode
        QTest::addColumn<int>("typeIndex");
        QTest::addColumn<int>("downKeys");   // company chosen with the keyboard
        QTest::addColumn<int>("td");
        QTest::addColumn<int>("kt");
        QTest::addColumn<int>("KN");
        QTest::newRow("preselected mode, the single company") << -1 << 0 << 0 << 12 << 5 << 501;
        QTest::newRow("third mode, second of two companies") << 2 << 1 << 2 << 13 << 7 << 503;
    }

    void confirmationSetsChoices()
    {
        QFETCH(int, modeIndex);
        QFETCH(int, typeIndex);
        QFETCH(int, downKeys);
        QFETCH(int, td);
        QFETCH(int, kt);
        QFETCH(int, KN);
        HookRecorder hooks;
        auto w = open();
        if (modeIndex >= 0)
            clickRadio(w->teslimbox, modeIndex);
        clickType(*w, typeIndex);
        for (int i = 0; i < downKeys; ++i)
            QTest::keyClick(w->kargocombo, Qt::Key_Down);
        QTest::keyClicks(w->aciklamagir, "Acil");
        QSignalSpy finished(w.get(), &QDialog::finished);
        QTest::mouseClick(w->Button1, Qt::LeftButton);
        QCOMPARE(finished.size(), 1);
        QCOMPARE(w->result(), int(QDialog::Accepted));
        QCOMPARE(w->td, td);
        QCOMPARE(w->kt, kt);
        QCOMPARE(w->KN, KN);
        QCOMPARE(w->aciklamagir->toPlainText(), QStringLiteral("Acil"));
        QVERIFY(hooks.messages().isEmpty());
    }

    void hayirCancels()
    {
        HookRecorder hooks;
        auto w = open();
        clickType(*w, 0);
        QSignalSpy finished(w.get(), &QDialog::finished);
        QTest::mouseClick(w->Button2, Qt::LeftButton);
        QCOMPARE(finished.size(), 1);
        QCOMPARE(w->result(), int(QDialog::Rejected));
        QCOMPARE(w->KN, 0);
        QVERIFY(hooks.messages().isEmpty());
    }

    void serverDownWhileOpening()
    {
        m_bagc.Params().SetValue(QStringLiteral("Port"), QString::number(unusedPort()));
        HookRecorder hooks;
        auto w = open();
        // Eleven attempts, each in a plain box, then the failure dialog.
        QCOMPARE(hooks.messages().size(), 12);
        QCOMPARE(hooks.messages().last().text,
                 QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"));
        QVERIFY(radios(w->teslimbox).isEmpty());
        QVERIFY(radios(w->boxkargo).isEmpty());
        hooks.clear();
        QTest::mouseClick(w->Button1, Qt::LeftButton);
        QCOMPARE(hooks.texts(), QStringList{"Lütfen Teslim Durumu Seçiniz !"});
    }

    void listErrorWhileOpeningReachesTheOpener()
    {
        CargoData d = standardData();
        d.failTeslimVer = true;
        serve(d);
        HookRecorder hooks;
        QVERIFY_THROWS_EXCEPTION(std::exception,
                                 TONAYSIP(nullptr, &m_bagc, QString(), &m_bilgi, "0,00"));
        QTRY_COMPARE(m_server->activeConnections(), 0);
    }

    // A company list that cannot be loaded must not keep the previous type's companies:
    // the order would name a company of another cargo type.
    void companiesOfAnotherTypeNeverStay_data()
    {
        QTest::addColumn<bool>("serverDown");
        QTest::addColumn<int>("messages");
        QTest::newRow("server down") << true << 12;
        QTest::newRow("server answers with an error") << false << 1;
    }

    void companiesOfAnotherTypeNeverStay()
    {
        QFETCH(bool, serverDown);
        QFETCH(int, messages);
        CargoData d = standardData();
        d.companies.remove(7);
        serve(d);
        HookRecorder hooks;
        auto w = open();
        clickType(*w, 0);
        QCOMPARE(w->kargocombo->currentText(), QStringLiteral("Hızır Kargo"));
        if (serverDown)
            m_bagc.Params().SetValue(QStringLiteral("Port"), QString::number(unusedPort()));
        clickType(*w, 1);
        QCOMPARE(hooks.messages().size(), messages);
        if (!serverDown) {
            QCOMPARE(hooks.messages().first().kind, MessageRequest::Kind::ErrorReport);
            QVERIFY(hooks.texts().first().contains("Kargo türü bulunamadı"));
        }
        QCOMPARE(w->kargocombo->count(), 0);
        QVERIFY(w->uyarikargo->text().isEmpty());
        QVERIFY(!m_bagc.Connected());
        hooks.clear();
        QTest::mouseClick(w->Button1, Qt::LeftButton);
        QCOMPARE(hooks.texts(), QStringList{"Lütfen Kargo  Seçiniz !"});
        QVERIFY(w->isVisible());
    }
};

QTEST_MAIN(TestOnaySip)
#include "tst_onaysip.moc"
