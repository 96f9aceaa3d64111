// A value decoded from CBOR and, when it is an object, unmarshalled into its transfer
// class; an accepted object must marshal back to a form that unmarshals to the same.

#include "transferobject.h"
#include "wirecodec.h"

#include <cstdint>
#include <exception>

namespace {

void unmarshal(const WireValue &value)
{
    if (value.kind() == WireValue::Kind::Array) {
        for (const WireValue &item : value.toArray())
            unmarshal(item);
        return;
    }
    if (value.kind() != WireValue::Kind::Object)
        return;
    const auto object = TransferObject::fromWire(value.toObject());
    const QByteArray once = WireCodec::encodeValue(object->toWire());
    const auto again = TransferObject::fromWire(WireCodec::decodeValue(once).toObject());
    if (WireCodec::encodeValue(again->toWire()) != once)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    try {
        unmarshal(WireCodec::decodeValue(
            QByteArray(reinterpret_cast<const char *>(data), qsizetype(size))));
    } catch (const std::exception &) {
        // rejected input is the expected outcome for most of it
    }
    return 0;
}
