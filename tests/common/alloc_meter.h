#pragma once
// Watches the heap while it lives: the largest single allocation and the bytes
// allocated in all. An allocation larger than the ceiling is refused with
// std::bad_alloc instead of being made, so code that would take memory on a
// file's word fails at once rather than filling the machine. One meter at a
// time; link tests/common/alloc_meter.cpp into the test program.

#include <cstddef>
#include <cstdint>

namespace vbtest {

class AllocMeter {
public:
    explicit AllocMeter(size_t ceiling = SIZE_MAX);
    ~AllocMeter();
    AllocMeter(const AllocMeter &) = delete;
    AllocMeter &operator=(const AllocMeter &) = delete;

    size_t largest() const;
    size_t total() const;
};

} // namespace vbtest
