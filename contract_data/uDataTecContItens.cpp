// The rules of contract items (quCtrCadastroIt) that fill a row: a new
// item's key and defaults, what a product and a contract bring, the value
// typed or derived from a percentage, the calculated fields; and the item
// detail rows (quCtrCadastroDet).

#include "contract_data/uDataTecCont.h"
#include "contract_data/uDataTecContItens.h"

#include "host/PilvCpr70.h"
#include "host/CodigoCadastrado.h"
#include "host/FaixaDigitada.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/data/HandlerGuard.h"
#include "host/schema/SchemaDefinition.h"
#include "host/db/Database.h"

#include <cmath>

using host::data::Dataset;
using host::data::DatasetState;
using host::data::Field;

namespace uDataTecContItens {

double ValorLinha(double unitario, double desconto, double quantidade, double frete)
{
    const double fator = 1 - desconto / 100;
    return Trunc2Casas(unitario * fator * quantidade) + frete;
}

QDateTime DataEntregaPeriodo(const QDateTime& inicio, const QString& periodo)
{
    const QString letra = periodo.trimmed().toUpper();
    if (letra == "D")
        return inicio.addDays(1);
    if (letra == "E")
        return inicio.addDays(7);
    if (letra == "Q")
        return inicio.addDays(15);
    int meses = 1;
    if (letra == "B")
        meses = 2;
    else if (letra == "T")
        meses = 3;
    else if (letra == "S")
        meses = 6;
    else if (letra == "A")
        meses = 12;
    // QDate::addMonths keeps the day within the target month.
    return host::db::localDateTime(inicio.date().addMonths(meses), inicio.time());
}

int HorasEquivalentes(const QDateTime& inicio, const QDateTime& fim)
{
    const QDateTime limite(QDate(1999, 12, 30), QTime(0, 0));
    if (!inicio.isValid() || !fim.isValid() || !(inicio > limite) || !(fim > limite))
        return 0;
    return DiasInteirosEntre(inicio, fim) * 24;
}

std::array<double, 4> FontesValor(host::data::Dataset& item)
{
    auto valor = [&item](const char* nome) { return item.fieldByName(nome)->asFloat(); };
    return {valor("ACITVALORUNITARIO"), valor("ACITDESCONTO"), valor("ACITQUANTIDADE"), valor("ACITFRETE")};
}

double ValorDividido(double valor, bool garantia, const QDateTime& limiteGarantia, double percentualGarantia,
                     const QDate& hoje)
{
    if (garantia && limiteGarantia.isValid() && hoje < limiteGarantia.date() && valor > 0 && percentualGarantia > 0)
        return valor * (1 - percentualGarantia / 100);
    return valor;
}

}  // namespace uDataTecContItens

void TdmTecContrato::ligarEventosItens()
{
    Dataset& item = *quCtrCadastroIt;
    item.onNewRecord = [this](Dataset& d) { quCtrCadastroItNewRecord(d); };
    item.beforePost = [this](Dataset& d) { quCtrCadastroItBeforePost(d); };
    item.afterPost = [this](Dataset& d) { quCtrCadastroItAfterPost(d); };
    item.onPostError = [this](Dataset&) { spItem_.reset(); };
    item.beforeDelete = [this](Dataset& d) { quCtrCadastroItBeforeDelete(d); };
    item.afterDelete = [this](Dataset& d) { quCtrCadastroItAfterDelete(d); };
    item.onDeleteError = [this](Dataset&) { spExclusaoItem_.reset(); };
    item.afterCancel = [this](Dataset&) {
        spItem_.reset();
        fontesValorDigitado_.reset();
    };
    item.onCalcFields = [this](Dataset& d) { quCtrCadastroItCalcFields(d); };
    item.fieldByName("PRCODIGO")->onChange = [this](Field& f) { quCtrCadastroItPRCODIGOChange(f); };
    item.fieldByName("ACCODIGO")->onChange = [this](Field& f) { quCtrCadastroItACCODIGOChange(f); };
    item.fieldByName("ACITVALOR")->onSetText = [this](Field& f, const QString& t) {
        quCtrCadastroItACITVALORSetText(f, t);
    };
    item.fieldByName("ACITVALORPERCENTUAL")->onChange = [this](Field& f) {
        quCtrCadastroItACITVALORPERCENTUALChange(f);
    };

    // A line of an unknown product would be rented, billed and stocked as
    // nothing: refused where it is typed, in every grid of these rows.
    host::ExigeProdutoCadastrado(*item.fieldByName("PRCODIGO"), "Produto");
    host::ExigeProdutoCadastrado(*quCtrCadastroDet->fieldByName("PRCODIGO"), "Produto");
    host::ExigeProdutoCadastrado(*quCtrCadastroCM->fieldByName("CMCODIGO"), "Composto");
    // Nor may a line typed with no quantity, a price below zero or a discount
    // beyond 100 % total below zero.
    host::ExigeQuantidadePositiva(*item.fieldByName("ACITQUANTIDADE"), "Quantidade");
    for (const char* preco : {"ACITVALOR", "ACITVALORUNITARIO"})
        host::ExigePrecoNaoNegativo(*item.fieldByName(preco), "Valor");
    host::ExigeDescontoPercentual(*item.fieldByName("ACITDESCONTO"), "Desconto");

    quCtrCadastroDet->onNewRecord = [this](Dataset& d) { quCtrCadastroDetNewRecord(d); };
    quCtrCadastroDet->beforePost = [this](Dataset& d) { quCtrCadastroDetBeforePost(d); };
    quCtrCadastroDet->fieldByName("PRCODIGO")->onChange = [this](Field& f) { quCtrCadastroDetPRCODIGOChange(f); };
}

