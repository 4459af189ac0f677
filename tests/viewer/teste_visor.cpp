// The stand-in report viewer, run as the launcher runs it: "java -jar jasperviewer.jar" from the
// program's folder in the build tree, headless, with the words of the print action.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <ostream>

// Readable failures: texts as texts, not as bytes of an object.
void PrintTo(const QString& texto, std::ostream* saida) {
    *saida << '"' << texto.toStdString() << '"';
}

namespace {

const QString pastaPrograma = QStringLiteral(LANCADOR_PASTA_PROGRAMA);
const QString relatorioDaLicensa = pastaPrograma + "/relatorios/mv_relacao_licensa_cliente";

const QStringList parametrosDoExemplo = {
    "P_DTDE=2024-03-01", "P_DTATE=2024-03-31", "P_DTDE2=2024-03-01", "P_DTATE2=2024-03-31",
    "P_CBQD=N",          "P_CBQD2=S",          "P_ORDEM=0"};

QStringList palavrasDoPedido(const QString& formato, const QStringList& parametros) {
    return QStringList{"Marvoss", relatorioDaLicensa, formato, "N"} + parametros;
}

struct Execucao {
    int codigo = -1;
    QString saida;
    QString erros;
    QStringList registro; // the words the viewer wrote to LANCADOR_VISOR_REGISTRO
};

// Each test gets its own temporary folder: the viewer's java.io.tmpdir and its record file.
class Visor : public ::testing::Test {
protected:
    QTemporaryDir pasta;

    QString pastaTemporaria() const { return pasta.filePath("tmp"); }

    Execucao executar(const QStringList& palavras) {
        QDir().mkpath(pastaTemporaria());
        const QString registro = pasta.filePath("registro.txt");
        QFile::remove(registro);

        QProcess visor;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.remove("DISPLAY");
        ambiente.remove("WAYLAND_DISPLAY");
        ambiente.insert("LANCADOR_VISOR_REGISTRO", registro);
        visor.setProcessEnvironment(ambiente);
        visor.start(LANCADOR_JAVA,
                    QStringList{"-Djava.awt.headless=true", "-Djava.io.tmpdir=" + pastaTemporaria(),
                                "-jar", pastaPrograma + "/jasperviewer.jar"} +
                        palavras);
        Execucao execucao;
        if (!visor.waitForFinished(60000) || visor.exitStatus() != QProcess::NormalExit) {
            visor.kill();
            visor.waitForFinished();
            ADD_FAILURE() << "the viewer did not finish: " << visor.errorString().toStdString();
            return execucao;
        }
        execucao.codigo = visor.exitCode();
        execucao.saida = QString::fromUtf8(visor.readAllStandardOutput()).trimmed();
        execucao.erros = QString::fromUtf8(visor.readAllStandardError()).trimmed();
        QFile arquivo(registro);
        if (arquivo.open(QIODevice::ReadOnly)) {
            execucao.registro = QString::fromUtf8(arquivo.readAll()).split('\n');
            if (execucao.registro.endsWith(QString())) {
                execucao.registro.removeLast();
            }
        }
        return execucao;
    }

    // Runs a request that must succeed and gives the content of the file it wrote.
    QByteArray documento(const QString& formato, const QString& extensao,
                         const QStringList& parametros) {
        const Execucao execucao = executar(palavrasDoPedido(formato, parametros));
        EXPECT_EQ(execucao.codigo, 0) << execucao.erros.toStdString();
        EXPECT_TRUE(execucao.saida.startsWith(pastaTemporaria() + "/"))
            << execucao.saida.toStdString();
        EXPECT_TRUE(execucao.saida.endsWith("/mv_relacao_licensa_cliente" + extensao))
            << execucao.saida.toStdString();
        QFile arquivo(execucao.saida);
        EXPECT_TRUE(arquivo.open(QIODevice::ReadOnly)) << execucao.saida.toStdString();
        return arquivo.readAll();
    }

