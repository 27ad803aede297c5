#include "app/ImportedFunctions.h"

namespace rg_nimb_app {

CNimbImportEntry rg_imported_functions[3] = {
    {u"kernel32", "GetDriveTypeA", nullptr},
    {u"kernel32.dll", "GetLogicalDriveStringsA", nullptr},
    {nullptr, nullptr, nullptr},
};

} // namespace rg_nimb_app
