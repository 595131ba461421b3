// The defects search: the statements, the dialog and its two pickers.

#include "shared_windows/uPesqAssDefeitos.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/Components.h"
#include "host/ui/DataGrid.h"
#include "host/ui/Errors.h"
#include "host/ui/FixedListComboBox.h"
#include "host/ui/PushButton.h"
#include "host/ui/SearchWindow.h"
#include "host/ui/StatusBar.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using host::ui::named;

host::ui::FormVar<TfmPesquisaAssDefeitos> fmPesquisaAssDefeitos("fmPesquisaAssDefeitos");

namespace uPesqAssDefeitos {

namespace {

// The condition lines of the filled boxes; the prefix is the alias ("ad.") or nothing.
QString condicoesDefeitos(const QString& prefixo, const QString& codigo, const QString& descricao,
                          const QString& tipo, Onde onde)
{
    QString sql;
    if (!codigo.isEmpty())
        sql += "\nand " + prefixo + "adCodigo like " + QuotedStr(PadraoDefeito(codigo, onde));
    if (!descricao.isEmpty())
        sql += "\nand upper(" + prefixo + "adDescricao COLLATE PT_PT) like " +
               QuotedStr(PadraoDefeito(descricao, onde).toUpper());
    if (!tipo.isEmpty())
        sql += "\nand upper(" + prefixo + "adIdentificador COLLATE PT_PT) like " +
               QuotedStr(PadraoDefeito(tipo, onde).toUpper());
    return sql;
}

}  // namespace

QString PadraoDefeito(const QString& texto, Onde onde) { return PadraoOnde(texto, static_cast<int>(onde)); }

QString SqlPesquisaDefeitos(const QString& codigo, const QString& descricao, const QString& tipo, Onde onde,
                            int ordem)
{
    static const char* const kOrdemDefeitos[] = {"ad.adCodigo", "ad.adDescricao", "ad.adIdentificador"};
    return "select ad.* from AATC02AD ad                   \n"
           "where not(ad.adcodigo is null)           " +
           condicoesDefeitos("ad.", codigo, descricao, tipo, onde) + "\nOrder by " +
           kOrdemDefeitos[ordem >= 0 && ordem < 3 ? ordem : 0];
}

QString SqlContagemDefeitos(const QString& codigo, const QString& descricao, const QString& tipo, Onde onde)
{
    return SqlContagemLimitada("from AATC02AD where not(adcodigo is null)" +
                               condicoesDefeitos({}, codigo, descricao, tipo, onde));
}

}  // namespace uPesqAssDefeitos

TfmPesquisaAssDefeitos::TfmPesquisaAssDefeitos(QWidget* parent)
    : host::ui::Form(parent),
      quConsulta(CriarIbQuery("quConsulta")),
      dsConsulta(std::make_unique<host::data::DataSource>(nullptr, "dsConsulta", quConsulta.get()))
{
    setCaption("Pesquisa de Defeitos");
    setStayOnTop(true);
    setCentered(true);
    setKeyPreview(true);
    // The statement and its values go to the log around each opening.
    LigaLogAbertura(*quConsulta, {}, true);
    quConsulta->onFieldsCreated = [](host::data::Dataset& d) {
        if (host::data::Field* f = d.findField("ADIDENTIFICADOR"))
            f->onGetText = [](host::data::Field& s, QString& texto, bool) {
                const QString c = s.asString();
                texto = c == "C" ? "Causa" : c == "D" ? "Defeito" : c == "S" ? "Solução" : c;
            };
    };
    criarControles();
    SalvarConfiguracaoDBGrid(dbgdPesqDefeito, true);
    onShow = [this] { CarregarConfiguracaoJanela(this, bModoZeltoControlAtivo, false, {}); };
    onKeyDown = [this](int& key, Qt::KeyboardModifiers shift) { FormKeyDown(key, shift); };
    onClose = [this](host::ui::CloseAction& action) {
        SalvarConfiguracaoJanela(this, bModoZeltoControlAtivo, false, {});
        action = host::ui::CloseAction::Free;
    };
}

