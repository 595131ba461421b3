// What contract items change in the products and the contract: the
// product's active flag, the contract's equipment total, and a product's new
// price carried into every contract item of it.

#include "contract_data/uDataTecCont.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Query.h"

#include <vector>

void TdmTecContrato::AtualizaAtivoProdutoContrato(const QString& produto)
{
    const QString codigo = produto.trimmed();
    if (parametroMaiusculo("ATPARCELASEMPREVISAO") != "S" || codigo.isEmpty())
        return;
    const QString chave = "where CODIGO = " + QuotedStr(codigo);
    if (ContadorDados("PRCODIGO", "AATC05ACIT", codigo) > 0)
        UpdateCampo("ACEC1101", "PRATIVO", "'N'", chave + " and (PRATIVO <> 'N' or PRATIVO is null)");
    else
        UpdateCampo("ACEC1101", "PRATIVO", "'S'", chave + " and (PRATIVO <> 'S' or PRATIVO is null)");
    dmGlobal->IBTransaction1->commitRetaining();
}

double TdmTecContrato::CalculaTotalEquipamentos(int contrato)
{
    return Trunc2Casas(CarregaNumero("sum(1 * acitvalor)", "aatc05acit",
                                     "where accodigo = " + QString::number(contrato) +
                                         " and coalesce(acitcomplemento, 'N') <> 'S'"
                                         " and coalesce(acitencerrado, 'N') <> 'S'"));
}

void CtrAlteracaoPrecoProduto(const QString& produto, double preco)
{
    TdmTecContrato& dm = *dmTecContrato;
    struct Fecha {
        TdmTecContrato& dm;
        ~Fecha()
        {
            dm.quCtrCadastro->close();
            dm.quCtrCadastroIt->close();
        }
    } fecha{dm};
    const QString condicao = "where it.prCodigo = " + QuotedStr(produto.trimmed());
    std::vector<int> contratos;
    {
        auto query = CriarIbQuery();
        query->setSql("select acCodigo from aatc05acit it " + condicao);
        for (query->open(); !query->eof(); query->next())
            contratos.push_back(query->field(0)->asInteger());
    }
    if (!contratos.empty())
        dmGlobal->MostraAviso(
            "Aguarde enquanto é atualizado o preço dos itens nos contratos! Pressione OK para continuar.", false);
    UpdateCampoValor("aatc05acit it", "ACITVALOR", preco, condicao);
    UpdateCampoValor("aatc05acit it", "ACITVALORUNITARIO", preco, condicao);
    // Each line is valued as its own save values it: cut to cents, freight
    // added (the letters whose line value is unit × discount × quantity).
    const QString opcao = parametroMaiusculo("ATOPCAOCONTRATO");
    if (QStringList{"I", "M", "2", "E", "T", "V"}.contains(opcao))
        UpdateCampo("aatc05acit it", "ACITVALOR",
                    "trunc(( ACITVALORUNITARIO * (1-(coalesce(acitDesconto, 0)/100)) ) * coalesce(ACITQUANTIDADE, 0)"
                    " * 100 + 0.000001) / 100 + coalesce(ACITFRETE, 0)",
                    condicao);
    dmGlobal->IBTransaction1->commitRetaining();

    int atualizados = 0;
    for (int contrato : contratos) {
        // A contract that cannot be saved again keeps its new prices; the next goes on.
        try {
            CarregaContrato(contrato);
            dm.CarregaContratoItem(dm.quCtrCadastroCLCODIGO->asString(), QString::number(contrato));
            dm.RegravarContratoCorrente();
            ++atualizados;
        } catch (...) {
            if (dm.quCtrCadastro->editing())
                dm.quCtrCadastro->cancel();
        }
    }
    if (!contratos.empty())
        dmGlobal->MostraAviso("Operação efetuada com sucesso!\rForam atualizados " + QString::number(atualizados) +
                                  " contratos!",
                              false);
}
