#pragma once
// TdmTecContrato (global dmTecContrato): the data module of service and
// rental contracts. It owns the datasets through which the contract screens,
// the rental screens and the reports read and edit contracts, items,
// contractual customers, links, billing objects, coverages, contacts, rental
// lines, item details, compositions, meters and readings; the loaders that
// reopen them on one parent key; the captions of the one-letter code columns.
// Creating it brings the contract tables up to date (uDataTecContMigration.h).

#include "host/data/DataModule.h"
#include "host/data/DataSource.h"
#include "host/data/Query.h"
#include "host/data/UpdateSql.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace host::data {
class Field;
}
namespace host::db {
class Savepoint;
}

class TdmTecContrato : public host::data::DataModule {
public:
    explicit TdmTecContrato(host::Component* owner = nullptr);
    ~TdmTecContrato() override;

    // ---- datasets and their update objects ----
    host::data::Query* quCtrCadastro = nullptr;        // contract header AATC05AC
    host::data::UpdateSql* usCtrCadastro = nullptr;
    host::data::Query* quCtrCadastroIt = nullptr;      // contract items AATC05ACIT
    host::data::UpdateSql* usCtrCadastroIt = nullptr;
    host::data::Query* quCtrObjeto = nullptr;          // billing objects AATC11AJ
    host::data::UpdateSql* usCtrObjeto = nullptr;
    host::data::Query* quCtrCobertura = nullptr;       // coverage types AATC10AB
    host::data::UpdateSql* usCtrCobertura = nullptr;
    host::data::Query* quCtrContato = nullptr;         // contact records CADCOM
    host::data::UpdateSql* usCtrContato = nullptr;
    host::data::Query* quContratoCli = nullptr;        // contractual customers AATC05ACCL
    host::data::UpdateSql* usContratoCli = nullptr;
    host::data::Query* quContratoVin = nullptr;        // principal/complementary links AATC05ACVI
    host::data::UpdateSql* usContratoVin = nullptr;
    host::data::Query* quCtrCadastroEquip = nullptr;   // customer equipment AUGC03CO
    host::data::UpdateSql* usCtrCadastroEquip = nullptr;
    host::data::Query* quCtrVeiculo = nullptr;         // rental and vehicle lines AATC05ACEV
    host::data::UpdateSql* usCtrVeiculo = nullptr;
    host::data::Query* quCtrCadastroDet = nullptr;     // item details AATC05ACDT
    host::data::UpdateSql* usCtrCadastroDet = nullptr;
    host::data::Query* quCtrCadastroItCo = nullptr;    // meter readings AATC05ACITCO
    host::data::UpdateSql* usCtrCadastroItCo = nullptr;
    host::data::Query* quCtrCadastroMedidor = nullptr; // meters and groups AATC05CO
    host::data::UpdateSql* usCtrCadastroMedidor = nullptr;
    host::data::Query* QuFranquiaPorGrupo = nullptr;   // franchise per meter group AATC05FG
    host::data::UpdateSql* UsFranquiaPorGrupo = nullptr;
    host::data::Query* quCtrCadastroCM = nullptr;      // item compositions AATC05ACCM
    host::data::UpdateSql* usCtrCadastroCM = nullptr;
    host::data::Query* quCtrEquipLocacao = nullptr;    // rental view of items: equipment
    host::data::UpdateSql* usCtrEquipLocacao = nullptr;
    host::data::Query* quCtrAcessLocacao = nullptr;    // rental view of items: accessories
    host::data::UpdateSql* usCtrAcessLocacao = nullptr;
    host::data::Query* quCtrEquipSol = nullptr;        // lines of a sales order, read only
    host::data::Query* quPesqIndice = nullptr;         // index names, read only

    // ---- data sources ----
    host::data::DataSource* dsPesqIndice = nullptr;
    // Bound by the header's scroll rule to the contracting party's contacts.
    host::data::DataSource* dsContato = nullptr;
    host::data::DataSource* dsContatoEnt = nullptr;
    host::data::DataSource* dsContatoCob = nullptr;
    host::data::DataSource* dsContatoRet = nullptr;
    host::data::DataSource* dsContatoCtr = nullptr;

    // Fields other modules reach by name.
    host::data::Field* quCtrCadastroACCODIGO = nullptr;
    host::data::Field* quCtrCadastroCLCODIGO = nullptr;
    host::data::Field* quCtrCadastroCXCODIGO = nullptr;
    host::data::Field* quCtrCadastroACNUMEROCONTRATO = nullptr;
    host::data::Field* quCtrCadastroItACITCODIGO = nullptr;

