#include "wirecodec.h"

#include "dataset.h"
#include "wireerror.h"
#include "wiretable.h"

#include <QCborStreamReader>
#include <QCborStreamWriter>
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

void check(QCborStreamReader &r)
{
    if (r.lastError() != QCborError::NoError)
        throw ProtocolError(QStringLiteral("Invalid CBOR: %1").arg(r.lastError().toString()));
}

void writeObject(QCborStreamWriter &w, const WireObject &o)
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
    w.endMap();
    w.endMap();
}

// Reads the rest of an object map whose first key has been read.
WireObject readObjectRest(QCborStreamReader &r, QString key, const QByteArray &payload, int depth)
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
            if (!r.isMap())
                throw ProtocolError(QStringLiteral("Object: \"fields\" must be a map"));
            r.enterContainer();
            while (r.hasNext()) {
                QString name = WireCodec::readText(r);
                WireValue value = WireCodec::readValue(r, payload, depth + 1);
                o.fields.append({ std::move(name), std::move(value) });
            }
            WireCodec::leave(r);
            haveFields = true;
        } else if (key == QLatin1String("ref")) {
            throw ProtocolError(QStringLiteral("Object references are not supported"));
        } else {
            throw ProtocolError(QStringLiteral("Object: unknown key \"%1\"").arg(key));
        }
        if (!r.hasNext())
            break;
        key = WireCodec::readText(r);
    }
    WireCodec::leave(r);
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

QString readText(QCborStreamReader &r)
{
    if (!r.isString()) {
        check(r);
        throw ProtocolError(QStringLiteral("Expected a text string"));
    }
    QString text;
    auto chunk = r.readString();
    while (chunk.status == QCborStreamReader::Ok) {
        text += chunk.data;
        chunk = r.readString();
    }
    if (chunk.status == QCborStreamReader::Error)
        check(r);
    return text;
}

QByteArray readBytes(QCborStreamReader &r)
{
    if (!r.isByteArray()) {
        check(r);
        throw ProtocolError(QStringLiteral("Expected a byte string"));
    }
    QByteArray bytes;
    auto chunk = r.readByteArray();
    while (chunk.status == QCborStreamReader::Ok) {
        bytes += chunk.data;
        chunk = r.readByteArray();
    }
    if (chunk.status == QCborStreamReader::Error)
        check(r);
    return bytes;
}

qint64 readInteger(QCborStreamReader &r)
{
    if (!r.isInteger()) {
        check(r);
        throw ProtocolError(QStringLiteral("Expected an integer"));
    }
    // Integers beyond the signed 64-bit range do not occur on this wire.
    qint64 v;
    if (r.type() == QCborStreamReader::UnsignedInteger) {
        const quint64 raw = r.toUnsignedInteger();
        if (raw > quint64(INT64_MAX))
            throw ProtocolError(QStringLiteral("Integer out of the 64-bit range"));
        v = qint64(raw);
    } else {
        // Holds the magnitude: 1 stands for -1; 0 stands for -2^64.
        const quint64 magnitude = quint64(r.toNegativeInteger());
        if (magnitude == 0 || magnitude > quint64(INT64_MAX) + 1)
            throw ProtocolError(QStringLiteral("Integer out of the 64-bit range"));
        v = magnitude == quint64(INT64_MAX) + 1 ? INT64_MIN : -qint64(magnitude);
    }
    r.next();
    check(r);
    return v;
}

void skip(QCborStreamReader &r)
{
    if (!r.next(kMaxDepth))
        check(r);
    check(r);
}

void leave(QCborStreamReader &r)
{
    check(r);
    if (r.hasNext())
        throw ProtocolError(QStringLiteral("Unexpected item in container"));
    if (!r.leaveContainer())
        check(r);
    check(r);
}

