#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <vector>

// Holds most of the address space of this 32-bit process while it lives, so
// that a large allocation really fails. The last spare blocks taken (64 KiB
// each) are given back, for small allocations that must still succeed.
class AddressSpaceHog {
public:
    explicit AddressSpaceHog(int spare = 0)
    {
        for (size_t chunk = 0x10000000u; chunk >= 0x10000u;) {
            if (char* block = new (std::nothrow) char[chunk])
                m_blocks.emplace_back(block);
            else
                chunk /= 2;
        }
        for (; spare > 0 && !m_blocks.empty(); --spare)
            m_blocks.pop_back();
    }

private:
    std::vector<std::unique_ptr<char[]>> m_blocks;
};
