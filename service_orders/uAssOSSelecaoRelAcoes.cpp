// The report selection's searches, its three buttons by report kind and the
// pickers beside the filters.

#include "service_orders/uAssOSSelecaoRel.h"

#include "data/uDataTec.h"
#include "data/udmRelTec.h"
#include "data/udmRelTecRelatorios.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Upesqcli.h"
#include "host/Upesqgeral.h"
#include "host/Upesqprod.h"
#include "host/data/Abort.h"
#include "host/data/Query.h"
#include "host/report/Uvisualrel.h"
#include "host/ui/Cursors.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/EditControls.h"
#include "service_orders/uAssClienteXEquipImp.h"
#include "service_orders/uAssOSSelecaoRelImp.h"
#include "service_orders/uAssOSSelecaoSituacaoRel.h"
#include "service_orders/uAssOSTotalCliImp.h"
#include "shared_windows/uPesqAssEquipamento.h"
#include "service_orders/uPesqAssOrdemServico.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

using namespace uAssOSSelecaoRel;

namespace {

const char* const kFalhaEfetuar = "Falha ao efetuar pesquisa";

// A printout freed when the print or preview returns, whatever happens.
template <class T>
struct LiberaRelatorioSelecao {
    host::ui::FormVar<T>& variavel;
    ~LiberaRelatorioSelecao()
    {
        if (T* aberto = variavel)
            aberto->release();
        variavel.clear();
    }
};

}  // namespace

// ---- search routines ----

void TfmAssOSSelecaoRel::executaPesquisa(host::data::Query& query, const QString& rotina, const QString& sql,
                                         const QString& aviso, const QString& detalheLog)
{
    const QString origem = "[TfmAssOSSelecaoRel." + rotina + "]";
    dmGlobal->Log(origem, "***INICIO");
    if (!detalheLog.isEmpty())
        dmGlobal->Log(origem, detalheLog);
    host::ui::WaitCursor ampulheta(host::ui::CursorShape::SqlWait);
    query.close();
    query.setSql(sql);
    if (bDetectarErroSQL)
        dmGlobal->MostraAvisoExtenso("SQL", sql, false, "Confirmação");
    if (aviso.isEmpty()) {
        query.open();
        query.recordCount();
        dmGlobal->Log(origem, "***FIM");
        return;
    }
    try {
        query.open();
        query.recordCount();
    } catch (...) {
        const std::exception_ptr falha = std::current_exception();
        if (OperacaoAbortada(falha))
            throw host::Abort();
        TratarExcecaoBanco("TfmAssOSSelecaoRel." + rotina, falha, sql);
        dmGlobal->Log(origem, "***FIM");
        dmGlobal->MostraAviso(aviso + "\r" + TratarExcecao(falha), true);
    }
    dmGlobal->Log(origem, "***FIM");
}

void TfmAssOSSelecaoRel::EfetuaPesquisaSelecaoOS(host::data::Query& query)
{
    executaPesquisa(query, "EfetuaPesquisaSelecaoOS", SqlSelecaoOS(Filtro()), kFalhaEfetuar);
}

void TfmAssOSSelecaoRel::EfetuaPesquisaSelecaoItemOS(host::data::Query& query)
{
    executaPesquisa(query, "EfetuaPesquisaSelecaoItemOS", SqlSelecaoItemOS(Filtro()), {});
}

void TfmAssOSSelecaoRel::EfetuaPesquisaSelecaoSituacao(host::data::Query& query)
{
    executaPesquisa(query, "EfetuaPesquisaSelecaoSituacao", SqlSelecaoSituacao(Filtro()), "Falha ao realizar pesquisa",
                    "DataSet:" + query.name());
}

void TfmAssOSSelecaoRel::EfetuaPesquisaClienteporEquipamento(host::data::Query& query)
{
    executaPesquisa(query, "EfetuaPesquisaClienteporEquipamento", SqlClienteporEquipamento(Filtro()), {});
}

void TfmAssOSSelecaoRel::EfetuaPesquisaTotalizadorCliente(host::data::Query& query)
{
    const QString sql = SqlTotalizadorCliente(Filtro());
    executaPesquisa(query, "EfetuaPesquisaTotalizadorCliente", sql, kFalhaEfetuar, sql);
}

// ---- buttons ----

void TfmAssOSSelecaoRel::bbPesquisarClick()
{
    switch (rgRelatorioOS->itemIndex()) {
    case 0:
        EfetuaPesquisaSelecaoOS(*quPesquisa);
        break;
    case 1:
        EfetuaPesquisaSelecaoSituacao(*quPesqSituacao);
        break;
    case 2:
        EfetuaPesquisaClienteporEquipamento(*quPesqCliEquip);
        break;
    case 3: {
        TqrAssOSTotalCliImp* relatorio = qrAssOSTotalCliImp.create();
        EfetuaPesquisaTotalizadorCliente(*relatorio->quRelTotCli);
        if (MostraPergunta("Deseja visualizar ou imprimir este relatório?", {"Visualizar", "Imprimir"}) ==
            "Visualizar")
            bbVisualizarClick();
        else
            bbImprimirClick();
        break;
    }
    default:
        break;
    }
}

void TfmAssOSSelecaoRel::bbVisualizarClick()
{
    switch (rgRelatorioOS->itemIndex()) {
    case 0:
        VisualizaItens();
        break;
    case 1:
        RelatorioSituacao(false);
        break;
    case 2:
        RelatorioClienteEquipamento(false);
        break;
    case 3:
        RelatorioTotalizador(false);
        break;
    default:
        break;
    }
}

