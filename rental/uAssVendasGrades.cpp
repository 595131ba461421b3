// The line grids of the assistance-order screen: the pickers of their edit
// buttons, chosen by the selected column (the first column listed that
// matches wins), their title-click sort and the configuration links.

#include "rental/uAssVendas.h"
#include "rental/uAssVendasGrades.h"

#include "data/uDataTec.h"

#include "host/PilvOut70.h"
#include "host/PilvPro70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/UdmglobalPrecos.h"
#include "host/Uglobal.h"
#include "host/Upesqforn.h"
#include "host/Upesqgeral.h"
#include "host/Upesqprod.h"
#include "host/UpesqVendasItens.h"

#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "host/ui/SearchWindow.h"

using host::data::Dataset;
using host::data::Field;

bool AssColunaSelecionada(const host::ui::DataGrid* grid, const char* campo)
{
    const int indice = RetornaColuna(QString::fromLatin1(campo), grid);
    const host::ui::GridColumn* coluna = indice >= 0 ? grid->column(indice) : nullptr;
    return coluna && coluna->visible() && indice == grid->selectedIndex();
}

namespace {

void abrirSeFechado(Dataset& dataset)
{
    if (!dataset.active())
        dataset.open();
}

void editarLinha(Dataset& linha)
{
    if (!linha.editing())
        linha.edit();
}

// The general search of a kind; the chosen key goes to the line's field.
void pesquisaGeralNaLinha(Dataset& linha, int tipo, const char* chave, const char* campo,
                          const char* colunas = nullptr)
{
    QString valor, segundo, terceiro;
    const QString coluna = QString::fromLatin1(chave);
    const bool escolhido = colunas ? SelecionaPesquisaGeral(tipo, "CODIGO", "DESCRICAO", "CODIGO", valor, segundo, terceiro)
                                   : SelecionaPesquisaGeral(tipo, coluna, coluna, coluna, valor, segundo, terceiro);
    if (!escolhido)
        return;
    editarLinha(linha);
    linha.fieldByName(QString::fromLatin1(campo))->setAsString(valor);
}

// The product-insertion search on a line dataset; true when a product was chosen.
bool inserirProdutoNaGrade(Dataset& linha, const char* campoValor)
{
    TdmTec& tec = *dmTec;
    if (parametro("ATSALVARPEDIDOANTESPRODUTO") == "S")
        SalvarAlteracoes(*tec.quAssVenda);
    return SelecionaInseriProduto("VENDA", &linha, "quantidade", "Codigo", QString::fromLatin1(campoValor), "desconto",
                                  parametro("ATAVISOESTOQUEITEM") != "S", true, QString(),
                                  tec.campoPedido("TABELA_VENCIMENTO").asString());
}

void focarColunaQuantidade(host::ui::DataGrid* grid)
{
    grid->setSelectedIndex(3);
    try {
        grid->setFocus();
    } catch (...) {   // the product was inserted; a grid that cannot take the focus loses nothing
    }
}

void numerosSerieDaLinha(Dataset& linha)
{
    const QString pedido = dmTec->campoPedido("NUMERO_PEDIDO").asString();
    QString numeros;
    SelecionaNumerosSerie("", linha.fieldByName("CODIGO")->asString(), " and VECODIGO = " + QuotedStr(pedido), pedido,
                          "", "", "", 0, 0, numeros, 0, 0, 0, 0, 0, 0, 0, 0);
}

void precoPorQuantidade(Dataset& linha, bool desconto)
{
    PesquisaValorPorQuantidade(desconto, true, &linha, dmTec->campoPedido("CODIGO_CLIENTE").asString());
}

// The line's text (AUGC70OB kind "V"), after the line is saved. A requested
// line keeps it under its COD, a configured line under minus its COD: the
// text its order prints and its contract item copies.
void textoDaLinha(Dataset& linha, bool configurada)
{
    SalvarAlteracoes(linha);
    const int cod = linha.fieldByName("COD")->asInteger();
    dmGlobal->InserirObservacaoAdicional("obTexto", linha.fieldByName("NUMERO_PEDIDO")->asString(), "V",
                                         configurada ? -cod : cod, dmGlobal->quObsGeral, false, 0, "");
}

bool colunaPreco(const host::ui::DataGrid* grid)
{
    return AssColunaSelecionada(grid, "VALOR") || AssColunaSelecionada(grid, "VEITVALORIPI");
}

bool colunaTexto(const host::ui::DataGrid* grid)
{
    return AssColunaSelecionada(grid, "DESCRICAO") || AssColunaSelecionada(grid, "PRDESCRICAOCOMERCIAL");
}

// The columns after the price ones, each with its own picker.
bool outrasColunasItem(const host::ui::DataGrid* grid, Dataset& item)
{
    TdmTec& tec = *dmTec;
    auto campo = [&item](const char* nome) -> Field& { return *item.fieldByName(QString::fromLatin1(nome)); };
    auto escolhida = [grid](const char* nome) { return AssColunaSelecionada(grid, nome); };
    if (escolhida("FOCODIGOVENDEDOR")) {
        QString codigo, tipo;
        if (SelecionaFornecedor(codigo, tipo, parametro("ATPESQUISAGERENTE") != "N")) {
            editarLinha(item);
            campo("FOCODIGOVENDEDOR").setAsString(codigo);
        }
    } else if (escolhida("GRCODIGO")) {
        pesquisaGeralNaLinha(item, 8, "CODIGO", "GRCODIGO", "CODIGO,DESCRICAO,CODIGO");
    } else if (escolhida("QUANTIDADE")) {
        PesquisaProdutoLocal(campo("CODIGO").asString());
    } else if (escolhida("VEITCREDOCUMENTO")) {
        QString documento, cliente, operacao, local, serie;
        if (SelecionaDocumentoSaida(campo("CODIGO").asString(), documento, cliente, operacao, local, serie)) {
            editarLinha(item);
            campo("VEITCREDOCUMENTO").setAsString(documento);
            campo("VEITCRECLCODIGO").setAsString(cliente);
            campo("VEITCREOFCODIGO").setAsString(operacao);
            campo("VEITCRELOCAL").setAsString(local);
            campo("VEITCRESERIE").setAsString(serie);
            SalvarAlteracoes(item);
        }
    } else if (escolhida("VEQUANTIDADEIMPRESSA")) {
        PVVerificaMedidaItem(true, campo("NUMERO_PEDIDO").asString(), campo("COD").asInteger());
        SalvarAlteracoes(item);
    } else if (escolhida("LECODIGO")) {
        pesquisaGeralNaLinha(item, 14, "CODIGO", "LECODIGO");
    } else if (colunaTexto(grid)) {
        textoDaLinha(item, false);
    } else if (escolhida("ORIGEM")) {
        editarLinha(item);
        double valor = 0;
        if (SelecionaComposicaoManual(campo("CODIGO").asString(), campo("NUMERO_PEDIDO").asString(),
                                      tec.campoPedido("AUX2").asString(), parametro("ATCOLECAOFECHADA") == "E", 0,
                                      &item, valor) &&
            valor > 0)
            campo("VALOR").setAsFloat(valor);
    } else if (escolhida("VEITGARANTIADOCUMENTO")) {
        QString documento, serie, local, operacao, fornecedor;
        int sequencia = 0;
        if (SelecionaDocumentoEntradaGarantiaItem(campo("CODIGO").asString(), documento, serie, local, operacao,
                                                  fornecedor, sequencia)) {
            editarLinha(item);
            campo("VEITGARANTIADOCUMENTO").setAsString(documento);
            campo("VEITGARANTIASERIE").setAsString(serie);
            campo("VEITGARANTIALOCAL").setAsString(local);
            campo("VEITGARANTIAOFCODIGO").setAsString(operacao);
            campo("VEITGARANTIAFOCODIGO").setAsString(fornecedor);
            campo("VEITGARANTIASEQUENCIA").setAsInteger(sequencia);
        }
    } else if (escolhida("TOTAL_UNIT") && parametro("ATCOLECAOFECHADA") == "M") {
        PVItemVerificaComposicao(campo("CODIGO").asString());
    } else if (escolhida("TOTAL_UNIT") && parametro("ATCOLECAOFECHADA") == "V") {
        double valor = 0;
        QString obs;
        if (SelecionaVendaItemComposicao(tec.campoPedido("OPERACAO").asString(), campo("COD").asInteger(),
                                         tec.campoPedido("AUX2").asString(), campo("NUMERO_PEDIDO").asString(),
                                         campo("CODIGO").asString(), valor, obs) &&
            valor > 0) {
            editarLinha(item);
            campo("VALOR").setAsFloat(valor);
            campo("OBS").setAsString(obs);
        }
    } else if (escolhida("VEITFOTO")) {
        InserirImagem("ftFoto", campo("NUMERO_PEDIDO").asString() + campo("CODIGO").asString(), "V",
                      campo("COD").asInteger(), "Imagem do Item da Venda");
    } else {
        return false;
    }
    return true;
}

}  // namespace

