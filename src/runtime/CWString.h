#pragma once

#include "runtime/CNimbMem.h"
#include "runtime/TextFormat.h"

#include <cstdint>

// The code units that trimming removes: everything up to U+0020 and the ideographic
// space U+3000.
inline bool IsTrimmedSpace(char16_t unit) noexcept {
    return unit <= 0x20 || unit == 0x3000;
}

// The one text type: UTF-16, NUL-terminated. A text either borrows a constant text (a
// literal) without copying it, or owns a copy in an embedded byte buffer that grows in
// steps of 254 bytes, so that any text of up to 125 characters fits one pool block. Every
// operation that writes characters first turns a borrowed text into an owned one; a
// borrowed text is never written to and never freed.
class CWString : public CNimbObject {
    NIMB_DECLARE_CLASS(CWString, CNimbObject, "CWString")

    static constexpr int64_t GrowthStep = 254;

    CWString() noexcept { Buffer.SetStep(GrowthStep); }
    // An owned copy; empty for null.
    CWString(const char16_t* text);
    // At most `maxCount` code units of `text`, up to its first zero (SetTextUpTo).
    CWString(const char16_t* text, int64_t maxCount);
    // Decoded from NUL-terminated UTF-8 bytes (AppendUtf8).
    explicit CWString(const char* utf8);
    explicit CWString(int32_t value); // "%d"
    explicit CWString(int64_t value); // Int64ToText
    explicit CWString(double value);  // AppendDouble
    // Copies Flags, Tag, the borrowed literal or the owned bytes.
    CWString(const CWString& other);
    CWString(CWString&& other) noexcept;
    CWString& operator=(const CWString& other);
    CWString& operator=(CWString&& other) noexcept;
    ~CWString() override = default;

    // Same class, NullObject bit and Tag, and the same code units, case-sensitive.
    bool IsEqual(const CNimbObject& other) const override;
    // Makes `out` a copy of this text.
    void DumpToText(CWString& out, int32_t limit) const override;
    // An int32 byte count including the terminator, then the UTF-16LE code units with
    // the terminator; an empty text is the count 0 alone.
    void LoadFromStream(CNimbStreamReader& reader) override;
    void SaveToStream(CNimbStreamWriter& writer) const override;

    // Queries -------------------------------------------------------------------------

    // The NUL-terminated text; never null.
    const char16_t* GetText() const noexcept {
        if (ConstText != nullptr)
            return ConstText;
        return Buffer.GetSize() != 0 ? reinterpret_cast<const char16_t*>(Buffer.GetData()) : u"";
    }
    // Length in code units.
    int64_t GetLength() const noexcept;
    bool IsEmpty() const noexcept {
        return ConstText != nullptr ? ConstText[0] == 0 : Buffer.GetSize() < 3;
    }
    bool IsBorrowed() const noexcept { return ConstText != nullptr; }
    const CNimbMem& GetBuffer() const noexcept { return Buffer; }

    // The index of `needle`, or -1. Forward from `start` (a start <= 0 searches all), or
    // backward within the first `start` code units (a negative start searches all). A
    // null or empty needle is found at the adjusted start. Ignoring case folds the ASCII
    // letters only.
    int64_t Find(const char16_t* needle, int64_t start = 0, bool ignoreCase = false,
                 bool fromEnd = false) const;
    // True when both texts hold the same code units (case-sensitive); the classes, Flags
    // and Tags do not count.
    bool HasSameText(const CWString& other) const noexcept;
    // True when the text begins with `prefix`, ASCII letters compared without case; an
    // empty prefix begins every text.
    bool StartsWithNoCase(const char16_t* prefix) const;
    // The first, last or middle code units as a new owned text; arguments are clamped.
    CWString Left(int64_t count) const;
    CWString Right(int64_t count) const;
    CWString Mid(int64_t start, int64_t count) const;
    // a + b; when one side is empty the result is a copy of the other, Flags and Tag
    // included.
    static CWString Concat(const CWString& a, const CWString& b);
    static CWString Concat(const CWString& a, const char16_t* literal);

    // Changes -------------------------------------------------------------------------

    // Copies a borrowed text into the buffer.
    void MakeOwned();
    // Empty, owned, no storage.
    void Clear() noexcept;
    void SetText(const char16_t* text);
    // Exactly `count` code units (zeros for a null text, embedded zeros kept).
    void SetTextN(const char16_t* text, int64_t count);
    // Up to `count` code units, stopping at the first zero.
    void SetTextUpTo(const char16_t* text, int64_t count);
    // Nothing for null or empty.
    void Append(const char16_t* text);
    void Append(const CWString& text) { AppendUnits(text.GetText(), text.GetLength()); }
    // Nothing for character 0.
    void AppendChar(char16_t character);
    // `count` code units; the primitive every append rests on. The units may lie in this
    // text's own buffer.
    void AppendUnits(const char16_t* units, int64_t count);
    // NUL-terminated UTF-8 bytes through the platform's decoder; nothing when the
    // conversion yields nothing.
    void AppendUtf8(const char* bytes);
    // "0" when the value lies within +-0.000001, else "%.8G" of the value.
    void AppendFloat(float value);
    // "0" when the value lies within +-0.000001, else "%.15G".
    void AppendDouble(double value);
    // Replaces the text by the formatted one; a format that fails leaves it empty.
    template <class... Args>
    void Format(const char16_t* format, const Args&... args) {
        const CFormatArg list[] = {CFormatArg(args)..., CFormatArg(0)};
        FormatList(format, list, sizeof...(Args));
    }
    // Appends the formatted text; a format that fails appends nothing.
    template <class... Args>
    void AppendFormat(const char16_t* format, const Args&... args) {
        const CFormatArg list[] = {CFormatArg(args)..., CFormatArg(0)};
        AppendFormatList(format, list, sizeof...(Args));
    }
    // Replaces every occurrence of `find`, ASCII letters compared without case, scanning
    // left to right; inserted replacements are never scanned again.
    void ReplaceAllNoCase(const char16_t* find, const char16_t* replacement);
    // Removes trailing (TrimRight) or leading and trailing (Trim) code units up to U+0020
    // and ideographic spaces (U+3000).
    void TrimRight();
    void Trim();
    // Cuts to `length` code units or pads with spaces; 0 or less clears.
    void SetLength(int64_t length);
    // Makes the text owned and exactly `length` code units long, terminated, and returns
    // the units for the caller to fill in place: those the text had keep their values,
    // what the others hold is unspecified. For writers that know the length before they
    // write, or grow a text by large pieces. 0 or less clears and gives null.
    char16_t* PrepareUnits(int64_t length);

    void FormatList(const char16_t* format, const CFormatArg* args, size_t count);
    void AppendFormatList(const char16_t* format, const CFormatArg* args, size_t count);

protected:
    struct Borrow {};
    CWString(Borrow, const char16_t* literal) noexcept : CWString() { ConstText = literal; }

private:
    // Sets the owned length to `length` units and terminates; 0 frees the storage.
    char16_t* ResizeOwned(int64_t length);

    const char16_t* ConstText = nullptr;
    CNimbMem Buffer;
};

// A text over constant storage, made around a literal at no cost. Assignment accepts
// only another CWConstString; everything else is CWString's.
class CWConstString : public CWString {
    NIMB_DECLARE_CLASS(CWConstString, CWString, "CWConstString")

    CWConstString() noexcept = default;
    CWConstString(const char16_t* literal) noexcept : CWString(Borrow{}, literal) {}
};
