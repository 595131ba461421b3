// The persistent fields of the assistance-order datasets. The table's own
// columns come from the host table's column list (the update objects write
// every one of them), the joined and computed columns of the statements are
// listed here; then the order's display conventions: money
// "###,###,##0.00", dates shown "DD/MM/YY" and typed through
// "!99/99/99;1;_", the line's value, discount and total formats.

#include "data/uDataTec.h"
#include "host/ClienteCadastrado.h"
#include "host/Udatamod.h"

#include "host/schema/SchemaDefinition.h"

#include <stdexcept>

using host::data::Field;
using host::data::FieldType;
using host::data::Query;
namespace schema = host::schema;

namespace {

FieldType tipoDaColuna(const schema::ColumnType& tipo, int& tamanho)
{
    tamanho = 0;
    switch (tipo.kind) {
    case schema::ColumnKind::VarChar: tamanho = tipo.length; return FieldType::String;
    case schema::ColumnKind::ProductCode: tamanho = 11; return FieldType::String;
    case schema::ColumnKind::SmallInt: return FieldType::Int16;
    case schema::ColumnKind::Integer: return FieldType::Int32;
    case schema::ColumnKind::Timestamp: return FieldType::DateTime;
    case schema::ColumnKind::Double:
    case schema::ColumnKind::Valor: return FieldType::Float;
    case schema::ColumnKind::Memo: return FieldType::Memo;
    case schema::ColumnKind::Blob: return FieldType::Blob;
    }
    return FieldType::String;
}

const schema::TableDef& tabela(const char* nome)
{
    const schema::TableDef* def = schema::findTable(QString::fromLatin1(nome));
    if (!def)
        throw std::logic_error(std::string("no host table ") + nome);
    return *def;
}

void camposDaTabela(Query& consulta, const char* nomeTabela)
{
    for (const schema::ColumnDef& coluna : tabela(nomeTabela).columns) {
        int tamanho = 0;
        const FieldType tipo = tipoDaColuna(coluna.type, tamanho);
        consulta.addField(QString::fromLatin1(coluna.name), tipo, tamanho);
    }
}

// A joined column, typed as its table has it, under the statement's alias.
void campoJunto(Query& consulta, const char* nomeTabela, const char* coluna, const char* alias = nullptr)
{
    for (const schema::ColumnDef& def : tabela(nomeTabela).columns)
        if (qstrcmp(def.name, coluna) == 0) {
            int tamanho = 0;
            const FieldType tipo = tipoDaColuna(def.type, tamanho);
            consulta.addField(QString::fromLatin1(alias ? alias : coluna), tipo, tamanho);
            return;
        }
    throw std::logic_error(std::string("no column ") + coluna + " in " + nomeTabela);
}

const char* const kDatasPedido[] = {"DATA_EMISSAO", "DATA_ENTREGA", "VEDATAPRODUCAO", "VEDATAENTRADA",
                                    "VEDATANEGOCIACAO", "VEINICIOVIGENCIA", "VETERMINOVIGENCIA",
                                    "VEDATAPAGAMENTO", "VEDATARA", "VEDATAPROPOSTA", "VEDATAPROXREAJUSTE"};

void camposPedido(Query& pedido)
{
    camposDaTabela(pedido, "AVEC8501");
    for (const char* coluna : {"TIPO_OP", "ASSUME_ICMS_SN", "ICMS", "VAL_ITEM_IPI", "PERC_CALC", "BASE_CALC_IPI",
                               "OFMARKUPMINIMO", "OFISENTOIE"})
        campoJunto(pedido, "AFVC0901", coluna);
    for (const char* coluna : {"CLIE", "TELEFONE1", "ENDERECO", "ENDERECO_ENTREGA", "ENDERECO_COBRANCA", "CIDADE"})
        campoJunto(pedido, "AUGC0301", coluna);
    campoJunto(pedido, "EA", "NOME", "EMPRESA");

    pedido.fieldByName("NUMERO_PEDIDO")->setRequired(true);
    for (const char* valor : {"VEVALORSUPRIMENTOS", "VALOR_TOTAL", "VALOR_ICMS", "VALOR_IPI"})
        pedido.fieldByName(valor)->setDisplayFormat("###,###,##0.00");
    for (const char* data : kDatasPedido) {
        Field* campo = pedido.fieldByName(data);
        campo->setDisplayFormat("DD/MM/YY");
        campo->setEditMask("!99/99/99;1;_");
    }
}

void camposItem(Query& item)
{
    camposDaTabela(item, "AVEC85IT");
    campoJunto(item, "AVEC8501", "VECODIGOPENDENCIA");
    struct Junto {
        const char* coluna;
        const char* alias;
    };
    const Junto produto[] = {
        {"DESCRICAO", nullptr}, {"PCO_VENDA", nullptr}, {"PCO_CUSTO", nullptr}, {"PRCMV", nullptr},
        {"UNIDADE_MEDIDA", nullptr}, {"OUTRO_CODIGO", nullptr}, {"COM_FAB_S_FS", "ORIGEM"},
        {"COD_EMB_COLECAO", nullptr}, {"COMPLEMENTO_DESC", "COMPLEMENTO"}, {"QTDE_PRODUCAO", "RESERVADO"},
        {"ESTOQUE", nullptr}, {"PRCODIGOALTERNATIVO", nullptr}, {"GRUPO", nullptr},
        {"PRDESCRICAOCOMERCIAL", nullptr}, {"ESTOQUE_MINIMO", nullptr}, {"ICMS_PARA_REDUCAO", nullptr},
        {"PRPRECOEQUILIBRIO", nullptr}, {"TIPO_SUB_TRIB", nullptr}, {"PRIMUNE", nullptr}, {"PRCOR", nullptr},
        {"PRTAMANHO", nullptr}, {"COD_LISTA_PRECO", nullptr}, {"PCO_VDA_ANTERIOR", nullptr},
        {"PRPRECOSUGERIDO", nullptr}, {"ESTOQUE", "ESTOQUE_TOTAL"}, {"PRGARANTIA", nullptr},
        {"PRPOSICIONAMENTO", nullptr}, {"PRCODIGOFORNECEDOR", nullptr}, {"ESTOQUE", "ESTOQUE_LOCAL"},
    };
    for (const Junto& junto : produto)
        campoJunto(item, "ACEC1101", junto.coluna, junto.alias);
    campoJunto(item, "ACEC1201", "DESCRICAO", "DESCRICAOGRUPO");
    campoJunto(item, "ACEC1301", "MARCA");
    for (const char* calculado : {"VEITVALORIPICALC", "VEITVALORUNITARIOIPI", "VEITVALORCOMIPIDESCONTO",
                                  "VEITVALORCOMDESCONTO", "VEITVALORIPISEMDESCONTO"})
        item.addField(QString::fromLatin1(calculado), FieldType::Float);
    item.addField("DACODIGOALTERNATIVO", FieldType::String, 11);
    // Substrings of text blobs: the engine gives them as blobs.
    item.addField("DESCGENERICO", FieldType::Memo);
    item.addField("DESCRICAOESPECIFICACAO", FieldType::Memo);
    for (const char* calculado : {"VEITVALORLIQUIDO", "VEITVALORLIQUIDOIMPRESSO", "VEITENTREGASALDO",
                                  "VEITVALORCMVTOTAL", "VEITVALORCMVMARKUP", "VEITVALORCMVDIFERENCA",
                                  "VEITVALORCUSTODIF"})
        item.addCalculatedField(QString::fromLatin1(calculado), FieldType::Float);

    item.fieldByName("COD")->setDisplayLabel("Sequência");
    item.fieldByName("VALOR")->setDisplayFormat("###,###,##0.00##");
    item.fieldByName("DESCONTO")->setDisplayFormat("0.00");
    item.fieldByName("TOTAL_UNIT")->setDisplayFormat("###,###,##0.00#");
    for (const char* data : {"DATA_EMISSAO", "VEITENTREGADATA", "VEITMOEDACOTACAODATA"})
        item.fieldByName(data)->setEditMask("!99/99/99;1;_");
}

void camposCotado(Query& cotado)
{
    camposDaTabela(cotado, "AVEC85LX");
    for (const char* coluna : {"DESCRICAO", "UNIDADE_MEDIDA", "PNCODIGO", "OUTRO_CODIGO"})
        campoJunto(cotado, "ACEC1101", coluna);
    cotado.addField("DESCRICAOESPECIFICACAO", FieldType::Memo)->setDisplayLabel("Não Disponível");
    cotado.addCalculatedField("QUANTIDADETIPO", FieldType::Float);
    struct Rotulo {
        const char* campo;
        const char* rotulo;
    };
    const Rotulo rotulos[] = {
        {"COD", "Seq."}, {"CODIGO", "Código"}, {"NUMERO_PEDIDO", "Nro. Pedido"}, {"VALOR", "Valor"},
        {"QUANTIDADE", "Qtde."}, {"OBS", "Observações"}, {"TOTAL_UNIT", "Total Unitário"},
        {"VEITNUMEROSERIE", "Nro. Série"}, {"DESCRICAO", "Descrição Produto"}, {"UNIDADE_MEDIDA", "Unidade Medida"},
        {"LECODIGO", "Cod. Local"}, {"VEITCOMPLEMENTO", "Complemento"}, {"QUANTIDADETIPO", "Qtde. Tipo"},
        {"OUTRO_CODIGO", "Código Barras"}, {"VECODIGOPENDENCIA", "Código Pendência"},
        {"VEITCODIGOREF", "Código Produto Ref."}, {"VEITCODREF", "Código Item Ref."}, {"PNCODIGO", "Não Disponível"},
    };
    for (const Rotulo& r : rotulos)
        cotado.fieldByName(QString::fromLatin1(r.campo))->setDisplayLabel(QString::fromUtf8(r.rotulo));
    for (const char* chave : {"COD", "CODIGO", "NUMERO_PEDIDO"})
        cotado.fieldByName(QString::fromLatin1(chave))->setRequired(true);
    for (const char* valor : {"VALOR", "TOTAL_UNIT"})
        cotado.fieldByName(QString::fromLatin1(valor))->setDisplayFormat("###,###,##0.00");
    cotado.fieldByName("QUANTIDADETIPO")->setDisplayFormat("###,###,##0");
}

}  // namespace

