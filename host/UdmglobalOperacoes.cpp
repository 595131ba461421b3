// TdmGlobal: the list of fiscal operations a document window offers.

#include "host/Udmglobal.h"

void TdmGlobal::CarregaOperacaoTransacao(const QString& operacao, const QString& condicao, const QString& ordem)
{
    quOperacao->close();
    quOperacao->setSql("select * from AFVC0901 " + condicao + " " +
                       (ordem.trimmed().isEmpty() ? QString("order by COD_OP") : ordem));
    quOperacao->open();
    if (!operacao.trimmed().isEmpty())
        quOperacao->locate("COD_OP", operacao.trimmed());
}
