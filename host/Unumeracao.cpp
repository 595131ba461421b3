// Per-series counters: one row update instead of a scan of the documents.

#include "host/Unumeracao.h"

#include "host/TravaExecucao.h"
#include "host/db/KeptByText.h"

#include <QRegularExpression>
#include <QThread>

namespace host {

namespace {

QVariantMap chave(const SerieNumeracao& s) {
    return {{"DOCUMENTO", s.documento}, {"SERIE", s.serie.trimmed()}, {"LOCAL", s.local.trimmed()}};
}

// Takes the next number, or -1 when the series has no counter yet.
qint64 incrementa(db::Transaction& tr, const SerieNumeracao& s) {
    const QVariant ultimo = db::selectValue(tr,
                                            "update NUMERACAO set ULTIMO = ULTIMO + 1 where DOCUMENTO = "
                                            ":DOCUMENTO and SERIE = :SERIE and LOCAL = :LOCAL"
                                            " returning ULTIMO",
                                            chave(s));
    return ultimo.isNull() ? -1 : qint64(ultimo.toDouble());
}

// Sets the counter past the numbers stored by other means (or starts it).
qint64 alcanca(db::Transaction& tr, const SerieNumeracao& s, const NumerosGravados& gravados, bool existe) {
    const qint64 proximo = gravados.maior() + 1;
    QVariantMap valores = chave(s);
    valores.insert("ULTIMO", double(proximo));
    db::executeSql(tr,
                   existe ? QString("update NUMERACAO set ULTIMO = :ULTIMO where DOCUMENTO = :DOCUMENTO and"
                                    " SERIE = :SERIE and LOCAL = :LOCAL")
                          : QString("insert into NUMERACAO (DOCUMENTO, SERIE, LOCAL, ULTIMO)"
                                    " values (:DOCUMENTO, :SERIE, :LOCAL, :ULTIMO)"),
                   valores);
    return proximo;
}

// Takes the next number and tells whether the documents already hold it,
// in one statement; -1 when the series has no counter yet.
qint64 incrementaTestando(db::Transaction& tr, const SerieNumeracao& s, const QString& existeSql, bool& existe) {
    // The new number as the documents write it: six digits, or more.
    static const QString kSeisDigitos =
        "iif(new.ULTIMO >= 1000000, cast(cast(new.ULTIMO as integer) as varchar(18)),"
        " lpad(cast(new.ULTIMO as integer), 6, '0'))";
    static const QRegularExpression kNumero(":NUMERO\\b");
    // A run numbers one document after another with the same test: its
    // text is made once, not by a regular expression per number.
    thread_local db::LastMade<QString, QString> porTeste;
    const QString& texto = porTeste.of(existeSql, [&] {
        return "update NUMERACAO set ULTIMO = ULTIMO + 1 where DOCUMENTO = :DOCUMENTO and SERIE = :SERIE and"
               " LOCAL = :LOCAL returning ULTIMO, iif(" +
               QString(existeSql).replace(kNumero, kSeisDigitos) + ", 1, 0)";
    });
    const std::shared_ptr<db::Statement> st = tr.prepared(texto);
    st->setParam("DOCUMENTO", s.documento);
    st->setParam("SERIE", s.serie.trimmed());
    st->setParam("LOCAL", s.local.trimmed());
    st->execute();
    existe = false;
    if (!st->fetch()) return -1;
    const QVariant ultimo = st->value(0);
    existe = st->value(1).toInt() == 1;
    st->closeCursor();
    return ultimo.isNull() ? -1 : qint64(ultimo.toDouble());
}

qint64 tenta(db::Transaction& tr, const SerieNumeracao& s, const NumerosGravados& gravados) {
    bool existe = false;
    const qint64 numero = gravados.existeSql.isEmpty() ? incrementa(tr, s)
                                                       : incrementaTestando(tr, s, gravados.existeSql, existe);
    if (numero < 0) return alcanca(tr, s, gravados, false);
    // A number written without the counter (an import, an older version)
    // is never given again.
    if (gravados.existeSql.isEmpty() ? gravados.existe(numero) : existe) return alcanca(tr, s, gravados, true);
    return numero;
}

} // namespace

qint64 ProximoNumeroSerie(db::Transaction& tr, const SerieNumeracao& serie, const NumerosGravados& gravados) {
    constexpr int kTentativas = 40; // about two seconds
    for (int vez = 1;; ++vez) {
        try {
            return tenta(tr, serie, gravados);
        } catch (const db::DbError& e) {
            // Another desk holds the counter (its transaction has not ended yet).
            if (vez >= kTentativas || !ConflitoDeRegistro(e)) throw;
            QThread::msleep(50);
        }
    }
}

QString ProximoNumeroDocumentoEstoque(db::Transaction& tr, const QString& serie, const QString& local)
{
    const QVariantMap chave{{"SERIE", serie}, {"LOCAL", local}};
    const NumerosGravados gravados{
        [&] {
            return qint64(db::selectValue(tr,
                                          "select max(cast(DOCUMENTO as double precision)) from ACEM1401"
                                          " where SERIE_DOC = :SERIE and coalesce(LOCAL_DOC, '') = :LOCAL"
                                          " and DOCUMENTO similar to '[0-9]+'",
                                          chave)
                              .toDouble());
        },
        {},
        // With a branch the whole index of the series answers.
        local.isEmpty() ? "exists (select 1 from ACEM1401 where SERIE_DOC = :SERIE and DOCUMENTO = :NUMERO and"
                          " coalesce(LOCAL_DOC, '') = :LOCAL)"
                        : "exists (select 1 from ACEM1401 where SERIE_DOC = :SERIE and LOCAL_DOC = :LOCAL and"
                          " DOCUMENTO = :NUMERO)"};
    return QString::number(ProximoNumeroSerie(tr, {"ACEM1401", serie, local}, gravados)).rightJustified(6, '0');
}

} // namespace host