void TdmTec::createPedidoAssFields()
{
    camposPedido(*quAssVenda);
    camposItem(*quAssVendaItem);
    camposCotado(*quAssVendaCotado);

    Field* codigo = quAssVendaObs->addField("VECODIGO", FieldType::String, 20);
    codigo->setDisplayLabel("Código");
    codigo->setRequired(true);
    quAssVendaObs->addField("VOTEXTO", FieldType::Memo)->setDisplayLabel("Observação");

    quAssCtrlAlter->addField("DATA", FieldType::DateTime);
    quAssCtrlAlter->addField("HORA", FieldType::DateTime)->setDisplayFormat("hh:mm");
    quAssCtrlAlter->addField("USUARIO", FieldType::String, 30);
    quAssCtrlAlter->addField("ACAO", FieldType::String, 50);
}

void TdmTec::bindPedidoAssFieldHandlers()
{
    auto change = [this](void (TdmTec::*handler)(Field&)) {
        return [this, handler](Field& campo) { (this->*handler)(campo); };
    };
    auto text = [this](void (TdmTec::*handler)(Field&, QString&, bool)) {
        return [this, handler](Field& campo, QString& texto, bool exibir) { (this->*handler)(campo, texto, exibir); };
    };
    campoPedido("CODIGO_CLIENTE").onValidate = change(&TdmTec::quAssVendaCODIGO_CLIENTEValidate);
    campoPedido("CODIGO_CLIENTE").onChange = change(&TdmTec::quAssVendaCODIGO_CLIENTEChange);
    host::ExigeClienteCadastrado(campoPedido("CODIGO_CLIENTE"), "Cliente");
    campoPedido("NUMERO_PEDIDO").onChange = change(&TdmTec::quAssVendaNUMERO_PEDIDOChange);
    campoPedido("AUX2").onGetText = text(&TdmTec::quAssVendaAUX2GetText);
    campoPedido("IMPRESSO_NF").onGetText = text(&TdmTec::quAssVendaIMPRESSO_NFGetText);
    campoPedido("VEENVIACONTRATO").onGetText = text(&TdmTec::quAssVendaVEENVIACONTRATOGetText);
    // The screen offers the texts "1 - Sim" to "3 - Não Possui"; the column keeps the digit.
    campoPedido("VEENVIACONTRATO").onSetText = [](Field& campo, const QString& texto) {
        campo.setAsString(texto.trimmed().left(1));
    };

    campoItem("QUANTIDADE").onChange = change(&TdmTec::quAssVendaItemQUANTIDADEChange);
    campoItem("QUANTIDADE").onValidate = change(&TdmTec::quAssVendaItemQUANTIDADEValidate);
    campoItem("TOTAL_UNIT").onChange = change(&TdmTec::quAssVendaItemTOTAL_UNITChange);
    campoItem("COD").onChange = change(&TdmTec::quAssVendaItemCODChange);
    campoItem("VEITCOMPLEMENTO").onGetText = text(&TdmTec::quAssVendaItemVEITCOMPLEMENTOGetText);
    auto setText = [this](void (TdmTec::*handler)(Field&, const QString&)) {
        return [this, handler](Field& campo, const QString& texto) { (this->*handler)(campo, texto); };
    };
    campoItem("CODIGO").onSetText = setText(&TdmTec::quAssVendaItemCODIGOSetText);
    campoItem("CODIGO").onChange = change(&TdmTec::quAssVendaItemCODIGOChange);
    campoItem("COD_LISTA_PRECO").onChange = change(&TdmTec::quAssVendaItemCOD_LISTA_PRECOChange);
    campoItem("PRCODIGOFORNECEDOR").onChange = change(&TdmTec::quAssVendaItemPRCODIGOFORNECEDORChange);
    campoItem("DESCRICAO").onChange = change(&TdmTec::quAssVendaItemDESCRICAOChange);
    campoItem("DACODIGOALTERNATIVO").onChange = change(&TdmTec::quAssVendaItemDACODIGOALTERNATIVOChange);
    campoItem("VALOR").onSetText = setText(&TdmTec::quAssVendaItemVALORSetText);
    campoItem("DESCONTO").onSetText = setText(&TdmTec::quAssVendaItemDESCONTOSetText);
    campoItem("DESCONTO").onChange = change(&TdmTec::quAssVendaItemDESCONTOChange);
    campoItem("IPI").onChange = change(&TdmTec::quAssVendaItemIPIChange);
    campoItem("VEITVALORUNITARIOIPI").onChange = change(&TdmTec::quAssVendaItemVEITVALORUNITARIOIPIChange);
    campoItem("VEITVALORCOMIPIDESCONTO").onChange = change(&TdmTec::quAssVendaItemVEITVALORCOMIPIDESCONTOChange);
    campoItem("VEITENTREGA").onGetText = text(&TdmTec::quAssVendaItemVEITENTREGAGetText);
    campoItem("VEITOPCAOMANUAL").onGetText = text(&TdmTec::quAssVendaItemVEITOPCAOMANUALGetText);
    campoItem("VEITPROMOCAO").onGetText = text(&TdmTec::quAssVendaItemVEITPROMOCAOGetText);
    for (const char* simNao : {"VEITFOTO", "VEITLIBERADOSENHA", "VEITQUANTIDADEALTERADA"})
        campoItem(simNao).onGetText = text(&TdmTec::quAssVendaItemSIMNAOGetText);
    campoItem("VEITEQUIPAMENTOCFG").onGetText = text(&TdmTec::quAssVendaItemVEITEQUIPAMENTOCFGGetText);
    campoItem("VEITENTREGA").onSetText = setText(&TdmTec::quAssVendaItemVEITENTREGASetText);
    campoItem("VEITENTREGA").onValidate = change(&TdmTec::quAssVendaItemVEITENTREGAValidate);
    // A refused location must leave the former one: the check runs before the write.
    campoItem("LECODIGO").onValidate = change(&TdmTec::quAssVendaItemLECODIGOChange);
    campoItem("GRCODIGO").onChange = change(&TdmTec::quAssVendaItemGRCODIGOChange);
    campoItem("MOCODIGO").onChange = change(&TdmTec::quAssVendaItemMOCODIGOChange);
    campoItem("QUANTIDADE").onSetText = setText(&TdmTec::quAssVendaItemQUANTIDADESetText);
    campoItem("VEQUANTIDADEIMPRESSA").onSetText = setText(&TdmTec::quAssVendaItemVEQUANTIDADEIMPRESSASetText);
    campoItem("VEQUANTIDADEIMPRESSA").onChange = change(&TdmTec::quAssVendaItemVEQUANTIDADEIMPRESSAChange);

    campoCotado("CODIGO").onChange = change(&TdmTec::quAssVendaCotadoCODIGOChange);
    campoCotado("CODIGO").onSetText = [this](Field& campo, const QString& texto) { quAssVendaCotadoCODIGOSetText(campo, texto); };
    campoCotado("OUTRO_CODIGO").onSetText = [this](Field& campo, const QString& texto) {
        quAssVendaCotadoOUTRO_CODIGOSetText(campo, texto);
    };
    campoCotado("DESCRICAO").onChange = change(&TdmTec::quAssVendaCotadoDESCRICAOChange);
    // A configured line's total follows its quantity and price while it is
    // typed, as its save computes it.
    auto totalDaLinha = [this] {
        if (quAssVendaCotado->editing())
            campoCotado("TOTAL_UNIT").setAsFloat(
                Trunc2Casas(campoCotado("QUANTIDADE").asFloat() * campoCotado("VALOR").asFloat()));
    };
    campoCotado("QUANTIDADE").onChange = [this, totalDaLinha](Field& campo) {
        quAssVendaCotadoQUANTIDADEChange(campo);
        totalDaLinha();
    };
    campoCotado("VALOR").onChange = [totalDaLinha](Field&) { totalDaLinha(); };
    campoCotado("VEITCOMPLEMENTO").onGetText = text(&TdmTec::quAssVendaItemVEITCOMPLEMENTOGetText);
}
