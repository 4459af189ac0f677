#include "data/ErroBanco.h"

#include "platform/arquitetura.h"
#include "platform/codificacao.h"

namespace {

const std::string etiquetaDaCamada = "[Conexao]";
const std::string camadasDaBiblioteca = "[Phys][PG]";
const std::string camadasDaTentativa = "[Phys][PG][libpq]";

std::string comCodigo(int codigo, const std::string& texto) {
    return etiquetaDaCamada + camadasDaBiblioteca + "-" + std::to_string(codigo) + ". " + texto;
}

// The system's text without the blanks, control characters and periods at its end.
std::string semFinal(std::string texto) {
    while (!texto.empty() &&
           (static_cast<unsigned char>(texto.back()) <= ' ' || texto.back() == '.'))
        texto.pop_back();
    return texto;
}

std::string detalhesDaCarga(const std::string& caminho,
                            const std::optional<std::string>& outraArquitetura,
                            const std::string& textoDoSistema) {
    std::string detalhes;
    if (outraArquitetura)
        detalhes = caminho + " has unsupported architecture [" + *outraArquitetura +
                   "]. Required [" + plataforma::arquiteturaDoPrograma() + "]." +
                   plataforma::quebraDeLinha;
    detalhes += semFinal(textoDoSistema);
    // The hint goes on a line of its own.
    const char ultimo = detalhes.empty() ? '.' : detalhes.back();
    if (ultimo != '\r' && ultimo != '\n' && ultimo != '.')
        detalhes += plataforma::quebraDeLinha;
    return detalhes;
}

// libpq's text after an "ERROR:" or "FATAL:" severity, without the blanks and line breaks
// around it; any other text whole.
std::string textoDaTentativa(const std::string& textoLibpq) {
    const std::size_t doisPontos = textoLibpq.find(':');
    if (doisPontos == std::string::npos)
        return textoLibpq;
    const std::string severidade = textoLibpq.substr(0, doisPontos);
    if (severidade != "ERROR" && severidade != "FATAL")
        return textoLibpq;
    const char* const espacos = " \r\n";
    const std::size_t inicio = textoLibpq.find_first_not_of(espacos, doisPontos + 1);
    if (inicio == std::string::npos)
        return {};
    const std::size_t fim = textoLibpq.find_last_not_of(espacos);
    return textoLibpq.substr(inicio, fim - inicio + 1);
}

} // namespace

ErroBanco erroCargaBiblioteca(const std::string& caminho,
                              const std::optional<std::string>& outraArquitetura,
                              const std::string& textoDoSistema) {
    return ErroBanco(comCodigo(
        314, "Cannot load vendor library [" + caminho + "]. " +
                 detalhesDaCarga(caminho, outraArquitetura, textoDoSistema) +
                 "Hint: check it is in the PATH or application EXE directories, and has " +
                 plataforma::arquiteturaDoPrograma() + " bitness."));
}

ErroBanco erroPontosDeEntrada(const std::vector<std::string>& ausentes) {
    std::string nomes;
    for (const std::string& nome : ausentes)
        nomes += (nomes.empty() ? "" : plataforma::quebraDeLinha) + nome;
    return ErroBanco(comCodigo(315, "Cannot get vendor library entry point[s]. [" + nomes + "]"));
}

ErroBanco erroTentativa(const std::string& textoLibpq) {
    return ErroBanco(etiquetaDaCamada + camadasDaTentativa + " " + textoDaTentativa(textoLibpq));
}
