; The Vorlux installer. One script, built twice: for x86 (the product: it runs on every Windows)
; and, with -DAMD64, for amd64 (the one the tests can run under 64-bit Wine).
;
; makensis -INPUTCHARSET UTF8 -DVERSION=a.b.c.d -DSCR32=... -DSCR64=... -DHELPFILE=... -DCHMFILE=...
;          -DHELPFILE_EN=... -DCHMFILE_EN=... -DREADME=... -DLICENSE=... -DOUTFILE=...
;          -DMSI_UPGRADE_CODE={...} [-DAMD64] [-DSIGN=<command signing "%1">] vorlux.nsi
;
; It speaks the user's language: Japanese where Windows' display language is Japanese, English
; wherever it is another (NSIS takes the first language of the script when none matches). The
; away shortcut and the uninstall entry are named in the language setup ran in; the uninstaller,
; which may run in the other, removes the shortcut under either name.
;
; Two ways in. For all users (the default for an administrator, /ALLUSERS): the screen saver
; settings list the savers in the system folder of the system's own width, so on 64-bit Windows the
; 64-bit build goes into the real System32 (the 32-bit one in SysWOW64 would never be listed), and
; on 32-bit Windows the 32-bit build goes into System32; the uninstall entry is the machine's. For
; the current user only (the one way a standard user is offered, /CURRENTUSER), without
; administrator rights: the saver of the system's width goes into the Vorlux folder under
; %LOCALAPPDATA%\Programs, nothing into the system folder, Program Files or HKLM, and the uninstall
; entry is the user's; such a saver is chosen by its full path, and the settings then list it.
; The help files of both languages go beside the saver, since the saver chooses its language each
; time it starts: vorlux.hlp and vorlux-en.hlp where WinHelp looks first, vorlux.chm and
; vorlux-en.chm where the saver looks for them from Vista on. The uninstaller, this README and the
; licence go into a Vorlux folder of their own: in Program Files (or %LOCALAPPDATA%\Programs), or
; in the folder that setup.exe /D=<folder> names, so that they never meet another program's
; README.txt or uninstall.exe there, and the uninstaller removes just the files it installed and the
; folder (when nothing else is left in it).
;
; Every way in adds the away shortcut (vorlux.scr /w, named by AwayShortcut) to the Start menu's
; programs, all users' or the user's, with Ctrl+Alt+F8 as its shortcut key: Windows reserves no
; Ctrl+Alt+function key, and a function key gives no character with AltGr (Ctrl+Alt) on any keyboard
; layout, where Ctrl+Alt+letter would take a letter from some.
;
; The manifest asks for elevation only of an administrator ("highest"), so a standard user is never
; stopped by a prompt they cannot answer, and the first page, shown to an administrator only,
; chooses the way in. Its default is the way Vorlux is already installed (the machine's uninstall
; entry, else the user's), so that setup run again updates that install.
;
; One Vorlux at a time: setup refuses a way in that would meet another install (WayInRefused): for
; all users, the MSI's (whose files in the system folder either uninstaller would take from the
; other) or this user's own; for the current user, the machine's. It says why, and the silent run
; ends with EXIT_INSTALLED_OTHERWISE instead. The MSI refuses setup's install for all users in turn.
;
; Silent use: setup.exe /S [/ALLUSERS|/CURRENTUSER] [/ACTIVATE] installs, and makes Vorlux the
; current user's screen saver only with /ACTIVATE; uninstall.exe /S [/REMOVESETTINGS] removes it,
; and the settings only with /REMOVESETTINGS. Interactively both are asked. A silent setup that
; cannot go on shows no message box: it ends with EXIT_INSTALLED_OTHERWISE (see above) or
; EXIT_NEEDS_ADMIN (/ALLUSERS without administrator rights).

!ifdef AMD64
  Target amd64-unicode
!else
  Target x86-unicode
!endif

