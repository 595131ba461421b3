// The service-order search's statements as text, from its filters only.

#include "service_orders/uPesqAssOrdemServicoSQL.h"

#include "host/Udatamod.h"
#include "host/Uglobal.h"

#include <QStringList>

#include <algorithm>

namespace {

const QString kPlacaVazia = "   -    ";
const QString kDataVazia = "  /  /  ";

// What the window shows, prints and picks of a row, and what it colours
// and follows a row by: an item's photo and the columns no one reads are
// left in the table.
const QString kColunasConsulta =
    "select it.AOCODIGO, it.AOITCODIGO, it.AOITEQUIPCODIGO, it.AOITEQUIPDESCRICAO, it.AOITSERIE, it.AOITDEFEITO,"
    " it.AOITMARCA, it.AOITMODELO, it.AOITPLACA, it.AOITCOR, it.AOITCODIGOINTERNO, it.AOITAPROVADO,"
    " it.AOITQUANTIDADE, it.AOITANOFABRICACAO, it.AOITKMINICIAL, it.AOITCOMBUSTIVEL, it.AOITPOSICAOCOMBUSTIVEL,"
    " cli.nome as cliente, tec.atnome as tecnico, os.aodatasaida, os.aoValorTotal, os.aoValorServico,"
    " os.aoValorPecas, os.AODATAENTRADA, os.aoBaixa, os.aoCodigo as aoCodigoOS, os.AoRemanufatura,"
    " sit.ascor, sit.ASDESCRICAO as Situacao,"
    " cast((select count(*) from AATC01AR ar where ar.aoCodigo = os.aoCodigo) as integer) as TotalAcessorio\n";

const QString kLigaItens = "left outer join aatc01AOIT IT on (os.aocodigo = it.aocodigo)\n";
const QString kLigaClientes = "left outer join augc0301 cli on (os.clcodigo = cli.codigo_cliente)\n";
// A customer name typed leaves out the orders without a customer, and the
// engine goes from the few named customers to their orders
// (IX_AATC01AO_CLCODIGO) instead of reading every order newest first and
// looking each one's customer up. The customer's key is joined as an
// expression so that the way from an order to its customer is closed: left
// to the indexes' statistics (none while an index was made on an empty
// table), the engine took that way and read all the orders.
const QString kClientesDoNome = "inner join augc0301 cli on (os.clcodigo = cli.codigo_cliente || '')\n";
const QString kLigaTecnicos = "left outer join aatc06at tec on (os.atcodigo = tec.atcodigo)\n";
const QString kLigaSituacoes = "left outer join aatc01as Sit on (os.ascodigo = sit.ascodigo)\n";
// Every order of a non-negative number; an expression, so that the whole
// table's range is never the engine's way in (the other conditions choose it).
const QString kOrdensValidas = "(OS.aocodigo + 0 >= 0)";

// The header, then the customers when a name is typed, the items, the
// customers otherwise (when asked for) and the rest.
QString origemOS(const FiltroPesquisaOS& f, const QString& clientes, const QString& resto)
{
    const bool porNome = !f.cliente.isEmpty();
    return "from AATC01AO OS\n" + (porNome ? kClientesDoNome + kLigaItens : kLigaItens + clientes) + resto;
}

const QString kBaseUltimaOS =
    "select MAX(IT.AOCODIGO), it.aoitEquipDescricao, it.aoitEquipCodigo, it.aoitSerie, it.aoitPlaca,"
    " it.aoitMarca, it.aoitModelo, it.aoitCor, cli.nome, os.clCodigo\n"
    "from AATC01AO OS\n"
    "left outer join aatc01AOIT IT on (os.aocodigo = it.aocodigo)\n"
    "left outer join augc0301 cli on (os.clcodigo = cli.codigo_cliente)\n";
const QString kUltimasValidas = "(OS.aocodigo >= 0 )";

const QString kAgrupaUltimaOS =
    "group by it.aoitEquipDescricao, it.aoitEquipCodigo, it.aoitSerie, it.aoitPlaca, it.aoitMarca,"
    " it.aoitModelo, it.aoitCor, cli.nome, os.clCodigo\n"
    "Order by os.clCodigo,it.aoitEquipDescricao,it.aoitPlaca ";

const QString kLigacaoPecas = "Left Outer Join Aatc01ap ap   On (os.aoCodigo = ap.aoCodigo) ";
const QString kLigacaoProduto = "Left Outer Join Acec1101 PrAp On (ap.prCodigo = PrAp.Codigo) ";

// The statement being built: its select and joins, the filters' lines (each
// begins with "and") and the condition every row it reads meets. That
// condition is tested last: the engine tests a row's conditions in their
// written order and leaves the row at the first one it fails, and most rows
// fail a filter ("Contendo" on the number tests every order). Nothing comes
// before the first filter: even a constant would be tested once a row.
class TextoPesquisaOS {
public:
    TextoPesquisaOS(const QString& origem, const QString& base) : origem_(origem), base_(base) {}
    // A filter left blank (a field chosen, no value typed) adds no line.
    void linha(const QString& texto)
    {
        if (!texto.trimmed().isEmpty())
            filtros_ += (filtros_.isEmpty() ? semConectivo(texto) : texto) + "\n";
    }
    void ligacao(const QString& texto) { origem_ = SQLComLigacao(origem_, texto); }
    // The whole statement, `fim` (its order or grouping) on a line of its own.
    QString sql(const QString& fim = {}) const
    {
        const QString sql = origem_ + "where " + filtros_ + (filtros_.isEmpty() ? base_ : "and " + base_);
        return fim.isEmpty() ? sql : sql + "\n" + fim;
    }

private:
    // The first filter without the "and" that would join it to one before.
    static QString semConectivo(const QString& linha)
    {
        const QString texto = linha.trimmed();
        return texto.startsWith(QLatin1String("and"), Qt::CaseInsensitive) ? texto.mid(3).trimmed() : texto;
    }

