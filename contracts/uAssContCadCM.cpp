// The compositions screen: the components of an equipment line with their
// quantities and values, and the readings of each composition.

#include "contracts/uAssContCadCM.h"

#include "contract_data/uDataTecCont.h"
#include "host/Udatamod.h"
#include "host/Uglobal.h"
#include "host/Upesqprod.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/ui/Components.h"
#include "host/ui/DataGrid.h"
#include "host/ui/SearchWindow.h"
#include "host/ui/StatusBar.h"

#include <QDate>
#include <QGroupBox>
#include <QVBoxLayout>

using host::ui::named;

host::ui::FormVar<TfmAssContCadCM> fmAssContCadCM("fmAssContCadCM");

namespace {

host::data::Dataset* dataset(host::data::Query* TdmTecContrato::*membro)
{
    return dmTecContrato ? dmTecContrato.get()->*membro : nullptr;
}

// A grid over the data source with the given columns (field, title), the
// hidden ones after them; a title click orders the rows by its column.
host::ui::DataGrid* grade(const QString& nome, host::data::DataSource* fonte,
                          const std::vector<std::pair<const char*, const char*>>& colunas,
                          const std::vector<const char*>& ocultas)
{
    auto* grid = named<host::ui::DataGrid>(nome, nome);
    grid->setDataSource(fonte);
    for (const auto& [campo, titulo] : colunas)
        grid->addColumn(campo, titulo);
    for (const char* campo : ocultas)
        grid->addColumn(campo)->setVisible(false);
    grid->onTitleClick = [grid](host::ui::GridColumn& coluna) { host::ui::sortByColumn(*grid, coluna); };
    return grid;
}

}  // namespace

TfmAssContCadCM::TfmAssContCadCM(QWidget* parent)
    : host::ui::Form(parent),
      dsComposto_(std::make_unique<host::data::DataSource>(nullptr, "dsComposto",
                                                           dataset(&TdmTecContrato::quCtrCadastroCM))),
      dsContador_(std::make_unique<host::data::DataSource>(nullptr, "dsContador",
                                                           dataset(&TdmTecContrato::quCtrCadastroItCo)))
{
    setCaption("Lançamento de Compostos do Contrato");
    setDefaultCloseAction(host::ui::CloseAction::Hide);
    setStayOnTop(true);
    setCentered(true);
    setKeyPreview(true);
    criarControles();
    onCreate = [this] { FormCreate(); };
    onShow = [this] { FormShow(); };
    onClose = [this](host::ui::CloseAction& action) { FormClose(action); };
    onKeyDown = [this](int& key, Qt::KeyboardModifiers) { FormKeyDown(key); };
}

TfmAssContCadCM::~TfmAssContCadCM() = default;

void TfmAssContCadCM::criarControles()
{
    gbComposto = named<QGroupBox>("gbComposto", " Composto ");
    dbgdComposto = grade("dbgdComposto", dsComposto_.get(),
                         {{"CMCODIGO", "Componente"}, {"ACCMQUANTIDADE", "Quantidade"}, {"ACCMVALOR", "Valor"},
                          {"ACCMVALORBASE", "Valor Base"}, {"ACCMTOTAL", "Total"}, {"CMDESCRICAO", "Descrição"},
                          {"ACCMORDEM", "Ordem"}},
                         {"ACCODIGO", "ACITCODIGO", "PRCODIGO", "CMSEQUENCIA", "ACEVCODIGO", "CMORIGEM"});
    dbgdComposto->columnByField("CMCODIGO")->setButtonStyle(host::ui::GridColumn::ButtonStyle::Ellipsis);
    dbgdComposto->columnByField("CMDESCRICAO")->setReadOnly(true);
    dbgdComposto->onEditButtonClick = [this] { dbgdCompostoEditButtonClick(); };
    (new QVBoxLayout(gbComposto))->addWidget(dbgdComposto);

    gbContador = named<QGroupBox>("gbContador", " Contador ");
    dbgdContador = grade("dbgdContador", dsContador_.get(),
                         {{"ACITCOCODIGO", "Código"}, {"ACITCODIGO", "Item"}, {"ACITCODATAFATURAMENTO", "Faturamento"},
                          {"ACITCOCONTADORTOTAL", "Contador"}, {"COCODIGO", "Medidor"}, {"CODESCRICAO", "Descrição"},
                          {"PRCODIGO", "Produto"}, {"CMCODIGO", "Componente"}, {"CMSEQUENCIA", "Sequência"}},
                         {});
    (new QVBoxLayout(gbContador))->addWidget(dbgdContador);

    stbStatus = named<host::ui::StatusBar>("stbStatus", "stbStatus");
    stbStatus->addPanel(0, "F3 - Lançamento");

    auto* janela = new QVBoxLayout(this);
    janela->addWidget(gbComposto, 1);
    janela->addWidget(gbContador, 1);
    janela->addWidget(stbStatus);
    resize(760, 520);
}

void TfmAssContCadCM::FormCreate()
{
    CarregarConfiguracaoJanela(this);
    SalvarConfiguracaoDBGrid(dbgdComposto, true);
    SalvarConfiguracaoDBGrid(dbgdContador, true);
}

void TfmAssContCadCM::FormShow()
{
    // The readings are loaded per composition only in this mode; the box and
    // its F3 stay hidden otherwise.
    const bool porComposicao = TdmTecContrato::ComposicaoPorEquipamento();
    gbContador->setVisible(porComposicao);
    stbStatus->setVisible(porComposicao);
    if (porComposicao && dmTecContrato) {
        host::data::Query& linha = *dmTecContrato->quCtrVeiculo;
        dmTecContrato->CarregaComposicaoEquipContrato(linha.fieldByName("ACCODIGO")->asInteger(),
                                                      linha.fieldByName("ACEVCODIGO")->asInteger());
    }
}

void TfmAssContCadCM::FormClose(host::ui::CloseAction&)
{
    SalvarConfiguracaoJanela(this);
    SalvarConfiguracaoDBGrid(dbgdComposto, false);
    SalvarConfiguracaoDBGrid(dbgdContador, false);
}

void TfmAssContCadCM::FormKeyDown(int& key)
{
    // Readings are entered for a composition whose readings are shown.
    host::data::Dataset* leituras = dsContador_->dataset();
    if (key != Qt::Key_F3 || !gbContador->isVisible() || !leituras || !leituras->active())
        return;
    key = 0;
    LancarContador();
}

void TfmAssContCadCM::LancarContador()
{
    host::data::Dataset* leituras = dsContador_->dataset();
    leituras->append();
    leituras->fieldByName("ACITCODATAFATURAMENTO")->setAsDateTime(hoje());
    dbgdContador->setFocus();
    dbgdContador->setSelectedIndex(dbgdContador->columnByField("ACITCOCONTADORTOTAL")->index());
}

void TfmAssContCadCM::dbgdCompostoEditButtonClick()
{
    QString codigo, descricao;
    double venda = 0, estoque = 0, reservado = 0, promocional = 0, custo = 0;
    if (!SelecionaProduto(codigo, descricao, venda, estoque, reservado, promocional, custo))
        return;
    host::data::Dataset& composicoes = *dsComposto_->dataset();
    composicoes.edit();
    composicoes.fieldByName("CMCODIGO")->setAsString(codigo);
}
