// The registry settings store. In the saver the render thread reads through the key that the GL
// child window opened; in the configuration process everything runs on the main thread.
#include "settings/store.h"
#include "host/system.h"
#include "render/glyph_walk.h"
#include "settings/value_name.h"
#include <string.h>

namespace {

// The largest value any reader asks for: a 256-character text.
constexpr DWORD LargestRead = TextBufferSize * sizeof(wchar_t);

// Queries at most size bytes of a value. A value larger than size fails, and the platform then
// leaves the buffer's contents undefined, so the query goes to a temporary and only a successful
// read is copied out. Returns the number of bytes copied, or -1 when nothing was read.
long QueryValue(HKEY key, const char* valueName, void* destination, DWORD size) {
  if (!key || size > LargestRead) return -1;
  BYTE buffer[LargestRead];
  DWORD got = size;
  if (RegQueryValueExA(key, valueName, nullptr, nullptr, buffer, &got) != ERROR_SUCCESS || got > size)
    return -1;
  memcpy(destination, buffer, got);
  return static_cast<long>(got);
}

// A 4-byte scalar read. A shorter stored value is taken as a little-endian number: the bytes it
// does not cover are zero.
bool QueryScalar(HKEY key, const char* valueName, void* destination) {
  unsigned char bytes[4] = {0, 0, 0, 0};
  if (QueryValue(key, valueName, bytes, sizeof bytes) < 0) return false;
  memcpy(destination, bytes, sizeof bytes);
  return true;
}

const char DefaultFaceName[] = "MS \x96\xBE\x92\xA9";  // "MS 明朝" in code page 932

// A value name as the Unicode calls take it: the names are ASCII.
struct WideName {
  wchar_t text[64];
  explicit WideName(const char* name) {
    size_t i = 0;
    for (; name[i] && i + 1 < sizeof text / sizeof text[0]; ++i) text[i] = static_cast<unsigned char>(name[i]);
    text[i] = 0;
  }
};

}  // namespace

void OpenSettingsKeyForRead() {
  if (RegOpenKeyExA(HKEY_CURRENT_USER, SaverState.KeyPath, 0, KEY_READ, &SaverState.SettingsKey) != ERROR_SUCCESS)
    SaverState.SettingsKey = nullptr;
}

int OpenSettingsKeyForWrite() {
  if (RegOpenKeyExA(HKEY_CURRENT_USER, SaverState.KeyPath, 0, KEY_SET_VALUE, &SaverState.SettingsKey) == ERROR_SUCCESS)
    return 1;
  DWORD disposition;
  LSTATUS status = RegCreateKeyExA(HKEY_CURRENT_USER, SaverState.KeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                   KEY_SET_VALUE, nullptr, &SaverState.SettingsKey, &disposition);
  if (status == ERROR_SUCCESS) return 1;
  SaverState.SettingsKey = nullptr;
  SetLastError(static_cast<DWORD>(status));  // the registry calls return their reason instead of setting it
  return 0;
}

void CloseSettingsKey() {
  if (SaverState.SettingsKey) RegCloseKey(SaverState.SettingsKey);
  SaverState.SettingsKey = nullptr;
}

namespace {

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

// A text value's bytes, whole, and one spare unit behind them: in `local` when they fit in
// `localSize`, else in a block of their size, which the caller frees. Null when there is no text
// value: missing, of another type, or changed while it was read.
BYTE* QueryText(HKEY key, const char* valueName, BYTE* local, DWORD localSize, DWORD* size) {
  const bool wide = !ConsumerPlatform;
  const WideName name(valueName);
  auto query = [&](BYTE* data, DWORD* got, DWORD* type) {
    return wide ? RegQueryValueExW(key, name.text, nullptr, type, data, got)
                : RegQueryValueExA(key, valueName, nullptr, type, data, got);
  };
  DWORD type = REG_NONE;
  *size = localSize;
  LSTATUS status = query(local, size, &type);
  if (status == ERROR_SUCCESS) return IsText(type) ? local : nullptr;
  // Too long for the buffer, whose contents are then undefined: asked again, whole.
  if (status != ERROR_MORE_DATA || query(nullptr, size, &type) != ERROR_SUCCESS || !IsText(type)) return nullptr;
  DWORD blockSize = *size + sizeof(wchar_t);
  BYTE* block = static_cast<BYTE*>(HeapAlloc(GetProcessHeap(), 0, blockSize));
  if (block && query(block, size, &type) == ERROR_SUCCESS && IsText(type) && *size + sizeof(wchar_t) <= blockSize)
    return block;
  if (block) HeapFree(GetProcessHeap(), 0, block);
  return nullptr;
}

}  // namespace

