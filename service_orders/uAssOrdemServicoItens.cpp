// The item grids of the service-order window (equipment and vehicles over
// dmTec's quOSItem): the shared edit button, by the selected column's field,
// and the two title clicks with their register shortcuts.

#include "service_orders/uAssOrdemServico.h"
#include "service_orders/uAssOrdemServicoComum.h"
#include "service_orders/uAssAndamento.h"

#include "shared_windows/uPesqAssDefeitos.h"
#include "shared_windows/uPesqAssEquipamento.h"

#include "data/uDataTec.h"

#include "host/PilvCpr70.h"
#include "host/UcadastroListagem.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Ufoto.h"
#include "host/Upesqforn.h"
#include "host/Upesqgeral.h"
#include "host/Upesqprod.h"
#include "host/Uprincipal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "host/ui/SearchWindow.h"

#include <QLineEdit>
#include <QPushButton>

using host::ui::DataGrid;
using host::ui::GridColumn;

using ordem_servico::naColuna;

namespace {


host::data::Query& itens() { return *dmTec->quOSItem; }

void editarItem()
{
    if (!itens().editing())
        itens().edit();
}

void campoItem(const char* campo, const QString& valor) { itens().fieldByName(campo)->setAsString(valor); }

// A look-up code that must be a whole number: a text that is not one is the
// standard conversion error, and nothing is written.
int inteiro(const QString& codigo)
{
    bool ok = false;
    const int valor = codigo.trimmed().toInt(&ok);
    if (!ok)
        throw std::invalid_argument(("'" + codigo + "' is not a valid integer value").toStdString());
    return valor;
}

void executarMenu(TMenuItem* TfmPrincipal::*item)
{
    if (fmPrincipal && fmPrincipal->*item)
        (fmPrincipal->*item)->click();
}

// The equipment code by the item mode: rental units, vehicle models or the
// equipment register.
void pesquisarEquipamento()
{
    const QString modo = parametro("ATSITUACAOPORITEM");
    QString codigo, descricao, v3;
    if (modo == "S") {
        if (!SelecionaPesquisaGeral(46, "EVCODIGO", "EVCODIGO", "EVCODIGO", codigo, descricao, v3))
            return;
        editarItem();
        campoItem("AOITEQUIPCODIGO", codigo);
    } else if (modo == "M") {
        if (!SelecionaPesquisaGeral(79, "ENCODIGO", "ENDESCRICAO", "ENDESCRICAO", codigo, descricao, v3))
            return;
        const QString marca = CarregaDado("ERCodigo", "AUGC23EN", "Where enCodigo = " + QuotedStr(codigo));
        const int modelo = inteiro(codigo);
        editarItem();
        itens().fieldByName("AOITEQUIPCODIGO")->setAsInteger(modelo);
        campoItem("AOITMODELO", descricao);
        if (!marca.trimmed().isEmpty())
            campoItem("AOITMARCA", CarregaDado("ERDESCRICAO", "AUGC24ER", "Where erCodigo = " + QuotedStr(marca)));
        campoItem("AOITEQUIPDESCRICAO", "Veículo " + itens().fieldByName("AOITMARCA")->asString() + " " + descricao);
    } else {
        int equipamento = 0;
        if (!SelecionaEquipamento(equipamento, descricao))
            return;
        editarItem();
        itens().fieldByName("AOITEQUIPCODIGO")->setAsInteger(equipamento);
        campoItem("AOITEQUIPDESCRICAO", descricao);
    }
}

const std::pair<const char*, const char*> kMemosItem[] = {
    {"AOITLAUDO", "Laudo"}, {"AOITCAUSA", "Causa"}, {"AOITOBSERVACAO", "Observacao"}, {"AOITSOLUCAO", "Solucao"}};

}  // namespace

