// TdmGlobal: the invoice and bank collection document of billed receivables
// (the billing package's call for rental contracts).

#include "host/Udmglobal.h"

#include "host/FiltroDia.h"
#include "host/Uglobal.h"

#include "host/db/Database.h"

#include <QDate>

namespace {

// The receivables the ranges select that are billed and have no collection
// yet. A side of a date range left invalid is open, so the texts differ
// only by those conditions (four statements at most, each kept prepared).
QString selecaoFaturaBoleto(const FaturaBoletoLocacao& f)
{
    // One customer's one document (what a billing asks) reads through the
    // customer's index; a range would read the whole table.
    const bool umDocumento = f.clienteIni.trimmed() == f.clienteFim.trimmed() &&
                             f.documentoIni.trimmed() == f.documentoFim.trimmed();
    QString sql = "select cr.NUMERO_DOCUMENTO, cr.CODIGO_CLIENTE, cr.SEQUENCIA, cr.VALOR_DOCUMENTO,"
                  " cr.DATA_EMISSAO, cr.DATA_VENCIMENTO from ACRC5001 cr where cr.CODIGO_FILIAL = :FILIAL";
    sql += umDocumento ? " and cr.CODIGO_CLIENTE = :CLI1 and cr.NUMERO_DOCUMENTO = :DOC1"
                       : " and cr.NUMERO_DOCUMENTO between :DOC1 and :DOC2 and cr.CODIGO_CLIENTE between :CLI1 and :CLI2";
    sql += " and coalesce(cr.SITUACAO_DOCUMENTO, '') <> 'V'";
    if (f.emissaoIni.isValid() && f.emissaoFim.isValid())
        sql += " and cr.DATA_EMISSAO >= :EMI1 and cr.DATA_EMISSAO < :EMI2";
    if (f.vencimentoIni.isValid() && f.vencimentoFim.isValid())
        sql += " and cr.DATA_VENCIMENTO >= :VEN1 and cr.DATA_VENCIMENTO < :VEN2";
    return sql + " and not exists (select 1 from ACRC50FB fb where fb.CODIGO_FILIAL = cr.CODIGO_FILIAL"
                 " and fb.NUMERO_DOCUMENTO = cr.NUMERO_DOCUMENTO and fb.CODIGO_CLIENTE = cr.CODIGO_CLIENTE"
                 " and fb.SEQUENCIA = cr.SEQUENCIA)";
}


struct ReceberFatura {
    QString documento, cliente;
    double sequencia = 0, valor = 0;
    QDateTime emissao, vencimento;
};

// A billing issues one collection per instalment: its two writes are kept
// prepared and their values set one by one (no map of names to build and
// walk per receivable).
void gravaFaturaBoleto(host::db::Transaction& tr, const QString& filial, const ReceberFatura& r, const QString& banco,
                       const QString& nossoNumero, const QDateTime& dia, const QString (&textos)[3])
{
    static const QString sql = "insert into ACRC50FB (CODIGO_FILIAL, NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA,"
                               " FBBANCO, FBNOSSONUMERO, FBVALOR, FBEMISSAO, FBVENCIMENTO, FBDATA, FBTEXTO1,"
                               " FBTEXTO2, FBTEXTO3) values (:FILIAL, :DOC, :CLI, :SEQ, :BANCO, :NOSSO, :VALOR,"
                               " :EMISSAO, :VENCIMENTO, :HOJE, :T1, :T2, :T3)";
    const std::shared_ptr<host::db::Statement> st = tr.prepared(sql);
    st->setParam("FILIAL", filial);
    st->setParam("DOC", r.documento);
    st->setParam("CLI", r.cliente);
    st->setParam("SEQ", r.sequencia);
    st->setParam("BANCO", banco);
    st->setParam("NOSSO", nossoNumero);
    st->setParam("VALOR", r.valor);
    st->setParam("EMISSAO", r.emissao.isValid() ? QVariant(r.emissao) : QVariant());
    st->setParam("VENCIMENTO", r.vencimento.isValid() ? QVariant(r.vencimento) : QVariant());
    st->setParam("HOJE", dia);
    st->setParam("T1", textos[0]);
    st->setParam("T2", textos[1]);
    st->setParam("T3", textos[2]);
    st->execute();
}

// False when the receivable is no longer there (another desk deleted it
// since the selection): its collection would then belong to nothing.
bool marcaReceberFaturado(host::db::Transaction& tr, const QString& filial, const ReceberFatura& r,
                          const QString& banco, const QString& nossoNumero, const QDateTime& dia)
{
    static const QString sql = "update ACRC5001 set NUMERO_DO_BANCO = :BANCO, NOSSO_NUMERO = :NOSSO,"
                               " CRBORDERODATA = :HOJE where CODIGO_FILIAL = :FILIAL and NUMERO_DOCUMENTO = :DOC"
                               " and CODIGO_CLIENTE = :CLI and SEQUENCIA = :SEQ";
    const std::shared_ptr<host::db::Statement> st = tr.prepared(sql);
    st->setParam("BANCO", banco);
    st->setParam("NOSSO", nossoNumero);
    st->setParam("HOJE", dia);
    st->setParam("FILIAL", filial);
    st->setParam("DOC", r.documento);
    st->setParam("CLI", r.cliente);
    st->setParam("SEQ", r.sequencia);
    return st->execute() > 0;
}

}  // namespace

