; The per-user installer of Murel for 64-bit Windows. The windows-installer
; target of a Windows build (dist/windows/CMakeLists.txt) runs
;   makensis -INPUTCHARSET UTF8 -DVERSION=2.6 -DVERSION4=2.6.0.0
;     -DSTAGE=<the tree cmake --install staged> -DFILES=<its file list>
;     -DICON=<murel.ico> -DOUTFILE=<Murel-2.6-setup.exe> installer.nsi
; It needs no administrator: the program goes to the user's own programs
; folder, its Start menu entry and its uninstall entry to the user's own
; part of the registry. The user's data (%APPDATA%\Murel) is never touched,
; by the uninstaller neither.

Unicode true
; The program is 64-bit, and so is the installer: it runs where the program
; does, with no 32-bit layer in between.
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Murel"
; Where the program's "run at logon" choice puts its command.
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "murel"

Name "Murel"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Murel"
; Installing again, or a newer version, goes where the first one went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Murel ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
; A silent install (/S) shows no pages, so nothing is started then.
!define MUI_FINISHPAGE_RUN "$INSTDIR\murel.exe"
!define MUI_FINISHPAGE_NOREBOOTSUPPORT

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The program speaks Arabic: the installer does too, right to left, unless
; Windows is set to English.
!insertmacro MUI_LANGUAGE "Arabic"
!insertmacro MUI_LANGUAGE "English"

LangString MurelRunning ${LANG_ARABIC} "موريل يعمل الآن ولم يُغلَق. أغلقه بـ«خروج» من قائمة أيقونته في منطقة الإشعارات، ثم اختر «إعادة المحاولة»."
LangString MurelRunning ${LANG_ENGLISH} "Murel is running and did not close. Close it with Exit (خروج) in the menu of its icon in the notification area, then choose Retry."
LangString MurelComment ${LANG_ARABIC} "تذكيرات عربية قصيرة كل مدة تختارها"
LangString MurelComment ${LANG_ENGLISH} "Short Arabic reminders at the interval you choose"

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Murel"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "Murel"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Murel ${VERSION} setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "GPL-3.0-or-later"

; Files in use cannot be replaced or removed, and the program keeps
; murel.exe and its libraries in use while it runs. A running copy from the
; install folder is asked to end the way its window's close button asks it
; (taskkill without /F sends its windows WM_CLOSE; the program then ends
; with its settings saved); one that has not ended after ten seconds is left
; to the user, and a silent run gives up.
!macro DEFINE_CLOSE_MUREL UN
Function ${UN}CloseMurel
  Push $0
  Push $1
  StrCpy $1 0
  ${Do}
    ${IfNot} ${FileExists} "$INSTDIR\murel.exe"
      ${Break}
    ${EndIf}
    ; A program that runs cannot be opened for writing.
    ClearErrors
    FileOpen $0 "$INSTDIR\murel.exe" a
    ${IfNot} ${Errors}
      FileClose $0
      ${Break}
    ${EndIf}
    ${If} $1 = 0
      nsExec::Exec '"$SYSDIR\taskkill.exe" /IM murel.exe'
      Pop $0
    ${ElseIf} $1 >= 40
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(MurelRunning)" /SD IDCANCEL IDRETRY +2
      Abort
      StrCpy $1 -1
    ${EndIf}
    Sleep 250
    IntOp $1 $1 + 1
  ${Loop}
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro DEFINE_CLOSE_MUREL ""
!insertmacro DEFINE_CLOSE_MUREL "un."

Function .onInit
  SetShellVarContext current
FunctionEnd

Section
  SetShellVarContext current
  Call CloseMurel
  ; A version installed before goes first, all but the user's choices
  ; (its uninstaller's /UPGRADE): files the new one no longer has would
  ; otherwise stay behind. Run in place (_?=), it waits and keeps itself.
  ${If} ${FileExists} "$INSTDIR\Uninstall.exe"
    ExecWait '"$INSTDIR\Uninstall.exe" /S /UPGRADE _?=$INSTDIR'
  ${EndIf}
  SetOutPath "$INSTDIR"
  File /r "${STAGE}/*"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortCut "$SMPROGRAMS\Murel.lnk" "$INSTDIR\murel.exe" "" "$INSTDIR\murel.exe" 0 SW_SHOWNORMAL "" "$(MurelComment)"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Murel"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Murel"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\murel.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section Uninstall
  SetShellVarContext current
  Call un.CloseMurel
  ; Only the files this version installed, by name: the folder may have
  ; been chosen with other things in it, which are not the program's.
  !include "${FILES}"
  ; An upgrade keeps the user's choices: the new version's entries replace
  ; these, and starting at logon stays as it was.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/UPGRADE" $1
  ${If} ${Errors}
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Murel.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}
SectionEnd
