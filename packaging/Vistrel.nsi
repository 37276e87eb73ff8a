; Vistrel's installer and uninstaller: per user, without administrator rights.
; Built by packaging/CMakeLists.txt, which defines VERSION (1.0.N), VERSION_QUAD (1.0.N.0), COPYRIGHT, and the
; paths EXE, README, LICENSE, ICON and OUTFILE.
; Settings (HKCU\SOFTWARE\Tarnwick\Vistrel) and timetable (%APPDATA%\Tarnwick\Vistrel) belong to the user: installing
; never touches them, and uninstalling keeps them unless the user asks to remove them.

Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define MAIN_WINDOW_CLASS "ZQ_VISTREL"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vistrel"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "SOFTWARE\Tarnwick\Vistrel"
!define DATA_DIR "$APPDATA\Tarnwick\Vistrel"

Name "Vistrel"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Vistrel"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Vistrel ${VERSION}"
SpaceTexts none

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Vistrel.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_COMPONENTSPAGE_TEXT_TOP "$(KeepUserDataText)"
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

; The program speaks Simplified Chinese; the installer does too, and English on an English Windows.
!insertmacro MUI_LANGUAGE "SimpChinese"
!insertmacro MUI_LANGUAGE "English"

LangString VistrelRunning ${LANG_SIMPCHINESE} "Vistrel 正在运行。$\r$\n$\r$\n请右键单击通知区域中的 Vistrel 图标，选择“退出”，然后单击“重试”。"
LangString VistrelRunning ${LANG_ENGLISH} "Vistrel is running.$\r$\n$\r$\nPlease quit it from its tray menu: right-click the Vistrel icon in the notification area and choose 退出 (Quit). Then click Retry."
LangString KeepUserDataText ${LANG_SIMPCHINESE} "您的设置和时间表将被保留，以后重新安装时仍可使用。如果也要删除它们，请勾选下面的选项。"
LangString KeepUserDataText ${LANG_ENGLISH} "Your settings and timetable are kept, so that a later install finds them again. Tick the box below to remove them as well."
LangString RemoveUserData ${LANG_SIMPCHINESE} "删除我的设置和时间表"
LangString RemoveUserData ${LANG_ENGLISH} "Remove my settings and timetable"

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Vistrel"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "Tarnwick"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Vistrel ${VERSION} setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "${COPYRIGHT}"

; Files in use cannot be replaced or removed, and a copy ended from outside in the middle of a compulsory rest would
; leave the task bar and the cursor hidden: so a running Vistrel is never ended here. The user is asked to quit it,
; and may try again or give up; silent mode gives up (exit code 2).
!macro DEFINE_WAIT_UNTIL_VISTREL_QUITS prefix
Function ${prefix}WaitUntilVistrelQuits
    check:
        FindWindow $0 "${MAIN_WINDOW_CLASS}"
        StrCmp $0 0 not_running
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(VistrelRunning)" /SD IDCANCEL IDRETRY check
        SetErrorLevel 2
        Quit
    not_running:
FunctionEnd
!macroend
!insertmacro DEFINE_WAIT_UNTIL_VISTREL_QUITS ""
!insertmacro DEFINE_WAIT_UNTIL_VISTREL_QUITS "un."

Function .onInit
    Call WaitUntilVistrelQuits
FunctionEnd

Section "Vistrel"
    ; Again here: Vistrel may have been started while the user went through the pages.
    Call WaitUntilVistrelQuits
    SetOutPath "$INSTDIR"
    File "/oname=Vistrel.exe" "${EXE}"
    File "/oname=README.txt" "${README}"
    File "/oname=LICENSE.txt" "${LICENSE}"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Vistrel.lnk" "$INSTDIR\Vistrel.exe"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Vistrel"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Tarnwick"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Vistrel.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
    Call un.WaitUntilVistrelQuits
FunctionEnd

Section "-un.Program"
    Call un.WaitUntilVistrelQuits
    Delete "$INSTDIR\Vistrel.exe"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Vistrel.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    ; Start with Windows: only when it starts this copy, not a portable one kept elsewhere. Vistrel writes the path
    ; in quotes; older versions wrote it bare.
    ReadRegStr $0 HKCU "${RUN_KEY}" "Vistrel"
    ${If} $0 == '"$INSTDIR\Vistrel.exe"'
    ${OrIf} $0 == "$INSTDIR\Vistrel.exe"
        DeleteRegValue HKCU "${RUN_KEY}" "Vistrel"
    ${EndIf}
SectionEnd

Section /o "un.$(RemoveUserData)"
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "SOFTWARE\Tarnwick"
    RMDir /r "${DATA_DIR}"
    RMDir "$APPDATA\Tarnwick"
SectionEnd
