// The contract register's life cycle (creation, show, activation,
// deactivation, close), its record buttons and browsing.

#include "contracts/uAssContCad.h"

#include "contracts/uAssContCadRegras.h"
#include "contract_data/uDataTecCont.h"
#include "contract_data/uDataTecContRegras.h"
#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Urelatorio.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/Components.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"
#include "shared_windows/uPesqAssEquipamento.h"

#include <QGroupBox>
#include <QMenu>
#include <QPushButton>

host::ui::FormVar<TfmAssContCad> fmAssContCad("fmAssContCad");

TfmAssContCad::TfmAssContCad(QWidget* parent) : host::ui::Form(parent)
{
    uDataTecContRegras::ExigeModulosContrato();
    setCaption("Cadastro de Contratos");
    setStayOnTop(true);
    setCentered(true);
    setKeyPreview(true);
    resize(697, 647);
    montarTela();
    ligarEventos();
    onCreate = [this] { FormCreate(); };
    onShow = [this] { FormShow(); };
    onActivate = [this] { FormActivate(); };
    onDeactivate = [this] { FormDeactivate(); };
    onKeyDown = [this](int& key, Qt::KeyboardModifiers shift) { FormKeyDown(key, shift); };
    onSaveChanges = [this] { bbSalvarClick(); };
    onClose = [this](host::ui::CloseAction& action) {
        FormClose();
        action = host::ui::CloseAction::Free;
    };
    // The equipment picker presets this register's contract customer through this while the window lives.
    uPesqAssEquipamento::ClienteContratoEmCadastro = [] {
        return fmAssContCad && dmTecContrato ? dmTecContrato->quCtrCadastro->fieldByName("ACCONTRATANTE")->asString()
                                             : QString();
    };
}

TfmAssContCad::~TfmAssContCad()
{
    if (!fmAssContCad.get() || fmAssContCad.get() == this)
        uPesqAssEquipamento::ClienteContratoEmCadastro = nullptr;
    devolverReceber();
    destroyControls();   // before the history query
    fontes_.clear();
    delete quHistCR;
}

host::data::Query& TfmAssContCad::contrato() const { return *dmTecContrato->quCtrCadastro; }

int TfmAssContCad::codigoContrato() const { return dmTecContrato->quCtrCadastroACCODIGO->asInteger(); }

void TfmAssContCad::primeiraPagina() { pcContrato->setActivePage(pcContrato->page(0)); }

void TfmAssContCad::carregarContrato(int codigo)
{
    // The reload drops the rows shown: what is being typed is stored first.
    saveChanges();
    CarregaContrato(codigo);
    primeiraPagina();
}

void TfmAssContCad::PrepararOpcaoSituacao()
{
    auto query = CriarIbQuery();
    query->setSql("select first 10 ACSITUACAOOBS from aatc05ac  Where not(ACSITUACAOOBS is null) Group by "
                  "ACSITUACAOOBS ");
    QStringList itens = dbcbSituacao->pickList();
    for (query->open(); !query->eof(); query->next())
        itens << query->field(0)->text();
    dbcbSituacao->setPickList(itens);
    dbcbTipoDesc->setPickList(TdmTecContrato::TiposContrato());
}

void TfmAssContCad::FormCreate()
{
    PrepararOpcaoSituacao();
    CarregaContrato(0);
    primeiraPagina();
    tsVeiculos->setTabVisible(parametroMaiusculo("ATMODOVEICULO") == "O" || parametroMaiusculo("ATSITUACAOPORITEM") == "S" ||
                              parametroMaiusculo("ATSITUACAOPORITEM") == "I");
    CarregarConfiguracaoJanela(this, bModoZeltoControlAtivo, false, "");
    for (host::ui::DataGrid* grade : {dbgdAssContCadItem, dbgdAssContCadClientes, dbgdAssContCadAcompanhamento})
        SalvarConfiguracaoDBGrid(grade, true);
    if (tsVeiculos->tabVisible())
        SalvarConfiguracaoDBGrid(dbgdAssContCadVeiculo, true);
    primeiraPagina();
    if (const int situacao = RetornaColuna("ACITSITUACAO", dbgdAssContCadItem); situacao != -1)
        dbgdAssContCadItem->column(situacao)->setPickList(CarregaVariosDados(" DISTINCT ACITSITUACAO ", "AATC05ACIT",
                                                 "Where (ACITSITUACAO <>'') and not(ACITSITUACAO is null) Order by "
                                                 "ACITSITUACAO ",
                                                 "\n")
                                  .split('\n', Qt::SkipEmptyParts));
    grpFranquia->setVisible(parametroMaiusculo("ATOPCAOCONTRATO") == "C");
}

