// The contract register's pickers, the labels that open other registers and
// the buttons of its grids.

#include "contracts/uAssContCad.h"

#include "contracts/uAssContCadRegras.h"
#include "contracts/uAssContObj.h"
#include "contract_data/uDataTecCont.h"
#include "shared_windows/uPesqAssEquipamento.h"

#include "host/PilvCtb70.h"
#include "host/UCXPrevisao.h"
#include "host/UFormDinamica.h"
#include "host/UcadastroListagem.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Upesq.h"
#include "host/Upesqcli.h"
#include "host/Upesqforn.h"
#include "host/Upesqgeral.h"
#include "host/Upesqprod.h"
#include "host/Uprincipal.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/HandlerGuard.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"

using host::data::Dataset;
using host::data::DatasetState;

namespace {

// The chosen key of a general search (its first column), "" when cancelled.
QString pesquisaGeral(int tipo, const QString& coluna, bool* escolheu = nullptr)
{
    QString v1, v2, v3;
    const bool ok = SelecionaPesquisaGeral(tipo, coluna, coluna, coluna, v1, v2, v3);
    if (escolheu)
        *escolheu = ok;
    return ok ? v1 : QString();
}

bool campoDaColuna(host::ui::DataGrid* grade, const char* campo)
{
    host::ui::GridColumn* coluna = grade->selectedColumn();
    return coluna && coluna->fieldName().compare(campo, Qt::CaseInsensitive) == 0;
}

void editar(Dataset& dataset)
{
    if (!dataset.editing())
        dataset.edit();
}

}  // namespace

void TfmAssContCad::editarContrato(bool mesmoEditando)
{
    if (mesmoEditando || !contrato().editing())
        editar(contrato());
}

void TfmAssContCad::abrirMenuPrincipal(const char* item)
{
    if (!fmPrincipal)
        return;
    if (TMenuItem* menu = fmPrincipal->findMenuItem(item); menu && menu->OnClick)
        menu->OnClick(menu->action());
}

// ---- header pickers ----

void TfmAssContCad::sbPesqContratoClick()
{
    bool escolheu = false;
    const QString codigo = pesquisaGeral(68, "ACCODIGO", &escolheu);
    if (!escolheu)
        return;
    if (codigo.trimmed().isEmpty())
        dmGlobal->MostraAviso("Código inválido", true);
    primeiraPagina();
    CarregaContrato(codigo.toInt());
}

void TfmAssContCad::sbPesqVeiculoClick()
{
    bool escolheu = false;
    const QString codigo = pesquisaGeral(112, "ACCODIGO", &escolheu);
    if (escolheu)
        carregarContrato(codigo.toInt());
}

// nullptr: the customer of the contractual-customers grid.
void TfmAssContCad::pesquisarCliente(const char* campo)
{
    if (campo)
        editarContrato();
    QString nome, codigo, fantasia;
    if (!SelecionaCliente(nome, codigo, fantasia))
        return;
    Dataset& destino = campo ? static_cast<Dataset&>(contrato()) : *dmTecContrato->quContratoCli;
    editar(destino);
    destino.fieldByName(campo ? campo : "CLCODIGO")->setAsString(codigo);
}

void TfmAssContCad::sbPesqContratanteClick() { pesquisarCliente("ACCONTRATANTE"); }

void TfmAssContCad::sbPesqCliClick() { pesquisarCliente("CLCODIGO"); }

void TfmAssContCad::sbPesqRespClick()
{
    editarContrato();
    QString codigo, tipo;
    if (SelecionaFornecedor(codigo, tipo, parametroMaiusculo("ATPESQUISAFORNECEDOR") != "N"))
        contrato().fieldByName("ACRESPONSAVEL")->setAsString(codigo);
}

void TfmAssContCad::pesquisarObjeto(const char* campo)
{
    editarContrato();
    bool escolheu = false;
    const QString codigo = pesquisaGeral(70, "AJCODIGO", &escolheu);
    if (escolheu)
        contrato().fieldByName(campo)->setAsInteger(codigo.toInt());
}

void TfmAssContCad::sbPesqObjClick() { pesquisarObjeto("AJCODIGO"); }

void TfmAssContCad::sbPesqObjAuxClick() { pesquisarObjeto("AJCODIGOAUXILIAR"); }

