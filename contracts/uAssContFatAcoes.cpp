// The contract invoicing window's searches and runs: the selection, the
// instalment view, the forecast run, the pickers and the grid prints.

#include "contracts/uAssContFat.h"

#include "contract_data/uDataTecCont.h"
#include "contract_data/uDataTecContDefinitions.h"
#include "host/PilvCtb70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Upesqcli.h"
#include "host/Upesqgeral.h"
#include "host/Upesqrec.h"
#include "host/Urelatorio.h"
#include "host/data/Abort.h"
#include "host/data/Dataset.h"
#include "host/data/Format.h"
#include "host/data/Query.h"
#include "host/ui/Cursors.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/EditControls.h"
#include "host/ui/Errors.h"
#include "host/ui/PageControl.h"
#include "host/ui/ProgressWindow.h"
#include "host/ui/StatusBar.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QLineEdit>
#include <QList>
#include <QPlainTextEdit>

#include <algorithm>

namespace {

using namespace uAssContFat;

const QString kContratosAleatorios = "Contratos Aleatórios";

void log(const QString& origem, const QString& texto)
{
    dmGlobal->Log(origem, texto);
}

// Both edits of a range get the value picked.
void preencheFaixa(QLineEdit* de, QLineEdit* ate, const QString& valor)
{
    de->setText(valor);
    ate->setText(valor);
}

// The notices of a run: this run's alone (an earlier run's, left on the
// memo, would read as this one's), written once when it ends, whatever ends
// it (a memo rewritten for every contract made a long run slower with every
// line).
struct AvisoAoFim {
    explicit AvisoAoFim(QPlainTextEdit& memo) : memo(memo), inicio(memo.toPlainText()) {}
    ~AvisoAoFim()
    {
        const QString texto = linhas.join('\n');
        if (texto != inicio)
            memo.setPlainText(texto);
    }
    AvisoAoFim(const AvisoAoFim&) = delete;
    AvisoAoFim& operator=(const AvisoAoFim&) = delete;
    QPlainTextEdit& memo;
    const QString inicio;
    QStringList linhas;
};

// One contract's instalments by a due-date table.
void DesdobraPorTabela(host::data::Dataset& contrato, const QString& tabela, int& contador)
{
    DesdobramentoReceber dados;
    dados.valorTotal = contrato.fieldByName("ACVALORPARCELA")->asFloat();
    dados.tabelaVencimento = tabela;
    dados.documento = QString("%1").arg(contrato.fieldByName("ACCODIGO")->asInteger(), 6, 10, QChar('0'));
    dados.cliente = host::data::fieldText(contrato, "CLCODIGO");
    dados.dataEmissao = hoje();
    dados.operacao = host::data::fieldText(contrato, "OFCODIGO");
    dados.filial = host::data::fieldText(contrato, "ACLOCAL");
    dados.aoCodigo = contrato.fieldByName("ACCODIGO")->asInteger();
    dmGlobal->DesdobraContasReceber(dados);
    ++contador;
}

}  // namespace

// ---- selection --------------------------------------------------------------

FiltrosFaturamento TfmAssContFat::Filtros() const
{
    host::ui::requireTypedDates({edVctoIni, edVctoFim});
    FiltrosFaturamento f;
    f.opcaoContrato = dmGlobal->Parametro("ATOPCAOCONTRATO");
    if (const host::data::Field* campo =
            dmTecContrato ? uDataTecCont::CampoLivreContrato(*dmTecContrato->quCtrCadastro, cbCampos->currentIndex())
                          : nullptr) {
        f.campoLivre = campo->fieldName();
        f.tipoCampoLivre = campo->dataType();
        f.valorLivre = edAlternativo->text();
    }
    f.contratosAleatorios = edContratoAleatorio->text();
    f.contratoIni = edContIni->text();
    f.contratoFim = edContFim->text();
    f.contaIni = edContaIni->text();
    f.contaFim = edContaFim->text();
    f.filial = edUnNegocioIni->text().trimmed();
    f.objetoIni = edCodObjIni->text();
    f.objetoFim = edCodObjFim->text();
    f.contratanteIni = edContratanteIni->text();
    f.contratanteFim = edContratanteFim->text();
    if (cbNatureza->currentIndex() >= 0)
        f.natureza = cbNatureza->currentText().left(1);
    f.documentoIni = edCRDocIni->text();
    f.documentoFim = edCRDocFim->text();
    f.vencimentoIni = edVctoIni->dateText();
    f.vencimentoFim = edVctoFim->dateText();
    f.contasAbertas = ckCRAberta->isChecked();
    f.ordem = cbOrdem->currentIndex();
    return f;
}

