// The path of the running program file.
#pragma once

#include <string>

namespace qm {

// The full path of the program file, read from /proc/self/exe once; empty
// when it cannot be read.
const std::string& ProgramFile();

// Its folder with a trailing "/" ("./" when the path is unknown).
std::string ProgramFileFolder();

} // namespace qm
