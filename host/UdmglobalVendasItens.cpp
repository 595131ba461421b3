// Sales-order line services: line numbers, the line's stock location, the
// product's reservation, the freight rule and the record of deleted keys.

#include "host/Udmglobal.h"
#include "host/UdmglobalPrecos.h"

#include "host/Udatamod.h"
#include "host/Uglobal.h"
#include "host/data/Dataset.h"
#include "host/data/Query.h"
#include "host/data/UpdateSql.h"
#include "host/db/Database.h"

#include <QRegularExpression>

int TdmGlobal::SequenciaVendasItem(const QString& pedido)
{
    return host::db::selectValue(*IBTransaction1,
                                 "select coalesce(max(COD), 0) + 1 from AVEC85IT where NUMERO_PEDIDO = :PEDIDO",
                                 {{"PEDIDO", pedido}})
        .toInt();
}

QString TdmGlobal::VerificaLocalEstoqueOperacao(const QString&, const QString& coluna, const QString&,
                                                host::data::Dataset* dataset)
{
    host::data::Field* campo = dataset ? dataset->findField(coluna) : nullptr;
    if (!campo)
        return {};
    if (campo->asString().trimmed().isEmpty()) {
        const QString atual = sLocalEstoqueAtual.trimmed();
        // The stock location of the branch, as the stock moves name it.
        campo->setAsString(LocalEstoqueTresDigitos(atual.isEmpty() ? Parametro("ATLOCALPADRAO").trimmed() : atual));
    }
    return campo->asString();
}

void TdmGlobal::AtualizaReservaEstoqueProduto(const QString& produto, const QString&)
{
    host::db::executeSql(
        *IBTransaction1,
        "update ACEC1101 set QTDE_PRODUCAO ="
        " (select coalesce(sum(Ap.APQUANTIDADE), 0) from AATC01AP Ap where Ap.PRCODIGO = :PRODUTO"
        "   and Ap.APRESERVA = 'S' and coalesce(Ap.VECODIGO, '') = '')"
        " + (select coalesce(sum(It.QUANTIDADE), 0) from AVEC85IT It"
        "   join AVEC8501 Ped on (Ped.NUMERO_PEDIDO = It.NUMERO_PEDIDO)"
        "   where It.CODIGO = :PRODUTO and Ped.IMPRESSO_NF = 'N' and coalesce(It.VEITENTREGA, '') <> 'C')"
        " where CODIGO = :PRODUTO",
        {{"PRODUTO", produto.trimmed()}});
}

bool TdmGlobal::RetornaFreteCobrar(const QString&, const QString& frete)
{
    return frete.trimmed() == "2";
}

void TdmGlobal::MontaChavePrimariaExcluida(QString& texto, host::data::Dataset& dataset)
{
    texto.clear();
    auto* query = dynamic_cast<host::data::Query*>(&dataset);
    host::data::UpdateSql* update = query ? query->updateObject() : nullptr;
    if (!update)
        return;
    static const QRegularExpression chave(":OLD_(\\w+)");
    QStringList partes;
    auto it = chave.globalMatch(update->deleteSql());
    while (it.hasNext()) {
        const QString coluna = it.next().captured(1);
        if (const host::data::Field* campo = dataset.findField(coluna))
            partes << coluna + "=" + campo->asString();
    }
    texto = partes.join(';');
}

void TdmGlobal::GravaChavePrimariaExcluida(QString& texto, const QString& tabela)
{
    if (texto.isEmpty())
        return;
    host::db::executeSql(*IBTransaction1,
                         "insert into UGCHAVEEXCLUIDA (TABELA, CHAVE, DATA, USUARIO)"
                         " values (:TABELA, :CHAVE, :DATA, :USUARIO)",
                         {{"TABELA", tabela.left(31)},
                          {"CHAVE", texto.left(255)},
                          {"DATA", QDateTime::currentDateTime()},
                          {"USUARIO", IbUserName().left(30)}});
    texto.clear();
}
