// The host's cost formulas: a small arithmetic over the fields of a row,
// read by recursive descent (expression = term {+|- term}, term = factor
// {*|/ factor}, factor = [+|-] factor | number | name | ( expression )).

#include "host/Udatamod.h"
#include "host/Uglobal.h"

#include "host/data/Dataset.h"
#include "host/data/Field.h"

#include <cmath>
#include <stdexcept>

namespace {

class Leitor {
public:
    Leitor(const QString& texto, const host::data::Dataset& dataset) : texto_(texto), dataset_(dataset) {}

    double avaliar()
    {
        const double valor = expressao();
        espacos();
        if (pos_ < texto_.size())
            falha("caractere inesperado '" + QString(texto_[pos_]) + "'");
        return valor;
    }

private:
    [[noreturn]] void falha(const QString& motivo) const
    {
        throw std::runtime_error(
            QString("Fórmula inválida (\"%1\"): %2.").arg(texto_, motivo).toStdString());
    }
    void espacos()
    {
        while (pos_ < texto_.size() && texto_[pos_].isSpace())
            ++pos_;
    }
    bool aceita(QChar c)
    {
        espacos();
        if (pos_ < texto_.size() && texto_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    double expressao()
    {
        double valor = termo();
        for (;;) {
            if (aceita('+'))
                valor += termo();
            else if (aceita('-'))
                valor -= termo();
            else
                return valor;
        }
    }
    double termo()
    {
        double valor = fator();
        for (;;) {
            if (aceita('*')) {
                valor *= fator();
            } else if (aceita('/')) {
                const double divisor = fator();
                if (divisor == 0)
                    falha("divisão por zero");
                valor /= divisor;
            } else {
                return valor;
            }
        }
    }
    double fator()
    {
        if (aceita('-'))
            return -fator();
        if (aceita('+'))
            return fator();
        if (aceita('(')) {
            const double valor = expressao();
            if (!aceita(')'))
                falha("falta ')'");
            return valor;
        }
        espacos();
        if (pos_ >= texto_.size())
            falha("expressão incompleta");
        const QChar c = texto_[pos_];
        if (c.isDigit() || c == '.' || c == ',')
            return numero();
        if (c.isLetter() || c == '_')
            return campo();
        falha("caractere inesperado '" + QString(c) + "'");
    }
    double numero()
    {
        const qsizetype inicio = pos_;
        while (pos_ < texto_.size() && (texto_[pos_].isDigit() || texto_[pos_] == '.' || texto_[pos_] == ','))
            ++pos_;
        QString literal = texto_.mid(inicio, pos_ - inicio);
        literal.replace(',', '.');
        bool ok = false;
        const double valor = literal.toDouble(&ok);
        if (!ok)
            falha("número inválido '" + texto_.mid(inicio, pos_ - inicio) + "'");
        return valor;
    }
    double campo()
    {
        const qsizetype inicio = pos_;
        while (pos_ < texto_.size() && (texto_[pos_].isLetterOrNumber() || texto_[pos_] == '_'))
            ++pos_;
        const QString nome = texto_.mid(inicio, pos_ - inicio);
        const host::data::Field* field = dataset_.findField(nome);
        if (!field)
            falha("campo desconhecido '" + nome + "'");
        return field->asFloat();
    }

    QString texto_;
    const host::data::Dataset& dataset_;
    qsizetype pos_ = 0;
};

}  // namespace

double AvaliarFormula(const QString& formula, const host::data::Dataset& dataset)
{
    const double valor = Leitor(formula, dataset).avaliar();
    if (!std::isfinite(valor))
        throw std::runtime_error(QString("Fórmula inválida (\"%1\"): resultado fora dos limites.")
                                     .arg(formula)
                                     .toStdString());
    return valor;
}

double CalcularFormula(int codigo, const host::data::Dataset& dataset)
{
    const QString formula =
        CarregaDado("CFFORMULA", "AGPC05CF", "where CFCODIGO = " + QString::number(codigo)).trimmed();
    if (formula.isEmpty())
        throw std::runtime_error(QString("Fórmula de custo %1 não cadastrada.").arg(codigo).toStdString());
    return AvaliarFormula(formula, dataset);
}
