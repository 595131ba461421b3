// The rental register of option "E": life cycle, the header data change
// with its history lists, the item grids' buttons and colours, and the
// re-instalment panel.

#include "host/ui/Errors.h"
#include "rental/uAssContLocEquipCad.h"

#include "rental/uAssContLocRegras.h"

#include "contract_data/uDataTecCont.h"
#include "contract_data/uDataTecContLocacao.h"

#include "host/PilvOut70.h"
#include "host/PilvPro70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Upesqprod.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/EditControls.h"
#include "host/ui/PageControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <exception>

using host::data::Dataset;

host::ui::FormVar<TfmAssContCadLocEquip> fmAssContCadLocEquip("fmAssContCadLocEquip");

TfmAssContCadLocEquip::TfmAssContCadLocEquip(QWidget* parent) : TfmAssContLocBase(parent)
{
    setCaption("Contratos de Locação de Equipamentos");
    resize(900, 680);
    montarTela();
    ligarComum();
    ligarEventos();
    ligarCiclo();
}

std::vector<host::ui::DataGrid*> TfmAssContCadLocEquip::gradesLayout() const
{
    return {dbgdAssContCadLocEquipItens, dbgdAssContCadLocEquiParcelas, dbgdAssContCadLocEquipCompl,
            dbgdAssContratoEquipVinc};
}

// ---- life cycle ----

void TfmAssContCadLocEquip::FormCreate()
{
    if (!contrato().active())
        CarregaContrato(0);
    dbedDiasContrato->setVisible(parametroLoc("ATMODOPEDIDOASSISTENCIA") == "E");
    CarregarConfiguracaoJanela(this, bModoZeltoControlAtivo, false, {});
    for (host::ui::DataGrid* grade : gradesLayout())
        SalvarConfiguracaoDBGrid(grade, true);
}

void TfmAssContCadLocEquip::FormShow()
{
    pcItensContrato->setActivePage(tsDadosAdicionais);
    CarregaListaTipos();
    CarregaListaPeriodo();
    if (!dmGlobal->quVendedor->active())
        dmGlobal->quVendedor->open();
}

void TfmAssContCadLocEquip::FormActivate()
{
    dmGlobal->CarregaListaClientes();
    dmGlobal->CarregaBancos();
}

void TfmAssContCadLocEquip::FormClose()
{
    fecharDatasets();
    SalvarConfiguracaoJanela(this, bModoZeltoControlAtivo);
    for (host::ui::DataGrid* grade : gradesLayout())
        SalvarConfiguracaoDBGrid(grade, false);
}

void TfmAssContCadLocEquip::aposNovo()
{
    CarregaListaTipos();
    CarregaListaPeriodo();
}

// ---- header data change and history lists ----

void TfmAssContCadLocEquip::dsCtrCadastroDataChange()
{
    if (!contrato().active())
        return;
    const QString contratante = contrato().fieldByName("ACCONTRATANTE")->asString().trimmed();
    if (!contratante.isEmpty()) {
        CarregaListaProjetos(contratante);
        CarregaListaPedidosCliente(contratante);
        CarregaListaParcelaPedidoCliente(contratante);
        CarregaListaParcelaTiposVcto();
    }
    dadosCabecalhoAlterados();
}

void TfmAssContCadLocEquip::dsReceberDataChange()
{
    if (!contrato().active())
        return;
    CarregaListaParcelaPedidoCliente(contrato().fieldByName("ACCONTRATANTE")->asString().trimmed());
    CarregaListaParcelaTiposVcto();
}

