// Small pieces of JSON text for the command line's --json output. The
// program's texts are UTF-8 (registry names, captions), as JSON is.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace velotune {

using JsonFields = std::vector<std::pair<std::string, std::string>>;

// A quoted, escaped JSON string of UTF-8 text.
std::string JsonString(const std::string& text);
std::string JsonNumber(long long number);
std::string JsonBool(bool value);
// Members are rendered JSON values.
std::string JsonObject(const JsonFields& fields);
std::string JsonArray(const std::vector<std::string>& items);

}  // namespace velotune
