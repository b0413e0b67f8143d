#include "resize/size_validation.h"

#include <cctype>

#include "platform/text_case.h"
#include "resize/resize_errors.h"

namespace velotune {

namespace {

enum class Bound { kNone, kFormWidth, kFormHeight, kMaxWidth, kMaxHeight, kMinWidth, kMinHeight };

// Which stored value a check compares with and in which direction. A value
// must not be below a lower bound nor above an upper bound; kNonNegative
// compares with 0. Bounds other than the min ones apply only when not 0.
struct Check {
  Bound bound;
  bool boundIsLower;
};

struct PropertyChecks {
  SizeProperty property;
  Check checks[2];
};

// After the universal "not below 0", in the order they run.
const PropertyChecks kChecks[] = {
    {SizeProperty::kFormWidth, {{Bound::kMinWidth, true}, {Bound::kMaxWidth, false}}},
    {SizeProperty::kFormHeight, {{Bound::kMinHeight, true}, {Bound::kMaxHeight, false}}},
    {SizeProperty::kMaxWidth, {{Bound::kMinWidth, true}, {Bound::kFormWidth, true}}},
    {SizeProperty::kMaxHeight, {{Bound::kMinHeight, true}, {Bound::kFormHeight, true}}},
    {SizeProperty::kMinWidth, {{Bound::kMaxWidth, false}, {Bound::kFormWidth, false}}},
    {SizeProperty::kMinHeight, {{Bound::kMaxHeight, false}, {Bound::kFormHeight, false}}},
};

const char* BoundName(Bound bound) {
  switch (bound) {
    case Bound::kFormWidth:
      return "FormWidth";
    case Bound::kFormHeight:
      return "FormHeight";
    case Bound::kMaxWidth:
      return "FormMaxWidth";
    case Bound::kMaxHeight:
      return "FormMaxHeight";
    case Bound::kMinWidth:
      return "FormMinWidth";
    case Bound::kMinHeight:
      return "FormMinHeight";
    default:
      return "";
  }
}

int BoundValue(const SizeSettings& s, Bound bound) {
  switch (bound) {
    case Bound::kFormWidth:
      return s.formWidth;
    case Bound::kFormHeight:
      return s.formHeight;
    case Bound::kMaxWidth:
      return s.limits.maxWidth;
    case Bound::kMaxHeight:
      return s.limits.maxHeight;
    case Bound::kMinWidth:
      return s.limits.minWidth;
    case Bound::kMinHeight:
      return s.limits.minHeight;
    default:
      return 0;
  }
}

std::string NotBelowMessage(const std::string& what, bool japanese) {
  if (japanese)
    return what +
           " \xE4\xBB\xA5\xE4\xB8\x8A\xE3\x81\xAE\xE5\x80\xA4\xE3\x82\x92"
           "\xE5\x85\xA5\xE3\x82\x8C\xE3\x81\xA6\xE3\x81\x8F\xE3\x81\xA0"
           "\xE3\x81\x95\xE3\x81\x84";  // "以上の値を入れてください"
  if (what == "0") return "Set this value equal to or greater than 0";
  return "Set this value equal to or greater than the " + what;
}

std::string NotAboveMessage(const std::string& what, bool japanese) {
  if (japanese)
    return what +
           " \xE4\xBB\xA5\xE4\xB8\x8B\xE3\x81\xAE\xE5\x80\xA4\xE3\x82\x92"
           "\xE5\x85\xA5\xE3\x82\x8C\xE3\x81\xA6\xE3\x81\x8F\xE3\x81\xA0"
           "\xE3\x81\x95\xE3\x81\x84";  // "以下の値を入れてください"
  return "Set this value equal to or less than the " + what;
}

int& Field(SizeSettings& s, SizeProperty property) {
  switch (property) {
    case SizeProperty::kFormWidth:
      return s.formWidth;
    case SizeProperty::kFormHeight:
      return s.formHeight;
    case SizeProperty::kMaxWidth:
      return s.limits.maxWidth;
    case SizeProperty::kMaxHeight:
      return s.limits.maxHeight;
    case SizeProperty::kMinWidth:
      return s.limits.minWidth;
    default:
      return s.limits.minHeight;
  }
}

}  // namespace

bool IsJapaneseLanguageAbbrev(const std::string& abbrev) {
  return SameText(abbrev, "JPN");
}

std::string SizeValueProblem(const SizeSettings& settings, SizeProperty property, int value,
                             bool japanese) {
  if (value == 0) return "";
  if (value < 0) return NotBelowMessage("0", japanese);
  for (const PropertyChecks& entry : kChecks) {
    if (entry.property != property) continue;
    for (const Check& check : entry.checks) {
      const int bound = BoundValue(settings, check.bound);
      if (bound == 0) continue;
      if (check.boundIsLower && value < bound)
        return NotBelowMessage(BoundName(check.bound), japanese);
      if (!check.boundIsLower && value > bound)
        return NotAboveMessage(BoundName(check.bound), japanese);
    }
  }
  return "";
}

void SetSizeProperty(SizeSettings& settings, SizeProperty property, int value, bool japanese) {
  const std::string problem = SizeValueProblem(settings, property, value, japanese);
  if (!problem.empty()) throw EInvalidOperation(problem);
  Field(settings, property) = value;
}

}  // namespace velotune
