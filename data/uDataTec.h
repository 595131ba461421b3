#pragma once
// TdmTec, the service data module: one query per table of service data (orders
// and their lines, expenses, defects, costs, progress records, situations,
// technicians, equipment, labour-hour types, parts requests, basic contracts,
// assistance orders and rental equipment), the update objects that write them
// back, the field objects the rules and windows read by name, and the event
// handlers in which the rules run.
//
// One instance lives in dmTec, created through dmTec.create(owner): the
// variable is set before the creation handler (the schema upgrade) runs. No
// dataset is open after creation; loaders and windows open what they use.

#include "host/data/DataModule.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/data/UpdateSql.h"
#include "host/db/Database.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

#include <functional>
#include <vector>
#include <memory>

struct ImpostoItemEntrada;
namespace venda_os {
struct Selecao;
}

// The flags of a situation as stored; all empty for 0 or an unknown code.
struct SituacaoOS {
    QString tipo, insercao, estoque, reserva, cliente;
};

class TdmTec : public host::data::DataModule {
public:
    explicit TdmTec(host::Component* owner = nullptr);
    ~TdmTec() override;

    // ---- queries --------------------------------------------------------
    host::data::Query* quOS = nullptr;
    host::data::Query* quOSItem = nullptr;
    host::data::Query* quOSPecas = nullptr;
    host::data::Query* quOSAndamento = nullptr;
    host::data::Query* quOSAndaIt = nullptr;
    host::data::Query* quOSAndDef = nullptr;
    host::data::Query* quOSItemDef = nullptr;
    host::data::Query* quOSDespViagem = nullptr;
    host::data::Query* quOSDespExtra = nullptr;
    host::data::Query* quOSProj = nullptr;
    host::data::Query* quOSAcessorios = nullptr;
    host::data::Query* quOSCusto = nullptr;
    host::data::Query* quOSContato = nullptr;
    host::data::Query* quOSComprasCli = nullptr;
    host::data::Query* quPesqOS = nullptr;
    host::data::Query* quPesqSitItem = nullptr;
    host::data::Query* quOSSituacao = nullptr;
    host::data::Query* quDefeito = nullptr;
    host::data::Query* quTecnicos = nullptr;
    host::data::Query* quTecEquip = nullptr;
    host::data::Query* QuTecDesc = nullptr;
    host::data::Query* quEquipamento = nullptr;
    host::data::Query* quEquipCli = nullptr;
    host::data::Query* quHoraTecnica = nullptr;
    host::data::Query* quContrato = nullptr;
    host::data::Query* quContEquip = nullptr;
    host::data::Query* quContServ = nullptr;
    host::data::Query* quContItPesq = nullptr;
    host::data::Query* quAssHistorico = nullptr;
    host::data::Query* quSolicita = nullptr;
    host::data::Query* quSolicitaIt = nullptr;
    host::data::Query* quSolicitacaoItEnt = nullptr;
    // assistance orders and rental equipment
    host::data::Query* quAssVenda = nullptr;
    host::data::Query* quAssVendaItem = nullptr;
    host::data::Query* quAssVendaCotado = nullptr;
    host::data::Query* quAssVendaObs = nullptr;
    host::data::Query* quAssCtrlAlter = nullptr;
    host::data::Query* quEqpCfgComp = nullptr;
    host::data::Query* quEquipamentoLocacao = nullptr;
    host::data::Query* quAcessoriosLocacao = nullptr;
    host::data::Query* quEquipamentoGrupo = nullptr;

    // ---- update objects -------------------------------------------------
    host::data::UpdateSql* usOS = nullptr;
    host::data::UpdateSql* usOSItem = nullptr;
    host::data::UpdateSql* usOSPecas = nullptr;
    host::data::UpdateSql* usOSAndamento = nullptr;
    host::data::UpdateSql* usOSAndaIt = nullptr;
    host::data::UpdateSql* usOSAndDef = nullptr;
    host::data::UpdateSql* usOSItemDef = nullptr;
    host::data::UpdateSql* usOSDespViagem = nullptr;
    host::data::UpdateSql* usOSDespExtra = nullptr;
    host::data::UpdateSql* usOSProj = nullptr;
    host::data::UpdateSql* usOSAcessorios = nullptr;
    host::data::UpdateSql* usOSCusto = nullptr;
    host::data::UpdateSql* usOSContato = nullptr;
    host::data::UpdateSql* usOSSituacao = nullptr;
    host::data::UpdateSql* usDefeito = nullptr;
    host::data::UpdateSql* usTecnicos = nullptr;
    host::data::UpdateSql* usTecEquip = nullptr;
    host::data::UpdateSql* usTecDesc = nullptr;
    host::data::UpdateSql* usEquipamento = nullptr;
    host::data::UpdateSql* usEquipCli = nullptr;
    host::data::UpdateSql* usHoraTecnica = nullptr;
    host::data::UpdateSql* usContrato = nullptr;
    host::data::UpdateSql* usContEquip = nullptr;
    host::data::UpdateSql* usContServ = nullptr;
    host::data::UpdateSql* usAssHistorico = nullptr;
    host::data::UpdateSql* usSolicita = nullptr;
    host::data::UpdateSql* usSolicitaIt = nullptr;
    host::data::UpdateSql* usSolicitacaoItEnt = nullptr;
    host::data::UpdateSql* usAssVenda = nullptr;
    host::data::UpdateSql* usAssVendaItem = nullptr;
    host::data::UpdateSql* usAssVendaCotado = nullptr;
    host::data::UpdateSql* usAssVendaObs = nullptr;
    host::data::UpdateSql* usEquipamentoLocacao = nullptr;
    host::data::UpdateSql* usAcessoriosLocacao = nullptr;
    host::data::UpdateSql* usEquipamentoGrupo = nullptr;

    // ---- data sources (bound at run time to a customer's contacts) ------
    host::data::DataSource* dsContato = nullptr;
    host::data::DataSource* dsContatoEnt = nullptr;
    host::data::DataSource* dsContatoCob = nullptr;

    // ---- public fields --------------------------------------------------
    int iOSPesquisaAtual = 0;        // aoCodigo of quPesqOS's row when it last closed
    double rTotalCustoOS = 0;        // sum(AFTOTAL) of the cost lines quOSCusto shows
    QString sTipoCustoOS;            // "S" service line, "P" parts line: the cost lines being edited
    int iDefeitoAOCODIGO = 0;        // owner of the item defects being edited:
    int iDefeitoAOITCODIGO = 0;      //   order and item,
    int iDefeitoMEITSEQUENCIA = 0;   //   or sales-document item
    double rDefeitoMECHAVE = 0;      //   and its document key

    // ---- creation and schema upgrade (uDataTecUpgrade.cpp) ---------------
    void DataModuleCreate();
    void quContratoBeforeOpen(host::data::Dataset& DataSet);
    void quOSContatoBeforeOpen(host::data::Dataset& DataSet);

    // ---- handlers shared by several datasets ------------------------------
    // Report the event to the customisation hook with the sender, nothing else.
    void NotificarBeforePost(host::data::Dataset& DataSet);
    void NotificarBeforeClose(host::data::Dataset& DataSet);

    // ---- registers: delete audit, post and commit (uDataTecRegistros.cpp) --
    void quDefeitoBeforeDelete(host::data::Dataset& DataSet);
    // Refuses (with a message saying where) deleting a register's row that
    // orders, customers' equipment or contracts still use.
    void recusarExclusaoEmUso(const host::data::Dataset& dataset, const QString& registro);
    void quDefeitoAfterDelete(host::data::Dataset& DataSet);
    void quDefeitoAfterPost(host::data::Dataset& DataSet);
    void quTecnicosBeforeDelete(host::data::Dataset& DataSet);
    void quTecnicosAfterDelete(host::data::Dataset& DataSet);
    void quTecnicosAfterPost(host::data::Dataset& DataSet);
    void quTecnicosBeforeOpen(host::data::Dataset& DataSet);
    void quTecEquipBeforeDelete(host::data::Dataset& DataSet);
    void quTecEquipAfterDelete(host::data::Dataset& DataSet);
    void quEquipamentoBeforeDelete(host::data::Dataset& DataSet);   // also quEquipamentoLocacao's
    // Rentable equipment (uDataTecEquipamentoLocacao.cpp): the code captions,
    // a new record's code, and the accessory and group rows of the current one.
    void bindEquipamentoLocacaoHandlers();
    void CarregaItensEquipamentoLocacao();
    void quEquipamentoAfterDelete(host::data::Dataset& DataSet);
    void quEquipamentoAfterPost(host::data::Dataset& DataSet);
    void quEquipamentoAfterScroll(host::data::Dataset& DataSet);
    void quEquipamentoAfterOpen(host::data::Dataset& DataSet);
    void quHoraTecnicaBeforeDelete(host::data::Dataset& DataSet);
    void quHoraTecnicaAfterDelete(host::data::Dataset& DataSet);
    void quHoraTecnicaAfterPost(host::data::Dataset& DataSet);
    // quHoraTecnica serves the order window's hour-type list and the
    // registers that show it: open while any of them uses it, closed when the
    // last one lets it go (uDataTecHoraTecnica.cpp). Both may repeat.
    void UsarHoraTecnica(const void* usuario);
    void LargarHoraTecnica(const void* usuario);
    // An order this desk has just changed by statement (billed, closed,
    // queued) is read again where quOS shows it, so that the order window's
    // next save is not taken for another desk's change; a header being typed
    // takes the changed columns and keeps the rest of its typing
    // (uDataTecOSRelida.cpp).
    void RelerOSAlterada(int aoCodigo);
    void quOSSituacaoBeforeDelete(host::data::Dataset& DataSet);
    void quOSSituacaoAfterDelete(host::data::Dataset& DataSet);
    void quOSSituacaoAfterPost(host::data::Dataset& DataSet);
    void quContratoBeforeDelete(host::data::Dataset& DataSet);
    void quContratoAfterDelete(host::data::Dataset& DataSet);
    void quContEquipBeforeDelete(host::data::Dataset& DataSet);
    void quContEquipAfterDelete(host::data::Dataset& DataSet);
    void quContServBeforeDelete(host::data::Dataset& DataSet);
    void quContServAfterDelete(host::data::Dataset& DataSet);

    // ---- service-order data: audit and guard conventions (uDataTecOS.cpp) -
    void quOSAfterDelete(host::data::Dataset& DataSet);
    void quOSItemAfterDelete(host::data::Dataset& DataSet);
    void quOSAcessoriosAfterDelete(host::data::Dataset& DataSet);
    void quOSAcessoriosAfterPost(host::data::Dataset& DataSet);
    void quOSPecasBeforeDelete(host::data::Dataset& DataSet);
    void quOSAndamentoBeforeDelete(host::data::Dataset& DataSet);
    void quOSAndamentoDeleteError(host::data::Dataset& DataSet);

    // ---- opening: masks, SQL dump, open log (uDataTecAbertura.cpp) --------
    void quPesqOSBeforeOpen(host::data::Dataset& DataSet);
    void quPesqOSAfterOpen(host::data::Dataset& DataSet);
    void quPesqOSBeforeClose(host::data::Dataset& DataSet);
    void quOSComprasCliBeforeOpen(host::data::Dataset& DataSet);
    void quOSComprasCliAfterOpen(host::data::Dataset& DataSet);
    void quOSItemDefBeforeOpen(host::data::Dataset& DataSet);
    void quAssVendaItemBeforeOpen(host::data::Dataset& DataSet);
    // Saves the query's SQL text to <system folder>/SQLQuery/<name><ddmmyy_hhmmsszzz>.SQL
    // when bDetectarErroSQL is set; the folder must exist. Returns the file
    // written, "" when none.
    QString SalvarSQLQuery(const host::data::Query& query) const;

    // ---- edit guard and situations (uDataTecRestricao.cpp, uDataTecSituacao.cpp)
    // A situation's own password, asked when it has one; a wrong one aborts.
    void OSVerificaSenhaAlteracaoSituacao(int asCodigo);
    // Technicians who may write reports but not change orders get an order
    // whose report is still empty without the before-edit guard.
    void LiberaAlteracaoLaudo();
    void quOSASCODIGOChange(host::data::Field& Sender);
    // The situation chosen in the situation-change dialog, 0 when none.
    int RetornaSituacaoTroca(int atual, int proposta, bool porItem);
    // The technician code of the name (0 when none); true when there is one.
    bool VerificaTecnicoCadastrado(int& atCodigo, const QString& nome);
    // Asks the reason and writes the order's progress record (not committed).
    void OSSalvarMotivoAlteracao(const QString& textoPadrao, int asCodigo);
    // Stores quOS's row without its before-post, before-edit and after-post rules.
    void OSSalvaAtualiza();
    // Stores what is pending on the order shown: header first (a new order is
    // reloaded under the number it got), then its items, then the lines that
    // refer to them. Run before another order takes its place.
    void OSSalvarPendentes();
    // The same when the window closes; a row put in edit or insert and left
    // untouched is let go rather than stored.
    void OSSalvarPendentesAoFechar();
    // Drops what is pending on the order shown, its lines' rows as the header's.
    void OSCancelarPendentes();
    // The rows being typed on the order shown, as leaving them in a grid
    // stores them: run before anything reloads the order.
    void OSGravarLinhasPendentes();
    // After a new order's save: the header query follows its number.
    void SeguirOrdemNova();

