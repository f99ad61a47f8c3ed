// OrderedJobs: runs independent jobs on a few worker threads and returns their results in job
// order. Each job writes only its own slot, so the outcome never depends on scheduling.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <functional>
#include <thread>
#include <vector>

namespace tvx {

template <typename Result>
std::vector<Result> RunOrderedJobs(const std::vector<std::function<Result()>>& jobs) {
  std::vector<Result> results(jobs.size());
  std::atomic<std::size_t> next{0};
  const auto work = [&] {
    for (std::size_t i; (i = next.fetch_add(1)) < jobs.size();) results[i] = jobs[i]();
  };
  const unsigned workers =
      std::clamp(std::thread::hardware_concurrency(), 1u, static_cast<unsigned>(jobs.size()));
  std::vector<std::thread> threads;
  for (unsigned w = 1; w < workers; ++w) threads.emplace_back(work);
  work();
  for (std::thread& thread : threads) thread.join();
  return results;
}

}  // namespace tvx
