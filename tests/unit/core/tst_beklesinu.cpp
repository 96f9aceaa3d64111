#include "beklesinu.h"
#include "hookrecorder.h"

#include <QMutex>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <stdexcept>

class TestBeklesin : public QObject
{
    Q_OBJECT

private slots:
    void continuationRunsOnTheCallersThreadAfterTheWork()
    {
        QThread *workThread = nullptr;
        QThread *contThread = nullptr;
        QStringList order;
        QMutex m;
        bool done = false;
        RunAsync([&] {
            workThread = QThread::currentThread();
            QMutexLocker l(&m);
            order << "work";
        })->Await([&] {
            contThread = QThread::currentThread();
            order << "continuation";
            done = true;
        });
        QTRY_VERIFY(done);
        QCOMPARE(order, QStringList({"work", "continuation"}));
        QVERIFY(workThread != QThread::currentThread());
        QCOMPARE(contThread, QThread::currentThread());
    }

    void continuationWaitsForTheCurrentHandler()
    {
        std::atomic<bool> workDone{false};
        bool continued = false;
        RunAsync([&] { workDone = true; })->Await([&] { continued = true; });
        // Even with the work long finished, nothing runs until events are processed.
        while (!workDone)
            QThread::yieldCurrentThread();
        QVERIFY(!continued);
        QTRY_VERIFY(continued);
    }

    void exceptionIsReportedAfterTheContinuation()
    {
        HookRecorder hooks;
        bool continued = false;
        int messagesWhenContinued = -1;
        RunAsync([] { throw std::runtime_error("sunucu cevap vermedi"); })->Await([&] {
            continued = true;
            messagesWhenContinued = hooks.messages().size();
        });
        QTRY_COMPARE(hooks.messages().size(), 1);
        QVERIFY(continued);
        QCOMPARE(messagesWhenContinued, 0);
        const MessageRequest r = hooks.messages().first();
        QCOMPARE(r.kind, MessageRequest::Kind::ErrorReport);
        QCOMPARE(r.text, QString("sunucu cevap vermedi"));
    }

    void destroyedGuardDropsTheContinuation()
    {
        auto *window = new QObject;
        bool continued = false;
        std::atomic<bool> release{false};
        std::atomic<bool> finished{false};
        RunAsync([&] {
            while (!release)
                QThread::yieldCurrentThread();
            finished = true;
        })->Await(window, [&] { continued = true; });
        delete window;
        release = true;
        QTRY_VERIFY(finished.load());
        // One more round of events: the queued hand-back has been delivered by now.
        bool after = false;
        RunAsync([] {})->Await([&] { after = true; });
        QTRY_VERIFY(after);
        QVERIFY(!continued);
    }

    void tasksRunSideBySide()
    {
        // Two loads that wait on each other can only finish if they run at the same time.
        std::atomic<int> arrived{0};
        int finished = 0;
        for (int i = 0; i < 2; ++i) {
            RunAsync([&] {
                ++arrived;
                while (arrived < 2)
                    QThread::yieldCurrentThread();
            })->Await([&] { ++finished; });
        }
        QTRY_COMPARE(finished, 2);
    }

    void synchronizeRunsOnTheApplicationThread()
    {
        QThread *ranOn = nullptr;
        bool done = false;
        RunAsync([&] { Synchronize([&] { ranOn = QThread::currentThread(); }); })->Await([&] {
            done = true;
        });
        QTRY_VERIFY(done);
        QCOMPARE(ranOn, QThread::currentThread());
    }
};

QTEST_GUILESS_MAIN(TestBeklesin)
#include "tst_beklesinu.moc"
