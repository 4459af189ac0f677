; The program's installer, in Portuguese (Brazil), made by instaladores.py:
;   makensis -DVERSAO=<version> -DPASTA=<program folder> -DARQUIVOS=<list of its files>
;            -DICONE=<icon> -DSAIDA=<installer> -DNOME=<product name> -DEDITOR=<publisher>
;            -DPASTA_DO_PRODUTO=<folder under Program Files> -DREGISTRO=<uninstall key>
;            instalador.nsi
; (the product's name, folder and keys are instaladores.py's, shared with the MSI).
; It puts the folder under C:\Program Files\RelLicensaCliente, per machine, with an uninstaller
; registered for Add/Remove Programs. Over an installation already there it proposes that
; installation's folder (unless /D= names another) and replaces it: once none of its files is in
; use, that version's own uninstaller removes it, then the new files go in. An older version over
; a newer one asks first.
; /S installs silently; silent, a program still open or an older version ends it (exit code 2)
; with nothing changed.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WordFunc.nsh
!include "${ARQUIVOS}"

; With the site's certificate (instaladores.py passes the signing script), the uninstaller is
; signed before it goes into the installer, and the installer once it is made.
!ifdef ASSINAR
    !uninstfinalize '${ASSINAR} "%1"'
    !finalize '${ASSINAR} "%1"'
!endif


Name "${NOME}"
OutFile "${SAIDA}"
InstallDir "$PROGRAMFILES64\${PASTA_DO_PRODUTO}"
BrandingText "${NOME} ${VERSAO}"

!define MUI_ICON "${ICONE}"
!define MUI_UNICON "${ICONE}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE PortugueseBR

; The program carries no copyright notice, nor does its installer.
!pragma warning disable 9100
VIProductVersion ${VERSAO}
VIAddVersionKey /LANG=${LANG_PORTUGUESEBR} ProductName "${NOME}"
VIAddVersionKey /LANG=${LANG_PORTUGUESEBR} ProductVersion ${VERSAO}
VIAddVersionKey /LANG=${LANG_PORTUGUESEBR} FileVersion ${VERSAO}
VIAddVersionKey /LANG=${LANG_PORTUGUESEBR} FileDescription "Instalador do ${NOME}"

; The installation already on the machine: its folder and version, empty when there is none.
Var PastaAtual
Var PastaPedida
Var VersaoAtual

; Sets R1 to the file's path when the file, in folder R0, is open elsewhere (a program that runs
; from it, a library loaded, the viewer reading its jar): it then cannot be opened exclusively.
!macro EM_USO arquivo
    ${If} $R1 == ""
    ${AndIf} ${FileExists} "$R0\${arquivo}"
        System::Call 'kernel32::CreateFileW(w "$R0\${arquivo}", i 0x40000000, i 0, p 0, i 3, i 0, p 0) p.r2'
        ${If} $2 = -1
            StrCpy $R1 "$R0\${arquivo}"
        ${Else}
            System::Call 'kernel32::CloseHandle(p r2)'
        ${EndIf}
    ${EndIf}
!macroend

; Returns once no file of the program in folder R0 is in use: until then it says which one is
; and waits for Repetir; Cancelar (or a silent run) quits with nothing changed.
!macro ESPERAR_FIM_DO_PROGRAMA un
Function ${un}EsperarFimDoPrograma
repetir:
    StrCpy $R1 ""
    !insertmacro ARQUIVOS EM_USO
    ${If} $R1 != ""
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "O ${NOME} está aberto: o arquivo $R1 está em uso.$\r$\n$\r$\nFeche o programa e clique em Repetir, ou clique em Cancelar para sair sem alterar a instalação." /SD IDCANCEL IDRETRY repetir
        SetErrorLevel 2
        Quit
    ${EndIf}
FunctionEnd
!macroend
!insertmacro ESPERAR_FIM_DO_PROGRAMA ""
!insertmacro ESPERAR_FIM_DO_PROGRAMA un.

