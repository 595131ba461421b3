// Serial-number movements: the picker and the routines that write AUGC50NS.

#include "host/PilvOut70.h"

#include "host/PecaLocada.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Upesq.h"
#include "host/schema/SchemaDefinition.h"
#include "host/data/Field.h"
#include "host/data/MemDataset.h"
#include "host/ui/DataGrid.h"
#include "host/ui/Layouts.h"

#include "host/db/Database.h"

#include <QRegularExpression>
#include <QSet>

#include <cmath>

#include <utility>

namespace host {

QStringList numerosSerieDaLista(const QString& lista)
{
    QStringList numeros;
    if (!lista.contains('\'')) {
        if (!lista.trimmed().isEmpty())
            numeros << lista.trimmed();
        return numeros;
    }
    static const QRegularExpression quoted(R"('((?:[^']|'')*)')");
    for (auto it = quoted.globalMatch(lista); it.hasNext();) {
        const QString numero = it.next().captured(1).replace("''", "'").trimmed();
        if (!numero.isEmpty())
            numeros << numero;
    }
    return numeros;
}

namespace {

// A line of the movement's contract and product, other than the one being
// saved, that has not come back: the one the movement names, or any when it
// names none.
QString linhaAbertaDeOutra(db::Transaction& tr, const QString& movimento, const QString& item)
{
    const CondicaoLinhaFora fora = condicaoLinhaFora(tr, "it");
    if (!fora.linhas)
        return "1 = 0";
    return QString("exists (select 1 from AATC05ACIT it where it.ACCODIGO = %1.ACCODIGO"
                   " and it.PRCODIGO = %1.PRCODIGO and (%1.ACITCODIGO is null or it.ACITCODIGO = %1.ACITCODIGO)"
                   " and it.ACITCODIGO <> %2%3)")
        .arg(movimento, item, fora.naoVoltou);
}

// The product's rows (the condition added) held until the commit.
void travar(db::Transaction& tr, QStringView tabela, QStringView coluna, const QString& produto,
            const QString& condicao, const QStringList& numeros)
{
    SegurarPecas(tr, tabela, {{coluna, produto}}, condicao, "Nº(s) de Série", numeros.join(", "));
}

// Where a piece whose newest movement names these is out: "locado no
// contrato 12" while the contract's line has not come back, "no pedido
// \"000123\"" while an order other than the one given has its configured
// line; empty when it is not out.
QString foraEm(int contrato, bool linhaAberta, const QString& pedido, const QString& producao,
               const QString& pedidoDaLinha)
{
    if (contrato != 0)
        return linhaAberta ? "locado no contrato " + QString::number(contrato) : QString();
    if (!producao.isEmpty() && producao != "0" && !pedido.isEmpty() && pedido != pedidoDaLinha.trimmed())
        return "no pedido \"" + pedido + "\"";
    return {};
}

// The documents a movement names, as a refusal lists them ("contrato 12").
QStringList documentosDoMovimento(db::Statement& mov)
{
    static const std::pair<const char*, const char*> documentos[] = {
        {"ACCODIGO", "contrato"}, {"VECODIGO", "pedido"}, {"AOCODIGO", "ordem de serviço"},
        {"OCCODIGO", "ordem de compra"}, {"OPCODIGO", "ordem de produção"}, {"CMCODIGO", "composição"}};
    QStringList nomes;
    for (const auto& [coluna, nome] : documentos)
        if (const QString valor = mov.value(coluna).toString().trimmed(); !valor.isEmpty() && valor != "0")
            nomes << QString(nome) + " " + valor;
    return nomes;
}

// Each number once, trimmed; blanks left out.
QStringList distintos(const QStringList& numeros)
{
    QStringList pedidos;
    for (const QString& numero : numeros)
        if (const QString n = numero.trimmed(); !n.isEmpty() && !pedidos.contains(n))
            pedidos << n;
    return pedidos;
}

// A product whose pieces are registered (their entry movements, the
// register's "Números de Série") is put out only as one of them: a number
// none of them carries is a typing slip, never a new piece. A product with
// no registered piece takes a new number as it comes.
void recusarForaDasPecas(db::Transaction& tr, const QString& produto, const QStringList& novos)
{
    if (novos.isEmpty())
        return;
    const QVariant descricao = db::selectValue(
        tr, "select p.DESCRICAO from ACEC1101 p where p.CODIGO = :PRODUTO and exists (select 1 from AUGC50NS e"
            " where e.PRCODIGO = p.CODIGO and e.NSMOVIMENTO = 'E')",
        {{"PRODUTO", produto}});
    if (!descricao.isValid() || descricao.isNull())
        return;
    dmGlobal->MostraAviso("Aviso: operação abortada.\rNº(s) de Série não cadastrado(s) no produto " + produto + " - " +
                              descricao.toString().trimmed() + ": " + novos.join(", ") + ".",
                          true);
}

}  // namespace

QString MovimentosPosterioresNumeroSerie(const QString& produto, const QString& numero, const QVariant& movimento)
{
    db::Transaction& tr = *dmGlobal->IBTransaction1;
    db::Statement mov(tr, "select ns.ACCODIGO, ns.VECODIGO, ns.AOCODIGO, ns.OCCODIGO, ns.OPCODIGO, ns.CMCODIGO,"
                          " case when " + linhaAbertaDeOutra(tr, "ns", "0") + " then 1 else 0 end as ABERTA"
                          " from AUGC50NS ns where ns.PRCODIGO = :PRODUTO and ns.NSNUMERO = :NUMERO"
                          " and ns.NSCODIGO > :MOVIMENTO order by ns.NSCODIGO desc");
    mov.setParam("PRODUTO", produto.trimmed());
    mov.setParam("NUMERO", numero.trimmed());
    mov.setParam("MOVIMENTO", movimento.isNull() ? QVariant(0) : movimento);
    mov.execute();
    if (!mov.fetch())
        return {};
    // The newest movement tells whether the piece is out now.
    if (const QString fora = foraEm(mov.value("ACCODIGO").toInt(), mov.value("ABERTA").toInt() == 1,
                                    mov.value("VECODIGO").toString().trimmed(),
                                    mov.value("OPCODIGO").toString().trimmed(), {});
        !fora.isEmpty())
        return "está " + fora;
    QStringList documentos;
    do {
        for (const QString& documento : documentosDoMovimento(mov))
            if (!documentos.contains(documento))
                documentos << documento;
    } while (mov.fetch());
    return "possui movimentos posteriores" + (documentos.isEmpty() ? QString() : " (" + documentos.join(", ") + ")");
}

QStringList TomarNumerosSerie(const QString& produto, const QStringList& numeros, const LinhaNumeroSerie& linha)
{
    QStringList pedidos = distintos(numeros);
    if (pedidos.isEmpty())
        return {};
    db::Transaction& tr = *dmGlobal->IBTransaction1;
    const QString codigo = produto.trimmed();
    // Held before anything is read, moved or not: a number that never moved
    // has no movement to hold, and a desk booking it after the read below
    // would go unseen.
    travar(tr, u"ACEC1101", u"CODIGO", codigo, {}, pedidos);
    travar(tr, u"AUGC50NS", u"PRCODIGO", codigo, CondicaoEmLista("NSNUMERO", pedidos), pedidos);
    db::Statement atual(tr, "select ns.NSNUMERO, ns.ACCODIGO, ns.ACITCODIGO, ns.VECODIGO, ns.OPCODIGO, case when " +
                                linhaAbertaDeOutra(tr, "ns", QString::number(linha.item)) +
                                " then 1 else 0 end from AUGC50NS ns where ns.PRCODIGO = :PRODUTO"
                                " and " + CondicaoEmLista("ns.NSNUMERO", pedidos) + CondicaoMovimentoAtual("ns"));
    atual.setParam("PRODUTO", codigo);
    atual.execute();
    QStringList novos = pedidos;
    while (atual.fetch()) {
        const QString serie = atual.value(0).toString().trimmed();
        const int contrato = atual.value(1).toInt(), item = atual.value(2).toInt();
        const QString pedido = atual.value(3).toString().trimmed(), producao = atual.value(4).toString().trimmed();
        if (const QString fora = foraEm(contrato, atual.value(5).toInt() == 1, pedido, producao, linha.pedido);
            !fora.isEmpty())
            dmGlobal->MostraAviso("Aviso: operação abortada.\rO Nº de Série \"" + serie + "\" já está " + fora + ".",
                                  true);
        pedidos.removeAll(serie);
        // Out on this very line already: nothing to book.
        if (contrato != 0 && contrato == linha.contrato && (item == 0 || item == linha.item))
            novos.removeAll(serie);
    }
    recusarForaDasPecas(tr, codigo, pedidos);
    return novos;
}

void RecusarNumerosSerieForaDoProduto(const QString& produto, const QStringList& numeros)
{
    QStringList pedidos = distintos(numeros);
    if (pedidos.isEmpty())
        return;
    db::Transaction& tr = *dmGlobal->IBTransaction1;
    const QString codigo = produto.trimmed();
    db::Statement movidos(tr, "select distinct NSNUMERO from AUGC50NS where PRCODIGO = :PRODUTO and " +
                                  CondicaoEmLista("NSNUMERO", pedidos));
    movidos.setParam("PRODUTO", codigo);
    movidos.execute();
    while (movidos.fetch())
        pedidos.removeAll(movidos.value(0).toString().trimmed());
    recusarForaDasPecas(tr, codigo, pedidos);
}

void RecusarQuantidadeDiferenteDasPecas(const QString& produto, const QStringList& numeros, double quantidade)
{
    const QStringList pecas = distintos(numeros);
    if (pecas.isEmpty() || std::abs(quantidade - double(pecas.size())) < 1e-9)
        return;
    const QVariant registradas =
        db::selectValue(*dmGlobal->IBTransaction1,
                        "select first 1 1 from AUGC50NS e where e.PRCODIGO = :PRODUTO and e.NSMOVIMENTO = 'E'",
                        {{"PRODUTO", produto.trimmed()}});
    if (!registradas.isValid() || registradas.isNull())
        return;
    dmGlobal->MostraAviso("Aviso: operação abortada.\rA quantidade da linha (" + QString::number(quantidade) +
                              ") difere da quantidade de Nº(s) de Série informados (" +
                              QString::number(pecas.size()) + "): " + pecas.join(", ") + ".",
                          true);
}

QStringList numerosSerieDigitados(const QString& texto)
{
    static const QRegularExpression separadores("[,;]");
    QStringList numeros;
    for (const QString& parte : texto.split(separadores, Qt::SkipEmptyParts))
        if (const QString numero = parte.trimmed().remove('\''); !numero.isEmpty())
            numeros << numero;
    return numeros;
}

QString CondicaoNumeroSerieLivre(const LinhaNumeroSerie& linha)
{
    return QString(" and not exists (select 1 from AUGC50NS fo where fo.PRCODIGO = ns.PRCODIGO"
                   " and fo.NSNUMERO = ns.NSNUMERO" + CondicaoMovimentoAtual("fo") +
                   " and ((fo.ACCODIGO is not null and %1)"
                   " or (fo.ACCODIGO is null and coalesce(fo.OPCODIGO, '') not in ('', '0')"
                   " and coalesce(fo.VECODIGO, '') not in ('', %2)))) ")
        .arg(linhaAbertaDeOutra(*dmGlobal->IBTransaction1, "fo", QString::number(linha.item)),
             QuotedStr(linha.pedido.trimmed()));
}

QString CondicaoMovimentoAtual(const QString& alias)
{
    return QString(" and %1.NSCODIGO = (select max(atual.NSCODIGO) from AUGC50NS atual"
                   " where atual.PRCODIGO = %1.PRCODIGO and atual.NSNUMERO = %1.NSNUMERO)")
        .arg(alias);
}

void RecusarNumerosSerieForaDoPedido(const QString& pedido)
{
    db::Transaction& tr = *dmGlobal->IBTransaction1;
    const QString numero = pedido.trimmed();
    db::Statement atual(tr, "select ns.NSNUMERO, ns.ACCODIGO, ns.VECODIGO, ns.OPCODIGO, case when " +
                                linhaAbertaDeOutra(tr, "ns", "0") +
                                " then 1 else 0 end from AUGC50NS ns where exists (select 1 from AUGC50NS dp"
                                " where dp.OPCODIGO = :PEDIDO and dp.PRCODIGO = ns.PRCODIGO"
                                " and dp.NSNUMERO = ns.NSNUMERO)" + CondicaoMovimentoAtual("ns") +
                                " and coalesce(ns.OPCODIGO, '') <> :PEDIDO and ns.ACCODIGO is distinct from"
                                " (select pv.ACCODIGO from AVEC8501 pv where pv.NUMERO_PEDIDO = :PEDIDO)");
    atual.setParam("PEDIDO", numero);
    atual.execute();
    while (atual.fetch())
        if (const QString fora = foraEm(atual.value(1).toInt(), atual.value(4).toInt() == 1,
                                        atual.value(2).toString().trimmed(), atual.value(3).toString().trimmed(),
                                        numero);
            !fora.isEmpty())
            dmGlobal->MostraAviso("Aviso: operação abortada.\rO Nº de Série \"" + atual.value(0).toString().trimmed() +
                                      "\" já está " + fora + ".",
                                  true);
}

bool RegistrarRetornoNumeroSerie(const QString& produto, const QString& numero, int contrato, int item)
{
    db::Transaction& tr = *dmGlobal->IBTransaction1;
    // Back in the store, where a free piece is picked from.
    db::Statement atual(tr, "select ns.NSSTATUS, ns.ACITCODIGO, coalesce((select max(le.CODIGO) from ACEC1401 le"
                            " where le.LEORIGEM = 'S'), ns.LECODIGO) from AUGC50NS ns"
                            " where ns.PRCODIGO = :PRODUTO and ns.NSNUMERO = :NUMERO and ns.ACCODIGO = :CONTRATO"
                            " and (ns.ACITCODIGO is null or ns.ACITCODIGO = :ITEM or :ITEM = 0)"
                            // Only while the line is there: one another desk deleted takes no return.
                            " and exists (select 1 from AATC05ACIT it where it.ACCODIGO = ns.ACCODIGO"
                            " and it.PRCODIGO = ns.PRCODIGO and (it.ACITCODIGO = :ITEM or :ITEM = 0))" +
                                CondicaoMovimentoAtual("ns"));
    atual.setParam("PRODUTO", produto.trimmed());
    atual.setParam("NUMERO", numero.trimmed());
    atual.setParam("CONTRATO", contrato);
    atual.setParam("ITEM", item);
    atual.execute();
    if (!atual.fetch())
        return false;
    const QString status = atual.value(0).toString();
    const int linha = atual.value(1).isNull() ? item : atual.value(1).toInt();
    const QString local = atual.value(2).toString();
    atual.closeCursor();
    // Quoted: a number holding a quote or a comma is still one number.
    InserirRegistroNumerosSerieProduto(QuotedStr(numero.trimmed()), produto, status, {}, {}, {}, {}, {}, {}, local,
                                       "Entrada de Equipamento", linha, 0, 0, 0, 0);
    return true;
}

}  // namespace host

