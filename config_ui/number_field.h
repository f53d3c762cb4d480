// The numbers of the property pages' edit fields: shown with "%f" and "%d", read back with the
// grammar of the classic Windows C run-time's sscanf, which these fields have always used. Pure:
// no Win32 types, so it is tested natively too.
#pragma once
#include <stddef.h>
#include <stdint.h>

// Room for "%f" of any float: the largest is 39 digits, a sign, a point and six decimals.
constexpr size_t NumberFieldSize = 64;

// "%f": fixed notation with six decimals (0.15f shows as 0.150000). NaN shows as "nan" and the
// infinities as "inf" and "-inf"; none of them reads back as a number, so a field left alone
// keeps such a value rather than turning it into another.
void FormatFloatField(char* out, size_t outSize, float value);
// "%d".
void FormatIntField(char* out, size_t outSize, int32_t value);

// Reads a number as "%f" does: white space skipped, an optional sign, digits with an optional
// point and fraction (at least one digit), an optional exponent ('e' or 'E', optional sign,
// digits; a marker without digits is not part of the number); the rest is ignored. No "inf",
// "nan" or hexadecimal forms. Returns true and sets *value when a number was read; a number
// beyond the float range counts as none. Otherwise *value is unchanged.
bool ParseFloatField(const char* text, float* value);
// Reads an integer as "%d" does: white space skipped, an optional sign, decimal digits; the rest
// (a fraction included) is ignored. A number beyond the 32-bit range reads as the nearest end of
// it. Returns true and sets *value when a number was read; otherwise *value is unchanged.
bool ParseIntField(const char* text, int32_t* value);

// An integer read as ParseIntField reads it, taken only when it lies within low to high (both
// included); otherwise *value is unchanged and the result is false.
bool ParseIntFieldInRange(const char* text, int32_t low, int32_t high, int32_t* value);

// The shininess as the material page shows it: truncated toward zero, NaN as 0, values beyond
// the 32-bit range as its nearest end.
int32_t ShininessShown(float shininess);
// The shininess after its entry was read: an integer from 0 to 128 replaces it; no integer, or
// one outside that range, keeps the current value.
float ReadShininessField(const char* text, float current);
