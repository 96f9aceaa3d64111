#include "hooks.h"

#include <QCoreApplication>
#include <QProcess>
#include <QThread>

#include <cstdio>
#include <stdexcept>
#include <unistd.h>

namespace {

QString &titleStorage()
{
    static QString title;
    return title;
}

bool onAppThread()
{
    return !QCoreApplication::instance()
        || QThread::currentThread() == QCoreApplication::instance()->thread();
}

template <typename R, typename F> R onAppThreadBlocking(F &&f)
{
    if (onAppThread())
        return f();
    R result{};
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [&] { result = f(); }, Qt::BlockingQueuedConnection);
    return result;
}

}  // namespace

int modalResultOf(MsgDlgBtn button)
{
    switch (button) {
    case MsgDlgBtn::Yes: return mrYes;
    case MsgDlgBtn::No: return mrNo;
    case MsgDlgBtn::OK: return mrOk;
    case MsgDlgBtn::Cancel: return mrCancel;
    case MsgDlgBtn::Abort: return mrAbort;
    case MsgDlgBtn::Retry: return mrRetry;
    case MsgDlgBtn::Ignore: return mrIgnore;
    case MsgDlgBtn::All: return mrAll;
    case MsgDlgBtn::NoToAll: return mrNoToAll;
    case MsgDlgBtn::YesToAll: return mrYesToAll;
    case MsgDlgBtn::Help: return mrHelp;
    case MsgDlgBtn::Close: return mrClose;
    }
    return mrNone;
}

namespace Platform {

Hooks &presenters()
{
    static Hooks hooks;
    return hooks;
}

Hooks &observers()
{
    static Hooks hooks;
    return hooks;
}

int showMessage(const MessageRequest &request)
{
    return onAppThreadBlocking<int>([&]() -> int {
        if (observers().message)
            return observers().message(request);
        if (presenters().message)
            return presenters().message(request);
        // No desktop (server, command line): write the text and take the default answer.
        std::fprintf(stderr, "%s\n", qPrintable(request.text));
        return request.buttons.contains(request.defaultButton)
            ? modalResultOf(request.defaultButton)
            : mrOk;
    });
}

void exitProcess(int exitCode)
{
    if (observers().exitProcess) {
        observers().exitProcess(exitCode);
        return;
    }
    if (presenters().exitProcess) {
        presenters().exitProcess(exitCode);
        return;
    }
    std::fflush(nullptr);
    ::_exit(exitCode);
}

bool openUrl(const QUrl &url)
{
    return onAppThreadBlocking<bool>([&] {
        if (observers().openUrl)
            return observers().openUrl(url);
        return presenters().openUrl ? presenters().openUrl(url) : false;
    });
}

bool startProgram(const QString &program, const QStringList &arguments)
{
    if (observers().startProgram)
        return onAppThreadBlocking<bool>([&] { return observers().startProgram(program, arguments); });
    if (presenters().startProgram)
        return presenters().startProgram(program, arguments);
    return QProcess::startDetached(program, arguments);
}

void playSound(int soundCode)
{
    if (observers().playSound)
        observers().playSound(soundCode);
    else if (presenters().playSound)
        presenters().playSound(soundCode);
}

void reportError(const QString &message)
{
    MessageRequest r;
    r.kind = MessageRequest::Kind::ErrorReport;
    r.type = MsgDlgType::Error;
    r.caption = applicationTitle();
    r.text = message;
    r.buttons = {MsgDlgBtn::OK};
    r.defaultButton = MsgDlgBtn::OK;
    showMessage(r);
}

void reportException(std::exception_ptr error)
{
    if (!error)
        return;
    try {
        std::rethrow_exception(error);
    } catch (const std::exception &e) {
        reportError(QString::fromUtf8(e.what()));
    } catch (...) {
        reportError(QStringLiteral("Bilinmeyen hata"));
    }
}

QString applicationTitle()
{
    return titleStorage();
}

void setApplicationTitle(const QString &title)
{
    titleStorage() = title;
}

}  // namespace Platform
