// The forecast handlers of the rental registers: "Gerar Previsão" of each,
// "Excluir Parcelas" of both, the re-instalment check and the defaults of
// an instalment typed into the grid of option "E". The rules are
// uAssContLocPrevisao's; these read the controls and hand on.

#include "rental/uAssContLocEquipCad.h"
#include "rental/uAssContLocPrevisao.h"
#include "rental/uAssContLocacao.h"

#include "contract_data/uDataTecCont.h"

#include "host/Udmglobal.h"
#include "host/data/DataSource.h"
#include "host/data/Query.h"
#include "host/ui/EditControls.h"

#include <QComboBox>
#include <QLineEdit>

void TfmAssContLocBase::bbApagarClick() { uAssContLoc::ExcluirPrevisoesContrato(*dmGlobal->quReceber); }

uAssContLoc::PainelReparcela TfmAssContCadLocEquip::painelReparcela() const
{
    uAssContLoc::PainelReparcela p;
    p.vencimento = deReparcelaVcto->date();
    p.quantidade = maReparcelaQtde->text();
    p.vigenciaDe = deReparcelaVigDe->date();
    p.vigenciaAte = deReparcelaVigAte->date();
    p.valorBoleto = ceReparcelaVlrBoleto->value();
    p.emissao = deReparcelaDtEmissao->date();
    p.pedidoCliente = cbReparcelaPedCliente->currentText();
    return p;
}

bool TfmAssContCadLocEquip::VerificaReparcela() const { return uAssContLoc::VerificaReparcela(painelReparcela()); }

void TfmAssContCadLocEquip::bbPrevisionarClick()
{
    host::ui::requireTypedDates({deReparcelaVcto, deReparcelaVigDe, deReparcelaVigAte, deReparcelaDtEmissao});
    uAssContLoc::PrevisionarContratoE(painelReparcela());
}

void TfmAssContCadLocEquip::dsReceberStateChange()
{
    host::data::Dataset* receber = dsReceber->dataset();
    if (!receber || receber->state() != host::data::DatasetState::Insert || !contrato().active())
        return;
    // A refused row is taken back: left in insert, blank, it would be posted
    // by the next save.
    try {
        uAssContLoc::NovaParcelaManual(*receber, uAssContLoc::LerCabecalhoPrevisao(contrato()));
    } catch (...) {
        receber->cancel();
        throw;
    }
}

void TfmAssContLocacao::bbPrevisionarClick() { uAssContLoc::PrevisionarContratoQ(); }
