#pragma once

#include "wirevalue.h"

#include <QString>

#include <memory>
#include <vector>

class TransferObject;

// Writes fields into the marshalled form; nested objects get the next free id.
class FieldWriter
{
public:
    FieldWriter(WireObject &target, qint64 &nextId)
        : m_target(target)
        , m_nextId(nextId)
    {
    }

    void operator()(const char *name, const QString &v) { add(name, WireValue(v)); }
    void operator()(const char *name, int v) { add(name, WireValue(v)); }
    void operator()(const char *name, double v) { add(name, WireValue(v)); }
    void operator()(const char *name, bool v) { add(name, WireValue(v)); }
    template <typename T>
    void operator()(const char *name, const std::vector<std::unique_ptr<T>> &items)
    {
        QVector<WireValue> out;
        out.reserve(int(items.size()));
        for (const auto &item : items)
            out << marshalNested(item.get());
        add(name, WireValue::array(std::move(out)));
    }

private:
    void add(const char *name, WireValue v);
    WireValue marshalNested(const TransferObject *object);

    WireObject &m_target;
    qint64 &m_nextId;
};

// Reads the fields present in a marshalled form; absent fields keep their current value.
class FieldReader
{
public:
    explicit FieldReader(const WireObject &source)
        : m_source(source)
    {
    }

    void operator()(const char *name, QString &v) const;
    void operator()(const char *name, int &v) const;
    void operator()(const char *name, double &v) const;
    void operator()(const char *name, bool &v) const;
    template <typename T>
    void operator()(const char *name, std::vector<std::unique_ptr<T>> &items) const
    {
        const WireValue *value = find(name);
        if (!value)
            return;
        items.clear();
        if (value->isNull())
            return;
        for (const WireValue &element : checkedArray(name, *value)) {
            auto item = std::make_unique<T>();
            if (!element.isNull())
                readNested(name, element, *item);
            items.push_back(std::move(item));
        }
    }

private:
    const WireValue *find(const char *name) const;
    const QVector<WireValue> &checkedArray(const char *name, const WireValue &value) const;
    void readNested(const char *name, const WireValue &element, TransferObject &target) const;

    const WireObject &m_source;
};

// Base of the records that travel as objects. A subclass lists its fields once, in wire
// order, in a static visitFields(self, visitor); both marshalling directions use it.
class TransferObject
{
public:
    virtual ~TransferObject() = default;

    // Unit-qualified class name, e.g. "baglantiu.TSonucBilgisi".
    virtual QString typeName() const = 0;

    WireObject Marshal() const;
    WireValue toWire() const { return WireValue::object(Marshal()); }
    // Assigns the fields present in `source` (whose type must be this class).
    void Unmarshal(const WireObject &source);

    // A new object of the named class with its constructor's defaults; nullptr if unknown.
    static std::unique_ptr<TransferObject> create(const QString &typeName);
    static bool isKnownType(const QString &typeName);
    static QStringList knownTypes();
    // Creates the named class and assigns the message's fields; throws ProtocolError for
    // an unknown class or a field of the wrong kind.
    static std::unique_ptr<TransferObject> fromWire(const WireObject &source);

protected:
    friend class FieldWriter;
    virtual void writeFields(FieldWriter &w) const = 0;
    virtual void readFields(const FieldReader &r) = 0;
    void marshalInto(WireObject &target, qint64 &nextId) const;
};
