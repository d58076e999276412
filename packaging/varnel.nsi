; Varnel's setup program for one architecture, made by packaging/CMakeLists.txt. makensis is given
;   VERSION     the project's version (a.b.c.d)
;   ARCH        x64 or x86
;   STAGE_DIR   the portable folder: the programs and DLLs, Developer\ and Help\ (stage.cmake)
;   SOURCE_DIR  the source tree (icons, resource numbers)
;   MANUALS     an include file that installs and removes the user manuals there are (stage.cmake)
;   OUT_FILE    the setup program to write
;
; A per-machine install: the programs in Program Files, the OPC proxy/stub and (when chosen) the
; simulation server registered, the Start-menu shortcuts for every user, an uninstaller with its
; entry in Add/Remove Programs. Varnel keeps its configuration and log in its start directory; its
; shortcut starts it with /PerUser in the install folder, which exists for every user, and the
; program then makes and uses the user's own %APPDATA%\Varnel. Nothing in those folders, and no
; document, is ever removed.
;
; Silent: setup.exe /S [/Simulator] [/Developer] [/AssociateXml] [/D=folder] (/D= last, unquoted).
; An upgrade keeps the components of the installed version and adds those given, removes the
; installed version with its own uninstaller (which leaves user files) and installs into the same
; folder unless /D= names another. Exit codes (setup and uninstaller): 0 done, 1 a part of the
; uninstall failed (or the user cancelled), 2 stopped, 32 programs in use, 740 not an
; administrator, 1638 a newer version is installed. Nothing is ever left for a restart.

Unicode true
!if "${ARCH}" == "x64"
  Target amd64-unicode
  !define PROGRAM_FILES "$PROGRAMFILES64"
  !define DISPLAY_NAME "Varnel"
!else if "${ARCH}" == "x86"
  Target x86-unicode
  !define PROGRAM_FILES "$PROGRAMFILES"
  !define DISPLAY_NAME "Varnel (32-bit)"
!else
  !error "ARCH is x64 or x86, not '${ARCH}'"
!endif

!include LogicLib.nsh
!include FileFunc.nsh
!include WordFunc.nsh
!include Sections.nsh
!include x64.nsh
!include MUI2.nsh

!define PUBLISHER "Molrand"
!define UNINSTALLER "uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Varnel"
!define CLASSES "Software\Classes"
!define DOCUMENT_PROGID "Varnel.Document"
; Varnel's capabilities, as Default Programs and the Default Apps settings read them.
!define CAPABILITIES_KEY "Software\Varnel\Capabilities"
!define APPLICATION_KEY "Software\Varnel"
!define START_MENU "$SMPROGRAMS\Varnel"
; Where an uninstaller started in the install folder runs from (un.onInit), and what it holds
; while it removes the install folder's last files.
!define UNINSTALLER_COPY "$TEMP\Varnel-uninstall.exe"
!define FINISHING_MUTEX "Global\VarnelUninstallFinishing"
; Program Files' permissions, given to the install folder whatever folder was chosen: the
; proxy/stub and the simulator registered from it are loaded and started by every OPC client of
; the computer, services included, so only administrators and SYSTEM may change its files. Users
; (and app containers) read and run them, whoever creates a file there has full control of it, and
; nothing is inherited from the folder above, which under C:\ would let every user change them.
; The owner is the administrators' group, so that the account that made the folder cannot give
; itself the rights back.
!define INSTALL_FOLDER_SECURITY "O:BAD:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)(A;OICIIO;GA;;;CO)(A;OICI;0x1200a9;;;AC)"
; The folder of the version installed when the setup started ("" for none).
Var InstalledFolder
; The exit code when a newer version is installed (ERROR_PRODUCT_VERSION).
!define EXIT_NEWER_INSTALLED 1638
; The exit code when programs of the folder are running (ERROR_SHARING_VIOLATION).
!define EXIT_IN_USE 32
; The document icon is a resource of Varnel.exe; the shell finds it by its number.
!searchparse /file "${SOURCE_DIR}/app/resource.h" "#define IDR_VARNELTYPE " DOCUMENT_ICON_ID

