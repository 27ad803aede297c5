// The pool and the texts built on it, each beside the baseline it has to beat.

#include "runtime/CPoolMem.h"
#include "runtime/CWString.h"
#include "runtime/Platform.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

CPoolMem& Pool() {
    static CPoolMem pool;
    return pool;
}

// One allocation and its free, the pattern of the application's short-lived objects.
void PoolAllocateFree(benchmark::State& state) {
    for (auto _ : state) {
        void* block = Pool().Allocate(88);
        benchmark::DoNotOptimize(block);
        Pool().Free(block);
    }
}
BENCHMARK(PoolAllocateFree);

void HeapAllocateFree(benchmark::State& state) {
    for (auto _ : state) {
        void* block = Platform::HeapAllocate(88);
        benchmark::DoNotOptimize(block);
        Platform::HeapFree(block);
    }
}
BENCHMARK(HeapAllocateFree);

// Many blocks live at once, freed in the order they were taken.
void PoolBurst(benchmark::State& state) {
    std::vector<void*> blocks(1000);
    for (auto _ : state) {
        for (void*& block : blocks)
            block = Pool().Allocate(200);
        for (void* block : blocks)
            Pool().Free(block);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(blocks.size()));
}
BENCHMARK(PoolBurst);

void HeapBurst(benchmark::State& state) {
    std::vector<void*> blocks(1000);
    for (auto _ : state) {
        for (void*& block : blocks)
            block = Platform::HeapAllocate(200);
        for (void* block : blocks)
            Platform::HeapFree(block);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(blocks.size()));
}
BENCHMARK(HeapBurst);

// A literal passed as a text: borrowing costs nothing; an owned copy costs one block.
void TextFromLiteral(benchmark::State& state) {
    for (auto _ : state) {
        CWConstString text(u"读取中...");
        benchmark::DoNotOptimize(text.GetText());
    }
}
BENCHMARK(TextFromLiteral);

void TextCopiedFromLiteral(benchmark::State& state) {
    for (auto _ : state) {
        CWString text(u"读取中...");
        benchmark::DoNotOptimize(text.GetText());
    }
}
BENCHMARK(TextCopiedFromLiteral);

void StdStringCopiedFromLiteral(benchmark::State& state) {
    for (auto _ : state) {
        std::u16string text(u"读取中... and a little more than fits in place");
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(StdStringCopiedFromLiteral);

// Building a report line by line: appends that fit grow in place.
void TextAppends(benchmark::State& state) {
    for (auto _ : state) {
        CWString text;
        for (int i = 0; i < 100; ++i)
            text.Append(u"Line of a report\r\n");
        benchmark::DoNotOptimize(text.GetText());
    }
}
BENCHMARK(TextAppends);

void StdStringAppends(benchmark::State& state) {
    for (auto _ : state) {
        std::u16string text;
        for (int i = 0; i < 100; ++i)
            text.append(u"Line of a report\r\n");
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(StdStringAppends);

} // namespace
