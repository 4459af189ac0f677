#include "platform/interpretador.h"

#include "platform/ambiente.h"

#include "platform/windows/utf.h"

#include <windows.h>

#include <atomic>
#include <cwchar>
#include <memory>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace plataforma {

namespace {

[[noreturn]] void lancarErroDeInicio() {
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                            "Não foi possível iniciar o interpretador de comandos");
}

// A handle that closes itself.
class Alca {
public:
    Alca() = default;
    explicit Alca(HANDLE valor) : fValor(valor == INVALID_HANDLE_VALUE ? nullptr : valor) {}
    Alca(Alca&& outra) noexcept : fValor(std::exchange(outra.fValor, nullptr)) {}
    Alca& operator=(Alca&& outra) noexcept {
        std::swap(fValor, outra.fValor);
        return *this;
    }
    ~Alca() { fechar(); }

    HANDLE valor() const { return fValor; }
    explicit operator bool() const { return fValor != nullptr; }
    void fechar() {
        if (fValor != nullptr)
            CloseHandle(std::exchange(fValor, nullptr));
    }

private:
    HANDLE fValor = nullptr;
};

// The system's own interpreter, by its full path: a "cmd.exe" in the current folder, which the
// program inherits from whoever started it, is never the one run.
std::wstring interpretadorDoSistema() {
    wchar_t pasta[MAX_PATH];
    const UINT tamanho = GetSystemDirectoryW(pasta, MAX_PATH);
    if (tamanho == 0 || tamanho >= MAX_PATH)
        lancarErroDeInicio();
    return std::wstring(pasta, tamanho) + L"\\cmd.exe";
}

// A pipe whose reading end, this program's, is read overlapped, and whose writing end may be
// inherited. Named, because only named pipes read overlapped; the name is this process's own,
// and FILE_FLAG_FIRST_PIPE_INSTANCE fails rather than join a pipe someone else made under it.
std::pair<Alca, Alca> canoDeErros() {
    static std::atomic<unsigned> contador{0};
    const std::wstring nome = L"\\\\.\\pipe\\RelLicensaCliente-" +
                              std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++contador);
    Alca leitura(CreateNamedPipeW(
        nome.c_str(), PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
        PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 0,
        InterpretadorIniciado::bytesGuardados, 0, nullptr));
    if (!leitura)
        lancarErroDeInicio();
    SECURITY_ATTRIBUTES herdavel{sizeof herdavel, nullptr, TRUE};
    Alca escrita(CreateFileW(nome.c_str(), GENERIC_WRITE, 0, &herdavel, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!escrita)
        lancarErroDeInicio();
    return {std::move(leitura), std::move(escrita)};
}

// The null device, to be inherited as standard input and output.
Alca dispositivoNulo() {
    SECURITY_ATTRIBUTES herdavel{sizeof herdavel, nullptr, TRUE};
    Alca nulo(CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          &herdavel, OPEN_EXISTING, 0, nullptr));
    if (!nulo)
        lancarErroDeInicio();
    return nulo;
}

// The list of the only handles that a new process inherits.
class HerancaRestrita {
public:
    explicit HerancaRestrita(std::vector<HANDLE> alcas) : fAlcas(std::move(alcas)) {
        SIZE_T tamanho = 0;
        InitializeProcThreadAttributeList(nullptr, 1, 0, &tamanho);
        fMemoria.resize(tamanho);
        if (!InitializeProcThreadAttributeList(lista(), 1, 0, &tamanho))
            lancarErroDeInicio();
        fIniciada = true;
        if (!UpdateProcThreadAttribute(lista(), 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, fAlcas.data(),
                                       fAlcas.size() * sizeof(HANDLE), nullptr, nullptr))
            lancarErroDeInicio();
    }
    ~HerancaRestrita() {
        if (fIniciada)
            DeleteProcThreadAttributeList(lista());
    }
    HerancaRestrita(const HerancaRestrita&) = delete;
    HerancaRestrita& operator=(const HerancaRestrita&) = delete;

    LPPROC_THREAD_ATTRIBUTE_LIST lista() {
        return reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(fMemoria.data());
    }

private:
    std::vector<HANDLE> fAlcas;
    std::vector<char> fMemoria;
    bool fIniciada = false;
};

// The error output is read through one overlapped read at a time into `fBloco`; its event turns
// signalled when that read completes (or the pipe breaks).
class InterpretadorWindows final : public InterpretadorIniciado {
public:
    InterpretadorWindows(HANDLE processo, Alca erros)
        : fProcesso(processo), fErros(std::move(erros)) {
        fSobreposto.hEvent = fEvento.valor();
        lerErros(); // the first read, whose completion the event announces
    }
    ~InterpretadorWindows() override { encerrarErros(); }

