#pragma once

#include <stdexcept>
#include <string>

#include <QString>

// A message that breaks the wire format (bad frame, bad CBOR, wrong value kinds), or a
// transport failure (connect, time-out, lost peer).
class ProtocolError : public std::runtime_error
{
public:
    explicit ProtocolError(const QString &message)
        : std::runtime_error(message.toStdString())
    {
    }
};

// The server answered the call with an error; what() is the server's message.
class RemoteError : public std::runtime_error
{
public:
    explicit RemoteError(const QString &message)
        : std::runtime_error(message.toStdString())
    {
    }
};

// Text that cannot be converted (a non-hexadecimal picture digit, a bad argument text).
class ConversionError : public std::runtime_error
{
public:
    explicit ConversionError(const QString &message)
        : std::runtime_error(message.toStdString())
    {
    }
};

// An operation on an object in the wrong state (a proxy on a nil connection).
class InvalidOperation : public std::runtime_error
{
public:
    explicit InvalidOperation(const QString &message)
        : std::runtime_error(message.toStdString())
    {
    }
};

// A frame announced larger than the receiver accepts; nothing of it was allocated.
class FrameTooLarge : public ProtocolError
{
public:
    using ProtocolError::ProtocolError;
};
