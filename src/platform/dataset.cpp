#include "dataset.h"

#include "numberformat.h"

#include <QLocale>
#include <QStringDecoder>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

const QDate kDayZero(1899, 12, 30);
constexpr quint64 kLongMark = 0xFFFFFF;  // span length that points into the long-text list
constexpr int kLengthBits = 24;

enum class Store { Int32, Int64, Double, Bool, Text, Bytes };

Store storeOf(FieldType t)
{
    switch (t) {
    case FieldType::Integer: return Store::Int32;
    case FieldType::LargeInt: return Store::Int64;
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::Date:
    case FieldType::DateTime: return Store::Double;
    case FieldType::Boolean: return Store::Bool;
    case FieldType::String:
    case FieldType::Memo: return Store::Text;
    case FieldType::Blob: return Store::Bytes;
    }
    return Store::Text;
}

[[noreturn]] void fail(const QString &message)
{
    throw std::runtime_error(message.toStdString());
}

}  // namespace

QString fieldTypeName(FieldType type)
{
    switch (type) {
    case FieldType::Integer: return QStringLiteral("Integer");
    case FieldType::LargeInt: return QStringLiteral("LargeInt");
    case FieldType::Float: return QStringLiteral("Float");
    case FieldType::Currency: return QStringLiteral("Currency");
    case FieldType::String: return QStringLiteral("String");
    case FieldType::Memo: return QStringLiteral("Memo");
    case FieldType::Boolean: return QStringLiteral("Boolean");
    case FieldType::Date: return QStringLiteral("Date");
    case FieldType::DateTime: return QStringLiteral("DateTime");
    case FieldType::Blob: return QStringLiteral("Blob");
    }
    return {};
}

double dateToDayNumber(const QDate &date)
{
    return double(kDayZero.daysTo(date));
}

double dateTimeToDayNumber(const QDateTime &dt)
{
    const double ms = dt.time().msecsSinceStartOfDay();
    return dateToDayNumber(dt.date()) + ms / 86400000.0;
}

QDate dayNumberToDate(double day)
{
    return kDayZero.addDays(qint64(std::floor(day)));
}

QDateTime dayNumberToDateTime(double day)
{
    const double whole = std::floor(day);
    const int ms = int(std::llround((day - whole) * 86400000.0));
    return QDateTime(kDayZero.addDays(qint64(whole)), QTime(0, 0)).addMSecs(ms);
}

// ---------------------------------------------------------------- Field

Field::Field(Dataset *owner, const FieldDef &def, int index)
    : m_owner(owner), m_name(def.name), m_type(def.type), m_size(def.size), m_index(index)
{
}

bool Field::isNumeric() const
{
    switch (m_type) {
    case FieldType::Integer:
    case FieldType::LargeInt:
    case FieldType::Float:
    case FieldType::Currency: return true;
    default: return false;
    }
}

int Field::loadedCount() const
{
    switch (storeOf(m_type)) {
    case Store::Int32: return int(m_int32.size());
    case Store::Int64: return int(m_int64.size());
    case Store::Double: return int(m_double.size());
    case Store::Bool: return int(m_bool.size());
    case Store::Text: return int(m_spans.size());
    case Store::Bytes: return int(m_bytes.size());
    }
    return 0;
}

void Field::reserve(int rows)
{
    switch (storeOf(m_type)) {
    case Store::Int32: m_int32.reserve(size_t(rows)); break;
    case Store::Int64: m_int64.reserve(size_t(rows)); break;
    case Store::Double: m_double.reserve(size_t(rows)); break;
    case Store::Bool: m_bool.reserve(size_t(rows)); break;
    case Store::Text:
        m_spans.reserve(size_t(rows));
        // Most cells are short codes and names; starting near their size saves the pool
        // most of its regrowth copies while a table loads.
        m_pool.reserve(size_t(rows) * 12);
        break;
    case Store::Bytes: m_bytes.reserve(size_t(rows)); break;
    }
}

void Field::reserveLikeLoaded(int rows)
{
    reserve(rows);
    const size_t loaded = m_spans.size();
    if (storeOf(m_type) == Store::Text && loaded > 0)
        m_pool.reserve(m_pool.size() * size_t(rows) / loaded * 5 / 4);
}

