#pragma once

// Report requests and the launch of the external report viewer.

#include "platform/interpretador.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Output format of a report; the ordinal is the value passed around.
enum class TFormatoSaida : std::uint8_t {
    tsVisualizacao = 0, // "VIS", preview on screen
    tsPDF = 1,          // "PDF"
    tsXLS = 2,          // "XLS"
    tsHTML = 3,         // "HTML"
};

// A calendar date with a time of day, as the date pickers hold it; only the date part is sent.
using TDateTime = std::chrono::local_time<std::chrono::seconds>;

// A report request: the name of a report definition and its parameter lines ("name=value"), in
// the order added, duplicates kept.
class TRelatorioJasper {
public:
    explicit TRelatorioJasper(std::string p_Arquivo);

    void addParametro(const std::string& p_key, const std::string& p_valor);
    void addParametro(const std::string& p_key, std::int32_t p_valor);
    void addParametro(const std::string& p_key, TDateTime p_valor);

protected:
    const std::string& Arquivo() const { return fArquivo; }
    void Arquivo(std::string valor) { fArquivo = std::move(valor); }
    const std::vector<std::string>& Parametros() const { return fListaParametros; }
    void Parametros(std::vector<std::string> valor) { fListaParametros = std::move(valor); }

    std::string fArquivo;
    std::vector<std::string> fListaParametros;
};

// A report request that can start the viewer for itself.
class TRelatorioVisualizador : public TRelatorioJasper {
public:
    using TRelatorioJasper::TRelatorioJasper;

    // Joins the parameter lines, names the format and starts the viewer; does not wait for it.
    void executar(TFormatoSaida p_formato);
    // Builds the viewer's command from the program's folder and hands it to the interpreter. An
    // error raised meanwhile is shown to the user as a warning and not passed on.
    void abrirJasper(const std::string& rel, const std::string& parametros,
                     const std::string& formato_saida, const std::string& valida_parametros);
    std::string TFormatoSaidaToStr(TFormatoSaida t);
};

// Hands the finished command text to the hidden command interpreter as its parameters.
using LancadorDoInterpretador = std::function<void(const std::string& parametros)>;

// The warning for a program folder (UTF-8) that lacks the viewer (jasperviewer.jar) or the report
// definitions' folder (relatorios), or holds them where the user may not read them, naming what
// is missing or unreadable and the folder; empty when both are there to be read.
std::string avisoDeVisualizadorAusente(const std::string& pastaDoPrograma);

// Replaces the function that abrirJasper hands its command to and returns the one replaced. The
// program never calls this: the default warns when no Java runtime can be found or when the
// viewer's files are missing, starts the real interpreter and hands it to the current
// VigiaDoInterpretador. Tests put a recorder there; an empty function puts the default back.
LancadorDoInterpretador trocarLancadorDoInterpretador(LancadorDoInterpretador novo);

// Takes each interpreter that the default launch started, to follow it to its end. The program
// puts its watcher here; with none (an empty function, the default) the interpreter runs on
// unfollowed. Returns the one replaced.
using VigiaDoInterpretador =
    std::function<void(std::unique_ptr<plataforma::InterpretadorIniciado>)>;
VigiaDoInterpretador trocarVigiaDoInterpretador(VigiaDoInterpretador novo);
