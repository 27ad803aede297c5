#include "net/rg_JSONDuiXiangLei_n.h"

#include "runtime/CNimbMem.h"
#include "runtime/NumberText.h"

#include <cstdlib>
#include <cstring>

namespace rg_nimb_Kovra {

namespace {

bool IsSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

// A UTF-8 copy of a text in a buffer that is local up to `localSize` bytes, with the zero
// padding yyjson's in-situ reading wants after it. The bytes past what EncodeUtf8 writes
// stay zero.
class Utf8Buffer {
public:
    Utf8Buffer(const CWString& text, uint64_t length) : Length(length) {
        const uint64_t needed = length + 1 + YYJSON_PADDING_SIZE;
        if (needed <= sizeof Local) {
            Data = Local;
        } else {
            Heap.SetSize(static_cast<int64_t>(needed));
            Data = reinterpret_cast<char*>(Heap.GetData());
        }
        std::memset(Data, 0, needed);
        EncodeUtf8(text.GetText(), Data);
    }
    Utf8Buffer(const Utf8Buffer&) = delete;
    Utf8Buffer& operator=(const Utf8Buffer&) = delete;

    char* Data;
    uint64_t Length;

private:
    // Texts of up to 511 bytes are encoded without an allocation.
    char Local[512 + YYJSON_PADDING_SIZE];
    CNimbMem Heap;
};

// Compact JSON of an array or object; null (and length 0) for anything else.
char* WriteValue(yyjson_mut_val* value, size_t& length) {
    length = 0;
    if (value == nullptr || !(yyjson_mut_is_arr(value) || yyjson_mut_is_obj(value)))
        return nullptr;
    return yyjson_mut_val_write(value, YYJSON_WRITE_NOFLAG, &length);
}

CWString StringText(yyjson_mut_val* value) {
    CWString text;
    text.AppendUtf8(yyjson_mut_get_str(value));
    return text;
}

} // namespace

void yy_mut_doc::FreeDocument() noexcept {
    if (Doc != nullptr)
        yyjson_mut_doc_free(Doc);
    Doc = nullptr;
    Val = nullptr;
}

void yy_mut_doc::ClearReadError() noexcept {
    ReadErrorCode = 0;
    ReadErrorMessage = nullptr;
    ReadErrorPosition = 0;
}

rg_JSONGouZaoShuZuLei_yy::rg_JSONGouZaoShuZuLei_yy(const rg_JSONGouZaoShuZuLei_yy& other) noexcept
    : yy_mut_val(other), CNimbObject(other) {}

rg_JSONGouZaoShuZuLei_yy&
rg_JSONGouZaoShuZuLei_yy::operator=(const rg_JSONGouZaoShuZuLei_yy& other) {
    CNimbObject::operator=(other);
    BindValue(other.Doc, other.Val);
    return *this;
}

void rg_JSONGouZaoShuZuLei_yy::BindValue(yyjson_mut_doc* document, yyjson_mut_val* value) {
    const bool both = document != nullptr && value != nullptr;
    Doc = both ? document : nullptr;
    Val = both ? value : nullptr;
}

int32_t rg_JSONGouZaoShuZuLei_yy::SetNull() {
    if (Val == nullptr)
        return 0;
    yyjson_mut_set_null(Val);
    return 1;
}

rg_JSONGouZaoDuiXiangLei_yy::rg_JSONGouZaoDuiXiangLei_yy(const rg_JSONGouZaoDuiXiangLei_yy& other)
    : rg_JSONGouZaoShuZuLei_yy(other) {
    // The shared value part starts unbound (the most derived class initialises it), and
    // the copy becomes a document of its own.
    BindValue(other.Doc, other.Val);
}

rg_JSONGouZaoDuiXiangLei_yy&
rg_JSONGouZaoDuiXiangLei_yy::operator=(const rg_JSONGouZaoDuiXiangLei_yy& other) {
    if (&other != this) {
        CNimbObject::operator=(other);
        BindValue(other.Doc, other.Val);
    }
    return *this;
}

void rg_JSONGouZaoDuiXiangLei_yy::BindValue(yyjson_mut_doc* document, yyjson_mut_val* value) {
    // The copy goes through the value's compact text: yyjson writes, reads and copies a read
    // document without recursion, so no depth of nesting can exhaust the stack, and a value
    // that has no JSON text (a NaN, an infinity) has no copy either. The text is made
    // before the own document goes, which may be where the value lives.
    size_t length = 0;
    char* json = document != nullptr ? WriteValue(value, length) : nullptr;
    FreeDocument();
    ClearReadError();
    if (json == nullptr)
        return;
    // In-situ reading wants zero padding after the text.
    char* padded = length != 0
                       ? static_cast<char*>(std::realloc(json, length + YYJSON_PADDING_SIZE))
                       : nullptr;
    if (padded == nullptr) {
        std::free(json);
        return;
    }
    std::memset(padded + length, 0, YYJSON_PADDING_SIZE);
    yyjson_read_err error = {};
    yyjson_doc* read = yyjson_read_opts(padded, length, YYJSON_READ_INSITU, nullptr, &error);
    ReadErrorCode = error.code;
    ReadErrorMessage = error.msg;
    ReadErrorPosition = error.pos;
    yyjson_mut_doc* copy = read != nullptr ? yyjson_doc_mut_copy(read, nullptr) : nullptr;
    yyjson_doc_free(read);
    std::free(padded);
    if (copy != nullptr)
        Adopt(copy, yyjson_mut_doc_get_root(copy));
}

int32_t rg_JSONGouZaoDuiXiangLei_yy::SetNull() {
    return 0;
}

void rg_JSONGouZaoDuiXiangLei_yy::Adopt(yyjson_mut_doc* document, yyjson_mut_val* root) noexcept {
    yyjson_mut_doc_set_root(document, root);
    Doc = document;
    Val = root;
}

rg_JSONDuiXiangLei_n::rg_JSONDuiXiangLei_n() {
    yyjson_mut_doc* document = yyjson_mut_doc_new(nullptr);
    yyjson_mut_val* root = document != nullptr ? yyjson_mut_obj(document) : nullptr;
    if (root != nullptr)
        Document.Adopt(document, root);
    else if (document != nullptr)
        yyjson_mut_doc_free(document);
}

bool rg_JSONDuiXiangLei_n::IsEqual(const CNimbObject& other) const {
    return CNimbObject::IsEqual(other) && this == &other;
}

void rg_JSONDuiXiangLei_n::LoadFromStream(CNimbStreamReader& reader) {
    Document.LoadFromStream(reader);
    ValueRef.LoadFromStream(reader);
}

void rg_JSONDuiXiangLei_n::SaveToStream(CNimbStreamWriter& writer) const {
    Document.SaveToStream(writer);
    ValueRef.SaveToStream(writer);
}

bool rg_JSONDuiXiangLei_n::ParseText(const CWString& text) {
    Document.FreeDocument();
    Document.ClearReadError();
    const uint64_t length = text.IsEmpty() ? 0 : Utf8Length(text.GetText());
    if (length == 0) {
        Document.ReadErrorCode = YYJSON_READ_ERROR_INVALID_PARAMETER;
        Document.ReadErrorMessage = "input data is NULL";
        return false;
    }
    Utf8Buffer utf8(text, length);
    yyjson_read_err error = {};
    yyjson_doc* read = yyjson_read_opts(utf8.Data, static_cast<size_t>(length), YYJSON_READ_INSITU,
                                        nullptr, &error);
    Document.ReadErrorCode = error.code;
    Document.ReadErrorMessage = error.msg;
    Document.ReadErrorPosition = error.pos;
    yyjson_mut_doc* copy = read != nullptr ? yyjson_doc_mut_copy(read, nullptr) : nullptr;
    yyjson_doc_free(read);
    if (copy == nullptr)
        return false;
    Document.Adopt(copy, yyjson_mut_doc_get_root(copy));
    return true;
}

CWString rg_JSONDuiXiangLei_n::GetMemberText(const CWString& key) const {
    yyjson_mut_val* value =
        key.GetText()[0] == u'/' ? FindPointer(Document.Val, key) : FindMember(Document.Val, key);
    return yyjson_mut_is_str(value) ? StringText(value) : ValueToText(value);
}

uint64_t Utf8Length(const char16_t* text) noexcept {
    uint64_t length = 0;
    for (const char16_t* p = text; p != nullptr && *p != 0; ++p) {
        if (IsSurrogate(*p)) {
            length += 4;
            if (p[1] == 0)
                break;
            ++p;
        } else {
            length += *p < 0x80 ? 1 : *p < 0x800 ? 2 : 3;
        }
    }
    return length;
}

void EncodeUtf8(const char16_t* text, char* buffer) noexcept {
    auto* out = reinterpret_cast<unsigned char*>(buffer);
    for (const char16_t* p = text; p != nullptr && *p != 0; ++p) {
        const uint32_t unit = *p;
        if (IsSurrogate(*p)) {
            const uint32_t next = p[1];
            if (next == 0)
                break; // a lone unit at the end is dropped
            ++p;
            if (unit <= 0xDBFF && next >= 0xDC00 && next <= 0xDFFF) {
                const uint32_t c = 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00);
                *out++ = static_cast<unsigned char>(0xF0 | c >> 18);
                *out++ = static_cast<unsigned char>(0x80 | (c >> 12 & 0x3F));
                *out++ = static_cast<unsigned char>(0x80 | (c >> 6 & 0x3F));
                *out++ = static_cast<unsigned char>(0x80 | (c & 0x3F));
            }
        } else if (unit < 0x80) {
            *out++ = static_cast<unsigned char>(unit);
        } else if (unit < 0x800) {
            *out++ = static_cast<unsigned char>(0xC0 | unit >> 6);
            *out++ = static_cast<unsigned char>(0x80 | (unit & 0x3F));
        } else {
            *out++ = static_cast<unsigned char>(0xE0 | unit >> 12);
            *out++ = static_cast<unsigned char>(0x80 | (unit >> 6 & 0x3F));
            *out++ = static_cast<unsigned char>(0x80 | (unit & 0x3F));
        }
    }
    *out = 0;
}

