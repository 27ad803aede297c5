// The platform seam on POSIX systems, used by the host build of the portable core.

#include "runtime/Platform.h"
#include "runtime/DoubleByte.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <iconv.h>
#include <locale.h>
#include <simdutf.h>
#include <string>
#include <wctype.h>

namespace Platform {

void* HeapAllocate(size_t size) noexcept {
    return std::malloc(size != 0 ? size : 1);
}

void* HeapReallocate(void* block, size_t size) noexcept {
    return std::realloc(block, size != 0 ? size : 1);
}

void HeapFree(void* block) noexcept {
    std::free(block);
}

namespace {

// Length of the sequence a UTF-8 lead byte announces, 1 for a stray byte.
int SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    if (lead >= 0xE0)
        return lead <= 0xEF ? 3 : 1;
    return lead >= 0xC2 ? 2 : 1;
}

} // namespace

int64_t Utf8ToUtf16(const char* bytes, int64_t count, char16_t* out) noexcept {
    if (bytes == nullptr || count <= 0)
        return 0;
    size_t rest = static_cast<size_t>(count);
    char16_t* written = out;
    while (rest != 0) {
        simdutf::result valid = simdutf::validate_utf8_with_errors(bytes, rest);
        written += simdutf::convert_valid_utf8_to_utf16(bytes, valid.count, written);
        if (valid.error == simdutf::error_code::SUCCESS)
            break;
        // One replacement per broken sequence: the lead byte and whatever continuation
        // bytes it managed to collect before the sequence broke off.
        size_t skip = 1;
        const auto* p = reinterpret_cast<const unsigned char*>(bytes + valid.count);
        size_t limit = static_cast<size_t>(SequenceLength(p[0]));
        while (skip < limit && valid.count + skip < rest && (p[skip] & 0xC0) == 0x80)
            ++skip;
        *written++ = u'\uFFFD';
        bytes += valid.count + skip;
        rest -= valid.count + skip;
    }
    return written - out;
}

namespace {

struct CodePageName {
    const char* LocalePrefix;
    uint32_t CodePage;
};

// The code page Windows would choose for the user's locale, the way Wine derives it.
constexpr CodePageName kCodePages[] = {
    {"zh_TW", 950}, {"zh_HK", 950}, {"zh_MO", 950}, {"zh", 936},  {"ja", 932},  {"ko", 949},
    {"th", 874},    {"cs", 1250},   {"hu", 1250},   {"pl", 1250}, {"ro", 1250}, {"sk", 1250},
    {"sl", 1250},   {"hr", 1250},   {"ru", 1251},   {"uk", 1251}, {"bg", 1251}, {"be", 1251},
    {"el", 1253},   {"tr", 1254},   {"he", 1255},   {"ar", 1256}, {"lt", 1257}, {"lv", 1257},
    {"et", 1257},   {"vi", 1258},
};

const char* LocaleName() {
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return value;
    }
    return "C";
}

} // namespace

uint32_t AnsiCodePage() noexcept {
    const char* locale = LocaleName();
    for (const CodePageName& entry : kCodePages) {
        if (std::strncmp(locale, entry.LocalePrefix, std::strlen(entry.LocalePrefix)) == 0)
            return entry.CodePage;
    }
    return 1252;
}

int64_t AnsiToUtf16(const char* bytes, int64_t count, char16_t* out) noexcept {
    if (bytes == nullptr || count <= 0)
        return 0;
    char name[16];
    std::snprintf(name, sizeof name, "CP%u", AnsiCodePage());
    iconv_t converter = iconv_open("UTF-16LE", name);
    if (converter == reinterpret_cast<iconv_t>(-1))
        return 0;
    char* in = const_cast<char*>(bytes);
    size_t inLeft = static_cast<size_t>(count);
    char* target = reinterpret_cast<char*>(out);
    size_t outLeft = inLeft * sizeof(char16_t);
    while (inLeft != 0) {
        if (iconv(converter, &in, &inLeft, &target, &outLeft) != static_cast<size_t>(-1))
            break;
        // An undecodable byte becomes a replacement character instead of ending the text.
        if (outLeft < sizeof(char16_t))
            break;
        const char16_t replacement = u'\uFFFD';
        std::memcpy(target, &replacement, sizeof replacement);
        target += sizeof replacement;
        outLeft -= sizeof replacement;
        ++in;
        --inLeft;
    }
    iconv_close(converter);
    return (target - reinterpret_cast<char*>(out)) / static_cast<int64_t>(sizeof(char16_t));
}

int64_t AnsiCompleteLength(const char* bytes, int64_t count) noexcept {
    if (bytes == nullptr || count <= 0)
        return 0;
    // The double-byte code pages and their lead bytes; the others have one byte a character.
    const uint32_t codePage = AnsiCodePage();
    auto isLead = [codePage](unsigned char b) {
        switch (codePage) {
        case 932:
            return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        case 936:
        case 949:
        case 950:
            return b >= 0x81 && b <= 0xFE;
        default:
            return false;
        }
    };
    return WholeDoubleByteCharacters(reinterpret_cast<const unsigned char*>(bytes), count, isLead);
}

bool IsPrintable(char16_t unit) noexcept {
    static const locale_t utf8 =
        newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    if (utf8 == static_cast<locale_t>(nullptr))
        return unit >= 0x20 && unit <= 0x7E;
    return iswprint_l(unit, utf8) != 0;
}

bool IsDebuggerAttached() noexcept {
    // A traced process names its tracer in /proc/self/status.
    FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr)
        return false;
    char line[256];
    long tracer = 0;
    while (std::fgets(line, sizeof line, status) != nullptr) {
        if (std::strncmp(line, "TracerPid:", 10) == 0) {
            tracer = std::strtol(line + 10, nullptr, 10);
            break;
        }
    }
    std::fclose(status);
    return tracer != 0;
}

void ShowErrorMessage(const char16_t* message, const char16_t* caption) noexcept {
    std::string line;
    for (const char16_t* text : {caption, u": ", message}) {
        const size_t units = std::char_traits<char16_t>::length(text);
        std::string utf8(simdutf::utf8_length_from_utf16(text, units), '\0');
        utf8.resize(simdutf::convert_utf16_to_utf8(text, units, utf8.data()));
        line += utf8;
    }
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

void* CodeModule() noexcept {
    Dl_info info = {};
    return dladdr(reinterpret_cast<void*>(&CodeModule), &info) != 0 ? info.dli_fbase : nullptr;
}

void FreeLibrary(void* library) noexcept {
    if (library != nullptr)
        dlclose(library);
}

} // namespace Platform
