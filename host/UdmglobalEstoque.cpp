// TdmGlobal: stock, reservations, currency quotes and product codes.

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"

#include "host/data/Abort.h"
#include "host/data/Query.h"

#include <cmath>

namespace {

QString productKey(const QString& produto) { return "where CODIGO = " + QuotedStr(produto.trimmed()); }

// Units sold only in whole quantities.
bool wholeUnit(const QString& unidade)
{
    static const QStringList whole = {"UN", "UND", "PC", "PÇ", "CX", "JG", "PAR", "KIT", "DZ"};
    return whole.contains(unidade.trimmed().toUpper());
}

}  // namespace

double TdmGlobal::PosicaoEstoque(const QString& produto)
{
    return CarregaNumero("ESTOQUE", "ACEC1101", productKey(produto));
}

double TdmGlobal::Reservado(const QString& produto, bool bRecalcular, const QString&)
{
    if (bRecalcular) {
        // One statement, kept prepared: a batch recomputes product after product.
        return host::db::selectValue(*IBTransaction1,
                                     "update ACEC1101 set QTDE_PRODUCAO = coalesce((select sum(APQUANTIDADE) from AATC01AP"
                                     " where PRCODIGO = :P and APRESERVA = 'S' and coalesce(VECODIGO, '') = ''), 0)"
                                     " where CODIGO = :P returning QTDE_PRODUCAO",
                                     {{"P", produto.trimmed()}})
            .toDouble();
    }
    return CarregaNumero("QTDE_PRODUCAO", "ACEC1101", productKey(produto));
}

double TdmGlobal::CotacaoMoeda(const QString& moeda, const QDateTime& data, bool bUltima)
{
    const QString currency = moeda.trimmed();
    if (currency.isEmpty())
        return 1.0;
    const QDateTime day = data.isValid() ? data : QDateTime::currentDateTime();
    const QString when = bUltima ? " and MODATA <= " + DateTimeFimToSQL(day)
                                 : " and MODATA between " + DateTimeIniToSQL(day) + " and " + DateTimeFimToSQL(day);
    const double rate = CarregaNumero("first 1 MOCOTACAO", "AUGC10MO",
                                      "where MOCODIGO = " + QuotedStr(currency) + when + " order by MODATA desc");
    if (rate <= 0)
        MostraAviso("Aviso: operação abortada.\rCotação da moeda " + currency + " não cadastrada!", true);
    return rate;
}

QString TdmGlobal::RetornaCodigoProduto(const QString& texto, const QString&, double& fator)
{
    fator = 1;
    const QString typed = texto.trimmed().toUpper();
    if (typed.isEmpty())
        return {};
    // One statement: the own code wins over the other code, that over the
    // alternative code, and those over a package bar code, which brings the
    // number of units it stands for.
    std::unique_ptr<host::data::Query> consulta = CriarIbQuery();
    consulta->setSql(
        "select first 1 CODIGO, FATOR from ("
        " select CODIGO, 1 as ORDEM, cast(1 as double precision) as FATOR from ACEC1101 where upper(CODIGO) = :TEXTO"
        " union all select CODIGO, 2, cast(1 as double precision) from ACEC1101 where upper(OUTRO_CODIGO) = :TEXTO"
        " union all select CODIGO, 3, cast(1 as double precision) from ACEC1101 where upper(PRCODIGOALTERNATIVO) = :TEXTO"
        " union all select PRCODIGO, 4, cast(CBFATOR as double precision) from ACEC11CB where upper(CBCODIGO) = :TEXTO"
        ") order by ORDEM");
    consulta->paramByName("TEXTO")->setAsString(typed);
    consulta->open();
    QString code = typed;   // unknown: the caller's product rule refuses it with its own message
    if (!consulta->isEmpty()) {
        code = consulta->fieldByName("CODIGO")->asString().trimmed();
        const double units = consulta->fieldByName("FATOR")->asFloat();
        fator = units > 0 ? units : 1;
    }
    consulta->close();
    return code;
}

void TdmGlobal::VerificaVendaProdutoRepetido(const QString& produto, const QString& colunaProduto,
                                             const QString& tabela, const QString& condicao,
                                             const QString&, host::data::Dataset*)
{
    const QString mode = Parametro("ATVENDAPRODUTOREPETIDO").trimmed().toUpper();
    if (mode != "N" && mode != "P")
        return;
    if (ContadorDados(colunaProduto, tabela, produto.trimmed(), condicao) == 0)
        return;
    if (mode == "N")
        MostraAviso("Aviso: operação abortada.\rProduto já lançado neste documento!", true);
    if (MostraPergunta("Produto já lançado neste documento. Deseja lançar novamente?", {"Sim", "Não"}) != "Sim")
        host::abortOperation();
}

double TdmGlobal::VerificaUnidadeFracionamento(const QString& unidade, double valor, bool bMensagem, bool bAbortar)
{
    const double whole = std::round(valor);
    if (!wholeUnit(unidade) || std::fabs(valor - whole) < 1e-9)
        return valor;
    if (!bAbortar)
        return std::ceil(valor - 1e-9);
    if (bMensagem)
        MostraAviso("Aviso: operação abortada.\rA unidade " + unidade.trimmed().toUpper() +
                        " não permite quantidade fracionada!",
                    true);
    host::abortOperation();
}
