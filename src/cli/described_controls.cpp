#include "cli/described_controls.h"

#include <map>

#include "framework/dfm_parser.h"
#include "framework/text_values.h"
#include "platform/errors.h"
#include "platform/registry_names.h"

namespace velotune {

namespace {

// The tab sheets of the page control, by the names the command line uses.
const std::map<std::string, std::string>& PageOfSheet() {
  static const std::map<std::string, std::string> kPages = {
      {"TabSheet2", "page1"}, {"TabSheet1", "page2"}, {"TabSheet3", "page3"}, {"shtFix", "fix"}};
  return kPages;
}

bool KindOf(const std::string& className, DescribedControls::Kind* kind) {
  using Kind = DescribedControls::Kind;
  static const std::map<std::string, Kind> kKinds = {
      {"TCheckBox", Kind::kCheckBox}, {"TRadioButton", Kind::kRadioButton},
      {"TEdit", Kind::kEdit},         {"TComboBox", Kind::kComboBox},
      {"TUpDown", Kind::kUpDown},     {"TTrackBar", Kind::kTrackBar},
      {"TRichEdit", Kind::kRichEdit}};
  auto it = kKinds.find(className);
  if (it == kKinds.end()) return false;
  *kind = it->second;
  return true;
}

std::string Prop(const DfmObject& object, const std::string& name) {
  const DfmProperty* p = object.Find(name);
  std::string text;
  if (p == nullptr || !DfmValueText(p->value, &text)) return "";
  return text;
}

int IntProp(const DfmObject& object, const std::string& name, int fallback) {
  const DfmProperty* p = object.Find(name);
  return p != nullptr && p->value.kind == DfmKind::kInteger ? static_cast<int>(p->value.integer)
                                                            : fallback;
}

std::vector<std::string> ListProp(const DfmObject& object, const std::string& name) {
  const DfmProperty* p = object.Find(name);
  return p != nullptr && p->value.kind == DfmKind::kList ? p->value.items
                                                         : std::vector<std::string>{};
}

// A control without a caption of its own is named by the label (or check
// box) just before it: "Rows" for the Alt+Tab up-down, "Fix Folder Options"
// for its drop-down list.
std::string CaptionBeside(const DfmObject& parent, const DfmObject& control) {
  std::string caption;
  for (const DfmObject& sibling : parent.children) {
    if (&sibling == &control) break;
    if (sibling.className == "TLabel" || sibling.className == "TCheckBox")
      caption = Prop(sibling, "Caption");
    else if (sibling.className != "TEdit")
      caption.clear();
  }
  return caption;
}

bool ParseInt(const std::string& text, int* value) {
  if (text.empty() || text.size() > 10) return false;
  std::size_t i = text[0] == '-' ? 1 : 0;
  if (i == text.size()) return false;
  long long v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    v = v * 10 + (text[i] - '0');
  }
  // Past the integer range a number would wrap round to another one.
  if (v > (text[0] == '-' ? 2147483648LL : 2147483647LL)) return false;
  *value = static_cast<int>(text[0] == '-' ? -v : v);
  return true;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
  return text;
}

}  // namespace

std::string ShownCaption(const std::string& stored) {
  std::string shown;
  for (std::size_t i = 0; i < stored.size(); ++i) {
    if (stored[i] != '&') {
      shown += stored[i];
    } else if (i + 1 < stored.size() && stored[i + 1] == '&') {
      shown += '&';
      ++i;
    }
  }
  return shown;
}

DescribedControls::DescribedControls(const std::string& descriptionText) {
  const DfmObject form = ParseFormDescription(descriptionText, "main.dfm");
  Collect(form, "", nullptr);
}

void DescribedControls::Collect(const DfmObject& object, const std::string& page,
                                const DfmObject* parent) {
  std::string here = page;
  auto sheet = PageOfSheet().find(object.name);
  if (object.className == "TTabSheet" && sheet != PageOfSheet().end()) here = sheet->second;
  Kind kind;
  if (parent != nullptr && KindOf(object.className, &kind)) {
    Control c;
    c.name = object.name;
    c.kind = kind;
    c.page = here;
    c.parent = parent->name;
    // The description's texts are in the ANSI code page; the command line
    // carries text as UTF-8. A rich edit's lines stay as they are: they are
    // written out as an ANSI registry script.
    c.caption = AnsiToUtf8(ShownCaption(object.Find("Caption") ? Prop(object, "Caption")
                                                               : CaptionBeside(*parent, object)));
    c.visible = Prop(object, "Visible") != "False";
    c.enabled = Prop(object, "Enabled") != "False";
    c.readOnly = Prop(object, "ReadOnly") == "True";
    c.checked = Prop(object, "Checked") == "True";
    c.text = kind == Kind::kRichEdit ? JoinLines(ListProp(object, "Lines.Strings"))
                                     : AnsiToUtf8(Prop(object, "Text"));
    for (const std::string& item : ListProp(object, "Items.Strings"))
      c.items.push_back(AnsiToUtf8(item));
    c.itemIndex = IntProp(object, "ItemIndex", -1);
    const bool upDown = kind == Kind::kUpDown;
    c.min = IntProp(object, "Min", 0);
    c.max = IntProp(object, "Max", upDown ? 100 : 10);
    c.increment = upDown ? IntProp(object, "Increment", 1) : 1;
    c.position = IntProp(object, "Position", 0);
    c.associate = Prop(object, "Associate");
    controls_.push_back(c);
  }
  for (const DfmObject& child : object.children) Collect(child, here, &object);
}

