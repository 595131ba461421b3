// The parts request window driven from the keyboard and a bar-code reader:
// F9 adds a product (by bar code: adds to a line or records a delivery),
// F10 sets the service order. Company 4 works per technician: each reads
// his own bar code, has his own line per product and every read counts one.

#include "host/ui/Errors.h"
#include "service_orders/uAssSolicitacao.h"

#include "data/uDataTec.h"
#include "host/Uautorizacao.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Upesqgeral.h"
#include "host/Upesqprod.h"
#include "host/data/Abort.h"
#include "host/data/Query.h"
#include "host/db/Database.h"

#include <QCheckBox>

#include <exception>

QString sCodigoTecnico;
QString sCodigoTecnicoAnt;

namespace {

const char* const kOrigemTeclas = "[TfmAssSolicitacao.FormKeyDown]";

void logBarras(const QString& texto)
{
    dmGlobal->Log(kOrigemTeclas, texto, {});
}

bool porTecnico()
{
    host::data::Query& empresa = *dmGlobal->quEmpresa;
    return empresa.active() && !empresa.isEmpty() && empresa.fieldByName("UGESPECIFICOEMPRESA")->asInteger() == 4;
}

int tecnicoAtualBarras()
{
    bool numero = false;
    const int codigo = sCodigoTecnico.trimmed().toInt(&numero);
    return numero ? codigo : 0;
}

QString linhaDoProdutoBarras(const QString& produto, int solicitacao)
{
    return "WHERE PRCODIGO = " + QuotedStr(produto) + " and AICODIGO = " + QString::number(solicitacao);
}

// The product's line that a read lands on: the first with something still
// to deliver, else the first. A product asked for on several lines (an
// order's parts copied in twice) is delivered on each in turn, not refused
// once the first is complete.
QString linhaAEntregarBarras(const QString& produto, int solicitacao)
{
    return linhaDoProdutoBarras(produto, solicitacao) +
           " and AIID = 'I' order by iif(coalesce(AIQUANTIDADEENTREGUE, 0) < AIQUANTIDADE, 0, 1), AISEQUENCIA";
}

// The tag of the items goes back to 0 however the entry ends.
struct ItensDoPrograma {
    host::data::Dataset& itens;
    ~ItensDoPrograma() { itens.setTag(0); }
};

}  // namespace

void TfmAssSolicitacao::FormKeyDown(int& Key, Qt::KeyboardModifiers)
{
    logBarras("***INICIO");
    ItensDoPrograma volta{*dmTec->quSolicitaIt};
    if (Key == Qt::Key_F9) {
        if (ckBarras->isChecked()) {
            produtoPorBarras();
        } else {
            QString codigo, descricao;
            double preco = 0, estoque = 0, reservado = 0, promocional = 0, custo = 0;
            if (SelecionaProduto(codigo, descricao, preco, estoque, reservado, promocional, custo, true)) {
                dmTec->quSolicitaIt->append();
                dmTec->quSolicitaItPRCODIGO->setAsString(codigo);
            }
        }
    } else if (Key == Qt::Key_F10) {
        if (ckBarras->isChecked())
            ordemPorBarras();
        else
            bbPesqOSClick();
    }
    logBarras("***FIM");
}

void TfmAssSolicitacao::ordemPorBarras()
{
    QString texto;
    Seleciona1Texto("Inserção por Código de Barras (OS)", "Número OS", texto);
    const int ordem = CarregaNumeroInteiro("aocodigo", "AATC01AO",
                                           " where aocodigo = " + QString::number(texto.trimmed().toInt()));
    if (ordem <= 0)
        dmGlobal->MostraAviso("Não foi localizado a ordem de serviço " + texto + "\rVerifique e tente novamente.",
                              true);
    if (!dmTec->quSolicita->editing())
        dmTec->quSolicita->edit();
    dmTec->quSolicitaAOCODIGO->setAsInteger(ordem);
}

