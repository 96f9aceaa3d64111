#include "transferobject.h"

#include "baglantiu.h"
#include "mobilstokunit.h"
#include "wireerror.h"

#include <functional>
#include <limits>

namespace {

using Factory = std::function<std::unique_ptr<TransferObject>()>;

template <typename T> std::pair<QString, Factory> entry()
{
    return { T().typeName(), [] { return std::make_unique<T>(); } };
}

// Every class that may travel; both ends create objects by the name in "type".
const QVector<std::pair<QString, Factory>> &factories()
{
    static const QVector<std::pair<QString, Factory>> all = {
        entry<TSonucBilgisi>(),
        entry<TSiparisDipAyrinti>(),
        entry<TTusSonuclari>(),
        entry<TMobilCariBilgisi>(),
        entry<TAcilisEkran>(),
        entry<TAcilisEkranlariki>(),
        entry<TMobilStok>(),
        entry<TMobilSepet>(),
        entry<TMobilStoklar>(),
        entry<TMobilSepetler>(),
        entry<TAcilisEkranlar>(),
    };
    return all;
}

[[noreturn]] void badField(const char *name, const QString &wanted, const WireValue &got)
{
    throw ProtocolError(QStringLiteral("Field %1: expected %2, got %3")
                            .arg(QLatin1String(name), wanted, WireValue::kindName(got.kind())));
}

} // namespace

void FieldWriter::add(const char *name, WireValue v)
{
    m_target.fields.append({ QString::fromLatin1(name), std::move(v) });
}

WireValue FieldWriter::marshalNested(const TransferObject *object)
{
    if (!object)
        return {};
    WireObject nested;
    object->marshalInto(nested, m_nextId);
    return WireValue::object(std::move(nested));
}

const WireValue *FieldReader::find(const char *name) const
{
    return m_source.field(QLatin1String(name));
}

void FieldReader::operator()(const char *name, QString &v) const
{
    if (const WireValue *value = find(name)) {
        if (value->isNull())
            v.clear();
        else if (value->kind() == WireValue::Kind::String)
            v = value->toString();
        else
            badField(name, QStringLiteral("string"), *value);
    }
}

void FieldReader::operator()(const char *name, int &v) const
{
    if (const WireValue *value = find(name)) {
        if (value->kind() != WireValue::Kind::Integer)
            badField(name, QStringLiteral("integer"), *value);
        const qint64 n = value->toInteger();
        if (n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max())
            throw ProtocolError(QStringLiteral("Field %1: %2 is out of the 32-bit range")
                                    .arg(QLatin1String(name))
                                    .arg(n));
        v = int(n);
    }
}

void FieldReader::operator()(const char *name, double &v) const
{
    if (const WireValue *value = find(name)) {
        if (value->kind() != WireValue::Kind::Double && value->kind() != WireValue::Kind::Integer)
            badField(name, QStringLiteral("number"), *value);
        v = value->toDouble();
    }
}

void FieldReader::operator()(const char *name, bool &v) const
{
    if (const WireValue *value = find(name)) {
        if (value->kind() != WireValue::Kind::Boolean)
            badField(name, QStringLiteral("boolean"), *value);
        v = value->toBool();
    }
}

const QVector<WireValue> &FieldReader::checkedArray(const char *name, const WireValue &value) const
{
    if (value.kind() != WireValue::Kind::Array)
        badField(name, QStringLiteral("array"), value);
    return value.toArray();
}

void FieldReader::readNested(
    const char *name, const WireValue &element, TransferObject &target) const
{
    if (element.kind() != WireValue::Kind::Object)
        badField(name, QStringLiteral("object"), element);
    const WireObject &source = element.toObject();
    if (source.type != target.typeName())
        throw ProtocolError(QStringLiteral("Field %1: expected %2, got class %3")
                                .arg(QLatin1String(name), target.typeName(), source.type));
    target.Unmarshal(source);
}

WireObject TransferObject::Marshal() const
{
    WireObject out;
    qint64 nextId = 1;
    marshalInto(out, nextId);
    return out;
}

void TransferObject::marshalInto(WireObject &target, qint64 &nextId) const
{
    target.type = typeName();
    target.id = nextId++;
    FieldWriter writer(target, nextId);
    writeFields(writer);
}

void TransferObject::Unmarshal(const WireObject &source)
{
    readFields(FieldReader(source));
}

std::unique_ptr<TransferObject> TransferObject::create(const QString &typeName)
{
    for (const auto &f : factories()) {
        if (f.first == typeName)
            return f.second();
    }
    return nullptr;
}

bool TransferObject::isKnownType(const QString &typeName)
{
    for (const auto &f : factories()) {
        if (f.first == typeName)
            return true;
    }
    return false;
}

QStringList TransferObject::knownTypes()
{
    QStringList names;
    for (const auto &f : factories())
        names << f.first;
    return names;
}

std::unique_ptr<TransferObject> TransferObject::fromWire(const WireObject &source)
{
    auto object = create(source.type);
    if (!object)
        throw ProtocolError(QStringLiteral("Unknown class %1").arg(source.type));
    object->Unmarshal(source);
    return object;
}
