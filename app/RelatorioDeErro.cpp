#include "app/RelatorioDeErro.h"

#include "platform/caixa_de_erro.h"
#include "platform/caminho_programa.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>

namespace {

// The innermost error of a chain built with std::throw_with_nested; the error itself when it
// carries no nested one.
std::exception_ptr maisInterno(std::exception_ptr erro) {
    for (;;) {
        try {
            std::rethrow_exception(erro);
        } catch (const std::nested_exception& encadeado) {
            if (encadeado.nested_ptr() == nullptr)
                return erro;
            erro = encadeado.nested_ptr();
        } catch (...) {
            return erro;
        }
    }
}

bool eSilencioso(std::exception_ptr erro) {
    try {
        std::rethrow_exception(erro);
    } catch (const ErroSilencioso&) {
        return true;
    } catch (...) {
        return false;
    }
}

// The error box where the system has none of its own. Like the system's message boxes, Ctrl+C
// copies its caption, text and button to the clipboard, so that the user can paste an error into
// a support request.
class CaixaDeErro : public QMessageBox {
public:
    CaixaDeErro(const QString& titulo, const QString& texto)
        : QMessageBox(QMessageBox::Critical, titulo, texto, QMessageBox::Ok) {}

protected:
    void keyPressEvent(QKeyEvent* evento) override {
        if (!evento->matches(QKeySequence::Copy)) {
            QMessageBox::keyPressEvent(evento);
            return;
        }
        const QString linha = QStringLiteral("---------------------------\n");
        QGuiApplication::clipboard()->setText(linha + windowTitle() + "\n" + linha + text() + "\n" +
                                              linha + "OK\n" + linha);
    }
};

} // namespace

QString tituloDoArquivo(const QString& caminhoDoPrograma) {
    qsizetype inicio = caminhoDoPrograma.lastIndexOf(QChar(plataforma::separadorDePastas)) + 1;
#ifdef _WIN32
    // A path like "C:app.exe" names its file right after the drive.
    inicio = std::max(inicio, caminhoDoPrograma.lastIndexOf(QChar(':')) + 1);
#endif
    QString nome = caminhoDoPrograma.mid(inicio);
    nome = nome.left(nome.indexOf(QChar('.'))); // the whole name when it has no period
    return nome.left(1) + nome.mid(1).toLower();
}

QString tituloDaAplicacao() {
    static const QString titulo = [] {
        try {
            return tituloDoArquivo(QString::fromStdString(plataforma::caminhoDoPrograma()));
        } catch (const std::exception&) {
            // The report must still come up when the system hides the program's path.
            return QCoreApplication::applicationName();
        }
    }();
    return titulo;
}

QString comPontoFinal(const QString& texto) {
    if (!texto.isEmpty() && texto.back().unicode() > u'.')
        return texto + QChar('.');
    return texto;
}

QString textoDoRelatorio(std::exception_ptr erro) {
    try {
        std::rethrow_exception(maisInterno(erro));
    } catch (const std::exception& interno) {
        return comPontoFinal(QString::fromUtf8(interno.what()));
    } catch (...) {
        return comPontoFinal(QStringLiteral("Erro desconhecido"));
    }
}

void relatarErro(std::exception_ptr erro) {
    if (eSilencioso(erro) || eSilencioso(maisInterno(erro)))
        return;
    const QString titulo = tituloDaAplicacao();
    const QString texto = textoDoRelatorio(erro);
    if (plataforma::mostrarCaixaDeErroDoSistema(titulo.toStdString(), texto.toStdString()))
        return;
    CaixaDeErro caixa(titulo, texto);
    caixa.exec();
}
