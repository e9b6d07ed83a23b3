#pragma once

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// A fixed set of worker threads that share out one job at a time: the parts
// of a job run on the workers and on the calling thread, and run() returns
// when all are done. Jobs from several threads take turns.
class ThreadPool {
public:
    // One thread per core, the caller's own included.
    static ThreadPool& shared();

    explicit ThreadPool(unsigned threads);
    ~ThreadPool();
    ThreadPool(const ThreadPool&) = delete;
    ThreadPool& operator=(const ThreadPool&) = delete;

    // The threads that work on a job, the caller's included.
    unsigned size() const { return static_cast<unsigned>(workers.size()) + 1; }

    // Runs part(0) ... part(parts - 1), each exactly once, in any order and
    // on any of the threads. An exception from a part (running out of
    // memory) is thrown here once every part has ended, the first if several.
    void run(unsigned parts, const std::function<void(unsigned)>& part);

private:
    void work();
    // Takes parts of the current job until none is left; true if it ran any.
    bool runParts();

    std::vector<std::thread> workers;
    std::mutex jobs;
    std::mutex state;
    std::condition_variable wake;
    std::condition_variable finished;
    const std::function<void(unsigned)>* job = nullptr;
    unsigned nextPart = 0;
    unsigned partCount = 0;
    unsigned partsDone = 0;
    std::exception_ptr failure;
    uint64_t generation = 0;
    bool stopping = false;
};

// [0, count) cut into contiguous ranges of at least `grain` items, at most
// one per thread of the pool: how many, and the part'th of them.
unsigned rangeCount(int64_t count, int64_t grain, const ThreadPool& pool);
struct IndexRange {
    int64_t begin;
    int64_t end;
};
IndexRange rangeOf(int64_t count, unsigned parts, unsigned part);

// Calls range(begin, end) for each of those ranges on the pool's threads:
// results that depend only on their own items come out exactly as from one
// thread.
void parallelRanges(int64_t count, int64_t grain,
                    const std::function<void(int64_t begin, int64_t end)>& range,
                    ThreadPool& pool = ThreadPool::shared());
