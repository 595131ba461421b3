// The contract register's keys (F2 to F12, Ctrl+L) and the actions of its
// instalments and items pages.

#include "contracts/uAssContCad.h"

#include "contracts/uAssContCadRegras.h"
#include "contract_data/uDataTecCont.h"

#include "host/UCXPrevisao.h"
#include "host/UcadastroListagem.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Upesqcli.h"
#include "host/Upesqgeral.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"

namespace {

// Every contract item with its coverage, product, group, collection,
// contract type, customer and meter group.
QString sqlItensTodosContratos()
{
    return "Select it.*, Cob.AbDescricao as Cobertura, Prod.Descricao, Gru.Descricao as DescricaoGrupo,"
           " Col.Descricao as DescricaoColecao, Cont.acTipo, Cli.Nome as NomeCliente, co.codescricao as grupo"
           " from AATC05ACIT it"
           " Left Outer Join Acec1101 Prod on (Prod.Codigo = it.PRCODIGO)"
           " Left Outer Join Acec1201 Gru on (Gru.Codigo = Prod.Grupo)"
           " Left Outer Join Acec1301 Col on (Col.Codigo = Prod.COD_EMB_COLECAO)"
           " Left Outer Join AATC10Ab Cob on (Cob.ABCODIGO = it.ACITCOBERTURA)"
           " Left Outer Join AATC05ac Cont on (Cont.ACCODIGO = it.ACCODIGO)"
           " Left Outer Join AUGC0301 Cli on (Cli.CODIGO_CLIENTE = it.CLCODIGO)"
           " Left Outer Join AATC05CO co on (co.COCODIGO = it.COCODIGO)"
           " Order By it.acCodigo ";
}

}  // namespace

void TfmAssContCad::FormKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    host::ui::TabSheet* pagina = pcContrato->activePage();
    const int tecla = key;
    key = 0;
    switch (tecla) {
    case Qt::Key_F2: listagemItens(); return;
    case Qt::Key_F3: {
        QString nome, cliente, fantasia;
        if (!SelecionaCliente(nome, cliente, fantasia))
            return;
        const int codigo = CarregaNumeroInteiro("ACCODIGO", "AATC05AC",
                                                "WHERE clCODIGO = " + QuotedStr(cliente) +
                                                    " order by ACDATAIMPLANTACAO desc ");
        if (codigo <= 0)
            dmGlobal->MostraAviso("Cliente não possui contrato", true);
        CarregaContrato(codigo);
        pcContrato->setActivePage(tsItens);
        pcContratoChange();
        return;
    }
    case Qt::Key_F5: desdobrarParcelas(); return;
    case Qt::Key_F6: alternarPagina(tsItens); return;
    case Qt::Key_F7:
        if (pagina == tsContParcAberta && dmGlobal->quReceber->active())
            uAssContCad::AplicarDescontoParcelas(*dmGlobal->quReceber);
        return;
    case Qt::Key_F8:
        if (pagina == tsVeiculos)
            dmTecContrato->CarregaContratoVeiculo(codigoContrato(), false);
        return;
    case Qt::Key_F10:
        if (pagina == tsItens && opcaoContrato() == "C")
            uAssContCad::LancamentoContadores();
        return;
    case Qt::Key_F11:
        if (pagina == tsItens)
            uAssContCad::ShowJanela("fmAssContCadCM");
        else
            alternarPagina(tsVeiculos);
        return;
    case Qt::Key_F12: alternarPagina(tsContEquip); return;
    case Qt::Key_L:
        if (shift & Qt::ControlModifier) {
            if (UsuarioMestre())
                listagemContratos();
            return;
        }
        break;
    default: break;
    }
    key = tecla;
}

// F2: the items of every contract; their posts save the header again.
void TfmAssContCad::listagemItens()
{
    host::data::Query& itens = *dmTecContrato->quCtrCadastroIt;
    itens.setTag(2);
    try {
        AbreCadastroListagem("Itens de Todos Contratos", "aatc05acit", sqlItensTodosContratos(), &itens);
    } catch (...) {
        itens.setTag(0);
        throw;
    }
    itens.setTag(0);
}

