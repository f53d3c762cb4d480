// The registry settings store: readers that fall back to the built-in defaults, and the opening,
// creating and writing of the settings key (HKCU\<KeyPath>). Every reader accepts a null key and
// then behaves as if the value were missing. Requires LoadSaverStrings to have run.
#pragma once
#include <windows.h>
#include <stdint.h>
#include "settings/settings.h"

// Opens the settings key for reading into SaverState.SettingsKey (null when that fails). Read
// access only: a key the user may read but not change (an administrator's preset) still reads.
// Never creates it.
void OpenSettingsKeyForRead();
// Opens the key for writing into SaverState.SettingsKey, creating it (and any missing parent) when
// absent. Returns 1 when SettingsKey holds an open handle, else 0, with the system's reason left
// for GetLastError.
int OpenSettingsKeyForWrite();
// Closes SaverState.SettingsKey, if open, and sets it to null.
void CloseSettingsKey();

// Reads the text of the slot named by the stored StringID into a 256-character buffer; leaves the
// buffer as it was when the key, StringID or the slot value is missing.
void ReadSelectedText(HKEY key, wchar_t* text);
// Overlays the slots in SaverState.TextSlots (the presets, as StartSaverState loads them) with the
// stored ones, as the dialogs show them and the saver draws them. With `cut`, six flags: which slot
// held more than a slot takes (it is shown cut, and must not be stored back so).
void ReadTextSlots(HKEY key, bool* cut = nullptr);
void ReadFloatSetting(HKEY key, const char* valueName, float* destination, float defaultValue);
void ReadIntSetting(HKEY key, const char* valueName, int32_t* destination, int32_t defaultValue);
// Reads "LogFont", or the default font when the key or value is missing; true when it was read.
// The face name always comes back NUL-terminated.
bool ReadLogFont(HKEY key, LOGFONTA* font);
// Overlay the in-memory tables from the registry; rows without a readable value keep theirs.
void ReadGlCaps(HKEY key);
void ReadMaterialLight(HKEY key);
// Reads the group's rows of the single values, in table order, into values: a missing or
// unreadable value takes its built-in value, a stored one what its row's rule makes of it.
void ReadSettings(HKEY key, SettingGroup group, SingleSettings* values);
// How a text value read: not at all (missing, or no text), whole, or cut to what fits.
enum class TextRead { None, Whole, Cut };
// Reads a text value, REG_SZ or REG_EXPAND_SZ (unexpanded), into `text` (TextBufferSize characters):
// its UTF-16 units up to the first NUL or the value's end (an odd last byte dropped), at most the
// whole characters that fit with the terminator, always terminated; nothing of what `text` held
// stays. Any other type, or no value: None, and `text` is as it was. Through the Unicode call; on
// the consumer platform the ANSI text, converted.
TextRead ReadTextSetting(HKEY key, const char* valueName, wchar_t* text);

// The writers' calls. Each returns the system's result, ERROR_SUCCESS when the value was written.
LSTATUS WriteIntSetting(HKEY key, const char* valueName, int32_t value);
LSTATUS WriteBinarySetting(HKEY key, const char* valueName, const void* data, DWORD size);
// A REG_SZ with its terminator: as UTF-16, or on the consumer platform in the active code page.
LSTATUS WriteTextSetting(HKEY key, const char* valueName, const wchar_t* text);
// One of the single values from values, as its row says: a float as its 4 bytes, a number as a
// REG_DWORD.
LSTATUS WriteSetting(HKEY key, const SettingRow& row, const SingleSettings& values);
// A writer goes on after a failed value, as the others may still be stored, and reports the first.
inline LSTATUS FirstFailure(LSTATUS first, LSTATUS next) { return first != ERROR_SUCCESS ? first : next; }

// The default font: "MS 明朝" in code page 932's bytes, whatever the active code page, so the
// glyphs' font step reads its face name in that code page.
void SetDefaultLogFont(LOGFONTA* font);
constexpr UINT DefaultFaceCodePage = 932;
