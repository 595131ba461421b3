#include "app/OrdensContratos.h"

#include "host/Udmglobal.h"
#include "host/Uprincipal.h"
#include "host/db/Database.h"
#include "host/ui/Dialogs.h"
#include "host/ui/Errors.h"

#include <QLibrary>
#include <QTextStream>

namespace app {

namespace {

int ultimaOrdem()
{
    return host::db::selectValue(*dmGlobal->IBTransaction1, "select coalesce(max(AOCODIGO), 0) from AATC01AO").toInt();
}

// The contract orders numbered after `anterior`, with the contract of their items.
QStringList ordensDepoisDe(int anterior)
{
    host::db::Statement ordens(*dmGlobal->IBTransaction1,
                               "select os.AOCODIGO, min(i.ACCODIGO), os.CLCODIGO, os.AODATAENTRADA from AATC01AO os"
                               " left join AATC01AOIT i on i.AOCODIGO = os.AOCODIGO"
                               " where os.AOCODIGO > :ANTERIOR and os.AORETORNO = 'C'"
                               " group by os.AOCODIGO, os.CLCODIGO, os.AODATAENTRADA order by os.AOCODIGO");
    ordens.setParam("ANTERIOR", anterior);
    ordens.execute();
    QStringList linhas;
    while (ordens.fetch())
        linhas << QString("OS %1  Contrato %2  Cliente %3  Entrada %4")
                      .arg(ordens.value(0).toInt(), 9, 10, QChar('0'))
                      .arg(ordens.value(1).toString(), ordens.value(2).toString().trimmed(),
                           ordens.value(3).toDateTime().toString("dd/MM/yyyy"));
    return linhas;
}

}  // namespace

LancaOrdemServico resolverLancaOrdemServico(QLibrary& biblioteca)
{
    return reinterpret_cast<LancaOrdemServico>(biblioteca.resolve("LancaOrdemServico"));
}

QStringList gerarOrdensContratos(LancaOrdemServico lanca)
{
    const int anterior = ultimaOrdem();
    lanca(0, {}, {}, {}, {}, {}, {}, QDateTime(), true);
    return ordensDepoisDe(anterior);
}

void ligarMenuOrdensContratos(TfmPrincipal& principal, LancaOrdemServico lanca)
{
    if (!lanca)
        return;
    principal.miOrdemServicoContrato->setEnabled(true);
    principal.miOrdemServicoContrato->OnClick = [lanca](QObject*) {
        const QStringList linhas = gerarOrdensContratos(lanca);
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
        return 2;
    }
    QStringList linhas;
    if (!host::ui::runGuarded([&] { linhas = gerarOrdensContratos(lanca); }))
        return 1;
    for (const QString& linha : linhas)
        saida << linha << Qt::endl;
    if (linhas.isEmpty())
        saida << "Nenhuma ordem de serviço gerada." << Qt::endl;
    return 0;
}

}  // namespace app
