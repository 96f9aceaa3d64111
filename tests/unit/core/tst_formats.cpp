#include "dataset.h"
#include "numberformat.h"
#include "utils.h"

#include <QtTest>

namespace {
const QLocale kTurkish(QLocale::Turkish, QLocale::Turkey);
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
}

class TestFormats : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void formatFloat_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("turkish");
        QTest::addColumn<QString>("english");
        QTest::newRow("amount with grouping") << kAmountFormat << 1234567.891 << "1.234.567,89"
                                              << "1,234,567.89";
        QTest::newRow("amount below one keeps its zero") << kAmountFormat << 0.5 << "0,50" << "0.50";
        QTest::newRow("zero amount") << kAmountFormat << 0.0 << "0,00" << "0.00";
        QTest::newRow("negative amount") << kAmountFormat << -1500.0 << "-1.500,00" << "-1,500.00";
        QTest::newRow("half rounds away from zero") << kAmountFormat << 2.675 << "2,68" << "2.68";
        QTest::newRow("negative half") << kAmountFormat << -0.005 << "-0,01" << "-0.01";
        QTest::newRow("tiny negative shows no sign") << kAmountFormat << -0.001 << "0,00" << "0.00";
        QTest::newRow("carry into a new digit") << kAmountFormat << 999.999 << "1.000,00"
                                                << "1,000.00";
        QTest::newRow("no mandatory integer digit") << "#,###,##.00" << 0.5 << ",50" << ".50";
        QTest::newRow("optional decimals trimmed") << "0.##" << 3.10 << "3,1" << "3.1";
        QTest::newRow("literal suffix") << "#,##0 'TL'" << 12345.0 << "12.345 TL" << "12,345 TL";
        QTest::newRow("negative section") << "0.00;(0.00)" << -3.5 << "(3,50)" << "(3.50)";
    }

    void formatFloat()
    {
        QFETCH(QString, format);
        QFETCH(double, value);
        QFETCH(QString, turkish);
        QFETCH(QString, english);
        QCOMPARE(FormatFloat(format, value, kTurkish), turkish);
        QCOMPARE(FormatFloat(format, value, kEnglish), english);
    }

    void round2_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("expected");
        QTest::newRow("sum of two thirds of a cent") << 10.004 + 20.004 << 30.01;
        QTest::newRow("half a cent") << 0.005 << 0.01;
        QTest::newRow("negative half") << -0.005 << -0.01;
        QTest::newRow("negative half above one") << -2.675 << -2.68;
        QTest::newRow("large with a half") << 1234567.895 << 1234567.90;
        QTest::newRow("below one") << 0.123 << 0.12;
        QTest::newRow("zero") << 0.0 << 0.0;
        QTest::newRow("millions grouped then stripped") << 98765432.1 << 98765432.10;
    }

    void round2()
    {
        QFETCH(double, value);
        QFETCH(double, expected);
        for (const QLocale &locale : {kTurkish, kEnglish}) {
            QLocale::setDefault(locale);
            QCOMPARE(Round2(value), expected);
        }
    }

    void floatDisplayFormatsOnlyForPlainFloats()
    {
        Dataset ds;
        ds.SetFields({{"FIYAT", FieldType::Float},
                      {"TUTAR", FieldType::Currency},
                      {"ADET", FieldType::Integer},
                      {"ADI", FieldType::String}});
        ds.FieldByName("TUTAR").SetDisplayFormat("0.0000");
        SetFloatDisplayFormats(ds);
        QCOMPARE(ds.FieldByName("FIYAT").DisplayFormat(), QString("#,###,##0.00"));
        QCOMPARE(ds.FieldByName("TUTAR").DisplayFormat(), QString("0.0000"));
        QVERIFY(ds.FieldByName("ADET").DisplayFormat().isEmpty());
        QVERIFY(ds.FieldByName("ADI").DisplayFormat().isEmpty());
    }

    void selectedRowTests()
    {
        Dataset ds;
        QVERIFY(!DataSetHasRows(ds));  // closed
        QVERIFY(!LocateSelectedRow(ds));
        ds.SetFields({{"SIRANO", FieldType::Integer}, {"SEC", FieldType::Integer}});
        QVERIFY(!DataSetHasRows(ds));  // open, no rows
        ds.AppendRecord({1, 0});
        ds.AppendRecord({2, 1});
        ds.AppendRecord({3, 1});
        QVERIFY(DataSetHasRows(ds));
        QVERIFY(LocateSelectedRow(ds));
        QCOMPARE(ds.FieldByName("SIRANO").AsInteger(), 2);
        QVERIFY(!ds.Eof());

        // No row selected: still true, with the cursor past the last row.
        Dataset none;
        none.SetFields({{"SEC", FieldType::Integer}});
        none.AppendRecord({0});
        none.AppendRecord({QVariant()});
        QVERIFY(LocateSelectedRow(none));
        QVERIFY(none.Eof());
    }

    void urlEncode_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("expected");
        QTest::newRow("separators kept")
            << "http://h:8080/ordakart.html?carino=5&sube=1"
            << "http://h:8080/ordakart.html?carino=5&sube=1";
        QTest::newRow("turkish letters as utf-8")
            << QString::fromUtf8("http://h/ordakart.html?firmasi=ŞAHİN OTO&bakiye=1.250,00")
            << "http://h/ordakart.html?firmasi=%C5%9EAH%C4%B0N%20OTO&bakiye=1.250,00";
        QTest::newRow("path with blanks") << "http://h/a b/c.html" << "http://h/a%20b/c.html";
        QTest::newRow("no path") << "http://h?x=1 2" << "http://h?x=1%202";
    }

    void urlEncode()
    {
        QFETCH(QString, url);
        QFETCH(QString, expected);
        QCOMPARE(UrlEncode(url), expected);
    }

    void settingsFolderIsCreated()
    {
        QTemporaryDir home;
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
        const QString folder = GetSettingsFolder();
        QCOMPARE(folder, home.path() + "/telvinotomotiv");
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(GetSettingsFolder(), folder);  // a second call finds it
    }
};

QTEST_GUILESS_MAIN(TestFormats)
#include "tst_formats.moc"