bool TfmAssSolicitacao::tecnicoPorBarras(const QString& caption, const QString& label)
{
    QString texto = sCodigoTecnicoAnt.isEmpty() ? sCodigoTecnico : sCodigoTecnicoAnt;
    if (!Seleciona1Texto(caption, label, texto))
        return false;
    sCodigoTecnico = texto;
    sCodigoTecnicoAnt = texto;
    sCodigoTecnico =
        CarregaDado("ATCODIGO", "AATC06AT", "where atendcomplemento = " + QuotedStr(texto.trimmed().toUpper())).trimmed();
    logBarras("Código Técnico = " + sCodigoTecnico);
    if (sCodigoTecnico.isEmpty())
        dmGlobal->MostraAviso("Não foi localizado técnico com o código de barras = " + texto +
                                  "\rVerifique e tente novamente.",
                              true);
    return true;
}

void TfmAssSolicitacao::perguntarEstoque(const QString& produto, double estoque)
{
    if (estoque > 0)
        return;
    if (MostraPergunta("O Produto código \"" + produto + "\" não possui estoque.\rDeseja continuar a inserção deste item?",
                       {"Sim", "Não"}) != "Sim")
        dmGlobal->MostraAviso("Operação cancelada.", true);
}

void TfmAssSolicitacao::inserirLinhaBarras(const QString& produto, double quantidade)
{
    TdmTec& tec = *dmTec;
    tec.quSolicitaIt->append();
    tec.quSolicitaItPRCODIGO->setAsString(produto);
    if (tecnicoAtualBarras() > 0)
        tec.quSolicitaItATCODIGOENTREGA->setAsInteger(tecnicoAtualBarras());
    tec.quSolicitaItAIQUANTIDADE->setAsFloat(quantidade);
    tec.quSolicitaIt->post();
}

