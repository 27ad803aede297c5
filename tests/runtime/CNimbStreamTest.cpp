#include "runtime/CNimbMemoryStream.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kInput = "0123456789abcdefghij"; // 20 bytes

std::string Read(CNimbStream& stream, int64_t count) {
    std::string out(static_cast<size_t>(count > 0 ? count : 0), '?');
    out.resize(static_cast<size_t>(stream.Read(out.data(), count)));
    return out;
}

} // namespace

TEST(CNimbStream, ReadsTakeTheBufferThenWholeChunksThenOneRefill) {
    CNimbMemoryStream stream(kInput.data(), 20, 4);
    EXPECT_EQ(Read(stream, 10), "0123456789"); // 8 straight from the source, then a chunk
    EXPECT_EQ(stream.GetSourceReads(), 2);
    EXPECT_EQ(Read(stream, 2), "ab"); // from the buffer
    EXPECT_EQ(stream.GetSourceReads(), 2);
    EXPECT_EQ(Read(stream, 100), "cdefghij"); // short at the end of the source
    EXPECT_EQ(stream.ErrorCode, 0);
    EXPECT_EQ(Read(stream, 1), "");
}

TEST(CNimbStream, ChunkSizeZeroReadsStraightFromTheSource) {
    CNimbMemoryStream stream(kInput.data(), 20);
    EXPECT_EQ(Read(stream, 3), "012");
    EXPECT_EQ(Read(stream, 3), "345");
    EXPECT_EQ(stream.GetSourceReads(), 2);
    EXPECT_EQ(Read(stream, 0), "");
    EXPECT_EQ(Read(stream, -5), "");
    EXPECT_EQ(stream.GetSourceReads(), 2);
}

TEST(CNimbStream, AShortReadMarksTheStreamAndStopsLaterReads) {
    CNimbMemoryStream stream(kInput.data(), 3);
    CNimbStreamReader reader(&stream);
    int32_t value = 0;
    EXPECT_FALSE(reader.ReadInt32(value));
    EXPECT_EQ(reader.GetErrorCode(), CNimbStream::ReadError);
    EXPECT_EQ(value, 0x00323130); // what did arrive stays
    char byte = 0;
    EXPECT_EQ(reader.ReadBytes(&byte, 1), 0);
}

TEST(CNimbStream, WritesFillTheBufferFlushAndGoStraightWhenTooLarge) {
    CNimbMemoryStream stream(4);
    CNimbStreamWriter writer(&stream);
    EXPECT_TRUE(writer.WriteBytes("ab", 2));
    EXPECT_TRUE(writer.WriteBytes("cd", 2));     // exactly full
    EXPECT_TRUE(writer.WriteBytes("e", 1));      // flushes first
    EXPECT_TRUE(writer.WriteBytes("fghijk", 6)); // flushes, then straight through
    EXPECT_TRUE(writer.WriteInt32(0x01020304));
    const CNimbMem& output = stream.GetOutput();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(output.GetData()), 15),
              std::string("abcdefghijk\x04\x03\x02\x01", 15));
}

TEST(CNimbStream, AFullSinkMarksTheStreamAndLaterWritesFailWithoutWriting) {
    CNimbMemoryStream stream(nullptr, 0, 0, 3);
    CNimbStreamWriter writer(&stream);
    EXPECT_TRUE(writer.WriteBytes("ab", 2));
    EXPECT_FALSE(writer.WriteBytes("cd", 2));
    EXPECT_EQ(writer.GetErrorCode(), CNimbStream::WriteError);
    EXPECT_FALSE(writer.WriteBytes("e", 1));
    EXPECT_EQ(stream.GetOutput().GetSize(), 2);
}

TEST(CNimbStream, HandlesWithoutAStreamDoNothing) {
    CNimbStreamReader reader(nullptr);
    CNimbStreamWriter writer(nullptr);
    char buffer[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(reader.ReadBytes(buffer, 4), 0);
    EXPECT_FALSE(reader.ReadExact(buffer, 4));
    EXPECT_FALSE(writer.WriteBytes(buffer, 4));
    reader.MarkError();
    writer.MarkError();
    EXPECT_EQ(reader.GetErrorCode(), 0);
    EXPECT_EQ(buffer[0], 'x');
}
