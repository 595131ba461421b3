// The composition window: the components of a product, read-only.

#include "host/PilvPro70.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "host/ui/FormBuilders.h"
#include "host/ui/Layouts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <stdexcept>

host::ui::FormVar<TfmComposicao> fmComposicao("fmComposicao");

namespace {

const char* const kLayoutComposicao = "fmComposicao";

const char* const kSqlComposicao =
    "select c.CMSEQUENCIA, c.CMCODIGO, p.DESCRICAO, c.CMQUANTIDADE, c.CMVALOR, c.CMNUMEROSERIE"
    " from AGPC03CM c left join ACEC1101 p on p.CODIGO = c.CMCODIGO"
    " where c.PRCODIGO = :PRODUTO and coalesce(c.CMNUMEROSERIE, '') = :SERIE"
    " order by c.CMSEQUENCIA";

}  // namespace

TfmComposicao::TfmComposicao(QWidget* parent)
    : host::ui::Form(parent),
      quComposicao(CriarIbQuery("quComposicao")),
      dsComposicao_(std::make_unique<host::data::DataSource>(nullptr, "dsComposicao", quComposicao.get()))
{
    setObjectName("fmComposicao");
    setCaption("Composição do Produto");
    setCentered(true);
    quComposicao->setSql(kSqlComposicao);
    laProduto = new QLabel(this);
    laProduto->setObjectName("laProduto");
    dbgdComposicao = new host::ui::DataGrid("dbgdComposicao", this);
    dbgdComposicao->setDataSource(dsComposicao_.get());
    dbgdComposicao->setReadOnlyGrid(true);
    dbgdComposicao->setRowSelect(true);
    dbgdComposicao->addColumn("CMSEQUENCIA", "Seq.", 45);
    dbgdComposicao->addColumn("CMCODIGO", "Componente", 90);
    dbgdComposicao->addColumn("DESCRICAO", "Descrição", 240);
    dbgdComposicao->addColumn("CMQUANTIDADE", "Quantidade", 80);
    dbgdComposicao->addColumn("CMVALOR", "Valor", 90);
    dbgdComposicao->addColumn("CMNUMEROSERIE", "Nº Série", 120);
    bbFechar = host::ui::makeButton(this, "bbFechar", "&Fechar");
    connect(bbFechar, &QPushButton::clicked, this, [this] {
        if (showingModal())
            setModalResult(host::ui::ModalResult::Cancel);
        else
            close();
    });
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(bbFechar);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(laProduto);
    layout->addWidget(dbgdComposicao, 1);
    layout->addLayout(botoes);
    setKeyPreview(true);
    onKeyDown = [this](int& key, Qt::KeyboardModifiers) {
        if (key == Qt::Key_Escape) {
            key = 0;
            bbFechar->click();
        }
    };
    resize(720, 380);
}

TfmComposicao::~TfmComposicao()
{
    // The grid still listens to the data source.
    delete dbgdComposicao;
}

void TfmComposicao::CarregaComposicao(const QString& produto, const QString& numeroSerie)
{
    const QString codigo = produto.trimmed();
    const QString serie = numeroSerie.trimmed();
    const QString descricao =
        host::db::selectValue(*dmGlobal->IBTransaction1, "select DESCRICAO from ACEC1101 where CODIGO = :CODIGO",
                              {{"CODIGO", codigo}})
            .toString()
            .trimmed();
    QString texto = "Produto: " + codigo + (descricao.isEmpty() ? QString() : " - " + descricao);
    if (!serie.isEmpty())
        texto += "   Nº Série: " + serie;
    laProduto->setText(texto);
    quComposicao->close();
    quComposicao->paramByName("PRODUTO")->setAsString(codigo);
    AbrirComposicaoNumeroSerie(*quComposicao, serie);
    // The serial shown is the one whose components the configuration text
    // is made of next.
    dmGlobal->sNumeroSerieComposicao = serie;
}

void AbrirComposicao(const QString& produto, const QString& numeroSerie, bool modal)
{
    if (!dmGlobal)
        throw std::logic_error("AbrirComposicao: no dmGlobal");
    if (modal) {
        TfmComposicao janela;
        janela.CarregaComposicao(produto, numeroSerie);
        host::ui::Layouts::restoreWindow(&janela, kLayoutComposicao);
        janela.showModal();
        host::ui::Layouts::saveWindow(&janela, kLayoutComposicao);
        return;
    }
    TfmComposicao* janela = fmComposicao.create();
    // The non-modal window frees itself when closed; the modal one lives on the caller's stack.
    janela->onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
    janela->CarregaComposicao(produto, numeroSerie);
    janela->showNonModal();
    janela->raise();
}
