#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <vector>

// Holds most of the address space of this process while it lives, so that a
// large allocation really fails. Room for spare blocks of 64 KiB is given
// back, for small allocations that must still succeed.
//
// A 32-bit process runs out within 4 GiB. A 64-bit one runs out only under a
// bound on its address space (tq-wine sets 16 GiB); without one the hog stops
// at kMostTaken, before it costs the machine its memory, and is not Full().
class AddressSpaceHog {
public:
    explicit AddressSpaceHog(int spare = 0)
    {
        m_blocks.reserve(kBlocksAtOnce);  // no growth of its own once the space is full
        size_t taken = 0;
        for (size_t chunk = kLargest; chunk >= kSmallest && taken < kMostTaken;) {
            if (Take(chunk))
                taken += chunk;
            else
                chunk /= 2;
        }
        m_full = taken < kMostTaken;
        GiveBack(static_cast<size_t>(spare) * kSmallest);
    }

    // Whether the address space ran out, so that large allocations now fail.
    bool Full() const { return m_full; }

private:
    static constexpr size_t kLargest = 0x10000000u;
    static constexpr size_t kSmallest = 0x10000u;
    static constexpr size_t kMostTaken =
        sizeof(void*) == 8 ? static_cast<size_t>(0x1000000000ull) : ~size_t(0);  // 64 GiB
    static constexpr size_t kBlocksAtOnce = 4096;

    struct Block {
        std::unique_ptr<char[]> bytes;
        size_t size;
    };

    bool Take(size_t size)
    {
        char* bytes = new (std::nothrow) char[size];
        if (bytes)
            m_blocks.push_back({std::unique_ptr<char[]>(bytes), size});
        return bytes != nullptr;
    }

    // Frees the last (smallest) blocks, then takes back in small pieces what
    // was freed beyond room: where the space ends in a few large blocks (a
    // bounded 64-bit space) no large block is left free.
    void GiveBack(size_t room)
    {
        size_t freed = 0;
        for (; freed < room && !m_blocks.empty(); m_blocks.pop_back())
            freed += m_blocks.back().size;
        m_blocks.reserve(m_blocks.size() + freed / kSmallest);
        while (freed > room && Take(kSmallest))
            freed -= kSmallest;
    }

    std::vector<Block> m_blocks;
    bool m_full = false;
};
