#include "dataset.h"
#include "datasetmodel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

class TestDataset : public QObject
{
    Q_OBJECT

private:
    static void fillBasket(Dataset &ds)
    {
        ds.SetFields({{"SIRANO", FieldType::Integer},
                      {"STOKADI", FieldType::String, 60},
                      {"MIKTAR", FieldType::Float},
                      {"TUTAR", FieldType::Currency},
                      {"SEC", FieldType::Integer},
                      {"TARIH", FieldType::Date}});
        ds.AppendRecord({101, "FREN BALATASI", 2.0, 150.5, 1, QDate(2026, 1, 5)});
        ds.AppendRecord({102, QString::fromUtf8("YAĞ FİLTRESİ"), 1.0, 80.25, 0, QVariant()});
        ds.AppendRecord({103, "BUJI", 4.0, 40.0, 1, QDate(2026, 2, 1)});
    }

private slots:
    void typedValuesRoundTrip()
    {
        Dataset ds;
        fillBasket(ds);
        QCOMPARE(ds.RecordCount(), 3);
        ds.SetRecNo(1);
        QCOMPARE(ds.FieldByName("sirano").AsInteger(), 102);  // names are case-insensitive
        QCOMPARE(ds.FieldByName("STOKADI").AsString(), QString::fromUtf8("YAĞ FİLTRESİ"));
        QCOMPARE(ds.FieldByName("TUTAR").AsFloat(), 80.25);
        QVERIFY(ds.FieldByName("TARIH").IsNull());
        ds.First();
        QCOMPARE(ds.FieldByName("TARIH").Value().toDate(), QDate(2026, 1, 5));
        QCOMPARE(ds.FieldByName("TARIH").floatAt(0), dateToDayNumber(QDate(2026, 1, 5)));
        QCOMPARE(dateToDayNumber(QDate(1899, 12, 30)), 0.0);
        QCOMPARE(dayNumberToDateTime(46027.5), QDateTime(QDate(2026, 1, 5), QTime(12, 0)));
    }

    void cursorWalksEveryRowThenEof()
    {
        Dataset ds;
        fillBasket(ds);
        QList<int> seen;
        for (ds.First(); !ds.Eof(); ds.Next())
            seen << ds.FieldByName("SIRANO").AsInteger();
        QCOMPARE(seen, QList<int>({101, 102, 103}));
        // At Eof the last row stays current.
        QCOMPARE(ds.FieldByName("SIRANO").AsInteger(), 103);

        Dataset empty;
        empty.SetFields({{"A", FieldType::Integer}});
        empty.First();
        QVERIFY(empty.Eof());
        QVERIFY(empty.FieldByName("A").IsNull());
    }