void TfmAssSolicitacao::produtoPorBarras()
{
    TdmTec& tec = *dmTec;
    const bool tecnicos = porTecnico();
    logBarras("ckBarras.Checked=True");
    QString barras;
    if (!Seleciona1Texto("Inserção por Código de Barras (Produto)", "Barras", barras))
        host::abortOperation();
    if (tecnicos) {
        const QString ordem = tec.quSolicitaAOCODIGO->asString();
        try {
            if (CarregaNumeroInteiro("count(*)", "AATC01AO", "where aobaixa = 'S' and aocodigo = " +
                                                                 QString::number(tec.quSolicitaAOCODIGO->asInteger())) > 0)
                dmGlobal->MostraAviso("Não é possível inserir mais itens nesta solicitação.\rOrdem de Serviço " + ordem +
                                          " já foi \"Executada\".",
                                      true);
        } catch (const std::exception&) {
            dmGlobal->MostraAviso("Erro ao ler código de barras.\r" + host::ui::exceptionMessage(std::current_exception()));
        }
    }
    if (tec.quSolicitaAISITUACAO->asString() == "C")
        dmGlobal->MostraAviso("Não é possível inserir itens na solicitação com situação \"Entregue\".", true);
    const QString condicaoBarras = "where outro_codigo = " + QuotedStr(barras);
    const QString produto = CarregaDado("Codigo", "acec1101", condicaoBarras).trimmed();
    if (produto.isEmpty())
        dmGlobal->MostraAviso("Não foi localizado produto com o código de barras = " + barras +
                                  "\rVerifique e tente novamente.",
                              true);
    const double estoque = CarregaNumero("Estoque", "acec1101", condicaoBarras);
    tec.quSolicitaIt->setTag(1);
    const int solicitacao = tec.quSolicitaItAICODIGO->asInteger();
    int sequencia = CarregaNumeroInteiro("AISEQUENCIA", "AATC07AI", linhaAEntregarBarras(produto, solicitacao));
    if (tecnicos) {
        logBarras("dmGlobal.quEmpresaUGESPECIFICOEMPRESA.AsInteger = 4");
        if (!tecnicoPorBarras("Inserção por Código de Barras (Técnico)", "Barras"))
            dmGlobal->MostraAviso("Código do Técnico SOLICITANTE desta peça não foi informado. \rSolicitação abortada.",
                                  true);
    }
    if (sequencia <= 0) {
        perguntarEstoque(produto, estoque);
        double quantidade = 1;
        if (!tecnicos) {
            quantidade = 0;
            SelecionaValorNumerico("Quantidade", "Informe a quantidade do Produto " + produto, quantidade);
            if (quantidade <= 0)
                quantidade = 1;
        }
        inserirLinhaBarras(produto, quantidade);
        return;
    }
    logBarras("iSequencia > 0");
    const QString resposta = MostraPergunta("O produto " + produto + " já está inserido na solicitação.\rDeseja \"Somar\""
                                            " na quantidade atual ou \"Entregar\"?",
                                            {"Somar", "Entregar", "Abortar"});
    if (resposta != "Somar" && resposta != "Entregar")
        host::abortOperation();
    if (resposta == "Somar")
        perguntarEstoque(produto, estoque);
    if (tecnicos) {
        // The technician's own line of the product.
        sequencia = CarregaNumeroInteiro("AISEQUENCIA", "AATC07AI",
                                         linhaDoProdutoBarras(produto, solicitacao) +
                                             " and ATCODIGOENTREGA = " + QuotedStr(sCodigoTecnico));
        if (resposta == "Entregar") {
            EntregarPecasSolicitacao(produto, barras, solicitacao, sequencia);
            return;
        }
        logBarras("iSequencia=" + QString::number(sequencia) + "aicodigo=" + QString::number(solicitacao) +
                  "atcodigoentrega=" + sCodigoTecnico);
        if (tec.quSolicitaIt->locate("AISEQUENCIA;AICODIGO;ATCODIGOENTREGA",
                                     QVariantList{sequencia, solicitacao, tecnicoAtualBarras()})) {
            logBarras("Localizou");
            tec.quSolicitaIt->edit();
            tec.quSolicitaItAIQUANTIDADE->setAsFloat(tec.quSolicitaItAIQUANTIDADE->asFloat() + 1);
            tec.quSolicitaIt->post();
        } else {
            perguntarEstoque(produto, estoque);
            inserirLinhaBarras(produto, 1);
        }
        return;
    }
    if (resposta == "Entregar") {
        // Through the delivery routine: the delivery is recorded and the
        // line's delivered quantity follows it, shown at once.
        EntregarPecasSolicitacao(produto, barras, solicitacao, sequencia);
        return;
    }
    double quantidade = 0;
    if (!SelecionaValorNumerico("Quantidade", "Informe a quantidade para SOMAR no Produto " + produto, quantidade))
        host::abortOperation();
    // Adding nothing, or less than nothing, would lower what was requested.
    if (quantidade <= 0)
        dmGlobal->MostraAviso("Quantidade a somar inválida: informe mais que zero.", true);
    // Through the loaded line: the data module's rules apply, it is saved
    // and the grid shows it.
    if (tec.quSolicitaIt->locate("AISEQUENCIA;AICODIGO", QVariantList{sequencia, solicitacao})) {
        tec.quSolicitaIt->edit();
        tec.quSolicitaItAIQUANTIDADE->setAsFloat(tec.quSolicitaItAIQUANTIDADE->asFloat() + quantidade);
        tec.quSolicitaIt->post();
    }
}

