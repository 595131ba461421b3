// The service and parts grids of the service-order window: the edit button
// of each column (by the column's field, so a column a saved layout adds acts
// as a designed one), the drop-down opened on entering a look-up column, the
// row colours and the title clicks.

#include "service_orders/uAssOrdemServico.h"
#include "service_orders/uAssOrdemServicoComum.h"

#include "service_orders/uAssOrdemServicoCusto.h"
#include "service_orders/uAssOrdemServicoHora.h"

#include "data/uDataTec.h"

#include "host/PilvCpr70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Upesqgeral.h"
#include "host/Upesqprod.h"
#include "host/Uprincipal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/Errors.h"
#include "host/ui/Dialogs.h"
#include "host/ui/SearchWindow.h"

#include <QDateTime>
#include <QPushButton>

using host::ui::DataGrid;
using host::ui::GridColumn;

using ordem_servico::naColuna;

namespace {


// The field name of the grid's selected column, upper case.
QString campoSelecionado(const DataGrid* grade)
{
    const GridColumn* coluna = grade->selectedColumn();
    return coluna ? coluna->fieldName().toUpper() : QString();
}

void editar(host::data::Dataset& linhas)
{
    if (!linhas.editing())
        linhas.edit();
}

// A general search's code into the line's field; a cancelled search writes nothing.
void pesquisaGeralNoCampo(host::data::Dataset& linhas, int tipo, const char* resultado, const char* campo)
{
    QString codigo, v2, v3;
    if (!SelecionaPesquisaGeral(tipo, resultado, resultado, resultado, codigo, v2, v3))
        return;
    editar(linhas);
    linhas.fieldByName(campo)->setAsString(codigo);
}

// The order's tag stays 8 while the product search appends lines, and is 0
// after it however the search ends.
struct MarcaOrdem {
    bool ativa;
    explicit MarcaOrdem(bool marcar) : ativa(marcar)
    {
        if (ativa)
            dmTec->quOS->setTag(kTagAlteracaoInterna);
    }
    ~MarcaOrdem()
    {
        if (ativa)
            dmTec->quOS->setTag(0);
    }
};

void abrirMenu(TMenuItem* item)
{
    if (fmPrincipal && item)
        item->click();
}

}  // namespace

// ---- work shared with the keys ----

void TfmAssOrdemServico::inserirProdutos(host::data::Dataset* linhas, bool marcarOrdem)
{
    MarcaOrdem marca(marcarOrdem);
    if (linhas == dmTec->quOSPecas)
        SelecionaInseriProduto("OSPECA", linhas, "apquantidade", "prCodigo", "apValUnitario", "apdesconto", true,
                               true, {}, {});
    else
        SelecionaInseriProduto("OSPECA", linhas, "AAquantidade", "prCodigo", "AAValor", {}, true, true, {}, {});
}

// Quantity and price of the current service line; the total follows by the
// line's own rule (its discount included), as for a typed quantity.
void TfmAssOrdemServico::servicoPrecoQuantidade()
{
    TdmTec& tec = *dmTec;
    double quantidade = tec.quOSAndamentoAAQUANTIDADE->asFloat(), preco = tec.quOSAndamentoAAVALOR->asFloat();
    double total = 0, desconto = 0;
    QString auxiliar;
    if (!SelecionaProdutoQuantidade(tec.quOSAndamentoPRCODIGO->asString(), quantidade, preco, total, desconto, true,
                                    auxiliar))
        return;
    editar(*tec.quOSAndamento);
    tec.quOSAndamentoAAQUANTIDADE->setAsFloat(quantidade);
    tec.quOSAndamentoAAVALOR->setAsFloat(preco);
}

// ---- edit buttons ----

