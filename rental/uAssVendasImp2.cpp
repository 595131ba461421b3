#include "rental/uAssVendasImp2.h"

#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/report/Report.h"

using namespace host::report;

host::ui::FormVar<TqrAssVendasImp2> qrAssVendasImp2("qrAssVendasImp2");

TqrAssVendasImp2::TqrAssVendasImp2(QWidget* parent)
    : TqrAssVendasImpBase(parent, QStringLiteral("Pedido de Locação e Serviço"), false,
                          ",\n (select first 1 Ob.OBTEXTO from AUGC70OB Ob where Ob.OBCODIGO = ped.NUMERO_PEDIDO"
                          " and Ob.OBID = 'V' and Ob.OBSEQUENCIA = 101) as ENDCOBRANCA,\n"
                          " cc.ANNOME as CONTCOBRANCA")
{
    criarTitulo();
}

void TqrAssVendasImp2::criarTitulo()
{
    Band& b = *qrbnTitulo;
    const auto textos = camposTitulo(b, {
                                            {"Cliente", "CLNOME", 0, 1, 110},
                                            {"Endereço", "CLENDERECO", 0, 6, 110},
                                            {"Bairro", "CLBAIRRO", 0, 11, 40},
                                            {"Cidade", "CLCIDADE", 75, 11, 50},
                                            {"UF", "CLESTADO", 160, 11, 10},
                                            {"Contato", "CONTATO", 0, 16, 50},
                                            {"Telefone", "CLFONE", 75, 16, 30},
                                            {"Gerente Conta", "GERENTE", 115, 16, 57},
                                            {"Tipo", "VETIPOCONTRATO", 0, 21, 40},
                                            {"Período", "VEPERIODOLOCACAO", 75, 21, 30},
                                            {"Data Negociação", "VEDATANEGOCIACAO", 0, 26, 25},
                                            {"Data Entrega", "VEDATAPRODUCAO", 75, 26, 25},
                                            {"Data Pgto.", "VEDATAPAGAMENTO", 0, 31, 25},
                                            {"Início Vigência", "VEINICIOVIGENCIA", 75, 31, 25},
                                            {"Término Vigência", "VETERMINOVIGENCIA", 140, 31, 25},
                                            {"Enviar Contrato", "VEENVIACONTRATO", 0, 36, 20},
                                            {"Contrato", "VECONTRATO", 75, 36, 60},
                                            {"Data Emissão RA", "VEDATARA", 0, 41, 25},
                                            {"Obs. RA", "VEOBSDATARA", 75, 41, 97},
                                            {"Proposta", "VEPROPOSTA", 0, 46, 40},
                                            {"Data Proposta", "VEDATAPROPOSTA", 75, 46, 25},
                                            {"Obs. p/ Instalação", "VEOBSINSTALACAO", 0, 51, 170},
                                            {"Suprimentos", "VESUPRIMENTOS", 0, 56, 110},
                                            {"Valor", "VEVALORSUPRIMENTOS", 140, 56, 30},
                                            {"Contato Entrega", "CONTENTREGA", 0, 66, 110},
                                            {"Obs. p/ Entrega", "VEOBSENTREGA", 0, 71, 170},
                                            {"Contato Cobrança", "CONTCOBRANCA", 0, 81, 110},
                                            {"Obs. Cobrança", "VEOBSERVACAOPAGAMENTO", 0, 86, 170},
                                        });
    textos.value("VEENVIACONTRATO")->onPrint = [](TextControl&, QString& valor) {
        valor = valor == "S" ? "Sim" : "Não";
    };
    rotulo(b, 0, 61, 28, "End. Entrega");
    qrrtEndEntrega = b.addRichText("qrrtEndEntrega", 28, 61, 170, 4);
    rotulo(b, 0, 76, 28, "End. Cobrança");
    qrrtEndCobranca = b.addRichText("qrrtEndCobranca", 28, 76, 170, 4);
    // The order's value, boxed, on every print.
    Shape* caixa = b.addShape("qrshValorPedido", 120, 92, 80, 7, ShapeKind::Rectangle);
    caixa->setPenWidth(0.3);
    rotulo(b, 122, 93.5, 35, "Valor do Pedido: R$");
    DataText* total = campo(b, "VALOR_TOTAL", 158, 93.5, 40);
    total->font().setBold(true);
    total->setAlignment(Qt::AlignRight | Qt::AlignTop);
    total->setDisplayFormat("###,###,##0.00");
    b.setHeight(101);
    b.beforePrint = [this](Band&, bool&) {
        qrrtEndEntrega->setText(quImpPedido->fieldByName("ENDENTREGA")->asString());
        qrrtEndCobranca->setText(quImpPedido->fieldByName("ENDCOBRANCA")->asString());
    };
}

void VisualizarPedidoLocacaoAssVenda(const QString& pedido) { qrAssVendasImp2.create()->Visualizar(pedido); }
