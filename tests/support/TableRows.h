#pragma once

// The table form the tests share: each row's operation (its member op) runs
// on an object made for the row; what it returns, kBadAlloc when it throws
// std::bad_alloc, and the object it leaves go to the caller's checks.
#include <gtest/gtest.h>

#include <new>
#include <string>

const long long kBadAlloc = -1000;

template <class Row, size_t N, class Make, class Check>
void CheckRows(const Row (&rows)[N], Make make, Check check)
{
    for (size_t i = 0; i < N; ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        auto object = make(rows[i]);
        long long result = kBadAlloc;
        try {
            result = rows[i].op(object);
        } catch (const std::bad_alloc&) {
        }
        check(rows[i], object, result);
    }
}
