// The label sheet: a detail band per label, driven by counters (no dataset),
// the sheet and font from the layout file.

#include "service_orders/uAssOSEtiquetas.h"

#include "data/uDataTec.h"
#include "host/Uautorizacao.h"
#include "host/Udmglobal.h"
#include "host/UportaImpressora.h"
#include "host/data/Abort.h"
#include "host/data/Format.h"
#include "host/report/Report.h"
#include "host/ui/Dialogs.h"

#include <QFile>
#include <QTextStream>

#include <cmath>

using namespace host::report;

host::ui::FormVar<TqrAssOSEtiquetas> qrAssOSEtiquetas("qrAssOSEtiquetas");

namespace {

Label* rotuloEtiqueta(Band& band, const QString& nome, double left, double top, const QString& caption)
{
    Label* label = band.addLabel(nome, left, top, 12, 4, caption);
    label->font().setBold(true);
    return label;
}

// One value a line, in millimetres: width and length of the sheet, margins
// left, right, bottom and top, columns, space between them, (unused), label
// height, (unused), font, size and style.
const char kConfiguracaoPadraoEtiquetas[] = "210\n297\n5\n5\n10\n10\n3\n2\n\n35\n\nArial\n8\nNormal\n";

// A decimal of the layout file, in the system's number format.
bool decimalEtiqueta(const QString& texto, double& valor)
{
    return host::data::parseFloatText(texto, valor);
}

bool inteiroEtiqueta(const QString& texto, int& valor)
{
    bool ok = false;
    const int lido = texto.trimmed().toInt(&ok);
    if (ok)
        valor = lido;
    return ok;
}

// The style texts of the layout file, as the setting screen writes them.
void aplicaEstiloEtiqueta(QFont& fonte, const QString& estilo)
{
    struct Estilo {
        const char* texto;
        bool negrito, italico, sublinhado;
    };
    static const Estilo estilos[] = {
        {"Negrito", true, false, false},
        {"Itálico", false, true, false},
        {"Sublinhado", false, false, true},
        {"Negrito, Itálico", true, true, false},
        {"Negrito, Itálico, Sublinhado", true, true, true},
        {"Negrito, Sublinhado", true, false, true},
        {"Italic, Sublinhado", false, true, true},
    };
    for (const Estilo& e : estilos)
        if (estilo == QString::fromUtf8(e.texto)) {
            fonte.setBold(e.negrito);
            fonte.setItalic(e.italico);
            fonte.setUnderline(e.sublinhado);
            return;
        }
}

}  // namespace

TqrAssOSEtiquetas::TqrAssOSEtiquetas(QWidget* parent)
    : host::ui::Form(parent), QuickRep1(std::make_unique<Report>(nullptr, QStringLiteral("QuickRep1")))
{
    setCaption("Etiquetas da Ordem de Serviço");
    Report& r = *QuickRep1;
    r.setTitle("Etiquetas da Ordem de Serviço");
    r.setCustomPaper(58, 215);
    r.setMargins(1, 1, 1, 1);
    r.setColumns(1, 0);
    r.font() = QFont("Arial", 8);
    TdmTec& tec = *dmTec;
    host::data::Dataset* os = tec.quOS;
    qrbnEtiqueta = r.addBand(BandKind::Detail, "qrbnEtiqueta", 27);
    Band& b = *qrbnEtiqueta;
    rotuloEtiqueta(b, "qrlaOS", 0, 1, "Nº OS:");
    qrteOS = b.addDataText("qrteOS", 12, 1, 15, 4, os, "AOCODIGO");
    qrteOS->font().setBold(true);
    rotuloEtiqueta(b, "qrlaData", 28, 1, "Data:");
    qrteData = b.addDataText("qrteData", 37, 1, 19, 4, os, "AODATAENTRADA");
    rotuloEtiqueta(b, "qrlaCliente", 0, 5.5, "Cliente:");
    qrteCodCli = b.addDataText("qrteCodCli", 12, 5.5, 10, 4, os, "CLCODIGO");
    qrteCliente = b.addDataText("qrteCliente", 23, 5.5, 33, 4, os, "CLIENTE");
    rotuloEtiqueta(b, "qrlaFone", 0, 10, "Fone:");
    qrteFone = b.addDataText("qrteFone", 12, 10, 24, 4, os, "TELEFONE1");
    qrteUF = b.addDataText("qrteUF", 37, 10, 6, 4, os, "ESTADO");
    qrteCep = b.addDataText("qrteCep", 44, 10, 12, 4, os, "CEP");
    rotuloEtiqueta(b, "qrlaContato", 0, 14.5, "Contato:");
    qrteContato = b.addDataText("qrteContato", 12, 14.5, 44, 4, os, "AOCONTATO");
    rotuloEtiqueta(b, "qrlaDefeito", 0, 19, "Defeito:");
    qrteDefeito = b.addDataText("qrteDefeito", 12, 19, 44, 7.5, tec.quOSItem, "AOITDEFEITO");
    qrteDefeito->setWordWrap(true);

    r.beforePrint = [this](Report&) { QuickRepBeforePrint(); };
    r.onNeedData = [this](Report&, bool& more) { QuickRepNeedData(more); };
    b.beforePrint = [this](Band&, bool&) { qrbnEtiquetaBeforePrint(); };
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}

