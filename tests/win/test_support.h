// Helpers of the Windows tests: a fresh settings key per test (values written behind the store's
// back with the registry helpers), and the built-in tables put back between tests in one process.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>
#include <string>
#include "tests/win/registry.h"

// Puts the GL switch states and the material/light vectors back to their built-in values.
void RestoreBuiltInTables();

// Starts SaverState with the strings of this test program (its resources are the program's) and
// deletes the settings key, as every run of the program starts.
class FreshSettingsTest : public testing::Test {
 protected:
  void SetUp() override;
};

// A process's handles, counted in the system's handle table: Wine's GetProcessHandleCount reads
// 0 for every process, its own too. -1 when the table cannot be read. (bench/soak.cpp counts the
// saver's with it too.)
long HandleCount(DWORD processId = GetCurrentProcessId());

// Shows bytes as hex so a failed comparison of multibyte text is readable.
std::string Hex(const std::string& bytes);
