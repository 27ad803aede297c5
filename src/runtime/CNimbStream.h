#pragma once
// Streams for the LoadFromStream and SaveToStream operations. Values travel as their raw
// little-endian bytes without tags or padding; texts, buffers and arrays are prefixed
// with a 32-bit count. The runtime itself never creates a stream.

#include "runtime/CNimbMem.h"

#include <cstdint>

// A buffered stream over a source or a sink supplied by a derived class. ErrorCode is 0
// while everything works; once it is set, every further read or write does nothing.
class CNimbStream {
public:
    static constexpr int32_t ReadError = -3;  // a failed or short read
    static constexpr int32_t WriteError = -4; // a write the sink could not complete

    // `chunkSize` 0 passes every read and write straight through.
    explicit CNimbStream(int64_t chunkSize) noexcept : ChunkSize(chunkSize > 0 ? chunkSize : 0) {}
    virtual ~CNimbStream() = default;
    CNimbStream(const CNimbStream&) = delete;
    CNimbStream& operator=(const CNimbStream&) = delete;

    // Takes buffered bytes first, reads whole chunks straight from the source and refills
    // the buffer with one chunk for a remainder. Returns the bytes delivered: fewer than
    // asked at the end of the source, 0 once ErrorCode is set or for count <= 0.
    int64_t Read(void* destination, int64_t count);
    // Copies into the buffer while there is room, flushes when there is not, and writes
    // straight to the sink what still does not fit.
    bool Write(const void* source, int64_t count);
    // Hands buffered output to the sink.
    bool Flush();

    int32_t ErrorCode = 0;

protected:
    // Up to `count` bytes from the source: fewer at its end, negative on failure.
    virtual int64_t ReadFromSource(void* destination, int64_t count) = 0;
    // All `count` bytes to the sink, or false.
    virtual bool WriteToSink(const void* source, int64_t count) = 0;

private:
    const int64_t ChunkSize;
    CNimbMem Buffer;
    int64_t ReadPosition = 0; // next buffered byte to deliver
    int64_t ReadEnd = 0;      // end of the buffered input
    int64_t WriteFill = 0;    // buffered output not yet handed to the sink
};

// The handle LoadFromStream receives. Without a stream every operation does nothing.
class CNimbStreamReader {
public:
    explicit CNimbStreamReader(CNimbStream* stream) noexcept : Stream(stream) {}

    // Bytes delivered into `destination`; 0 once the stream carries an error.
    int64_t ReadBytes(void* destination, int64_t count) {
        return Stream != nullptr ? Stream->Read(destination, count) : 0;
    }
    // Reads `count` bytes; fewer mark the stream with ReadError (what did arrive stays in
    // `destination`). True when all arrived.
    bool ReadExact(void* destination, int64_t count);
    bool ReadInt32(int32_t& value) { return ReadExact(&value, sizeof value); }

    bool IsGood() const noexcept { return Stream != nullptr && Stream->ErrorCode == 0; }
    int32_t GetErrorCode() const noexcept { return Stream != nullptr ? Stream->ErrorCode : 0; }
    void MarkError() noexcept {
        if (Stream != nullptr && Stream->ErrorCode == 0)
            Stream->ErrorCode = CNimbStream::ReadError;
    }

private:
    CNimbStream* Stream;
};

// The handle SaveToStream receives. Without a stream every operation does nothing.
class CNimbStreamWriter {
public:
    explicit CNimbStreamWriter(CNimbStream* stream) noexcept : Stream(stream) {}

    // False without writing once the stream carries an error.
    bool WriteBytes(const void* source, int64_t count) {
        return Stream != nullptr && Stream->Write(source, count);
    }
    bool WriteInt32(int32_t value) { return WriteBytes(&value, sizeof value); }

    bool IsGood() const noexcept { return Stream != nullptr && Stream->ErrorCode == 0; }
    int32_t GetErrorCode() const noexcept { return Stream != nullptr ? Stream->ErrorCode : 0; }
    void MarkError() noexcept {
        if (Stream != nullptr && Stream->ErrorCode == 0)
            Stream->ErrorCode = CNimbStream::WriteError;
    }

private:
    CNimbStream* Stream;
};
