// Builds the skin objects from the unpacked skin's INI and bitmaps.
#include <algorithm>
#include <cstring>

#include "skin/data/bitmap_ops.h"
#include "skin/data/default_track.h"
#include "skin/data/quick_ini.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_reader.h"

namespace velotune::skin {

namespace {

const char* const kEdgeKeys[4] = {"Left", "Right", "Top", "Bottom"};

struct ColourRow {
  int entry;
  const char* key;
  TColor fallback;  // kFromFace: the ButtonFace entry as read
};
constexpr TColor kFromFace = 0xFFFFFFFFu;

// In reading order.
constexpr ColourRow kColourRows[] = {
    {ceWindowText, "WindowText", SystemColour(kColorWindowText)},
    {ceButtonFace, "ButtonFace", SystemColour(kColorBtnFace)},
    {ceScrollbar, "Scrollbar", SystemColour(kColorScrollbar)},
    {ceHilightText, "HilightText", SystemColour(kColorHighlightText)},
    {ceHilight, "Hilight", SystemColour(kColorHighlight)},
    {ceMenubar, "Menubar", kFromFace},
    {ceMenu, "Menu", SystemColour(kColorMenu)},
    {ceMenuText, "MenuText", SystemColour(kColorMenuText)},
    {ceButtonText, "ButtonText", SystemColour(kColorBtnText)},
    {ceButtonHilight, "ButtonHilight", SystemColour(kColorBtnHighlight)},
    {ceButtonlight, "Buttonlight", SystemColour(kColorBtnHighlight)},
    {ceButtonShadow, "ButtonShadow", SystemColour(kColorBtnShadow)},
    {ceButtonDkShadow, "ButtonDkShadow", SystemColour(kColor3dDkShadow)},
    {ceMenuBarText, "MenuBarText", SystemColour(kColorMenuText)},
    {ceTitleTextActive, "TitleTextActive", SystemColour(kColorCaptionText)},
    {ceTitleTextNoActive, "TitleTextNoActive", SystemColour(kColorInactiveCaptionText)},
};

std::string UpperAscii(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

bool StartsWith(const std::string& text, const char* prefix) {
  return text.compare(0, std::strlen(prefix), prefix) == 0;
}

}  // namespace

void TSkinData::LoadSkinBitmap(Bitmap& bitmap, const std::string& value) {
  const size_t slash = value.find_last_of("\\/:");
  const std::string name = slash == std::string::npos ? value : value.substr(slash + 1);
  const size_t dot = name.rfind('.');
  // The extension is compared with case: ".BMP" is not a skin bitmap.
  if (name.empty() || dot == std::string::npos || name.substr(dot) != ".bmp" ||
      reader_ == nullptr) {
    bitmap.Clear();
    return;
  }
  // Each named bitmap is decoded once; every part that names it shares it.
  const std::string key = LowerAscii(name);
  auto cached = bitmaps_.find(key);
  if (cached == bitmaps_.end()) {
    Bitmap loaded;
    const uint8_t* data = nullptr;
    size_t size = 0;
    if (reader_->ViewItem(key, &data, &size) && loaded.LoadFromBmp(data, size, pixelBudget_))
      pixelBudget_ -= static_cast<int64_t>(loaded.Width()) * loaded.Height();
    cached = bitmaps_.emplace(key, std::move(loaded)).first;
  }
  bitmap = cached->second;
}

int TSkinData::ReadLength(const std::string& section, const std::string& key, int fallback) const {
  return std::clamp(ini_->ReadInteger(section, key, fallback), 0, Bitmap::kMaxSide);
}

int TSkinData::ReadPosition(const std::string& section, const std::string& key) const {
  return std::clamp(ini_->ReadInteger(section, key, 0), -Bitmap::kMaxSide, Bitmap::kMaxSide);
}

void TSkinData::ReadMargins(const std::string& section, TDataSkinObject& object) const {
  object.LeftWidth = ReadLength(section, "LeftWidth", 0);
  object.RightWidth = ReadLength(section, "RightWidth", 0);
  object.TopHeight = ReadLength(section, "TopHeight", 0);
  object.BottomHeight = ReadLength(section, "BottomHeight", 0);
}

void TSkinData::ReadGeneric(const std::string& section, TDataSkinObject& object, bool withFrame) {
  const TQuickIni& ini = *ini_;
  LoadSkinBitmap(object.Map, ini.ReadString(section, "Image", ""));
  object.Style = ini.ReadInteger(section, "Style", 0);
  ReadMargins(section, object);
  if (withFrame) object.Frame = ini.ReadInteger(section, "Frame", 0);
  object.Trans = ini.ReadInteger(section, "Trans", 0);
  object.Tile = ini.ReadInteger(section, "Tile", 0);
  object.NormalColour = ini.ReadInteger(section, "NormalColour", -1);
  object.MouseOverColour = ini.ReadInteger(section, "MouseOverColour", -1);
  object.PressedColour = ini.ReadInteger(section, "PressedColour", -1);
  const TColor text = colours_[ceButtonText];
  object.NormalColour2 = ParseColourText(ini.ReadString(section, "NormalColour2", ""), text);
  object.MouseOverColour2 = ParseColourText(ini.ReadString(section, "MouseOverColour2", ""), text);
  object.PressedColour2 = ParseColourText(ini.ReadString(section, "PressedColour2", ""), text);
}

void TSkinData::BuildSkinObjects() {
  std::vector<std::string> sections;
  ini_->ReadSections(&sections);
  skinName_ = ini_->ReadString("TitlebarSkin", "SkinName", "");
  ReadEdges();
  ReadColours();
  ReadCaptionButtons(sections);
  AddMdiButtons();
  ReadPushButtons();
  ReadTitle();
  ReadProgress();
  ReadParts();
  ApplyFixedFrameCounts();
  MakeComboComposite();
  MakeComboxArrow();
  // The frame colour is taken before the toolbar gradient that is tinted with it.
  ComputeFrameColour();
  MakeToolbarImage();
  brushColour_ = FaceColour();
  skinEmpty_ = false;
}

void TSkinData::ReadEdges() {
  for (SkinEdge e : {seLeft, seRight, seTop, seBottom}) {
    const std::string key = kEdgeKeys[e];
    auto edge = std::make_unique<TDataSkinBorder>(key);
    const int first = ReadLength("Personality", key + "TopHeight", 0);
    const int second = ReadLength("Personality", key + "BotHeight", 0);
    if (e == seLeft || e == seRight) {
      edge->TopHeight = first;
      edge->BottomHeight = second;
    } else {
      edge->LeftWidth = first;
      edge->RightWidth = second;
    }
    edge->Frame = ini_->ReadInteger("Personality", key + "Frame", 1);
    edge->Tile = std::min(ini_->ReadInteger("Personality", key + "Stretch", 1), 1);
    edge->Trans = ini_->ReadInteger("Personality", key + "Trans", 1);
    LoadSkinBitmap(edge->Map, ini_->ReadString("Personality", key, ""));
    edges_[e] = std::move(edge);
  }
}

void TSkinData::ReadColours() {
  colours_.fill(0);
  colourGiven_.fill(false);
  for (const ColourRow& row : kColourRows) {
    const std::string text = ini_->ReadString("Colours", row.key, "");
    colourGiven_[row.entry] = !text.empty();
    const TColor fallback = row.fallback == kFromFace ? colours_[ceButtonFace] : row.fallback;
    colours_[row.entry] = ParseColourText(text, fallback);
  }
  colourList_.clear();
  std::vector<std::string> sections;
  ini_->ReadSections(&sections);
  for (const std::string& section : sections) {
    const std::string upper = UpperAscii(section);
    if (!StartsWith(upper, "COLOUR") || upper == "COLOURS") continue;
    colourList_.push_back(
        ParseColourText(ini_->ReadString(section, "color", ""), SystemColour(kColorWindowText)));
  }
  for (int i = 0; i < 10; ++i)
    customColours_[i] =
        ParseColourText(ini_->ReadString("Customcolors", "Color" + std::to_string(i), ""), kWhite);
}

void TSkinData::ReadCaptionButtons(const std::vector<std::string>& sections) {
  captionButtons_.clear();
  bool haveMaxPosition = false;
  int maxX = 0, maxY = 0;
  for (const std::string& section : sections) {
    const std::string upper = UpperAscii(section);
    if (!StartsWith(upper, "BUTTON") || upper == "BUTTONS" || upper == "BUTTON.RADIO" ||
        upper == "BUTTON.CHECKBOX" || upper == "BUTTON")
      continue;
    const int action = ini_->ReadInteger(section, "Action", 0);
    if (action == -1 && ini_->ReadInteger(section, "Visibility", -1) != 0) continue;
    auto button = std::make_unique<TDataSkinSysButton>(upper);
    button->Action = action;
    button->Align = ini_->ReadInteger(section, "Align", 0);
    button->X = ReadPosition(section, "Xcoord");
    button->Y = ReadPosition(section, "Ycoord");
    button->Visibility = ini_->ReadInteger(section, "Visibility", 0);
    button->Visibility1 = ini_->ReadInteger(section, "Visibility1", action == -1 ? -1 : 0);
    button->CombineOp = ini_->ReadInteger(section, "CombineOp", -1);
    button->Frame = ini_->ReadInteger(section, "frame", 0);
    LoadSkinBitmap(button->Map, ini_->ReadString(section, "ButtonImage", ""));
    if (action == 1 && button->Visibility == 2) {
      haveMaxPosition = true;
      maxX = button->X;
      maxY = button->Y;
    } else if (action == 4 && haveMaxPosition) {
      button->X = maxX;
      button->Y = maxY;
    }
    if (button->Frame == 0) {
      button->Frame = 6;
      if (!button->Map.Empty())
        button->Frame =
            static_cast<double>(button->Map.Width()) / button->Map.Height() <= 3.8 ? 3 : 6;
      if (action < 0) button->Frame = 6;
      if (action == 3 || action == 11) button->Map.Clear();
    }
    captionButtons_.push_back(std::move(button));
  }
}

void TSkinData::AddMdiButtons() {
  Bitmap strip;
  LoadSkinBitmap(strip, ini_->ReadString("MDICONTROLS", "Image", ""));
  const int w = strip.Width() / 12;
  for (int i = 0; i < 3; ++i) {
    auto button = std::make_unique<TDataSkinSysButton>("MDICONTROLS");
    button->Action = 7 + i;
    button->Align = button->Visibility = button->Visibility1 = 100;
    button->Frame = 4;
    if (w > 0) {
      button->Map = Crop(strip, {4 * i * w, 0, 4 * (i + 1) * w, strip.Height()});
      button->X = (w + 4) * (3 - i);
    }
    captionButtons_.push_back(std::move(button));
  }
}

void TSkinData::ReadPushButtons() {
  const TQuickIni& ini = *ini_;
  const char* s = "Buttons";
  auto b = std::make_unique<TDataSkinButton>(s);
  ReadMargins(s, *b);
  b->Trans = ini.ReadInteger(s, "Trans", 0);
  LoadSkinBitmap(b->Map, ini.ReadString(s, "Bitmap", ""));
  b->Tile = ini.ReadInteger(s, "Tile", 0);
  if (b->Tile > 1) b->Tile = 0;
  LoadSkinBitmap(b->CheckMap, ini.ReadString(s, "CheckButton", ""));
  LoadSkinBitmap(b->RadioMap, ini.ReadString(s, "RadioButton", ""));
  b->NormalColour = ini.ReadInteger(s, "NormalColour", -1);
  b->MouseOverColour = ini.ReadInteger(s, "MouseOverColour", -1);
  b->PressedColour = ini.ReadInteger(s, "PressedColour", -1);
  b->RadioFrame = ini.ReadInteger(s, "RadioButtonFrame", 0);
  b->CheckFrame = ini.ReadInteger(s, "CheckButtonFrame", 0);
  const std::string normal2 = ini.ReadString(s, "NormalColour2", "");
  const std::string over2 = ini.ReadString(s, "MouseOverColour2", "");
  const std::string pressed2 = ini.ReadString(s, "PressedColour2", "");
  b->HasNormalColour2 = !normal2.empty();
  b->HasMouseOverColour2 = !over2.empty();
  b->HasPressedColour2 = !pressed2.empty();
  const TColor text = colours_[ceButtonText];
  b->NormalColour2 = ParseColourText(normal2, text);
  b->MouseOverColour2 = ParseColourText(over2, text);
  b->PressedColour2 = ParseColourText(pressed2, text);
  button_ = std::move(b);
}

void TSkinData::ReadTitle() {
  const TQuickIni& ini = *ini_;
  const char* s = "Personality";
  auto t = std::make_unique<TDataSkinTitle>("Title");
  LoadSkinBitmap(t->Map, ini.ReadString(s, "TextBack", ""));
  t->TextShift = ini.ReadInteger(s, "TextShift", 0);
  t->TextShiftVert = ini.ReadInteger(s, "TextShiftVert", 0);
  t->TextRightClip = ini.ReadInteger(s, "TextRightClip", 0);
  t->TextAlignment = ini.ReadInteger(s, "TextAlignment", 0);
  t->TextBackground = ini.ReadInteger(s, "Textbackground", 0);
  t->TextBackLeft = ini.ReadInteger(s, "TXTBackleft", 0);
  t->TextBackRight = ini.ReadInteger(s, "TXTBackRight", 0);
  t->FontHeight = ini.ReadInteger("Fonts", "FontHeight", 14);
  auto rgb = [&](const std::string& key, TColor* out) {
    const int r = ini.ReadInteger(s, key + "R", -1);
    const int g = ini.ReadInteger(s, key + "G", -1);
    const int b = ini.ReadInteger(s, key + "B", -1);
    if (r >= 0 && g >= 0 && b >= 0) *out = RgbColour(r, g, b);
  };
  rgb("ActiveText", &t->ActiveTextColour);
  rgb("InActiveText", &t->InactiveTextColour);
  title_ = std::move(t);
}

void TSkinData::ReadProgress() {
  const TQuickIni& ini = *ini_;
  const char* s = "Progress";
  progress_.reset();
  const std::string image = ini.ReadString(s, "Bitmap", "");
  if (image.empty()) return;
  auto p = std::make_unique<TDataSkinBorder>(s);
  LoadSkinBitmap(p->Map, image);
  p->Style = ini.ReadInteger(s, "Style", 0);
  ReadMargins(s, *p);
  p->Trans = ini.ReadInteger(s, "Trans", 0);
  p->Tile = std::min(ini.ReadInteger(s, "Tile", 0), 1);
  progress_ = std::move(p);
}

void TSkinData::ReadParts() {
  const TQuickIni& ini = *ini_;
  for (const PartRow& row : kPartRows) {
    parts_[row.part].reset();
    if (row.part == spMenuBar) {
      const std::string image = ini.ReadString("Personality", "menuBar", "");
      if (image.empty()) continue;
      auto bar = std::make_unique<TDataSkinObject>("MenuBar");
      LoadSkinBitmap(bar->Map, image);
      bar->LeftWidth = ReadLength("Personality", "TileLeftMenu", 1);
      bar->RightWidth = ReadLength("Personality", "TileRightMenu", 1);
      bar->Tile = std::min(ini.ReadInteger("Personality", "TileMenu", 1), 1);
      parts_[row.part] = std::move(bar);
      continue;
    }
    const std::string image = ini.ReadString(row.section, "Image", "");
    if (image.empty()) {
      if (row.part == spTrack || row.part == spTrackVert) {
        auto track = std::make_unique<TDataSkinObject>(row.section);
        track->Map = DefaultTrackBitmap(row.part == spTrackVert);
        track->LeftWidth = track->TopHeight = track->RightWidth = track->BottomHeight = 3;
        track->Frame = 1;
        parts_[row.part] = std::move(track);
      }
      continue;
    }
    std::unique_ptr<TDataSkinObject> object;
    switch (row.kind) {
      case PartKind::kBorder:
        object = std::make_unique<TDataSkinBorder>(row.section);
        break;
      case PartKind::kBoxLabel:
        object = std::make_unique<TDataSkinBoxLabel>(row.section);
        break;
      default:
        object = std::make_unique<TDataSkinObject>(row.section);
    }
    ReadGeneric(row.section, *object, row.readsFrame);
    if (object->Tile > 1) object->Tile = 0;
    if (auto* border = dynamic_cast<TDataSkinBorder*>(object.get()))
      LoadSkinBitmap(border->Map2, ini.ReadString(row.section, row.secondImageKey, ""));
    if (auto* label = dynamic_cast<TDataSkinBoxLabel*>(object.get())) {
      label->BackgroundAlignment = ini.ReadInteger(row.section, "BackgroundAlignment", 0);
      label->BackgroundLeftShift = ini.ReadInteger(row.section, "BackgroundLeftShift", 0);
      label->BackgroundRightShift = ini.ReadInteger(row.section, "BackgroundRightShift", 0);
    }
    if (row.part == spTabPane) {
      object->LeftWidth = std::min(object->LeftWidth, 4);
      object->TopHeight = std::min(object->TopHeight, 4);
      object->RightWidth = std::min(object->RightWidth, 4);
      object->BottomHeight = std::min(object->BottomHeight, 4);
    }
    if (row.part == spComboButton && !object->Map.Empty())
      static_cast<TDataSkinBorder*>(object.get())->Map2 = MirrorHorizontal(object->Map);
    if (row.frames == kFrameFromFrameCount)
      object->Frame = ini.ReadInteger(row.section, "FrameCount", 3);
    parts_[row.part] = std::move(object);
  }
}

void TSkinData::ApplyFixedFrameCounts() {
  button_->Frame = 5;
  title_->Frame = 2;
  if (progress_) progress_->Frame = progress_->Style != 0 ? 1 : 2;
  for (const PartRow& row : kPartRows) {
    TDataSkinObject* object = parts_[row.part].get();
    if (object == nullptr) continue;
    if (row.frames > 0) object->Frame = row.frames;
    if (row.frames == kFrameUnlessGiven && object->Frame <= 0) object->Frame = 5;
  }
  auto fromWidth = [](const Bitmap& map) {
    return std::max(map.Width() / (map.Height() < 16 ? 13 : 16), 4);
  };
  if (button_->RadioFrame == 0) button_->RadioFrame = fromWidth(button_->RadioMap);
  if (button_->CheckFrame == 0) button_->CheckFrame = fromWidth(button_->CheckMap);
}

}  // namespace velotune::skin
