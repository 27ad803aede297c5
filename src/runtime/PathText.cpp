#include "runtime/PathText.h"

#include <string>
#include <string_view>

bool IsAbsolutePath(const char16_t* path) noexcept {
    return path != nullptr &&
           (path[0] == u'\\' || (path[0] != 0 && path[1] == u':' && path[2] == u'\\'));
}

CWString CombinePath(const char16_t* directory, const char16_t* relative) {
    const std::u16string_view dir = directory != nullptr ? directory : u"";
    const std::u16string_view rel = relative != nullptr ? relative : u"";
    if (dir.empty())
        return CWString(relative);
    if (rel.empty() || IsAbsolutePath(relative))
        return CWString(rel.empty() ? directory : relative);

    std::u16string path(dir);
    if (path.back() != u'\\')
        path += u'\\';
    path += rel;

    // "\.\" is one backslash; scanning resumes where the reduction happened.
    for (size_t at = path.find(u"\\.\\"); at != std::u16string::npos; at = path.find(u"\\.\\", at))
        path.erase(at, 2);
    // "\..\" takes the segment before it along, back to and including its backslash.
    for (size_t at = path.find(u"\\..\\"); at != std::u16string::npos;
         at = path.find(u"\\..\\", at)) {
        if (at == 0)
            return CWString(relative);
        const size_t segment = path.rfind(u'\\', at - 1);
        if (segment == std::u16string::npos)
            return CWString(relative);
        path.erase(segment, at + 3 - segment);
        at = segment;
    }
    CWString result;
    result.SetTextN(path.data(), static_cast<int64_t>(path.size()));
    return result;
}
