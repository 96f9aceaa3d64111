#pragma once

#include <QString>

#include <stdexcept>

// A refused or failed call; the message travels to the client as the call's error.
class ServiceError : public std::runtime_error
{
public:
    explicit ServiceError(const QString &message)
        : std::runtime_error(message.toUtf8().toStdString())
    {
    }
};
