#include "runtime/CNimbMemoryStream.h"

#include <algorithm>
#include <cstring>

int64_t CNimbMemoryStream::ReadFromSource(void* destination, int64_t count) {
    ++SourceReads;
    const int64_t got = std::min(count, InputSize - InputPosition);
    if (got > 0) {
        std::memcpy(destination, Input + InputPosition, static_cast<size_t>(got));
        InputPosition += got;
    }
    return got;
}

bool CNimbMemoryStream::WriteToSink(const void* source, int64_t count) {
    if (WriteLimit >= 0 && Output.GetSize() + count > WriteLimit)
        return false;
    Output.AppendBytes(source, count);
    return true;
}
