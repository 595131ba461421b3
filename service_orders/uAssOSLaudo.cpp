// The technical report dialog of an order or of one item.

#include "service_orders/uAssOSLaudo.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/Components.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/Errors.h"
#include "shared_windows/uPesqAssDefeitos.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using host::ui::named;

host::ui::FormVar<TfmAssOSLaudo> fmAssOSLaudo("fmAssOSLaudo");

namespace {

bool laudoModoVeiculo() { return dmGlobal->Parametro("ATMODOVEICULO") == "O"; }

}  // namespace

TfmAssOSLaudo::TfmAssOSLaudo(QWidget* parent)
    : host::ui::Form(parent),
      dsOS(std::make_unique<host::data::DataSource>(nullptr, "dsOS", dmTec ? dmTec->quOS : nullptr))
{
    setCaption("Laudo da Ordem de Serviço ");
    setStayOnTop(true);
    setCentered(true);
    criarControles();
    if (dmTec) {
        const bool veiculo = laudoModoVeiculo();
        gbLaudo->setTitle(veiculo ? "Laudo" : "Defeito Constatado");
        for (QGroupBox* grupo : {gbCausa, gbSolucao, gbObsLaudo})
            grupo->setVisible(!veiculo);
        dmTec->LiberaAlteracaoLaudo();
    }
    onClose = [this](host::ui::CloseAction& action) {
        if (dmTec)
            SalvarAlteracoes(*dmTec->quOS);
        action = host::ui::CloseAction::Free;
    };
}

TfmAssOSLaudo::~TfmAssOSLaudo()
{
    // The controls go before the data source they show.
    for (QWidget* w : std::initializer_list<QWidget*>{gbLaudo, gbCausa, gbSolucao, gbObsLaudo, paImpressao})
        delete w;
}

void TfmAssOSLaudo::criarControles()
{
    host::data::DataSource* ds = dsOS.get();
    auto grupo = [&](QGroupBox*& caixa, const char* nomeGrupo, const QString& titulo, host::ui::DataMemo*& memo,
                     const char* nomeMemo, const char* campo) {
        caixa = named<QGroupBox>(nomeGrupo, titulo);
        memo = new host::ui::DataMemo(nomeMemo);
        memo->bind(ds, campo);
        (new QVBoxLayout(caixa))->addWidget(memo);
        host::ui::DataMemo* m = memo;
        memo->onExit = [this, m] { maiusculoAoSair(m); };
    };
    grupo(gbLaudo, "gbLaudo", "Defeito Constatado", dbmeLaudo, "dbmeLaudo", "AODESCRICAOLAUDO");
    grupo(gbCausa, "gbCausa", "Causa", dbmeCausa, "dbmeCausa", "AOCAUSA");
    grupo(gbSolucao, "gbSolucao", "Solução", dbmeSolucao, "dbmeSolucao", "AOSOLUCAO");
    grupo(gbObsLaudo, "gbObsLaudo", "Observação", dbmeObsLaudo, "dbmeObsLaudo", "AOOBSLAUDO");
    dbmeLaudo->onDblClick = [this] {
        const bool veiculo = laudoModoVeiculo();
        SelecionarDefeitoMemo(dbmeLaudo, veiculo ? QString() : "D", "Tipo de Defeito inválido.", !veiculo);
    };
    dbmeCausa->onDblClick = [this] { SelecionarDefeitoMemo(dbmeCausa, "C", "Tipo de Causa inválido.", true); };
    dbmeSolucao->onDblClick = [this] {
        SelecionarDefeitoMemo(dbmeSolucao, "S", "Tipo de Solução inválido.", true);
    };

    paImpressao = named<QWidget>("paImpressao");
    auto* impressao = new QHBoxLayout(paImpressao);
    impressao->addWidget(named<QLabel>("laImpLaudo", "Imprimir Laudo no Orçamento"));
    dbcbImpLaudo = new host::ui::DataLetterComboBox("dbcbImpLaudo", {"Sim", "Não"});
    dbcbImpLaudo->bind(ds, "AOIMPRIMIRLAUDO");
    impressao->addWidget(dbcbImpLaudo);
    impressao->addSpacing(16);
    impressao->addWidget(named<QLabel>("laLiberacao", "Previsão para Liberação após aprovação"));
    dbedLiberacao = new host::ui::DataEdit("dbedLiberacao");
    dbedLiberacao->bind(ds, "AOPREVLIBERACAO");
    dbedLiberacao->setFixedWidth(50);
    impressao->addWidget(dbedLiberacao);
    impressao->addWidget(named<QLabel>("laDias", "dias"));
    impressao->addStretch();

    bbOk = named<QPushButton>("bbOk", "&OK");
    bbCancelar = named<QPushButton>("bbCancelar", "&Cancelar");
    connect(bbOk, &QPushButton::clicked, this, [this] { close(); });
    connect(bbCancelar, &QPushButton::clicked, this, [this] {
        host::ui::runGuarded([] { CancelarAlteracoes(*dmTec->quOS); });
        close();
    });
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(bbOk);
    botoes->addWidget(bbCancelar);

    auto* janela = new QVBoxLayout(this);
    janela->setContentsMargins(4, 4, 4, 4);
    for (QGroupBox* g : {gbLaudo, gbCausa, gbSolucao, gbObsLaudo})
        janela->addWidget(g, 1);
    janela->addWidget(paImpressao);
    janela->addLayout(botoes);
    resize(620, 560);
}

