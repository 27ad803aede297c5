// Formatting with any format text and a fixed set of arguments of every kind.

#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const CWString format = TextOf(data, size);
    CWString out;
    out.Format(format.GetText(), 42, int64_t{-7}, 2.5, u"text", static_cast<const void*>(&out),
               u'x');
    out.AppendFormat(format.GetText());
    return 0;
}
