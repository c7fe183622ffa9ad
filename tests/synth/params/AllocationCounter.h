#pragma once

#include <cstddef>

namespace korvel::test {

// Counts the global operator new calls made on the constructing thread while
// it lives. The replacement operators live in AllocationCounter.cpp and serve
// the whole test program; other tests of this program may use this class too.
class AllocationCounter {
public:
    AllocationCounter();
    ~AllocationCounter();
    AllocationCounter(const AllocationCounter&) = delete;
    AllocationCounter& operator=(const AllocationCounter&) = delete;

    std::size_t count() const;

private:
    std::size_t start;
    bool wasCounting;
};

} // namespace korvel::test
