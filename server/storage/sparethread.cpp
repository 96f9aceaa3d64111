#include "sparethread.h"

#include <utility>

SpareThread::~SpareThread()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
    if (m_thread.joinable())
        m_thread.join();
}

bool SpareThread::tryStart(std::function<void()> job)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_busy || m_stop)
        return false;
    if (!m_thread.joinable())
        m_thread = std::thread([this] { run(); });
    m_job = std::move(job);
    m_error = nullptr;
    m_busy = true;
    m_wake.notify_one();
    return true;
}

void SpareThread::wait()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_done.wait(lock, [this] { return !m_job; });
    std::exception_ptr error = std::exchange(m_error, nullptr);
    // The caller that started the job owns the thread until it has waited.
    m_busy = false;
    lock.unlock();
    if (error)
        std::rethrow_exception(error);
}

void SpareThread::run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || m_job; });
        if (!m_job)
            return;  // stopping and idle
        std::function<void()> job = m_job;
        lock.unlock();
        std::exception_ptr error;
        try {
            job();
        } catch (...) {
            error = std::current_exception();
        }
        lock.lock();
        m_error = error;
        m_job = nullptr;
        m_done.notify_all();
    }
}
