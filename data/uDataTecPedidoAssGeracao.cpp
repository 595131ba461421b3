// What an assistance order turns into: a proposal copied into a new order
// inside the database, and an order made into an equipment-rental contract
// with its items and their configuration texts.

#include "data/uDataTec.h"
#include "data/uDataTecPedidoAss.h"

#include "host/PecaLocada.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/db/RowHold.h"
#include "host/schema/SchemaDefinition.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <memory>

namespace {

// One insert-select of the proposal's rows of a table under the new number;
// the key column is set by the statement itself.
void copiarLinhasPedidoAss(const QString& tabela, const QString& chave, const QString& proposta,
                           const QString& novo)
{
    const QString colunas = RetornarCampos(tabela, ",", chave, 0);
    host::data::Query& auxiliar = *dmGlobal->quAuxiliar;
    auxiliar.close();
    auxiliar.setSql("Insert Into " + tabela + " (" + colunas + " , " + chave + ") " + "select " + colunas + " , " +
                    QuotedStr(novo) + " from " + tabela + " " + "Where " + chave + " =" + QuotedStr(proposta));
    auxiliar.execSql();
    dmGlobal->IBTransaction1->commitRetaining();
}

// A date of the order as the contract stores it: an empty one stays empty (null).
QVariant dataContratoPedidoAss(const host::data::Field& campo)
{
    const QDateTime data = campo.asDateTime();
    return data.isValid() ? QVariant(data) : QVariant();
}

// An integer column of the order; null when empty.
QVariant inteiroContratoPedidoAss(const host::data::Field& campo)
{
    return campo.isNull() ? QVariant() : QVariant(campo.asInteger());
}

// The configuration texts of the order's configured lines, by line number
// (they are stored under the line's negated COD).
std::map<int, QString> textosConfiguracaoPedidoAss(const QString& numero)
{
    auto textos = dmGlobal->IBTransaction1->prepared(
        "select OBSEQUENCIA, OBTEXTO from AUGC70OB where OBID = 'V' and OBCODIGO = :NUMERO and OBSEQUENCIA < 0");
    textos->setParam("NUMERO", numero);
    textos->execute();
    std::map<int, QString> porLinha;
    while (textos->fetch())
        porLinha[-textos->value(0).toInt()] = textos->value(1).toString();
    return porLinha;
}

// How many items of each product the contract holds out (their serial
// numbers may have been filled in on the contract since). A line that came
// back holds nothing: what goes out again takes a line of its own, or its
// pieces would read as free.
std::map<QString, int> itensDoContratoPedidoAss(int contrato)
{
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    auto itens = tr.prepared("select it.PRCODIGO from AATC05ACIT it where it.ACCODIGO = :CONTRATO" +
                             host::condicaoLinhaFora(tr, "it").naoVoltou);
    itens->setParam("CONTRATO", contrato);
    itens->execute();
    std::map<QString, int> contagem;
    while (itens->fetch())
        ++contagem[itens->value(0).toString().trimmed()];
    return contagem;
}

// What the contract bills of the order: its total less the configured lines
// moved to a back-order, which that order bills when it delivers them. In
// cents, as the totals are kept.
double valorContratoPedidoAss(TdmTec& tec, const QString& numero)
{
    const double pendente = host::db::selectValue(*dmGlobal->IBTransaction1,
                                                  "select coalesce(sum(lx.TOTAL_UNIT), 0) from AVEC85LX lx"
                                                  " where lx.NUMERO_PEDIDO = :NUMERO"
                                                  " and coalesce(lx.VECODIGOPENDENCIA, '') <> ''",
                                                  {{"NUMERO", numero}})
                                .toDouble();
    const long long centavos =
        std::llround(tec.campoPedido("VALOR_TOTAL").asFloat() * 100) - std::llround(pendente * 100);
    return double(std::max(centavos, 0LL)) / 100;
}

// The current configured line written as an item of the contract; its key.
int inserirItemContratoPedidoAss(TdmTec& tec, int codigo)
{
    auto item = dmGlobal->IBTransaction1->prepared(
        "INSERT INTO AATC05ACIT (acitcodigo, accodigo, clcodigo, prcodigo, acitquantidade, acitvalorunitario,"
        " acitvalor, acitobservacao, acitnumeroserie, acitcomplemento) VALUES(:ITEM, :CONTRATO, :CLIENTE,"
        " :PRODUTO, :QUANTIDADE, :UNITARIO, :VALOR, :OBS, :SERIE, :COMPLEMENTO)");
    auto campo = [&tec](const char* nome) -> host::data::Field& { return tec.campoCotado(nome); };
    // The item's own key also keys its text: the generator's current value
    // may already be another desk's.
    const int chave = ProximaChave(host::schema::kGeneratorContractItem, "ACITCODIGO", "AATC05ACIT");
    item->setParam("ITEM", chave);
    item->setParam("CONTRATO", codigo);
    item->setParam("CLIENTE", tec.campoPedido("CODIGO_CLIENTE").asString());
    item->setParam("PRODUTO", campo("CODIGO").asString());
    item->setParam("QUANTIDADE", campo("QUANTIDADE").asFloat());
    item->setParam("UNITARIO", campo("VALOR").asFloat());
    item->setParam("VALOR", campo("TOTAL_UNIT").asFloat());
    item->setParam("OBS", campo("OBS").asString());
    item->setParam("SERIE", campo("VEITNUMEROSERIE").asString());
    item->setParam("COMPLEMENTO", campo("VEITCOMPLEMENTO").asString());
    item->execute();
    return chave;
}

// The order's configured lines made contract items with their configuration
// texts; lines moved to a back-order stay out, and so does one line for each
// item the contract already holds of the same product. How many were added.
int inserirItensContratoPedidoAss(TdmTec& tec, int codigo, const QString& numero, std::map<QString, int> presentes)
{
    tec.CarregaPedidoAssVendaCotado(numero, {});
    const std::map<int, QString> textos = textosConfiguracaoPedidoAss(numero);
    auto texto = dmGlobal->IBTransaction1->prepared(
        "INSERT INTO AUGC70OB (obid, obcodigo, obsequencia, obtexto) VALUES('Y', :CONTRATO, :ITEM, :TEXTO)");
    host::data::Query& cotado = *tec.quAssVendaCotado;
    int inseridos = 0;
    for (cotado.first(); cotado.active() && !cotado.eof(); cotado.next()) {
        if (!tec.campoCotado("VECODIGOPENDENCIA").asString().trimmed().isEmpty())
            continue;   // moved to a back-order
        int& jaNoContrato = presentes[tec.campoCotado("CODIGO").asString().trimmed()];
        if (jaNoContrato > 0) {
            --jaNoContrato;
            continue;
        }
        const int chave = inserirItemContratoPedidoAss(tec, codigo);
        ++inseridos;
        const auto configuracao = textos.find(tec.campoCotado("COD").asInteger());
        if (configuracao == textos.end())
            continue;
        texto->setParam("CONTRATO", QString::number(codigo));
        texto->setParam("ITEM", chave);
        texto->setParam("TEXTO", configuracao->second);
        texto->execute();
    }
    return inseridos;
}

// The steps written, or on a failure everything since the savepoint undone
// (no half contract is left behind, and a retry makes exactly one).
void gravarOuDesfazerContratoPedidoAss(host::db::Savepoint& guarda, const std::function<void()>& passos)
{
    try {
        passos();
    } catch (const host::db::DbError& erro) {
        guarda.rollback();
        dmGlobal->MostraErro("Erro ao Inserir Item no Contrato!\r" +
                             dmGlobal->TextoErroBanco(erro, "[inserirItensOuDesfazerPedidoAss]"));
    }
    guarda.release();
    dmGlobal->IBTransaction1->commitRetaining();
}

// An order reopened and finalised again: the lines added meanwhile join the
// contract it already has (one order, one contract), and the contract's
// value becomes the order's total again, as when it was made, so that its
// forecasts charge the new equipment. The contract's row is taken first: a
// second desk finalising the same order meanwhile is refused until this one
// commits, and then finds the items already there instead of adding them
// again.
void completarContratoPedidoAss(TdmTec& tec, int codigo, const QString& numero)
{
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    host::db::Savepoint guarda(tr);
    gravarOuDesfazerContratoPedidoAss(guarda, [&] {
        const QVariantMap chave{{"CONTRATO", codigo}};
        const host::db::RowsHeld contrato = host::db::holdRows(tr, u"AATC05AC", {{"ACCODIGO", codigo}});
        if (contrato.elsewhere())
            throw host::db::DbError("O contrato " + QString::number(codigo) +
                                    " está sendo alterado em outra estação neste momento. Tente novamente.");
        if (!contrato.one())
            throw host::db::DbError("Contrato " + QString::number(codigo) + " não encontrado.");
        if (inserirItensContratoPedidoAss(tec, codigo, numero, itensDoContratoPedidoAss(codigo)) == 0)
            return;
        QVariantMap valor = chave;
        valor["VALOR"] = valorContratoPedidoAss(tec, numero);
        host::db::executeSql(tr, "update AATC05AC set ACVALOR = :VALOR, ACVALORPARCELA = :VALOR"
                                 " where ACCODIGO = :CONTRATO", valor);
    });
}

}  // namespace

