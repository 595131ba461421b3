// Open handlers of TdmTec: the host's masks, the SQL dump of traced queries,
// the open log, and the order code kept when the order search list closes.

#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"

#include <QDir>
#include <QFile>

using host::data::Dataset;

namespace {

void logAbertura(const host::data::Query& query, const QString& texto)
{
    dmGlobal->Log("[" + query.name() + " Open]", texto, {});
}

}  // namespace

QString TdmTec::SalvarSQLQuery(const host::data::Query& query) const
{
    if (!bDetectarErroSQL)
        return {};
    // ddmmyy_hhmmsszzz: 6 December 2026 at 14:30:05.123 gives 061226_143005123.
    const QString carimbo = QDateTime::currentDateTime().toString("ddMMyy_hhmmsszzz");
    const QString arquivo = QDir(sCaminhoSistema).filePath("SQLQuery/" + query.name() + carimbo + ".SQL");
    QFile file(arquivo);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};   // the folder is not ours to create; a missing one means no dump
    file.write(query.sql().toUtf8());
    return arquivo;
}

void TdmTec::quPesqOSBeforeOpen(Dataset&)
{
    SalvarSQLQuery(*quPesqOS);
}

void TdmTec::quPesqOSAfterOpen(Dataset&)
{
    dmGlobal->SetaMascaraField(*quPesqOS);
}

void TdmTec::quPesqOSBeforeClose(Dataset&)
{
    if (host::data::Field* codigo = quPesqOS->findField("aoCodigo"))
        iOSPesquisaAtual = codigo->asInteger();
}

void TdmTec::quOSComprasCliBeforeOpen(Dataset&)
{
    logAbertura(*quOSComprasCli, "***INICIO");
    logAbertura(*quOSComprasCli, GetSQLtextComParametros(*quOSComprasCli, false));
}

void TdmTec::quOSComprasCliAfterOpen(Dataset&)
{
    logAbertura(*quOSComprasCli, "***FIM");
}

void TdmTec::quOSItemDefBeforeOpen(Dataset&)
{
    SalvarSQLQuery(*quOSItemDef);
}

void TdmTec::quAssVendaItemBeforeOpen(Dataset&)
{
    SalvarSQLQuery(*quAssVendaItem);
}
