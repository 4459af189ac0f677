import java.awt.BorderLayout;
import java.awt.Color;
import java.awt.Font;
import java.awt.GraphicsEnvironment;
import java.awt.GridBagConstraints;
import java.awt.GridBagLayout;
import java.awt.Insets;
import java.awt.event.WindowEvent;
import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.InvalidPathException;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.nio.file.StandardCopyOption;
import java.util.ArrayList;
import java.util.List;
import javax.swing.BorderFactory;
import javax.swing.JButton;
import javax.swing.JFrame;
import javax.swing.JLabel;
import javax.swing.JPanel;
import javax.swing.JScrollPane;
import javax.swing.JTable;
import javax.swing.JTextArea;
import javax.swing.JTextField;
import javax.swing.SwingUtilities;
import javax.swing.WindowConstants;
import javax.swing.table.DefaultTableModel;

/**
 * Stand-in report viewer for developing and testing the launcher. It does not produce the real
 * report: it shows the words it was started with and, for "PDF" and "XLS", writes a small file
 * that lists them into a new temporary folder, so a person or a test sees what was asked for.
 *
 * Words: the system word, the report path without extension, the format, a flag, then
 * "NAME=value" parameters.
 *
 * The report definition is the report path plus ".relatorio", a text file of "key=value" lines
 * ("titulo", and one "coluna" per column).
 *
 * When the environment variable LANCADOR_VISOR_REGISTRO names a file, the words received are
 * written to it first, one per line, UTF-8; the file is replaced as a whole, so whoever watches
 * for it never reads half a list. Without a display no window opens: the path of the file written
 * goes to standard output, an error to standard error with exit code 1.
 */
public final class VisorRelatorio {
    private VisorRelatorio() {}

    static final String EXTENSAO_DEFINICAO = ".relatorio";
    static final String TITULO_JANELA = "Visualizador de relatórios — substituto de teste";
    static final String AVISO_SUBSTITUTO = "Substituto de teste: mostra o que o lançador enviou;"
                                           + " não consulta o banco nem gera o relatório real.";

    record Parametro(String nome, String valor) {
        /** A word "NAME=value" split at its first "="; a word without one is a name alone. */
        static Parametro de(String palavra) {
            int igual = palavra.indexOf('=');
            return igual < 0
                ? new Parametro(palavra, "")
                : new Parametro(palavra.substring(0, igual), palavra.substring(igual + 1));
        }
    }

    record Pedido(String sistema, String relatorio, String formato, String sinalizador,
                  List<Parametro> parametros) {}

    record Definicao(String titulo, List<String> colunas) {}

    /** What came of a request: a text for the user, whether it is an error, and the parts read. */
    record Resultado(boolean erro, String mensagem, Pedido pedido, Definicao definicao) {}

    static final class FalhaVisor extends Exception {
        private static final long serialVersionUID = 1L;

        FalhaVisor(String mensagem) { super(mensagem); }
    }

    public static void main(String[] palavras) {
        String registro = System.getenv("LANCADOR_VISOR_REGISTRO");
        if (registro != null && !registro.isEmpty()) {
            try {
                gravarRegistro(Paths.get(registro), palavras);
            } catch (IOException | RuntimeException e) {
                System.err.println("Não foi possível gravar o registro " + registro + ": " + e);
            }
        }

        Resultado resultado = atender(palavras);
        if (GraphicsEnvironment.isHeadless()) {
            if (resultado.erro()) {
                System.err.println(resultado.mensagem());
                System.exit(1);
            }
            if (!resultado.mensagem().isEmpty()) {
                System.out.println(resultado.mensagem());
            }
            return;
        }
        SwingUtilities.invokeLater(() -> mostrarJanela(resultado));
    }

    static void gravarRegistro(Path arquivo, String[] palavras) throws IOException {
        StringBuilder texto = new StringBuilder();
        for (String palavra : palavras) {
            texto.append(palavra).append('\n');
        }
        Path pasta = arquivo.toAbsolutePath().getParent();
        Path temporario = Files.createTempFile(pasta, ".registro-", ".tmp");
        try {
            Files.write(temporario, texto.toString().getBytes(StandardCharsets.UTF_8));
            Files.move(temporario, arquivo, StandardCopyOption.REPLACE_EXISTING,
                       StandardCopyOption.ATOMIC_MOVE);
        } finally {
            Files.deleteIfExists(temporario);
        }
    }

    /**
     * Reads the request and its report definition and writes the file the format asks for. The
     * message is the path of the file written, empty for "VIS", or the reason for failing.
     */
    static Resultado atender(String[] palavras) {
        if (palavras.length < 4) {
            return new Resultado(true,
                                 "Uso: java -jar jasperviewer.jar <sistema> <relatório sem"
                                     + " extensão> <formato> <sinalizador> [NOME=valor ...]",
                                 null, null);
        }
        List<Parametro> parametros = new ArrayList<>();
        for (int i = 4; i < palavras.length; i++) {
            parametros.add(Parametro.de(palavras[i]));
        }
        Pedido pedido = new Pedido(palavras[0], palavras[1], palavras[2], palavras[3], parametros);
        Definicao definicao = null;
        try {
            definicao = lerDefinicao(pedido.relatorio());
            return new Resultado(false, produzir(pedido, definicao), pedido, definicao);
        } catch (FalhaVisor e) {
            return new Resultado(true, e.getMessage(), pedido, definicao);
        }
    }