    // ---- service-order header (uDataTecOSCabecalho.cpp, uDataTecOSGravacao.cpp)
    void quOSCLCODIGOValidate(host::data::Field& Sender);
    void quOSCLCODIGOChange(host::data::Field& Sender);
    void quOSFOCODIGOVENDEDORChange(host::data::Field& Sender);
    void quOSAOPRIORIDADEChange(host::data::Field& Sender);
    // AOHISTORICO of the order being edited: its last three earlier orders of the plate.
    void InserirHistoricoUltimasOrdensServico(const QString& ordem, const QString& cliente, const QString& placa);

    // ---- routines of other rules that the header calls
    // Orders from known equipment (uDataTecOSEquipamento.cpp).
    void NovaOSEquipamentoPreExistente(const QString& tipo, const QString& valor, bool bNovaOS);
    void NovoEquipamentoPlacaPreExistente(const QString& tipo, const QString& placa, int aoCodigo);
    // Status e-mail and the customer's contact picker (uDataTecEmail.cpp).
    void OSEnviarEmailPorSituacao(int aoCodigo);
    void EnviarMensagemContatoCliente(const QString& cliente, const QString& texto);
    // Parts lines into sales orders and the stock (uDataTecBaixa.cpp).
    void InserirPecaPedidoVenda(bool bPendentes, const QString& pedido, bool bColecaoFechada, bool bTodas);
    // The same with the sale's choices already made (uDataTecVendaOS.h).
    void InserirPecaPedidoVenda(const venda_os::Selecao& selecao, const QString& pedido, bool bColecaoFechada);
    void BaixarEstoqueOrdemServico(int aoCodigo, bool bTodas, bool bVerificar);
    void RetirarReservaOrdemServido(int aoCodigo);

    // ---- the order's datasets: edit guard and handlers (uDataTecRestricao.cpp,
    // uDataTecOSCabecalho.cpp, uDataTecOSGravacao.cpp and the files of each kind of line)
    // Edit guard of service-order data: refuses (Abort or message) a change.
    void RestricaoInserindoOS(host::data::Dataset& DataSet, const QString& evento);
    void quOSNewRecord(host::data::Dataset& DataSet);
    void quOSBeforeInsert(host::data::Dataset& DataSet);
    void quOSBeforeEdit(host::data::Dataset& DataSet);
    void quOSBeforePost(host::data::Dataset& DataSet);
    // A billed order's header refuses a change of its discounts.
    void RecusarDescontoDeOrdemFaturada();
    // A new order whose number another station stored (or is storing) first
    // takes the next free number and is written again.
    void quOSPostError(host::data::Dataset& DataSet);
    void quOSAfterPost(host::data::Dataset& DataSet);
    void quOSAfterCancel(host::data::Dataset& DataSet);
    void quOSBeforeDelete(host::data::Dataset& DataSet);
    void quOSAfterScroll(host::data::Dataset& DataSet);
    void quOSCalcFields(host::data::Dataset& DataSet);
    void quPesqOSAfterScroll(host::data::Dataset& DataSet);
    void quOSItemNewRecord(host::data::Dataset& DataSet);
    void quOSItemBeforeInsert(host::data::Dataset& DataSet);
    void quOSItemBeforeEdit(host::data::Dataset& DataSet);
    void quOSItemBeforePost(host::data::Dataset& DataSet);
    void quOSItemAfterPost(host::data::Dataset& DataSet);
    void quOSItemBeforeDelete(host::data::Dataset& DataSet);
    void quOSItemBeforeOpen(host::data::Dataset& DataSet);
    void quOSItemCalcFields(host::data::Dataset& DataSet);
    void quOSPecasNewRecord(host::data::Dataset& DataSet);
    void quOSPecasBeforeInsert(host::data::Dataset& DataSet);
    void quOSPecasBeforeEdit(host::data::Dataset& DataSet);
    void quOSPecasBeforePost(host::data::Dataset& DataSet);
    void quOSPecasAfterPost(host::data::Dataset& DataSet);
    void quOSPecasAfterDelete(host::data::Dataset& DataSet);
    void quOSPecasBeforeOpen(host::data::Dataset& DataSet);
    void quOSPecasCalcFields(host::data::Dataset& DataSet);
    void quOSAndamentoNewRecord(host::data::Dataset& DataSet);
    void quOSAndamentoBeforeInsert(host::data::Dataset& DataSet);
    void quOSAndamentoBeforeEdit(host::data::Dataset& DataSet);
    void quOSAndamentoBeforePost(host::data::Dataset& DataSet);
    void quOSAndamentoAfterPost(host::data::Dataset& DataSet);
    void quOSAndamentoAfterDelete(host::data::Dataset& DataSet);
    void quOSAndamentoCalcFields(host::data::Dataset& DataSet);
    void quOSAndaItNewRecord(host::data::Dataset& DataSet);
    void quOSAndaItBeforePost(host::data::Dataset& DataSet);
    void quOSAndaItAfterPost(host::data::Dataset& DataSet);
    void quOSAndaItAfterDelete(host::data::Dataset& DataSet);
    void quOSAndDefNewRecord(host::data::Dataset& DataSet);
    void quOSAndDefBeforePost(host::data::Dataset& DataSet);
    void quOSAndDefAfterPost(host::data::Dataset& DataSet);
    void quOSAndDefBeforeDelete(host::data::Dataset& DataSet);
    void quOSAndDefAfterDelete(host::data::Dataset& DataSet);
    void quOSAndDefBeforeClose(host::data::Dataset& DataSet);
    void quOSItemDefNewRecord(host::data::Dataset& DataSet);
    void quOSItemDefBeforePost(host::data::Dataset& DataSet);
    void quOSItemDefAfterPost(host::data::Dataset& DataSet);
    void quOSItemDefAfterDelete(host::data::Dataset& DataSet);
    void quOSAndDefADCODIGOChange(host::data::Field& Sender);
    void quOSItemDefADCODIGOChange(host::data::Field& Sender);
    void quOSDespViagemNewRecord(host::data::Dataset& DataSet);
    void quOSDespViagemBeforePost(host::data::Dataset& DataSet);
    void quOSDespExtraBeforePost(host::data::Dataset& DataSet);
    void quOSDespViagemAfterPost(host::data::Dataset& DataSet);
    void quOSDespViagemAfterDelete(host::data::Dataset& DataSet);
    void quOSDespExtraNewRecord(host::data::Dataset& DataSet);
    void quOSDespExtraAfterPost(host::data::Dataset& DataSet);
    void quOSDespExtraAfterDelete(host::data::Dataset& DataSet);
    void quOSProjNewRecord(host::data::Dataset& DataSet);
    void quOSProjBeforePost(host::data::Dataset& DataSet);
    void quOSProjAfterPost(host::data::Dataset& DataSet);
    void quOSCustoNewRecord(host::data::Dataset& DataSet);
    void quOSCustoBeforePost(host::data::Dataset& DataSet);
    void quOSCustoAfterPost(host::data::Dataset& DataSet);
    void quOSCustoAfterOpen(host::data::Dataset& DataSet);
    void quOSCustoAfterDelete(host::data::Dataset& DataSet);
    void quOSContatoNewRecord(host::data::Dataset& DataSet);
    void quOSContatoBeforePost(host::data::Dataset& DataSet);
    void quOSContatoAfterPost(host::data::Dataset& DataSet);
    void quOSContatoBeforeInsert(host::data::Dataset& DataSet);
    void quOSContatoBeforeDelete(host::data::Dataset& DataSet);
    void quOSContatoAfterDelete(host::data::Dataset& DataSet);
    void quOSContatoHORA_VISITAChange(host::data::Field& Sender);
    void quOSContatoCTHORAFINALChange(host::data::Field& Sender);
    void bindContatoHandlers();
    void quOSAcessoriosNewRecord(host::data::Dataset& DataSet);
    void quOSAcessoriosBeforePost(host::data::Dataset& DataSet);
    void quOSAcessoriosBeforeDelete(host::data::Dataset& DataSet);
    void quOSSituacaoNewRecord(host::data::Dataset& DataSet);
    void quOSSituacaoBeforePost(host::data::Dataset& DataSet);
    void quDefeitoNewRecord(host::data::Dataset& DataSet);
    void quTecnicosNewRecord(host::data::Dataset& DataSet);
    void quTecEquipNewRecord(host::data::Dataset& DataSet);
    void quEquipamentoNewRecord(host::data::Dataset& DataSet);
    void quEquipCliNewRecord(host::data::Dataset& DataSet);
    void quEquipCliBeforePost(host::data::Dataset& DataSet);
    void quEquipCliAfterPost(host::data::Dataset& DataSet);
    void quEquipCliBeforeDelete(host::data::Dataset& DataSet);
    void quEquipCliAfterDelete(host::data::Dataset& DataSet);
    void quHoraTecnicaNewRecord(host::data::Dataset& DataSet);
    void quHoraTecnicaBeforePost(host::data::Dataset& DataSet);
    void quContratoNewRecord(host::data::Dataset& DataSet);
    void quContratoBeforePost(host::data::Dataset& DataSet);
    void quContratoAfterPost(host::data::Dataset& DataSet);
    void quContEquipBeforeInsert(host::data::Dataset& DataSet);
    void quContEquipNewRecord(host::data::Dataset& DataSet);
    void quContEquipBeforePost(host::data::Dataset& DataSet);
    void quContServBeforeInsert(host::data::Dataset& DataSet);
    void quContServNewRecord(host::data::Dataset& DataSet);
    // Registers, basic contracts and accessories (uDataTecCadastros.cpp).
    void bindCadastrosHandlers();
    void quTecnicosBeforePost(host::data::Dataset& DataSet);
    void quTecnicosAfterScroll(host::data::Dataset& DataSet);
    void quTecEquipBeforeInsert(host::data::Dataset& DataSet);
    void quTecEquipAfterPost(host::data::Dataset& DataSet);
    void quTecEquipAECODIGOChange(host::data::Field& Sender);
    void QuTecDescBeforeInsert(host::data::Dataset& DataSet);
    void QuTecDescNewRecord(host::data::Dataset& DataSet);
    void QuTecDescAfterPost(host::data::Dataset& DataSet);
    void QuTecDescAfterDelete(host::data::Dataset& DataSet);
    // The technicians register's details: its qualified models and its
    // descendants, read again when the register moves to another technician.
    void bindTecnicoHandlers();
    std::vector<host::data::Field*> horasTecnicas() const;
    void CadastrarServicoContrato();
    void quContratoAfterScroll(host::data::Dataset& DataSet);
    void quContEquipAfterPost(host::data::Dataset& DataSet);
    void quContEquipAECODIGOChange(host::data::Field& Sender);
    void quContServAfterPost(host::data::Dataset& DataSet);
    void quContServCOCIDADEChange(host::data::Field& Sender);
    // A service code typed that the products do not hold is refused where typed.
    void quContServCOCIDADEValidate(host::data::Field& Sender);
    void quContratoPRCODIGOValidate(host::data::Field& Sender);
    void quContratoACPRIORIDADEGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quContratoACATENDIMENTOGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quOSAcessoriosBeforeInsert(host::data::Dataset& DataSet);
    void quOSAcessoriosBeforeEdit(host::data::Dataset& DataSet);
    void quSolicitaNewRecord(host::data::Dataset& DataSet);
    void quSolicitaBeforePost(host::data::Dataset& DataSet);
    void quSolicitaAfterPost(host::data::Dataset& DataSet);
    void quSolicitaBeforeDelete(host::data::Dataset& DataSet);
    void quSolicitaAfterDelete(host::data::Dataset& DataSet);
    void quSolicitaItNewRecord(host::data::Dataset& DataSet);
    void quSolicitaItBeforePost(host::data::Dataset& DataSet);
    void quSolicitaItAfterPost(host::data::Dataset& DataSet);
    void quSolicitacaoItEntNewRecord(host::data::Dataset& DataSet);
    // Parts requests (uDataTecSolicitacao.cpp).
    void bindSolicitacaoHandlers();
    void quSolicitaAfterScroll(host::data::Dataset& DataSet);
    void quSolicitaAOCODIGOChange(host::data::Field& Sender);
    void quSolicitaAISITUACAOGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quSolicitaItBeforeInsert(host::data::Dataset& DataSet);
    void RecusarItemOSExecutada(host::data::Dataset& DataSet);
    void PerguntarEncerramentoSolicitacao();
    // A request item as its order's reserved parts line knows it.
    struct ItemSolicitacaoPeca {
        int solicitacao = 0, sequencia = 0, ordem = 0;
        QString produto;
        QVariant tecnico;
        double pendente = 0;   // still to deliver: its share of the order's lines
    };
    void AtualizarPecasOSSolicitacao();
    bool AlterarPecasSolicitadas(int ordem, const QString& produto, const QVariant& tecnico, double variacao);
    void IncluirPecaSolicitacao(int ordem, double quantidade);
    void GravarTotaisOrdem(int ordem);
    void RetirarPecaSolicitacao(const ItemSolicitacaoPeca& item);
    void PreencherPecaSolicitacao(int ordem, double quantidade);
    void quSolicitaItPRCODIGOChange(host::data::Field& Sender);
    void quSolicitaItAIQUANTIDADEENTREGUEChange(host::data::Field& Sender);
    void quSolicitaItBeforeDelete(host::data::Dataset& DataSet);
    void quSolicitaItAfterDelete(host::data::Dataset& DataSet);
    void quSolicitacaoItEntAfterDelete(host::data::Dataset& DataSet);
    // The item being deleted, for its deliveries and its reserved parts line.
    ItemSolicitacaoPeca sItemSolicitacaoExcluido;
    ItemSolicitacaoPeca sItemSolicitacaoAnterior;   // what an edited item stood for before its post
    // The share of the order's lines the item posted held before, under the
    // same order, product and responsible; -1 when it held none yet.
    double dPendenteSolicitacaoAnterior = -1;
    void quAssVendaNewRecord(host::data::Dataset& DataSet);
    void quAssVendaBeforePost(host::data::Dataset& DataSet);
    void quAssVendaAfterPost(host::data::Dataset& DataSet);
    void quAssVendaPostError(host::data::Dataset& DataSet);
    void quAssVendaAfterScroll(host::data::Dataset& DataSet);
    // The contract this order made, however it is named; empty: none.
    QString ContratoDoPedido(const QString& numero);
    void quAssVendaBeforeDelete(host::data::Dataset& DataSet);
    void quAssVendaAfterDelete(host::data::Dataset& DataSet);
    void quAssVendaItemNewRecord(host::data::Dataset& DataSet);
    void quAssVendaItemBeforeInsert(host::data::Dataset& DataSet);
    void quAssVendaItemBeforePost(host::data::Dataset& DataSet);
    void quAssVendaItemAfterPost(host::data::Dataset& DataSet);
    void quAssVendaItemBeforeDelete(host::data::Dataset& DataSet);
    void quAssVendaItemAfterDelete(host::data::Dataset& DataSet);
    void quAssVendaItemAfterScroll(host::data::Dataset& DataSet);
    void quAssVendaItemBeforeClose(host::data::Dataset& DataSet);
    void quAssVendaItemCalcFields(host::data::Dataset& DataSet);
    void quAssVendaCotadoNewRecord(host::data::Dataset& DataSet);
    void quAssVendaCotadoBeforePost(host::data::Dataset& DataSet);
    void quAssVendaCotadoAfterPost(host::data::Dataset& DataSet);
    void quAssVendaCotadoBeforeDelete(host::data::Dataset& DataSet);
    void quAssVendaCotadoAfterDelete(host::data::Dataset& DataSet);
    void quAssVendaCotadoBeforeInsert(host::data::Dataset& DataSet);
    void quAssVendaCotadoBeforeClose(host::data::Dataset& DataSet);
    void quAssVendaCotadoAfterScroll(host::data::Dataset& DataSet);
    void quAssVendaCotadoCalcFields(host::data::Dataset& DataSet);
    void quAssVendaCotadoCODIGOChange(host::data::Field& Sender);
    void quAssVendaCotadoCODIGOSetText(host::data::Field& Sender, const QString& Text);
    void quAssVendaCotadoOUTRO_CODIGOSetText(host::data::Field& Sender, const QString& Text);
    void quAssVendaCotadoDESCRICAOChange(host::data::Field& Sender);
    void quAssVendaCotadoQUANTIDADEChange(host::data::Field& Sender);
    // The save's serial-number step (mode "C") and requested-line link (mode "E").
    void PVAssCotadoNumerosSerie();
    void PVAssCotadoEquipamentoSolicitado();
    // Set while the after-save runs the line's one re-save.
    bool bRegravandoCotado_ = false;
    void quAssVendaObsBeforeOpen(host::data::Dataset& DataSet);
    void quAssVendaObsBeforePost(host::data::Dataset& DataSet);

