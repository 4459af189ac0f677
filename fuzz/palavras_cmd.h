#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A model of how the Windows command interpreter (cmd.exe) and then the C runtime of the program
// it starts read the launcher's command. It covers only what the launcher's commands may hold;
// tests/e2e checks it against the real cmd.exe under Wine (teste_palavras_cmd).

// What the Windows command interpreter passes to the program it starts: carets outside double
// quotes removed (each keeping the character after it), quotes kept. No value when an operator or
// an expansion would act: & | < > ( ) ! or a lone caret outside quotes, % inside them, or a %
// outside them without a quote on each side (with one, the text between two percent signs begins
// and ends with a quote, which no variable's name does).
std::optional<std::string> linhaAposInterpretadorWindows(std::string_view linha);

// How a Windows program's C runtime splits its command line into arguments: blanks separate
// outside quotes; 2n backslashes before a quote give n and the quote opens or closes a stretch,
// 2n+1 give n and a literal quote; other backslashes are literal; "" inside a stretch is a
// literal quote.
std::vector<std::string> argumentosDoProgramaWindows(std::string_view linha);
