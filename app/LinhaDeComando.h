#pragma once

#include <array>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

// The eight positional arguments that the parent application passes: server, port, user,
// password, database, company code, employee code and login. Index 0 holds argument 1.
inline constexpr std::size_t QuantidadeDeArgumentos = 8;
using ArgumentosDaLinhaDeComando = std::array<std::string, QuantidadeDeArgumentos>;

// Splits a raw command line (UTF-8) into the program's arguments. The first item is the
// program's own path and is dropped.
// - Every character with a code of 32 or less separates items; a run of them is one separator.
// - A double quote opens a stretch that runs to the next double quote or to the end of the line;
//   inside it blanks belong to the item. Quoted and unquoted stretches join into one item. The
//   quotes are dropped, and there is no escape: a value cannot hold a double quote.
// - Where an item would start, any number of empty quote pairs ("") is skipped, so an item
//   written as "" does not exist and the items after it move up one position.
// - Missing positions are empty; items after the eighth argument are ignored.
ArgumentosDaLinhaDeComando separarArgumentos(std::string_view linha);

// Where each argument lies in a raw command line split by the rules above: the bytes from the
// first of the item to just past its last, quotes included; a missing argument is empty.
struct Trecho {
    std::size_t inicio = 0, fim = 0;
};
using TrechosDosArgumentos = std::array<Trecho, QuantidadeDeArgumentos>;
TrechosDosArgumentos trechosDosArgumentos(std::string_view linha);

// The program's arguments from an argument vector (the program's name first): items 1 to 8 as
// they are, a missing one empty, items after the eighth ignored.
ArgumentosDaLinhaDeComando argumentosDoVetor(const std::vector<std::string>& vetor);

// The arguments of this process, read without changing anything: its raw command line split by
// the rules above where the system keeps one (Windows), its argument vector as given elsewhere.
ArgumentosDaLinhaDeComando lerArgumentosDoProcesso();

// Overwrites the password's characters in the command line that other programs show for this
// process (ps, Task Manager). Afterwards lerArgumentosDoProcesso returns '*' for the password.
void mascararSenhaNaLinhaDeComando();

// The process's arguments as the program takes them, first thing in main: read once, and the
// password masked right after. Calling it gives the values the parent passed, or raises the
// error that reading them raised, for the window's creation sequence to report.
class ArgumentosDaPartida {
public:
    static ArgumentosDaPartida lerEMascarar();
    ArgumentosDaLinhaDeComando operator()() const;

private:
    ArgumentosDaLinhaDeComando fValores;
    std::exception_ptr fErro;
};
