#include "platform/posix/ThreadTaskPool.h"

ThreadTaskPool::ThreadTaskPool(unsigned threads) {
    for (unsigned i = 0; i < threads; ++i) {
        threads_.emplace_back([this] { work(); });
    }
}

ThreadTaskPool::~ThreadTaskPool() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closing_ = true;
    }
    queued_.notify_all();
    for (std::thread& thread : threads_) {
        thread.join();
    }
}

std::uint64_t ThreadTaskPool::start(std::function<void()> task) {
    std::uint64_t ticket;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ticket = next_++;
        tasks_.emplace_back(ticket, std::move(task));
    }
    queued_.notify_one();
    return ticket;
}

void ThreadTaskPool::wait(std::uint64_t ticket) {
    std::unique_lock<std::mutex> lock(mutex_);
    finished_.wait(lock, [&] { return done_.count(ticket) != 0; });
    done_.erase(ticket);
}

void ThreadTaskPool::work() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        queued_.wait(lock, [this] { return closing_ || !tasks_.empty(); });
        if (tasks_.empty()) {
            return;  // closing, and nothing left to run
        }
        auto [ticket, task] = std::move(tasks_.front());
        tasks_.pop_front();
        lock.unlock();
        task();
        lock.lock();
        done_.insert(ticket);
        finished_.notify_all();
    }
}
