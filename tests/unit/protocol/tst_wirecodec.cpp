#include "dataset.h"
#include "methodcatalogue.h"
#include "streamcopy.h"
#include "wirecodec.h"
#include "wireerror.h"
#include "wiretable.h"

#include <QBuffer>
#include <QCborArray>
#include <QCborMap>
#include <QCborStreamWriter>
#include <QCborValue>
#include <QtTest>

#include <limits>

Q_DECLARE_METATYPE(WireValue)

namespace {

std::shared_ptr<Dataset> sampleTable(int rows)
{
    auto d = std::make_shared<Dataset>();
    d->BeginLoad({ { QStringLiteral("STOK_STOKNO"), FieldType::Integer },
                     { QStringLiteral("BUYUK"), FieldType::LargeInt },
                     { QStringLiteral("FIYAT"), FieldType::Float },
                     { QStringLiteral("TUTAR"), FieldType::Currency },
                     { QStringLiteral("ADI"), FieldType::String, 60 },
                     { QStringLiteral("NOT"), FieldType::Memo },
                     { QStringLiteral("SEC"), FieldType::Boolean },
                     { QStringLiteral("TARIH"), FieldType::Date },
                     { QStringLiteral("ZAMAN"), FieldType::DateTime },
                     { QStringLiteral("RESIM"), FieldType::Blob } },
        rows);
    for (int r = 0; r < rows; ++r) {
        const bool blank = r % 3 == 2; // every third row is null throughout
        auto put = [&](int c, auto fill) {
            if (blank)
                d->Fields(c).appendNull();
            else
                fill(d->Fields(c));
        };
        put(0, [&](Field &f) { f.appendInt(r); });
        put(1, [&](Field &f) { f.appendInt(qint64(1) << 40 | r); });
        put(2, [&](Field &f) { f.appendFloat(1.0 + r); });
        put(3, [&](Field &f) { f.appendFloat(r * 0.25); });
        put(4, [&](Field &f) { f.appendString(QStringLiteral("Ürün ığüşöç %1").arg(r)); });
        put(5, [&](Field &f) { f.appendString(QStringLiteral("satır1\nsatır2")); });
        put(6, [&](Field &f) { f.appendInt(r % 2); });
        put(7, [&](Field &f) { f.appendFloat(45000 + r); });
        put(8, [&](Field &f) { f.appendFloat(45000.5 + r); });
        put(9, [&](Field &f) { f.appendBytes(QByteArray(r, char(r))); });
    }
    d->EndLoad();
    return d;
}

WireMessage resultWith(const WireValue &v)
{
    WireMessage m;
    m.op = WireMessage::Op::Result;
    m.hasResult = true;
    m.result = v;
    return m;
}

QByteArray cbor(const std::function<void(QCborStreamWriter &)> &write)
{
    QByteArray out;
    QCborStreamWriter w(&out);
    write(w);
    return out;
}

} // namespace

class TestWireCodec : public QObject
{
    Q_OBJECT

private slots:
    void scalarsKeepTheirKinds()
    {
        WireMessage call;
        call.op = WireMessage::Op::Call;
        call.method = QStringLiteral("TServerMethods1.X");
        call.params = { WireValue(1.0), WireValue(qint64(1) << 40), WireValue(-5), WireValue(true),
            WireValue(QStringLiteral("Şifre Değiştirme İsteği")),
            WireValue::bytes(QByteArray("\0\1\2", 3)), WireValue() };
        const WireMessage back = WireCodec::decodeMessage(WireCodec::encodeMessage(call));
        QCOMPARE(back.method, call.method);
        QCOMPARE(back.params.size(), 7);
        QCOMPARE(back.params[0].kind(), WireValue::Kind::Double); // 1.0 stays a double
        QCOMPARE(back.params[1].toInteger(), qint64(1) << 40);
        QCOMPARE(back.params[2].toInteger(), qint64(-5));
        QCOMPARE(back.params[3].toBool(), true);
        QCOMPARE(back.params[4].toString(), call.params[4].toString());
        QCOMPARE(back.params[5].toBytes(), QByteArray("\0\1\2", 3));
        QVERIFY(back.params[6].isNull());
    }