namespace pedidoass {

PedidoTomado tomarPedido(const QString& numero)
{
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    const host::db::RowsHeld linha = host::db::holdRows(tr, u"AVEC8501", {{"NUMERO_PEDIDO", numero}});
    if (linha.elsewhere())
        dmGlobal->MostraAviso(kAbortada + "O pedido \"" + numero.trimmed() +
                                  "\" está sendo finalizado em outra estação neste momento; nada foi gerado.",
                              true);
    if (!linha.one())
        dmGlobal->MostraAviso(kAbortada + "O pedido \"" + numero.trimmed() + "\" não existe mais.", true);
    const std::shared_ptr<host::db::Statement> lido =
        tr.prepared("select IMPRESSO_NF, VEPROPOSTA from AVEC8501 where NUMERO_PEDIDO = :NUMERO");
    lido->setParam("NUMERO", numero);
    lido->execute();
    PedidoTomado tomado;
    if (lido->fetch()) {
        tomado.status = lido->value(0).toString().trimmed();
        tomado.pedidoGerado = lido->value(1).toString().trimmed();
        lido->closeCursor();
    }
    return tomado;
}

}  // namespace pedidoass

QString TdmTec::GerarPedidoAssistencia(const QString& numero)
{
    QString novo;
    struct Passo {
        const char* tabela;
        const char* chave;
        const char* falha;
    };
    static const Passo passos[] = {
        {"AVEC8501", "NUMERO_PEDIDO", "Não foi possível gerar novo pedido.\rCauso do erro:"},
        {"AVEC85IT", "NUMERO_PEDIDO", "Não foi possível gerar itens para o novo pedido.\rCauso do erro:"},
        {"AVEC85LX", "NUMERO_PEDIDO", "Não foi possível gerar itens cotados para o novo pedido.\rCauso do erro:"},
        {"AUGC70OB", "OBCODIGO", "Não foi possível gerar observações para o novo pedido.\rCauso do erro:"},
    };
    // The host's counter is one sequence for every branch: the user's branch
    // numbers the order, whichever branch the proposal belongs to.
    const QString numeroNovo = dmGlobal->ProximoNumeroVendas(parametro("ATLOCALPADRAO"), {}, {});
    for (const Passo& passo : passos) {
        try {
            copiarLinhasPedidoAss(QString::fromLatin1(passo.tabela), QString::fromLatin1(passo.chave), numero,
                                  numeroNovo);
        } catch (const host::db::DbError& erro) {
            // What the earlier steps copied stays committed.
            dmGlobal->MostraAviso(
                QString::fromUtf8(passo.falha) + dmGlobal->TextoErroBanco(erro, "[GerarPedidoAssistencia]"), true);
            return novo;
        }
        novo = numeroNovo;
    }
    return novo;
}