Function .onInit
    ; A folder named with /D= is where this version goes, also over an installation elsewhere,
    ; which is then removed; without it the installation already there is replaced where it is.
    ${If} $INSTDIR != "$PROGRAMFILES64\${PASTA_DO_PRODUTO}"
        StrCpy $PastaPedida $INSTDIR
    ${EndIf}
    ReadRegStr $0 HKLM "${REGISTRO}" UninstallString
    ReadRegStr $VersaoAtual HKLM "${REGISTRO}" DisplayVersion
    ${If} $0 == ""
        Return
    ${EndIf}
    ; The folder of the registered uninstaller, "C:\...\Uninstall.exe" with its quotes.
    ${WordReplace} $0 '"' "" "+" $0
    ${GetParent} $0 $PastaAtual
    ${If} $PastaPedida == ""
        StrCpy $INSTDIR $PastaAtual
    ${EndIf}
    ${VersionCompare} $VersaoAtual ${VERSAO} $0
    ${If} $0 == 1
        MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "A versão $VersaoAtual do ${NOME}, instalada em $PastaAtual, é mais nova que esta (${VERSAO}).$\r$\n$\r$\nSubstituí-la pela versão ${VERSAO}, mais antiga?" /SD IDNO IDYES +3
        SetErrorLevel 2
        Quit
    ${EndIf}
FunctionEnd

Section
    ${If} $PastaAtual != ""
        StrCpy $R0 $PastaAtual
        Call EsperarFimDoPrograma
    ${EndIf}
    StrCpy $R0 $INSTDIR
    Call EsperarFimDoPrograma
    ${If} $PastaAtual != ""
    ${AndIf} ${FileExists} "$PastaAtual\Uninstall.exe"
        DetailPrint "Removendo a versão $VersaoAtual de $PastaAtual"
        ExecWait '"$PastaAtual\Uninstall.exe" /S _?=$PastaAtual' $0
        ${If} $0 != 0
            MessageBox MB_OK|MB_ICONSTOP "Não foi possível remover a versão $VersaoAtual, instalada em $PastaAtual (código $0)." /SD IDOK
            SetErrorLevel 2
            Quit
        ${EndIf}
        ; Run in place, the uninstaller cannot remove itself.
        Delete "$PastaAtual\Uninstall.exe"
        RMDir "$PastaAtual"
    ${EndIf}

    SetOutPath $INSTDIR
    File /r "${PASTA}\*"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    WriteRegStr HKLM "${REGISTRO}" DisplayName "${NOME}"
    WriteRegStr HKLM "${REGISTRO}" DisplayVersion ${VERSAO}
    WriteRegStr HKLM "${REGISTRO}" Publisher "${EDITOR}"
    WriteRegStr HKLM "${REGISTRO}" DisplayIcon "$INSTDIR\RelLicensaCliente.exe"
    WriteRegStr HKLM "${REGISTRO}" InstallLocation $INSTDIR
    WriteRegStr HKLM "${REGISTRO}" UninstallString '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${REGISTRO}" QuietUninstallString '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${REGISTRO}" NoModify 1
    WriteRegDWORD HKLM "${REGISTRO}" NoRepair 1
    ; Add/Remove Programs shows the size the folder takes, in KB.
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${REGISTRO}" EstimatedSize $0
SectionEnd

!macro APAGAR arquivo
    Delete "$INSTDIR\${arquivo}"
!macroend
!macro APAGAR_PASTA pasta
    RMDir "$INSTDIR\${pasta}"
!macroend

; Removes the files this version installed and the folders left empty, never anything else.
Section Uninstall
    StrCpy $R0 $INSTDIR
    Call un.EsperarFimDoPrograma
    !insertmacro ARQUIVOS APAGAR
    !insertmacro PASTAS APAGAR_PASTA
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${REGISTRO}"
SectionEnd
