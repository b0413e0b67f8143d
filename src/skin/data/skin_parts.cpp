#include "skin/data/skin_parts.h"

namespace velotune::skin {

const PartRow kPartRows[kSkinPartCount] = {
    {spProgressChunk, "Progress.Chunk", PartKind::kPlain, nullptr, true, kFrameAsRead},
    {spMenuBar, "Personality", PartKind::kPlain, nullptr, false, 2},
    {spGroupBoxEdge, "GroupBoxEdge", PartKind::kPlain, nullptr, true, 2},
    {spGroupBox, "GroupBox", PartKind::kBoxLabel, nullptr, false, 1},
    {spTabs, "Tabs", PartKind::kBorder, "Border", false, 5},
    {spStatusBarEdges, "StatusBarEdges", PartKind::kPlain, nullptr, true, 3},
    {spTabPane, "Tab.Pane", PartKind::kPlain, nullptr, true, 1},
    {spToolBars, "ToolBars", PartKind::kPlain, nullptr, true, 5},
    {spComboButton, "ComboButton", PartKind::kBorder, "****", false, 4},
    {spSunkEdge, "SunkEdge", PartKind::kPlain, nullptr, true, 4},
    {spExtraImages, "ExtraImages", PartKind::kPlain, nullptr, true, 5},
    {spHeaderbar, "Headerbar", PartKind::kPlain, nullptr, true, kFrameUnlessGiven},
    {spMenuItem, "MenuItem", PartKind::kPlain, nullptr, true, 5},
    {spMenuBackground, "MenuBackground", PartKind::kPlain, nullptr, true, 1},
    {spScrollbar, "Scrollbar", PartKind::kPlain, nullptr, true, 23},
    {spHorzScroll, "HorzScroll", PartKind::kPlain, nullptr, true, 4},
    {spVertScroll, "VertScroll", PartKind::kPlain, nullptr, true, 4},
    {spHorzScrollThumb, "HorzScrollThumb", PartKind::kPlain, nullptr, true, kFrameFromFrameCount},
    {spVertScrollThumb, "VertScrollThumb", PartKind::kPlain, nullptr, true, kFrameFromFrameCount},
    {spThumbHorz, "Trackbar.ThumbHorz", PartKind::kPlain, nullptr, true, 5},
    {spThumbVert, "Trackbar.ThumbVert", PartKind::kPlain, nullptr, true, 5},
    {spThumbLeft, "Trackbar.ThumbLeft", PartKind::kPlain, nullptr, true, 5},
    {spThumbRight, "Trackbar.ThumbRight", PartKind::kPlain, nullptr, true, 5},
    {spThumbUp, "Trackbar.ThumbUp", PartKind::kPlain, nullptr, true, 5},
    {spThumbDown, "Trackbar.ThumbDown", PartKind::kPlain, nullptr, true, 5},
    {spUpDownHorz, "UpDown.Horz", PartKind::kBorder, "GlyphImage", false, 8},
    {spUpDownVert, "UpDown.Vert", PartKind::kBorder, "GlyphImage", false, 8},
    {spTrack, "Track", PartKind::kPlain, nullptr, true, kFrameAsRead},
    {spTrackVert, "TRACKVERT", PartKind::kPlain, nullptr, true, kFrameAsRead},
};

}  // namespace velotune::skin
