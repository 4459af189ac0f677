#include "platform/arquitetura.h"

#include "platform/caminho_programa.h"
#include "platform/posix/elf.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>

namespace plataforma {

namespace {

// The fields of an ELF file's header that tell what it is and which processor it is built for.
struct IdentidadeElf {
    unsigned classe = 0;  // 1: 32-bit, 2: 64-bit
    unsigned ordem = 0;   // 1: little-endian, 2: big-endian
    unsigned tipo = 0;    // 3: shared object
    unsigned maquina = 0; // the processor
    bool operator==(const IdentidadeElf&) const = default;
};

constexpr unsigned classe64 = 2;
constexpr unsigned ordemBigEndian = 2;
constexpr unsigned tipoObjetoCompartilhado = 3;

std::optional<IdentidadeElf> lerIdentidadeElf(int descritor) {
    std::array<unsigned char, 20> cabecalho{};
    if (pread(descritor, cabecalho.data(), cabecalho.size(), 0) != std::ssize(cabecalho))
        return std::nullopt;
    if (cabecalho[0] != 0x7f || cabecalho[1] != 'E' || cabecalho[2] != 'L' || cabecalho[3] != 'F')
        return std::nullopt;
    IdentidadeElf identidade;
    identidade.classe = cabecalho[4];
    identidade.ordem = cabecalho[5];
    const auto ler16 = [&](std::size_t posicao) {
        return identidade.ordem == ordemBigEndian
                   ? (unsigned{cabecalho[posicao]} << 8) | cabecalho[posicao + 1]
                   : (unsigned{cabecalho[posicao + 1]} << 8) | cabecalho[posicao];
    };
    identidade.tipo = ler16(16);
    identidade.maquina = ler16(18);
    return identidade;
}

std::string nomeDaArquitetura(const IdentidadeElf& elf) {
    const bool de64 = elf.classe == classe64;
    const bool bigEndian = elf.ordem == ordemBigEndian;
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

IdentidadeElf lerIdentidadeDoPrograma() {
    const int descritor = open(caminhoDoPrograma().c_str(), O_RDONLY | O_CLOEXEC);
    const std::optional<IdentidadeElf> identidade = lerIdentidadeElf(descritor);
    if (descritor >= 0)
        close(descritor);
    return identidade.value_or(IdentidadeElf{});
}

IdentidadeElf identidadeDoPrograma() {
    static const IdentidadeElf identidade = lerIdentidadeDoPrograma();
    return identidade;
}

} // namespace

std::string arquiteturaDoPrograma() {
    return nomeDaArquitetura(identidadeDoPrograma());
}

std::optional<std::string> elf::arquiteturaDeOutraBiblioteca(int descritor) {
    const std::optional<IdentidadeElf> arquivo = lerIdentidadeElf(descritor);
    if (!arquivo || arquivo->tipo != tipoObjetoCompartilhado)
        return std::nullopt;
    IdentidadeElf programa = identidadeDoPrograma();
    programa.tipo = tipoObjetoCompartilhado; // the program itself may be an executable
    if (*arquivo == programa)
        return std::nullopt;
    return nomeDaArquitetura(*arquivo);
}

} // namespace plataforma