// ---- pending rows of the register ----

namespace {

// A row put in edit or insert and left as it was is let go; anything typed
// goes through the dataset's rules. True when a row was stored.
bool salvarOuLiberar(Dataset& dataset)
{
    if (!dataset.active() || !dataset.editing())
        return false;
    if (!dataset.modified()) {
        dataset.cancel();
        return false;
    }
    SalvarAlteracoes(dataset);
    return true;
}

}  // namespace

bool TdmTecContrato::CtrSalvarItensPendentes() { return salvarOuLiberar(*quCtrCadastroIt); }

bool TdmTecContrato::CtrSalvarPendentesAoFechar()
{
    const bool itemGravado = CtrSalvarItensPendentes();
    salvarOuLiberar(*quCtrCadastro);
    return itemGravado;
}

// ---- new item ----

void TdmTecContrato::quCtrCadastroItNewRecord(Dataset& dataset)
{
    dataset.fieldByName("ACCODIGO")->setAsInteger(quCtrCadastroACCODIGO->asInteger());
    QString cliente;
    if (quContratoCli->active() && !quContratoCli->isEmpty())
        cliente = quContratoCli->fieldByName("CLCODIGO")->asString();
    if (cliente.trimmed().isEmpty())
        cliente = quCtrCadastroCLCODIGO->asString();
    dataset.fieldByName("CLCODIGO")->setAsString(cliente);
    // One source for item keys, whoever inserts them: the generator.
    dataset.fieldByName("ACITCODIGO")->setAsInteger(
        ProximaChave(host::schema::kGeneratorContractItem, "ACITCODIGO", "AATC05ACIT"));
    dataset.fieldByName("ACITGARANTIA")->setAsString("N");
    if (bItensComplementares_)
        dataset.fieldByName("ACITCOMPLEMENTO")->setAsString("S");
    fontesValorDigitado_.reset();
    ZerarFloatField(dataset);
    ZelDevVerificarEvento(&dataset, "ONNEWRECORD");
    if (parametroMaiusculo("ATOPCAOCONTRATO") == "T") {
        const QDateTime agora = QDateTime::currentDateTime();
        dataset.fieldByName("ACITINSTALACAO")->setAsDateTime(host::db::localDateTime(agora.date()));
        dataset.fieldByName("ACITHORASAIDA")->setAsDateTime(agora);
        // One piece unless the user says otherwise: the contract register
        // offers no quantity here, and a line of 0 would pass the stock check
        // and ship nothing.
        dataset.fieldByName("ACITQUANTIDADE")->setAsFloat(1);
    }
}

// ---- field rules ----

