#pragma once

#include <cstdint>
#include <string>

namespace quillmere {

// A size as the program shows it, in the task list and in the console's lines alike:
// whole KB up to and including 1024 KB, otherwise whole MB.
std::string SizeFigure(std::uint64_t bytes);

}  // namespace quillmere