Name "${DISPLAY_NAME}"
OutFile "${OUT_FILE}"
InstallDir "${PROGRAM_FILES}\Varnel"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
ManifestDPIAware true
SetCompressor /SOLID lzma
BrandingText "Varnel ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

!define MUI_ICON "${SOURCE_DIR}/app/res/varnel.ico"
!define MUI_UNICON "${SOURCE_DIR}/app/res/varnel.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC
!define MUI_WELCOMEPAGE_TEXT "This installs Varnel ${VERSION}, the client for OPC HDA history servers, for every user of this computer.$\r$\n$\r$\nAn installed version is replaced; each user's configuration, log and documents stay as they are.$\r$\n$\r$\nClick Next to continue."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Varnel"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright ${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Varnel ${VERSION} setup (${ARCH})"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"

!include "${MANUALS}"

; Stops the setup with the reason, also in silent mode (exit code 2).
!macro Fail text
  DetailPrint "${text}"
  MessageBox MB_OK|MB_ICONSTOP "${text}" /SD IDOK
  Abort "${text}"
!macroend

!macro UseMachineViews
  SetShellVarContext all
  !if "${ARCH}" == "x64"
    SetRegView 64
  !endif
!macroend

!macro RequireAdministrator
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "Admin"
    MessageBox MB_OK|MB_ICONSTOP "Varnel is installed for every user of this computer: run this program as an administrator." /SD IDOK
    SetErrorLevel 740 ; ERROR_ELEVATION_REQUIRED
    Quit
  ${EndIf}
!macroend

; One Varnel per computer: the 32-bit and the 64-bit one would share the Start-menu shortcuts, the
; proxy/stub's interfaces, the simulator's ProgIDs and the .xml association, and removing one would
; break the other.
!macro RefuseOtherArchitecture
  StrCpy $0 ""
  !if "${ARCH}" == "x64"
    SetRegView 32
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "DisplayName"
    SetRegView 64
  !else
    ${If} ${RunningX64}
      SetRegView 64
      ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "DisplayName"
      SetRegView 32
    ${EndIf}
  !endif
  ${If} $0 != ""
    MessageBox MB_OK|MB_ICONSTOP "$0 is installed on this computer. Remove it before installing ${DISPLAY_NAME}: a computer has one Varnel." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
!macroend

; Whether a file is loaded by a running program: such a file cannot be opened for writing, while
; it can be renamed and, when the program ends, it is gone from under the program anyway. $0 is 1
; when the file is in use.
!macro IsInUse un
  Function ${un}IsInUse
    Exch $R0
    StrCpy $0 0
    ${If} ${FileExists} "$R0"
      ; GENERIC_WRITE, every sharing mode, OPEN_EXISTING
      System::Call 'kernel32::CreateFileW(w R0, i 0x40000000, i 7, p 0, i 3, i 0, p 0) p .r1 ?e'
      Pop $2
      ${If} $1 P= -1
      ${AndIf} $2 = 32 ; ERROR_SHARING_VIOLATION
        StrCpy $0 1
      ${ElseIf} $1 P<> -1
        System::Call 'kernel32::CloseHandle(p r1)'
      ${EndIf}
    ${EndIf}
    Pop $R0
  FunctionEnd
!macroend
!insertmacro IsInUse ""
!insertmacro IsInUse "un."

