#include "TestSupport.h"
#include "runtime/CNimbAppInstance.h"
#include "runtime/CNimbMem.h"
#include "runtime/CRefObject.h"
#include "runtime/CWString.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

// Deletes through the object's own table, as the application does.
struct Deleter {
    void operator()(CNimbObject* object) const { CNimbObject::DeleteObject(object); }
};
using Owned = std::unique_ptr<CNimbObject, Deleter>;

CWString Hex(const void* address) {
    CWString text;
    text.Format(u"%I64X", reinterpret_cast<uintptr_t>(address));
    return text;
}

} // namespace

TEST(CNimbClassInfo, NameHashSetsBitZeroAndClearsBit31) {
    EXPECT_EQ(CWString::ClassRecord().Hash, 6943153u);
    EXPECT_EQ(CWString::ClassRecord().NameLength, 8);
    // "\xFF" sign-extends to -1: h = 2^64 - 1, low word 0xFFFFFFFF, bit 31 cleared.
    EXPECT_EQ(CNimbClassInfo::HashName("\xFF", 1), 0x7FFFFFFFu);
    EXPECT_EQ(CNimbClassInfo::HashName("", 0), 1u);
}

TEST(CNimbClassInfo, RecordsBuiltSeparatelyForOneNameAreOneClass) {
    const std::string name = "CWString"; // another copy of the bytes, at another address
    const CNimbClassInfo again = CNimbClassInfo::Make(nullptr, name.c_str());
    EXPECT_TRUE(again.IsSameClass(CWString::ClassRecord()));
    EXPECT_TRUE(CWString().IsKindOf(again));

    const CNimbClassInfo sameHashOtherName{nullptr, "CWStrinf", 8, CWString::ClassRecord().Hash};
    EXPECT_FALSE(sameHashOtherName.IsSameClass(CWString::ClassRecord()));
}

TEST(CNimbObject, IsKindOfWalksTheBasesUpToCNimbObject) {
    const CWConstString literal(u"x");
    const CWString text;
    const CNimbMem buffer;
    struct Case {
        const CNimbObject& Object;
        const CNimbClassInfo& Record;
        bool Expected;
    } cases[] = {
        {literal, CWConstString::ClassRecord(), true}, {literal, CWString::ClassRecord(), true},
        {literal, CNimbObject::ClassRecord(), true},   {text, CWConstString::ClassRecord(), false},
        {text, CNimbMem::ClassRecord(), false},        {text, CNimbObject::ClassRecord(), true},
        {buffer, CNimbMem::ClassRecord(), true},       {buffer, CWString::ClassRecord(), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.Object.IsKindOf(c.Record), c.Expected)
            << c.Object.GetClassInfo().Name << " as " << c.Record.Name;
    }
}

TEST(CNimbObject, IsEqualNeedsTheSameClassNullBitTagAndValue) {
    CWString a(u"same");
    CWString b(u"same");
    EXPECT_TRUE(a.IsEqual(b));
    EXPECT_FALSE(a.IsEqual(CWConstString(u"same"))); // another class
    b.Tag = 7;
    EXPECT_FALSE(a.IsEqual(b));
    a.Tag = 7;
    EXPECT_TRUE(a.IsEqual(b));
    a.SetNullObject(true);
    EXPECT_FALSE(a.IsEqual(b));
    b.Flags = CNimbObject::NullObject | 0x40; // other bits carry no meaning here
    EXPECT_TRUE(a.IsEqual(b));
    EXPECT_FALSE(a.IsEqual(CWString(u"other")));
}

TEST(CNimbObject, AssignFromRefusesUnrelatedClassesAndCopiesEverythingElse) {
    CWString text(u"keep");
    text.Tag = 3;
    CNimbMem buffer;
    buffer.AppendBytes("xyz", 3);
    EXPECT_FALSE(text.AssignFrom(buffer));
    EXPECT_EQ(Units(text), u"keep");
    EXPECT_EQ(text.Tag, 3);

    CWConstString literal(u"lit");
    literal.Flags = 0x41;
    literal.Tag = 9;
    ASSERT_TRUE(text.AssignFrom(literal)); // derived into base
    EXPECT_EQ(text.Flags, 0x41u);
    EXPECT_EQ(text.Tag, 9);
    EXPECT_TRUE(text.IsBorrowed()); // the literal stays shared
    EXPECT_EQ(text.GetText(), literal.GetText());

    CWConstString target(u"t");
    EXPECT_FALSE(target.AssignFrom(CWString(u"owned"))); // base into derived
    EXPECT_TRUE(text.AssignFrom(text));
    EXPECT_EQ(text.Tag, 9);
}

TEST(CNimbObject, ResetGivesTheDefaultValueFlagsAndTag) {
    CWString text(u"abc");
    text.Flags = CNimbObject::NullObject | 0x10;
    text.Tag = -5;
    text.Reset();
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(text.Flags, 0u);
    EXPECT_EQ(text.Tag, 0);
    EXPECT_EQ(text.GetBuffer().GetStep(), CWString::GrowthStep);
}

