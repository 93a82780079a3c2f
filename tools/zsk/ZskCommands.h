#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace zsk {

// Exit codes of the zsk tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;        // usage, input/output or unreadable package
inline constexpr int kExitWrongPassword = 2;  // an encrypted package and the wrong password

// Runs one zsk command line (the arguments after the program name), writing results to out
// and one-line messages "zsk: ..." to err; answers the exit code.
int RunZsk(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace zsk