; Stops before anything is changed while a program runs from the folder or has one of its DLLs
; loaded: Varnel.exe, varnel-cli.exe, the simulator (which ends a few seconds after its last
; client, so it is waited for 10 s), Ambrel.dll, and the proxy/stub, which every OPC client of the
; computer loads. Files in use would otherwise be left to a restart, which then also deletes what
; a setup run before it put there. Asks to close them and try again; silent, or when the user
; cancels, the setup ends with EXIT_IN_USE.
!macro RequireProgramsClosed un
  Function ${un}RequireProgramsClosed
    Exch $R1
    Push $R2
    Push $R3
    StrCpy $R3 0
    check:
      StrCpy $R2 ""
      !insertmacro CollectInUse "${un}" "Varnel.exe"
      !insertmacro CollectInUse "${un}" "varnel-cli.exe"
      !insertmacro CollectInUse "${un}" "hdasim.exe"
      !insertmacro CollectInUse "${un}" "Ambrel.dll"
      !insertmacro CollectInUse "${un}" "VarnelOpcPs.dll"
      ${If} $R2 == ""
        Goto closed
      ${EndIf}
      IntOp $R3 $R3 + 1
      ${If} $R3 < 20
        Sleep 500
        Goto check
      ${EndIf}
      DetailPrint "In use in $R1:$R2"
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Varnel's programs in $R1 are in use:$R2$\r$\n$\r$\nClose Varnel, and the programs that read OPC history through it, then click Retry." /SD IDCANCEL IDCANCEL stop
      StrCpy $R3 0
      Goto check
    stop:
      SetErrorLevel ${EXIT_IN_USE}
      Quit
    closed:
    Pop $R3
    Pop $R2
    Pop $R1
  FunctionEnd
!macroend
!macro CollectInUse un file
  Push "$R1\${file}"
  Call ${un}IsInUse
  ${If} $0 = 1
    StrCpy $R2 "$R2 ${file}"
  ${EndIf}
!macroend
!insertmacro RequireProgramsClosed ""
!insertmacro RequireProgramsClosed "un."

; A newer Varnel is not replaced by an older one unless the user says so; silent, never: its
; documents and configuration may use what the older one does not know.
!macro RefuseDowngrade
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "DisplayVersion"
  ${If} $0 != ""
    ${VersionCompare} "$0" "${VERSION}" $1
    ${If} $1 = 1
      MessageBox MB_YESNO|MB_ICONEXCLAMATION|MB_DEFBUTTON2 "Varnel $0, a newer version, is installed. Replace it with the older ${VERSION}?" /SD IDNO IDYES downgrade
      SetErrorLevel ${EXIT_NEWER_INSTALLED}
      Quit
      downgrade:
    ${EndIf}
  ${EndIf}
!macroend

!macro WriteChoice section name
  ${If} ${SectionIsSelected} ${section}
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "${name}" 1
  ${Else}
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "${name}" 0
  ${EndIf}
!macroend

; Selects the component when the installed version has it or the command line asks for it.
!macro ChooseComponent section name
  ReadRegDWORD $0 HKLM "${UNINSTALL_KEY}" "${name}"
  ClearErrors
  ${GetOptions} $R0 "/${name}" $1
  ${IfNot} ${Errors}
  ${OrIf} $0 = 1
    !insertmacro SelectSection ${section}
  ${EndIf}
!macroend

Section "Varnel" SecProgram
  SectionIn RO
  Push $INSTDIR
  Call RequireProgramsClosed
  Call RemoveInstalledVersion
  Call ProtectInstallFolder

  SetOutPath "$INSTDIR"
  File "${STAGE_DIR}/Varnel.exe"
  File "${STAGE_DIR}/Ambrel.dll"
  File "${STAGE_DIR}/varnel-cli.exe"
  File "${STAGE_DIR}/VarnelOpcPs.dll"
  ; The uninstaller and its entry come before anything is registered, so that a setup that stops
  ; half-way can still be removed.
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  Call WriteUninstallEntry

  ClearErrors
  RegDLL "$INSTDIR\VarnelOpcPs.dll"
  ${If} ${Errors}
    !insertmacro Fail "The OPC proxy/stub $INSTDIR\VarnelOpcPs.dll could not be registered."
  ${EndIf}

  !insertmacro InstallManuals

  CreateDirectory "${START_MENU}"
  ; The working directory is $OUTDIR, the install folder.
  CreateShortCut "${START_MENU}\Varnel.lnk" "$INSTDIR\Varnel.exe" "/PerUser" "$INSTDIR\Varnel.exe" 0 \
                 SW_SHOWNORMAL "" "Varnel HDA OPC Client"
  CreateShortCut "${START_MENU}\Uninstall Varnel.lnk" "$INSTDIR\${UNINSTALLER}" "_?=$INSTDIR"
