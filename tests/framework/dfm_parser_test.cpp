#include "framework/dfm_parser.h"

#include <gtest/gtest.h>

#include <string>

namespace velotune {
namespace {

const char kSample[] =
    "object TweakFrm: TTweakFrm\n"
    "  Left = 231\n"
    "  BorderIcons = [biSystemMenu, biMinimize]\n"
    "  Caption = 'Velo''tune'\n"
    "  Color = $0000FF00\n"
    "  Font.Height = -11\n"
    "  Font.Style = []\n"
    "  object Save2: TButton\n"
    "    Caption = '&Save'#13#10'Changes' +\n"
    "      ' now'\n"
    "    OnClick = Save2Click\n"
    "  end\n"
    "  object cmbFO: TComboBox\n"
    "    Items.Strings = (\n"
    "      'Windows XP'\n"
    "      'Gespr'#228'ch')\n"
    "  end\n"
    "  object back: TImage\n"
    "    Picture.Data = {\n"
    "      0A54 4A\n"
    "      50}\n"
    "  end\n"
    "  object StatusBar1: TStatusBar\n"
    "    Panels = <\n"
    "      item\n"
    "        Width = 200\n"
    "      end\n"
    "      item\n"
    "        Text = 'x'\n"
    "      end>\n"
    "  end\n"
    "end\n";

TEST(DfmParser, ReadsEveryValueKindWithLines) {
  DfmObject root = ParseFormDescription(kSample, "main.dfm");
  EXPECT_EQ(root.name, "TweakFrm");
  EXPECT_EQ(root.className, "TTweakFrm");
  ASSERT_EQ(root.properties.size(), 6u);
  EXPECT_EQ(root.Find("Left")->value.integer, 231);
  EXPECT_EQ(root.Find("Left")->line, 2);
  const DfmValue& icons = root.Find("BorderIcons")->value;
  EXPECT_EQ(icons.kind, DfmKind::kSet);
  EXPECT_EQ(icons.items, (std::vector<std::string>{"biSystemMenu", "biMinimize"}));
  EXPECT_EQ(root.Find("Caption")->value.text, "Velo'tune");
  EXPECT_EQ(root.Find("Color")->value.integer, 0xFF00);
  EXPECT_EQ(root.Find("Font.Height")->value.integer, -11);
  EXPECT_TRUE(root.Find("Font.Style")->value.items.empty());

  ASSERT_EQ(root.children.size(), 4u);
  const DfmObject& save = root.children[0];
  EXPECT_EQ(save.line, 8);
  EXPECT_EQ(save.Find("Caption")->value.text, "&Save\r\nChanges now");
  EXPECT_EQ(save.Find("OnClick")->value.kind, DfmKind::kIdent);
  EXPECT_EQ(save.Find("OnClick")->value.text, "Save2Click");

  const DfmValue& items = root.children[1].Find("Items.Strings")->value;
  EXPECT_EQ(items.kind, DfmKind::kList);
  EXPECT_EQ(items.items, (std::vector<std::string>{"Windows XP",
                                                   "Gespr\xE4"
                                                   "ch"}));
  EXPECT_EQ(root.children[2].Find("Picture.Data")->value.bytes,
            (std::vector<std::uint8_t>{0x0A, 0x54, 0x4A, 0x50}));

  const DfmValue& panels = root.children[3].Find("Panels")->value;
  ASSERT_EQ(panels.collection.size(), 2u);
  EXPECT_EQ(panels.collection[0][0].name, "Width");
  EXPECT_EQ(panels.collection[0][0].value.integer, 200);
  EXPECT_EQ(panels.collection[1][0].value.text, "x");
  EXPECT_EQ(panels.collection[1][0].line, 29);
}

TEST(DfmParser, EmptyObjectsAndNesting) {
  DfmObject root = ParseFormDescription(
      "object A: TForm\n object B: TPanel\n  object C: TLabel\n  end\n end\nend", "x.dfm");
  ASSERT_EQ(root.children.size(), 1u);
  ASSERT_EQ(root.children[0].children.size(), 1u);
  EXPECT_EQ(root.children[0].children[0].name, "C");
  EXPECT_EQ(root.children[0].children[0].line, 3);
}

struct BadInput {
  const char* text;
  int line;
  const char* fragment;
};

TEST(DfmParser, BadInputNamesFileAndLine) {
  const BadInput cases[] = {
      {"", 1, "Expected 'object'"},
      {"   \n\n", 3, "Expected 'object'"},
      {"thing A: TForm\nend", 1, "Expected 'object' but found 'thing'"},
      {"object A TForm\nend", 1, "':'"},
      {"object A: TForm\n  Left = 1\n", 3, "Missing 'end'"},
      {"object A: TForm\n  Left 1\nend", 2, "'='"},
      {"object A: TForm\n  Left =\n", 3, "Missing value"},
      {"object A: TForm\n  Caption = 'abc\nend", 2, "Unterminated string"},
      {"object A: TForm\n  Caption = #\nend", 2, "Invalid character code"},
      {"object A: TForm\n  Caption = #300\nend", 2, "out of range"},
      {"object A: TForm\n  Caption = 'a' +\nend", 3, "after '+'"},
      {"object A: TForm\n  Left = 99999999999\nend", 2, "out of range"},
      {"object A: TForm\n  Left = 12ab\nend", 2, "Invalid integer"},
      {"object A: TForm\n  Left = -\nend", 2, "Invalid integer"},
      {"object A: TForm\n  Color = $\nend", 2, "Invalid integer"},
      {"object A: TForm\n  S = [a, \nend", 3, "set"},
      {"object A: TForm\n  S = [a b]\nend", 2, "',' or ']'"},
      {"object A: TForm\n  L = ( 'a' 1 )\nend", 2, "in a list"},
      {"object A: TForm\n  D = { 0A 5\n}\nend", 3, "Odd number"},
      {"object A: TForm\n  D = { 0G }\nend", 2, "Invalid character 'G'"},
      {"object A: TForm\n  D = { 0A 0B\n", 3, "Missing '}'"},
      {"object A: TForm\n  P = < item\n Width = 1\n", 4, "Missing 'end'"},
      {"object A: TForm\n  P = < thing end >\nend", 2, "Expected 'item'"},
      {"object A: TForm\n  X = @\nend", 2, "Invalid value"},
      {"object A: TForm\nend\nend", 3, "Text after"},
      {"object A: TForm\n  Font. = 1\nend", 2, "after '.'"},
  };
  for (const BadInput& c : cases) {
    SCOPED_TRACE(c.text);
    try {
      ParseFormDescription(c.text, "bad.dfm");
      ADD_FAILURE() << "no error";
    } catch (const EFormDescriptionError& e) {
      EXPECT_EQ(e.File(), "bad.dfm");
      EXPECT_EQ(e.Line(), c.line);
      std::string message = e.what();
      EXPECT_NE(message.find("bad.dfm, line " + std::to_string(c.line)), std::string::npos)
          << message;
      EXPECT_NE(message.find(c.fragment), std::string::npos) << message;
    }
  }
}

TEST(DfmParser, TruncatedSampleNeverCrashes) {
  std::string text = kSample;
  for (std::size_t cut = 0; cut + 1 < text.size(); ++cut) {
    EXPECT_THROW(ParseFormDescription(text.substr(0, cut), "cut.dfm"), EFormDescriptionError)
        << "cut at " << cut;
  }
}

}  // namespace
}  // namespace velotune
