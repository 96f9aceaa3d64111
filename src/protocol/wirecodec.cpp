#include "wirecodec.h"

#include "cborreader.h"
#include "cborwriter.h"
#include "dataset.h"
#include "wireerror.h"
#include "wiretable.h"

#include <QJsonArray>
#include <QJsonObject>

#include <cmath>

namespace {

const char *opName(WireMessage::Op op)
{
    switch (op) {
    case WireMessage::Op::Open:
        return "open";
    case WireMessage::Op::Opened:
        return "opened";
    case WireMessage::Op::Call:
        return "call";
    case WireMessage::Op::Result:
        return "result";
    case WireMessage::Op::Error:
        return "error";
    }
    return "";
}

WireMessage::Op parseOp(const QString &name)
{
    for (auto op : { WireMessage::Op::Open, WireMessage::Op::Opened, WireMessage::Op::Call,
             WireMessage::Op::Result, WireMessage::Op::Error }) {
        if (name == QLatin1String(opName(op)))
            return op;
    }
    throw ProtocolError(QStringLiteral("Unknown message op \"%1\"").arg(name));
}

void writeObject(CborWriter &w, const WireObject &o)
{
    w.startMap(3);
    w.append(QLatin1String("type"));
    w.append(o.type);
    w.append(QLatin1String("id"));
    w.append(o.id);
    w.append(QLatin1String("fields"));
    w.startMap(quint64(o.fields.size()));
    for (const auto &f : o.fields) {
        w.append(f.first);
        WireCodec::writeValue(w, f.second);
    }
}

// Reads the rest of an object map whose first key has been read.
WireObject readObjectRest(
    CborReader &r, CborReader::Container &map, QString key, const QByteArray &payload, int depth)
{
    WireObject o;
    bool haveType = false;
    bool haveFields = false;
    for (;;) {
        if (key == QLatin1String("type")) {
            o.type = WireCodec::readText(r);
            haveType = true;
        } else if (key == QLatin1String("id")) {
            o.id = WireCodec::readInteger(r);
        } else if (key == QLatin1String("fields")) {
            if (r.type() != CborReader::Type::Map)
                throw ProtocolError(QStringLiteral("Object: \"fields\" must be a map"));
            auto fields = r.enterMap();
            while (r.hasNext(fields)) {
                QString name = WireCodec::readText(r);
                WireValue value = WireCodec::readValue(r, payload, depth + 1);
                o.fields.append({ std::move(name), std::move(value) });
            }
            haveFields = true;
        } else if (key == QLatin1String("ref")) {
            throw ProtocolError(QStringLiteral("Object references are not supported"));
        } else {
            throw ProtocolError(QStringLiteral("Object: unknown key \"%1\"").arg(key));
        }
        if (!r.hasNext(map))
            break;
        key = WireCodec::readText(r);
    }
    if (!haveType || !haveFields)
        throw ProtocolError(QStringLiteral("Object: \"type\" and \"fields\" are required"));
    return o;
}

QJsonValue cellJson(const Field &f, int row)
{
    if (f.isNullAt(row))
        return QJsonValue::Null;
    switch (f.DataType()) {
    case FieldType::Integer:
    case FieldType::LargeInt:
        return double(f.intAt(row));
    case FieldType::Boolean:
        return f.intAt(row) != 0;
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::Date:
    case FieldType::DateTime:
        return f.floatAt(row);
    case FieldType::String:
    case FieldType::Memo:
        return f.stringAt(row);
    case FieldType::Blob:
        return QJsonObject { { QStringLiteral("stream"),
            QString::fromLatin1(f.valueAt(row).toByteArray().toBase64()) } };
    }
    return QJsonValue::Null;
}

QJsonObject tableJson(const WireTable &t)
{
    Dataset rows;
    t.loadInto(rows);
    QJsonArray columns;
    QJsonArray data;
    for (int c = 0; c < rows.FieldCount(); ++c) {
        const Field &f = rows.Fields(c);
        columns.append(QJsonObject { { QStringLiteral("name"), f.FieldName() },
            { QStringLiteral("type"), fieldTypeName(f.DataType()) },
            { QStringLiteral("size"), f.Size() } });
        QJsonArray cells;
        for (int r = 0; r < rows.RecordCount(); ++r)
            cells.append(cellJson(f, r));
        data.append(cells);
    }
    return QJsonObject { { QStringLiteral("columns"), columns },
        { QStringLiteral("rows"), rows.RecordCount() }, { QStringLiteral("data"), data } };
}

} // namespace

