#pragma once

#include <QBuffer>
#include <QString>

#include <memory>

// Hexadecimal text (two digits per byte, a lone last digit as a byte of its own) to a
// stream of bytes positioned at its start. A non-hexadecimal character throws
// ConversionError.
std::unique_ptr<QBuffer> HexToStream(const QString &text);
