#include "data/udmRelTec.h"

#include "data/uDataTec.h"
#include "data/udmRelTecRelatorios.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/DataSource.h"
#include "host/data/MemDataset.h"
#include "host/data/Query.h"
#include "host/ui/Errors.h"

using host::data::Dataset;
using host::data::FieldType;
using host::data::Query;
using host::report::ReportDataset;

host::data::DataModuleVar<TDmRelTec> DmRelTec("DmRelTec");

namespace {

const QString kCR = QStringLiteral("\r");

LeituraDatasetsContratoRel leituraDatasetsContrato = nullptr;

QString origemAbertura(const Dataset& dataset) { return "[" + dataset.name() + "Open]"; }

void logInicio(Dataset& dataset)
{
    const QString origem = origemAbertura(dataset);
    dmGlobal->Log(origem, QStringLiteral("***INICIO"));
    dmGlobal->Log(origem, GetSQLtextComParametros(static_cast<Query&>(dataset), false));
}

void logFim(Dataset& dataset) { dmGlobal->Log(origemAbertura(dataset), QStringLiteral("***FIM")); }

}  // namespace

QString TDmRelTec::sqlSelecaoItemOS()
{
    return QStringLiteral(
        "select os.aovalorservico, os.aovalorpecas, it.aoitcodigo, it.AOITEQUIPDESCRICAO, it.AOITPLACA,\n"
        "  it.AOITSERIE, cli.NOME as Cliente, os.AODATAENTRADA, os.AODATASAIDA, os.AOCODIGO,\n"
        "  os.aovalortotal as AOVALORTOTAL, os.aoDesconto,\n"
        "  (select cast(sum(cc.cttempototal) as integer) from cadcom cc\n"
        "    where cc.contrato = it.aocodigo and cc.idorigem = 'A') as andamento,\n"
        "  os.AOATENDENTE, os.AODESPVIAGEM as DESPVIAGEM, os.AODESPDIVERSAS as DESEXTRA, os.clcodigo,\n"
        "  (select sum(aa.aavalortotal) from aatc01aa aa\n"
        "    where aa.aocodigo = it.aocodigo and aa.aoitcodigo = it.aoitcodigo) as serv,\n"
        "  (select sum(ap.apvaltotal) from aatc01ap ap\n"
        "    where ap.aocodigo = it.aocodigo and ap.aoitcodigo = it.aoitcodigo) as pecas\n"
        "from aatc01aoit it\n"
        "join aatc01ao os on (os.aocodigo = it.aocodigo)\n"
        "join augc0301 cli on (os.clcodigo = cli.codigo_cliente)\n"
        "where it.aoitcodigo is not null\n");
}

TDmRelTec::TDmRelTec(host::Component* owner) : host::data::DataModule(owner, QStringLiteral("DmRelTec"))
{
    qSelecaoItemOS = newQuery("qSelecaoItemOS", sqlSelecaoItemOS());
    quServicoOSRel = newQuery("quServicoOSRel",
                              " select prod.descricao, aavalortotal, AOCODIGO, AOITCODIGO from aatc01aa"
                              " join acec1101 prod on(prcodigo = prod.codigo) where 1=2");
    quPecasOSRel = newQuery("quPecasOSRel",
                            " select prod.descricao, APVALTOTAL, aocodigo, aoitcodigo from aatc01ap"
                            " left outer join acec1101 prod on(prcodigo = prod.codigo) where 1=2");
    quEquipCliOS = newQuery("quEquipCliOS", " Select os.aocodigo, equipCl.*, equip.* from aatc03aecl equipCL"
                                            " join AATC01AO os on(equipCL.clcodigo = os.clcodigo)"
                                            " join aatc03ae equip on(equip.aecodigo = equipCL.aecodigo) where 1=2");
    quNotaReceber = newQuery("quNotaReceber", "select * from ACRC5001 where CODIGO_CLIENTE = :CODIGO_CLIENTE"
                                              " and NUMERO_DOCUMENTO = :NUMERO_DOCUMENTO order by SEQUENCIA");
    jvOrdemServResumido = adopt(std::make_unique<host::data::MemDataset>(nullptr, "jvOrdemServResumido"));
    createFields();

    dsSelecaoItemOS = newReportDataset("dsSelecaoItemOS", "dsSelecaoItemOS", qSelecaoItemOS);
    dsServicoOsRel = newReportDataset("dsServicoOsRel", "dsServicoOsRel", quServicoOSRel);
    dsPecasOSRel = newReportDataset("dsPecasOSRel", "dsPecasOSRel", quPecasOSRel);
    frxDBEmpresa = newReportDataset("frxDBEmpresa", "Empresa");
    dsOS = newReportDataset("dsOS", "dsOS");
    dsOsItem = newReportDataset("dsOsItem", "dsOsItem");
    dsOsAndamento = newReportDataset("dsOsAndamento", "dsOsAndamento");
    dsOsPecas = newReportDataset("dsOsPecas", "dsOsPecas");
    dsOrdemServResumido = newReportDataset("dsOrdemServResumido", "dsOrdemServResumido", jvOrdemServResumido);
    dsEquipCliOS = newReportDataset("dsEquipCliOS", "dsEquipCliOS", quEquipCliOS);
    frxdbNota = newReportDataset("frxdbNota", "frxdbNota");
    frxdbNotaItem = newReportDataset("frxdbNotaItem", "frxdbNotaItem");
    frxdbNotaReceber = newReportDataset("frxdbNotaReceber", "frxdbNotaReceber");
    frxdbCliente = newReportDataset("frxdbCliente", "RelClienteContrato");
    frxdbCadastroContrato = newReportDataset("frxdbCadastroContrato", "RelCadastroContrato");
    frxdbEquipamentoContrato = newReportDataset("frxdbEquipamentoContrato", "RelEquipamentoContrato");
    frxdbAcessorioContrato = newReportDataset("frxdbAcessorioContrato", "RelAcessorioContrato");
    dsNota = adopt(std::make_unique<host::data::DataSource>(nullptr, "dsNota"));
    dsNotaItem = adopt(std::make_unique<host::data::DataSource>(nullptr, "dsNotaItem"));
    dsNotaReceber = adopt(std::make_unique<host::data::DataSource>(nullptr, "dsNotaReceber"));
    ReiniciaDatasets();
    bindEvents();

    frSelecaoItemOS = adopt(std::make_unique<TfrSelecaoItemOS>(*this));
    frOrdemServResumido = adopt(std::make_unique<TfrOrdemServResumido>(*this));
    frOrdemServCompleto = adopt(std::make_unique<TfrOrdemServCompleto>(*this));
    frOrdemServComprovante = adopt(std::make_unique<TfrOrdemServComprovante>(*this));
    frxNotaLocacao = adopt(std::make_unique<TfrxNotaLocacao>(*this));
    frxEntregaEquipamentos = adopt(std::make_unique<TfrxEntregaEquipamentos>(*this));
    frxContrato = adopt(std::make_unique<TfrxContrato>(*this));
}

