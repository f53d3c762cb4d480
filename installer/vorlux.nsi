; The Vorlux installer. One script, built twice: for x86 (the product: it runs on every Windows)
; and, with -DAMD64, for amd64 (the one the tests can run under 64-bit Wine).
;
; makensis -INPUTCHARSET UTF8 -DVERSION=a.b.c.d -DSCR32=... -DSCR64=... -DHELPFILE=... -DCHMFILE=...
;          -DREADME=... -DLICENSE=... -DOUTFILE=... [-DAMD64] [-DSIGN=<command signing "%1">] vorlux.nsi
;
; Where things go. The screen saver settings list the savers in the system folder of the
; system's own width, so on 64-bit Windows the 64-bit build goes into the real System32 (the
; 32-bit one in SysWOW64 would never be listed), and on 32-bit Windows the 32-bit build goes into
; System32. The help files go beside it: vorlux.hlp where WinHelp looks first, vorlux.chm where
; the saver looks for it from Vista on. The uninstaller, this README and the licence go into a
; Vorlux folder of their own: in Program Files, or in the folder that setup.exe /D=<folder> names,
; so that they never meet another program's README.txt or uninstall.exe there, and the uninstaller
; removes just those three files and the folder (when nothing else is left in it).
;
; Silent use: setup.exe /S [/ACTIVATE] installs, and makes Vorlux the current user's screen saver
; only with /ACTIVATE; uninstall.exe /S [/REMOVESETTINGS] removes it, and the settings only with
; /REMOVESETTINGS. Interactively both are asked.

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

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include x64.nsh

!define PRODUCT "Vorlux"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vorlux"
!define SETTINGS_KEY "SOFTWARE\Pellam\Vorlux"
!define DESKTOP_KEY "Control Panel\Desktop"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir ""  ; <folder>\Vorlux, made in .onInit from Program Files or setup.exe /D=<folder>
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show
BrandingText "${PRODUCT} ${VERSION}"

Var RemoveSettings  ; "1": the uninstaller also removes the settings key

!define MUI_ICON "${NSISDIR}\Contrib\Graphics\Icons\modern-install.ico"
!define MUI_UNICON "${NSISDIR}\Contrib\Graphics\Icons\modern-uninstall.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileDescription" "Vorlux スクリーンセーバーのセットアップ"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "CompanyName" "Pellam"
VIAddVersionKey /LANG=${LANG_JAPANESE} "LegalCopyright" "Copyright (C) 2026 Pellam"

Section "Vorlux スクリーンセーバー" SecSaver
  SectionIn RO
  ; A 32-bit installer on 64-bit Windows must reach the real System32, not SysWOW64.
  ${DisableX64FSRedirection}
  SetOutPath "$SYSDIR"
  ${If} ${RunningX64}
    File "/oname=vorlux.scr" "${SCR64}"
  ${Else}
    File "/oname=vorlux.scr" "${SCR32}"
  ${EndIf}
  File "/oname=vorlux.hlp" "${HELPFILE}"
  File "/oname=vorlux.chm" "${CHMFILE}"
  ${EnableX64FSRedirection}

  SetOutPath "$INSTDIR"
  File "/oname=README.txt" "${README}"
  File "/oname=LICENSE.txt" "${LICENSE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Vorlux スクリーンセーバー"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Pellam"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$SYSDIR\vorlux.scr"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntOp $0 $0 + 420  ; the saver and its help files in the system folder
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Windows keeps the saver's path in its short form.
Section "現在のユーザーのスクリーンセーバーにする" SecActivate
  ${DisableX64FSRedirection}
  GetFullPathName /SHORT $0 "$SYSDIR\vorlux.scr"
  ${EnableX64FSRedirection}
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$0"
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
  ; SPI_SETSCREENSAVEACTIVE, told to every window, so the change counts at once.
  System::Call "user32::SystemParametersInfo(i 17, i 1, p 0, i 3)"
SectionEnd

LangString DESC_SecSaver ${LANG_JAPANESE} "スクリーンセーバー本体 (vorlux.scr) とヘルプ (vorlux.hlp、vorlux.chm) をシステム フォルダーに入れます。"
LangString DESC_SecActivate ${LANG_JAPANESE} "Vorlux を、いまのユーザーのスクリーンセーバーとして選びます。"
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecSaver} $(DESC_SecSaver)
  !insertmacro MUI_DESCRIPTION_TEXT ${SecActivate} $(DESC_SecActivate)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
  ; /D= has set the folder before this runs; without it, Program Files of the system's width.
  ${If} $INSTDIR == ""
    ${If} ${RunningX64}
      StrCpy $INSTDIR "$PROGRAMFILES64"
    ${Else}
      StrCpy $INSTDIR "$PROGRAMFILES"
    ${EndIf}
  ${EndIf}
  StrCpy $0 $INSTDIR 1 -1
  ${If} $0 == "\"
    StrCpy $INSTDIR $INSTDIR -1  ; /D=D:\Apps\ as /D=D:\Apps
  ${EndIf}
  StrCpy $INSTDIR "$INSTDIR\${PRODUCT}"
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
  StrCpy $RemoveSettings 0
  ${If} ${Silent}
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/REMOVESETTINGS" $1
    ${IfNot} ${Errors}
      StrCpy $RemoveSettings 1
    ${EndIf}
  ${Else}
    MessageBox MB_YESNO|MB_ICONQUESTION \
      "Vorlux の設定 (表示文字列、文字の形、ライト、材質、オプション) も削除しますか?" \
      /SD IDNO IDNO keep
    StrCpy $RemoveSettings 1
    keep:
  ${EndIf}
FunctionEnd

Section "Uninstall"
  ${DisableX64FSRedirection}
  Delete "$SYSDIR\vorlux.scr"
  Delete "$SYSDIR\vorlux.hlp"
  Delete "$SYSDIR\vorlux.chm"
  ; WinHelp's index and search files, made beside the help file when it was read.
  Delete "$SYSDIR\vorlux.gid"
  Delete "$SYSDIR\vorlux.fts"
  ${EnableX64FSRedirection}
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  ; A screen saver setting that names the removed file would point at nothing.
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${GetFileName} "$0" $1
  ${If} $1 == "vorlux.scr"
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${EndIf}
  ${If} $RemoveSettings == 1
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "SOFTWARE\Pellam"
  ${EndIf}
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
