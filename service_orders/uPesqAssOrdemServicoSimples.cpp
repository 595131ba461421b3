// The simple search of the progress list: one order field, one item field.

#include "service_orders/uPesqAssOrdemServicoSimples.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Query.h"
#include "host/ui/Components.h"
#include "host/ui/Errors.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using host::ui::named;

host::ui::FormVar<TfmPesquisaAssOrdemServicoSimples>
    fmPesquisaAssOrdemServicoSimples("fmPesquisaAssOrdemServicoSimples");

namespace uPesqAssOrdemServicoSimples {

namespace {

// The condition of one chosen field: text columns compared upper-cased
// with the text anywhere in them, other types with the text as typed.
QString filtroCampoSimples(const QString& tabela, const CampoPesquisaSimples& c, bool textoMaiusculo)
{
    if (c.campo.isEmpty() || c.texto.isEmpty())
        return {};
    const bool texto = c.tipo == host::data::FieldType::String || c.tipo == host::data::FieldType::Memo;
    if (texto)
        return AdicionaFiltro("Upper(" + tabela + c.campo + ")", ("%" + c.texto + "%").toUpper(), {}, c.tipo, "I");
    return AdicionaFiltro("(" + tabela + c.campo + ")", textoMaiusculo ? c.texto.toUpper() : c.texto, {}, c.tipo, "I");
}

}  // namespace

QString CondicaoTecnicoRestrito()
{
    if (UsuarioMestre())
        return {};
    const QString usuario = IbUserName().toUpper();
    if (CarregaDado("ATACESSORESTRITO", "AATC06AT", "Where upper(ATNOME)= " + QuotedStr(usuario)) != "S")
        return {};
    return " and upper(tec.atnome) =" + QuotedStr(usuario);
}

QString SqlPesquisaSimplesOS(const CampoPesquisaSimples& os, const CampoPesquisaSimples& item,
                             const QString& restricaoTecnico)
{
    return "Select it.*, TecIt.atNome as TECNICOITEM, eq.aedescricao as equipamento,"
           " forn.fnome as DescricaoConsecionaria,\n"
           "       OS.aoDataEntrada, OS.aoValorTotal, Cli.Nome as Cliente, Cli.Endereco as EndCli,"
           " tec.atNome as Tecnico,\n"
           "       Sit.asTipo, Sit.asCor, eq.aeTipo, eq.AECODIGOINTERNO\n"
           "From AATC01AOIT it\n"
           "left outer join aatc03ae eq on (it.aoitequipcodigo = eq.aecodigo)\n"
           "left outer join augc0501 forn on (it.FOCONSECIONARIA = forn.fcod)\n"
           "left outer join aatc01ao OS on (it.aoCodigo = OS.aoCodigo)\n"
           "left outer join aatc01as Sit on (OS.asCodigo = Sit.asCodigo)\n"
           "left outer join augc0301 Cli on (OS.ClCodigo = Cli.Codigo_Cliente)\n"
           "left outer join aatc06at tec on (OS.atCodigo = tec.atCodigo)\n"
           "left outer join aatc06at TecIt on (it.atCodigo = TecIt.atCodigo)\n"
           " Where (it.aoitCodigo >= 0 ) " +
           filtroCampoSimples("OS.", os, false) + filtroCampoSimples("IT.", item, true) + restricaoTecnico +
           "\norder by OS.aodataentrada, IT.aocodigo, IT.aoitequipcodigo  ";
}

}  // namespace uPesqAssOrdemServicoSimples

TfmPesquisaAssOrdemServicoSimples::TfmPesquisaAssOrdemServicoSimples(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Pesquisa Simples de Ordem de Serviço");
    setStayOnTop(true);
    setCentered(true);
    criarControles();
    onActivate = [this] { FormActivate(); };
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}

