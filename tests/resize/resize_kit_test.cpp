// The component as a form description stores it: its published properties,
// the design values under their own names, and refused values.
#include "resize/resize_kit.h"

#include <gtest/gtest.h>

#include "framework/dfm_parser.h"
#include "framework/form_loader.h"
#include "resize/resize_errors.h"

namespace velotune {
namespace {

class TKitTestFrm : public TComponent {
 public:
  using TComponent::TComponent;
  const char* ClassName() const override { return "TKitTestFrm"; }
};

TResizeKit* LoadKit(TKitTestFrm& form, const std::string& kitBody) {
  const std::string text = "object KitTestFrm: TKitTestFrm\n  object ResizeKit1: TResizeKit\n" +
                           kitBody + "  end\nend\n";
  ComponentClasses classes;
  RegisterResizeKitClass(classes);
  LoadComponentTree(form, ParseFormDescription(text, "test.dfm"), "test.dfm", classes);
  return static_cast<TResizeKit*>(form.FindComponent("ResizeKit1"));
}

TEST(ResizeKitTest, ReadsTheMainWindowsSettings) {
  TKitTestFrm form(nullptr);
  TResizeKit* kit = LoadKit(form,
                            "    FormPos = rpMiddleCenter\n"
                            "    FormWidth = 806\n"
                            "    FormHeight = 688\n"
                            "    FormMaxWidth = 0\n"
                            "    FormMaxHeight = 0\n"
                            "    FormMinWidth = 0\n"
                            "    FormMinHeight = 0\n"
                            "    ResizeFont = True\n"
                            "    NoResizeFntCtl = 'cpr; Title;'\n"
                            "    NoResizeCtl = ''\n"
                            "    Enabled = True\n"
                            "    ValidTaskbar = False\n"
                            "    DesignFrmW = 790\n"
                            "    DesignFrmH = 648\n"
                            "    DesignDpiW = 96\n"
                            "    DesignDpiH = 120\n");
  ASSERT_NE(kit, nullptr);
  EXPECT_EQ(kit->FormPos(), rpMiddleCenter);
  EXPECT_EQ(kit->FormWidth(), 806);
  EXPECT_EQ(kit->FormHeight(), 688);
  EXPECT_FALSE(kit->ValidTaskbar());
  EXPECT_EQ(kit->Settings().formWidth, 806);
  EXPECT_EQ(kit->Settings().designFrmW, 790);
  EXPECT_EQ(kit->Settings().designFrmH, 648);
  EXPECT_EQ(kit->Settings().designDpiW, 96);
  EXPECT_EQ(kit->Settings().designDpiH, 120);
  EXPECT_EQ(kit->Settings().noResizeFnt, (NameList{"cpr", " Title"}));
  EXPECT_EQ(kit->GetPropText("FormPos"), "rpMiddleCenter");
  EXPECT_EQ(kit->GetPropText("FormHeight"), "688");
  EXPECT_EQ(kit->GetPropText("NoResizeFntCtl"), "cpr; Title;");
  EXPECT_TRUE(kit->HasEvent("OnExitResize"));
}

TEST(ResizeKitTest, ANewKitHasThePublishedDefaults) {
  TResizeKit kit(nullptr);
  const std::pair<const char*, const char*> published[] = {
      {"FormPos", "rpDefault"}, {"FormWidth", "0"},     {"FormHeight", "0"},
      {"FormMaxWidth", "0"},    {"FormMaxHeight", "0"}, {"FormMinWidth", "0"},
      {"FormMinHeight", "0"},   {"ResizeFont", "True"}, {"NoResizeFntCtl", ""},
      {"NoResizeCtl", ""},      {"Enabled", "True"},    {"ValidTaskbar", "True"},
  };
  for (const auto& [name, value] : published) EXPECT_EQ(kit.GetPropText(name), value) << name;
  EXPECT_DOUBLE_EQ(kit.XScale(), 1.0);
  EXPECT_DOUBLE_EQ(kit.YScale(), 1.0);
  EXPECT_DOUBLE_EQ(kit.FontScale(), 1.0);
  EXPECT_FALSE(kit.Sized());
  EXPECT_EQ(kit.Layout().autoNameCounter, 0);
  EXPECT_TRUE(kit.Layout().ctrlInfos.empty());
}

TEST(ResizeKitTest, PositionsByOrdinal) {
  const char* const names[] = {"rpDefault",      "rpTopLeft",      "rpTopCenter",   "rpTopRight",
                               "rpMiddleLeft",   "rpMiddleCenter", "rpMiddleRight", "rpBottomLeft",
                               "rpBottomCenter", "rpBottomRight"};
  for (int ordinal = 0; ordinal < 10; ++ordinal) {
    EXPECT_EQ(ResizeFormPosFromName(names[ordinal]), ordinal) << names[ordinal];
    TResizeKit kit(nullptr);
    kit.SetPropText("FormPos", names[ordinal]);
    EXPECT_EQ(static_cast<int>(kit.FormPos()), ordinal) << names[ordinal];
  }
  EXPECT_EQ(ResizeFormPosFromName("rpCenter"), -1);
}

TEST(ResizeKitTest, RefusedValuesRaiseAndKeepTheOldValue) {
  TResizeKit kit(nullptr);
  kit.SetPropText("FormWidth", "806");
  kit.SetPropText("FormMinWidth", "400");
  try {
    kit.SetPropText("FormWidth", "300");
    FAIL() << "no exception";
  } catch (const EInvalidOperation& e) {
    EXPECT_STREQ(e.what(), "Set this value equal to or greater than the FormMinWidth");
  }
  EXPECT_EQ(kit.FormWidth(), 806);
  EXPECT_THROW(kit.SetPropText("FormMaxWidth", "800"), EInvalidOperation);
  EXPECT_EQ(kit.Limits().maxWidth, 0);
  EXPECT_THROW(kit.SetPropText("FormMinHeight", "-1"), EInvalidOperation);
  EXPECT_THROW(kit.SetPropText("FormPos", "rpNowhere"), EPropertyError);
  EXPECT_THROW(kit.SetPropText("FormWidth", "wide"), EPropertyError);
  EXPECT_EQ(kit.FormPos(), rpDefault);
}

TEST(ResizeKitTest, AStoredFormWithContradictingLimitsIsRefusedInStorageOrder) {
  TKitTestFrm form(nullptr);
  EXPECT_THROW(LoadKit(form, "    FormWidth = 806\n    FormMaxWidth = 800\n"), EInvalidOperation);
}

TEST(ResizeKitTest, ExitResizeCallsTheTypedHandlerWithTheScales) {
  TResizeKit kit(nullptr);
  double seen = 0;
  TResizeKit* sender = nullptr;
  kit.SetOnExitResize([&](TResizeKit& k, double x, double y) {
    sender = &k;
    seen = x + y;
  });
  kit.Layout().xScale = 0.5;
  kit.Layout().yScale = 0.25;
  kit.ExitResize();
  EXPECT_EQ(sender, &kit);
  EXPECT_DOUBLE_EQ(seen, 0.75);
}

}  // namespace
}  // namespace velotune