void Field::setNullFlag(int row, bool isNull)
{
    if (!isNull && m_nulls.empty())
        return;
    if (m_nulls.size() <= size_t(row))
        m_nulls.resize(size_t(row) + 1, 0);
    m_nulls[size_t(row)] = isNull ? 1 : 0;
}

void Field::appendNull()
{
    const int row = loadedCount();
    switch (storeOf(m_type)) {
    case Store::Int32: m_int32.push_back(0); break;
    case Store::Int64: m_int64.push_back(0); break;
    case Store::Double: m_double.push_back(0); break;
    case Store::Bool: m_bool.push_back(0); break;
    case Store::Text: m_spans.push_back(0); break;
    case Store::Bytes: m_bytes.emplace_back(); break;
    }
    setNullFlag(row, true);
}

void Field::appendInt(qint64 v)
{
    switch (storeOf(m_type)) {
    case Store::Int32: m_int32.push_back(qint32(v)); break;
    case Store::Int64: m_int64.push_back(v); break;
    case Store::Double: m_double.push_back(double(v)); break;
    case Store::Bool: m_bool.push_back(v != 0); break;
    case Store::Text: appendString(QString::number(v)); return;
    case Store::Bytes: fail(QStringLiteral("Field '%1' holds bytes, not a number").arg(m_name));
    }
}

void Field::appendFloat(double v)
{
    switch (storeOf(m_type)) {
    case Store::Double: m_double.push_back(v); break;
    case Store::Int32: m_int32.push_back(qint32(std::llround(v))); break;
    case Store::Int64: m_int64.push_back(std::llround(v)); break;
    case Store::Bool: m_bool.push_back(v != 0); break;
    case Store::Text: appendString(QString::number(v, 'g', 15)); return;
    case Store::Bytes: fail(QStringLiteral("Field '%1' holds bytes, not a number").arg(m_name));
    }
}

void Field::appendString(QStringView v)
{
    if (storeOf(m_type) != Store::Text) {
        appendVariant(v.toString());
        return;
    }
    const quint64 offset = m_pool.size();
    if (quint64(v.size()) >= kLongMark) {
        m_spans.push_back((quint64(m_long.size()) << kLengthBits) | kLongMark);
        m_long.push_back(v.toString());
        return;
    }
    m_pool.insert(m_pool.end(), v.utf16(), v.utf16() + v.size());
    m_spans.push_back((offset << kLengthBits) | quint64(v.size()));
}

void Field::appendUtf8(const char *data, qsizetype bytes)
{
    if (storeOf(m_type) != Store::Text || quint64(bytes) >= kLongMark) {
        appendString(QString::fromUtf8(data, bytes));
        return;
    }
    // UTF-16 never needs more units than UTF-8 has bytes, so the text is decoded straight
    // into the pool: no temporary string per cell.
    const size_t offset = m_pool.size();
    const auto *in = reinterpret_cast<const unsigned char *>(data);
    // Most cells are plain ASCII: one check, then a widening copy.
    unsigned char high = 0;
    for (qsizetype i = 0; i < bytes; ++i)
        high |= in[i];
    if (high < 0x80) {
        m_pool.insert(m_pool.end(), in, in + bytes);
        m_spans.push_back((quint64(offset) << kLengthBits) | quint64(bytes));
        return;
    }
    m_pool.resize(offset + size_t(bytes));
    char16_t *out = m_pool.data() + offset;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QChar *end =
        decoder.appendToBuffer(reinterpret_cast<QChar *>(out), QByteArrayView(data, bytes));
    const size_t length = size_t(reinterpret_cast<char16_t *>(end) - out);
    m_pool.resize(offset + length);
    m_spans.push_back((quint64(offset) << kLengthBits) | quint64(length));
}

