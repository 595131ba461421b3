// The labour-hour register: one type edited above the list of all, the
// record buttons and the list report.

#include "service_orders/uAssHoraTecnica.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Urelatorio.h"
#include "host/data/DataSource.h"
#include "host/data/Query.h"
#include "host/ui/Components.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/SearchWindow.h"
#include "shared_windows/uAssCadastroComum.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using host::ui::named;
using uAssCadastroComum::BotaoCadastro;

host::ui::FormVar<TfmAssHoraTecnica> fmAssHoraTecnica("fmAssHoraTecnica");

TfmAssHoraTecnica::TfmAssHoraTecnica(QWidget* parent)
    : host::ui::Form(parent),
      dsHoraTecnica_(
          std::make_unique<host::data::DataSource>(nullptr, "dsHoraTecnica", dmTec ? dmTec->quHoraTecnica : nullptr))
{
    setCaption("Hora Técnica");
    setStayOnTop(true);
    setCentered(true);
    criarControles();
    onActivate = [this] {
        if (dmTec)
            dmTec->UsarHoraTecnica(this);
    };
    onShow = [this] { SalvarConfiguracaoDBGrid(dbgdCadastroHoraTecnica, true); };
    onClose = [this](host::ui::CloseAction& action) {
        // The order window may still list the types.
        if (dmTec)
            dmTec->LargarHoraTecnica(this);
        action = host::ui::CloseAction::Free;
    };
}

TfmAssHoraTecnica::~TfmAssHoraTecnica()
{
    // The controls go before the data source they show.
    delete gbRegistros;
    delete pnEdicao;
}

host::data::Dataset& TfmAssHoraTecnica::horas() const { return *dsHoraTecnica_->dataset(); }

void TfmAssHoraTecnica::criarControles()
{
    host::data::DataSource* ds = dsHoraTecnica_.get();
    pnEdicao = named<QWidget>("pnEdicao");
    auto* campos = new QFormLayout(pnEdicao);
    auto editar = [&](host::ui::DataEdit*& membro, const char* nome, const char* campo, const QString& rotulo) {
        membro = new host::ui::DataEdit(nome);
        membro->bind(ds, campo);
        campos->addRow(rotulo, membro);
    };
    editar(dbedCodigo, "dbedCodigo", "AHCODIGO", "Código");
    dbedCodigo->setEnabled(false);
    dbedCodigo->setReadOnlyControl(true);
    editar(dbedDescricao, "dbedDescricao", "AHDESCRICAO", "Descrição");
    editar(dbedHora1, "dbedHora1", "AHHORA1", "Valor 1ª Hora");
    editar(dbedHora2, "dbedHora2", "AHHORA2", "Valor 2ª Hora");
    editar(dbedHora3, "dbedHora3", "AHHORA3", "Valor 3ª Hora");
    editar(dbedHora4, "dbedHora4", "AHHORA4", "Valor 4ª Hora");
    editar(dbedHora5, "dbedHora5", "AHHORA5", "Valor 5ª Hora");
    dbcbTipo = new host::ui::DataComboBox("dbcbTipo", host::ui::DataComboBox::Style::DropDownList);
    dbcbTipo->setPickList({"E - Hora exata", "C - Arredondar para cima", "B - Arredondar para baixo"});
    dbcbTipo->bind(ds, "AHTIPO");
    campos->addRow("Tipo", dbcbTipo);

    gbRegistros = named<QGroupBox>("gbRegistros", "Registros Cadastrados");
    auto* grade = new QVBoxLayout(gbRegistros);
    dbgdCadastroHoraTecnica = new host::ui::DataGrid("dbgdCadastroHoraTecnica");
    dbgdCadastroHoraTecnica->setDataSource(ds);
    dbgdCadastroHoraTecnica->setReadOnlyGrid(true);
    dbgdCadastroHoraTecnica->setRowSelect(true);
    dbgdCadastroHoraTecnica->addColumn("AHCODIGO", "Código", 50);
    dbgdCadastroHoraTecnica->addColumn("AHDESCRICAO", "Descrição", 200);
    for (int hora = 1; hora <= 5; ++hora)
        dbgdCadastroHoraTecnica->addColumn("AHHORA" + QString::number(hora), QString::number(hora) + "ª Hora", 70);
    dbgdCadastroHoraTecnica->addColumn("AHTIPO", "Tipo", 170);
    dbgdCadastroHoraTecnica->onTitleClick = [this](host::ui::GridColumn& coluna) {
        dbgdCadastroHoraTecnicaTitleClick(coluna);
    };
    grade->addWidget(dbgdCadastroHoraTecnica);

    auto* botoes = new QHBoxLayout;
    bbNovo = BotaoCadastro(this, botoes, "bbNovo", "&Novo", [this] { bbNovoClick(); });
    bbSalvar = BotaoCadastro(this, botoes, "bbSalvar", "&Salvar", [this] { SalvarJanela(*this, horas()); });
    bbCancelar = BotaoCadastro(this, botoes, "bbCancelar", "&Cancelar", [this] { CancelarAlteracoes(horas()); });
    bbExcluir = BotaoCadastro(this, botoes, "bbExcluir", "&Excluir", [this] { ExcluirRegistro(horas()); });
    sbAnterior = BotaoCadastro(this, botoes, "sbAnterior", "<", [this] {
        uAssCadastroComum::MoverSalvando(horas(), false);
    });
    sbProximo = BotaoCadastro(this, botoes, "sbProximo", ">", [this] {
        uAssCadastroComum::MoverSalvando(horas(), true);
    });
    bbRelatorio = BotaoCadastro(this, botoes, "bbRelatorio", "&Relatório", [this] { bbRelatorioClick(); });
    bbSair = BotaoCadastro(this, botoes, "bbSair", "S&air", [this] { close(); });

    auto* janela = new QVBoxLayout(this);
    janela->setContentsMargins(4, 4, 4, 4);
    janela->addWidget(pnEdicao);
    janela->addWidget(gbRegistros, 1);
    janela->addLayout(botoes);
    resize(760, 520);
}

void TfmAssHoraTecnica::bbNovoClick()
{
    InserirRegistro(horas());
    dbedDescricao->setFocus();
}

void TfmAssHoraTecnica::dbgdCadastroHoraTecnicaTitleClick(host::ui::GridColumn& coluna)
{
    host::ui::sortByColumn(*dbgdCadastroHoraTecnica, coluna);
    SalvarConfiguracaoDBGrid(dbgdCadastroHoraTecnica, false);
}

void TfmAssHoraTecnica::bbRelatorioClick()
{
    uAssCadastroComum::RelatorioCadastro(
        static_cast<host::data::Query&>(horas()), {}, [](TqrRelatorio& relatorio) {
            relatorio.setTitulo("Cadastro de Hora Técnica");
            relatorio.setSistema("Assistência Técnica");
            relatorio.setPrograma("AATC04AH");
            relatorio.AdicionaColuna("Código", "AHCODIGO");
            relatorio.AdicionaColuna("Descrição", "AHDESCRICAO");
            static const int kPosicoes[] = {336, 392, 448, 504, 560};
            for (int hora = 1; hora <= 5; ++hora)
                relatorio.AdicionaColuna(QString::number(hora) + "ª Hora", "AHHORA" + QString::number(hora),
                                         kPosicoes[hora - 1]);
            relatorio.AdicionaColuna("Tipo", "AHTIPO");
        });
}
