#include "TestSupport.h"
#include "net/rg_JSONDuiXiangLei_n.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <thread>

using namespace rg_nimb_Kovra;

namespace {

rg_JSONDuiXiangLei_n Parsed(const std::u16string& text) {
    rg_JSONDuiXiangLei_n json;
    EXPECT_TRUE(json.ParseText(CWString(text.c_str()))) << testing::PrintToString(text);
    return json;
}

std::u16string Member(const rg_JSONDuiXiangLei_n& json, const std::u16string& key) {
    return Units(json.GetMemberText(CWString(key.c_str())));
}

} // namespace

TEST(Json, MembersAsText) {
    const rg_JSONDuiXiangLei_n json = Parsed(
        uR"({"ret":"ok","ip":"203.0.113.7","five":5,"half":2.5,"tiny":0.0000001,"yes":true,"no":false,)"
        uR"("nothing":null,"list":[1,2],"object":{"a":"b","c":[true]},"big":1e20,"negative":-5,)"
        uR"("max":18446744073709551615,"min":-9223372036854775808,"escaped":"\u4e2d\"文\"","empty":"",)"
        uR"("ip":"second","Ip":"other case"})");
    const struct {
        const char16_t* Key;
        const char16_t* Text;
    } cases[] = {
        {u"ret", u"ok"},
        {u"ip", u"203.0.113.7"}, // the first of two equal keys
        {u"IP", u""},            // keys are case-sensitive
        {u"Ip", u"other case"},
        {u"five", u"5"},
        {u"half", u"2.5"},
        {u"tiny", u"0"},
        {u"yes", u"true"},
        {u"no", u"false"},
        {u"nothing", u"null"},
        {u"list", u"[1,2]"},
        {u"object", uR"({"a":"b","c":[true]})"},
        {u"big", u"1E+20"},
        {u"negative", u"-5"},
        {u"max", u"-1"},
        {u"min", u"-9223372036854775808"},
        {u"escaped", u"中\"文\""},
        {u"empty", u""},
        {u"missing", u""},
        {u"", u""},
        {u"/ip", u"203.0.113.7"},
        {u"/list/1", u"2"},
        {u"/object/c/0", u"true"},
        {u"/nope", u""},
        {u"/", u""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Member(json, c.Key), c.Text) << testing::PrintToString(std::u16string(c.Key));
}

TEST(Json, PointerTokensAreEscaped) {
    const rg_JSONDuiXiangLei_n json = Parsed(uR"({"a/b":1,"m~n":2})");
    EXPECT_EQ(Member(json, u"/a~1b"), u"1");
    EXPECT_EQ(Member(json, u"/m~0n"), u"2");
    EXPECT_EQ(Member(json, u"a/b"), u"1"); // a plain key, not a pointer
}

TEST(Json, FailedParsesLeaveNoDocument) {
    rg_JSONDuiXiangLei_n json;
    EXPECT_NE(json.Document.Doc, nullptr); // a fresh object has an empty root object
    EXPECT_EQ(Member(json, u"anything"), u"");

    EXPECT_FALSE(json.ParseText(CWString()));
    EXPECT_EQ(json.Document.ReadErrorCode, 1u);
    EXPECT_STREQ(json.Document.ReadErrorMessage, "input data is NULL");
    EXPECT_EQ(json.Document.Doc, nullptr);

    const struct {
        const char16_t* Text;
        const char* Message;
    } cases[] = {
        {u"{\"a\":1,}", "trailing comma is not allowed"},
        {u"{\"a\":", "unexpected end of data"},
        {u"not json", nullptr},
        {u"{\"a\":1} x", nullptr},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(json.ParseText(CWConstString(c.Text)));
        EXPECT_NE(json.Document.ReadErrorCode, 0u);
        ASSERT_NE(json.Document.ReadErrorMessage, nullptr);
        if (c.Message != nullptr) {
            EXPECT_STREQ(json.Document.ReadErrorMessage, c.Message);
        }
        EXPECT_EQ(json.Document.Doc, nullptr);
        EXPECT_EQ(Member(json, u"a"), u"");
    }
    EXPECT_TRUE(json.ParseText(CWConstString(u"{\"a\":1}")));
    EXPECT_EQ(json.Document.ReadErrorCode, 0u);
    EXPECT_EQ(Member(json, u"a"), u"1");
}

