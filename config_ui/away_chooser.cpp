// The away chooser (see away_chooser.h): a dialog of its own message loop, so that a digit is
// taken wherever the focus is in it. Main thread only.
#include "config_ui/away_chooser.h"
#include "config_ui/help.h"
#include "config_ui/help_ids.h"
#include "config_ui/page_support.h"
#include "config_ui/word_list.h"
#include "host/away_rules.h"
#include "host/host_state.h"
#include "host/system.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "settings/store.h"
#include <wchar.h>

namespace {

constexpr int32_t Choosing = -2;
int32_t Chosen = Choosing;

// "1  趣味": the number that starts the word, then the word.
void ShowWords(HWND dialog) {
  HWND list = GetDlgItem(dialog, IDC_AWAY_WORDS);
  for (int slot = 0; slot < TextSlotCount; ++slot) {
    wchar_t entry[TextBufferSize + 3] = {static_cast<wchar_t>(L'1' + slot), L' ', L' '};
    wcsncpy(entry + 3, SaverState.TextSlots[slot], TextBufferSize);
    entry[TextBufferSize + 2] = 0;
    InsertListEntry(list, slot, entry, LB_INSERTSTRING);
  }
  SendMessageA(list, LB_SETCURSEL, StringID >= 0 && StringID < TextSlotCount ? StringID : 0, 0);
  SetFocus(list);
}

// Digits reach the chooser as keys even while the input method is on, as it mostly is for
// Japanese: its windows are given none, as the saver window is.
void DetachInputMethod(HWND dialog) {
  constexpr DWORD Children = 1;  // IACE_CHILDREN
  using AssociateFn = BOOL(WINAPI*)(HWND, HANDLE, DWORD);
  HMODULE imm = GetModuleHandleA("IMM32.DLL");
  if (auto associate = imm ? ProcAddress<AssociateFn>(imm, "ImmAssociateContextEx") : nullptr)
    associate(dialog, nullptr, Children);
}

void CentreOnMainDisplay(HWND dialog) {
  RECT area, box;
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0) || !GetWindowRect(dialog, &box)) return;
  SetWindowPos(dialog, nullptr, (area.left + area.right - (box.right - box.left)) / 2,
               (area.top + area.bottom - (box.bottom - box.top)) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Stores the time and the lock where they changed, and ends the chooser with the word. A store
// that fails is told, and the chooser stays.
void Start(HWND dialog, int32_t word) {
  if (SettingsChanged(dialog, SettingGroup::Word) | SettingsChanged(dialog, SettingGroup::Away)) {
    if (!BeginSettingsWrite(dialog)) return;
    LSTATUS status = StoreSettings(dialog, SettingGroup::Word);
    status = FirstFailure(status, StoreSettings(dialog, SettingGroup::Away));
    if (!EndSettingsWrite(dialog, status)) return;
  }
  Chosen = word;
}

void StartHighlighted(HWND dialog) {
  LRESULT highlighted = SendDlgItemMessageA(dialog, IDC_AWAY_WORDS, LB_GETCURSEL, 0, 0);
  if (highlighted < 0 || highlighted >= TextSlotCount) {
    MessageBeep(MB_ICONWARNING);
    return;
  }
  Start(dialog, static_cast<int32_t>(highlighted) + 1);
}

INT_PTR CALLBACK AwayChooserProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      DetachInputMethod(dialog);
      ShowWords(dialog);
      ShowSettings(dialog, SettingGroup::Word);
      ShowSettings(dialog, SettingGroup::Away);
      CentreOnMainDisplay(dialog);
      return FALSE;  // the focus is on the words
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_AWAY_WORDS:
          if (HIWORD(wParam) == LBN_DBLCLK) StartHighlighted(dialog);
          return TRUE;
        case IDOK:
          StartHighlighted(dialog);
          return TRUE;
        case IDCANCEL:
          Chosen = 0;
          return TRUE;
        default:
          return FALSE;
      }
    case WM_HELP:
      ShowContextHelp(dialog, lParam, AwayHelpIds);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

int32_t RunAwayChooser() {
  // The consumer platform has no Unicode dialogs; there the words come converted.
  const bool ansi = ConsumerPlatform != 0;
  Chosen = Choosing;
  const DLGTEMPLATE* chooser = DialogTemplate(IDD_AWAY);
  HWND dialog = chooser ? (ansi ? CreateDialogIndirectParamA : CreateDialogIndirectParamW)(
                              HostInstance, chooser, nullptr, AwayChooserProc, 0)
                        : nullptr;
  if (!dialog) return -1;
  MSG msg;
  while (Chosen == Choosing && (ansi ? GetMessageA : GetMessageW)(&msg, nullptr, 0, 0) > 0) {
    int32_t word = msg.message == WM_KEYDOWN && (msg.hwnd == dialog || IsChild(dialog, msg.hwnd))
                       ? AwayWordOfKey(static_cast<uint32_t>(msg.wParam))
                       : 0;
    if (word) {
      Start(dialog, word);
      continue;
    }
    if ((ansi ? IsDialogMessageA : IsDialogMessageW)(dialog, &msg)) continue;
    TranslateMessage(&msg);
    (ansi ? DispatchMessageA : DispatchMessageW)(&msg);
  }
  CloseHelp();
  DestroyWindow(dialog);
  return Chosen == Choosing ? 0 : Chosen;
}