TDmRelTec::~TDmRelTec() = default;

Query* TDmRelTec::newQuery(const char* name, const QString& sql)
{
    Query* query = adopt(std::make_unique<Query>(nullptr, QString::fromLatin1(name)));
    query->setTransaction(dmGlobal ? dmGlobal->IBTransaction1.get() : nullptr);
    query->setSql(sql);
    return query;
}

ReportDataset* TDmRelTec::newReportDataset(const char* name, const char* userName, Dataset* dataset)
{
    return adopt(std::make_unique<ReportDataset>(nullptr, QString::fromLatin1(name), QString::fromUtf8(userName),
                                                 dataset));
}

void TDmRelTec::createFields()
{
    auto* q = qSelecaoItemOS;
    for (const char* name : {"AOVALORSERVICO", "AOVALORPECAS", "AOVALORTOTAL", "AODESCONTO", "DESPVIAGEM", "DESEXTRA",
                             "SERV", "PECAS"})
        q->addField(QString::fromLatin1(name), FieldType::Float);
    for (const char* name : {"AOITCODIGO", "AOCODIGO", "ANDAMENTO"})
        q->addField(QString::fromLatin1(name), FieldType::Int32);
    q->addField("AOITEQUIPDESCRICAO", FieldType::String, 50);
    q->addField("AOITPLACA", FieldType::String, 8);
    q->addField("AOITSERIE", FieldType::String, 30);
    q->addField("CLIENTE", FieldType::String, 60);
    q->addField("AOATENDENTE", FieldType::String, 50);
    q->addField("CLCODIGO", FieldType::String, 5);
    q->addField("AODATAENTRADA", FieldType::DateTime);
    q->addField("AODATASAIDA", FieldType::DateTime);

    quServicoOSRel->addField("DESCRICAO", FieldType::String, 40);
    quServicoOSRel->addField("AAVALORTOTAL", FieldType::Float);
    quPecasOSRel->addField("DESCRICAO", FieldType::String, 40);
    quPecasOSRel->addField("APVALTOTAL", FieldType::Float);
    for (Query* detalhe : {quServicoOSRel, quPecasOSRel}) {
        detalhe->addField("AOCODIGO", FieldType::Int32);
        detalhe->addField("AOITCODIGO", FieldType::Int32);
    }

    for (const char* name : {"qrlaMensagem996", "qrlaMensagem997", "qrlaMensagem998", "qrlaMensagem999"})
        jvOrdemServResumido->addField(QString::fromLatin1(name), FieldType::String, 200);
}

void TDmRelTec::bindEvents()
{
    qSelecaoItemOS->beforeOpen = [this](Dataset& ds) { qSelecaoItemOSBeforeOpen(ds); };
    qSelecaoItemOS->afterOpen = [this](Dataset& ds) { qSelecaoItemOSAfterOpen(ds); };
    qSelecaoItemOS->afterScroll = [this](Dataset& ds) { qSelecaoItemOSAfterScroll(ds); };
    quServicoOSRel->beforeOpen = [this](Dataset& ds) { quServicoOSRelBeforeOpen(ds); };
    quServicoOSRel->afterOpen = [this](Dataset& ds) { quServicoOSRelAfterOpen(ds); };
    quPecasOSRel->beforeOpen = [this](Dataset& ds) { quPecasOSRelBeforeOpen(ds); };
    quPecasOSRel->afterOpen = [this](Dataset& ds) { quPecasOSRelAfterOpen(ds); };
    quEquipCliOS->beforeOpen = [this](Dataset& ds) { quEquipCliOSBeforeOpen(ds); };
    quEquipCliOS->afterOpen = [this](Dataset& ds) { quEquipCliOSAfterOpen(ds); };
}