    // ---- assistance orders: the record, its lines, totals, status and
    // deletion (uDataTecPedidoAss*.cpp; fields in uDataTecPedidoAssCampos.cpp)
    void createPedidoAssFields();
    void bindPedidoAssFieldHandlers();
    void quAssVendaCODIGO_CLIENTEValidate(host::data::Field& Sender);
    void quAssVendaCODIGO_CLIENTEChange(host::data::Field& Sender);
    // The order's boxes naming a contact person of its customer (only those
    // changed since stored, when asked).
    std::vector<host::data::Field*> contatosPedido(bool soAlterados) const;
    void quAssVendaNUMERO_PEDIDOChange(host::data::Field& Sender);
    void quAssVendaAUX2GetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quAssVendaIMPRESSO_NFGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quAssVendaVEENVIACONTRATOGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    // The log row and, in mode "E", the equipment's move of a status change:
    // written with the save that makes the change, in its transaction.
    void RegistraAlteracaoStatusPedidoAss();
    void quAssVendaItemQUANTIDADEChange(host::data::Field& Sender);
    void quAssVendaItemQUANTIDADEValidate(host::data::Field& Sender);
    void quAssVendaItemTOTAL_UNITChange(host::data::Field& Sender);
    void quAssVendaItemCODChange(host::data::Field& Sender);
    void quAssVendaItemVEITCOMPLEMENTOGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    // Product entry (uDataTecPedidoAssProduto.cpp): the ways a code reaches
    // CODIGO and the entry pass with its steps.
    void quAssVendaItemCODIGOSetText(host::data::Field& Sender, const QString& Text);
    void quAssVendaItemCODIGOChange(host::data::Field& Sender);
    void quAssVendaItemCOD_LISTA_PRECOChange(host::data::Field& Sender);
    void quAssVendaItemPRCODIGOFORNECEDORChange(host::data::Field& Sender);
    void quAssVendaItemDESCRICAOChange(host::data::Field& Sender);
    void quAssVendaItemDACODIGOALTERNATIVOChange(host::data::Field& Sender);
    bool PVAssAbrirProdutoItem(const QString& codigo);   // the product query on quAuxiliar; false: no row
    void PVAssRecusasProdutoItem(const QString& codigo);
    void PVAssCopiarProdutoItem();
    void PVAssComissaoProdutoItem(const QString& codigo);
    void PVAssImpostosProdutoItem();
    void PVAssCopiarRestoProdutoItem();
    void PVAssTextoProdutoItem(const QString& codigo, const QString& sequencia);
    void PVAssPrecoProdutoItem(const QString& codigo);
    void PVAssOperacaoFiscalItem(const QString& codigo);
    void PVAssMedidasProdutoItem(const QString& codigo);
    // Money values (uDataTecPedidoAssPrecoRegras.cpp).
    void quAssVendaItemVALORSetText(host::data::Field& Sender, const QString& Text);
    void quAssVendaItemDESCONTOSetText(host::data::Field& Sender, const QString& Text);
    void quAssVendaItemDESCONTOChange(host::data::Field& Sender);
    void quAssVendaItemIPIChange(host::data::Field& Sender);
    void quAssVendaItemVEITVALORUNITARIOIPIChange(host::data::Field& Sender);
    void quAssVendaItemVEITVALORCOMIPIDESCONTOChange(host::data::Field& Sender);
    double PVAssPrecoReferenciaItem();              // what a typed price is compared with
    void PVAssVerificaValorDigitado(double valor);  // the lowering rules; a refusal ends the entry
    void PVAssValorComIPIItem(double valor);
    void PVAssValorIPIItem();
    // Captions, field rules and quantities (uDataTecPedidoAssItemRegras.cpp).
    void quAssVendaItemVEITENTREGAGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quAssVendaItemVEITOPCAOMANUALGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quAssVendaItemVEITPROMOCAOGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    // VEITFOTO, VEITLIBERADOSENHA and VEITQUANTIDADEALTERADA: the host's SIMNAO list.
    void quAssVendaItemSIMNAOGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quAssVendaItemVEITEQUIPAMENTOCFGGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quAssVendaItemVEITENTREGASetText(host::data::Field& Sender, const QString& Text);
    void quAssVendaItemVEITENTREGAValidate(host::data::Field& Sender);
    void quAssVendaItemLECODIGOChange(host::data::Field& Sender);
    void quAssVendaItemGRCODIGOChange(host::data::Field& Sender);
    void quAssVendaItemMOCODIGOChange(host::data::Field& Sender);
    static QString TiraPonto(const QString& texto);
    double PVItemQuantidadeJaLancada();
    void PVAssPerguntaDisponibilidade(double digitado);
    void quAssVendaItemQUANTIDADESetText(host::data::Field& Sender, const QString& Text);
    void quAssVendaItemVEQUANTIDADEIMPRESSASetText(host::data::Field& Sender, const QString& Text);
    void quAssVendaItemVEQUANTIDADEIMPRESSAChange(host::data::Field& Sender);
    // Loaders of an order's lines, configured lines and change log.
    void CarregaPedidoAssVendaItem(const QString& numero, const QString& condicao, const QString& ordem);
    void CarregaPedidoAssVendaCotado(const QString& numero, const QString& ordem);
    void CarregaControleAlteracoesPedidoAss(const QString& numero);
    // A proposal copied into a new order (header, requested and configured
    // lines, texts), each step committed; the new number, empty when the
    // header was not copied (uDataTecPedidoAssGeracao.cpp).
    QString GerarPedidoAssistencia(const QString& numero);
    // An order made into a rental contract with its items and their texts,
    // all or nothing, committed; the contract's code. An order whose
    // ACCODIGO already names a contract (reopened after its release) keeps
    // that one: its code comes back and nothing is written.
    int GerarContratoPedidoAssistencia(const QString& numero);
    // The contract the loaded order already made, 0 when it names none.
    int ContratoGeradoPedidoAss();
    // The order's contract, new or kept, stored in the loaded order with
    // status "L" (posted); novo tells which, for the notice. Refused in
    // words, the order reloaded, when another desk changed its status since.
    struct ContratoPedidoAss {
        int codigo = 0;
        bool novo = false;
        QString aviso() const;
    };
    ContratoPedidoAss ContratarPedidoAssistencia(const QString& numero);
    // The requested line's total at save (skipped for a typed total).
    void PVAssVerificaValorTotalItem();
    // The product's technical description (its host observations) and its composition.
    void CarregaEspecificacaoProduto(const QString& produto);
    void CarregarComposicaoEquipamento(const QString& produto);
    // Back-orders and the small equipment queries (uDataTecPedidoAssPendencia.cpp).
    bool PVAssVerificaEstoquePendencia(const QString& tabela, const QString& pedido, const QString& produto,
                                       const QString& linha, const QString& operacao, const QString& observacao,
                                       const QString& pendencia, double quantidade, double valor);
    // excluirLinha (> 0): a configured line of the order whose stored
    // quantity is left out of the sum, the line being saved again.
    bool VerificaAssQtdeEquipamentoVinculado(const QString& pedido, const QString& linha, const QString& produto,
                                             int excluirLinha = 0);
    double CalcularQtdeTipoEquipamento(int linha, const QString& pedido, const QString& produto);
    int SequenciaVendasCotacao(const QString& pedido);
    bool VendaPrazoTabela(const QString& tabela);
    void CarregaConfiguracaoComposicao(const QString& produto, const QString& naoUsado,
                                       host::data::DataSource* fonte);
    double PVAssItemQuantidadeJaLancada(const QString& tabela, const QString& pedido, const QString& produto,
                                        const QString& linha);
    bool PVAssVerificaItensPendencia(const QString& pedido);
    QString gerarPedidoPendencia(const QString& pedido);
    // Deletion of an order's dependants.
    void ExcluirControleAlteracoesPedidoAss(const QString& numero);
    void ExcluirPedidoPendenciaPedidoAss(const QString& numero);
    // The order's dependants, deleted before its row, until that delete ends.
    std::unique_ptr<host::db::Savepoint> exclusaoPedidoAss_;
    void quAssVendaDeleteError(host::data::Dataset& DataSet);
    // A field of the order header or of its current requested line.
    host::data::Field& campoPedido(const char* nome) const { return *quAssVenda->fieldByName(QString::fromLatin1(nome)); }
    host::data::Field& campoItem(const char* nome) const { return *quAssVendaItem->fieldByName(QString::fromLatin1(nome)); }
    host::data::Field& campoCotado(const char* nome) const { return *quAssVendaCotado->fieldByName(QString::fromLatin1(nome)); }

    // ---- totals, expenses, planned products and cost lines ---------------
    // (uDataTecTotais.cpp, uDataTecDespesas.cpp, uDataTecCusto.cpp; bound by
    // bindTotalHandlers in uDataTecTotaisEventos.cpp)
    void quOSAODESCONTOChange(host::data::Field& Sender);
    void quOSDespViagemBeforeEdit(host::data::Dataset& DataSet);   // also quOSDespExtra's
    void quOSDespViagemBeforeDelete(host::data::Dataset& DataSet);
    void quOSDespViagemAVPEDQUANTIDADEChange(host::data::Field& Sender);   // and AVPEDVALOR
    void quOSDespViagemAVKMVALORChange(host::data::Field& Sender);         // and AVKMPERCORRIDO
    void quOSDespViagemAVPEDVALORTOTALChange(host::data::Field& Sender);   // and AVKMVALORTOTAL
    void quOSDespViagemATCODIGOChange(host::data::Field& Sender);
    void quOSDespExtraBeforeDelete(host::data::Dataset& DataSet);
    void quOSDespExtraFOCODIGOTRANSPORTADORChange(host::data::Field& Sender);
    void quOSDespExtraPRCODIGOChange(host::data::Field& Sender);
    void quOSDespExtraATCODIGOChange(host::data::Field& Sender);
    void quOSProjAQQUANTIDADEChange(host::data::Field& Sender);   // and AQVALOR, AQDESCONTO
    void quOSProjPRCODIGOChange(host::data::Field& Sender);
    void quOSProjBeforeDelete(host::data::Dataset& DataSet);
    void quOSProjAfterDelete(host::data::Dataset& DataSet);
    void quOSCustoAFVALORChange(host::data::Field& Sender);      // and AFQUANTIDADE
    void quOSCustoPRCODIGOChange(host::data::Field& Sender);
    // rTotalCustoOS := the sum of the current cost line's group (0 when empty).
    void totalizarCustoOS();

