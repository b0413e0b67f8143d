#include "skin/data/skin_data.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

#include "skin/data/bitmap_ops.h"
#include "skin/data/default_track.h"
#include "skin/data/quick_ini.h"
#include "skin/data/skin_environment.h"
#include "skin/data/skin_reader.h"

namespace velotune::skin {

namespace {

bool ParseBoolean(const std::string& text, bool* value) {
  const std::string lowered = LowerAscii(TrimText(text));
  if (lowered != "true" && lowered != "false") return false;
  *value = lowered == "true";
  return true;
}

std::string BooleanText(bool value) {
  return value ? "True" : "False";
}

bool ReadFile(const std::string& path, std::vector<uint8_t>* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

SkinManagerFactory managerFactory = nullptr;
SkinManagerLink* manager = nullptr;

}  // namespace

void SetSkinManagerFactory(SkinManagerFactory factory) {
  managerFactory = factory;
}

SkinManagerLink* AcquireSkinManager() {
  if (!manager && managerFactory) manager = managerFactory();
  return manager;
}

SkinManagerLink* ExistingSkinManager() {
  return manager;
}

void ForgetSkinManager(SkinManagerLink* gone) {
  if (manager == gone) manager = nullptr;
}

TSkinData::TSkinData() {
  maximizedWidth_ = ActiveSkinEnvironment().maximizedWidth;
  maximizedHeight_ = ActiveSkinEnvironment().maximizedHeight;
}

void TSkinData::Loaded() {
  Reading = false;
  if (Designing) return;
  if (!ActiveSkinEnvironment().flatScrollBars) SkinControls &= ~SetOf(xcScrollbar);
  SkinManagerLink* link = AcquireSkinManager();
  if (link) link->RegisterSkinData(*this);
  if (SkinFormtype != sfMainform) {
    if (link) {
      link->MarkSkinning();
      link->RaiseSkinningCount();
      if (OwnerForm && Active) link->SkinOwnerForm(*this);
    }
  } else {
    if (Active) {
      if (skinEmpty_)
        Active = false;
      else if (link)
        link->RequestSkinning(srSkinOn, 250);
    }
    // The menu bar is drawn whole or the system menu is left alone.
    if (InSet(SkinControls, xcMainMenu))
      SkinControls &= ~SetOf(xcMenuItem);
    else
      SkinControls &= ~SetOf(xcSystemMenu);
    if (link) link->PrepareMainFormSkin(*this);
  }
  if (OnLoaded) OnLoaded(*this);
}

void TSkinData::SetActive(bool active) {
  if (active == Active || Designing || Reading) return;
  SkinManagerLink* link = AcquireSkinManager();
  if (SkinFormtype == sfOnlyThisForm) {
    if (active && skinEmpty_) return;
    Active = active;
    if (link) {
      link->PointAt(*this);
      link->RequestSkinning(active ? srSkinOn : srSkinOff, 250);
    }
    return;
  }
  if (SkinFormtype != sfMainform) {
    Active = active;
    return;
  }
  if (active && skinEmpty_) return;
  Active = active;
  if (!link) return;
  if (active) {
    link->PointAt(*this);
    link->RequestSkinning(srSkinOn, 250);
    link->MarkSkinning();
  } else {
    link->RequestSkinning(srSkinOff, 250);
  }
}

TSkinData::~TSkinData() {
  if (SkinManagerLink* link = ExistingSkinManager()) link->UnregisterSkinData(*this);
}

std::string TSkinData::SkinStore() const {
  return Designing && !stored_.empty() ? "(Good)" : "(none)";
}

void TSkinData::SetSkinFile(const std::string& path) {
  skinFile_ = path;
  if (Designing) return;
  std::vector<uint8_t> bytes;
  // A missing or unreadable file leaves the current skin in place.
  if (!ReadFile(path, &bytes)) return;
  stored_ = std::move(bytes);
  // The doubled pictures belong to the skin the form stores, not this one.
  stored2x_.clear();
  LoadSkinStream();
  if (ReapplySkin) ReapplySkin(*this);
  if (SkinManagerLink* link = ExistingSkinManager()) {
    link->PointAt(*this);
    if (link->Skinning()) link->RequestSkinning(srRefresh, 250);
  }
}

namespace {

// A stored stream's payload: its length (4 bytes) and that many bytes, kept
// in `into`. False when it is cut short; *kept false for an empty one.
bool ReadStoredStream(const uint8_t* payload, size_t size, std::vector<uint8_t>& into, bool* kept) {
  *kept = false;
  if (payload == nullptr || size < 4) return false;
  int32_t n;
  std::memcpy(&n, payload, 4);
  if (n <= 0) return true;
  if (static_cast<uint64_t>(n) > size - 4) return false;
  into.assign(payload + 4, payload + 4 + n);
  *kept = true;
  return true;
}

}  // namespace

bool TSkinData::ReadSkinStream(const uint8_t* payload, size_t size) {
  bool kept = false;
  if (!ReadStoredStream(payload, size, stored_, &kept)) return false;
  if (kept && !Designing) LoadSkinStream();
  return true;
}

bool TSkinData::ReadHiDpiStream(const uint8_t* payload, size_t size) {
  bool kept = false;
  if (!ReadStoredStream(payload, size, stored2x_, &kept)) return false;
  if (!kept) return true;
  hiDpi_.reset();
  hiDpiTried_ = false;
  scaledArt_.clear();
  return true;
}

bool TSkinData::LoadHiDpiArt() const {
  if (hiDpiTried_) return hiDpi_ != nullptr;
  hiDpiTried_ = true;
  if (stored2x_.empty() || skinEmpty_) return false;
  // The build's scratch state is only the cache's business here.
  TSkinData& self = const_cast<TSkinData&>(*this);
  TSkinReader reader;
  TQuickIni ini;
  auto art = std::make_unique<SkinArt>();
  try {
    if (!reader.LoadContainer(stored2x_)) return false;
    reader.FindItem(".ini", self.itemBuffer_);
    ini.LoadFromStream(&self.itemBuffer_);
    self.itemBuffer_ = std::vector<uint8_t>();
    self.reader_ = &reader;
    self.ini_ = &ini;
    self.pixelBudget_ = PixelBudgetBase + static_cast<int64_t>(reader.ContainerSize());
    self.BuildArt(*art);
  } catch (const std::exception&) {
    art.reset();
  }
  self.reader_ = nullptr;
  self.ini_ = nullptr;
  self.bitmaps_.clear();
  if (!art) return false;
  // The INI's measures are those of the 96-DPI pictures; these pictures are
  // twice their size. The default track groove is drawn for 96 and grows
  // with them.
  art->dpi = 96;
  hiDpi_ = ScaleArt(*art, 2 * 96, false);
  for (SkinPart track : {spTrack, spTrackVert}) {
    auto& part = hiDpi_->parts[track];
    if (part && part->Map == DefaultTrackBitmap(track == spTrackVert))
      part->Map = ResampleCells(part->Map, 1, 1, 2 * part->Map.Width(), 2 * part->Map.Height());
  }
  return true;
}

const SkinArt& TSkinData::ArtFor(int dpi) const {
  if (dpi <= 0) dpi = 96;
  const SkinArt* source = &base_;
  if (dpi >= 144 && LoadHiDpiArt()) source = hiDpi_.get();
  if (dpi == source->dpi) return *source;
  std::unique_ptr<SkinArt>& made = scaledArt_[dpi];
  if (!made) made = ScaleArt(*source, dpi);
  return *made;
}

std::vector<uint8_t> TSkinData::WriteSkinStream() const {
  const int32_t n = static_cast<int32_t>(stored_.size());
  std::vector<uint8_t> out(4 + stored_.size());
  std::memcpy(out.data(), &n, 4);
  std::copy(stored_.begin(), stored_.end(), out.begin() + 4);
  return out;
}

bool TSkinData::LoadSkinStream() {
  skinEmpty_ = true;
  if (Designing) return false;
  std::vector<uint8_t> container;
  // A skin that cannot be read or built leaves the form unskinned; it never
  // stops the form from loading.
  try {
    if (!TSkinReader::UnpackStream(stored_, container)) return false;
  } catch (const std::exception&) {
    return false;
  }
  return LoadUnpackedSkin(std::move(container));
}

bool TSkinData::LoadUnpackedSkin(std::vector<uint8_t> container) {
  skinEmpty_ = true;
  // Sets made from the pictures of the skin before are gone with it.
  scaledArt_.clear();
  hiDpi_.reset();
  hiDpiTried_ = false;
  if (Designing) return false;
  TSkinReader reader;
  TQuickIni ini;
  bool recognised = false;
  try {
    recognised = reader.ReadContainer(std::move(container));
    if (recognised) {
      reader.FindItem(".ini", itemBuffer_);
      ini.LoadFromStream(&itemBuffer_);
      itemBuffer_ = std::vector<uint8_t>();
      reader_ = &reader;
      ini_ = &ini;
      pixelBudget_ = PixelBudgetBase + static_cast<int64_t>(reader.ContainerSize());
      BuildSkinObjects();
    }
  } catch (const std::exception&) {
    skinEmpty_ = true;
    recognised = false;
  }
  reader_ = nullptr;
  ini_ = nullptr;
  bitmaps_.clear();
  itemBuffer_ = std::vector<uint8_t>();
  return recognised;
}

bool TSkinData::SetPropertyText(const std::string& name, const std::string& value) {
  const std::string key = LowerAscii(name);
  if (key == "active") return ParseBoolean(value, &Active);
  if (key == "menuupdate") return ParseBoolean(value, &MenuUpdate);
  if (key == "menumerge") return ParseBoolean(value, &MenuMerge);
  if (key == "disabletag") return ParseInteger(TrimText(value), &DisableTag);
  if (key == "skincontrols")
    return ParseSet(kSkinControlTypeNames, kSkinControlTypeCount, value, &SkinControls);
  if (key == "options") return ParseSet(kSkinOptionNames, kSkinOptionCount, value, &Options);
  if (key == "skinformtype") {
    const int ordinal = EnumOrdinal(kSkinFormTypeNames, kSkinFormTypeCount, TrimText(value));
    if (ordinal < 0) return false;
    SkinFormtype = static_cast<TSkinFormType>(ordinal);
    return true;
  }
  if (key == "skinfile") {
    SetSkinFile(value);
    return true;
  }
  // Status and version properties accept and ignore a stored value.
  return key == "version" || key == "skinstore";
}

bool TSkinData::GetPropertyText(const std::string& name, std::string* value) const {
  const std::string key = LowerAscii(name);
  if (key == "active")
    *value = BooleanText(Active);
  else if (key == "menuupdate")
    *value = BooleanText(MenuUpdate);
  else if (key == "menumerge")
    *value = BooleanText(MenuMerge);
  else if (key == "disabletag")
    *value = std::to_string(DisableTag);
  else if (key == "skincontrols")
    *value = FormatSet(kSkinControlTypeNames, kSkinControlTypeCount, SkinControls);
  else if (key == "options")
    *value = FormatSet(kSkinOptionNames, kSkinOptionCount, Options);
  else if (key == "skinformtype")
    *value = kSkinFormTypeNames[SkinFormtype];
  else if (key == "skinfile")
    *value = skinFile_;
  else if (key == "version")
    *value = Version();
  else if (key == "skinstore")
    *value = SkinStore();
  else
    return false;
  return true;
}

}  // namespace velotune::skin
