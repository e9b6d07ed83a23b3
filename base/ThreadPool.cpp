#include "base/ThreadPool.h"

#include <algorithm>
#include <utility>

ThreadPool& ThreadPool::shared() {
    static ThreadPool* pool = new ThreadPool(std::max(1u, std::thread::hardware_concurrency()));
    return *pool;
}

ThreadPool::ThreadPool(unsigned threads) {
    for (unsigned i = 1; i < threads; ++i) {
        workers.emplace_back([this] { work(); });
    }
}

ThreadPool::~ThreadPool() {
    {
        std::lock_guard<std::mutex> lock(state);
        stopping = true;
    }
    wake.notify_all();
    for (std::thread& worker : workers) {
        worker.join();
    }
}

void ThreadPool::run(unsigned parts, const std::function<void(unsigned)>& part) {
    if (parts == 0) {
        return;
    }
    if (parts == 1 || workers.empty()) {
        for (unsigned i = 0; i < parts; ++i) {
            part(i);
        }
        return;
    }
    std::lock_guard<std::mutex> oneJobAtATime(jobs);
    {
        std::lock_guard<std::mutex> lock(state);
        job = &part;
        nextPart = 0;
        partCount = parts;
        partsDone = 0;
        ++generation;
    }
    wake.notify_all();
    runParts();
    std::unique_lock<std::mutex> lock(state);
    finished.wait(lock, [this] { return partsDone == partCount; });
    job = nullptr;
    if (failure) {
        std::rethrow_exception(std::exchange(failure, nullptr));
    }
}

bool ThreadPool::runParts() {
    bool ran = false;
    for (;;) {
        unsigned index = 0;
        const std::function<void(unsigned)>* current = nullptr;
        {
            std::lock_guard<std::mutex> lock(state);
            if (job == nullptr || nextPart == partCount) {
                return ran;
            }
            index = nextPart++;
            current = job;
        }
        std::exception_ptr thrown;
        try {
            (*current)(index);
        } catch (...) {
            thrown = std::current_exception();
        }
        ran = true;
        std::lock_guard<std::mutex> lock(state);
        if (thrown && !failure) {
            failure = thrown;
        }
        if (++partsDone == partCount) {
            finished.notify_all();
        }
    }
}

void ThreadPool::work() {
    uint64_t seen = 0;
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(state);
            wake.wait(lock, [&] { return stopping || (job != nullptr && generation != seen); });
            if (stopping) {
                return;
            }
            seen = generation;
        }
        runParts();
    }
}

unsigned rangeCount(int64_t count, int64_t grain, const ThreadPool& pool) {
    if (count <= 0) {
        return 0;
    }
    const int64_t byGrain = std::max<int64_t>(1, count / std::max<int64_t>(1, grain));
    return static_cast<unsigned>(std::min<int64_t>(pool.size(), byGrain));
}

IndexRange rangeOf(int64_t count, unsigned parts, unsigned part) {
    return {count * part / parts, count * (part + 1) / parts};
}

void parallelRanges(int64_t count, int64_t grain,
                    const std::function<void(int64_t begin, int64_t end)>& range,
                    ThreadPool& pool) {
    const unsigned parts = rangeCount(count, grain, pool);
    pool.run(parts, [&](unsigned part) {
        const IndexRange r = rangeOf(count, parts, part);
        range(r.begin, r.end);
    });
}
