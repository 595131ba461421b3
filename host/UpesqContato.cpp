// The contact picker of a customer, supplier or other linked record.

#include "host/Upesq.h"

QString AbreContato(const QString& sCategoria, const QString& sCodigo, host::ui::DataGrid*, bool, bool)
{
    host::PesquisaDefinicao definicao{
        37, "Contatos", "fmPesquisaContato",
        "select an.ANCODIGO, an.ANNOME, an.ANEMAIL, an.ANTELEFONE from AUGC3701 an",
        "an.ANVINCULOCATEGORIA = :CATEGORIA and an.ANVINCULOCODIGO = :CODIGO", "an.ANNOME",
        {{"ANNOME", "Nome", 250, "an.ANNOME"},
         {"ANEMAIL", "E-mail", 250, "an.ANEMAIL"},
         {"ANTELEFONE", "Telefone", 100, "an.ANTELEFONE"}},
        0};
    QVariantMap linha;
    if (!host::executarPesquisa(definicao, {}, linha,
                                {{"CATEGORIA", sCategoria.trimmed()}, {"CODIGO", sCodigo.trimmed()}}))
        return {};
    return host::textoPesquisa(linha, "ANNOME").trimmed();
}
