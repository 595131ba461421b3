// The travel-expense, extra-expense and project grids of the service-order
// window (edit buttons and title clicks) and the report texts picked from
// the defect register by a double click; the binding of the queue,
// distribution, payment and report-text handlers.

#include "service_orders/uAssOrdemServico.h"
#include "service_orders/uAssOrdemServicoComum.h"

#include "shared_windows/uPesqAssDefeitos.h"

#include "data/uDataTec.h"

#include "host/PilvCpr70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Upesqforn.h"
#include "host/Upesqgeral.h"
#include "host/Upesqprod.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/Errors.h"
#include "host/ui/SearchWindow.h"

#include <QPushButton>

using host::ui::DataGrid;
using host::ui::GridColumn;
using ordem_servico::naColuna;

namespace {

void campoDespesa(host::data::Dataset& linhas, const char* campo, const QString& valor)
{
    if (!linhas.editing())
        linhas.edit();
    linhas.fieldByName(campo)->setAsString(valor);
}

// A supplier of the host's search; with `tipoExigido` only one of that type.
bool fornecedorDespesa(QString& codigo, const QString& tipoExigido)
{
    QString tipo;
    if (!SelecionaFornecedor(codigo, tipo, parametro("ATFORNECEDORTODOS") != "N"))
        return false;
    if (!tipoExigido.isEmpty() && tipo.trimmed() != tipoExigido)
        dmGlobal->MostraErro("Fornecedor selecionado não do Tipo \"Transportadora\".");
    return true;
}

// The defect register's entry of the kind, as "code - text"; false when the
// picker is cancelled. Another kind is refused with the message.
struct DefeitoEscolhido {
    int codigo = 0;
    QString descricao, tipo, observacao;
};

bool escolherDefeito(DefeitoEscolhido& d)
{
    return SelecionaDefeito(d.codigo, d.descricao, d.tipo, d.observacao);
}

void exigirTipoDefeito(const DefeitoEscolhido& d, const char* tipo, const char* mensagem)
{
    if (d.tipo.trimmed() != QLatin1String(tipo))
        dmGlobal->MostraErro(QString::fromUtf8(mensagem));
}

// The text replaces the memo's whole content and the order is posted.
void textoDoLaudo(const char* campo, const QString& texto)
{
    host::data::Query& os = *dmTec->quOS;
    if (!os.editing())
        os.edit();
    os.fieldByName(campo)->setAsString(texto);
    os.post();
}

}  // namespace

void TfmAssOrdemServico::dbgdOrdemServicoDespViagemEditButtonClick()
{
    QString codigo, v2, v3;
    if (SelecionaPesquisaGeral(74, "atCodigo", "atCodigo", "atCodigo", codigo, v2, v3))
        campoDespesa(*dmTec->quOSDespViagem, "ATCODIGO", codigo);
    else
        AbrirPesquisaReferentePelaGrid(dbgdOrdemServicoDespViagem);
}

void TfmAssOrdemServico::dbgdOrdemServicoDespExtraEditButtonClick()
{
    DataGrid* grade = dbgdOrdemServicoDespExtra;
    host::data::Dataset& extras = *dmTec->quOSDespExtra;
    QString codigo;
    if (naColuna(grade, "FOCODIGOTRANSPORTADOR")) {
        if (fornecedorDespesa(codigo, "T"))
            campoDespesa(extras, "FOCODIGOTRANSPORTADOR", codigo);
    } else if (naColuna(grade, "FOCODIGO")) {
        if (fornecedorDespesa(codigo, {}))
            campoDespesa(extras, "FOCODIGO", codigo);
    } else if (grade->selectedField() && grade->selectedField()->fieldName().toUpper() == "AXOBSERVACAO") {
        dmGlobal->InserirObservacaoAdicional("obtexto", QString::number(ordemAtual()), "X",
                                             extras.fieldByName("AXCODIGO")->asInteger(), dmGlobal->quObsGeral, false,
                                             0, "");
    } else {
        AbrirPesquisaReferentePelaGrid(grade);
    }
}

void TfmAssOrdemServico::dbgdOrdemServicoProjetoEditButtonClick()
{
    DataGrid* grade = dbgdOrdemServicoProjeto;
    host::data::Dataset& projeto = *dmTec->quOSProj;
    QString codigo, descricao, v3;
    if (naColuna(grade, "PRCODIGO")) {
        double venda = 0, estoque = 0, reservado = 0, promocional = 0, custo = 0;
        if (SelecionaProduto(codigo, descricao, venda, estoque, reservado, promocional, custo, true))
            campoDespesa(projeto, "PRCODIGO", codigo);
    } else if (naColuna(grade, "OFCODIGO")) {
        if (SelecionaPesquisaGeral(25, "cod_op", "cod_op", "cod_op", codigo, descricao, v3))
            campoDespesa(projeto, "OFCODIGO", codigo);
    } else {
        AbrirPesquisaReferentePelaGrid(grade);
    }
}

