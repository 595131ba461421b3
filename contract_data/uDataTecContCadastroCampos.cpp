// The field rules and calculated fields of the contract header: the customer
// and what it brings, the branch name, the bank of the receivables, the
// contracting party's addresses, the contact people's addresses, the links.

#include "contract_data/uDataTecCont.h"

#include "host/ClienteCadastrado.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "host/Uglobal.h"
#include "host/data/DataSource.h"
#include "host/data/Query.h"
#include "host/Endereco.h"

#include <utility>
#include <vector>

using host::data::Dataset;
using host::data::Field;

namespace {

// The customer's row (the host's current-customer data), or an empty query.
std::unique_ptr<host::data::Query> cliente(const QString& codigo, const QString& colunas)
{
    auto query = CriarIbQuery();
    query->setSql("select " + colunas + " from AUGC0301 where CODIGO_CLIENTE = " + QuotedStr(codigo.trimmed()));
    query->open();
    return query;
}

// The parts joined by " - ", an empty one left out with its separator.
QString juntar(host::data::Query& query, const QStringList& colunas)
{
    QString texto;
    for (const QString& coluna : colunas)
        texto = host::compoeEndereco({{"", texto}, {" - ", query.fieldByName(coluna)->asString()}});
    return texto;
}

}  // namespace

// What the calculated fields read elsewhere, kept while the header stays on
// one contract: a grid or a change of any field recomputes them.
struct TdmTecContrato::CacheCalculados {
    int contrato = -1;
    double complementos = 0;
    QHash<QString, QDateTime> emissoes;   // order number -> DATA_EMISSAO
};

void TdmTecContrato::EsquecerCalculados()
{
    cacheCalculados_.reset();
}

void TdmTecContrato::quCtrCadastroCalcFields(Dataset& dataset)
{
    dataset.fieldByName("HoraCreditoMin")->setAsInteger(int(dataset.fieldByName("ACHORACREDITO")->asFloat()));
    const int contrato = dataset.fieldByName("ACCODIGO")->asInteger();
    if (!cacheCalculados_ || cacheCalculados_->contrato != contrato) {
        cacheCalculados_ = std::make_shared<CacheCalculados>();
        cacheCalculados_->contrato = contrato;
        // Kept prepared: the field is worked out again for every contract loaded.
        host::db::Statement& soma = dmGlobal->ComandoPreparado(
            "select sum(AC.acvalorparcela) from AATC05AC AC join AATC05ACVI VI on AC.accodigo = VI.accodigocomplemento"
            " where vi.accodigoprincipal = :CONTRATO");
        soma.setParam("CONTRATO", contrato);
        soma.execute();
        if (soma.fetch()) {
            cacheCalculados_->complementos = soma.value(0).toDouble();
            soma.closeCursor();
        }
    }
    if (parametroMaiusculo("ATOPCAOCONTRATO") == "E") {
        auto emissao = [this](const QString& pedido) {
            const QString numero = pedido.trimmed();
            if (numero.isEmpty())
                return QDateTime();
            auto it = cacheCalculados_->emissoes.constFind(numero);
            if (it != cacheCalculados_->emissoes.constEnd())
                return *it;
            const QDateTime data =
                CarregaData("DATA_EMISSAO", "AVEC8501", "where NUMERO_PEDIDO = " + QuotedStr(numero));
            cacheCalculados_->emissoes.insert(numero, data);
            return data;
        };
        auto define = [&dataset](const char* campo, const QDateTime& data) {
            if (data.isValid())
                dataset.fieldByName(campo)->setAsDateTime(data);
            else
                dataset.fieldByName(campo)->clear();
        };
        define("DataProposta", emissao(dataset.fieldByName("ACPROPOSTA")->asString()));
        define("DataPedido", emissao(dataset.fieldByName("ACPEDIDO")->asString()));
    }
    dataset.fieldByName("TOTCONTRATOSVINC")
        ->setAsFloat(dataset.fieldByName("ACVALORPARCELA")->asFloat() + cacheCalculados_->complementos);
}

// ---- customer ----