namespace {

// Keys and pointers below 256 bytes are encoded without an allocation.
class KeyBuffer {
public:
    KeyBuffer(const CWString& key, uint64_t length) {
        if (length < sizeof Local) {
            Data = Local;
        } else {
            Heap.SetSize(static_cast<int64_t>(length + 1));
            Data = reinterpret_cast<char*>(Heap.GetData());
        }
        std::memset(Data, 0, static_cast<size_t>(length + 1));
        EncodeUtf8(key.GetText(), Data);
    }
    KeyBuffer(const KeyBuffer&) = delete;
    KeyBuffer& operator=(const KeyBuffer&) = delete;

    char* Data;

private:
    char Local[256];
    CNimbMem Heap;
};

} // namespace

yyjson_mut_val* FindMember(yyjson_mut_val* object, const CWString& key) {
    const uint64_t length = Utf8Length(key.GetText());
    if (length == 0 || !yyjson_mut_is_obj(object))
        return nullptr;
    const KeyBuffer encoded(key, length);
    yyjson_mut_obj_iter members;
    yyjson_mut_obj_iter_init(object, &members);
    while (yyjson_mut_val* name = yyjson_mut_obj_iter_next(&members)) {
        if (yyjson_mut_is_str(name) && yyjson_mut_get_len(name) == length &&
            std::memcmp(yyjson_mut_get_str(name), encoded.Data, static_cast<size_t>(length)) == 0)
            return yyjson_mut_obj_iter_get_val(name);
    }
    return nullptr;
}

