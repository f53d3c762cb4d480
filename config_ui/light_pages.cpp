// The light and material pages, twins over the material and light table in memory: each shows its
// rows' components in edits of their own and, when the sheet applies, reads them back into the
// table and stores its rows. Main thread only.
#include "config_ui/help.h"
#include "config_ui/help_ids.h"
#include "config_ui/number_field.h"
#include "config_ui/page_support.h"
#include "config_ui/pages.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "settings/store.h"

namespace {

struct VectorPage {
  int firstRow;      // the first of the table rows shown as an edit per float
  int rowCount;
  int firstEdit;     // the first row's first edit; the rows' edits follow it in order, four a row
  bool shininess;    // the material page also shows the shininess, as an integer
  const uint32_t* helpIds;
};

const VectorPage LightPage = {LightAmbientRow, 5, IDC_LIGHT_AMBIENT, false, LightHelpIds};
const VectorPage MaterialPage = {MatAmbientRow, 4, IDC_MAT_AMBIENT, true, MaterialHelpIds};

constexpr int EditsPerRow = 4;

// The table in memory takes the stored rows each time a page opens, as every page reads what it
// shows.
void ShowRows(HWND page, const VectorPage& shown) {
  OpenSettingsKeyForRead();
  ReadMaterialLight(SaverState.SettingsKey);
  CloseSettingsKey();
  const MaterialLightRow* table = GetMaterialLightTable();
  for (int r = 0; r < shown.rowCount; ++r) {
    const MaterialLightRow& row = table[shown.firstRow + r];
    for (int c = 0; c < row.width; ++c) ShowFloat(page, shown.firstEdit + EditsPerRow * r + c, row.vector[c]);
  }
  if (shown.shininess) {
    char text[NumberFieldSize];
    FormatIntField(text, sizeof text, ShininessShown(table[MatShininessRow].vector[0]));
    SetDlgItemTextA(page, IDC_SHININESS, text);
  }
}

LSTATUS WriteRow(const MaterialLightRow& row) {
  return WriteBinarySetting(SaverState.SettingsKey, row.valueName, row.vector,
                            static_cast<DWORD>(row.width * sizeof(float)));
}

// Every row is written whether or not its entries held numbers; the table in memory takes what
// was read.
INT_PTR ApplyRows(HWND page, const VectorPage& shown) {
  if (!BeginSettingsWrite(page)) return RefuseApply(page);
  const MaterialLightRow* table = GetMaterialLightTable();
  LSTATUS status = ERROR_SUCCESS;
  for (int r = 0; r < shown.rowCount; ++r) {
    const MaterialLightRow& row = table[shown.firstRow + r];
    for (int c = 0; c < row.width; ++c) ReadFloat(page, shown.firstEdit + EditsPerRow * r + c, &row.vector[c]);
    status = FirstFailure(status, WriteRow(row));
  }
  if (shown.shininess) {
    const MaterialLightRow& row = table[MatShininessRow];
    char text[EditReadSize] = "";
    GetDlgItemTextA(page, IDC_SHININESS, text, sizeof text);
    row.vector[0] = ReadShininessField(text, row.vector[0]);
    status = FirstFailure(status, WriteRow(row));
  }
  if (!EndSettingsWrite(page, status)) return RefuseApply(page);
  return FALSE;
}

INT_PTR VectorPageProc(HWND page, UINT message, LPARAM lParam, const VectorPage& shown) {
  switch (message) {
    case WM_INITDIALOG:
      ShowRows(page, shown);
      return TRUE;
    case WM_NOTIFY:
      return IsApply(lParam) ? ApplyRows(page, shown) : FALSE;
    case WM_HELP:
      ShowContextHelp(page, lParam, shown.helpIds);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

INT_PTR CALLBACK LightPageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
  return VectorPageProc(page, message, lParam, LightPage);
}

INT_PTR CALLBACK MaterialPageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
  return VectorPageProc(page, message, lParam, MaterialPage);
}
