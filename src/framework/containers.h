// Windowed controls that hold other controls: panels with bevels, group
// boxes, the scroll box, the page control with its tab sheets, and the status
// bar with its panels.
#pragma once

#include <string>
#include <vector>

#include "framework/control.h"

namespace velotune {

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TPanel : public TWinControl {
 public:
  explicit TPanel(TComponent* owner);
  const char* ClassName() const override { return "TPanel"; }
  TBevelCut bevelInner = bvNone;
  TBevelCut bevelOuter = bvRaised;
  int bevelWidth = 1;
  int borderWidth = 0;
  int alignment = 2;  // taLeftJustify, taRightJustify, taCenter

 protected:
  const PropertyDef* FindProperty(const std::string& name) const override;
  void PaintWindow(HDC dc) override;
};

class TGroupBox : public TWinControl {
 public:
  explicit TGroupBox(TComponent* owner);
  const char* ClassName() const override { return "TGroupBox"; }

 protected:
  void PaintWindow(HDC dc) override;
};

class TScrollBox : public TWinControl {
 public:
  explicit TScrollBox(TComponent* owner);
  const char* ClassName() const override { return "TScrollBox"; }
  bool HasEvent(const std::string& name) const override;
  int horzRange = 0, vertRange = 0;
  bool autoScroll = true;
  bool singleBorder = true;
  int HorzPosition() const { return horzPos_; }
  int VertPosition() const { return vertPos_; }
  // Moves the view to the given scroll positions, children with it.
  void ScrollTo(int horz, int vert);

 protected:
  const PropertyDef* FindProperty(const std::string& name) const override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;

 private:
  void UpdateScrollBars();
  void Scroll(int bar, int code);
  int horzPos_ = 0, vertPos_ = 0;
};

class TPageControl;

class TTabSheet : public TWinControl {
 public:
  explicit TTabSheet(TComponent* owner);
  // A page freed while its page control lives takes its tab with it.
  ~TTabSheet() override;
  const char* ClassName() const override { return "TTabSheet"; }
  TPageControl* PageControl() const;
  bool TabVisible() const { return tabVisible_; }
  void SetTabVisible(bool visible);
  int PageIndex() const;
  void SetParentComponent(TComponent* parent) override;
  void SetBounds(int left, int top, int width, int height) override;

 protected:
  const PropertyDef* FindProperty(const std::string& name) const override;
  void TextChanged() override;

 private:
  bool tabVisible_ = true;
  friend class TPageControl;
};

class TPageControl : public TWinControl {
 public:
  explicit TPageControl(TComponent* owner);
  const char* ClassName() const override { return "TPageControl"; }
  const std::vector<TTabSheet*>& Pages() const { return pages_; }
  TTabSheet* ActivePage() const { return active_; }
  void SetActivePage(TTabSheet* page);
  // Sheets whose tabs are shown, in page order.
  std::vector<TTabSheet*> VisibleTabs() const;
  // The sheet with a shown tab whose caption has `c` as accelerator.
  TTabSheet* AcceleratorPage(char c) const;
  // Ctrl+Tab and Ctrl+Shift+Tab: the next (or previous) visible page, round.
  void SelectNextPage(bool forward);
  RECT DisplayRect() const override;
  bool HasEvent(const std::string& name) const override;
  void Loaded() override;
  // While one lives, the tabs wait: shown and hidden tabs are put into the
  // window once, as the last one goes, instead of after each change.
  class TabsUpdate {
   public:
    explicit TabsUpdate(TPageControl& pages);
    ~TabsUpdate();
    TabsUpdate(const TabsUpdate&) = delete;
    TabsUpdate& operator=(const TabsUpdate&) = delete;

   private:
    TPageControl& pages_;
  };
  bool multiLine = false;
  bool hotTrack = false;
  int style = 0;        // tsTabs, tsButtons, tsFlatButtons
  int tabPosition = 0;  // tpTop, tpBottom, tpLeft, tpRight
  std::string activePageName;

 protected:
  const PropertyDef* FindProperty(const std::string& name) const override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;

 private:
  void AddPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void UpdateTabs();
  void LayoutPages();
  std::vector<TTabSheet*> pages_;
  TTabSheet* active_ = nullptr;
  int tabsUpdates_ = 0;
  bool tabsWaiting_ = false;
  friend class TTabSheet;
};

struct TStatusPanel {
  std::string text;
  int width = 50;
  int alignment = 0;  // taLeftJustify, taRightJustify, taCenter
};

class TStatusBar : public TWinControl {
 public:
  explicit TStatusBar(TComponent* owner);
  const char* ClassName() const override { return "TStatusBar"; }
  std::vector<TStatusPanel>& Panels() { return panels_; }
  void SetPanelText(int index, const std::string& text);
  std::string PanelText(int index) const;
  bool ReadCollection(const std::string& name,
                      const std::vector<std::vector<DfmProperty>>& items) override;
  bool simplePanel = false;

 protected:
  const PropertyDef* FindProperty(const std::string& name) const override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void BoundsChanged() override;
  void WndProc(TMessage& message) override;

 private:
  // The panels' widths are the design's, at the form's DPI.
  void UpdatePanels();
  std::vector<TStatusPanel> panels_;
};

}  // namespace velotune
