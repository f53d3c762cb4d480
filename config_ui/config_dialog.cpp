// The configuration dialog: picks and edits the six text slots and stores them with the chosen
// slot; opens the property sheet and the help file. Main thread only.
#include "config_ui/config_dialog.h"
#include "config_ui/help.h"
#include "config_ui/help_ids.h"
#include "config_ui/page_support.h"
#include "config_ui/pages.h"
#include "config_ui/word_list.h"
#include "host/host_state.h"
#include "host/system.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "settings/store.h"
#include "settings/value_name.h"
#include <commctrl.h>
#include <stddef.h>
#include <string.h>

namespace {

HWND TextCombo = nullptr;
// The slots stored longer than a slot takes: shown cut, and stored only once replaced, so that
// confirming the dialog never cuts a word nobody touched.
bool SlotCut[TextSlotCount];

// The first version of the records (what the _V1_SIZE macros measure, in a form the compiler can
// check). The sheet steps through the page array by each record's size, so the array is one of
// first-version records; the header is read up to its size.
constexpr size_t PageRecordSize = offsetof(PROPSHEETPAGEA, pcRefParent) + sizeof(UINT*);
constexpr size_t HeaderRecordSize = offsetof(PROPSHEETHEADERA, pfnCallback) + sizeof(PFNPROPSHEETCALLBACK);
static_assert(sizeof(PROPSHEETPAGEA_V1) == PageRecordSize && sizeof(PROPSHEETPAGEW_V1) == PageRecordSize &&
                  offsetof(PROPSHEETHEADERW, pfnCallback) + sizeof(PFNPROPSHEETCALLBACK) == HeaderRecordSize,
              "page records of the first version, alike for both character sets");
static_assert(sizeof(void*) != 4 || (PageRecordSize == 40 && HeaderRecordSize == 40),
              "40-byte records in the 32-bit build");
static_assert(sizeof(void*) != 8 || (PageRecordSize == 72 && HeaderRecordSize == 72),
              "72-byte records in the 64-bit build");

struct PageRow {
  WORD templateId;
  DLGPROC procedure;
};

// In sheet order; each page's tab caption comes from its template.
const PageRow Pages[] = {
  {IDD_SHAPE_PAGE, ShapePageProc},
  {IDD_LIGHT_PAGE, LightPageProc},
  {IDD_MATERIAL_PAGE, MaterialPageProc},
  {IDD_OPTIONS_PAGE, OptionsPageProc},
  {IDD_MOTION_PAGE, MotionPageProc},
  {IDD_ABOUT_PAGE, AboutPageProc},
  {0, nullptr},
};
constexpr int PageCount = sizeof Pages / sizeof Pages[0] - 1;

void InitDialog(HWND dialog) {
  StartSaverState();
  memset(SlotCut, 0, sizeof SlotCut);
  OpenSettingsKeyForRead();
  if (SaverState.SettingsKey) {
    ReadTextSlots(SaverState.SettingsKey, SlotCut);
    ReadIntSetting(SaverState.SettingsKey, StringIdValueName, &StringID, StringID);
    CloseSettingsKey();
  }
  for (int slot = 0; slot < TextSlotCount; ++slot)
    InsertListEntry(TextCombo, slot, SaverState.TextSlots[slot]);
  SendMessageA(TextCombo, CB_SETCURSEL, StringID, 0);
  ShowSettings(dialog, SettingGroup::Word);
}

// Stores StringID and the six list entries, but for a slot shown cut and not replaced. False when
// the user was told that it failed. Every entry is read before anything is written: one that
// cannot be read stores nothing.
bool StoreSlots(HWND dialog) {
  wchar_t entries[TextSlotCount][TextBufferSize];
  for (int slot = 0; slot < TextSlotCount; ++slot) {
    if (DWORD failure = GetListEntry(TextCombo, slot, entries[slot], TextBufferSize)) {
      ReportSaveFailure(dialog, failure);
      return false;
    }
  }
  if (!BeginSettingsWrite(dialog)) return false;
  memcpy(SaverState.TextSlots, entries, sizeof entries);
  LSTATUS status = WriteIntSetting(SaverState.SettingsKey, StringIdValueName, StringID);
  char valueName[32];
  for (int slot = 0; slot < TextSlotCount; ++slot) {
    if (SlotCut[slot]) continue;
    FormatSlotValueName(valueName, sizeof valueName, SlotValuePrefix, slot);
    status = FirstFailure(status, WriteTextSetting(SaverState.SettingsKey, valueName, SaverState.TextSlots[slot]));
  }
  status = FirstFailure(status, StoreSettings(dialog, SettingGroup::Word));
  return EndSettingsWrite(dialog, status);
}

// OK or Enter. The first confirm after an edit puts the typed text in place of the selected
// entry; a confirm that finds them equal stores everything and closes.
INT_PTR Confirm(HWND dialog) {
  if (StringID == -1) {
    EndDialog(dialog, 1);
    return 1;
  }
  // A stored StringID that names no entry selects nothing: there is nothing to compare with or
  // replace, so the user has to pick a slot (or cancel) first.
  if (StringID < 0 || StringID >= SendMessageA(TextCombo, CB_GETCOUNT, 0, 0)) {
    MessageBeep(MB_ICONWARNING);
    return 0;
  }
  wchar_t typed[TextBufferSize];
  wchar_t entry[TextBufferSize];
  GetTypedText(TextCombo, typed, TextBufferSize);
  // An entry that cannot be read is no entry to compare with: nothing is replaced or stored.
  if (GetListEntry(TextCombo, StringID, entry, TextBufferSize) != ERROR_SUCCESS) {
    MessageBeep(MB_ICONWARNING);
    return 0;
  }
  if (wcscmp(typed, entry) != 0) {
    SendMessageA(TextCombo, CB_DELETESTRING, StringID, 0);
    SlotCut[StringID] = false;
    // The edit field keeps the typed text and StringID still names the slot, so the next
    // confirm finds the two equal.
    InsertListEntry(TextCombo, StringID, typed);
    return 0;
  }
  if (!StoreSlots(dialog)) return 0;
  EndDialog(dialog, 1);
  return 1;
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case IDC_TEXT_COMBO:
      if (HIWORD(wParam) == CBN_SELCHANGE)
        StringID = static_cast<int32_t>(SendMessageA(TextCombo, CB_GETCURSEL, 0, 0));
      return 0;
    case IDC_CONFIG_OK:
      return Confirm(dialog);
    case IDCANCEL:
      EndDialog(dialog, 0);
      return 1;
    case IDC_DETAILS:
      OpenPropertySheet(dialog);
      return 0;
    case IDC_HELP_BUTTON:
      ShowHelpContents(dialog);
      return 0;
    default:
      return 0;
  }
}

}  // namespace