    // ---- creation ----
    // The creation handler: clears the customer flag and brings the contract
    // tables up to date.
    void DataModuleCreate();

    // ---- loaders (close, rewrite or parameterise, open; nothing commits) ----
    void CarregaContratoItem(const QString& cliente, const QString& contrato);
    // The item row left in edit on the register is stored (a new row left
    // untouched is let go) before the header is saved, before the items are
    // closed and when the window closes; a refusal of its rules leaves it
    // on screen and ends the caller with the rule's message. True when a row
    // was stored.
    bool CtrSalvarItensPendentes();
    // The same, then the header: the register closing keeps what was typed.
    bool CtrSalvarPendentesAoFechar();
    void CarregaContratoClientes(int contrato);
    void CarregaContratoPrincipalComplemento(int principal, int complemento);
    void CarregaContratoContato(int contrato, const QString& origem, const QString& cliente);
    void CarregaContratoItemDetalhe(int item);
    void CarregaContratoVeiculo(int contrato, bool bSomenteAtivos);
    // The contract whose lines quCtrVeiculo holds (0: every contract's),
    // known even when it holds none.
    int ContratoVeiculoCarregado() const { return iContratoVeiculo_; }
    void CarregaObjeto(int objeto);
    // dmGlobal->quReceber on the contract's receivables; code 0 leaves it closed.
    void CarregaContratoParcela(int contrato);
    // The named query over the customer's contact people (made on first use,
    // kept and reloaded on later calls); closed when the customer is blank.
    host::data::Query* CarregaContratanteContatos(const QString& nomeQuery, const QString& cliente,
                                                  const QString& tipoContato);

    // ---- invoice texts (uDataTecContTexto.cpp) ----
    // The text of the billing object for one instalment of the contract, as
    // its AJCOMPLNF says: nothing, the object text, the complement with its
    // marks filled in, or both. The object text is the caller's when not
    // blank, else the contract's ACOBJETO, else the object's AJOBJETO.
    QString RetornarTextoContratoObjeto(int objeto, int contrato, int sequencia, const QDateTime& vencimento,
                                        const QString& textoObjeto);
    // While one lives, the texts reuse the object and contract rows they
    // have read: a forecast run reads them once, not once per instalment.
    class MemoriaTextos {
    public:
        explicit MemoriaTextos(TdmTecContrato& dm);
        ~MemoriaTextos();
        MemoriaTextos(const MemoriaTextos&) = delete;
        MemoriaTextos& operator=(const MemoriaTextos&) = delete;

    private:
        TdmTecContrato& dm_;
        bool dono_;
    };
    struct CacheTextos;
    std::shared_ptr<CacheTextos> cacheTextos_;
    // A billing object as an order line reads it: its percentage (0 when
    // none), operation and object text as stored; from the texts' memory
    // while one lives, so a batch reads each object once.
    struct ObjetoFaturamento {
        double percentual = 0;
        QString operacao, texto;
    };
    ObjetoFaturamento DadosObjetoFaturamento(int objeto);
    // The contract columns its texts read, taken by a caller with a row of
    // its own: the texts' memory keeps them (nothing happens without one).
    struct ContratoTexto {
        QString objeto, periodo, modalidade;
        QVariant implantacao, validade;
        QString numero;
    };
    void LembraContratoTexto(int contrato, const ContratoTexto& dados);
    // The months an instalment due on that date covers ("ABRIL, MAIO, JUNHO/2008"),
    // by the contract's period letter and modality.
    static QString FormatarReferenciaPeriodo(const QString& modalidade, const QString& periodo,
                                             const QDateTime& data);

    // ---- meters, franchise and compositions (uDataTecContMedidor*.cpp, uDataTecContComposicao.cpp) ----
    // Units used above the franchise in the month of the billing date (0 for
    // franchise "U"); consumo receives the month's usage. Item 0 or less: every
    // item of the contract, each meter's usage summed.
    double CalculaValorExcedente(int contrato, const QDateTime& dataFaturamento, const QString& tipoFranquia,
                                 double& consumo, int item);
    // Usage in the billing month of the compositions of an equipment line, or
    // of the one composition named by its item and sequence (both above 0).
    double CalculaConsumoExcedenteComposto(int contrato, const QDateTime& dataFaturamento, const QString& texto,
                                           const QString& equipamento, int item, int sequencia);
    // Replaces the item's compositions by the product's, totals at the quantity.
    void InserirComposicaoContrato(int contrato, int item, const QString& produto, double quantidade);
    void CarregaComposicaoEquipContrato(int contrato, int linha);
    void CarregaContadoresComposicaoItemContrato(int contrato, int item, int linha, const QString& produto,
                                                 const QString& componente, int sequencia);
    int SequenciaComposicao(const QString& produto);
    int SequenciaComposicaoEquipamento(const QString& produto, const QString& linha);
    // ATMODOCOMPOSICAO 2: compositions per equipment line, readings per composition.
    static bool ComposicaoPorEquipamento();
    // The items' after-scroll rule: the compositions of the current equipment line.
    void AtualizaComposicaoDoItem();

