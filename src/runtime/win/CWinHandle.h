#pragma once
// Owning one operating-system resource: a kernel handle, a COM interface, a WinHTTP
// handle, a GDI object, a window hook. Every Windows-only part of the system holds its
// resources through this one owner, so that each is given back exactly once, on every
// path, in the order the owners were declared in reverse.

#include "runtime/win/Win32.h"

// Owns a resource of type T that Release (a function, or a function object) gives back;
// T{} means none. Moving hands the
// ownership on; there are no copies.
template <class T, auto Release>
class CWinHandle {
public:
    CWinHandle() noexcept = default;
    explicit CWinHandle(T handle) noexcept : Handle(handle) {}
    CWinHandle(CWinHandle&& other) noexcept : Handle(other.Detach()) {}
    CWinHandle& operator=(CWinHandle&& other) noexcept {
        if (&other != this)
            Reset(other.Detach());
        return *this;
    }
    CWinHandle(const CWinHandle&) = delete;
    CWinHandle& operator=(const CWinHandle&) = delete;
    ~CWinHandle() { Reset(); }

    T Get() const noexcept { return Handle; }
    explicit operator bool() const noexcept { return Handle != T{}; }
    bool operator==(T handle) const noexcept { return Handle == handle; }

    // Gives back the resource held, if any, and takes `handle`.
    void Reset(T handle = T{}) noexcept {
        const T old = Handle;
        Handle = handle;
        if (old != T{})
            Release(old);
    }
    // For an API that writes a new resource into its argument: gives back the current
    // one and returns the place to write to.
    T* Receive() noexcept {
        Reset();
        return &Handle;
    }
    // Lets go of the resource without giving it back; the caller owns it now.
    T Detach() noexcept {
        const T handle = Handle;
        Handle = T{};
        return handle;
    }

private:
    T Handle = T{};
};

namespace WinRelease {

inline void KernelHandle(HANDLE handle) noexcept {
    if (handle != INVALID_HANDLE_VALUE)
        ::CloseHandle(handle);
}

// A function object rather than a function template: its body is needed only where an
// owner gives an interface back, so owners can be declared over incomplete types.
struct ComInterface {
    template <class Interface>
    void operator()(Interface* object) const noexcept {
        object->Release();
    }
};

} // namespace WinRelease

// Events, pipes, processes, threads, jobs, files: everything CloseHandle gives back.
using CKernelHandle = CWinHandle<HANDLE, &WinRelease::KernelHandle>;

// One reference to a COM interface, released with the owner. The interface type needs to
// be complete only where an owner is destroyed or reset.
template <class Interface>
using CComRef = CWinHandle<Interface*, WinRelease::ComInterface{}>;
