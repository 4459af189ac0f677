#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What the loader layer reads of an ELF file through a descriptor open on it.

namespace plataforma::elf {

// The fields of an ELF file's header that tell what it is, which processor it is built for and
// where its program headers lie.
struct Cabecalho {
    unsigned classe = 0;  // 1: 32-bit, 2: 64-bit
    unsigned ordem = 0;   // 1: little-endian, 2: big-endian
    unsigned tipo = 0;    // 3: shared object
    unsigned maquina = 0; // the processor
    // Set only when the file holds the whole header.
    struct Programa {
        std::uint64_t inicio = 0, tamanhoDeCada = 0, quantidade = 0;
    };
    std::optional<Programa> cabecalhosDePrograma;
};

inline constexpr unsigned classe64 = 2;
inline constexpr unsigned ordemBigEndian = 2;
inline constexpr unsigned tipoObjetoCompartilhado = 3;

// The header of the open file; nothing when the file is not ELF or too short to tell.
std::optional<Cabecalho> lerCabecalho(int descritor);

// Whether an ELF file is cut short: its program headers, or a segment the loader maps from it,
// end past the end of the file (`tamanho` bytes). A file too short for an ELF header, or not ELF
// at all, is not: the loader refuses it with its own explanation.
bool truncado(int descritor, std::uint64_t tamanho);

// When the open file is a shared library built for another architecture than this program, the
// name of that architecture; nothing when it is built for this one, is not a library or cannot
// be read.
std::optional<std::string> arquiteturaDeOutraBiblioteca(int descritor);

} // namespace plataforma::elf
