// Formats the registry value names of the text slots.
#include "settings/value_name.h"
#include <stdio.h>

char* FormatSlotValueName(char* out, size_t outSize, const char* prefix, int32_t slot) {
  if (outSize == 0) return out;
  snprintf(out, outSize, "%s%-1d", prefix, static_cast<int>(slot));
  return out;
}
