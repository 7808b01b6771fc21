#pragma once

#include <cstddef>
#include <string>
#include <variant>
#include <vector>

#include "cookies/CookieKeepList.h"

namespace quillmere {

enum class CommandKind { kHelp, kVersion, kList, kPreview, kClean };

// A command line that reads.
struct Command {
  CommandKind kind = CommandKind::kHelp;
  std::vector<std::size_t> targets;  // indexes into kTargets in run order, each once
  bool json = false;
  CookieKeepList keep;
};

// A command line that does not read; the message says what is wrong and what
// would be right.
struct UsageError {
  std::string message;
};

// The arguments after the program's name. A command names no target means every
// target; "--help" anywhere asks for the usage text, and otherwise "--version"
// anywhere for the version, so that neither runs a command by mistake.
std::variant<Command, UsageError> ParseArguments(const std::vector<std::string>& args);

// The text of --help.
std::string UsageText();

}  // namespace quillmere
