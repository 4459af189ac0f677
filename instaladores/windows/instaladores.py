#!/usr/bin/python3
"""The Windows installers of the program's folder, as `cmake --install` lays it out.

    instaladores.py <program folder> <version> <acao_msi.dll> <output folder>

makes, in the output folder, RelLicensaCliente-<version>-windows-x64.exe (NSIS, from
instalador.nsi beside this file) and RelLicensaCliente-<version>-windows-x64.msi (wixl). Both
install per machine into C:\\Program Files\\RelLicensaCliente, or over the installation already
there, wherever it is; neither makes a shortcut or a PATH entry (the parent application starts
the program with its arguments). The files are listed once, here, from the folder: the NSIS script gets
them as macros (what its uninstaller removes and what must not be in use), the MSI as one
component per file and one per folder. acao_msi.dll is the MSI's custom action that waits
while the program is open.

With the site's certificate in the environment (scripts/assinar.py), the program's exe and DLLs
in the folder, the custom action, the NSIS uninstaller and both installers are signed.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import uuid
from xml.sax.saxutils import quoteattr

AQUI = os.path.dirname(os.path.abspath(__file__))
RAIZ = os.path.join(AQUI, "..", "..")
ASSINAR = os.path.join(RAIZ, "scripts", "assinar.py")
ICONE = os.path.join(RAIZ, "app", "imagens", "RelLicensaCliente.ico")
# The product as both packages present it, in one place: the NSIS script gets these as defines,
# and the MSI's custom action reads the name from the package.
NOME = "Relação de Licensa Clientes"
EDITOR = "RelLicensaCliente"
PASTA = "RelLicensaCliente"  # the folder under Program Files
REGISTRO_NSIS = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + PASTA
# Every version of the MSI shares this code, which is how a newer one finds an older one to
# replace; the components' codes are derived from their paths under it, the same in every version.
CODIGO_DE_ATUALIZACAO = uuid.UUID("6f3c1c52-5a0e-4d8e-9b1f-2f5e8b7a4c31")
REGISTRO_MSI = "Software\\" + PASTA


def conteudo(pasta):
    """The folders (parents first) and the files of the folder, as relative paths."""
    pastas, arquivos = [], []
    for raiz, subpastas, nomes in os.walk(pasta):
        subpastas.sort()
        relativa = os.path.relpath(raiz, pasta)
        if relativa != ".":
            pastas.append(relativa)
        arquivos += [os.path.normpath(os.path.join(relativa, nome)) for nome in sorted(nomes)]
    return pastas, arquivos


def texto_nsis(caminho):
    """A relative path as an NSIS string, with Windows separators."""
    return '"' + caminho.replace("/", "\\").replace("$", "$$").replace('"', '$\\"') + '"'


def lista_nsis(pastas, arquivos):
    """Two macros: ARQUIVOS applies a macro to each file, PASTAS to each folder, deepest first."""
    linhas = ["!macro ARQUIVOS acao"]
    linhas += ["  !insertmacro ${acao} " + texto_nsis(a) for a in arquivos]
    linhas += ["!macroend", "!macro PASTAS acao"]
    linhas += ["  !insertmacro ${acao} " + texto_nsis(p) for p in reversed(pastas)]
    linhas += ["!macroend"]
    return "\n".join(linhas) + "\n"


def guid(caminho):
    return "{%s}" % str(uuid.uuid5(CODIGO_DE_ATUALIZACAO, caminho.lower())).upper()


def diretorios_msi(pastas, arquivos):
    """The Directory tree under INSTALLDIR, each folder with a CreateFolder component (so that
    removal takes the folder too) and each file in a component of its own."""
    ids = {"": "INSTALLDIR"}
    for indice, pasta in enumerate(pastas):
        ids[pasta] = "PASTA_%d" % indice

    def dentro(pasta, recuo):
        espaco = " " * recuo
        linhas = [espaco + '<Component Id="C_%s" Guid="%s" Win64="yes"><CreateFolder/></Component>'
                  % (ids[pasta], guid("pasta:" + pasta))]
        for indice, arquivo in enumerate(arquivos):
            if os.path.dirname(arquivo) == pasta:
                linhas.append(
                    espaco + '<Component Id="C_A%d" Guid="%s" Win64="yes"><File Id="A%d" Source=%s KeyPath="yes"/></Component>'
                    % (indice, guid("arquivo:" + arquivo), indice,
                       quoteattr("programa/" + arquivo)))
        for filha in pastas:
            if os.path.dirname(filha) == pasta:
                linhas.append(espaco + '<Directory Id="%s" Name=%s>' %
                              (ids[filha], quoteattr(os.path.basename(filha))))
                linhas += dentro(filha, recuo + 2)
                linhas.append(espaco + "</Directory>")
        return linhas

    componentes = ["C_" + i for i in ids.values()] + ["C_A%d" % i for i in range(len(arquivos))]
    return dentro("", 10), componentes


def wxs(pastas, arquivos, versao):
    arvore, componentes = diretorios_msi(pastas, arquivos)
    referencias = "\n".join('      <ComponentRef Id="%s"/>' % c for c in componentes + ["C_REGISTRO"])
    return f"""<?xml version="1.0" encoding="utf-8"?>
