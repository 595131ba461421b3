// What hangs on the situation of an order: choosing a situation (its
// refusals, the situation-change dialog, stock withdrawal and release of
// reservations), the reason-for-change progress record, the header stored
// without its rules, and the defaults and uniqueness rule of the register.

#include "data/uDataTec.h"

#include "host/PilvCpr70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Ulote.h"
#include "host/data/Abort.h"
#include "host/data/HandlerGuard.h"
#include "host/db/Database.h"
#include "host/ui/Dialogs.h"
#include "host/data/Field.h"
#include "host/schema/SchemaDefinition.h"

#include <memory>
#include <stdexcept>

using host::data::Dataset;
using host::data::DatasetState;

namespace {

DialogoTrocaSituacao& dialogoTroca()
{
    static DialogoTrocaSituacao dialogo;
    return dialogo;
}

// Runs the function when the scope ends, a failure included.
class AoSair {
public:
    explicit AoSair(std::function<void()> acao) : acao_(std::move(acao)) {}
    ~AoSair() { acao_(); }
    AoSair(const AoSair&) = delete;
    AoSair& operator=(const AoSair&) = delete;

private:
    std::function<void()> acao_;
};

}  // namespace

void InstalarDialogoTrocaSituacao(DialogoTrocaSituacao dialogo)
{
    dialogoTroca() = std::move(dialogo);
}

namespace {

SituacaoOS lerSituacao(int asCodigo)
{
    SituacaoOS situacao;
    // Kept prepared by the transaction: every order and item saved reads it.
    const std::shared_ptr<host::db::Statement> kept = dmGlobal->IBTransaction1->prepared(
        "select ASTIPO, ASINSERCAO, ASESTOQUE, ASRESERVA, ASCLIENTE from AATC01AS where ASCODIGO = :codigo");
    host::db::Statement& statement = *kept;
    statement.setParam("codigo", asCodigo);
    statement.execute();
    if (!statement.fetch())
        return situacao;
    situacao.tipo = statement.value(0).toString();
    situacao.insercao = statement.value(1).toString();
    situacao.estoque = statement.value(2).toString();
    situacao.reserva = statement.value(3).toString();
    situacao.cliente = statement.value(4).toString();
    statement.closeCursor();
    return situacao;
}

}  // namespace

SituacaoOS LerSituacaoOS(int asCodigo)
{
    if (asCodigo <= 0)
        return {};
    // A batch run reads each situation once.
    return host::ExecucaoLote::lembrada("AATC01AS", "LerSituacaoOS " + QString::number(asCodigo), [&] {
               return QVariant::fromValue(lerSituacao(asCodigo));
           }).value<SituacaoOS>();
}

void TdmTec::quOSASCODIGOChange(host::data::Field& Sender)
{
    const int nova = Sender.asInteger();
    const SituacaoOS situacao = LerSituacaoOS(nova);
    if (quOS->state() == DatasetState::Edit && situacao.insercao == "S")
        dmGlobal->MostraAviso("Situação permitida apenas para novas Ordens de Serviço!", true);
    if (parametro("ATREMANUFATURA") == "S" && quOSAOREMANUFATURA->asString() == "A" &&
        QStringList({"R", "S", "C", "D"}).contains(situacao.tipo))
        dmGlobal->MostraAviso("Situação inválida para Ordem de Serviço de Assistência Técnica!", true);
    if (parametro("ATRESTRICAOOS") == "B" && situacao.tipo == "M")
        RecusarSituacaoMortaComLinhasACobrar();

    const int anterior = Sender.oldValue().toInt();
    if (anterior != nova && anterior > 0) {
        if (parametro("ATCONTROLEOS") == "S")
            ConfirmarTrocaSituacao(Sender, anterior, nova);
        SalvarAlteracoes(*quOS);
    }

    // The situation in force now: the one chosen in the dialog, when it ran.
    const SituacaoOS escolhida = Sender.asInteger() == nova ? situacao : LerSituacaoOS(Sender.asInteger());
    situacaoEscolhida_ = {Sender.asInteger(), escolhida};
    if (escolhida.estoque == "S")
        BaixarEstoqueOrdemServico(quOSAOCODIGO->asInteger(), true, true);
    if (escolhida.reserva == "R")
        RetirarReservaOrdemServido(quOSAOCODIGO->asInteger());
}

// A dead situation may not end an order that still has charged lines to invoice.
void TdmTec::RecusarSituacaoMortaComLinhasACobrar()
{
    const QString ordem = quOSAOCODIGO->isNull() ? QString("null") : quOSAOCODIGO->asString();
    const QString aCobrar = " and coalesce(VECODIGO, '') = ''";
    if (CarregaNumeroInteiro("count(*)", "AATC01AA",
                             "where AOCODIGO = " + ordem + " and (AATIPO = '3' or coalesce(AATIPO, '') = '')" +
                                 aCobrar) > 0)
        dmGlobal->MostraAviso("Situação do tipo \"Morta\" não pode ser selecionada em ordens de serviço que possuam "
                              "Serviços a serem faturados e sem garantia!",
                              true);
    if (CarregaNumeroInteiro("count(*)", "AATC01AP",
                             "where AOCODIGO = " + ordem + " and (APTIPO = '3' or coalesce(APTIPO, '') = '')" +
                                 aCobrar) > 0)
        dmGlobal->MostraAviso("Situação do tipo \"Morta\" não pode ser selecionada em ordens de serviço que possuam "
                              "Peças a serem faturadas e sem garantia!",
                              true);
}