void TdmTecContrato::quCtrCadastroCLCODIGOValidate(Field& field)
{
    if (host::TipoClienteExigido(field, "Cliente").trimmed() == "3")
        dmGlobal->MostraAviso("Cliente Bloqueado. Verifique no cadastro de clientes. ", true);
}

void TdmTecContrato::quCtrCadastroCLCODIGOChange(Field& field)
{
    const QString codigo = field.asString().trimmed();
    DefineDescricaoUnida(*quCtrCadastro, "NOMECLIENTE",
                         codigo.isEmpty() ? QVariant() : QVariant(CarregaDado("NOME", "AUGC0301",
                                                                              "where CODIGO_CLIENTE = " + QuotedStr(codigo))));
    if (codigo.isEmpty())
        return;
    const QString modoPedido = parametroMaiusculo("ATMODOPEDIDOASSISTENCIA");
    const bool contratoE = parametroMaiusculo("ATOPCAOCONTRATO") == "E";
    if (modoPedido == "C" || modoPedido == "E") {
        if (!contratoE)
            return;
    }
    auto linha = cliente(codigo, "CLMANTENEDOR, COBRANCA, TIPO_PAGAMENTO");
    if (linha->isEmpty())
        return;
    if (modoPedido != "C" && modoPedido != "E")
        quCtrCadastro->fieldByName("ACRESPONSAVEL")->setAsString(linha->fieldByName("CLMANTENEDOR")->asString());
    if (contratoE) {
        quCtrCadastro->fieldByName("BCCODIGO")->setAsString(linha->fieldByName("COBRANCA")->asString());
        quCtrCadastro->fieldByName("ACTIPOPAGAMENTO")->setAsString(linha->fieldByName("TIPO_PAGAMENTO")->asString());
    }
}

void TdmTecContrato::quCtrCadastroACCONTRATANTEChange(Field& field)
{
    // The contract is billed to the contracting party unless another billing
    // customer was chosen: the receivables and the invoicing list read CLCODIGO.
    const QString contratante = field.asString().trimmed();
    const QString anterior = std::exchange(contratanteAnterior_, contratante);
    const QString faturado = quCtrCadastroCLCODIGO->asString().trimmed();
    if (!contratante.isEmpty() && faturado != contratante && (faturado.isEmpty() || faturado == anterior))
        quCtrCadastroCLCODIGO->setAsString(contratante);
    // The people of the party before are not this one's to name (an emptied
    // box changes nothing).
    if (!contratante.isEmpty() && contratante != anterior)
        for (Field* contato : host::ContatosDeOutroCliente(contratante, contatosDoCabecalho(*quCtrCadastro, false)))
            contato->clear();
    if (parametroMaiusculo("ATOPCAOCONTRATO") != "E")
        return;
    CarregaContatosContratante(contratante);
    if (!quCtrCadastro->editing())
        quCtrCadastro->edit();
    const QStringList entrega{"ENDERECO_ENTREGA", "BAIRRO_ENTREGA", "CIDADE_ENTREGA",
                              "ESTADO_ENTREGA",   "CEP_ENTREGA",    "CLTELEFONEENTREGA"};
    const QStringList cobranca{"ENDERECO_COBRANCA", "BAIRRO_COBRANCA", "CIDADE_COBRANCA",
                               "ESTADO_COBRANCA",   "CEP_COBRANCA",    "TELEFONE_COBRANCA"};
    auto linha = cliente(field.asString(), (entrega + cobranca).join(", "));
    if (linha->isEmpty())
        return;
    quCtrCadastro->fieldByName("ACENDENTREGA")->setAsString(juntar(*linha, entrega));
    quCtrCadastro->fieldByName("ACENDCOBRANCA")->setAsString(juntar(*linha, cobranca));
}

// ---- branch and bank ----

void TdmTecContrato::quCtrCadastroACLOCALChange(Field& field)
{
    const QString local = field.asString().trimmed();
    if (local.isEmpty())
        return;
    DefineDescricaoUnida(*quCtrCadastro, "NOMEFILIAL",
                         CarregaDado("nome", "ea", "where codigo = " + QuotedStr(local)));
}