int TfmAssContFat::PesquisarContrato(host::data::Query& query, int modo, bool bSemPrevisao, bool bContagem)
{
    const QString origem = "[TfmAssContFat.PesquisarContrato]";
    log(origem, "***INICIO");
    if (edUnNegocioIni->text().trimmed().isEmpty()) {
        log(origem, "***FIM");
        dmGlobal->MostraErro("Informe a filial desejada!");
    }
    host::ui::WaitCursor cursor;
    const host::data::ControlsDisabled controles(query);
    query.close();
    query.setSql(SqlPesquisaContrato(Filtros(), modo, bSemPrevisao, bContagem));
    if (bDetectarErroSQL)
        dmGlobal->MostraAvisoExtenso("PesquisarContratoFaturar", query.sql(), false, "Confirmação");
    try {
        query.open();
    } catch (...) {
        const std::exception_ptr falha = std::current_exception();
        if (OperacaoAbortada(falha))
            throw;
        TratarExcecaoBanco("TfmAssContFat.PesquisarContrato", falha, GetSQLtextComParametros(query));
        dmGlobal->MostraAviso("Não foi possível realizar pesquisa.\r" + TratarExcecao(falha), false);
        return 0;
    }
    if (bContagem) {
        const int total = query.isEmpty() ? 0 : query.field(0)->asInteger();
        query.close();
        return total;
    }
    const char* const campos[] = {"ACNUMEROCONTRATO", "NOME", "ACVALORPARCELA", "ACDATABASE"};
    for (int i = 0; i < 4; ++i)
        dbgdAssContFat->column(i)->setFieldName(campos[i]);
    dbgdAssContFat->column(4)->setFieldName(modo == ApenasOficializar ? "DATA_VENCIMENTO" : "ACVENCIMENTO");
    dbgdAssContFat->column(4)->setVisible(true);
    dmGlobal->SetaMascaraField(query);
    log(origem, "***FIM");
    return 0;
}

void TfmAssContFat::bbPesquisarClick()
{
    MostraParcelas(false);
    PesquisarContrato(*quPesq, rgTipo->itemIndex(), ckSemPrevisao->isChecked(), false);
    const int total = PesquisarContrato(*dmGlobal->quAuxiliar, rgTipo->itemIndex(), ckSemPrevisao->isChecked(), true);
    stInfo->setPanelText(0, "Total de Contratos: " + QString::number(total));
}

// ---- instalment view --------------------------------------------------------

void TfmAssContFat::MostraParcelas(bool bParcelas)
{
    dbgdParc->setVisible(bParcelas);
    dbgdAssContFat->setVisible(!bParcelas);
}

void TfmAssContFat::CarregaParcelasContrato(const QString& condicao)
{
    const QString origem = "[TfmAssContFat.CarregaParcelasContrato]";
    log(origem, "***INICIO");
    if (condicao.trimmed().isEmpty() || condicao == "''") {
        log(origem, "***FIM");
        dmGlobal->MostraAviso("Selecione um contrato válido!", true);
    }
    MostraParcelas(true);
    quPesqRec->close();
    quPesqRec->setSql(SqlParcelasContrato(condicao));
    try {
        quPesqRec->open();
    } catch (...) {
        const std::exception_ptr falha = std::current_exception();
        if (!OperacaoAbortada(falha)) {
            TratarExcecaoBanco("TfmAssContFat.CarregaParcelasContrato", falha, GetSQLtextComParametros(*quPesqRec));
            dmGlobal->MostraAviso("Falha ao realizar pesquisa\r" + TratarExcecao(falha), false);
        }
    }
    log(origem, "***FIM");
}

