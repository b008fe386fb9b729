#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace decant::fuzz {

// Both readers take a path, so each input goes through one scratch file,
// made once per process in $TMPDIR (or /tmp) and removed at exit.
const std::string& writeInputFile(const uint8_t* data, std::size_t size);

} // namespace decant::fuzz
