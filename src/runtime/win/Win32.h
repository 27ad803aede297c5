#pragma once
// <windows.h> as this project includes it, only from win/ folders. The API's name macros
// that would rename the runtime's own operations are removed right after it:
// GetClassInfo is a CNimbObject operation, not winuser.h's GetClassInfoW.
#include <windows.h>

#undef GetClassInfo
