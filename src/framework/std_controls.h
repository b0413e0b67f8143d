// Controls that wrap one system control window each: push buttons, check
// boxes, radio buttons, edits, drop-down lists, the rich edit, up-downs bound
// to an edit, and track bars.
#pragma once

#include <string>
#include <vector>

#include "framework/control.h"

namespace velotune {

class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner);
  const char* ClassName() const override { return "TButton"; }
  bool isDefault = false;
  bool isCancel = false;
  int modalResult = 0;
  void Click() override;

 protected:
  const PropertyDef* FindProperty(const std::string& name) const override;
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;

 private:
  bool OwnTextColour() const;
  void DrawItem(const DRAWITEMSTRUCT& item);
};

// Check boxes and radio buttons.
class TButtonControl : public TWinControl {
 public:
  using TWinControl::TWinControl;
  bool Checked() const;
  virtual void SetChecked(bool checked);
  bool wordWrap = false;
  bool leftText = false;

 protected:
  const PropertyDef* FindProperty(const std::string& name) const override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;
  bool checked_ = false;
  bool grayed_ = false;
  friend struct ButtonControlAccess;
};

class TCheckBox : public TButtonControl {
 public:
  explicit TCheckBox(TComponent* owner);
  const char* ClassName() const override { return "TCheckBox"; }

 protected:
  const PropertyDef* FindProperty(const std::string& name) const override;
  void CreateParams(TCreateParams& params) override;
};

class TRadioButton : public TButtonControl {
 public:
  explicit TRadioButton(TComponent* owner);
  const char* ClassName() const override { return "TRadioButton"; }
  void SetChecked(bool checked) override;

 protected:
  void CreateParams(TCreateParams& params) override;
};

class TEdit : public TWinControl {
 public:
  explicit TEdit(TComponent* owner);
  const char* ClassName() const override { return "TEdit"; }
  std::string Text() const;
  void SetText(const std::string& text) { SetCaption(text); }
  std::string Caption() const override { return Text(); }
  bool HasEvent(const std::string& name) const override;
  int maxLength = 0;
  bool readOnly = false;
  bool numbersOnly = false;

 protected:
  const PropertyDef* FindProperty(const std::string& name) const override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;
};

class TComboBox : public TWinControl {
 public:
  explicit TComboBox(TComponent* owner);
  const char* ClassName() const override { return "TComboBox"; }
  const std::vector<std::string>& Items() const { return items_; }
  void SetItems(const std::vector<std::string>& items);
  int ItemIndex() const;
  void SetItemIndex(int index);
  std::string Text() const;
  bool HasEvent(const std::string& name) const override;
  bool ReadList(const std::string& name, const std::vector<std::string>& items) override;
  bool dropDownList = false;  // csDropDownList
  int dropDownCount = 8;

 protected:
  const PropertyDef* FindProperty(const std::string& name) const override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;

 private:
  std::vector<std::string> items_;
  int itemIndex_ = -1;
};

class TRichEdit : public TWinControl {
 public:
  explicit TRichEdit(TComponent* owner);
  const char* ClassName() const override { return "TRichEdit"; }
  // The whole text, lines joined by CR LF.
  std::string Text() const;
  std::vector<std::string> Lines() const { return lines_; }
  void SetLines(const std::vector<std::string>& lines);
  bool ReadList(const std::string& name, const std::vector<std::string>& items) override;
  bool wordWrap = true;
  bool plainText = false;
  bool readOnly = false;

 protected:
  const PropertyDef* FindProperty(const std::string& name) const override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;

 private:
  std::vector<std::string> lines_;
};

class TUpDown : public TWinControl {
 public:
  explicit TUpDown(TComponent* owner);
  const char* ClassName() const override { return "TUpDown"; }
  int Position() const;
  void SetPosition(int position);
  TWinControl* Associate() const { return associate_; }
  void SetAssociate(TWinControl* edit);
  void Loaded() override;
  bool HasEvent(const std::string& name) const override;
  int min = 0, max = 100, increment = 1;
  bool thousands = true;
  bool wrap = false;
  std::string associateName;

 protected:
  const PropertyDef* FindProperty(const std::string& name) const override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;

 private:
  // Without its window: the position its edit shows, else the last one.
  int PositionFromEdit() const;
  // The position as the window writes it into its edit.
  std::string PositionText() const;
  // Reading the edit moves it, as reading the window's position does.
  mutable int position_ = 0;
  TWinControl* associate_ = nullptr;
};

class TTrackBar : public TWinControl {
 public:
  explicit TTrackBar(TComponent* owner);
  const char* ClassName() const override { return "TTrackBar"; }
  int Position() const;
  void SetPosition(int position);
  bool HasEvent(const std::string& name) const override;
  int min = 0, max = 10, frequency = 1, pageSize = 2, lineSize = 1;
  bool ticksBoth = false, ticksTopLeft = false, noTicks = false, manualTicks = false;
  bool vertical = false;

 protected:
  const PropertyDef* FindProperty(const std::string& name) const override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;

 private:
  int position_ = 0;
};

}  // namespace velotune
