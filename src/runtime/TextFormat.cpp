#include "runtime/TextFormat.h"

#include "runtime/CNimbMem.h"
#include "runtime/CWString.h"

#include <algorithm>
#include <cstdio>

CFormatArg::CFormatArg(const CWString& text) noexcept : ArgKind(Kind::Text), Text(text.GetText()) {}

void AppendReal(CWString& out, const char* spec, double value) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    char small[128];
    const int length = std::snprintf(small, sizeof small, spec, value);
    if (length < 0)
        return;
    const char* digits = small;
    CNimbMem large;
    if (static_cast<size_t>(length) >= sizeof small) {
        large.SetSize(length + 1);
        std::snprintf(reinterpret_cast<char*>(large.GetData()), static_cast<size_t>(length) + 1,
                      spec, value);
        digits = reinterpret_cast<const char*>(large.GetData());
    }
#pragma GCC diagnostic pop
    char16_t units[128];
    for (int done = 0; done < length;) {
        const int count =
            std::min<int>(length - done, static_cast<int>(sizeof units / sizeof units[0]));
        for (int i = 0; i < count; ++i)
            units[i] = static_cast<unsigned char>(digits[done + i]);
        out.AppendUnits(units, count);
        done += count;
    }
}

namespace {

struct Spec {
    bool LeftAlign = false;
    bool Plus = false;
    bool Space = false;
    bool Alternate = false;
    bool ZeroPad = false;
    int Width = 0;
    int Precision = -1; // none
    int Bits = 32;      // integer width selected by the length modifier
};

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

class Formatter {
public:
    Formatter(CWString& out, const CFormatArg* args, size_t count)
        : Out(out), Args(args), Count(count) {}

    bool Run(const char16_t* format);

private:
    const CFormatArg* Next() { return Used < Count ? &Args[Used++] : nullptr; }
    bool ReadNumber(const char16_t*& p, int& number);
    // One append however wide the padding: growing the text step by step for each unit
    // of a wide field would copy it over and over.
    void Pad(int count, char16_t fill) {
        if (count <= 0)
            return;
        char16_t local[32];
        CNimbMem heap;
        char16_t* units = count <= 32 ? local
                                      : reinterpret_cast<char16_t*>(heap.SetSize(
                                            static_cast<int64_t>(count) * sizeof(char16_t)));
        std::fill_n(units, count, fill);
        Out.AppendUnits(units, count);
    }
    // Writes `body` (`length` units) with `prefix` in front, padded to the width.
    void Emit(const char16_t* prefix, int prefixLength, const char16_t* body, int length,
              const Spec& spec, bool zeroPadAllowed);
    bool Integer(const Spec& spec, char16_t conversion, const CFormatArg& arg);
    bool Real(const Spec& spec, char16_t conversion, const CFormatArg& arg);
    bool Text(const Spec& spec, const CFormatArg& arg);

