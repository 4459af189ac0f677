// Reads a Windows message box of another program, for the tests under Wine (where its Ctrl+C
// copy leaves the clipboard empty):
//   ler_caixa <caption>
// Finds the dialog with exactly that caption and prints, UTF-8, what Windows's Ctrl+C copy of it
// holds: a line of dashes, the caption, dashes, the text, dashes, the buttons' captions (without
// their access-key ampersands, separated by blanks), dashes. Exit code 1 when no such box exists.
#include "platform/windows/utf.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::wstring textoDe(HWND janela) {
    std::wstring texto(static_cast<std::size_t>(SendMessageW(janela, WM_GETTEXTLENGTH, 0, 0)) + 1,
                       L'\0');
    const LRESULT lidos =
        SendMessageW(janela, WM_GETTEXT, texto.size(), reinterpret_cast<LPARAM>(texto.data()));
    texto.resize(static_cast<std::size_t>(lidos));
    return texto;
}

// The captions of the box's push buttons, in their order.
BOOL CALLBACK juntarBotao(HWND filho, LPARAM botoes) {
    wchar_t classe[16] = {};
    GetClassNameW(filho, classe, 16);
    if (lstrcmpiW(classe, L"Button") == 0 && IsWindowVisible(filho)) {
        std::wstring legenda;
        for (const wchar_t c : textoDe(filho))
            if (c != L'&')
                legenda += c;
        auto& todas = *reinterpret_cast<std::wstring*>(botoes);
        todas += (todas.empty() ? L"" : L" ") + legenda;
    }
    return TRUE;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: ler_caixa <caption>\n");
        return 2;
    }
    const HWND caixa = FindWindowW(L"#32770", argv[1]);
    if (caixa == nullptr)
        return 1;
    // The message's static text control has the id 0xFFFF in every message box.
    const HWND mensagem = GetDlgItem(caixa, 0xFFFF);
    std::wstring botoes;
    EnumChildWindows(caixa, juntarBotao, reinterpret_cast<LPARAM>(&botoes));
    const std::string linha = "---------------------------\n";
    std::printf("%s%s\n%s%s\n%s%s\n%s", linha.c_str(), plataforma::paraUtf8(textoDe(caixa)).c_str(),
                linha.c_str(), plataforma::paraUtf8(mensagem ? textoDe(mensagem) : L"").c_str(),
                linha.c_str(), plataforma::paraUtf8(botoes).c_str(), linha.c_str());
    return 0;
}