void TdmTecContrato::quCtrCadastroBCCODIGOChange(Field& field)
{
    if (parametroMaiusculo("ATPARCELASEMPREVISAO") != "S")
        return;
    if (MostraPergunta("Deseja alterar banco também nas contas a receber desse contrato?", {"Sim", "Não"}) != "Sim")
        return;
    UpdateCampoCommit("ACRC5001", "NUMERO_DO_BANCO", QuotedStr(field.asString().trimmed()),
                      "where aoCodigo = " + QString::number(quCtrCadastroACCODIGO->asInteger()));
}

// ---- contact people ----

namespace {

// The header's boxes that name a contact person of the contracting party.
constexpr const char* kContatosContratante[] = {"ACCONTATO",      "ACREQUISITANTE", "ACAPROVADOR",
                                                "ACCONTENTREGA",  "ACCONTCOBRANCA", "ACCONTRETIRADA",
                                                "ACCONTENTCONTRATO"};

}  // namespace

void TdmTecContrato::CarregaContatosContratante(const QString& contratante)
{
    // A blank party binds the lists closed: they never offer the people of
    // the contract shown before.
    const std::pair<host::data::DataSource*, const char*> listas[] = {
        {dsContato, "quContratanteCont"}, {dsContatoEnt, "quContratanteEnt"}, {dsContatoCob, "quContratanteCob"},
        {dsContatoRet, "quContratanteRet"}, {dsContatoCtr, "quContratanteCtr"}};
    for (const auto& [fonte, nome] : listas)
        fonte->setDataset(CarregaContratanteContatos(QLatin1String(nome), contratante, {}));
}

std::vector<Field*> TdmTecContrato::contatosDoCabecalho(Dataset& dataset, bool soAlterados)
{
    std::vector<Field*> campos;
    for (const char* nome : kContatosContratante) {
        Field* campo = dataset.fieldByName(QLatin1String(nome));
        if (!soAlterados || campo->value() != campo->oldValue())
            campos.push_back(campo);
    }
    return campos;
}

void TdmTecContrato::ExigeContatosDoContratante(Dataset& dataset)
{
    // Checked where a person or the party changed: a contract keeps saving
    // with what it was stored with.
    Field& parte = *dataset.fieldByName("ACCONTRATANTE");
    const QString contratante = parte.asString().trimmed();
    const bool todos = dataset.state() == host::data::DatasetState::Insert ||
                       contratante != parte.oldValue().toString().trimmed();
    host::ExigeContatosDoCliente(contratante, contatosDoCabecalho(dataset, !todos), "Contato");
}

namespace {

void enderecoContato(Field& field, Field& destino)
{
    if (field.value() == field.oldValue())
        return;
    if (field.isNull()) {
        destino.clear();
        return;
    }
    destino.setAsString(CarregaDado(host::compoeEnderecoSql({{"", "anendereco"},
                                                             {" - ", "anbairro"},
                                                             {" - ", "ancidade"},
                                                             {" / ", "anuf"},
                                                             {" - ", "ancep"}}),
                                    "AUGC3701", "where ANCODIGO = " + QString::number(field.asInteger())));
}

}  // namespace

void TdmTecContrato::quCtrCadastroACCONTRETIRADAChange(Field& field)
{
    enderecoContato(field, *quCtrCadastro->fieldByName("ACCOMPROVANTEEND"));
}

void TdmTecContrato::quCtrCadastroACCONTENTREGAChange(Field& field)
{
    enderecoContato(field, *quCtrCadastro->fieldByName("ACENDENTREGA"));
}

void TdmTecContrato::quCtrCadastroACCONTCOBRANCAChange(Field& field)
{
    enderecoContato(field, *quCtrCadastro->fieldByName("ACENDCOBRANCA"));
}

void TdmTecContrato::quCtrCadastroACCONTENTCONTRATOChange(Field& field)
{
    enderecoContato(field, *quCtrCadastro->fieldByName("ACENDENTCONTRATO"));
}

void TdmTecContrato::quCtrCadastroACVINCULOChange(Field&)
{
    quCtrCadastroAfterScroll(*quCtrCadastro);
}
