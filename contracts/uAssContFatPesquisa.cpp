// The selection statement of the contract invoicing window and the
// generator's arguments of one selected contract.

#include "contracts/uAssContFatPesquisa.h"

#include "contract_data/uDataTecCont.h"
#include "contract_data/uDataTecContParcelas.h"
#include "host/Udatamod.h"
#include "host/Uglobal.h"
#include "host/data/Dataset.h"

namespace uAssContFat {

using host::data::FieldType;

const QStringList& OrdensPesquisa()
{
    static const QStringList ordens = {"Nenhum", "Nome Contratante", "Número Contrato", "Código Contrato",
                                       "Código do Cliente"};
    return ordens;
}

QString ClausulaOrdem(int indice)
{
    static const QStringList clausulas = {"", "Order by Cli.Nome", "Order by Cont.acNumeroContrato",
                                          "Order by Cont.acCodigo", "Order by Cli.Codigo_Cliente"};
    return indice >= 0 && indice < clausulas.size() ? clausulas.at(indice) : QString();
}

QStringList NumerosContrato(const QString& texto)
{
    QStringList numeros;
    for (QString numero : texto.split(',')) {
        numero = numero.trimmed();
        if (numero.size() >= 2 && numero.startsWith('\'') && numero.endsWith('\''))
            numero = numero.mid(1, numero.size() - 2).trimmed();
        numeros << numero;
    }
    return numeros;
}

namespace {

QString selecao(int modo, bool bContagem)
{
    if (bContagem)
        return "Select Count(*) ";
    QString sql = "select \r  cont.*, \r  Cli.Nome, \r  obj.ofCodigo ";
    if (modo == ApenasOficializar)
        sql += ", Rec.* ";
    return sql;
}

QString origem(int modo)
{
    QString sql = "from AATC05AC cont \rLeft Outer Join Augc0301 Cli On (Cont.clCodigo=Cli.codigo_cliente) ";
    if (modo == ApenasOficializar)
        sql += "Left Outer Join Acrc5001 Rec On (Cont.acCodigo = Rec.aoCodigo and " +
               uDataTecContParcelas::CondicaoParcelaDoContrato("Rec") + ") ";
    return sql + "Left outer join Aatc11Aj Obj on (Cont.AjCodigo = Obj.AjCodigo) ";
}

QString filtrosContrato(const FiltrosFaturamento& f)
{
    // The contracts in force, as the register's forecast and the readjustment take them.
    QString sql = "Where " + CondicaoContratoEmVigor("Cont.ACSITUACAO", f.opcaoContrato);
    if (!f.campoLivre.isEmpty())
        sql += AdicionaFiltro("Cont." + f.campoLivre, f.valorLivre, {}, f.tipoCampoLivre, "C");
    sql += " and ((Cont.acVinculo <> 'C') or (Cont.acVinculo is null))";
    if (!f.contratosAleatorios.trimmed().isEmpty())
        sql += " and " + CondicaoEmLista("Cont.acNumeroContrato", NumerosContrato(f.contratosAleatorios));
    sql += AdicionaFiltro("cont.acCodigo", f.contratoIni, f.contratoFim, FieldType::Int32, "F");
    sql += AdicionaFiltro("cont.cxCodigo", f.contaIni, f.contaFim, FieldType::String, "F");
    sql += AdicionaFiltro("cont.ACLOCAL", f.filial, {}, FieldType::String, "I");
    sql += AdicionaFiltro("cont.AjCodigo", f.objetoIni, f.objetoFim, FieldType::String, "F");
    sql += AdicionaFiltro("cont.ACContratante", f.contratanteIni, f.contratanteFim, FieldType::String, "F");
    if (!f.natureza.isEmpty())
        sql += AdicionaFiltro("cont.ACNatureza", f.natureza, {}, FieldType::String, "F");
    return sql;
}

QString filtrosParcela(const FiltrosFaturamento& f)
{
    QString sql = AdicionaFiltro("Rec.Numero_Documento", f.documentoIni, f.documentoFim, FieldType::String, "F");
    sql += " and not(Rec.aoCodigo is null) ";
    sql += f.contasAbertas ? " and Coalesce(Rec.PEDIDO,'') = ''   " : " and situacao_documento='V'";
    return sql + AdicionaFiltro("Rec.data_vencimento", f.vencimentoIni, f.vencimentoFim, FieldType::DateTime, "F");
}

}  // namespace

QString SqlPesquisaContrato(const FiltrosFaturamento& filtros, int modo, bool bSemPrevisao, bool bContagem)
{
    QString sql = selecao(modo, bContagem) + origem(modo) + filtrosContrato(filtros);
    if (modo == ApenasOficializar)
        sql += filtrosParcela(filtros);
    if (bSemPrevisao)
        sql += " and (Select Count(*) from acrc5001 rec Where Cont.acCodigo = Rec.aoCodigo and "
               "Rec.situacao_documento='V' and " +
               uDataTecContParcelas::CondicaoParcelaDoContrato("Rec") + ") = 0 ";
    if (!bContagem && filtros.ordem >= 0)
        sql += "\r" + ClausulaOrdem(filtros.ordem);
    return sql;
}

QString SqlParcelasContrato(const QString& condicao)
{
    return "  select \rRec.AOCODIGO, \rRec.CODIGO_CLIENTE, \rRec.DATA_EMISSAO, \rRec.DATA_VENCIMENTO, "
           "\rRec.NUMERO_DOCUMENTO, \rRec.OBSERVACAO, \rRec.SEQUENCIA, \rRec.VALOR_DOCUMENTO,  \rcli.Nome, "
           "\rCont.acNumeroContrato \rFrom Acrc5001 Rec  \rLeft Outer Join Aatc05ac cont On (cont.acCodigo = "
           "rec.aoCodigo) \rLeft Outer Join Augc0301 Cli On (Rec.Codigo_cliente=Cli.codigo_cliente) \rWhere " +
           condicao;
}

ArgumentosParcelas ArgumentosParcelasContrato(host::data::Dataset& selecao, const QString& periodoInicial,
                                              const QString& periodoFinal, const QString& dataEmissao, int modo)
{
    auto texto = [&](const char* campo) { return selecao.fieldByName(campo)->asString(); };
    auto inteiro = [&](const char* campo) { return selecao.fieldByName(campo)->asInteger(); };
    ArgumentosParcelas a;
    a.modalidade = texto("ACMODALIDADE");
    a.periodoInicial = periodoInicial;
    a.periodoFinal = periodoFinal;
    a.cliente = texto("CLCODIGO");
    a.nota = modo == ParcelaENota;
    a.diaVencimento = texto("ACVENCIMENTO");
    a.contrato = inteiro("ACCODIGO");
    a.valorParcela = selecao.fieldByName("ACVALORPARCELA")->asFloat();
    a.filial = texto("ACLOCAL");
    a.tipoPagamento = texto("ACTIPOPAGAMENTO");
    a.banco = texto("BCCODIGO");
    a.dataEmissao = dataEmissao;
    a.periodo = texto("ACPERIODO");
    a.objeto = inteiro("AJCODIGO");
    a.filialPedido = texto("ACLOCAL");
    a.operacao = texto("OFCODIGO");
    a.ultimo = selecao.recNo() == selecao.recordCount();
    a.textoObjeto = QString();
    a.revisarCaixa = true;
    return a;
}

void InserirParcelas(const ArgumentosParcelas& a, int& contador, QStringList* aviso)
{
    InserirParcelasContrato(a.modalidade, a.periodoInicial, a.periodoFinal, a.cliente, a.nota, a.diaVencimento,
                            a.contrato, a.valorParcela, a.filial, a.tipoPagamento, a.banco, a.dataEmissao,
                            a.periodo, contador, a.objeto, a.filialPedido, a.operacao, a.ultimo, a.textoObjeto,
                            a.revisarCaixa, aviso, a.contaDebito, a.contaCredito);
}

bool NormalizaContratante(const QString& texto, QString& codigo)
{
    bool ok = false;
    const int numero = texto.trimmed().toInt(&ok);
    if (!ok)
        return false;
    codigo = QString("%1").arg(numero, 5, 10, QChar('0'));
    return true;
}

}  // namespace uAssContFat
