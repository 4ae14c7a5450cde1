// SPDX-License-Identifier: Apache-2.0
// The number of worker threads over which the pixel operations split their rows.
#include "PvkImgLibPrivate.h"

namespace pvkimglib {

namespace {

// 0 until set: the processor count, at most 2, is used.
std::atomic<int> gWorkerCount{0};

} // namespace

int WorkerCount() {
    const int count = gWorkerCount.load(std::memory_order_relaxed);
    if (count > 0) {
        return count;
    }
    const unsigned processors = std::thread::hardware_concurrency();
    return processors >= 2 ? 2 : 1;
}

} // namespace pvkimglib

using namespace pvkimglib;

extern "C" {

void IL_SetWorkerCount(int count) {
    gWorkerCount.store(std::min(std::max(count, 1), kMaxWorkers), std::memory_order_relaxed);
}

int IL_GetWorkerCount(void) {
    return WorkerCount();
}
}
