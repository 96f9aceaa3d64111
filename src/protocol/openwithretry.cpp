#include "openwithretry.h"

#include "hooks.h"
#include "serverconnection.h"

#include <QThread>

#include <atomic>
#include <exception>

namespace {

std::atomic<int> g_delayMs { OpenRetry::kDelayMs };

void showPlainBox(const QString &text)
{
    MessageRequest box;
    box.kind = MessageRequest::Kind::PlainBox;
    box.type = MsgDlgType::Information;
    box.caption = Platform::applicationTitle();
    box.text = text;
    box.buttons = { MsgDlgBtn::OK };
    box.defaultButton = MsgDlgBtn::OK;
    Platform::showMessage(box);
}

} // namespace

namespace OpenRetry {
void setDelayForTesting(int ms)
{
    g_delayMs = ms;
}
} // namespace OpenRetry

bool OpenWithRetry(ServerConnection &connection, int showFailure)
{
    connection.Close();
    bool result = false;
    int failures = 0;
    do {
        try {
            connection.Open();
            result = true;
        } catch (const std::exception &e) {
            showPlainBox(QString::fromUtf8(e.what()));
            connection.Close();
            QThread::msleep(ulong(g_delayMs.load()));
            ++failures;
            result = false;
        }
    } while (!result && failures < OpenRetry::kAttempts);

    if (!connection.Connected() && showFailure == 1) {
        MessageRequest dialog;
        dialog.kind = MessageRequest::Kind::Dialog;
        dialog.type = MsgDlgType::Error;
        dialog.caption = QStringLiteral("Hata");
        dialog.text = QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!");
        dialog.buttons = { MsgDlgBtn::OK };
        dialog.defaultButton = MsgDlgBtn::OK;
        Platform::playSound(16);
        Platform::showMessage(dialog);
    }
    return result;
}
