// Helpers of the Windows tests (registry set-up and table restore).
#include "tests/win/test_support.h"
#include "host/host_state.h"
#include "host/system.h"
#include "settings/settings.h"
#include <string.h>
#include <vector>

namespace {

struct BuiltInTables {
  std::vector<uint8_t> capStates;
  std::vector<std::vector<float>> vectors;
};

BuiltInTables Capture() {
  BuiltInTables t;
  for (GlCapRow* row = GetGlCapTable(); row->valueName; ++row) t.capStates.push_back(row->state);
  for (const MaterialLightRow* row = GetMaterialLightTable(); row->valueName; ++row)
    t.vectors.emplace_back(row->vector, row->vector + row->width);
  return t;
}

// Taken before any test can change the tables.
const BuiltInTables BuiltIn = Capture();

}  // namespace

long HandleCount(DWORD processId) {
  struct Entry {
    ULONG ownerPid;
    BYTE objectType, flags;
    USHORT value;
    PVOID object;
    ULONG access;
  };
  struct Table {
    ULONG count;
    Entry entries[1];
  };
  using QueryFn = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  auto query = reinterpret_cast<QueryFn>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  constexpr ULONG SystemHandleInformation = 16;
  constexpr LONG InfoLengthMismatch = static_cast<LONG>(0xC0000004);
  std::vector<char> buffer(1 << 16);
  LONG status;
  while ((status = query(SystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), nullptr)) ==
         InfoLengthMismatch)
    buffer.resize(buffer.size() * 2);
  if (status != 0) return -1;
  const Table* table = reinterpret_cast<const Table*>(buffer.data());
  long count = 0;
  for (ULONG i = 0; i < table->count; ++i) count += table->entries[i].ownerPid == processId;
  return count;
}

void RestoreBuiltInTables() {
  size_t i = 0;
  for (GlCapRow* row = GetGlCapTable(); row->valueName; ++row) row->state = BuiltIn.capStates[i++];
  i = 0;
  for (const MaterialLightRow* row = GetMaterialLightTable(); row->valueName; ++row, ++i)
    memcpy(row->vector, BuiltIn.vectors[i].data(), BuiltIn.vectors[i].size() * sizeof(float));
}

void FreshSettingsTest::SetUp() {
  ASSERT_EQ(932u, GetACP()) << "the tests expect Wine started with LANG=ja_JP.UTF-8";
  HostInstance = GetModuleHandleA(nullptr);
  ChooseUiLanguage();
  StringID = 0;
  RestoreBuiltInTables();
  StartSaverState();
  DeleteKey(SettingsRoot);
}

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    if (!out.empty()) out += ' ';
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}
