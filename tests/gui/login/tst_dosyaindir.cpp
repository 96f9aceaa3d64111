#include "cannedhttpserver.h"
#include "config.h"
#include "dosyaindiru.h"
#include "hookrecorder.h"
#include "warnings.h"

#include <QLabel>
#include <QProgressBar>
#include <QStandardPaths>
#include <QtTest>

class TestDosyaIndir : public QObject
{
    Q_OBJECT

    CannedHttpServer *m_server = nullptr;

    QString bilgiText(Tdosyaindir &w) { return w.findChild<QLabel *>("bilgi")->text(); }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    }
    void init()
    {
        failOnUnexpectedWarnings();
        m_server = new CannedHttpServer(this);
        clientConfig().downloadHost = m_server->baseAddress();
    }
    void cleanup() { delete m_server; }

    void labelNamesBothVersions()
    {
        Tdosyaindir w(nullptr, 2);
        QCOMPARE(w.windowTitle(), QString("Dosya İndir"));
        QCOMPARE(w.findChild<QLabel *>("sLabel1")->text(),
                 QString("Telvin Otomotiv B2B Programının\r\nYeni versiyonu indirilecektir\r\n"
                         "Lütfen Bekleyiniz...!\r\nVersion: 2-1"));
        QCOMPARE(w.url(), "http://" + m_server->baseAddress() + "/exe/TelvinSetup.exe");
    }

    void progressText()
    {
        Tdosyaindir w(nullptr, 2);
        w.NetHTTPClient1ReceiveData(3145728, 1572864);
        QCOMPARE(bilgiText(w), QString("Bilgi: %50,00  İndirilen: 1,50/3,00 Mb"));
        QCOMPARE(w.findChild<QProgressBar *>("ProgressBar1")->maximum(), 3145728);
        QCOMPARE(w.findChild<QProgressBar *>("ProgressBar1")->value(), 1572864);
        w.NetHTTPClient1ReceiveData(0, 500);  // unknown length leaves everything as it was
        QCOMPARE(bilgiText(w), QString("Bilgi: %50,00  İndirilen: 1,50/3,00 Mb"));
    }

    void downloadSavesStartsAndEnds_data()
    {
        QTest::addColumn<bool>("withLength");
        QTest::newRow("with content length") << true;
        QTest::newRow("without content length") << false;
    }

    void downloadSavesStartsAndEnds()
    {
        QFETCH(bool, withLength);
        const QByteArray setup(3 * 1024 * 1024, 'S');
        m_server->setResponse(200, setup, withLength);
        QFile::remove(Tdosyaindir::localSetupPath());
        HookRecorder hooks;
        Tdosyaindir w(nullptr, 2);
        w.show();
        w.FormActivate();
        w.FormActivate();  // a second activation does not download again

        QCOMPARE(m_server->requests.size(), 1);
        const QByteArray head = m_server->requests.first();
        QVERIFY(head.startsWith("GET /exe/TelvinSetup.exe"));
        QVERIFY(head.contains("User-Agent: Mozilla/5.0 (Windows NT 10.0; Win64; x64)"));
        QVERIFY(head.contains("Accept-Language: en-US,tr-TR;q=0.8,tr;q=0.6,en;q=0.4"));
        QFile saved(Tdosyaindir::localSetupPath());
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), setup);
        QCOMPARE(hooks.startedPrograms.size(), 1);
        QCOMPARE(hooks.startedPrograms.first().first, Tdosyaindir::localSetupPath());
        QCOMPARE(hooks.startedPrograms.first().second, QStringList{"/silent"});
        QCOMPARE(hooks.exits, QList<int>{0});
        if (withLength)
            QCOMPARE(bilgiText(w), QString("Bilgi: %100,00  İndirilen: 3,00/3,00 Mb"));
        else
            QVERIFY(bilgiText(w).isEmpty());
    }

    void failedDownloadEndsWithAnError_data()
    {
        QTest::addColumn<bool>("serverUp");
        QTest::newRow("no server") << false;
        QTest::newRow("error page") << true;
    }

    void failedDownloadEndsWithAnError()
    {
        QFETCH(bool, serverUp);
        if (serverUp) {
            m_server->setResponse(404, "<html>yok</html>", true, "text/html");
        } else {
            const quint16 port = m_server->serverPort();
            m_server->close();
            clientConfig().downloadHost = QStringLiteral("127.0.0.1:%1").arg(port);
        }
        HookRecorder hooks;
        Tdosyaindir w(nullptr, 2);
        w.FormActivate();
        QCOMPARE(hooks.messages().size(), 1);
        QCOMPARE(hooks.messages().first().kind, MessageRequest::Kind::ErrorBox);
        QVERIFY(hooks.messages().first().text.startsWith("Hata Oluştu !\r\nHata: "));
        QVERIFY(hooks.startedPrograms.isEmpty());
        QCOMPARE(hooks.exits, QList<int>{0});
    }
};

QTEST_MAIN(TestDosyaIndir)
#include "tst_dosyaindir.moc"