namespace {

const char* const kLayout = "fmPesquisa_NumerosSerie";

QVariant inteiroOuNulo(const QString& texto)
{
    bool ok = false;
    const int numero = texto.trimmed().toInt(&ok);
    return ok && numero != 0 ? QVariant(numero) : QVariant();
}

QString captionNumerosSerie(const QString& tipo)
{
    if (tipo.trimmed() == "D")
        return "Números de Série Disponíveis";
    if (tipo.trimmed() == "I")
        return "Números de Série (Inclusão)";
    return "Números de Série";
}

struct Documento {
    QString venda, ordemCompra, ordemProducao, composicao;
    int contrato = 0, ordemServico = 0;

    bool temReferencia() const
    {
        return !venda.isEmpty() || !ordemCompra.isEmpty() || !ordemProducao.isEmpty() || !composicao.isEmpty()
            || contrato != 0 || ordemServico != 0;
    }
    // The movement belongs to the document on every reference it names.
    bool contem(host::db::Statement& row) const
    {
        auto igual = [&](const char* coluna, const QString& valor) {
            return valor.isEmpty() || row.value(coluna).toString().trimmed() == valor;
        };
        auto igualNumero = [&](const char* coluna, int valor) {
            return valor == 0 || row.value(coluna).toInt() == valor;
        };
        return temReferencia() && igual("VECODIGO", venda) && igual("OCCODIGO", ordemCompra)
            && igual("OPCODIGO", ordemProducao) && igual("CMCODIGO", composicao)
            && igualNumero("ACCODIGO", contrato) && igualNumero("AOCODIGO", ordemServico);
    }
};

// One row per serial number: its newest movement among those selected.
int carregarNumerosSerie(host::data::MemDataset& lista, const QString& produto, const QString& condicao,
                         const Documento& documento, QList<int>& selecionados)
{
    host::db::Statement query(*dmGlobal->IBTransaction1,
                              "select ns.NSNUMERO, ns.LECODIGO, le.DESCRICAO as LOCAL, ns.NSSTATUS, ns.VECODIGO,"
                              " ns.OCCODIGO, ns.OPCODIGO, ns.CMCODIGO, ns.ACCODIGO, ns.AOCODIGO, ns.NSCODIGO"
                              " from AUGC50NS ns left join ACEC1401 le on le.CODIGO = ns.LECODIGO"
                              " where ns.PRCODIGO = :PRODUTO " + condicao +
                              " order by ns.NSNUMERO, ns.NSCODIGO desc");
    query.setParam("PRODUTO", produto.trimmed());
    query.execute();
    QSet<QString> vistos;
    while (query.fetch()) {
        const QString numero = query.value("NSNUMERO").toString().trimmed();
        if (numero.isEmpty() || vistos.contains(numero))
            continue;
        vistos.insert(numero);
        lista.append();
        lista.fieldByName("NSNUMERO")->setAsString(numero);
        lista.fieldByName("LECODIGO")->setAsString(query.value("LECODIGO").toString());
        lista.fieldByName("LOCAL")->setAsString(query.value("LOCAL").toString());
        lista.fieldByName("NSSTATUS")->setAsString(query.value("NSSTATUS").toString());
        lista.post();
        if (documento.contem(query))
            selecionados << lista.recNo();
    }
    return int(vistos.size());
}

}  // namespace