    QString origem_, base_, filtros_;
};

// A masked field left blank holds only its literals ("  /  /  ", "   -    ").
bool mascaraPreenchida(const QString& texto)
{
    for (const QChar c : texto)
        if (c.isLetterOrNumber())
            return true;
    return false;
}
bool dataPreenchida(const QString& data) { return data != kDataVazia && mascaraPreenchida(data); }
bool placaPreenchida(const QString& placa) { return placa != kPlacaVazia && mascaraPreenchida(placa); }

// The lines the three statements share, each in its own form.
class CondicoesPesquisaOS {
public:
    explicit CondicoesPesquisaOS(const FiltroPesquisaOS& filtro) : f_(filtro) {}

    QString padrao(const QString& texto) const { return QuotedStr(PadraoPesquisaOS(f_, texto)); }

    void local(TextoPesquisaOS& t) const
    {
        if (!f_.local.isEmpty())
            t.linha("and (os.AOLOCAL) = " + QuotedStr(f_.local));
    }
    void campoItem(TextoPesquisaOS& t) const
    {
        if (f_.camposItemVisivel && !f_.campoItem.isEmpty())
            t.linha(AdicionaFiltro("it." + f_.campoItem, f_.numero, {}, f_.tipoCampoItem, "C"));
    }
    void numero(TextoPesquisaOS& t) const
    {
        if (!f_.numero.isEmpty())
            t.linha("and (os.aocodigo) like " + padrao(f_.numero));
    }
    void situacao(TextoPesquisaOS& t) const
    {
        if (!f_.situacaoTexto.isEmpty())
            t.linha("and  (OS.ASCODIGO) = " + QString::number(f_.situacaoChave));
    }
    void equipamento(TextoPesquisaOS& t) const
    {
        if (!f_.equipamento.isEmpty())
            t.linha("and upper(it.aoitequipdescricao) like " + padrao(f_.equipamento));
    }
    void datas(TextoPesquisaOS& t) const
    {
        if (dataPreenchida(f_.dataInicial))
            t.linha("and (os.AODATAENTRADA) >= " + StringDateTimeIniToSQL(f_.dataInicial));
        if (dataPreenchida(f_.dataFinal))
            t.linha("and (os.AODATAENTRADA) <= " + StringDateTimeFimToSQL(f_.dataFinal));
    }
    void aprovado(TextoPesquisaOS& t) const
    {
        if (f_.aprovado)
            t.linha("and (it.aoitAprovado = 'S')");
    }
    bool temModelo() const { return !f_.modelo.trimmed().isEmpty(); }
    // The model field in its three meanings; the part form brings its joins.
    void modelo(TextoPesquisaOS& t, bool ultimaOS) const
    {
        if (!temModelo())
            return;
        if (f_.rotuloModelo == "Peça") {
            if (ultimaOS) {
                t.ligacao(kLigacaoPecas + kLigacaoProduto);
                t.linha("and (PrAp.Descricao) containing " + QuotedStr(f_.modelo));
            } else {
                t.ligacao(kLigacaoPecas);
                t.ligacao(kLigacaoProduto);
                t.linha("and PrAp.Descricao containing " + QuotedStr(f_.modelo));
            }
        } else if (f_.rotuloModelo == "Situação Item") {
            t.linha("and (select ss.ASDESCRICAO from AATC01AS ss Where ss.asCodigo = it.asCodigo) containing " +
                    QuotedStr(f_.modelo));
        } else {
            t.linha("and upper(it.aoitmodelo) like " + padrao(f_.modelo));
        }
    }
    void placa(TextoPesquisaOS& t) const
    {
        if (!f_.placaVisivel)
            return;
        if (f_.rotuloPlaca == "Nº de Série") {
            if (!f_.placa.trimmed().isEmpty())
                t.linha("and upper(it.aoitserie) like " + padrao(f_.placa));
        } else if (placaPreenchida(f_.placa)) {
            t.linha("and upper(it.aoitplaca) like " + padrao(f_.placa));
        }
    }
    void situacaoExceto(TextoPesquisaOS& t) const
    {
        if (!f_.situacaoExceto.isEmpty())
            t.linha("and (Coalesce(os.AsCodigo,0)) <> " + QuotedStr(f_.situacaoExceto));
    }
    void tecnicoRestrito(TextoPesquisaOS& t) const
    {
        if (!f_.tecnicoRestrito.isEmpty() && !f_.ultimaOS)
            t.linha(" and (tec.atnome) =" + QuotedStr(f_.tecnicoRestrito.toUpper()));
    }
    void marca(TextoPesquisaOS& t) const
    {
        if (!f_.marca.isEmpty())
            t.linha("and it.aoitmarca Containing " + QuotedStr(f_.marca));
    }
    void filial(TextoPesquisaOS& t) const
    {
        if (!f_.filtroFilial.trimmed().isEmpty())
            t.linha(f_.filtroFilial);
    }
    void campoOS(TextoPesquisaOS& t) const
    {
        if (!f_.campoOS.isEmpty())
            t.linha(AdicionaFiltro("os." + f_.campoOS, f_.valorAlternativo, {}, f_.tipoCampoOS, "C"));
    }

private:
    const FiltroPesquisaOS& f_;
};

QString consultaItens(const FiltroPesquisaOS& f, const CondicoesPesquisaOS& c)
{
    TextoPesquisaOS t(kColunasConsulta + origemOS(f, kLigaClientes, kLigaTecnicos + kLigaSituacoes),
                      kOrdensValidas);
    c.local(t);
    c.campoItem(t);
    if (!f.camposItemVisivel)
        c.numero(t);
    if (!f.serie.isEmpty())
        t.linha("and upper(it.aoitserie) like " + c.padrao(f.serie));
    if (!f.cliente.isEmpty())
        t.linha("and cli.nome Containing " + QuotedStr(f.cliente));
    c.situacao(t);
    c.equipamento(t);
    if (!f.tecnico.isEmpty())
        t.linha(f.rotuloTecnico == "Cor" ? "and (it.AOITCOR) like " + c.padrao(f.tecnico)
                                         : "and upper(tec.atnome) like " + c.padrao(f.tecnico));
    if (!f.status.trimmed().isEmpty())
        t.linha("and (os.aoBaixa) like " + c.padrao(f.status.trimmed()));
    c.datas(t);
    c.aprovado(t);
    c.modelo(t, false);
    if (!f.modoVeiculo && !f.codigoInterno.isEmpty())
        t.linha("and upper(it.aoitcodigointerno) like " + c.padrao(f.codigoInterno));
    c.placa(t);
    c.situacaoExceto(t);
    c.tecnicoRestrito(t);
    c.marca(t);
    c.filial(t);
    c.campoOS(t);
    return t.sql("  Order by " + ColunaOrdemPesquisaOS(f.ordem));
}

QString consultaUltimaOS(const FiltroPesquisaOS& f, const CondicoesPesquisaOS& c)
{
    TextoPesquisaOS t(kBaseUltimaOS, kUltimasValidas);
    c.local(t);
    c.numero(t);
    if (!f.serie.isEmpty())
        t.linha("and upper(it.aoitserie) like " + c.padrao(f.serie));
    if (!f.cliente.isEmpty())
        t.linha("and  (cli.nome) containing " + QuotedStr(f.cliente));
    c.situacao(t);
    c.equipamento(t);
    c.modelo(t, true);
    c.situacaoExceto(t);
    c.filial(t);
    c.placa(t);
    return t.sql(kAgrupaUltimaOS);
}

QString contagem(const FiltroPesquisaOS& f, const CondicoesPesquisaOS& c)
{
    // The look-ups join one row at most each: the count joins only those its lines read.
    const bool tecnicos = !f.ultimaOS && ((!f.tecnico.isEmpty() && f.rotuloTecnico != "Cor") ||
                                         !f.tecnicoRestrito.isEmpty());
    TextoPesquisaOS t(origemOS(f, {}, tecnicos ? kLigaTecnicos : QString()),
                      f.ultimaOS ? "not (OS.aocodigo is null)" : kOrdensValidas);
    c.local(t);
    c.campoItem(t);
    if (!f.camposItemVisivel)
        c.numero(t);
    if (!f.serie.isEmpty())
        t.linha("and (it.aoitserie) like " + c.padrao(f.serie));
    if (!f.cliente.isEmpty())
        t.linha("and cli.nome ContainIng " + QuotedStr(f.cliente.toUpper()));
    c.situacao(t);
    c.equipamento(t);
    if (!f.ultimaOS) {
        if (!f.tecnico.isEmpty() && f.rotuloTecnico != "Cor")
            t.linha("and upper(tec.atnome) like " + c.padrao(f.tecnico));
        if (!f.status.trimmed().isEmpty())
            t.linha("and (os.aoBaixa) like " + c.padrao(f.status.trimmed()));
        c.datas(t);
    }
    c.aprovado(t);
    if (c.temModelo() && f.rotuloModelo == "Modelo")
        t.linha("and upper(it.aoitmodelo) LIKE " + c.padrao(f.modelo));
    if (!f.modoVeiculo && !f.codigoInterno.isEmpty())
        t.linha("and (it.aoitcodigointerno) like " + c.padrao(f.codigoInterno));
    if (f.placaVisivel && f.rotuloPlaca == "Placa" && placaPreenchida(f.placa))
        t.linha("and upper(it.aoitplaca) LIKE " + c.padrao(f.placa));
    c.situacaoExceto(t);
    c.tecnicoRestrito(t);
    c.marca(t);
    c.filial(t);
    c.campoOS(t);
    return SqlContagemLimitada(t.sql());
}

}  // namespace