void TfmAssContFat::dbgdAssContFatDblClick()
{
    if (!quPesq->active() || quPesq->isEmpty())
        return;
    CarregaParcelasContrato(" rec.aoCodigo = " + QuotedStr(quPesq->fieldByName("ACCODIGO")->asString()));
}

void TfmAssContFat::dbgdParcDblClick()
{
    MostraParcelas(false);
}

// ---- "&Gerar" ---------------------------------------------------------------

void TfmAssContFat::bbBaixarClick()
{
    host::ui::requireTypedDates({edVctoIni, edVctoFim, edPrevisaoIni, edPrevisaoFim, mdDataFaturamento});
    bbPesquisarClick();
    const int modo = rgTipo->itemIndex();
    if (modo == ApenasOficializar) {
        AvisoAoFim aviso(*meAviso);
        if (ckVolume->isChecked() || TextoIn(dmGlobal->Parametro("ATOPCAOCONTRATO"), {"F", "V"}))
            OficializarParcelaPesquisaLote(*quPesq, ckMesRefOriginal->isChecked(), &aviso.linhas);
        else
            OficializarParcelaPesquisa(*quPesq, ckMesRefOriginal->isChecked(), &aviso.linhas);
    } else
        GerarFaturamentoContrato(edPrevisaoIni->dateText(), edPrevisaoFim->dateText(), mdDataFaturamento->dateText(),
                                 modo == PorTabela);
    if (!meAviso->toPlainText().isEmpty())
        pcFatura->setActivePage(tsAviso);
}

void TfmAssContFat::GerarFaturamentoContrato(const QString& periodoInicial, const QString& periodoFinal,
                                             const QString& dataFaturamento, bool bPorTabela)
{
    if (!bPorTabela) {
        // The masked edit hands back "" for its empty mask "  /  /  ".
        if (dataFaturamento.trimmed().isEmpty() || dataFaturamento == "  /  /  ")
            dmGlobal->MostraErro("Data de faturamento inválida!");
        QDateTime de, ate;
        if (!host::data::parseDateTimeText(periodoInicial, de) || !host::data::parseDateTimeText(periodoFinal, ate))
            dmGlobal->MostraErro("Data informada inválida.");
    }
    if (MostraPergunta("Tem certeza de que deseja gerar faturamento do período?", {"Sim", "Não"}) != "Sim")
        return;
    QString tabela;
    if (bPorTabela) {
        QString descricao, quantas;
        if (!SelecionaPesquisaGeral(13, "Codigo", "Codigo", "Codigo", tabela, descricao, quantas))
            return;
    }
    host::ui::WaitCursor cursor;
    int contador = 0;
    // The month's contracts, as ranges of consecutive codes where they run on.
    QList<int> contratos;
    PesquisarContrato(*quPesq, rgTipo->itemIndex(), ckSemPrevisao->isChecked(), false);
    quPesq->first();
    quPesq->fetchAll();
    const int modo = rgTipo->itemIndex();
    {
        // The run shows its progress in the progress window: the list keeps
        // still and the notices are written once, at the end, also when a
        // contract stops the run.
        AvisoAoFim aviso(*meAviso);
        const host::data::ControlsDisabled listaParada(*quPesq);
        host::ui::BatchProgress progresso(quPesq->recordCount(), "Aguarde. Gerando faturamento...");
        for (; !quPesq->eof(); quPesq->next()) {
            if (bPorTabela)
                DesdobraPorTabela(*quPesq, tabela, contador);
            else
                InserirParcelas(ArgumentosParcelasContrato(*quPesq, periodoInicial, periodoFinal, dataFaturamento,
                                                           modo),
                                contador, &aviso.linhas);
            contratos << quPesq->fieldByName("ACCODIGO")->asInteger();
            progresso.step();
        }
    }
    CarregaParcelasContrato(contratos.isEmpty() ? QString() : CondicaoEmLista("rec.aoCodigo", contratos));
    dmGlobal->MostraAviso("Operação efetuada com sucesso!Parcelas inseridas: " + QString::number(contador), false);
    dmGlobal->IBTransaction1->commitRetaining();
}


