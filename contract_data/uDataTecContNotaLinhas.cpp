// The lines of an instalment's sales order: by the contract's separation
// letter, the excess lines of metered items, the lines of the auxiliary
// object and of complementary contracts, and the franchise lines.

#include "contract_data/uDataTecContNota.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/db/Database.h"

#include <memory>
#include <vector>

namespace uDataTecContNota {

namespace {

const QString kCR = "\r";

// Rows of a statement read whole before any line is written (the lines'
// own statements run on the same transaction meanwhile).
std::vector<std::vector<QVariant>> linhas(const QString& sql)
{
    host::db::Statement st(*dmGlobal->IBTransaction1, sql);
    st.execute();
    std::vector<std::vector<QVariant>> rows;
    while (st.fetch()) {
        std::vector<QVariant> row;
        for (int i = 0; i < st.columnCount(); ++i)
            row.push_back(st.value(i));
        rows.push_back(std::move(row));
    }
    return rows;
}

struct Item {
    QString produto, observacao;
    double valor = 0, quantidade = 0, unitario = 0, desconto = 0, excedente = 0;
    int codigo = 0;
    QString grupo;
};

std::vector<Item> itens(const QString& contrato, bool bPorGrupo)
{
    std::vector<Item> out;
    for (const auto& r :
         linhas("Select PRCODIGO, ACITVALOR, ACITQUANTIDADE, ACITVALORUNITARIO, ACITDESCONTO, ACITOBSERVACAO,"
                " ACITCODIGO, COCODIGO, coalesce(acitvalorexcedente, 0) from AATC05ACIT  Where acCodigo = " +
                contrato + (bPorGrupo ? " order by COCODIGO " : " order by ACITCODIGO"))) {
        Item it;
        it.produto = r[0].toString().trimmed();
        it.valor = r[1].toDouble();
        it.quantidade = r[2].toDouble();
        it.unitario = r[3].toDouble();
        it.desconto = r[4].toDouble();
        it.observacao = r[5].toString();
        it.codigo = r[6].toInt();
        it.grupo = r[7].toString().trimmed();
        it.excedente = r[8].toDouble();
        out.push_back(it);
    }
    return out;
}

}  // namespace

void GeradorPedido::LinhasPorSeparacao()
{
    if (separacao_ == "S")
        LinhasClientes();
    else if (separacao_ == "I" || separacao_ == "P")
        LinhasItens(separacao_ == "P");
    else if (separacao_ == "D")
        LinhaRateio();
    else if (separacao_ == "C")
        LinhasComposicao();
    else
        LinhaPadrao();
}

void GeradorPedido::LinhasApenasPedido()
{
    if (separacao_ == "S")
        LinhasClientes();
    else if (separacao_ == "I" || separacao_ == "P")
        LinhasItens(separacao_ == "P");
    else if (separacao_ == "C")
        LinhasComposicao();
    else if (separacao_ == "E")
        LinhasEquipamento();
    else
        LinhaPadrao();
}

// One line per contractual customer, at its share of the items' value.
void GeradorPedido::LinhasClientes()
{
    for (const auto& r : linhas("Select cl.clCodigo, (select sum(it.ACITValor) from aatc05AcIt it where"
                                " it.acCodigo = cl.acCodigo and it.clCodigo = cl.clCodigo),"
                                " (select c.nome_fantasia from augc0301 c where c.codigo_cliente = cl.clCodigo)"
                                " from AATC05ACCL cl Where cl.acCodigo = " +
                                contrato_)) {
        const QString cliente = r[0].toString().trimmed();
        const double soma = r[1].toDouble();
        const int linha = Linha(produtoContrato_, 1, 0, Percentual(parcela_.objeto, soma), {});
        dm_.GravaObservacaoObjetoVendaItem(pedido_, linha, TextoObjeto() + r[2].toString() + kCR);
        Complementar(soma, cliente);
    }
}

// One line per item: "I" its value at the object's percentage, "P" its own
// quantity, discount and unit value. Metered contracts bill each item's
// excess in place of the complementary lines.
void GeradorPedido::LinhasItens(bool bPorPreco)
{
    for (const Item& it : itens(contrato_, false)) {
        const int linha = bPorPreco ? Linha(it.produto, it.quantidade, it.desconto, it.unitario, it.observacao)
                                    : Linha(it.produto, 1, 0, Percentual(parcela_.objeto, it.valor), it.observacao);
        dm_.GravaObservacaoObjetoVendaItem(pedido_, linha, TextoObjeto() + kCR);
        if (modo_ == "C" && !apenasPedido_)
            LinhaExcedenteItem(it.codigo, it.excedente);
        else
            Complementar(it.valor, {});
    }
}

void GeradorPedido::LinhaExcedenteItem(int item, double precoExcedente)
{
    double consumo = 0;
    const double quantidade =
        dm_.CalculaValorExcedente(parcela_.contrato, dataMedicao_, tipoFranquia_, consumo, item);
    if (tipoFranquia_ == "U" || tipoFranquia_ == "G")
        return;   // the franchise lines bill it
    Linha(produtoContrato_, quantidade, 0, Percentual(parcela_.objeto, precoExcedente), {});
}

// One line for the whole instalment, its value spread over the items' units.
void GeradorPedido::LinhaRateio()
{
    const double quantidade = CarregaNumero("Sum(ACITQUANTIDADE)", "AATC05ACIT", "Where acCodigo = " + contrato_);
    const double total = Percentual(parcela_.objeto, valor_);
    // Without units to spread over, the instalment is one unit.
    const int linha = quantidade > 0 ? LinhaCfop(operacao_, produtoContrato_, quantidade, 0,
                                                 Trunc2Casas(total / quantidade), {})
                                     : LinhaCfop(operacao_, produtoContrato_, 1, 0, total, {});
    const QString clientes = CarregaVariosDados(
        "(select cl.nome from augc0301 cl where it.clCOdigo = cl.codigo_cliente)", "AATC05ACCL it ",
        "where  Coalesce(it.ACCLATIVO, '') <> 'N' AND  it.acCodigo = " + contrato_, "; ");
    dm_.GravaObservacaoObjetoVendaItem(pedido_, linha, TextoObjeto() + "; CLIENTES: " + clientes);
    Complementar(modo_ == "C" ? ExcedenteContrato() : valor_, {});
}

// One line per composition with its usage in the billing month; the full
// routine leaves out compositions with no usage or no value.
void GeradorPedido::LinhasComposicao()
{
    for (const auto& r : linhas("Select CMCODIGO, ACCMVALOR, ACITCODIGO, CMSEQUENCIA, ACEVCODIGO From AATC05ACCM"
                                " ACCM Where acCodigo = " +
                                contrato_ + " order by ACITCODIGO, CMSEQUENCIA")) {
        const double valor = r[1].toDouble();
        const double consumo = dm_.CalculaConsumoExcedenteComposto(parcela_.contrato, dataMedicao_, {},
                                                                   r[4].toString(), r[2].toInt(), r[3].toInt());
        if (!apenasPedido_ && (consumo <= 0 || valor == 0))
            continue;
        const int linha = Linha(r[0].toString().trimmed(), consumo, 0, Trunc2Casas(valor), {});
        dm_.GravaObservacaoObjetoVendaItem(pedido_, linha, TextoObjeto() + kCR);
        Complementar(valor, {});
    }
}

// The active rental and equipment lines (order only).
void GeradorPedido::LinhasEquipamento()
{
    for (const auto& r : linhas("Select ev.acevvalor Valor, ev.acevqtde QTD, ev.acevvalorunit UNIT, ev.acevobservacao"
                                " OBS from AATC05ACEV ev Where ev.acevsituacao <> 'I' and acCodigo = " +
                                contrato_)) {
        const int linha = Linha("999999", r[1].toDouble(), 0, r[2].toDouble(), r[3].toString());
        dm_.GravaObservacaoObjetoVendaItem(pedido_, linha, TextoObjeto() + kCR);
        Complementar(r[0].toDouble(), {});
    }
}

void GeradorPedido::LinhaPadrao()
{
    const int linha = LinhaCfop(operacao_, produtoContrato_, 1, 0, Percentual(parcela_.objeto, valor_), {});
    dm_.GravaObservacaoObjetoVendaItem(pedido_, linha, TextoObjeto());
    Complementar(modo_ == "C" && !apenasPedido_ ? ExcedenteContrato() : valor_, {});
}

double GeradorPedido::ExcedenteContrato()
{
    double consumo = 0;
    return dm_.CalculaValorExcedente(parcela_.contrato, dataMedicao_, tipoFranquia_, consumo, 0);
}

// ---- complementary lines ----

void GeradorPedido::Complementar(double valor, const QString& cliente)
{
    if (!apenasPedido_ && (tipoFranquia_ == "U" || tipoFranquia_ == "G"))
        return;
    if (modo_ == "F")
        ComplementaresF(cliente);
    else if (modo_ == "V" && apenasPedido_)
        ComplementaresV();
    else if (objetoAuxiliar_ > 0)
        LinhaAuxiliar(valor, cliente);
}

// The complementary contracts' instalments, billed once per order: the step
// runs for every customer, item or composition line, and each further run
// would bill the same contracts again.
void GeradorPedido::ComplementaresF(const QString& cliente)
{
    if (complementaresFeitos_)
        return;
    complementaresFeitos_ = true;
    const QString nome = cliente.trimmed().isEmpty() ? QString() : NomeFantasia(cliente);
    for (const auto& r : linhas(" select vi.ACCODIGOCOMPLEMENTO, coalesce(c.AJCODIGO, 0), coalesce(c.ACVALORPARCELA, 0)"
                                " from Aatc05AcVi vi left outer join AATC05AC c on (c.ACCODIGO = vi.ACCODIGOCOMPLEMENTO)"
                                " Where vi.ACCODIGOPRINCIPAL=" +
                                contrato_)) {
        const int complemento = r[0].toInt();
        const int objetoComplemento = r[1].toInt();
        if (objetoComplemento <= 0)
            continue;
        const int linha = LinhaCfop(objeto(objetoComplemento).operacao, produtoContrato_, 1, 0,
                                    Percentual(objetoComplemento, r[2].toDouble()), {});
        const QString texto =
            complemento > 0
                ? dm_.RetornarTextoContratoObjeto(objetoComplemento, complemento, parcela_.sequencia, dataTexto_, {})
                : dm_.RetornarTextoContratoObjeto(objetoComplemento, parcela_.contrato, parcela_.sequencia,
                                                  dataTexto_, objeto(objetoComplemento).texto);
        dm_.GravaObservacaoObjetoVendaItem(pedido_, linha, texto + nome);
    }
}

// Order only, mode "V": the complementary contracts' items, each as it stands.
void GeradorPedido::ComplementaresV()
{
    for (const auto& r : linhas("Select it.PRCODIGO, it.ACITVALOR, it.ACITQUANTIDADE, it.ACITVALORUNITARIO,"
                                " it.ACITDESCONTO, it.ACITOBSERVACAO from Aatc05AcVi vi join AATC05ACIT it on"
                                " (it.acCodigo = vi.ACCODIGOCOMPLEMENTO) Where vi.ACCODIGOPRINCIPAL=" +
                                contrato_ + " order by vi.ACCODIGOCOMPLEMENTO, it.ACITCODIGO")) {
        const int linha = Linha(r[0].toString().trimmed(), r[2].toDouble(), r[4].toDouble(), r[3].toDouble(),
                                r[5].toString(), parcela_.contrato);
        dm_.GravaObservacaoObjetoVendaItem(pedido_, linha, TextoObjeto() + kCR);
    }
}

// The auxiliary object's line: in mode "C" the excess units at the items'
// excess price, otherwise the object's share of the value.
void GeradorPedido::LinhaAuxiliar(double valor, const QString& cliente)
{
    const int auxiliar = objetoAuxiliar_;
    int linha = 0;
    if (modo_ == "C" && !apenasPedido_) {
        const double preco = CarregaNumero("(acitvalorexcedente)", "AATC05ACIT it ",
                                           "Where it.acCodigo=" + QuotedStr(contrato_));
        linha =
            LinhaCfop(objeto(auxiliar).operacao, produtoContrato_, valor, 0, Percentual(auxiliar, preco), {});
    } else {
        linha = LinhaCfop(objeto(auxiliar).operacao, produtoContrato_, 1, 0, Percentual(auxiliar, valor), {});
    }
    QString texto = dm_.RetornarTextoContratoObjeto(auxiliar, parcela_.contrato, parcela_.sequencia, dataTexto_,
                                                    objeto(auxiliar).texto);
    if (!cliente.trimmed().isEmpty())
        texto += NomeFantasia(cliente);
    dm_.GravaObservacaoObjetoVendaItem(pedido_, linha, texto);
}

// ---- franchise lines (mode "C") ----

void GeradorPedido::LinhasFranquia()
{
    if (tipoFranquia_ == "U") {
        double soma = 0;
        for (const Item& it : itens(contrato_, false)) {
            double consumo = 0;
            dm_.CalculaValorExcedente(parcela_.contrato, dataMedicao_, "*", consumo, it.codigo);
            soma += consumo;
        }
        LinhaFranquia(soma, franquia_, precoExcedenteFranquia_, {});
    } else if (tipoFranquia_ == "G") {
        const std::vector<Item> lista = itens(contrato_, true);
        for (size_t i = 0; i < lista.size();) {
            const QString grupo = lista[i].grupo;
            double soma = 0;
            for (; i < lista.size() && lista[i].grupo == grupo; ++i) {
                double consumo = 0;
                dm_.CalculaValorExcedente(parcela_.contrato, dataMedicao_, "*", consumo, lista[i].codigo);
                soma += consumo;
            }
            const QString condicao = " Where fg.acCodigo=" + QuotedStr(contrato_) + " and fg.cocodigo=" +
                                     (grupo.isEmpty() ? QString("null") : QuotedStr(grupo));
            const double franquia = CarregaNumero("coalesce(FGFRANQUIA,0)", "aatc05fg fg ", condicao);
            const double preco = CarregaNumero("(FGVALORDOEXC)", "aatc05fg fg ", condicao);
            LinhaFranquia(soma, franquia, preco, grupo);
        }
    }
}

void GeradorPedido::LinhaFranquia(double consumo, double franquia, double preco, const QString& grupo)
{
    const double excedente = consumo > franquia ? consumo - franquia : 0;
    if (bDetectarErroSQL)
        dmGlobal->MostraAviso((grupo.isEmpty() ? QString() : " Cód Grupo " + grupo + kCR) + " Valor Franquia " +
                                  QString::number(franquia) + kCR + " Contador " + QString::number(consumo) + kCR +
                                  " Excedente " + QString::number(excedente),
                              false);
    const int linha = LinhaCfop(objeto(objetoAuxiliar_).operacao, produtoContrato_, excedente, 0,
                                Percentual(objetoAuxiliar_, preco), {});
    dm_.GravaObservacaoObjetoVendaItem(
        pedido_, linha,
        dm_.RetornarTextoContratoObjeto(objetoAuxiliar_, parcela_.contrato, parcela_.sequencia, dataTexto_, {}));
}

}  // namespace uDataTecContNota
