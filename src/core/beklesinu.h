#pragma once

// Background work paired with a continuation on the thread that asked for it:
//
//     RunAsync([c] { c->hata = LoadStock(...); })->Await(this, [this, c] { ... });
//
// The work runs on the task pool; the continuation is queued to the caller's (UI) thread and
// runs after the current handler returns, even when the work finished first. An exception
// thrown by the work does not skip the continuation: it is reported right after it through
// the application's default error report.

#include <QPointer>

#include <functional>
#include <memory>

class QObject;
class QThreadPool;

using TProc = std::function<void()>;

class IAwait
{
public:
    virtual ~IAwait() = default;
    virtual void Await(TProc proc) = 0;
    // The continuation is dropped when `guard` is destroyed before it runs.
    virtual void Await(const QObject *guard, TProc proc) = 0;
};

class TAwait final : public IAwait, public std::enable_shared_from_this<TAwait>
{
public:
    explicit TAwait(TProc async);
    void Await(TProc proc) override;
    void Await(const QObject *guard, TProc proc) override;

private:
    TProc FAsync;
};

std::shared_ptr<IAwait> RunAsync(TProc async);

// Runs `proc` on the application's thread and waits for it (a control change from a worker).
void Synchronize(const TProc &proc);
// The same, skipped when `guard` (taken on the UI thread) is gone by then.
void Synchronize(const QPointer<const QObject> &guard, const TProc &proc);

// Waits until every background task has ended, running the hand-overs they wait for.
// Windows that own datasets a task may still fill call it before they go away.
void DrainTasks();

// The pool background tasks run on; sized for work that mostly waits on the network.
QThreadPool *taskPool();
