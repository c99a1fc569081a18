#include "tests/common/alloc_meter.h"

#include <cstdlib>
#include <new>

namespace vbtest {
namespace {

bool watching = false;
size_t ceilingBytes = SIZE_MAX;
size_t largestBytes = 0;
size_t totalBytes = 0;

} // namespace

AllocMeter::AllocMeter(size_t ceiling) {
    ceilingBytes = ceiling;
    largestBytes = totalBytes = 0;
    watching = true;
}

AllocMeter::~AllocMeter() { watching = false; }

size_t AllocMeter::largest() const { return largestBytes; }

size_t AllocMeter::total() const { return totalBytes; }

} // namespace vbtest

// The program's one operator new. The library's array and no-throw forms
// call it, but a sanitizer brings forms of its own: those are replaced here
// as well, so that every block comes from malloc and goes back to free.
void *operator new(std::size_t size) {
    using namespace vbtest;
    if (watching) {
        if (size > ceilingBytes)
            throw std::bad_alloc();
        largestBytes = size > largestBytes ? size : largestBytes;
        totalBytes += size;
    }
    for (;;) {
        if (void *p = std::malloc(size ? size : 1))
            return p;
        std::new_handler handler = std::get_new_handler();
        if (!handler)
            throw std::bad_alloc();
        handler();
    }
}

void operator delete(void *p) noexcept { std::free(p); }

void operator delete(void *p, std::size_t) noexcept { std::free(p); }

void *operator new[](std::size_t size) { return ::operator new(size); }

void *operator new(std::size_t size, const std::nothrow_t &) noexcept {
    try {
        return ::operator new(size);
    } catch (const std::bad_alloc &) {
        return nullptr;
    }
}

void *operator new[](std::size_t size, const std::nothrow_t &tag) noexcept { return ::operator new(size, tag); }

void operator delete[](void *p) noexcept { std::free(p); }

void operator delete[](void *p, std::size_t) noexcept { std::free(p); }

void operator delete(void *p, const std::nothrow_t &) noexcept { std::free(p); }

void operator delete[](void *p, const std::nothrow_t &) noexcept { std::free(p); }
