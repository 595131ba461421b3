// The external-service queue window: its in-memory list with the look-ups,
// the selection panel and the loading of the queued orders.

#include "service_orders/uAssFilaAtendimento.h"

#include "data/uDataTec.h"
#include "service_orders/uPesqAssOrdemServico.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/TravaExecucao.h"
#include "host/Upesqgeral.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/MemDataset.h"
#include "host/data/Query.h"
#include "host/ui/Components.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/EditControls.h"
#include "host/ui/Errors.h"
#include "host/ui/FormBuilders.h"
#include "host/Endereco.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <exception>

using host::data::Field;
using host::data::FieldType;

host::ui::FormVar<TfmAssFilaAtendimento> fmAssFilaAtendimento("fmAssFilaAtendimento");

namespace {

const char* const kSqlFilaAten =
    "select ao.aodataentrada, ao.aodatasaida, ao.aoturno, ao.aoseqatendimento, ao.atcodigo, ao.aocodigo,"
    " ao.aoretorno, ao.clcodigo, cl.nome, tc.atnome from aatc01ao ao left outer join augc0301 cl"
    " on(cl.codigo_cliente = ao.clcodigo) left outer join aatc06at tc on(tc.atcodigo = ao.atcodigo)"
    " where coalesce(ao.aoseqatendimento, 0) > 0 ";
const char* const kOrdemFilaAten = " order by ao.aodatasaida, ao.atcodigo, ao.aoseqatendimento ";

QString sqlClientesFila()
{
    return "select ao.aocodigo, cl.nome, cl.codigo_cliente, " +
           host::compoeEnderecoSql({{"", "clendereco"}, {", ", "clendnumero"}, {" - ", "clendcomplemento"}}) +
           " as CLENDERECO from aatc01ao ao left outer join augc0301 cl on(cl.codigo_cliente = ao.clcodigo)"
           " order by cl.nome";
}

// A one-letter column shown by its caption; a caption picked or typed (or
// its first letter) stores that letter, any other text is refused.
void letraComLegenda(Field* campo, const QStringList& legendas)
{
    campo->onGetText = [legendas](Field& f, QString& texto, bool) {
        const QString letra = f.asString().trimmed();
        texto = letra;
        for (const QString& legenda : legendas)
            if (!letra.isEmpty() && legenda.startsWith(letra))
                texto = legenda;
    };
    campo->onSetText = [legendas](Field& f, const QString& texto) { LetraDaLegenda(f, texto, legendas); };
}

const QStringList kTurnosFila = {"Manhã", "Tarde", "Noite"};
const QStringList kRetornosFila = {"Sim", "Não"};

}  // namespace

bool fila_atendimento::semData(const QDateTime& data)
{
    return !data.isValid() || data.date() == host::data::diaZero();
}

TfmAssFilaAtendimento::TfmAssFilaAtendimento(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Controle de Atendimento Externo (Fila de Atendimento)");
    resize(790, 480);
    criarDados();
    montarTela();
    onCreate = [this] { FormCreate(); };
    onShow = [this] { FormShow(); };
    onClose = [this](host::ui::CloseAction& action) {
        FormClose();
        action = host::ui::CloseAction::Free;
    };
}

TfmAssFilaAtendimento::~TfmAssFilaAtendimento()
{
    destroyControls();
}