TqrAssOSEtiquetas::~TqrAssOSEtiquetas() = default;

QString TqrAssOSEtiquetas::ArquivoConfiguracao() { return ArquivoPastaSistema("ACIEC.txt"); }

void TqrAssOSEtiquetas::ImprimirEtiqueta()
{
    SelecionaValorNumerico("Posição Inicial da Etiqueta", "Informe a Posição Inicial da Etiqueta (Opcional):",
                           fPosicaoInicial);
    // Rounded half to even, as the classic Round.
    const int brancos = std::max(0, int(std::nearbyint(fPosicaoInicial - 1)));
    QString quantidade;
    if (!host::ui::Dialogs::inputQuery("Quantidade de Etiquetas",
                                       "Informe a quantidade de etiquetas que deseja imprimir.", quantidade))
        host::abortOperation();
    bool ok = false;
    const int etiquetas = quantidade.trimmed().toInt(&ok);
    if (!ok)
        dmGlobal->MostraErro("Nº de etiquetas inválido");
    iTotalEtiquetas = etiquetas + brancos;
}

void TqrAssOSEtiquetas::QuickRepBeforePrint()
{
    fContagemBranco = fPosicaoInicial;
    iEtiquetasGeradas = 0;
    // A missing or empty file gets a sheet that prints at once (A4, three
    // columns of 35 mm labels): the program offers no other way to fill it,
    // and the user adjusts it to the labels bought.
    const QString caminho = ArquivoConfiguracao();
    QFile arquivo(caminho);
    if (arquivo.size() == 0 && arquivo.open(QIODevice::WriteOnly)) {
        arquivo.write(kConfiguracaoPadraoEtiquetas);
        arquivo.close();
    }
    QStringList linhas;
    if (arquivo.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QTextStream entrada(&arquivo);
        while (!entrada.atEnd())
            linhas << entrada.readLine();
    }
    if (!aplicaConfiguracao(linhas))
        dmGlobal->MostraAviso("Nenhuma configuração encontrada, antes de imprimir configure as dimensões do papel"
                              " no arquivo " + caminho + ".", true);
    // The font name and size reach the captions too; their style stays.
    if (linhas.size() > 2) {
        int tamanho = 0;
        const bool comTamanho = inteiroEtiqueta(linhas.at(12), tamanho);
        for (Control* controle : qrbnEtiqueta->controls())
            if (auto* texto = dynamic_cast<TextControl*>(controle)) {
                if (!linhas.at(11).isEmpty())
                    texto->font().setFamily(linhas.at(11));
                if (comTamanho)
                    texto->font().setPointSize(tamanho);
            }
    }
}

bool TqrAssOSEtiquetas::aplicaConfiguracao(const QStringList& linhas)
{
    if (linhas.size() < 14)
        return false;
    PageSetup& pagina = QuickRep1->page();
    // Each value in its order; an empty line keeps what the sheet had.
    auto decimal = [&](int linha, double& destino) {
        return linhas.at(linha).isEmpty() || decimalEtiqueta(linhas.at(linha), destino);
    };
    double altura = qrbnEtiqueta->height();
    int colunas = pagina.columns;
    int tamanho = 0;
    const bool ok = decimal(0, pagina.customWidth) && decimal(1, pagina.customLength) &&
                    decimal(2, pagina.margins.left) && decimal(3, pagina.margins.right) &&
                    decimal(4, pagina.margins.bottom) && decimal(5, pagina.margins.top) &&
                    (linhas.at(6).isEmpty() || inteiroEtiqueta(linhas.at(6), colunas)) &&
                    decimal(7, pagina.columnSpace) && decimal(9, altura) &&
                    (linhas.at(12).isEmpty() || inteiroEtiqueta(linhas.at(12), tamanho));
    if (!ok)
        return false;
    pagina.paper = PaperSize::Custom;
    pagina.landscape = false;
    pagina.columns = std::max(1, colunas);
    qrbnEtiqueta->setHeight(altura);
    for (DataText* texto : textosDados()) {
        if (!linhas.at(11).isEmpty())
            texto->font().setFamily(linhas.at(11));
        if (!linhas.at(12).isEmpty())
            texto->font().setPointSize(tamanho);
        aplicaEstiloEtiqueta(texto->font(), linhas.at(13));
    }
    return true;
}

std::vector<DataText*> TqrAssOSEtiquetas::textosDados() const
{
    return {qrteOS, qrteData, qrteCodCli, qrteCliente, qrteFone, qrteContato, qrteDefeito};
}

void TqrAssOSEtiquetas::QuickRepNeedData(bool& MoreData)
{
    MoreData = iEtiquetasGeradas < iTotalEtiquetas;
    if (MoreData)
        ++iEtiquetasGeradas;
}

// The used labels at the sheet's start print blank, then the order's labels.
void TqrAssOSEtiquetas::qrbnEtiquetaBeforePrint()
{
    const bool branco = fContagemBranco > 1;
    for (Control* controle : qrbnEtiqueta->controls())
        controle->setEnabled(!branco);
    if (branco)
        fContagemBranco = std::trunc(fContagemBranco) - 1;
}
