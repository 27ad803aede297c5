#include "runtime/CNimbStream.h"

#include <algorithm>
#include <cstring>

int64_t CNimbStream::Read(void* destination, int64_t count) {
    if (ErrorCode != 0 || count <= 0)
        return 0;
    auto* out = static_cast<uint8_t*>(destination);
    int64_t delivered = std::min(count, ReadEnd - ReadPosition);
    if (delivered > 0) {
        std::memcpy(out, Buffer.GetData() + ReadPosition, static_cast<size_t>(delivered));
        ReadPosition += delivered;
    }
    int64_t rest = count - delivered;
    if (rest == 0)
        return delivered;

    const int64_t direct = ChunkSize == 0 ? rest : rest - rest % ChunkSize;
    if (direct > 0) {
        const int64_t got = ReadFromSource(out + delivered, direct);
        if (got < 0) {
            ErrorCode = ReadError;
            return delivered;
        }
        delivered += got;
        if (got < direct)
            return delivered; // the source is exhausted
        rest -= got;
    }
    if (rest > 0) {
        uint8_t* chunk = Buffer.SetSize(ChunkSize);
        const int64_t got = ReadFromSource(chunk, ChunkSize);
        if (got < 0) {
            ErrorCode = ReadError;
            return delivered;
        }
        ReadPosition = std::min(rest, got);
        ReadEnd = got;
        std::memcpy(out + delivered, chunk, static_cast<size_t>(ReadPosition));
        delivered += ReadPosition;
    }
    return delivered;
}

bool CNimbStream::Write(const void* source, int64_t count) {
    if (ErrorCode != 0)
        return false;
    if (count <= 0)
        return true;
    if (ChunkSize != 0) {
        if (WriteFill + count > ChunkSize && !Flush())
            return false;
        if (WriteFill + count <= ChunkSize) {
            if (Buffer.GetSize() < ChunkSize)
                Buffer.SetSize(ChunkSize);
            std::memcpy(Buffer.GetData() + WriteFill, source, static_cast<size_t>(count));
            WriteFill += count;
            return true;
        }
    }
    if (!WriteToSink(source, count)) {
        ErrorCode = WriteError;
        return false;
    }
    return true;
}

bool CNimbStream::Flush() {
    if (ErrorCode != 0)
        return false;
    if (WriteFill == 0)
        return true;
    const int64_t fill = WriteFill;
    WriteFill = 0;
    if (!WriteToSink(Buffer.GetData(), fill)) {
        ErrorCode = WriteError;
        return false;
    }
    return true;
}

bool CNimbStreamReader::ReadExact(void* destination, int64_t count) {
    if (count <= 0)
        return IsGood();
    if (ReadBytes(destination, count) == count)
        return true;
    MarkError();
    return false;
}
