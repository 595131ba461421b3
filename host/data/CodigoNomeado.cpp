#include "host/data/CodigoNomeado.h"

namespace host::data {

namespace {

// "3 - Recibo" names "Recibo", "M- Memorando" "Memorando"; a caption without
// a dash is its own name.
QString nomeDaOpcao(const QString& legenda)
{
    const int traco = legenda.indexOf('-');
    return traco < 0 ? legenda.trimmed() : legenda.mid(traco + 1).trimmed();
}

bool igual(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

}  // namespace

QString codigoNomeado(const OpcoesCodigo& opcoes, const QString& texto)
{
    const QString procurado = texto.trimmed();
    if (procurado.isEmpty())
        return {};
    // The whole caption first, then the code, then the name: "C" is the code
    // "C" even where another option's name starts with it.
    for (const auto& [codigo, legenda] : opcoes)
        if (igual(legenda.trimmed(), procurado))
            return codigo;
    for (const auto& [codigo, legenda] : opcoes)
        if (!codigo.isEmpty() && igual(codigo.trimmed(), procurado))
            return codigo;
    for (const auto& [codigo, legenda] : opcoes)
        if (igual(nomeDaOpcao(legenda), procurado))
            return codigo;
    return {};
}

OpcoesCodigo opcoesDeLista(const std::vector<QString>& itens)
{
    OpcoesCodigo opcoes;
    for (const QString& item : itens) {
        const int traco = item.indexOf('-');
        opcoes.emplace_back(traco < 0 ? item.trimmed() : item.left(traco).trimmed(), item);
    }
    return opcoes;
}

}  // namespace host::data