    void encoderOutputIsWhatQtDecodes_data()
    {
        QTest::addColumn<WireValue>("value");
        QTest::addColumn<QCborValue>("expected");
        QTest::addColumn<int>("firstByte"); // -1: not checked
        const qint64 max = std::numeric_limits<qint64>::max();
        const qint64 min = std::numeric_limits<qint64>::min();
        // Every integer head width on both sides of its boundary.
        for (qint64 v : { qint64(0), qint64(23), qint64(24), qint64(255), qint64(256),
                 qint64(65535), qint64(65536), qint64(4294967295), qint64(4294967296), max,
                 qint64(-1), qint64(-24), qint64(-25), qint64(-256), qint64(-257), min })
            QTest::addRow("integer %lld", static_cast<long long>(v))
                << WireValue(v) << QCborValue(v) << -1;
        QTest::newRow("1.0 as an 8-byte float") << WireValue(1.0) << QCborValue(1.0) << 0xfb;
        QTest::newRow("negative zero") << WireValue(-0.0) << QCborValue(-0.0) << 0xfb;
        QTest::newRow("ASCII text")
            << WireValue("FREN") << QCborValue(QStringLiteral("FREN")) << 0x64;
        const QString turkish = QStringLiteral("Ürün ığüşöç İ €");
        QTest::newRow("non-ASCII text") << WireValue(turkish) << QCborValue(turkish) << -1;
        const QString longText(300, QLatin1Char('x'));
        QTest::newRow("text with a 2-byte length")
            << WireValue(longText) << QCborValue(longText) << 0x79;
        QTest::newRow("bytes") << WireValue::bytes(QByteArray("\0\xff", 2))
                               << QCborValue(QByteArray("\0\xff", 2)) << 0x42;
        QTest::newRow("null and booleans")
            << WireValue::array({ WireValue(), WireValue(true), WireValue(false) })
            << QCborValue(QCborArray { QCborValue(nullptr), true, false }) << 0x83;
    }
    void encoderOutputIsWhatQtDecodes()
    {
        QFETCH(WireValue, value);
        QFETCH(QCborValue, expected);
        QFETCH(int, firstByte);
        const QByteArray bytes = WireCodec::encodeValue(value);
        QCborParserError error;
        const QCborValue decoded = QCborValue::fromCbor(bytes, &error);
        QCOMPARE(error.error, QCborError::NoError);
        QCOMPARE(error.offset, bytes.size());
        QCOMPARE(decoded, expected);
        if (firstByte >= 0)
            QCOMPARE(quint8(bytes[0]), quint8(firstByte));
        // And back through our own reader.
        QCOMPARE(WireCodec::encodeValue(WireCodec::decodeValue(bytes)), bytes);
    }

    void readerAcceptsIndefiniteLengthsAndChunks()
    {
        // {_ "op": "result", "params": [_ (_ "ab", "c"), h'01'], "result": 1.5 as a half}
        const QByteArray payload
            = QByteArray::fromHex("bf626f7066726573756c74" // {_ "op": "result",
                                  "66706172616d73" // "params":
                                  "9f7f6261626163ff4101ff" // [_ (_ ...), h'01'],
                                  "66726573756c74f93e00ff"); // "result": 1.5}
        const WireMessage m = WireCodec::decodeMessage(payload);
        QCOMPARE(m.op, WireMessage::Op::Result);
        QCOMPARE(m.params.size(), 2);
        QCOMPARE(m.params[0].toString(), QStringLiteral("abc"));
        QCOMPARE(m.params[1].toBytes(), QByteArray("\x01", 1));
        QCOMPARE(m.result.toDouble(), 1.5);
        // Qt's writer produces indefinite-length maps and arrays.
        const QByteArray fromQt = cbor([](QCborStreamWriter &w) {
            w.startMap();
            w.append(QLatin1String("op"));
            w.append(QLatin1String("call"));
            w.append(QLatin1String("later"));
            w.append(QCborTag(1)); // tagged items are skipped under unknown keys
            w.append(0);
            w.append(QLatin1String("params"));
            w.startArray();
            w.append(float(0.5));
            w.endArray();
            w.endMap();
        });
        const WireMessage call = WireCodec::decodeMessage(fromQt);
        QCOMPARE(call.op, WireMessage::Op::Call);
        QCOMPARE(call.params.value(0).toDouble(), 0.5);
    }

