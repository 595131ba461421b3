#include "service_orders/uAssOrdemServicoCusto.h"

#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Upesqprod.h"
#include "host/data/DataSource.h"
#include "host/data/Query.h"
#include "host/data/Format.h"
#include "host/ui/DataGrid.h"
#include "host/ui/Errors.h"
#include "host/ui/SearchWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

host::ui::FormVar<TfmAssOrdemServicoCusto> fmAssOrdemServicoCusto("fmAssOrdemServicoCusto");

namespace {

QString legendaTotal(double total)
{
    return "Valor Total R$ " + host::data::formatFloat("###,###,###,###,##0.00", total) + "    ";
}

// A line without cost lines takes its product's composition, in sequence.
void semearComposicao(TdmTec& tec, const QString& produto)
{
    if (!tec.quOSCusto->isEmpty() ||
        CarregaNumero("Count(*)", "AGPC03CM", "WHERE PRCODIGO = " + QuotedStr(produto)) <= 0)
        return;
    host::data::Query& composicao = *dmGlobal->quAuxiliar;
    composicao.close();
    composicao.setSql("Select cmCodigo, cmValor, cmQuantidade from agpc03cm Where prCodigo = " + QuotedStr(produto) +
                      "Order by cmSequencia ");
    composicao.open();
    for (composicao.first(); !composicao.eof(); composicao.next()) {
        tec.quOSCusto->append();
        tec.quOSCustoPRCODIGO->setAsString(composicao.fieldByName("CMCODIGO")->asString());
        tec.quOSCustoAFVALOR->setAsFloat(composicao.fieldByName("CMVALOR")->asFloat());
        tec.quOSCustoAFQUANTIDADE->setAsFloat(composicao.fieldByName("CMQUANTIDADE")->asFloat());
        tec.quOSCusto->post();
    }
    composicao.close();
}

}  // namespace

TfmAssOrdemServicoCusto::TfmAssOrdemServicoCusto(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Formação de Custo");
    setStayOnTop(true);
    setCentered(true);
    resize(640, 360);

    fonteCusto_ = std::make_unique<host::data::DataSource>(nullptr, "dsCusto", dmTec->quOSCusto);
    dsCusto = fonteCusto_.get();
    dbgdAssOrdemServicoCusto = new host::ui::DataGrid("dbgdAssOrdemServicoCusto", this);
    dbgdAssOrdemServicoCusto->setDataSource(dsCusto);
    dbgdAssOrdemServicoCusto->addColumn("PRCODIGO", "Código", 90)->setButtonStyle(
        host::ui::GridColumn::ButtonStyle::Ellipsis);
    dbgdAssOrdemServicoCusto->addColumn("DESCRICAO", "Descrição", 220)->setReadOnly(true);
    dbgdAssOrdemServicoCusto->addColumn("AFVALOR");
    dbgdAssOrdemServicoCusto->addColumn("AFQUANTIDADE");
    dbgdAssOrdemServicoCusto->addColumn("AFTOTAL");
    dbgdAssOrdemServicoCusto->addColumn("AFVALORACUMULADO")->setReadOnly(true);

    paBase = new QLabel(this);
    paBase->setObjectName("paBase");
    paBase->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    bbRecalcular = new QPushButton("&Recalcular", this);
    bbRecalcular->setObjectName("bbRecalcular");
    auto* base = new QHBoxLayout;
    base->addWidget(bbRecalcular);
    base->addWidget(paBase, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(dbgdAssOrdemServicoCusto, 1);
    layout->addLayout(base);

    dsCusto->onDataChange = [this](host::data::DataSource&, host::data::Field*) { dsCustoDataChange(); };
    dbgdAssOrdemServicoCusto->onEditButtonClick = [this] { dbgdAssOrdemServicoCustoEditButtonClick(); };
    dbgdAssOrdemServicoCusto->onTitleClick = [this](host::ui::GridColumn& coluna) {
        dbgdAssOrdemServicoCustoTitleClick(coluna);
    };
    connect(bbRecalcular, &QPushButton::clicked, this, [this] { host::ui::runGuarded([this] { bbRecalcularClick(); }); });
    onCreate = [this] { FormCreate(); };
    onShow = [this] { FormShow(); };
    onClose = [this](host::ui::CloseAction& action) {
        FormClose();
        action = host::ui::CloseAction::Free;
    };
}

TfmAssOrdemServicoCusto::~TfmAssOrdemServicoCusto() = default;

void TfmAssOrdemServicoCusto::FormCreate()
{
    CarregarConfiguracaoJanela(this, bModoZeltoControlAtivo);
}

void TfmAssOrdemServicoCusto::FormShow()
{
    SalvarConfiguracaoDBGrid(dbgdAssOrdemServicoCusto, true);
}

void TfmAssOrdemServicoCusto::FormClose()
{
    SalvarConfiguracaoJanela(this, bModoZeltoControlAtivo);
}

void TfmAssOrdemServicoCusto::dsCustoDataChange()
{
    paBase->setText(legendaTotal(dmTec->rTotalCustoOS));
}

// Any column: the product chosen in the host's search, valued at its cost
// (the search's fifth number) rather than its sale price.
void TfmAssOrdemServicoCusto::dbgdAssOrdemServicoCustoEditButtonClick()
{
    QString codigo, descricao;
    double venda = 0, estoque = 0, reservado = 0, promocional = 0, custo = 0;
    if (!SelecionaProduto(codigo, descricao, venda, estoque, reservado, promocional, custo, true))
        return;
    dmTec->quOSCusto->edit();
    dmTec->quOSCustoPRCODIGO->setAsString(codigo);
    dmTec->quOSCustoAFVALOR->setAsFloat(custo);
}

void TfmAssOrdemServicoCusto::dbgdAssOrdemServicoCustoTitleClick(host::ui::GridColumn& Column)
{
    host::ui::sortByColumn(*dbgdAssOrdemServicoCusto, Column);
    SalvarConfiguracaoDBGrid(dbgdAssOrdemServicoCusto, false);
}

// Each line posted again so that its total, running value and the dialog's
// total are computed afresh.
void TfmAssOrdemServicoCusto::bbRecalcularClick()
{
    host::data::Query& custo = *dmTec->quOSCusto;
    for (custo.first(); !custo.eof(); custo.next()) {
        custo.edit();
        dmTec->quOSCustoAFQUANTIDADE->setAsFloat(dmTec->quOSCustoAFQUANTIDADE->asFloat());
        custo.post();
    }
    dmGlobal->MostraAviso("Operação efetuada com sucesso!", false);
}

void SelecionaOSCusto(const QString& sTipo, const QString& sProduto, int iOrdem, int iLinha, double& rValor)
{
    TdmTec& tec = *dmTec;
    TfmAssOrdemServicoCusto* janela = fmAssOrdemServicoCusto.create();
    // The window's clean-up runs however the dialog ends, a failure included.
    struct Limpeza {
        TdmTec& tec;
        ~Limpeza()
        {
            tec.quOSCusto->close();
            if (TfmAssOrdemServicoCusto* aberta = fmAssOrdemServicoCusto.get())
                aberta->release();
            fmAssOrdemServicoCusto.clear();
            tec.sTipoCustoOS.clear();
            tec.rTotalCustoOS = 0;
        }
    } limpeza{tec};
    tec.sTipoCustoOS = sTipo;
    tec.CarregaOSCusto(sTipo, iOrdem, iLinha);
    semearComposicao(tec, sProduto);
    janela->paBase->setText(legendaTotal(tec.rTotalCustoOS));
    janela->showModal();
    rValor = tec.rTotalCustoOS;
}