QString PadraoPesquisaOS(const FiltroPesquisaOS& filtro, const QString& texto)
{
    const QString prefixo = filtro.onde == 1 || filtro.onde == 2 ? "%" : "";
    const QString sufixo = filtro.onde == 0 || filtro.onde == 1 ? "%" : "";
    return (prefixo + texto + sufixo).toUpper();
}

QString ColunaOrdemPesquisaOS(int ordem)
{
    static const QStringList colunas = {"os.aoCodigo Desc", "cli.nome",       "it.aoitEquipDescricao",
                                        "tec.atnome",        "it.aoitmodelo", "os.AODATAENTRADA",
                                        "os.AODATASAIDA"};
    return colunas.value(ordem, colunas.first());
}

SQLPesquisaOS MontaSQLPesquisaOS(const FiltroPesquisaOS& filtro)
{
    const CondicoesPesquisaOS condicoes(filtro);
    return {filtro.ultimaOS ? consultaUltimaOS(filtro, condicoes) : consultaItens(filtro, condicoes),
            contagem(filtro, condicoes)};
}

bool ContagemIgualALista(const FiltroPesquisaOS& f)
{
    // CONTAINING ignores the case of plain letters; a name with other
    // letters is compared by the count as typed upper-cased.
    const bool nomeSemCaixa = std::all_of(f.cliente.begin(), f.cliente.end(),
                                          [](QChar c) { return c.unicode() < 128 || c == c.toUpper(); });
    const bool modelo = f.modelo.trimmed().isEmpty() || f.rotuloModelo == "Modelo";
    const bool placa = !f.placaVisivel || f.rotuloPlaca == "Placa" || f.placa.trimmed().isEmpty();
    return !f.ultimaOS && f.serie.isEmpty() && nomeSemCaixa && (f.tecnico.isEmpty() || f.rotuloTecnico != "Cor") &&
           modelo && (f.modoVeiculo || f.codigoInterno.isEmpty()) && placa;
}