; With a certificate (make dist SIGN_PFX=...), the uninstaller and the installer are signed as
; makensis writes them, so the uninstaller that the installer carries is the signed one.
!ifdef SIGN
  !uninstfinalize '${SIGN} "%1"' = 0
  !finalize '${SIGN} "%1"' = 0
!endif

; LogicLib leaves labels of branches that a macro does not use.
!pragma warning disable 6012

!define PRODUCT "Vorlux"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vorlux"
!define SETTINGS_KEY "SOFTWARE\Pellam\Vorlux"
!define DESKTOP_KEY "Control Panel\Desktop"
; The away shortcut's names, in Japanese and in English.
!define AWAY_SHORTCUT_JA "Vorlux で離席"
!define AWAY_SHORTCUT_EN "Vorlux Away"
!define EXIT_INSTALLED_OTHERWISE 1638  ; ERROR_PRODUCT_VERSION: Vorlux is installed another way
!define EXIT_NEEDS_ADMIN 740  ; ERROR_ELEVATION_REQUIRED

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_FUNCTION PlaceForMode
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
; The uninstaller knows its way from where it lies (un.onInit).
!define MULTIUSER_NOUNINSTALL
!define MULTIUSER_INIT_TEXT_ALLUSERSNOTPOSSIBLE "$(NeedsAdminForAll)"

!include MUI2.nsh
!include MultiUser.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include x64.nsh

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir ""  ; <folder>\Vorlux, made by PlaceForMode from the way in or setup.exe /D=<folder>
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show
BrandingText "${PRODUCT} ${VERSION}"

Var RemoveSettings  ; "1": the uninstaller also removes the settings key
Var ChosenFolder  ; the folder that setup.exe /D= named, else empty
Var SaverDir  ; where vorlux.scr and its help files go: the system folder, or $INSTDIR for one user

!define MUI_ICON "${NSISDIR}\Contrib\Graphics\Icons\modern-install.ico"
!define MUI_UNICON "${NSISDIR}\Contrib\Graphics\Icons\modern-uninstall.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE WayInChosen
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The first is the language of every Windows whose display language is not Japanese.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

; What setup and its uninstaller say, in one place, in each language. The uninstall entry a refusal
; names is the one installed, in the language it was installed in ($R1).
LangString SecSaverName ${LANG_JAPANESE} "Vorlux スクリーンセーバー"
LangString SecSaverName ${LANG_ENGLISH} "Vorlux screen saver"
LangString SecActivateName ${LANG_JAPANESE} "現在のユーザーのスクリーンセーバーにする"
LangString SecActivateName ${LANG_ENGLISH} "Make it the current user's screen saver"
LangString DESC_SecSaver ${LANG_JAPANESE} "スクリーンセーバー本体 (vorlux.scr) と日本語と英語のヘルプを入れます。"
LangString DESC_SecSaver ${LANG_ENGLISH} "Installs the screen saver (vorlux.scr) and its help in English and Japanese."
LangString DESC_SecActivate ${LANG_JAPANESE} "Vorlux を、いまのユーザーのスクリーンセーバーとして選びます。"
LangString DESC_SecActivate ${LANG_ENGLISH} "Chooses Vorlux as the current user's screen saver."
LangString EntryName ${LANG_JAPANESE} "Vorlux スクリーンセーバー"
LangString EntryName ${LANG_ENGLISH} "Vorlux screen saver"
LangString AwayShortcut ${LANG_JAPANESE} "${AWAY_SHORTCUT_JA}"
LangString AwayShortcut ${LANG_ENGLISH} "${AWAY_SHORTCUT_EN}"
LangString NeedsAdminForAll ${LANG_JAPANESE} \
  "このコンピューターのすべてのユーザーに $(^Name) をインストールするには、管理者の権限が必要です。"
LangString NeedsAdminForAll ${LANG_ENGLISH} \
  "Installing $(^Name) for all users of this computer needs administrator rights."