void Field::appendAllFrom(const Field &other)
{
    const int base = loadedCount();
    const int rows = other.loadedCount();
    if (storeOf(m_type) != storeOf(other.m_type)) {
        for (int r = 0; r < rows; ++r)
            appendVariant(other.valueAt(r));
        return;
    }
    auto append = [](auto &to, const auto &from) { to.insert(to.end(), from.begin(), from.end()); };
    switch (storeOf(m_type)) {
    case Store::Int32: append(m_int32, other.m_int32); break;
    case Store::Int64: append(m_int64, other.m_int64); break;
    case Store::Double: append(m_double, other.m_double); break;
    case Store::Bool: append(m_bool, other.m_bool); break;
    case Store::Bytes: append(m_bytes, other.m_bytes); break;
    case Store::Text: {
        // The other pool goes after ours, so its spans move by our pool's size.
        const quint64 poolShift = m_pool.size();
        const quint64 longShift = m_long.size();
        append(m_pool, other.m_pool);
        append(m_long, other.m_long);
        m_spans.reserve(m_spans.size() + other.m_spans.size());
        for (const quint64 span : other.m_spans) {
            if ((span & kLongMark) == kLongMark)
                m_spans.push_back((((span >> kLengthBits) + longShift) << kLengthBits) | kLongMark);
            else
                m_spans.push_back(span + (poolShift << kLengthBits));
        }
        break;
    }
    }
    for (size_t r = 0; r < other.m_nulls.size(); ++r)
        if (other.m_nulls[r])
            setNullFlag(base + int(r), true);
}

void Field::appendBytes(const QByteArray &v)
{
    if (storeOf(m_type) == Store::Bytes)
        m_bytes.push_back(v);
    else
        appendVariant(v);
}

void Field::appendVariant(const QVariant &v)
{
    if (!v.isValid() || v.isNull()) {
        appendNull();
        return;
    }
    switch (storeOf(m_type)) {
    case Store::Int32:
    case Store::Int64:
    case Store::Bool: {
        bool ok = false;
        const qint64 n = v.typeId() == QMetaType::Bool ? qint64(v.toBool()) : v.toLongLong(&ok);
        if (!ok && v.typeId() != QMetaType::Bool) {
            const double d = v.toDouble(&ok);
            if (!ok)
                fail(QStringLiteral("Field '%1' cannot take the value '%2'")
                         .arg(m_name, v.toString()));
            appendFloat(d);
            return;
        }
        appendInt(n);
        return;
    }
    case Store::Double: {
        if (v.typeId() == QMetaType::QDate) {
            appendFloat(dateToDayNumber(v.toDate()));
            return;
        }
        if (v.typeId() == QMetaType::QDateTime) {
            appendFloat(dateTimeToDayNumber(v.toDateTime()));
            return;
        }
        bool ok = false;
        const double d = v.toDouble(&ok);
        if (!ok)
            fail(QStringLiteral("Field '%1' cannot take the value '%2'").arg(m_name, v.toString()));
        appendFloat(d);
        return;
    }
    case Store::Text: appendString(v.toString()); return;
    case Store::Bytes: m_bytes.push_back(v.toByteArray()); return;
    }
}

void Field::growTo(int rows)
{
    while (loadedCount() < rows)
        appendNull();
}

void Field::eraseRow(int row)
{
    const auto at = [row](auto &vec) { vec.erase(vec.begin() + row); };
    switch (storeOf(m_type)) {
    case Store::Int32: at(m_int32); break;
    case Store::Int64: at(m_int64); break;
    case Store::Double: at(m_double); break;
    case Store::Bool: at(m_bool); break;
    case Store::Text: at(m_spans); break;
    case Store::Bytes: at(m_bytes); break;
    }
    if (size_t(row) < m_nulls.size())
        at(m_nulls);
}

void Field::clearRows()
{
    m_int32.clear();
    m_int64.clear();
    m_double.clear();
    m_bool.clear();
    m_bytes.clear();
    m_pool.clear();
    m_spans.clear();
    m_long.clear();
    m_nulls.clear();
}

