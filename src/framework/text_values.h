// Conversions between property values and the text that published properties
// are read and written as, shared by the description reader and by callers
// that set properties by name.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/form_description.h"

namespace velotune {

// A colour: 0x00BBGGRR, or kSystemColor | a system colour index.
using TColor = std::int32_t;
constexpr TColor kSystemColor = static_cast<TColor>(0xFF000000u);
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clBtnFace = kSystemColor | 15;
constexpr TColor clWindow = kSystemColor | 5;
constexpr TColor clWindowText = kSystemColor | 8;

bool ParseBoolText(const std::string& text, bool* out);
bool ParseIntText(const std::string& text, int* out);  // decimal or $hex
std::string IntText(int value);
// "clGreen", "clBtnFace", "$0000FF00" or a decimal number.
bool ParseColorText(const std::string& text, TColor* out);
std::string ColorText(TColor color);
// Index of `text` in `names` (exact), or -1.
int EnumIndex(const std::string& text, const std::vector<const char*>& names);
// "[a, b]" or "[a,b]" into its members; false on bad brackets.
bool ParseSetText(const std::string& text, std::vector<std::string>* members);
std::string SetText(const std::vector<std::string>& members);

// The text form of a simple description value (integer, identifier, string
// or set); false for lists, binary data and collections.
bool DfmValueText(const DfmValue& value, std::string* text);

// Every occurrence of `from` replaced by `to`, scanning left to right and
// never rescanning replaced text.
std::string ReplaceAll(const std::string& text, const std::string& from, const std::string& to);

// value * numerator / denominator rounded to the nearest integer (halves away
// from zero), computed without overflow for 32-bit inputs.
int ScaleRounded(int value, int numerator, int denominator);

}  // namespace velotune
