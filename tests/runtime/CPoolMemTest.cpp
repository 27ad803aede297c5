#include "runtime/CPoolMem.h"
#include "TestSupport.h"
#include "runtime/CNimbAppInstance.h"
#include "runtime/CWString.h"
#include "runtime/rg_WenBenShuZuLei.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <thread>
#include <vector>

namespace {

// A pool of its own, so that exhausting it leaves the process pool alone.
class PoolTest : public ::testing::Test {
protected:
    std::unique_ptr<CPoolMem> Pool = std::make_unique<CPoolMem>();

    int64_t FreeBlocks() { return Pool->GetStatistics().FreeBlocks; }
};

} // namespace

TEST_F(PoolTest, SmallRequestsComeFromThePoolLargerOnesFromTheHeap) {
    EXPECT_EQ(FreeBlocks(), CPoolMem::BlockCount);
    void* fits = Pool->Allocate(256);
    void* tiny = Pool->Allocate(0);
    void* larger = Pool->Allocate(257);
    EXPECT_TRUE(Pool->Contains(fits));
    EXPECT_TRUE(Pool->Contains(tiny));
    EXPECT_FALSE(Pool->Contains(larger));
    EXPECT_EQ(Pool->GetStatistics().HeapAllocations, 1);
    EXPECT_EQ(FreeBlocks(), CPoolMem::BlockCount - 2);
    // The first blocks are handed out in address order.
    EXPECT_EQ(static_cast<char*>(tiny) - static_cast<char*>(fits), CPoolMem::BlockSize);
    Pool->Free(fits);
    Pool->Free(tiny);
    Pool->Free(larger);
    Pool->Free(nullptr);
    EXPECT_EQ(FreeBlocks(), CPoolMem::BlockCount);
    EXPECT_EQ(Pool->Allocate(-1), nullptr);
}

TEST_F(PoolTest, TheLastBlockFreedIsTheFirstReused) {
    void* a = Pool->Allocate(16);
    void* b = Pool->Allocate(16);
    Pool->Free(a);
    Pool->Free(b);
    EXPECT_EQ(Pool->Allocate(100), b);
    EXPECT_EQ(Pool->Allocate(100), a);
}

TEST_F(PoolTest, AnExhaustedPoolPassesRequestsToTheHeap) {
    std::vector<void*> blocks;
    for (int64_t i = 0; i < CPoolMem::BlockCount; ++i) {
        blocks.push_back(Pool->Allocate(8));
        ASSERT_TRUE(Pool->Contains(blocks.back()));
    }
    EXPECT_EQ(FreeBlocks(), 0);
    void* spill = Pool->Allocate(8);
    ASSERT_NE(spill, nullptr);
    EXPECT_FALSE(Pool->Contains(spill));
    Pool->Free(spill); // back to the heap, not onto the free list
    EXPECT_EQ(FreeBlocks(), 0);
    for (void* block : blocks)
        Pool->Free(block);
    EXPECT_EQ(FreeBlocks(), CPoolMem::BlockCount);
}

TEST_F(PoolTest, ReallocationStaysInTheBlockUntilItOutgrowsIt) {
    auto* block = static_cast<unsigned char*>(Pool->Allocate(100));
    for (int i = 0; i < 100; ++i)
        block[i] = static_cast<unsigned char>(i);

    EXPECT_EQ(Pool->Reallocate(block, 200), block);
    for (int i = 100; i < 200; ++i)
        block[i] = static_cast<unsigned char>(i);

    auto* moved = static_cast<unsigned char*>(Pool->Reallocate(block, 300));
    EXPECT_FALSE(Pool->Contains(moved));
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(moved[i], static_cast<unsigned char>(i)) << i;
    EXPECT_EQ(Pool->Allocate(1), block); // the old block is free at once

    // A heap block never moves back into the pool, however small it becomes.
    void* shrunk = Pool->Reallocate(moved, 16);
    EXPECT_FALSE(Pool->Contains(shrunk));
    EXPECT_EQ(static_cast<unsigned char*>(shrunk)[15], 15);
    Pool->Free(shrunk);
    Pool->Free(block);
}

