#pragma once
// What the two officialising runs share: the instalment as the selection
// row holds it, the receivable updates, the next forecast and the state a
// long run keeps while it goes.

#include "contract_data/uDataTecContOficializar.h"

#include "host/data/HandlerGuard.h"
#include "host/ui/Cursors.h"

#include <QDateTime>
#include <QString>
#include <QVariantMap>

#include <functional>
#include <memory>

namespace host::data {
class Field;
}
namespace host::db {
class Statement;
}

namespace uDataTecContOficializar {

// One row of the selection: the contract's columns and the receivable's.
struct Instalment {
    int contrato = 0;
    QString cliente, documento, filialReceber;
    double sequencia = 0, valor = 0;
    QDateTime vencimento, emissao, vencimentoOriginal;
    bool temVencimentoOriginal = false;
    int objeto = 0;
    QString local, geraPV, comprovante, operacao;
    QString clienteContrato, periodo, diaVencimento, tipoPagamento, banco, modalidade;
    double valorParcela = 0;

    static Instalment From(host::data::Query& row);
    // The receivable's key, as every update of the row names it.
    QString chave() const;
    // The same key as parameters of kChaveReceber.
    QVariantMap chaveParametros() const;
    // The same key bound straight onto a kept statement (a batch names the
    // receivable several times a row; a map per binding costs more).
    void ligaChave(host::db::Statement& st) const;
    QString sequenciaTexto() const;
    // CRVENCIMENTOORIGINAL, read by the key when the selection lacks it.
    QDateTime vencimentoReferencia() const;
};

// The selection's columns an instalment is read from, found once: a batch
// reads every row through the same fields (a name looked up per column and
// row cost more than the reading). The selection stays open while it is used.
class CamposParcela {
public:
    explicit CamposParcela(host::data::Query& row);
    // The current row; a missing required column fails as fieldByName does.
    Instalment ler() const;

private:
    host::data::Field* obrigatorio(host::data::Field* field, const char* nome) const;
    host::data::Query& row_;
    host::data::Field *contrato_, *cliente_, *documento_, *sequencia_, *filialReceber_, *valor_, *vencimento_,
        *emissao_, *vencimentoOriginal_, *objeto_, *local_, *geraPV_, *comprovante_, *operacao_, *clienteContrato_,
        *periodo_, *diaVencimento_, *valorParcela_, *tipoPagamento_, *banco_, *modalidade_;
};

// The instalment as the database holds it when its turn comes, not as the
// selection read it: another desk, or an earlier run, may have been there.
struct EstadoParcela {
    bool aOficializar = false;   // still to do: a forecast, or an open row whose document is not made yet
    QString pedido;              // the order already made for it, when that order exists
    QString nota, serieNota;     // that order's invoice, when one was issued
};
EstadoParcela LerEstadoParcela(const Instalment& p, bool contasAbertas);
// The notice of an instalment officialised since it was listed.
QString AvisoJaOficializada(const Instalment& p);
// Holds the instalment's receivable for the caller's unit (until its
// commit or the rollback of its savepoint). False, with nothing written,
// while another desk holds it: that desk is officialising it now.
bool TomaParcela(const Instalment& p);
// The notice of an instalment another desk is officialising.
QString AvisoEmOutraEstacao(const Instalment& p);
// An order whose invoice did not come out stays on its forecast, so that a
// later run invoices that order instead of making another. False when the
// forecast holds an order already.
bool GuardaPedido(const Instalment& p, const QString& pedido);

// " where ..." naming the receivable by :CLIENTE, :DOCUMENTO, :SEQUENCIA, :FILIAL.
extern const char* const kChaveReceber;

// The zero-value question; false when the user answers "Não".
bool ConfirmaValorZerado(const Instalment& p);
// Situation blank (a '*' row keeps its mark) and emission date today.
void MarcaEmitida(const Instalment& p);
// The value of the order (order-only contract) or of the invoice, as the
// host's operation rule leaves it.
double ValorDocumento(const Instalment& p, const QString& numero, const QString& serie, const QString& filial);
// The same from the document's total already read.
double ValorOperacao(const Instalment& p, double total, const QString& numero, const QString& serie,
                     const QString& filial);
// The cash-forecast rows of the receivable rounded to cents.
void ArredondaCaixa(const Instalment& p);
// The receivable, its note and its cash-forecast rows under the new number.
void Renumera(const Instalment& p, const QString& novo);
// The batch's receivable made real in one update: situation blank (a '*'
// row keeps its mark), emission date today, value and PAG10, and the new
// number (none: it keeps its own); its note re-keyed and its cash rows
// rounded to cents under that number.
void OficializaReceberLote(const Instalment& p, double valor, const QString& novo);
// The contract's next period: from one period (plus a day) after its last
// due date to one period later; none without a due date, with the sentinel
// 01/12/1999, or when the screen switches forecasts off.
struct JanelaPrevisao {
    bool gerar = false;
    QDateTime inicio, fim;
};
JanelaPrevisao JanelaProximaPrevisao(const Instalment& p, const OpcoesOficializacao& opcoes);
// The customer's largest receivable sequence (the generator's counter).
int SequenciaCliente(const QString& cliente);
// The contract's forecasts of the window, by the generator.
void GeraPrevisao(const Instalment& p, const JanelaPrevisao& janela, int& sequencia, QStringList* aviso);
// The forecasts of the contract's next period (unless switched off).
void ProximaPrevisao(const Instalment& p, const OpcoesOficializacao& opcoes, QStringList* aviso);
QString ProgressoTexto(int linha, int total);

// The state of a long run: the selection's controls disabled and its rows
// fetched, the main window's timer set aside, the hourglass; encerra() (or
// the end of the scope) puts them back and hides the progress window.
class ExecucaoLonga {
public:
    explicit ExecucaoLonga(host::data::Query& oDado);
    ~ExecucaoLonga();
    void encerra(bool bFecharSelecao);

private:
    host::data::Query& oDado_;
    host::ui::WaitCursor cursor_;
    std::unique_ptr<host::data::DetachHandler<std::function<void()>>> relogio_;
    bool encerrada_ = false;
};

}  // namespace uDataTecContOficializar