void TfmAssContCad::sbPesqMoedaClick()
{
    bool escolheu = false;
    const QString moeda = pesquisaGeral(110, "MOEDA", &escolheu);
    if (!escolheu)
        return;
    editarContrato();
    contrato().fieldByName("ACMULTAINDICE")->setAsString(moeda);
}

void TfmAssContCad::sbPesqPedidoPadraoClick()
{
    editarContrato();
    QString pedido;
    if (SelecionaVenda(pedido))
        contrato().fieldByName("VECODIGOPADRAO")->setAsString(pedido);
}

void TfmAssContCad::sbPesqTabelaVctoClick()
{
    bool escolheu = false;
    const QString tabela = pesquisaGeral(13, "CODIGO", &escolheu);
    if (!escolheu)
        return;
    editarContrato(false);
    contrato().fieldByName("TVCODIGO")->setText(tabela);
}

void TfmAssContCad::sbPesqCtaCtbDebClick()
{
    int conta = 0;
    QString descricao;
    if (!SelecionaCtbConta(conta, descricao))
        return;
    editarContrato(false);
    contrato().fieldByName("PCCODIGODEBITO")->setAsInteger(conta);
}

void TfmAssContCad::sbPesqCtaCtbCredClick()
{
    int conta = 0;
    QString descricao;
    if (!SelecionaCtbConta(conta, descricao))
        return;
    editarContrato(false);
    contrato().fieldByName("PCCODIGOCREDITO")->setAsInteger(conta);
}

// The contract's cash template; its new rows follow the contract while the
// dialog is open, the host's own rule comes back on every way out.
void TfmAssContCad::sbCaixaClick()
{
    editarContrato();
    SalvarAlteracoes(contrato());
    host::data::DetachHandler<Dataset::Event> contratoNovo(
        dmGlobal->quCXPrev->onNewRecord, [](Dataset& d) { dmTecContrato->quCXPrevContratoNewRecord(d); });
    SelecionaCXPrevisao("C", contrato());
}

void TfmAssContCad::sbZeltoCreatorClick()
{
    AbrirFormDinamica("AATC05AC", {"ACCODIGO"}, {"Código"}, {codigoContrato()});
}

// ---- labels that open other registers ----

void TfmAssContCad::Label5Click() { fmAssContObj.create()->showNonModal(); }

void TfmAssContCad::Label7Click() { abrirMenuPrincipal("miCadastroPessoaJuridica"); }

void TfmAssContCad::Label8Click() { abrirMenuPrincipal("miCadastroPessoaJuridica"); }

void TfmAssContCad::Label11Click() { abrirMenuPrincipal("miCadastroPessoaJuridica"); }

void TfmAssContCad::Label22Click() { abrirMenuPrincipal("miCadastroContaCaixa"); }

void TfmAssContCad::Label24Click() { abrirMenuPrincipal("miCadastroHistorico"); }

void TfmAssContCad::Label26Click() { abrirMenuPrincipal("miCadastroOperacao"); }

void TfmAssContCad::Label55Click()
{
    iPMCCodigoContrato = codigoContrato();
    abrirMenuPrincipal("miPMC");
}

void TfmAssContCad::laTipoFranquiaClick()
{
    if (contrato().fieldByName("ACTIPOFRANQUIA")->asString().trimmed().toUpper() == "G")
        FranquiaPorGrupoContrato(codigoContrato(), dmTecContrato->QuFranquiaPorGrupo);
}

// ---- grids ----

void TfmAssContCad::dbgdContratoVincEditButtonClick()
{
    if (dbgdContratoVinc->selectedIndex() != 0)
        return;
    bool escolheu = false;
    const QString codigo = pesquisaGeral(68, "ACCODIGO", &escolheu);
    if (!escolheu)
        return;
    Dataset& vinculos = *dmTecContrato->quContratoVin;
    editar(vinculos);
    vinculos.fieldByName("ACCODIGOCOMPLEMENTO")->setAsInteger(codigo.toInt());
}

// The other side of the link becomes the contract shown.
void TfmAssContCad::dbgdContratoVincDblClick()
{
    SalvarAlteracoes(contrato());
    Dataset& vinculos = *dmTecContrato->quContratoVin;
    if (!vinculos.active() || vinculos.isEmpty())
        return;
    const bool complementar = contrato().fieldByName("ACVINCULO")->asString().trimmed().toUpper() == "C";
    CarregaContrato(vinculos.fieldByName(complementar ? "ACCODIGOPRINCIPAL" : "ACCODIGOCOMPLEMENTO")->asInteger());
}

