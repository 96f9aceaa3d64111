#include "utils.h"

#include <QtTest>

Q_DECLARE_METATYPE(QList<AdapterStatus>)

namespace {
AdapterStatus adapter(const QByteArray &hex)
{
    return AdapterStatus{true, QByteArray::fromHex(hex)};
}
const AdapterStatus failed{false, {}};
}  // namespace

class TestIdentity : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { resetMachineSources(); }

    void computerId_data()
    {
        QTest::addColumn<QString>("serial");
        QTest::addColumn<QList<AdapterStatus>>("adapters");
        QTest::addColumn<QString>("mac");
        QTest::addColumn<QString>("id");
        const QList<AdapterStatus> lan = {adapter("0019b9aa01fe")};
        QTest::newRow("serial with blanks everywhere")
            << "  wd-wcc 4n0 123  " << lan << "00-19-B9-AA-01-FE" << "WD-WCC4N0123";
        QTest::newRow("no serial falls back to the adapter")
            << "" << lan << "00-19-B9-AA-01-FE" << "00-19-B9-AA-01-FE";
        QTest::newRow("blank serial counts as none")
            << "   " << lan << "00-19-B9-AA-01-FE" << "00-19-B9-AA-01-FE";
        QTest::newRow("all-zero first adapter moves on")
            << "" << QList<AdapterStatus>{adapter("000000000000"), adapter("a4bb6d102030")}
            << "A4-BB-6D-10-20-30" << "A4-BB-6D-10-20-30";
        QTest::newRow("failed first adapter ends the walk")
            << "" << QList<AdapterStatus>{failed, adapter("a4bb6d102030")} << "" << "";
        QTest::newRow("only zero adapters") << "" << QList<AdapterStatus>{adapter("000000000000")}
                                            << "00-00-00-00-00-00" << "00-00-00-00-00-00";
        QTest::newRow("no adapters at all") << "" << QList<AdapterStatus>{} << "" << "";
    }

    void computerId()
    {
        QFETCH(QString, serial);
        QFETCH(QList<AdapterStatus>, adapters);
        QFETCH(QString, mac);
        QFETCH(QString, id);
        machineSources().diskSerial = [serial] { return serial; };
        machineSources().adapters = [adapters] { return adapters; };
        QCOMPARE(GetMacAddress(), mac);
        QCOMPARE(GetComputerId(), id);
    }

    void namesUseASixteenCharacterBuffer_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("short") << "BAYI-PC" << "BAYI-PC";
        QTest::newRow("fifteen fit") << "ABCDEFGHIJKLMNO" << "ABCDEFGHIJKLMNO";
        QTest::newRow("sixteen do not") << "ABCDEFGHIJKLMNOP" << "";
    }

    void namesUseASixteenCharacterBuffer()
    {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        machineSources().computerName = [name] { return name; };
        machineSources().userName = [name] { return name; };
        QCOMPARE(GetLocalComputerName(), expected);
        QCOMPARE(GetWindowsUserName(), expected);
    }

    void localIpTakesTheFirstIpv4()
    {
        machineSources().hostAddresses = [] {
            return QList<QHostAddress>{QHostAddress("fe80::1"), QHostAddress("192.168.1.20"),
                                       QHostAddress("10.0.0.5")};
        };
        QCOMPARE(GetLocalIp(), QString("192.168.1.20"));
        machineSources().hostAddresses = [] { return QList<QHostAddress>{}; };
        QCOMPARE(GetLocalIp(), QString("127.0.0.1"));
    }

    void realMachineGivesWellFormedValues()
    {
        // Whatever this machine has, the formats the server receives hold.
        const QString mac = GetMacAddress();
        QVERIFY2(mac.isEmpty() || QRegularExpression("^([0-9A-F]{2}-){5}[0-9A-F]{2}$").match(mac).hasMatch(),
                 qPrintable(mac));
        QVERIFY(!GetComputerId().contains(u' '));
        QCOMPARE(GetDiskSerial(), GetDiskSerial().toUpper());
        QVERIFY(!GetLocalIp().isEmpty());
    }

    void chromeOnlyInTheUsersFolder()
    {
        machineSources().userName = [] { return QString("bayi"); };
        const QString expected =
            "C:\\Users\\bayi\\AppData\\Local\\Google\\Chrome\\Application\\chrome.exe";
        machineSources().fileExists = [expected](const QString &p) { return p == expected; };
        QCOMPARE(FindChromePath(), expected);
        machineSources().fileExists = [](const QString &) { return false; };
        QCOMPARE(FindChromePath(), QString());
    }

    void internetExplorerVersionFromTheFileVersion()
    {
        const QString ie64 = "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE";
        machineSources().fileExists = [ie64](const QString &p) { return p == ie64; };
        QByteArray image("MZ....padding....");
        // Signature, structure version, then file version 11.0 in the most significant word.
        image += QByteArray::fromHex("bd04effe" "00000100" "00000b00" "00000000");
        machineSources().readFile = [image](const QString &) { return image; };
        QCOMPARE(GetInternetExplorerVersion(), 11);
        machineSources().readFile = [](const QString &) { return QByteArray("MZ no resources"); };
        QCOMPARE(GetInternetExplorerVersion(), 0);
        machineSources().fileExists = [](const QString &) { return false; };
        QCOMPARE(GetInternetExplorerVersion(), 0);
    }
};

QTEST_GUILESS_MAIN(TestIdentity)
#include "tst_identity.moc"
