#include "methodregistry.h"

#include "dataset.h"
#include "wireerror.h"
#include "wiretable.h"

#include <limits>
#include <stdexcept>

CallContext::CallContext(const MethodInfo &method, QVector<WireValue> args)
    : m_method(method)
    , m_args(std::move(args))
    , m_objects(size_t(m_args.size()))
    , m_outs(m_args.size())
    , m_outSet(m_args.size(), false)
{
    for (int i = 0; i < m_args.size() && i < method.params.size(); ++i) {
        const MethodParam &p = method.params[i];
        if (!p.out && p.type == WireType::Object && !m_args[i].isNull())
            m_objects[size_t(i)] = TransferObject::fromWire(m_args[i].toObject());
    }
}

CallContext::~CallContext() = default;

const MethodParam &CallContext::param(int position, bool wantOut) const
{
    if (position < 0 || position >= m_method.params.size())
        throw std::out_of_range("parameter position out of range");
    const MethodParam &p = m_method.params[position];
    if (p.out != wantOut)
        throw std::logic_error(
            QStringLiteral("parameter %1 of %2 is %3")
                .arg(p.name, m_method.name, p.out ? QStringLiteral("out") : QStringLiteral("in"))
                .toStdString());
    return p;
}

bool CallContext::isNull(int position) const
{
    param(position, false);
    return m_args[position].isNull();
}

int CallContext::argInt(int position) const
{
    param(position, false);
    return int(m_args[position].toInteger());
}

qint64 CallContext::argInt64(int position) const
{
    param(position, false);
    return m_args[position].toInteger();
}

double CallContext::argDouble(int position) const
{
    param(position, false);
    return m_args[position].toDouble();
}

bool CallContext::argBool(int position) const
{
    param(position, false);
    return m_args[position].toBool();
}

QString CallContext::argString(int position) const
{
    param(position, false);
    return m_args[position].toString();
}

const TransferObject *CallContext::argObjectBase(int position) const
{
    param(position, false);
    return m_objects[size_t(position)].get();
}

void CallContext::setOut(int position, qint64 value)
{
    const MethodParam &p = param(position, true);
    const WireValue v(value);
    const QString problem = checkWireValue(v, p.type, p.objectClass);
    if (!problem.isEmpty())
        throw std::logic_error(problem.toStdString());
    m_outs[position] = v;
    m_outSet[position] = true;
}

void CallContext::setOut(int position, double value)
{
    const MethodParam &p = param(position, true);
    if (p.type != WireType::Double)
        throw std::logic_error("out parameter is not a Double");
    m_outs[position] = WireValue(value);
    m_outSet[position] = true;
}

void CallContext::setOut(int position, bool value)
{
    const MethodParam &p = param(position, true);
    if (p.type != WireType::Boolean)
        throw std::logic_error("out parameter is not a Boolean");
    m_outs[position] = WireValue(value);
    m_outSet[position] = true;
}

void CallContext::setOut(int position, const QString &value)
{
    const MethodParam &p = param(position, true);
    if (p.type != WireType::String)
        throw std::logic_error("out parameter is not a string");
    m_outs[position] = WireValue(value);
    m_outSet[position] = true;
}

void CallContext::storeResult(WireType kind, WireValue value)
{
    if (m_method.result == WireType::None)
        throw std::logic_error(QStringLiteral("%1 has no result").arg(m_method.name).toStdString());
    // Integers may stand for Int64 and Double results; everything else must match.
    const bool widen = kind == WireType::Integer
        && (m_method.result == WireType::Int64 || m_method.result == WireType::Double);
    if (kind != m_method.result && !widen && !(value.isNull()))
        throw std::logic_error(
            QStringLiteral("%1 returns %2, not %3")
                .arg(m_method.name, wireTypeName(m_method.result), wireTypeName(kind))
                .toStdString());
    if (m_method.result == WireType::Double && value.kind() == WireValue::Kind::Integer)
        value = WireValue(value.toDouble());
    const QString problem = checkWireValue(value, m_method.result, m_method.resultClass);
    if (!problem.isEmpty())
        throw std::logic_error(
            QStringLiteral("%1 result: %2").arg(m_method.name, problem).toStdString());
    m_result = std::move(value);
    m_hasResult = true;
}

void CallContext::setResult(qint64 value)
{
    storeResult(WireType::Integer, WireValue(value));
}

void CallContext::setResult(double value)
{
    storeResult(WireType::Double, WireValue(value));
}

void CallContext::setResult(bool value)
{
    storeResult(WireType::Boolean, WireValue(value));
}

void CallContext::setResult(const QString &value)
{
    storeResult(WireType::String, WireValue(value));
}

void CallContext::setResultObject(std::unique_ptr<TransferObject> object)
{
    storeResult(WireType::Object, object ? object->toWire() : WireValue());
}

void CallContext::setResultTable(std::shared_ptr<const Dataset> rows)
{
    storeResult(WireType::Table,
        rows ? WireValue::table(std::make_shared<WireTable>(std::move(rows))) : WireValue());
}

void CallContext::setResultPacket(std::shared_ptr<const Dataset> rows)
{
    storeResult(WireType::Packet,
        rows ? WireValue::packet(std::make_shared<WireTable>(std::move(rows))) : WireValue());
}

void CallContext::setResultStream(const QByteArray &bytes)
{
    storeResult(WireType::Stream, WireValue::bytes(bytes));
    for (int i = 0; i < m_method.params.size(); ++i) {
        const MethodParam &p = m_method.params[i];
        if (p.out && p.type == WireType::Int64 && !m_outSet[i])
            m_outs[i] = WireValue(qint64(bytes.size()));
    }
}

void CallContext::setResultNull()
{
    storeResult(m_method.result, WireValue());
}

QVector<WireValue> CallContext::outValues() const
{
    QVector<WireValue> values(m_method.params.size());
    for (int i = 0; i < m_method.params.size(); ++i) {
        const MethodParam &p = m_method.params[i];
        if (!p.out)
            continue;
        // An unset out Int64 reads as 0 rather than failing the call.
        values[i]
            = m_outs[i].isNull() && p.type == WireType::Int64 ? WireValue(qint64(0)) : m_outs[i];
    }
    return values;
}

void CallContext::checkComplete() const
{
    switch (m_method.result) {
    case WireType::Integer:
    case WireType::Int64:
    case WireType::Double:
    case WireType::Boolean:
    case WireType::String:
        if (!m_hasResult)
            throw std::logic_error(
                QStringLiteral("%1 set no result").arg(m_method.name).toStdString());
        break;
    default:
        break;
    }
}

void MethodRegistry::add(const QString &name, MethodHandler handler)
{
    const MethodInfo *info = MethodCatalogue::find(name);
    if (!info || info->name != name)
        throw std::invalid_argument("not a catalogue method: " + name.toStdString());
    if (m_handlers.contains(name))
        throw std::invalid_argument("method registered twice: " + name.toStdString());
    m_handlers.insert(name, std::move(handler));
}

const MethodHandler *MethodRegistry::find(const QString &name) const
{
    auto it = m_handlers.constFind(name);
    return it == m_handlers.constEnd() ? nullptr : &it.value();
}

QStringList MethodRegistry::names() const
{
    QStringList list = m_handlers.keys();
    list.sort();
    return list;
}
