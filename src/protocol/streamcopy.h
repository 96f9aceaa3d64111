#pragma once

#include <QByteArray>

#include <optional>

class QIODevice;

// The one way every caller takes a stream result: from position 0, in blocks of 1024
// bytes until a read returns fewer; the copy counts only if its length equals the size
// the server announced. An announced size of 0 (or no stream) yields nothing.
std::optional<QByteArray> copyStreamResult(QIODevice *stream, qint64 announcedSize);