void TfmAssFilaAtendimento::criarDados()
{
    quFilaAten = CriarIbQuery("quFilaAten");
    quTecnicosFila = CriarIbQuery("quTecnicosFila");
    quTecnicosFila->setSql("select * from AATC06AT\norder by atnome");
    quClientesFila = CriarIbQuery("quClientesFila");
    quClientesFila->setSql(sqlClientesFila());

    cdsFilaAten = std::make_unique<host::data::MemDataset>(nullptr, "cdsFilaAten");
    auto campo = [this](const char* nome, FieldType tipo, int tamanho, const QString& rotulo) {
        Field* f = cdsFilaAten->addField(QString::fromLatin1(nome), tipo, tamanho);
        f->setDisplayLabel(rotulo);
        return f;
    };
    cdsFilaAtenDATASAIDA = campo("DATASAIDA", FieldType::DateTime, 0, "Data Saída");
    cdsFilaAtenDATASAIDA->setDisplayFormat("dd/mm/yy");
    cdsFilaAtenDATASAIDA->setEditMask("!99/99/00;1;_");
    cdsFilaAtenHORASAIDA = campo("HORASAIDA", FieldType::DateTime, 0, "Hora Saída");
    cdsFilaAtenHORASAIDA->setDisplayFormat("hh:mm");
    cdsFilaAtenATCODIGO = campo("ATCODIGO", FieldType::Int32, 0, "Cod. Técnico");
    cdsFilaAtenSEQ = campo("SEQ", FieldType::Int32, 0, "Seq.");
    cdsFilaAtenAOCODIGO = campo("AOCODIGO", FieldType::Int32, 0, "Cos. OS");
    cdsFilaAtenTURNO = campo("TURNO", FieldType::String, 1, "Turno");
    letraComLegenda(cdsFilaAtenTURNO, kTurnosFila);
    cdsFilaAtenRETORNO = campo("RETORNO", FieldType::String, 1, "Retornado");
    letraComLegenda(cdsFilaAtenRETORNO, kRetornosFila);
    cdsFilaAtenCLCODIGO = campo("CLCODIGO", FieldType::String, 5, "Cliente");
    cdsFilaAten->addLookupField("TECNICO", FieldType::String, 50, "ATCODIGO", quTecnicosFila.get(), "ATCODIGO",
                                "ATNOME")
        ->setDisplayLabel("Técnico");
    cdsFilaAten->addLookupField("CLIENTE", FieldType::String, 60, "AOCODIGO", quClientesFila.get(), "AOCODIGO",
                                "NOME")
        ->setDisplayLabel("Cliente");
    cdsFilaAten->addLookupField("CLENDERECO", FieldType::String, 120, "CLCODIGO", quClientesFila.get(),
                                "CODIGO_CLIENTE", "CLENDERECO")
        ->setDisplayLabel("Endereço");

    // The rules apply to what the user types, not while the window fills the list.
    cdsFilaAten->onNewRecord = [this](host::data::Dataset& d) {
        if (d.tag() == 0)
            cdsFilaAtenNewRecord();
    };
    cdsFilaAten->beforePost = [this](host::data::Dataset& d) {
        if (d.tag() == 0)
            cdsFilaAtenBeforePost();
    };
    cdsFilaAten->afterPost = [this](host::data::Dataset& d) {
        if (d.tag() == 0)
            cdsFilaAtenAfterPost();
    };
    cdsFilaAten->afterScroll = [this](host::data::Dataset& d) {
        if (d.tag() == 0)
            cdsFilaAtenAfterScroll();
    };
    cdsFilaAtenAOCODIGO->onChange = [this](Field&) {
        if (cdsFilaAten->tag() == 0)
            cdsFilaAtenAOCODIGOChange();
    };
    dsFilaAten = std::make_unique<host::data::DataSource>(nullptr, "dsFilaAten", cdsFilaAten.get());
    dsTecnicosFila = std::make_unique<host::data::DataSource>(nullptr, "dsTecnicosFila", quTecnicosFila.get());
}

