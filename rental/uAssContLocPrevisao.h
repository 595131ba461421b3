#pragma once
// Forecast instalments of the rental registers: "Gerar Previsão" of each
// register (the re-instalment panel of option "E" included), "Excluir
// Parcelas" and the defaults of an instalment typed into the grid. The
// windows read their controls into the structs below and call these; the
// generator's 24 arguments are assembled by pure functions so that each
// register's table can be checked on its own.

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>

#include <QStringList>

#include "contract_data/uDataTecCont.h"

namespace host::data {
class Dataset;
}

namespace uAssContLoc {

// ---- what the forecast reads ----

// The re-instalment panel as typed (an invalid date is a blank or unparsable field).
struct PainelReparcela {
    QDateTime vencimento;    // deReparcelaVcto
    QString quantidade;      // maReparcelaQtde
    QDateTime vigenciaDe;    // deReparcelaVigDe
    QDateTime vigenciaAte;   // deReparcelaVigAte
    double valorBoleto = 0;  // ceReparcelaVlrBoleto
    QDateTime emissao;       // deReparcelaDtEmissao
    QString pedidoCliente;   // cbReparcelaPedCliente
};
// Complete: four dates, a count above 0 and a value above 0 in cents.
bool VerificaReparcela(const PainelReparcela& painel);
int QuantidadeReparcela(const PainelReparcela& painel);

// The contract header fields the forecast reads.
struct CabecalhoPrevisao {
    int contrato = 0;          // ACCODIGO
    QString cliente;           // CLCODIGO
    QString local;             // ACLOCAL
    QString tipoPagamento;     // ACTIPOPAGAMENTO
    QString banco;             // BCCODIGO
    QString periodo;           // ACPERIODO
    QString operacao;          // OFCODIGO
    QDateTime implantacao;     // ACDATAIMPLANTACAO
    QDateTime validade;        // ACDATAVALIDADE
    double valorParcela = 0;   // ACVALORPARCELA
    double quantidade = 0;     // ACQUANTIDADEPARCELA
    double valor = 0;          // ACVALOR
    QVariant vencimento;       // ACVENCIMENTO (null when not set)
    QString periodoDesc;       // ACPERIODODESC
};
CabecalhoPrevisao LerCabecalhoPrevisao(const host::data::Dataset& contrato);

// ---- the generator's arguments, in its order ----
using ArgumentosGerador = ParcelasLocacao;
// Option "E": `meses` instalments from `primeiro`, `existentes` already there.
ArgumentosGerador ArgumentosPrevisaoE(const CabecalhoPrevisao& cab, const PainelReparcela& painel, bool reparcela,
                                      const QDate& primeiro, int meses, int existentes, const QDateTime& agora);
// Option "Q": the due day is the contract's; no panel.
ArgumentosGerador ArgumentosPrevisaoQ(const CabecalhoPrevisao& cab, const QDate& primeiro, int meses,
                                      int existentes, const QDateTime& agora);

// Calendar months from one date to the other (0 when either is empty or the end comes first).
int MesesInteiros(const QDate& de, const QDate& ate);
// A due day of screen Q is refused outside 1..31; an empty one is the generator's "01".
bool DiaVencimentoInvalido(const QVariant& dia);

// ---- the whole operations, on the contract of dmTecContrato->quCtrCadastro ----
// "Gerar Previsão" of option "E" (the panel read by its window).
void PrevisionarContratoE(const PainelReparcela& painel);
// "Gerar Previsão" of option "Q".
void PrevisionarContratoQ();
// "Excluir Parcelas": the permission, the question, then the walk.
void ExcluirPrevisoesContrato(host::data::Dataset& receber);
// The walk alone: forecast rows go with their cash forecast and an audit
// row; a boleto issued asks the password. Returns the rows deleted.
int ExcluirPrevisoesListadas(host::data::Dataset& receber);
// The defaults of an instalment typed into the grid of option "E".
void NovaParcelaManual(host::data::Dataset& receber, const CabecalhoPrevisao& cab);

}  // namespace uAssContLoc