    // ---- shared field handler ----
    // Date entry: "  /  /  " clears the field; a text that is no date is refused.
    void ValidaData(host::data::Field& field, const QString& text);

    // The base statements, without their WHERE lines (the loaders add them).
    static QString sqlContrato();
    static QString sqlContratoItem();
    static QString sqlContratoEquipamento();
    static QString sqlContratoClientes();
    static QString sqlContratoVinculo();
    static QString sqlContratoContato();
    static QString sqlContratoVeiculo();
    static QString sqlContratoItemDetalhe();
    static QString sqlContratoParcela();

    // ---- instalment value and forecast instalments (uDataTecContParcelas*.cpp) ----
    // The value of one instalment of the contract for the month of the date;
    // with bAcumular, the months of its whole period added.
    double RetornaValorParcelaContrato(int contrato, const QDateTime& data, bool bAcumular);
    // What one instalment of the header as it stands comes to, before taxes
    // (a divided value's whole cut by its count).
    double CtrValorUmaParcela(host::data::Dataset& dataset);
    // The value net of the taxes the fiscal operation withholds.
    double VerificaValorISSQNContrato(double valor, const QString& operacao);
    // The cash-forecast rows of one receivable instalment (ATPREVISAOCAIXA "S").
    void InserirProvisaoCaixaContrato(const QString& documento, const QString& cliente, const QString& filial,
                                      int sequencia, int contrato, double valor, int objeto, bool bRevisar,
                                      QStringList* mensagens);
    // The observation of one receivable instalment: the billing object's text.
    void GravaMensagemContratoContaReceber(int objeto, int contrato, int sequencia, const QString& chave,
                                           const QDateTime& vencimento, const QString& texto, bool bAcrescentar);
    // The start of the period after the one that begins at the date.
    QDateTime RetornaDataIncrementada(const QDateTime& data, const QString& periodo);
    // ---- sales order and invoice per instalment (uDataTecContNota*.cpp) ----
    // The order of one instalment and, unless the contract only wants the
    // order (ACGERAPV "S"), its invoice: returns the invoice's number (the
    // order's when none was issued) and puts the invoice's series in serie.
    // The text date is the billing date when bUsaDataFaturamento and it is a
    // date after 01/01/2000, else the due date; meters read the billing
    // month (the due date's when there is no billing date).
    QString GeraNotaParcelaContrato(const QString& cliente, int contrato, double valor, int objeto, int sequencia,
                                    const QDateTime& vencimento, const QString& filial, bool bUsaDataFaturamento,
                                    const QDateTime& dataFaturamento, QString& serie);
    // The invoice of an order already made for an instalment whose invoice
    // did not come out then: its number (the order's when none was issued
    // again), its series in serie, bNotaEmitida as for GeraNotaParcelaContrato.
    QString EmiteNotaPedidoContrato(const QString& pedido, int contrato, QString& serie);
    // The order only (the batch invoices its orders afterwards); serie is untouched.
    QString GeraNotaParcelaContratoApenasPV(const QString& cliente, int contrato, double valor, int objeto,
                                            int sequencia, const QDateTime& vencimento, const QString& filial,
                                            bool bUsaDataFaturamento, const QDateTime& dataFaturamento,
                                            QString& serie);
    // The text of one order line (AUGC70OB, kind "V"); an empty text writes nothing.
    void GravaObservacaoObjetoVendaItem(const QString& pedido, int linha, const QString& texto);
    // The host's invoice form on the invoices of a run, at the branch.
    void AbreEmissaoCarregaNota(const QString& documentos, const QString& filial);
    // Whether the last GeraNotaParcelaContrato issued an invoice.
    bool bNotaEmitida = false;
    // The order the last GeraNotaParcelaContrato made (empty when it made none).
    QString sPedidoParcela;
    // Set while a caller holds each order in a savepoint of its own (with
    // what it writes along with the order): the builder then takes none.
    bool bPedidoEmUnidadeDoChamador = false;