TEST(Json, CopiesAreDeepAndScalarRootsAreNotCopied) {
    rg_JSONDuiXiangLei_n json = Parsed(uR"({"ip":"1.2.3.4","list":[1]})");
    auto* clone = static_cast<rg_JSONDuiXiangLei_n*>(json.Clone());
    EXPECT_NE(clone->Document.Doc, json.Document.Doc);
    EXPECT_EQ(Member(*clone, u"ip"), u"1.2.3.4");
    EXPECT_FALSE(clone->IsEqual(json)); // an object is equal only to itself
    EXPECT_TRUE(json.IsEqual(json));
    CNimbObject::DeleteObject(clone);
    EXPECT_EQ(Member(json, u"list"), u"[1]");

    const rg_JSONDuiXiangLei_n scalar = Parsed(u"42");
    rg_JSONDuiXiangLei_n copy;
    ASSERT_TRUE(copy.AssignFrom(scalar));
    EXPECT_EQ(copy.Document.Doc, nullptr);
    EXPECT_EQ(Member(copy, u"x"), u"");

    copy.Reset(); // back to an empty root object
    ASSERT_NE(copy.Document.Doc, nullptr);
    EXPECT_TRUE(yyjson_mut_is_obj(copy.Document.Val));
}

TEST(Json, BuilderArraysShareAndBuilderObjectsOwn) {
    rg_JSONDuiXiangLei_n json = Parsed(uR"({"v":[1,2]})");
    rg_JSONGouZaoShuZuLei_yy reference;
    reference.BindValue(json.Document.Doc, FindMember(json.Document.Val, CWConstString(u"v")));
    const rg_JSONGouZaoShuZuLei_yy alias(reference);
    EXPECT_EQ(alias.Val, reference.Val);
    EXPECT_TRUE(alias.IsEqual(reference));
    EXPECT_EQ(reference.SetNull(), 1);
    EXPECT_EQ(Member(json, u"v"), u"null");
    reference.BindValue(json.Document.Doc, nullptr);
    EXPECT_EQ(reference.Doc, nullptr);
    EXPECT_EQ(reference.SetNull(), 0);

    rg_JSONGouZaoDuiXiangLei_yy owner;
    owner.BindValue(json.Document.Doc, json.Document.Val);
    EXPECT_NE(owner.Doc, json.Document.Doc);
    EXPECT_EQ(owner.SetNull(), 0);
    EXPECT_TRUE(owner.IsKindOf(rg_JSONGouZaoShuZuLei_yy::ClassRecord()));
    owner.BindValue(json.Document.Doc,
                    FindMember(json.Document.Val, CWConstString(u"v"))); // now null: a scalar
    EXPECT_EQ(owner.Doc, nullptr);
}

// Copies of deeply nested documents, on a worker thread with the default stack: a copy
// that recursed would overflow it long before 100000 levels.
TEST(Json, DeeplyNestedDocumentsCopyWithoutRecursion) {
    constexpr size_t kDepth = 100000;
    const std::u16string text = std::u16string(kDepth, u'[') + std::u16string(kDepth, u']');
    bool parsed = false;
    std::u16string cloned, copied, assigned, bound;
    std::thread worker([&] {
        rg_JSONDuiXiangLei_n json;
        parsed = json.ParseText(CWString(text.c_str()));
        auto* clone = static_cast<rg_JSONDuiXiangLei_n*>(json.Clone());
        cloned = Units(ValueToText(clone->Document.Val));
        CNimbObject::DeleteObject(clone);
        const rg_JSONDuiXiangLei_n copy(json);
        copied = Units(ValueToText(copy.Document.Val));
        rg_JSONDuiXiangLei_n target;
        target.AssignFrom(json);
        assigned = Units(ValueToText(target.Document.Val));
        rg_JSONGouZaoDuiXiangLei_yy builder;
        builder.BindValue(json.Document.Doc, json.Document.Val);
        bound = Units(ValueToText(builder.Val));
    });
    worker.join();
    EXPECT_TRUE(parsed);
    EXPECT_TRUE(cloned == text);
    EXPECT_TRUE(copied == text);
    EXPECT_TRUE(assigned == text);
    EXPECT_TRUE(bound == text);
}

