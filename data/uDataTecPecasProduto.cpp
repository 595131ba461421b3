// The product rule of a parts line: when PRCODIGO changes the line takes the
// product's data and tax rates, and its unit price through currency,
// promotion, discount source, price table and per-location price, in that
// order (a later step may override an earlier one), then its fiscal
// operation. Every unit-value assignment recomputes the line total through
// the field's change rule.

#include "data/uDataTec.h"
#include "data/uDataTecLinhas.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"

#include "host/data/Abort.h"
#include "host/data/HandlerGuard.h"

using host::data::DetachHandler;
using host::data::Field;

namespace {

// What the rule reads of the product, in one statement.
struct Produto {
    QString codigo;
    QString moeda;
    double precoMoeda = 0;
    double precoVenda = 0;
    double custo = 0;
    double cmvMoeda = 0;
    double estoque = 0;
    double reservado = 0;
    double desconto = 0;
    double precoPromocional = 0;
    QDate inicioPromocao, fimPromocao;
    double ipi = 0, icms = 0;
    QString grupo;
};

bool lerProduto(TdmTec& tec, const QString& codigo, Produto& produto)
{
    std::unique_ptr<host::data::Query> consulta = CriarIbQuery();
    // Each column once: a dataset holds one field per name.
    consulta->setSql(
        "Select descricao, PCO_MOEDA, moMoeda, pco_venda, estoque, Unidade_Medida, qtde_Producao, Desconto,"
        " Outro_Codigo, pco_custo, PRPRECOPROMOCIONAL, PRDATAPROMOCAO, PRDESCRICAOCOMERCIAL, PRPOSICIONAMENTO,"
        " PRINICIOPROMOCAO, AIQ_IPI, GRUPO, PRCMVMOEDA, PERCENTUAL_ICMS From Acec1101 Where codigo = " +
        QuotedStr(codigo));
    consulta->open();
    if (consulta->isEmpty()) {
        consulta->close();
        return false;
    }
    auto texto = [&](const char* coluna) { return consulta->fieldByName(QString::fromLatin1(coluna))->asString(); };
    auto numero = [&](const char* coluna) { return consulta->fieldByName(QString::fromLatin1(coluna))->asFloat(); };
    auto data = [&](const char* coluna) {
        return consulta->fieldByName(QString::fromLatin1(coluna))->asDateTime().date();
    };
    produto.codigo = codigo;
    produto.moeda = texto("MOMOEDA");
    produto.precoMoeda = numero("PCO_MOEDA");
    produto.precoVenda = numero("PCO_VENDA");
    produto.custo = numero("PCO_CUSTO");
    produto.cmvMoeda = numero("PRCMVMOEDA");
    produto.estoque = numero("ESTOQUE");
    produto.reservado = numero("QTDE_PRODUCAO");
    produto.desconto = numero("DESCONTO");
    produto.precoPromocional = numero("PRPRECOPROMOCIONAL");
    produto.inicioPromocao = data("PRINICIOPROMOCAO");
    produto.fimPromocao = data("PRDATAPROMOCAO");
    produto.ipi = numero("AIQ_IPI");
    produto.icms = numero("PERCENTUAL_ICMS");
    produto.grupo = texto("GRUPO");

    tec.quOSPecasDESCRICAO->setAsString(texto("DESCRICAO"));
    tec.quOSPecasGRUPO->setAsString(produto.grupo);
    tec.quOSPecasPRDESCRICAOCOMERCIAL->setAsString(texto("PRDESCRICAOCOMERCIAL"));
    tec.quOSPecasPRPOSICIONAMENTO->setAsString(texto("PRPOSICIONAMENTO"));
    tec.quOSPecasOUTRO_CODIGO->setAsString(texto("OUTRO_CODIGO"));
    tec.quOSPecasUNIDADE_MEDIDA->setAsString(texto("UNIDADE_MEDIDA"));
    tec.quOSPecasDISPONIVEL->setAsFloat(produto.estoque - produto.reservado);
    tec.quOSPecasRESERVADO->setAsFloat(produto.reservado);
    tec.quOSPecasPCO_VENDA->setAsFloat(produto.precoVenda);
    tec.quOSPecasPCO_CUSTO->setAsFloat(produto.custo);
    consulta->close();
    return true;
}

void aliquotas(TdmTec& tec, const Produto& produto)
{
    if (tec.quOSOFISENTOIE->asString() == "C" && tec.quOSCLIE->asString().toUpper() == "ISENTO")
        tec.quOSPecasAPICMS->setAsFloat(produto.icms);
    else if (tec.quOSASSUME_ICMS_SN->asString().toUpper() == "N")
        tec.quOSPecasAPICMS->setAsFloat(tec.quOSICMS->asFloat());
    else
        tec.quOSPecasAPICMS->setAsFloat(produto.icms);
    if (tec.quOSVAL_ITEM_IPI->asString() != "N")
        tec.quOSPecasAPIPI->setAsFloat(produto.ipi);
}

void precoBase(TdmTec& tec, const Produto& produto)
{
    if (parametroAparado("ATPRECOMOEDA") == "S" && !produto.moeda.isEmpty())
        tec.quOSPecasAPVALUNITARIO->setAsFloat(
            produto.precoMoeda * dmGlobal->CotacaoMoeda(produto.moeda, QDateTime::currentDateTime(), true));
    else
        tec.quOSPecasAPVALUNITARIO->setAsFloat(produto.precoVenda);
}

// A promotion holds from its first day through its last, each open when empty.
void promocao(TdmTec& tec, const Produto& produto)
{
    const QDate hoje = QDate::currentDate();
    if (produto.precoPromocional > 0 && (!produto.fimPromocao.isValid() || hoje <= produto.fimPromocao) &&
        (!produto.inicioPromocao.isValid() || hoje >= produto.inicioPromocao)) {
        tec.quOSPecasAPVALUNITARIO->setAsFloat(Trunc2Casas(produto.precoPromocional));
        tec.quOSPecasAPPROMOCAO->setAsString("S");
    }
}

void origemDesconto(TdmTec& tec, const Produto& produto)
{
    const QString origem = parametroAparado("ATDESCONTOPECA");
    if (origem == "C" || origem == "E")
        tec.quOSPecasAPDESCONTO->setAsFloat(tec.quOSCLDESCONTO->asFloat());
    else if (origem == "P")
        tec.quOSPecasAPDESCONTO->setAsFloat(produto.desconto);
}

void precoPorLocal(TdmTec& tec, const QString& codigo)
{
    if (parametroAparado("ATPRECOPORLOCAL") != "P")
        return;
    rAuxiliarGeral = CarregaNumero("poPrecoVenda", "Acec11po",
                                   "where prCodigo = " + QuotedStr(codigo) + " and leCodigo = " +
                                       QuotedStr(tec.quOSPecasLECODIGO->asString()));
    if (rAuxiliarGeral > 0)
        tec.quOSPecasAPVALUNITARIO->setAsFloat(rAuxiliarGeral);
}

}  // namespace

