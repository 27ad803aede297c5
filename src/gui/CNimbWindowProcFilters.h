#pragma once
// The per-window chain of message filters: the extension point through which any object
// may see a window's messages before the window does. Filters are added and removed by the
// window's private requests, on the window's thread.

#include "runtime/CNimbObject.h"

#include <cstdint>

// A message filter. Window handles are the platform's, carried as untyped pointers.
class INimbWindowFilter {
public:
    // True when the filter handled the message; `result` is then its answer.
    virtual bool FilterMessage(void* window, uint32_t message, uintptr_t first, intptr_t second,
                               intptr_t& result) = 0;

protected:
    ~INimbWindowFilter() = default;
};

// A list of filters, newest first. The chain owns its nodes, not the filters. A filter may
// add or remove filters, itself included, while the chain runs it: removed nodes leave
// the list once the outermost run is over.
class CNimbWindowProcFilters : public CNimbCommonBaseWithMemManager {
public:
    CNimbWindowProcFilters() noexcept = default;
    CNimbWindowProcFilters(const CNimbWindowProcFilters&) = delete;
    CNimbWindowProcFilters& operator=(const CNimbWindowProcFilters&) = delete;
    virtual ~CNimbWindowProcFilters();

    // Frees every node.
    virtual void ClearFilters();
    // Puts `filter` at the head, unless it is in the chain already or null.
    virtual void AddFilter(INimbWindowFilter* filter);
    // Takes the first node holding `filter` out and returns true, or false when there is
    // none; a null filter clears the chain and returns true.
    virtual bool RemoveFilter(INimbWindowFilter* filter);
    // Offers the message to each filter in list order; true at the first that handled
    // it, with its answer in `result`. False for a null window.
    virtual bool RunFilters(void* window, uint32_t message, uintptr_t first, intptr_t second,
                            intptr_t& result);

    bool IsEmpty() const noexcept;

private:
    struct Node {
        INimbWindowFilter* Filter; // null once removed during a run
        Node* Next;
    };

    void Sweep();

    Node* Head = nullptr;
    int32_t Running = 0; // nested runs in progress
};
