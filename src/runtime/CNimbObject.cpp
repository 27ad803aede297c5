#include "runtime/CNimbObject.h"

#include "runtime/CNimbAppInstance.h"
#include "runtime/CWString.h"

void* CNimbCommonBaseWithMemManager::MemAlloc(int64_t size) const {
    return TheNimbAppInstance.Pool.AllocateOrExit(size);
}

void* CNimbCommonBaseWithMemManager::MemAllocOrNull(int64_t size) const {
    return TheNimbAppInstance.Pool.Allocate(size);
}

void* CNimbCommonBaseWithMemManager::MemRealloc(void* block, int64_t size) const {
    return TheNimbAppInstance.Pool.Reallocate(block, size);
}

void CNimbCommonBaseWithMemManager::MemFree(void* block) const {
    TheNimbAppInstance.Pool.Free(block);
}

CPoolMem* CNimbCommonBaseWithMemManager::GetMemManager() const {
    return &TheNimbAppInstance.Pool;
}

void* CNimbCommonBaseWithMemManager::operator new(size_t size) {
    return TheNimbAppInstance.Pool.AllocateOrExit(static_cast<int64_t>(size));
}

void CNimbCommonBaseWithMemManager::operator delete(void* memory) noexcept {
    TheNimbAppInstance.Pool.Free(memory);
}

bool CNimbObject::IsEqual(const CNimbObject& other) const {
    return GetClassInfo().IsSameClass(other.GetClassInfo()) &&
           IsNullObject() == other.IsNullObject() && Tag == other.Tag;
}

bool CNimbObject::AssignFrom(const CNimbObject& other) {
    if (!other.IsKindOf(ClassRecord()))
        return false;
    if (&other != this) {
        OnBeforeChange();
        *this = other;
    }
    return true;
}

void CNimbObject::Reset() {
    OnBeforeChange();
    *this = CNimbObject();
}

void CNimbObject::DumpToText(CWString& out, int32_t) const {
    CWString name(GetClassInfo().Name);
    out.AppendFormat(u"无法解析的对象数据,其输出类名为: \"%s\", 地址为: 0x%I64X", name,
                     reinterpret_cast<uintptr_t>(this));
    if (IsNullObject())
        out.Append(u", 为空对象");
}

void CNimbObject::LoadFromStream(CNimbStreamReader&) {}

void CNimbObject::SaveToStream(CNimbStreamWriter&) const {}