TfmPesquisaAssDefeitos::~TfmPesquisaAssDefeitos()
{
    // The grid goes before the data source and query it shows.
    delete dbgdPesqDefeito;
}

void TfmPesquisaAssDefeitos::criarControles()
{
    gbCampo = named<QGroupBox>("gbCampo", "Campo");
    auto* campos = new QFormLayout(gbCampo);
    // The filters are made inside their box (a control made without a
    // parent is a window of its own until the layout moves it).
    edCodigo = named<QLineEdit>("edCodigo", gbCampo);
    edCodigo->setMaxLength(10);
    campos->addRow("Código", edCodigo);
    edDescricao = named<QLineEdit>("edDescricao", gbCampo);
    campos->addRow("Descrição", edDescricao);
    cbTipo = named<host::ui::FixedListComboBox>("cbTipo", QStringList{"", "Causa", "Defeito", "Solução"}, gbCampo);
    campos->addRow("Tipo", cbTipo);
    bbPesquisa = named<host::ui::PushButton>("bbPesquisa", "OK");
    bbPesquisa->setDefault(true);
    bbPesquisa->setAutoDefault(true);
    connect(bbPesquisa, &QPushButton::clicked, this, [this] { host::ui::runGuarded([this] { bbPesquisaClick(); }); });

    rgOnde = named<QGroupBox>("rgOnde", "Onde");
    grupoOnde_ = host::ui::whereGroup(this, rgOnde, rbComecando, rbContendo, rbTerminando);
    rgOrdem = named<QGroupBox>("rgOrdem", "Ordenar por ");
    grupoOrdem_ = host::ui::radioGroup(this, rgOrdem,
                                       {{&rbOrdemCodigo, "rbOrdemCodigo", "Código"},
                                        {&rbOrdemDescricao, "rbOrdemDescricao", "Descrição"},
                                        {&rbOrdemTipo, "rbOrdemTipo", "Tipo"}});

    dbgdPesqDefeito = new host::ui::DataGrid("dbgdPesqDefeito");
    dbgdPesqDefeito->setDataSource(dsConsulta.get());
    dbgdPesqDefeito->setReadOnlyGrid(true);
    dbgdPesqDefeito->setRowSelect(true);
    dbgdPesqDefeito->addColumn("ADCODIGO", "Código", 60);
    dbgdPesqDefeito->addColumn("ADDESCRICAO", "Descrição", 300);
    dbgdPesqDefeito->addColumn("ADIDENTIFICADOR", "Identificador", 100);
    dbgdPesqDefeito->onDblClick = [this] { setModalResult(host::ui::ModalResult::Ok); };
    dbgdPesqDefeito->onTitleClick = [this](host::ui::GridColumn& coluna) { dbgdPesqDefeitoTitleClick(coluna); };

    sbStatus = new host::ui::StatusBar("sbStatus");
    sbStatus->addPanel(220);
    sbStatus->addPanel(0);

    auto* topo = new QHBoxLayout;
    auto* caixa = new QHBoxLayout;
    caixa->addWidget(gbCampo, 1);
    auto* botao = new QVBoxLayout;
    botao->addStretch();
    botao->addWidget(bbPesquisa);
    caixa->addLayout(botao);
    topo->addLayout(caixa, 2);
    topo->addWidget(rgOnde);
    topo->addWidget(rgOrdem);
    auto* janela = new QVBoxLayout(this);
    janela->setContentsMargins(4, 4, 4, 0);
    janela->addLayout(topo);
    janela->addWidget(dbgdPesqDefeito, 1);
    janela->addWidget(sbStatus);
    resize(640, 440);
}

