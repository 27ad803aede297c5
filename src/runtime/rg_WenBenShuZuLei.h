#pragma once
// The array kinds of the library: texts, 64-bit integers and owned objects. Each keeps
// its elements in a buffer growing in steps of 256 bytes and prints the numbered
// container dump.

#include "runtime/CMStringArray.h"
#include "runtime/CNimbStream.h"
#include "runtime/rg_KuoZhanDuiXiangLei.h"

#include <cstdint>

namespace rg_nimb_base {

// An array of texts.
class rg_WenBenShuZuLei : public rg_KuoZhanDuiXiangLei {
    NIMB_DECLARE_CLASS(rg_WenBenShuZuLei, rg_KuoZhanDuiXiangLei, "rg_nimb_base::rg_WenBenShuZuLei")

    rg_WenBenShuZuLei() noexcept = default;
    rg_WenBenShuZuLei(const rg_WenBenShuZuLei& other);
    rg_WenBenShuZuLei& operator=(const rg_WenBenShuZuLei& other);

    // Same count and equal texts at every index; a null entry equals an empty text.
    bool IsEqual(const CNimbObject& other) const override;
    // Numbered lines with the texts quoted and escaped.
    void DumpToText(CWString& out, int32_t limit) const override;
    // An int32 count, then every text in the text stream form.
    void LoadFromStream(CNimbStreamReader& reader) override;
    void SaveToStream(CNimbStreamWriter& writer) const override;

    CMStringArray Texts;
};

// An array of signed 64-bit integers, back to back in machine order.
class rg_ChangZhengShuShuZuLei : public rg_KuoZhanDuiXiangLei {
    NIMB_DECLARE_CLASS(rg_ChangZhengShuShuZuLei, rg_KuoZhanDuiXiangLei,
                       "rg_nimb_base::rg_ChangZhengShuShuZuLei")

    rg_ChangZhengShuShuZuLei() noexcept { Values.SetStep(CMStringArray::EntryStep); }
    rg_ChangZhengShuShuZuLei(const rg_ChangZhengShuShuZuLei& other);
    rg_ChangZhengShuShuZuLei& operator=(const rg_ChangZhengShuShuZuLei& other);

    void Add(int64_t value) { Values.AppendBytes(&value, sizeof value); }
    int64_t GetCount() const noexcept {
        return Values.GetSize() / static_cast<int64_t>(sizeof(int64_t));
    }
    // The value at `index` (0 <= index < GetCount()).
    int64_t GetAt(int64_t index) const noexcept;

    // Equal buffers: their NullObject bits, Tags, sizes and bytes.
    bool IsEqual(const CNimbObject& other) const override;
    // Numbered lines with the values in decimal.
    void DumpToText(CWString& out, int32_t limit) const override;
    // The byte-buffer stream form of the values.
    void LoadFromStream(CNimbStreamReader& reader) override;
    void SaveToStream(CNimbStreamWriter& writer) const override;

    CNimbMem Values;
};

} // namespace rg_nimb_base
