// The command line's text in and out in Unicode: the arguments as the system
// received them, and output that shows every character.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace velotune {

// The program's arguments (without its name) as UTF-8.
std::vector<std::string> UnicodeArguments();

// Writes UTF-8 text: to a console as its characters, to a file or pipe as
// UTF-8 bytes.
void WriteText(std::FILE* stream, const std::string& text);

}  // namespace velotune
