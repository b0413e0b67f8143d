#include "skin/data/skin_data_component.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "framework/dfm_parser.h"
#include "skin_files.h"

namespace velotune {
namespace {

class TTestForm : public TComponent {
 public:
  explicit TTestForm(TComponent* owner) : TComponent(owner) {}
  const char* ClassName() const override { return "TTestForm"; }
};

std::string HexBlock(const std::vector<uint8_t>& bytes) {
  std::string text = "{";
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i % 32 == 0) text += "\n      ";
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02X", bytes[i]);
    text += hex;
  }
  return text + "}";
}

std::string Description(const std::string& skinStream) {
  return "object Form1: TTestForm\n"
         "  object SkinData1: TSkinData\n"
         "    Active = True\n"
         "    DisableTag = 99\n"
         "    SkinControls = [xcMainMenu, xcPopupMenu, xcToolbar, xcControlbar, xcCombo, "
         "xcCheckBox, xcRadioButton, xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn, "
         "xcSpeedButton, xcSpin, xcPanel, xcGroupBox, xcTab, xcTrackBar, xcSystemMenu]\n"
         "    Options = [xoPreview, xoToolbarBK, xoCaptionButtonHint]\n"
         "    Skin3rd.Strings = (\n"
         "      'TCategoryButtons=scrollbar'\n"
         "      'TPngSpeedbutton=pngspeedbutton')\n"
         "    SkinFormtype = sfMainform\n"
         "    Version = '5.20.05.20'\n"
         "    MenuUpdate = True\n"
         "    MenuMerge = False\n"
         "    SkinStream = " +
         skinStream +
         "\n"
         "  end\n"
         "end\n";
}

TEST(SkinDataComponent, LoadsTheStoredSkinFromAFormDescription) {
  ComponentClasses classes;
  RegisterSkinClasses(classes);
  const std::vector<uint8_t> stored = skin::testing::ShippedSkinFile();
  std::vector<uint8_t> payload(4);
  const int32_t n = static_cast<int32_t>(stored.size());
  std::memcpy(payload.data(), &n, 4);
  payload.insert(payload.end(), stored.begin(), stored.end());

  TTestForm form(nullptr);
  LoadComponentTree(form, ParseFormDescription(Description(HexBlock(payload)), "main.dfm"),
                    "main.dfm", classes);
  auto* component = dynamic_cast<TSkinDataComponent*>(form.FindComponent("SkinData1"));
  ASSERT_NE(component, nullptr);
  const skin::TSkinData& data = component->Data();
  EXPECT_TRUE(data.Active) << "the skin was built, so skinning stays on";
  EXPECT_FALSE(skin::InSet(data.SkinControls, skin::xcStatusBar));
  EXPECT_TRUE(skin::InSet(data.SkinControls, skin::xcSystemMenu));
  EXPECT_EQ(data.Skin3rd.size(), 2u);
  EXPECT_FALSE(data.SkinEmpty());
  EXPECT_EQ(data.SkinName(), "Velotune");
  EXPECT_EQ(data.WriteSkinStream(), payload);
  EXPECT_EQ(component->GetPropText("Options"), "[xoPreview, xoToolbarBK, xoCaptionButtonHint]");
  EXPECT_EQ(component->GetPropText("SkinStore"), "(none)");
}

TEST(SkinDataComponent, BadValuesAreNamedAndBadSkinBytesAreNot) {
  ComponentClasses classes;
  RegisterSkinClasses(classes);
  TTestForm form(nullptr);
  std::string text = Description("{0A000000 0102}");
  const size_t at = text.find("sfMainform");
  text.replace(at, 10, "sfNowhere");
  EXPECT_THROW(LoadComponentTree(form, ParseFormDescription(text, "main.dfm"), "main.dfm", classes),
               EFormDescriptionError);

  TTestForm second(nullptr);
  LoadComponentTree(second, ParseFormDescription(Description("{0A000000 0102}"), "main.dfm"),
                    "main.dfm", classes);
  auto* component = dynamic_cast<TSkinDataComponent*>(second.FindComponent("SkinData1"));
  ASSERT_NE(component, nullptr);
  EXPECT_TRUE(component->Data().SkinEmpty());
  EXPECT_FALSE(component->Data().Active) << "no skin, so skinning is turned off once loaded";
}

}  // namespace
}  // namespace velotune
