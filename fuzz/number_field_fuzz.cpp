// Fuzzes the edit-field number grammars, and the way back from a shown number to the same value.
#include "config_ui/number_field.h"
#include "fuzz/fuzz_check.h"
#include <math.h>
#include <stdlib.h>
#include <string.h>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  float read = 12.5f;
  if (ParseFloatField(text.c_str(), &read)) Check(isfinite(read), "a read float is finite");
  // The C library's strtol, clamped to 32 bits, is an independent reading of the same grammar.
  int32_t number = 7;
  char* end = nullptr;
  long long wide = strtoll(text.c_str(), &end, 10);
  bool libraryRead = end != text.c_str();
  Check(ParseIntField(text.c_str(), &number) == libraryRead, "an integer is read where strtol reads one");
  long long clamped = wide > INT32_MAX ? INT32_MAX : wide < INT32_MIN ? INT32_MIN : wide;
  if (libraryRead) Check(number == clamped, "the same integer as strtol, clamped");
  float shininess = ReadShininessField(text.c_str(), 12.5f);
  Check(shininess == 12.5f || (shininess >= 0 && shininess <= 128 && shininess == floorf(shininess)),
        "the shininess stays or becomes an integer from 0 to 128");

  // The first bytes as a float and an integer: what a field shows reads back as (nearly) the same.
  if (size < 5) return 0;
  float value;
  int32_t integer;
  memcpy(&value, data, 4);
  memcpy(&integer, data, 4);
  size_t outSize = data[4] % (NumberFieldSize + 1);
  char shown[NumberFieldSize];
  FormatFloatField(shown, outSize, value);
  if (outSize) Check(strlen(shown) < outSize, "the shown float is terminated within its buffer");
  FormatFloatField(shown, sizeof shown, value);
  float back = 0;
  bool parsed = ParseFloatField(shown, &back);
  Check(parsed == (isfinite(value) != 0), "a finite float reads back, NaN and infinities do not");
  if (parsed) Check(fabsf(back - value) <= 1e-6f, "six decimals bring a float back within 1e-6");
  ShininessShown(value);
  FormatIntField(shown, outSize, integer);
  if (outSize) Check(strlen(shown) < outSize, "the shown integer is terminated within its buffer");
  FormatIntField(shown, sizeof shown, integer);
  int32_t backInt = 0;
  Check(ParseIntField(shown, &backInt) && backInt == integer, "an integer reads back exactly");
  return 0;
}
