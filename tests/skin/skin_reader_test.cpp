#include "skin/data/skin_reader.h"

#include <gtest/gtest.h>

#include <cstring>

#include "lzh_encoder.h"
#include "skin/data/skin_environment.h"
#include "skin_files.h"

namespace velotune::skin {
namespace {

using testing::Bytes;
using testing::TextBytes;

void PutU32(Bytes& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// The extra block each format code carries between the header and the name list.
struct FormatExtra {
  uint32_t format;
  size_t extra;
};
constexpr FormatExtra kFormatExtras[] = {
    {20000, 0}, {30000, 256}, {40000, 80}, {50000, 48}, {60000, 117}, {70000, 69},
};

size_t ExtraBlockFor(uint32_t format) {
  for (const FormatExtra& row : kFormatExtras)
    if (row.format == format) return row.extra;
  return 0;
}

// A container written field by field, so tests can make it lie.
struct RawContainer {
  uint32_t format = 70000;
  std::string names;
  int32_t nameLength = -2;  // -2: the true length
  std::vector<int32_t> sizes;
  Bytes data;

  Bytes Build() const {
    Bytes out;
    PutU32(out, format);
    PutU32(out, static_cast<uint32_t>(nameLength == -2 ? static_cast<int32_t>(names.size())
                                                       : nameLength));
    PutU32(out, 0);
    PutU32(out, 0);
    out.insert(out.end(), ExtraBlockFor(format), 0xEE);
    out.insert(out.end(), names.begin(), names.end());
    for (int32_t s : sizes) PutU32(out, static_cast<uint32_t>(s));
    out.insert(out.end(), data.begin(), data.end());
    return out;
  }
  Bytes Packed() const { return skinpack::PackSkinFile(Build()); }
};

class MessageCatcher {
 public:
  MessageCatcher() {
    ActiveSkinEnvironment().showMessage = [this](const std::string& m) { messages.push_back(m); };
  }
  ~MessageCatcher() { ActiveSkinEnvironment().showMessage = nullptr; }
  std::vector<std::string> messages;
};

TEST(SkinReader, ReadsItemsOfEveryFormat) {
  for (const FormatExtra& row : kFormatExtras) {
    const uint32_t format = row.format;
    RawContainer raw;
    raw.format = format;
    raw.names = "Buttons.bmp\r\nSkin.INI\r\n";
    raw.sizes = {3, 4};
    raw.data = TextBytes("abc[x]\n");
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadContainer(raw.Packed())) << format;
    EXPECT_EQ(reader.FormatCode(), format);
    EXPECT_EQ(reader.Names(), (std::vector<std::string>{"buttons.bmp", "skin.ini"}));
    Bytes item;
    reader.GetItem("BUTTONS.bmp", item);
    EXPECT_EQ(item, TextBytes("abc"));
    EXPECT_EQ(reader.FindItem(".ini", item), "skin.ini");
    EXPECT_EQ(item, TextBytes("[x]\n"));
  }
}

TEST(SkinReader, NameListLineBreaks) {
  const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\r\nb", {"a", "b"}},
      {"a\nb\rc", {"a", "b", "c"}},
      {"a\r\n\r\nb\r\n", {"a", "", "b"}},
      {"", {}},
  };
  for (const auto& [list, names] : cases) {
    RawContainer raw;
    raw.names = list;
    raw.sizes.assign(names.size(), 0);
    TSkinReader reader;
    ASSERT_TRUE(reader.LoadContainer(raw.Packed())) << list;
    EXPECT_EQ(reader.Names(), names) << list;
  }
}

TEST(SkinReader, LookupsTakeTheFirstMatchAndClearTheTarget) {
  RawContainer raw;
  raw.names = "one.ini\r\ntwo.ini\r\nx.bmp\r\nX.BMP\r\n";
  raw.sizes = {1, 1, 1, 1};
  raw.data = TextBytes("1234");
  TSkinReader reader;
  ASSERT_TRUE(reader.LoadContainer(raw.Packed()));
  Bytes item = TextBytes("stale");
  EXPECT_EQ(reader.FindItem(".ini", item), "one.ini");
  EXPECT_EQ(item, TextBytes("1"));
  reader.GetItem("x.bmp", item);
  EXPECT_EQ(item, TextBytes("3"));
  reader.GetItem("missing.bmp", item);
  EXPECT_TRUE(item.empty());
  EXPECT_EQ(reader.FindItem(".jpg", item), "");
  EXPECT_TRUE(item.empty());
}

TEST(SkinReader, UnknownFormatShowsTheMessage) {
  MessageCatcher catcher;
  RawContainer raw;
  raw.format = 10000;
  TSkinReader reader;
  EXPECT_FALSE(reader.LoadContainer(raw.Packed()));
  ASSERT_EQ(catcher.messages.size(), 1u);
  EXPECT_EQ(catcher.messages[0], "This is Older Skin File\rPlease update to new version !");
}

// Damaged data never reads outside the buffers; what cannot be read is refused.
TEST(SkinReader, RefusesDamagedContainers) {
  MessageCatcher catcher;
  auto withSize = [](int32_t size, Bytes stream) {
    Bytes out;
    PutU32(out, static_cast<uint32_t>(size));
    out.insert(out.end(), stream.begin(), stream.end());
    return out;
  };
  RawContainer nameTooLong;
  nameTooLong.names = "a.bmp\r\n";
  nameTooLong.nameLength = 5000;
  RawContainer nameNegative;
  nameNegative.names = "a.bmp\r\n";
  nameNegative.nameLength = -1;
  RawContainer sizesMissing;
  sizesMissing.names = "a\r\nb\r\nc\r\n";
  sizesMissing.sizes = {1};
  const std::vector<std::pair<const char*, Bytes>> cases = {
      {"empty", {}},
      {"three bytes", {1, 2, 3}},
      {"negative unpacked size", withSize(-5, skinpack::LzhEncode(TextBytes("abc")))},
      {"size beyond any stream", withSize(1 << 30, skinpack::LzhEncode(TextBytes("abc")))},
      {"header cut short", skinpack::PackSkinFile(Bytes(10, 0))},
      {"name list past the end", nameTooLong.Packed()},
      {"negative name list", nameNegative.Packed()},
      {"more names than sizes", sizesMissing.Packed()},
  };
  for (const auto& [name, stored] : cases) {
    TSkinReader reader;
    EXPECT_FALSE(reader.LoadContainer(stored)) << name;
  }
  EXPECT_TRUE(catcher.messages.empty());
}

TEST(SkinReader, ClampsItemsThatLieAboutTheirSize) {
  RawContainer raw;
  raw.names = "neg.bmp\r\nok.bmp\r\nlong.bmp\r\nafter.bmp\r\n";
  raw.sizes = {-100, 2, 1000, 5};
  raw.data = TextBytes("abcdef");
  TSkinReader reader;
  ASSERT_TRUE(reader.LoadContainer(raw.Packed()));
  Bytes item;
  reader.GetItem("neg.bmp", item);
  EXPECT_TRUE(item.empty());
  reader.GetItem("ok.bmp", item);
  EXPECT_EQ(item, TextBytes("ab"));
  reader.GetItem("long.bmp", item);
  EXPECT_EQ(item, TextBytes("cdef"));
  reader.GetItem("after.bmp", item);
  EXPECT_TRUE(item.empty());
}

TEST(SkinReader, AcceptsMoreItemsThanTheOldTableHeld) {
  RawContainer raw;
  for (int i = 0; i < 1500; ++i) raw.names += "item" + std::to_string(i) + ".bmp\r\n";
  raw.sizes.assign(1500, 1);
  raw.data.assign(1500, 0);
  raw.data[1499] = 42;
  TSkinReader reader;
  ASSERT_TRUE(reader.LoadContainer(raw.Packed()));
  EXPECT_EQ(reader.ItemCount(), 1500);
  Bytes item;
  reader.GetItem("item1499.bmp", item);
  EXPECT_EQ(item, Bytes{42});
}

TEST(SkinReader, ShippedSkinHasAllItems) {
  const Bytes stored = testing::ShippedSkinFile();
  TSkinReader reader;
  ASSERT_TRUE(reader.LoadContainer(stored));
  EXPECT_EQ(reader.FormatCode(), 70000u);
  EXPECT_EQ(reader.ItemCount(), 35);
  int64_t sum = 0;
  for (int32_t s : reader.Sizes()) sum += s;
  EXPECT_EQ(sum, static_cast<int64_t>(reader.ItemDataSize()));
  int bitmaps = 0, inis = 0;
  for (const std::string& name : reader.Names()) {
    bitmaps += name.size() > 4 && name.compare(name.size() - 4, 4, ".bmp") == 0;
    inis += name.size() > 4 && name.compare(name.size() - 4, 4, ".ini") == 0;
  }
  EXPECT_EQ(bitmaps, 34);
  EXPECT_EQ(inis, 1);
  int32_t unpacked;
  std::memcpy(&unpacked, stored.data(), 4);
  Bytes container;
  ASSERT_TRUE(TSkinReader::UnpackStream(stored, container));
  EXPECT_EQ(container.size(), static_cast<size_t>(unpacked));
}

}  // namespace
}  // namespace velotune::skin