namespace WireCodec {

QString readText(CborReader &r)
{
    if (!r.isText())
        throw ProtocolError(QStringLiteral("Expected a text string"));
    return r.readText();
}

qint64 readInteger(CborReader &r)
{
    if (!r.isInteger())
        throw ProtocolError(QStringLiteral("Expected an integer"));
    return r.readInteger();
}

void writeValue(CborWriter &w, const WireValue &v)
{
    switch (v.kind()) {
    case WireValue::Kind::Null:
        w.appendNull();
        return;
    case WireValue::Kind::Integer:
        w.append(v.toInteger());
        return;
    case WireValue::Kind::Double:
        w.append(v.toDouble());
        return;
    case WireValue::Kind::Boolean:
        w.append(v.toBool());
        return;
    case WireValue::Kind::String:
        w.append(v.toString());
        return;
    case WireValue::Kind::Bytes:
        w.appendBytes(v.toBytes());
        return;
    case WireValue::Kind::Object:
        writeObject(w, v.toObject());
        return;
    case WireValue::Kind::Array: {
        const auto &items = v.toArray();
        w.startArray(quint64(items.size()));
        for (const WireValue &item : items)
            writeValue(w, item);
        return;
    }
    case WireValue::Kind::Table:
    case WireValue::Kind::Packet:
        w.startMap(1);
        w.append(QLatin1String(v.kind() == WireValue::Kind::Table ? "table" : "packet"));
        v.toTable()->writeBody(w);
        return;
    }
}

WireValue readValue(CborReader &r, const QByteArray &payload, int depth)
{
    if (depth > kMaxDepth)
        throw ProtocolError(QStringLiteral("Values nested too deeply"));
    switch (r.type()) {
    case CborReader::Type::UnsignedInteger:
    case CborReader::Type::NegativeInteger:
        return WireValue(r.readInteger());
    case CborReader::Type::Float:
        return WireValue(r.readFloat());
    case CborReader::Type::Boolean:
        return WireValue(r.readBool());
    case CborReader::Type::Null:
        r.readNull();
        return {};
    case CborReader::Type::TextString:
        return WireValue(r.readText());
    case CborReader::Type::ByteString:
        return WireValue::bytes(r.readBytes());
    case CborReader::Type::Array: {
        QVector<WireValue> items;
        auto array = r.enterArray();
        while (r.hasNext(array))
            items.append(readValue(r, payload, depth + 1));
        return WireValue::array(std::move(items));
    }
    case CborReader::Type::Map: {
        auto map = r.enterMap();
        if (!r.hasNext(map))
            throw ProtocolError(QStringLiteral("Empty map is not a value"));
        const QString key = readText(r);
        if (key == QLatin1String("table") || key == QLatin1String("packet")) {
            const qsizetype start = r.offset();
            if (r.type() != CborReader::Type::Map)
                throw ProtocolError(QStringLiteral("Table: the body must be a map"));
            // Only the extent is checked here; the cells are decoded once, into the target.
            r.skip(kMaxDepth);
            const qsizetype end = r.offset();
            r.leave(map);
            auto table = std::make_shared<WireTable>(payload, start, end - start);
            return key == QLatin1String("table") ? WireValue::table(std::move(table))
                                                 : WireValue::packet(std::move(table));
        }
        return WireValue::object(readObjectRest(r, map, key, payload, depth));
    }
    default:
        break;
    }
    throw ProtocolError(QStringLiteral("Unsupported CBOR item"));
}

QByteArray encodeValue(const WireValue &value)
{
    QByteArray out;
    CborWriter w(out);
    writeValue(w, value);
    return out;
}

WireValue decodeValue(const QByteArray &bytes)
{
    CborReader r(bytes);
    WireValue value = readValue(r, bytes);
    if (!r.atEnd())
        throw ProtocolError(QStringLiteral("Trailing bytes after the value"));
    return value;
}

QByteArray encodeMessage(const WireMessage &m)
{
    QByteArray out;
    CborWriter w(out);
    switch (m.op) {
    case WireMessage::Op::Open:
    case WireMessage::Op::Opened:
        w.startMap(4);
        break;
    case WireMessage::Op::Call:
        w.startMap(3);
        break;
    case WireMessage::Op::Result:
        w.startMap(m.hasResult ? 3 : 2);
        break;
    case WireMessage::Op::Error:
        w.startMap(2);
        break;
    }
    w.append(QLatin1String("op"));
    w.append(QLatin1String(opName(m.op)));
    switch (m.op) {
    case WireMessage::Op::Open:
    case WireMessage::Op::Opened:
        w.append(QLatin1String("context"));
        w.append(m.context);
        w.append(QLatin1String("class"));
        w.append(m.serverClass);
        w.append(QLatin1String("protocol"));
        w.append(m.protocol);
        break;
    case WireMessage::Op::Call:
    case WireMessage::Op::Result:
        if (m.op == WireMessage::Op::Call) {
            w.append(QLatin1String("method"));
            w.append(m.method);
        }
        w.append(QLatin1String("params"));
        w.startArray(quint64(m.params.size()));
        for (const WireValue &p : m.params)
            writeValue(w, p);
        if (m.op == WireMessage::Op::Result && m.hasResult) {
            w.append(QLatin1String("result"));
            writeValue(w, m.result);
        }
        break;
    case WireMessage::Op::Error:
        w.append(QLatin1String("message"));
        w.append(m.message);
        break;
    }
    return out;
}

WireMessage decodeMessage(const QByteArray &payload)
{
    CborReader r(payload);
    if (r.type() != CborReader::Type::Map)
        throw ProtocolError(QStringLiteral("A message must be a CBOR map"));
    WireMessage m;
    bool haveOp = false;
    auto map = r.enterMap();
    while (r.hasNext(map)) {
        const QString key = readText(r);
        if (key == QLatin1String("op")) {
            m.op = parseOp(readText(r));
            haveOp = true;
        } else if (key == QLatin1String("context")) {
            m.context = readText(r);
        } else if (key == QLatin1String("class")) {
            m.serverClass = readText(r);
        } else if (key == QLatin1String("protocol")) {
            m.protocol = readInteger(r);
        } else if (key == QLatin1String("method")) {
            m.method = readText(r);
        } else if (key == QLatin1String("message")) {
            m.message = readText(r);
        } else if (key == QLatin1String("params")) {
            if (r.type() != CborReader::Type::Array)
                throw ProtocolError(QStringLiteral("\"params\" must be an array"));
            auto params = r.enterArray();
            while (r.hasNext(params))
                m.params.append(readValue(r, payload, 1));
        } else if (key == QLatin1String("result")) {
            m.result = readValue(r, payload, 1);
            m.hasResult = true;
        } else {
            r.skip(kMaxDepth); // room for later additions
        }
    }
    if (!r.atEnd())
        throw ProtocolError(QStringLiteral("Trailing bytes after the message"));
    if (!haveOp)
        throw ProtocolError(QStringLiteral("Message without \"op\""));
    return m;
}

QJsonValue toJson(const WireValue &v)
{
    switch (v.kind()) {
    case WireValue::Kind::Null:
        return QJsonValue::Null;
    case WireValue::Kind::Integer:
        return double(v.toInteger());
    case WireValue::Kind::Double:
        return v.toDouble();
    case WireValue::Kind::Boolean:
        return v.toBool();
    case WireValue::Kind::String:
        return v.toString();
    case WireValue::Kind::Bytes:
        return QJsonObject { { QStringLiteral("stream"),
            QString::fromLatin1(v.toBytes().toBase64()) } };
    case WireValue::Kind::Object: {
        const WireObject &o = v.toObject();
        QJsonObject fields;
        for (const auto &f : o.fields)
            fields.insert(f.first, toJson(f.second));
        return QJsonObject { { QStringLiteral("type"), o.type },
            { QStringLiteral("id"), double(o.id) }, { QStringLiteral("fields"), fields } };
    }
    case WireValue::Kind::Array: {
        QJsonArray items;
        for (const WireValue &item : v.toArray())
            items.append(toJson(item));
        return items;
    }
    case WireValue::Kind::Table:
    case WireValue::Kind::Packet:
        return QJsonObject { { QLatin1String(
                                   v.kind() == WireValue::Kind::Table ? "table" : "packet"),
            tableJson(*v.toTable()) } };
    }
    return QJsonValue::Null;
}

WireValue fromJson(const QJsonValue &json)
{
    switch (json.type()) {
    case QJsonValue::Null:
    case QJsonValue::Undefined:
        return {};
    case QJsonValue::Bool:
        return WireValue(json.toBool());
    case QJsonValue::Double: {
        const double d = json.toDouble();
        if (std::floor(d) == d && std::fabs(d) < 9.0e15)
            return WireValue(qint64(d));
        return WireValue(d);
    }
    case QJsonValue::String:
        return WireValue(json.toString());
    case QJsonValue::Array: {
        QVector<WireValue> items;
        for (const QJsonValue &item : json.toArray())
            items.append(fromJson(item));
        return WireValue::array(std::move(items));
    }
    case QJsonValue::Object: {
        const QJsonObject obj = json.toObject();
        if (!obj.contains(QStringLiteral("type"))
            || !obj.value(QStringLiteral("fields")).isObject())
            throw ConversionError(QStringLiteral("An object needs \"type\" and \"fields\""));
        WireObject o;
        o.type = obj.value(QStringLiteral("type")).toString();
        o.id = obj.value(QStringLiteral("id")).toInteger(1);
        // QJsonObject sorts its keys; the receiver matches fields by name.
        const QJsonObject fields = obj.value(QStringLiteral("fields")).toObject();
        for (auto it = fields.begin(); it != fields.end(); ++it)
            o.fields.append({ it.key(), fromJson(it.value()) });
        return WireValue::object(std::move(o));
    }
    }
    return {};
}

} // namespace WireCodec
