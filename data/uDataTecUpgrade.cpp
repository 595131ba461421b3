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
// the complement flag, which an older item table lacks, is not asked. Both
// move; sequences 1 and 2 stay,
// since there the row may be the contract's note one of them wrote over, and
// an item that has a "Y" text already keeps both rows. An item with both old
// texts gets one "Y" text, the complement's first and the line's below it.
// The steps are committed together: a start cut short leaves the old rows
// for the next one.
void contractItemTextsAsKindY()
{
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    // The item's two old rows, neither of them moved yet (c: the complement's
    // under the contract, l: the line's under the item).
    const QString ambos = QStringLiteral(
        " from AATC05ACIT it"
        " join AUGC70OB c on c.OBID = 'U' and c.OBSEQUENCIA = it.ACITCODIGO"
        "   and c.OBCODIGO = cast(it.ACCODIGO as varchar(30))"
        " join AUGC70OB l on l.OBID = 'U' and l.OBSEQUENCIA = it.ACITCODIGO"
        "   and l.OBCODIGO = cast(it.ACITCODIGO as varchar(30))"
        " where it.ACITCODIGO not in (1, 2) and it.ACCODIGO is not null and it.ACCODIGO <> it.ACITCODIGO"
        "   and not exists (select 1 from AUGC70OB y where y.OBID = 'Y'"
        "     and y.OBCODIGO = cast(it.ACCODIGO as varchar(30)) and y.OBSEQUENCIA = it.ACITCODIGO)");
    int changed = host::db::executeSql(
        tr, "update AUGC70OB ob set ob.OBTEXTO = (select case"
            "   when coalesce(char_length(l.OBTEXTO), 0) = 0 then c.OBTEXTO"
            "   when coalesce(char_length(c.OBTEXTO), 0) = 0 then l.OBTEXTO"
            "   else c.OBTEXTO || ascii_char(13) || ascii_char(10) || l.OBTEXTO end" +
                ambos + " and c.OBCODIGO = ob.OBCODIGO and c.OBSEQUENCIA = ob.OBSEQUENCIA)"
            " where ob.OBID = 'U' and exists (select 1" + ambos +
                " and c.OBCODIGO = ob.OBCODIGO and c.OBSEQUENCIA = ob.OBSEQUENCIA)");
    if (changed > 0)
        changed += host::db::executeSql(
            tr, "delete from AUGC70OB ob where ob.OBID = 'U' and exists (select 1" + ambos +
                    " and l.OBCODIGO = ob.OBCODIGO and l.OBSEQUENCIA = ob.OBSEQUENCIA)");
    changed += host::db::executeSql(
        tr, "update AUGC70OB ob set ob.OBID = 'Y', ob.OBCODIGO = (select cast(it.ACCODIGO as varchar(30))"
            "   from AATC05ACIT it where it.ACITCODIGO = ob.OBSEQUENCIA)"
            " where ob.OBID = 'U' and ob.OBSEQUENCIA not in (1, 2)"
            " and exists (select 1 from AATC05ACIT it where it.ACITCODIGO = ob.OBSEQUENCIA and it.ACCODIGO is not null"
            "   and (ob.OBCODIGO = cast(it.ACCODIGO as varchar(30)) or ob.OBCODIGO = cast(it.ACITCODIGO as varchar(30)))"
            "   and not exists (select 1 from AUGC70OB y where y.OBID = 'Y'"
            "     and y.OBCODIGO = cast(it.ACCODIGO as varchar(30)) and y.OBSEQUENCIA = ob.OBSEQUENCIA))");
    if (changed > 0)
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
