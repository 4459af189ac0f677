// Shows one message of the program's message dialog, of the kind named by the first argument
// ("Advertencia", "Confirmacao", ...), and prints the modal result it closed with. The end-to-end
// tests press its keys for real, as a user does; the program itself shows only warnings.
#include "messages/UnFuncao.h"

#include <QApplication>

#include <cstdio>
#include <cstring>
#include <utility>

int main(int argc, char** argv) {
    QApplication aplicacao(argc, argv);
    const std::pair<const char*, TTipoMensagens> tipos[] = {
        {"Exclusao", Exclusao},     {"Gravacao", Gravacao},       {"Advertencia", Advertencia},
        {"Informacao", Informacao}, {"Confirmacao", Confirmacao}, {"ResAC", ResAC},
        {"ResAEC", ResAEC},
    };
    for (const auto& [nome, tipo] : tipos)
        if (argc > 1 && std::strcmp(argv[1], nome) == 0) {
            std::printf("%d\n", Mensagem("Mensagem de teste.", tipo));
            return 0;
        }
    std::fprintf(stderr, "usage: mostrar_mensagem <kind>\n");
    return 2;
}