namespace {

// The non-empty values a statement lists; the contractor by parameter, so
// that the text stays the same from one contract to the next and is kept
// prepared (the lists are read again whenever the contract changes).
QStringList valoresListaLocEquip(const QString& sql, const QString* contratante)
{
    host::db::Statement& st = dmGlobal->ComandoPreparado(sql);
    if (contratante)
        st.setParam("CONTRATANTE", *contratante);
    st.execute();
    QStringList valores;
    while (st.fetch())
        if (!st.isNull(0) && !st.value(0).toString().isEmpty())
            valores << st.value(0).toString();
    return valores;
}

// The first 30 distinct non-empty values of a contract column, in order,
// of every contract or of the contractor's.
QStringList historicoContratoLocEquip(const char* coluna, const QString* contratante)
{
    const QString nome = QString::fromLatin1(coluna);
    QString sql = "select first 30 " + nome + " from aatc05ac where ACCODIGO is not null and " + nome + " <> ''";
    if (contratante)
        sql += " and ACCONTRATANTE = :CONTRATANTE";
    sql += " group by " + nome + " order by " + nome;
    return valoresListaLocEquip(sql, contratante);
}

void trocaListaLocEquip(host::ui::DataComboBox* combo, const QStringList& itens)
{
    // The typed value stays: only the list changes.
    combo->setPickList(itens);
}

}  // namespace

void TfmAssContCadLocEquip::CarregaListaTipos()
{
    // The types a user may choose, not only those the stored contracts carry.
    trocaListaLocEquip(dbcbTipoDesc, TdmTecContrato::TiposContrato());
}

void TfmAssContCadLocEquip::CarregaListaPeriodo()
{
    trocaListaLocEquip(dbcbPeriodoDesc, historicoContratoLocEquip("ACPERIODODESC", nullptr));
}

void TfmAssContCadLocEquip::CarregaListaProjetos(const QString& contratante)
{
    trocaListaLocEquip(dbcbProjeto, historicoContratoLocEquip("ACDESCRICAO", &contratante));
}

void TfmAssContCadLocEquip::CarregaListaPedidosCliente(const QString& contratante)
{
    const QStringList itens = historicoContratoLocEquip("ACPEDIDOCLIENTE", &contratante);
    trocaListaLocEquip(dbcbPedidoCliente, itens);
    const QString digitado = cbReparcelaPedCliente->currentText();
    cbReparcelaPedCliente->clear();
    cbReparcelaPedCliente->addItems(itens);
    cbReparcelaPedCliente->setCurrentText(digitado);
}

void TfmAssContCadLocEquip::CarregaListaParcelaPedidoCliente(const QString& contratante)
{
    // The list goes into the grid's customer-order column, which only a saved layout adds.
    host::ui::GridColumn* coluna = dbgdAssContCadLocEquiParcelas->columnByField("CRPEDIDOCLI");
    if (!coluna || contratante.isEmpty())
        return;
    try {
        coluna->setPickList(valoresListaLocEquip("select first 30 CRPEDIDOCLI from acrc5001"
                                                 " where NUMERO_DOCUMENTO is not null and CRPEDIDOCLI <> ''"
                                                 " and CODIGO_CLIENTE = :CONTRATANTE"
                                                 " group by CRPEDIDOCLI order by CRPEDIDOCLI",
                                                 &contratante));
    } catch (const std::exception&) {
        dmGlobal->MostraErro("Erro ao carregar lista dos Pedidos do Cliente.\r" +
                             host::ui::exceptionMessage(std::current_exception()));
    }
}

// ---- item grids ----