SectionEnd

Section /o "Simulation server" SecSimulator
  SetOutPath "$INSTDIR"
  File "${STAGE_DIR}/hdasim.exe"
  ClearErrors
  ExecWait '"$INSTDIR\hdasim.exe" /RegServer' $0
  ${If} ${Errors}
  ${OrIf} $0 <> 0
    !insertmacro Fail "The simulation server $INSTDIR\hdasim.exe could not be registered."
  ${EndIf}
SectionEnd

Section /o "Developer files" SecDeveloper
  SetOutPath "$INSTDIR\Developer"
  File "${STAGE_DIR}/Developer/ambrel.h"
  File "${STAGE_DIR}/Developer/CHANGELOG.md"
  File "${STAGE_DIR}/Developer/libAmbrel.dll.a"
SectionEnd

; Varnel is offered for .xml documents (Open with, Default Apps) and the user chooses: Windows
; keeps each user's own choice over a machine's, so the setup takes nothing from the program that
; opens .xml now. Opened from Explorer, Varnel starts in the document's folder; /PerUser keeps its
; configuration and log in the user's own folder all the same.
Section /o "Offer Varnel for .xml documents" SecAssociateXml
  WriteRegStr HKLM "${CLASSES}\${DOCUMENT_PROGID}" "" "Varnel document"
  WriteRegStr HKLM "${CLASSES}\${DOCUMENT_PROGID}\DefaultIcon" "" "$INSTDIR\Varnel.exe,-${DOCUMENT_ICON_ID}"
  WriteRegStr HKLM "${CLASSES}\${DOCUMENT_PROGID}\shell\open\command" "" '"$INSTDIR\Varnel.exe" /PerUser "%1"'
  WriteRegStr HKLM "${CLASSES}\.xml\OpenWithProgids" "${DOCUMENT_PROGID}" ""
  WriteRegStr HKLM "${CAPABILITIES_KEY}" "ApplicationName" "Varnel"
  WriteRegStr HKLM "${CAPABILITIES_KEY}" "ApplicationDescription" "Trends and tables of OPC HDA history"
  WriteRegStr HKLM "${CAPABILITIES_KEY}\FileAssociations" ".xml" "${DOCUMENT_PROGID}"
  WriteRegStr HKLM "Software\RegisteredApplications" "Varnel" "${CAPABILITIES_KEY}"
  Call NotifyAssociationsChanged
SectionEnd

; Last: the size of everything installed, and the components chosen, which an upgrade keeps.
Section "-Size and components"
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
  !insertmacro WriteChoice ${SecSimulator} "Simulator"
  !insertmacro WriteChoice ${SecDeveloper} "Developer"
  !insertmacro WriteChoice ${SecAssociateXml} "AssociateXml"
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "Varnel.exe, Ambrel.dll, varnel-cli.exe, the OPC proxy/stub, the user manuals and the Start-menu shortcuts."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecSimulator} "An OPC HDA simulation server (hdasim.exe, classes Varnel.HdaSim.1 to 17) for trying Varnel without a plant."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecDeveloper} "Ambrel's header, import library and changelog, for programs of your own."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecAssociateXml} "Varnel is offered in Open with and Default Apps for .xml files; which program opens them stays each user's choice."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
  !insertmacro UseMachineViews
  !insertmacro RequireAdministrator
  Call WaitForUninstallerCopy
  !insertmacro RefuseOtherArchitecture
  !insertmacro RefuseDowngrade
  ReadRegStr $InstalledFolder HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $InstalledFolder != ""
    Push $InstalledFolder
    Call RequireProgramsClosed
  ${EndIf}
  ${GetParameters} $R0
  !insertmacro ChooseComponent ${SecSimulator} "Simulator"
  !insertmacro ChooseComponent ${SecDeveloper} "Developer"
  !insertmacro ChooseComponent ${SecAssociateXml} "AssociateXml"
