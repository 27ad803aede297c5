// Copying whatever any UTF-8 text parses to through every door of the builder classes: binding
// to the root and to its members, Clone, AssignFrom and the copies of the JSON object. A
// copy of an array or an object has a document of its own with the same compact text,
// still there when the original is gone; any other value leaves no document; an array
// builder shares instead of copying.

#include "FuzzInput.h"
#include "net/Utf8Text.h"
#include "net/rg_JSONDuiXiangLei_n.h"

#include <memory>
#include <vector>

using namespace rg_nimb_Kovra;

namespace {

bool IsContainer(yyjson_mut_val* value) {
    return yyjson_mut_is_arr(value) || yyjson_mut_is_obj(value);
}

// What a copy of a value must look like: its text for an array or an object, else none.
struct Expected {
    Expected(yyjson_mut_doc* document, yyjson_mut_val* value)
        : Container(IsContainer(value)), Source(document), Text(ValueToText(value)) {}

    bool Container;
    yyjson_mut_doc* Source;
    CWString Text;
};

void ExpectCopy(const rg_JSONGouZaoDuiXiangLei_yy& copy, const Expected& expected) {
    if (!expected.Container) {
        FUZZ_EXPECT(copy.Doc == nullptr && copy.Val == nullptr);
        return;
    }
    FUZZ_EXPECT(copy.Doc != nullptr && copy.Doc != expected.Source);
    FUZZ_EXPECT(copy.Val == yyjson_mut_doc_get_root(copy.Doc));
    FUZZ_EXPECT(ValueToText(copy.Val).HasSameText(expected.Text));
}

// The first members of an array or the values of an object's first members.
std::vector<yyjson_mut_val*> Members(yyjson_mut_val* value) {
    std::vector<yyjson_mut_val*> members;
    if (yyjson_mut_is_arr(value)) {
        yyjson_mut_arr_iter items;
        yyjson_mut_arr_iter_init(value, &items);
        while (yyjson_mut_val* item = yyjson_mut_arr_iter_next(&items)) {
            if (members.size() == 4)
                break;
            members.push_back(item);
        }
    } else if (yyjson_mut_is_obj(value)) {
        yyjson_mut_obj_iter names;
        yyjson_mut_obj_iter_init(value, &names);
        while (yyjson_mut_val* name = yyjson_mut_obj_iter_next(&names)) {
            if (members.size() == 4)
                break;
            members.push_back(yyjson_mut_obj_iter_get_val(name));
        }
    }
    return members;
}

// The first member names of an object, for asking copies of the JSON object.
std::vector<CWString> Keys(yyjson_mut_val* value) {
    std::vector<CWString> keys;
    if (!yyjson_mut_is_obj(value))
        return keys;
    yyjson_mut_obj_iter names;
    yyjson_mut_obj_iter_init(value, &names);
    while (yyjson_mut_val* name = yyjson_mut_obj_iter_next(&names)) {
        if (keys.size() == 4)
            break;
        keys.push_back(ValueToText(name));
    }
    return keys;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // JSON arrives as UTF-8; bytes keep the fuzzer's mutations on the syntax.
    CNimbMem bytes;
    bytes.AppendBytes(data, static_cast<int64_t>(size));
    CWString text;
    Utf8ToText(bytes, text, false);
    rg_JSONDuiXiangLei_n json;
    if (!json.ParseText(text)) {
        FUZZ_EXPECT(json.Document.Doc == nullptr && json.Document.Val == nullptr);
        return 0;
    }
    rg_JSONGouZaoDuiXiangLei_yy& original = json.Document;
    const Expected root(original.Doc, original.Val);

    rg_JSONGouZaoDuiXiangLei_yy bound;
    bound.BindValue(original.Doc, original.Val);
    ExpectCopy(bound, root);
    // Half a reference is no value.
    rg_JSONGouZaoDuiXiangLei_yy half;
    half.BindValue(original.Doc, nullptr);
    FUZZ_EXPECT(half.Doc == nullptr && half.Val == nullptr);
    half.BindValue(nullptr, original.Val);
    FUZZ_EXPECT(half.Doc == nullptr && half.Val == nullptr);

    const std::vector<yyjson_mut_val*> members = Members(original.Val);
    for (size_t i = 0; i < members.size(); ++i) {
        const Expected member(original.Doc, members[i]);
        rg_JSONGouZaoDuiXiangLei_yy copy;
        copy.BindValue(original.Doc, members[i]);
        ExpectCopy(copy, member);
        // Bound to a member of its own document, a copy frees the document the member
        // lives in while it copies it.
        rg_JSONGouZaoDuiXiangLei_yy own(bound);
        const std::vector<yyjson_mut_val*> ownMembers = Members(own.Val);
        FUZZ_EXPECT(ownMembers.size() == members.size());
        own.BindValue(own.Doc, ownMembers[i]);
        ExpectCopy(own, member);
    }

    std::unique_ptr<CNimbObject> clone(original.Clone());
    FUZZ_EXPECT(clone->IsKindOf(rg_JSONGouZaoDuiXiangLei_yy::ClassRecord()));
    ExpectCopy(static_cast<rg_JSONGouZaoDuiXiangLei_yy&>(*clone), root);

    // Assigning replaces what the target had, and assigning to itself changes nothing.
    rg_JSONDuiXiangLei_n other;
    rg_JSONGouZaoDuiXiangLei_yy assigned(other.Document);
    FUZZ_EXPECT(assigned.AssignFrom(original));
    ExpectCopy(assigned, root);
    FUZZ_EXPECT(assigned.AssignFrom(assigned));
    ExpectCopy(assigned, root);

    // An array builder refers to the value itself, and is no builder object to copy from.
    rg_JSONGouZaoShuZuLei_yy reference;
    FUZZ_EXPECT(reference.AssignFrom(original));
    FUZZ_EXPECT(reference.Doc == original.Doc && reference.Val == original.Val);
    std::unique_ptr<CNimbObject> referenceClone(reference.Clone());
    const auto& shared = static_cast<const rg_JSONGouZaoShuZuLei_yy&>(*referenceClone);
    FUZZ_EXPECT(shared.Doc == original.Doc && shared.Val == original.Val);
    rg_JSONGouZaoDuiXiangLei_yy unchanged(bound);
    FUZZ_EXPECT(!unchanged.AssignFrom(reference));
    ExpectCopy(unchanged, root);

    // The JSON object copies its document with it.
    std::vector<std::pair<CWString, CWString>> answers;
    for (const CWString& key : Keys(original.Val))
        answers.emplace_back(key, json.GetMemberText(key));
    rg_JSONDuiXiangLei_n constructed(json);
    rg_JSONDuiXiangLei_n assignedJson;
    assignedJson = json;
    rg_JSONDuiXiangLei_n assignedFrom;
    FUZZ_EXPECT(assignedFrom.AssignFrom(json));
    std::unique_ptr<CNimbObject> jsonClone(json.Clone());
    auto& cloned = static_cast<rg_JSONDuiXiangLei_n&>(*jsonClone);

    // Every copy outlives the original.
    original.FreeDocument();
    const rg_JSONGouZaoDuiXiangLei_yy* const builders[] = {
        &bound,
        &static_cast<const rg_JSONGouZaoDuiXiangLei_yy&>(*clone),
        &assigned,
        &constructed.Document,
        &assignedJson.Document,
        &assignedFrom.Document,
        &cloned.Document,
    };
    for (const rg_JSONGouZaoDuiXiangLei_yy* builder : builders)
        ExpectCopy(*builder, root);
    const rg_JSONDuiXiangLei_n* const objects[] = {&constructed, &assignedJson, &assignedFrom,
                                                   &cloned};
    for (const rg_JSONDuiXiangLei_n* copy : objects) {
        for (const auto& [key, answer] : answers)
            FUZZ_EXPECT(copy->GetMemberText(key).HasSameText(answer));
    }
    return 0;
}
