// Saving and deleting a contract item: the checks and values of its post
// (line value, warranty, serial numbers, rental period, stock, mandatory
// serials, the late-return fine billed) and what a saved or deleted item
// changes elsewhere.

#include "contract_data/uDataTecCont.h"
#include "contract_data/uDataTecContItens.h"
#include "contract_data/uDataTecContLocacao.h"

#include "host/PilvCpr70.h"
#include "host/PilvOut70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Abort.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/schema/SchemaDefinition.h"

#include <QStringList>

#include <utility>

using host::data::Dataset;
using host::data::DatasetState;
using host::data::Field;

namespace {

QString texto(Dataset& dataset, const char* campo)
{
    return dataset.fieldByName(campo)->asString().trimmed();
}

// The products that never take serial numbers on a contract.
bool produtoSemSerie(const QString& produto)
{
    return produto == parametroAparado("ATPRODUTOSEMSERIE") ||
           produto == parametroAparado("ATPRODUTOCONTRATO");
}

QString condicaoSerie(const QString& produto, int contrato)
{
    return QString(" where PRCODIGO = %1 and ACCODIGO = %2").arg(QuotedStr(produto)).arg(contrato);
}

// The line's own movements: another line of the product keeps its pieces.
QString condicaoSerieLinha(const QString& produto, int contrato, int item)
{
    return condicaoSerie(produto, contrato) + " and " + uDataTecContLocacao::SeriesDaLinha(contrato, produto, item);
}

// The contract's line a serial is put out on, with the order the contract
// was made from (its pieces booked there are its own).
host::LinhaNumeroSerie linhaNumeroSerie(Dataset& cabecalho, int contrato, int item)
{
    const bool doCabecalho = cabecalho.active() && cabecalho.fieldByName("ACCODIGO")->asInteger() == contrato;
    return {contrato, item, doCabecalho ? texto(cabecalho, "ACPEDIDO") : QString()};
}

QString numero(double valor)
{
    return host::data::formatFloat("0.00", valor);
}

}  // namespace

// ---- before post ----

void TdmTecContrato::quCtrCadastroItBeforePost(Dataset& item)
{
    // The serial-number movements written below wait for the row.
    auto savepoint = std::make_unique<host::db::Savepoint>(*dmGlobal->IBTransaction1);
    Field* chave = item.fieldByName("ACITCODIGO");
    sProdutoAnteriorItem_ = item.state() == DatasetState::Edit
                                ? item.fieldByName("PRCODIGO")->oldValue().toString().trimmed()
                                : QString();
    if (item.state() == DatasetState::Insert && chave->isNull())
        chave->setAsInteger(ProximaChave(host::schema::kGeneratorContractItem, "ACITCODIGO", "AATC05ACIT"));

    const QString opcao = parametroMaiusculo("ATOPCAOCONTRATO");
    if ((opcao == "I" || opcao == "M" || opcao == "2" || opcao == "E" || opcao == "T" || opcao == "V") &&
        !valorItemMantido(item))
        item.fieldByName("ACITVALOR")
            ->setAsFloat(uDataTecContItens::ValorLinha(
                item.fieldByName("ACITVALORUNITARIO")->asFloat(), item.fieldByName("ACITDESCONTO")->asFloat(),
                item.fieldByName("ACITQUANTIDADE")->asFloat(), item.fieldByName("ACITFRETE")->asFloat()));
    AvisaCamposObrigatorio(item, true);
    if (texto(item, "ACITGARANTIA").toUpper() == "S" && item.fieldByName("ACITGARANTIADATA")->isNull())
        dmGlobal->MostraAviso("Data Inválida de limite da garantia!", true);

    // A product without a serial-number kind ends the rules here.
    if (!passoNumerosSerie(item)) {
        passoSerieDigitada(item);
        FaturaMultaAtraso(item);
        spItem_ = std::move(savepoint);
        return;
    }
    if (opcao == "T") {
        passoPeriodoLocacao(item);
        passoEstoque(item);
    }
    const QString modoSerie = parametroMaiusculo("ATMODONUMEROSERIE");
    const QString produto = texto(item, "PRCODIGO");
    const int contrato = item.fieldByName("ACCODIGO")->asInteger();
    const int codigo = chave->asInteger();
    if (modoSerie == "O" || modoSerie == "L" || parametroMaiusculo("ATNUMEROSERIEPEDIDO") == "P")
        dmGlobal->NumeroSerieProdutoObrigatorio(produto, item.fieldByName("ACITQUANTIDADE")->asFloat(),
                                                DocumentoNumeroSerie{{}, 0, contrato, codigo}, hoje());
    if (dmGlobal->ParametroNumero("ATMODOCOMPOSICAO") == 2)
        item.fieldByName("ACITNUMEROSERIE")
            ->setAsString(CarregaDado("NSNUMERO", "AUGC50NS",
                                      condicaoSerie(produto, contrato) + " and ACITCODIGO=" + QString::number(codigo)));
    passoSerieDigitada(item);
    FaturaMultaAtraso(item);
    spItem_ = std::move(savepoint);
    ZelDevVerificarEvento(&item, "BEFOREPOST");
}

