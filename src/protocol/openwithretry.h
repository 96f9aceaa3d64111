#pragma once

class ServerConnection;

// Closes the connection, then tries to open it up to 11 times, 500 ms apart. Every failed
// attempt shows its error text in a plain message box; when all fail and showFailure is 1
// the connection-failure dialog follows. Returns whether the connection is open. Safe on
// a worker thread: the boxes are shown by the application's thread.
bool OpenWithRetry(ServerConnection &connection, int showFailure);

namespace OpenRetry {
inline constexpr int kAttempts = 11;
inline constexpr int kDelayMs = 500;
// Tests shorten the pause between attempts; production never calls this.
void setDelayForTesting(int ms);
} // namespace OpenRetry
