#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A model of how a POSIX shell turns the text of one simple command into the words it runs:
// blanks (space, tab) between words, single-quoted stretches kept as they are, a backslash
// outside quotes keeping the next character (a backslash before a newline joins the lines), and
// quote removal. It covers only what the launcher's commands may hold. Anything else, which the
// shell would expand, match as a pattern, take as an operator, comment or reserved word or
// otherwise read differently, gives no value: the command is then not known to be safe.
std::optional<std::vector<std::string>> palavrasDoShell(std::string_view comando);