LangString MsiInstalled ${LANG_JAPANESE} \
  "Vorlux は MSI (Vorlux screen saver) でこのコンピューターに入っています。全員にインストールすると同じファイルを上書きするので、インストールしません。全員に入れ直すには、先に「アプリ」で Vorlux screen saver をアンインストールしてください。"
LangString MsiInstalled ${LANG_ENGLISH} \
  "Vorlux is installed on this computer by its MSI (Vorlux screen saver). Installing it for everyone would write over the same files, so setup does not install it. To install it for everyone again, first uninstall Vorlux screen saver in Apps."
LangString UserInstalled ${LANG_JAPANESE} \
  "Vorlux はすでにあなたのユーザーにだけ入っています。同じものを二つ入れないよう、全員にはインストールしません。全員に入れるには、先に「アプリ」で $R1 をアンインストールしてください。"
LangString UserInstalled ${LANG_ENGLISH} \
  "Vorlux is already installed for you alone. So that there are never two of it, setup does not install it for everyone. To install it for everyone, first uninstall $R1 in Apps."
LangString MachineInstalled ${LANG_JAPANESE} \
  "Vorlux はすでにこのコンピューターの全員に入っていて、そのまま使えます。同じものを二つ入れないよう、自分にのみインストールすることはしません。"
LangString MachineInstalled ${LANG_ENGLISH} \
  "Vorlux is already installed for everyone on this computer and ready to use. So that there are never two of it, setup does not install it for you alone."
LangString NeedsAdminToRemove ${LANG_JAPANESE} \
  "Vorlux はこのコンピューターのすべてのユーザーに入っています。削除するには管理者の権限が必要です。"
LangString NeedsAdminToRemove ${LANG_ENGLISH} \
  "Vorlux is installed for all users of this computer. Removing it needs administrator rights."
LangString AskRemoveSettings ${LANG_JAPANESE} \
  "Vorlux の設定 (表示文字列、文字の形、ライト、材質、オプション) も削除しますか?"
LangString AskRemoveSettings ${LANG_ENGLISH} \
  "Remove the Vorlux settings too (the words, the shape of the letters, the light, the material and the options)?"

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileDescription" "Vorlux スクリーンセーバーのセットアップ"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "CompanyName" "Pellam"
VIAddVersionKey /LANG=${LANG_JAPANESE} "LegalCopyright" "Copyright (C) 2026 Pellam"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Vorlux screen saver setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "Pellam"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (C) 2026 Pellam"

; Both names of the away shortcut: setup run again in the other language replaces the shortcut,
; and the uninstaller removes it whichever language made it.
!macro DeleteAwayShortcuts
  Delete "$SMPROGRAMS\${AWAY_SHORTCUT_JA}.lnk"
  Delete "$SMPROGRAMS\${AWAY_SHORTCUT_EN}.lnk"
!macroend