    // ---- forecast maintenance (uDataTecContManutencao.cpp) ----
    void quCtrCadastroACVALORPARCELAChange(host::data::Field& field);
    void ReajustarValorContratoCorrente(double valor);
    static void quCtrCadastroACVENCIMENTOValidate(host::data::Field& field);
    void quCtrCadastroACVENCIMENTOChange(host::data::Field& field);
    void quCtrCadastroACSITUACAOChange(host::data::Field& field);
    void quCtrCadastroAJCODIGOChange(host::data::Field& field);
    void quCtrCadastroAJCODIGOSetText(host::data::Field& field, const QString& text);
    bool AceitaPeriodoObjeto(int objeto);
    static void RecusaObjetoDesconhecido(const QString& rotulo, const QString& texto);
    bool bPeriodoObjetoRecusado_ = false;   // set by the typed object, read by its change
    void RegerarContasReceberItens();
    void InserirParcelaItemContrato(const QString& cliente, const QString& serie, const QString& filial,
                                    const QString& texto1, const QString& texto2, double valor,
                                    const QDateTime& emissao, int contrato, int item, QString& documento,
                                    int& sequencia);
    void DeletarPrevisaoContratoComplementar(int contrato, const QString& documento, const QDateTime& emissao,
                                             const QDateTime& vencimento, const QString& texto, bool bFlag);
    // The contract's new template row while the cash-forecast dialog is open
    // on it: what is not yet distributed of the net instalment.
    void quCXPrevContratoNewRecord(host::data::Dataset& dataset);
    // Run by the header's after-post and after-cancel: the forecasts of a
    // contract ended in the edit go when it is saved, never when it is cancelled.
    void AplicaExclusaoPrevisoesPendente();
    void DescartaExclusaoPrevisoesPendente()
    {
        iContratoExcluirPrevisoes = 0;
        iDiaVencimentoPendente = 0;
    }
    int iContratoExcluirPrevisoes = 0;
    // The due day the user chose to move the forecasts to: they move in the
    // header's save, under its savepoint, so a refused save moves none.
    void AplicaVencimentoPendente();
    int iDiaVencimentoPendente = 0;

    // ---- header rules (uDataTecContCadastro*.cpp, uDataTecContCancelamento.cpp) ----
    void quCtrCadastroNewRecord(host::data::Dataset& dataset);
    // Runs under a savepoint that lasts until the row is written: a refused
    // or failed post leaves nothing of its steps behind; the after-post
    // commits the steps with the row.
    // The instalment value the header's post stores: the one given when the
    // value is fixed ("S") or divided ("D": the whole, cut when forecast),
    // else the contract's value for today.
    double CtrValorParcelaPelaRegra(double valor);
    // A divided contract's whole, kept in its value too; one a former save
    // cut to an instalment gets its whole back.
    void CtrGuardaValorDividido(host::data::Dataset& dataset);
    void quCtrCadastroBeforePost(host::data::Dataset& dataset);
    void quCtrCadastroAfterPost(host::data::Dataset& dataset);
    void quCtrCadastroBeforeDelete(host::data::Dataset& dataset);
    void quCtrCadastroAfterDelete(host::data::Dataset& dataset);
    // A contract's delete, whichever register deletes it: the password and
    // the billed instalments checked, what hangs on it removed under the
    // savepoint returned (released once the header is gone); then what
    // follows the header's delete.
    std::unique_ptr<host::db::Savepoint> PrepararExclusaoContrato(int contrato, const QString& pedido);
    void ConcluirExclusaoContrato(int contrato);
    void quCtrCadastroAfterScroll(host::data::Dataset& dataset);
    void quCtrCadastroAfterCancel(host::data::Dataset& dataset);
    void quCtrCadastroCalcFields(host::data::Dataset& dataset);
    void quCtrCadastroCLCODIGOValidate(host::data::Field& field);
    void quCtrCadastroCLCODIGOChange(host::data::Field& field);
    void quCtrCadastroACLOCALChange(host::data::Field& field);
    void quCtrCadastroBCCODIGOChange(host::data::Field& field);
    void quCtrCadastroACCONTRATANTEChange(host::data::Field& field);
    void quCtrCadastroACCONTRETIRADAChange(host::data::Field& field);
    void quCtrCadastroACCONTENTREGAChange(host::data::Field& field);
    void quCtrCadastroACCONTCOBRANCAChange(host::data::Field& field);
    void quCtrCadastroACCONTENTCONTRATOChange(host::data::Field& field);
    void quCtrCadastroACVINCULOChange(host::data::Field& field);
    // Cancelling a contract: its open receivables due from the cancellation
    // date on go, with their cash rows, when the user agrees.
    void CtrVerificaCancelamentoCR();
    // The contract types a register offers, in order: the registered ones
    // (AATC05ACTP) and those stored contracts carry. Another is the
    // administrator account's, and is registered by the save of its contract.
    static QStringList TiposContrato();
    static void RegistraTipoContrato(const QString& tipo);
    // A header is stored only with a registered contracting party and
    // billing customer; otherwise refused naming the box.
    static void ExigePartesCadastradas(host::data::Dataset& dataset);
    // The contact people a header names are its contracting party's; one of
    // another customer is refused naming the box.
    static void ExigeContatosDoContratante(host::data::Dataset& dataset);
    // The header's boxes naming a contact person of the party (only those
    // changed since stored, when asked).
    static std::vector<host::data::Field*> contatosDoCabecalho(host::data::Dataset& dataset, bool soAlterados);
    // The five contact lists bound to the party's people (closed when blank).
    void CarregaContatosContratante(const QString& contratante);
    // The days between a contract's periodic service orders
    // (ACCODIGOINTEGRACAO): empty, or a number of days as the run reads it.
    static void ValidaPeriodicidadeOS(host::data::Field& campo);
    // The program's own re-post of the current header (its values
    // recomputed by the before-post): the header goes into edit when it is
    // not, and no reason for change is asked, since the user changed nothing.
    void RegravarContratoCorrente();

