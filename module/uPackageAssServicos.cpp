// Small services for the host's other packages: a new order for a customer,
// a new contract for a customer, the data modules' queries by name and the
// current order item.

#include "module/uPackageAss.h"

#include "module/uPackageAssAbrir.h"
#include "module/uPackageAssDados.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Query.h"
#include "service_orders/uAssOrdemServico.h"

#include <stdexcept>

namespace uPackageAss {

namespace {

// Resumes the display updates of a dataset on every path out of the scope.
class ExibicaoSuspensa {
public:
    explicit ExibicaoSuspensa(host::data::Dataset* dataset) : dataset_(dataset)
    {
        if (dataset_)
            dataset_->disableControls();
    }
    ~ExibicaoSuspensa()
    {
        if (dataset_)
            dataset_->enableControls();
    }
    ExibicaoSuspensa(const ExibicaoSuspensa&) = delete;
    ExibicaoSuspensa& operator=(const ExibicaoSuspensa&) = delete;

private:
    host::data::Dataset* dataset_;
};

// The query components of a module whose name matches without regard to
// case; the last one found wins.
void procurarConsulta(const host::Component& modulo, const QString& nome, host::data::Query*& query)
{
    for (host::Component* componente : modulo.components()) {
        auto* candidata = dynamic_cast<host::data::Query*>(componente);
        if (candidata && candidata->name().compare(nome, Qt::CaseInsensitive) == 0)
            query = candidata;
    }
}

}  // namespace

void AbreOrdemServicoCliente(const QString& cliente)
{
    CriarDataTec();
    // The host's customer record (the service-order window reads it when
    // activated) is declared first, so its display is resumed last.
    ExibicaoSuspensa cliente_(dmGlobal->quClienteConsulta);
    ExibicaoSuspensa ordem(dmTec->quOS);
    abrir(fmAssOrdemServico);
    InserirRegistro(*dmTec->quOS);
    dmTec->quOSCLCODIGO->setAsString(cliente);
}

void ContratoNovoAutomatico(const QString& cliente, const QString& conta)
{
    CriarDataTec();
    // The contract loader needs the contract module even where contracts are
    // not switched on in the host.
    CriarDataTecContrato();
    dados::carregaContrato(0);
    host::data::Query* contratos = dados::consultaContrato("quCtrCadastro");
    if (!contratos)
        throw std::runtime_error("módulo de contratos sem a consulta quCtrCadastro");
    contratos->append();
    contratos->fieldByName("CLCODIGO")->setAsString(cliente);
    contratos->fieldByName("CXCODIGO")->setAsString(conta);
    contratos->fieldByName("ACNUMEROCONTRATO")->setAsString(cliente);
    contratos->post();
    const int codigo = contratos->fieldByName("ACCODIGO")->asInteger();
    ShowJanelaTec("fmAssContCad");
    dados::carregaContrato(codigo);
    dmGlobal->MostraAviso("Contrato inserido com sucesso!\rCódigo Contrato: " + QString::number(codigo) +
                              "\rConta Fluxo Caixa: " + conta,
                          false);
}

void RetornaTecQuery(const QString& nome, host::data::Query*& query)
{
    CriarDataTec();
    procurarConsulta(*dmTec, nome, query);
    // Without the contract module (contracts not in use and no window opened
    // yet) its searches are skipped: the caller gets what dmTec gave, or its
    // own reference back untouched.
    host::Component* contrato = dados::moduloContrato();
    if (!query && contrato)
        procurarConsulta(*contrato, nome, query);
    if (contrato && (nome == "quCtrObjeto" || nome == "quCtrCadastro"))
        query = dados::consultaContrato(nome);
    if (nome == "quSolicita")
        query = dmTec->quSolicita;
}

int RetornaTecOSItemCorrente()
{
    CriarDataTec();
    host::data::Query* itens = dmTec->quOSItem;
    if (!itens->active())
        return -1;
    const int codigo = dmTec->quOSItemAOITCODIGO->asInteger();
    return codigo >= 1 ? codigo : -1;
}

}  // namespace uPackageAss
