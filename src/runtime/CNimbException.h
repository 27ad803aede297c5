#pragma once

#include "runtime/CNimbStream.h"
#include "runtime/CWString.h"

#include <cstdint>

// The runtime's one error object: a code and a description. It is thrown by value and
// caught once, by the guard around the program run.
class CNimbException : public CNimbObject {
    NIMB_DECLARE_CLASS(CNimbException, CNimbObject, "CNimbException")

    CNimbException() noexcept = default;
    // Code -1 with a copy of `description` (empty for null).
    explicit CNimbException(const char16_t* description) : Code(-1), Message(description) {}

    // Class, NullObject bit, Tag and Code; the description does not count.
    bool IsEqual(const CNimbObject& other) const override;
    // Appends "代码: %d; 描述: %s".
    void DumpToText(CWString& out, int32_t limit) const override;
    // The code (4 bytes), then the description in the text stream form.
    void LoadFromStream(CNimbStreamReader& reader) override;
    void SaveToStream(CNimbStreamWriter& writer) const override;

    int32_t Code = 0;
    CWString Message;
};