    /** Writes the file the format asks for and gives its path; "VIS" writes none. */
    static String produzir(Pedido pedido, Definicao definicao) throws FalhaVisor {
        if (pedido.formato().equals("VIS")) {
            return "";
        }
        if (pedido.formato().equals("PDF")) {
            byte[] pdf = Documentos.pdf(linhasDoPdf(pedido, definicao));
            return gravar(pedido, ".pdf", pdf).toString();
        }
        if (pedido.formato().equals("XLS")) {
            byte[] planilha =
                Documentos.planilhaXml("Parâmetros", linhasDaPlanilha(pedido, definicao));
            return gravar(pedido, ".xls", planilha).toString();
        }
        throw new FalhaVisor("Formato não suportado por este visualizador: \"" + pedido.formato() +
                             "\" (use VIS, PDF ou XLS).");
    }

    static Definicao lerDefinicao(String relatorio) throws FalhaVisor {
        String caminho = relatorio + EXTENSAO_DEFINICAO;
        Path arquivo;
        try {
            arquivo = Paths.get(caminho);
        } catch (InvalidPathException e) {
            throw new FalhaVisor("Caminho de relatório inválido: " + caminho);
        }
        if (!Files.isRegularFile(arquivo)) {
            throw new FalhaVisor("Definição de relatório não encontrada: " + caminho);
        }
        List<String> linhas;
        try {
            linhas = Files.readAllLines(arquivo, StandardCharsets.UTF_8);
        } catch (IOException e) {
            throw new FalhaVisor("Não foi possível ler a definição de relatório " + arquivo + ": " +
                                 e.getMessage());
        }
        String titulo = arquivo.getFileName().toString();
        List<String> colunas = new ArrayList<>();
        for (String linha : linhas) {
            if (linha.isBlank() || linha.startsWith("#")) {
                continue;
            }
            // Keys other than these belong to newer definitions; this viewer ignores them.
            Parametro par = Parametro.de(linha);
            if (par.nome().trim().equals("titulo")) {
                titulo = par.valor().trim();
            } else if (par.nome().trim().equals("coluna")) {
                colunas.add(par.valor().trim());
            }
        }
        return new Definicao(titulo, colunas);
    }

    /** Writes the document into a new temporary folder, named after the report. */
    static Path gravar(Pedido pedido, String extensao, byte[] conteudo) throws FalhaVisor {
        String relatorio = pedido.relatorio();
        String nome = relatorio.substring(
            Math.max(relatorio.lastIndexOf('/'), relatorio.lastIndexOf('\\')) + 1);
        try {
            Path pasta = Files.createTempDirectory("visor-relatorio-");
            return Files.write(pasta.resolve(nome + extensao), conteudo).toAbsolutePath();
        } catch (IOException | RuntimeException e) {
            throw new FalhaVisor("Não foi possível gravar o arquivo " + extensao + ": " + e);
        }
    }

    static List<String[]> dadosDoPedido(Pedido pedido, Definicao definicao) {
        return List.of(new String[] {"Sistema", pedido.sistema()},
                       new String[] {"Relatório", pedido.relatorio()},
                       new String[] {"Formato", pedido.formato()},
                       new String[] {"Sinalizador", pedido.sinalizador()},
                       new String[] {"Colunas", String.join(", ", definicao.colunas())});
    }

    static List<String> linhasDoPdf(Pedido pedido, Definicao definicao) {
        List<String> linhas = new ArrayList<>();
        linhas.add(definicao.titulo());
        linhas.add(AVISO_SUBSTITUTO);
        linhas.add("");
        for (String[] dado : dadosDoPedido(pedido, definicao)) {
            linhas.add(dado[0] + ": " + dado[1]);
        }
        linhas.add("");
        linhas.add("Parâmetros:");
        for (Parametro parametro : pedido.parametros()) {
            linhas.add("    " + parametro.nome() + " = " + parametro.valor());
        }
        return linhas;
    }

    static List<List<String>> linhasDaPlanilha(Pedido pedido, Definicao definicao) {
        List<List<String>> linhas = new ArrayList<>();
        linhas.add(List.of(definicao.titulo()));
        linhas.add(List.of(AVISO_SUBSTITUTO));
        for (String[] dado : dadosDoPedido(pedido, definicao)) {
            linhas.add(List.of(dado));
        }
        linhas.add(List.of());
        linhas.add(List.of("Parâmetro", "Valor"));
        for (Parametro parametro : pedido.parametros()) {
            linhas.add(List.of(parametro.nome(), parametro.valor()));
        }
        return linhas;
    }