    // ---- parts lines (uDataTecPecas.cpp, uDataTecPecasProduto.cpp; bound by
    // bindPecasHandlers) ---------------------------------------------------
    // The stock check: with ATESTOQUENEGATIVO "N" an increase (NewQuantity -
    // PreviousQuantity) above the stock less the reserved quantity is refused
    // and ends the operation. OrderCode is not used.
    void VerificaEstoquePeca(int OrderCode, const QString& ProductCode, double PreviousQuantity,
                             double NewQuantity);
    void quOSPecasPRCODIGOSetText(host::data::Field& Sender, const QString& Text);
    void quOSPecasPRCODIGOChange(host::data::Field& Sender);
    void quOSPecasAPQUANTIDADESetText(host::data::Field& Sender, const QString& Text);
    void quOSPecasAPQUANTIDADEChange(host::data::Field& Sender);   // and APVALUNITARIO's
    // Every parts line of the order takes its required quantity, and its
    // total with it; the order's totals and the reserved quantities follow.
    // Committed.
    void PecasComQuantidadeRequerida(int aoCodigo);
    void quOSPecasAPVALUNITARIOChange(host::data::Field& Sender);
    void quOSPecasAPRESERVASetText(host::data::Field& Sender, const QString& Text);
    void quOSPecasLECODIGOChange(host::data::Field& Sender);
    void quOSPecasGRUPOChange(host::data::Field& Sender);
    void quOSPecasAOITEQUIPCODIGOChange(host::data::Field& Sender);
    void quOSPecasPRCODIGOFORNECEDORChange(host::data::Field& Sender);

    // ---- service lines (uDataTecAndamento.cpp, uDataTecAndamentoProduto.cpp,
    // uDataTecAndamentoPreco.cpp; bound by bindAndamentoHandlers) -----------
    void quOSAndamentoPRCODIGOSetText(host::data::Field& Sender, const QString& Text);
    void quOSAndamentoPRCODIGOChange(host::data::Field& Sender);
    void quOSAndamentoPRCODIGOFORNECEDORChange(host::data::Field& Sender);
    void quOSAndamentoAHCODIGOChange(host::data::Field& Sender);
    void quOSAndamentoAAESPECIEChange(host::data::Field& Sender);
    void quOSAndamentoAAQUANTIDADESetText(host::data::Field& Sender, const QString& Text);
    void quOSAndamentoAAVALORChange(host::data::Field& Sender);        // and AAQUANTIDADE's, AADESCONTO's
    void quOSAndamentoAAHORAINICIOChange(host::data::Field& Sender);   // and AAHORAFIM's, AAMINUTODESCONTADO's
    void quOSAndamentoATCODIGOChange(host::data::Field& Sender);
    void quOSAndamentoIVCODIGOChange(host::data::Field& Sender);
    void quOSAndamentoGRUPOChange(host::data::Field& Sender);
    void quOSAndamentoAOITEQUIPCODIGOChange(host::data::Field& Sender);
    // Prices the current service line by its hour type and worked minutes
    // (AAVALORTOTAL, AAVALORTOTALREQUERIDO).
    void OSAndamentoCalculaTotalItem();
    // One order item per unit of the quantity (2.5 gives 3) for a service line
    // of a remanufacture or purchase order, after the user agrees; true when
    // at least one item was inserted.
    bool InserirItensPeloServico(double Quantidade, const QString& Produto, const QString& Especie,
                                 int Sequencia);

    // ---- taxes and instalment simulation (uDataTecImpostos.cpp, uDataTecSimulacao.cpp)
    // The taxes of quOSPecas's current row (in edit) through the host's four
    // tax routines; a failure propagates and leaves what was written.
    void OSCalculaImpostoCorrente();
    ImpostoItemEntrada entradaImpostoCorrente() const;
    // The order's grand total split into instalments by its payment term,
    // kept as forecasts ("V") or removed as ATSIMULACAOPARCELAS says.
    void OSSimularParcelamento(bool Verificar);
    // "S" + the order code in at least five digits ("S00042").
    static QString documentoSimulacao(int aoCodigo);

    // ---- code-to-caption mappings and date entry (uDataTecMappings.cpp) ---
    // Get-text handlers set the caption of the stored code (also in edit
    // controls); set-text handlers store what was typed, upper-cased.
    void quOSSituacaoASTIPOGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quOSSituacaoASIDGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quOSAOREMANUFATURAGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quOSAOPRIORIDADEGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quOSAOATENDIMENTOGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quOSAOTURNOGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quOSAORETORNOGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quOSAOIMPRIMIRLAUDOGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quOSAOSEQATENDIMENTOGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quOSIMPRESSO_NFGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quOSItemAOITGARANTIAGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quOSItemAOITAUTORIZADOGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quOSItemAOITORIGINALGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quOSPecasAPTIPOGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quOSAndamentoAATIPOGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quOSPecasAPAUTORIZADOGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quOSAndamentoAAAUTORIZADOGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quOSPecasAPRESERVAGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quHoraTecnicaAHTIPOGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quOSAndamentoAHTIPOGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quDefeitoADIDENTIFICADORGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quEquipamentoAEIDENTIFICADORGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quEquipamentoAEATIVOGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quTecnicosATALTERAROSGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quTecnicosATATIVOGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quTecnicosATACESSORESTRITOGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quTecnicosATALTERARSITUACAOGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quOSSituacaoASESTOQUEGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quOSSituacaoASCLIENTEGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quOSSituacaoASINTERNETGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quOSSituacaoASEMAILGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quOSSituacaoASRESERVAGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quOSSituacaoASINSERCAOGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quOSPecasAPPROMOCAOGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quOSAndamentoAAPROMOCAOGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quOSItemAOITEMAILENVIADOGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quOSPecasAPTIPOSetText(host::data::Field& Sender, const QString& Text);
    void quOSAndamentoAATIPOSetText(host::data::Field& Sender, const QString& Text);
    void quOSPecasAPAUTORIZADOSetText(host::data::Field& Sender, const QString& Text);
    void quOSAndamentoAAAUTORIZADOSetText(host::data::Field& Sender, const QString& Text);
    void quHoraTecnicaAHTIPOSetText(host::data::Field& Sender, const QString& Text);
    void quOSItemAOITGARANTIASetText(host::data::Field& Sender, const QString& Text);
    // Typed date: an empty text or an empty mask ("  /  /  ") empties the
    // field; a text that is no date shows "Data informada inválida." and ends
    // the operation.
    void ValidaData(host::data::Field& Sender, const QString& Text);

    // ---- loaders: close a query, set its key or rebuild its SQL, reopen ----
    // (uDataTecLoaders.cpp). None catches: a failing open leaves the query
    // closed and reaches the caller.
    void CarregaOSItens(int aoCodigo, int aoitCodigo);
    // Loads (or, with bCarregar false, closes) the order's expenses, parts,
    // services, progress records, accessories and planned products.
    void CarregaOSAtributos(int aoCodigo, int aoitCodigo, bool bCarregar);
    void CarregaOSPecas(int aoCodigo, int aoitCodigo, const QString& sTexto = {});
    void CarregaOSAndamento(int aoCodigo, int aoitCodigo);
    void CarregaOSContato(int aoCodigo, int aoitCodigo);
    void CarregaOSAcessorios(int aoCodigo);
    // sTipo "S" cost lines of a service line, "P" of a parts line.
    void CarregaOSCusto(const QString& sTipo, int aoCodigo, int iCodigoLinha);
    void CarregaOSAndamentoItem(int aoCodigo, int aaCodigo);
    void CarregaOSAndamentoDefeito(int aoCodigo, int aaCodigo);
    void CarregaSituacao(int asCodigo, const QString& sModulo);
    // Situations an order of this kind (AOREMANUFATURA) may take.
    void OSFiltrarSituacao(const QString& sTipo);
    // A negative code lists every technician.
    void CarregarTecnicos(int atCodigo, bool bSomenteAtivos);
    void CarregaEquipamento(int aeCodigo);
    void CarregaDefeito(int adCodigo);
    void CarregaContrato(int acCodigo);
    void CarregaEquipamentoCliente(const QString& clCodigo, int aeCodigo);
    void CarregaContatosCliente(const QString& clCodigo);
    void CarregaSolicitacaoIt(int aiCodigo);
    void CarregarProdutosEntregSolicPecas(int iSequencia, int iSolicitacao, const QString& sTexto);
    void VerificaQuantidadeEntrega(int iSolicitacao, int iSequencia, double quantidade);
    // Next free model code (largest + 1) through the host's auxiliary query.
    int CodigoDisponivelEquipamento();

    // ---- service-order items and customers' equipment -------------------
    // (uDataTecItens.cpp: dataset handlers; uDataTecItensCampos.cpp: field
    // rules and the filling from the registers; uDataTecItensSerie.cpp:
    // serial number; uDataTecEquipamento.cpp: quEquipCli)
    void quOSItemAOITEQUIPCODIGOChange(host::data::Field& Sender);
    // Typed equipment code: the same change, under the item-grid focus rule.
    void quOSItemAOITEQUIPCODIGOSetText(host::data::Field& Sender, const QString& Text);
    void quOSItemAOITSERIEChange(host::data::Field& Sender);
    void quOSItemAECODIGOINTERNOChange(host::data::Field& Sender);
    void quOSItemATCODIGOChange(host::data::Field& Sender);
    void quOSItemFOCONSECIONARIAChange(host::data::Field& Sender);
    void quOSItemAOITPLACASetText(host::data::Field& Sender, const QString& Text);
    void quOSItemAOITAPROVADOChange(host::data::Field& Sender);
    void quOSItemAOITAPROVADOGetText(host::data::Field& Sender, QString& Text, bool DisplayText);
    void quOSItemDeleteError(host::data::Dataset& DataSet);
    // The item row is gone: its defects' deletion joins the transaction's work.
    void quOSItemExcluido();
    void quEquipCliAECODIGOChange(host::data::Field& Sender);
    void quEquipCliCLCODIGOChange(host::data::Field& Sender);
    // Fill the current item (edit or insert) from the equipment register, the
    // host's vehicle models or the host's vehicles.
    void CarregaOsItemEquipamentoDados(int iCodigo);
    void CarregaOsItemModeloDados(int iCodigo);
    void CarregaOsItemVeiculoDados(int iCodigo);
    // Offers to register the item's description as a new model.
    void VerificaEquipamentoOSCadastro();
    // Service lines a saved item generates (uDataTecItensServicos.cpp).
    void OSInserirGarantiaCorrente();
    void InserirItemVerificacaoVeiculoOS(int iEquipamento, int iOrdem, int iItem, double rKm);
    void AtualizarItemRemanufatura();
    void PerguntarSeguroVeiculoOS();

