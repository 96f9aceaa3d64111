#include "streamcopy.h"

#include <QIODevice>

std::optional<QByteArray> copyStreamResult(QIODevice *stream, qint64 announcedSize)
{
    constexpr qint64 kBlock = 1024;
    if (!stream || announcedSize == 0)
        return std::nullopt;
    if (!stream->isOpen() && !stream->open(QIODevice::ReadOnly))
        return std::nullopt;
    stream->seek(0);
    QByteArray copy;
    char block[kBlock];
    for (;;) {
        const qint64 n = stream->read(block, kBlock);
        if (n > 0)
            copy.append(block, n);
        if (n < kBlock)
            break;
    }
    if (copy.size() != announcedSize)
        return std::nullopt;
    return copy;
}
