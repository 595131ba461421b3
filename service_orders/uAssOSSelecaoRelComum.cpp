// Shared pieces of the report-selection printouts.

#include "service_orders/uAssOSSelecaoRelComum.h"

#include "host/Udmglobal.h"

namespace uAssOSSelecaoRel {

using namespace host::report;

const QString kValorSelecao = QStringLiteral("###,###,##0.00");
const QString kOrdemSelecao = QStringLiteral("000000000");
const QString kTotalSelecao = QStringLiteral("###,###,###,###,##0.00");

Label* RotuloSelecao(Band& band, const QString& nome, double left, double top, double width, const QString& caption)
{
    Label* label = band.addLabel(nome, left, top, width, 4.5, caption);
    label->font().setBold(true);
    return label;
}

Band* TituloSelecao(Report& report, const QString& titulo, Label** rotuloTitulo)
{
    host::data::Dataset* empresa = dmGlobal->quEmpresa;
    const double largura = report.page().landscape ? 277 : 190;
    Band* b = report.addBand(BandKind::Title, "qrbnTitulo", 26);
    b->addLabel("qrlaEmpresa", 0, 0, 18, 4, " Empresa:");
    b->addDataText("qrteEmpresa", 18, 0, 120, 4, empresa, "NOME");
    b->addLabel("qrlaCNPJ", 0, 5, 18, 4, "CNPJ:");
    b->addExprText("qrteCNPJ", 18, 5, 60, 4, [] { return QVariant(dmGlobal->CnpjEmpresa()); });
    b->addLabel("qrlaSistema", 0, 10, 18, 4, "Sistema:  ");
    b->addLabel("qrlaNomeSistema", 18, 10, 60, 4, "Assistência Técnica");
    b->addLabel("qrlaPrograma", 0, 15, 18, 4, "Programa : ");
    b->addLabel("qrlaNomePrograma", 18, 15, 60, 4, "Pesquisa");
    b->addLabel("qrlaDataEmissao", largura - 50, 0, 25, 4, "Data Emissão");
    b->addSysData("qrsdData", largura - 25, 0, 25, 4, SysDataKind::Date);
    b->addLabel("qrlaHoraEmissao", largura - 50, 5, 25, 4, "Hora Emissão");
    b->addSysData("qrsdHora", largura - 25, 5, 25, 4, SysDataKind::Time);
    Label* rotulo = b->addLabel("qrlaTitulo", 0, 20, largura, 5, titulo);
    rotulo->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    rotulo->font().setBold(true);
    rotulo->font().setPointSizeF(11);
    if (rotuloTitulo)
        *rotuloTitulo = rotulo;
    b->addShape("qrshTitulo", 0, 25.5, largura, 0.5, ShapeKind::HorizontalLine);
    return b;
}

Band* RodapeSelecao(Report& report)
{
    Band* b = report.addBand(BandKind::PageFooter, "qrbnRodape", 6);
    b->addSysData("qrsdPagina", 0, 1, 40, 4, SysDataKind::PageNumber, "Página ");
    return b;
}

void ColunaSelecao::setEnabled(bool on)
{
    titulo->setEnabled(on);
    texto->setEnabled(on);
}

ColunaSelecao AdicionaColuna(Band& cabecalho, Band& detalhe, const DataRef& dados, const QString& nome,
                             const QString& titulo, const QString& campo, double left, double width,
                             const QString& formato)
{
    ColunaSelecao coluna;
    coluna.titulo = RotuloSelecao(cabecalho, "qrla" + nome, left, 0.5, width, titulo);
    coluna.texto = detalhe.addDataText("qrte" + nome, left, 0, width, 4.5, dados, campo);
    if (!formato.isEmpty()) {
        coluna.texto->setDisplayFormat(formato);
        if (!formato.startsWith("dd")) {
            coluna.titulo->setAlignment(Qt::AlignRight | Qt::AlignTop);
            coluna.texto->setAlignment(Qt::AlignRight | Qt::AlignTop);
        }
    }
    return coluna;
}

void VisualizaSelecao(Report& report) { report.preview(false); }

}  // namespace uAssOSSelecaoRel