    // ---- persistent fields: query name + column -------------------------
    // quOS
    host::data::Field* quOSAOCODIGO = nullptr;
    host::data::Field* quOSCLCODIGO = nullptr;
    host::data::Field* quOSATCODIGO = nullptr;
    host::data::Field* quOSASCODIGO = nullptr;
    host::data::Field* quOSVECODIGO = nullptr;
    host::data::Field* quOSTVCODIGO = nullptr;
    host::data::Field* quOSAOLAUDO = nullptr;
    host::data::Field* quOSAODATAENTRADA = nullptr;
    host::data::Field* quOSAODATASAIDA = nullptr;
    host::data::Field* quOSAODATAAPROVA = nullptr;
    host::data::Field* quOSAOATENDENTE = nullptr;
    host::data::Field* quOSAOCONTATO = nullptr;
    host::data::Field* quOSAOBAIXA = nullptr;
    host::data::Field* quOSAOCONTACAIXA = nullptr;
    host::data::Field* quOSAOVALORPROJETO = nullptr;
    host::data::Field* quOSAODESPVIAGEM = nullptr;
    host::data::Field* quOSAODESPDIVERSAS = nullptr;
    host::data::Field* quOSAOVALORPECAS = nullptr;
    host::data::Field* quOSAOVALORSERVICO = nullptr;
    host::data::Field* quOSAOVALORTOTAL = nullptr;
    host::data::Field* quOSAOOBSERVACAO = nullptr;
    host::data::Field* quOSAODESCONTO = nullptr;
    host::data::Field* quOSAOHORAENTRADA = nullptr;
    host::data::Field* quOSAOHORASAIDA = nullptr;
    host::data::Field* quOSAOPREVLIBERACAO = nullptr;
    host::data::Field* quOSAOVALIDADEORCAMENTO = nullptr;
    host::data::Field* quOSAOPRIORIDADE = nullptr;
    host::data::Field* quOSAOATENDIMENTO = nullptr;
    host::data::Field* quOSAONUMEROOSTERCEIROS = nullptr;
    host::data::Field* quOSAODESCRICAOLAUDO = nullptr;
    host::data::Field* quOSAOCAUSA = nullptr;
    host::data::Field* quOSAOSOLUCAO = nullptr;
    host::data::Field* quOSAOOBSLAUDO = nullptr;
    host::data::Field* quOSAOIMPRIMIRLAUDO = nullptr;
    host::data::Field* quOSAOTIPOOS = nullptr;
    host::data::Field* quOSOFCODIGO = nullptr;
    host::data::Field* quOSCLCODIGOCLIENTECOBRANCA = nullptr;
    host::data::Field* quOSVECODIGODEVOLUCAO = nullptr;
    host::data::Field* quOSAOREMANUFATURA = nullptr;
    host::data::Field* quOSAODATACOBRANCA = nullptr;
    host::data::Field* quOSAOHORAAPROVACAO = nullptr;
    host::data::Field* quOSFOCODIGOVENDEDOR = nullptr;
    host::data::Field* quOSFOCODIGOREPRESENTANTE = nullptr;
    host::data::Field* quOSAOVALORPECASREQUERIDO = nullptr;
    host::data::Field* quOSAOVALORSERVICOSREQUERIDO = nullptr;
    host::data::Field* quOSAODESCONTOPECA = nullptr;
    host::data::Field* quOSAODESCONTOSERVICO = nullptr;
    host::data::Field* quOSCRDOCUMENTO = nullptr;
    host::data::Field* quOSAOLOCAL = nullptr;
    host::data::Field* quOSAOVALORIPI = nullptr;
    host::data::Field* quOSFOCODIGOTRANSPORTE = nullptr;
    host::data::Field* quOSCLCODIGOCOBRANCASERVICO = nullptr;
    host::data::Field* quOSCLCODIGOCOBRANCADESPESAS = nullptr;
    host::data::Field* quOSVECODIGOSERVICO = nullptr;
    host::data::Field* quOSAOHISTORICO = nullptr;
    host::data::Field* quOSAOSEQATENDIMENTO = nullptr;
    host::data::Field* quOSAODESPESASCLIENTE = nullptr;
    host::data::Field* quOSORCTCODIGO = nullptr;
    host::data::Field* quOSASDESCRICAO = nullptr;
    host::data::Field* quOSANCODIGO = nullptr;
    host::data::Field* quOSDescTecnico = nullptr;
    host::data::Field* quOSDescricaoTabVcto = nullptr;
    host::data::Field* quOSCLIENTE = nullptr;
    host::data::Field* quOSOBSCLI = nullptr;
    host::data::Field* quOSNUMERO_IDENTIDADE = nullptr;
    host::data::Field* quOSCGC_CNPJ = nullptr;
    host::data::Field* quOSTELEFONE1 = nullptr;
    host::data::Field* quOSTELEFONE2 = nullptr;
    host::data::Field* quOSFAX = nullptr;
    host::data::Field* quOSINSCRICAO_MUNICIPAL = nullptr;
    host::data::Field* quOSENDERECO = nullptr;
    host::data::Field* quOSCIDADE = nullptr;
    host::data::Field* quOSCEP = nullptr;
    host::data::Field* quOSBAIRRO = nullptr;
    host::data::Field* quOSESTADO = nullptr;
    host::data::Field* quOSPESSOA_FISICAOUJURIDICA = nullptr;
    host::data::Field* quOSCONTATO = nullptr;
    host::data::Field* quOSNOME_FANTASIA = nullptr;
    host::data::Field* quOSCLIENTECOBRANCA = nullptr;
    host::data::Field* quOSTECNICO = nullptr;
    host::data::Field* quOSIMPRESSO_NF = nullptr;
    host::data::Field* quOSCLIE = nullptr;
    host::data::Field* quOSRACOR = nullptr;
    host::data::Field* quOSStatusPV = nullptr;
    host::data::Field* quOSStatusPedidoDevolucao = nullptr;
    host::data::Field* quOSNOMEVENDEDOR = nullptr;
    host::data::Field* quOSOPERACAO = nullptr;
    host::data::Field* quOSTABELAVENCIMENTO = nullptr;
    host::data::Field* quOSNOMEREPRESENTANTE = nullptr;
    host::data::Field* quOSEMAIL = nullptr;
    host::data::Field* quOSCLDESCONTO = nullptr;
    host::data::Field* quOSLIMITE_CREDITO = nullptr;
    host::data::Field* quOSTIPO_OP = nullptr;
    host::data::Field* quOSASSUME_ICMS_SN = nullptr;
    host::data::Field* quOSICMS = nullptr;
    host::data::Field* quOSVAL_ITEM_IPI = nullptr;
    host::data::Field* quOSPERC_CALC = nullptr;
    host::data::Field* quOSBASE_CALC_IPI = nullptr;
    host::data::Field* quOSOFMARKUPMINIMO = nullptr;
    host::data::Field* quOSOFISENTOIE = nullptr;
    host::data::Field* quOSAOTURNO = nullptr;
    host::data::Field* quOSAORETORNO = nullptr;
    // quOSItem
    host::data::Field* quOSItemAOITCODIGO = nullptr;
    host::data::Field* quOSItemAOCODIGO = nullptr;
    host::data::Field* quOSItemAOITEQUIPCODIGO = nullptr;
    host::data::Field* quOSItemAOITEQUIPDESCRICAO = nullptr;
    host::data::Field* quOSItemAOITMARCA = nullptr;
    host::data::Field* quOSItemAOITMODELO = nullptr;
    host::data::Field* quOSItemAOITDEFEITO = nullptr;
    host::data::Field* quOSItemAOITSERIE = nullptr;
    host::data::Field* quOSItemAOITQUANTIDADE = nullptr;
    host::data::Field* quOSItemAOITLOJACOMPRA = nullptr;
    host::data::Field* quOSItemAOITDATACOMPRA = nullptr;
    host::data::Field* quOSItemAOITCOR = nullptr;
    host::data::Field* quOSItemAOITANOFABRICACAO = nullptr;
    host::data::Field* quOSItemAOITKMINICIAL = nullptr;
    host::data::Field* quOSItemAOITPLACA = nullptr;
    host::data::Field* quOSItemAOITCOMBUSTIVEL = nullptr;
    host::data::Field* quOSItemAOITPOSICAOCOMBUSTIVEL = nullptr;
    host::data::Field* quOSItemAOITFOTO = nullptr;
    host::data::Field* quOSItemAOITCODIGOINTERNO = nullptr;
    host::data::Field* quOSItemAOITNUMERONOTAFISCAL = nullptr;
    host::data::Field* quOSItemAOITNUMERONFREMESSA = nullptr;
    host::data::Field* quOSItemAOITVALORNFREMESSA = nullptr;
    host::data::Field* quOSItemAOITGARANTIA = nullptr;
    host::data::Field* quOSItemAOITRENAVAN = nullptr;
    host::data::Field* quOSItemAOITCARROCERIAMARCA = nullptr;
    host::data::Field* quOSItemAOITCARROCERIANUMERO = nullptr;
    host::data::Field* quOSItemAOITMOTORNUMERO = nullptr;
    host::data::Field* quOSItemAOITAPROVADO = nullptr;
    host::data::Field* quOSItemAOITESPECIE = nullptr;
    host::data::Field* quOSItemAOITORIGINAL = nullptr;
    host::data::Field* quOSItemAOITAUTORIZADO = nullptr;
    host::data::Field* quOSItemAOITUSUARIO = nullptr;
    host::data::Field* quOSItemASCODIGO = nullptr;
    host::data::Field* quOSItemACCODIGO = nullptr;
    host::data::Field* quOSItemAACODIGO = nullptr;
    host::data::Field* quOSItemATCODIGO = nullptr;
    host::data::Field* quOSItemAOITCAUSA = nullptr;
    host::data::Field* quOSItemAOITOBSERVACAO = nullptr;
    host::data::Field* quOSItemAOITSOLUCAO = nullptr;
    host::data::Field* quOSItemAOITLAUDO = nullptr;
    host::data::Field* quOSItemAOITEMAILENVIADO = nullptr;
    host::data::Field* quOSItemAOITVALORFRETE = nullptr;
    host::data::Field* quOSItemFOCONSECIONARIA = nullptr;
    host::data::Field* quOSItemAOITDEFEITOCONSTATADO = nullptr;
    host::data::Field* quOSItemEQUIPAMENTO = nullptr;
    host::data::Field* quOSItemDESCRICAOCONSECIONARIA = nullptr;
    host::data::Field* quOSItemAODATAENTRADA = nullptr;
    host::data::Field* quOSItemCLIENTE = nullptr;
    host::data::Field* quOSItemENDCLI = nullptr;
    host::data::Field* quOSItemTECNICO = nullptr;
    host::data::Field* quOSItemTECNICOITEM = nullptr;
    host::data::Field* quOSItemDescricaoSituacao = nullptr;
    host::data::Field* quOSItemEQUIPAMENTOCOMPLETO = nullptr;
    host::data::Field* quOSItemAETIPO = nullptr;
    host::data::Field* quOSItemAECODIGOINTERNO = nullptr;
    host::data::Field* quOSItemFOCODIGOMOTORISTA = nullptr;
    host::data::Field* quOSItemAOITPRCODIGO = nullptr;
    // quOSPecas
    host::data::Field* quOSPecasAPSEQUENCIA = nullptr;
    host::data::Field* quOSPecasAOCODIGO = nullptr;
    host::data::Field* quOSPecasAOITCODIGO = nullptr;
    host::data::Field* quOSPecasPRCODIGO = nullptr;
    host::data::Field* quOSPecasAPVALUNITARIO = nullptr;
    host::data::Field* quOSPecasAPVALTOTAL = nullptr;
    host::data::Field* quOSPecasAPOBSERVACAO = nullptr;
    host::data::Field* quOSPecasAPAUTORIZADO = nullptr;
    host::data::Field* quOSPecasAPTIPO = nullptr;
    host::data::Field* quOSPecasAPRESERVA = nullptr;
    host::data::Field* quOSPecasAPDESCONTO = nullptr;
    host::data::Field* quOSPecasVECODIGO = nullptr;
    host::data::Field* quOSPecasAPQUANTIDADE = nullptr;
    host::data::Field* quOSPecasAPQUANTIDADEREQUERIDA = nullptr;
    host::data::Field* quOSPecasUGINSERIDO = nullptr;
    host::data::Field* quOSPecasAPUSUARIOINSERCAO = nullptr;
    host::data::Field* quOSPecasAPGARANTIA = nullptr;
    host::data::Field* quOSPecasAPVALORTOTALREQUERIDO = nullptr;
    host::data::Field* quOSPecasLECODIGO = nullptr;
    host::data::Field* quOSPecasAPPROMOCAO = nullptr;
    host::data::Field* quOSPecasOFCODIGO = nullptr;
    host::data::Field* quOSPecasAPVALORIPI = nullptr;
    host::data::Field* quOSPecasAPBASEIPI = nullptr;
    host::data::Field* quOSPecasAPIPI = nullptr;
    host::data::Field* quOSPecasAPSUBST = nullptr;
    host::data::Field* quOSPecasAPICMSSUBST = nullptr;
    host::data::Field* quOSPecasAPBASESUBST = nullptr;
    host::data::Field* quOSPecasAPVALORSUBST = nullptr;
    host::data::Field* quOSPecasAPBASEICMS = nullptr;
    host::data::Field* quOSPecasAPVALORICMS = nullptr;
    host::data::Field* quOSPecasAPICMS = nullptr;
    host::data::Field* quOSPecasAPCOFINS = nullptr;
    host::data::Field* quOSPecasAPIR = nullptr;
    host::data::Field* quOSPecasAPINSS = nullptr;
    host::data::Field* quOSPecasAPPIS = nullptr;
    host::data::Field* quOSPecasAPCSLL = nullptr;
    host::data::Field* quOSPecasAPCOFINSSUB = nullptr;
    host::data::Field* quOSPecasAPIRSUB = nullptr;
    host::data::Field* quOSPecasAPINSSSUB = nullptr;
    host::data::Field* quOSPecasAPPISSUB = nullptr;
    host::data::Field* quOSPecasAPCSLLSUB = nullptr;
    host::data::Field* quOSPecasAPNUMEROSERIE = nullptr;
    host::data::Field* quOSPecasDescEquipOS = nullptr;
    host::data::Field* quOSPecasDESCRICAO = nullptr;
    host::data::Field* quOSPecasPCO_VENDA = nullptr;
    host::data::Field* quOSPecasPCO_CUSTO = nullptr;
    host::data::Field* quOSPecasEQUIPAMENTO = nullptr;
    host::data::Field* quOSPecasAOITEQUIPCODIGO = nullptr;
    host::data::Field* quOSPecasUNIDADE_MEDIDA = nullptr;
    host::data::Field* quOSPecasRESERVADO = nullptr;
    host::data::Field* quOSPecasDISPONIVEL = nullptr;
    host::data::Field* quOSPecasESTOQUE = nullptr;
    host::data::Field* quOSPecasOUTRO_CODIGO = nullptr;
    host::data::Field* quOSPecasPRTAMANHO = nullptr;
    host::data::Field* quOSPecasPRDESCRICAOCOMERCIAL = nullptr;
    host::data::Field* quOSPecasPRPOSICIONAMENTO = nullptr;
    host::data::Field* quOSPecasGRUPO = nullptr;
    host::data::Field* quOSPecasDESCRICAOGRUPO = nullptr;
    host::data::Field* quOSPecasPRIMUNE = nullptr;
    host::data::Field* quOSPecasICMS_PARA_REDUCAO = nullptr;
    host::data::Field* quOSPecasCOM_FAB_S_FS = nullptr;
    host::data::Field* quOSPecasDataTransito = nullptr;
    host::data::Field* quOSPecasQtdeTransito = nullptr;
    host::data::Field* quOSPecasPRCODIGOFORNECEDOR = nullptr;
    host::data::Field* quOSPecasNCCODIGO = nullptr;
    host::data::Field* quOSPecasAPITREFERENCIADOCUMENTO = nullptr;
    host::data::Field* quOSPecasAPITREFERENCIASERIE = nullptr;
    host::data::Field* quOSPecasAPITREFERENCIALOCAL = nullptr;
    host::data::Field* quOSPecasAPITREFERENCIAOFCODIGO = nullptr;
    host::data::Field* quOSPecasAPITREFERENCIACLCODIGO = nullptr;
    host::data::Field* quOSPecasPOPOSICIONAMENTO = nullptr;
    host::data::Field* quOSPecasATCODIGO = nullptr;
    host::data::Field* quOSPecasNOMETECNICO = nullptr;
    // quOSAndamento
    host::data::Field* quOSAndamentoAACODIGO = nullptr;
    host::data::Field* quOSAndamentoAOCODIGO = nullptr;
    host::data::Field* quOSAndamentoAOITCODIGO = nullptr;
    host::data::Field* quOSAndamentoAADATA = nullptr;
    host::data::Field* quOSAndamentoAAHORAINICIO = nullptr;
    host::data::Field* quOSAndamentoAAHORAFIM = nullptr;
    host::data::Field* quOSAndamentoAATOTAL = nullptr;
    host::data::Field* quOSAndamentoPRCODIGO = nullptr;
    host::data::Field* quOSAndamentoAAQUANTIDADE = nullptr;
    host::data::Field* quOSAndamentoAADESCONTO = nullptr;
    host::data::Field* quOSAndamentoAAVALOR = nullptr;
    host::data::Field* quOSAndamentoAAVALORTOTAL = nullptr;
    host::data::Field* quOSAndamentoAAAUTORIZADO = nullptr;
    host::data::Field* quOSAndamentoAATIPO = nullptr;
    host::data::Field* quOSAndamentoAAOBSERVACAO = nullptr;
    host::data::Field* quOSAndamentoAAESPECIE = nullptr;
    host::data::Field* quOSAndamentoATCODIGO = nullptr;
    host::data::Field* quOSAndamentoAAQUANTIDADEREQUERIDA = nullptr;
    host::data::Field* quOSAndamentoOFCODIGO = nullptr;
    host::data::Field* quOSAndamentoAHCODIGO = nullptr;
    host::data::Field* quOSAndamentoVECODIGO = nullptr;
    host::data::Field* quOSAndamentoAAVALORTOTALREQUERIDO = nullptr;
    host::data::Field* quOSAndamentoAAPROMOCAO = nullptr;
    host::data::Field* quOSAndamentoIVCODIGO = nullptr;
    host::data::Field* quOSAndamentoEVCODIGO = nullptr;
    host::data::Field* quOSAndamentoAAKM = nullptr;
    host::data::Field* quOSAndamentoAAVALORAUXILIAR = nullptr;
    host::data::Field* quOSAndamentoAAMINUTODESCONTADO = nullptr;
    host::data::Field* quOSAndamentoAAFATURA = nullptr;
    host::data::Field* quOSAndamentoAAINFORMACAO = nullptr;
    host::data::Field* quOSAndamentoAAQUANTIDADEIMPRESSA = nullptr;
    host::data::Field* quOSAndamentoTotalHoraReferente = nullptr;
    host::data::Field* quOSAndamentoAANUMEROSERIE = nullptr;
    host::data::Field* quOSAndamentoDescEquipOS = nullptr;
    host::data::Field* quOSAndamentoDescricaoHora = nullptr;
    host::data::Field* quOSAndamentoAHTIPO = nullptr;
    host::data::Field* quOSAndamentoDESCHORA = nullptr;
    host::data::Field* quOSAndamentoAHHORA1 = nullptr;
    host::data::Field* quOSAndamentoAHHORA2 = nullptr;
    host::data::Field* quOSAndamentoAHHORA3 = nullptr;
    host::data::Field* quOSAndamentoAHHORA4 = nullptr;
    host::data::Field* quOSAndamentoAHHORA5 = nullptr;
    host::data::Field* quOSAndamentoDESCRICAO = nullptr;
    host::data::Field* quOSAndamentoEQUIPAMENTO = nullptr;
    host::data::Field* quOSAndamentoAOITEQUIPCODIGO = nullptr;
    host::data::Field* quOSAndamentoUNIDADE_MEDIDA = nullptr;
    host::data::Field* quOSAndamentoIVDESCRICAO = nullptr;
    host::data::Field* quOSAndamentoPRDESCRICAOCOMERCIAL = nullptr;
    host::data::Field* quOSAndamentoATNOME = nullptr;
    host::data::Field* quOSAndamentoGRUPO = nullptr;
    host::data::Field* quOSAndamentoDESCRICAOGRUPO = nullptr;
    host::data::Field* quOSAndamentoCOMPLEMENTO_DESC = nullptr;
    host::data::Field* quOSAndamentoPRCODIGOFORNECEDOR = nullptr;
    host::data::Field* quOSAndamentoPRQUANTIDADEPADRAO = nullptr;
    // quOSAndaIt
    host::data::Field* quOSAndaItAACODIGO = nullptr;
    host::data::Field* quOSAndaItAOCODIGO = nullptr;
    host::data::Field* quOSAndaItAAITSEQUENCIA = nullptr;
    host::data::Field* quOSAndaItAAITDATA = nullptr;
    host::data::Field* quOSAndaItAAITINICIO = nullptr;
    host::data::Field* quOSAndaItAAITFIM = nullptr;
    host::data::Field* quOSAndaItATCODIGO = nullptr;
    // quOSAndDef
    host::data::Field* quOSAndDefAAADSEQUENCIA = nullptr;
    host::data::Field* quOSAndDefADCODIGO = nullptr;
    host::data::Field* quOSAndDefAACODIGO = nullptr;
    host::data::Field* quOSAndDefAOCODIGO = nullptr;
    host::data::Field* quOSAndDefAOITCODIGO = nullptr;
    host::data::Field* quOSAndDefPRCODIGO = nullptr;
    host::data::Field* quOSAndDefADDESCRICAO = nullptr;
    // quOSItemDef
    host::data::Field* quOSItemDefAOADCODIGO = nullptr;
    host::data::Field* quOSItemDefADCODIGO = nullptr;
    host::data::Field* quOSItemDefAOCODIGO = nullptr;
    host::data::Field* quOSItemDefAOITCODIGO = nullptr;
    host::data::Field* quOSItemDefMECHAVE = nullptr;
    host::data::Field* quOSItemDefMEITSEQUENCIA = nullptr;
    host::data::Field* quOSItemDefAOADQUANTIDADE = nullptr;
    host::data::Field* quOSItemDefADDESCRICAO = nullptr;
    // quOSDespViagem
    host::data::Field* quOSDespViagemAVCODIGO = nullptr;
    host::data::Field* quOSDespViagemAOCODIGO = nullptr;
    host::data::Field* quOSDespViagemAVDATA = nullptr;
    host::data::Field* quOSDespViagemAVHORAINICIO = nullptr;
    host::data::Field* quOSDespViagemAVHORAFIM = nullptr;
    host::data::Field* quOSDespViagemAVPEDQUANTIDADE = nullptr;
    host::data::Field* quOSDespViagemAVPEDVALOR = nullptr;
    host::data::Field* quOSDespViagemAVPEDVALORTOTAL = nullptr;
    host::data::Field* quOSDespViagemAVKMVALOR = nullptr;
    host::data::Field* quOSDespViagemAVKMPERCORRIDO = nullptr;
    host::data::Field* quOSDespViagemAVKMVALORTOTAL = nullptr;
    host::data::Field* quOSDespViagemAVVALORTOTAL = nullptr;
    host::data::Field* quOSDespViagemAVOBSERVACAO = nullptr;
    host::data::Field* quOSDespViagemATCODIGO = nullptr;
    host::data::Field* quOSDespViagemATNOME = nullptr;
    // quOSDespExtra
    host::data::Field* quOSDespExtraAXCODIGO = nullptr;
    host::data::Field* quOSDespExtraAOCODIGO = nullptr;
    host::data::Field* quOSDespExtraAXNUMERO = nullptr;
    host::data::Field* quOSDespExtraAXSERIE = nullptr;
    host::data::Field* quOSDespExtraAXDATA = nullptr;
    host::data::Field* quOSDespExtraAXVALOR = nullptr;
    host::data::Field* quOSDespExtraFOCODIGO = nullptr;
    host::data::Field* quOSDespExtraFOCODIGOTRANSPORTADOR = nullptr;
    host::data::Field* quOSDespExtraAXTIPO = nullptr;
    host::data::Field* quOSDespExtraAXOBSERVACAO = nullptr;
    host::data::Field* quOSDespExtraPRCODIGO = nullptr;
    host::data::Field* quOSDespExtraATCODIGO = nullptr;
    host::data::Field* quOSDespExtraTRANSPORTADORA = nullptr;
    host::data::Field* quOSDespExtraFORNECEDOR = nullptr;
    host::data::Field* quOSDespExtraDESCRICAOPRODUTO = nullptr;
    host::data::Field* quOSDespExtraNOMETECNICO = nullptr;
    // quOSProj
    host::data::Field* quOSProjAQCODIGO = nullptr;
    host::data::Field* quOSProjAOCODIGO = nullptr;
    host::data::Field* quOSProjPRCODIGO = nullptr;
    host::data::Field* quOSProjAQQUANTIDADE = nullptr;
    host::data::Field* quOSProjAQVALOR = nullptr;
    host::data::Field* quOSProjAQDESCONTO = nullptr;
    host::data::Field* quOSProjAQVALORTOTAL = nullptr;
    host::data::Field* quOSProjAQDATA = nullptr;
    host::data::Field* quOSProjVECODIGO = nullptr;
    host::data::Field* quOSProjOFCODIGO = nullptr;
    host::data::Field* quOSProjAQOBSERVACAO = nullptr;
    host::data::Field* quOSProjDESCRICAO = nullptr;
    // quOSAcessorios
    host::data::Field* quOSAcessoriosARSEQUENCIA = nullptr;
    host::data::Field* quOSAcessoriosAOCODIGO = nullptr;
    host::data::Field* quOSAcessoriosAOITCODIGO = nullptr;
    host::data::Field* quOSAcessoriosARDESCRICAO = nullptr;
    host::data::Field* quOSAcessoriosARCONFERIDO = nullptr;
    // quOSCusto
    host::data::Field* quOSCustoAFCODIGO = nullptr;
    host::data::Field* quOSCustoAFID = nullptr;
    host::data::Field* quOSCustoAFVALOR = nullptr;
    host::data::Field* quOSCustoAFQUANTIDADE = nullptr;
    host::data::Field* quOSCustoAFTOTAL = nullptr;
    host::data::Field* quOSCustoAFVALORACUMULADO = nullptr;
    host::data::Field* quOSCustoPRCODIGO = nullptr;
    host::data::Field* quOSCustoCFCODIGO = nullptr;
    host::data::Field* quOSCustoAOCODIGO = nullptr;
    host::data::Field* quOSCustoAACODIGO = nullptr;
    host::data::Field* quOSCustoAPSEQUENCIA = nullptr;
    host::data::Field* quOSCustoDESCRICAO = nullptr;
    // quOSContato
    host::data::Field* quOSContatoCOD_CLI = nullptr;
    host::data::Field* quOSContatoDATA_SOLICITADA = nullptr;
    host::data::Field* quOSContatoHORA_SOLICITADA = nullptr;
    host::data::Field* quOSContatoHORA_VISITA = nullptr;
    host::data::Field* quOSContatoCTHORAFINAL = nullptr;
    host::data::Field* quOSContatoOBSERVACAO = nullptr;
    host::data::Field* quOSContatoPESSOA_CONTATO = nullptr;
    host::data::Field* quOSContatoCONTRATO = nullptr;
    host::data::Field* quOSContatoTIPO_CONTATO = nullptr;
    host::data::Field* quOSContatoVENDEDOT = nullptr;
    host::data::Field* quOSContatoSEQUENCIA = nullptr;
    host::data::Field* quOSContatoCTTEMPOTOTAL = nullptr;
    host::data::Field* quOSContatoRESUMIDA = nullptr;
    host::data::Field* quOSContatoASCODIGO = nullptr;
    host::data::Field* quOSContatoASCODIGOATUAL = nullptr;
    host::data::Field* quOSContatoIDORIGEM = nullptr;
    host::data::Field* quOSContatoAOITCODIGO = nullptr;
    host::data::Field* quOSContatoDescricaoTecnico = nullptr;
    host::data::Field* quOSContatoASDESCRICAO = nullptr;
    // quOSComprasCli
    host::data::Field* quOSComprasCliDOCUMENTO = nullptr;
    host::data::Field* quOSComprasCliCODIGOPRODUTO = nullptr;
    host::data::Field* quOSComprasCliDESCRICAO = nullptr;
    host::data::Field* quOSComprasCliDATA = nullptr;
    host::data::Field* quOSComprasCliCOD_PEDIDO = nullptr;
    host::data::Field* quOSComprasCliMEITNUMEROSERIE = nullptr;
    host::data::Field* quOSComprasCliPRNUMEROSERIE = nullptr;
    host::data::Field* quOSComprasCliQUANTIDADE = nullptr;
    host::data::Field* quOSComprasCliCOD_EMB_COLECAO = nullptr;
    host::data::Field* quOSComprasCliMODELO = nullptr;
    host::data::Field* quOSComprasCliCOMPLEMENTO_DESC = nullptr;
    // quOSSituacao
    host::data::Field* quOSSituacaoASCODIGO = nullptr;
    host::data::Field* quOSSituacaoASDESCRICAO = nullptr;
    host::data::Field* quOSSituacaoASTIPO = nullptr;
    host::data::Field* quOSSituacaoASINTERNET = nullptr;
    host::data::Field* quOSSituacaoASAPROVA = nullptr;
    host::data::Field* quOSSituacaoASESTOQUE = nullptr;
    host::data::Field* quOSSituacaoASCLIENTE = nullptr;
    host::data::Field* quOSSituacaoASRESERVA = nullptr;
    host::data::Field* quOSSituacaoASINSERCAO = nullptr;
    host::data::Field* quOSSituacaoASID = nullptr;
    host::data::Field* quOSSituacaoASCOR = nullptr;
    host::data::Field* quOSSituacaoASEMAIL = nullptr;
    host::data::Field* quOSSituacaoASSENHA = nullptr;
    host::data::Field* quOSSituacaoASTEMPOPREVISTO = nullptr;
    host::data::Field* quOSSituacaoASENVIAFILA = nullptr;
    host::data::Field* quOSSituacaoASVALIDAESTOQUE = nullptr;
    host::data::Field* quOSSituacaoASBLOQUEAREDICAO = nullptr;
    // quDefeito
    host::data::Field* quDefeitoADCODIGO = nullptr;
    host::data::Field* quDefeitoADDESCRICAO = nullptr;
    host::data::Field* quDefeitoADIDENTIFICADOR = nullptr;
    host::data::Field* quDefeitoADOBSERVACAO = nullptr;
    // quTecnicos
    host::data::Field* quTecnicosATCODIGO = nullptr;
    host::data::Field* quTecnicosATNOME = nullptr;
    host::data::Field* quTecnicosATALTERAROS = nullptr;
    host::data::Field* quTecnicosATALTERARLAUDO = nullptr;
    host::data::Field* quTecnicosATACESSORESTRITO = nullptr;
    host::data::Field* quTecnicosATATIVO = nullptr;
    host::data::Field* quTecnicosATALTERARSITUACAO = nullptr;
    host::data::Field* quTecnicosATCEP = nullptr;
    host::data::Field* quTecnicosATENDERECO = nullptr;
    host::data::Field* quTecnicosATENDCOMPLEMENTO = nullptr;
    host::data::Field* quTecnicosATENDNUMERO = nullptr;
    host::data::Field* quTecnicosATBAIRRO = nullptr;
    host::data::Field* quTecnicosATCIDADE = nullptr;
    host::data::Field* quTecnicosATUF = nullptr;
    host::data::Field* quTecnicosATEMAIL = nullptr;
    host::data::Field* quTecnicosATUSUARIO = nullptr;
    // quTecEquip
    host::data::Field* quTecEquipATITSEQUENCIA = nullptr;
    host::data::Field* quTecEquipATCODIGO = nullptr;
    host::data::Field* quTecEquipAECODIGO = nullptr;
    host::data::Field* quTecEquipEQUIPAMENTO = nullptr;
    // QuTecDesc
    host::data::Field* QuTecDescATDCCODIGO = nullptr;
    host::data::Field* QuTecDescATCODIGOPAI = nullptr;
    host::data::Field* QuTecDescATCODIGOFILHO = nullptr;
    host::data::Field* QuTecDescATNOME = nullptr;
    // quEquipamento
    host::data::Field* quEquipamentoAECODIGO = nullptr;
    host::data::Field* quEquipamentoAEDESCRICAO = nullptr;
    host::data::Field* quEquipamentoAEMARCA = nullptr;
    host::data::Field* quEquipamentoAEMODELO = nullptr;
    host::data::Field* quEquipamentoAEOBSERVACAO = nullptr;
    host::data::Field* quEquipamentoAECARROCERIAMARCA = nullptr;
    host::data::Field* quEquipamentoAETIPO = nullptr;
    host::data::Field* quEquipamentoAEIDENTIFICADOR = nullptr;
    host::data::Field* quEquipamentoAEATIVO = nullptr;
    host::data::Field* quEquipamentoAEVALORGARANTIA = nullptr;
    host::data::Field* quEquipamentoAECODIGOINTERNO = nullptr;
    host::data::Field* quEquipamentoPRCODIGO = nullptr;
    // quEquipCli
    host::data::Field* quEquipCliAECLCODIGO = nullptr;
    host::data::Field* quEquipCliAECODIGO = nullptr;
    host::data::Field* quEquipCliCLCODIGO = nullptr;
    host::data::Field* quEquipCliAECLOBSERVACAO = nullptr;
    host::data::Field* quEquipCliAECLNUMEROSERIE = nullptr;
    host::data::Field* quEquipCliAECLNUMEROPATRIMONIO = nullptr;
    host::data::Field* quEquipCliNOME = nullptr;
    host::data::Field* quEquipCliAEDESCRICAO = nullptr;
    // quHoraTecnica
    host::data::Field* quHoraTecnicaAHCODIGO = nullptr;
    host::data::Field* quHoraTecnicaAHTIPO = nullptr;
    host::data::Field* quHoraTecnicaAHHORA1 = nullptr;
    host::data::Field* quHoraTecnicaAHHORA2 = nullptr;
    host::data::Field* quHoraTecnicaAHHORA3 = nullptr;
    host::data::Field* quHoraTecnicaAHHORA4 = nullptr;
    host::data::Field* quHoraTecnicaAHHORA5 = nullptr;
    host::data::Field* quHoraTecnicaAHDESCRICAO = nullptr;
    // quContrato
    host::data::Field* quContratoACCODIGO = nullptr;
    host::data::Field* quContratoACDESCRICAO = nullptr;
    host::data::Field* quContratoACVALOR = nullptr;
    host::data::Field* quContratoACTEXTO = nullptr;
    host::data::Field* quContratoACLIMITE = nullptr;
    host::data::Field* quContratoACNUMEROCONTRATO = nullptr;
    host::data::Field* quContratoPRCODIGO = nullptr;
    host::data::Field* quContratoCLCODIGO = nullptr;
    host::data::Field* quContratoACPRIORIDADE = nullptr;
    host::data::Field* quContratoACTIPOLIMITE = nullptr;
    host::data::Field* quContratoACATENDIMENTO = nullptr;
    host::data::Field* quContratoACTIPOCONTRATO = nullptr;
    host::data::Field* quContratoACDATAIMPLANTACAO = nullptr;
    host::data::Field* quContratoACDATAVALIDADE = nullptr;
    host::data::Field* quContratoACLIMITEHORA = nullptr;
    host::data::Field* quContratoACVALORCHAMADAEXCEDENTE = nullptr;
    host::data::Field* quContratoACVALORPARCELA = nullptr;
    host::data::Field* quContratoACDATABASE = nullptr;
    host::data::Field* quContratoACRENOVACAOAUTOMATICA = nullptr;
    host::data::Field* quContratoACRENOVACAOLIMITE = nullptr;
    host::data::Field* quContratoACSITUACAOOBS = nullptr;
    host::data::Field* quContratoACVALORANTERIOR = nullptr;
    host::data::Field* quContratoCXCODIGO = nullptr;
    host::data::Field* quContratoBCCODIGO = nullptr;
    host::data::Field* quContratoHCCODIGO = nullptr;
    host::data::Field* quContratoACSERIENF = nullptr;
    host::data::Field* quContratoACTIPOPAGAMENTO = nullptr;
    host::data::Field* quContratoACAVALISTA1 = nullptr;
    host::data::Field* quContratoACAVALISTA2 = nullptr;
    host::data::Field* quContratoACFIADOR = nullptr;
    host::data::Field* quContratoACJUROMES = nullptr;
    host::data::Field* quContratoACJUROVENCIMENTO = nullptr;
    host::data::Field* quContratoACJUROAPLICAR = nullptr;
    host::data::Field* quContratoACJUROAPLICARPARCELA = nullptr;
    host::data::Field* quContratoACPORTADORPREVISAO = nullptr;
    host::data::Field* quContratoACMULTALIMITE = nullptr;
    host::data::Field* quContratoACMULTAVALOR = nullptr;
    host::data::Field* quContratoACMULTAINDICE = nullptr;
    host::data::Field* quContratoACINDICEREAJUSTE = nullptr;
    host::data::Field* quContratoACMODALIDADE = nullptr;
    host::data::Field* quContratoACTIPO = nullptr;
    host::data::Field* quContratoACNATUREZA = nullptr;
    host::data::Field* quContratoAJCODIGO = nullptr;
    host::data::Field* quContratoACCONTRATANTE = nullptr;
    host::data::Field* quContratoACPERIODO = nullptr;
    host::data::Field* quContratoACVENCIMENTO = nullptr;
    host::data::Field* quContratoACBASE = nullptr;
    host::data::Field* quContratoABCODIGO = nullptr;
    host::data::Field* quContratoACRENOVACAO = nullptr;
    host::data::Field* quContratoACDATARENOVACAO = nullptr;
    host::data::Field* quContratoACSITUACAO = nullptr;
    host::data::Field* quContratoACOBJETO = nullptr;
    host::data::Field* quContratoACVINCULO = nullptr;
    host::data::Field* quContratoACLOCAL = nullptr;
    host::data::Field* quContratoACRESPONSAVEL = nullptr;
    host::data::Field* quContratoACCOBRANCA = nullptr;
    host::data::Field* quContratoCONTATO = nullptr;
    host::data::Field* quContratoCLIENTE = nullptr;
    // quContEquip
    host::data::Field* quContEquipCOCODIGO = nullptr;
    host::data::Field* quContEquipACCODIGO = nullptr;
    host::data::Field* quContEquipAECODIGO = nullptr;
    host::data::Field* quContEquipCOSERIE = nullptr;
    host::data::Field* quContEquipCOPLACA = nullptr;
    host::data::Field* quContEquipCOCODIGOINTERNO = nullptr;
    host::data::Field* quContEquipCOVALOR = nullptr;
    host::data::Field* quContEquipCOENDERECO = nullptr;
    host::data::Field* quContEquipCOBAIRRO = nullptr;
    host::data::Field* quContEquipCOCIDADE = nullptr;
    host::data::Field* quContEquipCOESTADO = nullptr;
    host::data::Field* quContEquipCOIDENTIFICADOR = nullptr;
    host::data::Field* quContEquipDESCEQUIP = nullptr;
    host::data::Field* quContEquipCLCODIGO = nullptr;
    host::data::Field* quContEquipCOMARCA = nullptr;
    host::data::Field* quContEquipCOMODELO = nullptr;
    // quContServ
    host::data::Field* quContServACCODIGO = nullptr;
    host::data::Field* quContServCOCIDADE = nullptr;
    host::data::Field* quContServCOENDERECO = nullptr;
    host::data::Field* quContServCOCODIGO = nullptr;
    host::data::Field* quContServCOIDENTIFICADOR = nullptr;
    host::data::Field* quContServCOVALOR = nullptr;
    // quContItPesq
    host::data::Field* quContItPesqACITCODIGO = nullptr;
    host::data::Field* quContItPesqCLCODIGO = nullptr;
    host::data::Field* quContItPesqPRCODIGO = nullptr;
    host::data::Field* quContItPesqACCODIGO = nullptr;
    host::data::Field* quContItPesqACITNUMEROSERIE = nullptr;
    host::data::Field* quContItPesqACITMODELO = nullptr;
    host::data::Field* quContItPesqACITNF = nullptr;
    host::data::Field* quContItPesqACITNFSERIE = nullptr;
    host::data::Field* quContItPesqACITCOBERTURA = nullptr;
    host::data::Field* quContItPesqACITGARANTIA = nullptr;
    host::data::Field* quContItPesqACITGARANTIADATA = nullptr;
    host::data::Field* quContItPesqACITVALOR = nullptr;
    host::data::Field* quContItPesqACITVERSAOINICIO = nullptr;
    host::data::Field* quContItPesqACITVERSAOFIM = nullptr;
    host::data::Field* quContItPesqACITOBSERVACAO = nullptr;
    host::data::Field* quContItPesqACITGRUPO = nullptr;
    host::data::Field* quContItPesqACITINSTALACAO = nullptr;
    host::data::Field* quContItPesqACITNUMEROLOGICO = nullptr;
    // quAssHistorico
    host::data::Field* quAssHistoricoHCCODIGO = nullptr;
    host::data::Field* quAssHistoricoHCDESCRICAO = nullptr;
    host::data::Field* quAssHistoricoHCTIPO = nullptr;
    // quSolicita
    host::data::Field* quSolicitaAICODIGO = nullptr;
    host::data::Field* quSolicitaAIID = nullptr;
    host::data::Field* quSolicitaAOCODIGO = nullptr;
    host::data::Field* quSolicitaAISITUACAO = nullptr;
    host::data::Field* quSolicitaAIOBSERVACAO = nullptr;
    host::data::Field* quSolicitaATCODIGOSOLICITA = nullptr;
    host::data::Field* quSolicitaAISEQUENCIA = nullptr;
    // quSolicitaIt
    host::data::Field* quSolicitaItAICODIGO = nullptr;
    host::data::Field* quSolicitaItAIID = nullptr;
    host::data::Field* quSolicitaItAISEQUENCIA = nullptr;
    host::data::Field* quSolicitaItPRCODIGO = nullptr;
    host::data::Field* quSolicitaItAIQUANTIDADE = nullptr;
    host::data::Field* quSolicitaItAIQUANTIDADEENTREGUE = nullptr;
    host::data::Field* quSolicitaItAIDATAEMISSAO = nullptr;
    host::data::Field* quSolicitaItAIDATAPREVISAO = nullptr;
    host::data::Field* quSolicitaItAIDATAENTREGA = nullptr;
    host::data::Field* quSolicitaItATCODIGOENTREGA = nullptr;
    host::data::Field* quSolicitaItAIOBSERVACAO = nullptr;
    host::data::Field* quSolicitaItAOCODIGO = nullptr;
    host::data::Field* quSolicitaItDescricaoTecnico = nullptr;
    host::data::Field* quSolicitaItESTOQUE = nullptr;
    host::data::Field* quSolicitaItDESCRICAO = nullptr;
    host::data::Field* quSolicitaItPCO_VENDA = nullptr;
    host::data::Field* quSolicitaItPRPOSICIONAMENTO = nullptr;
    host::data::Field* quSolicitaItOUTRO_CODIGO = nullptr;
    // quSolicitacaoItEnt
    host::data::Field* quSolicitacaoItEntAIENTSEQ = nullptr;
    host::data::Field* quSolicitacaoItEntAICODIGO = nullptr;
    host::data::Field* quSolicitacaoItEntAISEQUENCIAREF = nullptr;
    host::data::Field* quSolicitacaoItEntAIENTQTDENTREGUE = nullptr;
    host::data::Field* quSolicitacaoItEntAIENTDATAENTREGUE = nullptr;
    host::data::Field* quSolicitacaoItEntAIENTRESPONSAVEL = nullptr;
    host::data::Field* quSolicitacaoItEntRESPONSAVEL = nullptr;
    host::data::Field* quSolicitacaoItEntPRCODIGO = nullptr;
    host::data::Field* quSolicitacaoItEntDESCRICAO = nullptr;

private:
    // In-transit figures of the products of the open parts lines, read once
    // per product while quOSPecas stays open (its calculated fields are
    // recomputed on every row a grid paints).
    struct TransitoPeca {
        double quantidade = 0;
        QDateTime entrega;
    };
    QHash<QString, TransitoPeca> transitoPecas_;
    QList<const void*> usuariosHoraTecnica_;
    const TransitoPeca& transitoPeca(const QString& produto);

