#pragma once

// The program's own message dialog, callable from plain C++ code: nothing here needs Qt.

#include <cstdint>
#include <string>

// The kind of a message; the ordinal is the bit of the kind in TTipoMensagens.
enum class TTipoMensagem : std::uint8_t {
    tmExclusao,
    tmGravacao,
    tmAdvertencia,
    tmInformacao,
    tmConfirmacao,
    tmResAC,
    tmResAEC,
    tmErro,
};

// A set of message kinds held in one byte: bit n stands for the kind with ordinal n.
class TTipoMensagens {
public:
    constexpr TTipoMensagens() = default;
    constexpr TTipoMensagens(TTipoMensagem tipo) : fBits(bit(tipo)) {}
    static constexpr TTipoMensagens deBits(std::uint8_t bits) {
        TTipoMensagens conjunto;
        conjunto.fBits = bits;
        return conjunto;
    }

    constexpr bool contem(TTipoMensagem tipo) const { return (fBits & bit(tipo)) != 0; }
    constexpr std::uint8_t bits() const { return fBits; }
    constexpr bool vazio() const { return fBits == 0; }

    friend constexpr TTipoMensagens operator+(TTipoMensagens a, TTipoMensagens b) {
        return deBits(static_cast<std::uint8_t>(a.fBits | b.fBits));
    }
    friend constexpr bool operator==(TTipoMensagens a, TTipoMensagens b) = default;

private:
    static constexpr std::uint8_t bit(TTipoMensagem tipo) {
        return static_cast<std::uint8_t>(1u << static_cast<unsigned>(tipo));
    }
    std::uint8_t fBits = 0;
};
static_assert(sizeof(TTipoMensagens) == 1);

inline constexpr TTipoMensagens Exclusao{TTipoMensagem::tmExclusao};
inline constexpr TTipoMensagens Gravacao{TTipoMensagem::tmGravacao};
inline constexpr TTipoMensagens Advertencia{TTipoMensagem::tmAdvertencia};
inline constexpr TTipoMensagens Informacao{TTipoMensagem::tmInformacao};
inline constexpr TTipoMensagens Confirmacao{TTipoMensagem::tmConfirmacao};
inline constexpr TTipoMensagens ResAC{TTipoMensagem::tmResAC};
inline constexpr TTipoMensagens ResAEC{TTipoMensagem::tmResAEC};
inline constexpr TTipoMensagens Erro{TTipoMensagem::tmErro};

// Modal results with which the dialog ends (the same numbers as the system's dialog results).
inline constexpr std::int32_t mrNone = 0;
inline constexpr std::int32_t mrOk = 1;
inline constexpr std::int32_t mrCancel = 2;
inline constexpr std::int32_t mrYes = 6;
inline constexpr std::int32_t mrNo = 7;

// Shows `Texto` (UTF-8; CR LF starts a new line) in a modal message window whose caption, symbol
// and buttons follow the kinds in `TipoMensagem`, and returns the modal result it closed with.
// Needs a QApplication and must be called on its thread; otherwise throws std::logic_error and
// shows nothing.
std::int32_t Mensagem(const std::string& Texto, TTipoMensagens TipoMensagem);
