#include "host/FaixaDigitada.h"

#include "host/CodigoCadastrado.h"
#include "host/Udmglobal.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/data/Handler.h"

#include <cmath>
#include <functional>

namespace host {

namespace {

using Recusa = std::function<QString(double valor, const QString& rotulo)>;

// The field's typed text is checked by `recusa` before its own handling (or
// the plain conversion of a number); a refusal names the field.
void exigeFaixa(host::data::Field& campo, const QString& rotulo, const Recusa& recusa)
{
    const host::data::Handler<void(host::data::Field&, const QString&)> propria = campo.onSetText;
    campo.onSetText = [propria, rotulo, recusa](host::data::Field& f, const QString& texto) {
        double valor = 0;
        const bool numero = host::data::parseFloatText(texto, valor);
        const bool vazio = texto.trimmed().isEmpty();
        if (numero)
            if (const QString mensagem = recusa(valor, LegendaDigitada(f, rotulo)); !mensagem.isEmpty())
                dmGlobal->MostraAviso(mensagem, true);
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

QString RecusaQuantidade(double quantidade, const QString& rotulo)
{
    return quantidade > 0 ? QString() : rotulo + ": informe um valor maior que zero.";
}

QString RecusaDesconto(double desconto, const QString& rotulo)
{
    return desconto >= 0 && desconto <= 100 ? QString() : rotulo + ": informe um valor de 0 a 100.";
}

QString RecusaPreco(double preco, const QString& rotulo)
{
    return preco >= 0 ? QString() : rotulo + ": informe um valor maior ou igual a zero.";
}

void ExigeQuantidadePositiva(host::data::Field& campo, const QString& rotulo)
{
    exigeFaixa(campo, rotulo, RecusaQuantidade);
}

void ExigeDescontoPercentual(host::data::Field& campo, const QString& rotulo)
{
    exigeFaixa(campo, rotulo, RecusaDesconto);
}

void ExigePrecoNaoNegativo(host::data::Field& campo, const QString& rotulo)
{
    exigeFaixa(campo, rotulo, RecusaPreco);
}

QString RecusaDescontoAteOValor(double desconto, double valor, const QString& rotulo)
{
    // In cents: a discount of the whole value, to the cent, is allowed.
    if (std::llround(desconto * 100) <= std::llround(valor * 100))
        return QString();
    const QString formato = "###,###,##0.00";
    return rotulo + ": o desconto (" + host::data::formatFloat(formato, desconto) +
           ") é maior que o valor que ele desconta (" + host::data::formatFloat(formato, valor) + ").";
}

void ExigeDescontoAteOValor(host::data::Field& campo, const QString& rotulo,
                            std::function<std::optional<double>()> descontado)
{
    exigeFaixa(campo, rotulo, [descontado](double desconto, const QString& legenda) {
        const std::optional<double> valor = descontado();
        return valor ? RecusaDescontoAteOValor(desconto, *valor, legenda) : QString();
    });
}

}  // namespace host