yyjson_mut_val* FindPointer(yyjson_mut_val* root, const CWString& pointer) {
    const uint64_t length = Utf8Length(pointer.GetText());
    if (length == 0 || pointer.GetText()[0] != u'/' || root == nullptr)
        return nullptr;
    const KeyBuffer encoded(pointer, length);
    return yyjson_mut_ptr_getn(root, encoded.Data, static_cast<size_t>(length));
}

CWString ValueToText(yyjson_mut_val* value) {
    CWString text;
    switch (yyjson_mut_get_type(value)) {
    case YYJSON_TYPE_NULL:
        text.SetText(u"null");
        break;
    case YYJSON_TYPE_BOOL:
        text.SetText(yyjson_mut_get_bool(value) ? u"true" : u"false");
        break;
    case YYJSON_TYPE_NUM:
        if (yyjson_mut_get_subtype(value) == YYJSON_SUBTYPE_REAL)
            text.AppendDouble(yyjson_mut_get_real(value));
        else
            text = Int64ToText(static_cast<int64_t>(yyjson_mut_get_uint(value)));
        break;
    case YYJSON_TYPE_STR:
        text = StringText(value);
        break;
    case YYJSON_TYPE_ARR:
    case YYJSON_TYPE_OBJ: {
        size_t length = 0;
        if (char* json = WriteValue(value, length)) {
            text.AppendUtf8(json);
            std::free(json);
        }
        break;
    }
    default:
        break; // none, raw, or a tag yyjson may add
    }
    return text;
}

} // namespace rg_nimb_Kovra
