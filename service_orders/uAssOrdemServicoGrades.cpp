// The designed columns of the service-order window's entry grids: the two
// item grids, the services, the parts, the expenses, the project and the receivables. The handlers find their columns by
// field name, so a column a user's saved layout adds behaves as a designed one.

#include "service_orders/uAssOrdemServico.h"

#include "host/ui/DataGrid.h"

#include <QStringList>

namespace {

using host::ui::DataGrid;
using host::ui::GridColumn;

struct Coluna {
    const char* campo;
    const char* titulo = nullptr;   // null: the field's label
    bool botao = false;
    QStringList lista = {};
    bool somenteLeitura = false;
    bool oculta = false;
};

void adicionar(DataGrid* grade, std::initializer_list<Coluna> colunas)
{
    for (const Coluna& c : colunas) {
        GridColumn* coluna = grade->addColumn(c.campo, c.titulo ? QString::fromUtf8(c.titulo) : QString());
        if (c.botao)
            coluna->setButtonStyle(GridColumn::ButtonStyle::Ellipsis);
        if (!c.lista.isEmpty())
            coluna->setPickList(c.lista);
        coluna->setReadOnly(c.somenteLeitura);
        coluna->setVisible(!c.oculta);
    }
}

const QStringList kAutorizado = {"Sim", "Não", "Devolvido"};

}  // namespace

// botaoDescricao: the items grid opens the item's defects from the
// equipment's description; the vehicle grid has no button there.
void TfmAssOrdemServico::montarColunasItens(DataGrid* grade, bool botaoDescricao)
{
    adicionar(grade, {
        {"AOITEQUIPCODIGO", nullptr, true},
        {"AOITEQUIPDESCRICAO", "Equipamento", botaoDescricao},
        {"AOITCODIGOINTERNO", "Código Interno"},
        {"AOITSERIE", "Número de Série"},
        {"AOITQUANTIDADE", "Qtde."},
        {"AOITDEFEITO", nullptr, true},
        {"AOITMARCA"},
        {"AOITMODELO"},
        {"AOITCARROCERIANUMERO"},
        {"AOITCARROCERIAMARCA"},
        {"AOITPLACA"},
        {"AOITRENAVAN"},
        {"AOITANOFABRICACAO"},
        {"AOITKMINICIAL"},
        {"AOITCOMBUSTIVEL", nullptr, false, {"Álcool", "Diesel", "Gasolina", "GNV", "Óleo"}},
        {"AOITPOSICAOCOMBUSTIVEL", nullptr, false, {"1/4", "2/4", "Meio", "3/4", "Cheio", "Res."}},
        {"AOITCOR"},
        {"AOITDATACOMPRA", "Data da Compra"},
        {"AOITLOJACOMPRA"},
        {"FOCONSECIONARIA", "Cód. Consecionária", true},
        {"DESCRICAOCONSECIONARIA", "Consecionária", false, {}, true},
        {"AOITMOTORNUMERO"},
        {"AOITNUMERONOTAFISCAL"},
        {"AOITNUMERONFREMESSA"},
        {"AOITVALORNFREMESSA"},
        {"AOITGARANTIA", nullptr, false,
         {"1- Garantia de Fábrica", "2- Garantia do Serviço", "3- Sem Garantia", "4- Cortesia"}},
        {"AOITAPROVADO", nullptr, false, {"Sim", "Não", "Rejeitado"}},
        {"AOITORIGINAL", nullptr, false, {"Sim", "Não", "Remanufatura"}},
        {"AOITESPECIE"},
        {"AOITUSUARIO", "Usuário/Responsável"},
        {"ACCODIGO"},
    });
    // A new item is typed from its equipment's code, which fills the rest.
    grade->setEntryField("AOITEQUIPCODIGO");
}

// The order's code is the same on every line: kept as a hidden column.
void TfmAssOrdemServico::montarColunasServicos()
{
    adicionar(dbgdOrdemServicoServicos, {
        {"AOCODIGO", nullptr, false, {}, false, true},
        {"AOITCODIGO"},
        {"AACODIGO"},
        {"PRCODIGO", nullptr, true},
        {"DESCRICAO", nullptr, true},
        {"AAQUANTIDADE"},
        {"AAVALOR", nullptr, true},
        {"AAVALORTOTAL"},
        {"AATOTAL", nullptr, true},
        {"AAAUTORIZADO", nullptr, false, kAutorizado},
        {"ATCODIGO", nullptr, true},
        {"OFCODIGO"},
        {"DescricaoHora"},
        {"DescEquipOS"},
    });
}

