#pragma once
// The statements of the rental billing screen: the listing of principal
// contracts' instalments and, for one principal, its complements'
// instalments, under the filters as the user left them.

#include <QString>

namespace uAssContFatLocEquip {

// Status option ("Opção").
enum Opcao { Todos = 0, Faturados = 1, NaoFaturados = 2 };
// Period column ("rgPeriodo").
enum Periodo { Vencimento = 0, InicioVigencia = 1, EmissaoBoleto = 2, BoletoEmitido = 3 };

struct FiltrosFatLocEquip {
    int opcao = Todos;
    int periodo = Vencimento;
    QString dataIni, dataFin;   // as typed; both valid dates or no period
    QString filial;
    QString codCliente, cliente;
    QString pedido;
    QString codContrato;
};

// The conditions shared by both statements (status, period, branch,
// customer, order reference), each starting with " and ".
QString CondicoesFatLocEquip(const FiltrosFatLocEquip& f);
// The listing, ordered by contract and due date.
QString SqlConsultaFatLocEquip(const FiltrosFatLocEquip& f);
// The complements' instalments of the principal :ACCODIGO (no contract
// filter), in the same order.
QString SqlConsultaVincFatLocEquip(const FiltrosFatLocEquip& f);
// The same rows for every principal at once, with its code as PRINCIPAL:
// what a billing run folds, read in one statement.
QString SqlVinculosFaturarFatLocEquip(const FiltrosFatLocEquip& f);

}  // namespace uAssContFatLocEquip
