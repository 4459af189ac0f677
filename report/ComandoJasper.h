#pragma once

// The command line that starts the report viewer, built from where the program is installed.

#include <string>

// The viewer and the folder of report definitions, in the program's folder.
inline constexpr char arquivoDoVisualizador[] = "jasperviewer.jar";
inline constexpr char pastaDosRelatorios[] = "relatorios";

// The folder of a program file: the path up to and including its last separator (with '\\' the
// drive colon counts as one too), without that last separator unless it is the path's first
// character or follows a colon or another separator. "C:\App\app.exe" gives "C:\App",
// "C:\app.exe" gives "C:\", "/opt/app/programa" gives "/opt/app", "/programa" gives "/".
// A path without separators gives "".
std::string PastaDoPrograma(const std::string& caminhoDoPrograma, char separador);

// The folder as one word for the interpreter that reads the command: unchanged when it holds only
// characters that the interpreter passes on as they are, quoted otherwise. The separator names
// the interpreter: '\\' the Windows command interpreter, any other the POSIX shell.
// Raises std::invalid_argument for a folder that the Windows interpreter cannot be given (a
// double quote or a control character, neither of which a Windows path can hold).
std::string PastaParaInterpretador(const std::string& pasta, char separador);

// The parameters text for the hidden interpreter: "/c" (the interpreter ends with the viewer),
// then "java -jar" with the viewer in the program folder, the system word, the report path, the
// format name, the validation flag and, when `parametros` is not empty, a blank and `parametros`.
// The folder and a name in it are joined by one separator, also when the folder is a root.
std::string MontarComandoJasper(const std::string& caminhoDoPrograma, char separador,
                                const std::string& rel, const std::string& parametros,
                                const std::string& formato_saida,
                                const std::string& valida_parametros);
