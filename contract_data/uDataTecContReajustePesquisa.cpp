// The selection of the readjustment and the single-statement rules it uses:
// the rate in hundredths, the index sum, re-pricing by the products'
// contract prices and the deletion of a contract's forecasts.

#include "contract_data/uDataTecContReajuste.h"
#include "contract_data/uDataTecContParcelas.h"

#include "contract_data/uDataTecCont.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Format.h"
#include "host/db/Database.h"

namespace uDataTecContReajuste {

namespace {

using host::data::FieldType;

// The header with its object (operation, index, text) and customer.
QString sqlSelecao()
{
    return "select cont.*, obj.OFCODIGO, obj.AJINDICE, obj.AJOBJETO, cli.NOME\n"
           "from AATC05AC cont\n"
           "left join AUGC0301 cli on (cli.CODIGO_CLIENTE = cont.CLCODIGO)\n"
           "left join AATC11AJ obj on (obj.AJCODIGO = cont.AJCODIGO)\n";
}

host::db::Transaction& transacaoPesquisa()
{
    return *dmGlobal->IBTransaction1;
}

}  // namespace

QString SqlPesquisaReajuste(const FiltrosReajuste& f, bool bPrincipal)
{
    QString sql = sqlSelecao() + "Where " + CondicaoContratoEmVigor("cont.ACSITUACAO") +
                  " and cont.ACINDICEREAJUSTE = " + QuotedStr("S");
    if (f.filtrarMesBase)
        sql += " and extract(month from cont.ACDATABASE) = " + f.mesBase.toString("MM");
    if (bPrincipal)
        sql += " and ACVINCULO = " + QuotedStr("P");
    sql += AdicionaFiltro("cont.ACCODIGO", f.contratoIni, f.contratoFim, FieldType::String, "F");
    sql += AdicionaFiltro("cont.ACLocal", f.filial, {}, FieldType::String, "I");
    sql += AdicionaFiltro("cont.cxCodigo", f.contaIni, f.contaFim, FieldType::String, "F");
    sql += AdicionaFiltro("cont.ACDATABASE", f.dataBaseIni, f.dataBaseFim, FieldType::DateTime, "F");
    sql += AdicionaFiltro("cont.ACDATARENOVACAO", f.renovacaoIni, f.renovacaoFim, FieldType::DateTime, "F");
    sql += AdicionaFiltro("cont.ACRENOVACAOLIMITE", f.limiteIni, f.limiteFim, FieldType::DateTime, "F");
    sql += AdicionaFiltro("cont.ACMULTAINDICE", f.indiceIni, f.indiceFim, FieldType::String, "F");
    if (!f.campoLivre.isEmpty())
        sql += AdicionaFiltro("cont." + f.campoLivre, f.livreIni, f.livreFim, f.tipoCampoLivre, "F");
    return sql;
}

QString SqlContratosVinculados()
{
    return sqlSelecao() +
           "where cont.ACCODIGO in (select vi.ACCODIGOCOMPLEMENTO from AATC05ACVI vi"
           " where vi.ACCODIGOPRINCIPAL = :acCodigo)";
}

qint64 Centesimos(double taxa)
{
    return host::data::formatFloat("0000000000000", taxa * 100).toLongLong();
}

double CarregaMediaIndice(const QString& indice, const QDate& data, int meses)
{
    if (meses <= 0)
        return 0;
    host::db::Statement st(transacaoPesquisa(), " select First " + QString::number(meses) +
                                            " media, ano_mes  from agpc7601  Where moeda  = :MOEDA"
                                            " and ano_mes< :ANOMES Order by ano_mes desc");
    st.setParam("MOEDA", indice);
    st.setParam("ANOMES", data.toString("yyyyMM"));
    st.execute();
    double soma = 0;
    while (st.fetch())
        soma += st.value(0).toDouble();
    return soma;
}

void ContratoAtualizaItens(int contrato, const QDate& data, const QString& operacao)
{
    host::db::Transaction& tr = transacaoPesquisa();
    const QVariantMap chave{{"C", contrato}};
    const QString preco = "coalesce((select p.PRPRECOCONTRATO from ACEC1101 p where p.CODIGO = it.PRCODIGO), 0)";
    const QString opcao = parametroMaiusculo("ATOPCAOCONTRATO");
    if (QStringList{"I", "M", "2"}.contains(opcao)) {
        host::db::executeSql(tr, "update AATC05ACIT it set ACITVALORUNITARIO = " + preco + " where it.ACCODIGO = :C",
                             chave);
        host::db::executeSql(tr, "update AATC05ACIT set ACITVALOR = ACITVALORUNITARIO * ACITQUANTIDADE"
                                 " where ACCODIGO = :C", chave);
    } else {
        host::db::executeSql(tr, "update AATC05ACIT it set ACITVALOR = " + preco + " where it.ACCODIGO = :C", chave);
    }
    tr.commitRetaining();

    TdmTecContrato& dm = *dmTecContrato;
    // The instalment value stays gross, as every other kind keeps it; the
    // forecasts take it net of the operation's withheld taxes.
    const double bruto = dm.RetornaValorParcelaContrato(contrato, host::db::localDateTime(data), true);
    const double valor = Arredonda2Monetario(dm.VerificaValorISSQNContrato(bruto, operacao));
    host::db::executeSql(tr, "update AATC05AC set ACVALORANTERIOR = ACVALORPARCELA, ACVALORPARCELA = :V"
                             " where ACCODIGO = :C", {{"V", Arredonda2Monetario(bruto)}, {"C", contrato}});
    host::db::executeSql(tr, "update ACRC5001 set PAG10 = VALOR_DOCUMENTO, VALOR_DOCUMENTO = :V"
                             " where AOCODIGO = :C and SITUACAO_DOCUMENTO = 'V' and " + uDataTecContParcelas::CondicaoParcelaDoContrato(),
                         {{"V", valor}, {"C", contrato}});
    tr.commitRetaining();
}

void CRDeletarParcelasContrato(int contrato, const QDate& de, const QDate& ate)
{
    dmGlobal->ExcluirParcelasReceber("AOCODIGO = " + QString::number(contrato) + " and SITUACAO_DOCUMENTO = 'V' and " +
                                     uDataTecContParcelas::CondicaoParcelaDoContrato() + " and DATA_VENCIMENTO >= '" + de.toString("yyyy-MM-dd") +
                                     "' and DATA_VENCIMENTO < '" + ate.toString("yyyy-MM-dd") + "'");
    transacaoPesquisa().commitRetaining();
}

}  // namespace uDataTecContReajuste