void TfmAssFilaAtendimento::montarTela()
{
    gbSelecao = new QGroupBox("Seleção", this);
    gbSelecao->setObjectName("gbSelecao");
    dblcTecnico = new host::ui::DataLookupCombo("dblcTecnico", gbSelecao);
    dblcTecnico->setListSource(dsTecnicosFila.get());
    dblcTecnico->setKeyField("ATCODIGO");
    dblcTecnico->setListField("ATNOME");
    dblcTecnico->setMinimumWidth(200);
    edDataSaida = new host::ui::DateEdit("edDataSaida", gbSelecao);
    cbTurno = new QComboBox(gbSelecao);
    cbTurno->setObjectName("cbTurno");
    cbTurno->addItems(kTurnosFila);
    cbRetornado = new QComboBox(gbSelecao);
    cbRetornado->setObjectName("cbRetornado");
    cbRetornado->addItems({"Não", "Sim"});
    bbOk = host::ui::makeButton(gbSelecao, "bbOk", "&Ok");
    laRemoveFila = host::ui::makeLink(gbSelecao, "laRemoveFila", "Remover da Fila de Atendimento");

    auto* linha = new QHBoxLayout(gbSelecao);
    auto rotulado = [linha](const QString& texto, QWidget* controle) {
        auto* caixa = new QVBoxLayout;
        caixa->setSpacing(1);
        caixa->addWidget(new QLabel(texto));
        caixa->addWidget(controle);
        linha->addLayout(caixa);
    };
    rotulado("Técnico", dblcTecnico);
    rotulado("Data Saída", edDataSaida);
    rotulado("Turno", cbTurno);
    rotulado("Retornado", cbRetornado);
    auto* acoes = new QVBoxLayout;
    acoes->addWidget(laRemoveFila);
    acoes->addWidget(bbOk);
    linha->addLayout(acoes);
    linha->addStretch(1);

    dbgdFilaAten = new host::ui::DataGrid("dbgdFilaAten", this);
    dbgdFilaAten->setDataSource(dsFilaAten.get());
    dbgdFilaAten->setMultiSelect(true);
    dbgdFilaAten->addColumn("RETORNO", "Retornado", 70)->setPickList(kRetornosFila);
    dbgdFilaAten->addColumn("SEQ", "Seq.", 40);
    dbgdFilaAten->addColumn("DATASAIDA", "Data Saída", 80);
    dbgdFilaAten->addColumn("TURNO", "Turno", 60)->setPickList(kTurnosFila);
    dbgdFilaAten->addColumn("ATCODIGO", "Cod. Técnico", 80)->setButtonStyle(host::ui::GridColumn::ButtonStyle::Ellipsis);
    dbgdFilaAten->addColumn("TECNICO", "Técnico", 160)->setReadOnly(true);
    dbgdFilaAten->addColumn("AOCODIGO", "Cos. OS", 70)->setButtonStyle(host::ui::GridColumn::ButtonStyle::Ellipsis);
    dbgdFilaAten->addColumn("CLIENTE", "Cliente", 200)->setReadOnly(true);
    dbgdFilaAten->addColumn("CLENDERECO", "Endereço", 260)->setReadOnly(true);

    auto* principal = new QVBoxLayout(this);
    principal->addWidget(gbSelecao);
    principal->addWidget(dbgdFilaAten, 1);

    connect(bbOk, &QPushButton::clicked, this, [this] { host::ui::runGuarded([this] { bbOkClick(); }); });
    laRemoveFila->onClick = [this] { laRemoveFilaClick(); };
    dbgdFilaAten->onEditButtonClick = [this] { dbgdFilaAtenEditButtonClick(); };
}

void TfmAssFilaAtendimento::FormCreate()
{
    CarregarConfiguracaoJanela(this, bModoZeltoControlAtivo, false, "");
    SalvarConfiguracaoDBGrid(dbgdFilaAten, true);
}

void TfmAssFilaAtendimento::FormShow()
{
    quTecnicosFila->close();
    quTecnicosFila->open();
    dblcTecnico->refreshList();
}

void TfmAssFilaAtendimento::FormClose()
{
    SalvarConfiguracaoDBGrid(dbgdFilaAten, false);
    SalvarConfiguracaoJanela(this, bModoZeltoControlAtivo);
}

