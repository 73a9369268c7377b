// Files that must neither hang nor fill the memory of whatever reads them: FIFOs no
// one writes to, and files that claim gigabytes without holding them.
#pragma once
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <vector>

namespace shirakaba::test {

// Runs `what` on another thread and fails the test when it has not come back after
// five seconds (it waits for a FIFO's writer); then it is let go by opening each of
// the FIFOs for writing.
template <typename F>
auto withoutWaiting(F what, const std::vector<std::filesystem::path>& fifos) {
  auto running = std::async(std::launch::async, what);
  if (running.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
    ADD_FAILURE() << "waits for a FIFO's writer";
    for (const std::filesystem::path& f : fifos) std::ofstream{f};
  }
  return running.get();
}

// A file that claims 4 GiB and holds nothing on the disk.
inline void makeHuge(const std::filesystem::path& path) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path).put('1');
  std::filesystem::resize_file(path, 4ull << 30);
}

}  // namespace shirakaba::test
