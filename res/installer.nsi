; The installer of 博闲托盘区开始菜单, built by scripts/package.sh:
;   makensis -INPUTCHARSET UTF8 -DVERSION=2.1.0.0 -DPRODUCT_VERSION=2.1
;            -DSTAGE=<staged folder> -DFILES=<generated file list>
;            -DOUTFILE=<setup.exe> [-DWIN64] installer.nsi
; The staged folder is the same one the portable zip is made of; FILES lists
; its program files (everything except the user's own "set" and "我的程序").
;
;
; A per-user installation: it runs with the user's own rights (asInvoker),
; goes by default to the user's local application data, registers its
; uninstall entry and shortcuts for that user only and changes no access
; rights, so no other account can plant files the program or its user later
; trusts.
;
; Silent use: setup.exe /S [/STARTUP] /D=C:\path  (/D= must come last)
;             uninst.exe /S [/REMOVEUSERFILES]
; Exit codes: 0 done, 1 cancelled by the user, 2 aborted on an error,
;             3 the program is running.

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel user
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
!endif
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT_NAME}"
; An earlier installation of this user is found again, for upgrades in place.
InstallDirRegKey HKCU "${SETTINGS_KEY}" "InstallDir"
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
!define MUI_FINISHPAGE_RUN_FUNCTION RunProgram

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
; The folder chosen here is the one checked for a running copy.
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE CheckRunning
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_PAGE_CUSTOMFUNCTION_SHOW FinishShow
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

!define MSG_RUNNING "${PRODUCT_NAME}正在运行。$\r$\n$\r$\n请先在它的托盘图标菜单中选择“退出”，然后点“重试”；点“取消”则不做任何改动并退出。"

; A running copy of the program in $INSTDIR holds its files (and the hook
; library) open and writes "set" when it ends: ask the user to end it first.
; A copy is recognised by the file its process runs, seen from every
; desktop; a window class or mutex of the same name belongs to anyone who
; creates it first and says nothing.
!macro CHECK_RUNNING UN
Function ${UN}CheckRunning
  retry:
    Push "$INSTDIR\${EXE_NAME}"
    Call ${UN}IsProgramRunning
    Pop $1
    ${If} $1 = 1
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${MSG_RUNNING}" /SD IDCANCEL IDRETRY retry
      SetErrorLevel 3
      Quit
    ${EndIf}
FunctionEnd

; Pushes 1 when a process of this session that we may look at runs the
; program file given on the stack, else 0. Registers $0-$9 are used.
Function ${UN}IsProgramRunning
  Exch $0
  StrCpy $9 0
  ; A file that is not there runs nowhere; the long form matches what the
  ; system reports for a running process.
  System::Call 'kernel32::GetLongPathNameW(w r0, w .r1, i ${NSIS_MAX_STRLEN}) i .r2'
  ${If} $2 <> 0
  ${AndIf} $2 < ${NSIS_MAX_STRLEN}
    StrCpy $0 $1
    ; 16384 process ids, more than a session runs.
    System::Alloc 65536
    Pop $3
    System::Call 'psapi::EnumProcesses(p r3, i 65536, *i .r4) i .r2'
    ${If} $2 <> 0
      IntOp $4 $4 / 4
      StrCpy $5 0
      ${DoWhile} $5 < $4
        IntOp $6 $5 * 4
        IntPtrOp $6 $3 + $6
        System::Call '*$6(i .r7)'
        ; PROCESS_QUERY_LIMITED_INFORMATION (Vista and later), else
        ; PROCESS_QUERY_INFORMATION | PROCESS_VM_READ.
        System::Call 'kernel32::OpenProcess(i 0x1000, i 0, i r7) p .r8'
        ${If} $8 P= 0
          System::Call 'kernel32::OpenProcess(i 0x410, i 0, i r7) p .r8'
        ${EndIf}
        ${If} $8 P<> 0
          StrCpy $2 ${NSIS_MAX_STRLEN}
          System::Call 'kernel32::QueryFullProcessImageNameW(p r8, i 0, w .r1, *i r2r2) i .r7'
          ${If} $7 == "error"
          ${OrIf} $7 = 0
            System::Call 'psapi::GetModuleFileNameExW(p r8, p 0, w .r1, i ${NSIS_MAX_STRLEN}) i .r7'
          ${EndIf}
          System::Call 'kernel32::CloseHandle(p r8)'
          ${If} $7 <> 0
            System::Call 'kernel32::GetLongPathNameW(w r1, w .r1, i ${NSIS_MAX_STRLEN}) i'
            ; StrCmp compares without regard to case, as the file system does.
            ${If} $1 == $0
              StrCpy $9 1
              ${ExitDo}
            ${EndIf}
          ${EndIf}
        ${EndIf}
        IntOp $5 $5 + 1
      ${Loop}
    ${EndIf}
    System::Free $3
  ${EndIf}
  StrCpy $0 $9
  Exch $0
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
  ; Anything already of either name (a file, a folder, a junction to
  ; elsewhere) is the user's and is neither written into nor followed.
  SetOverwrite off
  SetOutPath "$INSTDIR"
  ${IfNot} ${FileExists} "$INSTDIR\${SETTINGS_FILE}"
    File "${STAGE}\${SETTINGS_FILE}"
  ${EndIf}
  ${IfNot} ${FileExists} "$INSTDIR\${USER_PROGRAMS}"
    SetOutPath "$INSTDIR\${USER_PROGRAMS}"
    File /r "${STAGE}\${USER_PROGRAMS}\*.*"
  ${EndIf}
  SetOverwrite on

  ; The program reads its data relative to its current folder: every
  ; shortcut starts it in $INSTDIR (CreateShortCut takes $OUTDIR).
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\${UNINST_NAME}"
  WriteRegStr HKCU "${SETTINGS_KEY}" "InstallDir" "$INSTDIR"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "${PRODUCT_NAME}${PRODUCT_VERSION}"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINST_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\${EXE_NAME}"
  WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" '"$INSTDIR\${UNINST_NAME}"'
  WriteRegStr HKCU "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINST_NAME}" /S'
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINST_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "开始菜单快捷方式" SecStartMenu
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  CreateDirectory "$SMPROGRAMS\${PRODUCT_NAME}"
  CreateShortCut "$SMPROGRAMS\${PRODUCT_NAME}\${PRODUCT_NAME}.lnk" "$INSTDIR\${EXE_NAME}"
  CreateShortCut "$SMPROGRAMS\${PRODUCT_NAME}\我的程序文件夹.lnk" "$INSTDIR\${USER_PROGRAMS}"
  CreateShortCut "$SMPROGRAMS\${PRODUCT_NAME}\卸载${PRODUCT_NAME}.lnk" "$INSTDIR\${UNINST_NAME}"