    CWString& Out;
    const CFormatArg* Args;
    size_t Count;
    size_t Used = 0;
};

bool Formatter::ReadNumber(const char16_t*& p, int& number) {
    if (*p == u'*') {
        ++p;
        const CFormatArg* arg = Next();
        if (arg == nullptr || (arg->ArgKind != CFormatArg::Kind::Signed &&
                               arg->ArgKind != CFormatArg::Kind::Unsigned))
            return false;
        // Taken from an argument, the number gets the bound written digits have.
        number = static_cast<int>(std::clamp<int64_t>(arg->Signed, -(1 << 20), 1 << 20));
        return true;
    }
    number = 0;
    while (IsDigit(*p)) {
        number = std::min(number * 10 + (*p - u'0'), 1 << 20);
        ++p;
    }
    return true;
}

void Formatter::Emit(const char16_t* prefix, int prefixLength, const char16_t* body, int length,
                     const Spec& spec, bool zeroPadAllowed) {
    const int padding = spec.Width - prefixLength - length;
    if (spec.LeftAlign) {
        Out.AppendUnits(prefix, prefixLength);
        Out.AppendUnits(body, length);
        Pad(padding, u' ');
    } else if (spec.ZeroPad && zeroPadAllowed) {
        Out.AppendUnits(prefix, prefixLength);
        Pad(padding, u'0');
        Out.AppendUnits(body, length);
    } else {
        Pad(padding, u' ');
        Out.AppendUnits(prefix, prefixLength);
        Out.AppendUnits(body, length);
    }
}

bool Formatter::Integer(const Spec& spec, char16_t conversion, const CFormatArg& arg) {
    if (arg.ArgKind != CFormatArg::Kind::Signed && arg.ArgKind != CFormatArg::Kind::Unsigned)
        return false;
    // The length modifier decides how many bits of the argument count, as it decides how
    // many a C run-time would read.
    const bool isSigned = conversion == u'd' || conversion == u'i';
    uint64_t bits = arg.Unsigned;
    bool negative = false;
    if (spec.Bits < 64) {
        const uint64_t mask = (uint64_t{1} << spec.Bits) - 1;
        bits &= mask;
        if (isSigned && (bits >> (spec.Bits - 1)) != 0) {
            negative = true;
            bits = (~bits + 1) & mask;
        }
    } else if (isSigned && arg.Signed < 0) {
        negative = true;
        bits = ~bits + 1;
    }

    const unsigned base = conversion == u'o'                           ? 8
                          : (conversion == u'x' || conversion == u'X') ? 16
                                                                       : 10;
    const char16_t* digitSet = conversion == u'X' ? u"0123456789ABCDEF" : u"0123456789abcdef";
    char16_t digits[64];
    int length = 0;
    for (uint64_t rest = bits; rest != 0; rest /= base)
        digits[length++] = digitSet[rest % base];
    const int minimum = spec.Precision < 0 ? 1 : std::min(spec.Precision, 40);
    while (length < minimum)
        digits[length++] = u'0';
    if (base == 8 && spec.Alternate && digits[length - 1] != u'0')
        digits[length++] = u'0';
    std::reverse(digits, digits + length);

    char16_t prefix[2];
    int prefixLength = 0;
    if (isSigned) {
        if (negative)
            prefix[prefixLength++] = u'-';
        else if (spec.Plus)
            prefix[prefixLength++] = u'+';
        else if (spec.Space)
            prefix[prefixLength++] = u' ';
    } else if (base == 16 && spec.Alternate && bits != 0) {
        prefix[prefixLength++] = u'0';
        prefix[prefixLength++] = conversion;
    }
    Emit(prefix, prefixLength, digits, length, spec, spec.Precision < 0);
    return true;
}

bool Formatter::Real(const Spec& spec, char16_t conversion, const CFormatArg& arg) {
    if (arg.ArgKind != CFormatArg::Kind::Real)
        return false;
    char narrow[48];
    int n = 0;
    narrow[n++] = '%';
    if (spec.LeftAlign)
        narrow[n++] = '-';
    if (spec.Plus)
        narrow[n++] = '+';
    if (spec.Space)
        narrow[n++] = ' ';
    if (spec.Alternate)
        narrow[n++] = '#';
    if (spec.ZeroPad)
        narrow[n++] = '0';
    n += std::snprintf(narrow + n, sizeof narrow - static_cast<size_t>(n), "%d", spec.Width);
    if (spec.Precision >= 0)
        n += std::snprintf(narrow + n, sizeof narrow - static_cast<size_t>(n), ".%d",
                           spec.Precision);
    narrow[n++] = static_cast<char>(conversion);
    narrow[n] = '\0';
    AppendReal(Out, narrow, arg.Real);
    return true;
}

bool Formatter::Text(const Spec& spec, const CFormatArg& arg) {
    if (arg.ArgKind != CFormatArg::Kind::Text)
        return false;
    const char16_t* text = arg.Text != nullptr ? arg.Text : u"(null)";
    int length = 0;
    while ((spec.Precision < 0 || length < spec.Precision) && text[length] != 0)
        ++length;
    Emit(nullptr, 0, text, length, spec, false);
    return true;
}

bool Formatter::Run(const char16_t* format) {
    const char16_t* p = format;
    while (*p != 0) {
        const char16_t* run = p;
        while (*p != 0 && *p != u'%')
            ++p;
        Out.AppendUnits(run, p - run);
        if (*p == 0)
            break;
        ++p;
        if (*p == u'%') {
            Out.AppendChar(u'%');
            ++p;
            continue;
        }

        Spec spec;
        for (;; ++p) {
            if (*p == u'-')
                spec.LeftAlign = true;
            else if (*p == u'+')
                spec.Plus = true;
            else if (*p == u' ')
                spec.Space = true;
            else if (*p == u'#')
                spec.Alternate = true;
            else if (*p == u'0')
                spec.ZeroPad = true;
            else
                break;
        }
        if (!ReadNumber(p, spec.Width))
            return false;
        if (spec.Width < 0) {
            spec.LeftAlign = true;
            spec.Width = -spec.Width;
        }
        if (*p == u'.') {
            ++p;
            if (!ReadNumber(p, spec.Precision))
                return false;
            if (spec.Precision < 0)
                spec.Precision = -1;
        }

        bool wideText = false;
        if (p[0] == u'I' && p[1] == u'6' && p[2] == u'4') {
            spec.Bits = 64;
            p += 3;
        } else if (p[0] == u'I' && p[1] == u'3' && p[2] == u'2') {
            p += 3;
        } else if (p[0] == u'l' && p[1] == u'l') {
            spec.Bits = 64;
            p += 2;
        } else if (p[0] == u'h' && p[1] == u'h') {
            spec.Bits = 8;
            p += 2;
        } else if (*p == u'h') {
            spec.Bits = 16;
            ++p;
        } else if (*p == u'I' || *p == u'z' || *p == u'j' || *p == u't') {
            spec.Bits = 64;
            ++p;
        } else if (*p == u'l' || *p == u'w') {
            // A Windows long is 32 bits; "%ls" and "%ws" are wide texts like "%s".
            wideText = true;
            ++p;
        } else if (*p == u'L') {
            ++p;
        }

        const char16_t conversion = *p;
        if (conversion == 0)
            return false;
        ++p;
        const CFormatArg* arg = Next();
        if (arg == nullptr)
            return false;
        bool done;
        switch (conversion) {
        case u'd':
        case u'i':
        case u'u':
        case u'o':
        case u'x':
        case u'X':
            done = Integer(spec, conversion, *arg);
            break;
        case u'e':
        case u'E':
        case u'f':
        case u'F':
        case u'g':
        case u'G':
        case u'a':
        case u'A':
            done = Real(spec, conversion, *arg);
            break;
        case u's':
            done = (spec.Bits == 32 || wideText) && Text(spec, *arg);
            break;
        case u'c': {
            done = arg->ArgKind == CFormatArg::Kind::Signed ||
                   arg->ArgKind == CFormatArg::Kind::Unsigned;
            const char16_t unit = static_cast<char16_t>(arg->Unsigned);
            if (done)
                Emit(nullptr, 0, &unit, unit != 0 ? 1 : 0, spec, false);
            break;
        }
        case u'p': {
            done = arg->ArgKind == CFormatArg::Kind::Pointer;
            Spec hex = spec;
            hex.Bits = 64;
            hex.Precision = 16;
            hex.Alternate = false;
            CFormatArg address(reinterpret_cast<uintptr_t>(arg->Pointer));
            done = done && Integer(hex, u'X', address);
            break;
        }
        default:
            done = false; // %n and anything unknown
            break;
        }
        if (!done)
            return false;
    }
    return true;
}

} // namespace

bool AppendFormatted(CWString& out, const char16_t* format, const CFormatArg* args, size_t count) {
    if (format == nullptr)
        return false;
    return Formatter(out, args, count).Run(format);
}
