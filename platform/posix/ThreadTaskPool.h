#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <set>
#include <thread>
#include <utility>
#include <vector>

#include "platform/Services.h"

// A fixed number of threads taking tasks in the order they were started. A task must not
// throw; one still queued when the pool goes is run first.
class ThreadTaskPool : public TaskPool {
public:
    explicit ThreadTaskPool(unsigned threads);
    ~ThreadTaskPool() override;

    std::uint64_t start(std::function<void()> task) override;
    void wait(std::uint64_t ticket) override;

private:
    void work();

    std::mutex mutex_;
    std::condition_variable queued_, finished_;
    std::deque<std::pair<std::uint64_t, std::function<void()>>> tasks_;
    std::set<std::uint64_t> done_;  // finished and not yet waited for
    std::uint64_t next_ = 0;
    bool closing_ = false;
    std::vector<std::thread> threads_;  // last: started once the rest is ready
};
