// The host's mails to customers over EnviarEmail: the sender from the
// company record and the opening notice of a document.

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

bool EnviarMensagemContatoCliente(const QString& cliente, const QString& tipo)
{
    const QString email = CarregaDado("EMAIL", "AUGC0301", "where CODIGO_CLIENTE = " + QuotedStr(cliente.trimmed()));
    if (email.trimmed().isEmpty())
        return false;
    QString texto = CarregaDado("OBTEXTO", "AUGC70OB", "where OBCODIGO = 'FIXO' and OBID = 'C' and OBSEQUENCIA = 1");
    if (texto.trimmed().isEmpty())
        texto = tipo == "INSERIDO" ? QString("Sua solicitação foi registrada.") : tipo;
    const QString assunto = tipo == "INSERIDO" ? QString("Abertura de atendimento") : tipo;
    return EnviaEmail(email, assunto, texto);
}
