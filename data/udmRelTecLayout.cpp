// Shared pieces of the layouts of TDmRelTec's reports.

#include "data/udmRelTecRelatorios.h"

#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/Endereco.h"
#include "host/Udmglobal.h"

using namespace host::report;

namespace udmRelTec {

QString texto(const DataRef& dataset, const QString& campo)
{
    host::data::Dataset* ds = dataset.get();
    if (!ds || !ds->active())
        return {};
    host::data::Field* field = ds->findField(campo);
    return field ? field->asString() : QString();
}

double numero(const DataRef& dataset, const QString& campo)
{
    host::data::Dataset* ds = dataset.get();
    if (!ds || !ds->active())
        return 0;
    host::data::Field* field = ds->findField(campo);
    return field ? field->asFloat() : 0;
}

QString formatoValorEmpresa(const DataRef& empresa)
{
    const int casas = int(numero(empresa, "UGDECIMALVALORPROD"));
    return QStringLiteral("#,##0.") + QString(casas > 0 ? casas : 2, '0');
}

Label* rotulo(Band& band, const QString& nome, double left, double top, double width, const QString& caption,
              bool negrito)
{
    Label* label = band.addLabel(nome, left, top, width, 4.5, caption);
    label->font().setBold(negrito);
    return label;
}

DataText* valor(Band& band, const QString& nome, double left, double top, double width, const DataRef& dataset,
                const QString& campo, const QString& formato)
{
    DataText* text = band.addDataText(nome, left, top, width, 4.5, dataset, campo);
    text->setDisplayFormat(formato);
    text->setAlignment(Qt::AlignRight | Qt::AlignTop);
    return text;
}

void cabecalhoEmpresa(Band& band, const DataRef& empresa)
{
    band.addDataText("qrteEmpresaNome", 0, 0, 130, 5, empresa, "NOME")->font().setBold(true);
    band.addDataText("qrteEmpresaEndereco", 0, 5, 130, 4.5, empresa, "ENDERECO");
    band.addExprText("qrexEmpresaCidade", 0, 9.5, 130, 4.5, [empresa] {
        return QVariant(host::compoeEndereco(
            {{"", texto(empresa, "CIDADE")}, {" - ", texto(empresa, "ESTADO")}, {"  ", texto(empresa, "CEP"), "CEP: "}}));
    });
    band.addExprText("qrexEmpresaFone", 0, 14, 130, 4.5, [empresa] {
        return QVariant("Fone: " + texto(empresa, "FONE") + "   CNPJ: " + dmGlobal->CnpjEmpresa());
    });
}

Label* titulo(Band& band, const QString& nome, double top, const QString& caption, double pontos)
{
    Label* label = band.addLabel(nome, 0, top, band.report().page().printableWidth(), pontos / 2, caption);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->font().setBold(true);
    label->font().setPointSizeF(pontos);
    return label;
}

Band* rodapePagina(Report& report, const QString& nome)
{
    const double largura = report.page().printableWidth();
    Band* band = report.addBand(BandKind::PageFooter, nome, 7);
    band->addShape(nome + "Linha", 0, 0, largura, 1, ShapeKind::HorizontalLine);
    band->addSysData(nome + "Emissao", 0, 2, 60, 4.5, SysDataKind::DateTime, "Emissão: ");
    band->addSysData(nome + "Pagina", largura - 40, 2, 40, 4.5, SysDataKind::PageOfPages, "Página ")
        ->setAlignment(Qt::AlignRight | Qt::AlignTop);
    return band;
}

QString telefones(const DataRef& dataset)
{
    const QString fone1 = texto(dataset, "TELEFONE1");
    const QString fone2 = texto(dataset, "TELEFONE2");
    return !fone1.trimmed().isEmpty() && !fone2.trimmed().isEmpty() ? fone1 + " / " + fone2 : fone1;
}

void blocoCliente(Band& band, const DataRef& os, double top)
{
    rotulo(band, "qrlaCliente", 0, top, 20, "Cliente:", true);
    band.addDataText("qrteCliente", 20, top, 120, 4.5, os, "CLIENTE");
    rotulo(band, "qrlaEndereco", 0, top + 5, 20, "Endereço:", true);
    band.addExprText("qrexEndereco", 20, top + 5, 170, 4.5, [os] {
        return QVariant(host::compoeEndereco({{"", texto(os, "ENDERECO")}, {" - ", texto(os, "BAIRRO")}}));
    });
    rotulo(band, "qrlaCidade", 0, top + 10, 20, "Cidade:", true);
    band.addExprText("qrexCidade", 20, top + 10, 100, 4.5, [os] {
        return QVariant(host::compoeEndereco(
            {{"", texto(os, "CIDADE")}, {"/", texto(os, "ESTADO")}, {"  ", texto(os, "CEP"), "CEP: "}}));
    });
    rotulo(band, "qrlaFone", 0, top + 15, 20, "Fone:", true);
    band.addExprText("qrexFone", 20, top + 15, 70, 4.5, [os] { return QVariant(telefones(os)); });
    rotulo(band, "qrlaContato", 95, top + 15, 20, "Contato:", true);
    band.addDataText("qrteContato", 115, top + 15, 75, 4.5, os, "AOCONTATO");
}

Band* tabelaLinhas(Band& master, const QString& nome, const DataRef& linhas, const QString& caption,
                   const ColunasLinha& colunas)
{
    const QString formato = QStringLiteral("###,###,##0.00");
    Band* band = master.addSubDetail(nome, 4.5, linhas);
    band->setPrintIfEmpty(false);
    Band* cabecalho = band->addHeader(nome + "Cabecalho", 11);
    rotulo(*cabecalho, nome + "Titulo", 0, 1, 100, caption, true);
    rotulo(*cabecalho, nome + "TitCodigo", 0, 6, 22, "Código", true);
    rotulo(*cabecalho, nome + "TitDescricao", 24, 6, 96, "Descrição", true);
    rotulo(*cabecalho, nome + "TitQuantidade", 120, 6, 18, "Qtde.", true)->setAlignment(Qt::AlignRight | Qt::AlignTop);
    rotulo(*cabecalho, nome + "TitUnitario", 140, 6, 24, "Vlr. Unit.", true)->setAlignment(Qt::AlignRight | Qt::AlignTop);
    rotulo(*cabecalho, nome + "TitTotal", 166, 6, 24, "Total", true)->setAlignment(Qt::AlignRight | Qt::AlignTop);
    band->addDataText(nome + "Codigo", 0, 0, 22, 4.5, linhas, colunas.codigo);
    band->addDataText(nome + "Descricao", 24, 0, 96, 4.5, linhas, colunas.descricao);
    valor(*band, nome + "Quantidade", 120, 0, 18, linhas, colunas.quantidade, "0.##");
    valor(*band, nome + "Unitario", 140, 0, 24, linhas, colunas.unitario, formato);
    valor(*band, nome + "Total", 166, 0, 24, linhas, colunas.total, formato);
    return band;
}

Band* tabelaItens(Band& master, const QString& nome, const DataRef& itens, const QString& caption)
{
    Band* band = master.addSubDetail(nome, 4.5, itens);
    band->setPrintIfEmpty(false);
    rotulo(*band->addHeader(nome + "Cabecalho", 6), nome + "Titulo", 0, 1, 100, caption, true);
    band->addDataText(nome + "Equipamento", 0, 0, 70, 4.5, itens, "AOITEQUIPDESCRICAO");
    band->addDataText(nome + "Marca", 72, 0, 35, 4.5, itens, "AOITMARCA");
    band->addDataText(nome + "Modelo", 109, 0, 40, 4.5, itens, "AOITMODELO");
    band->addDataText(nome + "Serie", 151, 0, 39, 4.5, itens, "AOITSERIE");
    return band;
}

}  // namespace udmRelTec
