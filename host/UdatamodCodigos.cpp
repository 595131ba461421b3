// Free codes of text columns that hold numbers.

#include "host/Udatamod.h"

#include "host/Udmglobal.h"
#include "host/db/Database.h"

#include <set>

QString CodigoCadastralDisponivel(const QString& coluna, const QString& tabela, int maximo,
                                  const QString& formato, const QString& condicao)
{
    host::db::Statement st(*dmGlobal->IBTransaction1,
                           QString("select distinct %1 from %2 %3").arg(coluna, tabela, condicao));
    st.execute();
    std::set<qint64> usados;
    while (st.fetch()) {
        bool numero = false;
        const qint64 valor = st.value(0).toString().trimmed().toLongLong(&numero);
        if (numero && valor > 0)
            usados.insert(valor);
    }
    qint64 livre = usados.empty() ? 1 : *usados.rbegin() + 1;
    if (livre > maximo) {
        livre = 1;
        while (livre <= maximo && usados.count(livre))
            ++livre;
        if (livre > maximo)
            return {};
    }
    const int largura = int(formato.size());
    return QString::number(livre).rightJustified(largura, '0');
}

int ProximaChave(const QString& gerador, const QString& coluna, const QString& tabela)
{
    host::db::Statement st(*dmGlobal->IBTransaction1,
                           QString("select gen_id(%1, 1), (select coalesce(max(%2), 0) from %3) from rdb$database")
                               .arg(gerador, coluna, tabela));
    st.execute();
    st.fetch();
    const qint64 chave = st.value(0).toLongLong();
    const qint64 maior = st.value(1).toLongLong();
    if (chave > maior)
        return int(chave);
    // Every draw of a generator is unique, so stepping it by the gap keeps
    // two stations that catch up at once apart as well.
    host::db::Statement passo(*dmGlobal->IBTransaction1,
                              QString("select gen_id(%1, %2) from rdb$database").arg(gerador).arg(maior - chave + 1));
    passo.execute();
    passo.fetch();
    return int(passo.value(0).toLongLong());
}