void TdmTecContrato::quCtrCadastroItPRCODIGOChange(Field& field)
{
    Dataset& item = *quCtrCadastroIt;
    const QString produto = field.asString().trimmed();
    auto query = CriarIbQuery();
    query->setSql("select p.Descricao, p.prPrecoContrato, g.Descricao, c.Descricao from Acec1101 p"
                  " left join Acec1201 g on g.Codigo = p.Grupo left join Acec1301 c on c.Codigo = p.Cod_Emb_Colecao"
                  " where p.Codigo = " +
                  QuotedStr(produto));
    query->open();
    // The descriptions are only shown (the row is not read again once
    // stored): a rental contract's line shows its product as well.
    DefineDescricaoUnida(item, "DESCRICAO", query->field(0)->value());
    DefineDescricaoUnida(item, "DESCRICAOGRUPO", query->field(2)->value());
    DefineDescricaoUnida(item, "DESCRICAOCOLECAO", query->field(3)->value());
    // A rental line keeps the value typed for it.
    if (parametroMaiusculo("ATOPCAOCONTRATO") != "E") {
        item.fieldByName("ACITVALOR")->setAsFloat(query->field(1)->asFloat());
        item.fieldByName("ACITVALORUNITARIO")->setAsFloat(query->field(1)->asFloat());
    }
    const QString modoPedido = parametroMaiusculo("ATMODOPEDIDOASSISTENCIA");
    if (modoPedido == "E" || modoPedido == "C")
        dmGlobal->ImportaObservacaoAdicional(produto, "2", "P", item.fieldByName("ACCODIGO")->asString(),
                                             item.fieldByName("ACITCODIGO")->asString(), "Y");
}

void TdmTecContrato::quCtrCadastroItACCODIGOChange(Field& field)
{
    DefineDescricaoUnida(*quCtrCadastroIt, "ACTIPO",
                    CarregaDado("actipo", "aatc05ac", "where accodigo = " + QString::number(field.asInteger())));
}

void TdmTecContrato::quCtrCadastroItACITVALORSetText(Field& field, const QString& text)
{
    if (quCtrCadastroIt->fieldByName("ACTIPO")->asString().trimmed().toUpper() == "E")
        dmGlobal->MostraErro(
            "Não é possíve alterar valor do item de um contrato tipo Especial! Pressione ESC para continuar.");
    host::data::DetachHandler regra(field.onSetText);
    field.setText(text);
    fontesValorDigitado_ = uDataTecContItens::FontesValor(*quCtrCadastroIt);
}

void TdmTecContrato::quCtrCadastroItACITVALORPERCENTUALChange(Field& field)
{
    Dataset& item = *quCtrCadastroIt;
    const double parcela = quCtrCadastro->active() ? quCtrCadastro->fieldByName("ACVALORPARCELA")->asFloat() : 0;
    const double percentual = field.asFloat();
    if (item.fieldByName("ACITVALOR")->asFloat() == 0 && parcela > 0 && percentual > 0)
        item.fieldByName("ACITVALOR")->setAsFloat(percentual / 100 * parcela);
}

// ---- calculated fields ----

void TdmTecContrato::quCtrCadastroItCalcFields(Dataset& dataset)
{
    auto data = [&dataset](const char* nome) {
        Field* campo = dataset.fieldByName(nome);
        return campo->isNull() ? QDateTime() : campo->asDateTime();
    };
    dataset.fieldByName("ValorDividido")
        ->setAsFloat(uDataTecContItens::ValorDividido(
            dataset.fieldByName("ACITVALOR")->asFloat(),
            dataset.fieldByName("ACITGARANTIA")->asString().trimmed().toUpper() == "S", data("ACITGARANTIADATA"),
            dataset.fieldByName("ACITGARANTIAPERCENTUAL")->asFloat(), QDate::currentDate()));
    dataset.fieldByName("HorasEquivalentes")
        ->setAsInteger(uDataTecContItens::HorasEquivalentes(data("ACITINSTALACAO"), data("ACITDATAENTREGA")));
}

// ---- detail rows ----

void TdmTecContrato::quCtrCadastroDetNewRecord(Dataset& dataset)
{
    ZerarNumericField(dataset);
}

void TdmTecContrato::quCtrCadastroDetBeforePost(Dataset& dataset)
{
    if (dataset.state() != DatasetState::Insert)
        return;
    dataset.fieldByName("ACITCODIGO")->setAsInteger(quCtrCadastroItACITCODIGO->asInteger());
    dataset.fieldByName("ACDTSEQUENCIA")->setAsInteger(CarregaNumeroInteiro("max(ACDTSEQUENCIA)", "AATC05ACDT", "") + 1);
}

void TdmTecContrato::quCtrCadastroDetPRCODIGOChange(Field& field)
{
    const QString produto = field.asString().trimmed();
    if (produto.isEmpty())
        return;
    DefineDescricaoUnida(*quCtrCadastroDet, "DESCRICAO",
                    CarregaDado("Descricao", "Acec1101", "where Codigo = " + QuotedStr(produto)));
}
