// The status e-mail of a service order: the customer (and the customer's
// contacts) are told the situation of the order and of the items not yet
// reported; reported items are marked so that they are not told twice.
// Also the customer's contact picker handed to the host's e-mail search.

#include "data/uDataTec.h"

#include "host/PilvOut70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Upesq.h"

#include "host/ui/Cursors.h"

#include <QDir>
#include <QList>

namespace {

const QString CR = QStringLiteral("\r");
const QString kSeparador = QString(70, '-');

const char* const kItensNaoInformados =
    "Sit.ASEMAIL = 'S' AND (IT.AOITEMAILENVIADO <>'S' OR IT.AOITEMAILENVIADO  IS NULL)";

// An item without a situation of its own is where its order is: a new item
// gets none unless an item situation is registered, and the order's
// situation asking for the e-mail then tells of it.
const char* const kItensComSituacao =
    "AATC01AOIT IT Left Outer Join AATC01AO OS On (it.aoCodigo = OS.aoCodigo) "
    "Inner Join AATC01AS Sit On (Sit.asCodigo = coalesce(it.asCodigo, OS.asCodigo))";

QString empresa(const char* coluna)
{
    return dmGlobal->quEmpresa->fieldByName(QString::fromLatin1(coluna))->asString();
}

// The customer's own address, unless the customer declines messages.
QString enderecoDoCliente(const QString& cliente)
{
    const QString chave = "where Codigo_Cliente = " + QuotedStr(cliente);
    return CarregaDado("CLENVIOMENSAGEM", "augc0301", chave) != "N" ? CarregaDado("EMAIL", "augc0301", chave)
                                                                    : QString();
}

// The addresses of the customer's general contacts follow the list.
QString comContatos(QString lista, const QString& cliente)
{
    const QString chave = QuotedStr(cliente);
    const QString contatos = "WHERE ANTIPO = 'G' AND ANVINCULOCATEGORIA = 'C' AND ANVINCULOCODIGO = " + chave;
    if (CarregaNumeroInteiro("count(*)", "augc3701", contatos) > 0) {
        QString emails = CarregaVariosDados("ANEMAIL", "augc3701", contatos, ";");
        if (emails.endsWith(';'))
            emails.chop(1);
        lista = lista.trimmed().isEmpty() ? emails : lista + ";" + emails;
    }
    return lista;
}

QString blocoDoItem(const host::data::Query& itens)
{
    auto campo = [&](const char* nome) { return itens.fieldByName(QString::fromLatin1(nome))->asString(); };
    return CR + "Item: " + campo("AOITEQUIPDESCRICAO") + CR + "Nº Série: " + campo("AOITSERIE") + CR +
           "Modelo: " + campo("AOITMODELO") + CR + "Defeito Informado: " + campo("AOITDEFEITO") + CR +
           "Defeito Constatado: " + campo("AOITDEFEITOCONSTATADO") + CR + "Laudo : " + campo("AOITLAUDO") + CR +
           "Causa : " + campo("AOITCAUSA") + CR + "Solução : " + campo("AOITSOLUCAO") + CR +
           "Situação: " + campo("ASDESCRICAO") + CR + kSeparador;
}

// The order and customer part, from the last row of the item list.
QString cabecalhoDaMensagem(int aoCodigo, const host::data::Query& itens)
{
    auto campo = [&](const char* nome) { return itens.fieldByName(QString::fromLatin1(nome))->asString(); };
    auto hora = [&](const char* nome) {
        const host::data::Field* f = itens.fieldByName(QString::fromLatin1(nome));
        return f->isNull() ? QString() : f->asDateTime().toString("HH:mm:ss");
    };
    QString texto = "Informamos para seu controle a situação da Ordem de Serviço Nº " + QString::number(aoCodigo) +
                    CR + kSeparador + CR + "Cliente: " + campo("NOME") + CR + "Endereco: " + campo("ENDERECO") + CR +
                    "Bairro: " + campo("BAIRRO") + CR + "Cidade: " + campo("CIDADE") + "/" + campo("ESTADO") + CR +
                    "Telefone: " + campo("TELEFONE1") + CR + "Data de Entrada: " + campo("AODATAENTRADA") + CR +
                    "Hora de Entrada: " + hora("AOHORAENTRADA") + CR + "Data de Saída: " + campo("AODATASAIDA") +
                    CR + "Hora de Saída: " + hora("AOHORASAIDA") + CR + "SITUAÇÃO: " + campo("DESCOS") + CR +
                    "Técnico: " + campo("ATNOME") + CR;
    if (!campo("AODESCRICAOLAUDO").trimmed().isEmpty())
        texto += "Defeito Constatado: " + campo("AODESCRICAOLAUDO") + CR;
    if (!campo("AOSOLUCAO").trimmed().isEmpty())
        texto += "Solução: " + campo("AOSOLUCAO") + CR;
    return texto;
}

}  // namespace

