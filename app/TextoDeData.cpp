#include "app/TextoDeData.h"

#include "platform/ano_de_dois_digitos.h"

#include <vector>

namespace {

enum class Parte { dia, mes, ano, literal };

struct PedacoDoFormato {
    Parte parte;
    QString original; // as the format writes it
    QString literal;  // for a literal part, the text it stands for (quotes removed)
};

// The format as its parts: runs of d, M or y, and the text between them. Any other letter
// outside quotes (a month or weekday name, a time) makes it a format this reader does not handle.
std::optional<std::vector<PedacoDoFormato>> partesDoFormato(const QString& formato) {
    std::vector<PedacoDoFormato> partes;
    const auto literal = [&partes](QStringView original, QStringView texto) {
        if (partes.empty() || partes.back().parte != Parte::literal)
            partes.push_back({Parte::literal, {}, {}});
        partes.back().original += original;
        partes.back().literal += texto;
    };
    bool entreAspas = false;
    for (qsizetype i = 0; i < formato.size();) {
        const QChar caractere = formato[i];
        if (caractere == u'\'') {
            // '' stands for one quote, inside quotes or out.
            if (i + 1 < formato.size() && formato[i + 1] == u'\'') {
                literal(QStringView(formato).mid(i, 2), u"'");
                i += 2;
            } else {
                literal(QStringView(formato).mid(i, 1), {});
                entreAspas = !entreAspas;
                ++i;
            }
            continue;
        }
        if (entreAspas || !caractere.isLetter()) {
            literal(QStringView(formato).mid(i, 1), QStringView(formato).mid(i, 1));
            ++i;
            continue;
        }
        qsizetype fim = i;
        while (fim < formato.size() && formato[fim] == caractere)
            ++fim;
        const qsizetype tamanho = fim - i;
        Parte parte;
        if (caractere == u'd' && tamanho <= 2)
            parte = Parte::dia;
        else if (caractere == u'M' && tamanho <= 2)
            parte = Parte::mes;
        else if (caractere == u'y')
            parte = Parte::ano;
        else
            return std::nullopt;
        partes.push_back({parte, formato.mid(i, tamanho), {}});
        i = fim;
    }
    return partes;
}

constexpr qsizetype maximoDeDigitos(Parte parte) {
    return parte == Parte::ano ? 4 : 2;
}

} // namespace

QString formatoDeDataNumerico(const QLocale& localidade) {
    const std::optional<std::vector<PedacoDoFormato>> partes =
        partesDoFormato(localidade.dateFormat(QLocale::ShortFormat));
    if (!partes)
        return QStringLiteral("yyyy-MM-dd");
    QString formato;
    for (const PedacoDoFormato& parte : *partes)
        formato += parte.parte == Parte::ano ? QStringLiteral("yyyy") : parte.original;
    return formato;
}

std::optional<DataDigitada> lerDataDigitada(const QString& texto, const QString& formato) {
    const std::optional<std::vector<PedacoDoFormato>> partes = partesDoFormato(formato);
    if (!partes)
        return std::nullopt;
    DataDigitada data;
    qsizetype posicao = 0;
    for (const PedacoDoFormato& parte : *partes) {
        if (parte.parte == Parte::literal) {
            if (!QStringView(texto).mid(posicao).startsWith(parte.literal))
                return std::nullopt;
            posicao += parte.literal.size();
            continue;
        }
        SecaoDigitada secao{posicao, 0, 0};
        while (posicao < texto.size() && secao.digitos < maximoDeDigitos(parte.parte) &&
               texto[posicao].digitValue() >= 0) {
            secao.valor = secao.valor * 10 + texto[posicao].digitValue();
            ++secao.digitos;
            ++posicao;
        }
        (parte.parte == Parte::dia   ? data.dia
         : parte.parte == Parte::mes ? data.mes
                                     : data.ano) = secao;
    }
    if (posicao != texto.size())
        return std::nullopt;
    return data;
}

std::optional<QDate> dataInteira(const QString& texto, const QString& formato) {
    const std::optional<DataDigitada> data = lerDataDigitada(texto, formato);
    if (!data || data->dia.digitos == 0 || data->mes.digitos == 0 || data->ano.digitos != 4)
        return std::nullopt;
    const QDate resultado(data->ano.valor, data->mes.valor, data->dia.valor);
    return resultado.isValid() ? std::optional<QDate>(resultado) : std::nullopt;
}

std::optional<QString> comAnoEmQuatroDigitos(const QString& texto, const QString& formato,
                                             int ultimoAno) {
    const std::optional<DataDigitada> data = lerDataDigitada(texto, formato);
    if (!data || data->ano.digitos != 2)
        return std::nullopt;
    // Written in the digits the user typed: the first one tells their zero.
    const QChar primeiro = texto[data->ano.inicio];
    const char16_t zero = static_cast<char16_t>(primeiro.unicode() - primeiro.digitValue());
    const int ano = plataforma::anoDeQuatroDigitos(data->ano.valor, ultimoAno);
    QString quatro;
    for (const int divisor : {1000, 100, 10, 1})
        quatro += QChar(static_cast<char16_t>(zero + ano / divisor % 10));
    QString resultado = texto;
    resultado.replace(data->ano.inicio, 2, quatro);
    return resultado;
}
