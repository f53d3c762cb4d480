// Edit-field numbers of the property pages (see number_field.h).
#include "config_ui/number_field.h"
#include <math.h>
#include <stdio.h>
#include <stdlib.h>

namespace {

// The C run-time's isspace in the "C" locale; bytes from 0x80 up (lead bytes among them) are
// never white space.
bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

const char* SkipBlanks(const char* p) {
  while (IsBlank(*p)) ++p;
  return p;
}

const char* SkipDigits(const char* p) {
  while (IsDigit(*p)) ++p;
  return p;
}

}  // namespace

void FormatFloatField(char* out, size_t outSize, float value) {
  if (outSize == 0) return;
  if (isnan(value))
    snprintf(out, outSize, "nan");
  else if (isinf(value))
    snprintf(out, outSize, value < 0 ? "-inf" : "inf");
  else
    snprintf(out, outSize, "%f", static_cast<double>(value));
}

void FormatIntField(char* out, size_t outSize, int32_t value) {
  if (outSize == 0) return;
  snprintf(out, outSize, "%d", static_cast<int>(value));
}

bool ParseFloatField(const char* text, float* value) {
  const char* start = SkipBlanks(text);
  const char* p = start;
  if (*p == '+' || *p == '-') ++p;
  const char* digits = p;
  p = SkipDigits(p);
  size_t count = p - digits;
  if (*p == '.') {
    const char* fraction = p + 1;
    p = SkipDigits(fraction);
    count += p - fraction;
  }
  if (count == 0) return false;
  // From here strtof reads the same decimal form, an exponent included only when digits follow
  // its marker, with one exception: it takes "0x" as the start of a hexadecimal number, where
  // this grammar ends at the x. inf and nan cannot follow the digit found above.
  float read;
  if (digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X'))
    read = *start == '-' ? -0.0f : 0.0f;
  else
    read = strtof(start, nullptr);
  if (isinf(read)) return false;
  *value = read;
  return true;
}

bool ParseIntField(const char* text, int32_t* value) {
  const char* p = SkipBlanks(text);
  bool negative = *p == '-';
  if (*p == '+' || *p == '-') ++p;
  if (!IsDigit(*p)) return false;
  // Saturates instead of wrapping, as the classic run-time did: 4294967297 must not read as 1.
  int64_t magnitude = 0;
  for (; IsDigit(*p); ++p)
    if (magnitude <= INT32_MAX) magnitude = magnitude * 10 + (*p - '0');
  int64_t signedValue = negative ? -magnitude : magnitude;
  if (signedValue > INT32_MAX) signedValue = INT32_MAX;
  if (signedValue < INT32_MIN) signedValue = INT32_MIN;
  *value = static_cast<int32_t>(signedValue);
  return true;
}

int32_t ShininessShown(float shininess) {
  if (isnan(shininess)) return 0;
  if (shininess >= 2147483648.0f) return INT32_MAX;
  if (shininess <= -2147483648.0f) return INT32_MIN;
  return static_cast<int32_t>(shininess);
}

bool ParseIntFieldInRange(const char* text, int32_t low, int32_t high, int32_t* value) {
  int32_t read;
  if (!ParseIntField(text, &read) || read < low || read > high) return false;
  *value = read;
  return true;
}

float ReadShininessField(const char* text, float current) {
  int32_t read;
  return ParseIntFieldInRange(text, 0, 128, &read) ? static_cast<float>(read) : current;
}
