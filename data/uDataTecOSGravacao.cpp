// Saving and deleting a service-order header: the checks and numbering
// before the row is written, what follows a save, the refusals and the
// cascade of a deletion, the two status texts of the order's sales orders,
// and the loading of an order while the search list is browsed.

#include "data/uDataTec.h"
#include "data/uDataTecExclusao.h"
#include "data/uDataTecTotaisOutraMesa.h"

#include "host/PilvCpr70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/TravaExecucao.h"
#include "host/Uglobal.h"
#include "host/data/Abort.h"
#include "host/db/Database.h"
#include "host/ui/WindowRegistry.h"

#include <QStringBuilder>
#include <QStringList>

#include <cmath>

using host::data::Dataset;
using host::data::DatasetState;
using namespace Qt::StringLiterals;

namespace {

// By parameter: one prepared read serves every order saved.
QString situacaoGravada(const host::data::Field& ordem)
{
    if (ordem.isNull())
        return {};
    return host::db::selectValue(*dmGlobal->IBTransaction1, u"select ASCODIGO from AATC01AO where AOCODIGO = :ORDEM"_s,
                                 {{"ORDEM", ordem.asInteger()}})
        .toString();
}

}  // namespace

void TdmTec::quOSBeforePost(Dataset& DataSet)
{
    RecusarDescontoDeOrdemFaturada();
    if (quOSCLCODIGO->text().trimmed().isEmpty())
        dmGlobal->MostraErro("Preenchimento do cliente obrigatório");
    if (VerificaBloqueioAlteracao(quOSAODATAENTRADA->asDateTime(), "OS"))
        host::abortOperation();
    const QString controle = parametro("ATCONTROLEOS");
    if (controle == "S") {
        if (quOSAOATENDENTE->asString().trimmed().isEmpty())
            quOSAOATENDENTE->setAsString(IbUserName());
        if (quOSASCODIGO->isNull())
            dmGlobal->MostraErro("Preenchimento da Situação obrigatório. Verifique no sistema se há alguma situação "
                                 "cadastrada com tipo Inicial.");
    }
    // Read only where a rule asks, and before the number is given: a new
    // order has no stored situation yet.
    const bool senhaPorSituacao =
        controle == "P" && quOSASCODIGO->asInteger() > 0 && quOS->tag() != kTagAlteracaoInterna;
    const bool avisoPorSituacao = parametro("ATMODOOS") == "E";
    const bool situacaoMudou =
        (senhaPorSituacao || avisoPorSituacao) && situacaoGravada(*quOSAOCODIGO) != quOSASCODIGO->asString();
    if (senhaPorSituacao && situacaoMudou)
        OSVerificaSenhaAlteracaoSituacao(quOSASCODIGO->asInteger());
    const SituacaoOS situacao = SituacaoDaGravacao();
    if (situacao.cliente == "S")
        dmGlobal->LimiteCredito(quOSCLCODIGO->asString(), quOSAOVALORTOTAL->asFloat(), true);

    const bool inserindo = quOS->state() == DatasetState::Insert;
    tentativasNumeroOS_ = 0;
    NumerarOrdem();

    if (situacao.tipo == "M") {
        quOSAODATASAIDA->setValue(QDate::currentDate());
        quOSAOHORASAIDA->setValue(QTime::currentTime());
    }
    const QString ordem = quOSAOCODIGO->asString();
    if (avisoPorSituacao && situacaoMudou) {
        UpdateCampo("AATC01AOIT IT", "AOITEMAILENVIADO", "'N'", "WHERE IT.AOCODIGO= " + ordem);
        if (quOSItem->active() && !quOSItem->isEmpty())
            quOSItem->refresh();
    }
    const QString modoEmpresa = parametro("ATMODOEMPRESA");
    if (modoEmpresa == "H" || modoEmpresa == "1") {
        const QString placa = CarregaDado("first 1 AOITPLACA", "AATC01AOIT",
                                          "where AOCODIGO = " + ordem + " and AOITPLACA is not null")
                                  .trimmed();
        InserirHistoricoUltimasOrdensServico(ordem, quOSCLCODIGO->asString(), placa);
    }
    bool linhaGravada = false;
    for (Dataset* detalhe : {quOSPecas, quOSAndamento, quOSDespViagem, quOSDespExtra, quOSProj}) {
        linhaGravada = linhaGravada || detalhe->editing();
        SalvarAlteracoes(*detalhe);
    }
    // A new order has no lines until they are saved after it (or just above):
    // its sums are all empty, and reading them cost five statements.
    if (inserindo && !linhaGravada)
        OrdemServicoTotaisVazios();
    else
        OrdemServicoAtualizaTotalizador(quOSAOCODIGO->asInteger());
    ExigeDescontoAteOTotalOS(quOSAOVALORTOTAL->oldValue().toDouble());
    ZelDevVerificarEvento(&DataSet, u"BEFOREPOST"_s);
}

