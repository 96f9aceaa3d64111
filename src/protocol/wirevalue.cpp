#include "wirevalue.h"

#include "wireerror.h"

WireValue WireValue::bytes(const QByteArray &v)
{
    return WireValue(Kind::Bytes, v);
}

WireValue WireValue::object(WireObject v)
{
    return WireValue(Kind::Object, std::make_shared<const WireObject>(std::move(v)));
}

WireValue WireValue::array(QVector<WireValue> items)
{
    return WireValue(Kind::Array, std::make_shared<const QVector<WireValue>>(std::move(items)));
}

WireValue WireValue::table(std::shared_ptr<const WireTable> t)
{
    if (!t)
        return {};
    return WireValue(Kind::Table, std::move(t));
}

WireValue WireValue::packet(std::shared_ptr<const WireTable> t)
{
    if (!t)
        return {};
    return WireValue(Kind::Packet, std::move(t));
}

qint64 WireValue::toInteger() const
{
    if (m_kind != Kind::Integer)
        wrongKind(Kind::Integer);
    return std::get<qint64>(m_data);
}

double WireValue::toDouble() const
{
    if (m_kind == Kind::Integer)
        return double(std::get<qint64>(m_data));
    if (m_kind != Kind::Double)
        wrongKind(Kind::Double);
    return std::get<double>(m_data);
}

bool WireValue::toBool() const
{
    if (m_kind != Kind::Boolean)
        wrongKind(Kind::Boolean);
    return std::get<bool>(m_data);
}

QString WireValue::toString() const
{
    if (m_kind != Kind::String)
        wrongKind(Kind::String);
    return std::get<QString>(m_data);
}

QByteArray WireValue::toBytes() const
{
    if (m_kind != Kind::Bytes)
        wrongKind(Kind::Bytes);
    return std::get<QByteArray>(m_data);
}

const WireObject &WireValue::toObject() const
{
    if (m_kind != Kind::Object)
        wrongKind(Kind::Object);
    return *std::get<std::shared_ptr<const WireObject>>(m_data);
}

const QVector<WireValue> &WireValue::toArray() const
{
    if (m_kind != Kind::Array)
        wrongKind(Kind::Array);
    return *std::get<std::shared_ptr<const QVector<WireValue>>>(m_data);
}

std::shared_ptr<const WireTable> WireValue::toTable() const
{
    if (m_kind != Kind::Table && m_kind != Kind::Packet)
        wrongKind(Kind::Table);
    return std::get<std::shared_ptr<const WireTable>>(m_data);
}

QString WireValue::kindName(Kind kind)
{
    switch (kind) {
    case Kind::Null:
        return QStringLiteral("null");
    case Kind::Integer:
        return QStringLiteral("integer");
    case Kind::Double:
        return QStringLiteral("double");
    case Kind::Boolean:
        return QStringLiteral("boolean");
    case Kind::String:
        return QStringLiteral("string");
    case Kind::Bytes:
        return QStringLiteral("stream");
    case Kind::Object:
        return QStringLiteral("object");
    case Kind::Array:
        return QStringLiteral("array");
    case Kind::Table:
        return QStringLiteral("table");
    case Kind::Packet:
        return QStringLiteral("data packet");
    }
    return {};
}

void WireValue::wrongKind(Kind wanted) const
{
    throw ProtocolError(
        QStringLiteral("Expected %1 value, got %2").arg(kindName(wanted), kindName(m_kind)));
}

const WireValue *WireObject::field(QAnyStringView name) const
{
    for (const auto &f : fields) {
        if (QAnyStringView::compare(f.first, name) == 0)
            return &f.second;
    }
    return nullptr;
}
