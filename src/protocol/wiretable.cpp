#include "wiretable.h"

#include "dataset.h"
#include "wirecodec.h"
#include "wireerror.h"

#include <QCborStreamReader>
#include <QCborStreamWriter>

#include <limits>

namespace {

constexpr int kMaxColumns = 4096;

const FieldType kAllTypes[] = {
    FieldType::Integer,
    FieldType::LargeInt,
    FieldType::Float,
    FieldType::Currency,
    FieldType::String,
    FieldType::Memo,
    FieldType::Boolean,
    FieldType::Date,
    FieldType::DateTime,
    FieldType::Blob,
};

FieldType parseType(const QString &name)
{
    for (FieldType t : kAllTypes) {
        if (fieldTypeName(t) == name)
            return t;
    }
    throw ProtocolError(QStringLiteral("Unknown column type \"%1\"").arg(name));
}

[[noreturn]] void badCell(const Field &field, int row)
{
    throw ProtocolError(QStringLiteral("Column %1, row %2: value does not fit type %3")
                            .arg(field.FieldName())
                            .arg(row)
                            .arg(fieldTypeName(field.DataType())));
}

void expectKey(QCborStreamReader &r, const char *key)
{
    if (WireCodec::readText(r) != QLatin1String(key))
        throw ProtocolError(QStringLiteral("Table: expected key \"%1\"").arg(QLatin1String(key)));
}

FieldDef readColumn(QCborStreamReader &r)
{
    if (!r.isMap())
        throw ProtocolError(QStringLiteral("Table: a column definition must be a map"));
    FieldDef def;
    bool haveName = false;
    bool haveType = false;
    r.enterContainer();
    while (r.hasNext()) {
        const QString key = WireCodec::readText(r);
        if (key == QLatin1String("name")) {
            def.name = WireCodec::readText(r);
            haveName = true;
        } else if (key == QLatin1String("type")) {
            def.type = parseType(WireCodec::readText(r));
            haveType = true;
        } else if (key == QLatin1String("size")) {
            const qint64 size = WireCodec::readInteger(r);
            if (size < 0 || size > std::numeric_limits<int>::max())
                throw ProtocolError(QStringLiteral("Table: bad column size"));
            def.size = int(size);
        } else {
            WireCodec::skip(r);
        }
    }
    WireCodec::leave(r);
    if (!haveName || !haveType)
        throw ProtocolError(QStringLiteral("Table: a column needs a name and a type"));
    return def;
}

void readCell(QCborStreamReader &r, Field &field, int row)
{
    if (r.isNull()) {
        field.appendNull();
        r.next();
        return;
    }
    switch (field.DataType()) {
    case FieldType::Integer: {
        if (!r.isInteger())
            badCell(field, row);
        const qint64 v = r.toInteger();
        if (v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
            badCell(field, row);
        field.appendInt(v);
        r.next();
        return;
    }
    case FieldType::LargeInt:
        if (!r.isInteger())
            badCell(field, row);
        field.appendInt(r.toInteger());
        r.next();
        return;
    case FieldType::Boolean:
        if (!r.isBool())
            badCell(field, row);
        field.appendInt(r.toBool() ? 1 : 0);
        r.next();
        return;
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::Date:
    case FieldType::DateTime:
        if (r.isDouble())
            field.appendFloat(r.toDouble());
        else if (r.isFloat())
            field.appendFloat(double(r.toFloat()));
        else if (r.isInteger())
            field.appendFloat(double(r.toInteger()));
        else
            badCell(field, row);
        r.next();
        return;
    case FieldType::String:
    case FieldType::Memo:
        if (!r.isString())
            badCell(field, row);
        field.appendString(WireCodec::readText(r));
        return;
    case FieldType::Blob:
        if (!r.isByteArray())
            badCell(field, row);
        field.appendBytes(WireCodec::readBytes(r));
        return;
    }
}

} // namespace

WireTable::WireTable(std::shared_ptr<const Dataset> rows)
    : m_rows(std::move(rows))
{
}

WireTable::WireTable(const QByteArray &frame, qsizetype offset, qsizetype length)
    : m_frame(frame)
    , m_offset(offset)
    , m_length(length)
{
}

void WireTable::writeBody(QCborStreamWriter &writer) const
{
    if (m_rows) {
        writeDataset(writer, *m_rows);
        return;
    }
    Dataset copy;
    loadInto(copy);
    writeDataset(writer, copy);
}

void WireTable::loadInto(Dataset &target) const
{
    if (m_rows) {
        target.Assign(*m_rows);
        return;
    }
    const QByteArray body = QByteArray::fromRawData(m_frame.constData() + m_offset, m_length);
    QCborStreamReader reader(body);
    readDataset(reader, target, m_length);
}

void WireTable::writeDataset(QCborStreamWriter &w, const Dataset &rows)
{
    const int columns = rows.FieldCount();
    const int count = rows.RecordCount();
    w.startMap(3);
    w.append(QLatin1String("columns"));
    w.startArray(quint64(columns));
    for (int c = 0; c < columns; ++c) {
        const Field &f = rows.Fields(c);
        w.startMap(3);
        w.append(QLatin1String("name"));
        w.append(f.FieldName());
        w.append(QLatin1String("type"));
        w.append(fieldTypeName(f.DataType()));
        w.append(QLatin1String("size"));
        w.append(qint64(f.Size()));
        w.endMap();
    }
    w.endArray();
    w.append(QLatin1String("rows"));
    w.append(quint64(count));
    w.append(QLatin1String("data"));
    w.startArray(quint64(columns));
    for (int c = 0; c < columns; ++c) {
        const Field &f = rows.Fields(c);
        w.startArray(quint64(count));
        for (int row = 0; row < count; ++row) {
            if (f.isNullAt(row)) {
                w.appendNull();
                continue;
            }
            switch (f.DataType()) {
            case FieldType::Integer:
            case FieldType::LargeInt:
                w.append(qint64(f.intAt(row)));
                break;
            case FieldType::Boolean:
                w.append(f.intAt(row) != 0);
                break;
            case FieldType::Float:
            case FieldType::Currency:
            case FieldType::Date:
            case FieldType::DateTime:
                w.append(f.floatAt(row));
                break;
            case FieldType::String:
            case FieldType::Memo:
                w.append(f.stringAt(row));
                break;
            case FieldType::Blob:
                w.append(f.valueAt(row).toByteArray());
                break;
            }
        }
        w.endArray();
    }
    w.endArray();
    w.endMap();
}

void WireTable::readDataset(QCborStreamReader &r, Dataset &target, qsizetype bytesLeft)
{
    if (!r.isMap())
        throw ProtocolError(QStringLiteral("Table: the body must be a map"));
    r.enterContainer();
    expectKey(r, "columns");
    if (!r.isArray())
        throw ProtocolError(QStringLiteral("Table: \"columns\" must be an array"));
    QVector<FieldDef> defs;
    r.enterContainer();
    while (r.hasNext()) {
        if (defs.size() >= kMaxColumns)
            throw ProtocolError(QStringLiteral("Table: too many columns"));
        defs << readColumn(r);
    }
    WireCodec::leave(r);
    for (int i = 0; i < defs.size(); ++i) {
        for (int j = 0; j < i; ++j) {
            if (defs[i].name.compare(defs[j].name, Qt::CaseInsensitive) == 0)
                throw ProtocolError(
                    QStringLiteral("Table: column %1 appears twice").arg(defs[i].name));
        }
    }

    expectKey(r, "rows");
    const qint64 rows = WireCodec::readInteger(r);
    // Every cell takes at least one byte, so the announced count is bounded by the body.
    if (rows < 0 || rows > std::numeric_limits<int>::max() || (defs.isEmpty() && rows > 0)
        || (!defs.isEmpty() && rows > bytesLeft / defs.size()))
        throw ProtocolError(QStringLiteral("Table: bad row count %1").arg(rows));

    expectKey(r, "data");
    if (!r.isArray())
        throw ProtocolError(QStringLiteral("Table: \"data\" must be an array"));
    target.BeginLoad(defs, int(rows));
    try {
        r.enterContainer();
        for (int c = 0; c < defs.size(); ++c) {
            if (!r.hasNext() || !r.isArray())
                throw ProtocolError(QStringLiteral("Table: column %1 is missing").arg(c));
            Field &field = target.Fields(c);
            r.enterContainer();
            int row = 0;
            while (r.hasNext()) {
                if (row >= rows)
                    throw ProtocolError(
                        QStringLiteral("Table: column %1 has too many rows").arg(defs[c].name));
                readCell(r, field, row);
                ++row;
            }
            WireCodec::leave(r);
            if (row != rows)
                throw ProtocolError(
                    QStringLiteral("Table: column %1 has too few rows").arg(defs[c].name));
        }
        if (r.hasNext())
            throw ProtocolError(QStringLiteral("Table: more data arrays than columns"));
        WireCodec::leave(r);
        if (r.hasNext())
            throw ProtocolError(QStringLiteral("Table: unexpected key after \"data\""));
        WireCodec::leave(r);
    } catch (...) {
        target.Close();
        throw;
    }
    target.EndLoad();
}