// Ctrl+L: every contract, without the filters the host may have added.
void TfmAssContCad::listagemContratos()
{
    host::data::Query& ctr = contrato();
    ctr.close();
    LimpaFiltro(&ctr);
    AbreCadastroListagem("Contratos", "AATC05AC", TdmTecContrato::sqlContrato(), &ctr);
}

// F5: the instalment split by a due-date table.
void TfmAssContCad::desdobrarParcelas()
{
    // The instalments belong to a stored contract: on the empty header they
    // had no contract nor customer, and under a new contract given up they
    // stayed under its number for the next contract to take.
    host::data::Query& cabecalho = contrato();
    const bool inserindo = cabecalho.state() == host::data::DatasetState::Insert;
    if (!cabecalho.active() || (!inserindo && cabecalho.isEmpty()))
        return;
    if (inserindo)
        SalvarAlteracoes(cabecalho);
    QString tabela, v2, v3;
    if (SelecionaPesquisaGeral(13, "CODIGO", "CODIGO", "CODIGO", tabela, v2, v3)) {
        host::data::Query& ctr = contrato();
        DesdobramentoReceber dados;
        dados.valorTotal = ctr.fieldByName("ACVALORPARCELA")->asFloat();
        dados.tabelaVencimento = tabela;
        dados.documento = QString::number(codigoContrato()).rightJustified(6, '0');
        dados.cliente = ctr.fieldByName("CLCODIGO")->asString();
        dados.dataEmissao = hoje();
        dados.operacao = ctr.fieldByName("OFCODIGO")->asString();
        dados.filial = ctr.fieldByName("ACLOCAL")->asString();
        dados.aoCodigo = codigoContrato();
        dmGlobal->DesdobraContasReceber(dados);
    }
    dmTecContrato->CarregaContratoParcela(codigoContrato());
}

// ---- instalments page ----

void TfmAssContCad::bbPrevisionarClick() { uAssContCad::GerarPrevisaoContrato(); }

void TfmAssContCad::bbApagarClick() { uAssContCad::ExcluirParcelasContrato(*dmGlobal->quReceber, codigoContrato()); }

void TfmAssContCad::dbgdContRecAbertoEditButtonClick()
{
    host::data::Query& receber = *dmGlobal->quReceber;
    host::ui::GridColumn* coluna = dbgdContRecAberto->selectedColumn();
    if (!coluna || !receber.active() || receber.isEmpty())
        return;
    if (coluna->fieldName().compare("OBSERVACAO", Qt::CaseInsensitive) == 0) {
        // The key the forecast wrote the observation under.
        const QString chave = receber.fieldByName("NUMERO_DOCUMENTO")->asString().trimmed() +
                              receber.fieldByName("CODIGO_CLIENTE")->asString().trimmed() +
                              QString::number(int(receber.fieldByName("SEQUENCIA")->asFloat()));
        dmGlobal->InserirObservacaoAdicional("obTexto", chave, "R", 0, dmGlobal->quObsGeral, false, 200, QString());
    } else if (coluna->fieldName().compare("VALOR_DOCUMENTO", Qt::CaseInsensitive) == 0) {
        SelecionaCXPrevisao("R", receber);
    }
}

// ---- items page ----

void TfmAssContCad::btEncerrarItemClick()
{
    host::data::Query& itens = *dmTecContrato->quCtrCadastroIt;
    if (MostraPergunta("Deseja encerrar o item do contrato " + itens.fieldByName("DESCRICAO")->asString(),
                       {"Sim", "Não"}) != "Sim")
        return;
    itens.edit();
    itens.fieldByName("ACITENCERRADO")->setAsString("S");
    itens.post();
}

void TfmAssContCad::btDevolverItemClick()
{
    host::data::Query& itens = *dmTecContrato->quCtrCadastroIt;
    if (MostraPergunta("Deseja devolver o item do contrato " + itens.fieldByName("DESCRICAO")->asString(),
                       {"Sim", "Não"}) != "Sim")
        return;
    itens.edit();
    itens.fieldByName("ACITDEVOLVIDO")->setAsString("S");
    itens.post();
}