// The receivable of a billed order was made of its total: the discounts
// that make that total stay as billed; the rest of the header (situation,
// observations, contact ...) may still change. The document is the one the
// header holds: a billing saved since it was read fails the write's guard.
void TdmTec::RecusarDescontoDeOrdemFaturada()
{
    if (quOS->state() != DatasetState::Edit)
        return;
    for (const host::data::Field* desconto : {quOSAODESCONTO, quOSAODESCONTOPECA, quOSAODESCONTOSERVICO})
        if (std::llround(desconto->asFloat() * 100) != std::llround(desconto->oldValue().toDouble() * 100)) {
            RecusarOrdemFaturada(quOSAOCODIGO->value(), quOSCRDOCUMENTO->asString(),
                                 "seus descontos não podem mais ser alterados");
            return;
        }
}

// The flags of the situation being saved: those the edit read when it chose
// it, else as stored.
SituacaoOS TdmTec::SituacaoDaGravacao()
{
    const int codigo = quOSASCODIGO->asInteger();
    if (codigo > 0 && codigo == situacaoEscolhida_.codigo)
        return situacaoEscolhida_.flags;
    return LerSituacaoOS(codigo);
}

// A new order takes the next number unless the user types it.
void TdmTec::NumerarOrdem()
{
    const bool digitado = parametro("ATNUMEROOSDIGITADO") == "S";
    const bool inserindo = quOS->state() == DatasetState::Insert;
    if (inserindo && !digitado)
        quOSAOCODIGO->setAsInteger(int(MaximoDado(u"aoCodigo"_s, u"aatc01ao"_s, {}, {})) + 1);
    if (quOSAOCODIGO->asInteger() == 0)
        dmGlobal->MostraErro("Número da Ordem de Serviço Inválido.");
    if (digitado && inserindo && ContadorDados("aoCodigo", "aatc01ao", quOSAOCODIGO->asString()) > 0)
        dmGlobal->MostraErro("Número da Ordem de Serviço já cadastrado.");
}

void TdmTec::quOSPostError(Dataset&)
{
    // The sums of the lines and the grand total: what another desk's line
    // rewrites, never what a user types.
    static const QStringList totais = {"AOVALORSERVICO", "AOVALORSERVICOSREQUERIDO", "AOVALORPECAS",
                                       "AOVALORPECASREQUERIDO", "AODESPDIVERSAS", "AODESPVIAGEM",
                                       "AOVALORPROJETO", "AOVALORIPI", "AOVALORTOTAL"};
    if (uDataTec::regravarComTotaisDeOutraMesa(
            *quOS, totais, [this] { OrdemServicoAtualizaTotalizador(quOSAOCODIGO->asInteger()); },
            tentativasTotaisOS_))
        return;
    constexpr int kTentativas = 50;
    if (quOS->state() != DatasetState::Insert || parametro("ATNUMEROOSDIGITADO") == "S" ||
        ++tentativasNumeroOS_ > kTentativas)
        return;
    try {
        std::rethrow_exception(std::current_exception());
    } catch (const std::exception& erro) {
        if (!host::ConflitoDeRegistro(erro))
            return;
    } catch (...) {
        return;
    }
    // The number read was taken by a row not yet visible here: the next one,
    // or past whatever has been stored meanwhile.
    const int seguinte = std::max(int(MaximoDado("aoCodigo", "aatc01ao", "", "")), quOSAOCODIGO->asInteger()) + 1;
    quOSAOCODIGO->setAsInteger(seguinte);
    quOS->retryPost();
}

