// The cash-forecast dialog over dmGlobal->quCXPrev.

#include "host/UCXPrevisao.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/DataSource.h"
#include "host/data/Format.h"
#include "host/data/HandlerGuard.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <stdexcept>

using host::data::Dataset;

TfmCXPrevisao::TfmCXPrevisao(QWidget* parent) : host::ui::Form(parent)
{
    setObjectName("fmCXPrevisao");
    setCaption("Previsão de Caixa");
    resize(420, 300);
    Dataset* dataset = dmGlobal->quCXPrev;
    dsCXPrev_ = new host::data::DataSource(nullptr, "dsCXPrev", dataset);
    dbgdCXPrev = new host::ui::DataGrid("dbgdCXPrev", this);
    dbgdCXPrev->setDataSource(dsCXPrev_);
    dbgdCXPrev->addColumn("XCCODIGO", "Conta", 90);
    dbgdCXPrev->addColumn("XPVALOR", "Valor", 110);
    laTotal = new QLabel(this);
    laTotal->setObjectName("laTotal");

    auto botao = [this](const char* nome, const QString& texto) {
        auto* b = new QPushButton(texto, this);
        b->setObjectName(nome);
        return b;
    };
    bbIncluir = botao("bbIncluir", "&Incluir");
    bbExcluir = botao("bbExcluir", "&Excluir");
    bbConfirmar = botao("bbConfirmar", "&Confirmar");
    bbCancelar = botao("bbCancelar", "C&ancelar");
    connect(bbIncluir, &QPushButton::clicked, this, [dataset] { InserirRegistro(*dataset); });
    connect(bbExcluir, &QPushButton::clicked, this, [this, dataset] {
        if (!dataset->isEmpty())
            ExcluirRegistro(*dataset);
        AtualizaTotal();
    });
    connect(bbConfirmar, &QPushButton::clicked, this, [this, dataset] {
        SalvarAlteracoes(*dataset);
        setModalResult(host::ui::ModalResult::Ok);
    });
    connect(bbCancelar, &QPushButton::clicked, this, [this, dataset] {
        CancelarAlteracoes(*dataset);
        setModalResult(host::ui::ModalResult::Cancel);
    });

    auto* botoes = new QHBoxLayout;
    for (QPushButton* b : {bbIncluir, bbExcluir})
        botoes->addWidget(b);
    botoes->addStretch();
    for (QPushButton* b : {bbConfirmar, bbCancelar})
        botoes->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(dbgdCXPrev);
    layout->addWidget(laTotal);
    layout->addLayout(botoes);
    AtualizaTotal();
}

TfmCXPrevisao::~TfmCXPrevisao()
{
    dbgdCXPrev->setDataSource(nullptr);
    delete dsCXPrev_;
}

void TfmCXPrevisao::AtualizaTotal()
{
    Dataset& dataset = *dmGlobal->quCXPrev;
    double total = 0;
    if (dataset.active()) {
        const host::data::Bookmark onde = dataset.bookmark();
        dataset.disableControls();
        for (dataset.first(); !dataset.eof(); dataset.next())
            total += dataset.fieldByName("XPVALOR")->asFloat();
        if (dataset.bookmarkValid(onde))
            dataset.gotoBookmark(onde);
        dataset.enableControls();
    }
    laTotal->setText("Total: " + host::data::formatFloat("###,###,##0.00", Trunc2Casas(total)));
}

bool SelecionaCXPrevisao(const QString& tipo, Dataset& origem)
{
    if (!dmGlobal)
        throw std::logic_error("SelecionaCXPrevisao: no dmGlobal");
    Dataset& cxPrev = *dmGlobal->quCXPrev;
    if (tipo == "C")
        dmGlobal->CarregaCXPrevisaoContrato(origem.fieldByName("ACCODIGO")->asInteger(),
                                            origem.fieldByName("ACLOCAL")->asString());
    else
        dmGlobal->CarregaCXPrevisao(origem.fieldByName("NUMERO_DOCUMENTO")->asString(),
                                    origem.fieldByName("CODIGO_CLIENTE")->asString(),
                                    origem.fieldByName("SEQUENCIA")->asInteger(),
                                    origem.fieldByName("CODIGO_FILIAL")->asString());
    bool confirmado = false;
    {
        TfmCXPrevisao janela;
        // The total follows every post and delete; each is committed at once.
        auto depois = [&janela](Dataset&) {
            dmGlobal->IBTransaction1->commitRetaining();
            janela.AtualizaTotal();
        };
        host::data::DetachHandler<Dataset::Event> aposPost(cxPrev.afterPost, depois);
        host::data::DetachHandler<Dataset::Event> aposExclusao(cxPrev.afterDelete, depois);
        try {
            confirmado = janela.showModal() == host::ui::ModalResult::Ok;
        } catch (...) {
            CancelarAlteracoes(cxPrev);
            cxPrev.close();
            throw;
        }
    }
    cxPrev.close();
    return confirmado;
}
