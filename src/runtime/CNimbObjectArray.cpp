#include "runtime/CNimbObjectArray.h"

#include "runtime/CPoolMem.h"
#include "runtime/CWString.h"
#include "runtime/ContainerDump.h"

static_assert(sizeof(CNimbObjectArray) <= CPoolMem::BlockSize);

CNimbObjectArray::CNimbObjectArray(const CNimbObjectArray& other) : CNimbObject(other) {
    Members.SetStep(CPoolMem::BlockSize);
    for (int64_t i = 0, count = other.GetCount(); i < count; ++i)
        Add(other.GetAt(i)->Clone());
}

CNimbObjectArray& CNimbObjectArray::operator=(const CNimbObjectArray& other) {
    if (&other == this)
        return *this;
    CNimbObject::operator=(other);
    ClearAll();
    for (int64_t i = 0, count = other.GetCount(); i < count; ++i)
        Add(other.GetAt(i)->Clone());
    return *this;
}

bool CNimbObjectArray::Add(CNimbObject* member) {
    if (member == nullptr)
        return false;
    Members.AppendBytes(&member, sizeof member);
    return true;
}

void CNimbObjectArray::ClearAll() {
    for (int64_t i = 0, count = GetCount(); i < count; ++i)
        DeleteObject(GetAt(i));
    Members.SetSize(0);
}

bool CNimbObjectArray::IsEqual(const CNimbObject& other) const {
    if (!CNimbObject::IsEqual(other))
        return false;
    const auto& theirs = static_cast<const CNimbObjectArray&>(other);
    const int64_t count = GetCount();
    if (count != theirs.GetCount())
        return false;
    for (int64_t i = 0; i < count; ++i) {
        if (!GetAt(i)->IsEqual(*theirs.GetAt(i)))
            return false;
    }
    return true;
}

void CNimbObjectArray::DumpToText(CWString& out, int32_t limit) const {
    const int64_t shown = AppendContainerHeader(out, GetCount(), limit);
    for (int64_t i = 0; i < shown; ++i) {
        const CNimbObject* member = GetAt(i);
        out.AppendFormat(u"\r\n%d. 对象输出类名: \"%s\", 地址: 0x%I64X",
                         static_cast<int32_t>(i + 1), CWString(member->GetClassInfo().Name),
                         reinterpret_cast<uintptr_t>(member));
        if (member->IsNullObject())
            out.Append(u", 为空对象");
        out.Append(u", 内容:\r\n");
        CWString dump;
        member->DumpToText(dump, limit);
        out.Append(dump);
    }
}
