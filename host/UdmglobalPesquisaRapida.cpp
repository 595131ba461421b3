// TdmGlobal: the quick product entry of the grids' product titles.

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"

#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/ui/Dialogs.h"

namespace {

// The product code the typed text stands for; "" when none is registered.
QString produtoDigitado(TdmGlobal& global, const QString& modo, const QString& texto)
{
    if (modo == "B") {
        double fator = 1;
        const QString codigo = global.RetornaCodigoProduto(texto, {}, fator);
        return CarregaDado("CODIGO", "ACEC1101", "where CODIGO = " + QuotedStr(codigo)).trimmed();
    }
    if (modo == "P")
        return CarregaDado("CODIGO", "ACEC1101", "where upper(PRPOSICIONAMENTO) = " + QuotedStr(texto.toUpper()))
            .trimmed();
    return CarregaDado("CODIGO", "ACEC1101", "where upper(CODIGO) = " + QuotedStr(texto.toUpper())).trimmed();
}

}  // namespace

bool TdmGlobal::PesquisaRapidaProduto(const QString& sModo, const QString& sCampo, host::data::Dataset* dataset,
                                      host::ui::GridColumn*)
{
    const QString modo = sModo.trimmed().left(1).toUpper();
    const QString prompt = modo == "B" ? "Código de barras:" : modo == "P" ? "Posicionamento no local:"
                         : modo == "C" ? "Código do produto:" : QString();
    QString texto;
    if (!dataset || prompt.isEmpty() || !host::ui::Dialogs::inputQuery("Pesquisa de Produto", prompt, texto) ||
        texto.trimmed().isEmpty())
        return false;
    const QString codigo = produtoDigitado(*this, modo, texto.trimmed());
    if (codigo.isEmpty()) {
        MostraAviso("Produto não encontrado!", false);
        return false;
    }
    if (!dataset->active())
        dataset->open();
    if (!dataset->editing())
        dataset->append();
    dataset->fieldByName(sCampo)->setAsString(codigo);
    return true;
}
