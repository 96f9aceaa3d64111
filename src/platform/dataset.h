#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <QVector>

#include <cstdint>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

class Dataset;

enum class FieldType : quint8 {
    Integer,   // 32-bit
    LargeInt,  // 64-bit
    Float,     // plain double: the only kind that takes the amount format
    Currency,  // double with a currency meaning; keeps its own format
    String,
    Memo,
    Boolean,
    Date,      // day number (days since 1899-12-30), whole
    DateTime,  // day number with the time as fraction
    Blob
};

QString fieldTypeName(FieldType type);

struct FieldDef
{
    QString name;
    FieldType type = FieldType::String;
    int size = 0;  // declared length of string fields; informative only
};

// Day numbers as the server sends them: days since 1899-12-30, time as fraction.
double dateToDayNumber(const QDate &date);
double dateTimeToDayNumber(const QDateTime &dateTime);
QDate dayNumberToDate(double day);
QDateTime dayNumberToDateTime(double day);

// Leaves new elements of a plain type unset, so a buffer written right after it grows is
// not cleared first.
template <typename T>
struct UninitializedAllocator : std::allocator<T>
{
    template <typename U>
    struct rebind
    {
        using other = UninitializedAllocator<U>;
    };
    UninitializedAllocator() = default;
    template <typename U>
    UninitializedAllocator(const UninitializedAllocator<U> &) noexcept
    {
    }
    template <typename U>
    void construct(U *p) noexcept(std::is_nothrow_default_constructible_v<U>)
    {
        ::new (static_cast<void *>(p)) U;
    }
    template <typename U, typename... Args>
    void construct(U *p, Args &&...args)
    {
        ::new (static_cast<void *>(p)) U(std::forward<Args>(args)...);
    }
};

// One column of a Dataset. Values live in a typed column store; the accessors without a
// row argument read and write the dataset's current row (writes need Edit or Append).
class Field
{
public:
    const QString &FieldName() const { return m_name; }
    FieldType DataType() const { return m_type; }
    int Size() const { return m_size; }
    int Index() const { return m_index; }
    bool isNumeric() const;

    const QString &DisplayFormat() const { return m_displayFormat; }
    void SetDisplayFormat(const QString &format) { m_displayFormat = format; }

    // Current row.
    bool IsNull() const;
    QVariant Value() const;
    int AsInteger() const;
    qint64 AsLargeInt() const;
    double AsFloat() const;
    QString AsString() const;
    bool AsBoolean() const;
    QDateTime AsDateTime() const;
    QByteArray AsBytes() const;
    QString DisplayText() const;

    void SetValue(const QVariant &value);
    void SetAsInteger(int v) { SetValue(v); }
    void SetAsFloat(double v) { SetValue(v); }
    void SetAsString(const QString &v) { SetValue(v); }
    void SetAsBoolean(bool v) { SetValue(v); }
    void Clear() { SetValue(QVariant()); }

    // Random access by row (0-based), independent of the cursor.
    bool isNullAt(int row) const;
    QVariant valueAt(int row) const;
    qint64 intAt(int row) const;        // Integer, LargeInt, Boolean; other kinds convert
    double floatAt(int row) const;      // numeric and date kinds; strings parse; null is 0
    QString stringAt(int row) const;    // plain text of the value (no display format)
    QString displayTextAt(int row) const;  // with the display format applied

    // Bulk loading (between Dataset::BeginLoad and EndLoad), one value per row in order.
    void reserve(int rows);
    // Reserves for `rows` rows in all, judging text sizes by the rows loaded so far.
    void reserveLikeLoaded(int rows);
    void appendNull();
    void appendInt(qint64 v);           // Integer, LargeInt, Boolean
    void appendFloat(double v);         // Float, Currency, Date, DateTime
    void appendString(QStringView v);   // String, Memo
    void appendUtf8(const char *data, qsizetype bytes);  // String, Memo; decoded in place
    void appendBytes(const QByteArray &v);
    void appendVariant(const QVariant &v);  // any kind, converted
    void appendAllFrom(const Field &other);  // every value of another loaded column
    int loadedCount() const;

    // Bytes held by this column's storage (for measurements).
    size_t memoryUsage() const;

private:
    friend class Dataset;
    Field(Dataset *owner, const FieldDef &def, int index);

    void storeAt(int row, const QVariant &value);
    void setNullFlag(int row, bool isNull);
    void growTo(int rows);
    void eraseRow(int row);
    void clearRows();
    QStringView stringViewAt(int row) const;

    Dataset *m_owner;
    QString m_name;
    FieldType m_type;
    int m_size;
    int m_index;
    QString m_displayFormat;