    static void mostrarJanela(Resultado resultado) {
        JFrame janela = new JFrame(TITULO_JANELA);
        janela.setDefaultCloseOperation(WindowConstants.EXIT_ON_CLOSE);

        JPanel cabecalho = new JPanel(new BorderLayout(0, 4));
        JLabel titulo = new JLabel(resultado.definicao() != null ? resultado.definicao().titulo()
                                                                 : "Relatório");
        titulo.setFont(titulo.getFont().deriveFont(Font.BOLD, 16f));
        JLabel aviso = new JLabel(AVISO_SUBSTITUTO);
        aviso.setFont(aviso.getFont().deriveFont(Font.ITALIC));
        aviso.setForeground(Color.DARK_GRAY);
        cabecalho.add(titulo, BorderLayout.NORTH);
        cabecalho.add(aviso, BorderLayout.SOUTH);

        JPanel centro = new JPanel(new BorderLayout(0, 8));
        JPanel dados = new JPanel(new GridBagLayout());
        Pedido pedido = resultado.pedido();
        if (pedido != null) {
            Definicao definicao = resultado.definicao() != null ? resultado.definicao()
                                                                : new Definicao("", List.of());
            int linha = 0;
            for (String[] dado : dadosDoPedido(pedido, definicao)) {
                adicionarCampo(dados, linha++, dado[0], dado[1]);
            }
        }
        DefaultTableModel modelo = new DefaultTableModel(new Object[] {"Parâmetro", "Valor"}, 0) {
            private static final long serialVersionUID = 1L;

            @Override
            public boolean isCellEditable(int linha, int coluna) {
                return false;
            }
        };
        if (pedido != null) {
            for (Parametro parametro : pedido.parametros()) {
                modelo.addRow(new Object[] {parametro.nome(), parametro.valor()});
            }
        }
        JTable tabela = new JTable(modelo);
        tabela.setFillsViewportHeight(true);
        centro.add(dados, BorderLayout.NORTH);
        centro.add(new JScrollPane(tabela), BorderLayout.CENTER);

        JPanel rodape = new JPanel(new BorderLayout(8, 0));
        JTextArea situacao = new JTextArea(textoDeSituacao(resultado), 2, 40);
        situacao.setEditable(false);
        situacao.setLineWrap(true);
        situacao.setOpaque(false);
        situacao.setFont(titulo.getFont().deriveFont(Font.PLAIN, 12f));
        if (resultado.erro()) {
            situacao.setForeground(new Color(0xB0, 0x00, 0x20));
        }
        JButton fechar = new JButton("Fechar");
        fechar.addActionListener(
            e -> janela.dispatchEvent(new WindowEvent(janela, WindowEvent.WINDOW_CLOSING)));
        janela.getRootPane().setDefaultButton(fechar);
        rodape.add(situacao, BorderLayout.CENTER);
        rodape.add(fechar, BorderLayout.EAST);

        JPanel conteudo = new JPanel(new BorderLayout(0, 10));
        conteudo.setBorder(BorderFactory.createEmptyBorder(12, 12, 12, 12));
        conteudo.add(cabecalho, BorderLayout.NORTH);
        conteudo.add(centro, BorderLayout.CENTER);
        conteudo.add(rodape, BorderLayout.SOUTH);
        janela.setContentPane(conteudo);
        janela.setSize(760, 520);
        janela.setLocationRelativeTo(null);
        janela.setVisible(true);
        fechar.requestFocusInWindow();
    }

    static String textoDeSituacao(Resultado resultado) {
        if (resultado.erro()) {
            return resultado.mensagem();
        }
        if (resultado.pedido().formato().equals("PDF")) {
            return "Arquivo PDF gravado em " + resultado.mensagem();
        }
        if (resultado.pedido().formato().equals("XLS")) {
            return "Planilha (XML do Excel 2003) gravada em " + resultado.mensagem();
        }
        return "Visualização: os parâmetros recebidos estão na tabela acima.";
    }

    private static void adicionarCampo(JPanel painel, int linha, String rotulo, String valor) {
        GridBagConstraints posicao = new GridBagConstraints();
        posicao.gridy = linha;
        posicao.insets = new Insets(2, 0, 2, 8);
        posicao.anchor = GridBagConstraints.WEST;
        painel.add(new JLabel(rotulo + ":"), posicao);
        posicao.gridx = 1;
        posicao.weightx = 1;
        posicao.fill = GridBagConstraints.HORIZONTAL;
        posicao.insets = new Insets(2, 0, 2, 0);
        painel.add(campoSomenteLeitura(valor), posicao);
    }

    /** A read-only field, so that a path can be selected and copied. */
    private static JTextField campoSomenteLeitura(String texto) {
        JTextField campo = new JTextField(texto);
        campo.setEditable(false);
        return campo;
    }
}
