#pragma once

#include "hookrecorder.h"
#include "testserver.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>

class TForm1;

// The client against the real server: logs in through the login dialog's controls and keeps
// the main window. Modal windows are handed to `onDialog`, which works them through their
// controls and returns their result.
class MainWindowFixture
{
public:
    MainWindowFixture();
    ~MainWindowFixture();

    bool startServer();
    // Logs in as `user` on `machine`; the window is shown afterwards.
    TForm1 *login(const QString &machine, const QString &user, const QString &password);

    std::function<int(QDialog *)> onDialog;  // for the other dialogs
    bool remember = true;                     // "Beni hatırla" at the login
    TestServer server;
    std::unique_ptr<HookRecorder> hooks;
    std::unique_ptr<TForm1> form;
};

// Waits for a window's modal run to end without entering one.
int finishOf(QDialog *dialog, const std::function<void()> &act, int timeoutMs = 30000);
