#include "gui/FormRules.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

void AddFormStyle(const CNimbFormFrame& frame, bool captionEmpty, uint32_t& style,
                  uint32_t& exStyle) noexcept {
    using namespace NimbStyle;
    style |= ClipChildren;
    if (frame.BorderStyle != 0) {
        if (!captionEmpty || frame.ControlBox)
            style |= Caption;
        if (frame.ControlBox)
            style |= SystemMenu | Border;
        style |= DialogFrame;
    }
    switch (frame.BorderStyle) {
    case 1:
        style |= SizingFrame;
        break;
    case 3:
        style |= SizingFrame;
        exStyle |= ExToolWindow;
        break;
    case 4:
        exStyle |= ExToolWindow;
        break;
    case 5:
        style |= SizingFrame;
        exStyle |= ExClientEdge;
        break;
    case 6:
        exStyle |= ExClientEdge;
        break;
    default:
        break;
    }
    if (frame.MaxButton)
        style |= MaximiseBox;
    if (frame.MinButton)
        style |= MinimiseBox;
    if (frame.StartPosition == 2)
        style |= Minimised;
    else if (frame.StartPosition == 3)
        style |= Maximised;
}

uint32_t TitleBarBits(const CNimbFormFrame& frame, const char16_t* text) noexcept {
    using namespace NimbStyle;
    uint32_t bits = 0;
    if (frame.BorderStyle != 0) {
        if (frame.ControlBox) {
            bits |= Caption | SystemMenu;
        } else if (text != nullptr && text[0] != 0 &&
                   std::u16string_view(text) != std::u16string_view(kNimbApplicationTitle)) {
            bits |= Caption;
        }
        bits |= DialogFrame;
    }
    if (frame.MaxButton)
        bits |= MaximiseBox;
    if (frame.MinButton)
        bits |= MinimiseBox;
    return bits;
}

int32_t CentredIn(int32_t low, int32_t high, int32_t size) noexcept {
    return static_cast<int32_t>((static_cast<int64_t>(low) + high - size) / 2);
}

CNimbRect HostClientRect(const CNimbRect& grown, int32_t x, int32_t y, int32_t width,
                         int32_t height) noexcept {
    return {x + (200 - grown.Left), y + (200 - grown.Top), x + width - (grown.Right - 300),
            y + height - (grown.Bottom - 300)};
}

int32_t RoundedCorner(int32_t width, int32_t height) noexcept {
    return std::min(width / 5, height / 5);
}

uint32_t HostTemplateStyle(uint32_t formStyle, bool fixedFrame) noexcept {
    using namespace NimbStyle;
    if (fixedFrame)
        return 0x92C80880;
    uint32_t style = formStyle & ~(Popup | Child | Visible | ClipChildren | Centred);
    style |= Popup | Visible | ClipChildren | Centred;
    if ((formStyle & SizingFrame) == 0)
        style |= ModalFrame;
    return style;
}

CNimbMem DialogTemplate(uint32_t style, uint32_t exStyle, const char16_t* title) {
    // DLGTEMPLATE: style, extended style, item count, x, y, cx, cy; then the menu, the
    // class and the title as UTF-16, each a word array.
    CNimbMem bytes;
    const auto add = [&bytes](const void* data, int64_t size) { bytes.AppendBytes(data, size); };
    add(&style, 4);
    add(&exStyle, 4);
    const uint16_t zeros[5] = {};
    add(zeros, sizeof zeros); // no items, at 0, 0, of size 0 × 0
    add(zeros, 2);            // no menu
    add(zeros, 2);            // the dialog class
    const size_t length = title != nullptr ? std::char_traits<char16_t>::length(title) : 0;
    add(title != nullptr ? title : u"", static_cast<int64_t>(length * sizeof(char16_t)));
    add(zeros, 2);
    // The platform reads the template as DWORD-aligned data.
    if (bytes.GetSize() % 4 != 0)
        add(zeros, 4 - bytes.GetSize() % 4);
    return bytes;
}

CWString ResolveHelpPath(const CWString& programDirectory, const CWString& helpFile) {
    const char16_t* file = helpFile.GetText();
    const bool absolute =
        file[0] == u'\\' || (((file[0] | 0x20) >= u'a' && (file[0] | 0x20) <= u'z') &&
                             file[1] == u':' && file[2] == u'\\');
    if (absolute)
        return helpFile;
    std::u16string joined(programDirectory.GetText());
    joined += file;
    // The drive (or the share) stays; the segments after it are resolved.
    const size_t root = joined.find(u'\\') == std::u16string::npos ? 0 : joined.find(u'\\') + 1;
    std::vector<std::u16string> segments;
    size_t start = root;
    while (start <= joined.size()) {
        size_t end = joined.find(u'\\', start);
        if (end == std::u16string::npos)
            end = joined.size();
        const std::u16string segment = joined.substr(start, end - start);
        if (segment == u"..") {
            if (!segments.empty())
                segments.pop_back();
        } else if (segment != u"." && !segment.empty()) {
            segments.push_back(segment);
        }
        start = end + 1;
    }
    std::u16string result = joined.substr(0, root);
    for (size_t i = 0; i < segments.size(); ++i) {
        if (i != 0)
            result += u'\\';
        result += segments[i];
    }
    return CWString(result.c_str());
}

int32_t TrayNotifyKind(uint32_t mouseMessage) noexcept {
    switch (mouseMessage) {
    case 0x0202: // left button up
        return 1;
    case 0x0203: // left double click
        return 2;
    case 0x0205: // right button up
    case 0x007B: // context menu
        return 3;
    default:
        return 0;
    }
}

uint32_t MenuSelectItem(uint32_t item, uint32_t flags) noexcept {
    if (flags == 0xFFFF || (flags & 0x2010) != 0) // closed; popup or system menu
        return 0;
    return item;
}
