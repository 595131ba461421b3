// The rental registers' shared life cycle, record buttons, browsing and
// search, the contractor, customer and manager searches, the header data
// change, the page loaders and the note rows.

#include "rental/uAssContLocComum.h"

#include "rental/uAssContLocRegras.h"
#include "rental/uPesqAssContratosLocEquip.h"

#include "contract_data/uDataTecCont.h"
#include "contract_data/uDataTecContLocacao.h"
#include "contract_data/uDataTecContRegras.h"

#include "host/Uautorizacao.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Upesqcli.h"
#include "host/Upesqforn.h"
#include "host/Upesqgeral.h"
#include "host/Uprincipal.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/Errors.h"
#include "host/ui/PageControl.h"
#include "host/ui/SearchWindow.h"

#include <QPushButton>

#include <exception>

using host::data::Dataset;

TfmAssContLocBase::TfmAssContLocBase(QWidget* parent) : host::ui::Form(parent)
{
    uDataTecContRegras::ExigeModulosContrato();
    setStayOnTop(true);
    setCentered(true);
    TdmTecContrato& dm = *dmTecContrato;
    dsCtrCadastro = fonte("dsCtrCadastro", dm.quCtrCadastro);
    dsCtrCadastroIt = fonte("dsCtrCadastroIt", dm.quCtrCadastroIt);
    dsContratoVin = fonte("dsContratoVin", dm.quContratoVin);
    dsReceber = fonte("dsReceber", dmGlobal->quReceber);
    dsObsSR = fonte("dsObsSR", nullptr);
    dsObsAdic = fonte("dsObsAdic", nullptr);
    dsClienteConsulta = fonte("dsClienteConsulta", dmGlobal->quClienteLista);
    dsBanco = fonte("dsBanco", dmGlobal->quBanco);
    dsVendedor = fonte("dsVendedor", dmGlobal->quVendedor);
}

TfmAssContLocBase::~TfmAssContLocBase()
{
    receber_.devolver();
    destroyControls();
    fontes_.clear();
}

host::data::DataSource* TfmAssContLocBase::fonte(const char* nome, Dataset* dataset)
{
    fontes_.push_back(std::make_unique<host::data::DataSource>(nullptr, nome, dataset));
    return fontes_.back().get();
}

host::data::Query& TfmAssContLocBase::contrato() const { return *dmTecContrato->quCtrCadastro; }

int TfmAssContLocBase::codigoContrato() const
{
    return contrato().active() ? dmTecContrato->quCtrCadastroACCODIGO->asInteger() : 0;
}

bool TfmAssContLocBase::editando() const { return contrato().editing(); }

QString TfmAssContLocBase::parametroLoc(const char* nome) const
{
    return dmGlobal->Parametro(nome).trimmed().toUpper();
}

void TfmAssContLocBase::primeiraPagina() { pcItensContrato->setActivePage(pcItensContrato->page(0)); }

void TfmAssContLocBase::carregarContrato(int codigo)
{
    // The reload drops the rows shown: what is being typed is stored first.
    gravarTudo();
    CarregaContrato(codigo);
    primeiraPagina();
}

void TfmAssContLocBase::editarContrato()
{
    if (!editando())
        contrato().edit();
}

// A header being edited is saved on "Sim" only; outside editing the rows
// typed in the grids are stored, as leaving the row would store them.
void TfmAssContLocBase::perguntaSalvar(bool comNotas)
{
    if (editando() && MostraPergunta("Deseja salvar as alterações ?", {"Sim", "Não"}) != "Sim")
        return;
    gravarTudo();
    if (comNotas)
        SalvarAlteracoes(*dmGlobal->quObsGeral);
}

void TfmAssContLocBase::gravarTudo()
{
    SalvarAlteracoes(contrato());
    SalvarAlteracoes(*dmTecContrato->quCtrCadastroIt);
    saveChanges();
}

// ---- closing ----

void TfmAssContLocBase::fecharDatasets()
{
    perguntaSalvar(false);
    receber_.devolver();
    for (Dataset* d : {static_cast<Dataset*>(dmGlobal->quBanco), static_cast<Dataset*>(&contrato()),
                       static_cast<Dataset*>(dmTecContrato->quCtrCadastroIt),
                       static_cast<Dataset*>(dmGlobal->quReceber)})
        d->close();
}

// ---- navigation and record buttons ----

void TfmAssContLocBase::btContratoAntClick()
{
    carregarContrato(
        RegistroAnteriorProximo("AATC05AC", "ACCODIGO", "<", QString::number(codigoContrato()), {}, {}, false).toInt());
}

void TfmAssContLocBase::btContratoProxClick()
{
    carregarContrato(
        RegistroAnteriorProximo("AATC05AC", "ACCODIGO", ">", QString::number(codigoContrato()), {}, {}, false).toInt());
}