TextRead ReadTextSetting(HKEY key, const char* valueName, wchar_t* text) {
  if (!key) return TextRead::None;
  alignas(wchar_t) BYTE local[LargestRead + sizeof(wchar_t)];
  DWORD size = 0;
  BYTE* bytes = QueryText(key, valueName, local, LargestRead, &size);
  if (!bytes) return TextRead::None;
  char16_t* value = reinterpret_cast<char16_t*>(bytes);
  char16_t* converted = nullptr;
  if (ConsumerPlatform) {
    // The active code page's bytes up to their first NUL, as UTF-16: no more units than bytes.
    bytes[size] = '\0';
    int units = static_cast<int>(strlen(reinterpret_cast<char*>(bytes))) + 1;
    converted = static_cast<char16_t*>(HeapAlloc(GetProcessHeap(), 0, units * sizeof(char16_t)));
    if (converted) WideFromAnsi(reinterpret_cast<char*>(bytes), reinterpret_cast<wchar_t*>(converted), units);
    value = converted;
  } else {
    value[size / sizeof(char16_t)] = 0;  // whole units: an odd last byte is dropped
  }
  TextRead read = TextRead::None;
  if (value) {
    // Up to the first NUL, at most the whole characters that fit: never mixed with what was there.
    size_t kept = FittingTextLength(value, TextBufferSize);
    memcpy(text, value, kept * sizeof(char16_t));
    text[kept] = 0;
    read = value[kept] ? TextRead::Cut : TextRead::Whole;
  }
  if (converted) HeapFree(GetProcessHeap(), 0, converted);
  if (bytes != local) HeapFree(GetProcessHeap(), 0, bytes);
  return read;
}

void ReadSelectedText(HKEY key, wchar_t* text) {
  int32_t slot;
  if (!QueryScalar(key, StringIdValueName, &slot)) return;
  char valueName[32];
  FormatSlotValueName(valueName, sizeof valueName, SlotValuePrefix, slot);
  ReadTextSetting(key, valueName, text);
}

void ReadTextSlots(HKEY key, bool* cut) {
  char valueName[32];
  for (int slot = 0; slot < TextSlotCount; ++slot) {
    FormatSlotValueName(valueName, sizeof valueName, SlotValuePrefix, slot);
    TextRead read = ReadTextSetting(key, valueName, SaverState.TextSlots[slot]);
    if (cut) cut[slot] = read == TextRead::Cut;
  }
}

void ReadFloatSetting(HKEY key, const char* valueName, float* destination, float defaultValue) {
  if (!QueryScalar(key, valueName, destination)) *destination = defaultValue;
}

void ReadIntSetting(HKEY key, const char* valueName, int32_t* destination, int32_t defaultValue) {
  if (!QueryScalar(key, valueName, destination)) *destination = defaultValue;
}

void ReadSettings(HKEY key, SettingGroup group, SingleSettings* values) {
  for (const SettingRow* row = GetSettingTable(); row->valueName; ++row) {
    if (row->group != group) continue;
    if (row->real) {
      float& real = values->*row->real;
      ReadFloatSetting(key, row->valueName, &real, static_cast<float>(row->builtIn));
      real = UsableReal(*row, real);
      continue;
    }
    int32_t& number = values->*row->number;
    ReadIntSetting(key, row->valueName, &number, static_cast<int32_t>(row->builtIn));
    number = UsableNumber(*row, static_cast<uint32_t>(number));
  }
}

void SetDefaultLogFont(LOGFONTA* font) {
  memset(font, 0, sizeof *font);
  font->lfHeight = -28;
  font->lfWeight = FW_NORMAL;
  font->lfCharSet = SHIFTJIS_CHARSET;
  font->lfPitchAndFamily = 0;
  memcpy(font->lfFaceName, DefaultFaceName, sizeof DefaultFaceName);
}

bool ReadLogFont(HKEY key, LOGFONTA* font) {
  static_assert(sizeof(LOGFONTA) == 60, "LogFont is stored as a 60-byte LOGFONTA record");
  memset(font, 0, sizeof *font);
  if (QueryValue(key, LogFontValueName, font, sizeof *font) < 0) {
    SetDefaultLogFont(font);
    return false;
  }
  // A stored record whose face name holds no NUL would make every font call read past it.
  font->lfFaceName[LF_FACESIZE - 1] = '\0';
  return true;
}

void ReadGlCaps(HKEY key) {
  for (GlCapRow* row = GetGlCapTable(); row->valueName; ++row) {
    uint32_t stored;
    if (QueryScalar(key, row->valueName, &stored)) row->state = static_cast<uint8_t>(stored & 0xFF);
  }
}

void ReadMaterialLight(HKEY key) {
  for (const MaterialLightRow* row = GetMaterialLightTable(); row->valueName; ++row)
    QueryValue(key, row->valueName, row->vector, static_cast<DWORD>(row->width * sizeof(float)));
}

LSTATUS WriteIntSetting(HKEY key, const char* valueName, int32_t value) {
  return RegSetValueExA(key, valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

LSTATUS WriteBinarySetting(HKEY key, const char* valueName, const void* data, DWORD size) {
  return RegSetValueExA(key, valueName, 0, REG_BINARY, static_cast<const BYTE*>(data), size);
}

LSTATUS WriteTextSetting(HKEY key, const char* valueName, const wchar_t* text) {
  if (ConsumerPlatform) {
    char ansi[TextBufferSize * 2];  // a double-byte code page takes at most two bytes a character
    AnsiFromWide(text, ansi, sizeof ansi);
    return RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(ansi),
                          static_cast<DWORD>(strlen(ansi) + 1));
  }
  return RegSetValueExW(key, WideName(valueName).text, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                        static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
}

LSTATUS WriteSetting(HKEY key, const SettingRow& row, const SingleSettings& values) {
  if (row.real) return WriteBinarySetting(key, row.valueName, &(values.*row.real), sizeof(float));
  return WriteIntSetting(key, row.valueName, values.*row.number);
}
