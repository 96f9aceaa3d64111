#include "wiretable.h"

#include "cborreader.h"
#include "cborwriter.h"
#include "dataset.h"
#include "wirecodec.h"
#include "wireerror.h"

#include <QStringDecoder>

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

void expectKey(CborReader &r, const char *key)
{
    if (WireCodec::readText(r) != QLatin1String(key))
        throw ProtocolError(QStringLiteral("Table: expected key \"%1\"").arg(QLatin1String(key)));
}

FieldDef readColumn(CborReader &r)
{
    if (r.type() != CborReader::Type::Map)
        throw ProtocolError(QStringLiteral("Table: a column definition must be a map"));
    FieldDef def;
    bool haveName = false;
    bool haveType = false;
    auto map = r.enterMap();
    while (r.hasNext(map)) {
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
            r.skip(WireCodec::kMaxDepth);
        }
    }
    if (!haveName || !haveType)
        throw ProtocolError(QStringLiteral("Table: a column needs a name and a type"));
    return def;
}

// Text cells go from UTF-8 to the column's UTF-16 pool through one reused buffer.
class TextCells
{
public:
    void append(CborReader &r, Field &field)
    {
        const QByteArrayView utf8 = r.readUtf8Unchecked(m_scratch);
        if (m_units.size() < size_t(utf8.size()))
            m_units.resize(size_t(utf8.size()));
        char16_t *out = m_units.data();
        const char *in = utf8.data();
        const qsizetype size = utf8.size();
        qsizetype i = 0;
        for (; i < size && uchar(in[i]) < 0x80; ++i)
            out[i] = char16_t(in[i]);
        qsizetype length = i;
        if (i < size) {
            // An ASCII prefix is valid UTF-8 by itself; only the rest needs the check.
            if (!utf8.sliced(i).isValidUtf8())
                CborReader::fail("text string is not valid UTF-8");
            QChar *end
                = m_decoder.appendToBuffer(reinterpret_cast<QChar *>(out + i), utf8.sliced(i));
            length = reinterpret_cast<char16_t *>(end) - out;
        }
        field.appendString(QStringView(out, length));
    }

private:
    QByteArray m_scratch;
    std::vector<char16_t> m_units;
    // Input is checked UTF-8 already, and each cell is whole, so no state carries over.
    QStringDecoder m_decoder { QStringDecoder::Utf8, QStringDecoder::Flag::Stateless };
};

void readCell(CborReader &r, Field &field, int row, TextCells &text)
{
    const FieldType kind = field.DataType();
    double d;
    if ((kind == FieldType::Float || kind == FieldType::Currency || kind == FieldType::Date
            || kind == FieldType::DateTime)
        && r.tryReadDouble(d)) {
        field.appendFloat(d);
        return;
    }
    const CborReader::Type type = r.type();
    if (type == CborReader::Type::Null) {
        r.readNull();
        field.appendNull();
        return;
    }
    const bool integer
        = type == CborReader::Type::UnsignedInteger || type == CborReader::Type::NegativeInteger;
    switch (field.DataType()) {
    case FieldType::Integer: {
        if (!integer)
            badCell(field, row);
        const qint64 v = r.readInteger();
        if (v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
            badCell(field, row);
        field.appendInt(v);
        return;
    }
    case FieldType::LargeInt:
        if (!integer)
            badCell(field, row);
        field.appendInt(r.readInteger());
        return;
    case FieldType::Boolean:
        if (type != CborReader::Type::Boolean)
            badCell(field, row);
        field.appendInt(r.readBool() ? 1 : 0);
        return;
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::Date:
    case FieldType::DateTime:
        if (type == CborReader::Type::Float)
            field.appendFloat(r.readFloat());
        else if (integer)
            field.appendFloat(double(r.readInteger()));
        else
            badCell(field, row);
        return;
    case FieldType::String:
    case FieldType::Memo:
        if (type != CborReader::Type::TextString)
            badCell(field, row);
        text.append(r, field);
        return;
    case FieldType::Blob:
        if (type != CborReader::Type::ByteString)
            badCell(field, row);
        field.appendBytes(r.readBytes());
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

void WireTable::writeBody(CborWriter &writer) const
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
    CborReader reader(QByteArrayView(m_frame).sliced(m_offset, m_length));
    readDataset(reader, target, m_length);
}

void WireTable::writeDataset(CborWriter &w, const Dataset &rows)
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
    }
    qsizetype estimate = 0;
    for (int c = 0; c < columns; ++c) {
        const Field &f = rows.Fields(c);
        const bool text = f.DataType() == FieldType::String || f.DataType() == FieldType::Memo;
        // Text is usually about half its declared length.
        estimate += qsizetype(count) * (text ? qMin(f.Size(), 256) / 2 + 3 : 9);
    }
    w.reserve(estimate);
    w.append(QLatin1String("rows"));
    w.append(qint64(count));
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
                w.appendBytes(f.valueAt(row).toByteArray());
                break;
            }
        }
    }
}

