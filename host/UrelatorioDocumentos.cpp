// Host routines the printed service-order documents call: generic products,
// the remanufacture note, the photo table and the stored page positions.

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Ufoto.h"
#include "host/Urelatorio.h"
#include "host/data/Field.h"
#include "host/data/Query.h"

#include <QDir>
#include <QSettings>

bool ProdutoGenerico(const QString& produto)
{
    const QString codigo = produto.trimmed();
    if (codigo.isEmpty())
        return false;
    return codigo == parametroAparado("ATPRODUTOGENERICO1") ||
           codigo == parametroAparado("ATPRODUTOGENERICO2");
}

QString TdmGlobal::RetornaObservacaoRemanufatura(int aoCodigo)
{
    std::unique_ptr<host::data::Query> itens = CriarIbQuery("quObsRemanufatura");
    itens->setSql("select AOITCODIGOINTERNO from AATC01AOIT where AOCODIGO = :aocodigo and AOITAPROVADO = 'S'"
                  " order by AOITCODIGO");
    itens->paramByName("aocodigo")->setAsInteger(aoCodigo);
    itens->open();
    QStringList codigos;
    for (; !itens->eof(); itens->next())
        if (const QString codigo = itens->fieldByName("AOITCODIGOINTERNO")->asString().trimmed(); !codigo.isEmpty())
            codigos << codigo;
    return codigos.isEmpty() ? QString() : "Cód. Int.: " + codigos.join(", ");
}

bool CarregaFotoTabela(const QString& codigo, const QString& id, int sequencia, QByteArray& foto)
{
    std::unique_ptr<host::data::Query> consulta = CriarIbQuery("quFotoTabela");
    consulta->setSql("select FTFOTO from FOTO where FTCODIGO = :ftCodigo and FTID = :ftId"
                     " and FTSEQUENCIA = :ftSequencia");
    consulta->paramByName("ftCodigo")->setAsString(codigo);
    consulta->paramByName("ftId")->setAsString(id);
    consulta->paramByName("ftSequencia")->setAsInteger(sequencia);
    consulta->open();
    if (consulta->isEmpty())
        return false;
    foto = consulta->fieldByName("FTFOTO")->asBytes();
    return true;
}

namespace {

QString arquivoPosicaoRelatorio() { return QDir(sCaminhoSistema).filePath("PosicaoRelatorio.ini"); }
QString secaoPosicaoRelatorio(int numero) { return "Relatorio_" + QString::number(numero); }

}  // namespace

void AplicaPosicionamentoPagina(host::report::Report& relatorio, int numero, host::report::Report&,
                                host::report::Band*)
{
    QSettings ini(arquivoPosicaoRelatorio(), QSettings::IniFormat);
    ini.beginGroup(secaoPosicaoRelatorio(numero));
    host::report::Margins& margens = relatorio.page().margins;
    margens.left += ini.value("Esquerda", 0.0).toDouble();
    margens.top += ini.value("Topo", 0.0).toDouble();
}

void GravaPosicionamentoPagina(int numero, double esquerda, double topo)
{
    QSettings ini(arquivoPosicaoRelatorio(), QSettings::IniFormat);
    ini.beginGroup(secaoPosicaoRelatorio(numero));
    ini.setValue("Esquerda", esquerda);
    ini.setValue("Topo", topo);
}