int SelecionaNumerosSerie(const QString& sTipo, const QString& sProduto, const QString& sCondicao,
                          const QString& sVenda, const QString& sOrdemCompra, const QString& sOrdemProducao,
                          const QString& sComposicao, int iContrato, int iOrdemServico, QString& sNumerosSerie,
                          int, int, int, int, int, int, int, int iUnico)
{
    sNumerosSerie.clear();
    host::data::MemDataset lista(nullptr, "mdNumerosSerie");
    lista.addField("NSNUMERO", host::data::FieldType::String, 50);
    lista.addField("LECODIGO", host::data::FieldType::String, 3);
    lista.addField("LOCAL", host::data::FieldType::String, 50);
    lista.addField("NSSTATUS", host::data::FieldType::String, 1);
    lista.open();
    const Documento documento{sVenda.trimmed(), sOrdemCompra.trimmed(), sOrdemProducao.trimmed(),
                              sComposicao.trimmed(), iContrato, iOrdemServico};
    QList<int> selecionados;
    if (carregarNumerosSerie(lista, sProduto, sCondicao, documento, selecionados) == 0)
        return -1;
    lista.first();

    TfmPesquisa* janela = new TfmPesquisa(nullptr);
    fmPesquisa = janela;
    QStringList escolhidos;
    auto liberar = [&] {
        janela->setDataset(nullptr);
        janela->release();
        if (fmPesquisa.get() == janela)
            fmPesquisa.clear();
    };
    try {
        janela->setSearchKind(98);
        janela->setCaption(captionNumerosSerie(sTipo) + " - " + sProduto.trimmed());
        janela->setDataset(&lista);
        host::ui::DataGrid& grid = *janela->grid();
        grid.setRowSelect(true);
        grid.setMultiSelect(iUnico != 1);
        host::ui::createGridColumn(grid, 180, "Nº Série", "NSNUMERO");
        host::ui::createGridColumn(grid, 50, "Local", "LECODIGO");
        host::ui::createGridColumn(grid, 200, "Descrição do Local", "LOCAL");
        if (iUnico != 1)
            for (int recNo : selecionados)
                grid.selectRow(recNo);
        host::ui::Layouts::restoreWindow(janela, kLayout);
        host::ui::Layouts::restoreGrid(&grid, kLayout);
        const bool ok = janela->showModal() == host::ui::ModalResult::Ok;
        host::ui::Layouts::saveWindow(janela, kLayout);
        host::ui::Layouts::saveGrid(&grid, kLayout);
        if (ok) {
            QList<int> linhas = iUnico == 1 ? QList<int>() : grid.selectedRows();
            if (linhas.isEmpty() && !lista.isEmpty())
                linhas << lista.recNo();
            std::sort(linhas.begin(), linhas.end());
            for (int recNo : linhas) {
                lista.setRecNo(recNo);
                escolhidos << QuotedStr(lista.fieldByName("NSNUMERO")->asString());
            }
        }
    } catch (...) {
        liberar();
        throw;
    }
    liberar();
    sNumerosSerie = escolhidos.join(",");
    return int(escolhidos.size());
}

