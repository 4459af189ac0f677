// The integer conversion of the company and employee codes (and of the port and the parts of a
// dotted address), against the reference model.

#include "fuzz/modelo_inteiro.h"
#include "fuzz/verificar.h"
#include "report/pcnConversao.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    const std::string texto(reinterpret_cast<const char*>(dados), tamanho);
    const std::optional<std::int32_t> esperado = inteiroDeReferencia(texto);

    VERIFICAR(TentarTextoParaInteiro(texto) == esperado);
    try {
        const std::int32_t valor = TextoParaInteiro(texto);
        VERIFICAR(esperado && valor == *esperado);
    } catch (const ErroConversao& erro) {
        VERIFICAR(!esperado);
        const std::string mensagem = "'" + texto + "' is not a valid integer value";
        // what() is a C string: a text with a NUL byte is cut there, in both.
        VERIFICAR(std::strcmp(erro.what(), mensagem.c_str()) == 0);
    }
    return 0;
}
