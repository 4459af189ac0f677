#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace plataforma {

// The last bytes of a stream: what is appended beyond the capacity pushes out the oldest.
class FinalDoFluxo {
public:
    explicit FinalDoFluxo(std::size_t capacidade) : fCapacidade(capacidade) {}

    void acrescentar(std::string_view bytes) {
        if (bytes.size() >= fCapacidade) {
            fCortado = fCortado || bytes.size() > fCapacidade || !fTexto.empty();
            fTexto.assign(bytes.substr(bytes.size() - fCapacidade));
            return;
        }
        const std::size_t excesso = fTexto.size() + bytes.size() > fCapacidade
                                        ? fTexto.size() + bytes.size() - fCapacidade
                                        : 0;
        if (excesso > 0) {
            fTexto.erase(0, excesso);
            fCortado = true;
        }
        fTexto.append(bytes);
    }
    const std::string& texto() const { return fTexto; }
    // Whether earlier bytes were let go.
    bool cortado() const { return fCortado; }

private:
    std::size_t fCapacidade;
    std::string fTexto;
    bool fCortado = false;
};

// What an event loop waits on: a descriptor that turns readable (POSIX) or a handle that turns
// signalled (Windows).
#ifdef _WIN32
using Aguardavel = void*;
inline constexpr Aguardavel nenhumAguardavel = nullptr;
#else
using Aguardavel = int;
inline constexpr Aguardavel nenhumAguardavel = -1;
#endif

// The hidden interpreter that iniciarInterpretadorOculto started, followed to its end without
// ever blocking: its error output is read as it comes, only its last bytes kept, and its exit code
// is taken when it ends. Releasing the object stops the following, never the interpreter: it runs
// on, and whatever it writes to its error output afterwards fails quietly instead of ending it.
class InterpretadorIniciado {
public:
    // The most of the error output that is kept: its last bytes.
    static constexpr std::size_t bytesGuardados = 4096;

    virtual ~InterpretadorIniciado() = default;
    InterpretadorIniciado(const InterpretadorIniciado&) = delete;
    InterpretadorIniciado& operator=(const InterpretadorIniciado&) = delete;

    // Ready when the interpreter has ended; nenhumAguardavel where the system offers nothing to
    // wait on for that (POSIX before Linux 5.3: the end is then seen with the error output's).
    virtual Aguardavel fim() const = 0;
    // Ready when its error output has something to read; meaningless once lendoErros is false.
    virtual Aguardavel erros() const = 0;
    virtual bool lendoErros() const = 0;

    // Reads what the error output holds, without waiting, and takes the exit code if the
    // interpreter has ended. Returns true once it has ended; codigoDeSaida and finalDosErros are
    // final from then on.
    bool atender() {
        if (!fTerminou) {
            lerErros();
            verificarFim();
        }
        return fTerminou;
    }

    // The interpreter's exit code (POSIX: 128 plus the signal's number when a signal ended it, as
    // the shell reports it).
    int codigoDeSaida() const { return fCodigo; }
    // The last bytes written to the error output, as written.
    const FinalDoFluxo& finalDosErros() const { return fFinal; }

protected:
    InterpretadorIniciado() = default;

    // At most this many blocks per call of lerErros, so that a flood of output leaves the event
    // loop room to run.
    static constexpr int leiturasPorVez = 16;
    // Keeps in fFinal what the error output holds now, without waiting.
    virtual void lerErros() = 0;
    // When the interpreter has ended: its exit code into fCodigo, fTerminou set, what its error
    // output still holds read and the following stopped.
    virtual void verificarFim() = 0;

    FinalDoFluxo fFinal{bytesGuardados};
    bool fTerminou = false;
    int fCodigo = 0;
};

// Starts the command interpreter in a hidden window with `parametros` as its parameters, its
// error output into a pipe of this program's, and returns without waiting for it.
//
// Windows: the system's "cmd.exe", in a hidden console of its own, with `parametros` after its
// name on its command line; its standard input and output are the null device. Raises
// std::system_error when it cannot be started.
// POSIX: the parameters must begin with the switch "/c" (blanks before it allowed); the POSIX
// shell runs the rest of the text as one command, in a session of its own, with the program's
// current folder and environment and only its standard input and output besides the pipe.
// Raises std::invalid_argument when the switch is missing (nothing is started) and
// std::system_error when the shell cannot be started.
std::unique_ptr<InterpretadorIniciado> iniciarInterpretadorOculto(const std::string& parametros);

} // namespace plataforma