void TfmAssOrdemServico::dbgdOrdemServicoServicosEditButtonClick()
{
    TdmTec& tec = *dmTec;
    DataGrid* grade = dbgdOrdemServicoServicos;
    host::data::Query& linhas = *tec.quOSAndamento;
    const int ordem = tec.quOSAndamentoAOCODIGO->asInteger();
    const int linha = tec.quOSAndamentoAACODIGO->asInteger();
    if (naColuna(grade, "AAINFORMACAO")) {
        SelecionaOSAndamentoDefeito(ordem, linha);
    } else if (naColuna(grade, "PRCODIGO")) {
        inserirProdutos(&linhas, true);
    } else if (campoSelecionado(grade) == "AATOTAL") {
        editar(linhas);
        SelecionaHorarioServico(ordem, linha);
        SalvarAlteracoes(linhas);
    } else if (naColuna(grade, "ATCODIGO")) {
        pesquisaGeralNoCampo(linhas, 74, "atCodigo", "ATCODIGO");
    } else if (naColuna(grade, "AAVALORTOTAL")) {
        double valor = 0;
        SelecionaOSCusto("S", tec.quOSAndamentoPRCODIGO->asString(), ordem, linha, valor);
        editar(linhas);
        tec.quOSAndamentoAAVALOR->setAsFloat(valor);
    } else if (naColuna(grade, "AAVALOR")) {
        servicoPrecoQuantidade();
    } else if (naColuna(grade, "DESCRICAO")) {
        SalvarAlteracoes(linhas);
        dmGlobal->InserirObservacaoAdicional("obTexto", tec.quOSAOCODIGO->asString(), "I", linha,
                                             dmGlobal->quObsGeral, false, 200,
                                             "Observação Adicional dos Serviços da OS");
    } else if (naColuna(grade, "OFCODIGO")) {
        pesquisaGeralNoCampo(linhas, 25, "cod_op", "OFCODIGO");
    } else {
        AbrirPesquisaReferentePelaGrid(grade);
    }
}

void TfmAssOrdemServico::dbgdOrdemServicoPecasEditButtonClick()
{
    TdmTec& tec = *dmTec;
    DataGrid* grade = dbgdOrdemServicoPecas;
    host::data::Query& linhas = *tec.quOSPecas;
    if (naColuna(grade, "PRCODIGO") || naColuna(grade, "PRCODIGOFORNECEDOR")) {
        inserirProdutos(&linhas, true);
    } else if (naColuna(grade, "DESCRICAO")) {
        SalvarAlteracoes(linhas);
        dmGlobal->InserirObservacaoAdicional("obTexto", tec.quOSAOCODIGO->asString(), "Y",
                                             tec.quOSPecasAPSEQUENCIA->asInteger(), dmGlobal->quObsGeral, false, 0,
                                             QString());
    } else if (naColuna(grade, "APNUMEROSERIE")) {
        AbreNumeroSerie(tec.quOSPecasPRCODIGO->asString(), dbedCodigo->text(), QDateTime::currentDateTime());
    } else if (naColuna(grade, "APVALUNITARIO")) {
        double quantidade = tec.quOSPecasAPQUANTIDADE->asFloat(), preco = tec.quOSPecasAPVALUNITARIO->asFloat();
        double total = 0, desconto = tec.quOSPecasAPDESCONTO->asFloat();
        QString auxiliar;
        if (!SelecionaProdutoQuantidade(tec.quOSPecasPRCODIGO->asString(), quantidade, preco, total, desconto, true,
                                        auxiliar))
            return;
        // The discount first: the quantity and price rules then total the
        // line with it.
        editar(linhas);
        tec.quOSPecasAPDESCONTO->setAsFloat(desconto);
        tec.quOSPecasAPQUANTIDADE->setAsFloat(quantidade);
        tec.quOSPecasAPVALUNITARIO->setAsFloat(preco);
    } else if (naColuna(grade, "OFCODIGO")) {
        pesquisaGeralNoCampo(linhas, 25, "cod_op", "OFCODIGO");
    } else if (naColuna(grade, "LECODIGO")) {
        pesquisaGeralNoCampo(linhas, 14, "codigo", "LECODIGO");
    } else if (naColuna(grade, "APVALTOTAL")) {
        double valor = 0;
        SelecionaOSCusto("P", tec.quOSPecasPRCODIGO->asString(), tec.quOSPecasAOCODIGO->asInteger(),
                         tec.quOSPecasAPSEQUENCIA->asInteger(), valor);
        editar(linhas);
        tec.quOSPecasAPVALUNITARIO->setAsFloat(valor);
    } else if (naColuna(grade, "ATCODIGO")) {
        pesquisaGeralNoCampo(linhas, 74, "atCodigo", "ATCODIGO");
    } else {
        AbrirPesquisaReferentePelaGrid(grade);
    }
}

