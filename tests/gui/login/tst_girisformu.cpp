#include "baglantiu.h"
#include "girisformu.h"
#include "hookrecorder.h"
#include "openwithretry.h"
#include "serverconnection.h"
#include "warnings.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTcpServer>
#include <QtTest>

// The dialog's own behaviour: fields, keys, settings and a server that cannot be reached.
// The whole login against the distributor's server is covered end to end elsewhere.
class TestGirisFormu : public QObject
{
    Q_OBJECT

    ServerConnection m_bagc;
    TSonucBilgisi m_bilgi;

    template <typename T> T *child(QWidget &w, const char *name)
    {
        T *c = w.findChild<T *>(QLatin1String(name));
        if (!c)
            qFatal("missing control %s", name);
        return c;
    }

    void writeIni(const QByteArray &text)
    {
        QFile f(Tgirisform::settingsPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        OpenRetry::setDelayForTesting(1);
    }
    void init()
    {
        failOnUnexpectedWarnings();
        QFile::remove(Tgirisform::settingsPath());
    }

    void designState()
    {
        Tgirisform w;
        QCOMPARE(w.windowTitle(), QString("Giriş"));
        QCOMPARE(child<QPushButton>(w, "Button1")->text(), QString("Giriş"));
        QCOMPARE(child<QPushButton>(w, "Button2")->text(), QString("Vazgeç"));
        QVERIFY(child<QCheckBox>(w, "benihatirla")->isChecked());
        QVERIFY(child<QLineEdit>(w, "adi")->text().isEmpty());
        QCOMPARE(child<QLineEdit>(w, "sifre")->echoMode(), QLineEdit::Password);
        QVERIFY(child<QWidget>(w, "RxGIFAnimator1")->isHidden());
    }

    void typedTextBecomesUpperCase()
    {
        Tgirisform w;
        QTest::keyClicks(child<QLineEdit>(w, "adi"), "bayi01");
        QTest::keyClicks(child<QLineEdit>(w, "sifre"), "gizli");
        QCOMPARE(child<QLineEdit>(w, "adi")->text(), QString("BAYI01"));
        QCOMPARE(child<QLineEdit>(w, "sifre")->text(), QString("GIZLI"));
    }

    void settingsFill_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QString>("name");
        QTest::newRow("remembered")
            << QByteArray("[kullanici]\r\nisim=AHMET\r\nsifre=1234\r\nhatırla=1\r\n") << true
            << "AHMET";
        QTest::newRow("not remembered leaves the fields empty")
            << QByteArray("[kullanici]\r\nisim=AHMET\r\nsifre=1234\r\nhatırla=0\r\n") << false
            << "";
        QTest::newRow("missing flag reads as remembered")
            << QByteArray("[kullanici]\r\nisim=AHMET\r\nsifre=1234\r\n") << true << "AHMET";
    }

    void settingsFill()
    {
        QFETCH(QByteArray, ini);
        QFETCH(bool, checked);
        QFETCH(QString, name);
        writeIni(ini);
        Tgirisform w;
        QCOMPARE(child<QCheckBox>(w, "benihatirla")->isChecked(), checked);
        QCOMPARE(child<QLineEdit>(w, "adi")->text(), name);
        QCOMPARE(child<QLineEdit>(w, "sifre")->text(), name.isEmpty() ? QString() : "1234");
    }

    void enterInBlankFieldsWarns()
    {
        HookRecorder hooks;
        Tgirisform w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto *adi = child<QLineEdit>(w, "adi");
        auto *sifre = child<QLineEdit>(w, "sifre");
        adi->setText("   ");
        QTest::keyClick(adi, Qt::Key_Return);
        QCOMPARE(hooks.texts(), QStringList{"Lütfen kullanıcı adını giriniz !"});
        QCOMPARE(hooks.messages().first().kind, MessageRequest::Kind::WarningBox);
        QCOMPARE(hooks.sounds, QList<int>{16});

        adi->setText("AHMET");
        QTest::keyClick(adi, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), sifre);
        QTest::keyClick(sifre, Qt::Key_Return);
        QCOMPARE(hooks.texts().last(), QString("Lütfen kullanıcı şifresini giriniz !"));
        // No login was started.
        QCOMPARE(child<QPushButton>(w, "Button1")->text(), QString("Giriş"));
        QVERIFY(child<QPushButton>(w, "Button1")->isEnabled());
    }

    void vazgecEndsTheProgram()
    {
        HookRecorder hooks;
        Tgirisform w;
        QTest::mouseClick(child<QPushButton>(w, "Button2"), Qt::LeftButton);
        QCOMPARE(hooks.exits, QList<int>{0});
    }

    void unreachableServerFailsAndAllowsRetry()
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        const quint16 port = probe.serverPort();
        probe.close();
        m_bagc.Params().SetValue("Port", QString::number(port));
        HookRecorder hooks;
        Tgirisform w;
        w.bagim = &m_bagc;
        w.Bilgim = &m_bilgi;
        child<QLineEdit>(w, "adi")->setText("AHMET");
        child<QLineEdit>(w, "sifre")->setText("1234");
        w.Button1Click();
        QCOMPARE(child<QPushButton>(w, "Button1")->text(), QString("Bağlanıyor..."));
        QVERIFY(!child<QPushButton>(w, "Button1")->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(hooks.texts().contains("Bağlantı Kurulamadı !"), 20000);
        // Eleven failed attempts, each in a plain box, then the failure as an error.
        QCOMPARE(hooks.messages().size(), 12);
        QCOMPARE(hooks.messages().last().type, MsgDlgType::Error);
        QCOMPARE(child<QPushButton>(w, "Button1")->text(), QString("Giriş!"));
        QVERIFY(child<QPushButton>(w, "Button1")->isEnabled());
        QVERIFY(!QFile::exists(Tgirisform::settingsPath()));
    }
};

QTEST_MAIN(TestGirisFormu)
#include "tst_girisformu.moc"