    void tableRoundTripsEveryColumnType()
    {
        auto rows = sampleTable(7);
        for (bool packet : { false, true }) {
            auto t = std::make_shared<WireTable>(rows);
            const WireValue v = packet ? WireValue::packet(t) : WireValue::table(t);
            const WireMessage back
                = WireCodec::decodeMessage(WireCodec::encodeMessage(resultWith(v)));
            QCOMPARE(back.result.kind(), packet ? WireValue::Kind::Packet : WireValue::Kind::Table);
            Dataset loaded;
            back.result.toTable()->loadInto(loaded);
            QCOMPARE(loaded.RecordCount(), 7);
            QCOMPARE(loaded.FieldCount(), rows->FieldCount());
            for (int c = 0; c < rows->FieldCount(); ++c) {
                QCOMPARE(loaded.Fields(c).FieldName(), rows->Fields(c).FieldName());
                QCOMPARE(loaded.Fields(c).DataType(), rows->Fields(c).DataType());
                QCOMPARE(loaded.Fields(c).Size(), rows->Fields(c).Size());
                for (int r = 0; r < 7; ++r) {
                    QCOMPARE(loaded.Fields(c).isNullAt(r), rows->Fields(c).isNullAt(r));
                    QCOMPARE(loaded.Fields(c).valueAt(r), rows->Fields(c).valueAt(r));
                }
            }
        }
    }

    void emptyTableKeepsItsColumns()
    {
        const WireMessage back = WireCodec::decodeMessage(WireCodec::encodeMessage(
            resultWith(WireValue::table(std::make_shared<WireTable>(sampleTable(0))))));
        Dataset loaded;
        back.result.toTable()->loadInto(loaded);
        QCOMPARE(loaded.RecordCount(), 0);
        QCOMPARE(loaded.FieldCount(), 10);
        QVERIFY(loaded.FindField(QStringLiteral("IND1")) == nullptr);
        QVERIFY(loaded.FindField(QStringLiteral("ADI")) != nullptr);
    }

