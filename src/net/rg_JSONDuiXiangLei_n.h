#pragma once
// JSON documents on yyjson's mutable documents: a JSON object class that parses a text
// and answers member values as text, and the two builder classes it is made of.

#include "runtime/CWString.h"

#include <yyjson.h>

#include <cstdint>

namespace rg_nimb_Kovra {

// A reference to one value inside a yyjson mutable document; owns nothing.
class yy_mut_val {
public:
    yyjson_mut_doc* Doc = nullptr;
    yyjson_mut_val* Val = nullptr;

protected:
    yy_mut_val() noexcept = default;
    yy_mut_val(const yy_mut_val&) noexcept = default;
    yy_mut_val& operator=(const yy_mut_val&) noexcept = default;
    ~yy_mut_val() = default;
};

// Owns the document Doc points to (Val is then its root), and keeps the last reading
// error in yyjson's layout.
class yy_mut_doc : public virtual yy_mut_val {
public:
    // Frees the document; Doc and Val become none.
    void FreeDocument() noexcept;
    void ClearReadError() noexcept;

    uint32_t ReadErrorCode = 0;
    const char* ReadErrorMessage = nullptr;
    uint64_t ReadErrorPosition = 0;

protected:
    yy_mut_doc() noexcept = default;
    yy_mut_doc(const yy_mut_doc&) = delete;
    yy_mut_doc& operator=(const yy_mut_doc&) = delete;
    ~yy_mut_doc() { FreeDocument(); }
};

// A builder array: refers to a value of some document, shared by copies, never owned.
// It must not outlive the document it refers to.
class rg_JSONGouZaoShuZuLei_yy : public CNimbObject, public virtual yy_mut_val {
    NIMB_DECLARE_CLASS(rg_JSONGouZaoShuZuLei_yy, CNimbObject,
                       "rg_nimb_Kovra::rg_JSONGouZaoShuZuLei_yy")

    rg_JSONGouZaoShuZuLei_yy() noexcept = default;
    rg_JSONGouZaoShuZuLei_yy(const rg_JSONGouZaoShuZuLei_yy& other) noexcept;
    rg_JSONGouZaoShuZuLei_yy& operator=(const rg_JSONGouZaoShuZuLei_yy& other);

    // Refers to `value` of `document` when both are given, else to nothing.
    virtual void BindValue(yyjson_mut_doc* document, yyjson_mut_val* value);
    // Turns the value into JSON null in place; 1 when there was a value, else 0.
    virtual int32_t SetNull();
};

// A builder object: owns its document, and copies deeply.
class rg_JSONGouZaoDuiXiangLei_yy : public rg_JSONGouZaoShuZuLei_yy, public yy_mut_doc {
    NIMB_DECLARE_CLASS(rg_JSONGouZaoDuiXiangLei_yy, rg_JSONGouZaoShuZuLei_yy,
                       "rg_nimb_Kovra::rg_JSONGouZaoDuiXiangLei_yy")

    rg_JSONGouZaoDuiXiangLei_yy() noexcept = default;
    rg_JSONGouZaoDuiXiangLei_yy(const rg_JSONGouZaoDuiXiangLei_yy& other);
    rg_JSONGouZaoDuiXiangLei_yy& operator=(const rg_JSONGouZaoDuiXiangLei_yy& other);
    ~rg_JSONGouZaoDuiXiangLei_yy() override = default;

    // Replaces the own document by a deep copy of `value` when it is an array or an
    // object; in every other case leaves no document.
    void BindValue(yyjson_mut_doc* document, yyjson_mut_val* value) override;
    // Does nothing and returns 0: the owned root stays what it is.
    int32_t SetNull() override;
    // Makes `root` of the new `document` the own document and value.
    void Adopt(yyjson_mut_doc* document, yyjson_mut_val* root) noexcept;
};

// A parsed JSON document that answers member values as text.
class rg_JSONDuiXiangLei_n : public CNimbObject {
    NIMB_DECLARE_CLASS(rg_JSONDuiXiangLei_n, CNimbObject, "rg_nimb_Kovra::rg_JSONDuiXiangLei_n")

    // A document whose root is an empty object (no document when that cannot be had).
    rg_JSONDuiXiangLei_n();
    rg_JSONDuiXiangLei_n(const rg_JSONDuiXiangLei_n& other) = default;
    rg_JSONDuiXiangLei_n& operator=(const rg_JSONDuiXiangLei_n& other) = default;

    // An object is equal only to itself.
    bool IsEqual(const CNimbObject& other) const override;
    void LoadFromStream(CNimbStreamReader& reader) override;
    void SaveToStream(CNimbStreamWriter& writer) const override;

    // Replaces the document by the JSON read from `text`; false, with the error in the
    // document's error fields and no document left, when it cannot be read.
    bool ParseText(const CWString& text);
    // The value under `key` (a JSON Pointer when it starts with "/") as text: strings
    // without quotes, other values in their JSON form; empty when there is none.
    CWString GetMemberText(const CWString& key) const;

    rg_JSONGouZaoDuiXiangLei_yy Document;
    rg_JSONGouZaoShuZuLei_yy ValueRef;
};

// The UTF-8 length of a NUL-terminated UTF-16 text by the JSON wrapper's own rule: a
// surrogate counts 4 bytes together with the unit after it.
uint64_t Utf8Length(const char16_t* text) noexcept;
// Writes the UTF-8 form of `text` and a zero byte into `buffer`, which holds at least
// Utf8Length(text) + 1 bytes; malformed surrogate pairs write nothing.
void EncodeUtf8(const char16_t* text, char* buffer) noexcept;
// The member of `object` under `key`, or null.
yyjson_mut_val* FindMember(yyjson_mut_val* object, const CWString& key);
// The value the JSON Pointer `pointer` names from `root`, or null.
yyjson_mut_val* FindPointer(yyjson_mut_val* root, const CWString& pointer);
// A value as text: see GetMemberText.
CWString ValueToText(yyjson_mut_val* value);

} // namespace rg_nimb_Kovra
