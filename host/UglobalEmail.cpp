// The host's mails to customers over EnviarEmail, from the company
// record's address.

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"

#include "host/data/Field.h"

QString RemetenteEmail()
{
    if (!dmGlobal->quEmpresa->active())
        dmGlobal->CarregaEmpresa();
    host::data::Field* email = dmGlobal->quEmpresa->findField("EMAIL");
    return email ? email->asString().trimmed() : QString();
}

bool EnviaEmail(const QString& destinatario, const QString& assunto, const QString& texto)
{
    const host::DestinoEmail destino = host::EnviarEmailComDestino(RemetenteEmail(), assunto, destinatario.trimmed(), texto);
    dmGlobal->Log("[EnviaEmail]", destino.enviado ? "enviado para " + destinatario.trimmed() : "não enviado: " + assunto);
    // A mail that did not go out is said, with where it waits.
    if (!destino.enviado)
        dmGlobal->MostraAviso(host::AvisoEmailNaoEnviado(destino), false);
    return destino.enviado;
}
