; The Windows installer: per machine, into Program Files, with a Start-menu entry, .kqx files
; opening in the editor, and an uninstaller in Add/Remove Programs. scripts/build-windows.sh
; runs it as
;   makensis -INPUTCHARSET UTF8 -DVERSION=X.Y.Z -DSTAGE=<folder> -DFILES=<list.nsh>
;            -DREMOVE=<list.nsh> -DICON=<.ico> -DSIZE_KB=<n> -DOUTFILE=<setup.exe> installer.nsi
; where FILES installs every file of the staged folder and REMOVE deletes exactly those, so the
; uninstaller never sweeps away a folder the user chose and filled with other things.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"

!define PRODUCT "Veldor 剧本编辑器"
!define PUBLISHER "Veldor editor maintainers"
!define EDITOR "veldor-editor.exe"
!define PROGID "Veldor.Scenario"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Veldor"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Veldor"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=2052 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=2052 "FileDescription" "${PRODUCT} 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}. GPL-3.0-or-later."

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
; No "start the editor now" on the last page: it would run with the installer's administrator
; rights, and scenarios saved then would belong to the administrator.
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"
!insertmacro MUI_LANGUAGE "English"

Function .onInit
    ${IfNot} ${RunningX64}
        MessageBox MB_ICONSTOP "${PRODUCT} 需要 64 位的 Windows。"
        Abort
    ${EndIf}
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Section "Install"
    !include "${FILES}"
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateDirectory "$SMPROGRAMS\Veldor"
    CreateShortcut "$SMPROGRAMS\Veldor\${PRODUCT}.lnk" "$INSTDIR\${EDITOR}" "" \
        "$INSTDIR\${EDITOR}" 0

    ; .kqx files open in the editor, shown with its icon.
    WriteRegStr HKLM "Software\Classes\${PROGID}" "" "Veldor 剧本"
    WriteRegStr HKLM "Software\Classes\${PROGID}\DefaultIcon" "" '"$INSTDIR\${EDITOR}",0'
    WriteRegStr HKLM "Software\Classes\${PROGID}\shell\open\command" "" \
        '"$INSTDIR\${EDITOR}" "%1"'
    WriteRegStr HKLM "Software\Classes\.kqx" "" "${PROGID}"
    WriteRegStr HKLM "Software\Classes\.kqx\OpenWithProgids" "${PROGID}" ""
    ; Explorer redraws the icons of the files it shows.
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\${EDITOR}",0'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\Veldor\${PRODUCT}.lnk"
    RMDir "$SMPROGRAMS\Veldor"

    ; .kqx is given back only while it is still ours: another program may have taken it since.
    ReadRegStr $0 HKLM "Software\Classes\.kqx" ""
    ${If} $0 == "${PROGID}"
        DeleteRegValue HKLM "Software\Classes\.kqx" ""
    ${EndIf}
    DeleteRegValue HKLM "Software\Classes\.kqx\OpenWithProgids" "${PROGID}"
    DeleteRegKey /ifempty HKLM "Software\Classes\.kqx\OpenWithProgids"
    DeleteRegKey /ifempty HKLM "Software\Classes\.kqx"
    DeleteRegKey HKLM "Software\Classes\${PROGID}"
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

    !include "${REMOVE}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