void writeValue(QCborStreamWriter &w, const WireValue &v)
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
        w.append(v.toBytes());
        return;
    case WireValue::Kind::Object:
        writeObject(w, v.toObject());
        return;
    case WireValue::Kind::Array: {
        const auto &items = v.toArray();
        w.startArray(quint64(items.size()));
        for (const WireValue &item : items)
            writeValue(w, item);
        w.endArray();
        return;
    }
    case WireValue::Kind::Table:
    case WireValue::Kind::Packet:
        w.startMap(1);
        w.append(QLatin1String(v.kind() == WireValue::Kind::Table ? "table" : "packet"));
        v.toTable()->writeBody(w);
        w.endMap();
        return;
    }
}

WireValue readValue(QCborStreamReader &r, const QByteArray &payload, int depth)
{
    if (depth > kMaxDepth)
        throw ProtocolError(QStringLiteral("Values nested too deeply"));
    check(r);
    switch (r.type()) {
    case QCborStreamReader::UnsignedInteger:
    case QCborStreamReader::NegativeInteger:
        return WireValue(readInteger(r));
    case QCborStreamReader::Float16:
    case QCborStreamReader::Float:
    case QCborStreamReader::Double: {
        double d = r.isDouble() ? r.toDouble()
            : r.isFloat()       ? double(r.toFloat())
                                : double(r.toFloat16());
        r.next();
        check(r);
        return WireValue(d);
    }
    case QCborStreamReader::SimpleType:
        if (r.isBool()) {
            const bool b = r.toBool();
            r.next();
            check(r);
            return WireValue(b);
        }
        if (r.isNull()) {
            r.next();
            check(r);
            return {};
        }
        break;
    case QCborStreamReader::String:
        return WireValue(readText(r));
    case QCborStreamReader::ByteArray:
        return WireValue::bytes(readBytes(r));
    case QCborStreamReader::Array: {
        QVector<WireValue> items;
        r.enterContainer();
        while (r.hasNext())
            items.append(readValue(r, payload, depth + 1));
        leave(r);
        return WireValue::array(std::move(items));
    }
    case QCborStreamReader::Map: {
        r.enterContainer();
        if (!r.hasNext())
            throw ProtocolError(QStringLiteral("Empty map is not a value"));
        const QString key = readText(r);
        if (key == QLatin1String("table") || key == QLatin1String("packet")) {
            const qsizetype start = r.currentOffset();
            if (!r.isMap())
                throw ProtocolError(QStringLiteral("Table: the body must be a map"));
            skip(r);
            const qsizetype end = r.currentOffset();
            leave(r);
            auto table = std::make_shared<WireTable>(payload, start, end - start);
            return key == QLatin1String("table") ? WireValue::table(std::move(table))
                                                 : WireValue::packet(std::move(table));
        }
        return WireValue::object(readObjectRest(r, key, payload, depth));
    }
    default:
        break;
    }
    throw ProtocolError(QStringLiteral("Unsupported CBOR item"));
}

QByteArray encodeMessage(const WireMessage &m)
{
    QByteArray out;
    QCborStreamWriter w(&out);
    w.startMap();
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
        w.endArray();
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
    w.endMap();
    return out;
}

WireMessage decodeMessage(const QByteArray &payload)
{
    QCborStreamReader r(payload);
    check(r);
    if (!r.isMap())
        throw ProtocolError(QStringLiteral("A message must be a CBOR map"));
    WireMessage m;
    bool haveOp = false;
    r.enterContainer();
    while (r.hasNext()) {
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
            if (!r.isArray())
                throw ProtocolError(QStringLiteral("\"params\" must be an array"));
            r.enterContainer();
            while (r.hasNext())
                m.params.append(readValue(r, payload, 1));
            leave(r);
        } else if (key == QLatin1String("result")) {
            m.result = readValue(r, payload, 1);
            m.hasResult = true;
        } else {
            skip(r); // room for later additions
        }
    }
    leave(r);
    if (r.currentOffset() != payload.size())
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
