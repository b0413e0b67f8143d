#include "framework/form_loader.h"

#include <gtest/gtest.h>

#include "framework/text_values.h"

namespace velotune {
namespace {

class TBox : public TComponent {
 public:
  using TComponent::TComponent;
  const char* ClassName() const override { return "TBox"; }
  std::string caption;
  int left = 0;
  bool enabled = true;
  std::vector<std::string> lines;
  TComponent* parent = nullptr;
  int designWidth = 0;
  int loadedCalls = 0;

  bool HasEvent(const std::string& name) const override { return name == "OnClick"; }
  bool ReadList(const std::string& name, const std::vector<std::string>& items) override {
    if (name != "Lines.Strings") return false;
    lines = items;
    return true;
  }
  void DefineProperties(TFiler& filer) override {
    filer.DefineProperty("DesignW", [this](const DfmValue& v) {
      if (v.kind != DfmKind::kInteger) throw EPropertyError("DesignW must be an integer");
      designWidth = static_cast<int>(v.integer);
    });
  }
  void SetParentComponent(TComponent* p) override { parent = p; }
  void Loaded() override {
    ++loadedCalls;
    // Stands for a reference that names a missing component.
    if (caption == "missing link") throw Exception("Associate Nope of " + Name() + " not found");
  }

 protected:
  const PropertyDef* FindProperty(const std::string& name) const override {
    static const PropertyDef kTable[] = {
        {"Caption", [](const TComponent& c) { return static_cast<const TBox&>(c).caption; },
         [](TComponent& c, const std::string& v) { static_cast<TBox&>(c).caption = v; }},
        {"Left", [](const TComponent& c) { return IntText(static_cast<const TBox&>(c).left); },
         [](TComponent& c, const std::string& v) {
           static_cast<TBox&>(c).left = IntProp("Left", v);
         }},
        {"Enabled",
         [](const TComponent& c) {
           return std::string(static_cast<const TBox&>(c).enabled ? "True" : "False");
         },
         [](TComponent& c, const std::string& v) {
           static_cast<TBox&>(c).enabled = BoolProp("Enabled", v);
         }},
    };
    if (const PropertyDef* p = Lookup(kTable, name)) return p;
    return TComponent::FindProperty(name);
  }
};

class TTestForm : public TBox {
 public:
  using TBox::TBox;
  const char* ClassName() const override { return "TTestForm"; }
  std::vector<std::string> clicks;
  TEvent FindHandler(const std::string& name) override {
    if (name != "BoxClick") return TEvent();
    return [this](TEventArgs& e) { clicks.push_back(e.Sender->Name()); };
  }
};

ComponentClasses Classes() {
  ComponentClasses classes;
  classes.Add<TBox>();
  return classes;
}

const char kForm[] =
    "object Form1: TTestForm\n"
    "  Caption = 'Main'\n"
    "  object A: TBox\n"
    "    Left = -4\n"
    "    Tag = 7\n"
    "    Enabled = False\n"
    "    OnClick = BoxClick\n"
    "    DesignW = 790\n"
    "    object B: TBox\n"
    "      Lines.Strings = ('x' 'y')\n"
    "    end\n"
    "  end\n"
    "end\n";

TEST(FormLoader, CreatesOwnedNestedComponentsWithProperties) {
  TTestForm form(nullptr);
  LoadComponentTree(form, ParseFormDescription(kForm, "t.dfm"), "t.dfm", Classes());
  EXPECT_EQ(form.Name(), "Form1");
  EXPECT_EQ(form.caption, "Main");
  ASSERT_EQ(form.ComponentCount(), 2);
  auto* a = static_cast<TBox*>(form.FindComponent("A"));
  auto* b = static_cast<TBox*>(form.FindComponent("B"));
  ASSERT_TRUE(a && b);
  EXPECT_EQ(form.Components()[0], a);  // file order
  EXPECT_EQ(a->Owner(), &form);
  EXPECT_EQ(b->Owner(), &form);
  EXPECT_EQ(a->parent, &form);
  EXPECT_EQ(b->parent, a);
  EXPECT_EQ(a->left, -4);
  EXPECT_EQ(a->Tag(), 7);
  EXPECT_FALSE(a->enabled);
  EXPECT_EQ(a->designWidth, 790);
  EXPECT_EQ(b->lines, (std::vector<std::string>{"x", "y"}));
  EXPECT_EQ(a->loadedCalls, 1);
  EXPECT_EQ(form.loadedCalls, 1);
  EXPECT_EQ(a->ComponentState() & csLoading, 0u);

  EXPECT_TRUE(a->Fire("OnClick"));
  EXPECT_FALSE(b->Fire("OnClick"));
  EXPECT_EQ(form.clicks, (std::vector<std::string>{"A"}));

  // Published properties by name as text.
  EXPECT_EQ(a->GetPropText("Enabled"), "False");
  a->SetPropText("Caption", "Hello");
  EXPECT_EQ(a->GetPropText("Caption"), "Hello");
  EXPECT_THROW(a->GetPropText("Checked"), EPropertyError);
  EXPECT_THROW(a->SetPropText("Left", "x"), EPropertyError);
}

struct BadForm {
  const char* text;
  int line;
  const char* fragment;
};

TEST(FormLoader, BadDescriptionsNameFileAndLine) {
  const BadForm cases[] = {
      {"object F: TOther\nend", 1, "Expected class TTestForm"},
      {"object F: TTestForm\n  Colour = 1\nend", 2, "Property Colour does not exist"},
      {"object F: TTestForm\n  object A: TBox\n    OnClick = Nope\n  end\nend", 3,
       "Handler 'Nope' not found"},
      {"object F: TTestForm\n  object A: TBox\n    OnClick = 'BoxClick'\n  end\nend", 3,
       "Invalid property value"},
      {"object F: TTestForm\n  object A: TBox\n    OnDblClick = BoxClick\n  end\nend", 3,
       "OnDblClick does not exist"},
      {"object F: TTestForm\n  object A: TWidget\n  end\nend", 2, "Class TWidget not found"},
      {"object F: TTestForm\n  object A: TBox\n  end\n  object A: TBox\n  end\nend", 4,
       "already exists"},
      {"object F: TTestForm\n  Left = True\nend", 2, "Invalid property value 'True' for Left"},
      {"object F: TTestForm\n  Enabled = 3\nend", 2, "for Enabled"},
      {"object F: TTestForm\n  Caption = ('a')\nend", 2, "Caption does not exist"},
      {"object F: TTestForm\n  Lines.Strings = {00}\nend", 2, "does not exist"},
      {"object F: TTestForm\n  DesignW = 'wide'\nend", 2, "must be an integer"},
      {"object F: TTestForm\n  object A: TBox\n  end\n  object B: TBox\n    Caption = 'missing "
       "link'\n  end\nend",
       4, "Associate Nope of B not found"},
  };
  for (const BadForm& c : cases) {
    SCOPED_TRACE(c.text);
    TTestForm form(nullptr);
    try {
      LoadComponentTree(form, ParseFormDescription(c.text, "f.dfm"), "f.dfm", Classes());
      ADD_FAILURE() << "no error";
    } catch (const EFormDescriptionError& e) {
      EXPECT_EQ(e.Line(), c.line);
      std::string message = e.what();
      EXPECT_NE(message.find("f.dfm, line " + std::to_string(c.line)), std::string::npos);
      EXPECT_NE(message.find(c.fragment), std::string::npos) << message;
    }
  }
}

// Each further copy of a window owned by the first loads under a free name;
// the first copy's name comes free again when it goes.
TEST(FormLoader, AnyNumberOfCopiesLoadUnderOneOwner) {
  TTestForm owner(nullptr);
  LoadComponentTree(owner, ParseFormDescription(kForm, "t.dfm"), "t.dfm", Classes());
  std::vector<TTestForm*> copies;
  for (int i = 0; i < 3; ++i) {
    copies.push_back(new TTestForm(&owner));
    LoadComponentTree(*copies.back(), ParseFormDescription(kForm, "t.dfm"), "t.dfm", Classes());
  }
  EXPECT_EQ(copies[0]->Name(), "Form1");
  EXPECT_EQ(copies[1]->Name(), "Form1_1");
  EXPECT_EQ(copies[2]->Name(), "Form1_2");
  EXPECT_EQ(copies[2]->FindComponent("B")->Owner(), copies[2]);
  delete copies[0];
  auto* again = new TTestForm(&owner);
  LoadComponentTree(*again, ParseFormDescription(kForm, "t.dfm"), "t.dfm", Classes());
  EXPECT_EQ(again->Name(), "Form1");
}

TEST(Component, OwnerFreesAndForgetsComponents) {
  TTestForm form(nullptr);
  auto* a = new TBox(&form);
  a->SetName("A");
  auto* b = new TBox(&form);
  delete a;
  EXPECT_EQ(form.ComponentCount(), 1);
  EXPECT_EQ(form.Components()[0], b);
  EXPECT_EQ(form.FindComponent("A"), nullptr);
  b->SetName("B");
  auto* c = new TBox(&form);
  EXPECT_THROW(c->SetName("B"), EPropertyError);
  c->SetName("A");  // free again
  EXPECT_EQ(form.FindComponent("A"), c);
}

}  // namespace
}  // namespace velotune