    QStringList arquivosGravados() const {
        QStringList arquivos;
        const QDir raiz(pastaTemporaria());
        for (const QString& sub : raiz.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            for (const QString& nome : QDir(raiz.filePath(sub)).entryList(QDir::Files)) {
                arquivos << sub + "/" + nome;
            }
        }
        return arquivos;
    }
};

// The cross-reference table, the start of the table and each stream's length must agree with the
// bytes, or readers reject the file or show it damaged.
void verificarEstruturaPdf(const QByteArray& pdf) {
    ASSERT_TRUE(pdf.startsWith("%PDF-"));
    ASSERT_TRUE(pdf.endsWith("%%EOF"));

    const QRegularExpressionMatch inicio =
        QRegularExpression("startxref\n(\\d+)\n%%EOF$").match(QString::fromLatin1(pdf));
    ASSERT_TRUE(inicio.hasMatch());
    const qsizetype inicioXref = inicio.captured(1).toLongLong();
    ASSERT_EQ(pdf.mid(inicioXref, 5), "xref\n");

    const QRegularExpressionMatch cabecalho =
        QRegularExpression("^xref\n0 (\\d+)\n").match(QString::fromLatin1(pdf.mid(inicioXref)));
    ASSERT_TRUE(cabecalho.hasMatch());
    const int quantidade = cabecalho.captured(1).toInt();
    const qsizetype entradas = inicioXref + cabecalho.capturedLength();
    ASSERT_EQ(pdf.mid(entradas, 20), "0000000000 65535 f \n");
    for (int objeto = 1; objeto < quantidade; ++objeto) {
        const QByteArray entrada = pdf.mid(entradas + 20 * objeto, 20);
        ASSERT_TRUE(entrada.endsWith(" 00000 n \n")) << entrada.toStdString();
        const qsizetype deslocamento = entrada.left(10).toLongLong();
        const QByteArray esperado = QByteArray::number(objeto) + " 0 obj\n";
        EXPECT_EQ(pdf.mid(deslocamento, esperado.size()), esperado) << "object " << objeto;
    }

    const QRegularExpression fluxo("/Length (\\d+) >>\nstream\n");
    const QString texto = QString::fromLatin1(pdf);
    for (auto achado = fluxo.globalMatch(texto); achado.hasNext();) {
        const QRegularExpressionMatch m = achado.next();
        EXPECT_EQ(pdf.mid(m.capturedEnd() + m.captured(1).toLongLong(), 10), "\nendstream");
    }
}

TEST_F(Visor, RecordsTheWordsAndWritesTheFileOfEachFormat) {
    const struct {
        const char* formato;
        const char* extensao; // empty: the viewer writes no file
    } casos[] = {{"VIS", ""}, {"PDF", ".pdf"}, {"XLS", ".xls"}};
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.formato);
        QDir(pastaTemporaria()).removeRecursively();
        const QStringList palavras = palavrasDoPedido(caso.formato, parametrosDoExemplo);
        const Execucao execucao = executar(palavras);
        EXPECT_EQ(execucao.codigo, 0);
        EXPECT_EQ(execucao.erros, "");
        EXPECT_EQ(execucao.registro, palavras);
        if (*caso.extensao == '\0') {
            EXPECT_EQ(execucao.saida, "");
            EXPECT_EQ(arquivosGravados(), QStringList());
        } else {
            ASSERT_EQ(arquivosGravados().size(), 1);
            EXPECT_EQ(execucao.saida, pastaTemporaria() + "/" + arquivosGravados().first());
            EXPECT_TRUE(execucao.saida.endsWith(caso.extensao));
        }
    }
}

TEST_F(Visor, PdfListsTheParametersInAWellFormedDocument) {
    // Parentheses and backslashes need escapes in PDF strings; "ç" takes one byte in the font's
    // encoding but two in the arguments, so a length taken from characters would be wrong.
    const QStringList parametros = parametrosDoExemplo + QStringList{"P_TEXTO=a(b)\\ç"};
    const QByteArray pdf = documento("PDF", ".pdf", parametros);
    verificarEstruturaPdf(pdf);
    EXPECT_TRUE(pdf.contains("/Count 1 "));
    EXPECT_TRUE(
        pdf.contains("(Rela\xE7\xE3o de Licensa Clientes)")); // title, in the font's encoding
    for (const QString& parametro : parametrosDoExemplo) {
        const QStringList partes = parametro.split('=');
        const QByteArray linha =
            "(    " + partes[0].toLatin1() + " = " + partes[1].toLatin1() + ")";
        EXPECT_TRUE(pdf.contains(linha)) << linha.toStdString();
    }
    EXPECT_TRUE(pdf.contains("(    P_TEXTO = a\\(b\\)\\\\\xE7)"));
}