// A value without a JSON text has no copy: the builder is left without a document.
TEST(Json, ValuesThatCannotBeWrittenAreNotCopied) {
    for (const double bad : {std::nan(""), double{INFINITY}, -double{INFINITY}}) {
        yyjson_mut_doc* document = yyjson_mut_doc_new(nullptr);
        yyjson_mut_val* array = yyjson_mut_arr(document);
        yyjson_mut_arr_add_real(document, array, 1.5);
        yyjson_mut_arr_add_real(document, array, bad);
        rg_JSONGouZaoDuiXiangLei_yy builder;
        builder.BindValue(document, array);
        EXPECT_EQ(builder.Doc, nullptr) << bad;
        EXPECT_EQ(builder.Val, nullptr) << bad;

        yyjson_mut_arr_remove_last(array);
        builder.BindValue(document, array);
        ASSERT_NE(builder.Doc, nullptr);
        EXPECT_EQ(Units(ValueToText(builder.Val)), u"[1.5]");
        yyjson_mut_doc_free(document);
    }
}

TEST(Json, LongTextsAndKeys) {
    const std::u16string longKey(300, u'k');
    const std::u16string longValue(1000, u'中');
    const std::u16string text = u"{\"" + longKey + u"\":\"" + longValue + u"\",\"x\":1}";
    const rg_JSONDuiXiangLei_n json = Parsed(text);
    EXPECT_EQ(Member(json, longKey), longValue);
    EXPECT_EQ(Member(json, u"/" + longKey), longValue);
    EXPECT_EQ(Member(json, u"x"), u"1");

    // An emoji takes a surrogate pair; a broken pair encodes to nothing.
    const rg_JSONDuiXiangLei_n emoji = Parsed(u"{\"😀\":\"微笑 😀\"}");
    EXPECT_EQ(Member(emoji, u"😀"), u"微笑 😀");
    const char16_t brokenKey[] = {0xD83D, u'x', 0};
    EXPECT_EQ(Member(emoji, brokenKey), u"");
    const char16_t brokenText[] = {u'{', u'"', u'a', u'"', u':', u'"', 0xD800, u'"', u'}', 0};
    rg_JSONDuiXiangLei_n broken;
    EXPECT_FALSE(
        broken.ParseText(CWConstString(brokenText))); // the closing quote went with the pair
    const std::u16string longBroken =
        u"{\"a\":\"" + std::u16string(600, u'y') + std::u16string(1, char16_t{0xDC00});
    EXPECT_FALSE(broken.ParseText(CWString(longBroken.c_str())));
}

TEST(Json, WrapperUtf8Rule) {
    const struct {
        std::u16string Text;
        uint64_t Length;
        std::string Bytes;
    } cases[] = {
        {u"a", 1, "a"},
        {u"é中", 5, "\xC3\xA9\xE4\xB8\xAD"},
        {u"😀", 4, "\xF0\x9F\x98\x80"},
        {std::u16string{0xD800}, 4, ""},              // a lone unit at the end is dropped
        {std::u16string{0xD800, u'a', u'b'}, 5, "b"}, // a broken pair writes nothing
        {std::u16string{0xDC00, 0xD800}, 4, ""},      // low before high: broken as well
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8Length(c.Text.c_str()), c.Length);
        std::string buffer(c.Length + 1, '\x7F');
        EncodeUtf8(c.Text.c_str(), buffer.data());
        EXPECT_EQ(std::string(buffer.c_str()), c.Bytes);
    }
}
