// The instalment simulation of a service order: its grand total split by its
// payment term into the host's receivables under the document "S" + the
// order code, kept as forecasts or removed again. Only the simulation's own
// rows (customer, document and order code) are ever touched: contract
// instalments share aocodigo values with orders.

#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"

#include <exception>

namespace {

// The host's document-number text handler is off while the splitter writes
// and is attached again on every way out.
class SemTextoDocumento {
public:
    SemTextoDocumento() { definir(nullptr); }
    ~SemTextoDocumento()
    {
        definir([](host::data::Field& campo, const QString& texto) {
            dmGlobal->quReceberNUMERO_DOCUMENTOSetText(campo, texto);
        });
    }
    SemTextoDocumento(const SemTextoDocumento&) = delete;
    SemTextoDocumento& operator=(const SemTextoDocumento&) = delete;

private:
    static void definir(std::function<void(host::data::Field&, const QString&)> handler)
    {
        if (host::data::Field* campo = dmGlobal->quReceber->findField("NUMERO_DOCUMENTO"))
            campo->onSetText = std::move(handler);
    }
};

bool mantemSimulacao()
{
    const QString modo = parametroAparado("ATSIMULACAOPARCELAS");
    return modo == "S" || modo == "I" || modo == "R";
}

}  // namespace

QString TdmTec::documentoSimulacao(int aoCodigo)
{
    return "S" + QString::number(aoCodigo).rightJustified(5, '0');
}

void TdmTec::OSSimularParcelamento(bool Verificar)
{
    const int codigo = quOSAOCODIGO->asInteger();
    const QString documento = documentoSimulacao(codigo);
    const QString cliente = quOSCLCODIGO->asString().trimmed();
    const QString daSimulacao = "where CODIGO_CLIENTE = " + QuotedStr(cliente) +
                                " and NUMERO_DOCUMENTO = " + QuotedStr(documento) +
                                " and aocodigo = " + QString::number(codigo);

    bool parar = false;
    if (Verificar) {
        parar = quOSAOVALORTOTAL->asFloat() == 0 || quOSTVCODIGO->asString().trimmed().isEmpty();
        if (!parar && CarregaNumeroInteiro("count(*)", "acrc5001", daSimulacao) > 0)
            parar = CarregaDado("TVCODIGO", "AATC01AO", "where  AOCODIGO = " + QString::number(codigo)) ==
                    quOSTVCODIGO->asString();
    }

    std::exception_ptr falha;
    if (!parar) {
        SemTextoDocumento semTexto;
        try {
            // A new simulation replaces the order's earlier one: splitting
            // again over kept forecasts would count the total twice. The
            // earlier one may stand under the order's former customer; the
            // document "S" + code with the code is this order's only.
            DeletaRegistros("acrc5001", "where NUMERO_DOCUMENTO = " + QuotedStr(documento) +
                                            " and aocodigo = " + QString::number(codigo));
            DesdobramentoReceber dados;
            dados.valorTotal = quOSAOVALORTOTAL->asFloat();
            dados.tabelaVencimento = quOSTVCODIGO->asString();
            dados.documento = documento;
            dados.cliente = cliente;
            dados.vendedor = quOSFOCODIGOVENDEDOR->asString();
            dados.dataEmissao = hoje();
            dados.operacao = quOSOFCODIGO->asString();
            dados.observacao = quOSOPERACAO->asString();
            dados.filial = quOSAOLOCAL->asString();
            dados.aoCodigo = codigo;
            dmGlobal->DesdobraContasReceber(dados);
        } catch (...) {
            falha = std::current_exception();
        }
    }

    // Also after a stop or a failure: whatever the simulation left is kept as
    // forecasts or removed, then committed.
    if (mantemSimulacao())
        UpdateCampo("acrc5001", "Situacao_Documento", QuotedStr("V"), daSimulacao);
    else
        DeletaRegistros("acrc5001", daSimulacao);
    dmGlobal->IBTransaction1->commitRetaining();
    dmGlobal->CarregaTabelaVencimento();
    if (falha)
        std::rethrow_exception(falha);

    if (Verificar && !parar)
        dmGlobal->CarregaParcelasReceber(cliente, documento, " and aocodigo = " + QString::number(codigo), {});
}
