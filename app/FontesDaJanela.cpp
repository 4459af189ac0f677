#include "app/FontesDaJanela.h"

#include <QFontDatabase>
#include <QStringList>

#include <algorithm>

namespace {

// The program is drawn for the usual Windows fonts; where a machine lacks them, the first of these
// that it has stands in.
void registrarSubstitutosDeFontes() {
    static const bool registrados = [] {
        const QStringList semSerifa{"Liberation Sans", "Arimo", "Nimbus Sans", "Noto Sans",
                                    "DejaVu Sans"};
        for (const char* fonte : {"Segoe UI", "Tahoma", "MS Sans Serif"})
            QFont::insertSubstitutions(fonte, semSerifa);
        return true;
    }();
    (void)registrados;
}

} // namespace

// A family that is not there would make Qt search the system's fallbacks for it (twice per font,
// with fontconfig) before it tried the substitutes, so the family is chosen here. With none of
// them the Windows name stays, and Qt's own fallbacks apply.
FontesDaJanela fontesDaJanela() {
    registrarSubstitutosDeFontes();
    const QStringList instaladas = QFontDatabase::families();
    const auto instalada = [&instaladas](const QString& familia) {
        // A family with several foundries is listed as "Family [Foundry]".
        return std::ranges::any_of(instaladas, [&familia](const QString& nome) {
            return QStringView(nome)
                       .left(nome.indexOf(QLatin1String(" [")))
                       .compare(familia, Qt::CaseInsensitive) == 0;
        });
    };
    const auto fonte = [&instalada](const char* windows, int pixels, bool negrito) {
        QString familia = QString::fromLatin1(windows);
        if (!instalada(familia)) {
            const QStringList substitutas = QFont::substitutes(familia);
            const auto substituta = std::ranges::find_if(substitutas, instalada);
            if (substituta != substitutas.end())
                familia = *substituta;
        }
        QFont resultado(familia);
        resultado.setPixelSize(pixels);
        resultado.setBold(negrito);
        return resultado;
    };
    return {fonte("Segoe UI", 12, false), fonte("Tahoma", 11, true),
            fonte("MS Sans Serif", 13, false), fonte("MS Sans Serif", 12, true)};
}