void TfmPesquisaAssOrdemServicoSimples::criarControles()
{
    auto par = [this](const char* nomeGrupo, const QString& titulo, QComboBox*& combo, const char* nomeCombo,
                      QLineEdit*& texto, const char* nomeTexto) {
        auto* grupo = named<QGroupBox>(nomeGrupo, titulo);
        auto* linha = new QHBoxLayout(grupo);
        combo = named<QComboBox>(nomeCombo);
        combo->setMinimumWidth(180);
        texto = named<QLineEdit>(nomeTexto);
        linha->addWidget(combo);
        linha->addWidget(texto, 1);
        return grupo;
    };
    QGroupBox* os = par("gbCamposOS", "Campos Pesquisa da O.S.", cbCamposOS, "cbCamposOS", edCampoPesqOS,
                        "edCampoPesqOS");
    QGroupBox* itens = par("gbCamposOSItens", "Campos Pesquisa de Itens de O.S.", cbCamposOSItens,
                           "cbCamposOSItens", edCampoPesqOSItens, "edCampoPesqOSItens");
    laTipoGarantia3 = named<QLabel>("laTipoGarantia3", "3- Sem Garantia");
    laTipoGarantia4 = named<QLabel>("laTipoGarantia4", "4- Cortesia");
    laTipoGarantia3->hide();
    laTipoGarantia4->hide();
    bbOk = named<QPushButton>("bbOk", "&OK");
    bbOk->setDefault(true);
    bbCancelar = named<QPushButton>("bbCancelar", "&Cancelar");
    connect(bbOk, &QPushButton::clicked, this, [this] { host::ui::runGuarded([this] { bbOkClick(); }); });
    connect(bbCancelar, &QPushButton::clicked, this, [this] { setModalResult(host::ui::ModalResult::Cancel); });
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(bbOk);
    botoes->addWidget(bbCancelar);
    auto* janela = new QVBoxLayout(this);
    janela->setContentsMargins(4, 4, 4, 4);
    janela->addWidget(os);
    janela->addWidget(itens);
    janela->addWidget(laTipoGarantia3);
    janela->addWidget(laTipoGarantia4);
    janela->addLayout(botoes);
    resize(560, 200);
}

void TfmPesquisaAssOrdemServicoSimples::FormActivate()
{
    if (camposCarregados_ || !dmTec)
        return;
    camposCarregados_ = true;
    TdmTec& tec = *dmTec;
    if (!tec.quOS->active())
        tec.quOS->open();
    if (!tec.quOSItem->active())
        tec.quOSItem->open();
    CarregaCamposTabela(cbCamposOS, *tec.quOS);
    CarregaCamposTabela(cbCamposOSItens, *tec.quOSItem);
}

void TfmPesquisaAssOrdemServicoSimples::bbOkClick()
{
    using namespace uPesqAssOrdemServicoSimples;
    TdmTec& tec = *dmTec;
    auto escolhido = [](QComboBox* combo, host::data::Dataset& dados, QLineEdit* texto) {
        CampoPesquisaSimples c;
        const int indice = combo->currentIndex();
        if (indice >= 0 && indice < dados.fieldCount()) {
            c.campo = dados.field(indice)->fieldName();
            c.tipo = dados.field(indice)->dataType();
            c.texto = texto->text();
        }
        return c;
    };
    const CampoPesquisaSimples os = escolhido(cbCamposOS, *tec.quOS, edCampoPesqOS);
    const CampoPesquisaSimples item = escolhido(cbCamposOSItens, *tec.quOSItem, edCampoPesqOSItens);
    if (onLimparFiltros)
        onLimparFiltros();
    host::data::Query& lista = *tec.quPesqOS;
    {
        // Rows go by unseen while the statement changes; the first row then loads its order once.
        host::data::ControlsDisabled desligados(lista);
        lista.close();
        lista.setSql(SqlPesquisaSimplesOS(os, item, CondicaoTecnicoRestrito()));
        lista.open();
        if (host::data::Field* aprovado = lista.findField("aoitaprovado"))
            aprovado->onGetText = [&tec](host::data::Field& f, QString& texto, bool exibir) {
                tec.quOSItemAOITAPROVADOGetText(f, texto, exibir);
            };
    }
    lista.first();
    setModalResult(host::ui::ModalResult::Ok);
}
