#include "gui/ListSpecs.h"

#include "runtime/CMStringArray.h"
#include "runtime/NumberText.h"
#include "runtime/Split.h"

namespace rg_nimb_MFCJieMian_KuoZhanZuJian {

namespace {

// The lines of a specification, empty ones included.
void Lines(const CWString& spec, CMStringArray& lines) {
    SplitText(spec.GetText(), lines, u"\n", false, false);
}

int32_t Int32At(const CMStringArray& lines, int64_t index) {
    return static_cast<int32_t>(TextToInt64(lines.GetAt(index)));
}

} // namespace

CNimbListStyles ListStyles(const CNimbListOptions& o) noexcept {
    CNimbListStyles styles;
    uint32_t& style = styles.Style;
    uint32_t& ex = styles.ListExStyle;
    static constexpr uint32_t kViews[] = {0x0, 0x2, 0x3, 0x1}; // icon, small icon, list, report
    if (o.ViewMode >= 0 && o.ViewMode <= 3)
        style |= kViews[o.ViewMode];
    if (o.OwnerData)
        style |= 0x1000;
    if (o.ViewMode == 0 || o.ViewMode == 1) {
        if (o.AutoArrange)
            style |= 0x100;
        if (o.IconAlign == 1)
            style |= 0x800;
        if (!o.LabelWrap)
            style |= 0x80;
    }
    if (o.IsReport()) {
        if (o.NoColumnHeader) {
            style |= 0x4000;
        } else {
            if (!o.SortableHeader)
                style |= 0x8000;
            if (o.HeaderDragDrop)
                ex |= 0x10;
        }
        if (o.FullRowSelect)
            ex |= 0x20;
        if (o.GridLines)
            ex |= 0x1;
    }
    if (o.HotTrack) {
        ex |= 0x48;
        if (o.UnderlineCold)
            ex |= 0x1000;
        if (o.UnderlineHot)
            ex |= 0x800;
    }
    if (o.EditLabels)
        style |= 0x200;
    if (o.SortOrder == 1)
        style |= 0x10;
    else if (o.SortOrder != 0)
        style |= 0x20;
    if (o.CheckBoxes)
        ex |= 0x4;
    if (o.SingleSelection)
        style |= 0x4;
    if (o.ShowSelectionAlways)
        style |= 0x8;
    if (o.FlatScrollBars)
        ex |= 0x100;
    ex |= 0x402; // info tips and sub-item images
    return styles;
}

std::vector<CNimbListColumn> ParseColumnSpec(const CWString& spec) {
    CMStringArray lines;
    Lines(spec, lines);
    std::vector<CNimbListColumn> columns;
    for (int64_t at = 0; at + 5 <= lines.GetCount(); at += 5) {
        CNimbListColumn column;
        column.ImageAtRight = Int32At(lines, at) != 0;
        column.Image = Int32At(lines, at + 1);
        column.Align = Int32At(lines, at + 2);
        if (column.Align < 0 || column.Align > 2)
            column.Align = 0;
        column.Width = Int32At(lines, at + 3);
        column.Text.SetText(lines.GetAt(at + 4));
        columns.push_back(static_cast<CNimbListColumn&&>(column));
    }
    return columns;
}

std::vector<CNimbListEntry> ParseItemSpec(const CWString& spec) {
    CMStringArray lines;
    Lines(spec, lines);
    std::vector<CNimbListEntry> entries;
    for (int64_t at = 0; at + 7 <= lines.GetCount(); at += 7) {
        CNimbListEntry entry;
        entry.Kind = TextToInt64(lines.GetAt(at));
        entry.Image = Int32At(lines, at + 1);
        entry.StateImage = Int32At(lines, at + 2);
        entry.Indent = Int32At(lines, at + 3);
        entry.Data = TextToInt64(lines.GetAt(at + 4));
        entry.Text.SetText(lines.GetAt(at + 5));
        entry.Tip.SetText(lines.GetAt(at + 6));
        entries.push_back(static_cast<CNimbListEntry&&>(entry));
    }
    return entries;
}

CWString TooltipPairs(const std::vector<CNimbListEntry>& entries) {
    CWString pairs;
    for (size_t i = 0; i < entries.size(); ++i) {
        const CNimbListEntry& entry = entries[i];
        if (i != 0)
            pairs.AppendChar(u'\n');
        pairs.Append(Int64ToText(entry.Kind));
        pairs.AppendChar(u'\n');
        pairs.Append(entry.Tip);
    }
    return pairs;
}

bool RowTooltip(const CWString& pairs, int32_t row, CWString& tip) {
    if (row < 0)
        return false;
    CMStringArray lines;
    Lines(pairs, lines);
    int32_t rows = 0;
    for (int64_t at = 0; at + 2 <= lines.GetCount(); at += 2) {
        if (TextToInt64(lines.GetAt(at)) != 0)
            continue;
        if (rows++ == row) {
            tip.SetText(lines.GetAt(at + 1));
            return true;
        }
    }
    return false;
}

int32_t ValidImage(int32_t index, int32_t count) noexcept {
    return index >= 0 && index < count ? index : -1;
}

uint32_t StateImageBits(int32_t index) noexcept {
    return index < 0 ? 0 : static_cast<uint32_t>(index + 1) << 12;
}

int32_t StateImageIndex(uint32_t state) noexcept {
    return static_cast<int32_t>((state & 0xF000) >> 12) - 1;
}

} // namespace rg_nimb_MFCJieMian_KuoZhanZuJian