TEST(CNimbObject, CloneCreateInstanceAndFactoryMakeTheDynamicClass) {
    CWConstString literal(u"abc");
    literal.Tag = 11;
    const CNimbObject& object = literal;

    Owned clone(object.Clone());
    ASSERT_TRUE(clone->GetClassInfo().IsSameClass(CWConstString::ClassRecord()));
    EXPECT_TRUE(clone->IsEqual(literal));

    Owned fresh(object.CreateInstance());
    EXPECT_TRUE(fresh->GetClassInfo().IsSameClass(CWConstString::ClassRecord()));
    EXPECT_EQ(fresh->Tag, 0);
    EXPECT_TRUE(static_cast<CWString&>(*fresh).IsEmpty());

    Owned made(CNimbMem::ClassRecord().Factory());
    EXPECT_TRUE(made->IsKindOf(CNimbMem::ClassRecord()));
    EXPECT_EQ(static_cast<CNimbMem&>(*made).GetStep(), CNimbMem::DefaultStep);

    // Every instance comes from the class allocation, that is from the pool.
    EXPECT_TRUE(TheNimbAppInstance.Pool.Contains(made.get()));
    EXPECT_EQ(made->GetMemManager(), &TheNimbAppInstance.Pool);
    CNimbObject::DeleteObject(nullptr);
}

TEST(CNimbObject, DefaultDumpNamesTheClassAndAddress) {
    CNimbObject object;
    CWString out(u"前缀|");
    object.DumpToText(out, 0);
    CWString expected(u"前缀|无法解析的对象数据,其输出类名为: \"CNimbObject\", 地址为: 0x");
    expected.Append(Hex(&object));
    EXPECT_EQ(Units(out), Units(expected));

    object.SetNullObject(true);
    CWString nullDump;
    object.DumpToText(nullDump, 0);
    EXPECT_GE(nullDump.Find(u"\", 地址为: 0x"), 0);
    EXPECT_EQ(nullDump.Find(u", 为空对象"), nullDump.GetLength() - 6);
}

namespace {

// The table slot of a virtual member function. Both compilers use the Itanium C++ ABI,
// where a pointer to a virtual member holds 1 + its byte offset in the table.
template <class Member>
ptrdiff_t Slot(Member member) {
    struct {
        uintptr_t Pointer;
        ptrdiff_t Adjust;
    } raw;
    static_assert(sizeof member == sizeof raw);
    std::memcpy(&raw, &member, sizeof raw);
    EXPECT_EQ(raw.Pointer % 2, 1u) << "not a virtual member";
    return static_cast<ptrdiff_t>((raw.Pointer - 1) / sizeof(void*));
}

} // namespace

TEST(CNimbObject, TheTableOfOperationsKeepsItsOrder) {
    // Memory-manager operations first, then the standard operations; the virtual
    // destructor (DestroyAndFree) takes two slots after Reset.
    EXPECT_EQ(Slot(&CNimbObject::MemAlloc), 0);
    EXPECT_EQ(Slot(&CNimbObject::MemAllocOrNull), 1);
    EXPECT_EQ(Slot(&CNimbObject::MemRealloc), 2);
    EXPECT_EQ(Slot(&CNimbObject::MemFree), 3);
    EXPECT_EQ(Slot(&CNimbObject::GetMemManager), 4);
    EXPECT_EQ(Slot(&CNimbObject::GetClassInfo), 5);
    EXPECT_EQ(Slot(&CNimbObject::IsEqual), 6);
    EXPECT_EQ(Slot(&CNimbObject::CreateInstance), 7);
    EXPECT_EQ(Slot(&CNimbObject::Clone), 8);
    EXPECT_EQ(Slot(&CNimbObject::AssignFrom), 9);
    EXPECT_EQ(Slot(&CNimbObject::Reset), 10);
    EXPECT_EQ(Slot(&CNimbObject::IsKindOf), 13);
    EXPECT_EQ(Slot(&CNimbObject::DumpToText), 14);
    EXPECT_EQ(Slot(&CNimbObject::LoadFromStream), 15);
    EXPECT_EQ(Slot(&CNimbObject::SaveToStream), 16);
    EXPECT_EQ(Slot(&CNimbObject::OnBeforeChange), 17);
    // Derived classes override in place and add nothing before the end.
    EXPECT_EQ(Slot(&CWString::DumpToText), 14);
    EXPECT_EQ(Slot(&CWConstString::IsKindOf), 13);

    EXPECT_EQ(Slot(&CRefObject::GetClassInfo), 5);
    EXPECT_EQ(Slot(&CRefObject::IsKindOf), 6);
    EXPECT_EQ(Slot(&CRefObject::Release), 9);
    EXPECT_EQ(Slot(&CRefObject::OnFinalRelease), 10);
}
