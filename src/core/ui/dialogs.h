#pragma once

#include "hooks.h"

#include <QString>

#include <functional>

// The Turkish message dialog: caption and sound by type, Turkish button captions, the default
// button focused so Enter presses it, centred on the active window. Returns the modal result
// (OK 1, Yes 6, No 7, ...). `helpContext` is accepted and not used.
int ShowMessageDialog(const QString &text, MsgDlgType type, const MsgDlgButtons &buttons,
                      MsgDlgBtn defaultButton, int helpContext = 0);

// The plain message box: the application's title as caption, one OK button.
void ShowMessage(const QString &text);

// The standard warning box used by some input checks.
void ShowWarningBox(const QString &text);

QString captionOfDialogType(MsgDlgType type);
QString captionOfButton(MsgDlgBtn button);
int soundOfDialogType(MsgDlgType type);  // 0 when the type plays none

// The standard error box.
void ShowErrorBox(const QString &text);

// Point size of message texts; the main window sets it at start.
void SetMessageFontSize(int pointSize);

// Shows a window modally and returns its result. Tests install a driver that works the
// window through its controls instead of entering a modal loop.
class QDialog;
int ExecModal(QDialog *dialog);
std::function<int(QDialog *)> &DialogDriver();

// Runs a handler's work and sends an exception it raises to the default error report, as
// an error that escapes a handler would be.
void RunReportingErrors(const std::function<void()> &work);

// Installs the production presenters of the desktop seams: real dialogs, the desktop's
// opener for files and addresses, detached program start, the system beep, process end.
void InstallDesktopPresenters();