// Technician control: the change goes through the dialog, which may pick
// another situation; giving it up cancels the whole header edit.
void TdmTec::ConfirmarTrocaSituacao(host::data::Field& campo, int anterior, int proposta)
{
    host::data::DetachHandler semRegra(campo.onChange);
    const int escolhida = RetornaSituacaoTroca(anterior, proposta, false);
    if (escolhida <= 0) {
        CancelarAlteracoes(*quOS);
        host::abortOperation();
    }
    campo.setAsInteger(escolhida);
}

int TdmTec::RetornaSituacaoTroca(int /*atual*/, int proposta, bool porItem)
{
    if (quOS->state() == DatasetState::Insert || parametro("ATCONTROLEOS") != "S")
        return 0;
    int tecnico = 0;
    if (!VerificaTecnicoCadastrado(tecnico, IbUserName()))
        dmGlobal->MostraErro("Usuário não está cadastrado como técnico");
    if (!dialogoTroca())
        throw std::logic_error("the situation-change dialog is not installed");
    PedidoTrocaSituacao pedido;
    pedido.ordem = quOSAOCODIGO->asInteger();
    pedido.proposta = proposta;
    pedido.tecnico = tecnico;
    if (porItem) {
        if (!quPesqSitItem->active())
            quPesqSitItem->open();
        pedido.situacoes = quPesqSitItem;
    }
    return dialogoTroca()(pedido);
}

void TdmTec::OSSalvarMotivoAlteracao(const QString& textoPadrao, int asCodigo)
{
    int tecnico = 0;
    VerificaTecnicoCadastrado(tecnico, IbUserName());
    QString motivo = textoPadrao;
    if (!host::ui::Dialogs::inputQuery("Motivo alteração", "Informe o motivo de alteração:", motivo))
        motivo = textoPadrao;
    const QString cliente = quOSCLCODIGO->asString();
    const int sequencia = int(MaximoDado("SEQUENCIA", "CADCOM", "COD_CLI", cliente)) + 1;
    const QTime agora = QTime::currentTime();
    const QString observacao = "Valor Total: " + quOSAOVALORTOTAL->displayText() +
                               " Valor Serviços: " + quOSAOVALORSERVICO->displayText() +
                               " Valor Peças: " + quOSAOVALORPECAS->displayText();
    InsertTable("CADCOM",
                {"IDORIGEM", "SEQUENCIA", "CONTRATO", "COD_CLI", "ASCODIGO", "VENDEDOT", "PESSOA_CONTATO",
                 "HORA_SOLICITADA", "HORA_VISITA", "DATA_SOLICITADA", "RESUMIDA", "OBSERVACAO"},
                {"A", sequencia, quOSAOCODIGO->value(), cliente, asCodigo, QString::number(tecnico), IbUserName(),
                 QDateTime(host::data::diaZero(), agora), QDateTime(host::data::diaZero(), agora),
                 QDate::currentDate().startOfDay(), motivo.left(100), observacao},
                dmGlobal->quAuxiliar, true);
}

void TdmTec::OSSalvaAtualiza()
{
    AoSair reanexar([this] {
        quOS->beforePost = handler(&TdmTec::quOSBeforePost);
        quOS->beforeEdit = handler(&TdmTec::quOSBeforeEdit);
        quOS->afterPost = handler(&TdmTec::quOSAfterPost);
    });
    quOS->beforePost = nullptr;
    quOS->beforeEdit = nullptr;
    quOS->afterPost = nullptr;
    quOS->edit();
    quOS->post();
    quOS->refresh();
}

// ---- situation register ----

void TdmTec::quOSSituacaoNewRecord(Dataset& DataSet)
{
    quOSSituacaoASTIPO->setAsString("N");
    quOSSituacaoASINTERNET->setAsString("N");
    quOSSituacaoASAPROVA->setAsString("S");
    quOSSituacaoASESTOQUE->setAsString("N");
    quOSSituacaoASCLIENTE->setAsString("N");
    quOSSituacaoASINSERCAO->setAsString("N");
    quOSSituacaoASRESERVA->setAsString("S");
    quOSSituacaoASCODIGO->setAsInteger(ProximaChave(host::schema::kGeneratorSituation, "ASCODIGO", "AATC01AS"));
    ZelDevVerificarEvento(&DataSet, "ONNEWRECORD");
}

// One situation of each of the types initial, dead and remanufacture. A row
// being edited counts only the others, so changing a row's type into one that
// is already taken is refused as well.
void TdmTec::quOSSituacaoBeforePost(Dataset& DataSet)
{
    if (quOSSituacaoASID->asString().trimmed().isEmpty())
        quOSSituacaoASID->setAsString("A");
    const QString tipo = quOSSituacaoASTIPO->asString();
    if (tipo == "I" || tipo == "M" || tipo == "R") {
        QString outras;
        if (DataSet.state() == DatasetState::Edit)
            outras = " and ASCODIGO <> " + ValueToSQL(quOSSituacaoASCODIGO->oldValue());
        if (ContadorDados("ASTIPO", "AATC01AS", tipo, outras) > 0)
            dmGlobal->MostraErro("Tipo já cadastrado");
    }
    ZelDevVerificarEvento(&DataSet, "BEFOREPOST");
}
