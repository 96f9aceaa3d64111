#include "cborreader.h"

#include "wireerror.h"

#include <QtEndian>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr quint8 kBreak = 0xff;

// Half-precision to double (RFC 8949, appendix D).
double halfToDouble(quint16 half)
{
    const int exponent = (half >> 10) & 0x1f;
    const int mantissa = half & 0x3ff;
    double value;
    if (exponent == 0)
        value = std::ldexp(mantissa, -24);
    else if (exponent != 31)
        value = std::ldexp(mantissa + 1024, exponent - 25);
    else
        value = mantissa == 0 ? std::numeric_limits<double>::infinity()
                              : std::numeric_limits<double>::quiet_NaN();
    return (half & 0x8000) ? -value : value;
}

} // namespace

CborReader::CborReader(QByteArrayView data)
    : m_data(data)
{
}

void CborReader::fail(const char *what)
{
    throw ProtocolError(QStringLiteral("Invalid CBOR: %1").arg(QLatin1String(what)));
}

quint8 CborReader::peekByte() const
{
    if (m_pos >= m_data.size())
        fail("unexpected end of data");
    return quint8(m_data[m_pos]);
}

CborReader::Type CborReader::type() const
{
    const quint8 initial = peekByte();
    switch (initial >> 5) {
    case 0:
        return Type::UnsignedInteger;
    case 1:
        return Type::NegativeInteger;
    case 2:
        return Type::ByteString;
    case 3:
        return Type::TextString;
    case 4:
        return Type::Array;
    case 5:
        return Type::Map;
    case 6:
        return Type::Tag;
    }
    switch (initial & 0x1f) {
    case 20:
    case 21:
        return Type::Boolean;
    case 22:
        return Type::Null;
    case 25:
    case 26:
    case 27:
        return Type::Float;
    }
    return Type::Other;
}

bool CborReader::isInteger() const
{
    const Type t = type();
    return t == Type::UnsignedInteger || t == Type::NegativeInteger;
}

bool CborReader::readHead(int major, quint64 &argument)
{
    const quint8 initial = peekByte();
    if (initial >> 5 != major)
        fail("unexpected item type");
    const int info = initial & 0x1f;
    ++m_pos;
    if (info < 24) {
        argument = quint64(info);
        return true;
    }
    if (info == 31) {
        if (major < 2 || major > 5)
            fail("indefinite length on an item that has none");
        return false;
    }
    if (info > 27)
        fail("reserved additional information");
    const qsizetype width = qsizetype(1) << (info - 24);
    if (m_data.size() - m_pos < width)
        fail("unexpected end of data");
    const auto *p = reinterpret_cast<const uchar *>(m_data.data() + m_pos);
    switch (width) {
    case 1:
        argument = *p;
        break;
    case 2:
        argument = qFromBigEndian<quint16>(p);
        break;
    case 4:
        argument = qFromBigEndian<quint32>(p);
        break;
    default:
        argument = qFromBigEndian<quint64>(p);
        break;
    }
    m_pos += width;
    return true;
}

qint64 CborReader::readInteger()
{
    const quint8 initial = peekByte();
    quint64 raw = 0;
    if (initial >> 5 == 0) {
        readHead(0, raw);
        if (raw > quint64(std::numeric_limits<qint64>::max()))
            throw ProtocolError(QStringLiteral("Integer out of the 64-bit range"));
        return qint64(raw);
    }
    readHead(1, raw); // the value is -1 - raw
    if (raw > quint64(std::numeric_limits<qint64>::max()))
        throw ProtocolError(QStringLiteral("Integer out of the 64-bit range"));
    return -1 - qint64(raw);
}

bool CborReader::tryReadDouble(double &value)
{
    if (m_data.size() - m_pos < 9 || quint8(m_data[m_pos]) != 0xfb)
        return false;
    const quint64 bits = qFromBigEndian<quint64>(m_data.data() + m_pos + 1);
    std::memcpy(&value, &bits, sizeof value);
    m_pos += 9;
    return true;
}

bool CborReader::skipScalar()
{
    const quint8 initial = peekByte();
    const int major = initial >> 5;
    const int info = initial & 0x1f;
    if (info > 27 || (major == 7 && info < 25) || major == 4 || major == 5 || major == 6)
        return false;
    quint64 argument = 0;
    if (major == 7) {
        readFloat();
        return true;
    }
    readHead(major, argument);
    if (major == 2 || major == 3) {
        if (argument > quint64(m_data.size() - m_pos))
            fail("string length beyond the data");
        m_pos += qsizetype(argument);
    }
    return true;
}