Section "$(SecSaverName)" SecSaver
  SectionIn RO
  ; A 32-bit installer on 64-bit Windows must reach the real System32, not SysWOW64.
  ${DisableX64FSRedirection}
  SetOutPath "$SaverDir"
  ${If} ${RunningX64}
    File "/oname=vorlux.scr" "${SCR64}"
  ${Else}
    File "/oname=vorlux.scr" "${SCR32}"
  ${EndIf}
  File "/oname=vorlux.hlp" "${HELPFILE}"
  File "/oname=vorlux.chm" "${CHMFILE}"
  File "/oname=vorlux-en.hlp" "${HELPFILE_EN}"
  File "/oname=vorlux-en.chm" "${CHMFILE_EN}"
  ${EnableX64FSRedirection}
  ; $SMPROGRAMS is all users' or the user's, as MultiUser.nsh set the shell folders for the way
  ; in. Made with redirection on: the shell may load DLLs as it writes the link, and DLL loading
  ; fails on a thread without it. The link keeps the System32 path as given, which the 64-bit
  ; shell then opens in the real System32.
  !insertmacro DeleteAwayShortcuts
  CreateShortCut "$SMPROGRAMS\$(AwayShortcut).lnk" "$SaverDir\vorlux.scr" "/w" "$SaverDir\vorlux.scr" 0 \
    SW_SHOWNORMAL "ALT|CONTROL|F8"

  SetOutPath "$INSTDIR"
  File "/oname=README.txt" "${README}"
  File "/oname=LICENSE.txt" "${LICENSE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; SHCTX: the machine's uninstall entry for all users, the user's for one.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "$(EntryName)"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "Pellam"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$SaverDir\vorlux.scr"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  ${If} $SaverDir != $INSTDIR
    IntOp $0 $0 + 470  ; the saver and the help files of both languages in the system folder
  ${EndIf}
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Windows keeps the saver's path in its short form.
Section "$(SecActivateName)" SecActivate
  ${DisableX64FSRedirection}
  GetFullPathName /SHORT $0 "$SaverDir\vorlux.scr"
  ${EnableX64FSRedirection}
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$0"
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
  ; SPI_SETSCREENSAVEACTIVE, told to every window, so the change counts at once.
  System::Call "user32::SystemParametersInfo(i 17, i 1, p 0, i 3)"
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecSaver} $(DESC_SecSaver)
  !insertmacro MUI_DESCRIPTION_TEXT ${SecActivate} $(DESC_SecActivate)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; The folders of the way in, called by MultiUser.nsh whenever the way changes (at the start, for
; /ALLUSERS or /CURRENTUSER, on leaving the first page), with the shell folders already set to it.
Function PlaceForMode
  ${If} $MultiUser.InstallMode == "CurrentUser"
    StrCpy $INSTDIR "$LOCALAPPDATA\Programs"
  ${ElseIf} ${RunningX64}
    StrCpy $INSTDIR "$PROGRAMFILES64"
  ${Else}
    StrCpy $INSTDIR "$PROGRAMFILES"
  ${EndIf}
  ${If} $ChosenFolder != ""
    StrCpy $INSTDIR $ChosenFolder
  ${EndIf}
  StrCpy $INSTDIR "$INSTDIR\${PRODUCT}"
  StrCpy $SaverDir $SYSDIR
  ${If} $MultiUser.InstallMode == "CurrentUser"
    StrCpy $SaverDir $INSTDIR
  ${EndIf}
FunctionEnd

; Why the way in chosen would meet another install of Vorlux, into $R0 ("" when it would not).
Function WayInRefused
  StrCpy $R0 ""
  ${If} $MultiUser.InstallMode == "AllUsers"
    System::Call 'msi::MsiEnumRelatedProductsW(w "${MSI_UPGRADE_CODE}", i 0, i 0, w .r1) i .r0'
    ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ReadRegStr $R1 HKCU "${UNINSTALL_KEY}" "DisplayName"
    ${If} $0 == 0  ; ERROR_SUCCESS: one found ("error" when msi.dll could not be called)
      StrCpy $R0 "$(MsiInstalled)"
    ${ElseIf} $1 != ""
      StrCpy $R0 "$(UserInstalled)"
    ${EndIf}
  ${Else}
    ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $1 != ""
      StrCpy $R0 "$(MachineInstalled)"
    ${EndIf}
  ${EndIf}
FunctionEnd

; Ends setup when the way in would meet another install: with a message box, or in a silent run
; with the exit code alone.
Function QuitIfRefused
  Call WayInRefused
  ${If} $R0 != ""
    MessageBox MB_OK|MB_ICONSTOP $R0 /SD IDOK
    SetErrorLevel ${EXIT_INSTALLED_OTHERWISE}
    Quit
  ${EndIf}
FunctionEnd

; Leaving the first page: a way in that is refused is chosen again.
Function WayInChosen
  Call WayInRefused
  ${If} $R0 != ""
    MessageBox MB_OK|MB_ICONSTOP $R0
    Abort
  ${EndIf}