// The report datasets over the data modules' datasets as they are now (the
// contract module may come and go while this one lives).
void TDmRelTec::ReiniciaDatasets()
{
    frxDBEmpresa->setDataSet(dmGlobal ? dmGlobal->quEmpresa : nullptr);
    frxdbNota->setDataSet(dmGlobal ? dmGlobal->quMov : nullptr);
    frxdbNotaItem->setDataSet(dmGlobal ? dmGlobal->quMovItem : nullptr);
    frxdbNotaReceber->setDataSet(quNotaReceber);
    frxdbCliente->setDataSet(dmGlobal ? dmGlobal->quClienteConsulta : nullptr);
    dsNota->setDataset(frxdbNota->dataSet());
    dsNotaItem->setDataset(frxdbNotaItem->dataSet());
    dsNotaReceber->setDataset(frxdbNotaReceber->dataSet());
    dsOS->setDataSet(dmTec ? dmTec->quOS : nullptr);
    dsOsItem->setDataSet(dmTec ? dmTec->quOSItem : nullptr);
    dsOsAndamento->setDataSet(dmTec ? dmTec->quOSAndamento : nullptr);
    dsOsPecas->setDataSet(dmTec ? dmTec->quOSPecas : nullptr);
    const DatasetsContratoRel contrato = leituraDatasetsContrato ? leituraDatasetsContrato() : DatasetsContratoRel{};
    frxdbCadastroContrato->setDataSet(contrato.cadastro);
    frxdbEquipamentoContrato->setDataSet(contrato.equipamentos);
    frxdbAcessorioContrato->setDataSet(contrato.acessorios);
}

void TDmRelTec::CarregaNotaReceber(const QString& cliente, const QString& documento)
{
    quNotaReceber->close();
    quNotaReceber->paramByName("CODIGO_CLIENTE")->setAsString(cliente.trimmed());
    quNotaReceber->paramByName("NUMERO_DOCUMENTO")->setAsString(documento.trimmed());
    quNotaReceber->open();
}

void InstalarDatasetsContratoRel(LeituraDatasetsContratoRel leitura) { leituraDatasetsContrato = leitura; }

// ---- open log ---------------------------------------------------------------------

void TDmRelTec::qSelecaoItemOSBeforeOpen(Dataset& dataset) { logInicio(dataset); }
void TDmRelTec::qSelecaoItemOSAfterOpen(Dataset& dataset) { logFim(dataset); }
void TDmRelTec::quServicoOSRelBeforeOpen(Dataset& dataset) { logInicio(dataset); }
void TDmRelTec::quServicoOSRelAfterOpen(Dataset& dataset) { logFim(dataset); }
void TDmRelTec::quPecasOSRelBeforeOpen(Dataset& dataset) { logInicio(dataset); }
void TDmRelTec::quPecasOSRelAfterOpen(Dataset& dataset) { logFim(dataset); }
void TDmRelTec::quEquipCliOSBeforeOpen(Dataset& dataset) { logInicio(dataset); }
void TDmRelTec::quEquipCliOSAfterOpen(Dataset& dataset) { logFim(dataset); }

// ---- the item list's detail lists ------------------------------------------------------

void TDmRelTec::qSelecaoItemOSAfterScroll(Dataset&)
{
    carregaDetalheItem(*quServicoOSRel, " select prod.descricao, aavalortotal, AOCODIGO, AOITCODIGO ",
                       " from aatc01aa ", " join acec1101 prod on(prcodigo = prod.codigo) ");
    carregaDetalheItem(*quPecasOSRel, " select prod.descricao, APVALTOTAL, aocodigo, aoitcodigo ", " from aatc01ap ",
                       " left outer join acec1101 prod on(prcodigo = prod.codigo) ");
}

void TDmRelTec::carregaDetalheItem(Query& query, const QString& select, const QString& from, const QString& juncao)
{
    try {
        query.close();
        query.setSql(select + kCR + from + kCR + juncao + kCR + " where aocodigo =" +
                     qSelecaoItemOS->fieldByName("AOCODIGO")->asString() + kCR + " and aoitcodigo =" +
                     qSelecaoItemOS->fieldByName("AOITCODIGO")->asString());
        query.open();
    } catch (const std::exception&) {
        // Shown without abandoning: the list goes on without this item's lines.
        dmGlobal->MostraAvisoExtenso("Erro " + query.name() + ": " + host::ui::exceptionMessage(std::current_exception()),
                                     query.sql(), false, QStringLiteral("Confirmação"));
    }
}