void TfmPesquisaAssDefeitos::bbPesquisaClick()
{
    sbStatus->setPanelText(1, Pesquisar(edCodigo->text(), edDescricao->text(), cbTipo->currentText().left(1)));
    if (sbStatus->panelText(0).isEmpty() && dmGlobal->Parametro("ATSEMTOTALREGISTROS") != "S")
        sbStatus->setPanelText(0, TextoTotalRegistros("AATC02AD"));
}

QString TfmPesquisaAssDefeitos::Pesquisar(const QString& codigo, const QString& descricao, const QString& tipo)
{
    using namespace uPesqAssDefeitos;
    const auto onde = static_cast<Onde>(std::max(0, grupoOnde_->checkedId()));
    quConsulta->close();
    quConsulta->setSql(SqlPesquisaDefeitos(codigo, descricao, tipo, onde, std::max(0, grupoOrdem_->checkedId())));
    const QString personalizados = dmGlobal->Parametro("ATCAMPOSPERSONALIZADOS");
    if (personalizados == "S" || personalizados == "D")
        AdicionaFieldZeltoCreatorAlias(quConsulta.get(), "AATC02AD", "ad");
    quConsulta->open();
    host::data::Query& contagem = *dmGlobal->quAuxiliar;
    contagem.close();
    contagem.setSql(SqlContagemDefeitos(codigo, descricao, tipo, onde));
    contagem.open();
    return TextoEncontrados(contagem.fieldByName("TotReg")->asInteger());
}

void TfmPesquisaAssDefeitos::dbgdPesqDefeitoTitleClick(host::ui::GridColumn& coluna)
{
    host::ui::sortByColumn(*dbgdPesqDefeito, coluna);
    SalvarConfiguracaoDBGrid(dbgdPesqDefeito, false);
}

void TfmPesquisaAssDefeitos::FormKeyDown(int& key, Qt::KeyboardModifiers)
{
    if (key == Qt::Key_F11) {
        dbgdPesqDefeito->setFocus();
        key = 0;
    } else if (key == Qt::Key_F12) {
        edDescricao->setFocus();
        key = 0;
    }
}

bool SelecionaDefeito(int& iCodigo, QString& sDescricao, QString& sTipo, QString& sObservacao)
{
    TfmPesquisaAssDefeitos* dialogo = fmPesquisaAssDefeitos.create();
    host::ui::ReleaseOnExit liberar(fmPesquisaAssDefeitos);
    if (dialogo->showModal() != host::ui::ModalResult::Ok)
        return false;
    host::data::Query& linha = *dialogo->quConsulta;
    if (!linha.active() || linha.isEmpty())
        return false;
    iCodigo = linha.fieldByName("adcodigo")->asInteger();
    sDescricao = linha.fieldByName("adDescricao")->asString();
    sTipo = linha.fieldByName("adIdentificador")->asString();
    sObservacao = linha.fieldByName("adObservacao")->asString();
    linha.close();
    dmGlobal->quAuxiliar->close();
    return true;
}

bool SelecionaDefeitoMulti(int& iCodigo, QString& sDescricao, host::data::Dataset* destino)
{
    TfmPesquisaAssDefeitos* dialogo = fmPesquisaAssDefeitos.create();
    host::ui::ReleaseOnExit liberar(fmPesquisaAssDefeitos);
    dialogo->dbgdPesqDefeito->setMultiSelect(true);
    const bool ok = dialogo->showModal() == host::ui::ModalResult::Ok;
    host::data::Query& linhas = *dialogo->quConsulta;
    if (destino && linhas.active()) {
        for (int recNo : dialogo->dbgdPesqDefeito->selectedRows()) {
            linhas.setRecNo(recNo);
            destino->append();
            destino->fieldByName("adCodigo")->setAsString(linhas.fieldByName("adcodigo")->asString());
            destino->post();
            iCodigo = linhas.fieldByName("adcodigo")->asInteger();
            sDescricao = linhas.fieldByName("adDescricao")->asString();
        }
    }
    linhas.close();
    return ok;
}