void TdmTec::OSEnviarEmailPorSituacao(int AOCODIGO)
{
    const QString codigo = QString::number(AOCODIGO);
    const int situacao = CarregaNumeroInteiro("asCodigo", "aatc01ao", "where aoCodigo = " + codigo);
    const QString cliente = CarregaDado("clCodigo", "aatc01ao", "where aoCodigo = " + codigo);
    QString destinatarios = enderecoDoCliente(cliente);
    if (CarregaDado("asEmail", "AATC01AS", "WHERE ASCODIGO = " + QString::number(situacao)) != "S")
        return;
    if (CarregaNumeroInteiro("count(*)", QString::fromLatin1(kItensComSituacao),
                             "WHERE " + QString::fromLatin1(kItensNaoInformados) + " AND IT.AOCODIGO= " + codigo) <= 0)
        return;
    destinatarios = comContatos(destinatarios, cliente);
    if (destinatarios.trimmed().isEmpty())
        return;
    const QString emailEmpresa = empresa("EMAIL").trimmed();
    if (emailEmpresa.isEmpty())
        dmGlobal->MostraAviso("Empresa não possui e-mail válido para envio da mensagem! Ver em Outros > Dados da "
                              "Empresa.",
                              true);

    host::ui::WaitCursor ampulheta;
    std::unique_ptr<host::data::Query> itens = CriarIbQuery("quEmailOS");
    itens->setSql(
        "select it.*, Os.*, sit.asDescricao, SitOS.asDescricao  as DescOS,   Cli.Nome ,      Cli.Endereco,   "
        "Cli.Bairro ,    Cli.Estado ,    Cli.Telefone1 ,    Cli.Cidade,     Tec.AtNome    from " +
        QString::fromLatin1(kItensComSituacao) +
        " Left Outer Join AATC01AS SitOS      On (OS.asCodigo = SitOS.asCodigo) "
        "Left Outer Join augc0301 Cli        On (Cli.codigo_cliente = OS.clCodigo) Left Outer Join AATC06AT Tec  "
        "      On (Tec.atCodigo = It.atCodigo) WHERE " +
        QString::fromLatin1(kItensNaoInformados) + "   AND IT.AOCODIGO= " + codigo);
    itens->open();
    QString textoItens;
    QList<int> listaItens;
    for (itens->first(); !itens->eof(); itens->next()) {
        textoItens += blocoDoItem(*itens);
        listaItens << itens->fieldByName("AOITCODIGO")->asInteger();
    }
    if (listaItens.isEmpty())   // the items changed since they were counted
        return;
    itens->last();
    QString corpo = cabecalhoDaMensagem(AOCODIGO, *itens) + textoItens;
    itens->close();
    const QString site = empresa("SITE");
    if (!site.isEmpty())
        corpo += CR + "Acesse " + site + " para ter mais informações!";

    QString remetente = RetornaLinhaArquivoTexto(QDir(sCaminhoSistema).filePath("CfgEmail.ini"), 1);
    if (remetente.trimmed().isEmpty())
        remetente = emailEmpresa;
    if (MostraPergunta("Deseja enviar email?", {"Sim", "Não"}) != "Sim")
        return;
    const host::DestinoEmail destino =
        host::EnviarEmailComDestino(remetente, "Informação sobre Ordem de Serviço", destinatarios, corpo, {});
    // A message written to the outbox is the items' report as much as one
    // sent: left unmarked, every later save wrote the same message again.
    if (destino.escrito()) {
        // Joins the host transaction: permanent with its next commit.
        UpdateCampo("AATC01AOIT IT", "AOITEMAILENVIADO", "'S'",
                    "WHERE (" + CondicaoEmLista("IT.AOITCODIGO", listaItens) + ") AND IT.AOCODIGO= " + codigo);
        if (quOSItem->active())
            quOSItem->refresh();
    }
    dmGlobal->MostraAviso(destino.enviado ? QStringLiteral("Email com informações da ordem de serviço enviado para cliente!")
                                          : "Email com informações da ordem de serviço não enviado para cliente.\n" +
                                                host::AvisoEmailNaoEnviado(destino),
                          false);
}

void TdmTec::EnviarMensagemContatoCliente(const QString& cliente, const QString&)
{
    if (cliente.isEmpty())
        return;
    PesquisarEmailCodigoAleatorio(AbreContato("C", cliente, nullptr, true, true), 0, 2);
}
