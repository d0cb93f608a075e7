#pragma once
// The trainer's one way of sharing work among its threads.
#include <thread>
#include <vector>

namespace lumaro::train {

// Runs job(t) for t in [0, threads), thread 0 on the caller's, and returns when all are done.
template <class Job>
void onThreads(int threads, Job job) {
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t) pool.emplace_back(job, t);
    job(0);
    for (auto& th : pool) th.join();
}

}  // namespace lumaro::train
