#include "cborwriter.h"

#include "largebuffer.h"

#include <QtEndian>

#include <cstring>

void CborWriter::reserve(qsizetype bytes)
{
    if (m_out.size() - m_used < bytes) {
        m_out.resize(m_used + bytes);
        LargeBuffer::adviseHugePages(m_out.data(), m_out.size());
    }
}

void CborWriter::grow(qsizetype size)
{
    m_out.resize(qMax(m_used + size, qMax<qsizetype>(256, m_out.size() * 2)));
    LargeBuffer::adviseHugePages(m_out.data(), m_out.size());
}

void CborWriter::put(const char *data, qsizetype size)
{
    if (size > 0)
        std::memcpy(room(size), data, size_t(size));
}

void CborWriter::head(int major, quint64 argument)
{
    char buffer[9];
    const char type = char(major << 5);
    qsizetype size;
    if (argument < 24) {
        buffer[0] = char(type | char(argument));
        size = 1;
    } else if (argument <= 0xff) {
        buffer[0] = char(type | 24);
        buffer[1] = char(argument);
        size = 2;
    } else if (argument <= 0xffff) {
        buffer[0] = char(type | 25);
        qToBigEndian(quint16(argument), buffer + 1);
        size = 3;
    } else if (argument <= 0xffffffffu) {
        buffer[0] = char(type | 26);
        qToBigEndian(quint32(argument), buffer + 1);
        size = 5;
    } else {
        buffer[0] = char(type | 27);
        qToBigEndian(argument, buffer + 1);
        size = 9;
    }
    put(buffer, size);
}

void CborWriter::append(double v)
{
    char buffer[9];
    buffer[0] = char(0xfb);
    quint64 bits;
    std::memcpy(&bits, &v, sizeof bits);
    qToBigEndian(bits, buffer + 1);
    put(buffer, 9);
}

void CborWriter::append(QStringView text)
{
    const char16_t *units = text.utf16();
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size && units[i] < 0x80)
        ++i;
    if (i < size) {
        const QByteArray utf8 = text.toUtf8();
        head(3, quint64(utf8.size()));
        put(utf8.constData(), utf8.size());
        return;
    }
    // ASCII, by far the common case: narrow in place.
    head(3, quint64(size));
    char *out = room(size);
    for (qsizetype k = 0; k < size; ++k)
        out[k] = char(units[k]);
}

void CborWriter::append(QLatin1String ascii)
{
    head(3, quint64(ascii.size()));
    put(ascii.data(), ascii.size());
}

void CborWriter::appendBytes(QByteArrayView bytes)
{
    head(2, quint64(bytes.size()));
    put(bytes.data(), bytes.size());
}