void TfmAssOrdemServico::dbgdOrdemServicoItensEditButtonClick(DataGrid* Sender)
{
    TdmTec& tec = *dmTec;
    const QString selecionado = Sender->selectedColumn() ? Sender->selectedColumn()->fieldName().toUpper() : QString();
    QString codigo, tipo, v2, v3;
    if (naColuna(Sender, "AOITEQUIPDESCRICAO")) {
        AbrirDefeitosItem(itens().fieldByName("AOCODIGO")->asInteger(), itens().fieldByName("AOITCODIGO")->asInteger(),
                          0, 0);
    } else if (naColuna(Sender, "AOITFOTO")) {
        MostrarImagemCampo(dsItens, "AOITFOTO");
    } else if (naColuna(Sender, "AOITEQUIPCODIGO")) {
        pesquisarEquipamento();
    } else if (naColuna(Sender, "AOITDEFEITO")) {
        int defeito = 0;
        QString descricao, observacao;
        if (!SelecionaDefeito(defeito, descricao, tipo, observacao))
            return;
        editarItem();
        campoItem("AOITDEFEITO", descricao);
    } else if (naColuna(Sender, "ASCODIGO")) {
        if (!SelecionaPesquisaGeral(73, "ASCODIGO", "ASCODIGO", "ASCODIGO", codigo, v2, v3))
            return;
        const int situacao = inteiro(codigo);
        editarItem();
        itens().fieldByName("ASCODIGO")->setAsInteger(situacao);
    } else if (naColuna(Sender, "FOCONSECIONARIA")) {
        if (!SelecionaFornecedor(codigo, tipo, parametro("ATFORNECEDORTODOS") != "N"))
            return;
        editarItem();
        campoItem("FOCONSECIONARIA", codigo);
    } else if (naColuna(Sender, "AOITPRCODIGO")) {
        QString descricao;
        double venda = 0, estoque = 0, reservado = 0, promocional = 0, custo = 0;
        if (!SelecionaProduto(codigo, descricao, venda, estoque, reservado, promocional, custo, false))
            return;
        editarItem();
        campoItem("AOITPRCODIGO", codigo);
    } else if (naColuna(Sender, "AOITKMINICIAL")) {
        AbreMovimentoKMVeiculo(0, itens().fieldByName("AOITEQUIPCODIGO")->asInteger());
    } else {
        for (const auto& [memo, caption] : kMemosItem)
            if (selecionado == memo) {
                dmGlobal->InserirObservacaoMemo(tec.quOSItem, 0, memo, caption, false);
                return;
            }
        if (selecionado == "ATCODIGO") {
            if (!SelecionaPesquisaGeral(74, "atCodigo", "atCodigo", "atCodigo", codigo, v2, v3))
                return;
            const int tecnico = inteiro(codigo);
            editarItem();
            itens().fieldByName("ATCODIGO")->setAsInteger(tecnico);
            return;
        }
        AbrirPesquisaReferentePelaGrid(Sender);
    }
}

// With situations kept per item, the item opens in the progress screen.
void TfmAssOrdemServico::dbgdOrdemServicoItensDblClick(DataGrid*)
{
    if (parametro("ATTROCASITUACAOITEM") != "I")
        return;
    const QString item = itens().fieldByName("AOITCODIGO")->asString();
    const QString ordem = itens().fieldByName("AOCODIGO")->asString();
    executarMenu(&TfmPrincipal::miAndamentoOS);
    TfmAssAndamento* andamento = fmAssAndamento.get();
    if (!andamento)
        return;
    andamento->edOS->setText(ordem);
    andamento->bbPesq->click();
    andamento->dbgdAndamentoOSRegistros->setFocus();
    dmTec->quPesqOS->locate("aoitCodigo", item, host::data::LocateCaseInsensitive | host::data::LocatePartialKey);
}

// Remanufacture orders keep a layout of their own ("dbgdOrdemServicoItensR").
void TfmAssOrdemServico::dbgdOrdemServicoItensTitleClick(GridColumn& Column)
{
    host::ui::sortByColumn(*dbgdOrdemServicoItens, Column);
    if (dmTec->quOSAOREMANUFATURA->asString() == "R")
        SalvarConfiguracaoDBGridComNome(dbgdOrdemServicoItens, false, dbgdOrdemServicoItens->objectName() + "R");
    else
        SalvarConfiguracaoDBGrid(dbgdOrdemServicoItens, false);
    if (naColuna(dbgdOrdemServicoItens, "AOITEQUIPCODIGO"))
        executarMenu(&TfmPrincipal::miCadastroEquipamento);
    else if (naColuna(dbgdOrdemServicoItens, "AOITDEFEITO"))
        executarMenu(&TfmPrincipal::miCadastroDefeito);
}

void TfmAssOrdemServico::dbgdOrdemServicoItensVeiculoTitleClick(GridColumn& Column)
{
    host::ui::sortByColumn(*dbgdOrdemServicoItensVeiculo, Column);
    SalvarConfiguracaoDBGrid(dbgdOrdemServicoItensVeiculo, false);
    if (Column.index() == 1)
        executarMenu(&TfmPrincipal::miCadastroEquipamento);
    else if (Column.index() == 4)
        executarMenu(&TfmPrincipal::miCadastroDefeito);
}