void TfmAssVendas::dbgdAssVendaItensEditButtonClick()
{
    TdmTec& tec = *dmTec;
    Dataset& item = *tec.quAssVendaItem;
    abrirSeFechado(item);
    const host::ui::DataGrid* grid = dbgdAssVendaItens;
    auto escolhida = [grid](const char* nome) { return AssColunaSelecionada(grid, nome); };
    if (escolhida("CODIGO")) {
        if (inserirProdutoNaGrade(item, "valor"))
            focarColunaQuantidade(dbgdAssVendaItens);
    } else if (escolhida("VEITNUMEROSERIE")) {
        numerosSerieDaLinha(item);
    } else if (escolhida("VEITCFOP")) {
        pesquisaGeralNaLinha(item, 25, "cod_op", "VEITCFOP");
    } else if (escolhida("MGCODIGO")) {
        pesquisaGeralNaLinha(item, 12, "codigo", "MGCODIGO");
    } else if (colunaPreco(grid)) {
        precoPorQuantidade(item, false);
    } else if (escolhida("DESCONTO")) {
        precoPorQuantidade(item, true);
    } else if (escolhida("VEITVALORUNITARIOIPI")) {
        precoPorQuantidade(item, false);
    } else {
        outrasColunasItem(grid, item);
    }
}