void TfmAssContCad::dbgdAssContCadItemEditButtonClick()
{
    Dataset& itens = *dmTecContrato->quCtrCadastroIt;
    if (campoDaColuna(dbgdAssContCadItem, "ACITOBSERVACAO")) {
        uAssContCad::ShowJanela("fmAssContCadDet");
    } else if (campoDaColuna(dbgdAssContCadItem, "PRCODIGO")) {
        QString codigo, descricao;
        double preco = 0, estoque = 0, reservado = 0, promocional = 0, custo = 0;
        if (!SelecionaProduto(codigo, descricao, preco, estoque, reservado, promocional, custo))
            return;
        editar(itens);
        itens.fieldByName("PRCODIGO")->setAsString(codigo);
    } else if (campoDaColuna(dbgdAssContCadItem, "COCODIGO")) {
        QString codigo, v2, v3;
        if (!SelecionaPesquisaGeral(111, "COCODIGO", "COCODIGO", "CODESCRICAO", codigo, v2, v3))
            return;
        editar(itens);
        itens.fieldByName("COCODIGO")->setAsInteger(codigo.toInt());
    } else if (campoDaColuna(dbgdAssContCadItem, "ACITVALOREXCEDENTE")) {
        SelecionaContadoresContrato(itens.fieldByName("ACITCODIGO")->asInteger(), dmTecContrato->quCtrCadastroItCo);
    }
}

void TfmAssContCad::mmComposiodoItemClick() { uAssContCad::ShowJanela("fmAssContCadCM"); }

void TfmAssContCad::dbgdAssContCadEquipEditButtonClick()
{
    if (!campoDaColuna(dbgdAssContCadEquip, "AECODIGO"))
        return;
    int codigo = 0;
    QString descricao;
    if (!SelecionaEquipamento(codigo, descricao))
        return;
    Dataset& equipamentos = *dmTecContrato->quCtrCadastroEquip;
    editar(equipamentos);
    equipamentos.fieldByName("AECODIGO")->setAsInteger(codigo);
}

void TfmAssContCad::dbgdAssContCadVeiculoEditButtonClick()
{
    Dataset& veiculos = *dmTecContrato->quCtrVeiculo;
    if (campoDaColuna(dbgdAssContCadVeiculo, "ACEVADITIVONUMERO")) {
        uAssContCad::ShowJanela("fmAssContAditivo");
    } else if (campoDaColuna(dbgdAssContCadVeiculo, "EVPLACA")) {
        AbreMovimentoKMVeiculo(0, veiculos.fieldByName("EVCODIGO")->asInteger());
    } else if (campoDaColuna(dbgdAssContCadVeiculo, "EVCODIGO")) {
        // The rental units' search belongs to the code's button.
        QString codigo, modelo, serie;
        if (!SelecionaPesquisaGeral(46, "EVCODIGO", "EVMODELO", "EVNSNUMERO", codigo, modelo, serie))
            return;
        editar(veiculos);
        veiculos.fieldByName("EVCODIGO")->setAsInteger(codigo.toInt());
        veiculos.fieldByName("EVMODELO")->setAsString(modelo);
        veiculos.fieldByName("EVNSNUMERO")->setAsString(serie);
    }
}

void TfmAssContCad::dbgdAssContCadAcompanhamentoEditButtonClick()
{
    if (!campoDaColuna(dbgdAssContCadAcompanhamento, "RESUMIDA"))
        return;
    QString codigo, mensagem1, mensagem2;
    if (!SelecionaPesquisaGeral(12, "CODIGO", "MENSAGEM_1", "MENSAGEM_2", codigo, mensagem1, mensagem2))
        return;
    const QString texto = CarregaDado("DESCRICAO", "ALFC2601", "WHERE CODIGO = " + QuotedStr(codigo));
    Dataset& contatos = *dmTecContrato->quCtrContato;
    editar(contatos);
    contatos.fieldByName("MGCODIGO")->setAsString(codigo);
    host::data::Field* resumida = contatos.fieldByName("RESUMIDA");
    resumida->setAsString(resumida->asString() + " " + texto + " " + mensagem1 + " " + mensagem2);
    contatos.post();
}