void Field::storeAt(int row, const QVariant &value)
{
    // Write by appending into a scratch column of one and moving the cell over, so that
    // conversion rules are those of loading.
    Field scratch(nullptr, FieldDef{m_name, m_type, m_size}, m_index);
    scratch.appendVariant(value);
    const bool isNull = scratch.isNullAt(0);
    switch (storeOf(m_type)) {
    case Store::Int32: m_int32[size_t(row)] = scratch.m_int32[0]; break;
    case Store::Int64: m_int64[size_t(row)] = scratch.m_int64[0]; break;
    case Store::Double: m_double[size_t(row)] = scratch.m_double[0]; break;
    case Store::Bool: m_bool[size_t(row)] = scratch.m_bool[0]; break;
    case Store::Bytes: m_bytes[size_t(row)] = scratch.m_bytes[0]; break;
    case Store::Text: {
        // The old text stays in the pool until the rows are cleared.
        const QStringView text = scratch.stringViewAt(0);
        const quint64 offset = m_pool.size();
        if (quint64(text.size()) >= kLongMark) {
            m_spans[size_t(row)] = (quint64(m_long.size()) << kLengthBits) | kLongMark;
            m_long.push_back(text.toString());
        } else {
            m_pool.insert(m_pool.end(), text.utf16(), text.utf16() + text.size());
            m_spans[size_t(row)] = (offset << kLengthBits) | quint64(text.size());
        }
        break;
    }
    }
    setNullFlag(row, isNull);
}

bool Field::isNullAt(int row) const
{
    if (row < 0 || row >= loadedCount())
        return true;
    return size_t(row) < m_nulls.size() && m_nulls[size_t(row)] != 0;
}

QStringView Field::stringViewAt(int row) const
{
    const quint64 span = m_spans[size_t(row)];
    const quint64 len = span & kLongMark;
    if (len == kLongMark)
        return m_long[size_t(span >> kLengthBits)];
    return QStringView(m_pool.data() + (span >> kLengthBits), qsizetype(len));
}

QVariant Field::valueAt(int row) const
{
    if (row < 0 || row >= loadedCount() || isNullAt(row))
        return QVariant();
    switch (m_type) {
    case FieldType::Integer: return QVariant(int(m_int32[size_t(row)]));
    case FieldType::LargeInt: return QVariant(qlonglong(m_int64[size_t(row)]));
    case FieldType::Float:
    case FieldType::Currency: return QVariant(m_double[size_t(row)]);
    case FieldType::Date: return QVariant(dayNumberToDate(m_double[size_t(row)]));
    case FieldType::DateTime: return QVariant(dayNumberToDateTime(m_double[size_t(row)]));
    case FieldType::Boolean: return QVariant(m_bool[size_t(row)] != 0);
    case FieldType::String:
    case FieldType::Memo: return QVariant(stringViewAt(row).toString());
    case FieldType::Blob: return QVariant(m_bytes[size_t(row)]);
    }
    return QVariant();
}

qint64 Field::intAt(int row) const
{
    if (row < 0 || row >= loadedCount() || isNullAt(row))
        return 0;
    switch (storeOf(m_type)) {
    case Store::Int32: return m_int32[size_t(row)];
    case Store::Int64: return m_int64[size_t(row)];
    case Store::Bool: return m_bool[size_t(row)];
    case Store::Double: return std::llround(m_double[size_t(row)]);
    case Store::Text: return stringViewAt(row).trimmed().toLongLong();
    case Store::Bytes: return 0;
    }
    return 0;
}

double Field::floatAt(int row) const
{
    if (row < 0 || row >= loadedCount() || isNullAt(row))
        return 0;
    switch (storeOf(m_type)) {
    case Store::Double: return m_double[size_t(row)];
    case Store::Int32: return m_int32[size_t(row)];
    case Store::Int64: return double(m_int64[size_t(row)]);
    case Store::Bool: return m_bool[size_t(row)];
    case Store::Text: {
        const QString text = stringViewAt(row).trimmed().toString();
        bool ok = false;
        const double d = QLocale().toDouble(text, &ok);
        return ok ? d : text.toDouble();
    }
    case Store::Bytes: return 0;
    }
    return 0;
}

