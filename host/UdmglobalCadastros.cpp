// The look-up lists of the entry windows' combos: customers, fiscal
// operations and representatives, and the customer combo without a list.

#include "host/Udmglobal.h"

#include "host/Upesqcli.h"
#include "host/data/Field.h"
#include "host/ui/DataLookupCombo.h"

#include <QPointer>

namespace {

void reabrir(host::data::Query* query)
{
    if (query->active())
        query->close();
    query->open();
}

}  // namespace

void TdmGlobal::CarregaOperacaoTransacao(const QString& condicao, const QString& ordem)
{
    if (quOperacao->active())
        quOperacao->close();
    quOperacao->setSql("select * from AFVC0901 op where 1=1 " + condicao + " " +
                       (ordem.trimmed().isEmpty() ? QString("order by COD_OP") : ordem));
    quOperacao->open();
}

void TdmGlobal::CarregaListaClientes()
{
    if (quClienteLista->active() && !listaClientesAlterada_)
        return;
    listaClientesAlterada_ = false;
    reabrir(quClienteLista);
}

void TdmGlobal::CarregaRepresentantes() { reabrir(quRepresentante); }

void TdmGlobal::CarregaListaFornecedores() { reabrir(quFornecedorLista); }

void TdmGlobal::CarregaBancos() { reabrir(quBanco); }

void TdmGlobal::CarregaVendedores() { reabrir(quVendedor); }

void TdmGlobal::CarregaContasCaixa() { reabrir(quCXContas); }

// A register too large to scroll through: the combo's drop-down is the
// customer search (typed text finds the customer) instead of the list.
void TdmGlobal::VerificaListagemCliente(bool bAtivar, host::ui::DataLookupCombo* combo, QWidget*,
                                        const QString&)
{
    if (!combo)
        return;
    if (!bAtivar) {
        combo->onDropDown = nullptr;
        return;
    }
    QPointer<host::ui::DataLookupCombo> alvo(combo);
    combo->onDropDown = [alvo] {
        if (!alvo)
            return;
        QString nome, codigo, fantasia;
        if (!SelecionaCliente(nome, codigo, fantasia))
            return;
        host::data::Dataset* dados = alvo->dataset();
        host::data::Field* campo = alvo->field();
        if (!dados || !campo)
            return;
        if (!dados->editing())
            dados->edit();
        campo->setAsString(codigo);
    };
}