// The line value stays as it is when the user typed it and none of the
// columns it is computed from changed since, or when an edit changed none
// of them: a register that shows only the value (the contract register)
// would otherwise store unit price × quantity, 0 on a line typed there.
bool TdmTecContrato::valorItemMantido(Dataset& item) const
{
    const std::array<double, 4> fontes = uDataTecContItens::FontesValor(item);
    if (fontesValorDigitado_)
        return *fontesValorDigitado_ == fontes;
    if (item.state() != DatasetState::Edit)
        return false;
    for (const char* nome : {"ACITVALORUNITARIO", "ACITDESCONTO", "ACITQUANTIDADE", "ACITFRETE"}) {
        Field* campo = item.fieldByName(nome);
        if (campo->oldValue().toDouble() != campo->asFloat())
            return false;
    }
    return true;
}

// False when the product has no serial-number kind: the post goes on
// without the remaining rules.
bool TdmTecContrato::passoNumerosSerie(Dataset& item)
{
    const QString produto = texto(item, "PRCODIGO");
    if (parametroMaiusculo("ATMODOPEDIDOASSISTENCIA") != "C" || produtoSemSerie(produto))
        return true;
    const QString tipo = CarregaDado("PRGERANS", "ACEC1101", "where CODIGO = " + QuotedStr(produto)).trimmed();
    if (tipo.isEmpty())
        return false;
    if (!texto(item, "ACITNUMEROSERIE").isEmpty())
        return true;
    const int contrato = item.fieldByName("ACCODIGO")->asInteger();
    const int codigo = item.fieldByName("ACITCODIGO")->asInteger();
    const host::LinhaNumeroSerie linha = linhaNumeroSerie(*quCtrCadastro, contrato, codigo);
    // What another desk took since the picker listed it is refused here.
    auto tomar = [&produto, &linha](const QString& escolhidos) {
        host::TomarNumerosSerie(produto, host::numerosSerieDaLista(escolhidos), linha);
    };
    QString lista;
    if (tipo == "O") {
        // Picked again: the movements of this line's earlier pick go first.
        ExcluirRegistroNumerosSerieProduto(condicaoSerieLinha(produto, contrato, codigo));
        // No piece out on another line, of this contract or another, until it comes back.
        const int escolhidos = SelecionaNumerosSerie("D", produto, host::CondicaoNumeroSerieLivre(linha), {}, {}, {},
                                                     {}, contrato, 0, lista, 0, 0, 0, 0, 0, 0, 0, 0);
        if (escolhidos == -1)
            dmGlobal->MostraAviso("Número(s) de Série não disponível(eis)!", true);
        if (escolhidos == 0) {
            dmGlobal->MostraAviso("Número(s) de Série não selecionado(s)!", false);
            return true;
        }
        tomar(lista);
        item.fieldByName("ACITQUANTIDADE")->setAsFloat(escolhidos);
        sAuxiliarGeral = lista;
        InserirRegistroNumerosSerieProduto(lista, produto, "D", {}, {}, {}, {}, QString::number(contrato), {}, {}, {},
                                           codigo, 0, 0, 0, 0);
        item.fieldByName("ACITNUMEROSERIE")->setAsString("<selecionado>");
    } else if (tipo == "Ú") {
        const QString local = CarregaDado("coalesce(CODIGO, '')", "ACEC1401", "where LEORIGEM = 'S'").trimmed();
        const QString pedido = quCtrCadastro->active() ? texto(*quCtrCadastro, "ACPEDIDO") : QString();
        // Free numbers only: in the stock location, on no other document.
        const QString livres =
            QString(" and ns.lecodigo = %1 and (coalesce(ns.VECODIGO, '') = '' or ns.VECODIGO = %2)"
                    " and coalesce(ns.OCCODIGO, 0) = 0 and coalesce(ns.OPCODIGO, '') in ('', '0')"
                    " and coalesce(ns.CMCODIGO, '') in ('', '0') and coalesce(ns.ACCODIGO, 0) = 0"
                    " and coalesce(ns.AOCODIGO, 0) = 0")
                .arg(QuotedStr(local), QuotedStr(pedido)) +
            host::CondicaoNumeroSerieLivre(linha);
        if (SelecionaNumerosSerie("D", produto, livres, {}, {}, {}, {}, contrato, 0, lista, 0, 0, 0, 0, 0, 0, 0, 1) !=
            1)
            dmGlobal->MostraAviso(
                "Aviso: operação abortada.\rVerifique a Disponibilidade do Número de Série do Produto!", true);
        tomar(lista);
        InserirRegistroNumerosSerieProduto(lista, produto, "I", {}, {}, {}, {}, QString::number(contrato), {}, {}, {},
                                           codigo, 0, 0, 0, 0);
        item.fieldByName("ACITNUMEROSERIE")->setAsString(QString(lista).remove('\''));
        item.fieldByName("ACITQUANTIDADE")->setAsFloat(1);
    }
    return true;
}

