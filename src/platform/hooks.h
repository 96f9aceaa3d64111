#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <exception>
#include <functional>

// Dialog types, button kinds and modal results in the order the windows number them.
enum class MsgDlgType { Warning = 0, Error = 1, Information = 2, Confirmation = 3, Custom = 4 };
enum class MsgDlgBtn {
    Yes = 0, No, OK, Cancel, Abort, Retry, Ignore, All, NoToAll, YesToAll, Help, Close
};
using MsgDlgButtons = QList<MsgDlgBtn>;

enum ModalResult {
    mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6,
    mrNo = 7, mrClose = 8, mrHelp = 9, mrAll = 12, mrNoToAll = 13, mrYesToAll = 14
};

int modalResultOf(MsgDlgBtn button);

struct MessageRequest
{
    enum class Kind {
        Dialog,       // the Turkish message dialog
        PlainBox,     // plain message box: application title, one OK button
        WarningBox,   // the standard warning box of input checks
        ErrorBox,     // the standard error box
        ErrorReport,  // the application's default report of an unhandled error
    };
    Kind kind = Kind::Dialog;
    MsgDlgType type = MsgDlgType::Information;
    QString caption;
    QString text;
    MsgDlgButtons buttons;
    MsgDlgBtn defaultButton = MsgDlgBtn::OK;
};

// Seams between the program and the desktop. Production installs presenters that show and
// do; a test installs observers, which take precedence, to record and answer. Calls made on
// a worker thread are handed to the application's thread and wait there.
namespace Platform {

struct Hooks
{
    std::function<int(const MessageRequest &)> message;
    std::function<void(int exitCode)> exitProcess;
    std::function<bool(const QUrl &)> openUrl;
    std::function<bool(const QString &program, const QStringList &arguments)> startProgram;
    std::function<void(int soundCode)> playSound;
};

Hooks &presenters();
Hooks &observers();

int showMessage(const MessageRequest &request);
// Ends the process at once: no windows closed, no clean-up. With an exit observer installed
// the call returns, so callers must return right after it.
void exitProcess(int exitCode);
bool openUrl(const QUrl &url);
bool startProgram(const QString &program, const QStringList &arguments);
void playSound(int soundCode);

// The default error report: shows the error's text as an error box.
void reportError(const QString &message);
void reportException(std::exception_ptr error);

// The application's title, caption of plain message boxes and error reports.
QString applicationTitle();
void setApplicationTitle(const QString &title);

}  // namespace Platform
