#pragma once

#include <QAnyStringView>
#include <QByteArray>
#include <QString>
#include <QVector>

#include <memory>
#include <utility>
#include <variant>

class WireTable;
struct WireObject;

// One value as it travels in a call or an answer. Integers keep 64 bits, doubles stay
// doubles, objects keep the marshalled {type, id, fields} form, tables and data packets
// stay encoded until the receiver loads them into a Dataset.
class WireValue
{
public:
    enum class Kind { Null, Integer, Double, Boolean, String, Bytes, Object, Array, Table, Packet };

    WireValue() = default; // null
    WireValue(int v)
        : m_kind(Kind::Integer)
        , m_data(qint64(v))
    {
    }
    WireValue(qint64 v)
        : m_kind(Kind::Integer)
        , m_data(v)
    {
    }
    WireValue(double v)
        : m_kind(Kind::Double)
        , m_data(v)
    {
    }
    WireValue(bool v)
        : m_kind(Kind::Boolean)
        , m_data(v)
    {
    }
    WireValue(const QString &v)
        : m_kind(Kind::String)
        , m_data(v)
    {
    }
    WireValue(const char *v)
        : WireValue(QString::fromUtf8(v))
    {
    }

    static WireValue bytes(const QByteArray &v);
    static WireValue object(WireObject v);
    static WireValue array(QVector<WireValue> items);
    static WireValue table(std::shared_ptr<const WireTable> t);
    static WireValue packet(std::shared_ptr<const WireTable> t);

    Kind kind() const { return m_kind; }
    bool isNull() const { return m_kind == Kind::Null; }

    // Accessors throw ProtocolError when the value is of another kind.
    qint64 toInteger() const;
    double toDouble() const; // integers are accepted and converted
    bool toBool() const;
    QString toString() const;
    QByteArray toBytes() const;
    const WireObject &toObject() const;
    const QVector<WireValue> &toArray() const;
    std::shared_ptr<const WireTable> toTable() const; // Table or Packet

    static QString kindName(Kind kind);

private:
    using Data = std::variant<std::monostate, qint64, double, bool, QString, QByteArray,
        std::shared_ptr<const WireObject>, std::shared_ptr<const QVector<WireValue>>,
        std::shared_ptr<const WireTable>>;
    WireValue(Kind kind, Data data)
        : m_kind(kind)
        , m_data(std::move(data))
    {
    }
    [[noreturn]] void wrongKind(Kind wanted) const;

    Kind m_kind = Kind::Null;
    Data m_data;
};

// The marshalled form of a transfer object: unit-qualified class name, an id unique
// within one message, and the fields in declaration order.
struct WireObject
{
    QString type;
    qint64 id = 1;
    QVector<std::pair<QString, WireValue>> fields;

    const WireValue *field(QAnyStringView name) const;
};
