#pragma once

#include "runtime/CNimbSpinLock.h"

#include <atomic>
#include <cstdint>

// The process memory pool: 16384 blocks of 256 bytes carved out of one 4 MiB region, with
// the process heap behind it for larger requests and for when the pool runs dry. Nearly
// every runtime object and most text buffers fit one block, so most allocations are a
// free-list pop under a spin lock. Whether an address belongs to the pool is decided by
// its position alone; blocks in use carry no header.
class CPoolMem {
public:
    static constexpr int64_t BlockSize = 256;
    static constexpr int64_t RegionSize = 4 * 1024 * 1024;
    static constexpr int64_t BlockCount = RegionSize / BlockSize;

    // Obtains the region and links every block into the free list in address order. A
    // region that cannot be obtained ends the process with exit code -1.
    CPoolMem() noexcept;
    // Gives the whole region back at once; blocks still in use go with it.
    virtual ~CPoolMem();

    CPoolMem(const CPoolMem&) = delete;
    CPoolMem& operator=(const CPoolMem&) = delete;

    // A block of at least `size` bytes, uninitialised: a pool block when the size fits
    // one and one is free, else heap memory. Null only when the heap fails.
    void* Allocate(int64_t size) noexcept;
    // As Allocate, but a failure ends the process with exit code -1.
    void* AllocateOrExit(int64_t size) noexcept;
    // Returns a pool block to the free list and anything else to the heap; null is ignored.
    void Free(void* block) noexcept;
    // Resizes `block`, keeping its contents. A pool block stays put while the size fits it
    // and moves to the heap when it does not; heap memory never moves back into the pool.
    // A failure ends the process with exit code -1. A null block is allocated afresh.
    void* Reallocate(void* block, int64_t size) noexcept;

    bool Contains(const void* address) const noexcept { return address >= Start && address < End; }

    struct Statistics {
        int64_t FreeBlocks;      // blocks on the free list
        int64_t HeapAllocations; // requests the pool passed on to the heap so far
    };
    // Walks the free list under the lock and checks that every node is a block boundary
    // inside the region; returns -1 free blocks when the list is damaged.
    Statistics GetStatistics() noexcept;

private:
    void* PopBlock() noexcept;
    void PushBlock(void* block) noexcept;
    void* HeapAllocate(int64_t size) noexcept;

    char* Start;
    char* End;
    void* FreeHead;
    int64_t BlockSizeInUse = BlockSize;
    CNimbSpinLock Lock;
    std::atomic<int64_t> HeapAllocations{0};
};