QString Field::stringAt(int row) const
{
    if (row < 0 || row >= loadedCount() || isNullAt(row))
        return QString();
    switch (m_type) {
    case FieldType::String:
    case FieldType::Memo: return stringViewAt(row).toString();
    case FieldType::Integer: return QString::number(m_int32[size_t(row)]);
    case FieldType::LargeInt: return QString::number(m_int64[size_t(row)]);
    case FieldType::Boolean: return m_bool[size_t(row)] ? QStringLiteral("True") : QStringLiteral("False");
    case FieldType::Float:
    case FieldType::Currency: return QLocale().toString(m_double[size_t(row)], 'g', 15);
    case FieldType::Date:
        return QLocale().toString(dayNumberToDate(m_double[size_t(row)]), QLocale::ShortFormat);
    case FieldType::DateTime: {
        const QDateTime dt = dayNumberToDateTime(m_double[size_t(row)]);
        const QString date = QLocale().toString(dt.date(), QLocale::ShortFormat);
        if (dt.time() == QTime(0, 0))
            return date;
        return date + u' ' + QLocale().toString(dt.time(), QStringLiteral("HH:mm:ss"));
    }
    case FieldType::Blob: return QString::fromLatin1(m_bytes[size_t(row)].toHex());
    }
    return QString();
}

QString Field::displayTextAt(int row) const
{
    if (m_displayFormat.isEmpty() || row < 0 || row >= loadedCount() || isNullAt(row))
        return stringAt(row);
    switch (m_type) {
    case FieldType::Integer:
    case FieldType::LargeInt:
    case FieldType::Float:
    case FieldType::Currency: return FormatFloat(m_displayFormat, floatAt(row));
    case FieldType::Date:
    case FieldType::DateTime:
        return QLocale().toString(dayNumberToDateTime(m_double[size_t(row)]), m_displayFormat);
    default: return stringAt(row);
    }
}

size_t Field::memoryUsage() const
{
    return m_int32.capacity() * sizeof(qint32) + m_int64.capacity() * sizeof(qint64)
        + m_double.capacity() * sizeof(double) + m_bool.capacity()
        + m_bytes.capacity() * sizeof(QByteArray) + m_pool.capacity() * sizeof(char16_t)
        + m_spans.capacity() * sizeof(quint64) + m_long.capacity() * sizeof(QString)
        + m_nulls.capacity();
}

// Current-row accessors: a pending edit wins over the stored value.
namespace {
const QVariant *pendingValue(const std::vector<std::pair<int, QVariant>> &pending, int index)
{
    for (const auto &p : pending)
        if (p.first == index)
            return &p.second;
    return nullptr;
}
}  // namespace

bool Field::IsNull() const
{
    if (const QVariant *p = pendingValue(m_owner->m_pending, m_index))
        return p->isNull();
    return isNullAt(m_owner->currentRowForRead());
}

QVariant Field::Value() const
{
    if (const QVariant *p = pendingValue(m_owner->m_pending, m_index))
        return *p;
    return valueAt(m_owner->currentRowForRead());
}

int Field::AsInteger() const
{
    return int(AsLargeInt());
}

qint64 Field::AsLargeInt() const
{
    if (const QVariant *p = pendingValue(m_owner->m_pending, m_index))
        return p->toLongLong();
    return intAt(m_owner->currentRowForRead());
}

double Field::AsFloat() const
{
    if (const QVariant *p = pendingValue(m_owner->m_pending, m_index))
        return p->toDouble();
    return floatAt(m_owner->currentRowForRead());
}

QString Field::AsString() const
{
    if (const QVariant *p = pendingValue(m_owner->m_pending, m_index))
        return p->toString();
    return stringAt(m_owner->currentRowForRead());
}

bool Field::AsBoolean() const
{
    return AsLargeInt() != 0;
}

QDateTime Field::AsDateTime() const
{
    if (const QVariant *p = pendingValue(m_owner->m_pending, m_index))
        return p->toDateTime();
    const int row = m_owner->currentRowForRead();
    if (isNullAt(row))
        return QDateTime();
    return dayNumberToDateTime(floatAt(row));
}

QByteArray Field::AsBytes() const
{
    return Value().toByteArray();
}

