#pragma once

#include "hooks.h"

#include <QList>
#include <QMutex>
#include <QUrl>

#include <functional>

// Records every message, exit, opened address, started program and sound while it lives, and
// answers messages from a queue of modal results (or a function). Install one per test.
class HookRecorder
{
public:
    HookRecorder();
    ~HookRecorder();
    HookRecorder(const HookRecorder &) = delete;
    HookRecorder &operator=(const HookRecorder &) = delete;

    // Answers in order; when the queue is empty the dialog's default button answers.
    void queueAnswers(const QList<int> &results) { m_answers += results; }
    void setResponder(std::function<int(const MessageRequest &)> f) { m_responder = std::move(f); }

    QList<MessageRequest> messages() const;
    QStringList texts() const;
    void clear();

    QList<int> exits;
    QList<QUrl> openedUrls;
    QList<QPair<QString, QStringList>> startedPrograms;
    QList<int> sounds;

private:
    mutable QMutex m_mutex;
    QList<MessageRequest> m_messages;
    QList<int> m_answers;
    std::function<int(const MessageRequest &)> m_responder;
};
