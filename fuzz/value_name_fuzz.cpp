// Fuzzes the slot value-name formatting with any prefix, slot number and buffer size.
#include "settings/value_name.h"
#include "fuzz/fuzz_check.h"
#include <string.h>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 5) return 0;
  int32_t slot;
  memcpy(&slot, data, 4);
  size_t outSize = data[4];
  std::string prefix(reinterpret_cast<const char*>(data + 5), size - 5);
  std::vector<char> out(outSize ? outSize : 1, '\x7f');  // exactly outSize bytes for ASan
  char* result = FormatSlotValueName(out.data(), outSize, prefix.c_str(), slot);
  if (!outSize) return 0;
  Check(result == out.data(), "the buffer comes back");
  std::string expected = std::string(prefix.c_str()) + std::to_string(slot);
  size_t length = strnlen(out.data(), outSize);
  Check(length < outSize, "terminated within the buffer");
  Check(expected.compare(0, length, out.data(), length) == 0 && length == std::min(expected.size(), outSize - 1),
        "the prefix and the number, cut to the buffer");
  return 0;
}