FunctionEnd

Function WriteUninstallEntry
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${DISPLAY_NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Varnel.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  ; _?= keeps the uninstaller from handing itself to a copy and returning at once: the caller
  ; waits for the removal and gets its exit code (see un.onInit).
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}" _?=$INSTDIR'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S _?=$INSTDIR'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
FunctionEnd

; The folder chosen must be new, empty, or the installed version's (which holds only what users
; put there once that version is removed): another folder's files would fall under the
; permissions below, or under the uninstaller. Then the folder gets those permissions, before any
; file goes there.
Function ProtectInstallFolder
  ${DirState} "$INSTDIR" $0
  ${If} $0 = 1
  ${AndIf} "$INSTDIR" != "$InstalledFolder"
    !insertmacro Fail "$INSTDIR is not empty: choose a new folder for Varnel."
  ${EndIf}
  CreateDirectory "$INSTDIR"
  System::Call 'advapi32::ConvertStringSecurityDescriptorToSecurityDescriptorW(w "${INSTALL_FOLDER_SECURITY}", i 1, *p .r1, p 0) i .r0'
  ${If} $0 = 0
    !insertmacro Fail "The permissions for $INSTDIR could not be made."
  ${EndIf}
  System::Call 'advapi32::GetSecurityDescriptorDacl(p r1, *i .r2, *p .r3, *i .r4)'
  System::Call 'advapi32::GetSecurityDescriptorOwner(p r1, *p .r5, *i .r4)'
  ; SE_FILE_OBJECT; OWNER, DACL and PROTECTED_DACL_SECURITY_INFORMATION
  System::Call 'advapi32::SetNamedSecurityInfoW(w "$INSTDIR", i 1, i 0x80000005, p r5, p 0, p r3, p 0) i .r0'
  System::Call 'kernel32::LocalFree(p r1)'
  ${If} $0 <> 0
    !insertmacro Fail "The permissions of $INSTDIR could not be set (error $0)."
  ${EndIf}
  DetailPrint "$INSTDIR: administrators and SYSTEM may change it, users read and run it."
FunctionEnd

; Waits (at most a minute) for an uninstaller's copy that is still removing its original and the
; install folder (un.EndOriginal).
Function WaitForUninstallerCopy
  System::Call 'kernel32::CreateMutexW(p 0, i 0, w "${FINISHING_MUTEX}") p .r1'
  ${If} $1 P<> 0
    System::Call 'kernel32::WaitForSingleObject(p r1, i 60000) i .r2'
    ; WAIT_OBJECT_0 or WAIT_ABANDONED: ours now, and given back at once.
    ${If} $2 = 0
    ${OrIf} $2 = 0x80
      System::Call 'kernel32::ReleaseMutex(p r1)'
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r1)'
  ${EndIf}
FunctionEnd

; An installed version (this one, an older or a newer) is removed by its own uninstaller, run in
; place (_?=) so that the setup waits for it; it removes everything it installed but itself.
Function RemoveInstalledVersion
  ReadRegStr $R1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $R1 == ""
  ${OrIfNot} ${FileExists} "$R1\${UNINSTALLER}"
    Return
  ${EndIf}
  ReadRegStr $R2 HKLM "${UNINSTALL_KEY}" "DisplayVersion"
  DetailPrint "Removing Varnel $R2 from $R1 (user files stay)"
  ClearErrors
  ExecWait '"$R1\${UNINSTALLER}" /S _?=$R1' $0
  ${If} ${Errors}
  ${OrIf} $0 <> 0
    !insertmacro Fail "The installed Varnel $R2 in $R1 could not be removed (exit code $0)."
  ${EndIf}
  Call WaitForUninstallerCopy
  ; An uninstaller of before the copy's hand-over leaves itself behind.
  Delete "$R1\${UNINSTALLER}"
  RMDir "$R1"
FunctionEnd

!macro NotifyAssociationsChanged un
  Function ${un}NotifyAssociationsChanged
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)' ; SHCNE_ASSOCCHANGED
  FunctionEnd