TEST_F(PoolTest, ConcurrentUsersNeverShareABlock) {
    constexpr int kThreads = 4;
    constexpr int kBlocksEach = 1000;
    constexpr int kRounds = 50;
    std::vector<std::thread> threads;
    std::atomic<int> collisions{0};
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            std::vector<int64_t*> mine(kBlocksEach);
            for (int round = 0; round < kRounds; ++round) {
                for (int i = 0; i < kBlocksEach; ++i) {
                    mine[i] = static_cast<int64_t*>(Pool->Allocate(64));
                    mine[i][1] = int64_t{t} << 32 | i;
                }
                for (int i = 0; i < kBlocksEach; ++i) {
                    if (mine[i][1] != (int64_t{t} << 32 | i))
                        ++collisions;
                    Pool->Free(mine[i]);
                }
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(collisions.load(), 0);
    EXPECT_EQ(FreeBlocks(), CPoolMem::BlockCount);
}

namespace {

// Counts what the process pool hands out while `work` runs.
template <class Work>
CPoolMem::Statistics PoolUse(Work&& work) {
    const CPoolMem::Statistics before = TheNimbAppInstance.Pool.GetStatistics();
    work();
    const CPoolMem::Statistics after = TheNimbAppInstance.Pool.GetStatistics();
    return {before.FreeBlocks - after.FreeBlocks, after.HeapAllocations - before.HeapAllocations};
}

} // namespace

TEST(ProcessPool, LiteralsAndEmptyTextsAllocateNothing) {
    const auto use = PoolUse([] {
        CWConstString literal(u"no copy is made of this literal");
        CWString empty;
        CWString copy(literal);
        EXPECT_EQ(literal.GetLength() + copy.GetLength() + empty.GetLength(), 62);
    });
    EXPECT_EQ(use.FreeBlocks, 0);
    EXPECT_EQ(use.HeapAllocations, 0);
}

TEST(ProcessPool, TextsOfUpTo125CharactersTakeOneBlock) {
    CWString longest;
    CWString tooLong;
    const auto one = PoolUse([&] { longest.SetLength(125); });
    EXPECT_EQ(one.FreeBlocks, 1);
    EXPECT_EQ(one.HeapAllocations, 0);
    const auto heap = PoolUse([&] { tooLong.SetLength(126); });
    EXPECT_EQ(heap.FreeBlocks, 0);
    EXPECT_EQ(heap.HeapAllocations, 1);

    // The object itself fits a block as well.
    const auto object = PoolUse([] { CNimbObject::DeleteObject(new CWString(u"short")); });
    EXPECT_EQ(object.FreeBlocks, 0);
    EXPECT_EQ(object.HeapAllocations, 0);
    static_assert(sizeof(CWString) <= CPoolMem::BlockSize);
}

TEST(ProcessPool, AllocationFailureEndsTheProcessWithMinusOne) {
    const int code = kExitCodeMinusOne;
    const CNimbObject object;
    EXPECT_EXIT(object.MemAlloc(int64_t{1} << 62), ::testing::ExitedWithCode(code), "");
    EXPECT_EQ(object.MemAllocOrNull(int64_t{1} << 62), nullptr);
    EXPECT_EXIT(CWString().SetLength(int64_t{1} << 61), ::testing::ExitedWithCode(code), "");
}

// A size that cannot be represented is memory exhaustion as well; it must never wrap
// around into a small allocation that is then written past.
TEST(ProcessPool, SizesThatCannotBeRepresentedEndTheProcessWithMinusOne) {
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    const char16_t units[] = u"abc";
    const struct {
        const char* What;
        std::function<void()> Run;
    } cases[] = {
        {"SetLength near half the range", [] { CWString(u"x").SetLength(kMax / 2); }},
        {"SetLength at the top", [] { CWString().SetLength(kMax); }},
        {"SetTextN of zeros", [] { CWString().SetTextN(nullptr, kMax / 2 + 1); }},
        {"AppendUnits past the range", [&] { CWString(u"abc").AppendUnits(units, kMax - 1); }},
        {"AppendBytes of zeros",
         [] {
             CNimbMem buffer;
             buffer.AppendBytes("ab", 2);
             buffer.AppendBytes(nullptr, kMax - 1);
         }},
        {"AppendBytes to an empty buffer", [] { CNimbMem().AppendBytes(nullptr, kMax - 1); }},
        {"ReplaceRange growing past the range",
         [] {
             CNimbMem buffer;
             buffer.AppendBytes("abcd", 4);
             buffer.ReplaceRange(1, 1, nullptr, kMax - 1);
         }},
        {"SetSize with a step at the top",
         [] {
             CNimbMem buffer;
             buffer.SetStep(kMax);
             buffer.SetSize(10);
         }},
        {"a text entry past the range",
         [&] {
             rg_nimb_base::rg_WenBenShuZuLei texts;
             texts.Texts.AddUnits(units, kMax);
         }},
    };
    for (const auto& c : cases)
        EXPECT_EXIT(c.Run(), ::testing::ExitedWithCode(kExitCodeMinusOne), "") << c.What;
}

namespace {

// Made during static initialisation, before main: the pool must exist by then.
const bool kPoolServedStaticInitialisation = [] {
    CWString text(u"made before main");
    return TheNimbAppInstance.Pool.Contains(text.GetText());
}();

} // namespace

TEST(ProcessPool, ExistsBeforeOrdinaryStaticObjects) {
    EXPECT_TRUE(kPoolServedStaticInitialisation);
}