    // The same, with the fields the caller changes set first (inside the re-post).
    void RegravarContratoCorrente(const std::function<void()>& alterar);
    // Before the header is posted again after a line's change: the header in
    // edit takes the totals another desk's lines wrote meanwhile, so that its
    // post writes over them instead of being refused as another desk's
    // change. A total typed here is kept; another desk's change of it, or of
    // anything else, is still refused by the post.
    void RelerTotaisContratoCorrente();

    // ---- item rules (uDataTecContItens*.cpp, uDataTecContPreco.cpp) ----
    void quCtrCadastroItNewRecord(host::data::Dataset& dataset);
    // Under a savepoint until the row is written, as the header's.
    void quCtrCadastroItBeforePost(host::data::Dataset& dataset);
    void quCtrCadastroItAfterPost(host::data::Dataset& dataset);
    void quCtrCadastroItBeforeDelete(host::data::Dataset& dataset);
    void quCtrCadastroItAfterDelete(host::data::Dataset& dataset);
    void quCtrCadastroItCalcFields(host::data::Dataset& dataset);
    void quCtrCadastroItPRCODIGOChange(host::data::Field& field);
    void quCtrCadastroItACCODIGOChange(host::data::Field& field);
    void quCtrCadastroItACITVALORSetText(host::data::Field& field, const QString& text);
    void quCtrCadastroItACITVALORPERCENTUALChange(host::data::Field& field);
    void quCtrCadastroDetNewRecord(host::data::Dataset& dataset);
    void quCtrCadastroDetBeforePost(host::data::Dataset& dataset);
    void quCtrCadastroDetPRCODIGOChange(host::data::Field& field);
    // The product's active flag follows its use by contract items (only
    // under ATPARCELASEMPREVISAO "S"); committed.
    void AtualizaAtivoProdutoContrato(const QString& produto);
    // The contract's lines, closed and complementary ones left out, cut to cents.
    double CalculaTotalEquipamentos(int contrato);

    // ---- satellites of the header (uDataTecContSatelites.cpp) ----
    void quContratoCliNewRecord(host::data::Dataset& dataset);
    void quContratoCliBeforePost(host::data::Dataset& dataset);
    void quContratoCliAfterPost(host::data::Dataset& dataset);
    void quContratoCliBeforeDelete(host::data::Dataset& dataset);
    void quContratoCliCalcFields(host::data::Dataset& dataset);
    void quContratoCliCLCODIGOChange(host::data::Field& field);
    void quContratoVinNewRecord(host::data::Dataset& dataset);
    void quContratoVinBeforePost(host::data::Dataset& dataset);
    void quContratoVinAfterPost(host::data::Dataset& dataset);
    void quContratoVinACCODIGOCOMPLEMENTOChange(host::data::Field& field);
    void quCtrContatoMGCODIGOChange(host::data::Field& field);
    void quCtrCoberturaNewRecord(host::data::Dataset& dataset);
    void quCtrCadastroEquipNewRecord(host::data::Dataset& dataset);
    void quCtrCadastroEquipBeforePost(host::data::Dataset& dataset);
    void quCtrCadastroEquipAfterPost(host::data::Dataset& dataset);
    void quCtrCadastroEquipBeforeDelete(host::data::Dataset& dataset);
    void quCtrCadastroEquipAfterDelete(host::data::Dataset& dataset);
    void quCtrCadastroEquipAECODIGOChange(host::data::Field& field);

