#include "hookrecorder.h"

HookRecorder::HookRecorder()
{
    auto &o = Platform::observers();
    o.message = [this](const MessageRequest &r) {
        QMutexLocker lock(&m_mutex);
        m_messages << r;
        if (m_responder)
            return m_responder(r);
        if (!m_answers.isEmpty())
            return m_answers.takeFirst();
        return r.buttons.contains(r.defaultButton) ? modalResultOf(r.defaultButton) : int(mrOk);
    };
    o.exitProcess = [this](int code) { exits << code; };
    o.openUrl = [this](const QUrl &url) {
        openedUrls << url;
        return true;
    };
    o.startProgram = [this](const QString &program, const QStringList &args) {
        startedPrograms << qMakePair(program, args);
        return true;
    };
    o.playSound = [this](int code) { sounds << code; };
}

HookRecorder::~HookRecorder()
{
    Platform::observers() = Platform::Hooks();
}

QList<MessageRequest> HookRecorder::messages() const
{
    QMutexLocker lock(&m_mutex);
    return m_messages;
}

QStringList HookRecorder::texts() const
{
    QStringList out;
    for (const auto &m : messages())
        out << m.text;
    return out;
}

void HookRecorder::clear()
{
    QMutexLocker lock(&m_mutex);
    m_messages.clear();
    exits.clear();
    openedUrls.clear();
    startedPrograms.clear();
    sounds.clear();
}