INT_PTR CALLBACK SaverConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      TextCombo = GetDlgItem(dialog, IDC_TEXT_COMBO);
      InitDialog(dialog);
      return 0;  // the dialog manager does not place the focus
    case WM_COMMAND:
      return OnCommand(dialog, wParam);
    case WM_HELP:
      ShowContextHelp(dialog, lParam, ConfigHelpIds);
      return 1;
    case WM_DESTROY:
      CloseHelp();
      return 0;
    default:
      return 0;
  }
}

// The sheet through the Unicode call, so that its caption and the pages' tab captions read right
// on every code page; through the ANSI one on the consumer platform.
template <typename PageRecord, typename Header, typename Char>
static INT_PTR RunSheet(HWND parent, const Char* caption, DWORD pageSize, DWORD headerSize,
                        INT_PTR(WINAPI* run)(const Header*)) {
  PageRecord pages[PageCount] = {};
  for (int i = 0; i < PageCount; ++i) {
    pages[i].dwSize = pageSize;
    // The template in the language of the texts, handed over whole.
    pages[i].dwFlags = PSP_DLGINDIRECT;
    pages[i].hInstance = HostInstance;
    pages[i].pResource = DialogTemplate(Pages[i].templateId);
    pages[i].pfnDlgProc = Pages[i].procedure;
  }
  Header header = {};
  header.dwSize = headerSize;
  header.dwFlags = PSH_PROPSHEETPAGE;
  header.hwndParent = parent;
  header.hInstance = HostInstance;
  header.pszCaption = caption;
  header.nPages = PageCount;
  header.nStartPage = 0;
  header.ppsp = reinterpret_cast<decltype(header.ppsp)>(pages);
  return run(&header);
}

INT_PTR OpenPropertySheet(HWND parent) {
  // With common controls 6 the sheet's tab control is registered on request only.
  INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_TAB_CLASSES};
  InitCommonControlsEx(&classes);
  wchar_t caption[32];
  LoadText(HostInstance, IDS_SHEET_CAPTION, caption, 32);
  if (!ConsumerPlatform)
    return RunSheet<PROPSHEETPAGEW_V1, PROPSHEETHEADERW>(parent, caption, PROPSHEETPAGEW_V1_SIZE,
                                                        PROPSHEETHEADERW_V1_SIZE, PropertySheetW);
  char ansi[64];
  AnsiFromWide(caption, ansi, sizeof ansi);
  return RunSheet<PROPSHEETPAGEA_V1, PROPSHEETHEADERA>(parent, ansi, PROPSHEETPAGEA_V1_SIZE, PROPSHEETHEADERA_V1_SIZE,
                                                      PropertySheetA);
}