// ---- entering a look-up column opens its list (not in vehicle mode) ----

void TfmAssOrdemServico::dbgdOrdemServicoServicosColEnter()
{
    if (parametro("ATMODOVEICULO") == "O" || relendoLinhas_)
        return;
    const QString campo = campoSelecionado(dbgdOrdemServicoServicos);
    if (campo == "DESCRICAOHORA" || campo == "DESCEQUIPOS")
        dbgdOrdemServicoServicos->editCurrentCell();
}

void TfmAssOrdemServico::dbgdOrdemServicoPecasColEnter()
{
    if (parametro("ATMODOVEICULO") != "O" && !relendoLinhas_
        && campoSelecionado(dbgdOrdemServicoPecas) == "DESCEQUIPOS")
        dbgdOrdemServicoPecas->editCurrentCell();
}

// ---- row colours ----

void TfmAssOrdemServico::dbgdOrdemServicoServicosDrawColumnCell(host::ui::CellStyle& style)
{
    if (dmTec->quOSAndamentoAAAUTORIZADO->asString() == "N") {
        style.background = Qt::red;
        style.foreground = Qt::white;
    }
}

// Refused parts red; under closing mode "S", parts inserted a day ago or
// more (counted from today's midnight) blue, over the red.
void TfmAssOrdemServico::dbgdOrdemServicoPecasDrawColumnCell(host::ui::CellStyle& style)
{
    TdmTec& tec = *dmTec;
    if (tec.quOSPecasAPAUTORIZADO->asString() == "N") {
        style.background = Qt::red;
        style.foreground = Qt::white;
    }
    if (parametro("ATMODOFECHAMENTOOS") == "S" && !tec.quOSPecasUGINSERIDO->isNull() &&
        hoje() >= tec.quOSPecasUGINSERIDO->asDateTime().addDays(1)) {
        style.background = Qt::blue;
        style.foreground = Qt::white;
    }
}

// ---- title clicks ----

void TfmAssOrdemServico::pesquisaRapida(host::data::Dataset* linhas, GridColumn& Column)
{
    const QString resposta = MostraPergunta(
        "Deseja pesquisar produto pelo código de barras ou posicionamento no local?", {"Barras", "Posição", "Código"});
    dmGlobal->PesquisaRapidaProduto(resposta.left(1), "prCODIGO", linhas, &Column);
}

void TfmAssOrdemServico::dbgdOrdemServicoServicosTitleClick(GridColumn& Column)
{
    host::ui::sortByColumn(*dbgdOrdemServicoServicos, Column);
    SalvarConfiguracaoDBGrid(dbgdOrdemServicoServicos, false);
    if (Column.index() == 1)
        abrirMenu(fmPrincipal ? fmPrincipal->miCadastroProduto : nullptr);
    else if (Column.index() == 4)
        abrirMenu(fmPrincipal ? fmPrincipal->miCadastroTecnico : nullptr);
    if (Column.fieldName().compare("PRCODIGO", Qt::CaseInsensitive) == 0)
        pesquisaRapida(dmTec->quOSAndamento, Column);
}