SectionEnd

Section /o "开机时自动启动" SecStartup
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  CreateShortCut "$SMSTARTUP\${PRODUCT_NAME}.lnk" "$INSTDIR\${EXE_NAME}"
SectionEnd

; Unticking the start-up box on an upgrade removes the old shortcut.
Section "-StartupCleanup"
  ${IfNot} ${SectionIsSelected} ${SecStartup}
    SetShellVarContext current
    Delete "$SMSTARTUP\${PRODUCT_NAME}.lnk"
  ${EndIf}
SectionEnd

; The start-up box starts ticked when the program already starts with
; Windows, or with /STARTUP on the command line (for silent installs).
Function .onInit
  Call CheckRunning
  SetShellVarContext current
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

; The program runs with the rights of the user who started the installer,
; never with an administrator's: an installer started elevated all the same
; (Run as administrator) offers no start.
Function IsElevated
  Push $0
  Push $1
  Push $2
  StrCpy $2 0
  ; TOKEN_QUERY; TokenElevation (20) exists from Windows Vista on, where
  ; before it there is no elevated token distinct from the user's.
  System::Call 'advapi32::OpenProcessToken(p -1, i 8, *p .r0) i .r1'
  ${If} $1 <> 0
    System::Call 'advapi32::GetTokenInformation(p r0, i 20, *i .r2, i 4, *i .r1) i .r1'
    ${If} $1 = 0
      StrCpy $2 0
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r0)'
  ${EndIf}
  StrCpy $0 $2
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

Function FinishShow
  Call IsElevated
  Pop $0
  ${If} $0 <> 0
    SendMessage $mui.FinishPage.Run ${BM_SETCHECK} ${BST_UNCHECKED} 0
    ShowWindow $mui.FinishPage.Run ${SW_HIDE}
  ${EndIf}
FunctionEnd

Function RunProgram
  Call IsElevated
  Pop $0
  ${If} $0 = 0
    ; The program reads its data relative to the folder it starts in.
    SetOutPath "$INSTDIR"
    Exec '"$INSTDIR\${EXE_NAME}"'
  ${EndIf}
FunctionEnd

Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\${PRODUCT_NAME}\${PRODUCT_NAME}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT_NAME}\我的程序文件夹.lnk"
  Delete "$SMPROGRAMS\${PRODUCT_NAME}\卸载${PRODUCT_NAME}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT_NAME}"
  Delete "$SMSTARTUP\${PRODUCT_NAME}.lnk"
  DeleteRegKey HKCU "${UNINST_KEY}"
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\青禾工坊"

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
