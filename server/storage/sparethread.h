#pragma once

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

// One extra thread for work a caller can split in two. It takes a job only while idle, so
// under load each caller simply does all of its work itself.
class SpareThread
{
public:
    SpareThread() = default;
    ~SpareThread();
    SpareThread(const SpareThread &) = delete;
    SpareThread &operator=(const SpareThread &) = delete;

    // Starts the job on the spare thread, or answers false when it is busy.
    bool tryStart(std::function<void()> job);
    // Waits for the job started last; an exception it threw is thrown here.
    void wait();

private:
    void run();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_done;
    std::function<void()> m_job;
    std::exception_ptr m_error;
    bool m_busy = false;
    bool m_stop = false;
    std::thread m_thread;  // started on first use
};
