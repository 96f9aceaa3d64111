// Bytes as they would arrive on a connection: frames are cut by the frame reader, each
// payload decoded as a message, and every table or data packet in it loaded into a Dataset.

#include "dataset.h"
#include "socketstream.h"
#include "wirecodec.h"
#include "wiretable.h"

#include <sys/socket.h>

#include <cstdint>
#include <exception>
#include <thread>

namespace {

void load(const WireValue &value)
{
    switch (value.kind()) {
    case WireValue::Kind::Table:
    case WireValue::Kind::Packet: {
        Dataset rows;
        value.toTable()->loadInto(rows);
        // What was accepted must encode and decode to the same shape.
        const QByteArray again = WireCodec::encodeValue(value);
        Dataset back;
        WireCodec::decodeValue(again).toTable()->loadInto(back);
        if (back.RecordCount() != rows.RecordCount() || back.FieldCount() != rows.FieldCount())
            __builtin_trap();
        return;
    }
    case WireValue::Kind::Array:
        for (const WireValue &item : value.toArray())
            load(item);
        return;
    case WireValue::Kind::Object:
        for (const auto &field : value.toObject().fields)
            load(field.second);
        return;
    default:
        return;
    }
}

void decode(const QByteArray &payload)
{
    try {
        const WireMessage m = WireCodec::decodeMessage(payload);
        for (const WireValue &p : m.params)
            load(p);
        if (m.hasResult)
            load(m.result);
        WireCodec::toJson(m.result);
    } catch (const std::exception &) {
        // rejected input is the expected outcome for most of it
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The payload decoder on its own, then the same bytes through the frame reader.
    decode(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));

    int fds[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0)
        return 0;
    SocketStream reader(fds[0]);
    std::thread writer([&] {
        SocketStream out(fds[1]);
        try {
            out.writeAll(reinterpret_cast<const char *>(data), qsizetype(size), 5000);
        } catch (const std::exception &) {
        }
    }); // closing `out` ends the stream
    FrameIO::ReadLimits limits;
    limits.maxPayload = 1024 * 1024;
    limits.firstByteTimeoutMs = 5000;
    limits.byteTimeoutMs = 5000;
    try {
        while (const auto frame = FrameIO::readFrame(reader, limits))
            decode(*frame);
    } catch (const std::exception &) {
    }
    reader.shutdown(); // a writer blocked on a full buffer gives up
    writer.join();
    return 0;
}
