import java.io.ByteArrayOutputStream;
import java.nio.charset.Charset;
import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.List;

/**
 * The two small files the stand-in viewer writes, built by hand with no library: a PDF that lists
 * text lines on A4 pages in Helvetica, and an "XML Spreadsheet 2003" workbook (the XML format that
 * Excel opens; saved with the .xls extension, Excel warns that the content is XML and then opens
 * it).
 */
final class Documentos {
    private Documentos() {}

    static final int LINHAS_POR_PAGINA = 50;

    private static final Charset WIN_ANSI = Charset.forName("windows-1252");

    /**
     * A PDF 1.4 document with the lines, LINHAS_POR_PAGINA per page (one empty page for no lines).
     * Objects: 1 catalog, 2 page tree, 3 font, then a page and its content stream for each page.
     */
    static byte[] pdf(List<String> linhas) {
        int paginas = Math.max(1, (linhas.size() + LINHAS_POR_PAGINA - 1) / LINHAS_POR_PAGINA);
        List<byte[]> objetos = new ArrayList<>();
        StringBuilder filhos = new StringBuilder();
        for (int p = 0; p < paginas; p++) {
            filhos.append(4 + 2 * p).append(" 0 R ");
        }
        objetos.add(ascii("<< /Type /Catalog /Pages 2 0 R >>"));
        objetos.add(ascii("<< /Type /Pages /Kids [ " + filhos + "] /Count " + paginas + " >>"));
        objetos.add(ascii("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica"
                          + " /Encoding /WinAnsiEncoding >>"));
        for (int p = 0; p < paginas; p++) {
            int inicio = p * LINHAS_POR_PAGINA;
            List<String> daPagina =
                linhas.subList(Math.min(inicio, linhas.size()),
                               Math.min(inicio + LINHAS_POR_PAGINA, linhas.size()));
            byte[] conteudo = conteudoDaPagina(daPagina);
            objetos.add(ascii("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842]"
                              + " /Resources << /Font << /F1 3 0 R >> >> /Contents " + (5 + 2 * p) +
                              " 0 R >>"));
            ByteArrayOutputStream fluxo = new ByteArrayOutputStream();
            fluxo.writeBytes(ascii("<< /Length " + conteudo.length + " >>\nstream\n"));
            fluxo.writeBytes(conteudo);
            fluxo.writeBytes(ascii("\nendstream"));
            objetos.add(fluxo.toByteArray());
        }

        ByteArrayOutputStream saida = new ByteArrayOutputStream();
        saida.writeBytes(ascii("%PDF-1.4\n"));
        // A comment with bytes above 127 tells file transfer tools that the file is binary.
        saida.writeBytes(new byte[] {'%', (byte)0xE2, (byte)0xE3, (byte)0xCF, (byte)0xD3, '\n'});
        List<Integer> deslocamentos = new ArrayList<>();
        for (int i = 0; i < objetos.size(); i++) {
            deslocamentos.add(saida.size());
            saida.writeBytes(ascii((i + 1) + " 0 obj\n"));
            saida.writeBytes(objetos.get(i));
            saida.writeBytes(ascii("\nendobj\n"));
        }
        int inicioXref = saida.size();
        StringBuilder xref = new StringBuilder();
        xref.append("xref\n0 ").append(objetos.size() + 1).append('\n');
        xref.append("0000000000 65535 f \n");
        for (int deslocamento : deslocamentos) {
            xref.append(String.format("%010d 00000 n \n", deslocamento));
        }
        xref.append("trailer\n<< /Size ").append(objetos.size() + 1).append(" /Root 1 0 R >>\n");
        xref.append("startxref\n").append(inicioXref).append("\n%%EOF");
        saida.writeBytes(ascii(xref.toString()));
        return saida.toByteArray();
    }

    /** Text operators that write the lines top-down, 14 points apart, from the top-left margin. */
    private static byte[] conteudoDaPagina(List<String> linhas) {
        ByteArrayOutputStream conteudo = new ByteArrayOutputStream();
        conteudo.writeBytes(ascii("BT\n/F1 11 Tf\n14 TL\n50 792 Td\n"));
        for (String linha : linhas) {
            conteudo.write('(');
            conteudo.writeBytes(textoPdf(linha));
            conteudo.writeBytes(ascii(") Tj T*\n"));
        }
        conteudo.writeBytes(ascii("ET"));
        return conteudo.toByteArray();
    }

    /**
     * The line in the font's encoding, escaped for a PDF literal string. Characters the encoding
     * lacks, and control characters, become '?'.
     */
    private static byte[] textoPdf(String linha) {
        ByteArrayOutputStream texto = new ByteArrayOutputStream();
        for (byte b : linha.getBytes(WIN_ANSI)) {
            if (b == '(' || b == ')' || b == '\\') {
                texto.write('\\');
            }
            texto.write((b >= 0 && b < 0x20) || b == 0x7F ? '?' : b);
        }
        return texto.toByteArray();
    }

    /**
     * An XML Spreadsheet 2003 workbook with one worksheet; each row is a list of text cells.
     * Characters that XML 1.0 cannot hold become '?'.
     */
    static byte[] planilhaXml(String nomeDaPlanilha, List<List<String>> linhas) {
        StringBuilder xml = new StringBuilder();
        xml.append("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
        xml.append("<?mso-application progid=\"Excel.Sheet\"?>\n");
        xml.append("<Workbook xmlns=\"urn:schemas-microsoft-com:office:spreadsheet\"\n");
        xml.append(" xmlns:ss=\"urn:schemas-microsoft-com:office:spreadsheet\">\n");
        xml.append(" <Worksheet ss:Name=\"").append(textoXml(nomeDaPlanilha)).append("\">\n");
        xml.append("  <Table>\n");
        for (List<String> linha : linhas) {
            xml.append("   <Row>");
            for (String celula : linha) {
                xml.append("<Cell><Data ss:Type=\"String\">")
                    .append(textoXml(celula))
                    .append("</Data></Cell>");
            }
            xml.append("</Row>\n");
        }
        xml.append("  </Table>\n");
        xml.append(" </Worksheet>\n");
        xml.append("</Workbook>\n");
        return xml.toString().getBytes(StandardCharsets.UTF_8);
    }

    private static String textoXml(String texto) {
        StringBuilder saida = new StringBuilder();
        texto.codePoints().forEach(c -> saida.append(caractereXml(c)));
        return saida.toString();
    }

    private static String caractereXml(int c) {
        if (c == '&') {
            return "&amp;";
        }
        if (c == '<') {
            return "&lt;";
        }
        if (c == '>') {
            return "&gt;";
        }
        if (c == '"') {
            return "&quot;";
        }
        boolean permitido = c == '\t' || c == '\n' || c == '\r' || (c >= 0x20 && c <= 0xD7FF) ||
                            (c >= 0xE000 && c <= 0xFFFD) || c >= 0x10000;
        return permitido ? Character.toString(c) : "?";
    }

    private static byte[] ascii(String texto) { return texto.getBytes(StandardCharsets.US_ASCII); }
}