void TdmTecContrato::passoPeriodoLocacao(Dataset& item)
{
    Field* inicio = item.fieldByName("ACITINSTALACAO");
    if (!inicio->isNull())
        item.fieldByName("ACITDATAENTREGA")
            ->setAsDateTime(uDataTecContItens::DataEntregaPeriodo(inicio->asDateTime(), texto(item, "ACITPERIODO")));
    // A new line, or one whose value or dates changed, regenerates its receivables.
    auto data = [&item](const char* campo, const char* coluna) {
        Field* f = item.fieldByName(campo);
        return f->isNull() ? QString("%1 is null").arg(coluna)
                           : QString("%1 = %2").arg(coluna, DateTimeToSQL(f->asDateTime()));
    };
    const int iguais = CarregaNumeroInteiro(
        "count(*)", "AATC05ACIT",
        QString("where ACITCODIGO = %1 and ACITVALOR = %2 and %3 and %4")
            .arg(item.fieldByName("ACITCODIGO")->asInteger())
            .arg(QString::number(item.fieldByName("ACITVALOR")->asFloat(), 'g', 15))
            .arg(data("ACITINSTALACAO", "ACITINSTALACAO"), data("ACITDATAENTREGA", "ACITDATAENTREGA")));
    if (iguais == 0)
        item.setTag(3);
}

