#include "base/ThreadPool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <new>
#include <thread>
#include <vector>

namespace {

TEST(ThreadPool, RunsEveryPartExactlyOnce) {
    for (unsigned threads : {1u, 2u, 5u}) {
        ThreadPool pool(threads);
        EXPECT_EQ(pool.size(), threads);
        for (unsigned parts : {0u, 1u, 3u, 17u}) {
            std::vector<std::atomic<int>> runs(parts);
            pool.run(parts, [&](unsigned part) { ++runs[part]; });
            for (unsigned part = 0; part < parts; ++part) {
                EXPECT_EQ(runs[part].load(), 1) << threads << " threads, part " << part;
            }
        }
    }
}

TEST(ThreadPool, APartThatThrowsIsThrownFromRunOnceEveryPartHasEnded) {
    ThreadPool pool(3);
    std::vector<std::atomic<int>> runs(12);
    EXPECT_THROW(pool.run(12,
                          [&](unsigned part) {
                              ++runs[part];
                              if (part % 4 == 1) {
                                  throw std::bad_alloc();
                              }
                          }),
                 std::bad_alloc);
    for (unsigned part = 0; part < runs.size(); ++part) {
        EXPECT_EQ(runs[part].load(), 1) << "part " << part;
    }
    std::atomic<int> later{0};
    pool.run(5, [&](unsigned) { ++later; });
    EXPECT_EQ(later.load(), 5) << "the pool works on";
}

TEST(ThreadPool, RangesTileTheIndicesInOrder) {
    ThreadPool pool(3);
    EXPECT_EQ(rangeCount(0, 10, pool), 0u);
    EXPECT_EQ(rangeCount(25, 10, pool), 2u) << "parts of at least the grain";
    EXPECT_EQ(rangeCount(1000, 10, pool), 3u) << "no more parts than threads";
    EXPECT_EQ(rangeOf(10, 3, 0).begin, 0);
    EXPECT_EQ(rangeOf(10, 3, 0).end, 3);
    EXPECT_EQ(rangeOf(10, 3, 1).end, 6);
    EXPECT_EQ(rangeOf(10, 3, 2).end, 10);
    std::vector<std::atomic<int>> seen(1001);
    parallelRanges(
        1001, 7,
        [&](int64_t begin, int64_t end) {
            for (int64_t i = begin; i < end; ++i) {
                ++seen[static_cast<std::size_t>(i)];
            }
        },
        pool);
    for (std::size_t i = 0; i < seen.size(); ++i) {
        ASSERT_EQ(seen[i].load(), 1) << i;
    }
}

TEST(ThreadPool, JobsFromSeveralThreadsTakeTurns) {
    ThreadPool pool(4);
    std::atomic<int64_t> total{0};
    auto submit = [&] {
        for (int job = 0; job < 200; ++job) {
            parallelRanges(
                100, 1, [&](int64_t begin, int64_t end) { total += end - begin; }, pool);
        }
    };
    std::thread other(submit);
    submit();
    other.join();
    EXPECT_EQ(total.load(), 2 * 200 * 100);
}

} // namespace
