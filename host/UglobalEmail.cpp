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
    const bool enviado = EnviarEmail(RemetenteEmail(), assunto, destinatario.trimmed(), texto);
    dmGlobal->Log("[EnviaEmail]", enviado ? "enviado para " + destinatario.trimmed() : "não enviado: " + assunto);
    return enviado;
}
