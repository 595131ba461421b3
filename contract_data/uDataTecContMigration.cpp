// The run of the contract-table migration: three blocks of creations and
// column additions through the host's schema routines, with the host's
// information messages.

#include "contract_data/uDataTecContMigration.h"

#include "host/Uatualizacao.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"

namespace uDataTecContMigration {

namespace {

ObservadorColuna observador;

bool existe(const QString& tabela, const QString& coluna = {})
{
    return dmGlobal->VerificaExistenciaTabelaCampo(tabela, coluna);
}

void aviso(const QString& texto)
{
    dmGlobal->MostraAviso(texto, false);
}

void executaScript(const QString& sql)
{
    dmGlobal->IBScript1->Script = sql;
    dmGlobal->IBScript1->ExecuteScript();
}

void criaTabela(const QString& tabela)
{
    executaScript(sqlCriarTabela(tabela));
}

// A step whose failure is ignored: the run goes on with the next one.
template <class Passo>
void semErro(Passo passo)
{
    try {
        passo();
    } catch (...) {
    }
}

void adiciona(const Coluna& coluna)
{
    if (observador)
        observador(coluna);
    fmAtualizacao->CriarCampoTabela(coluna.tabela, coluna.definicao, "");
}

void adiciona(std::span<const Coluna> colunas)
{
    for (const Coluna& coluna : colunas)
        adiciona(coluna);
}

// An item table of an earlier layout gets the created layout's columns it
// lacks, as nullable columns, so that its rows stay and the block's own
// additions then find the layout they expect.
void atualizaItemAntigo()
{
    for (const Coluna& coluna : colunasItemCriado()) {
        QString definicao = coluna.definicao;
        definicao.remove(" NOT NULL");
        const QByteArray texto = definicao.toUtf8();
        adiciona(Coluna{coluna.tabela, texto.constData()});
    }
}

// How far the table of contract types got. Its rows mark the step done: a
// start stopped between the table's creation and its fill left it empty, and
// the fill is done at the next start. A start killed while the engine made
// the table can leave it without its column: half made, it holds no type.
// One statement, as the table's existence alone cost.
enum class EstadoTiposContrato { Ausente = 0, MeioFeita = 1, Vazia = 2, Preenchida = 3 };

EstadoTiposContrato estadoTiposContrato()
{
    return EstadoTiposContrato(
        host::db::selectValue(
            *dmGlobal->IBTransaction1,
            "execute block returns (ESTADO integer) as begin ESTADO = 0;"
            " if (exists(select 1 from RDB$RELATIONS where RDB$RELATION_NAME = 'AATC05ACTP')) then ESTADO = 1;"
            " if (exists(select 1 from RDB$RELATION_FIELDS where RDB$RELATION_NAME = 'AATC05ACTP'"
            " and RDB$FIELD_NAME = 'TPDESCRICAO')) then"
            " execute statement 'select iif(exists(select 1 from AATC05ACTP), 3, 2) from RDB$DATABASE'"
            " into ESTADO; suspend; end")
            .toInt());
}

// The installation's types and every type a stored contract carries: what
// could be chosen before stays choosable. Committed at once, so that a fill
// stopped half-way leaves the table empty and is done again whole.
void preencheTiposContrato()
{
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    host::db::executeSql(tr, "insert into AATC05ACTP (TPDESCRICAO) select distinct trim(ACTIPODESC) from AATC05AC"
                             " where trim(coalesce(ACTIPODESC, '')) <> ''");
    host::db::Statement inicial(tr, "update or insert into AATC05ACTP (TPDESCRICAO) values (:TIPO)"
                                    " matching (TPDESCRICAO)");
    for (const char* tipo : tiposContratoIniciais()) {
        inicial.setParam("TIPO", QString::fromUtf8(tipo));
        inicial.execute();
    }
    tr.commitRetaining();
}

// A start killed while the engine made the table can leave the next
// start's first try refused ("cannot create index"), or the name taken by
// a table made half: that try is undone, what is half made goes, and the
// table is made once more, so the first start after the kill finishes the
// step.
void criaTiposContrato()
{
    try {
        criaTabela("AATC05ACTP");
    } catch (const host::db::DbError&) {
        dmGlobal->IBTransaction1->rollbackRetaining();
        const EstadoTiposContrato estado = estadoTiposContrato();
        if (estado == EstadoTiposContrato::MeioFeita)
            executaScript("drop table AATC05ACTP");
        if (estado <= EstadoTiposContrato::MeioFeita)
            criaTabela("AATC05ACTP");
    }
}

void completaTiposContrato()
{
    const EstadoTiposContrato estado = estadoTiposContrato();
    if (estado <= EstadoTiposContrato::MeioFeita)
        criaTiposContrato();
    if (estado != EstadoTiposContrato::Preenchida)
        preencheTiposContrato();
}

void bloco1()
{
    if (!existe("AATC05ACEV")) {
        criaTabela("AATC05ACEV");
        aviso("Tabela de veículos de contrato criada!");
    }
    semErro([] {
        if (!existe("AATC10AB"))
            criaTabela("AATC10AB");
    });
    semErro([] {
        if (!existe("AATC11AJ")) {
            criaTabela("AATC11AJ");
            aviso("Tabela objetos do contrato criada!");
        }
    });
    // Its last column marks it done: a run stopped among them adds the rest.
    if (existe("AATC05ACIT") && !existe("AATC05ACIT", "ACITNUMEROLOGICO"))
        atualizaItemAntigo();
    semErro([] {
        if (!existe("AATC05ACIT")) {
            criaTabela("AATC05ACIT");
            aviso("Tabela de itens de contrato criada!");
        }
    });
    semErro([] { executaScript("Create generator GEN_ACITCODIGO"); });
    if (!existe("AATC05ACITCO")) {
        criaTabela("AATC05ACITCO");
        aviso("Tabela de Medidores do contrato criada!");
    }
    if (!existe("AATC05CO")) {
        criaTabela("AATC05CO");
        // The second block, which adds the kind, is skipped when the rest of
        // its layout exists: a table made again must not lack it.
        adiciona(Coluna{"AATC05CO", "COID VARCHAR(1)"});
        aviso("Tabela de Cadastro de Medidores criada com Sucesso!");
    }
    adiciona(colunasBloco1());
    adiciona(colunasDesfazerReajuste());
    aviso("Novos Campos Tabela de Contratos criados com Sucesso!");
}

void bloco2(bool colunasDitas)
{
    adiciona(colunasBloco2());
    // Every meter stored before groups existed is a meter. The column is
    // committed before its rows are set: a run stopped in between left them
    // empty (read as groups), so this block, running again, sets them then.
    if (!existe("AATC05CO", "COID"))
        adiciona(Coluna{"AATC05CO", "COID VARCHAR(1)"});
    UpdateCampoCommit("AATC05CO", "COID", "'M'", "where COID is null");
    adiciona(Coluna{"AATC05ACIT", "COCODIGO INTEGER"});
    if (!existe("AATC05FG", "FGCODIGO")) {
        criaTabela("AATC05FG");
        aviso("Tabela de Franquias por Grupo do contrato criada!");
    }
    adiciona(Coluna{"AATC05FG", "ACCODIGO INTEGER"});
    // A first start runs both blocks: the new columns are told once.
    if (!colunasDitas)
        aviso("Novos Campos Tabela de Contratos criados com Sucesso!");
}

void bloco3()
{
    if (!existe("AATC05ACCM", "ACCODIGO")) {
        criaTabela("AATC05ACCM");
        aviso("Tabela de Compostos do Item do contrato criada!");
    }
    if (!existe("AATC05ACCM", "ACCMORDEM"))
        adiciona(Coluna{"AATC05ACCM", "ACCMORDEM INTEGER"});
    // A table of an earlier layout has rows: they read line 0.
    if (!existe("AATC05ACCM", "ACEVCODIGO"))
        adiciona(Coluna{"AATC05ACCM", "ACEVCODIGO INTEGER DEFAULT 0 NOT NULL"});
    // The one level of previous values a readjustment keeps to be undone;
    // the hour value's column, added last, marks the group done (a database
    // that has the others gets it alone).
    if (!existe("AATC05AC", "ACHORAVALORANTERIOR"))
        adiciona(colunasDesfazerReajuste());
    if (!existe("AATC05ACFA"))
        criaTabela("AATC05ACFA");
    if (!existe("AATC05ACFO")) {
        criaTabela("AATC05ACFO");
        // The orders of the periods billed before the table was kept count as
        // billed: none is billed twice.
        executaScript("insert into AATC05ACFO (AOCODIGO, NUMERO_PEDIDO)"
                      " select Os.AOCODIGO, max(Fa.NUMERO_PEDIDO) from AATC05ACFA Fa"
                      " join AATC05AC Ct on (Ct.ACCODIGO = Fa.ACCODIGO)"
                      " join AATC01AO Os on (Os.CLCODIGO = Ct.CLCODIGO and Os.AODATAENTRADA >= Fa.ACFADATAINICIAL"
                      " and Os.AODATAENTRADA < Fa.ACFADATAFINAL + 1) group by Os.AOCODIGO");
    }
    completaTiposContrato();
}

}  // namespace

void setObservadorColuna(ObservadorColuna novo)
{
    observador = std::move(novo);
}

void atualizarTabelasContrato()
{
    const bool primeiro = !(existe("AATC05AC", "TVCODIGO") && existe("AATC05CO", "COCODIGO"));
    if (primeiro)
        bloco1();
    // The block's last column marks it done (the groups' table is made
    // before it, without it).
    if (!(existe("AATC05ACITCO", "PRCODIGO") && existe("AATC05FG", "ACCODIGO")))
        bloco2(primeiro);
    bloco3();
}

std::span<const Coluna> colunasDesfazerReajuste()
{
    static const Coluna colunas[] = {
        {"AATC05ACIT", "ACITVALORUNITARIO_ANTERIOR DOVALOR"},
        {"AATC05ACIT", "ACITVALOR_ANTERIOR DOVALOR"},
        {"AATC05AC", "ACDATABASEANTERIOR TIMESTAMP"},
        {"AATC05AC", "ACHORAVALORANTERIOR DOVALOR"},
    };
    return colunas;
}

}  // namespace uDataTecContMigration
