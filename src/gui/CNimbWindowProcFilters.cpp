#include "gui/CNimbWindowProcFilters.h"

#include <new>

CNimbWindowProcFilters::~CNimbWindowProcFilters() {
    Running = 0;
    ClearFilters();
}

void CNimbWindowProcFilters::ClearFilters() {
    for (Node* node = Head; node != nullptr; node = node->Next)
        node->Filter = nullptr;
    Sweep();
}

void CNimbWindowProcFilters::AddFilter(INimbWindowFilter* filter) {
    if (filter == nullptr)
        return;
    for (const Node* node = Head; node != nullptr; node = node->Next) {
        if (node->Filter == filter)
            return;
    }
    Head = new (MemAlloc(sizeof(Node))) Node{filter, Head};
}

bool CNimbWindowProcFilters::RemoveFilter(INimbWindowFilter* filter) {
    if (filter == nullptr) {
        ClearFilters();
        return true;
    }
    for (Node* node = Head; node != nullptr; node = node->Next) {
        if (node->Filter == filter) {
            node->Filter = nullptr;
            Sweep();
            return true;
        }
    }
    return false;
}

bool CNimbWindowProcFilters::RunFilters(void* window, uint32_t message, uintptr_t first,
                                        intptr_t second, intptr_t& result) {
    if (window == nullptr)
        return false;
    ++Running;
    bool handled = false;
    // Nodes stay in place during the run, so that the walk survives filters that change
    // the chain; the ones added meanwhile sit before the node reached and are not asked.
    for (Node* node = Head; node != nullptr && !handled; node = node->Next) {
        if (node->Filter != nullptr)
            handled = node->Filter->FilterMessage(window, message, first, second, result);
    }
    --Running;
    Sweep();
    return handled;
}

bool CNimbWindowProcFilters::IsEmpty() const noexcept {
    for (const Node* node = Head; node != nullptr; node = node->Next) {
        if (node->Filter != nullptr)
            return false;
    }
    return true;
}

// Frees the removed nodes, unless a run is still walking over them.
void CNimbWindowProcFilters::Sweep() {
    if (Running != 0)
        return;
    for (Node** link = &Head; *link != nullptr;) {
        Node* node = *link;
        if (node->Filter == nullptr) {
            *link = node->Next;
            MemFree(node);
        } else {
            link = &node->Next;
        }
    }
}
