#pragma once
// The program's arguments as UTF-8 texts and binary standard streams, on every system: Windows
// hands `main` its arguments in the ANSI page and translates line ends on the standard streams.

#include <string>
#include <vector>

namespace hosting::qrgen {

std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Standard input and output carry bytes as they are (no CRLF translation).
void UseBinaryStandardStreams();

}  // namespace hosting::qrgen