void TfmAssVendas::dbgdAssVendaCotadoEditButtonClick()
{
    Dataset& cotado = *dmTec->quAssVendaCotado;
    abrirSeFechado(cotado);
    if (AssColunaSelecionada(dbgdAssVendaCotado, "CODIGO")) {
        if (inserirProdutoNaGrade(cotado, "valor"))
            focarColunaQuantidade(dbgdAssVendaCotado);
    } else if (AssColunaSelecionada(dbgdAssVendaCotado, "VEITNUMEROSERIE")) {
        numerosSerieDaLinha(cotado);
    }
}

void dbgdAssCheckoutEquipEditButtonClick(host::ui::DataGrid* grid)
{
    Dataset& cotado = *dmTec->quAssVendaCotado;
    abrirSeFechado(cotado);
    if (AssColunaSelecionada(grid, "CODIGO")) {
        if (inserirProdutoNaGrade(cotado, "pco_venda"))
            focarColunaQuantidade(grid);
    } else if (AssColunaSelecionada(grid, "VEITNUMEROSERIE")) {
        numerosSerieDaLinha(cotado);
    } else if (colunaPreco(grid)) {
        precoPorQuantidade(cotado, false);
    } else if (AssColunaSelecionada(grid, "DESCONTO")) {
        precoPorQuantidade(cotado, true);
    } else if (AssColunaSelecionada(grid, "QUANTIDADE")) {
        PesquisaProdutoLocal(cotado.fieldByName("CODIGO")->asString());
    } else if (colunaTexto(grid)) {
        textoDaLinha(cotado, true);
    }
}

// The product's composition, then the product record the host keeps loaded.
void TfmAssVendas::laConfiguracaoClick(host::data::Dataset& linha)
{
    const QString produto = linha.active() ? linha.fieldByName("CODIGO")->asString() : QString();
    AbrirComposicao(produto, QString(), true);
    dmGlobal->CarregarProduto(produto);
}

void TfmAssVendas::ligarGrades()
{
    dbgdAssVendaItens->onEditButtonClick = [this] { dbgdAssVendaItensEditButtonClick(); };
    dbgdAssVendaCotado->onEditButtonClick = [this] { dbgdAssVendaCotadoEditButtonClick(); };
    // A single requested or configured line is deleted with Ctrl+Delete,
    // under its dataset's password and commit.
    dbgdAssVendaItens->setDeleteKey(true);
    dbgdAssVendaCotado->setDeleteKey(true);
    for (host::ui::DataGrid* grade : {dbgdAssVendaItens, dbgdAssVendaCotado, dbgdCtrlAlter})
        grade->onTitleClick = [grade](host::ui::GridColumn& coluna) { host::ui::sortByColumn(*grade, coluna); };
}
