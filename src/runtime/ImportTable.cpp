#include "runtime/ImportTable.h"

#include "runtime/CNimbAppInstance.h"
#include "runtime/Platform.h"

#include <cstring>

void FreeImportedLibraries() noexcept {
    CNimbMem& list = TheNimbAppInstance.LoadedLibraries;
    for (int64_t offset = 0; offset + static_cast<int64_t>(sizeof(void*)) <= list.GetSize();
         offset += sizeof(void*)) {
        void* library;
        std::memcpy(&library, list.GetData() + offset, sizeof library);
        Platform::FreeLibrary(library);
    }
    list.SetSize(0);
}
