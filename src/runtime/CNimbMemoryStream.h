#pragma once

#include "runtime/CNimbStream.h"

// A stream over bytes in memory: reads deliver the given input, writes collect in a
// buffer that can be limited to make the sink fail when it is full.
class CNimbMemoryStream : public CNimbStream {
public:
    // `input` must outlive the stream. `writeLimit` < 0 means no limit.
    CNimbMemoryStream(const void* input, int64_t inputSize, int64_t chunkSize = 0,
                      int64_t writeLimit = -1) noexcept
        : CNimbStream(chunkSize), Input(static_cast<const uint8_t*>(input)),
          InputSize(input != nullptr && inputSize > 0 ? inputSize : 0), WriteLimit(writeLimit) {}
    explicit CNimbMemoryStream(int64_t chunkSize = 0) noexcept
        : CNimbMemoryStream(nullptr, 0, chunkSize) {}

    // Everything written so far, buffered output included.
    const CNimbMem& GetOutput() {
        Flush();
        return Output;
    }
    // Calls that reached the source, to show how the buffering splits reads.
    int64_t GetSourceReads() const noexcept { return SourceReads; }

protected:
    int64_t ReadFromSource(void* destination, int64_t count) override;
    bool WriteToSink(const void* source, int64_t count) override;

private:
    const uint8_t* Input;
    int64_t InputSize;
    int64_t InputPosition = 0;
    int64_t WriteLimit;
    int64_t SourceReads = 0;
    CNimbMem Output;
};
