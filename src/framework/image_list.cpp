#include "framework/image_list.h"

#include "framework/text_values.h"

namespace velotune {

namespace {
TImageList& L(TComponent& c) {
  return static_cast<TImageList&>(c);
}
const TImageList& L(const TComponent& c) {
  return static_cast<const TImageList&>(c);
}

int SizeProp(const std::string& name, const std::string& text) {
  int value = IntProp(name, text);
  if (value <= 0 || value > 256)
    throw EPropertyError("Invalid property value '" + text + "' for " + name);
  return value;
}

const PropertyDef kImageListProperties[] = {
    {"Width", [](const TComponent& c) { return IntText(L(c).Width()); },
     [](TComponent& c, const std::string& v) {
       L(c).SetSize(SizeProp("Width", v), L(c).Height());
     }},
    {"Height", [](const TComponent& c) { return IntText(L(c).Height()); },
     [](TComponent& c, const std::string& v) {
       L(c).SetSize(L(c).Width(), SizeProp("Height", v));
     }},
};
}  // namespace

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

const PropertyDef* TImageList::FindProperty(const std::string& name) const {
  if (const PropertyDef* p = Lookup(kImageListProperties, name)) return p;
  return TComponent::FindProperty(name);
}

void TImageList::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  Clear();
}

int TImageList::Count() const {
  return strip_.Empty() ? 0 : strip_.width / width_;
}

void TImageList::Clear() {
  strip_ = Pixels();
}

int TImageList::AddStrip(const Pixels& strip) {
  int first = Count();
  int added = strip.height >= height_ ? strip.width / width_ : 0;
  if (added == 0) return first;
  Pixels joined;
  joined.width = (first + added) * width_;
  joined.height = height_;
  joined.argb.assign(static_cast<std::size_t>(joined.width) * height_, 0);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < first * width_; ++x)
      joined.argb[static_cast<std::size_t>(y) * joined.width + x] = strip_.At(x, y);
    for (int x = 0; x < added * width_; ++x)
      joined.argb[static_cast<std::size_t>(y) * joined.width + first * width_ + x] = strip.At(x, y);
  }
  strip_ = std::move(joined);
  return first;
}

std::uint32_t TImageList::PixelAt(int index, int x, int y) const {
  return strip_.At(index * width_ + x, y) & 0xFFFFFF;
}

bool TImageList::ReadBinary(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  if (name != "Bitmap.Data") return false;
  Clear();
  // A picture that cannot be decoded leaves the list empty.
  AddStrip(DecodePictureData(bytes));
  return true;
}

}  // namespace velotune
