// Names of the text-slot registry values. Pure: no Win32 types.
#pragma once
#include <stddef.h>
#include <stdint.h>

constexpr const char* SlotValuePrefix = "ZorvelString";

// Writes prefix and number as "%s%-1d" (ZorvelString0; a negative number keeps its sign) into
// out, truncated to outSize - 1 bytes and always terminated. Returns out.
char* FormatSlotValueName(char* out, size_t outSize, const char* prefix, int32_t slot);