void TdmTec::quOSAfterPost(Dataset& DataSet)
{
    tentativasNumeroOS_ = 0;
    tentativasTotaisOS_ = 0;
    situacaoEscolhida_ = {};
    const int aoCodigo = quOSAOCODIGO->asInteger();
    const QString ordem = quOSAOCODIGO->asString();
    const QDateTime agora = QDateTime::currentDateTime();
    // The audit record is committed with the save it tells of.
    dmGlobal->GravaLog(IbUserName(), u"Alterou Ordem de Serviço " % ordem,
                       u"Cliente/Data/Operação: " % ordem % u'/' % quOSCLCODIGO->asString(), u"AATC01AO"_s, hoje(),
                       agora);
    dmGlobal->IBTransaction1->commitRetaining();
    quOS->refresh();
    quOS->beforeEdit = handler(&TdmTec::quOSBeforeEdit);

    const QString modoOS = parametro("ATMODOOS");
    if ((modoOS == "S" || modoOS == "1") && dmGlobal->ParametroInteiro("ATEQUIPAMENTOPADRAO") > 0 &&
        ContadorDados("AOCODIGO", "AATC01AOIT", ordem, {}, true) == 0)
        IncluirItemPadrao(aoCodigo);
    const QString controle = parametro("ATCONTROLEOS");
    if ((controle == "C" || controle == "P") && quOS->tag() != kTagAlteracaoInterna) {
        OSSalvarMotivoAlteracao("Atualização de Ordem de Serviço", quOSASCODIGO->asInteger());
        // The record belongs with the save just committed, not with whatever comes next.
        dmGlobal->IBTransaction1->commitRetaining();
    }
    if (modoOS == "E")
        OSEnviarEmailPorSituacao(aoCodigo);
    if (quOS->tag() == kTagAlteracaoInterna)
        quOS->setTag(0);
    ZelDevVerificarEvento(&DataSet, u"AFTERPOST"_s);
}

// The installation's default equipment becomes the item of an order saved without one.
void TdmTec::IncluirItemPadrao(int aoCodigo)
{
    if (!quOSItem->active())
        CarregaOSItens(aoCodigo, 0);
    quOSItem->append();
    quOSItemAOITEQUIPCODIGO->setAsInteger(dmGlobal->ParametroInteiro("ATEQUIPAMENTOPADRAO"));
    if (parametro("ATMODOOS") == "1") {
        quOSItemAOITAUTORIZADO->setAsString("S");
        quOSItemAOITGARANTIA->setAsString("1");
    }
    quOSItem->post();
}

// The order's children go with the header row, in the same unit of work:
// they are deleted once the header's own delete has succeeded (after-delete),
// so a refused or failed delete leaves every row in place. Work pending
// before the deletion is committed here, so undoing a failed cascade undoes
// this deletion only.
void TdmTec::quOSBeforeDelete(Dataset& DataSet)
{
    if (!VerificaValidadeSenha(parametro("ATSENHAOS"), "Senha de Exclusão de Ordem de Serviço"))
        host::abortOperation();
    const QString ordem = quOSAOCODIGO->asString();
    RecusaExclusaoComSolicitacao(ordem);
    RecusaExclusaoComDocumentos(ordem);
    RestricaoInserindoOS(*quOS, u"BEFOREDELETE"_s);
    sCodigoExcluido = ordem + "/" + quOSCLCODIGO->asString();
    dmGlobal->IBTransaction1->commitRetaining();
    iOSExcluida_ = quOSAOCODIGO->asInteger();
    ZelDevVerificarEvento(&DataSet, u"BEFOREDELETE"_s);
}

// A parts request stays with its order number: with the order gone, the next
// new order would take the number and the request, its deliveries with it.
void TdmTec::RecusaExclusaoComSolicitacao(const QString& ordem)
{
    const int solicitacao =
        CarregaNumeroInteiro("first 1 AICODIGO", "AATC07AI", "where AIID = 'C' and AOCODIGO = " + ordem);
    if (solicitacao > 0)
        dmGlobal->MostraAviso(QString("A Ordem de Serviço não pode ser excluída: a solicitação de peças %1 é dela."
                                      " Exclua a solicitação antes.")
                                  .arg(solicitacao, 6, 10, QChar('0')),
                              true);
}

