// "Excluir Parcelas" of the rental registers (every forecast of the list,
// with its cash forecast and an audit row; the password where a boleto was
// issued) and the defaults of an instalment typed into the grid.

#include "rental/uAssContLocPrevisao.h"

#include "rental/uAssContLocRegras.h"

#include "contract_data/uDataTecContRegras.h"
#include "contract_data/uDataTecContLocacao.h"

#include "host/Uautorizacao.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Field.h"
#include "host/data/HandlerGuard.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/schema/HostSchema.h"

namespace uAssContLoc {

using host::data::Dataset;

namespace {

// A forecast whose boleto was issued goes only with the special-operations password.
void exigeSenhaPrevisaoComBoleto()
{
    QString senha;
    if (!SelecionaSenha("Senha de Exclusão das Previsões", "Informe a Senha para Exclusão da Previsão.", senha) ||
        senha.trimmed() != parametroAparado("ATSENHAOPERACOESESPECIAIS"))
        dmGlobal->MostraAviso("Aviso: Senha informada é inválida!", true);
}

void definePadroesNovoReceberLoc(Dataset& receber)
{
    // The host's defaults of a new receivable.
    const QDateTime agora = uDataTecContLocacao::agora();
    const QDateTime hoje = host::db::localDateTime(agora.date());
    auto define = [&receber](const char* campo, const QVariant& valor) {
        if (host::data::Field* f = receber.findField(campo))
            f->setValue(valor);
    };
    define("DATA_EMISSAO", hoje);
    define("DATA_VENCIMENTO", hoje);
    define("DATA_LANCAMENTO", agora);
    define("TIPO_PAGAMENTO", "2");
    define("SERIE_DOCUMENTO", "001");
    define("ORIGEM", "0");
}

}  // namespace

// ---- "Excluir Parcelas" ----

void ExcluirPrevisoesContrato(Dataset& receber)
{
    if (!UsuarioMestre() && parametroMaiusculo("ATOPCAOCONTRATO") != "L")
        dmGlobal->MostraErro("Apenas usuário administrador pode excluir todas parcelas!");
    if (MostraPergunta("Tem certeza de que deseja excluir todas previsões?", {"Sim", "Não"}) != "Sim")
        return;
    ExcluirPrevisoesListadas(receber);
}

int ExcluirPrevisoesListadas(Dataset& receber)
{
    if (!receber.active())
        return 0;
    uDataTecContRegras::ExclusaoPrevisoes exclusao;
    // Forecasts of the contract itself: an item's own and a fine stay.
    exclusao.vai = [](const Dataset& r) {
        return host::data::fieldText(r, "SITUACAO_DOCUMENTO").trimmed() == "V" && uDataTecContRegras::ParcelaDe(r).doContrato;
    };
    exclusao.antes = [](Dataset& r) {
        if (!BoletoVazio(r.fieldByName("CRDATABOLETO")->asDateTime()))
            exigeSenhaPrevisaoComBoleto();
    };
    exclusao.agora = uDataTecContLocacao::agora;
    return uDataTecContRegras::ExcluirPrevisoes(receber, exclusao);
}

// ---- an instalment typed into the grid ----

void NovaParcelaManual(Dataset& receber, const CabecalhoPrevisao& cab)
{
    if (cab.local.trimmed().isEmpty())
        dmGlobal->MostraAviso("Aviso: operação abortada.\rLocal inválido!", true);
    if (cab.contrato <= 0)
        dmGlobal->MostraAviso("Aviso: operação abortada.\rCódigo do Contrato inválido!", true);
    const QString cliente = cab.cliente.trimmed();
    if (cliente.isEmpty())
        dmGlobal->MostraAviso("Aviso: operação abortada.\rCódigo do Cliente não preenchido!", true);

    const QString doContrato = " and aoCodigo = " + QString::number(cab.contrato);
    const int sequencia = int(MaximoDado("sequencia", "acrc5001", "codigo_cliente", cliente, doContrato)) + 1;
    const QString condicao = " where codigo_cliente = " + QuotedStr(cliente) + doContrato;
    // The contract's largest number: one holding a letter is no number.
    static const QString maior = "coalesce(MAX(" + host::numericTextOrder("NUMERO_DOCUMENTO") + "), '1')";
    QString documento = CarregaDado(maior, "ACRC5001", condicao).trimmed();
    bool numerico = false;
    const qlonglong numero = documento.toLongLong(&numerico);
    // The contract's next number, unless another of the customer's
    // receivables holds it (service-order billing and other contracts number
    // under the same key): then the next receivable number, which none holds.
    if (numerico) {
        documento = QString("%1").arg(numero + 1, 6, 10, QChar('0'));
        if (dmGlobal->ClienteTemNumeroReceber(cliente, documento))
            documento = dmGlobal->ProximoNumeroReceber();
    } else
        dmGlobal->MostraAviso("Aviso: Número Documento Inválido!");
    const QDateTime fimAnterior = CarregaData("MAX(CREMISSAOFIN)", "ACRC5001", condicao);

    host::data::DetachHandler semNovoRegistro(receber.onNewRecord);
    ZerarNumericField(receber);
    receber.fieldByName("NUMERO_DOCUMENTO")->setAsString(documento);
    // With no earlier period the new one is left for the user to fill.
    if (uDataTecContLocacao::dataVazia(fimAnterior)) {
        receber.fieldByName("CREMISSAOINI")->clear();
        receber.fieldByName("CREMISSAOFIN")->clear();
    } else {
        receber.fieldByName("CREMISSAOINI")->setAsDateTime(fimAnterior.addDays(1));
        receber.fieldByName("CREMISSAOFIN")->setAsDateTime(fimAnterior.addDays(31));
    }
    receber.fieldByName("CODIGO_FILIAL")->setAsString(cab.local);
    receber.fieldByName("SEQUENCIA")->setAsInteger(sequencia);
    receber.fieldByName("AOCODIGO")->setAsInteger(cab.contrato);
    receber.fieldByName("CODIGO_CLIENTE")->setAsString(cliente);
    receber.fieldByName("SITUACAO_DOCUMENTO")->setAsString("V");
    definePadroesNovoReceberLoc(receber);
}

}  // namespace uAssContLoc
