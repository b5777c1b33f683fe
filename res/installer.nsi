; The installer of 博闲托盘区开始菜单, built by scripts/package.sh:
;   makensis -INPUTCHARSET UTF8 -DVERSION=2.1.0.0 -DPRODUCT_VERSION=2.1
;            -DSTAGE=<staged folder> -DFILES=<generated file list>
;            -DOUTFILE=<setup.exe> [-DWIN64] installer.nsi
; The staged folder is the same one the portable zip is made of; FILES lists
; its program files (everything except the user's own "set" and "我的程序").
;
; Silent use: setup.exe /S [/STARTUP] /D=C:\path  (/D= must come last)
;             uninst.exe /S [/REMOVEUSERFILES]
; Exit codes: 0 done, 1 cancelled by the user, 2 aborted on an error,
;             3 the program is running.

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

!define PRODUCT_NAME "博闲托盘区开始菜单"
!define COMPANY "青禾工坊"
!define EXE_NAME "TrayStartMenu.exe"
!define UNINST_NAME "uninst.exe"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TrayStartMenu"
!define SETTINGS_KEY "Software\青禾工坊\TrayStartMenu"
!define USER_PROGRAMS "我的程序"
!define SETTINGS_FILE "set"

Name "${PRODUCT_NAME} ${PRODUCT_VERSION}"
OutFile "${OUTFILE}"
!ifdef WIN64
  Target amd64-unicode
  InstallDir "$PROGRAMFILES64\${PRODUCT_NAME}"
!else
  InstallDir "$PROGRAMFILES\${PRODUCT_NAME}"
!endif
; An earlier installation is found again, for upgrades in place.
InstallDirRegKey HKLM "${SETTINGS_KEY}" "InstallDir"
ShowInstDetails show
; A program file that cannot be written (read-only, held open) stops the
; installation instead of leaving a mix of old and new files; silently that
; is exit code 2.
AllowSkipFiles off
ShowUninstDetails show
BrandingText "${PRODUCT_NAME} ${PRODUCT_VERSION}"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=2052 "ProductName" "${PRODUCT_NAME}${PRODUCT_VERSION}"
VIAddVersionKey /LANG=2052 "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=2052 "FileDescription" "${PRODUCT_NAME} 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${PRODUCT_VERSION}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "Copyright (C) 博闲"

!define MUI_ICON "${STAGE}\tubiaodesk2.ico"
!define MUI_UNICON "${STAGE}\tubiaodesk2.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE_NAME}"
!define MUI_FINISHPAGE_RUN_TEXT "现在启动${PRODUCT_NAME}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

!define MSG_RUNNING "${PRODUCT_NAME}正在运行。$\r$\n$\r$\n请先在它的托盘图标菜单中选择“退出”，然后点“重试”；点“取消”则不做任何改动并退出。"

; Any running copy holds the program files (and the hook library) open and
; writes "set" when it ends: ask the user to end it first. The main window
; is only visible from the desktop it runs on, the mutex from every desktop.
!macro CHECK_RUNNING UN
Function ${UN}CheckRunning
  retry:
    StrCpy $1 0
    FindWindow $0 "TForm1"
    ${If} $0 <> 0
      StrCpy $1 1
    ${EndIf}
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "DeskSwitch") p .r2'
    ${If} $2 P<> 0
      System::Call 'kernel32::CloseHandle(p r2)'
      StrCpy $1 1
    ${EndIf}
    ${If} $1 = 1
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${MSG_RUNNING}" /SD IDCANCEL IDRETRY retry
      SetErrorLevel 3
      Quit
    ${EndIf}
FunctionEnd
!macroend
!insertmacro CHECK_RUNNING ""
!insertmacro CHECK_RUNNING "un."