void TfmAssOSLaudo::MostrarItem()
{
    dsOS->setDataset(nullptr);
    const std::pair<host::ui::DataMemo*, const char*> memos[] = {
        {dbmeLaudo, "AOITLAUDO"}, {dbmeCausa, "AOITCAUSA"}, {dbmeSolucao, "AOITSOLUCAO"}, {dbmeObsLaudo, "AOITOBSERVACAO"}};
    for (const auto& [memo, campo] : memos)
        memo->bind(dsOS.get(), campo);
    dbcbImpLaudo->setDataSource(nullptr);
    dbedLiberacao->setDataSource(nullptr);
    dsOS->setDataset(dmTec->quOSItem);
    paImpressao->hide();
}

void TfmAssOSLaudo::maiusculoAoSair(host::ui::DataMemo* memo)
{
    host::data::Field* campo = memo->field();
    if (!campo || campo->asString() == campo->asString().toUpper())
        return;
    host::data::Dataset& dados = *dsOS->dataset();
    if (!dados.editing())
        dados.edit();
    campo->setAsString(campo->asString().toUpper());
}

// The pick writes the field its memo shows: the order's, or the item's in the item's dialog.
void TfmAssOSLaudo::SelecionarDefeitoMemo(host::ui::DataMemo* memo, const QString& tipo, const QString& recusa,
                                          bool comCodigo)
{
    host::ui::runGuarded([&] {
        int codigo = 0;
        QString descricao, tipoEscolhido, observacao;
        if (!SelecionaDefeito(codigo, descricao, tipoEscolhido, observacao))
            return;
        if (!tipo.isEmpty() && tipoEscolhido != tipo)
            dmGlobal->MostraErro(recusa);
        host::data::Dataset& dados = *dsOS->dataset();
        if (!dados.editing())
            dados.edit();
        memo->field()->setAsString(comCodigo ? QString::number(codigo) + " - " + observacao : observacao);
        dados.post();
    });
}

void OSAndamentoAbrirLaudo(bool porItem, int aoCodigo, int aoitCodigo)
{
    TdmTec& tec = *dmTec;
    TfmAssOSLaudo* dialogo = fmAssOSLaudo.create();
    dialogo->setCaption("Laudo da Ordem de Serviço  (Referente a OS Nº :  " + tec.quOSAOCODIGO->asString() + ")");
    if (porItem) {
        tec.CarregaOSItens(aoCodigo, aoitCodigo);
        dialogo->MostrarItem();
        dialogo->setCaption("Laudo da Ordem de Serviço  (Referente a Item Código :  " +
                            tec.quOSItemAOITCODIGO->asString() + ")");
    }
    dialogo->showModal();
    if (porItem) {
        SalvarAlteracoes(*tec.quOSItem);
        tec.quOSItem->close();
    }
}
