// The readjustment window's searches, runs and pickers; the rules they run
// are uDataTecContReajuste's.

#include "contracts/uAssContReajustarValor.h"

#include "contract_data/uDataTecCont.h"
#include "contract_data/uDataTecContDefinitions.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Upesqgeral.h"
#include "host/data/DataSource.h"
#include "host/data/Query.h"
#include "host/ui/Cursors.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataGrid.h"
#include "host/ui/EditControls.h"
#include "host/ui/PageControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace R = uDataTecContReajuste;

namespace {

void preencheFaixaReajuste(QLineEdit* de, QLineEdit* ate, const QString& valor)
{
    de->setText(valor);
    ate->setText(valor);
}

}  // namespace

R::FiltrosReajuste TfmAssContReaj::Filtros() const
{
    host::ui::requireTypedDates({mdDataBaseIni, mdDataBaseFim, mdDataRenovacaoIni, mdDataRenovacaoFim,
                                 mdLimiteRenovacaoIni, mdLimiteRenovacaoFim, mdAtualDataBase});
    R::FiltrosReajuste f;
    f.filial = edFilial->text().trimmed();
    f.contratoIni = edContratoIni->text();
    f.contratoFim = edContratoFim->text();
    f.dataBaseIni = mdDataBaseIni->dateText();
    f.dataBaseFim = mdDataBaseFim->dateText();
    f.renovacaoIni = mdDataRenovacaoIni->dateText();
    f.renovacaoFim = mdDataRenovacaoFim->dateText();
    f.limiteIni = mdLimiteRenovacaoIni->dateText();
    f.limiteFim = mdLimiteRenovacaoFim->dateText();
    f.indiceIni = edIndiceIni->text();
    f.indiceFim = edIndiceFim->text();
    f.contaIni = edContaFinancIni->text();
    f.contaFim = edContaFinancFim->text();
    if (const host::data::Field* campo =
            dmTecContrato ? uDataTecCont::CampoLivreContrato(*dmTecContrato->quCtrCadastro, cbCampos->currentIndex())
                          : nullptr) {
        f.campoLivre = campo->fieldName();
        f.tipoCampoLivre = campo->dataType();
        f.livreIni = edAlterIni->text();
        f.livreFim = edAlterFim->text();
    }
    f.filtrarMesBase = ckFiltrarDataBase->isChecked();
    f.mesBase = mdAtualDataBase->date().date();
    return f;
}

R::OpcoesReajuste TfmAssContReaj::Opcoes() const
{
    R::OpcoesReajuste o;
    o.percentual = edReajuste->value();
    o.atualizaDataBase = ckAtualizaDataBase->isChecked();
    o.novaDataBase = mdAtualDataBase->text();
    o.tipo = rgTipo->itemIndex();
    o.meses = edMediaMeses->value();
    o.novasProvisoes = ckNovaProv->isChecked();
    o.numeroProvisoes = edNumeroProvisoes->value();
    return o;
}

void TfmAssContReaj::PesquisarReajuste(host::data::Query& query, bool bPrincipal)
{
    if (edFilial->text().trimmed().isEmpty())
        dmGlobal->MostraAviso("Informe a filial a reajustar!", true);
    const QString sql = R::SqlPesquisaReajuste(Filtros(), bPrincipal);
    if (bDetectarErroSQL)
        dmGlobal->MostraAvisoExtenso("PesquisarReajuste", sql);
    host::ui::WaitCursor cursor;
    query.close();
    query.setSql(sql);
    query.open();
}

template <class Acao>
void TfmAssContReaj::Executa(Acao acao)
{
    // Read first: a rate refused on show ends the run here, its box still in view.
    const R::OpcoesReajuste opcoes = Opcoes();
    struct Restaura {
        TfmAssContReaj& janela;
        QStringList avisos;
        ~Restaura()
        {
            janela.DBGrid1->setDataSource(janela.dsPesq_.get());
            janela.meAviso->setPlainText(avisos.join('\n'));
            if (!avisos.isEmpty())
                janela.pcReajuste->setActivePage(janela.tsOutrasInformacoes);
        }
    } restaura{*this, meAviso->toPlainText().split('\n', Qt::SkipEmptyParts)};
    host::ui::WaitCursor cursor;
    DBGrid1->setDataSource(nullptr);
    R::Reajuste reajuste(opcoes, *quPesqVinc, restaura.avisos);
    acao(reajuste);
}

void TfmAssContReaj::ReajusteContrato(host::data::Query& query, bool bVinculado, bool bComplementares)
{
    Executa([&](R::Reajuste& reajuste) { reajuste.ReajusteContrato(query, bVinculado, bComplementares); });
}

void TfmAssContReaj::DesfazerReajusteContrato(host::data::Query& query)
{
    Executa([&](R::Reajuste& reajuste) { reajuste.DesfazerReajusteContrato(query); });
}

void TfmAssContReaj::BitBtn1Click()
{
    PesquisarReajuste(*quPesq, ckPrincipal->isChecked());
}

void TfmAssContReaj::bbBaixarClick()
{
    PesquisarReajuste(*quPesq, ckPrincipal->isChecked());
    if (ckVinculado->isChecked() &&
        MostraPergunta("A opção de cálculo de contratos vinculados está ativa, por esse motivo deve ser feita seleção "
                       "apenas dos contratos principais para que não haja reajuste duplicado! Tem certeza de que "
                       "deseja continuar?",
                       {"Sim", "Não"}) != "Sim")
        return;
    ReajusteContrato(*quPesq, false, ckVinculado->isChecked());
}

void TfmAssContReaj::BitBtn2Click()
{
    PesquisarReajuste(*quPesq, ckPrincipal->isChecked());
    DesfazerReajusteContrato(*quPesq);
}

void TfmAssContReaj::sbPesqContratoClick()
{
    QString codigo;
    if (SelecionaPesquisaGeral(68, "acCodigo", "acCodigo", "acCodigo", codigo, codigo, codigo))
        preencheFaixaReajuste(edContratoIni, edContratoFim, codigo);
}

void TfmAssContReaj::sbPesqMoedaClick()
{
    QString moeda;
    if (SelecionaPesquisaGeral(110, "moeda", "moeda", "moeda", moeda, moeda, moeda))
        preencheFaixaReajuste(edIndiceIni, edIndiceFim, moeda);
}

// The filter is on the contract's cash account: the picker lists the cash accounts.
void TfmAssContReaj::sbPesqContaClick()
{
    QString conta, descricao;
    if (SelecionaPesquisaGeral(114, "conta", "descricao", "conta", conta, descricao, conta))
        preencheFaixaReajuste(edContaFinancIni, edContaFinancFim, conta);
}
