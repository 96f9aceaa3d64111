#pragma once

#include <stdexcept>

#include <QString>

// A failure of the storage; the message is fit to travel back to the caller.
class StorageError : public std::runtime_error
{
public:
    explicit StorageError(const QString &message, bool busy = false)
        : std::runtime_error(message.toStdString()), m_busy(busy)
    {
    }
    bool isBusy() const { return m_busy; }

private:
    bool m_busy;
};
