// The invoicing screen's officialising runs: the screen hands its options
// to the runs of the contract data module.

#include "contracts/uAssContFat.h"
#include "contract_data/uDataTecContOficializar.h"

#include "host/data/Format.h"
#include "host/ui/EditControls.h"

#include <QCheckBox>
#include <QLineEdit>

namespace {

OpcoesOficializacao opcoesDaTela(TfmAssContFat& tela, bool bMesRefOriginal)
{
    OpcoesOficializacao opcoes;
    opcoes.bMesRefOriginal = bMesRefOriginal;
    opcoes.bContasAbertas = tela.ckCRAberta->isChecked();
    opcoes.bNaoGeraPrevisao = tela.ckNaoGeraPrevisao->isChecked();
    QDateTime data;
    if (host::data::parseDateTimeText(tela.mdDataFaturamento->text(), data))
        opcoes.dataFaturamento = data;
    opcoes.filial = tela.edUnNegocioIni->text().trimmed();
    opcoes.minimizar = [&tela] { tela.showMinimized(); };
    return opcoes;
}

}  // namespace

void TfmAssContFat::OficializarParcelaPesquisa(host::data::Query& oDado, bool bMesRefOriginal, QStringList* aviso)
{
    ::OficializarParcelaPesquisa(oDado, opcoesDaTela(*this, bMesRefOriginal), aviso);
}

void TfmAssContFat::OficializarParcelaPesquisaLote(host::data::Query& oDado, bool bMesRefOriginal,
                                                   QStringList* aviso)
{
    ::OficializarParcelaPesquisaLote(oDado, opcoesDaTela(*this, bMesRefOriginal), aviso);
}