void TfmAssOrdemServico::dbgdOrdemServicoPecasTitleClick(GridColumn& Column)
{
    TdmTec& tec = *dmTec;
    try {
        host::ui::sortByColumn(*dbgdOrdemServicoPecas, Column);
        SalvarConfiguracaoDBGrid(dbgdOrdemServicoPecas, false);
    } catch (const std::exception&) {
        // The parts grid goes on to its own title commands.
    }
    const QString campo = Column.fieldName().toUpper();
    if (campo == "DESCRICAO") {
        if (MostraPergunta("Deseja abrir cadastro de produtos?", {"Sim", "Não"}) == "Sim")
            abrirMenu(fmPrincipal ? fmPrincipal->miCadastroProduto : nullptr);
    } else if (campo == "PRCODIGO") {
        pesquisaRapida(tec.quOSPecas, Column);
    } else if (campo == "APQUANTIDADEREQUERIDA") {
        if (MostraPergunta("Deseja atualizar quantidade das peças com a quantidade requerida das peças?",
                           {"Sim", "Não"}) != "Sim" ||
            MostraPergunta("Tem certeza de que deseja sobreescrever a quantidade de todas as peças?", {"Sim", "Não"}) !=
                "Sim")
            return;
        tec.PecasComQuantidadeRequerida(tec.quOSAOCODIGO->asInteger());
        tec.quOSPecas->close();
        tec.quOSPecas->paramByName("aocodigo")->setAsInteger(tec.quOSAOCODIGO->asInteger());
        tec.quOSPecas->open();
    }
}

// ---- binding ----

void TfmAssOrdemServico::ligarGrades()
{
    dbgdOrdemServicoServicos->onEditButtonClick = [this] { dbgdOrdemServicoServicosEditButtonClick(); };
    dbgdOrdemServicoPecas->onEditButtonClick = [this] { dbgdOrdemServicoPecasEditButtonClick(); };
    dbgdOrdemServicoServicos->onColEnter = [this] { dbgdOrdemServicoServicosColEnter(); };
    dbgdOrdemServicoPecas->onColEnter = [this] { dbgdOrdemServicoPecasColEnter(); };
    dbgdOrdemServicoServicos->onDrawColumnCell = [this](host::ui::CellStyle& style, int, GridColumn&, bool) {
        dbgdOrdemServicoServicosDrawColumnCell(style);
    };
    dbgdOrdemServicoPecas->onDrawColumnCell = [this](host::ui::CellStyle& style, int, GridColumn&, bool) {
        dbgdOrdemServicoPecasDrawColumnCell(style);
    };
    dbgdOrdemServicoServicos->onTitleClick = [this](GridColumn& c) { dbgdOrdemServicoServicosTitleClick(c); };
    dbgdOrdemServicoPecas->onTitleClick = [this](GridColumn& c) { dbgdOrdemServicoPecasTitleClick(c); };
    for (DataGrid* itens : {dbgdOrdemServicoItens, dbgdOrdemServicoItensVeiculo})
        itens->onEditButtonClick = [this, itens] { dbgdOrdemServicoItensEditButtonClick(itens); };
    dbgdOrdemServicoItens->onTitleClick = [this](GridColumn& c) { dbgdOrdemServicoItensTitleClick(c); };
    dbgdOrdemServicoItens->onDblClick = [this] { dbgdOrdemServicoItensDblClick(dbgdOrdemServicoItens); };
    dbgdOrdemServicoItensVeiculo->onTitleClick = [this](GridColumn& c) { dbgdOrdemServicoItensVeiculoTitleClick(c); };
    dbedValorServico->onExit = [this] { dbedValorServicoExit(); };
    onKeyDown = [this](int& key, Qt::KeyboardModifiers shift) { FormKeyDown(key, shift); };
    connect(sbReserva, &QPushButton::clicked, this, [this] { host::ui::runGuarded([this] { sbReservaClick(); }); });
}