void TfmAssContLocBase::btPesqContratoClick()
{
    int codigo = 0;
    QString numero;
    if (!uPesqAssContratosLocEquip::SelecionaContrato(codigo, numero))
        return;
    if (codigo < 1)
        dmGlobal->MostraAviso("Código inválido", true);
    carregarContrato(codigo);
}

void TfmAssContLocBase::btNovoClick()
{
    perguntaSalvar(false);
    InserirRegistro(contrato());
    dbedNumeroContrato->setFocus();
    primeiraPagina();
    aposNovo();
}

void TfmAssContLocBase::btSalvarClick() { perguntaSalvar(true); }

void TfmAssContLocBase::btCancelarClick() { CancelarAlteracoes(contrato()); }

void TfmAssContLocBase::btExcluirClick()
{
    const QString senha = dmGlobal->Parametro("ATSENHAEXCLUSAOPEDIDO");
    if (uAssContLoc::PedeSenhaExclusao(senha)) {
        QString digitada;
        SelecionaSenha("Senha para Exclusão", "Informe a senha para exclusão do Contrato.", digitada);
        if (!uAssContLoc::SenhaExclusaoConfere(senha, digitada))
            dmGlobal->MostraAviso("Aviso: operação abortada.\rA senha informada é inválida!", true);
    }
    // "Não" keeps the contract as typed: nothing is reloaded.
    if (!ExcluirRegistro(contrato()))
        return;
    CarregaContrato(0);
    CarregaContratoEquipamento(0);
    primeiraPagina();
}

void TfmAssContLocBase::btSairClick() { close(); }

// ---- searches and registers ----

namespace {

void escolheClienteLoc(Dataset& cabecalho, const char* campo)
{
    if (!cabecalho.editing())
        cabecalho.edit();
    QString nome, codigo, fantasia;
    if (SelecionaCliente(nome, codigo, fantasia))
        cabecalho.fieldByName(campo)->setAsString(codigo);
}

void abrirCadastroClienteLoc(const QString& codigo)
{
    const QString tipo = CarregaDado("PESSOA_FISICAOUJURIDICA", "Augc0301", "Where codigo_cliente = " + QuotedStr(codigo));
    if (fmPrincipal)
        fmPrincipal->AbrirCadastro(tipo == "F" ? "PF" : "PJ", codigo);
    dmGlobal->CarregaCliente(codigo);
}

}  // namespace

void TfmAssContLocBase::btPesqContratanteClick() { escolheClienteLoc(contrato(), "ACCONTRATANTE"); }

void TfmAssContLocBase::btPesqClienteClick() { escolheClienteLoc(contrato(), "CLCODIGO"); }

void TfmAssContLocBase::laAbrirDadosContratanteClick()
{
    abrirCadastroClienteLoc(contrato().fieldByName("ACCONTRATANTE")->asString());
}

void TfmAssContLocBase::laAbrirDadosClienteClick()
{
    abrirCadastroClienteLoc(contrato().fieldByName("CLCODIGO")->asString());
}

QString TfmAssContLocBase::pesquisaFornecedor(const QString& tipo, bool* escolheu)
{
    QString codigo, tipoEscolhido = tipo;
    *escolheu = SelecionaFornecedor(codigo, tipoEscolhido, parametroLoc("ATPESQUISAGERENTE") != "N");
    return codigo;
}

void TfmAssContLocBase::sbPesqRespClick()
{
    bool escolheu = false;
    const QString codigo = pesquisaFornecedor({}, &escolheu);
    if (!escolheu)
        return;
    editarContrato();
    contrato().fieldByName("ACRESPONSAVEL")->setAsString(codigo);
    dblcDadosGerente->setKeyValue(codigo);
}

void TfmAssContLocBase::dbgdAssContratoEquipVincEditButtonClick()
{
    QString v1, v2, v3;
    if (!SelecionaPesquisaGeral(68, "acCodigo", "acCodigo", "acCodigo", v1, v2, v3))
        return;
    Dataset& vinculos = *dmTecContrato->quContratoVin;
    if (!vinculos.editing())
        vinculos.edit();
    vinculos.fieldByName("ACCODIGOCOMPLEMENTO")->setAsInteger(v1.toInt());
}

// Both exits ask the days of validity in equipment-rental mode.
void TfmAssContLocBase::dbedDataInicioExit()
{
    if (parametroLoc("ATMODOPEDIDOASSISTENCIA") != "E")
        return;
    int dias = 0;
    SelecionaValorInteiro("Entrada Dados", "Informe o(s) dia(s) para Final Vigência.", dias);
    editarContrato();
    const QDateTime termino =
        uAssContLoc::TerminoPorDias(contrato().fieldByName("ACDATAIMPLANTACAO")->asDateTime(), dias);
    if (!termino.isValid() || !editando())
        return;
    contrato().fieldByName("ACDIASCONTRATO")->setAsInteger(dias);
    contrato().fieldByName("ACDATAVALIDADE")->setAsDateTime(termino);
}