    void malformedPayloadsThrow_data()
    {
        QTest::addColumn<QByteArray>("payload");
        const QByteArray good = WireCodec::encodeMessage(
            resultWith(WireValue::table(std::make_shared<WireTable>(sampleTable(3)))));
        QTest::newRow("garbage") << QByteArray("\xff\xfe\x00garbage", 10);
        QTest::newRow("truncated") << good.left(good.size() - 5);
        QTest::newRow("trailing bytes") << good + QByteArray(1, '\0');
        QTest::newRow("not a map") << cbor([](QCborStreamWriter &w) { w.append(5); });
        QTest::newRow("unknown op") << cbor([](QCborStreamWriter &w) {
            w.startMap(1);
            w.append(QLatin1String("op"));
            w.append(QLatin1String("dance"));
            w.endMap();
        });
        QTest::newRow("text length beyond the payload") << cbor([](QCborStreamWriter &w) {
            w.startMap(1);
            w.append(QLatin1String("op"));
        }) + QByteArray("\x7b\x00\x00\x00\x00\x7f\xff\xff\xff", 9);
        auto result = [](const char *hex) {
            return QByteArray::fromHex("a2626f7066726573756c7466726573756c74") // {"op": "result",
                + QByteArray::fromHex(hex); // "result": <hex>}
        };
        QTest::newRow("reserved additional information") << result("1c");
        QTest::newRow("indefinite-length integer") << result("1f");
        QTest::newRow("break outside a container") << result("ff");
        QTest::newRow("truncated double") << result("fb3ff0");
        QTest::newRow("tag as a value") << result("c100");
        QTest::newRow("undefined") << result("f7");
        QTest::newRow("two-byte simple value below 32") << result("f810");
        QTest::newRow("invalid UTF-8 text") << result("62c328");
        QTest::newRow("UTF-16 surrogate in UTF-8") << result("63eda080");
        QTest::newRow("byte chunk inside a text string") << result("7f4161ff");
        QTest::newRow("unterminated indefinite array") << result("9f01");
        QTest::newRow("array count beyond the payload") << result("9b7fffffffffffffff");
        QTest::newRow("map count beyond the payload") << result("bb7fffffffffffffff");
        QTest::newRow("integer beyond 64 bits") << result("1bffffffffffffffff");
        QTest::newRow("empty payload") << QByteArray();
        QByteArray deep;
        {
            QCborStreamWriter w(&deep);
            w.startMap(2);
            w.append(QLatin1String("op"));
            w.append(QLatin1String("result"));
            w.append(QLatin1String("result"));
            for (int i = 0; i < 100; ++i)
                w.startArray(1);
            w.append(1);
            for (int i = 0; i < 100; ++i)
                w.endArray();
            w.endMap();
        }
        QTest::newRow("nested too deeply") << deep;
        QTest::newRow("object reference") << cbor([](QCborStreamWriter &w) {
            w.startMap(2);
            w.append(QLatin1String("op"));
            w.append(QLatin1String("result"));
            w.append(QLatin1String("result"));
            w.startMap(1);
            w.append(QLatin1String("ref"));
            w.append(1);
            w.endMap();
            w.endMap();
        });
    }
    void malformedPayloadsThrow()
    {
        QFETCH(QByteArray, payload);
        QVERIFY_THROWS_EXCEPTION(ProtocolError, WireCodec::decodeMessage(payload));
    }

    void malformedTablesFailOnLoad_data()
    {
        QTest::addColumn<QByteArray>("body");
        auto table = [](int rows, const std::function<void(QCborStreamWriter &)> &data,
                         const char *type = "Integer") {
            return cbor([&](QCborStreamWriter &w) {
                w.startMap(3);
                w.append(QLatin1String("columns"));
                w.startArray(1);
                w.startMap(2);
                w.append(QLatin1String("name"));
                w.append(QLatin1String("A"));
                w.append(QLatin1String("type"));
                w.append(QLatin1String(type));
                w.endMap();
                w.endArray();
                w.append(QLatin1String("rows"));
                w.append(rows);
                w.append(QLatin1String("data"));
                data(w);
                w.endMap();
            });
        };
        QTest::newRow("row count beyond the bytes") << table(1000000000, [](QCborStreamWriter &w) {
            w.startArray(1);
            w.startArray(0);
            w.endArray();
            w.endArray();
        });
        QTest::newRow("too few cells") << table(3, [](QCborStreamWriter &w) {
            w.startArray(1);
            w.startArray(2);
            w.append(1);
            w.append(2);
            w.endArray();
            w.endArray();
        });
        QTest::newRow("text in an Integer column") << table(1, [](QCborStreamWriter &w) {
            w.startArray(1);
            w.startArray(1);
            w.append(QLatin1String("x"));
            w.endArray();
            w.endArray();
        });
        QTest::newRow("Integer beyond 32 bits") << table(1, [](QCborStreamWriter &w) {
            w.startArray(1);
            w.startArray(1);
            w.append(qint64(1) << 33);
            w.endArray();
            w.endArray();
        });
        QTest::newRow("invalid UTF-8 after an ASCII prefix") << table(
            1,
            [](QCborStreamWriter &w) {
                w.startArray(1);
                w.startArray(1);
                w.appendTextString("ab\xc3\x28", 4);
                w.endArray();
                w.endArray();
            },
            "String");
        QTest::newRow("unknown column type") << table(
            0,
            [](QCborStreamWriter &w) {
                w.startArray(1);
                w.startArray(0);
                w.endArray();
                w.endArray();
            },
            "Decimal");
        QTest::newRow("missing data arrays") << table(0, [](QCborStreamWriter &w) {
            w.startArray(0);
            w.endArray();
        });
    }
    void malformedTablesFailOnLoad()
    {
        QFETCH(QByteArray, body);
        // Wrap the body as a result so the frame decoder sees a well-formed message.
        QByteArray payload = cbor([](QCborStreamWriter &w) {
            w.startMap(2);
            w.append(QLatin1String("op"));
            w.append(QLatin1String("result"));
            w.append(QLatin1String("result"));
            w.startMap(1);
            w.append(QLatin1String("table"));
        });
        payload += body;
        const WireMessage m = WireCodec::decodeMessage(payload);
        Dataset target;
        QVERIFY_THROWS_EXCEPTION(ProtocolError, m.result.toTable()->loadInto(target));
        QVERIFY(!target.Active());
    }

