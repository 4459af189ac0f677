#include "platform/arquitetura.h"

#include "platform/caminho_programa.h"
#include "platform/posix/elf.h"

#include <fcntl.h>
#include <unistd.h>

namespace plataforma {

namespace {

using elf::Cabecalho;

// The same processor, word size, byte order and kind of file.
bool mesmaIdentidade(const Cabecalho& um, const Cabecalho& outro) {
    return um.classe == outro.classe && um.ordem == outro.ordem && um.tipo == outro.tipo &&
           um.maquina == outro.maquina;
}

std::string nomeDaArquitetura(const Cabecalho& elf) {
    const bool de64 = elf.classe == elf::classe64;
    const bool bigEndian = elf.ordem == elf::ordemBigEndian;
    switch (elf.maquina) {
    case 3:
        return "i386";
    case 62:
        return de64 ? "x86_64" : "x32";
    case 183:
        return bigEndian ? "aarch64_be" : "aarch64";
    case 40:
        return bigEndian ? "armeb" : "arm";
    case 243:
        return de64 ? "riscv64" : "riscv32";
    case 20:
        return "ppc";
    case 21:
        return bigEndian ? "ppc64" : "ppc64le";
    case 22:
        return de64 ? "s390x" : "s390";
    case 8:
        return std::string(de64 ? "mips64" : "mips") + (bigEndian ? "" : "el");
    case 43:
        return "sparc64";
    case 258:
        return "loongarch64";
    default:
        return "ELF machine " + std::to_string(elf.maquina) + (de64 ? " 64-bit" : " 32-bit");
    }
}

Cabecalho lerIdentidadeDoPrograma() {
    const int descritor = open(caminhoDoPrograma().c_str(), O_RDONLY | O_CLOEXEC);
    const std::optional<Cabecalho> identidade = elf::lerCabecalho(descritor);
    if (descritor >= 0)
        close(descritor);
    return identidade.value_or(Cabecalho{});
}

const Cabecalho& identidadeDoPrograma() {
    static const Cabecalho identidade = lerIdentidadeDoPrograma();
    return identidade;
}

} // namespace

std::string arquiteturaDoPrograma() {
    return nomeDaArquitetura(identidadeDoPrograma());
}

std::optional<std::string> elf::arquiteturaDeOutraBiblioteca(int descritor) {
    const std::optional<Cabecalho> arquivo = elf::lerCabecalho(descritor);
    if (!arquivo || arquivo->tipo != elf::tipoObjetoCompartilhado)
        return std::nullopt;
    Cabecalho programa = identidadeDoPrograma();
    programa.tipo = elf::tipoObjetoCompartilhado; // the program itself may be an executable
    if (mesmaIdentidade(*arquivo, programa))
        return std::nullopt;
    return nomeDaArquitetura(*arquivo);
}

} // namespace plataforma