    // ---- rental lines, rental items and the late-return fine (uDataTecContLocacao*.cpp) ----
    // dmGlobal->quReceber on the contract's receivables; kind "C" (a
    // complementary contract) adds the principal contracts' receivables that
    // are not forecasts. Code 0 leaves it closed.
    void CarregaContratoParcelaLocEquip(int contrato, const QString& tipo);
    // The last of the contract's receivables in that list's order (due
    // date, number): its value and the end of the period it covers. Read by
    // one statement kept prepared, so that a batch (the renewal) opens no
    // dataset per contract; `existe` is false when the contract has none.
    struct UltimaParcelaLoc {
        bool existe = false;
        double valor = 0;
        QDateTime fimCobertura;   // CREMISSAOFIN (invalid: null)
        QDate vencimento;         // DATA_VENCIMENTO
    };
    UltimaParcelaLoc UltimaParcelaLocEquip(int contrato);
    // quCtrCadastroIt on the contract's items, complementary or not, closed or not.
    void CarregaContratoItemEquipamento(int contrato, bool bComplementar, bool bEncerrado);
    // quCtrEquipSol on the lines of a sales order.
    void CarregaEquipSolicitadosPedidoAss(const QString& pedido);
    // quCtrEquipLocacao on the contract's equipment rows and quCtrAcessLocacao
    // on the accessories of its current row, which follow that row as it moves.
    void CarregaContratoEquipLocacao(int contrato);
    void CarregaAcessoriosEquipLocacao();
    // Rental lines of the unit (of the contract when its code is above 0;
    // active ones only when asked) on dmGlobal->quAuxiliar, left open on them.
    bool VerificaExisteVeiculo(int contrato, int veiculo, bool bSomenteAtivos);
    // With an expected count: true when the contract's invoices carry another
    // number of its non-complementary items (not all invoiced). Without (0):
    // true when no invoice carries that item and product yet.
    bool CtrAssVerificaPendenciaEmissaoNF(int contrato, int item, int esperado, const QString& produto);
    // The unit's status from its lines ("L" rented, "D" available); committed.
    void AtualizaStatusVeiculoContrato(int veiculo);
    // How an amendment leaves the lines it closes: its mark ("S" replaced,
    // "D" returned), the end date (none: null), a note and the amendment's
    // number when it gives them.
    struct EncerramentoVeiculo {
        QString aditivo;
        QDateTime fim;
        std::optional<QString> observacao;
        std::optional<int> numeroAditivo;
    };
    // Closes the unit's open lines of the contract ("I", ended now) in one
    // update; a unit with no open line there is refused, nothing written.
    void EncerraLinhasVeiculo(int contrato, int veiculo, const EncerramentoVeiculo& encerramento);
    // The serial numbers of one line of the contract, each once: those its
    // own movements name; a line without any shows its product's movements
    // that name no line (booked so before movements named their line).
    QStringList SeriaisProdutoContrato(int contrato, const QString& produto, int item);
    // Quantity of the product reserved by contract items; bDesconsiderarAtual
    // leaves out the current item of quCtrCadastroIt.
    double ReservaContrato(const QString& produto, bool bDesconsiderarAtual);
    // Saves the header of contract `regravar` again (its rules recompute its
    // values), then loads contract `recarregar`.
    void CtrAtualizaValorContratoAcessorio(int recarregar, int regravar);
    // The rental line's value: quantity times unit value.
    void CalculaTotalVeiculo();
    // The late-return fine of the current item, offered to the user.
    void GerarMultaAtrasoCR();
    // A returned item: the fine when it came back late.
    void DevolverItemContrato();
    // The item being saved carries a fine accepted since it was read (no query).
    static bool MultaAceitaNaEdicao(host::data::Dataset& item);
    // The accepted fine not billed yet becomes the contract's receivable,
    // in the item's save; a failure refuses the save.
    void FaturaMultaAtraso(host::data::Dataset& item);