    void catalogueHoldsTheClientMethods()
    {
        const auto &all = MethodCatalogue::methods();
        QCOMPARE(all.size(), 52); // the 50 the client calls and the two echo methods
        const MethodInfo *resim = MethodCatalogue::find(u"TServerMethods1.ResimVer5");
        QVERIFY(resim);
        QCOMPARE(resim->resultPosition(), 2);
        QVERIFY(resim->params[1].out);
        QCOMPARE(resim->params[1].type, WireType::Int64);
        const MethodInfo *rapor = MethodCatalogue::find(u"RaporGetir");
        QCOMPARE(rapor->params[7].name, QStringLiteral("size"));
        QCOMPARE(rapor->resultPosition(), 8);
        QCOMPARE(MethodCatalogue::find(u"SepetSecimGuncelle")->result, WireType::None);
        QCOMPARE(MethodCatalogue::find(u"StokAraGetir")->params[1].objectClass,
            QStringLiteral("baglantiu.TSonucBilgisi"));
        QCOMPARE(MethodCatalogue::find(u"MailGonserCariNormal")->params.size(), 17);
        QCOMPARE(MethodCatalogue::find(u"KampanyaliVer2")->signature(),
            QStringLiteral("KampanyaliVer2(cario: Integer; satici: Integer): OleVariant"));
        QVERIFY(!MethodCatalogue::find(u"Yok"));
        QVERIFY(!MethodCatalogue::find(u"TServerMethods1."));
    }

    void streamCopy_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("announced");
        QTest::addColumn<bool>("used");
        QTest::newRow("size 0 uses nothing, even with bytes")
            << QByteArray(10, 'x') << qint64(0) << false;
        QTest::newRow("shorter than announced") << QByteArray(1500, 'x') << qint64(1600) << false;
        QTest::newRow("longer than announced") << QByteArray(1500, 'x') << qint64(1400) << false;
        QTest::newRow("exactly 1024 x 3") << QByteArray(3072, 'y') << qint64(3072) << true;
        QTest::newRow("one byte") << QByteArray(1, 'z') << qint64(1) << true;
        QTest::newRow("1024 x 2 + 1") << QByteArray(2049, 'q') << qint64(2049) << true;
    }
    void streamCopy()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, announced);
        QFETCH(bool, used);
        QBuffer stream;
        stream.setData(bytes);
        stream.open(QIODevice::ReadOnly);
        stream.seek(bytes.size() / 2); // the copy starts from the beginning regardless
        const auto copy = copyStreamResult(&stream, announced);
        QCOMPARE(copy.has_value(), used);
        if (used)
            QCOMPARE(*copy, bytes);
        QVERIFY(!copyStreamResult(nullptr, 5).has_value());
    }
};

QTEST_GUILESS_MAIN(TestWireCodec)
#include "tst_wirecodec.moc"