// ---- title clicks: the host's ordering, then the layout is saved ----

void TfmAssOrdemServico::dbgdOrdemServicoDespViagemTitleClick(GridColumn& Column)
{
    host::ui::sortByColumn(*dbgdOrdemServicoDespViagem, Column);
    SalvarConfiguracaoDBGrid(dbgdOrdemServicoDespViagem, false);
}

void TfmAssOrdemServico::dbgdOrdemServicoDespExtraTitleClick(GridColumn& Column)
{
    host::ui::sortByColumn(*dbgdOrdemServicoDespExtra, Column);
    SalvarConfiguracaoDBGrid(dbgdOrdemServicoDespExtra, false);
}

void TfmAssOrdemServico::dbgdOrdemServicoProjetoTitleClick(GridColumn& Column)
{
    host::ui::sortByColumn(*dbgdOrdemServicoProjeto, Column);
    SalvarConfiguracaoDBGrid(dbgdOrdemServicoProjeto, false);
}

// ---- report texts from the defect register ----

void TfmAssOrdemServico::dbmeLaudoDblClick()
{
    DefeitoEscolhido d;
    if (!escolherDefeito(d))
        return;
    if (parametro("ATMODOVEICULO") == "O") {
        textoDoLaudo("AODESCRICAOLAUDO", d.observacao);
        return;
    }
    exigirTipoDefeito(d, "D", "Tipo de Defeito inválido.");
    const QString codigo = QString::number(d.codigo);
    textoDoLaudo("AODESCRICAOLAUDO", d.observacao.trimmed().isEmpty()
                                         ? codigo + " - " + d.descricao + " - " + d.observacao
                                         : codigo + " - " + d.observacao);
}

void TfmAssOrdemServico::dbmeCausaDblClick()
{
    DefeitoEscolhido d;
    if (!escolherDefeito(d))
        return;
    exigirTipoDefeito(d, "C", "Tipo de Causa inválido.");
    textoDoLaudo("AOCAUSA", QString::number(d.codigo) + " - " + d.observacao);
}

void TfmAssOrdemServico::dbmeSolucaoDblClick()
{
    DefeitoEscolhido d;
    if (!escolherDefeito(d))
        return;
    exigirTipoDefeito(d, "S", "Tipo de Solução inválido.");
    textoDoLaudo("AOSOLUCAO", QString::number(d.codigo) + " - " + d.observacao);
}

void TfmAssOrdemServico::ligarFilaModosDespesas()
{
    auto clique = [this](QPushButton* botao, void (TfmAssOrdemServico::*handler)()) {
        connect(botao, &QPushButton::clicked, this,
                [this, handler] { host::ui::runGuarded([&] { (this->*handler)(); }); });
    };
    clique(sbEnviarFilaAten, &TfmAssOrdemServico::sbEnviarFilaAtenClick);
    clique(sbDistribuicaoOS, &TfmAssOrdemServico::sbDistribuicaoOSClick);
    clique(btPagarTecnico, &TfmAssOrdemServico::btPagarTecnicoClick);
    dbteFilaAten->onClick = [this] { dbteFilaAtenClick(); };

    dbgdOrdemServicoDespViagem->onEditButtonClick = [this] { dbgdOrdemServicoDespViagemEditButtonClick(); };
    dbgdOrdemServicoDespExtra->onEditButtonClick = [this] { dbgdOrdemServicoDespExtraEditButtonClick(); };
    dbgdOrdemServicoProjeto->onEditButtonClick = [this] { dbgdOrdemServicoProjetoEditButtonClick(); };
    dbgdOrdemServicoDespViagem->onTitleClick = [this](GridColumn& c) { dbgdOrdemServicoDespViagemTitleClick(c); };
    dbgdOrdemServicoDespExtra->onTitleClick = [this](GridColumn& c) { dbgdOrdemServicoDespExtraTitleClick(c); };
    dbgdOrdemServicoProjeto->onTitleClick = [this](GridColumn& c) { dbgdOrdemServicoProjetoTitleClick(c); };
    dbmeLaudo->onDblClick = [this] { dbmeLaudoDblClick(); };
    dbmeCausa->onDblClick = [this] { dbmeCausaDblClick(); };
    dbmeSolucao->onDblClick = [this] { dbmeSolucaoDblClick(); };
}