void TfmAssOSSelecaoRel::bbImprimirClick()
{
    switch (rgRelatorioOS->itemIndex()) {
    case 0:
        ImprimeItens();
        break;
    case 1:
        RelatorioSituacao(true);
        break;
    case 2:
        RelatorioClienteEquipamento(true);
        break;
    case 3:
        RelatorioTotalizador(true);
        break;
    default:
        break;
    }
}

// ---- printouts ----

// The preview of the items goes through the report data module, over the
// per-item statement (no equipment, service or collection-date filter).
void TfmAssOSSelecaoRel::VisualizaItens()
{
    const QString resposta =
        MostraPergunta("Deseja visualizar tempo de serviço ou andamento?", {"Serviço", "Andamento"});
    if (!DmRelTec)
        DmRelTec.create(nullptr);
    EfetuaPesquisaSelecaoItemOS(*DmRelTec->qSelecaoItemOS);
    DmRelTec->frSelecaoItemOS->setVariable("Resposta", QuotedStr(resposta));
    ExibirRelatorioFR(*DmRelTec->frSelecaoItemOS);
}

void TfmAssOSSelecaoRel::ImprimeItens()
{
    TqrAssOSSelecaoRelImp* relatorio = qrAssOSSelecaoRelImp.create();
    LiberaRelatorioSelecao<TqrAssOSSelecaoRelImp> liberar{qrAssOSSelecaoRelImp};
    relatorio->sResposta =
        MostraPergunta("Deseja imprimir tempo de serviço ou andamento?", {"Serviço", "Andamento"});
    EfetuaPesquisaSelecaoOS(*relatorio->quPesqRel);
    relatorio->QuickRep1->print();
}

void TfmAssOSSelecaoRel::RelatorioSituacao(bool bImprimir)
{
    host::ui::requireTypedDates({edNFIni, edNFFim});
    TqrAssOSSelecaoSituacaoRel* relatorio = qrAssOSSelecaoSituacaoRel.create();
    LiberaRelatorioSelecao<TqrAssOSSelecaoSituacaoRel> liberar{qrAssOSSelecaoSituacaoRel};
    relatorio->sSituacao = cbSituacao->currentText();
    relatorio->bResumido = ckResumido->isChecked();
    relatorio->bTecnico = ckTecnico->isChecked();
    relatorio->sNFIni = edNFIni->dateText();
    relatorio->sNFFim = edNFFim->dateText();
    EfetuaPesquisaSelecaoSituacao(*quPesqSituacao);
    relatorio->setDados(quPesqSituacao);
    if (bImprimir)
        relatorio->QuickRep1->print();
    else
        VisualizaSelecao(*relatorio->QuickRep1);
}

void TfmAssOSSelecaoRel::RelatorioClienteEquipamento(bool bImprimir)
{
    TqrAssClienteXEquipImp* relatorio = qrAssClienteXEquipImp.create();
    LiberaRelatorioSelecao<TqrAssClienteXEquipImp> liberar{qrAssClienteXEquipImp};
    EfetuaPesquisaClienteporEquipamento(*quPesqCliEquip);
    relatorio->setDados(quPesqCliEquip);
    if (bImprimir)
        relatorio->QuickRep1->print();
    else
        VisualizaSelecao(*relatorio->QuickRep1);
}

// The totalizer stays in its global between previews; a print frees it.
void TfmAssOSSelecaoRel::RelatorioTotalizador(bool bImprimir)
{
    TqrAssOSTotalCliImp* relatorio = qrAssOSTotalCliImp.create();
    relatorio->sTipoEquipamento = edAtendente->text();
    if (!bImprimir) {
        EfetuaPesquisaTotalizadorCliente(*relatorio->quRelTotCli);
        VisualizaSelecao(*relatorio->QuickRep1);
        return;
    }
    LiberaRelatorioSelecao<TqrAssOSTotalCliImp> liberar{qrAssOSTotalCliImp};
    EfetuaPesquisaTotalizadorCliente(*relatorio->quRelTotCli);
    relatorio->QuickRep1->print();
}

// ---- pickers ----

void TfmAssOSSelecaoRel::sbPesqClienteClick()
{
    QString nome, codigo, fantasia;
    if (!SelecionaCliente(nome, codigo, fantasia))
        return;
    if (rgRelatorioOS->itemIndex() == 3) {
        edCliente->setText(nome);
        return;
    }
    edCliIni->setText(codigo);
    edCliFim->setText(codigo);
}

// Kind 2 filters equipment, the others orders.
void TfmAssOSSelecaoRel::sbPesqOSClick()
{
    if (rgRelatorioOS->itemIndex() == 2) {
        int equipamento = 0;
        QString descricao;
        if (!SelecionaEquipamento(equipamento, descricao))
            return;
        edOSIni->setText(QString::number(equipamento));
        edOSFim->setText(QString::number(equipamento));
        return;
    }
    int ordem = 0;
    int equipamento = 0;
    QString descricao;
    if (!SelecionaOrdemServico(ordem, equipamento, descricao))
        return;
    edOSIni->setText(QString::number(ordem));
    edOSFim->setText(QString::number(ordem));
}

void TfmAssOSSelecaoRel::sbPesqTecClick()
{
    QString codigo, v2, v3;
    if (!SelecionaPesquisaGeral(74, "atCodigo", "atCodigo", "atCodigo", codigo, v2, v3))
        return;
    edTecIni->setText(codigo);
    edTecFim->setText(codigo);
}

void TfmAssOSSelecaoRel::SbPesqServicoClick()
{
    QString codigo, descricao;
    double preco = 0, estoque = 0, reservado = 0, promocional = 0, custo = 0;
    if (SelecionaProduto(codigo, descricao, preco, estoque, reservado, promocional, custo))
        EdServico->setText(descricao);
}
