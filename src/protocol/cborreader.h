#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// A pull reader over CBOR (RFC 8949) held in memory. It reads straight from the bytes
// (QCborStreamReader costs several times more per item, which shows on 4 million table
// cells) and checks every head and length against the bytes left, so a hostile length can
// never make it read or allocate beyond the buffer. Errors throw ProtocolError.
class CborReader
{
public:
    enum class Type {
        UnsignedInteger,
        NegativeInteger,
        ByteString,
        TextString,
        Array,
        Map,
        Tag,
        Boolean,
        Null,
        Float, // half, single or double precision
        Other, // undefined, other simple values, the break code
    };

    // Items of an array, or pairs of a map; `left` is -1 for an indefinite length.
    struct Container
    {
        qint64 left = 0;
    };

    explicit CborReader(QByteArrayView data);

    qsizetype offset() const { return m_pos; }
    bool atEnd() const { return m_pos >= m_data.size(); }
    Type type() const;
    bool isNull() const { return type() == Type::Null; }
    bool isInteger() const;
    bool isText() const { return type() == Type::TextString; }

    qint64 readInteger(); // within the signed 64-bit range
    // Table cells: reads an 8-byte float if one is next; false (nothing read) otherwise.
    bool tryReadDouble(double &value);
    double readFloat(); // any float width; integers are refused
    bool readBool();
    void readNull();
    QString readText();
    // The UTF-8 bytes of a text string, checked. A chunked string is joined in `scratch`.
    QByteArrayView readUtf8(QByteArray &scratch);
    // The same without the UTF-8 check, for a caller that checks while it converts.
    QByteArrayView readUtf8Unchecked(QByteArray &scratch) { return readString(3, scratch); }
    QByteArray readBytes();

    Container enterArray();
    Container enterMap();
    // True while the container has another item (map: another key); consumes a break.
    bool hasNext(Container &container);
    // Throws unless the container has been read to its end.
    void leave(Container &container);

    // Skips one whole item, nested at most `maxDepth` deep.
    void skip(int maxDepth);

    [[noreturn]] static void fail(const char *what);

private:
    quint8 peekByte() const;
    // Skips an integer, a float or a definite-length string; false for anything else.
    bool skipScalar();
    // Reads a head of major type `major`; returns false for an indefinite length.
    bool readHead(int major, quint64 &argument);
    QByteArrayView readString(int major, QByteArray &scratch);

    QByteArrayView m_data;
    qsizetype m_pos = 0;
};