// ---- filters and pickers ------------------------------------------------------

void TfmAssContFat::laContratoClick()
{
    const bool lista = laContrato->text() != kContratosAleatorios;
    laContrato->setText(lista ? kContratosAleatorios : "Código do Contrato");
    edContratoAleatorio->setVisible(lista);
    if (!lista)
        edContratoAleatorio->clear();
    for (QLineEdit* e : {edContIni, edContFim}) {
        e->setVisible(!lista);
        if (lista)
            e->clear();
    }
}

void TfmAssContFat::edContratanteExit(QLineEdit* edit)
{
    if (edit->text().isEmpty())
        return;
    QString codigo;
    if (!NormalizaContratante(edit->text(), codigo))
        dmGlobal->MostraErro("Código do Contratante inválido");
    edit->setText(codigo);
}

void TfmAssContFat::sbPesqContratoClick()
{
    const bool lista = !edContratoAleatorio->isHidden();
    QString numero, codigo;
    if (!SelecionaPesquisaGeral(lista ? 101 : 68, "acNumeroContrato", "acCodigo", "acCodigo", numero, codigo,
                                sAuxiliarGeral))
        return;
    if (!lista) {
        preencheFaixa(edContIni, edContFim, codigo);
        return;
    }
    const QString atual = edContratoAleatorio->text();
    edContratoAleatorio->setText(atual.isEmpty() ? numero : atual + "," + numero);
}

void TfmAssContFat::sbPesqContratanteClick()
{
    QString nome, codigo, fantasia;
    if (SelecionaCliente(nome, codigo, fantasia, false))
        preencheFaixa(edContratanteIni, edContratanteFim, codigo);
}

void TfmAssContFat::sbPesqContaClick()
{
    int conta = 0;
    QString descricao;
    if (SelecionaCtbConta(conta, descricao))
        preencheFaixa(edContaIni, edContaFim, QString::number(conta));
}

void TfmAssContFat::sbPesqCRClick()
{
    QString documento, cliente, filial;
    int sequencia = 0;
    if (SelecionaReceber(documento, cliente, sequencia, filial))
        preencheFaixa(edCRDocIni, edCRDocFim, documento);
}

void TfmAssContFat::cbPesqObjClick()
{
    QString v1, v2, v3;
    if (SelecionaPesquisaGeral(70, "ajCodigo", "ajCodigo", "ajCodigo", v1, v2, v3))
        preencheFaixa(edCodObjIni, edCodObjFim, v2);
}

void TfmAssContFat::FormKeyDown(int& key, Qt::KeyboardModifiers)
{
    if (key != Qt::Key_F8)
        return;
    key = 0;
    QString v1, v2, v3;
    if (!SelecionaPesquisaGeral(70, "ajCodigo", "ajCodigo", "ajCodigo", v1, v2, v3))
        return;
    if (dmTecContrato)
        if (host::data::Field* campo = dmTecContrato->quCtrCadastro->findField("AJCODIGO")) {
            const auto& campos = dmTecContrato->quCtrCadastro->fields();
            cbCampos->setCurrentIndex(int(std::find(campos.begin(), campos.end(), campo) - campos.begin()));
        }
    edAlternativo->setText(v2);
}

// ---- prints -------------------------------------------------------------------

void TfmAssContFat::bbImprimirClick()
{
    GridtoRelatorio(dbgdAssContFat->isHidden() ? *dbgdParc : *dbgdAssContFat, false);
}

void TfmAssContFat::bbVisualizarClick()
{
    GridtoRelatorio(*dbgdAssContFat, true);
}
