#include "host/Endereco.h"

#include <QStringList>

namespace host {

QString compoeEndereco(std::initializer_list<ParteEndereco> partes)
{
    QString endereco;
    for (const ParteEndereco& parte : partes) {
        const QString texto = parte.texto.trimmed();
        if (texto.isEmpty())
            continue;
        if (!endereco.isEmpty())
            endereco += QLatin1String(parte.separador);
        endereco += QString::fromUtf8(parte.rotulo) + texto;
    }
    return endereco;
}

QString compoeEnderecoSql(std::initializer_list<ParteEnderecoSql> partes)
{
    // Each part is written when not blank, after its separator when a part
    // before it was written (the parts before it, joined, not blank).
    QString expressao = QStringLiteral("''");
    QStringList anteriores;
    for (const ParteEnderecoSql& parte : partes) {
        const QString texto = QStringLiteral("trim(coalesce(%1, ''))").arg(parte.coluna);
        const QString separador = QString::fromLatin1(parte.separador).replace('\'', QLatin1String("''"));
        const QString antes = anteriores.isEmpty()
                                  ? QStringLiteral("''")
                                  : QStringLiteral("case when %1 = '' then '' else '%2' end")
                                        .arg(anteriores.join(QLatin1String(" || ")), separador);
        expressao += QStringLiteral(" || case when %1 = '' then '' else %2 || %1 end").arg(texto, antes);
        anteriores << texto;
    }
    return QStringLiteral("(") + expressao + QStringLiteral(")");
}

}  // namespace host
