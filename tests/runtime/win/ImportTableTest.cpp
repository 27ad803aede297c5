#include "runtime/win/ImportTable.h"
#include "TestSupport.h"
#include "runtime/CNimbAppInstance.h"
#include "runtime/TopLevelGuard.h"
#include "runtime/win/ModulePaths.h"

#include <gtest/gtest.h>

#include "runtime/win/Win32.h"

#include <string>

namespace {

int64_t LoadedCount() {
    return TheNimbAppInstance.LoadedLibraries.GetSize() / static_cast<int64_t>(sizeof(void*));
}

// Loads `table` inside the guard, as the program's start does.
void LoadGuarded(CNimbImportEntry* table) {
    SetRuntimeErrorDisplay(&WriteErrorBox);
    RunGuarded([table] { return LoadImportedFunctions(table) ? 1 : 0; });
}

// Makes another directory current, so that only the search next to the program finds
// the fixture library.
class ElsewhereTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::GetCurrentDirectoryW(MAX_PATH, Saved);
        ::SetCurrentDirectoryW(L"C:\\");
    }
    void TearDown() override {
        FreeImportedLibraries();
        ::SetCurrentDirectoryW(Saved);
    }
    wchar_t Saved[MAX_PATH] = {};
};

} // namespace

TEST_F(ElsewhereTest, LoadsByNameAndOrdinalAndFreesInOrder) {
    CNimbImportEntry table[] = {
        {u"kqv_fixture_library.dll", "FixtureAnswer", nullptr},
        {u"", "@7", nullptr},
        {u"kernel32", "GetDriveTypeA", nullptr},
        {u"subfolder\\kqv_fixture_library.dll", "@5", nullptr}, // found by its file name
        {nullptr, nullptr, nullptr},
    };
    ASSERT_TRUE(LoadImportedFunctions(table));
    EXPECT_EQ(reinterpret_cast<int (*)()>(table[0].Address)(), 42);
    EXPECT_EQ(reinterpret_cast<int (*)(int)>(table[1].Address)(21), 42);
    EXPECT_EQ(table[2].Address, reinterpret_cast<void*>(::GetProcAddress(
                                    ::GetModuleHandleW(L"kernel32"), "GetDriveTypeA")));
    EXPECT_EQ(table[3].Address, table[0].Address);
    EXPECT_EQ(LoadedCount(), 3); // one handle per non-empty library name

    FreeImportedLibraries();
    EXPECT_EQ(LoadedCount(), 0);
    EXPECT_EQ(::GetModuleHandleW(L"kqv_fixture_library.dll"),
              nullptr); // every load matched by a free
    wchar_t current[MAX_PATH];
    ::GetCurrentDirectoryW(MAX_PATH, current);
    EXPECT_STREQ(current, L"C:\\");
}

TEST_F(ElsewhereTest, AMissingLibraryIsReportedOnceAndEndsTheProcess) {
    CNimbImportEntry table[] = {
        {u"kernel32", "GetDriveTypeA", nullptr},
        {u"kqv-no-such-library.dll", "Anything", nullptr},
        {nullptr, nullptr, nullptr},
    };
    EXPECT_EXIT(LoadGuarded(table), ::testing::ExitedWithCode(-1),
                "^运行时异常\\|俘获到异常,代码值为: -1, 描述为: "
                "载入运行时所需要的外部动态链接库文件\"kqv-no-such-library.dll\"失败!#1$");
}

TEST_F(ElsewhereTest, AMissingFunctionIsReportedOnceAndEndsTheProcess) {
    CNimbImportEntry missing[] = {
        {u"kqv_fixture_library.dll", "NoSuchFunction", nullptr},
        {nullptr, nullptr, nullptr},
    };
    EXPECT_EXIT(LoadGuarded(missing), ::testing::ExitedWithCode(-1),
                "^运行时异常\\|俘获到异常,代码值为: -1, 描述为: "
                "在外部动态链接库\"kqv_fixture_library."
                "dll\"中未找到所需要的输出函数\"NoSuchFunction\"!#1$");
    CNimbImportEntry badOrdinal[] = {
        {u"kqv_fixture_library.dll", "@65541", nullptr}, // 65541 would truncate to ordinal 5
        {nullptr, nullptr, nullptr},
    };
    EXPECT_EXIT(LoadGuarded(badOrdinal), ::testing::ExitedWithCode(-1), "输出函数\"@65541\"!#1$");
}

TEST_F(ElsewhereTest, AnEmptyLibraryNameCannotComeFirst) {
    CNimbImportEntry table[] = {
        {u"", "GetDriveTypeA", nullptr},
        {nullptr, nullptr, nullptr},
    };
    EXPECT_EXIT(LoadGuarded(table), ::testing::ExitedWithCode(-1),
                "描述为: 载入运行时所需要的外部动态链接库文件\"\"失败!#1$");
}

TEST(ModulePaths, ModuleDirectoryLibraryLoadingAndExistence) {
    CWString directory(u"stale");
    ASSERT_TRUE(GetModuleDirectory(nullptr, directory));
    EXPECT_EQ(directory.GetText()[directory.GetLength() - 1], u'\\');
    EXPECT_TRUE(PathExists(directory.GetText()));
    EXPECT_FALSE(GetModuleDirectory(reinterpret_cast<void*>(uintptr_t{0x10}), directory));
    EXPECT_TRUE(directory.IsEmpty());

    EXPECT_TRUE(PathExists(u"C:\\windows\\"));
    EXPECT_TRUE(PathExists(u"C:\\"));
    EXPECT_TRUE(PathExists(u"C:\\windows\\system32\\kernel32.dll"));
    EXPECT_FALSE(PathExists(u"C:\\kqv-no-such-file"));
    EXPECT_FALSE(PathExists(u""));
    EXPECT_FALSE(PathExists(nullptr));

    wchar_t before[MAX_PATH];
    ::GetCurrentDirectoryW(MAX_PATH, before);
    void* kernel = LoadLibraryInDirectory(u"C:\\windows\\system32\\kernel32.dll");
    EXPECT_NE(kernel, nullptr);
    ::FreeLibrary(static_cast<HMODULE>(kernel));
    wchar_t after[MAX_PATH];
    ::GetCurrentDirectoryW(MAX_PATH, after);
    EXPECT_STREQ(before, after);
    EXPECT_EQ(LoadLibraryInDirectory(u""), nullptr);
    EXPECT_EQ(LoadLibraryInDirectory(nullptr), nullptr);
    EXPECT_EQ(LoadLibraryInDirectory(u"C:\\kqv-no-such.dll"), nullptr);
}