    void createComponents();
    void createQueries();
    void createUpdateObjects();
    void createFields();
    void bindHandlers();
    void bindRuleHandlers();
    void bindAssistanceHandlers();
    void bindFieldTextHandlers();
    void bindItemHandlers();
    void copiarEquipamentoPorSerie(const QString& sSerie);
    void informarFabricacaoPorSerie(const QString& sSerie);
    bool bDigitandoEquipamento_ = false;   // the equipment code comes from typed text
    // The item's defects, deleted before the item row, until that delete succeeds or fails.
    std::unique_ptr<host::db::Savepoint> exclusaoItem_;
    // The service line's time entries and defects, likewise.
    std::unique_ptr<host::db::Savepoint> exclusaoServico_;
    // A basic contract's dependants removed by the contract register's rules, likewise.
    std::unique_ptr<host::db::Savepoint> exclusaoContrato_;
    int contratoExcluido_ = 0;
    // The items a service line inserted, until the line is written or its save fails.
    std::unique_ptr<host::db::CommitHold> esperaItensDoServico_;
    std::unique_ptr<host::db::Savepoint> itensDoServico_;
    QVariant itemAnteriorDoServico_;
    void DesfazerItensDoServico();
    void ConfirmarItensDoServico();
    void bindTotalHandlers();
    void bindPecasHandlers();
    void bindAndamentoHandlers();
    void precificarPorQuantidadeImpressa();
    void bindOSHeaderHandlers();
    void bindDefeitoHandlers();
    void bindFaixasDasLinhas();
    void bindUnidadesDasLinhas();
    host::data::Dataset::Event handler(void (TdmTec::*metodo)(host::data::Dataset&));
    void VerificarSenhaOrdemFinalizada();
    void RestricaoModoFaturamento(host::data::Dataset& DataSet, const QString& evento);
    void RecusarSituacaoMortaComLinhasACobrar();
    void ConfirmarTrocaSituacao(host::data::Field& campo, int anterior, int proposta);
    void PerguntarTipoOrdem();
    bool AtendenteDoUsuario();
    void CopiarDadosCliente(const host::data::Dataset& cliente);
    void NumerarOrdem();
    void IncluirItemPadrao(int aoCodigo);
    void ExcluirDependentesOS();
    void RecusaExclusaoComSolicitacao(const QString& ordem);
    void RecusaExclusaoComDocumentos(const QString& ordem);
    QString StatusPedido(const QString& pedido, bool documentoMaisRecente);
    int iOSExcluida_ = 0;                         // order whose header row is being deleted
    int tentativasNumeroOS_ = 0;                  // numbers tried again by the current save of a new order
    // The situation the header's edit chose, as read then: its save needs
    // the same flags and reads them no more.
    struct {
        int codigo = 0;
        SituacaoOS flags;
    } situacaoEscolhida_;
    SituacaoOS SituacaoDaGravacao();
    int tentativasTotaisOS_ = 0;                  // writes of the header again over another desk's totals
    int tentativasTotaisPedidoAss_ = 0;           // the same of the assistance order's header
    bool statusAlteradoPedidoAss_ = false;        // the header's save being made changes its status
    // StatusPV's reads: calculated while grids repaint, so never on the host's
    // shared auxiliary query that a running rule may hold open.
    std::unique_ptr<host::data::Query> quStatusPedido_;
    // Queries of the rules' own reads, one per name, kept by the module so
    // their statements stay prepared from one row to the next (a new query
    // per call prepared the statement again for every order a batch made).
    QHash<QString, std::shared_ptr<host::data::Query>> consultasProprias_;
public:
    host::data::Query& ConsultaPropria(const QString& nome);
private:
    host::data::Query* newQuery(const char* name);
    host::data::UpdateSql* newUpdate(const char* name, host::data::Query* query);
};

