; The Vantelmoor installer: per machine, always into "Program Files\Vantelmoor" (a folder anywhere
; else inherits rights that let users replace the program that starts in every administrator's
; session), with the read-me, a Start-menu entry, an entry in "Apps and features", the shared data
; folder and the settings key, and the option to start Vantelmoor with Windows for every user.
; What standard users can write (the data folder, the settings key) is handled by access-helper,
; installed into the program's folder and run from there: it follows no link and sets whole access
; lists. Built by the release target:
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
!define HELPER_EXE "access-helper.exe"

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

!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
UninstPage custom un.KeepDataPage un.KeepDataLeave
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Var RemoveData
Var RemoveDataBox
Var EarlierDir

; Runs the helper from the program's folder; a failure stops setup with the helper's reason.
; Exit 3 (the old data folder in use) and 4 (a file in use renamed aside) get words of their own.
!macro Helper arguments
    nsExec::ExecToLog '"$INSTDIR\${HELPER_EXE}" ${arguments}'
    Pop $R0
    ${If} $R0 == 3
        MessageBox MB_ICONSTOP|MB_OK "Another user of this computer has ${PRODUCT}'s data open in $APPDATA\${PRODUCT}. Sign the other users out, then run this again." /SD IDOK
        Abort
    ${ElseIf} $R0 == 4
        StrCpy $R9 "restart"
    ${ElseIf} $R0 != 0
        MessageBox MB_ICONSTOP|MB_OK "${PRODUCT} could not be set up safely (access-helper ended with $R0). Nothing more is changed; the details say why." /SD IDOK
        Abort
    ${EndIf}
!macroend

Function .onInit
    SetRegView 64
    SetShellVarContext all
    ; Only here, whatever /D= says.
    StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
FunctionEnd

Function un.onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Section "${PRODUCT}" SecProgram
    SectionIn RO
    StrCpy $R9 ""
    ReadRegStr $EarlierDir HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $EarlierDir == $INSTDIR
        StrCpy $EarlierDir ""
    ${EndIf}
    SetOutPath "$INSTDIR"
    File "/oname=${HELPER_EXE}" "${HELPER}"

    ; Every running copy ends (their run markers go), in every session, before its files change.
    !insertmacro Helper 'end-copies "$INSTDIR\Vantelmoor.exe" "$APPDATA\${PRODUCT}" "$INSTDIR"'
    ${If} $EarlierDir != ""
        !insertmacro Helper 'end-copies "$EarlierDir\Vantelmoor.exe" "$EarlierDir"'
    ${EndIf}
    !insertmacro Helper 'retire "$INSTDIR\Vantelmoor.exe"'
    File "${EXE}"
    File "/oname=VantelmoorReadme.txt" "${README}"
    Delete "$INSTDIR\grant-access.exe"  ; an earlier setup's helper
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Vantelmoor.exe" "" "$INSTDIR\Vantelmoor.exe" 0

    ; The block list and the call log of every user, in a folder made anew with its own access list;
    ; the data of the folder it replaces (or of an earlier installation's folder) is carried over.
    ${If} $EarlierDir != ""
        !insertmacro Helper 'data-folder "$APPDATA\${PRODUCT}" "$EarlierDir" "$INSTDIR"'
    ${Else}
        !insertmacro Helper 'data-folder "$APPDATA\${PRODUCT}" "$INSTDIR"'
    ${EndIf}
    !insertmacro Helper 'settings-key "${SETTINGS_KEY}\Settings"'

    ; An earlier setup installed outside Program Files: its uninstaller is not run (anyone could
    ; have changed it); its program files go by name, the folder only when empty.
    ${If} $EarlierDir != ""
        !insertmacro Helper 'remove-old-install "$EarlierDir"'
        DetailPrint "The ${PRODUCT} in $EarlierDir was removed; its block list and call log were carried over."
        MessageBox MB_ICONINFORMATION|MB_OK "${PRODUCT} was installed in $EarlierDir. It is now in $INSTDIR; the copy in $EarlierDir was removed, and its block list and call log carried over to $APPDATA\${PRODUCT}." /SD IDOK
    ${EndIf}

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
    ; In quotes: "C:\Program Files\..." unquoted would run a planted "C:\Program.exe".
    WriteRegStr HKLM "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\Vantelmoor.exe"'
    WriteRegStr HKLM "${SETTINGS_KEY}\Settings" "Startup Flag" "True"
SectionEnd

Section "-Finish"
    ${IfNot} ${SectionIsSelected} ${SecAutostart}
        DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
        WriteRegStr HKLM "${SETTINGS_KEY}\Settings" "Startup Flag" "False"
    ${EndIf}
    ; Last: with its run marker, the program may start.
    !insertmacro Helper 'run-marker "$APPDATA\${PRODUCT}"'
    ${If} $R9 == "restart"
        MessageBox MB_ICONINFORMATION|MB_OK "The ${PRODUCT} that was running is replaced when Windows restarts." /SD IDOK
    ${EndIf}
SectionEnd

; The installer runs elevated; the program it starts must not. Explorer starts it as the
; signed-in user.
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
    StrCpy $R9 ""
    !insertmacro Helper 'end-copies "$INSTDIR\Vantelmoor.exe" "$APPDATA\${PRODUCT}" "$INSTDIR"'
    !insertmacro Helper 'retire "$INSTDIR\Vantelmoor.exe"'
    Delete "$INSTDIR\VantelmoorReadme.txt"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ${If} $RemoveData == ${BST_CHECKED}
        !insertmacro Helper 'remove-data "$APPDATA\${PRODUCT}"'
        ; The values the program knows, then the keys when nothing else is in them.
        DeleteRegValue HKLM "${SETTINGS_KEY}\Settings" "CommCommand"
        DeleteRegValue HKLM "${SETTINGS_KEY}\Settings" "TotalCount"
        DeleteRegValue HKLM "${SETTINGS_KEY}\Settings" "TotalBlocked"
        DeleteRegValue HKLM "${SETTINGS_KEY}\Settings" "Startup Flag"
        DeleteRegValue HKLM "${SETTINGS_KEY}\Settings" "BlockAnonName"
        DeleteRegValue HKLM "${SETTINGS_KEY}\Settings" "BlockAnonNum"
        DeleteRegValue HKLM "${SETTINGS_KEY}\Settings" "NotifyCalls"
        ; /ifempty looks at subkeys only: a value someone else added keeps the key.
        ClearErrors
        EnumRegValue $0 HKLM "${SETTINGS_KEY}\Settings" 0
        ${If} $0 == ""
            DeleteRegKey /ifempty HKLM "${SETTINGS_KEY}\Settings"
        ${EndIf}
        DeleteRegKey /ifempty HKLM "${SETTINGS_KEY}"
    ${EndIf}
    Delete "$INSTDIR\${HELPER_EXE}"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    ${If} $R9 == "restart"
        MessageBox MB_ICONINFORMATION|MB_OK "${PRODUCT} was still in use: it is removed when Windows restarts." /SD IDOK
    ${EndIf}
SectionEnd