int TdmTec::ContratoGeradoPedidoAss()
{
    const int codigo = campoPedido("ACCODIGO").asInteger();
    if (codigo > 0 && ContadorDados("ACCODIGO", "AATC05AC", QString::number(codigo), {}, true) > 0)
        return codigo;
    return 0;
}

QString TdmTec::ContratoPedidoAss::aviso() const
{
    return "Contrato código \"" + QString::number(codigo) +
           (novo ? QStringLiteral("\" gerado com sucesso!") : QStringLiteral("\" já gerado para o Pedido!"));
}

TdmTec::ContratoPedidoAss TdmTec::ContratarPedidoAssistencia(const QString& numero)
{
    // The contract and the order naming it are one unit under the order's
    // row: a second desk gets no contract of its own for the same order.
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    host::db::CommitHold comites(tr);
    host::db::Savepoint unidade(tr);
    // Released from the status the user saw: another desk may have reopened
    // or changed the order since, and its change is not released over.
    const QString visto = campoPedido("IMPRESSO_NF").asString().trimmed();
    if (const QString status = pedidoass::tomarPedido(numero).status; status != visto) {
        CarregaPedidoAssVenda(numero, {});
        dmGlobal->MostraAviso(pedidoass::kAbortada + "O pedido \"" + numero.trimmed() +
                                  "\" foi alterado em outra estação " +
                                  pedidoass::textoStatus(campoPedido("AUX2").asString(), status) +
                                  "; nenhum contrato foi gerado.",
                              true);
    }
    const int codigo = GerarContratoPedidoAssistencia(numero);
    // The order was reloaded: it names the code only when it was kept.
    const bool novo = campoPedido("ACCODIGO").asInteger() != codigo;
    host::data::Query& pedido = *quAssVenda;
    if (!pedido.editing())
        pedido.edit();
    campoPedido("IMPRESSO_NF").setAsString("L");
    campoPedido("ACCODIGO").setAsInteger(codigo);
    pedido.post();
    unidade.release();
    comites.release();
    return {codigo, novo};
}

