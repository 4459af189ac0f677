#pragma once

#include <QString>

#include <exception>
#include <string>

// An error that ends the current operation without telling the user anything: the default
// error report shows nothing for it.
class ErroSilencioso : public std::exception {
public:
    const char* what() const noexcept override { return "Operação abortada"; }
};

// The application's title: the program file's name without its folder, cut at its first period,
// every character after the first in lower case ("RelLicensaCliente" gives "Rellicensacliente").
QString tituloDoArquivo(const QString& caminhoDoPrograma);

// The title of the running program, the caption of the default error report.
QString tituloDaAplicacao();

// The text the default error report shows for an error: the message of the innermost error of a
// chain (std::nested_exception), with a period appended when it does not end in one of the
// characters up to the period itself (blank, "!", ")", "." ...).
QString textoDoRelatorio(std::exception_ptr erro);

// Appends "." to a non-empty text whose last character has a code above that of the period.
QString comPontoFinal(const QString& texto);

// The default error report: a modal box with the stop icon and one OK button, captioned with the
// application title; returns once the user has closed it. A silent error shows nothing.
void relatarErro(std::exception_ptr erro);