    Aguardavel fim() const override { return fProcesso.valor(); }
    Aguardavel erros() const override { return fEvento.valor(); }
    bool lendoErros() const override { return fLendo; }

private:
    // Takes the read that completed, if any, and starts the next.
    void lerErros() override {
        for (int leitura = 0; leitura < leiturasPorVez && fLendo; ++leitura) {
            if (fPendente) {
                DWORD lidos = 0;
                if (!GetOverlappedResult(fErros.valor(), &fSobreposto, &lidos, FALSE)) {
                    if (GetLastError() == ERROR_IO_INCOMPLETE)
                        return;
                    fPendente = false;
                    encerrarErros(); // the pipe is broken: every writer has closed it
                    return;
                }
                fPendente = false;
                fFinal.acrescentar({fBloco, lidos});
            }
            if (!ReadFile(fErros.valor(), fBloco, sizeof fBloco, nullptr, &fSobreposto) &&
                GetLastError() != ERROR_IO_PENDING) {
                encerrarErros();
                return;
            }
            fPendente = true;
        }
    }

    // A read still pending is cancelled and waited for before its buffer goes.
    void encerrarErros() {
        if (fPendente) {
            CancelIoEx(fErros.valor(), &fSobreposto);
            DWORD lidos = 0;
            if (GetOverlappedResult(fErros.valor(), &fSobreposto, &lidos, TRUE))
                fFinal.acrescentar({fBloco, lidos});
            fPendente = false;
        }
        fLendo = false;
        fErros.fechar();
    }

    void verificarFim() override {
        if (WaitForSingleObject(fProcesso.valor(), 0) != WAIT_OBJECT_0)
            return;
        DWORD saida = 0;
        GetExitCodeProcess(fProcesso.valor(), &saida);
        fCodigo = static_cast<int>(saida);
        fTerminou = true;
        // What it wrote before it ended is in the pipe already; a process it left behind may
        // still hold the pipe and write on, and is not waited for.
        lerErros();
        encerrarErros();
    }

    Alca fProcesso;
    Alca fErros;
    Alca fEvento{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    OVERLAPPED fSobreposto{};
    char fBloco[4096];
    bool fPendente = false;
    bool fLendo = true;
};

// The program's environment block without the variables it gave itself.
std::wstring ambienteDoFilho() {
    const std::unique_ptr<wchar_t, decltype(&FreeEnvironmentStringsW)> bloco(
        GetEnvironmentStringsW(), &FreeEnvironmentStringsW);
    if (!bloco)
        lancarErroDeInicio();
    std::wstring ambiente;
    for (const wchar_t* entrada = bloco.get(); *entrada != L'\0';
         entrada += std::wcslen(entrada) + 1)
        if (!variavelPropria(paraUtf8(entrada)))
            ambiente.append(entrada).push_back(L'\0');
    if (ambiente.empty())
        ambiente.push_back(L'\0'); // a block without entries still ends with two
    ambiente.push_back(L'\0');
    return ambiente;
}

} // namespace

std::unique_ptr<InterpretadorIniciado> iniciarInterpretadorOculto(const std::string& parametros) {
    const std::wstring interpretador = interpretadorDoSistema();
    std::wstring linha = L"\"" + interpretador + L"\" " + paraUtf16(parametros);
    auto [leitura, escrita] = canoDeErros();
    const Alca nulo = dispositivoNulo();
    HerancaRestrita heranca({nulo.valor(), escrita.valor()});

    // A console of its own, hidden, as the shell gives a console program started hidden.
    STARTUPINFOEXW inicio{};
    inicio.StartupInfo.cb = sizeof inicio;
    inicio.StartupInfo.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    inicio.StartupInfo.wShowWindow = SW_HIDE;
    inicio.StartupInfo.hStdInput = nulo.valor();
    inicio.StartupInfo.hStdOutput = nulo.valor();
    inicio.StartupInfo.hStdError = escrita.valor();
    inicio.lpAttributeList = heranca.lista();
    std::wstring ambiente = ambienteDoFilho();
    PROCESS_INFORMATION iniciado{};
    if (!CreateProcessW(interpretador.c_str(), linha.data(), nullptr, nullptr, TRUE,
                        CREATE_NEW_CONSOLE | CREATE_UNICODE_ENVIRONMENT |
                            EXTENDED_STARTUPINFO_PRESENT,
                        ambiente.data(), nullptr, &inicio.StartupInfo, &iniciado))
        lancarErroDeInicio();
    CloseHandle(iniciado.hThread);

    return std::make_unique<InterpretadorWindows>(iniciado.hProcess, std::move(leitura));
}

} // namespace plataforma