FunctionEnd

Function .onInit
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
  ; /D= has set the folder before this runs.
  StrCpy $ChosenFolder $INSTDIR
  StrCpy $0 $ChosenFolder 1 -1
  ${If} $0 == "\"
    StrCpy $ChosenFolder $ChosenFolder -1  ; /D=D:\Apps\ as /D=D:\Apps
  ${EndIf}
  ; MultiUser.nsh would refuse a standard user's /ALLUSERS with a message box, silent or not.
  UserInfo::GetAccountType
  Pop $0
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/ALLUSERS" $2
  ${If} ${Silent}
  ${AndIfNot} ${Errors}
  ${AndIf} $0 != "Admin"
  ${AndIf} $0 != "Power"
    SetErrorLevel ${EXIT_NEEDS_ADMIN}
    Quit
  ${EndIf}
  !insertmacro MULTIUSER_INIT
  ; The first page, shown to an administrator, checks the way chosen there; else it is checked now.
  ${If} ${Silent}
    Call QuitIfRefused
  ${ElseIf} $MultiUser.Privileges != "Admin"
  ${AndIf} $MultiUser.Privileges != "Power"
    Call QuitIfRefused
  ${EndIf}
  ; A silent install changes the user's screen saver only when asked to.
  ${If} ${Silent}
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/ACTIVATE" $1
    ${If} ${Errors}
      !insertmacro UnselectSection ${SecActivate}
    ${EndIf}
  ${EndIf}
FunctionEnd

Function un.onInit
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
  ; Installed for one user: the saver lies beside the uninstaller, which the user's uninstall entry
  ; names. For all users, it lies in the system folder, and only an administrator can remove it.
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
  ${OrIf} ${FileExists} "$INSTDIR\vorlux.scr"
    SetShellVarContext current
    StrCpy $SaverDir $INSTDIR
  ${Else}
    SetShellVarContext all
    StrCpy $SaverDir $SYSDIR
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 != "Admin"
      MessageBox MB_OK|MB_ICONSTOP "$(NeedsAdminToRemove)" /SD IDOK
      Quit
    ${EndIf}
  ${EndIf}
  StrCpy $RemoveSettings 0
  ${If} ${Silent}
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/REMOVESETTINGS" $1
    ${IfNot} ${Errors}
      StrCpy $RemoveSettings 1
    ${EndIf}
  ${Else}
    MessageBox MB_YESNO|MB_ICONQUESTION "$(AskRemoveSettings)" /SD IDNO IDNO keep
    StrCpy $RemoveSettings 1
    keep:
  ${EndIf}
FunctionEnd

Section "Uninstall"
  ${DisableX64FSRedirection}
  ; A screen saver setting that names the removed file would point at nothing; one that names
  ; another saver is not ours to change. Windows keeps the path in its short form.
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  GetFullPathName /SHORT $1 "$SaverDir\vorlux.scr"
  ${If} $0 == "$SaverDir\vorlux.scr"
  ${OrIf} $0 == $1
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${EndIf}
  Delete "$SaverDir\vorlux.scr"
  Delete "$SaverDir\vorlux.hlp"
  Delete "$SaverDir\vorlux.chm"
  Delete "$SaverDir\vorlux-en.hlp"
  Delete "$SaverDir\vorlux-en.chm"
  ; WinHelp's index and search files, made beside a help file when it was read.
  Delete "$SaverDir\vorlux.gid"
  Delete "$SaverDir\vorlux.fts"
  Delete "$SaverDir\vorlux-en.gid"
  Delete "$SaverDir\vorlux-en.fts"
  ${EnableX64FSRedirection}
  !insertmacro DeleteAwayShortcuts
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  ${If} $RemoveSettings == 1
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "SOFTWARE\Pellam"
  ${EndIf}
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
