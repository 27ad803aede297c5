#include "runtime/CNimbException.h"

#include "runtime/CPoolMem.h"

static_assert(sizeof(CNimbException) <= CPoolMem::BlockSize, "an exception takes one pool block");

bool CNimbException::IsEqual(const CNimbObject& other) const {
    return CNimbObject::IsEqual(other) && Code == static_cast<const CNimbException&>(other).Code;
}

void CNimbException::DumpToText(CWString& out, int32_t) const {
    out.AppendFormat(u"代码: %d; 描述: %s", Code, Message);
}

void CNimbException::LoadFromStream(CNimbStreamReader& reader) {
    if (reader.ReadExact(&Code, sizeof Code))
        Message.LoadFromStream(reader);
}

void CNimbException::SaveToStream(CNimbStreamWriter& writer) const {
    if (writer.WriteBytes(&Code, sizeof Code))
        Message.SaveToStream(writer);
}