!macroend
!insertmacro NotifyAssociationsChanged ""
!insertmacro NotifyAssociationsChanged "un."

; An uninstaller cannot remove its own file while it runs, and NSIS's own way out (a copy that
; carries on while the started program returns 0 at once) leaves the caller nothing to wait for.
; So the uninstaller started in the install folder ("uninstall.exe [/S] _?=folder", as the entry
; has it) hands the work to a copy of itself in the temporary folder and waits for it. The copy
; does everything, then ends the original with its own exit code, which the caller gets at that
; moment, and removes the original's file and the folder last. While it does so it holds the
; mutex FINISHING_MUTEX, which a setup waits for before it writes into the folder.

; The process id of the original, in the copy.
Var Original

Function un.onInit
  ${un.GetParameters} $R0
  ClearErrors
  ${un.GetOptions} $R0 "/Original=" $Original
  ${If} ${Errors}
  ${AndIf} "$EXEPATH" == "$INSTDIR\${UNINSTALLER}"
    Call un.RunCopyAndWait
  ${EndIf}
  !insertmacro UseMachineViews
  !insertmacro RequireAdministrator
  Push $INSTDIR
  Call un.RequireProgramsClosed
FunctionEnd

; The original: starts the copy and ends with its exit code (unless the copy ends it first, with
; the same code).
Function un.RunCopyAndWait
  Delete "${UNINSTALLER_COPY}"
  ClearErrors
  CopyFiles /SILENT "$EXEPATH" "${UNINSTALLER_COPY}"
  ${If} ${Errors}
    MessageBox MB_OK|MB_ICONSTOP "The uninstaller could not be copied to ${UNINSTALLER_COPY}." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
  System::Call 'kernel32::GetCurrentProcessId() i .r1'
  ClearErrors
  ExecWait '"${UNINSTALLER_COPY}" $R0 /Original=$1 _?=$INSTDIR' $0
  ${If} ${Errors}
    StrCpy $0 2
  ${EndIf}
  SetErrorLevel $0
  Quit
FunctionEnd

; The copy, last: the caller gets the exit code now; the original's file and the folder go once
; the original has ended. Without an original (NSIS's own copy, an uninstaller started without
; _?=) the file is deleted directly.
Function un.EndOriginal
  ${If} $Original == ""
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"
    Return
  ${EndIf}
  System::Call 'kernel32::CreateMutexW(p 0, i 1, w "${FINISHING_MUTEX}") p .r3'
  GetErrorLevel $0
  ${If} $0 < 0
    StrCpy $0 0
  ${EndIf}
  ; PROCESS_TERMINATE | SYNCHRONIZE
  System::Call 'kernel32::OpenProcess(i 0x100001, i 0, i $Original) p .r1'
  ${If} $1 P<> 0
    System::Call 'kernel32::TerminateProcess(p r1, i r0)'
    System::Call 'kernel32::WaitForSingleObject(p r1, i 10000)'
    System::Call 'kernel32::CloseHandle(p r1)'
  ${EndIf}
  Delete "$INSTDIR\${UNINSTALLER}"
  ; Only when empty: files a user put here stay, with the folder.
  SetOutPath "$TEMP"
  RMDir "$INSTDIR"
  System::Call 'kernel32::CloseHandle(p r3)'
FunctionEnd

; Deletes the key when it has neither values nor subkeys (DeleteRegKey /ifempty looks at the
; subkeys only).
!macro DeleteKeyIfEmpty key
  ClearErrors
  EnumRegKey $0 HKLM "${key}" 0
  EnumRegValue $1 HKLM "${key}" 0
  ReadRegStr $2 HKLM "${key}" ""
  ${If} $0 == ""
  ${AndIf} $1 == ""
  ${AndIf} $2 == ""
    DeleteRegKey /ifempty HKLM "${key}"
  ${EndIf}
!macroend