// The one instance; empty until created.
extern host::data::DataModuleVar<TdmTec> dmTec;

// ---- totals of the order's header (uDataTecTotais.cpp) ----------------------
// None commits. The order asked for is loaded into quOS first when quOS shows
// another; an order without a header row gets nothing written.
// Every total of the order summed again into quOS (left in edit, not posted;
// the edit guard runs when quOS was in browse).
void OrdemServicoAtualizaTotalizador(int aoCodigo);
// The totals of a header being inserted with no line saved yet: every sum empty.
void OrdemServicoTotaisVazios();
// Sums one kind of line of an order again into its header ("AATC01AP" parts,
// "AATC01AA" services, any letter case; other names change nothing) and posts
// the header; bFechar then closes quOS.
void AtualizarOSCorrentePecas(int aoCodigo, const QString& tabela, bool bFechar);
// AOVALORTOTAL of quOS's row (in edit or insert) from its stored totals, by
// the formula that ATFORMULATOTALOS chooses.
void OSAtualizaValorTotalCorrrente();
// Once quOS's row holds a new grand total (the header's save, a line's
// re-total): the order's discounts may not take it below zero (it would be
// sold and billed so), whether they were typed while a line was unsaved or
// its lines shrank after them. Ends the operation in words, for the caller
// to undo; an order below zero before (totalAntes) may stay as low.
void ExigeDescontoAteOTotalOS(double totalAntes);

