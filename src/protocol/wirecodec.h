#pragma once

#include "wiremessage.h"
#include "wirevalue.h"

#include <QByteArray>
#include <QJsonValue>

class CborReader;
class CborWriter;

// CBOR encoding of messages and values (docs/protocol.md). Decoding throws ProtocolError
// on anything malformed and never trusts an announced length beyond the bytes present.
namespace WireCodec {

inline constexpr int kMaxDepth = 32;
inline constexpr qint64 kProtocolVersion = 1;

QByteArray encodeMessage(const WireMessage &message);
WireMessage decodeMessage(const QByteArray &payload);

void writeValue(CborWriter &writer, const WireValue &value);
// `payload` is the buffer the reader runs over; tables keep a share of it.
WireValue readValue(CborReader &reader, const QByteArray &payload, int depth = 0);
// One value on its own (objects as parameters, tests, fuzzing); nothing may follow it.
QByteArray encodeValue(const WireValue &value);
WireValue decodeValue(const QByteArray &bytes);

// The JSON rendering of a value (telvin-call, docs): tables and data packets as
// {"table"|"packet": {"columns": [...], "rows": n, "data": [[...], ...]}}, streams as
// {"stream": "<base64>"}, objects as {"type", "id", "fields"}.
QJsonValue toJson(const WireValue &value);
// The reverse for scalars, objects and arrays (arguments typed on a command line).
WireValue fromJson(const QJsonValue &json);

// Reader helpers that name what was expected when the item is of another type.
QString readText(CborReader &reader);
qint64 readInteger(CborReader &reader);

} // namespace WireCodec
