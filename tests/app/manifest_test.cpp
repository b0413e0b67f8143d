// The program's manifest asks for the version 6 common controls on x86 and
// for no particular execution level.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string ReadManifest() {
  std::ifstream in(VELOTUNE_MANIFEST);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(Manifest, AsksForCommonControlsSixWithoutExecutionLevel) {
  std::string manifest = ReadManifest();
  ASSERT_FALSE(manifest.empty());
  std::size_t dependency = manifest.find("name=\"Microsoft.Windows.Common-Controls\"");
  ASSERT_NE(dependency, std::string::npos);
  std::size_t end = manifest.find("/>", dependency);
  std::string identity = manifest.substr(dependency, end - dependency);
  EXPECT_NE(identity.find("version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(identity.find("processorArchitecture=\"x86\""), std::string::npos);
  EXPECT_NE(identity.find("publicKeyToken=\"6595b64144ccf1df\""), std::string::npos);
  EXPECT_EQ(manifest.find("requestedExecutionLevel"), std::string::npos);
  EXPECT_EQ(manifest.find("trustInfo"), std::string::npos);
}

}  // namespace
