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