void TfmAssContLocBase::dbedDataTerminoExit() { dbedDataInicioExit(); }

Dataset& TfmAssContLocBase::itensAtuais() const { return *dmTecContrato->quCtrCadastroIt; }

void TfmAssContLocBase::laVisualizarJustificativaClick()
{
    Dataset& itens = itensAtuais();
    const int item = itens.active() && !itens.isEmpty() ? itens.fieldByName("ACITCODIGO")->asInteger() : 0;
    dmGlobal->InserirObservacaoAdicional("obTexto", QString::number(codigoContrato()) + "J", "U", item,
                                         dmGlobal->quObsGeral, false, 0, "Justificativa Entrada Equipamento");
}

void TfmAssContLocBase::dbgdGradeTitleClick(host::ui::DataGrid* grade, host::ui::GridColumn& coluna)
{
    host::ui::sortByColumn(*grade, coluna);
}

void TfmAssContLocBase::ItemDevolvidoDrawColumnCell(Dataset& itens, host::ui::CellStyle& style)
{
    if (!itens.active() || itens.isEmpty())
        return;
    if (itens.fieldByName("ACITRETORNO")->asString() == "S") {
        style.background = QColor(255, 255, 170);
        style.foreground = Qt::black;
    }
}

// ---- header data change ----

void TfmAssContLocBase::dadosCabecalhoAlterados()
{
    if (!contrato().active())
        return;
    const uAssContLoc::ColunasVinculo vinculo =
        uAssContLoc::ColunasContratosVinculados(contrato().fieldByName("ACVINCULO")->asString());
    if (vinculo.muda) {
        for (int i = 0; i < 3; ++i)
            dbgdAssContratoEquipVinc->column(i)->setFieldName(vinculo.campos[i]);
        dbgdAssContratoEquipVinc->setReadOnlyGrid(vinculo.somenteLeitura);
    }
    AtualizarRetirada();
}

// ---- pages ----

void TfmAssContLocBase::carregarPagina(host::ui::TabSheet* pagina)
{
    using uAssContLoc::CargaPagina;
    const CargaPagina carga = uAssContLoc::CargaDaPagina(pagina ? pagina->objectName() : QString());
    antesCarregarPagina(pagina);
    const int codigo = codigoContrato();
    const QString pedido = contrato().active() ? contrato().fieldByName("ACPEDIDO")->asString() : QString();
    const QString vinculo = contrato().active() ? contrato().fieldByName("ACVINCULO")->asString() : QString();
    if (carga == CargaPagina::ObsSR || carga == CargaPagina::ObsAdicionais) {
        const bool boletos = carga == CargaPagina::ObsSR;
        (boletos ? dsObsAdic : dsObsSR)->setDataset(nullptr);
        (boletos ? dsObsSR : dsObsAdic)->setDataset(dmGlobal->quObsGeral);
        try {
            uAssContLoc::CarregaPaginaContrato(carga, codigo, pedido, vinculo);
        } catch (const std::exception&) {
            dmGlobal->MostraErro("Erro: " + host::ui::exceptionMessage(std::current_exception()));
        }
    } else if (carga == CargaPagina::Parcelas) {
        receber_.emprestar();
        uAssContLoc::CarregaPaginaContrato(carga, codigo, pedido, vinculo);
    } else if (carga != CargaPagina::Nenhuma) {
        uAssContLoc::CarregaPaginaContrato(carga, codigo, pedido, vinculo);
    }
}

void TfmAssContLocBase::pcItensContratoChange()
{
    // A note typed on the page left is saved before the next page reopens
    // the notes' dataset (which drops what is pending), and again after
    // every page change, also after a failed load.
    SalvarAlteracoes(*dmGlobal->quObsGeral);
    host::ui::runGuarded([this] { carregarPagina(pcItensContrato->activePage()); });
    SalvarAlteracoes(*dmGlobal->quObsGeral);
}

namespace {

void novaNotaLoc(Dataset& obs, int contrato, int sequencia)
{
    if (obs.state() != host::data::DatasetState::Insert || !obs.fieldByName("OBCODIGO")->isNull())
        return;
    obs.fieldByName("OBCODIGO")->setAsString(QString::number(contrato));
    obs.fieldByName("OBID")->setAsString("U");
    obs.fieldByName("OBSEQUENCIA")->setAsInteger(sequencia);
}

}  // namespace

void TfmAssContLocBase::dsObsSRDataChange()
{
    if (dsObsSR->dataset())
        novaNotaLoc(*dsObsSR->dataset(), codigoContrato(), 1);
}

void TfmAssContLocBase::dsObsAdicDataChange()
{
    if (dsObsAdic->dataset())
        novaNotaLoc(*dsObsAdic->dataset(), codigoContrato(), 2);
}
