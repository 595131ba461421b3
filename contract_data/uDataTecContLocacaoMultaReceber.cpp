// The late-return fine the user accepted becomes a receivable with the save
// of its line: one open document of the contract's billing customer,
// numbered as the rental instalments are, written in the line's own
// transaction (a save that fails leaves none). The fine's receivables carry
// origin "M", the contract and the item: what they add up to is what the
// line was billed, so a line saved again, from another desk too, bills
// nothing more, and one returned again with a larger fine bills only the rest.

#include "contract_data/uDataTecCont.h"

#include "contract_data/uDataTecContLocacao.h"
#include "contract_data/uDataTecContLocacaoDocumento.h"
#include "contract_data/uDataTecContParcelas.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Abort.h"
#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/db/Database.h"

#include <cmath>
#include <exception>

using host::data::Dataset;
using host::data::DatasetState;
namespace L = uDataTecContLocacao;
namespace P = uDataTecContParcelas;
using L::campo;

namespace {

const QString kOrigemMulta = QStringLiteral("M");

// What the rental billing charges a contract with.
struct CobrancaContrato {
    bool existe = false;
    QString cliente, filial, tipoPagamento, banco;
    int diaVencimento = 0;
    int objeto = 0;   // AJCODIGO: the cash account when the contract has no template
};

CobrancaContrato lerCobranca(int contrato)
{
    CobrancaContrato c;
    host::db::Statement& st = dmGlobal->ComandoPreparado(
        "select CLCODIGO, ACLOCAL, ACTIPOPAGAMENTO, BCCODIGO, ACVENCIMENTO, AJCODIGO from AATC05AC"
        " where ACCODIGO = :C");
    st.setParam("C", contrato);
    st.execute();
    if (st.fetch()) {
        c.existe = true;
        c.cliente = st.value(0).toString().trimmed();
        c.filial = st.value(1).toString();
        c.tipoPagamento = st.value(2).toString().trimmed();
        c.banco = st.value(3).toString().trimmed();
        c.diaVencimento = st.value(4).toInt();
        c.objeto = st.value(5).toInt();
        st.closeCursor();
    }
    return c;
}

// What the line's fines were billed so far.
double multaFaturada(int contrato, int item)
{
    host::db::Statement& st = dmGlobal->ComandoPreparado(
        "select coalesce(sum(VALOR_DOCUMENTO), 0) from ACRC5001"
        " where AOCODIGO = :C and ACITCODIGO = :I and ORIGEM = 'M'");
    st.setParam("C", contrato);
    st.setParam("I", item);
    st.execute();
    double valor = 0;
    if (st.fetch()) {
        valor = st.value(0).toDouble();
        st.closeCursor();
    }
    return valor;
}

// Due on the contract's due day, the first one from today on.
QDate vencimentoMulta(const QDate& hoje, int dia)
{
    const int diaMes = dia > 0 ? dia : 1;
    const QDate nesteMes = P::DataVencimento(hoje, diaMes);
    return nesteMes >= hoje ? nesteMes : P::DataVencimento(P::IncMonth(QDate(hoje.year(), hoje.month(), 1), 1), diaMes);
}

// How a user tells the document is a fine, and for what.
QString textoMulta(int contrato, int item, const QString& descricao)
{
    return QString("Multa por atraso - contrato %1, item %2: %3")
        .arg(contrato)
        .arg(item)
        .arg(descricao.trimmed())
        .left(255)
        .trimmed();
}

// The document, its cash forecast and its message, as a rental instalment
// has them.
void gravaDocumentoMulta(TdmTecContrato& dm, const CobrancaContrato& cobranca, int contrato, int item, double valor,
                         const QString& observacao)
{
    NumerosReceber livres;
    const L::DocumentoReceber documento =
        L::ProximoDocumento(cobranca.cliente, contrato, L::NumeroDoContrato(), livres);
    const QDate hoje = L::agora().date();
    const QDateTime emissao = host::db::localDateTime(hoje);
    const QDateTime vencimento = host::db::localDateTime(vencimentoMulta(hoje, cobranca.diaVencimento));
    dmGlobal->InseriParcelaReceber(cobranca.cliente, documento.numero, L::TipoDocumentoContrato(), cobranca.filial,
                                   cobranca.tipoPagamento, " ", {}, {}, {}, {}, cobranca.banco, {},
                                   documento.sequencia, valor, 0, 0, 0, 0, 0, 0, 0, emissao, vencimento, emissao, valor,
                                   {}, {}, {}, contrato, observacao, kOrigemMulta, {}, item, 0, 0, {}, {}, 0);
    dm.InserirProvisaoCaixaContrato(documento.numero, cobranca.cliente, cobranca.filial, documento.sequencia,
                                    contrato, valor, cobranca.objeto, true, nullptr);
    dm.GravaMensagemContratoContaReceber(0, contrato, documento.sequencia,
                                         documento.numero + cobranca.cliente + QString::number(documento.sequencia),
                                         vencimento, {}, false);
}

}  // namespace

bool TdmTecContrato::MultaAceitaNaEdicao(Dataset& item)
{
    host::data::Field& multa = campo(item, "ACITVALORMULTA");
    const double nova = multa.asFloat();
    if (nova <= 0)
        return false;
    return item.state() == DatasetState::Insert || std::abs(nova - multa.oldValue().toDouble()) >= 0.005;
}

void TdmTecContrato::FaturaMultaAtraso(Dataset& item)
{
    if (!MultaAceitaNaEdicao(item))
        return;
    const int contrato = campo(item, "ACCODIGO").asInteger();
    const int codigo = campo(item, "ACITCODIGO").asInteger();
    const double multa = Arredonda2Monetario(campo(item, "ACITVALORMULTA").asFloat());
    const double valor = Arredonda2Monetario(multa - multaFaturada(contrato, codigo));
    if (valor <= 0)
        return;
    const CobrancaContrato cobranca = lerCobranca(contrato);
    const QString recusa = QString("Não foi possível gerar o documento de multa do item %1 do contrato %2")
                               .arg(codigo)
                               .arg(contrato);
    if (!cobranca.existe || cobranca.cliente.isEmpty())
        dmGlobal->MostraErro(recusa + ": o contrato não tem cliente.\rO item não foi salvo.");
    // The line's save commits the document with the row; a step that
    // commits on its own waits for it.
    host::db::CommitHold semCommit(*dmGlobal->IBTransaction1);
    try {
        gravaDocumentoMulta(*this, cobranca, contrato, codigo, valor,
                            textoMulta(contrato, codigo, campo(item, "DESCRICAO").asString()));
    } catch (const std::exception& erro) {
        dmGlobal->Log("[FaturaMultaAtraso]", " EXCEPTION --> " + QString::fromUtf8(erro.what()));
        dmGlobal->MostraErro(recusa + ".\rO item não foi salvo.");
    }
}
