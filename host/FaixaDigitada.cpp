#include "host/FaixaDigitada.h"

#include "host/CodigoCadastrado.h"
#include "host/Udmglobal.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/data/Handler.h"

#include <functional>

namespace host {

namespace {

// The field's typed text is checked by `aceita` before its own handling (or
// the plain conversion of a number); a refusal names the field.
void exigeFaixa(host::data::Field& campo, const QString& rotulo, const QString& faixa,
                std::function<bool(double)> aceita)
{
    const host::data::Handler<void(host::data::Field&, const QString&)> propria = campo.onSetText;
    campo.onSetText = [propria, rotulo, faixa, aceita](host::data::Field& f, const QString& texto) {
        double valor = 0;
        const bool numero = host::data::parseFloatText(texto, valor);
        const bool vazio = texto.trimmed().isEmpty();
        if (numero && !aceita(valor))
            dmGlobal->MostraAviso(LegendaDigitada(f, rotulo) + ": informe um valor " + faixa + ".", true);
        if (propria)
            propria(f, texto);
        else if (vazio)
            f.clear();
        else if (numero)
            f.setAsFloat(valor);
        else
            throw host::data::DatasetError(QString("'%1' não é um valor numérico válido.").arg(texto));
    };
}

}  // namespace

void ExigeQuantidadePositiva(host::data::Field& campo, const QString& rotulo)
{
    exigeFaixa(campo, rotulo, "maior que zero", [](double valor) { return valor > 0; });
}

void ExigeDescontoPercentual(host::data::Field& campo, const QString& rotulo)
{
    exigeFaixa(campo, rotulo, "de 0 a 100", [](double valor) { return valor >= 0 && valor <= 100; });
}

}  // namespace host