void TfmAssOrdemServico::montarColunasPecas()
{
    adicionar(dbgdOrdemServicoPecas, {
        {"AOCODIGO", nullptr, false, {}, false, true},
        {"AOITCODIGO"},
        {"APSEQUENCIA"},
        {"PRCODIGO", nullptr, true},
        {"DESCRICAO"},
        {"APQUANTIDADE"},
        {"APQUANTIDADEREQUERIDA"},
        {"APVALUNITARIO", nullptr, true},
        {"APDESCONTO"},
        {"APVALTOTAL"},
        {"APAUTORIZADO", nullptr, false, kAutorizado},
        {"APNUMEROSERIE", nullptr, true},
        {"LECODIGO"},
        {"OFCODIGO"},
        {"ATCODIGO"},
        {"UGINSERIDO"},
        {"DescEquipOS"},
    });
}

// The order's code (and the travel line's own key) are hidden columns.
void TfmAssOrdemServico::montarColunasDespesas()
{
    adicionar(dbgdOrdemServicoDespViagem, {
        {"AVDATA", "Data"},
        {"AVHORAINICIO", "Hora Início"},
        {"AVHORAFIM", "Hora Fim"},
        {"AVPEDQUANTIDADE", "Qtde Pedágio"},
        {"AVPEDVALOR"},
        {"AVPEDVALORTOTAL"},
        {"AVKMVALOR"},
        {"AVKMPERCORRIDO", "Km Percorrido"},
        {"AVKMVALORTOTAL", "Total Km"},
        {"AVVALORTOTAL", "Total"},
        {"ATCODIGO", "Código Técnico", true},
        {"AOCODIGO", nullptr, false, {}, false, true},
        {"AVCODIGO", nullptr, false, {}, false, true},
    });
    adicionar(dbgdOrdemServicoDespExtra, {
        {"AXNUMERO", "Documento"},
        {"AXSERIE"},
        {"AXDATA", "Data"},
        {"AXVALOR"},
        {"AXTIPO"},
        {"AXOBSERVACAO", nullptr, true},
        {"AXCODIGO", "Sequência"},
        {"FOCODIGO", nullptr, true},
        {"FORNECEDOR", "Fornecedor"},
        {"FOCODIGOTRANSPORTADOR", "Código Transportador", true},
        {"TRANSPORTADORA", "Transportador", false, {}, true},
        {"AOCODIGO", nullptr, false, {}, false, true},
    });
    adicionar(dbgdOrdemServicoProjeto, {
        {"PRCODIGO", nullptr, true},
        {"DESCRICAO", "Descrição", false, {}, true},
        {"AQQUANTIDADE"},
        {"AQVALOR"},
        {"AQDESCONTO", "% Desconto"},
        {"AQVALORTOTAL"},
        {"AQOBSERVACAO"},
        {"VECODIGO"},
        {"OFCODIGO", nullptr, true},
    });
    // The order's service, part and expense lines are the user's to take
    // off with Ctrl+Delete, under their datasets' passwords and totals.
    for (DataGrid* grade : {dbgdOrdemServicoServicos, dbgdOrdemServicoPecas, dbgdOrdemServicoDespExtra})
        grade->setDeleteKey(true);
    // A new service or part line takes its item and sequence from the
    // rules: its user types the product's code first.
    for (DataGrid* grade : {dbgdOrdemServicoServicos, dbgdOrdemServicoPecas})
        grade->setEntryField("PRCODIGO");
}

// The order's receivables as the user reads them; the rest of the
// receivable's columns stay in the dataset.
void TfmAssOrdemServico::montarColunasReceber()
{
    adicionar(dbgdReceber, {
        {"NUMERO_DOCUMENTO", "Documento", false, {}, true},
        {"SEQUENCIA", "Parcela", false, {}, true},
        {"DATA_EMISSAO", "Emissão", false, {}, true},
        {"DATA_VENCIMENTO", "Vencimento", false, {}, true},
        {"VALOR_DOCUMENTO", "Valor", false, {}, true},
        {"SITUACAO_DOCUMENTO", "Situação", false, {}, true},
        {"DATA_PAGAMENTO", "Pagamento", false, {}, true},
        {"VALOR_PAGO", "Valor Pago", false, {}, true},
        {"OBSERVACAO", "Observação", false, {}, true},
    });
}

// The accessories as stored; the description (the fourth column) offers the
// descriptions used most.
void TfmAssOrdemServico::montarColunasAcessorios()
{
    adicionar(dbgdAcessorios, {{"ARSEQUENCIA"}, {"AOCODIGO"}, {"AOITCODIGO"}, {"ARDESCRICAO"}, {"ARCONFERIDO"}});
}
