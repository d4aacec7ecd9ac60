// The analysis runs on the document's fixed tables: not one heap allocation per run.
#include "QuorvelwDoc.h"
#include "SyntheticMeasurement.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

// GCC pairs the replaced operators below with the library's own and warns wrongly.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {
std::atomic<bool> g_counting{false};
std::atomic<long> g_allocations{0};
}  // namespace

void* operator new(std::size_t size)
{
    if (g_counting)
        ++g_allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

TEST(SeparateErrors, AllocatesNothing)
{
    auto doc = std::make_unique<CQuorvelwDoc>();
    ASSERT_TRUE(SynthesizeTraces(RealisticModel(7200, 36), *doc));
    g_allocations = 0;
    g_counting = true;
    const SeparationStatus status = doc->SeparateErrors();
    g_counting = false;
    EXPECT_TRUE(status.ok());
    EXPECT_EQ(g_allocations.load(), 0);
}
