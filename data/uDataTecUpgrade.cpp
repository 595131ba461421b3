// The schema upgrade of the service tables: run by TdmTec's creation handler
// and, for two tables the module reads before any upgrade may have run, by
// the before-open handlers of quContrato and quOSContato.

#include "data/uDataTecUpgrade.h"

#include "data/uDataTec.h"
#include "host/Uatualizacao.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "host/schema/HostSchema.h"
#include "host/schema/SchemaDefinition.h"

#include <QString>
#include <QVariant>

#include <vector>

namespace uDataTecUpgrade {

namespace {

OfferObserver& offerObserver()
{
    static OfferObserver observer;
    return observer;
}

bool exists(const char* table, const char* column = "")
{
    return dmGlobal->VerificaExistenciaTabelaCampo(QLatin1String(table), QLatin1String(column));
}

void offer(std::span<const ColumnOffer> offers)
{
    for (const ColumnOffer& o : offers) {
        if (offerObserver())
            offerObserver()(o);
        fmAtualizacao->CriarCampoTabela(QLatin1String(o.table), QLatin1String(o.definition), QString());
    }
}

// Steps 5 to 9: the column groups, the quantity conversion, the equipment
// make and model, the wider model text.
void upgradeColumns()
{
    offer(firstGroup());
    if (!exists("AATC01AP", "APGARANTIA"))
        convertPartsQuantity();
    if (!exists("AUGC03CO", "COMODELO"))
        offer(modelColumns());
    offer(secondGroup());
    fmAtualizacao->AlterarTamanhoCampo(QStringLiteral("AATC01AOIT"), QStringLiteral("AOITMODELO"),
                                       QStringLiteral("80"));
}

}  // namespace

void setOfferObserver(OfferObserver observer)
{
    offerObserver() = std::move(observer);
}

// An upgrade is done when its last column is there and the model text was
// widened after it. The converted quantity is asked too: its failure is
// dropped, and without this the groups (and with them the conversion) would
// never run again, leaving the quantities in the scratch column.
// The model text was widened to 80; a column made wider since counts as done.
static bool modelTextWideEnough()
{
    return fmAtualizacao->VerificaTamanhoCampo(QStringLiteral("AATC01AOIT"), QStringLiteral("AOITMODELO"),
                                               QStringLiteral("80"))
           || host::db::columnLength(*dmGlobal->IBTransaction1, "AATC01AOIT", "AOITMODELO") > 80;
}

bool columnGroupsDone()
{
    return exists("AATC01AO", "ANCODIGO") && modelTextWideEnough() && exists("AATC01AP", "APGARANTIA");
}

void upgradeServiceTables(host::Component& dataModule)
{
    if (!exists("AATC07AI"))
        fmAtualizacao->CriarTabelaSolicitacaoPecas();
    fmAtualizacao->Atualizacao22012004(false);
    CriarTabelaATCusto();
    if (!columnGroupsDone())
        upgradeColumns();
    widenContractCodes();
    widenOrderNumbers();
    widenCustomerExpenses();
    uniqueReceivableKey();
    contractItemTextsAsKindY();
    serialMovementsOfDeletedContracts();
    VerificaModoLocalizacaoProduto(dmGlobal->Parametro(QStringLiteral("ATMODOLOCALIZACAOPRODUTO")), &dataModule);
}

void widenContractCodes()
{
    fmAtualizacao->AlargarParaInteiro({"AATC01AOIT.ACCODIGO", "AUGC03CO.ACCODIGO", "AATC05ACIT.ACCODIGO",
                                       "AATC05ACCL.ACCODIGO", "AATC05ACEV.ACCODIGO"});
}

void widenOrderNumbers()
{
    fmAtualizacao->AlargarTexto({"AATC05AC.ACPEDIDO", "AATC05AC.ACPROPOSTA"}, host::schema::kOrderNumberLength);
}

void widenCustomerExpenses()
{
    fmAtualizacao->AlargarTexto({"AATC01AO.AODESPESASCLIENTE"}, kCustomerExpensesLength);
}

void uniqueReceivableKey()
{
    const QStringList repetidas = host::ensureUniqueReceivableKey(*dmGlobal->IBTransaction1);
    if (repetidas.isEmpty())
        return;
    // The rows stay as they are: which of two is the right one is for the user to say.
    const QString origem = QStringLiteral("[TdmTec.DataModuleCreate]");
    for (const QString& chave : repetidas)
        dmGlobal->Log(origem, QStringLiteral("Título a receber repetido: ") + chave);
    constexpr int kMostradas = 10;
    QString texto = QStringLiteral("Aviso: há títulos a receber com a mesma chave (cliente, documento, sequência e"
                                   " filial). Corrija-os para que o sistema passe a recusar repetições:");
    for (const QString& chave : repetidas.mid(0, kMostradas))
        texto += "\r" + chave;
    if (repetidas.size() > kMostradas)
        texto += QStringLiteral("\r... e mais %1 (veja o log).").arg(repetidas.size() - kMostradas);
    dmGlobal->MostraAviso(texto);
}

// A contract item's text is kind "Y" under its contract and the item's code.
// Two kinds of rows were once kept as kind "U", where the printouts never
// read them: a complement's text under its contract (where the complements
// coded 1 and 2 met the contract's own notes), and a line's text of the
// equipment-control register under the line's own code (where lines 1 and 2
// met the notes of contracts 1 and 2). Under kind "U" nothing else is keyed
// by a contract or an item and an item's code (the contract's own notes are
// sequences 1, 2 and -1; a check-in justification's code ends in "J"), so
// the complement flag, which an older item table lacks, is not asked.
// Sequences 1 and 2 stay, since there the row may be the contract's note one
// of them wrote over. Every start moves them, for a desk not yet updated may
// still write one: the item's "Y" text keeps what it has, the complement's
// text below it, then the line's, each only when the text is not already
// there, and the old rows go. The steps are committed together: a start cut
// short leaves the old rows for the next one.
struct TextosAntigosItem {
    QVariant contrato, item;
    bool temY = false;
    QString y, complemento, linha;
};

QString textoUnico(const TextosAntigosItem& t)
{
    QString texto = t.y;
    for (const QString& antigo : {t.complemento, t.linha})
        if (!antigo.isEmpty() && !texto.contains(antigo))
            texto += (texto.isEmpty() ? QString() : QStringLiteral("\r\n")) + antigo;
    return texto;
}

std::vector<TextosAntigosItem> textosAntigosDosItens(host::db::Transaction& tr)
{
    host::db::Statement leitura(
        tr, QStringLiteral(
                "select it.ACCODIGO, it.ACITCODIGO, y.OBID, y.OBTEXTO, c.OBTEXTO, l.OBTEXTO from AATC05ACIT it"
                " left join AUGC70OB y on y.OBID = 'Y' and y.OBSEQUENCIA = it.ACITCODIGO"
                "   and y.OBCODIGO = cast(it.ACCODIGO as varchar(30))"
                " left join AUGC70OB c on c.OBID = 'U' and c.OBSEQUENCIA = it.ACITCODIGO"
                "   and c.OBCODIGO = cast(it.ACCODIGO as varchar(30))"
                " left join AUGC70OB l on l.OBID = 'U' and l.OBSEQUENCIA = it.ACITCODIGO"
                "   and l.OBCODIGO = cast(it.ACITCODIGO as varchar(30)) and it.ACITCODIGO <> it.ACCODIGO"
                " where it.ACITCODIGO not in (1, 2) and it.ACCODIGO is not null"
                "   and (c.OBID is not null or l.OBID is not null)"));
    leitura.execute();
    std::vector<TextosAntigosItem> itens;
    while (leitura.fetch())
        itens.push_back({leitura.value(0), leitura.value(1), !leitura.isNull(2), leitura.value(3).toString(),
                         leitura.value(4).toString(), leitura.value(5).toString()});
    return itens;
}

void contractItemTextsAsKindY()
{
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    const std::vector<TextosAntigosItem> itens = textosAntigosDosItens(tr);
    for (const TextosAntigosItem& t : itens) {
        const QVariantMap chave{{"CONTRATO", t.contrato.toString()}, {"ITEM", t.item}, {"TEXTO", textoUnico(t)}};
        host::db::executeSql(tr,
                             t.temY ? QStringLiteral("update AUGC70OB set OBTEXTO = :TEXTO where OBID = 'Y'"
                                                     " and OBCODIGO = :CONTRATO and OBSEQUENCIA = :ITEM")
                                    : QStringLiteral("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO)"
                                                     " values (:CONTRATO, 'Y', :ITEM, :TEXTO)"),
                             chave);
        host::db::executeSql(tr,
                             "delete from AUGC70OB where OBID = 'U' and OBSEQUENCIA = :ITEM"
                             " and OBCODIGO in (:CONTRATO, :LINHA)",
                             {{"ITEM", t.item}, {"CONTRATO", t.contrato.toString()}, {"LINHA", t.item.toString()}});
    }
    if (!itens.empty())
        tr.commitRetaining();
}

// A contract deleted by an earlier version left its pieces' movements behind
// unless the orders were in mode "C": they name a contract no longer there
// and keep their product from being deleted. Only those that name nothing
// else go; a movement that also names an order or a stock document stays.
void serialMovementsOfDeletedContracts()
{
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    const int apagados = host::db::executeSql(
        tr, "delete from AUGC50NS ns where coalesce(ns.ACCODIGO, 0) <> 0"
            " and not exists (select 1 from AATC05AC c where c.ACCODIGO = ns.ACCODIGO)"
            " and coalesce(ns.VECODIGO, '') = '' and coalesce(ns.OPCODIGO, '') = ''"
            " and coalesce(ns.NSDOCUMENTO, '') = '' and coalesce(ns.AOCODIGO, 0) = 0 and coalesce(ns.OCCODIGO, 0) = 0");
    if (apagados > 0)
        tr.commitRetaining();
}

void addContractProductColumn()
{
    if (exists("AATC05AC", "PRCODIGO"))
        return;
    // The script commits each DDL statement, so the query opening next sees the column.
    dmGlobal->IBScript1->Script = QStringLiteral(" ALTER TABLE AATC05AC ADD PRCODIGO VARCHAR(11) ");
    dmGlobal->IBScript1->ExecuteScript();
}

void createContactTable()
{
    if (exists("CadCom"))
        return;
    // The progress records read and write IDORIGEM, the two situations, the
    // item, the end time and the total time as well: without them quOSContato
    // could not open on the table created here.
    dmGlobal->IBScript1->Script = QStringLiteral(
        "CREATE TABLE CADCOM (\n"
        "  COD_CLI VARCHAR(5) CHARACTER SET ISO8859_1 NOT NULL,\n"
        "  SEQUENCIA INTEGER NOT NULL,\n"
        "  VENDEDOT VARCHAR(5) CHARACTER SET ISO8859_1,\n"
        "  DATA_SOLICITADA TIMESTAMP,\n"
        "  HORA_SOLICITADA TIMESTAMP,\n"
        "  DATA_VISITA TIMESTAMP,\n"
        "  HORA_VISITA TIMESTAMP,\n"
        "  TIPO_CONTATO VARCHAR(20) CHARACTER SET ISO8859_1,\n"
        "  PESSOA_CONTATO VARCHAR(50) CHARACTER SET ISO8859_1,\n"
        "  RESUMIDA VARCHAR(100) CHARACTER SET ISO8859_1,\n"
        "  OBSERVACAO VARCHAR(800) CHARACTER SET ISO8859_1,\n"
        "  CONTRATO INTEGER,\n"
        "  IDORIGEM VARCHAR(1),\n"
        "  ASCODIGO INTEGER,\n"
        "  ASCODIGOATUAL INTEGER,\n"
        "  AOITCODIGO INTEGER,\n"
        "  CTHORAFINAL TIMESTAMP,\n"
        "  CTTEMPOTOTAL INTEGER,\n"
        "  PRIMARY KEY (COD_CLI, SEQUENCIA)\n"
        ")");
    dmGlobal->IBScript1->ExecuteScript();
}

}  // namespace uDataTecUpgrade

void TdmTec::DataModuleCreate()
{
    uDataTecUpgrade::upgradeServiceTables(*this);
}

void TdmTec::quContratoBeforeOpen(host::data::Dataset&)
{
    uDataTecUpgrade::addContractProductColumn();
}

void TdmTec::quOSContatoBeforeOpen(host::data::Dataset&)
{
    uDataTecUpgrade::createContactTable();
}
