// The component that holds the program's skin: its published properties, the
// stored skin bytes, and the skin objects built from them.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "skin/data/colour.h"
#include "skin/data/skin_objects.h"
#include "skin/data/skin_parts.h"
#include "skin/data/skin_types.h"

namespace velotune {
class TComponent;
}

namespace velotune::skin {

class TSkinReader;
class TQuickIni;
class TSkinData;

// Request kinds of the skin manager.
enum SkinRequest : int { srSkinOn = 1, srSkinOff = 2, srRefresh = 3, srDropDestroyed = 6 };

// The skin manager as the skin component sees it. The program installs the
// factory that makes the one manager; without it nothing is skinned.
class SkinManagerLink {
 public:
  virtual ~SkinManagerLink() = default;
  virtual void RegisterSkinData(TSkinData& data) = 0;
  virtual void UnregisterSkinData(TSkinData& data) = 0;
  // Makes this component the one the manager applies.
  virtual void PointAt(TSkinData& data) = 0;
  virtual void RequestSkinning(SkinRequest kind, int delayMs) = 0;
  virtual void MarkSkinning() = 0;
  virtual void RaiseSkinningCount() = 0;
  // Hands the owner form's window of a component to the manager.
  virtual void SkinOwnerForm(TSkinData& data) = 0;
  virtual bool Skinning() const = 0;
  // The manager side of loading a main-form component: the caption icon.
  virtual void PrepareMainFormSkin(TSkinData& data) = 0;
};

using SkinManagerFactory = SkinManagerLink* (*)();
void SetSkinManagerFactory(SkinManagerFactory factory);
// The manager, made by the factory on first use; null without a factory.
SkinManagerLink* AcquireSkinManager();
// The manager if it exists, without making one.
SkinManagerLink* ExistingSkinManager();
// Called by the manager when it goes (after the last component left).
void ForgetSkinManager(SkinManagerLink* manager);

// The colour table's entries by index.
// A form or control whose Tag is this is left unskinned.
constexpr int kUnskinnedTag = 99;

// The frame's four edges, in the order the skin object stores them.
enum SkinEdge : int { seLeft = 0, seRight = 1, seTop = 2, seBottom = 3 };

enum ColourEntry : int {
  ceWindowText = 0,
  ceTitleTextActive = 1,
  ceTitleTextNoActive = 2,
  ceButtonFace = 3,
  ceButtonText = 4,
  ceButtonHilight = 5,
  ceButtonlight = 6,
  ceButtonShadow = 7,
  ceButtonDkShadow = 8,
  ceHilightText = 11,
  ceHilight = 12,
  ceMenubar = 13,
  ceMenuBarText = 14,
  ceMenuText = 15,
  ceMenu = 16,
  ceScrollbar = 18,
  kColourEntryCount = 19
};

class TSkinData {
 public:
  static constexpr const char* kVersion = "5.20.05.20";
  // The skin's bitmaps decode to at most PixelBudgetBase pixels plus one per
  // byte of the unpacked skin; past that budget a bitmap loads empty.
  static constexpr int64_t kPixelBudgetBase = 1 << 20;
  int64_t PixelBudgetBase = kPixelBudgetBase;

  TSkinData();
  ~TSkinData();
  TSkinData(const TSkinData&) = delete;
  TSkinData& operator=(const TSkinData&) = delete;

  // Published properties, with their values at construction.
  bool Active = false;
  int DisableTag = kUnskinnedTag;
  EnumSet SkinControls = AllOf(kSkinControlTypeCount) & ~SetOf(xcMenuItem, xcFastReport);
  EnumSet Options = SetOf(xoPreview, xoToolbarBK, xoCaptionButtonHint);
  std::vector<std::string> Skin3rd = DefaultSkin3rd();
  TSkinFormType SkinFormtype = sfMainform;
  bool MenuUpdate = true;
  bool MenuMerge = false;
  std::function<void(const std::string& formName, bool& doSkin)> OnFormSkin;
  std::function<void()> OnSkinChanged;
  // (form or null for a foreign window, window handle as a number, class name)
  using FormEvent =
      std::function<void(TComponent* form, uintptr_t window, const std::string& name)>;
  FormEvent OnBeforeSkinForm;
  FormEvent OnAfterSkinForm;
  // (skinned form, parent, control, upper-case class name, wrapper slot)
  std::function<void(TComponent* sender, TComponent* parent, TComponent* control,
                     const std::string& className, TComponent*& skinned)>
      OnSkinControl;

  // Skinning on or off; no effect while unchanged, in design state or while
  // the form is read. The published value itself is Active.
  void SetActive(bool active);
  // Set while the form description is read.
  bool Reading = false;
  // The component's owner form, for the manager.
  TComponent* OwnerForm = nullptr;

  // "(Good)" while a skin is stored in design state, "(none)" otherwise.
  std::string SkinStore() const;
  std::string Version() const { return kVersion; }
  const std::string& SkinFile() const { return skinFile_; }
  // At run time loads an existing file of that path and re-applies the skin;
  // a missing file changes nothing but the path.
  void SetSkinFile(const std::string& path);

  // Property values by their stored names ("Active", "SkinControls", ...), as
  // a form description writes them; false for an unknown name or bad value.
  bool SetPropertyText(const std::string& name, const std::string& value);
  bool GetPropertyText(const std::string& name, std::string* value) const;