void WireTable::readDataset(CborReader &r, Dataset &target, qsizetype bytesLeft)
{
    if (r.type() != CborReader::Type::Map)
        throw ProtocolError(QStringLiteral("Table: the body must be a map"));
    auto body = r.enterMap();
    if (!r.hasNext(body))
        throw ProtocolError(QStringLiteral("Table: expected key \"columns\""));
    expectKey(r, "columns");
    if (r.type() != CborReader::Type::Array)
        throw ProtocolError(QStringLiteral("Table: \"columns\" must be an array"));
    QVector<FieldDef> defs;
    auto columns = r.enterArray();
    while (r.hasNext(columns)) {
        if (defs.size() >= kMaxColumns)
            throw ProtocolError(QStringLiteral("Table: too many columns"));
        defs << readColumn(r);
    }
    for (int i = 0; i < defs.size(); ++i) {
        for (int j = 0; j < i; ++j) {
            if (defs[i].name.compare(defs[j].name, Qt::CaseInsensitive) == 0)
                throw ProtocolError(
                    QStringLiteral("Table: column %1 appears twice").arg(defs[i].name));
        }
    }

    if (!r.hasNext(body))
        throw ProtocolError(QStringLiteral("Table: expected key \"rows\""));
    expectKey(r, "rows");
    const qint64 rows = WireCodec::readInteger(r);
    // Every cell takes at least one byte, so the announced count is bounded by the body.
    if (rows < 0 || rows > std::numeric_limits<int>::max() || (defs.isEmpty() && rows > 0)
        || (!defs.isEmpty() && rows > bytesLeft / defs.size()))
        throw ProtocolError(QStringLiteral("Table: bad row count %1").arg(rows));

    if (!r.hasNext(body))
        throw ProtocolError(QStringLiteral("Table: expected key \"data\""));
    expectKey(r, "data");
    if (r.type() != CborReader::Type::Array)
        throw ProtocolError(QStringLiteral("Table: \"data\" must be an array"));
    target.BeginLoad(defs, int(rows));
    try {
        TextCells text;
        auto data = r.enterArray();
        for (int c = 0; c < defs.size(); ++c) {
            if (!r.hasNext(data) || r.type() != CborReader::Type::Array)
                throw ProtocolError(QStringLiteral("Table: column %1 is missing").arg(c));
            Field &field = target.Fields(c);
            auto cells = r.enterArray();
            int row = 0;
            while (r.hasNext(cells)) {
                if (row >= rows)
                    throw ProtocolError(
                        QStringLiteral("Table: column %1 has too many rows").arg(defs[c].name));
                readCell(r, field, row, text);
                ++row;
            }
            if (row != rows)
                throw ProtocolError(
                    QStringLiteral("Table: column %1 has too few rows").arg(defs[c].name));
        }
        if (r.hasNext(data))
            throw ProtocolError(QStringLiteral("Table: more data arrays than columns"));
        if (r.hasNext(body))
            throw ProtocolError(QStringLiteral("Table: unexpected key after \"data\""));
    } catch (...) {
        target.Close();
        throw;
    }
    target.EndLoad();
}
