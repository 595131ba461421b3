#include "rental/uAssVendasImp.h"

#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/report/Report.h"

using namespace host::report;

host::ui::FormVar<TqrAssVendasImp> qrAssVendasImp("qrAssVendasImp");

TqrAssVendasImp::TqrAssVendasImp(QWidget* parent)
    : TqrAssVendasImpBase(parent, QStringLiteral("Pedido de Locação"), true, {})
{
    criarTitulo();
}

void TqrAssVendasImp::criarTitulo()
{
    Band& b = *qrbnTitulo;
    // Caption and field, as the order form places them.
    camposTitulo(b, {
                        {"Cliente", "CLNOME", 0, 1, 110},
                        {"Endereço", "CLENDERECO", 0, 6, 110},
                        {"Cidade", "CLCIDADE", 0, 11, 50},
                        {"UF", "CLESTADO", 75, 11, 10},
                        {"Bairro", "CLBAIRRO", 100, 11, 40},
                        {"Contato", "CONTATO", 0, 16, 50},
                        {"Telefone", "CLFONE", 75, 16, 30},
                        {"Gerente Conta", "GERENTE", 115, 16, 60},
                        {"Data Negociação", "VEDATANEGOCIACAO", 0, 21, 25},
                        {"Data Entrega", "VEDATAPRODUCAO", 60, 21, 25},
                        {"Período", "VEPERIODOLOCACAO", 115, 21, 60},
                        {"Tipo", "VETIPOCONTRATO", 0, 26, 50},
                        {"Início Vigência", "VEINICIOVIGENCIA", 60, 26, 25},
                        {"Término Vigência", "VETERMINOVIGENCIA", 115, 26, 25},
                        {"Data Pgto.", "VEDATAPAGAMENTO", 0, 31, 25},
                        {"Obs. p/ Entrega", "VEOBSENTREGA", 0, 36, 170},
                        {"Obs. p/ Instalação", "VEOBSINSTALACAO", 0, 41, 170},
                        {"Suprimentos", "VESUPRIMENTOS", 0, 46, 110},
                        {"Valor", "VEVALORSUPRIMENTOS", 140, 46, 30},
                        {"Contato Entrega", "CONTENTREGA", 0, 51, 110},
                    });
    rotulo(b, 0, 56, 28, "End. Entrega");
    qrrtEndEntrega = b.addRichText("qrrtEndEntrega", 28, 56, 170, 4);
    qrrtEndEntrega->setAutoStretch(true);
    qrrtEndEntrega->setWordWrap(true);
    b.setHeight(62);
    b.beforePrint = [this](Band&, bool&) {
        qrrtEndEntrega->setText(quImpPedido->fieldByName("ENDENTREGA")->asString());
    };
}

void VisualizarPedidoProducaoAssVenda(const QString& pedido) { qrAssVendasImp.create()->Visualizar(pedido); }
