#pragma once
// The super list box's rules that need no window: its window and list styles from its
// properties, and the column and item specifications it is created from.

#include "runtime/CWString.h"

#include <cstdint>
#include <vector>

namespace rg_nimb_MFCJieMian_KuoZhanZuJian {

// The properties of a list, with their defaults; all 32-bit.
struct CNimbListOptions {
    uint32_t TextColor = 0x000000;
    uint32_t TextBackColor = 0xFFFFFF; // 0xFF000000: the button face colour
    uint32_t BackColor = 0xFFFFFF;     // 0xFF000000: the button face colour
    int32_t ViewMode = 0;              // 0 large icons, 1 small icons, 2 list, 3 report
    int32_t IconAlign = 0;             // icon views: 0 top, 1 left
    int32_t AutoArrange = 1;
    int32_t LabelWrap = 1;
    int32_t NoColumnHeader = 0;
    int32_t SortableHeader = 1;
    int32_t FullRowSelect = 0;
    int32_t GridLines = 0;
    int32_t HeaderDragDrop = 0;
    int32_t HotTrack = 0;
    int32_t HandCursor = 1;
    int32_t UnderlineCold = 1;
    int32_t UnderlineHot = 1;
    int32_t EditLabels = 0;
    int32_t EditCells = 0; // with EditLabels in report view: every cell by double click
    int32_t SortOrder = 0; // 0 none, 1 ascending, other values descending
    int32_t CheckBoxes = 0;
    int32_t FlatScrollBars = 0;
    int32_t SingleSelection = 1;
    int32_t SelectedIndex = -1;
    int32_t ShowSelectionAlways = 0;
    int32_t OwnerData = 0;
    int32_t ItemCount = 0;

    bool IsReport() const noexcept { return ViewMode == 3; }
    bool EditsCells() const noexcept { return IsReport() && EditLabels && EditCells; }
};

// The window style bits and the list's own extended styles a list of `options` gets.
struct CNimbListStyles {
    uint32_t Style = 0;
    uint32_t ListExStyle = 0;
};
CNimbListStyles ListStyles(const CNimbListOptions& options) noexcept;

// One column of a column specification.
struct CNimbListColumn {
    bool ImageAtRight = false;
    int32_t Image = -1; // -1: none
    int32_t Align = 0;  // 0 left, 1 centred, 2 right
    int32_t Width = 0;
    CWString Text;
};

// Groups of five lines: image at the right, image, alignment, width, header text; a
// trailing incomplete group is ignored.
std::vector<CNimbListColumn> ParseColumnSpec(const CWString& spec);

// One entry of an item specification: a new row (Kind 0) or the next cell of the last row.
struct CNimbListEntry {
    int64_t Kind = 0;
    int32_t Image = -1;
    int32_t StateImage = -1;
    int32_t Indent = 0;
    int64_t Data = 0;
    CWString Text;
    CWString Tip;
};

// Groups of seven lines: kind, image, state image, indentation, data, text, tooltip.
std::vector<CNimbListEntry> ParseItemSpec(const CWString& spec);

// What the item specification leaves in its place after creation: the kind and tooltip
// of every entry, as two lines each.
CWString TooltipPairs(const std::vector<CNimbListEntry>& entries);

// The tooltip of row `row` from such pairs, the tooltip of the row-th pair of kind 0, into
// `tip`; false, with `tip` untouched, when there is no such pair.
bool RowTooltip(const CWString& pairs, int32_t row, CWString& tip);

// An image index as a list takes it: one that is negative or not below `count` is none.
int32_t ValidImage(int32_t index, int32_t count) noexcept;

// The state bits of a state image index (none for a negative one), and back.
uint32_t StateImageBits(int32_t index) noexcept;
int32_t StateImageIndex(uint32_t state) noexcept;

} // namespace rg_nimb_MFCJieMian_KuoZhanZuJian
