#!/usr/bin/python3
"""Signs Windows files (exe, DLL, MSI) in place with the site's code-signing certificate, with
Debian's osslsigncode.

    assinar.py <file>...

The certificate is the PKCS#12 file that LANCADOR_CERTIFICADO names, its password is in
LANCADOR_CERTIFICADO_SENHA, and LANCADOR_CARIMBO names a timestamp server (optional). The
password reaches osslsigncode through a file of this process's own, readable by its user only,
never on a command line. Without LANCADOR_CERTIFICADO nothing is signed and nothing fails.
"""
import os
import shutil
import subprocess
import sys
import tempfile

NOME = "Relação de Licensa Clientes"


def assinar(caminho, certificado, arquivo_da_senha, carimbo, pasta):
    assinado = os.path.join(pasta, "assinado")
    comando = ["osslsigncode", "sign", "-pkcs12", certificado, "-readpass", arquivo_da_senha,
               "-h", "sha256", "-n", NOME, "-in", caminho, "-out", assinado]
    if carimbo:
        comando += ["-ts", carimbo]
    resultado = subprocess.run(comando, capture_output=True, text=True)
    if resultado.returncode != 0:
        sys.exit("osslsigncode could not sign %s:\n%s%s"
                 % (caminho, resultado.stdout, resultado.stderr))
    shutil.copyfile(assinado, caminho)
    os.remove(assinado)


def main():
    certificado = os.environ.get("LANCADOR_CERTIFICADO")
    if not certificado:
        return
    senha = os.environ.get("LANCADOR_CERTIFICADO_SENHA", "")
    carimbo = os.environ.get("LANCADOR_CARIMBO")
    with tempfile.TemporaryDirectory() as pasta:
        arquivo_da_senha = os.path.join(pasta, "senha")
        descritor = os.open(arquivo_da_senha, os.O_WRONLY | os.O_CREAT | os.O_EXCL, 0o600)
        with os.fdopen(descritor, "w", encoding="utf-8") as arquivo:
            arquivo.write(senha)
        for caminho in sys.argv[1:]:
            assinar(caminho, certificado, arquivo_da_senha, carimbo, pasta)


if __name__ == "__main__":
    main()