// The serial numbers typed on the line ("BT-0001", or several separated by
// commas or semicolons) become the pieces' movements out on this contract,
// as the pickers' are: the check-in, the search by serial number and the
// printed contract find them there. A number out on this line already
// (picked, or loaded so) is left as it is; one out on another line, of this
// contract or another, is refused until it comes back; the line's earlier
// typed numbers go when the text or the product changes.
void TdmTecContrato::passoSerieDigitada(Dataset& item)
{
    const QString digitado = texto(item, "ACITNUMEROSERIE");
    const QString produto = texto(item, "PRCODIGO");
    const bool mudou = item.state() == DatasetState::Insert ||
                       item.fieldByName("ACITNUMEROSERIE")->oldValue().toString().trimmed() != digitado ||
                       item.fieldByName("PRCODIGO")->oldValue().toString().trimmed() != produto;
    if (!mudou || digitado == "<selecionado>")
        return;
    const int contrato = item.fieldByName("ACCODIGO")->asInteger();
    const int codigo = item.fieldByName("ACITCODIGO")->asInteger();
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    if (item.state() == DatasetState::Edit)
        host::db::executeSql(tr,
                             "delete from AUGC50NS where ACCODIGO = :CONTRATO and ACITCODIGO = :ITEM"
                             " and NSSTATUS = 'L'",
                             {{"CONTRATO", contrato}, {"ITEM", codigo}});
    const QStringList numeros = host::numerosSerieDigitados(digitado);
    QStringList livres;
    // Quoted: a number holding a quote or a comma is still one number.
    for (const QString& numero :
         host::TomarNumerosSerie(produto, numeros, linhaNumeroSerie(*quCtrCadastro, contrato, codigo)))
        livres << QuotedStr(numero);
    host::RecusarQuantidadeDiferenteDasPecas(produto, numeros, item.fieldByName("ACITQUANTIDADE")->asFloat());
    InserirRegistroNumerosSerieProduto(livres.join(","), produto, "L", {}, {}, {}, {}, QString::number(contrato), {},
                                       {}, {}, codigo, 0, 0, 0, 0);
}

void TdmTecContrato::passoEstoque(Dataset& item)
{
    const QString produto = texto(item, "PRCODIGO");
    const double reservado = ReservaContrato(produto, true);
    const double disponivel = dmGlobal->PosicaoEstoque(produto) - reservado;
    const double quantidade = item.fieldByName("ACITQUANTIDADE")->asFloat();
    if (quantidade > disponivel + 1e-9)
        dmGlobal->MostraAviso("Quantidade insuficiente disponível de \"" +
                                  item.fieldByName("DESCRICAO")->asString().trimmed() + "\".\rTotal do produto disponível: " +
                                  numero(disponivel) + "\rTotal do produto reservado: " + numero(reservado) +
                                  "\rTotal Lançado no Contrato: " + numero(quantidade),
                              true);
}

// ---- after post ----

void TdmTecContrato::quCtrCadastroItAfterPost(Dataset& item)
{
    fontesValorDigitado_.reset();
    if (spItem_) {
        spItem_->release();
        spItem_.reset();
    }
    dmGlobal->IBTransaction1->commitRetaining();
    const QString produto = texto(item, "PRCODIGO");
    AtualizaAtivoProdutoContrato(produto);
    const QString anterior = std::exchange(sProdutoAnteriorItem_, QString());
    if (!anterior.isEmpty() && anterior != produto)
        AtualizaAtivoProdutoContrato(anterior);
    if (item.tag() == 2) {
        // Once: the header of the item's contract is saved again.
        item.setTag(0);
        CarregaContrato(item.fieldByName("ACCODIGO")->asInteger());
        RegravarContratoCorrente();
    }
    if (parametroMaiusculo("ATRESERVAPRODUTO") == "I")
        dmGlobal->Reservado(produto, true, {});
    const int cabecalho = quCtrCadastroACCODIGO->asInteger();
    const int contrato = item.fieldByName("ACCODIGO")->asInteger();
    if (texto(*quCtrCadastro, "ACVINCULO").toUpper() == "P" && contrato != cabecalho)
        CtrAtualizaValorContratoAcessorio(cabecalho, contrato);
    else if (parametroMaiusculo("ATREGRAVACONTRATO") == "P")
        CtrAtualizaValorContratoAcessorio(cabecalho, cabecalho);
    if (parametroMaiusculo("ATOPCAOCONTRATO") == "E")
        totalizaEquipamentosCabecalho();
    // Serial numbers still missing are asked once more, once per save.
    if (parametroMaiusculo("ATMODOPEDIDOASSISTENCIA") == "C" && texto(item, "ACITNUMEROSERIE").isEmpty() &&
        !produtoSemSerie(produto) && !bRepostandoItem_) {
        bRepostandoItem_ = true;
        try {
            item.edit();
            item.fieldByName("ACITQUANTIDADE")
                ->setAsFloat(CarregaNumero("ACITQUANTIDADE", "AATC05ACIT",
                                           "where ACITCODIGO = " + item.fieldByName("ACITCODIGO")->asString()));
            item.post();
        } catch (...) {
            bRepostandoItem_ = false;
            throw;
        }
        bRepostandoItem_ = false;
    }
    if (parametroMaiusculo("ATOPCAOCONTRATO") == "T") {
        if (item.tag() == 3)
            RegerarContasReceberItens();
        item.setTag(0);
    }
    ZelDevVerificarEvento(&item, "AFTERPOST");
}

