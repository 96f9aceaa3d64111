#pragma once

#include "wiremessage.h"

#include <QByteArray>

class MethodRegistry;

// Turns one request payload into one answer payload: decodes the call, checks the method,
// the argument count and kinds against the catalogue, runs the handler and encodes its
// out values and result. Every failure becomes an error answer; nothing escapes.
class Dispatcher
{
public:
    explicit Dispatcher(const MethodRegistry &registry)
        : m_registry(registry)
    {
    }

    QByteArray handle(const QByteArray &payload) const;
    WireMessage dispatch(const WireMessage &call) const;

private:
    const MethodRegistry &m_registry;
};