    // Rules of the rental lines (quCtrVeiculo) and the rental fields of items.
    void quCtrVeiculoNewRecord(host::data::Dataset& dataset);
    void quCtrVeiculoBeforePost(host::data::Dataset& dataset);
    void quCtrVeiculoAfterPost(host::data::Dataset& dataset);
    void quCtrVeiculoBeforeDelete(host::data::Dataset& dataset);
    void quCtrVeiculoAfterDelete(host::data::Dataset& dataset);
    void quCtrVeiculoEVCODIGOChange(host::data::Field& field);
    void quCtrVeiculoACEVDATAFIMChange(host::data::Field& field);
    void quCtrVeiculoACEVSITUACAOChange(host::data::Field& field);
    void quCtrVeiculoACEVSITUACAOValidate(host::data::Field& field);
    void quCtrCadastroItACITENCERRADOChange(host::data::Field& field);
    void quCtrCadastroItACITDEVOLVIDOChange(host::data::Field& field);
    void quCtrCadastroItACITQUANTIDADEChange(host::data::Field& field);
    // Contact records of a contract: the owner, number and date of a new one.
    void quCtrContatoNewRecord(host::data::Dataset& dataset);
    void quCtrContatoBeforePost(host::data::Dataset& dataset);

private:
    // Set when an extra customer's active flag changes; the customer's
    // after-post then re-posts the header, whose instalment value counts
    // only active customers' items.
    bool bReprocessarContrato = false;
    // The contracting party as it stood before its last change: a billing
    // customer that was only following it follows it again.
    QString contratanteAnterior_;
    // The header's post in progress: from its before-post to the write.
    std::unique_ptr<host::db::Savepoint> spCabecalho_;
    // The cancellation's count, told once the cancelled header is stored.
    std::optional<QString> avisoCancelamento_;
    // The header's delete in progress: from its before-delete to its after-delete.
    std::unique_ptr<host::db::Savepoint> spExclusaoCabecalho_;
    int iRegravacaoPrograma_ = 0;
    // The item's post in progress, and its delete.
    std::unique_ptr<host::db::Savepoint> spItem_;
    std::unique_ptr<host::db::Savepoint> spExclusaoItem_;
    // The rental line's post or delete in progress (its reason record waits
    // for the row; the unit's status is committed with the row).
    std::unique_ptr<host::db::Savepoint> spVeiculo_;
    int iContratoLinhaExcluida_ = 0;
    int iContratoVeiculo_ = 0;
    // The item's own re-post for its serial numbers is running (once per save).
    bool bRepostandoItem_ = false;
    // quCtrCadastroIt lists a rental contract's complements: a line added
    // there is one, whether its product was picked or typed.
    bool bItensComplementares_ = false;
    // The product an edited item leaves: its active flag follows its remaining use.
    QString sProdutoAnteriorItem_;
    // The item's value typed by the user, with the columns a line value is
    // computed from as they stood then: kept by the save while they stay so.
    std::optional<std::array<double, 4>> fontesValorDigitado_;
    bool valorItemMantido(host::data::Dataset& item) const;
    void ligarEventosItens();
    bool passoNumerosSerie(host::data::Dataset& item);
    void passoPeriodoLocacao(host::data::Dataset& item);
    void passoEstoque(host::data::Dataset& item);
    void passoSerieDigitada(host::data::Dataset& item);
    void totalizaEquipamentosCabecalho();
    // What the header's calculated fields read from other rows, by contract.
    struct CacheCalculados;
    std::shared_ptr<CacheCalculados> cacheCalculados_;
    void EsquecerCalculados();
    void ligarEventosCadastro();
    void ligarEventosSatelites();

    void criarDatasets();
    void ligarEventos();
    void ligarEventosMedidores();
    void ligarEventosObjeto();
    void ligarEventosLocacao();
    static void RecusaLinhaLocacaoDigitada();
    void VerificaDisponibilidadeVeiculo(host::data::Dataset& linha);
    void RegistraMotivoAlteracaoVeiculo(host::data::Dataset& linha);
    void ConfirmaLinhaEStatusVeiculo(int veiculo);
    void NovaLeitura(host::data::Dataset& leitura);
    static void AvisaLeituraMenor(host::data::Dataset& leitura);
    void ligarTextos();
    void ligarApresentacao();
    void fecharDatasets();

    QHash<QString, host::data::Query*> contatosContratante_;
};

extern host::data::DataModuleVar<TdmTecContrato> dmTecContrato;

// The forecast-instalment generator: writes the contract's instalments of
// the span as receivables with their cash forecast and observation, and
// counts them in iContador. Dates travel as "dd/mm/yyyy" texts.
void InserirParcelasContrato(const QString& sModalidade, const QString& sPeriodoInicial,
                             const QString& sPeriodoFinal, const QString& sCliente, bool bNota,
                             const QString& sDiaVencimento, int iContrato, double rValorParcela,
                             const QString& sFilial, const QString& sTipoPagamento, const QString& sBanco,
                             const QString& sDataEmissao, const QString& sPeriodo, int& iContador, int iObjeto,
                             const QString& sFilialPedido, const QString& sOperacao, bool bUltimo,
                             const QString& sObjeto, bool bRevisarCaixa, QStringList* mensagens, int iContaDebito,
                             int iContaCredito);
