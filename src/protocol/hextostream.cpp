#include "hextostream.h"

#include "wireerror.h"

namespace {

int digit(QChar c, const QString &pair)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    throw ConversionError(QStringLiteral("'%1' is not a valid hexadecimal value").arg(pair));
}

} // namespace

std::unique_ptr<QBuffer> HexToStream(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size() / 2 + 1);
    for (qsizetype i = 0; i < text.size(); i += 2) {
        const QString pair = text.mid(i, 2);
        int value = digit(pair[0], pair);
        if (pair.size() == 2)
            value = value * 16 + digit(pair[1], pair);
        bytes.append(char(value));
    }
    auto stream = std::make_unique<QBuffer>();
    stream->setData(bytes);
    stream->open(QIODevice::ReadOnly);
    return stream;
}
