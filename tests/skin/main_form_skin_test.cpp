// The real main window, built from the program's own resources: its skin
// holder decodes the packed skin stored in the description and builds the
// skin objects while the form is read.
#include <gtest/gtest.h>

#include "app/tweak_form.h"
#include "framework/form.h"
#include "skin/data/skin_data_component.h"
#include "support/program_in_process.h"

namespace velotune {
namespace {

TEST(MainFormSkin, TheStoredSkinIsDecodedAndBuiltWhenTheWindowIsRead) {
  ProgramInProcess program;

  TTweakFrm window(nullptr);
  auto* holder = dynamic_cast<TSkinDataComponent*>(window.FindComponent("SkinData1"));
  ASSERT_NE(nullptr, holder);
  const skin::TSkinData& data = holder->Data();
  EXPECT_FALSE(data.SkinEmpty());
  EXPECT_EQ("Velotune", data.SkinName());
  EXPECT_TRUE(data.Active);
  EXPECT_EQ(99, data.DisableTag);
  EXPECT_FALSE(skin::InSet(data.SkinControls, skin::xcStatusBar));
  EXPECT_EQ(skin::DefaultSkin3rd(), data.Skin3rd);
  // The stored bytes are kept to be written back unchanged: a count, then the skin.
  std::vector<uint8_t> stream = data.WriteSkinStream();
  ASSERT_GT(stream.size(), 4u);
  EXPECT_EQ(stream.size() - 4, data.StoredSkin().size());
  // Objects of the build: the frame edges, the title and the caption buttons.
  EXPECT_FALSE(data.CaptionButtons().empty());
  EXPECT_NE(nullptr, data.ComboxArrow());
  for (int edge = 0; edge < 4; ++edge) EXPECT_GT(data.Edge(edge).Frame, 0) << edge;
}

}  // namespace
}  // namespace velotune