// The stock documents and sales orders made for an order keep its number:
// with the order gone, the next new order would take the number, and with it
// returns and invoices of parts its customer never had.
void TdmTec::RecusaExclusaoComDocumentos(const QString& ordem)
{
    const QVariantMap chave{{"ordem", ordem}};
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    const QString documentos =
        host::db::selectValue(tr, "select list(distinct trim(DOCUMENTO), ', ') from ACEM14IT where AOCODIGO = :ordem",
                              chave)
            .toString();
    // The header names its sales order and its return too.
    QStringList pedidos =
        host::db::selectValue(
            tr, "select list(distinct trim(NUMERO_PEDIDO), ', ') from AVEC85IT where AOCODIGO = :ordem", chave)
            .toString()
            .split(", ", Qt::SkipEmptyParts);
    for (const host::data::Field* pedido : {quOSVECODIGO, quOSVECODIGODEVOLUCAO})
        if (const QString numero = pedido->asString().trimmed(); !numero.isEmpty() && !pedidos.contains(numero))
            pedidos << numero;
    QStringList partes;
    if (!documentos.isEmpty())
        partes << "o documento " + documentos;
    if (!pedidos.isEmpty())
        partes << "o pedido de venda " + pedidos.join(", ");
    if (!partes.isEmpty())
        dmGlobal->MostraAviso("A Ordem de Serviço não pode ser excluída: ela gerou " + partes.join(" e ") + ".", true);
}

void TdmTec::ExcluirDependentesOS()
{
    const int aoCodigo = iOSExcluida_;
    iOSExcluida_ = 0;
    if (aoCodigo == 0) {
        uDataTec::gravarExclusao("Deletou O.S.", "Código/Cliente:", "AATC01AO");
        return;
    }
    const QString ordem = QString::number(aoCodigo);
    try {
        DeletaRegistros("CADCOM", "where Contrato = " + ordem + " and IdOrigem = 'A'");
        // With the lines and items go their time entries and defects, and the
        // order's expenses, project products, accessories and costs: the next
        // new order takes this number again and would inherit them.
        for (const char* tabela : {"AATC01AOIT", "AATC01AOAD", "AATC01AP", "AATC01AA", "AATC01AAIT", "AATC01AAAD",
                                   "AATC01AV", "AATC01AX", "AATC01AQ", "AATC01AR", "AATC08AF"})
            DeletaRegistros(QString::fromLatin1(tabela), "where aoCodigo = " + ordem);
        // The audit record goes with the deletion: written after its commit,
        // the program's end took it back.
        uDataTec::gravarExclusao("Deletou O.S.", "Código/Cliente:", "AATC01AO");
        dmGlobal->IBTransaction1->commitRetaining();
    } catch (...) {
        // The header's delete and the children's go back together; the order is shown again.
        dmGlobal->IBTransaction1->rollbackRetaining();
        CarregaOrdemServico(aoCodigo);
        throw;
    }
}

void TdmTec::quOSCalcFields(Dataset&)
{
    const QString pedido = quOSVECODIGO->asString().trimmed();
    if (!pedido.isEmpty())
        quOSStatusPV->setAsString(StatusPedido(pedido, true));
    const QString devolucao = quOSVECODIGODEVOLUCAO->asString().trimmed();
    if (!devolucao.isEmpty())
        quOSStatusPedidoDevolucao->setAsString(StatusPedido(devolucao, false));
}

