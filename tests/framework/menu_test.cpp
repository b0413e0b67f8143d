// Menus read from descriptions without windows: the item tree with its
// properties and events, shortcuts, command ids, and the image list of the
// shared menu test form.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
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
  EXPECT_EQ(item("File")->Count(), 4);
  EXPECT_EQ(item("Quit")->Parent(), item("File"));
  EXPECT_EQ(item("File")->IndexOf(item("Quit")), 2);
  EXPECT_EQ(item("Wrap")->Menu(), bar);
  EXPECT_EQ(item("Copy")->Menu(), context);
  // Every item is owned by the root, like any component of a form.
  EXPECT_EQ(item("Wrap")->Owner(), &root);

  EXPECT_EQ(item("Save")->ShortCutText(), "Ctrl+S");
  EXPECT_EQ(item("Quit")->ShortCutText(), "Alt+F4");
  EXPECT_EQ(item("Quit")->GetPropText("ShortCut"), "32883");
  EXPECT_TRUE(item("Line")->IsLine());
  EXPECT_TRUE(item("Save")->Default());
  EXPECT_EQ(item("Save")->ImageIndex(), 2);
  EXPECT_EQ(item("Save")->Tag(), 5);
  EXPECT_EQ(item("Quit")->ImageIndex(), -1);
  EXPECT_FALSE(item("Secret")->Visible());
  EXPECT_FALSE(item("Tools")->Enabled());
  EXPECT_TRUE(item("Wrap")->Checked());
  EXPECT_EQ(bar->Images(), Get<TImageList>(root, "Icons"));
  EXPECT_EQ(bar->GetPropText("Images"), "Icons");
  EXPECT_TRUE(bar->IsRightToLeft());
  EXPECT_FALSE(context->IsRightToLeft());
  EXPECT_TRUE(context->OwnerDraw());
  EXPECT_FALSE(context->AutoPopup());
  EXPECT_EQ(Get<TImageList>(root, "Icons")->Width(), 20);
  EXPECT_EQ(Get<TImageList>(root, "Icons")->Height(), 16);

  // Events: a disabled item does not click; the owner-draw events are bound.
  item("Save")->Click();
  item("Tools")->Click();
  EXPECT_TRUE(item("Copy")->Fire("OnMeasureItem"));
  EXPECT_TRUE(item("Copy")->Fire("OnDrawItem"));
  EXPECT_EQ(root.clicks, (std::vector<std::string>{"Save", "Copy", "Copy"}));

  // Lookups by command and shortcut; a shortcut runs only an item that is
  // visible and enabled with every item above it.
  EXPECT_EQ(bar->FindItem(item("Wrap")->Command(), fkCommand), item("Wrap"));
  EXPECT_EQ(bar->FindItem(item("Copy")->Command(), fkCommand), nullptr);
  EXPECT_EQ(TMenuItem::FromCommand(item("Copy")->Command()), item("Copy"));
  EXPECT_EQ(bar->FindItem(MakeShortCut('S', kCtrlKey), fkShortCut), item("Save"));
  root.clicks.clear();
  EXPECT_TRUE(bar->IsShortCut(MakeShortCut(0x73, kAltKey)));
  EXPECT_FALSE(bar->IsShortCut(MakeShortCut('X', kCtrlKey)));  // hidden
  EXPECT_FALSE(bar->IsShortCut(MakeShortCut('W', kCtrlKey)));  // under a disabled item
  EXPECT_FALSE(bar->IsShortCut(MakeShortCut('Q', kCtrlKey)));  // none
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
      {"object R: TMenuRoot\n  object L: TImageList\n    Width = 0\n  end\nend", 3, "for Width"},
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
  EXPECT_EQ(TextToShortCut("ctrl+shift+s"), scCtrl | scShift | 'S');
  for (const char* bad : {"", "Ctrl+", "Ctrl+Ctrl+S", "Hyper+S", "F25", "SS", "Ctrl+S+"})
    EXPECT_EQ(TextToShortCut(bad), scNone) << bad;
  // A key without a name has no text.
  EXPECT_EQ(ShortCutToText(scCtrl | 0xE5), "");
  EXPECT_EQ(ShortCutToText(scNone), "");
  EXPECT_EQ(MakeShortCut('N', kCtrlKey | kShiftKey), scCtrl | scShift | 'N');
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
  b->Add(d);  // moves
  EXPECT_EQ(a->Count(), 0);
  EXPECT_EQ(d->Parent(), b);
  delete b;  // its sub-item stays, outside any menu
  EXPECT_EQ(d->Parent(), nullptr);
  EXPECT_EQ(d->Menu(), nullptr);
  EXPECT_EQ(menu.Items()->Count(), 1);
}

// The glyphs of the shared menu test form: three 16x16 images, magenta
// around them.
TEST(Menus, TheTestFormGlyphsDecodeIntoThreeImages) {
  std::ifstream in(VELOTUNE_MENU_TEST_FORM, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  DfmObject form = ParseFormDescription(text.str(), "menu_test.dfm");
  const DfmObject* glyphs = nullptr;
  for (const DfmObject& child : form.children)
    if (child.name == "Glyphs") glyphs = &child;
  ASSERT_NE(glyphs, nullptr);
  TMenuRoot root(nullptr);
  TImageList list(&root);
  for (const DfmProperty& p : glyphs->properties) ApplyProperty(root, list, p, "menu_test.dfm");
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.PixelAt(0, 0, 0), kTransparentPixel);
  EXPECT_EQ(list.PixelAt(0, 3, 1), 0x000000u);  // page border
  EXPECT_EQ(list.PixelAt(0, 6, 5), 0xDC1E1Eu);  // red band
  EXPECT_EQ(list.PixelAt(1, 7, 7), 0x1E3CDCu);  // blue diamond
  EXPECT_EQ(list.PixelAt(2, 4, 2), 0x1EA03Cu);  // green
  EXPECT_EQ(list.PixelAt(2, 15, 15), kTransparentPixel);
}

}  // namespace
}  // namespace velotune