QString Field::DisplayText() const
{
    if (pendingValue(m_owner->m_pending, m_index))
        return AsString();
    return displayTextAt(m_owner->currentRowForRead());
}

void Field::SetValue(const QVariant &value)
{
    m_owner->requireEditable(*this);
    for (auto &p : m_owner->m_pending) {
        if (p.first == m_index) {
            p.second = value;
            return;
        }
    }
    m_owner->m_pending.emplace_back(m_index, value);
}

// ---------------------------------------------------------------- Dataset

Dataset::Dataset() = default;
Dataset::~Dataset() = default;

void Dataset::rebuildIndex()
{
    m_index.clear();
    for (const auto &f : m_fields)
        m_index.emplace_back(f->FieldName().toUpper(), f->Index());
    std::sort(m_index.begin(), m_index.end());
}

void Dataset::SetFields(const QVector<FieldDef> &defs)
{
    BeginLoad(defs, 0);
    EndLoad();
}

void Dataset::AddField(const FieldDef &def)
{
    if (m_rowCount > 0)
        fail(QStringLiteral("Cannot add field '%1' to a dataset that holds rows").arg(def.name));
    if (FieldIndex(def.name) >= 0)
        fail(QStringLiteral("Duplicate field name '%1'").arg(def.name));
    m_fields.push_back(std::unique_ptr<Field>(new Field(this, def, int(m_fields.size()))));
    rebuildIndex();
    if (m_state == State::Inactive)
        m_state = State::Browse;
    notifyReset();
}

int Dataset::FieldIndex(const QString &name) const
{
    const QString key = name.toUpper();
    const auto it = std::lower_bound(m_index.begin(), m_index.end(), key,
                                     [](const auto &e, const QString &k) { return e.first < k; });
    if (it == m_index.end() || it->first != key)
        return -1;
    return it->second;
}

Field *Dataset::FindField(const QString &name)
{
    const int i = FieldIndex(name);
    return i < 0 ? nullptr : m_fields[size_t(i)].get();
}

const Field *Dataset::FindField(const QString &name) const
{
    const int i = FieldIndex(name);
    return i < 0 ? nullptr : m_fields[size_t(i)].get();
}

Field &Dataset::FieldByName(const QString &name)
{
    if (Field *f = FindField(name))
        return *f;
    fail(QStringLiteral("Field '%1' not found").arg(name));
}

const Field &Dataset::FieldByName(const QString &name) const
{
    if (const Field *f = FindField(name))
        return *f;
    fail(QStringLiteral("Field '%1' not found").arg(name));
}

QVector<FieldDef> Dataset::FieldDefs() const
{
    QVector<FieldDef> defs;
    defs.reserve(int(m_fields.size()));
    for (const auto &f : m_fields)
        defs.push_back(FieldDef{f->FieldName(), f->DataType(), f->Size()});
    return defs;
}

void Dataset::Close()
{
    m_fields.clear();
    m_index.clear();
    m_pending.clear();
    m_rowCount = 0;
    m_cursor = 0;
    m_eof = m_bof = true;
    m_state = State::Inactive;
    m_editRow = -1;
    notifyReset();
}

void Dataset::BeginLoad(const QVector<FieldDef> &defs, int rowCountHint)
{
    m_fields.clear();
    m_pending.clear();
    m_state = State::Inactive;
    m_rowCount = 0;
    for (const FieldDef &def : defs) {
        const QString key = def.name.toUpper();
        for (const auto &f : m_fields)
            if (f->FieldName().toUpper() == key)
                fail(QStringLiteral("Duplicate field name '%1'").arg(def.name));
        m_fields.push_back(std::unique_ptr<Field>(new Field(this, def, int(m_fields.size()))));
        if (rowCountHint > 0)
            m_fields.back()->reserve(rowCountHint);
    }
    rebuildIndex();
}

void Dataset::EndLoad()
{
    const int rows = m_fields.empty() ? 0 : m_fields.front()->loadedCount();
    for (const auto &f : m_fields) {
        if (f->loadedCount() != rows) {
            const int got = f->loadedCount();
            const QString name = f->FieldName();
            for (auto &g : m_fields)
                g->clearRows();
            m_rowCount = 0;
            m_state = State::Browse;
            fail(QStringLiteral("Column '%1' has %2 values, expected %3")
                     .arg(name).arg(got).arg(rows));
        }
    }
    m_rowCount = rows;
    m_state = State::Browse;
    m_editRow = -1;
    First();
    notifyReset();
}