const std::vector<std::string>& DescribedControls::PageNames() {
  static const std::vector<std::string> kNames = {"page1", "page2", "page3", "fix"};
  return kNames;
}

std::vector<const DescribedControls::Control*> DescribedControls::OnPage(
    const std::string& page) const {
  std::vector<const Control*> controls;
  for (const Control& c : controls_) {
    // A read-only edit only shows the position of its up-down.
    if (c.page == page && c.visible && !(c.kind == Kind::kEdit && c.readOnly))
      controls.push_back(&c);
  }
  return controls;
}

const DescribedControls::Control* DescribedControls::Find(const std::string& name) const {
  for (const Control& c : controls_)
    if (c.name == name) return &c;
  return nullptr;
}

const DescribedControls::Control& DescribedControls::Get(const std::string& name) const {
  const Control* c = Find(name);
  if (c == nullptr) throw Exception("Control " + name + " not found");
  return *c;
}

DescribedControls::Control& DescribedControls::Get(const std::string& name) {
  return const_cast<Control&>(static_cast<const DescribedControls&>(*this).Get(name));
}

bool DescribedControls::Checked(const std::string& name) const {
  const Control& c = Get(name);
  if (c.kind != Kind::kCheckBox && c.kind != Kind::kRadioButton)
    throw Exception("Control " + name + " has no checked state");
  return c.checked;
}

void DescribedControls::SetChecked(const std::string& name, bool checked) {
  Control& c = Get(name);
  if (c.kind != Kind::kCheckBox && c.kind != Kind::kRadioButton)
    throw Exception("Control " + name + " has no checked state");
  // Selecting a radio button clears the others of its group.
  if (checked && c.kind == Kind::kRadioButton)
    for (Control& other : controls_)
      if (other.kind == Kind::kRadioButton && other.parent == c.parent) other.checked = false;
  c.checked = checked;
}

std::string DescribedControls::Text(const std::string& name) const {
  const Control& c = Get(name);
  if (c.kind == Kind::kComboBox)
    return c.itemIndex >= 0 && c.itemIndex < static_cast<int>(c.items.size()) ? c.items[c.itemIndex]
                                                                              : c.text;
  if (c.kind != Kind::kEdit && c.kind != Kind::kRichEdit)
    throw Exception("Control " + name + " has no text");
  return c.text;
}

int DescribedControls::Position(const std::string& name) const {
  const Control& c = Get(name);
  if (c.kind != Kind::kUpDown && c.kind != Kind::kTrackBar)
    throw Exception("Control " + name + " has no position");
  return c.position;
}

int DescribedControls::ItemIndex(const std::string& name) const {
  const Control& c = Get(name);
  if (c.kind != Kind::kComboBox) throw Exception("Control " + name + " has no item index");
  return c.itemIndex;
}

bool DescribedControls::Enabled(const std::string& name) const {
  return Get(name).enabled;
}

bool DescribedControls::Set(const std::string& name, const std::string& value, std::string* error) {
  const Control* found = Find(name);
  if (found == nullptr || found->page.empty()) {
    *error = "There is no control " + name + " on the pages (velotune-cli list shows them)";
    return false;
  }
  Control& c = Get(name);
  if (!c.visible) {
    *error = name + " is hidden in the window and cannot be set";
    return false;
  }
  if (!c.enabled) {
    *error = name + " cannot be changed in the window, so it cannot be set";
    return false;
  }
  int number = 0;
  switch (c.kind) {
    case Kind::kCheckBox:
      if (value != "0" && value != "1") {
        *error = name + " is a check box: give 0 or 1";
        return false;
      }
      c.checked = value == "1";
      return true;
    case Kind::kRadioButton:
      if (value != "1") {
        *error = name + " is a radio button: give 1 to select it";
        return false;
      }
      SetChecked(name, true);
      return true;
    case Kind::kEdit:
      if (c.readOnly) {
        *error = name + " only shows a position; set its up-down instead";
        return false;
      }
      if (value.find_first_of("\r\n") != std::string::npos) {
        *error = name + " holds one line of text";
        return false;
      }
      c.text = value;
      return true;
    case Kind::kComboBox:
      if (!ParseInt(value, &number) || number < 0 || number >= static_cast<int>(c.items.size())) {
        *error = name + " is a drop-down list: give an item index from 0 to " +
                 std::to_string(static_cast<int>(c.items.size()) - 1);
        return false;
      }
      c.itemIndex = number;
      return true;
    case Kind::kUpDown:
      if (!ParseInt(value, &number) || number < c.min || number > c.max ||
          (number != c.max && (number - c.min) % c.increment != 0)) {
        *error = name + " is an up-down: give a position from " + std::to_string(c.min) + " to " +
                 std::to_string(c.max) + " in steps of " + std::to_string(c.increment);
        return false;
      }
      c.position = number;
      // The edit beside it shows the position, and some saves read the edit.
      if (!c.associate.empty() && Find(c.associate)) Get(c.associate).text = std::to_string(number);
      return true;
    case Kind::kTrackBar:
      if (!ParseInt(value, &number) || number < c.min || number > c.max) {
        *error = name + " is a track bar: give a position from " + std::to_string(c.min) + " to " +
                 std::to_string(c.max);
        return false;
      }
      c.position = number;
      return true;
    case Kind::kRichEdit:
      break;
  }
  *error = name + " cannot be set";
  return false;
}

}  // namespace velotune
