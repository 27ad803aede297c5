#include "app/ImportedFunctions.h"
#include "runtime/CNimbAppInstance.h"

#include <gtest/gtest.h>

#include "runtime/win/ImportTable.h"
#include "runtime/win/Win32.h"

using namespace rg_nimb_app;

TEST(ImportedFunctions, TheDriveFunctionsResolveToKernel32) {
    ASSERT_TRUE(LoadImportedFunctions(rg_imported_functions));
    HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    EXPECT_EQ(reinterpret_cast<void*>(rg_get_drive_type()),
              reinterpret_cast<void*>(::GetProcAddress(kernel, "GetDriveTypeA")));
    EXPECT_EQ(reinterpret_cast<void*>(rg_get_logical_drive_strings()),
              reinterpret_cast<void*>(::GetProcAddress(kernel, "GetLogicalDriveStringsA")));
    EXPECT_EQ(TheNimbAppInstance.LoadedLibraries.GetSize(),
              2 * static_cast<int64_t>(sizeof(void*)));

    char drives[256] = {};
    const uint32_t length = rg_get_logical_drive_strings()(sizeof drives, drives);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(rg_get_drive_type()("C:\\"), static_cast<uint32_t>(DRIVE_FIXED));
    FreeImportedLibraries();
}