Section "${PRODUCT_NAME}（必需）" SecMain
  SectionIn RO
  ; The program files: replaced on an upgrade.
  SetOverwrite on
  !include "${FILES}"

  ; The user's own files: installed once, never replaced. An existing
  ; "我的程序" is left exactly as the user keeps it (no sample comes back
  ; after the user deleted it).
  SetOverwrite off
  SetOutPath "$INSTDIR"
  File "${STAGE}\${SETTINGS_FILE}"
  ${IfNot} ${FileExists} "$INSTDIR\${USER_PROGRAMS}\*.*"
    SetOutPath "$INSTDIR\${USER_PROGRAMS}"
    File /r "${STAGE}\${USER_PROGRAMS}\*.*"
  ${EndIf}
  SetOverwrite on

  ; The program writes "set" and the user edits "我的程序" without being an
  ; administrator; under Program Files that needs a grant (Windows Vista and
  ; later; elsewhere the command is missing and nothing is needed).
  nsExec::Exec '"$SYSDIR\icacls.exe" "$INSTDIR\${SETTINGS_FILE}" /grant *S-1-5-32-545:M'
  Pop $0
  nsExec::Exec '"$SYSDIR\icacls.exe" "$INSTDIR\${USER_PROGRAMS}" /grant *S-1-5-32-545:(OI)(CI)M'
  Pop $0

  ; The program reads its data relative to its current folder: every
  ; shortcut starts it in $INSTDIR (CreateShortCut takes $OUTDIR).
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\${UNINST_NAME}"
  WriteRegStr HKLM "${SETTINGS_KEY}" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "${PRODUCT_NAME}${PRODUCT_VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\${EXE_NAME}"
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\${UNINST_NAME}"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINST_NAME}" /S'
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "开始菜单快捷方式" SecStartMenu
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  CreateDirectory "$SMPROGRAMS\${PRODUCT_NAME}"
  CreateShortCut "$SMPROGRAMS\${PRODUCT_NAME}\${PRODUCT_NAME}.lnk" "$INSTDIR\${EXE_NAME}"
  CreateShortCut "$SMPROGRAMS\${PRODUCT_NAME}\我的程序文件夹.lnk" "$INSTDIR\${USER_PROGRAMS}"
  CreateShortCut "$SMPROGRAMS\${PRODUCT_NAME}\卸载${PRODUCT_NAME}.lnk" "$INSTDIR\${UNINST_NAME}"
SectionEnd

Section /o "开机时自动启动" SecStartup
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  CreateShortCut "$SMSTARTUP\${PRODUCT_NAME}.lnk" "$INSTDIR\${EXE_NAME}"
SectionEnd

; Unticking the start-up box on an upgrade removes the old shortcut.
Section "-StartupCleanup"
  ${IfNot} ${SectionIsSelected} ${SecStartup}
    SetShellVarContext all
    Delete "$SMSTARTUP\${PRODUCT_NAME}.lnk"
  ${EndIf}
SectionEnd

; The start-up box starts ticked when the program already starts with
; Windows, or with /STARTUP on the command line (for silent installs).
Function .onInit
  Call CheckRunning
  SetShellVarContext all
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/STARTUP" $1
  ${IfNot} ${Errors}
  ${OrIf} ${FileExists} "$SMSTARTUP\${PRODUCT_NAME}.lnk"
    !insertmacro SelectSection ${SecStartup}
  ${EndIf}
FunctionEnd

Function un.onInit
  Call un.CheckRunning
FunctionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT_NAME}\${PRODUCT_NAME}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT_NAME}\我的程序文件夹.lnk"
  Delete "$SMPROGRAMS\${PRODUCT_NAME}\卸载${PRODUCT_NAME}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT_NAME}"
  Delete "$SMSTARTUP\${PRODUCT_NAME}.lnk"
  DeleteRegKey HKLM "${UNINST_KEY}"
  DeleteRegKey HKLM "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKLM "Software\青禾工坊"

  ; The uninstaller itself goes last of the program's files: a caller that
  ; waits for it to vanish finds the rest gone too.
  !include "${UNFILES}"
  Delete "$INSTDIR\${UNINST_NAME}"

  ; The user's own files go only when the user says so; a silent uninstall
  ; keeps them unless /REMOVEUSERFILES is given.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVEUSERFILES" $1
  ${If} ${Errors}
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "是否同时删除您的设置（set）和“我的程序”中的快捷方式？$\r$\n$\r$\n选择“否”则保留它们，重新安装后可以继续使用。" /SD IDNO IDNO keep
  ${EndIf}
  Delete "$INSTDIR\${SETTINGS_FILE}"
  RMDir /r "$INSTDIR\${USER_PROGRAMS}"
  keep:
  ; Gone only when nothing of the user's is left in it.
  RMDir "$INSTDIR"
SectionEnd
