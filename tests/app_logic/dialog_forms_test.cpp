// The About and Donate dialogs' descriptions against their documented
// layout, texts, stored positions and handlers.
#include <gtest/gtest.h>

#include <string>

#include "app/logic/donate_rules.h"
#include "app/logic/maker_info.h"
#include "form_files.h"
#include "framework/picture.h"

namespace velotune {
namespace {

struct Layout {
  const char* name;
  const char* className;
  const char* parent;
  int left, top, width, height;
};

void ExpectLayout(const FormFile& form, const Layout& l) {
  const DfmObject* object = form.Find(l.name);
  ASSERT_NE(object, nullptr) << l.name;
  EXPECT_EQ(object->className, l.className) << l.name;
  EXPECT_EQ(form.ParentOf(l.name), l.parent) << l.name;
  EXPECT_EQ(PropInt(*object, "Left", -1), l.left) << l.name;
  EXPECT_EQ(PropInt(*object, "Top", -1), l.top) << l.name;
  EXPECT_EQ(PropInt(*object, "Width", -1), l.width) << l.name;
  EXPECT_EQ(PropInt(*object, "Height", -1), l.height) << l.name;
}

const DfmObject& Get(const FormFile& form, const std::string& name) {
  const DfmObject* object = form.Find(name);
  if (object == nullptr) throw std::runtime_error("no component " + name);
  return *object;
}

TEST(DonateForm, LayoutTextsAndStoredRestingPlaces) {
  FormFile form("donate.dfm");
  EXPECT_EQ(form.Root().name, "frmDonate");
  EXPECT_EQ(form.Root().className, "TfrmDonate");
  EXPECT_EQ(PropInt(form.Root(), "ClientWidth", 0), 422);
  EXPECT_EQ(PropInt(form.Root(), "ClientHeight", 0), 246);
  EXPECT_EQ(PropText(form.Root(), "Color"), "clWhite");
  EXPECT_EQ(PropText(form.Root(), "BorderIcons"), "[biSystemMenu]");
  const Layout layout[] = {
      {"Label11", "TLabel", "frmDonate", 16, 16, 393, 33},
      {"Label1", "TLabel", "frmDonate", 16, 56, 393, 57},
      {"Label2", "TLabel", "frmDonate", 16, 128, 36, 13},
      {"Bevel1", "TBevel", "frmDonate", 16, 152, 393, 2},
      {"Image4", "TImage", "frmDonate", 16, 168, 80, 31},
      {"Button2", "TButton", "frmDonate", 120, 168, 89, 25},
      {"Button1", "TButton", "frmDonate", 216, 168, 89, 25},
      {"FB28", "TImage", "frmDonate", 344, 163, 55, 23},
      {"Image2", "TImage", "frmDonate", 344, 192, 57, 18},
      {"Image3", "TImage", "frmDonate", 344, 216, 57, 20},
      {"chkShow", "TCheckBox", "frmDonate", 16, 224, 305, 17},
  };
  for (const Layout& l : layout) ExpectLayout(form, l);

  // Filled with the title the dialog's texts read as documented.
  struct Text {
    const char* name;
    const char* filled;
  };
  const Text texts[] = {
      {"frmDonate", "Support \"Velotune\""},
      {"Label11", "\"Velotune\" is Freeware. You may use it for FREE as long as you like."},
      {"Label1",
       "However, if you think this Software is useful && valuable and you want to support "
       "\"Orvana Corporation\" through monetary donation, you can encourage to do so. Your "
       "donation will help the development going and make \"Velotune\" and other Zolex "
       "Software better."},
      {"chkShow", "Show this dialog when \"Velotune\" starts"},
  };
  for (const Text& t : texts)
    EXPECT_EQ(FillTitle(PropText(Get(form, t.name), "Caption"), kDonateProductTitle), t.filled)
        << t.name;
  EXPECT_EQ(PropText(Get(form, "Label2"), "Caption"), "Thanks");
  EXPECT_EQ(PropText(Get(form, "Label11"), "Font.Color"), "clGreen");
  EXPECT_EQ(PropText(Get(form, "Label11"), "Font.Style"), "[fsBold]");
  EXPECT_TRUE(IsChecked(Get(form, "chkShow")));
  EXPECT_EQ(PropInt(Get(form, "chkShow"), "Color", 0), 0xFBFBFB);

  // The pressable images keep their resting top in Tag and left in HelpContext.
  for (const char* image : {"FB28", "Image2", "Image3"}) {
    const DfmObject& object = Get(form, image);
    EXPECT_EQ(PropInt(object, "Tag", 0), PropInt(object, "Top", -1)) << image;
    EXPECT_EQ(PropInt(object, "HelpContext", 0), PropInt(object, "Left", -1)) << image;
    EXPECT_EQ(PropText(object, "OnMouseDown"), "imgPaypalMouseDown2") << image;
    EXPECT_EQ(PropText(object, "OnMouseUp"), "imgPaypalMouseUp2") << image;
    EXPECT_EQ(PropText(object, "Cursor"), "crHandPoint") << image;
  }
  struct Link {
    const char* name;
    const char* handler;
    const char* address;
  };
  const Link links[] = {{"Button2", "Button2Click", kDonationAddress},
                        {"FB28", "BClick", kFollowAddress},
                        {"Image2", "imgPaypalClick", kShareAddress},
                        {"Image3", "imgPaypalClick", kPostAddress}};
  for (const Link& l : links) {
    EXPECT_EQ(PropText(Get(form, l.name), "OnClick"), l.handler) << l.name;
    EXPECT_EQ(PropText(Get(form, l.name), "HelpKeyword"), l.address) << l.name;
  }
  EXPECT_EQ(PropText(Get(form, "Image4"), "OnClick"), "Image4Click");
  EXPECT_EQ(PropText(Get(form, "Button1"), "OnClick"), "Button1Click");
  EXPECT_EQ(PropText(form.Root(), "OnShow"), "FormShow");
  EXPECT_EQ(PropText(form.Root(), "OnClose"), "FormClose");
}

TEST(AboutForm, LayoutTextsAndLinks) {
  FormFile form("about.dfm");
  EXPECT_EQ(form.Root().name, "frmVtAbout");
  EXPECT_EQ(form.Root().className, "TfrmVtAbout");
  EXPECT_EQ(PropInt(form.Root(), "ClientWidth", 0), 344);
  EXPECT_EQ(PropInt(form.Root(), "ClientHeight", 0), 353);
  EXPECT_EQ(PropText(form.Root(), "Caption"), "About");
  const Layout layout[] = {
      {"Label1", "TLabel", "frmVtAbout", 107, 0, 123, 38},
      {"Label2", "TLabel", "frmVtAbout", 109, 41, 123, 13},
      {"GroupBox1", "TGroupBox", "frmVtAbout", 8, 69, 329, 257},
      {"Label4", "TLabel", "GroupBox1", 88, 24, 148, 19},
      {"Image1", "TImage", "GroupBox1", 112, 56, 98, 96},
      {"Label12", "TLabel", "GroupBox1", 44, 168, 89, 13},
      {"Label13", "TLabel", "GroupBox1", 143, 168, 139, 13},
      {"Label20", "TLabel", "GroupBox1", 44, 184, 90, 13},
      {"Label5", "TLabel", "GroupBox1", 143, 184, 128, 13},
      {"Image3", "TImage", "GroupBox1", 16, 214, 80, 31},
      {"Button1", "TButton", "GroupBox1", 128, 216, 75, 25},
      {"Label3", "TLabel", "frmVtAbout", 73, 333, 201, 13},
  };
  for (const Layout& l : layout) ExpectLayout(form, l);
  struct Caption {
    const char* name;
    const char* caption;
  };
  const Caption captions[] = {
      {"Label1", "Velotune"},
      {"Label2", "Last Updated : June 2014"},
      {"GroupBox1", " Developed By "},
      {"Label4", "Orvana Corporation"},
      {"Label12", "Zolex Homepage :"},
      {"Label13", kMakerWebAddress},
      {"Label20", "Zolex Forum         :"},
      {"Label5", kMakerForumAddress},
      {"Button1", "Close"},
      {"Label3", kMakerNotice},
  };
  for (const Caption& c : captions)
    EXPECT_EQ(PropText(Get(form, c.name), "Caption"), c.caption) << c.name;
  EXPECT_EQ(PropText(Get(form, "Label1"), "Font.Name"), "Comic Sans MS");
  EXPECT_EQ(PropInt(Get(form, "Label1"), "Font.Height", 0), -27);
  EXPECT_EQ(PropText(Get(form, "Label4"), "Font.Name"), "Arial");
  EXPECT_EQ(PropInt(Get(form, "Label4"), "Font.Height", 0), -16);
  for (const char* link : {"Label13", "Label5"}) {
    const DfmObject& label = Get(form, link);
    EXPECT_EQ(PropText(label, "OnClick"), "Label5Click") << link;
    EXPECT_EQ(PropText(label, "Font.Color"), "clBlue") << link;
    EXPECT_EQ(PropText(label, "Font.Style"), "[fsUnderline]") << link;
    EXPECT_EQ(PropText(label, "Cursor"), "crHandPoint") << link;
  }
  EXPECT_EQ(PropText(Get(form, "Image3"), "OnClick"), "Image3Click");
  EXPECT_EQ(PropText(Get(form, "Button1"), "OnClick"), "Button1Click");
}

TEST(DialogPictures, BitcoinPictureIsSharedAndEveryPictureDecodes) {
  FormFile donate("donate.dfm");
  FormFile about("about.dfm");
  const std::vector<std::uint8_t>& donateBitcoin =
      Get(donate, "Image4").Find("Picture.Data")->value.bytes;
  const std::vector<std::uint8_t>& aboutBitcoin =
      Get(about, "Image3").Find("Picture.Data")->value.bytes;
  EXPECT_EQ(donateBitcoin, aboutBitcoin);
  struct Picture {
    const FormFile* form;
    const char* name;
  };
  const Picture pictures[] = {{&donate, "Image4"}, {&donate, "FB28"},  {&donate, "Image2"},
                              {&donate, "Image3"}, {&about, "Image1"}, {&about, "Image3"}};
  for (const Picture& p : pictures) {
    const DfmObject& image = Get(*p.form, p.name);
    const DfmProperty* data = image.Find("Picture.Data");
    ASSERT_NE(data, nullptr) << p.name;
    Pixels pixels = DecodePictureData(data->value.bytes);
    EXPECT_EQ(pixels.width, PropInt(image, "Width", 0)) << p.name;
    EXPECT_EQ(pixels.height, PropInt(image, "Height", 0)) << p.name;
  }
}

}  // namespace
}  // namespace velotune
