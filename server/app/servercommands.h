#pragma once

#include <QStringList>

// The operator commands of telvin-server: init, seed, serve, register-machine, add-user,
// import-stock, set. Each answers a process exit code and prints what it did.
class ServerCommands
{
public:
    static int run(const QStringList &arguments);
};
