; The Vantelmoor installer: per machine, into Program Files, with the read-me, a Start-menu entry,
; an entry in "Apps and features", the shared data folder and settings key open to the local Users
; group, and the option to start Vantelmoor with Windows. Built by the release target:
;   makensis -DVERSION=... -DEXE=... -DREADME=... -DHELPER=... -DICON=... -DOUTFILE=... Vantelmoor.nsi

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include MUI2.nsh
!include nsDialogs.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define PRODUCT "Vantelmoor"
!define MAKER "Mornavelle"
!define SETTINGS_KEY "SOFTWARE\Vantelmoor"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantelmoor"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${MAKER}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${MAKER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"
!define MUI_FINISHPAGE_RUN_FUNCTION StartUnelevated

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
UninstPage custom un.KeepDataPage un.KeepDataLeave
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Var RemoveData
Var RemoveDataBox

; Running copies end within ten seconds of their run marker's deletion: that is what it is for.
; Waits up to 15 s for the notification-area window of every copy in this session to go.
!macro EndRunningCopies
    Delete "$INSTDIR\Vantelmoor.flg"
    Delete "$APPDATA\${PRODUCT}\Vantelmoor.flg"
    StrCpy $R1 0
    ${Do}
        FindWindow $R0 "frmIconTray" "Vantelmoor Icon Tray"
        ${If} $R0 == 0
            ${Break}
        ${EndIf}
        Sleep 250
        IntOp $R1 $R1 + 1
    ${LoopUntil} $R1 >= 60
    ${If} $R0 != 0
        DetailPrint "A running ${PRODUCT} did not end within 15 seconds."
    ${EndIf}
!macroend

; Lets the local Users group keep the shared data; a refusal is shown in the details.
!macro Grant what path
    nsExec::ExecToLog '"$PLUGINSDIR\grant-access.exe" ${what} "${path}"'
    Pop $R0
    ${If} $R0 != 0
        DetailPrint "The local Users group could not be given access to ${path} ($R0)."
    ${EndIf}
!macroend

Section "${PRODUCT}" SecProgram
    SectionIn RO
    SetRegView 64
    SetShellVarContext all
    InitPluginsDir
    !insertmacro EndRunningCopies
    SetOutPath "$INSTDIR"
    File "${EXE}"
    File "/oname=VantelmoorReadme.txt" "${README}"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Vantelmoor.exe" "" "$INSTDIR\Vantelmoor.exe" 0

    ; The block list, the call log and the run marker of every account, when the program's folder
    ; cannot be written to; and the settings and totals, which every account keeps.
    File "/oname=$PLUGINSDIR\grant-access.exe" "${HELPER}"
    !insertmacro Grant folder "$APPDATA\${PRODUCT}"
    !insertmacro Grant key "${SETTINGS_KEY}\Settings"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${MAKER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Vantelmoor.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Start ${PRODUCT} when Windows starts" SecAutostart
    SetRegView 64
    ; In quotes: "C:\Program Files\..." unquoted would run a planted "C:\Program.exe".
    WriteRegStr HKLM "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\Vantelmoor.exe"'
    WriteRegStr HKLM "${SETTINGS_KEY}\Settings" "Startup Flag" "True"
SectionEnd

Section "-Autostart off"
    SetRegView 64
    ${IfNot} ${SectionIsSelected} ${SecAutostart}
        DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
        WriteRegStr HKLM "${SETTINGS_KEY}\Settings" "Startup Flag" "False"
    ${EndIf}
SectionEnd

; The installer runs elevated; the program it starts must not, or it would keep its files where a
; standard run of it never looks. Explorer starts it as the signed-in user.
Function StartUnelevated
    Exec '"$WINDIR\explorer.exe" "$INSTDIR\Vantelmoor.exe"'
FunctionEnd

Function un.KeepDataPage
    StrCpy $RemoveData 0
    nsDialogs::Create 1018
    Pop $0
    ${NSD_CreateLabel} 0 0 100% 36u "${PRODUCT} will be removed from this computer. Your block list, call log and settings are kept, for a later installation, unless you tick this box:"
    Pop $0
    ${NSD_CreateCheckbox} 0 44u 100% 12u "Also remove my block list, call log and settings"
    Pop $RemoveDataBox
    nsDialogs::Show
FunctionEnd

Function un.KeepDataLeave
    ${NSD_GetState} $RemoveDataBox $RemoveData
FunctionEnd

Section "Uninstall"
    SetRegView 64
    SetShellVarContext all
    !insertmacro EndRunningCopies
    Delete "$INSTDIR\Vantelmoor.exe"
    Delete "$INSTDIR\VantelmoorReadme.txt"
    Delete "$INSTDIR\Uninstall.exe"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
    DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ${If} $RemoveData == ${BST_CHECKED}
        Delete "$INSTDIR\Vantelmoor.dat"
        Delete "$INSTDIR\Vantelmoor.log"
        RMDir /r "$APPDATA\${PRODUCT}"
        DeleteRegKey HKLM "${SETTINGS_KEY}"
    ${EndIf}
    RMDir "$INSTDIR"  ; kept while it holds the data
SectionEnd