void Dataset::AppendLoaded(const Dataset &other)
{
    if (&other == this || other.FieldCount() != FieldCount())
        fail(QStringLiteral("Rows of another structure cannot be appended"));
    for (int c = 0; c < FieldCount(); ++c)
        if (m_fields[size_t(c)]->FieldName() != other.Fields(c).FieldName())
            fail(QStringLiteral("Rows of another structure cannot be appended"));
    for (int c = 0; c < FieldCount(); ++c)
        m_fields[size_t(c)]->appendAllFrom(other.Fields(c));
    m_rowCount = m_fields.empty() ? 0 : m_fields.front()->loadedCount();
    m_state = State::Browse;
    m_editRow = -1;
    First();
    notifyReset();
}

void Dataset::Assign(const Dataset &other)
{
    if (&other == this)
        return;
    BeginLoad(other.FieldDefs(), other.RecordCount());
    for (int c = 0; c < other.FieldCount(); ++c) {
        Field &dst = *m_fields[size_t(c)];
        const Field &src = other.Fields(c);
        dst.m_int32 = src.m_int32;
        dst.m_int64 = src.m_int64;
        dst.m_double = src.m_double;
        dst.m_bool = src.m_bool;
        dst.m_bytes = src.m_bytes;
        dst.m_pool = src.m_pool;
        dst.m_spans = src.m_spans;
        dst.m_long = src.m_long;
        dst.m_nulls = src.m_nulls;
        dst.m_displayFormat = src.m_displayFormat;
    }
    EndLoad();
}

int Dataset::currentRowForRead() const
{
    if (m_state == State::Insert || m_state == State::Edit)
        return m_editRow;
    if (m_eof && m_cursor >= m_rowCount)
        return m_rowCount > 0 ? m_rowCount - 1 : -1;  // at Eof the last row stays current
    return m_cursor;
}

void Dataset::SetRecNo(int row)
{
    if (m_rowCount == 0) {
        m_cursor = 0;
        m_eof = m_bof = true;
        return;
    }
    m_cursor = std::clamp(row, 0, m_rowCount - 1);
    m_eof = m_bof = false;
}

void Dataset::First()
{
    m_cursor = 0;
    m_bof = true;
    m_eof = m_rowCount == 0;
}

void Dataset::Last()
{
    m_cursor = m_rowCount > 0 ? m_rowCount - 1 : 0;
    m_eof = m_rowCount == 0;
    m_bof = m_rowCount == 0;
}

void Dataset::Next()
{
    m_bof = false;
    if (m_cursor + 1 < m_rowCount)
        ++m_cursor;
    else
        m_eof = true;
}

void Dataset::Prior()
{
    m_eof = false;
    if (m_cursor > 0)
        --m_cursor;
    else
        m_bof = true;
}

bool Dataset::Locate(const QString &fieldName, const QVariant &value)
{
    const Field &f = FieldByName(fieldName);
    const bool numeric = f.isNumeric() || f.DataType() == FieldType::Boolean;
    for (int row = 0; row < m_rowCount; ++row) {
        bool match;
        if (!value.isValid() || value.isNull())
            match = f.isNullAt(row);
        else if (f.isNullAt(row))
            match = false;
        else if (numeric)
            match = f.floatAt(row) == value.toDouble();
        else
            match = f.stringAt(row) == value.toString();
        if (match) {
            m_cursor = row;
            m_eof = m_bof = false;
            return true;
        }
    }
    return false;
}

void Dataset::requireEditable(const Field &field) const
{
    if (m_state != State::Edit && m_state != State::Insert)
        fail(QStringLiteral("Dataset not in edit or insert mode (field '%1')")
                 .arg(field.FieldName()));
}

