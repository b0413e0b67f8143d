// Menus read from descriptions without windows: the item tree with its
// properties and events, shortcuts and command ids.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/dfm_parser.h"
#include "framework/form_loader.h"
#include "framework/menus.h"

namespace velotune {
namespace {

class TMenuRoot : public TComponent {
 public:
  using TComponent::TComponent;
  const char* ClassName() const override { return "TMenuRoot"; }
  std::vector<std::string> clicks;
  TEvent FindHandler(const std::string& name) override {
    if (name != "ItemClick") return TEvent();
    return [this](TEventArgs& e) { clicks.push_back(e.Sender->Name()); };
  }
};

ComponentClasses MenuClasses() {
  ComponentClasses classes;
  classes.Add<TMainMenu>();
  classes.Add<TPopupMenu>();
  classes.Add<TMenuItem>();
  classes.Add<TImageList>();
  return classes;
}

template <typename T>
T* Get(TComponent& root, const std::string& name) {
  T* found = dynamic_cast<T*>(root.FindComponent(name));
  if (!found) throw Exception("no component " + name);
  return found;
}

void Load(TMenuRoot& root, const std::string& text) {
  LoadComponentTree(root, ParseFormDescription(text, "m.dfm"), "m.dfm", MenuClasses());
}

// The image list comes after the menu that names it.
const char kMenus[] =
    "object Root: TMenuRoot\n"
    "  object Bar: TMainMenu\n"
    "    Images = Icons\n"
    "    BiDiMode = bdRightToLeft\n"
    "    object File: TMenuItem\n"
    "      Caption = '&File'\n"
    "      OnClick = ItemClick\n"
    "      object Save: TMenuItem\n"
    "        Caption = '&Save'\n"
    "        ShortCut = 16467\n"
    "        ImageIndex = 2\n"
    "        Default = True\n"
    "        Tag = 5\n"
    "        OnClick = ItemClick\n"
    "      end\n"
    "      object Line: TMenuItem\n"
    "        Caption = '-'\n"
    "      end\n"
    "      object Quit: TMenuItem\n"
    "        Caption = 'E&xit'\n"
    "        ShortCut = 'ALT+F4'\n"
    "        OnClick = ItemClick\n"
    "      end\n"
    "      object Secret: TMenuItem\n"
    "        Caption = 'Secret'\n"
    "        ShortCut = 16472\n"
    "        Visible = False\n"
    "        OnClick = ItemClick\n"
    "      end\n"
    "    end\n"
    "    object Tools: TMenuItem\n"
    "      Caption = '&Tools'\n"
    "      Enabled = False\n"
    "      object Wrap: TMenuItem\n"
    "        Caption = '&Wrap'\n"
    "        Checked = True\n"
    "        ShortCut = 16471\n"
    "        OnClick = ItemClick\n"
    "      end\n"
    "    end\n"
    "  end\n"
    "  object Context: TPopupMenu\n"
    "    AutoPopup = False\n"
    "    OwnerDraw = True\n"
    "    object Copy: TMenuItem\n"
    "      Caption = '&Copy'\n"
    "      OnClick = ItemClick\n"
    "      OnMeasureItem = ItemClick\n"
    "      OnDrawItem = ItemClick\n"
    "    end\n"
    "  end\n"
    "  object Icons: TImageList\n"
    "    Width = 20\n"
    "  end\n"
    "end\n";

TEST(Menus, ADescriptionBuildsTheItemTreeWithPropertiesAndEvents) {
  TMenuRoot root(nullptr);
  Load(root, kMenus);
  auto* bar = Get<TMainMenu>(root, "Bar");
  auto* context = Get<TPopupMenu>(root, "Context");
  auto item = [&](const char* name) { return Get<TMenuItem>(root, name); };

  ASSERT_EQ(bar->Items()->Count(), 2);
  EXPECT_EQ(bar->Items()->Items(0), item("File"));
  EXPECT_EQ(item("File")->IndexOf(item("Quit")), 2);
  EXPECT_EQ(item("Wrap")->Menu(), bar);
  EXPECT_EQ(item("Copy")->Menu(), context);
  EXPECT_EQ(item("Wrap")->Owner(), &root);
  EXPECT_EQ(item("Save")->ShortCutText(), "Ctrl+S");
  EXPECT_EQ(item("Quit")->GetPropText("ShortCut"), "32883");  // Alt+F4
  EXPECT_TRUE(item("Line")->IsLine());
  EXPECT_TRUE(item("Save")->Default());
  EXPECT_EQ(item("Save")->ImageIndex(), 2);
  EXPECT_EQ(item("Save")->Tag(), 5);
  EXPECT_FALSE(item("Secret")->Visible());
  EXPECT_FALSE(item("Tools")->Enabled());
  EXPECT_TRUE(item("Wrap")->Checked());
  EXPECT_EQ(bar->Images(), Get<TImageList>(root, "Icons"));
  EXPECT_TRUE(bar->IsRightToLeft());
  EXPECT_TRUE(context->OwnerDraw());
  EXPECT_FALSE(context->AutoPopup());

  // A disabled item does not click; the owner-draw events are bound.
  item("Save")->Click();
  item("Tools")->Click();
  EXPECT_TRUE(item("Copy")->Fire("OnDrawItem"));
  EXPECT_EQ(root.clicks, (std::vector<std::string>{"Save", "Copy"}));

  // A shortcut runs only an item that is visible and enabled with every item
  // above it.
  EXPECT_EQ(bar->FindItem(item("Wrap")->Command(), fkCommand), item("Wrap"));
  EXPECT_EQ(bar->FindItem(item("Copy")->Command(), fkCommand), nullptr);
  root.clicks.clear();
  EXPECT_TRUE(bar->IsShortCut(MakeShortCut(0x73, kAltKey)));
  EXPECT_FALSE(bar->IsShortCut(MakeShortCut('X', kCtrlKey)));  // hidden
  EXPECT_FALSE(bar->IsShortCut(MakeShortCut('W', kCtrlKey)));  // under a disabled item
  EXPECT_EQ(root.clicks, std::vector<std::string>{"Quit"});

  // The list freed, the menu forgets it.
  delete Get<TImageList>(root, "Icons");
  EXPECT_EQ(bar->Images(), nullptr);
}

TEST(Menus, BadMenuDescriptionsNameTheLine) {
  const struct {
    const char* text;
    int line;
    const char* fragment;
  } cases[] = {
      {"object R: TMenuRoot\n  object A: TMenuItem\n  end\nend", 2, "not inside a menu"},
      {"object R: TMenuRoot\n  object M: TPopupMenu\n    Images = Nope\n  end\nend", 2,
       "Component Nope not found"},
      {"object R: TMenuRoot\n  object M: TPopupMenu\n    object A: TMenuItem\n"
       "      ShortCut = 'Hyper+S'\n    end\n  end\nend",
       4, "Invalid property value 'Hyper+S' for ShortCut"},
      {"object R: TMenuRoot\n  object M: TMainMenu\n    BiDiMode = bdUpsideDown\n  end\nend", 3,
       "for BiDiMode"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    TMenuRoot root(nullptr);
    try {
      Load(root, c.text);
      ADD_FAILURE() << "no error";
    } catch (const EFormDescriptionError& e) {
      EXPECT_EQ(e.Line(), c.line);
      EXPECT_NE(std::string(e.what()).find(c.fragment), std::string::npos) << e.what();
    }
  }
}

TEST(Menus, ShortCutsAndTheirTexts) {
  const struct {
    TShortCut shortCut;
    const char* text;
  } cases[] = {
      {scCtrl | 'S', "Ctrl+S"},
      {scAlt | 0x73, "Alt+F4"},
      {scShift | scCtrl | 0x2E, "Shift+Ctrl+Del"},
      {0x70, "F1"},
      {0x87, "F24"},
      {scCtrl | '0', "Ctrl+0"},
      {scShift | 0x0D, "Shift+Enter"},
      {scAlt | 0x08, "Alt+BkSp"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ShortCutToText(c.shortCut), c.text);
    EXPECT_EQ(TextToShortCut(c.text), c.shortCut) << c.text;
  }
  // Case and modifier order do not matter when reading.
  EXPECT_EQ(TextToShortCut("ALT+F4"), scAlt | 0x73);
  EXPECT_EQ(TextToShortCut("ctrl+shift+s"), MakeShortCut('S', kCtrlKey | kShiftKey));
  for (const char* bad : {"", "Ctrl+", "Ctrl+Ctrl+S", "Hyper+S", "F25", "SS", "Ctrl+S+"})
    EXPECT_EQ(TextToShortCut(bad), scNone) << bad;
  EXPECT_EQ(ShortCutToText(scCtrl | 0xE5), "");  // a key without a name
}

TEST(Menus, ItemsHaveProgramWideCommandsAndKeepATree) {
  TMenuRoot root(nullptr);
  TPopupMenu menu(&root);
  auto* a = new TMenuItem(&root);
  auto* b = new TMenuItem(&root);
  auto* c = new TMenuItem(&root);
  EXPECT_NE(a->Command(), b->Command());
  for (TMenuItem* item : {a, b, c}) {
    EXPECT_GE(item->Command(), kFirstMenuCommand);
    EXPECT_LT(item->Command(), kMenuCommandLimit);
  }
  // A freed item's command is not handed to the next item made.
  unsigned freed = c->Command();
  delete c;
  EXPECT_EQ(TMenuItem::FromCommand(freed), nullptr);
  auto* d = new TMenuItem(&root);
  EXPECT_NE(d->Command(), freed);

  menu.Items()->Add(a);
  menu.Items()->Insert(0, b);
  a->Add(d);
  EXPECT_EQ(menu.Items()->Items(0), b);
  EXPECT_THROW(d->Add(a), Exception);  // an item cannot hold an item above it
  b->Add(d);                           // moves
  EXPECT_EQ(a->Count(), 0);
  EXPECT_EQ(d->Parent(), b);
  delete b;  // its sub-item stays, outside any menu
  EXPECT_EQ(d->Parent(), nullptr);
  EXPECT_EQ(d->Menu(), nullptr);
  EXPECT_EQ(menu.Items()->Count(), 1);
}

}  // namespace
}  // namespace velotune
