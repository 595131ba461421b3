// The check-in's list of serial numbers (or bar codes), the CSV file it can
// come from, and the statement that lists the rented equipment still out.

#include "rental/uAssEntradaEquip.h"

#include "contract_data/uDataTecCont.h"
#include "host/data/Query.h"
#include "host/PilvOut70.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Ulote.h"
#include "host/db/Database.h"

#include <QRegularExpression>

#include <stdexcept>

namespace uAssEntradaEquip {

QString AdicionaValorLista(const QString& lista, const QString& valor)
{
    const QString literal = QuotedStr(valor);
    const QString atual = lista.trimmed();
    return atual.isEmpty() ? literal : atual + ", " + literal;
}

QString ListaDoArquivo(const QStringList& linhas)
{
    QStringList valores;
    for (const QString& bruta : linhas) {
        const QString linha = bruta.trimmed();
        if (linha.isEmpty())
            continue;
        QStringList partes = linha.split(';');
        // "A;B;" ends with a separator, not with an empty value.
        if (linha.endsWith(';'))
            partes.removeLast();
        for (const QString& valor : partes)
            valores << QuotedStr(valor);
    }
    return valores.join(", ");
}

bool ListaValida(const QString& lista)
{
    static const QRegularExpression literais(R"(^\s*(?:'(?:[^']|'')*'(?:\s*,\s*'(?:[^']|'')*')*)?\s*$)");
    return literais.match(lista).hasMatch();
}

QString SqlConsulta(const QString& lista, bool codigoBarras)
{
    QString sql =
        "select ns.PRCODIGO, ns.NSNUMERO, ac.ACCODIGO, ac.ACNUMEROCONTRATO, ac.ACDATAVALIDADE,"
        " pr.DESCRICAO as PRODUTO, cl.NOME as CLIENTE, le.DESCRICAO as LOCAL, eq.ACITCODIGO,"
        " ns.ACITCODIGO as NSACITCODIGO, pr.OUTRO_CODIGO\n"
        "from AUGC50NS ns\n"
        "left outer join AATC05AC ac on (ac.ACCODIGO = ns.ACCODIGO)\n"
        // A movement that names its line lists that line only, once; one
        // naming none, the lines not back (an old line of the same contract
        // that came back is not where the piece is).
        "left outer join AATC05ACIT eq on (eq.ACCODIGO = ac.ACCODIGO and eq.PRCODIGO = ns.PRCODIGO"
        " and (eq.ACITCODIGO = ns.ACITCODIGO or (ns.ACITCODIGO is null and coalesce(eq.ACITRETORNO, '') <> 'S')))\n"
        "left outer join ACEC1101 pr on (pr.CODIGO = ns.PRCODIGO)\n"
        "left outer join AUGC0301 cl on (cl.CODIGO_CLIENTE = ac.CLCODIGO)\n"
        "left outer join ACEC1401 le on (le.CODIGO = ns.LECODIGO)\n"
        "where ns.ACCODIGO is not null\n"
        " and ns.PRCODIGO in (select it.PRCODIGO from AATC05ACIT it where it.ACCODIGO = ns.ACCODIGO"
        " and it.PRCODIGO = ns.PRCODIGO and (ns.ACITCODIGO is null or it.ACITCODIGO = ns.ACITCODIGO)"
        " and coalesce(it.ACITRETORNO, '') <> 'S')\n"
        // The piece's current movement: one gone out on another document since,
        // or back by an earlier check-in, is not out on this contract.
        + host::CondicaoMovimentoAtual("ns") + "\n";
    const QString valores = lista.trimmed();
    if (!ListaValida(valores))
        throw std::invalid_argument("SqlConsulta: the list is not a list of quoted literals");
    // A list read from a file may be long: one list condition of any size.
    if (!valores.isEmpty())
        sql += " and " + CondicaoEmLista(codigoBarras ? "pr.outro_codigo" : "ns.nsnumero", ValoresDaListaSql(valores)) +
               "\n";
    return sql;
}

QStringList ValoresNaoEncontrados(const QString& lista, const QStringList& listados)
{
    QStringList faltam;
    for (const QString& valor : host::numerosSerieDaLista(lista))
        if (!listados.contains(valor, Qt::CaseInsensitive) && !faltam.contains(valor))
            faltam << valor;
    return faltam;
}

bool MarcaRetornoItens(int contrato, const QString& produto, const QString& numero, int item)
{
    host::ExecucaoLote::tabelaAlterada("AATC05ACIT");
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    host::RegistrarRetornoNumeroSerie(produto, numero, contrato, item);
    // A line comes back with its last piece: one still out keeps it out.
    const int linhas = host::db::executeSql(
        tr,
        "update AATC05ACIT it set it.ACITRETORNO = case when exists (select 1 from AUGC50NS ns"
        " where ns.ACCODIGO = it.ACCODIGO and ns.PRCODIGO = it.PRCODIGO and (ns.ACITCODIGO = it.ACITCODIGO"
        // A piece that names no line is a line's only while no piece out names it.
        " or (ns.ACITCODIGO is null and not exists (select 1 from AUGC50NS l where l.ACCODIGO = it.ACCODIGO"
        " and l.ACITCODIGO = it.ACITCODIGO)))" +
            host::CondicaoMovimentoAtual("ns") +
            ") then it.ACITRETORNO else 'S' end where it.ACCODIGO = :CONTRATO and it.PRCODIGO = :PRODUTO"
            " and (it.ACITCODIGO = :ITEM or :ITEM = 0)",
        {{"CONTRATO", contrato}, {"PRODUTO", produto}, {"ITEM", item}});
    if (linhas == 0)
        return false;
    tr.commitRetaining();
    // A register showing the contract's lines reads them again: its next
    // save of a line compares with what is stored now.
    if (dmTecContrato && dmTecContrato->quCtrCadastroIt->active())
        dmTecContrato->quCtrCadastroIt->writesUndone();
    return true;
}

}  // namespace uAssEntradaEquip
