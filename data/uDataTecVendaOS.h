#pragma once
// What a sales order takes from a service order's parts and service lines.
// One rule, read by the routines that insert the lines and by the check that
// refuses, before any order is made, a sale that would insert no line.

#include <QString>

class TdmTec;

namespace venda_os {

// The choices of one sale, made once before anything is inserted.
struct Selecao {
    bool pendentes = false;        // only lines still without a sales order
    bool todasPecas = false;       // parts unauthorised or under warranty too
    bool pecaRequerida = false;    // parts go by their requested quantity; without it they stay out
    QString colunaServico = "AAQUANTIDADE";   // the service lines' quantity column
};

// What the sale fills: the parts, the services (by line or, in mode "S", in
// one line), or one line of the whole order ("P").
struct Conteudo {
    bool pecas = true;
    bool servicos = true;
};

// Whether the parts go by their requested quantity: without asking in the
// company modes "V" and "1", else on the user's answer; never unless
// ATQUANTIDADEREQUERIDA is "S". Opens the order's parts lines.
bool pecasPorQuantidadeRequerida(TdmTec& tec);
// The service lines' quantity column: the requested one on the user's answer
// in the vehicle search mode.
QString colunaQuantidadeServico(const TdmTec& tec);
// Both choices for a sale of that content, the questions in the order the
// lines are inserted.
Selecao escolher(TdmTec& tec, bool pendentes, const Conteudo& conteudo);

// The current row of quOSPecas / quOSAndamento goes into the order.
bool pecaVendida(const TdmTec& tec, const Selecao& selecao);
bool servicoVendido(const TdmTec& tec, const Selecao& selecao);
// Authorised and without warranty: the only service lines sent, counted or stamped.
bool servicoCobravel(const TdmTec& tec);
// Services at their product's cost price (the customer classification).
bool servicosAPrecoDeCusto(const TdmTec& tec);
// The value of the one service line of mode "S".
double totalServicos(const TdmTec& tec, const Selecao& selecao);

// Whether a sale of that content inserts any line: a part or a service
// line, the one total line above zero, the travel line or the separate
// expense line. The datasets of the order's lines are open.
bool teraLinhas(TdmTec& tec, const Selecao& selecao, const Conteudo& conteudo);

// Holds the service order's row for the rest of the unit of work and reads
// its sales order again: refused in words (nothing made) when another desk
// is issuing one right now, or has issued one the screen did not show
// (`pedidoNaTela`, the sales order the screen showed when the user chose).
void tomarOrdem(int ordem, const QString& pedidoNaTela);

}  // namespace venda_os
