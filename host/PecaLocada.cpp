// A piece out on one contract line at a time: the row held until the commit,
// the line that has not come back.

#include "host/PecaLocada.h"

#include "host/FiltroDia.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "host/db/RowHold.h"

#include <QDate>
#include <QDateTime>

namespace host {

CondicaoLinhaFora condicaoLinhaFora(db::Transaction& tr, const QString& alias) {
    CondicaoLinhaFora condicao;
    for (const QString& coluna : db::tableColumns(tr, "AATC05ACIT")) {
        if (coluna == "ACCODIGO")
            condicao.linhas = true;
        else if (coluna == "ACITRETORNO" || coluna == "ACITENCERRADO" || coluna == "ACITDEVOLVIDO")
            condicao.naoVoltou += QString(" and coalesce(%1.%2, '') <> 'S'").arg(alias, coluna);
    }
    return condicao;
}

QString SelectContratosLinhaFora(db::Transaction& tr) {
    const CondicaoLinhaFora fora = condicaoLinhaFora(tr, "it");
    if (!fora.linhas) return {};
    return "select it.ACCODIGO from AATC05ACIT it where it.EVCODIGO = :UNIDADE and it.ACITCODIGO <> :ITEM" +
           fora.naoVoltou;
}

QString SelectContratosVeiculoAtivo() {
    return "select ev.ACCODIGO from AATC05ACEV ev where ev.EVCODIGO = :UNIDADE"
           " and coalesce(ev.ACEVSITUACAO, '') <> 'I'"
           " and (ev.ACEVDATAFIM is null or ev.ACEVDATAFIM < :ZERO or ev.ACEVDATAFIM >= :HOJE)";
}

void SegurarPecas(db::Transaction& tr, QStringView tabela, db::NamedParams chave, const QString& condicao,
                  const QString& oQue, const QString& pecas) {
    if (db::holdRows(tr, tabela, chave, condicao).elsewhere())
        dmGlobal->MostraAviso("Aviso: operação abortada.\r" + oQue +
                                  " em gravação em outra estação neste momento: " + pecas +
                                  ". Tente novamente.",
                              true);
}

void SegurarEquipamentoLocacao(int unidade) {
    SegurarPecas(*dmGlobal->IBTransaction1, u"AUGC20EV", {{"EVCODIGO", unidade}}, {}, "Equipamento",
                 QString::number(unidade));
}

void TomarEquipamentoLocacao(int unidade, int item) {
    db::Transaction& tr = *dmGlobal->IBTransaction1;
    SegurarEquipamentoLocacao(unidade);
    const QString linhas = SelectContratosLinhaFora(tr);
    if (linhas.isEmpty()) return;
    // A vehicle line of the unit puts it out as much as a contract line.
    const QVariant contrato = db::selectValue(
        tr, "select first 1 ACCODIGO from (" + linhas + " union all " + SelectContratosVeiculoAtivo() +
                ") fora order by 1",
        {{"UNIDADE", unidade},
         {"ITEM", item},
         {"ZERO", QDateTime(QDate(1900, 1, 1), QTime(0, 0))},
         {"HOJE", inicioDoDia(QDate::currentDate())}});
    if (contrato.isValid() && !contrato.isNull())
        dmGlobal->MostraAviso("Aviso: operação abortada.\rO equipamento " + QString::number(unidade) +
                                  " já está locado no contrato " + contrato.toString() + ".",
                              true);
}

} // namespace host
