// The status e-mail of an order: one mail to the customer listing the items
// whose situation asks for a mail (ASEMAIL "S") and that were not mailed
// yet; those items are then marked as mailed.

#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/db/Database.h"

#include <QStringList>

void TdmTec::OSEnviarEmailPorSituacao(int aoCodigo)
{
    const QString ordem = QString::number(aoCodigo);
    host::db::Statement itens(*dmGlobal->IBTransaction1,
                              "select it.AOITCODIGO, it.AOITEQUIPDESCRICAO, it.AOITSERIE, sit.ASDESCRICAO, cl.EMAIL"
                              " from AATC01AOIT it"
                              " join AATC01AS sit on sit.ASCODIGO = it.ASCODIGO"
                              " join AATC01AO os on os.AOCODIGO = it.AOCODIGO"
                              " left join AUGC0301 cl on cl.CODIGO_CLIENTE = os.CLCODIGO"
                              " where it.AOCODIGO = " + ordem +
                                  " and sit.ASEMAIL = 'S' and coalesce(it.AOITEMAILENVIADO, 'N') <> 'S'"
                                  " order by it.AOITCODIGO");
    itens.execute();
    QStringList linhas, codigos;
    QString email;
    while (itens.fetch()) {
        codigos << itens.value(0).toString();
        email = itens.value(4).toString().trimmed();
        linhas << "Item " + itens.value(0).toString() + ": " + itens.value(1).toString().trimmed() +
                      (itens.value(2).toString().trimmed().isEmpty() ? QString()
                                                                      : " (" + itens.value(2).toString().trimmed() + ")") +
                      " - " + itens.value(3).toString().trimmed();
    }
    if (codigos.isEmpty() || email.isEmpty())
        return;
    if (!EnviaEmail(email, "Referente O.S.: " + ordem, "Situação dos equipamentos da Ordem de Serviço " + ordem +
                                                           ":\r" + linhas.join("\r")))
        return;
    UpdateCampoCommit("AATC01AOIT", "AOITEMAILENVIADO", "'S'",
                      "where AOCODIGO = " + ordem + " and AOITCODIGO in (" + codigos.join(", ") + ")");
}