void TdmTecContrato::totalizaEquipamentosCabecalho()
{
    const int contrato = quCtrCadastroACCODIGO->asInteger();
    RelerTotaisContratoCorrente();
    RegravarContratoCorrente(
        [&] { quCtrCadastro->fieldByName("ACVALOR")->setAsFloat(CalculaTotalEquipamentos(contrato)); });
}

// ---- delete ----

void TdmTecContrato::quCtrCadastroItBeforeDelete(Dataset& item)
{
    const QString produto = texto(item, "PRCODIGO");
    const int contrato = item.fieldByName("ACCODIGO")->asInteger();
    sCodigoExcluido = item.fieldByName("ACCODIGO")->asString() + "/" + item.fieldByName("PRCODIGO")->asString() + "/" +
                      item.fieldByName("CLCODIGO")->asString();
    // Undone when the delete does not happen (answered "Não" or a failed write).
    auto savepoint = std::make_unique<host::db::Savepoint>(*dmGlobal->IBTransaction1);
    const int codigo = item.fieldByName("ACITCODIGO")->asInteger();
    if (parametroMaiusculo("ATMODOPEDIDOASSISTENCIA") == "C")
        ExcluirRegistroNumerosSerieProduto(condicaoSerieLinha(produto, contrato, codigo));
    else if (const QString serie = texto(item, "ACITNUMEROSERIE"); !serie.isEmpty() && serie != "<selecionado>")
        // The movements its typed serial numbers wrote go with the line.
        ExcluirRegistroNumerosSerieProduto(condicaoSerie(produto, contrato) + " and ACITCODIGO = " +
                                           QString::number(codigo) + " and NSSTATUS = 'L'");
    if (parametroMaiusculo("ATMODONUMEROSERIE") == "O" &&
        CarregaDado("PRGERANS", "ACEC1101", "where CODIGO = " + QuotedStr(produto)).trimmed() == "O") {
        if (MostraPergunta("Esse Item do contrato está vinculado a um Número de Série.\rDeseja realmente excluir?",
                           {"Sim", "Não"}) != "Sim")
            host::abortOperation();
        DeletaRegistros("AUGC50NS", condicaoSerie(produto, contrato) + " and ACITCODIGO=" + QString::number(codigo) +
                                        " and NSMOVIMENTO = 'S'");
    }
    spExclusaoItem_ = std::move(savepoint);
    ZelDevVerificarEvento(&item, "BEFOREDELETE");
    sAuxiliarGeral = produto;
}

void TdmTecContrato::quCtrCadastroItAfterDelete(Dataset& item)
{
    if (spExclusaoItem_) {
        spExclusaoItem_->release();
        spExclusaoItem_.reset();
    }
    dmGlobal->IBTransaction1->commitRetaining();
    AtualizaAtivoProdutoContrato(sAuxiliarGeral);
    if (parametroMaiusculo("ATOPCAOCONTRATO") == "E")
        totalizaEquipamentosCabecalho();
    const QDateTime agora = QDateTime::currentDateTime();
    dmGlobal->GravaLog(IbUserName(), "Deletou item do Contrato da Assistência", "Nº/Produto/Cliente " + sCodigoExcluido,
                       "AATC05AC", hoje(), agora);
    // What followed the deletion's commit, the audit record among it, is
    // committed with it.
    dmGlobal->IBTransaction1->commitRetaining();
    ZelDevVerificarEvento(&item, "AFTERDELETE");
}