int TdmGlobal::AbrirFaturaBoletoDocumentoContratoLocEquip(const FaturaBoletoLocacao& f)
{
    host::db::Transaction& tr = *IBTransaction1;
    const QString filial = CodigoFilialCurto(f.filial);
    std::vector<ReceberFatura> receber;
    {
        std::shared_ptr<host::db::Statement> selecao = tr.prepared(selecaoFaturaBoleto(f));
        selecao->setParam("FILIAL", filial);
        selecao->setParam("DOC1", f.documentoIni.trimmed());
        selecao->setParam("CLI1", f.clienteIni.trimmed());
        if (f.clienteIni.trimmed() != f.clienteFim.trimmed() || f.documentoIni.trimmed() != f.documentoFim.trimmed()) {
            selecao->setParam("DOC2", f.documentoFim.trimmed());
            selecao->setParam("CLI2", f.clienteFim.trimmed());
        }
        if (f.emissaoIni.isValid() && f.emissaoFim.isValid()) {
            selecao->setParam("EMI1", host::inicioDoDia(f.emissaoIni.date()));
            selecao->setParam("EMI2", host::fimExclusivoDoDia(f.emissaoFim.date()));
        }
        if (f.vencimentoIni.isValid() && f.vencimentoFim.isValid()) {
            selecao->setParam("VEN1", host::inicioDoDia(f.vencimentoIni.date()));
            selecao->setParam("VEN2", host::fimExclusivoDoDia(f.vencimentoFim.date()));
        }
        selecao->execute();
        // Columns by position, in the order of the selection's text.
        while (selecao->fetch())
            receber.push_back({selecao->value(0).toString().trimmed(), selecao->value(1).toString().trimmed(),
                               selecao->value(2).toDouble(), selecao->value(3).toDouble(),
                               selecao->value(4).toDateTime(), selecao->value(5).toDateTime()});
    }
    const QDateTime dia = hoje();
    const QString banco = f.banco.trimmed();
    const QString textos[3] = {f.texto1.left(2000), f.texto2.left(2000), f.texto3.left(2000)};
    host::db::Savepoint ponto(tr);
    for (const ReceberFatura& r : receber) {
        // The collection number: the branch, the document and its sequence,
        // unique as the receivable's key is.
        const QString nossoNumero =
            filial + r.documento + QString::number(qint64(r.sequencia)).rightJustified(3, '0');
        gravaFaturaBoleto(tr, filial, r, banco, nossoNumero, dia, textos);
        if (!marcaReceberFaturado(tr, filial, r, banco, nossoNumero, dia))
            MostraAviso("Aviso: operação abortada.\rO documento " + r.documento + " do cliente " + r.cliente +
                            " não existe mais no contas a receber (excluído por outro usuário);"
                            " nenhuma cobrança foi gerada.",
                        true);
    }
    ponto.release();
    return int(receber.size());
}
