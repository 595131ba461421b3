// Uautorizacao: the small input dialogs, all through the dialogs service.

#include "host/Uautorizacao.h"

#include "host/Udatamod.h"

#include "host/data/Format.h"
#include "host/ui/Dialogs.h"

#include <QRegularExpression>

namespace Dialogs = host::ui::Dialogs;

bool Seleciona1Texto(const QString& caption, const QString& prompt, QString& texto, int maxLength)
{
    return Dialogs::inputQuery(caption, prompt, texto, maxLength);
}

bool SelecionaValorNumerico(const QString& caption, const QString& prompt, double& valor)
{
    return Dialogs::inputNumber(caption, prompt, valor);
}

bool SelecionaValorNumericoDouble(const QString& caption, const QString& prompt, double& valor)
{
    return SelecionaValorNumerico(caption, prompt, valor);
}

bool SelecionaValorInteiro(const QString& caption, const QString& prompt, int& valor)
{
    double value = valor;
    if (!Dialogs::inputNumber(caption, prompt, value, "0"))
        return false;
    valor = int(value);
    return true;
}

bool SelecionaData(const QString& caption, const QString& prompt, QDateTime& data)
{
    QString text = data.isValid() ? data.toString("dd/MM/yyyy") : QString();
    while (Dialogs::inputQuery(caption, prompt, text)) {
        QDateTime value;
        if (host::data::parseDateTimeText(text, value) && value.isValid()) {
            data = value;
            return true;
        }
        Dialogs::warning("Data inválida!");
    }
    return false;
}

bool SelecionaSenha(const QString& caption, const QString& prompt, QString& senha)
{
    return Dialogs::password(caption, prompt, senha);
}

bool SelecionaPlaca(const QString& caption, const QString& prompt)
{
    static const QRegularExpression plate("^[A-Z]{3}-?[0-9][A-Z0-9][0-9]{2}$");
    QString text;
    while (Dialogs::inputQuery(caption, prompt, text)) {
        text = text.trimmed().toUpper();
        if (plate.match(text).hasMatch()) {
            if (!text.contains('-'))
                text.insert(3, '-');
            sAuxiliarGeral = text;
            return true;
        }
        Dialogs::warning("Placa inválida!");
    }
    return false;
}

QString SelecionaFitraLista(const QString& titulo, const QString& caption, const QStringList& itens)
{
    int index = -1;
    if (!Dialogs::pickFromList(titulo, caption, itens, index) || index < 0 || index >= itens.size())
        return {};
    return itens[index];
}