void TfmAssFilaAtendimento::CarregaFilaAtendimento(const QString& Turn, const QString& Return, const QDateTime& Date,
                                                   int Sequence, int Technician)
{
    host::data::Query& fila = *quFilaAten;
    try {
        fila.close();
        fila.setSql(kSqlFilaAten);
        if (!fila_atendimento::semData(Date))
            AlocaFiltroFinal(&fila, "ao.aodatasaida >= " + DateTimeIniToSQL(Date) +
                                        " and ao.aodatasaida <= " + DateTimeFimToSQL(Date));
        if (Technician > 0)
            AlocaFiltroFinal(&fila, "ao.atcodigo = " + QString::number(Technician));
        if (Sequence > 0)
            AlocaFiltroFinal(&fila, "ao.aoseqatendimento = " + QString::number(Sequence));
        if (!Turn.trimmed().isEmpty())
            AlocaFiltroFinal(&fila, "ao.aoturno = " + QuotedStr(Turn.trimmed().left(1)));
        if (!cbRetornado->currentText().isEmpty())
            AlocaFiltroFinal(&fila, "ao.aoretorno = " + QuotedStr(Return.trimmed().left(1)));
        fila.setSql(fila.sql() + kOrdemFilaAten);
        fila.open();
        quClientesFila->close();
        quClientesFila->open();
        if (!quTecnicosFila->active())
            quTecnicosFila->open();

        host::data::MemDataset& lista = *cdsFilaAten;
        lista.setTag(1);
        struct FimCarga {
            host::data::MemDataset& lista;
            ~FimCarga() { lista.setTag(0); }
        } fim{lista};
        if (!lista.active())
            lista.open();
        lista.emptyDataset();
        for (fila.first(); !fila.eof(); fila.next()) {
            lista.append();
            cdsFilaAtenDATASAIDA->setValue(fila.fieldByName("AODATASAIDA")->value());
            cdsFilaAtenHORASAIDA->setValue(fila.fieldByName("AODATASAIDA")->value());
            cdsFilaAtenTURNO->setValue(fila.fieldByName("AOTURNO")->value());
            cdsFilaAtenATCODIGO->setValue(fila.fieldByName("ATCODIGO")->value());
            cdsFilaAtenSEQ->setValue(fila.fieldByName("AOSEQATENDIMENTO")->value());
            cdsFilaAtenAOCODIGO->setValue(fila.fieldByName("AOCODIGO")->value());
            cdsFilaAtenRETORNO->setValue(fila.fieldByName("AORETORNO")->value());
            cdsFilaAtenCLCODIGO->setValue(fila.fieldByName("CLCODIGO")->value());
            lista.post();
        }
        lista.first();
    } catch (const std::exception&) {
        fila.close();
        dmGlobal->MostraErro("Erro: " + host::ui::exceptionMessage(std::current_exception()));
    }
}

void TfmAssFilaAtendimento::bbOkClick()
{
    host::ui::requireTypedDates({edDataSaida});
    const QVariant chave = dblcTecnico->keyValue();
    const int tecnico = !chave.isNull() && !dblcTecnico->text().trimmed().isEmpty() ? chave.toInt() : 0;
    CarregaFilaAtendimento(cbTurno->currentText(), cbRetornado->currentText(), edDataSaida->date(), 0, tecnico);
}

void TfmAssFilaAtendimento::dbgdFilaAtenEditButtonClick()
{
    host::data::Field* campo = dbgdFilaAten->selectedField();
    if (!campo)
        return;
    if (campo == cdsFilaAtenATCODIGO) {
        QString codigo, v2, v3;
        if (!SelecionaPesquisaGeral(74, "atCodigo", "atCodigo", "atCodigo", codigo, v2, v3))
            return;
        if (!cdsFilaAten->editing())
            cdsFilaAten->edit();
        cdsFilaAtenATCODIGO->setAsInteger(codigo.toInt());
    } else if (campo == cdsFilaAtenAOCODIGO) {
        int ordem = 0, equipamento = 0;
        QString descricao;
        if (!SelecionaOrdemServico(ordem, equipamento, descricao))
            return;
        if (!cdsFilaAten->editing())
            cdsFilaAten->edit();
        cdsFilaAtenAOCODIGO->setAsInteger(ordem);
    }
}

void SelecionaFilaAtendimento(const QString& Turn, const QString& Return, const QDateTime& Date, int Sequence,
                              int Technician)
{
    TfmAssFilaAtendimento* fila = fmAssFilaAtendimento.create();
    fila->quTecnicosFila->close();
    fila->quTecnicosFila->open();
    fila->showNonModal();
    fila->edDataSaida->setDate(fila_atendimento::semData(Date) ? QDateTime() : Date);
    fila->cbTurno->setCurrentIndex(fila->cbTurno->findText(Turn));
    fila->CarregaFilaAtendimento(Turn, Return, Date, Sequence, Technician);
}