    // Exactly one store is used, chosen by the type.
    std::vector<qint32> m_int32;
    std::vector<qint64> m_int64;
    std::vector<double> m_double;
    std::vector<quint8> m_bool;
    std::vector<QByteArray> m_bytes;
    // Strings share one UTF-16 pool; each cell is (offset, length) into it.
    std::vector<char16_t, UninitializedAllocator<char16_t>> m_pool;
    std::vector<quint64> m_spans;  // offset << 24 | length; long texts go to m_long
    std::vector<QString> m_long;
    // Null flags, allocated on the first null.
    std::vector<quint8> m_nulls;
};

// Receives change reports of a Dataset. A model attaches itself while it shows the data;
// a dataset being filled by a worker has no observer attached.
class DatasetObserver
{
public:
    virtual ~DatasetObserver() = default;
    virtual void datasetReset() = 0;                 // fields or rows replaced
    virtual void datasetRowChanged(int row) = 0;     // one row posted
    virtual void datasetRowsAboutToBeInserted(int first, int last) = 0;
    virtual void datasetRowsInserted(int first, int last) = 0;
    virtual void datasetRowAboutToBeRemoved(int row) = 0;
    virtual void datasetRowRemoved(int row) = 0;
};

// The in-memory table of the client: typed fields, columnar storage and a cursor.
class Dataset
{
public:
    enum class State { Inactive, Browse, Edit, Insert };

    Dataset();
    ~Dataset();
    Dataset(const Dataset &) = delete;
    Dataset &operator=(const Dataset &) = delete;

    // Structure. Defining fields opens the dataset empty.
    void SetFields(const QVector<FieldDef> &defs);
    void AddField(const FieldDef &def);  // only while the dataset holds no rows
    int FieldCount() const { return int(m_fields.size()); }
    Field &Fields(int index) { return *m_fields[size_t(index)]; }
    const Field &Fields(int index) const { return *m_fields[size_t(index)]; }
    Field *FindField(const QString &name);
    const Field *FindField(const QString &name) const;
    Field &FieldByName(const QString &name);  // throws std::runtime_error when missing
    const Field &FieldByName(const QString &name) const;
    int FieldIndex(const QString &name) const;  // -1 when missing; case-insensitive
    QVector<FieldDef> FieldDefs() const;

    bool Active() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    void Close();  // drops fields and rows

    // Loading in one piece: define, fill each Field with append*, then EndLoad.
    void BeginLoad(const QVector<FieldDef> &defs, int rowCountHint = 0);
    void EndLoad();  // checks that every column has the same length; resets the cursor
    // Appends every row of another loaded dataset with the same fields (one answer read in
    // parts); the cursor goes to the first row.
    void AppendLoaded(const Dataset &other);
    // Replaces this dataset's fields and rows with a deep copy of another's.
    void Assign(const Dataset &other);

    // Cursor.
    int RecordCount() const { return m_rowCount; }
    bool IsEmpty() const { return m_rowCount == 0; }
    int RecNo() const { return m_cursor; }  // 0-based current row; the last row at Eof
    void SetRecNo(int row);
    void First();
    void Last();
    void Next();
    void Prior();
    bool Eof() const { return m_eof; }
    bool Bof() const { return m_bof; }
    bool Locate(const QString &fieldName, const QVariant &value);

    // Editing the current row: Edit or Append, set fields, Post (or Cancel).
    void Edit();
    void Append();
    void Post();
    void Cancel();
    void Delete();
    void EmptyDataSet();
    // Appends a whole row of values in field order (a convenience for small tables).
    void AppendRecord(const QVector<QVariant> &values);

    // While disabled no change is reported; enabling reports one reset if anything changed.
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return m_disableCount > 0; }

    void addObserver(DatasetObserver *observer);
    void removeObserver(DatasetObserver *observer);

    size_t memoryUsage() const;

private:
    friend class Field;
    int currentRowForRead() const;
    void requireEditable(const Field &field) const;
    void notifyReset();
    void notifyRowChanged(int row);
    template <typename F> void notify(F &&report);
    void rebuildIndex();

    std::vector<std::unique_ptr<Field>> m_fields;
    std::vector<std::pair<QString, int>> m_index;  // upper-cased name -> field index
    int m_rowCount = 0;
    int m_cursor = 0;
    bool m_eof = true;
    bool m_bof = true;
    State m_state = State::Inactive;
    int m_editRow = -1;
    std::vector<std::pair<int, QVariant>> m_pending;  // field index -> value while editing
    int m_disableCount = 0;
    bool m_changedWhileDisabled = false;
    std::vector<DatasetObserver *> m_observers;
};