void TfmAssContCadLocEquip::gradeItensBotao(host::ui::DataGrid* grade, bool complemento)
{
    host::ui::GridColumn* coluna = grade->selectedColumn();
    if (!coluna)
        return;
    const QString campo = coluna->fieldName().toUpper();
    Dataset& itens = *dmTecContrato->quCtrCadastroIt;
    if (campo == "PRCODIGO") {
        QString codigo, descricao;
        double preco = 0, estoque = 0, reservado = 0, promocional = 0, custo = 0;
        if (!SelecionaProduto(codigo, descricao, preco, estoque, reservado, promocional, custo))
            return;
        if (!itens.editing())
            itens.edit();
        itens.fieldByName("PRCODIGO")->setAsString(codigo);
        itens.fieldByName("ACITCOMPLEMENTO")->setAsString(complemento ? "S" : "N");
    } else if (campo == "DESCRICAO") {
        // The item's text is keyed by its code: the row is stored first.
        // Equipment and complements keep it as kind "Y", which the contract
        // printout and the shipment invoice read; under kind "U" a complement
        // coded 1 or 2 would write over the contract's own notes.
        SalvarAlteracoes(complemento ? static_cast<Dataset&>(itens) : static_cast<Dataset&>(contrato()));
        if (!complemento)
            SalvarAlteracoes(itens);
        dmGlobal->InserirObservacaoAdicional("obTexto", QString::number(codigoContrato()), "Y",
                                             itens.fieldByName("ACITCODIGO")->asInteger(), dmGlobal->quObsGeral,
                                             false, 0, {});
    } else if (campo == "ACITNUMEROSERIE" && parametroLoc("ATMODOPEDIDOASSISTENCIA") == "C") {
        const int contratoItem = itens.fieldByName("ACCODIGO")->asInteger();
        QString numeros;
        SelecionaNumerosSerie(complemento ? "I" : "", itens.fieldByName("PRCODIGO")->asString(),
                              " and ACCODIGO = " + QString::number(contratoItem), {}, {}, {}, {}, contratoItem, 0,
                              numeros, 0, 0, 0, 0, 0, 0, 0, 0);
    }
}

void TfmAssContCadLocEquip::dbgdAssContCadLocEquipItensEditButtonClick()
{
    gradeItensBotao(dbgdAssContCadLocEquipItens, false);
}

void TfmAssContCadLocEquip::dbgdAssContCadLocEquipComplEditButtonClick()
{
    gradeItensBotao(dbgdAssContCadLocEquipCompl, true);
}

void TfmAssContCadLocEquip::laAbrirCfgequipClick()
{
    Dataset& itens = *dmTecContrato->quCtrCadastroIt;
    if (!itens.active() || itens.isEmpty())
        return;
    const QString produto = itens.fieldByName("PRCODIGO")->asString();
    // Modal: the register stays on top of a window opened beside it.
    AbrirComposicao(produto, {}, true);
    dmGlobal->CarregarProduto(produto);
}

// ---- re-instalment panel ----

void TfmAssContCadLocEquip::LimparReparcelamento()
{
    for (host::ui::DateEdit* data : {deReparcelaVcto, deReparcelaVigDe, deReparcelaVigAte, deReparcelaDtEmissao})
        data->setDate({});
    maReparcelaQtde->clear();
    ceReparcelaVlrBoleto->setValue(0);
    cbReparcelaPedCliente->setCurrentText({});
    ckReparcelaUltDiaMes->setChecked(false);
}

void TfmAssContCadLocEquip::antesCarregarPagina(host::ui::TabSheet* pagina)
{
    if (pagina == tsParcelas)
        LimparReparcelamento();
}

void TfmAssContCadLocEquip::ckReparcelaUltDiaMesClick()
{
    const QDate de = deReparcelaVigDe->date().date();
    if (!de.isValid()) {
        ckReparcelaUltDiaMes->setChecked(false);
        return;
    }
    ckReparcelaUltDiaMes->setChecked(true);
    deReparcelaVigAte->setDate(
        host::db::localDateTime(QDate::fromString(uAssContLoc::UltimoDiaMesTexto(de), "dd/MM/yyyy")));
}

void TfmAssContCadLocEquip::deReparcelaDtEmissaoChange()
{
    if (uAssContLoc::EmissaoAntesDeHoje(deReparcelaDtEmissao->date().date(), uDataTecContLocacao::agora().date()))
        dmGlobal->MostraAviso("Aviso: operação abortada.\rData de Emissão deve ser maior ou igual a Data atual!", true);
}

void TfmAssContCadLocEquip::deReparcelaVctoChange()
{
    if (uAssContLoc::VencimentoAntesDaEmissao(deReparcelaDtEmissao->date().date(), deReparcelaVcto->date().date()))
        dmGlobal->MostraAviso("Aviso: operação abortada.\rData de Vencimento deve ser maior que a Data de Emissão!",
                              true);
}