// The rental instalments of a contract (a variant of InserirParcelasContrato
// for the rental screens): one forecast a month over the span, valued from
// the contract or fixed, with the period it covers and the planned boleto
// date, counted in iContador. Arguments 10, 11, 13 and 15 are not used.
void InserirParcelasContratoLocEquipamentos(
    const QString& sPeriodoInicial, const QString& sPeriodoFinal, const QString& sCliente,
    const QString& sDiaVencimento, int iContrato, double rValor, const QString& sFilial,
    const QString& sTipoPagamento, const QString& sBanco, const QString& sDataFaturamento, const QString& sPeriodo,
    int& iContador, const QString& sFilialPedido, const QString& sOperacao, bool bFlag, bool bRevisarCaixa,
    QStringList* mensagens, const QDateTime& dInicioCobertura, const QDateTime& dFimCobertura, double rMesesPular,
    bool bValorFixo, const QString& sObservacao, const QDateTime& dPrimeiroBoleto, bool bProrrogaValidade);
// The same 24 arguments, in that order, for the windows that assemble them
// (the rental registers' forecast, the renewal of rental contracts).
struct ParcelasLocacao {
    QString primeiroVencimento;   // 1
    QString dataFinal;            // 2
    QString cliente;              // 3
    QString diaVencimento;        // 4
    int contrato = 0;             // 5
    double valor = 0;             // 6
    QString filial;               // 7
    QString tipoPagamento;        // 8
    QString banco;                // 9
    QString emissao;              // 10
    QString periodo;              // 11
    int criadas = 0;              // 12 (out)
    QString filialPedido;         // 13
    QString operacao;             // 14
    bool flag = false;            // 15
    bool previsaoCaixa = true;    // 16
    QStringList* lista = nullptr; // 17
    QDateTime vigenciaDe;         // 18: the period the first instalment covers
    QDateTime vigenciaAte;        // 19
    double existentes = 0;        // 20
    bool valorFixo = false;       // 21: `valor` as it is (a re-instalment, a renewal)
    QString pedidoCliente;        // 22
    QDateTime previsaoBoleto;     // 23
    bool prorrogaValidade = false;// 24
};
// Runs the generator; `criadas` counts what it made, also when it fails midway.
void InserirParcelasLocacao(ParcelasLocacao& a);

// ATOPCAOCONTRATO in capitals: how the company runs its contracts ("" when
// no host is open).
QString opcaoContrato();
// Under the option "E" the situation of a contract says whether it was
// signed ("1 - Sim", "2 - Não", "3 - Não Possui"); under any other it is the
// letter of its state. The captions the register's situation box offers.
QStringList SituacoesContrato();
// The signed situation under "E" ("1"), else "A".
QString SituacaoContratoFaturar(const QString& opcao = opcaoContrato());
// The one rule of a contract in force, which the register's forecast, the
// readjustment and the billing take: "A" (a new contract's situation), the
// signed one, or none. The same as a condition on the column.
bool ContratoEmVigor(const QString& situacao);
QString CondicaoContratoEmVigor(const QString& coluna, const QString& opcao = opcaoContrato());

// The first day from the given one of the month ("mm/yy") that falls on the
// weekday (1 = Sunday ... 7 = Saturday).
QDateTime RetornaPrimeiroDiaSemanaMes(int diaSemana, const QString& mes, int primeiroDia);

// A joined description set by a rule: shown, never written (the field's
// read-only flag is kept).
void DefineDescricaoUnida(host::data::Dataset& dataset, const char* campo, const QVariant& valor);

// Exported by plain name: dmTecContrato must exist.
void CarregaContrato(int contrato);
void CarregaContratoEquipamento(int contrato);
// Exported by plain name: a product's new price goes into every contract
// item of that product, and each such contract is saved again.
void CtrAlteracaoPrecoProduto(const QString& produto, double preco);

// Opens the query on the complementary contracts of the principal one (their
// header rows with the billing object's operation), the codes read by the
// engine: none travel as text.
void AbreComplementaresDoPrincipal(host::data::Query& query, int principal);
// The contract's link letter (ACVINCULO) as stored, trimmed.
QString VinculoContrato(int contrato);