    void locateMovesTheCursor()
    {
        Dataset ds;
        fillBasket(ds);
        QVERIFY(ds.Locate("SIRANO", 103));
        QCOMPARE(ds.RecNo(), 2);
        QVERIFY(ds.Locate("STOKADI", "FREN BALATASI"));
        QCOMPARE(ds.RecNo(), 0);
        QVERIFY(ds.Locate("TARIH", QVariant()));
        QCOMPARE(ds.RecNo(), 1);
        QVERIFY(!ds.Locate("SIRANO", 999));
        QCOMPARE(ds.RecNo(), 1);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, ds.Locate("YOK", 1));
    }

    void editPostAndCancel()
    {
        Dataset ds;
        fillBasket(ds);
        ds.SetRecNo(1);
        ds.Edit();
        ds.FieldByName("SEC").SetAsInteger(1);
        QCOMPARE(ds.FieldByName("SEC").AsInteger(), 1);  // the pending value reads back
        QCOMPARE(ds.FieldByName("SEC").intAt(1), 0);     // not stored before Post
        ds.Post();
        QCOMPARE(ds.FieldByName("SEC").intAt(1), 1);

        ds.Edit();
        ds.FieldByName("STOKADI").SetAsString("DEGISTI");
        ds.Cancel();
        QCOMPARE(ds.FieldByName("STOKADI").AsString(), QString::fromUtf8("YAĞ FİLTRESİ"));

        // Writing outside Edit is refused.
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, ds.FieldByName("SEC").SetAsInteger(0));
    }

    void badValueLeavesTheRowUntouched()
    {
        Dataset ds;
        fillBasket(ds);
        ds.First();
        ds.Edit();
        ds.FieldByName("SEC").SetAsInteger(0);
        ds.FieldByName("MIKTAR").SetValue("on iki");
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, ds.Post());
        QCOMPARE(ds.FieldByName("SEC").intAt(0), 1);
        QCOMPARE(ds.FieldByName("MIKTAR").floatAt(0), 2.0);

        ds.Cancel();
        ds.Append();
        ds.FieldByName("MIKTAR").SetValue("x");
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, ds.Post());
        ds.Cancel();
        QCOMPARE(ds.RecordCount(), 3);
    }

    void appendDeleteAndEmpty()
    {
        Dataset ds;
        fillBasket(ds);
        ds.Append();
        ds.FieldByName("SIRANO").SetAsInteger(104);
        ds.Post();
        QCOMPARE(ds.RecordCount(), 4);
        QCOMPARE(ds.RecNo(), 3);
        QVERIFY(ds.FieldByName("STOKADI").IsNull());  // unset fields stay null

        QVERIFY(ds.Locate("SIRANO", 102));
        ds.Delete();
        QCOMPARE(ds.RecordCount(), 3);
        QCOMPARE(ds.FieldByName("SIRANO").AsInteger(), 103);  // the next row becomes current
        QCOMPARE(ds.FieldByName("STOKADI").stringAt(1), QString("BUJI"));

        ds.EmptyDataSet();
        QVERIFY(ds.IsEmpty());
        QVERIFY(ds.Active());
        QCOMPARE(ds.FieldCount(), 6);
    }

    void bulkLoadChecksColumnLengths()
    {
        Dataset ds;
        ds.BeginLoad({{"A", FieldType::Integer}, {"B", FieldType::String}}, 2);
        ds.Fields(0).appendInt(1);
        ds.Fields(0).appendInt(2);
        ds.Fields(1).appendString(u"x");
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, ds.EndLoad());
        QCOMPARE(ds.RecordCount(), 0);

        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                                 ds.BeginLoad({{"A", FieldType::Integer}, {"a", FieldType::Float}}));
    }

    void utf8CellsDecodeIntoTheColumn()
    {
        // ASCII, Turkish letters, a letter outside the BMP, a broken sequence and an empty
        // cell; each cell keeps its own bounds in the shared store.
        const QList<QByteArray> cells = {"FREN BALATASI", "YAĞ FİLTRESİ İŞÇİ",
                                         "A\xF0\x9F\x94\xA7" "B", "OK\xC3", "", "SON"};
        Dataset ds;
        ds.BeginLoad({{"T", FieldType::String}, {"N", FieldType::Integer}}, 2);
        for (const QByteArray &c : cells) {
            ds.Fields(0).appendUtf8(c.constData(), c.size());
            ds.Fields(1).appendInt(0);
        }
        ds.EndLoad();
        for (int r = 0; r < cells.size(); ++r)
            QCOMPARE(ds.Fields(0).stringAt(r), QString::fromUtf8(cells[r]));
    }

    void appendLoadedJoinsPartsOfOneAnswer()
    {
        const QVector<FieldDef> defs = {{"N", FieldType::Integer},
                                        {"T", FieldType::String},
                                        {"M", FieldType::Memo},
                                        {"F", FieldType::Float}};
        const QString big(0x1000000 + 3, u'ğ');  // kept outside the shared text store
        Dataset first, second;
        first.BeginLoad(defs);
        first.Fields(0).appendInt(1);
        first.Fields(1).appendString(u"ÖN");
        first.Fields(2).appendString(big);
        first.Fields(3).appendFloat(1.5);
        first.EndLoad();
        second.BeginLoad(defs);
        for (int r = 0; r < 2; ++r) {
            second.Fields(0).appendInt(2 + r);
            second.Fields(1).appendString(r ? u"ARKA" : u"SAĞ");
            if (r)
                second.Fields(2).appendString(big);
            else
                second.Fields(2).appendNull();
            second.Fields(3).appendFloat(2.5 + r);
        }
        second.EndLoad();
        first.AppendLoaded(second);
        QCOMPARE(first.RecordCount(), 3);
        QCOMPARE(first.RecNo(), 0);
        const QStringList names{QString::fromUtf8("ÖN"), QString::fromUtf8("SAĞ"), "ARKA"};
        for (int r = 0; r < 3; ++r) {
            QCOMPARE(first.Fields(0).intAt(r), r + 1);
            QCOMPARE(first.Fields(1).stringAt(r), names[r]);
            QCOMPARE(first.Fields(3).floatAt(r), 1.5 + r);
        }
        QCOMPARE(first.Fields(2).stringAt(0), big);
        QVERIFY(first.Fields(2).isNullAt(1));
        QCOMPARE(first.Fields(2).stringAt(2), big);

        Dataset other;
        other.SetFields({{"N", FieldType::Integer}});
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, first.AppendLoaded(other));
        QCOMPARE(first.RecordCount(), 3);
    }

    void longTextsAndAssign()
    {
        Dataset ds;
        ds.SetFields({{"M", FieldType::Memo}});
        const QString big(0x1000000 + 5, u'ş');  // longer than a packed span holds
        ds.AppendRecord({big});
        ds.AppendRecord({"kısa"});
        Dataset copy;
        copy.Assign(ds);
        QCOMPARE(copy.FieldByName("M").stringAt(0), big);
        QCOMPARE(copy.FieldByName("M").stringAt(1), QString::fromUtf8("kısa"));
    }

    void displayFormatAppliesToItsField()
    {
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
        Dataset ds;
        fillBasket(ds);
        ds.FieldByName("TUTAR").SetDisplayFormat("#,###,##0.00");
        QCOMPARE(ds.FieldByName("TUTAR").displayTextAt(0), QString("150,50"));
        QCOMPARE(ds.FieldByName("MIKTAR").displayTextAt(0), QString("2"));
        QCOMPARE(ds.FieldByName("TARIH").displayTextAt(2), QString("1.02.2026"));
        QLocale::setDefault(QLocale::c());
    }

    void modelFollowsTheDataset()
    {
        Dataset ds;
        fillBasket(ds);
        DatasetModel model(&ds);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QString("STOKADI"));
        QCOMPARE(model.data(model.index(2, 1)).toString(), QString("BUJI"));

        ds.AppendRecord({104, "X", 1.0, 1.0, 0, QVariant()});
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(model.rowCount(), 4);
        ds.First();
        ds.Edit();
        ds.FieldByName("SEC").SetAsInteger(0);
        ds.Post();
        QCOMPARE(changed.count(), 1);
        ds.Delete();
        QCOMPARE(model.rowCount(), 3);

        // While controls are disabled nothing is reported; enabling reports one reset.
        ds.DisableControls();
        ds.AppendRecord({105, "Y", 1.0, 1.0, 0, QVariant()});
        ds.AppendRecord({106, "Z", 1.0, 1.0, 0, QVariant()});
        QCOMPARE(inserted.count(), 1);
        ds.EnableControls();
        QCOMPARE(reset.count(), 1);
        QCOMPARE(model.rowCount(), 5);

        // Detached, the model shows nothing and hears nothing.
        model.setDataset(nullptr);
        ds.EmptyDataSet();
        QCOMPARE(model.rowCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestDataset)
#include "tst_dataset.moc"