void TdmTec::quOSPecasPRCODIGOChange(Field&)
{
    const QString codigo = quOSPecasPRCODIGO->asString();
    // Emptying the refused code must not run this rule again.
    auto esvaziarCodigo = [this] {
        DetachHandler semRegra(quOSPecasPRCODIGO->onChange);
        quOSPecasPRCODIGO->clear();
    };
    try {
        dmGlobal->VerificaVendaProdutoRepetido(codigo, "prCodigo", "aatc01ap",
                                               " and aoCodigo= " + QuotedStr(quOSAOCODIGO->asString()), "APQUANTIDADE",
                                               quOSPecas);
    } catch (...) {   // the host's refusal, silent; any other failure goes on with its own message
        esvaziarCodigo();
        throw;
    }
    if (codigo.isEmpty())
        return;

    Produto produto;
    if (!lerProduto(*this, codigo, produto)) {
        esvaziarCodigo();
        dmGlobal->MostraAviso("Código não encontrado.", false);
        host::abortOperation();
    }
    aliquotas(*this, produto);
    precoBase(*this, produto);
    promocao(*this, produto);
    origemDesconto(*this, produto);
    uDataTecLinhas::tabelaPreco(*this, {quOSPecasAPVALUNITARIO, quOSPecasAPDESCONTO, quOSPecasAPPROMOCAO},
                                {codigo, produto.grupo, produto.custo, produto.cmvMoeda}, "RADESCONTOPROD");
    precoPorLocal(*this, codigo);
    uDataTecLinhas::operacaoFiscal(*this, quOSPecasOFCODIGO, codigo);
}
