#include "tests/contracts/NotaParcelaFixture.h"

#include "host/Udmglobal.h"
#include "host/Unotafiscal.h"
#include "host/db/Database.h"

namespace contractstest {

void NotaParcelaTest::SetUp()
{
    ContractDataTest::SetUp();
    for (const char* sql : {
             "insert into AUGC0301 (CODIGO_CLIENTE, NOME, NOME_FANTASIA) values ('C0001', 'Cliente Um', 'Um Ltda')",
             "insert into AUGC0301 (CODIGO_CLIENTE, NOME, NOME_FANTASIA) values ('C0002', 'Cliente Dois', 'Dois SA')",
             "insert into AFVC0901 (COD_OP, DESC_OP_NF) values ('5933', 'Prestação de serviço')",
             "insert into AFVC0901 (COD_OP, DESC_OP_NF) values ('5949', 'Outras saídas')",
             "insert into AATC11AJ (AJCODIGO, AJDESCRICAO, AJOBJETO, AJCOMPLNF, OFCODIGO, AJVALORPERCENTUAL)"
             " values (4, 'Manutenção', 'Manutenção mensal', '2 - Objeto', '5933', 0)",
             "insert into AATC11AJ (AJCODIGO, AJDESCRICAO, AJOBJETO, AJCOMPLNF, OFCODIGO, AJVALORPERCENTUAL)"
             " values (5, 'Excedente', 'Cópias excedentes', '2 - Objeto', '5949', 100)",
             "insert into AATC05AC (ACCODIGO, CLCODIGO, ACMODALIDADE, ACPERIODO, ACVENCIMENTO, ACVALORFIXO,"
             " ACVALORPARCELA, ACLOCAL, AJCODIGO, ACSEPARASERVICO, ACSITUACAO)"
             " values (7, 'C0001', 'R', 'M', 10, 'S', 100, '01', 4, '', 'A')",
         })
        exec(sql);
    global->SetParametro("ATPRODUTOCONTRATO", "SERV");
    global->IBTransaction1->commitRetaining();
}

void NotaParcelaTest::TearDown()
{
    delete fmNotaFiscal.get();
    ContractDataTest::TearDown();
}

void NotaParcelaTest::item(int codigo, const QString& produto, double valor, double quantidade, double unitario,
                           double desconto, const QString& cliente, int contrato)
{
    exec(QString("insert into AATC05ACIT (ACITCODIGO, CLCODIGO, PRCODIGO, ACCODIGO, ACITVALOR, ACITQUANTIDADE,"
                 " ACITVALORUNITARIO, ACITDESCONTO) values (%1, '%2', '%3', %4, %5, %6, %7, %8)")
             .arg(codigo)
             .arg(cliente, produto)
             .arg(contrato)
             .arg(valor)
             .arg(quantidade)
             .arg(unitario)
             .arg(desconto));
}

void NotaParcelaTest::contrato(const QString& atribuicoes)
{
    exec("update AATC05AC set " + atribuicoes + " where ACCODIGO = 7");
}

QString NotaParcelaTest::gera(QString& serie, double valor, int contrato, const QDateTime& faturamento)
{
    return dm->GeraNotaParcelaContrato("C0001", contrato, valor, 4, 1, QDateTime(QDate(2031, 6, 10), QTime(0, 0)),
                                       "01", false, faturamento, serie);
}

QString NotaParcelaTest::geraPedido(double valor, int contrato)
{
    QString serie = "intacta";
    const QString pedido = dm->GeraNotaParcelaContratoApenasPV(
        "C0001", contrato, valor, 4, 1, QDateTime(QDate(2031, 6, 10), QTime(0, 0)), "01", false,
        QDateTime(QDate(2031, 6, 10), QTime(0, 0)), serie);
    EXPECT_EQ(serie, "intacta");
    return pedido;
}

QStringList NotaParcelaTest::rows(const QString& sql)
{
    host::db::Statement st(*global->IBTransaction1, sql);
    st.execute();
    QStringList out;
    while (st.fetch()) {
        QStringList cols;
        for (int i = 0; i < st.columnCount(); ++i) {
            const QVariant v = st.value(i);
            cols << (v.typeId() == QMetaType::Double ? QString::number(v.toDouble(), 'f', 2) : v.toString().trimmed());
        }
        out << cols.join("|");
    }
    return out;
}

QStringList NotaParcelaTest::linhas(const QString& pedido)
{
    return rows("select CODIGO, QUANTIDADE, DESCONTO, VALOR, VEITCFOP from AVEC85IT where NUMERO_PEDIDO = '" +
                pedido + "' order by COD");
}

QString NotaParcelaTest::observacao(const QString& pedido, int linha)
{
    return one(QString("select OBTEXTO from AUGC70OB where OBCODIGO = '%1' and OBID = 'V' and OBSEQUENCIA = %2")
                   .arg(pedido)
                   .arg(linha))
        .toString();
}

}  // namespace contractstest