  // The "SkinStream" binary property: a signed 32-bit count n, then n bytes.
  // Reading stores the bytes and, outside design state, loads them. False when
  // the payload is shorter than its count says (nothing is stored then).
  bool ReadSkinStream(const uint8_t* payload, size_t size);
  std::vector<uint8_t> WriteSkinStream() const;

  // Decodes the stored skin and builds the skin objects; true when the
  // container was recognised.
  bool LoadSkinStream();
  // The same over an already unpacked container (the stored skin is kept).
  bool LoadUnpackedSkin(std::vector<uint8_t> container);

  // Called after a skin file has been loaded at run time; the skin manager
  // installs it to re-apply the skin to the forms.
  std::function<void(TSkinData&)> ReapplySkin;

  // After the form has been read (nothing in design state): drops the control
  // kinds the system or the menus rule out and, for the main form, turns
  // skinning off when no skin could be built. Then OnLoaded runs, through
  // which the skin manager registers the component and schedules skinning.
  void Loaded();
  std::function<void(TSkinData&)> OnLoaded;

  // The screen's maximized window size when the component was made.
  int MaximizedWidth() const { return maximizedWidth_; }
  int MaximizedHeight() const { return maximizedHeight_; }

  bool Designing = false;
  bool SkinEmpty() const { return skinEmpty_; }
  const std::vector<uint8_t>& StoredSkin() const { return stored_; }
  void SetStoredSkin(std::vector<uint8_t> bytes) { stored_ = std::move(bytes); }

  // The skin objects, filled by the build.
  const std::string& SkinName() const { return skinName_; }
  // The frame's edges by SkinEdge.
  TDataSkinBorder& Edge(int edge) { return *edges_[edge]; }
  const TDataSkinBorder& Edge(int edge) const { return *edges_[edge]; }
  const TDataSkinTitle& Title() const { return *title_; }
  const TDataSkinButton& Button() const { return *button_; }
  const std::vector<std::unique_ptr<TDataSkinSysButton>>& CaptionButtons() const {
    return captionButtons_;
  }
  const TDataSkinBorder* Progress() const { return progress_.get(); }
  // A generic part, nil while its section is absent.
  const TDataSkinObject* Part(SkinPart part) const { return parts_[part].get(); }
  const TDataSkinBorder* BorderPart(SkinPart part) const;
  const TDataSkinObject* ComboxArrow() const { return comboxArrow_.get(); }
  const TDataSkinObject* Toolbar() const { return toolbar_.get(); }

  TColor Colour(int entry) const { return colours_[entry]; }
  bool ColourGiven(int entry) const { return colourGiven_[entry]; }
  const std::vector<TColor>& ColourList() const { return colourList_; }
  TColor CustomColour(int index) const { return customColours_[index]; }
  TColor FrameColour() const { return frameColour_; }
  TColor FaceColour() const { return colours_[ceButtonFace]; }
  TColor BrushColour() const { return brushColour_; }

 private:
  // The build's steps, in order.
  void BuildSkinObjects();
  void ReadEdges();
  void ReadColours();
  void ReadCaptionButtons(const std::vector<std::string>& sections);
  void AddMdiButtons();
  void ReadPushButtons();
  void ReadTitle();
  void ReadProgress();
  void ReadParts();
  void ApplyFixedFrameCounts();
  void MakeComboComposite();
  void MakeComboxArrow();
  void ComputeFrameColour();
  void MakeToolbarImage();

  void LoadSkinBitmap(Bitmap& bitmap, const std::string& value);
  // Lengths (margins) saturate at 0 and the largest bitmap side, positions at
  // plus or minus that side, so no arithmetic on them can overflow.
  int ReadLength(const std::string& section, const std::string& key, int fallback) const;
  int ReadPosition(const std::string& section, const std::string& key) const;
  void ReadMargins(const std::string& section, TDataSkinObject& object) const;
  void ReadGeneric(const std::string& section, TDataSkinObject& object, bool withFrame);

  std::vector<uint8_t> stored_;
  std::string skinFile_;
  int maximizedWidth_ = 0;
  int maximizedHeight_ = 0;
  bool skinEmpty_ = true;

  // Only while a skin is being built: the decoded bitmaps by lowered name,
  // and how many more pixels the skin's bitmaps may decode to.
  TSkinReader* reader_ = nullptr;
  TQuickIni* ini_ = nullptr;
  std::vector<uint8_t> itemBuffer_;
  std::map<std::string, Bitmap> bitmaps_;
  int64_t pixelBudget_ = 0;

  std::string skinName_;
  std::array<std::unique_ptr<TDataSkinBorder>, 4> edges_;
  std::unique_ptr<TDataSkinTitle> title_;
  std::unique_ptr<TDataSkinButton> button_;
  std::vector<std::unique_ptr<TDataSkinSysButton>> captionButtons_;
  std::unique_ptr<TDataSkinBorder> progress_;
  std::array<std::unique_ptr<TDataSkinObject>, kSkinPartCount> parts_;
  std::unique_ptr<TDataSkinObject> comboxArrow_;
  std::unique_ptr<TDataSkinObject> toolbar_;
  bool headerbarFrameGiven_ = false;

  std::array<TColor, kColourEntryCount> colours_{};
  std::array<bool, kColourEntryCount> colourGiven_{};
  std::vector<TColor> colourList_;
  std::array<TColor, 10> customColours_{};
  TColor frameColour_ = 0;
  TColor brushColour_ = 0;
};

}  // namespace velotune::skin
