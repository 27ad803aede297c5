#include "runtime/CPoolMem.h"

#include "runtime/Platform.h"

#include <cstring>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
// Free blocks and the unused tail of a block in use are poisoned, so that the address
// sanitizer sees use after free and overruns inside the pool as it does on the heap.
#define KQV_POISON(address, size) ASAN_POISON_MEMORY_REGION(address, size)
#define KQV_UNPOISON(address, size) ASAN_UNPOISON_MEMORY_REGION(address, size)
#else
#define KQV_POISON(address, size) static_cast<void>(0)
#define KQV_UNPOISON(address, size) static_cast<void>(0)
#endif

namespace {

// A free block keeps the address of the next free block in its first 8 bytes.
void* NextOf(void* block) noexcept {
    KQV_UNPOISON(block, sizeof(void*));
    void* next;
    std::memcpy(&next, block, sizeof next);
    KQV_POISON(block, sizeof(void*));
    return next;
}

void SetNext(void* block, void* next) noexcept {
    KQV_UNPOISON(block, sizeof(void*));
    std::memcpy(block, &next, sizeof next);
    KQV_POISON(block, sizeof(void*));
}

// Marks the first `size` bytes of a block in use as addressable and the rest as not.
void ShapeBlock([[maybe_unused]] void* block, [[maybe_unused]] int64_t size) noexcept {
    KQV_UNPOISON(block, static_cast<size_t>(size));
    KQV_POISON(static_cast<char*>(block) + size, static_cast<size_t>(CPoolMem::BlockSize - size));
}

} // namespace

CPoolMem::CPoolMem() noexcept {
    Start = static_cast<char*>(Platform::HeapAllocate(RegionSize));
    if (Start == nullptr)
        Platform::EndProcess(-1);
    End = Start + RegionSize;
    FreeHead = Start;
    for (char* block = Start; block < End; block += BlockSize) {
        char* next = block + BlockSize;
        void* link = next < End ? next : nullptr;
        std::memcpy(block, &link, sizeof link);
    }
    KQV_POISON(Start, RegionSize);
}

CPoolMem::~CPoolMem() {
    KQV_UNPOISON(Start, RegionSize);
    Platform::HeapFree(Start);
}

void* CPoolMem::PopBlock() noexcept {
    CNimbSpinLockGuard guard(Lock);
    void* block = FreeHead;
    if (block != nullptr)
        FreeHead = NextOf(block);
    return block;
}

void CPoolMem::PushBlock(void* block) noexcept {
    KQV_POISON(block, BlockSize);
    CNimbSpinLockGuard guard(Lock);
    SetNext(block, FreeHead);
    FreeHead = block;
}

void* CPoolMem::HeapAllocate(int64_t size) noexcept {
    HeapAllocations.fetch_add(1, std::memory_order_relaxed);
    return Platform::HeapAllocate(static_cast<size_t>(size));
}

void* CPoolMem::Allocate(int64_t size) noexcept {
    if (size < 0)
        return nullptr;
    if (size <= BlockSizeInUse) {
        if (void* block = PopBlock()) {
            ShapeBlock(block, size);
            return block;
        }
    }
    return HeapAllocate(size);
}

void* CPoolMem::AllocateOrExit(int64_t size) noexcept {
    void* block = Allocate(size);
    if (block == nullptr)
        Platform::EndProcess(-1);
    return block;
}

void CPoolMem::Free(void* block) noexcept {
    if (block == nullptr)
        return;
    if (Contains(block))
        PushBlock(block);
    else
        Platform::HeapFree(block);
}

void* CPoolMem::Reallocate(void* block, int64_t size) noexcept {
    if (block == nullptr)
        return AllocateOrExit(size);
    if (size < 0)
        Platform::EndProcess(-1);
    void* result;
    if (!Contains(block)) {
        result = Platform::HeapReallocate(block, static_cast<size_t>(size));
    } else if (size <= BlockSizeInUse) {
        ShapeBlock(block, size);
        return block;
    } else {
        result = HeapAllocate(size);
        if (result != nullptr) {
            KQV_UNPOISON(block, BlockSize);
            std::memcpy(result, block, BlockSize);
            PushBlock(block);
        }
    }
    if (result == nullptr)
        Platform::EndProcess(-1);
    return result;
}

CPoolMem::Statistics CPoolMem::GetStatistics() noexcept {
    Statistics statistics{0, HeapAllocations.load(std::memory_order_relaxed)};
    CNimbSpinLockGuard guard(Lock);
    for (void* block = FreeHead; block != nullptr; block = NextOf(block)) {
        const bool aligned = (static_cast<char*>(block) - Start) % BlockSize == 0;
        if (!Contains(block) || !aligned || statistics.FreeBlocks >= BlockCount) {
            statistics.FreeBlocks = -1;
            break;
        }
        ++statistics.FreeBlocks;
    }
    return statistics;
}