void TfmAssContCad::FormShow()
{
    SalvarConfiguracaoDBGrid(dbgdContRecAberto, true);
    SalvarConfiguracaoDBGrid(dbgdAssContCadVeiculo, true);
    paBotoesItens->setVisible(false);
    if (parametroMaiusculo("ATOPCAOCONTRATO") == "T")
        paBotoesItens->setVisible(true);
    for (host::ui::DataGrid* grade : {dbgdContratoVinc, dbgdAssContCadClientes, dbgdContRecAberto,
                                      dbgdAssContCadAcompanhamento, dbgdAssContCadItem, dbgdAssContCadEquip,
                                      dbgdAssContCadVeiculo})
        if (dmGlobal->puGeral)
            host::ui::setPopupMenu(grade, dmGlobal->puGeral);
    if (dmGlobal->puPesq)
        host::ui::setPopupMenu(dbgdHistorico, dmGlobal->puPesq);
    if (dmGlobal->ParametroInteiro("ATMODOCOMPOSICAO") == 2)
        host::ui::setPopupMenu(dbgdAssContCadVeiculo, ppMenuContratoItens);
}

void TfmAssContCad::FormActivate()
{
    dmGlobal->CarregaListaClientes();
    dmGlobal->CarregaListaFornecedores();
    dmGlobal->CarregaContasCaixa();
    dmGlobal->CarregaBancos();
    for (host::data::Dataset* lista : {static_cast<host::data::Dataset*>(dmTec->quAssHistorico),
                                       static_cast<host::data::Dataset*>(dmTecContrato->quPesqIndice)})
        if (!lista->active())
            lista->open();
    dmTec->UsarHoraTecnica(this);
}

void TfmAssContCad::FormDeactivate()
{
    devolverReceber();
    for (host::data::Dataset* lista :
         {static_cast<host::data::Dataset*>(dmGlobal->quClienteLista),
          static_cast<host::data::Dataset*>(dmGlobal->quFornecedorLista),
          static_cast<host::data::Dataset*>(dmGlobal->quBanco),
          static_cast<host::data::Dataset*>(dmTec->quAssHistorico),
          static_cast<host::data::Dataset*>(dmTecContrato->quCtrCobertura),
          static_cast<host::data::Dataset*>(dmTecContrato->quPesqIndice)})
        lista->close();
    // The order window may still list the hour types.
    dmTec->LargarHoraTecnica(this);
}

void TfmAssContCad::FormClose()
{
    TdmTecContrato& dm = *dmTecContrato;
    // Closing drops the datasets: what was typed is stored first, and a
    // refused row keeps the window open on it.
    const bool cabecalhoEditado = contrato().editing();
    if (dm.CtrSalvarPendentesAoFechar() && !cabecalhoEditado)
        verificaValorItens();
    devolverReceber();
    for (host::data::Dataset* d : {static_cast<host::data::Dataset*>(dmGlobal->quReceber),
                                   static_cast<host::data::Dataset*>(dm.quCtrCadastro),
                                   static_cast<host::data::Dataset*>(dm.quCtrCadastroIt),
                                   static_cast<host::data::Dataset*>(dm.quCtrCadastroEquip),
                                   static_cast<host::data::Dataset*>(dm.quCtrObjeto),
                                   static_cast<host::data::Dataset*>(dm.quCtrContato),
                                   static_cast<host::data::Dataset*>(dmGlobal->quCXContas),
                                   static_cast<host::data::Dataset*>(dm.quContratoCli)})
        d->close();
    SalvarConfiguracaoJanela(this, bModoZeltoControlAtivo);
    SalvarConfiguracaoDBGrid(dbgdAssContCadClientes, false);
    SalvarConfiguracaoDBGrid(dbgdAssContCadItem, false);
    release();
    fmAssContCad.clear();
}

// ---- the instalments' guards lent by the window ----

void TfmAssContCad::quReceberAntesDelete(host::data::Dataset& dataset) { uDataTecContRegras::ReceberAntesExcluir(dataset); }

void TfmAssContCad::emprestarReceber() { receber_.emprestar(); }

void TfmAssContCad::devolverReceber() { receber_.devolver(); }

// ---- record buttons ----

void TfmAssContCad::bbNovoClick()
{
    dbcbTipoDesc->setPickList(TdmTecContrato::TiposContrato());
    InserirRegistro(contrato());
    dbedNumeroContrato->setFocus();
    primeiraPagina();
}

// The item row still in edit counts in the header's instalment value: it
// goes first. A header being edited takes the new value on its post; one
// already stored (an item stores a new contract before itself) is offered it.
void TfmAssContCad::bbSalvarClick()
{
    const bool cabecalhoEditado = contrato().editing();
    if (dmTecContrato->CtrSalvarItensPendentes() && !cabecalhoEditado)
        verificaValorItens();
    SalvarAlteracoes(contrato());
    saveChanges();   // the other grids' rows being typed
}

void TfmAssContCad::bbCancelarClick() { CancelarAlteracoes(contrato()); }

void TfmAssContCad::bbExcluirClick()
{
    // "Não" keeps the contract as typed: nothing is reloaded.
    if (ExcluirRegistro(contrato()))
        carregarContrato(-1);
}

void TfmAssContCad::bbRelatorioClick() { QuerytoRelatorio(contrato(), true); }

void TfmAssContCad::bbSairClick() { close(); }

void TfmAssContCad::sbAntClick()
{
    carregarContrato(RegistroAnteriorProximo("AATC05AC", "ACCODIGO", "<", QString::number(codigoContrato())).toInt());
}

void TfmAssContCad::sbProxClick()
{
    carregarContrato(RegistroAnteriorProximo("AATC05AC", "ACCODIGO", ">", QString::number(codigoContrato())).toInt());
}
