#include "platform/posix/elf.h"

#include <unistd.h>

#include <vector>

namespace plataforma::elf {

namespace {

// Reads an unsigned integer of `bytes` bytes at `posicao`, in the file's byte order.
std::uint64_t lerInteiro(const std::vector<unsigned char>& dados, std::size_t posicao,
                         std::size_t bytes, bool bigEndian) {
    std::uint64_t valor = 0;
    for (std::size_t i = 0; i < bytes; ++i) {
        const unsigned char byte = dados[posicao + (bigEndian ? i : bytes - 1 - i)];
        valor = (valor << 8) | byte;
    }
    return valor;
}

// Up to `bytes` bytes from `posicao`; fewer where the file ends before.
std::vector<unsigned char> lerEm(int descritor, std::uint64_t posicao, std::size_t bytes) {
    std::vector<unsigned char> dados(bytes);
    const ssize_t lidos = pread(descritor, dados.data(), bytes, static_cast<off_t>(posicao));
    dados.resize(lidos > 0 ? static_cast<std::size_t>(lidos) : 0);
    return dados;
}

} // namespace

std::optional<Cabecalho> lerCabecalho(int descritor) {
    const std::vector<unsigned char> dados = lerEm(descritor, 0, 64);
    if (dados.size() < 20 || dados[0] != 0x7f || dados[1] != 'E' || dados[2] != 'L' ||
        dados[3] != 'F')
        return std::nullopt;
    Cabecalho cabecalho;
    cabecalho.classe = dados[4];
    cabecalho.ordem = dados[5];
    const bool de64 = cabecalho.classe == classe64;
    const bool bigEndian = cabecalho.ordem == ordemBigEndian;
    cabecalho.tipo = static_cast<unsigned>(lerInteiro(dados, 16, 2, bigEndian));
    cabecalho.maquina = static_cast<unsigned>(lerInteiro(dados, 18, 2, bigEndian));
    if (dados.size() >= (de64 ? 64u : 52u))
        cabecalho.cabecalhosDePrograma =
            Cabecalho::Programa{lerInteiro(dados, de64 ? 32 : 28, de64 ? 8 : 4, bigEndian),
                                lerInteiro(dados, de64 ? 54 : 42, 2, bigEndian),
                                lerInteiro(dados, de64 ? 56 : 44, 2, bigEndian)};
    return cabecalho;
}

bool truncado(int descritor, std::uint64_t tamanho) {
    const std::optional<Cabecalho> cabecalho = lerCabecalho(descritor);
    if (!cabecalho || !cabecalho->cabecalhosDePrograma ||
        cabecalho->cabecalhosDePrograma->quantidade == 0)
        return false;
    const auto [inicio, tamanhoDeCada, quantidade] = *cabecalho->cabecalhosDePrograma;
    const bool de64 = cabecalho->classe == classe64;
    const bool bigEndian = cabecalho->ordem == ordemBigEndian;
    if (tamanhoDeCada < (de64 ? 56u : 32u) || inicio > tamanho ||
        quantidade * tamanhoDeCada > tamanho - inicio)
        return true;

    const std::vector<unsigned char> cabecalhos =
        lerEm(descritor, inicio, quantidade * tamanhoDeCada);
    if (cabecalhos.size() != quantidade * tamanhoDeCada)
        return true;
    constexpr std::uint64_t segmentoCarregavel = 1; // PT_LOAD
    const std::size_t largura = de64 ? 8 : 4;
    for (std::uint64_t i = 0; i < quantidade; ++i) {
        const std::size_t base = i * tamanhoDeCada;
        if (lerInteiro(cabecalhos, base, 4, bigEndian) != segmentoCarregavel)
            continue;
        const std::uint64_t deslocamento =
            lerInteiro(cabecalhos, base + (de64 ? 8 : 4), largura, bigEndian);
        const std::uint64_t bytes =
            lerInteiro(cabecalhos, base + (de64 ? 32 : 16), largura, bigEndian);
        if (deslocamento > tamanho || bytes > tamanho - deslocamento)
            return true;
    }
    return false;
}

} // namespace plataforma::elf
