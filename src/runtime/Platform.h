#pragma once
// The portable runtime's only view of the operating system. Each function has one
// implementation per platform: win/Platform.cpp over Win32, posix/Platform.cpp elsewhere.
// Nothing else in the runtime knows which system it runs on.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace Platform {

// The process heap under the memory pool. Blocks are not zero-filled; a failure returns
// null and leaves the block passed to HeapReallocate untouched.
void* HeapAllocate(size_t size) noexcept;
void* HeapReallocate(void* block, size_t size) noexcept;
void HeapFree(void* block) noexcept;

// Ends the process through the normal exit path: exit handlers and static destructors
// run, nothing is shown.
[[noreturn]] inline void EndProcess(int code) noexcept {
    std::exit(code);
}

// Tells the processor that the caller is spinning.
inline void CpuPause() noexcept {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#elif defined(__aarch64__)
    asm volatile("yield");
#endif
}

// Decodes `count` UTF-8 bytes (no terminator needed) into `out`, which must hold `count`
// code units (UTF-16 never needs more units than UTF-8 has bytes). Malformed sequences
// become U+FFFD. Returns the number of code units written.
int64_t Utf8ToUtf16(const char* bytes, int64_t count, char16_t* out) noexcept;

// The system's ANSI code page (936 on a Simplified-Chinese system).
uint32_t AnsiCodePage() noexcept;

// Decodes `count` bytes of the ANSI code page into `out`, which must hold `count` code
// units (no ANSI code page needs more). Returns the number of code units written, 0 when
// the bytes cannot be decoded.
int64_t AnsiToUtf16(const char* bytes, int64_t count, char16_t* out) noexcept;

// The length of the longest prefix of `count` ANSI code-page bytes that ends on a
// character boundary, so that a multi-byte character split between two reads is not
// decoded in halves. `bytes` must start on a boundary.
int64_t AnsiCompleteLength(const char* bytes, int64_t count) noexcept;

// Whether the C run-time counts `unit` as printable (its wide print class). On POSIX
// systems the classification is that of the C.UTF-8 locale, so that Chinese text counts
// as printable there as it does on Windows.
bool IsPrintable(char16_t unit) noexcept;

// Whether a debugger is attached to the process.
bool IsDebuggerAttached() noexcept;

// Shows an error to the user and returns when it has been acknowledged: a message box
// with an error icon and no owner on Windows, a line on the standard error elsewhere.
void ShowErrorMessage(const char16_t* message, const char16_t* caption) noexcept;

// The module that holds the runtime's code (the program itself, for a static build).
void* CodeModule() noexcept;

// Unloads a library the import table loaded.
void FreeLibrary(void* library) noexcept;

} // namespace Platform
