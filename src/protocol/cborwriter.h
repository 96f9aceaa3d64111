#pragma once

#include <QByteArray>
#include <QLatin1String>
#include <QStringView>

// Appends CBOR (RFC 8949) items to a byte array: shortest heads, definite lengths,
// doubles always as 64-bit floats. Writing straight into the buffer keeps a 4-million-cell
// table from paying a QIODevice call per item, as QCborStreamWriter does. The array holds
// spare room while the writer lives; its destructor trims it to what was written.
class CborWriter
{
public:
    explicit CborWriter(QByteArray &out)
        : m_out(out)
        , m_used(out.size())
    {
    }
    ~CborWriter() { m_out.resize(m_used); }
    CborWriter(const CborWriter &) = delete;
    CborWriter &operator=(const CborWriter &) = delete;

    // Room for `bytes` more: one allocation up front instead of copies while growing.
    void reserve(qsizetype bytes);

    void startArray(quint64 count) { head(4, count); }
    void startMap(quint64 count) { head(5, count); }
    void append(qint64 v)
    {
        if (v >= 0)
            head(0, quint64(v));
        else
            head(1, quint64(-1 - v));
    }
    void append(int v) { append(qint64(v)); }
    void append(double v);
    void append(bool v) { *room(1) = char(v ? 0xf5 : 0xf4); }
    void appendNull() { *room(1) = char(0xf6); }
    void append(QStringView text);
    void append(QLatin1String ascii); // keys and type names: ASCII only
    void appendBytes(QByteArrayView bytes);

private:
    void head(int major, quint64 argument);
    void put(const char *data, qsizetype size);
    // Claims `size` bytes at the end and returns where they start.
    char *room(qsizetype size)
    {
        if (m_out.size() - m_used < size)
            grow(size);
        char *at = m_out.data() + m_used;
        m_used += size;
        return at;
    }
    void grow(qsizetype size);

    QByteArray &m_out;
    qsizetype m_used;
};
