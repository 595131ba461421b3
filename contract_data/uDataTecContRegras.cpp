// The contract rules both the contract register and the rental registers
// use: instalments that may change, the forecast-deleting walk, the guards
// lent to the host's receivables and the grids' kinds and colours.

#include "contract_data/uDataTecContRegras.h"

#include "contract_data/uDataTecCont.h"
#include "contract_data/uDataTecContParcelas.h"
#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/db/Database.h"

#include <stdexcept>

using host::data::fieldText;

namespace uDataTecContRegras {

using host::data::Dataset;

namespace {

QString situacaoDe(const Dataset& receber)
{
    return receber.fieldByName("SITUACAO_DOCUMENTO")->asString().trimmed().toUpper();
}

}  // namespace

// ---- instalments ----

bool PodeEditarParcela(const QString& opcaoContrato, const QString& situacao)
{
    const QString opcao = opcaoContrato.trimmed().toUpper();
    return opcao == "R" || opcao == "2" || situacao.trimmed().toUpper() == "V";
}

bool PodeExcluirParcela(const QString& situacao) { return situacao.trimmed().toUpper() == "V"; }

bool ExcluiNaExclusaoTotal(const ParcelaReceber& parcela, bool parcelaSemPrevisao)
{
    if (parcela.paga || parcela.oficializada || !parcela.doContrato)
        return false;
    const QString situacao = parcela.situacao.trimmed().toUpper();
    return situacao == "V" || (parcelaSemPrevisao && situacao != "*");
}

ParcelaReceber ParcelaDe(const Dataset& receber)
{
    auto texto = [&](const char* campo) {
        host::data::Field* f = receber.findField(campo);
        return f ? f->asString().trimmed() : QString();
    };
    auto numero = [&](const char* campo) {
        host::data::Field* f = receber.findField(campo);
        return f ? f->asFloat() : 0.0;
    };
    ParcelaReceber parcela;
    parcela.situacao = situacaoDe(receber);
    host::data::Field* pagamento = receber.findField("DATA_PAGAMENTO");
    parcela.paga = (pagamento && !pagamento->isNull()) || numero("VALOR_PAGO") > 0;
    parcela.oficializada = !texto("PEDIDO").isEmpty() || !texto("CRDOCUMENTOORIGINAL").isEmpty();
    parcela.doContrato = uDataTecContParcelas::ParcelaDoContrato(int(numero("ACITCODIGO")), texto("ORIGEM"));
    return parcela;
}

void ReceberAntesExcluir(Dataset& receber)
{
    if (!PodeExcluirParcela(receber.fieldByName("SITUACAO_DOCUMENTO")->asString()))
        dmGlobal->MostraErro("Não é possível excluir parcelas faturadas! ");
    dmGlobal->quReceberBeforeDelete(receber);
}

const QStringList& TiposPagamentoContrato()
{
    static const QStringList tipos = {"1 - Carnê", "2 - Duplicata/Boleto", "3 - Recibo", "4 - Cheque", "5 - Fundo",
        "6 - Endosso", "7 - R$", "8 - Cartão", "9 - CEntrega", "R - Reembolso Rodoviário",
        "P - Reembolso Postal", "V - Venda à Vista Com Vale", "D - Débito em Conta",
        "B - Depósito em Conta", "C - Carteira", "S - Cheque Surpresa", "O - Bônus",
        "N - Consignação", "E - Cheque Devolvido", "U - Custódia", "T - Protestado",
        "M - Cheque Descontado", "A - Duplicata Descontada", "CI - Cheque Incobrável",
        "DI - Duplicata Incobrável", "CA -Cheque à Vista", "BO - Boleto", "CR - Crédito"};
    return tipos;
}

QColor CorParcela(const QString& situacao, const QDateTime& vencimento, const QDate& hoje, bool selecionada,
                  const QColor& destaque)
{
    const QString s = situacao.trimmed().toUpper();
    if (selecionada)
        return destaque;
    if (s == "*")
        return QColor(166, 202, 240);
    if (s == "V")
        return QColor(255, 255, 213);
    if (vencimento.isValid() && hoje > vencimento.date())
        return QColor(255, 213, 213);
    return {};
}

void ReceberEmprestado::emprestar()
{
    host::data::Query& receber = *dmGlobal->quReceber;
    receber.beforeDelete = [](Dataset& d) { ReceberAntesExcluir(d); };
    receber.beforePost = nullptr;
    // A row left in the grid is stored, as the register's other grids store
    // theirs; one a routine writes under its savepoint goes with the routine.
    const auto guardar = [](Dataset&) {
        if (dmGlobal->IBTransaction1->savepointDepth() == 0)
            dmGlobal->IBTransaction1->commitRetaining();
    };
    receber.afterPost = guardar;
    receber.afterDelete = guardar;
    emprestado_ = true;
}

void ReceberEmprestado::devolver()
{
    if (!emprestado_ || !dmGlobal)
        return;
    host::data::Query& receber = *dmGlobal->quReceber;
    receber.beforePost = [](Dataset& d) { dmGlobal->quReceberBeforePost(d); };
    receber.beforeDelete = [](Dataset& d) { dmGlobal->quReceberBeforeDelete(d); };
    receber.afterPost = nullptr;
    receber.afterDelete = nullptr;
    emprestado_ = false;
}

// ---- deleting forecasts ----

QString CondicaoCaixaParcela(const Dataset& receber)
{
    return "Where xpId = 'R'   and xpEmitente  = " + QuotedStr(fieldText(receber, "CODIGO_CLIENTE")) +
           "  and xpDocumento = " + QuotedStr(fieldText(receber, "NUMERO_DOCUMENTO")) +
           "  and xpLocal     = " + QuotedStr(fieldText(receber, "CODIGO_FILIAL")) +
           "  and crSequencia = " + QuotedStr(fieldText(receber, "SEQUENCIA"));
}

int ExcluirPrevisoes(Dataset& receber, const ExclusaoPrevisoes& exclusao)
{
    int excluidas = 0;
    // Read again: another desk may have billed or paid an instalment while
    // the question was open; it is no forecast any more.
    receber.checkBrowseMode();
    receber.close();
    receber.open();
    while (!receber.eof()) {
        if (!exclusao.vai(receber)) {
            receber.next();
            continue;
        }
        if (exclusao.antes)
            exclusao.antes(receber);
        // Each row whole: one refused (changed meanwhile) keeps its cash rows.
        host::db::runAsOneCommit(*dmGlobal->IBTransaction1, [&] {
            const QString condicao = CondicaoCaixaParcela(receber);
            DeletaRegistros("acxc94xp",
                            "where xpId = 'R' and xpEmitente = :EMITENTE and xpDocumento = :DOCUMENTO"
                            " and xpLocal = :LOCAL and crSequencia = :SEQUENCIA",
                            {{"EMITENTE", fieldText(receber, "CODIGO_CLIENTE")},
                             {"DOCUMENTO", fieldText(receber, "NUMERO_DOCUMENTO")},
                             {"LOCAL", fieldText(receber, "CODIGO_FILIAL")},
                             {"SEQUENCIA", receber.fieldByName("SEQUENCIA")->value()}});
            const QDateTime agora = exclusao.agora();
            dmGlobal->GravaLog(IbUserName(), "Deletou Previsão do CR", "delete from acxc94xp " + condicao,
                               "ACXC94XP", host::db::localDateTime(agora.date()), agora);
            if (exclusao.junto)
                exclusao.junto(receber);
            // The list's own delete takes the row with what hangs on it; the
            // walk goes on at the row that followed.
            receber.remove();
        });
        ++excluidas;
    }
    receber.first();
    return excluidas;
}

int ExcluirTodasPrevisoes(Dataset& receber, int contrato)
{
    const bool semPrevisao = parametroMaiusculo("ATPARCELASEMPREVISAO") == "S";
    ExclusaoPrevisoes exclusao;
    exclusao.vai = [semPrevisao](const Dataset& r) { return ExcluiNaExclusaoTotal(ParcelaDe(r), semPrevisao); };
    exclusao.junto = [contrato](Dataset& r) {
        dmTecContrato->DeletarPrevisaoContratoComplementar(contrato, fieldText(r, "NUMERO_DOCUMENTO"),
                                                           r.fieldByName("DATA_EMISSAO")->asDateTime(),
                                                           r.fieldByName("DATA_VENCIMENTO")->asDateTime(), QString(),
                                                           false);
    };
    return ExcluirPrevisoes(receber, exclusao);
}

void ExigeModulosContrato()
{
    if (!dmTecContrato || !dmTec)
        throw std::runtime_error("O cadastro de contratos precisa do módulo de contratos.");
}

}  // namespace uDataTecContRegras