void TfmAssSolicitacao::EntregarPecasSolicitacao(const QString& sProduto, const QString&, int iSolicitacao,
                                                 int iSequencia)
{
    TdmTec& tec = *dmTec;
    // Whatever happens, the request is shown again as stored.
    struct Recarga {
        int solicitacao;
        ~Recarga() { CarregaSolicitacao(solicitacao); }
    } recarga{iSolicitacao};
    const bool tecnicos = porTecnico();
    tec.CarregarProdutosEntregSolicPecas(iSequencia, iSolicitacao, {});
    if (!tecnicos) {
        sCodigoTecnico.clear();
        dmGlobal->MostraAviso("Informe o Código do Técnico da ENTREGA desta peça.\rOk para continuar.");
        QString tecnico, nada1, nada2;
        if (!SelecionaPesquisaGeral(74, "atCodigo", "atCodigo", "atCodigo", tecnico, nada1, nada2))
            dmGlobal->MostraAviso("Não foi informado um técnico responsável.", true);
        sCodigoTecnico = tecnico.trimmed();
    }
    double quantidade = 1;
    if (!tecnicos) {
        quantidade = 0;
        if (!SelecionaValorNumerico("Quantidade", "Informe a quantidade do Produto " + sProduto, quantidade))
            host::abortOperation();
        tec.VerificaQuantidadeEntrega(iSolicitacao, iSequencia, quantidade);
    }
    // The delivery and the line it counts on stand or fall together: a line
    // refused afterwards takes the delivery back.
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    host::db::CommitHold espera(tr);
    host::db::Savepoint ponto(tr);
    host::data::Query& entregas = *tec.quSolicitacaoItEnt;
    entregas.append();
    tec.quSolicitacaoItEntAISEQUENCIAREF->setAsInteger(iSequencia);
    tec.quSolicitacaoItEntAIENTRESPONSAVEL->setAsInteger(tecnicoAtualBarras());
    tec.quSolicitacaoItEntAIENTQTDENTREGUE->setAsFloat(quantidade);
    tec.quSolicitacaoItEntAICODIGO->setAsInteger(iSolicitacao);
    entregas.post();
    auto totalEntregue = [&](int sequencia) {
        return CarregaNumero("sum(aientqtdentregue)", "AATC07AIENT",
                             "where aisequenciaref = " + QString::number(sequencia) +
                                 " and AICODIGO = " + QString::number(iSolicitacao));
    };
    double total = totalEntregue(iSequencia);
    host::data::Query& itens = *tec.quSolicitaIt;
    if (tecnicos) {
        if (!itens.locate("AISEQUENCIA;AICODIGO;ATCODIGOENTREGA",
                          QVariantList{iSequencia, iSolicitacao, tecnicoAtualBarras()})) {
            // The reader has no line of the product: the delivery goes to the
            // requesting technician's line.
            if (!tecnicoPorBarras("Código do técnico Solicitante que deseja fazer a entrega", "Nome"))
                dmGlobal->MostraAviso(
                    "Código do Técnico SOLICITANTE desta peça não foi informado. \rSolicitação abortada.", true);
            const int sequencia = CarregaNumeroInteiro("AISEQUENCIA", "AATC07AI",
                                                       linhaDoProdutoBarras(sProduto, iSolicitacao) +
                                                           " and ATCODIGOENTREGA = " + QuotedStr(sCodigoTecnico));
            entregas.edit();
            tec.quSolicitacaoItEntAISEQUENCIAREF->setAsInteger(sequencia);
            entregas.post();
            total = totalEntregue(sequencia);
            if (!itens.locate("PRCODIGO;AICODIGO;ATCODIGOENTREGA",
                              QVariantList{sProduto, iSolicitacao, tecnicoAtualBarras()}))
                dmGlobal->MostraAviso("Não há um Técnico Solicitante com este Nome. \rSolicitação abortada.", true);
        }
    } else {
        itens.locate("AISEQUENCIA;AICODIGO", QVariantList{iSequencia, iSolicitacao});
    }
    itens.edit();
    tec.quSolicitaItAIQUANTIDADEENTREGUE->setAsFloat(total);
    itens.post();
    ponto.release();
    espera.release();
}
