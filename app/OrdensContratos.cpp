#include "app/OrdensContratos.h"

#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Uprincipal.h"
#include "host/Ulote.h"
#include "host/db/Database.h"
#include "host/ui/Dialogs.h"
#include "host/ui/Errors.h"

#include <QLibrary>
#include <QTextStream>

namespace app {

namespace {

// The orders made, with the contract of their items.
QStringList linhasDasOrdens(const QList<int>& ordens)
{
    if (ordens.isEmpty())
        return {};
    host::db::Statement consulta(*dmGlobal->IBTransaction1,
                                 "select os.AOCODIGO, min(i.ACCODIGO), os.CLCODIGO, os.AODATAENTRADA from AATC01AO os"
                                 " left join AATC01AOIT i on i.AOCODIGO = os.AOCODIGO"
                                 " where " + CondicaoEmLista("os.AOCODIGO", ordens) +
                                 " group by os.AOCODIGO, os.CLCODIGO, os.AODATAENTRADA order by os.AOCODIGO");
    consulta.execute();
    QStringList linhas;
    while (consulta.fetch())
        linhas << QString("OS %1  Contrato %2  Cliente %3  Entrada %4")
                      .arg(consulta.value(0).toInt(), 9, 10, QChar('0'))
                      .arg(consulta.value(1).toString(), consulta.value(2).toString().trimmed(),
                           consulta.value(3).toDateTime().toString("dd/MM/yyyy"));
    return linhas;
}

void lancarOrdens(LancaOrdemServico lanca)
{
    host::ultimoResultadoLote() = {};
    lanca(0, {}, {}, {}, {}, {}, {}, QDateTime(), true);
}

QString resumo(const host::ResultadoLote& resultado)
{
    return QString("%1 ordens geradas, %2 contratos com erro").arg(resultado.feitos.size()).arg(resultado.falhas.size());
}

}  // namespace

LancaOrdemServico resolverLancaOrdemServico(QLibrary& biblioteca)
{
    return reinterpret_cast<LancaOrdemServico>(biblioteca.resolve("LancaOrdemServico"));
}

QStringList gerarOrdensContratos(LancaOrdemServico lanca)
{
    lancarOrdens(lanca);
    return linhasDasOrdens(host::ultimoResultadoLote().feitos);
}

void ligarMenuOrdensContratos(TfmPrincipal& principal, LancaOrdemServico lanca)
{
    if (!lanca)
        return;
    principal.miOrdemServicoContrato->setEnabled(true);
    principal.miOrdemServicoContrato->OnClick = [lanca](QObject*) {
        const QStringList linhas = gerarOrdensContratos(lanca);
        if (host::ultimoResultadoLote().recusado)
            return;   // the run told why
        if (linhas.isEmpty())
            host::ui::Dialogs::information("Nenhuma ordem de serviço gerada.");
        else
            host::ui::Dialogs::longText("Ordens de Serviço dos Contratos",
                                        QString("Ordens de serviço geradas: %1").arg(linhas.size()), linhas.join("\n"));
    };
}

int executarOrdensContratos(LancaOrdemServico lanca)
{
    QTextStream saida(stdout);
    if (!lanca) {
        saida << "O módulo não gera ordens de serviço automáticas." << Qt::endl;
        return kSaidaSemRotina;
    }
    // Each order is printed once committed: a run stopped later has told
    // what it made.
    host::avisoFeitoLote() = [&saida](int ordem) {
        for (const QString& linha : linhasDasOrdens({ordem}))
            saida << linha << Qt::endl;
    };
    // The orders were printed as they were made: nothing is read again
    // after the run, which could only turn work done into a failure.
    const bool executou = host::ui::runGuarded([&] { lancarOrdens(lanca); });
    host::avisoFeitoLote() = {};
    if (!executou)
        return kSaidaFalhou;
    const host::ResultadoLote& resultado = host::ultimoResultadoLote();
    if (resultado.recusado)
        return kSaidaOutraExecucao;
    if (resultado.feitos.isEmpty())
        saida << "Nenhuma ordem de serviço gerada." << Qt::endl;
    saida << resumo(resultado) << Qt::endl;
    return resultado.falhas.isEmpty() ? 0 : kSaidaContratosComErro;
}

}  // namespace app
