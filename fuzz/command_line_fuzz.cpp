// Fuzzes the command-line grammar: program name, mode letter, the window-handle number and the away word.
#include "host/command_line.h"
#include "fuzz/fuzz_check.h"
#include <stdlib.h>
#include <string.h>
#include <string>

static const char* NextByte(const char* text) { return text + 1; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string line(reinterpret_cast<const char*>(data), size);  // NUL-terminated by c_str()
  const char* begin = line.c_str();
  const char* end = begin + strlen(begin);
  const char* tail = SkipProgramName(begin, NextByte);
  Check(tail >= begin && tail <= end, "the tail lies within the line");
  ModeChoice choice = ParseMode(tail);
  Check(choice.rest >= tail && choice.rest <= end, "the rest lies within the tail");
  int32_t word = AwayWordOfTail(choice.rest);
  Check(word >= 0 && word <= 6, "an away word is 1 to 6, or none");
  uint32_t handle = ParseWindowHandle(choice.rest);
  // Up to 19 digits fit the run-time's own 64-bit reading, which then gives the same number modulo 2^32.
  size_t digits = strspn(choice.rest, "0123456789");
  if (digits <= 19) {
    uint64_t wide = digits ? strtoull(std::string(choice.rest, digits).c_str(), nullptr, 10) : 0;
    Check(handle == static_cast<uint32_t>(wide), "the handle is the decimal number modulo 2^32");
  }
  return 0;
}
