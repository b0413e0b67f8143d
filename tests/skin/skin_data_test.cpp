#include "skin/data/skin_data.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>

#include "skin/data/skin_environment.h"
#include "skin_files.h"

namespace velotune::skin {
namespace {

using testing::Bytes;

Bytes Payload(const Bytes& stored) {
  Bytes out(4);
  const int32_t n = static_cast<int32_t>(stored.size());
  std::memcpy(out.data(), &n, 4);
  out.insert(out.end(), stored.begin(), stored.end());
  return out;
}

TEST(SkinData, ConstructedWithThePublishedDefaults) {
  TSkinData data;
  EXPECT_FALSE(data.Active);
  EXPECT_EQ(data.DisableTag, 99);
  EXPECT_FALSE(InSet(data.SkinControls, xcMenuItem));
  EXPECT_FALSE(InSet(data.SkinControls, xcFastReport));
  EXPECT_TRUE(InSet(data.SkinControls, xcStatusBar));
  EXPECT_EQ(__builtin_popcount(data.SkinControls), 20);
  EXPECT_EQ(data.Options, SetOf(xoPreview, xoToolbarBK, xoCaptionButtonHint));
  EXPECT_EQ(data.SkinFormtype, sfMainform);
  EXPECT_EQ(data.Version(), "5.20.05.20");
  EXPECT_TRUE(data.MenuUpdate);
  EXPECT_FALSE(data.MenuMerge);
  EXPECT_EQ(data.SkinFile(), "");
  EXPECT_EQ(data.SkinStore(), "(none)");
  EXPECT_TRUE(data.SkinEmpty());
  ASSERT_EQ(data.Skin3rd.size(), 118u);
  EXPECT_EQ(data.Skin3rd.front(), "TCategoryButtons=scrollbar");
  EXPECT_EQ(data.Skin3rd.back(), "TcxGroupbox=groupbox");
  // Kinds keep their stored spelling.
  EXPECT_NE(std::find(data.Skin3rd.begin(), data.Skin3rd.end(), "TTBDock=Panel"),
            data.Skin3rd.end());
  EXPECT_EQ(std::count(data.Skin3rd.begin(), data.Skin3rd.end(), "TWWDBCombobox=Combobox"), 2);
}

TEST(SkinData, EnumerationOrdinals) {
  EXPECT_EQ(xoFormScrollbar, 11);
  EXPECT_EQ(xcStatusBar, 17);
  EXPECT_EQ(xcFastReport, 21);
  EXPECT_EQ(sfDLL, 3);
  EXPECT_STREQ(kSkinControlTypeNames[xcTrackBar], "xcTrackBar");
  EXPECT_STREQ(kSkinOptionNames[xoCaptionButtonHint], "xoCaptionButtonHint");
}

TEST(SkinData, PropertiesAsTheMainFormStoresThem) {
  TSkinData data;
  const std::vector<std::pair<std::string, std::string>> stored = {
      {"Active", "True"},
      {"DisableTag", "99"},
      {"SkinControls",
       "[xcMainMenu, xcPopupMenu, xcToolbar, xcControlbar, xcCombo, xcCheckBox, xcRadioButton, "
       "xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, xcSpin, xcPanel, "
       "xcGroupBox, xcTab, xcTrackBar, xcSystemMenu]"},
      {"Options", "[xoPreview, xoToolbarBK, xoCaptionButtonHint]"},
      {"SkinFormtype", "sfMainform"},
      {"Version", "5.20.05.20"},
      {"MenuUpdate", "True"},
      {"MenuMerge", "False"},
  };
  for (const auto& [name, value] : stored) {
    EXPECT_TRUE(data.SetPropertyText(name, value)) << name;
    std::string back;
    ASSERT_TRUE(data.GetPropertyText(name, &back)) << name;
    EXPECT_EQ(back, value) << name;
  }
  EXPECT_TRUE(data.Active);
  EXPECT_FALSE(InSet(data.SkinControls, xcStatusBar));
  EXPECT_FALSE(data.SetPropertyText("Options", "[xoNothing]"));
  EXPECT_FALSE(data.SetPropertyText("Active", "maybe"));
  EXPECT_FALSE(data.SetPropertyText("NoSuchProperty", "1"));
  EXPECT_TRUE(data.SetPropertyText("Version", "1.0"));
  EXPECT_EQ(data.Version(), "5.20.05.20");
}

TEST(SkinData, SkinStreamIsKeptByteForByte) {
  const Bytes stored = testing::ShippedSkinFile();
  ASSERT_FALSE(stored.empty());
  const Bytes payload = Payload(stored);
  TSkinData data;
  ASSERT_TRUE(data.ReadSkinStream(payload.data(), payload.size()));
  EXPECT_EQ(data.StoredSkin(), stored);
  EXPECT_EQ(data.WriteSkinStream(), payload);
  EXPECT_FALSE(data.SkinEmpty());
}

TEST(SkinData, SkinStreamCountsThatStoreNothing) {
  const Bytes stored = testing::ShippedSkinFile();
  for (int32_t n : {0, -1, -40000}) {
    Bytes payload(4);
    std::memcpy(payload.data(), &n, 4);
    payload.insert(payload.end(), stored.begin(), stored.end());
    TSkinData data;
    EXPECT_TRUE(data.ReadSkinStream(payload.data(), payload.size())) << n;
    EXPECT_TRUE(data.StoredSkin().empty()) << n;
    EXPECT_TRUE(data.SkinEmpty()) << n;
    EXPECT_EQ(data.WriteSkinStream(), Bytes(4, 0)) << n;
  }
  // A count larger than the bytes that follow is refused.
  Bytes lying = Payload(Bytes(10, 1));
  lying.pop_back();
  TSkinData data;
  EXPECT_FALSE(data.ReadSkinStream(lying.data(), lying.size()));
  EXPECT_TRUE(data.StoredSkin().empty());
  EXPECT_FALSE(data.ReadSkinStream(lying.data(), 3));
}

TEST(SkinData, SkinFileLoadsAnExistingFileOnly) {
  const std::string path = ::testing::TempDir() + "velotune_test.skin";
  {
    const Bytes stored = testing::ShippedSkinFile();
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(stored.data()),
              static_cast<std::streamsize>(stored.size()));
  }
  TSkinData data;
  int reapplied = 0;
  data.ReapplySkin = [&](TSkinData&) { ++reapplied; };
  data.SetSkinFile(path + ".missing");
  EXPECT_TRUE(data.SkinEmpty());
  EXPECT_EQ(reapplied, 0);
  data.SetSkinFile(path);
  EXPECT_FALSE(data.SkinEmpty());
  EXPECT_EQ(data.SkinName(), "Velotune");
  EXPECT_EQ(reapplied, 1);
  // A missing file later leaves the loaded skin in place.
  data.SetSkinFile(path + ".missing");
  EXPECT_FALSE(data.SkinEmpty());
  EXPECT_EQ(data.SkinFile(), path + ".missing");
  std::remove(path.c_str());
}

TEST(SkinData, DesignStateStoresWithoutLoading) {
  const Bytes payload = Payload(testing::ShippedSkinFile());
  TSkinData data;
  data.Designing = true;
  ASSERT_TRUE(data.ReadSkinStream(payload.data(), payload.size()));
  EXPECT_TRUE(data.SkinEmpty());
  EXPECT_EQ(data.SkinStore(), "(Good)");
  EXPECT_FALSE(data.LoadSkinStream());
}

TEST(SkinData, LoadedDropsWhatTheSystemAndMenusRuleOut) {
  struct Case {
    const char* name;
    TSkinFormType type;
    bool loadSkin;
    EnumSet controls;
    bool flatScrollBars;
    bool active;
    EnumSet expectedControls;
  };
  const EnumSet all = AllOf(kSkinControlTypeCount);
  const Case cases[] = {
      {"main form, no skin", sfMainform, false, all, true, false, all & ~SetOf(xcMenuItem)},
      {"main form, skin", sfMainform, true, all, true, true, all & ~SetOf(xcMenuItem)},
      {"no menu bar skinning", sfMainform, true, all & ~SetOf(xcMainMenu), true, true,
       all & ~SetOf(xcMainMenu, xcSystemMenu)},
      {"no flat scroll bars", sfMainform, true, all, false, true,
       all & ~SetOf(xcMenuItem, xcScrollbar)},
      {"dialog", sfDialog, false, all, true, true, all},
  };
  for (const Case& c : cases) {
    ActiveSkinEnvironment().flatScrollBars = c.flatScrollBars;
    TSkinData data;
    data.Active = true;
    data.SkinFormtype = c.type;
    data.SkinControls = c.controls;
    if (c.loadSkin) {
      data.SetStoredSkin(testing::ShippedSkinFile());
      ASSERT_TRUE(data.LoadSkinStream()) << c.name;
    }
    int notified = 0;
    data.OnLoaded = [&](TSkinData&) { ++notified; };
    data.Loaded();
    EXPECT_EQ(data.Active, c.active) << c.name;
    EXPECT_EQ(data.SkinControls, c.expectedControls) << c.name;
    EXPECT_EQ(notified, 1) << c.name;
  }
  ActiveSkinEnvironment().flatScrollBars = true;
}

TEST(SkinData, UnrecognisedStreamLeavesTheSkinEmpty) {
  ActiveSkinEnvironment().showMessage = [](const std::string&) {};
  TSkinData data;
  data.SetStoredSkin(Bytes{1, 2, 3, 4, 5, 6, 7});
  EXPECT_FALSE(data.LoadSkinStream());
  EXPECT_TRUE(data.SkinEmpty());
  ActiveSkinEnvironment().showMessage = nullptr;
}

}  // namespace
}  // namespace velotune::skin
