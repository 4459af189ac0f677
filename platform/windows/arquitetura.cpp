#include "platform/arquitetura.h"

#include "platform/windows/pe.h"
#include "platform/windows/utf.h"

#include <windows.h>

#include <array>
#include <cstdio>

namespace plataforma {

namespace {

constexpr unsigned short maquinaDoPrograma =
#if defined(_M_X64) || defined(__x86_64__)
    IMAGE_FILE_MACHINE_AMD64;
#elif defined(_M_ARM64) || defined(__aarch64__)
    IMAGE_FILE_MACHINE_ARM64;
#else
    IMAGE_FILE_MACHINE_I386;
#endif

std::string nomeDaMaquina(unsigned short maquina) {
    switch (maquina) {
    case IMAGE_FILE_MACHINE_I386:
        return "x86";
    case IMAGE_FILE_MACHINE_AMD64:
        return "x64";
    case IMAGE_FILE_MACHINE_ARM64:
        return "arm64";
    case IMAGE_FILE_MACHINE_ARMNT:
        return "arm";
    default:
        return "machine " + std::to_string(maquina);
    }
}

// Reads `tamanho` bytes at `posicao`; false when the file is shorter.
bool lerEm(std::FILE* arquivo, long posicao, unsigned char* destino, std::size_t tamanho) {
    return std::fseek(arquivo, posicao, SEEK_SET) == 0 &&
           std::fread(destino, 1, tamanho, arquivo) == tamanho;
}

unsigned ler16(const unsigned char* bytes) {
    return bytes[0] | (unsigned{bytes[1]} << 8);
}

// The machine of a DLL file: the PE header's Machine field, when its characteristics mark it as
// a DLL.
std::optional<unsigned short> maquinaDaDll(const std::string& caminho) {
    std::FILE* arquivo = _wfopen(paraUtf16(caminho).c_str(), L"rb");
    if (arquivo == nullptr)
        return std::nullopt;
    std::optional<unsigned short> maquina;
    std::array<unsigned char, 64> dos{};
    std::array<unsigned char, 24> pe{};
    if (lerEm(arquivo, 0, dos.data(), dos.size()) && dos[0] == 'M' && dos[1] == 'Z') {
        const long inicioPe = static_cast<long>(ler16(&dos[0x3c]) | (ler16(&dos[0x3e]) << 16));
        if (lerEm(arquivo, inicioPe, pe.data(), pe.size()) && pe[0] == 'P' && pe[1] == 'E' &&
            pe[2] == 0 && pe[3] == 0 && (ler16(&pe[22]) & IMAGE_FILE_DLL) != 0)
            maquina = static_cast<unsigned short>(ler16(&pe[4]));
    }
    std::fclose(arquivo);
    return maquina;
}

} // namespace

std::string arquiteturaDoPrograma() {
    return nomeDaMaquina(maquinaDoPrograma);
}

std::optional<std::string> pe::arquiteturaDeOutraBiblioteca(const std::string& caminho) {
    const std::optional<unsigned short> maquina = maquinaDaDll(caminho);
    if (!maquina || *maquina == maquinaDoPrograma)
        return std::nullopt;
    return nomeDaMaquina(*maquina);
}

} // namespace plataforma