int TdmTec::GerarContratoPedidoAssistencia(const QString& numero)
{
    CarregaPedidoAssVenda(numero, {});
    // Reopening an order does not undo its contract: one order, one contract.
    if (const int existente = ContratoGeradoPedidoAss()) {
        completarContratoPedidoAss(*this, existente, numero);
        return existente;
    }
    auto endereco = [&numero](int sequencia) {
        return CarregaDado("substring(OBTEXTO from 1 for 9999)", "AUGC70OB",
                           " where OBID = 'V'  and OBCODIGO = " + QuotedStr(numero) +
                               " and OBSEQUENCIA = " + QString::number(sequencia));
    };
    const QString cobranca = endereco(101);
    const QString entrega = endereco(100);

    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    // Header, items and texts stand or fall together; the undo leaves the
    // transaction's other pending work alone.
    host::db::Savepoint guarda(tr);
    const int codigo = ProximaChave(host::schema::kGeneratorContract, "ACCODIGO", "AATC05AC");
    const host::data::Field& cliente = campoPedido("CODIGO_CLIENTE");
    const double valorContrato = valorContratoPedidoAss(*this, numero);
    InsertTable("AATC05AC",
                {"accodigo", "aclocal", "accontratante", "clcodigo", "acdatabase", "acdataimplantacao",
                 "acdatavalidade", "acdataentrega", "acdatapagamento", "acdatara", "actipodesc", "acdescricao",
                 "acpedidocliente", "accontato", "acrequisitante", "acresponsavel", "acaprovador", "acvalor",
                 "acvalorparcela", "acproposta", "acpedido", "acsituacao", "bccodigo", "acperiododesc",
                 "accontentrega", "acendentrega", "accontcobranca", "acendcobranca", "acrenovacao", "acvinculo"},
                {codigo, campoPedido("VELOCAL").asString(), cliente.asString(), cliente.asString(),
                 dataContratoPedidoAss(campoPedido("VEDATANEGOCIACAO")),
                 dataContratoPedidoAss(campoPedido("VEINICIOVIGENCIA")),
                 dataContratoPedidoAss(campoPedido("VETERMINOVIGENCIA")),
                 dataContratoPedidoAss(campoPedido("VEDATAPRODUCAO")),
                 dataContratoPedidoAss(campoPedido("VEDATAPAGAMENTO")), dataContratoPedidoAss(campoPedido("VEDATARA")),
                 campoPedido("VETIPOCONTRATO").asString(), campoPedido("VEPROJETO").asString(),
                 campoPedido("VEPEDIDOCLIENTE").asString(), inteiroContratoPedidoAss(campoPedido("ANCODIGOCONTATO")),
                 inteiroContratoPedidoAss(campoPedido("ANCODIGOREQUISITANTE")),
                 campoPedido("CODIGO_VENDEDOR").asString(),
                 inteiroContratoPedidoAss(campoPedido("ANCODIGOAPROVADOR")), valorContrato,
                 valorContrato, campoPedido("VEPROPOSTA").asString(), numero, QStringLiteral("2"),
                 campoPedido("BCCODIGO").asString(), campoPedido("VEPERIODOLOCACAO").asString(),
                 inteiroContratoPedidoAss(campoPedido("ANCODIGOENTREGA")), entrega,
                 inteiroContratoPedidoAss(campoPedido("ANCODIGOCOBRANCA")), cobranca, QStringLiteral("N"),
                 // A contract of its own, not a complement of another: the
                 // rental billing lists principal contracts only.
                 QStringLiteral("P")},
                dmGlobal->quAuxiliar, true);

    gravarOuDesfazerContratoPedidoAss(guarda, [&] { inserirItensContratoPedidoAss(*this, codigo, numero, {}); });
    return codigo;
}