TEST_F(Visor, PdfWithManyParametersGoesOnOverSeveralPages) {
    QStringList parametros;
    for (int i = 1; i <= 120; ++i) {
        parametros << QString("P_%1=%2").arg(i).arg(i * 7);
    }
    const QByteArray pdf = documento("PDF", ".pdf", parametros);
    verificarEstruturaPdf(pdf);
    EXPECT_TRUE(pdf.contains("/Count 3 ")); // 130 lines, 50 to a page
    for (int i = 1; i <= 120; ++i) {
        const QByteArray linha = QString("(    P_%1 = %2)").arg(i).arg(i * 7).toLatin1();
        EXPECT_TRUE(pdf.contains(linha)) << linha.toStdString();
    }
}

TEST_F(Visor, XlsIsAnExcelXmlWorkbookWithTheParameterTable) {
    const QStringList parametros = parametrosDoExemplo + QStringList{"P_TEXTO=a&<b>\"ç"};
    const QByteArray xls = documento("XLS", ".xls", parametros);

    QXmlStreamReader leitor(xls);
    bool marcaDoExcel = false;
    QString raiz;
    QString espacoDaRaiz;
    QList<QStringList> linhas;
    while (!leitor.atEnd()) {
        leitor.readNext();
        if (leitor.isProcessingInstruction() &&
            leitor.processingInstructionTarget() == QStringLiteral("mso-application")) {
            marcaDoExcel =
                leitor.processingInstructionData() == QStringLiteral("progid=\"Excel.Sheet\"");
        } else if (leitor.isStartElement()) {
            if (raiz.isEmpty()) {
                raiz = leitor.name().toString();
                espacoDaRaiz = leitor.namespaceUri().toString();
            }
            if (leitor.name() == QStringLiteral("Row")) {
                linhas.append(QStringList());
            } else if (leitor.name() == QStringLiteral("Data")) {
                EXPECT_EQ(leitor.attributes().value("urn:schemas-microsoft-com:office:spreadsheet",
                                                    "Type"),
                          QStringLiteral("String"));
                linhas.last() << leitor.readElementText();
            }
        }
    }
    ASSERT_FALSE(leitor.hasError()) << leitor.errorString().toStdString();
    EXPECT_TRUE(marcaDoExcel);
    EXPECT_EQ(raiz, "Workbook");
    EXPECT_EQ(espacoDaRaiz, "urn:schemas-microsoft-com:office:spreadsheet");
    ASSERT_FALSE(linhas.isEmpty());
    EXPECT_EQ(linhas.first(), QStringList{"Relação de Licensa Clientes"});

    const qsizetype cabecalho = linhas.indexOf(QStringList{"Parâmetro", "Valor"});
    ASSERT_GE(cabecalho, 0);
    QList<QStringList> esperadas;
    for (const QString& parametro : parametros) {
        const qsizetype igual = parametro.indexOf('=');
        esperadas << QStringList{parametro.left(igual), parametro.mid(igual + 1)};
    }
    EXPECT_EQ(linhas.mid(cabecalho + 1), esperadas);
}

TEST_F(Visor, RefusesWhatItCannotShowAndSaysWhy) {
    const QString semDefinicao = pasta.filePath("relatorios/nao_existe");
    const struct {
        const char* caso;
        QStringList palavras;
        QString mensagem;
    } casos[] = {
        {"missing report definition",
         {"Marvoss", semDefinicao, "PDF", "N", "P_ORDEM=0"},
         "Definição de relatório não encontrada: " + semDefinicao + ".relatorio"},
        // An empty format name leaves one word out: the flag arrives where the format belongs.
        {"format word missing",
         QStringList{"Marvoss", relatorioDaLicensa, "N"} + parametrosDoExemplo,
         "Formato não suportado por este visualizador: \"N\" (use VIS, PDF ou XLS)."},
        {"too few words", {"Marvoss", relatorioDaLicensa}, "Uso: java -jar jasperviewer.jar"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caso);
        QDir(pastaTemporaria()).removeRecursively();
        const Execucao execucao = executar(caso.palavras);
        EXPECT_EQ(execucao.codigo, 1);
        EXPECT_TRUE(execucao.erros.startsWith(caso.mensagem)) << execucao.erros.toStdString();
        EXPECT_EQ(execucao.saida, "");
        EXPECT_EQ(arquivosGravados(), QStringList());
        EXPECT_EQ(execucao.registro, caso.palavras);
    }
}

} // namespace