// What became of a sales order of the order: pending, not printed, queued,
// or the document that printed it (the newest one, or the first found).
QString TdmTec::StatusPedido(const QString& pedido, bool documentoMaisRecente)
{
    if (!quStatusPedido_)
        quStatusPedido_ = CriarIbQuery("quStatusPedido");
    host::data::Query& query = *quStatusPedido_;
    query.close();
    query.setSql("select NUMERO_PEDIDO, IMPRESSO_NF, OPERACAO from AVEC8501 where NUMERO_PEDIDO = :pedido");
    query.paramByName("pedido")->setAsString(pedido);
    query.open();
    const QString numero = query.fieldByName("NUMERO_PEDIDO")->asString();
    const QString impresso = query.fieldByName("IMPRESSO_NF")->asString();
    const QString operacao = query.fieldByName("OPERACAO")->asString();
    query.close();
    if (operacao == "00000")
        return "Pedido de Pendência";
    if (impresso.isEmpty())
        return "Pedido não impresso";
    if (impresso == "N")
        return "Pedido na fila de Impressão";
    if (impresso != "S")
        return {};
    const QString documento =
        CarregaDado("first 1 documento", "acem1401",
                    "where Cod_Pedido = " + QuotedStr(numero) + (documentoMaisRecente ? " order by data desc" : ""),
                    &query);
    query.close();
    return "Impresso Documento " + documento;
}

void TdmTec::quPesqOSAfterScroll(Dataset&)
{
    if (quPesqOS->controlsDisabled())
        return;
    const int ordem = quPesqOS->fieldByName("AOCODIGO")->asInteger();
    CarregaOrdemServico(ordem);
    if (parametro("ATANDAMENTOPORITEM") != "I") {
        CarregaOSAtributos(ordem, 0, true);
        return;
    }
    const int item = quPesqOS->fieldByName("AOITCODIGO")->asInteger();
    CarregaOSAtributos(ordem, item, true);
    if (OSAndamentoTotalizarServicoPeca && host::ui::WindowRegistry::find("fmAssAndamento"))
        OSAndamentoTotalizarServicoPeca(ordem, item);
}

void TdmTec::OSSalvarPendentes()
{
    const bool novaOrdem = quOS->state() == host::data::DatasetState::Insert;
    SalvarAlteracoes(*quOS);
    // The header query follows the number the new order was stored under.
    if (novaOrdem && quOSAOCODIGO->asInteger() > 0)
        SeguirOrdemNova();
    for (host::data::Dataset* d : {quOSItem, quOSAndamento, quOSPecas, quOSDespViagem, quOSDespExtra, quOSProj,
                                   quOSContato, quOSAcessorios})
        SalvarAlteracoes(*d);
    // Writes left to the next commit (an accessory checked) are stored by the save too.
    dmGlobal->IBTransaction1->commitRetaining();
}

// "Cancelar" drops what was typed and not stored, on the order's lines as on
// its header: a line left half made would otherwise hold up the next save
// or print with its own refusal.
void TdmTec::OSCancelarPendentes()
{
    for (host::data::Dataset* d : {quOSItem, quOSAndamento, quOSPecas, quOSDespViagem, quOSDespExtra, quOSProj,
                                   quOSContato, quOSAcessorios})
        CancelarAlteracoes(*d);
    CancelarAlteracoes(*quOS);
}

// The save read the new row again already: the header query takes its
// number without reading it a third time, and its children load for it.
void TdmTec::SeguirOrdemNova()
{
    const int codigo = quOSAOCODIGO->asInteger();
    if (!quOS->active() || quOS->state() != host::data::DatasetState::Browse || quOS->isEmpty()) {
        CarregaOrdemServico(codigo);
        return;
    }
    OSGravarLinhasPendentes();
    quOS->paramByName(u"aocodigo"_s)->setAsInteger(codigo);
    quOSAfterScroll(*quOS);
}

void TdmTec::OSGravarLinhasPendentes()
{
    for (host::data::Query* d : {quOS, quOSItem, quOSAndamento, quOSPecas, quOSDespViagem, quOSDespExtra, quOSProj,
                                 quOSContato, quOSAcessorios})
        if (d->active())
            GravarPendente(*d);
}

void TdmTec::OSSalvarPendentesAoFechar()
{
    for (host::data::Dataset* d : {quOS, quOSItem, quOSAndamento, quOSPecas, quOSDespViagem, quOSDespExtra,
                                   quOSContato, quOSAcessorios})
        if (d->editing() && !d->modified())
            d->cancel();
    OSSalvarPendentes();
}
