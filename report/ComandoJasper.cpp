#include "report/ComandoJasper.h"

#include <stdexcept>
#include <string_view>

namespace {

constexpr char separadorWindows = '\\';

bool ehAlfanumericoAscii(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// A byte that the interpreter passes on unchanged, wherever it stands in an argument. Bytes of
// multi-byte UTF-8 characters are never special to either interpreter.
bool passaSemAspas(unsigned char c, char separador) {
    const std::string_view comuns = "_-.:/+@";
    const std::string_view soNoShell = ",=%";
    const std::string_view soNoWindows = "\\#$'~{}[]`";
    if (c >= 0x80 || ehAlfanumericoAscii(c) || comuns.find(static_cast<char>(c)) != comuns.npos)
        return true;
    const std::string_view proprios = separador == separadorWindows ? soNoWindows : soNoShell;
    return proprios.find(static_cast<char>(c)) != proprios.npos;
}

// POSIX shell: single quotes keep every character; an embedded single quote closes the quoted
// stretch, is escaped and opens a new one.
std::string entreAspasSimples(const std::string& texto) {
    std::string resultado = "'";
    for (const char c : texto) {
        if (c == '\'')
            resultado += "'\\''";
        else
            resultado += c;
    }
    resultado += '\'';
    return resultado;
}

// Windows: double quotes make blanks and the interpreter's operators (& | < > ( ) ^) literal and
// keep the word whole for the program that receives it. A percent sign would still expand an
// environment variable inside quotes, so each one stands outside them with a quote on each side
// ("a"%"b"): the text between two such percent signs begins and ends with a quote, which no
// variable's name does, so the interpreter leaves both as they stand. (A caret, "^%", would do on
// Windows, but Wine's interpreter keeps the caret.) Backslashes right before a quote that this
// function writes are doubled, because the receiving program's argument reader would otherwise
// take "\"" as a literal quote.
std::string entreAspasDuplas(const std::string& texto) {
    std::string resultado;
    bool aberta = false;
    std::size_t barrasSeguidas = 0;
    const auto abrir = [&] {
        if (!aberta)
            resultado += '"';
        aberta = true;
    };
    const auto fechar = [&] {
        if (!aberta)
            return;
        resultado.append(barrasSeguidas, '\\');
        resultado += '"';
        aberta = false;
        barrasSeguidas = 0;
    };
    for (const char c : texto) {
        if (c == '"' || static_cast<unsigned char>(c) < 0x20)
            throw std::invalid_argument(
                "A pasta do programa contém um caractere que o interpretador de comandos não "
                "aceita: " +
                texto);
        if (c == '%') {
            abrir(); // a quote right before the percent sign, even at the start of the word
            fechar();
            resultado += c;
            abrir(); // and one right after it
            continue;
        }
        abrir();
        resultado += c;
        barrasSeguidas = c == '\\' ? barrasSeguidas + 1 : 0;
    }
    fechar();
    return resultado;
}

// A path in the program's folder, as one word for the interpreter: the folder, one separator, the
// name. A root folder ("C:\\", "/") already ends with its separator.
std::string naPasta(const std::string& pasta, char separador, const std::string& nome) {
    const std::string palavra = PastaParaInterpretador(pasta, separador);
    if (!pasta.empty() && pasta.back() == separador)
        return palavra + nome;
    return palavra + separador + nome;
}

} // namespace

std::string PastaDoPrograma(const std::string& caminhoDoPrograma, char separador) {
    // Only Windows paths have a drive colon ("C:app.exe"); elsewhere ':' is an ordinary character.
    const bool temUnidade = separador == separadorWindows;
    const std::string limites = temUnidade ? std::string{separador, ':'} : std::string{separador};
    const auto ultimo = caminhoDoPrograma.find_last_of(limites);
    if (ultimo == std::string::npos)
        return {};
    std::string pasta = caminhoDoPrograma.substr(0, ultimo + 1);
    if (pasta.back() == separador && ultimo > 0) {
        const char anterior = pasta[ultimo - 1];
        const bool ehRaiz = anterior == separador || (temUnidade && anterior == ':');
        if (!ehRaiz)
            pasta.pop_back();
    }
    return pasta;
}

std::string PastaParaInterpretador(const std::string& pasta, char separador) {
    bool precisaDeAspas = false;
    for (const char c : pasta)
        precisaDeAspas = precisaDeAspas || !passaSemAspas(static_cast<unsigned char>(c), separador);
    if (!precisaDeAspas)
        return pasta;
    return separador == separadorWindows ? entreAspasDuplas(pasta) : entreAspasSimples(pasta);
}

std::string MontarComandoJasper(const std::string& caminhoDoPrograma, char separador,
                                const std::string& rel, const std::string& parametros,
                                const std::string& formato_saida,
                                const std::string& valida_parametros) {
    const std::string pasta = PastaDoPrograma(caminhoDoPrograma, separador);
    std::string comando = " /c java -jar ";
    comando += naPasta(pasta, separador, arquivoDoVisualizador);
    comando += "  Marvoss ";
    comando += naPasta(pasta, separador, pastaDosRelatorios);
    comando += separador;
    comando += rel;
    comando += ' ';
    comando += formato_saida;
    comando += ' ';
    comando += valida_parametros;
    if (!parametros.empty()) {
        comando += ' ';
        comando += parametros;
    }
    return comando;
}