; Removes what offered Varnel for .xml. Versions before took .xml itself, keeping what had it in
; XmlPreviousDefault: that is given back, unless something else took .xml since.
Function un.RemoveXmlAssociation
  ReadRegStr $0 HKLM "${CLASSES}\.xml" ""
  ${If} $0 == "${DOCUMENT_PROGID}"
    ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "XmlPreviousDefault"
    ${If} $1 == ""
      DeleteRegValue HKLM "${CLASSES}\.xml" ""
    ${Else}
      WriteRegStr HKLM "${CLASSES}\.xml" "" $1
    ${EndIf}
  ${EndIf}
  DeleteRegValue HKLM "${CLASSES}\.xml\OpenWithProgids" "${DOCUMENT_PROGID}"
  !insertmacro DeleteKeyIfEmpty "${CLASSES}\.xml\OpenWithProgids"
  !insertmacro DeleteKeyIfEmpty "${CLASSES}\.xml"
  DeleteRegValue HKLM "Software\RegisteredApplications" "Varnel"
  DeleteRegKey HKLM "${APPLICATION_KEY}"
  ClearErrors
  EnumRegKey $2 HKLM "${CLASSES}\${DOCUMENT_PROGID}" 0
  ${IfNot} ${Errors}
    DeleteRegKey HKLM "${CLASSES}\${DOCUMENT_PROGID}"
    Call un.NotifyAssociationsChanged
  ${EndIf}
FunctionEnd

; Deletes a file of the folder. The programs were closed when the uninstall began
; (un.RequireProgramsClosed); one started since is waited for 10 s, then the file stays, the
; uninstall says so and ends with exit code 1. Nothing is left for a restart to delete: that would
; also delete the file of a later install.
!macro DeleteInUse file
  Push "${file}"
  Call un.DeleteInUse
!macroend

Function un.DeleteInUse
  Exch $R0
  Push $R1
  StrCpy $R1 0
  try:
    Delete "$R0"
    IfFileExists "$R0" 0 done
    IntOp $R1 $R1 + 1
    ${If} $R1 < 20
      Sleep 500
      Goto try
    ${EndIf}
    DetailPrint "$R0 is in use and was not removed."
    SetErrorLevel 1
  done:
  Pop $R1
  Pop $R0
FunctionEnd

Section "Uninstall"
  ; The classes go before their files. A failure is reported and the rest is still removed.
  ${If} ${FileExists} "$INSTDIR\hdasim.exe"
    ClearErrors
    ExecWait '"$INSTDIR\hdasim.exe" /UnregServer' $0
    ${If} ${Errors}
    ${OrIf} $0 <> 0
      DetailPrint "The simulation server's classes could not be removed (exit code $0)."
      SetErrorLevel 1
    ${EndIf}
  ${EndIf}
  ${If} ${FileExists} "$INSTDIR\VarnelOpcPs.dll"
    ClearErrors
    UnRegDLL "$INSTDIR\VarnelOpcPs.dll"
    ${If} ${Errors}
      DetailPrint "The OPC proxy/stub's classes could not be removed."
      SetErrorLevel 1
    ${EndIf}
  ${EndIf}
  Call un.RemoveXmlAssociation

  !insertmacro DeleteInUse "$INSTDIR\Varnel.exe"
  !insertmacro DeleteInUse "$INSTDIR\Ambrel.dll"
  !insertmacro DeleteInUse "$INSTDIR\varnel-cli.exe"
  !insertmacro DeleteInUse "$INSTDIR\hdasim.exe"
  !insertmacro DeleteInUse "$INSTDIR\VarnelOpcPs.dll"
  Delete "$INSTDIR\Developer\ambrel.h"
  Delete "$INSTDIR\Developer\CHANGELOG.md"
  Delete "$INSTDIR\Developer\libAmbrel.dll.a"
  RMDir "$INSTDIR\Developer"
  !insertmacro UninstallManuals

  Delete "${START_MENU}\Varnel.lnk"
  Delete "${START_MENU}\Uninstall Varnel.lnk"
  RMDir "${START_MENU}"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Call un.EndOriginal
SectionEnd
