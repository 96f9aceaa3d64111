#include "dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>

#include <cstdio>
#include <unistd.h>

namespace {

int &messageFontSize()
{
    static int size = 0;
    return size;
}

QMessageBox::Icon iconOf(MsgDlgType type)
{
    switch (type) {
    case MsgDlgType::Warning: return QMessageBox::Warning;
    case MsgDlgType::Error: return QMessageBox::Critical;
    case MsgDlgType::Information: return QMessageBox::Information;
    case MsgDlgType::Confirmation: return QMessageBox::Question;
    case MsgDlgType::Custom: return QMessageBox::NoIcon;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::ButtonRole roleOf(MsgDlgBtn b)
{
    switch (b) {
    case MsgDlgBtn::Yes:
    case MsgDlgBtn::YesToAll:
    case MsgDlgBtn::OK:
    case MsgDlgBtn::All: return QMessageBox::AcceptRole;
    case MsgDlgBtn::No:
    case MsgDlgBtn::NoToAll: return QMessageBox::NoRole;
    case MsgDlgBtn::Cancel:
    case MsgDlgBtn::Close:
    case MsgDlgBtn::Abort: return QMessageBox::RejectRole;
    case MsgDlgBtn::Help: return QMessageBox::HelpRole;
    default: return QMessageBox::ActionRole;
    }
}

// Shows one request with a real message box and returns the modal result.
int present(const MessageRequest &r)
{
    QWidget *owner = QApplication::activeWindow();
    QMessageBox box(owner);
    box.setIcon(iconOf(r.type));
    box.setWindowTitle(r.caption);
    box.setText(r.text);
    if (messageFontSize() > 0) {
        QFont f = box.font();
        f.setPointSize(messageFontSize());
        box.setFont(f);
    }
    const MsgDlgButtons buttons = r.buttons.isEmpty() ? MsgDlgButtons{MsgDlgBtn::OK} : r.buttons;
    QList<QPair<QAbstractButton *, MsgDlgBtn>> made;
    // The platform's order, whatever order the caller listed them in.
    for (int k = int(MsgDlgBtn::Yes); k <= int(MsgDlgBtn::Close); ++k) {
        const auto kind = MsgDlgBtn(k);
        if (!buttons.contains(kind))
            continue;
        QPushButton *b = box.addButton(captionOfButton(kind), roleOf(kind));
        made << qMakePair(static_cast<QAbstractButton *>(b), kind);
        if (kind == r.defaultButton) {
            box.setDefaultButton(b);
            b->setFocus();
        }
    }
    // Escape answers Cancel where there is one, else the only button.
    for (const auto &m : made)
        if (m.second == MsgDlgBtn::Cancel || made.size() == 1)
            box.setEscapeButton(m.first);
    if (const int sound = soundOfDialogType(r.type); sound && r.kind == MessageRequest::Kind::Dialog)
        Platform::playSound(sound);
    box.exec();
    for (const auto &m : made)
        if (box.clickedButton() == m.first)
            return modalResultOf(m.second);
    return mrCancel;
}

MessageRequest request(MessageRequest::Kind kind, MsgDlgType type, const QString &caption,
                       const QString &text)
{
    MessageRequest r;
    r.kind = kind;
    r.type = type;
    r.caption = caption;
    r.text = text;
    r.buttons = {MsgDlgBtn::OK};
    r.defaultButton = MsgDlgBtn::OK;
    return r;
}

}  // namespace

QString captionOfDialogType(MsgDlgType type)
{
    switch (type) {
    case MsgDlgType::Warning: return QStringLiteral("Uyarı");
    case MsgDlgType::Error: return QStringLiteral("Hata");
    case MsgDlgType::Information: return QStringLiteral("Bilgi");
    case MsgDlgType::Confirmation: return QStringLiteral("Soru");
    case MsgDlgType::Custom: return Platform::applicationTitle();
    }
    return QString();
}

QString captionOfButton(MsgDlgBtn button)
{
    switch (button) {
    case MsgDlgBtn::Yes: return QStringLiteral("Evet");
    case MsgDlgBtn::No: return QStringLiteral("Hayır");
    case MsgDlgBtn::OK: return QStringLiteral("Tamam");
    case MsgDlgBtn::Cancel: return QStringLiteral("Vazgeç");
    case MsgDlgBtn::Abort: return QStringLiteral("İptal");
    case MsgDlgBtn::Retry: return QStringLiteral("Tekrar");
    case MsgDlgBtn::Ignore: return QStringLiteral("Atla");
    case MsgDlgBtn::YesToAll: return QStringLiteral("Tümüne Evet");
    case MsgDlgBtn::NoToAll: return QStringLiteral("Tümüne Hayır");
    case MsgDlgBtn::Help: return QStringLiteral("Yardım");
    case MsgDlgBtn::All: return QStringLiteral("&All");
    case MsgDlgBtn::Close: return QStringLiteral("&Close");
    }
    return QString();
}

int soundOfDialogType(MsgDlgType type)
{
    switch (type) {
    case MsgDlgType::Warning: return 48;
    case MsgDlgType::Error: return 16;
    case MsgDlgType::Information: return 64;
    case MsgDlgType::Confirmation: return 32;
    case MsgDlgType::Custom: return 0;
    }
    return 0;
}

int ShowMessageDialog(const QString &text, MsgDlgType type, const MsgDlgButtons &buttons,
                      MsgDlgBtn defaultButton, int helpContext)
{
    Q_UNUSED(helpContext);
    MessageRequest r = request(MessageRequest::Kind::Dialog, type, captionOfDialogType(type), text);
    r.buttons = buttons;
    // A default that names a button not on the dialog is ignored.
    r.defaultButton = buttons.contains(defaultButton) ? defaultButton
                                                      : (buttons.isEmpty() ? MsgDlgBtn::OK
                                                                           : buttons.first());
    return Platform::showMessage(r);
}

void ShowMessage(const QString &text)
{
    Platform::showMessage(request(MessageRequest::Kind::PlainBox, MsgDlgType::Custom,
                                  Platform::applicationTitle(), text));
}

void ShowWarningBox(const QString &text)
{
    Platform::showMessage(request(MessageRequest::Kind::WarningBox, MsgDlgType::Warning,
                                  captionOfDialogType(MsgDlgType::Warning), text));
}

void ShowErrorBox(const QString &text)
{
    Platform::showMessage(request(MessageRequest::Kind::ErrorBox, MsgDlgType::Error,
                                  captionOfDialogType(MsgDlgType::Error), text));
}

void SetMessageFontSize(int pointSize)
{
    messageFontSize() = pointSize;
}

std::function<int(QDialog *)> &DialogDriver()
{
    static std::function<int(QDialog *)> driver;
    return driver;
}

int ExecModal(QDialog *dialog)
{
    if (DialogDriver())
        return DialogDriver()(dialog);
    return dialog->exec();
}

void RunReportingErrors(const std::function<void()> &work)
{
    try {
        work();
    } catch (...) {
        Platform::reportException(std::current_exception());
    }
}

void InstallDesktopPresenters()
{
    auto &p = Platform::presenters();
    p.message = present;
    p.openUrl = [](const QUrl &url) { return QDesktopServices::openUrl(url); };
    p.startProgram = [](const QString &program, const QStringList &args) {
        return QProcess::startDetached(program, args);
    };
    p.playSound = [](int) { QApplication::beep(); };
    p.exitProcess = [](int code) {
        std::fflush(nullptr);
        ::_exit(code);
    };
}
