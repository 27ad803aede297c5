#pragma once
// Object classes around the primitive types, so that a plain value can stand wherever an
// object is expected: in a container, as an argument of type object, in a dump.

#include "runtime/CNimbStream.h"
#include "runtime/CWString.h"

#include <cstdint>
#include <type_traits>

// The base of the value wrappers; no data of its own.
class CNimbBaseDataType : public CNimbObject {
    NIMB_DECLARE_CLASS(CNimbBaseDataType, CNimbObject, "CNimbBaseDataType")

    // The address of the wrapped value; null for this base itself.
    virtual void* GetValueAddress() { return nullptr; }
};

// The text forms of the wrapped types.
void AppendValueText(CWString& out, int32_t value);  // "%d"
void AppendValueText(CWString& out, char16_t value); // the character; nothing for 0
void AppendValueText(CWString& out, int64_t value);  // Int64ToText
void AppendValueText(CWString& out, float value);    // AppendFloat
void AppendValueText(CWString& out, double value);   // AppendDouble
void AppendValueText(CWString& out, int16_t value);  // "%d", sign-extended
void AppendValueText(CWString& out, int8_t value);   // "%d", sign-extended

// What the nine wrappers share: one value field, compared exactly (the real types within
// 0.000001 in their own precision), printed in its type's text form and streamed as its
// raw little-endian bytes.
template <class T>
class CNimbValueOf : public CNimbBaseDataType {
public:
    using ValueType = T;

    CNimbValueOf() noexcept = default;
    explicit CNimbValueOf(T value) noexcept : Value(value) {}

    void* GetValueAddress() override { return &Value; }

    bool IsEqual(const CNimbObject& other) const override {
        if (!CNimbObject::IsEqual(other))
            return false;
        const T theirs = static_cast<const CNimbValueOf&>(other).Value;
        if constexpr (std::is_floating_point_v<T>) {
            // The difference is taken in the type's own precision; NaN compares unequal.
            const T difference = Value - theirs;
            return difference >= static_cast<T>(-0.000001) &&
                   difference <= static_cast<T>(0.000001);
        } else {
            return Value == theirs;
        }
    }

    // Empties `out` and writes the value's text.
    void DumpToText(CWString& out, int32_t) const override {
        out.Clear();
        AppendValueText(out, Value);
    }

    void LoadFromStream(CNimbStreamReader& reader) override {
        reader.ReadExact(&Value, sizeof Value);
    }
    void SaveToStream(CNimbStreamWriter& writer) const override {
        writer.WriteBytes(&Value, sizeof Value);
    }

    T Value{};
};

namespace rg_nimb_base {

// Integer.
class rg_ZhengShuLei : public CNimbValueOf<int32_t> {
    NIMB_DECLARE_CLASS(rg_ZhengShuLei, CNimbBaseDataType, "rg_nimb_base::rg_ZhengShuLei")
    using CNimbValueOf::CNimbValueOf;
};

// Boolean: 0 is false, anything else true; printed as the stored number.
class rg_LuoJiXingLei : public CNimbValueOf<int32_t> {
    NIMB_DECLARE_CLASS(rg_LuoJiXingLei, CNimbBaseDataType, "rg_nimb_base::rg_LuoJiXingLei")
    using CNimbValueOf::CNimbValueOf;
};

// Character: one UTF-16 code unit.
class rg_ZiFuLei : public CNimbValueOf<char16_t> {
    NIMB_DECLARE_CLASS(rg_ZiFuLei, CNimbBaseDataType, "rg_nimb_base::rg_ZiFuLei")
    using CNimbValueOf::CNimbValueOf;
};

// Long integer.
class rg_ChangZhengShuLei : public CNimbValueOf<int64_t> {
    NIMB_DECLARE_CLASS(rg_ChangZhengShuLei, CNimbBaseDataType, "rg_nimb_base::rg_ChangZhengShuLei")
    using CNimbValueOf::CNimbValueOf;
};

// Single-precision real.
class rg_ChanJingDuXiaoShuLei : public CNimbValueOf<float> {
    NIMB_DECLARE_CLASS(rg_ChanJingDuXiaoShuLei, CNimbBaseDataType,
                       "rg_nimb_base::rg_ChanJingDuXiaoShuLei")
    using CNimbValueOf::CNimbValueOf;
};

// Real.
class rg_XiaoShuLei : public CNimbValueOf<double> {
    NIMB_DECLARE_CLASS(rg_XiaoShuLei, CNimbBaseDataType, "rg_nimb_base::rg_XiaoShuLei")
    using CNimbValueOf::CNimbValueOf;
};

// Pointer-sized integer.
class rg_BianZhengShuLei : public CNimbValueOf<int64_t> {
    NIMB_DECLARE_CLASS(rg_BianZhengShuLei, CNimbBaseDataType, "rg_nimb_base::rg_BianZhengShuLei")
    using CNimbValueOf::CNimbValueOf;
};

// Short integer.
class rg_DuanZhengShuLei : public CNimbValueOf<int16_t> {
    NIMB_DECLARE_CLASS(rg_DuanZhengShuLei, CNimbBaseDataType, "rg_nimb_base::rg_DuanZhengShuLei")
    using CNimbValueOf::CNimbValueOf;
};

// Byte, signed.
class rg_ZiJieLei : public CNimbValueOf<int8_t> {
    NIMB_DECLARE_CLASS(rg_ZiJieLei, CNimbBaseDataType, "rg_nimb_base::rg_ZiJieLei")
    using CNimbValueOf::CNimbValueOf;
};

} // namespace rg_nimb_base