void Dataset::Edit()
{
    if (m_state == State::Edit || m_state == State::Insert)
        return;
    if (m_rowCount == 0)
        fail(QStringLiteral("Cannot edit an empty dataset"));
    m_editRow = currentRowForRead();
    m_state = State::Edit;
    m_pending.clear();
}

void Dataset::Append()
{
    if (!Active())
        fail(QStringLiteral("Cannot append to a closed dataset"));
    if (m_state == State::Edit || m_state == State::Insert)
        Post();
    m_state = State::Insert;
    m_editRow = m_rowCount;
    m_pending.clear();
}

void Dataset::Post()
{
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    const bool inserting = m_state == State::Insert;
    const int row = m_editRow;
    // Convert every value before storing any, so a bad value leaves the row untouched.
    for (const auto &p : m_pending) {
        const Field &target = *m_fields[size_t(p.first)];
        Field check(nullptr, FieldDef{target.FieldName(), target.DataType(), 0}, 0);
        check.appendVariant(p.second);
    }
    std::vector<std::pair<int, QVariant>> pending;
    pending.swap(m_pending);
    if (inserting) {
        notify([row](DatasetObserver *o) { o->datasetRowsAboutToBeInserted(row, row); });
        for (auto &f : m_fields)
            f->growTo(row + 1);
    }
    for (const auto &p : pending)
        m_fields[size_t(p.first)]->storeAt(row, p.second);
    m_state = State::Browse;
    m_editRow = -1;
    if (inserting) {
        m_rowCount = row + 1;
        m_cursor = row;
        m_eof = m_bof = false;
        notify([row](DatasetObserver *o) { o->datasetRowsInserted(row, row); });
    } else {
        notifyRowChanged(row);
    }
}

void Dataset::Cancel()
{
    if (m_state == State::Edit || m_state == State::Insert) {
        m_state = State::Browse;
        m_editRow = -1;
        m_pending.clear();
    }
}

void Dataset::Delete()
{
    Cancel();
    if (m_rowCount == 0)
        fail(QStringLiteral("Cannot delete from an empty dataset"));
    const int row = currentRowForRead();
    notify([row](DatasetObserver *o) { o->datasetRowAboutToBeRemoved(row); });
    for (auto &f : m_fields)
        f->eraseRow(row);
    --m_rowCount;
    if (m_cursor >= m_rowCount)
        m_cursor = std::max(0, m_rowCount - 1);
    m_eof = m_rowCount == 0;
    m_bof = m_rowCount == 0;
    notify([row](DatasetObserver *o) { o->datasetRowRemoved(row); });
}

void Dataset::EmptyDataSet()
{
    Cancel();
    for (auto &f : m_fields)
        f->clearRows();
    m_rowCount = 0;
    First();
    notifyReset();
}

void Dataset::AppendRecord(const QVector<QVariant> &values)
{
    Append();
    for (int i = 0; i < values.size() && i < FieldCount(); ++i)
        Fields(i).SetValue(values[i]);
    Post();
}

void Dataset::DisableControls()
{
    ++m_disableCount;
}

void Dataset::EnableControls()
{
    if (m_disableCount == 0)
        return;
    if (--m_disableCount == 0 && m_changedWhileDisabled) {
        m_changedWhileDisabled = false;
        notifyReset();
    }
}

void Dataset::addObserver(DatasetObserver *observer)
{
    if (std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
        m_observers.push_back(observer);
}

void Dataset::removeObserver(DatasetObserver *observer)
{
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer),
                      m_observers.end());
}

template <typename F> void Dataset::notify(F &&report)
{
    if (m_disableCount > 0) {
        m_changedWhileDisabled = true;
        return;
    }
    for (auto *o : std::vector<DatasetObserver *>(m_observers))
        report(o);
}

void Dataset::notifyReset()
{
    notify([](DatasetObserver *o) { o->datasetReset(); });
}

void Dataset::notifyRowChanged(int row)
{
    notify([row](DatasetObserver *o) { o->datasetRowChanged(row); });
}

size_t Dataset::memoryUsage() const
{
    size_t total = sizeof(Dataset);
    for (const auto &f : m_fields)
        total += sizeof(Field) + f->memoryUsage();
    return total;
}
