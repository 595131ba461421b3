// The documents of the demonstration company: its customers' equipment,
// service orders open and finished (order 42 among the open ones) with
// their items, parts and services, and service contracts with items and
// forecast instalments. Dates count from the day the database is made, so
// a new user finds recent work and forecasts still to come.

#include "host/schema/DemoDocuments.h"
#include "host/schema/HostSchema.h"

#include "host/db/Database.h"

#include <QDate>
#include <QDateTime>

namespace host {

namespace demo {

QString textoDemo(const char* utf8) { return QString::fromUtf8(utf8); }

QDateTime dia(const QDate& data) { return db::localDateTime(data); }

void inserir(db::Transaction& tr, const char* table, const QStringList& columns, const QList<QVariantList>& rows)
{
    QStringList params;
    for (const QString& c : columns)
        params << ':' + c;
    const QString sql = QStringLiteral("insert into %1 (%2) values (%3)")
                            .arg(QLatin1String(table), columns.join(", "), params.join(", "));
    for (const QVariantList& row : rows) {
        QVariantMap values;
        for (int i = 0; i < columns.size(); ++i)
            values.insert(columns.at(i), row.value(i));
        db::executeSql(tr, sql, values);
    }
}

}  // namespace demo

namespace {

using demo::dia;
using demo::inserir;
using demo::textoDemo;

void loadCustomerEquipment(db::Transaction& tr)
{
    inserir(tr, "AATC03AECL", {"AECLCODIGO", "AECODIGO", "CLCODIGO", "AECLNUMEROSERIE", "AECLNUMEROPATRIMONIO",
                               "AECLOBSERVACAO"},
            {{1, 4, "00002", "SAE-LR-20931", "PQ-001", textoDemo("Balcão da loja")},
             {2, 3, "00002", "SPR-12K-7710", "PQ-002", textoDemo("Sala de produção")},
             {3, 2, "00003", "DL-INS15-44820", QVariant(), QVariant()},
             {4, 1, "00004", "HP-P1102-55301", "CSV-101", textoDemo("Recepção")},
             {5, 1, "00004", "HP-P1102-55302", "CSV-102", textoDemo("Consultório 2")},
             {6, 3, "00005", "SPR-12K-9043", QVariant(), QVariant()}});
}

// Orders 40 and 41 are finished; 42 and 43 are open.
void loadServiceOrders(db::Transaction& tr, const QDate& hoje)
{
    struct Ordem {
        int codigo;
        const char* cliente;
        int diasAtras, situacao;
        const char *baixa, *contato, *atendente;
        double pecas, servicos;
        int diasSaida;   // -1: not delivered yet
    };
    static const Ordem ordens[] = {
        {40, "00004", 30, 5, "S", "Dra. Helena", "Carla", 89.90, 120.00, 26},
        {41, "00003", 15, 5, "S", "José Antônio", "Carla", 450.00, 240.00, 9},
        {42, "00002", 4, 4, "A", "Sr. Paulo", "Carla", 35.50, 270.00, -1},
        {43, "00005", 1, 1, "A", "Maria das Graças", "Roberto", 0, 80.00, -1},
    };
    for (const Ordem& o : ordens)
        inserir(tr, "AATC01AO",
                {"AOCODIGO", "CLCODIGO", "ATCODIGO", "ASCODIGO", "AODATAENTRADA", "AOHORAENTRADA", "AODATASAIDA",
                 "AOATENDENTE", "AOCONTATO", "AOBAIXA", "AOPRIORIDADE", "AOATENDIMENTO", "AOIMPRIMIRLAUDO",
                 "AOVALORPECAS", "AOVALORSERVICO", "AODESPVIAGEM", "AODESPDIVERSAS", "AODESCONTO", "AOVALORTOTAL",
                 "TVCODIGO"},
                {{o.codigo, QLatin1String(o.cliente), o.codigo % 2 + 1, o.situacao, dia(hoje.addDays(-o.diasAtras)),
                  QDateTime(QDate(1899, 12, 30), QTime(9 + o.codigo % 5, 30)),
                  o.diasSaida < 0 ? QVariant() : QVariant(dia(hoje.addDays(-o.diasSaida))), textoDemo(o.atendente),
                  textoDemo(o.contato), QLatin1String(o.baixa), "M", "I", "S", o.pecas, o.servicos, 0.0, 0.0, 0.0,
                  o.pecas + o.servicos, "01"}});

    inserir(tr, "AATC01AOIT",
            {"AOITCODIGO", "AOCODIGO", "AOITEQUIPCODIGO", "AOITEQUIPDESCRICAO", "AOITMARCA", "AOITMODELO",
             "AOITSERIE", "AOITDEFEITO", "AOITGARANTIA", "AOITQUANTIDADE"},
            {{401, 40, 1, textoDemo("Impressora laser"), "HP", "LaserJet P1102", "HP-P1102-55301",
              textoDemo("Não liga"), "3", 1},
             {411, 41, 2, "Notebook", "Dell", "Inspiron 15 3000", "DL-INS15-44820",
              textoDemo("Tela apagada, liga e desliga sozinho"), "3", 1},
             {421, 42, 4, textoDemo("Máquina de café expresso"), "Saeco", "Lirika", "SAE-LR-20931",
              textoDemo("Vazamento de água e ruído na bomba"), "3", 1},
             {422, 42, 3, textoDemo("Ar-condicionado split"), "Springer", "Midea 12000 BTUs", "SPR-12K-7710",
              textoDemo("Não gela; revisão preventiva"), "3", 1},
             {431, 43, 3, textoDemo("Ar-condicionado split"), "Springer", "Midea 12000 BTUs", "SPR-12K-9043",
              textoDemo("Ruído excessivo"), "3", 1}});

    inserir(tr, "AATC01AP",
            {"AOCODIGO", "APSEQUENCIA", "AOITCODIGO", "PRCODIGO", "APQUANTIDADE", "APVALUNITARIO", "APVALTOTAL",
             "APAUTORIZADO", "APTIPO"},
            {{40, 1, 401, "P0001", 1, 89.90, 89.90, "S", "3"},
             {41, 1, 411, "P0002", 1, 450.00, 450.00, "S", "3"},
             {42, 1, 421, "P0005", 1, 35.50, 35.50, "S", "3"}});

    inserir(tr, "AATC01AA",
            {"AOCODIGO", "AACODIGO", "AOITCODIGO", "PRCODIGO", "AAQUANTIDADE", "AAVALOR", "AAVALORTOTAL", "AATOTAL",
             "AHCODIGO", "AAAUTORIZADO", "AATIPO"},
            {{40, 1, 401, "S0001", 1, 120.00, 120.00, 60, 1, "S", "3"},
             {41, 1, 411, "S0001", 2, 120.00, 240.00, 120, 1, "S", "3"},
             {42, 1, 421, "S0001", 1, 120.00, 120.00, 60, 1, "S", "3"},
             {42, 2, 422, "S0003", 1, 150.00, 150.00, 90, 1, "S", "3"},
             {43, 1, 431, "S0002", 1, 80.00, 80.00, 45, 2, "S", "3"}});
}

// Two monthly maintenance contracts whose value is their items', each with
// its next three forecast instalments. The value is also the contract's own
// (ACVALOR), which is what the installation's contract option "E" bills.
void loadContracts(db::Transaction& tr, const QDate& hoje)
{
    inserir(tr, "AATC11AJ",
            {"AJCODIGO", "AJDESCRICAO", "AJOBJETO", "AJVALOR", "AJMODALIDADE", "AJPERIODO", "AJTIPO", "AJNATUREZA",
             "AJATIVO", "AJTIPOPAGAMENTO", "AJGERAFATURA"},
            {{1, textoDemo("Manutenção preventiva"), textoDemo("Manutenção preventiva mensal dos equipamentos"), 0.0, "A",
              "M", "M", "D", "S", "2", "F"}});

    struct Contrato {
        int codigo;
        const char *numero, *cliente;
        double valor;
        int mesesAtras;
    };
    static const Contrato contratos[] = {
        {1, "CT-2026-001", "00004", 300.00, 5},
        {2, "CT-2026-002", "00002", 230.00, 2},
    };
    const QDate inicioMes(hoje.year(), hoje.month(), 1);
    for (const Contrato& c : contratos)
        inserir(tr, "AATC05AC",
                {"ACCODIGO", "ACNUMEROCONTRATO", "CLCODIGO", "ACCONTRATANTE", "ACSITUACAO", "ACLOCAL", "ACPERIODO",
                 "ACMODALIDADE", "ACVENCIMENTO", "ACVALORFIXO", "ACVALOR", "ACVALORPARCELA", "ACVALORPARCELALIQUIDO",
                 "ACTIPO", "ACNATUREZA", "ACTIPOPAGAMENTO", "AJCODIGO", "ACOBJETO", "ACDATAIMPLANTACAO", "ACDATAVALIDADE",
                 "ACSEPARASERVICO", "ACRENOVACAO", "ACPORTADORPREVISAO", "ACJUROAPLICAR", "ACINDICEREAJUSTE",
                 "ACJUROAPLICARPARCELA", "BCCODIGO", "ACTIPODESC"},
                {{c.codigo, QLatin1String(c.numero), QLatin1String(c.cliente), QLatin1String(c.cliente), "A", "01",
                  "M", "A", 10, "N", c.valor, c.valor, c.valor, "I", "D", "2", 1,
                  textoDemo("Manutenção preventiva mensal dos equipamentos"), dia(inicioMes.addMonths(-c.mesesAtras)),
                  dia(inicioMes.addMonths(12 - c.mesesAtras).addDays(-1)), "N", "S", "P", "P", "S", "N", "001",
                  textoDemo("Manutenção Preventiva")}});

    inserir(tr, "AATC05ACIT",
            {"ACITCODIGO", "ACCODIGO", "CLCODIGO", "PRCODIGO", "ACITNUMEROSERIE", "ACITGARANTIA", "ACITVALOR",
             "ACITOBSERVACAO", "ACITTIPORECEBER"},
            {{1, 1, "00004", "S0003", "HP-P1102-55301", "N", 150.00, textoDemo("Recepção"), "P"},
             {2, 1, "00004", "S0003", "HP-P1102-55302", "N", 150.00, textoDemo("Consultório 2"), "P"},
             {3, 2, "00002", "S0003", "SPR-12K-7710", "N", 150.00, textoDemo("Sala de produção"), "P"},
             {4, 2, "00002", "S0002", "SAE-LR-20931", "N", 80.00, textoDemo("Visita mensal"), "P"}});

    // The forecasts of the next three months, as the register writes them.
    QList<QVariantList> parcelas;
    for (const Contrato& c : contratos)
        for (int m = 1; m <= 3; ++m) {
            const QDate vencimento = QDate(inicioMes.addMonths(m).year(), inicioMes.addMonths(m).month(), 10);
            parcelas.append({vencimento.toString("ddMMyy"), QLatin1String(c.cliente), 1, "01", "V", c.valor,
                             dia(hoje), dia(vencimento), c.codigo,
                             textoDemo("Lancto. a Partir de Contas a Receber Gerado via Contrato."), 0.0, "01", "2"});
        }
    inserir(tr, "ACRC5001",
            {"NUMERO_DOCUMENTO", "CODIGO_CLIENTE", "SEQUENCIA", "CODIGO_FILIAL", "SITUACAO_DOCUMENTO",
             "VALOR_DOCUMENTO", "DATA_EMISSAO", "DATA_VENCIMENTO", "AOCODIGO", "OBSERVACAO", "VALOR_DESCONTO",
             "SERIE_DOCUMENTO", "TIPO_PAGAMENTO"},
            parcelas);
}

}  // namespace

bool loadDemoDocuments(db::Transaction& transaction, const QDate& hoje)
{
    // Only a database without documents of its own gets them.
    for (const char* tabela : {"AATC01AO", "AATC05AC", "AATC03AECL"})
        if (db::selectValue(transaction, QStringLiteral("select count(*) from %1").arg(QLatin1String(tabela))).toInt() > 0)
            return false;
    loadCustomerEquipment(transaction);
    loadServiceOrders(transaction, hoje);
    loadContracts(transaction, hoje);
    demo::loadRentalCompany(transaction, hoje);
    raiseGeneratorsToKeys(transaction);
    transaction.commitRetaining();
    return true;
}

}  // namespace host
