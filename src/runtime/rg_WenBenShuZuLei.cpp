#include "runtime/rg_WenBenShuZuLei.h"

#include "runtime/CPoolMem.h"
#include "runtime/ContainerDump.h"
#include "runtime/NumberText.h"

#include <cstring>
#include <string_view>

static_assert(sizeof(rg_nimb_base::rg_WenBenShuZuLei) <= CPoolMem::BlockSize);
static_assert(sizeof(rg_nimb_base::rg_ChangZhengShuShuZuLei) <= CPoolMem::BlockSize);

namespace rg_nimb_base {

rg_WenBenShuZuLei::rg_WenBenShuZuLei(const rg_WenBenShuZuLei& other)
    : rg_KuoZhanDuiXiangLei(other) {
    Texts.CopyFrom(other.Texts);
}

rg_WenBenShuZuLei& rg_WenBenShuZuLei::operator=(const rg_WenBenShuZuLei& other) {
    CNimbObject::operator=(other);
    Texts.CopyFrom(other.Texts);
    return *this;
}

bool rg_WenBenShuZuLei::IsEqual(const CNimbObject& other) const {
    if (!CNimbObject::IsEqual(other))
        return false;
    const CMStringArray& theirs = static_cast<const rg_WenBenShuZuLei&>(other).Texts;
    const int64_t count = Texts.GetCount();
    if (count != theirs.GetCount())
        return false;
    for (int64_t i = 0; i < count; ++i) {
        if (std::u16string_view(Texts.GetAt(i)) != std::u16string_view(theirs.GetAt(i)))
            return false;
    }
    return true;
}

void rg_WenBenShuZuLei::DumpToText(CWString& out, int32_t limit) const {
    const int64_t shown = AppendContainerHeader(out, Texts.GetCount(), limit);
    for (int64_t i = 0; i < shown; ++i)
        out.AppendFormat(u"\r\n%d. %s", static_cast<int32_t>(i + 1),
                         EscapeQuoted(CWConstString(Texts.GetAt(i))));
}

void rg_WenBenShuZuLei::SaveToStream(CNimbStreamWriter& writer) const {
    const int64_t count = Texts.GetCount();
    if (!writer.WriteInt32(static_cast<int32_t>(count)))
        return;
    for (int64_t i = 0; i < count && writer.IsGood(); ++i)
        CWConstString(Texts.GetAt(i)).SaveToStream(writer);
}

void rg_WenBenShuZuLei::LoadFromStream(CNimbStreamReader& reader) {
    Texts.ClearAll();
    int32_t count = 0;
    if (!reader.ReadInt32(count))
        return;
    // The count is a claim: texts are taken only as long as the stream delivers them.
    for (int32_t i = 0; i < count; ++i) {
        CWString text;
        text.LoadFromStream(reader);
        if (!reader.IsGood())
            break;
        Texts.AddText(text.GetText());
    }
}

rg_ChangZhengShuShuZuLei::rg_ChangZhengShuShuZuLei(const rg_ChangZhengShuShuZuLei& other)
    : rg_KuoZhanDuiXiangLei(other) {
    Values.SetStep(CMStringArray::EntryStep);
    Values.CopyFrom(other.Values);
}

rg_ChangZhengShuShuZuLei&
rg_ChangZhengShuShuZuLei::operator=(const rg_ChangZhengShuShuZuLei& other) {
    CNimbObject::operator=(other);
    Values.CopyFrom(other.Values);
    return *this;
}

int64_t rg_ChangZhengShuShuZuLei::GetAt(int64_t index) const noexcept {
    int64_t value;
    std::memcpy(&value, Values.GetData() + index * static_cast<int64_t>(sizeof value),
                sizeof value);
    return value;
}

bool rg_ChangZhengShuShuZuLei::IsEqual(const CNimbObject& other) const {
    return CNimbObject::IsEqual(other) &&
           Values.IsEqual(static_cast<const rg_ChangZhengShuShuZuLei&>(other).Values);
}

void rg_ChangZhengShuShuZuLei::DumpToText(CWString& out, int32_t limit) const {
    const int64_t shown = AppendContainerHeader(out, GetCount(), limit);
    for (int64_t i = 0; i < shown; ++i)
        out.AppendFormat(u"\r\n%d. %s", static_cast<int32_t>(i + 1), Int64ToText(GetAt(i)));
}

void rg_ChangZhengShuShuZuLei::LoadFromStream(CNimbStreamReader& reader) {
    Values.LoadFromStream(reader);
}

void rg_ChangZhengShuShuZuLei::SaveToStream(CNimbStreamWriter& writer) const {
    Values.SaveToStream(writer);
}

} // namespace rg_nimb_base