<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">
  <Product Id="*" Name={quoteattr(NOME)} Language="1046" Codepage="1252" Version="{versao}"
           Manufacturer={quoteattr(EDITOR)} UpgradeCode="{{{str(CODIGO_DE_ATUALIZACAO).upper()}}}">
    <Package InstallerVersion="500" Compressed="yes" InstallScope="perMachine"
             Languages="1046" SummaryCodepage="1252" Description={quoteattr(NOME)}/>
    <Media Id="1" Cabinet="programa.cab" EmbedCab="yes"/>
    <!-- Another version of the program is replaced; one of the same three first numbers too (the
         installer compares no more), so that there is never a second entry. A newer one stays,
         and this one is refused with a message. -->
    <Upgrade Id="{{{str(CODIGO_DE_ATUALIZACAO).upper()}}}">
      <UpgradeVersion Property="VERSAO_SUBSTITUIDA" Minimum="0.0.0" IncludeMinimum="yes"
                      Maximum="{versao}" IncludeMaximum="yes"/>
      <UpgradeVersion Property="VERSAO_MAIS_NOVA" Minimum="{versao}" IncludeMinimum="no"
                      OnlyDetect="yes"/>
    </Upgrade>
    <Condition Message="Uma versão mais nova do {NOME} já está instalada. Para voltar a esta versão, remova aquela primeiro.">NOT VERSAO_MAIS_NOVA</Condition>
    <Icon Id="RelLicensaCliente.ico" SourceFile="RelLicensaCliente.ico"/>
    <Property Id="ARPPRODUCTICON" Value="RelLicensaCliente.ico"/>
    <Property Id="ARPNOMODIFY" Value="1"/>
    <Property Id="ARPNOREPAIR" Value="1"/>
    <!-- An installation already on the machine is replaced where it is, unless the command line
         names the folder (INSTALLDIR=...): that value, set before the search, is kept aside and
         put back right after it (AppSearch is 50 in both sequences; wixl would place an action
         "After" it past CostFinalize). The installed folder is also kept for the wait while the program is
         open, which looks at both. -->
    <Property Id="INSTALLDIR">
      <RegistrySearch Id="PastaInstalada" Root="HKLM" Key="{REGISTRO_MSI}" Name="Pasta"
                      Type="raw" Win64="yes"/>
    </Property>
    <Property Id="PASTA_INSTALADA">
      <RegistrySearch Id="PastaInstaladaParaAEspera" Root="HKLM" Key="{REGISTRO_MSI}"
                      Name="Pasta" Type="raw" Win64="yes"/>
    </Property>
    <CustomAction Id="GuardarPastaPedida" Property="PASTA_PEDIDA" Value="[INSTALLDIR]"/>
    <CustomAction Id="UsarPastaPedida" Property="INSTALLDIR" Value="[PASTA_PEDIDA]"/>
    <CustomAction Id="PastaParaRemocao" Property="ARPINSTALLLOCATION" Value="[INSTALLDIR]"/>
    <Binary Id="AcaoMsi" SourceFile="acao_msi.dll"/>
    <CustomAction Id="EsperarFimDoPrograma" BinaryKey="AcaoMsi" DllEntry="EsperarFimDoPrograma"
                  Execute="immediate" Return="check"/>
    <InstallUISequence>
      <Custom Action="GuardarPastaPedida" Sequence="49">INSTALLDIR</Custom>
      <Custom Action="UsarPastaPedida" Sequence="51">PASTA_PEDIDA</Custom>
    </InstallUISequence>
    <InstallExecuteSequence>
      <Custom Action="GuardarPastaPedida" Sequence="49">INSTALLDIR</Custom>
      <Custom Action="UsarPastaPedida" Sequence="51">PASTA_PEDIDA</Custom>
      <Custom Action="PastaParaRemocao" After="CostFinalize"/>
      <Custom Action="EsperarFimDoPrograma" Before="InstallValidate"/>
      <!-- The version replaced goes whole before this one comes in. -->
      <RemoveExistingProducts Sequence="1401"/>
    </InstallExecuteSequence>
    <Directory Id="TARGETDIR" Name="SourceDir">
      <Directory Id="ProgramFiles64Folder">
        <Directory Id="INSTALLDIR" Name={quoteattr(PASTA)}>
{chr(10).join(arvore)}
          <Component Id="C_REGISTRO" Guid="{guid("registro")}" Win64="yes">
            <RegistryValue Root="HKLM" Key="{REGISTRO_MSI}" Name="Pasta" Type="string"
                           Value="[INSTALLDIR]" KeyPath="yes"/>
          </Component>
        </Directory>
      </Directory>
    </Directory>
    <Feature Id="Programa" Level="1">
{referencias}
    </Feature>
  </Product>