double CborReader::readFloat()
{
    const quint8 initial = peekByte();
    const auto *p = reinterpret_cast<const uchar *>(m_data.data() + m_pos + 1);
    const qsizetype left = m_data.size() - m_pos - 1;
    switch (initial) {
    case 0xf9:
        if (left < 2)
            fail("unexpected end of data");
        m_pos += 3;
        return halfToDouble(qFromBigEndian<quint16>(p));
    case 0xfa: {
        if (left < 4)
            fail("unexpected end of data");
        const quint32 bits = qFromBigEndian<quint32>(p);
        float f;
        std::memcpy(&f, &bits, sizeof f);
        m_pos += 5;
        return double(f);
    }
    case 0xfb: {
        if (left < 8)
            fail("unexpected end of data");
        const quint64 bits = qFromBigEndian<quint64>(p);
        double d;
        std::memcpy(&d, &bits, sizeof d);
        m_pos += 9;
        return d;
    }
    }
    fail("expected a float");
}

bool CborReader::readBool()
{
    const quint8 initial = peekByte();
    if (initial != 0xf4 && initial != 0xf5)
        fail("expected a boolean");
    ++m_pos;
    return initial == 0xf5;
}

void CborReader::readNull()
{
    if (peekByte() != 0xf6)
        fail("expected null");
    ++m_pos;
}

QByteArrayView CborReader::readString(int major, QByteArray &scratch)
{
    quint64 length = 0;
    if (readHead(major, length)) {
        if (length > quint64(m_data.size() - m_pos))
            fail("string length beyond the data");
        const QByteArrayView view = m_data.sliced(m_pos, qsizetype(length));
        m_pos += qsizetype(length);
        return view;
    }
    // Chunks of the same major type, each of definite length, up to a break.
    scratch.clear();
    while (peekByte() != kBreak) {
        if (peekByte() >> 5 != major || (peekByte() & 0x1f) == 31)
            fail("bad chunk in an indefinite-length string");
        QByteArray none;
        scratch += readString(major, none);
    }
    ++m_pos;
    return scratch;
}

QByteArrayView CborReader::readUtf8(QByteArray &scratch)
{
    const QByteArrayView utf8 = readString(3, scratch);
    if (!utf8.isValidUtf8())
        fail("text string is not valid UTF-8");
    return utf8;
}

QString CborReader::readText()
{
    QByteArray scratch;
    return QString::fromUtf8(readUtf8(scratch));
}

QByteArray CborReader::readBytes()
{
    QByteArray scratch;
    const QByteArrayView bytes = readString(2, scratch);
    return bytes.data() == scratch.constData() ? scratch : bytes.toByteArray();
}

CborReader::Container CborReader::enterArray()
{
    quint64 count = 0;
    if (!readHead(4, count))
        return { -1 };
    // Every item takes at least one byte.
    if (count > quint64(m_data.size() - m_pos))
        fail("array length beyond the data");
    return { qint64(count) };
}

CborReader::Container CborReader::enterMap()
{
    quint64 count = 0;
    if (!readHead(5, count))
        return { -1 };
    if (count > quint64(m_data.size() - m_pos) / 2)
        fail("map length beyond the data");
    return { qint64(count) };
}

bool CborReader::hasNext(Container &c)
{
    if (c.left < 0) {
        if (peekByte() != kBreak)
            return true;
        ++m_pos;
        c.left = 0;
        return false;
    }
    if (c.left == 0)
        return false;
    --c.left;
    return true;
}

void CborReader::leave(Container &c)
{
    if (hasNext(c))
        throw ProtocolError(QStringLiteral("Unexpected item in container"));
}

void CborReader::skip(int maxDepth)
{
    if (maxDepth < 0)
        throw ProtocolError(QStringLiteral("Values nested too deeply"));
    const quint8 initial = peekByte();
    const int major = initial >> 5;
    quint64 argument = 0;
    QByteArray scratch;
    switch (major) {
    case 0:
    case 1:
        readHead(major, argument);
        return;
    case 2:
    case 3:
        readString(major, scratch);
        return;
    case 4:
    case 5: {
        Container c = major == 4 ? enterArray() : enterMap();
        while (hasNext(c)) {
            // Columns of a table are long runs of scalars: no call per cell.
            if (!skipScalar())
                skip(maxDepth - 1);
            if (major == 5 && !skipScalar())
                skip(maxDepth - 1);
        }
        return;
    }
    case 6:
        readHead(6, argument);
        skip(maxDepth - 1);
        return;
    }
    const int info = initial & 0x1f;
    if (info < 24) {
        ++m_pos;
    } else if (info == 24) {
        if (m_data.size() - m_pos < 2 || quint8(m_data[m_pos + 1]) < 32)
            fail("bad simple value");
        m_pos += 2;
    } else if (info >= 25 && info <= 27) {
        readFloat();
    } else {
        fail(info == 31 ? "unexpected break" : "reserved additional information");
    }
}