// The customer-equipment list of the module's front door, which registers it
// when it loads (the data module lies beneath the front door): true, with the
// chosen AECLCODIGO, when the list was confirmed.
using SelecionaEquipamentoClienteRotina = bool (*)(int equipamento, const QString& cliente, int& escolhido);
void RegistrarSelecionaEquipamentoCliente(SelecionaEquipamentoClienteRotina rotina);
// The defect list of an order item (or of a sales-document item), which the
// front door registers the same way; the windows open it through
// AbrirDefeitosItem (nothing while none is registered).
using SelecionaDefeitoItemRotina = void (*)(int ordem, int item, double chaveDocumento, int sequenciaDocumento);
void RegistrarSelecionaDefeitoItem(SelecionaDefeitoItemRotina rotina);
void AbrirDefeitosItem(int ordem, int item, double chaveDocumento, int sequenciaDocumento);
// ---- situations and the edit guard (uDataTecRestricao.cpp, uDataTecSituacao.cpp)
// True when the order's situation is of a finished type ("F", "D" or "S", any case).
bool RetornaSituacaoFinal(int aoCodigo);
SituacaoOS LerSituacaoOS(int asCodigo);
// What the situation-change dialog of the service-order windows is given:
// the order, the situation proposed, the technician of the user and, for a
// change per item, the item situations to offer (nullptr: the order's).
struct PedidoTrocaSituacao {
    int ordem = 0;
    int proposta = 0;
    int tecnico = 0;
    host::data::Dataset* situacoes = nullptr;
};
// The dialog lives with the windows above this module, which install it: it
// returns the situation chosen, 0 when the dialog was not confirmed.
using DialogoTrocaSituacao = std::function<int(const PedidoTrocaSituacao&)>;
void InstalarDialogoTrocaSituacao(DialogoTrocaSituacao dialogo);
// The progress window's totals of an order item, set by that window while it
// exists; browsing the order search list per item shows them there.
extern std::function<void(int aoCodigo, int aoitCodigo)> OSAndamentoTotalizarServicoPeca;
// Whether the service-order window is open; when asked, it is brought to its
// first page first, reopening the data behind it. Set by that window while it
// lives: the contract data module's copies into the open order reach the
// window only through this.
extern std::function<bool(bool primeiraPagina)> OrdemServicoAberta;

// ---- loaders and routines of the unit (uDataTecLoaders.cpp) ----------------
// Reopens quOS on one order; its after-scroll handler loads the items.
void CarregaOrdemServico(int aoCodigo);
// Assistance orders (uDataTecPedidoAss*.cpp): the header loader, the
// totals of the current order, its status location and serial movements.
void CarregaPedidoAssVenda(const QString& numero, const QString& condicao);
void PedidoAssVendaAtualizarTotalizador();
QString RetornaLocalEquipamentosStatusPedidoAss(const QString& tipo, const QString& status);
void RegistraNSStatusPedidoAss(int& contador);
// Defects of an order item (aoCodigo not 0) or of a sales-document item.
void CarregaDefeitoItem(int aoCodigo, int aoitCodigo, double meChave, int meitSequencia);
// Parts-request header; 0 or less leaves quSolicita closed.
void CarregaSolicitacao(int aiCodigo);
// Whole hours in the seconds (truncated).
int SegToHora(int segundos);
// Whole seconds from B to A (rounded half to even); an A earlier than B
// counts as the next day. Invalid date-times count as day 0.
int SegundosEntreHorarios(const QDateTime& A, const QDateTime& B);
// The defects and fixes of a service line in the host's search window; true
// when closed with OK. The caller has created the data modules.
bool SelecionaOSAndamentoDefeito(int aoCodigo, int aaCodigo);

// ---- shared by the module's units ------------------------------------------
// The caption of an order's service status (AOBAIXA): "S" "Serviço Executado",
// "A" "Serviço em Andamento", "P" "Serviço Suspenso", "T" "Serviço em
// Terceiro"; empty for any other.
QString TextoStatusServicoOS(const QString& codigo);
// The service-order window marks a change of its own to quOS with this tag.
inline constexpr int kTagAlteracaoInterna = 8;
// Lines saved while no order header is open (a register used on its own)
// have no header to total.
bool semCabecalho(const TdmTec& tec);
// ATRESERVAPECAS "A" or "S": the parts of a request are reserved as its
// lines are written.
bool reservaPecasAtualizada();
// A parts line's total by the line total rule (quantity times unit value
// less the discount), as SQL over the line's columns with the quantity given
// as an SQL expression: for statements that change quantities in bulk.
QString totalPecaSql(const QString& quantidade);
// An order is billed when its receivable document (CRDOCUMENTO) is filled:
// the receivable was made of its total as it stood, so nothing that changes
// that total may change any more (uDataTecLinhasGravacao.cpp).
// The order's document as stored, trimmed; empty when not billed.
QString DocumentoDaOrdem(const QVariant& ordem);
// With a document, refuses in words that end the operation: `oQue` says
// what may no longer change ("suas linhas não podem mais ...").
void RecusarOrdemFaturada(const QVariant& ordem, const QString& documento, const QString& oQue);
// What a request item still waits for: its quantity less what was delivered,
// never below nothing.
double PendenteSolicitado(double quantidade, double entregue);