</Wix>
"""


def executar(comando, **opcoes):
    resultado = subprocess.run(comando, capture_output=True, text=True, **opcoes)
    if resultado.returncode != 0:
        sys.exit("%s failed:\n%s%s" % (comando[0], resultado.stdout, resultado.stderr))


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    pasta, versao, acao_msi, saida = sys.argv[1:]
    pasta, acao_msi, saida = (os.path.abspath(caminho) for caminho in (pasta, acao_msi, saida))
    pastas, arquivos = conteudo(pasta)
    base = os.path.join(saida, "RelLicensaCliente-%s-windows-x64" % versao)
    os.makedirs(saida, exist_ok=True)
    assinar = "LANCADOR_CERTIFICADO" in os.environ
    executar([sys.executable, ASSINAR] + [os.path.join(pasta, a) for a in arquivos
                                         if a.lower().endswith((".exe", ".dll"))])
    with tempfile.TemporaryDirectory() as trabalho:
        with open(os.path.join(trabalho, "arquivos.nsh"), "w", encoding="utf-8") as nsh:
            nsh.write(lista_nsis(pastas, arquivos))
        # NSIS signs the uninstaller it makes and the installer itself through the same script.
        executar(["makensis", "-V2", "-INPUTCHARSET", "UTF8", "-DVERSAO=" + versao,
                  "-DPASTA=" + pasta, "-DARQUIVOS=" + os.path.join(trabalho, "arquivos.nsh"),
                  "-DICONE=" + os.path.abspath(ICONE), "-DSAIDA=" + base + ".exe",
                  "-DNOME=" + NOME, "-DEDITOR=" + EDITOR, "-DPASTA_DO_PRODUTO=" + PASTA,
                  "-DREGISTRO=" + REGISTRO_NSIS]
                 + (["-DASSINAR=" + sys.executable + " " + os.path.abspath(ASSINAR)]
                    if assinar else [])
                 + [os.path.join(AQUI, "instalador.nsi")])

        # wixl takes the sources relative to the folder it runs in.
        os.symlink(pasta, os.path.join(trabalho, "programa"))
        os.symlink(os.path.abspath(ICONE), os.path.join(trabalho, "RelLicensaCliente.ico"))
        shutil.copyfile(acao_msi, os.path.join(trabalho, "acao_msi.dll"))
        executar([sys.executable, ASSINAR, os.path.join(trabalho, "acao_msi.dll")])
        with open(os.path.join(trabalho, "programa.wxs"), "w", encoding="utf-8") as arquivo:
            arquivo.write(wxs(pastas, arquivos, versao))
        executar(["wixl", "-a", "x64", "-o", base + ".msi", "programa.wxs"], cwd=trabalho)
        executar([sys.executable, ASSINAR, base + ".msi"])


if __name__ == "__main__":
    main()
