#include "beklesinu.h"

#include "hooks.h"

#include <QCoreApplication>
#include <QThread>
#include <QThreadPool>

QThreadPool *taskPool()
{
    static QThreadPool *pool = [] {
        auto *p = new QThreadPool;
        p->setMaxThreadCount(std::max(16, QThread::idealThreadCount()));
        p->setExpiryTimeout(30000);
        return p;
    }();
    return pool;
}

TAwait::TAwait(TProc async) : FAsync(std::move(async)) {}

void TAwait::Await(TProc proc)
{
    Await(nullptr, std::move(proc));
}

void TAwait::Await(const QObject *guard, TProc proc)
{
    const bool guarded = guard != nullptr;
    QPointer<const QObject> watch(guard);
    auto self = shared_from_this();
    taskPool()->start([self, proc = std::move(proc), watch, guarded]() mutable {
        std::exception_ptr error;
        try {
            self->FAsync();
        } catch (...) {
            error = std::current_exception();
        }
        // The application object outlives every window, so it carries the hand-back; the
        // guard is only looked at on the UI thread.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, proc = std::move(proc), watch, guarded, error]() mutable {
                if (!guarded || watch)
                    proc();
                self->FAsync = nullptr;  // release what the work captured, on this thread
                if (error)
                    Platform::reportException(error);
            },
            Qt::QueuedConnection);
    });
}

std::shared_ptr<IAwait> RunAsync(TProc async)
{
    return std::make_shared<TAwait>(std::move(async));
}

void Synchronize(const TProc &proc)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread()) {
        proc();
        return;
    }
    QMetaObject::invokeMethod(app, proc, Qt::BlockingQueuedConnection);
}

void Synchronize(const QPointer<const QObject> &guard, const TProc &proc)
{
    Synchronize([&guard, &proc] {
        if (guard)
            proc();
    });
}

void DrainTasks()
{
    while (!taskPool()->waitForDone(20))
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