int InserirRegistroNumerosSerieProduto(const QString& sNumerosSerie, const QString& sProduto, const QString& sStatus,
                                       const QString& sVenda, const QString& sOrdemCompra,
                                       const QString& sOrdemProducao, const QString& sOrdemServico,
                                       const QString& sContrato, const QString& sComposicao, const QString& sLocal,
                                       const QString& sObservacao, int iItemContrato, int iSequencia, int, int, int)
{
    const QStringList numeros = host::numerosSerieDaLista(sNumerosSerie);
    if (numeros.isEmpty())
        return 0;
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    // From the generator: two desks saving at once never take the same key.
    int codigo = ProximaChave(host::schema::kGeneratorSerialMovement, "NSCODIGO", "AUGC50NS", int(numeros.size())) - 1;
    host::db::Statement insert(tr,
                               "insert into AUGC50NS (NSCODIGO, NSNUMERO, PRCODIGO, NSSTATUS, VECODIGO, OCCODIGO,"
                               " OPCODIGO, AOCODIGO, ACCODIGO, CMCODIGO, LECODIGO, NSOBSERVACAO, ACITCODIGO,"
                               " NSSEQUENCIA) values (:NSCODIGO, :NSNUMERO, :PRCODIGO, :NSSTATUS, :VECODIGO,"
                               " :OCCODIGO, :OPCODIGO, :AOCODIGO, :ACCODIGO, :CMCODIGO, :LECODIGO, :NSOBSERVACAO,"
                               " :ACITCODIGO, :NSSEQUENCIA)");
    insert.setParam("PRCODIGO", aparadoOuNulo(sProduto));
    insert.setParam("NSSTATUS", aparadoOuNulo(sStatus));
    insert.setParam("VECODIGO", aparadoOuNulo(sVenda));
    insert.setParam("OCCODIGO", inteiroOuNulo(sOrdemCompra));
    insert.setParam("OPCODIGO", aparadoOuNulo(sOrdemProducao));
    insert.setParam("AOCODIGO", inteiroOuNulo(sOrdemServico));
    insert.setParam("ACCODIGO", inteiroOuNulo(sContrato));
    insert.setParam("CMCODIGO", aparadoOuNulo(sComposicao));
    insert.setParam("LECODIGO", aparadoOuNulo(sLocal));
    insert.setParam("NSOBSERVACAO", aparadoOuNulo(sObservacao.left(100)));
    insert.setParam("ACITCODIGO", iItemContrato != 0 ? QVariant(iItemContrato) : QVariant());
    insert.setParam("NSSEQUENCIA", iSequencia != 0 ? QVariant(iSequencia) : QVariant());
    for (const QString& numero : numeros) {
        insert.setParam("NSCODIGO", ++codigo);
        insert.setParam("NSNUMERO", numero);
        insert.execute();
    }
    return int(numeros.size());
}

int ExcluirRegistroNumerosSerieProduto(const QString& sCondicao)
{
    static const QRegularExpression where(R"(^\s*where\s+\S)", QRegularExpression::CaseInsensitiveOption);
    if (!where.match(sCondicao).hasMatch())
        return 0;
    return host::db::executeSql(*dmGlobal->IBTransaction1, "delete from AUGC50NS " + sCondicao);
}
