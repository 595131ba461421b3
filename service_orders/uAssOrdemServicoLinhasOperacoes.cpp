// Line operations of the service-order window: the typed service value
// spread over the service lines, a stored line duplicated, and one part or
// service appended per item of the order.

#include "service_orders/uAssOrdemServico.h"
#include "service_orders/uAssOrdemServicoComum.h"

#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Upesqprod.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/Cursors.h"

#include <cmath>
#include <memory>

using ordem_servico::empresaEspecifica;

namespace {

// Controls of the datasets off for the length of a routine, back on however it ends.
struct ControlesDesligados {
    std::vector<host::data::Dataset*> datasets;
    explicit ControlesDesligados(std::vector<host::data::Dataset*> lista) : datasets(std::move(lista))
    {
        for (host::data::Dataset* d : datasets)
            d->disableControls();
    }
    ~ControlesDesligados()
    {
        for (host::data::Dataset* d : datasets)
            d->enableControls();
    }
};

long long centavosServico(double valor) { return std::llround(valor * 100); }

long long somaTotaisServicos(host::data::Query& linhas, const host::data::Field& total)
{
    long long soma = 0;
    for (linhas.first(); !linhas.eof(); linhas.next())
        soma += centavosServico(total.asFloat());
    return soma;
}

// The first line whose total, by the data module's own rule (discount
// included, cut to the cent), comes to its present total plus the remainder
// with a unit value of `casas` decimals; that line is posted with it. The
// unit value aims at the exact amount, then at the middle of its cent so
// that the cut cannot take it a cent below.
bool acertarRestoServicos(TdmTec& tec, long long resto, int casas)
{
    host::data::Query& linhas = *tec.quOSAndamento;
    const double escala = std::pow(10.0, casas);
    for (linhas.first(); !linhas.eof(); linhas.next()) {
        const double quantidade = tec.quOSAndamentoAAQUANTIDADE->asFloat();
        const double fator = 1 - tec.quOSAndamentoAADESCONTO->asFloat() / 100;
        const long long alvo = centavosServico(tec.quOSAndamentoAAVALORTOTAL->asFloat()) + resto;
        if (quantidade <= 0 || fator <= 0 || alvo < 0)
            continue;
        for (double centavos : {double(alvo), alvo + 0.5}) {
            linhas.edit();
            tec.quOSAndamentoAAVALOR->setAsFloat(std::round(centavos / 100 / quantidade / fator * escala) / escala);
            if (centavosServico(tec.quOSAndamentoAAVALORTOTAL->asFloat()) == alvo) {
                linhas.post();
                return true;
            }
            linhas.cancel();
        }
    }
    return false;
}

}  // namespace

// Company 16 types the order's service value and has it spread over the
// service lines by quantity, in cents. The lines then add up to the typed
// value to the cent: the rounding remainder goes on a line whose quantity
// divides it (a one-unit line always does); only when no line's does, one
// line takes a unit value finer than a cent. Without lines, or with
// quantities summing to 0, there is nothing to spread.
void TfmAssOrdemServico::dbedValorServicoExit()
{
    if (empresaEspecifica() != 16)
        return;
    TdmTec& tec = *dmTec;
    host::data::Query& linhas = *tec.quOSAndamento;
    if (!linhas.active() || linhas.isEmpty())
        return;
    ControlesDesligados desligados({&linhas});
    double quantidade = 0;
    for (linhas.first(); !linhas.eof(); linhas.next())
        quantidade += tec.quOSAndamentoAAQUANTIDADE->asFloat();
    if (quantidade == 0) {
        linhas.first();
        return;
    }
    const double valor = tec.quOSAOVALORSERVICO->asFloat();
    const double unitario = std::round(valor / quantidade * 100) / 100;
    for (linhas.first(); !linhas.eof(); linhas.next()) {
        linhas.edit();
        tec.quOSAndamentoAAVALOR->setAsFloat(unitario);
        linhas.post();
    }
    const long long resto = centavosServico(valor) - somaTotaisServicos(linhas, *tec.quOSAndamentoAAVALORTOTAL);
    if (resto != 0) {
        for (int casas : {2, 4, 6})
            if (acertarRestoServicos(tec, resto, casas))
                break;
    }
    linhas.first();
}

// The stored row (not what is being typed on it) appended again: the new
// line keeps the key and defaults its new-record handler gave it and takes
// every other stored value.
void TfmAssOrdemServico::OSDuplicaServicoProdutoCorrente(const QString& Table, const QString& Where,
                                                         host::data::Dataset* DataSet)
{
    if (MostraPergunta("Tem certeza de que deseja duplicar registro?", {"Sim", "Não"}) != "Sim")
        return;
    std::unique_ptr<host::data::Query> origem = CriarIbQuery("quDuplica");
    origem->setSql("select * from " + Table + " " + Where);
    origem->open();
    if (origem->isEmpty())
        dmGlobal->MostraErro("Registro não encontrado!");
    DataSet->append();
    for (host::data::Field* campo : DataSet->fields()) {
        if (campo->required() && !campo->isNull())
            continue;
        host::data::Field* armazenado = origem->findField(campo->fieldName());
        if (!armazenado || armazenado->isNull() || campo->kind() != host::data::FieldKind::Data)
            continue;
        try {
            campo->setValue(armazenado->value());
        } catch (const std::exception&) {
            // A value the field refuses leaves its default; the next field follows.
        }
    }
    DataSet->post();
    origem->close();
}

// One line of the chosen product for every item of the order: a service line
// for a service product (class "7"), a parts line otherwise.
void TfmAssOrdemServico::OSInserirPecaPorItem()
{
    if (MostraPergunta("Tem certeza de que deseja inserir peça ou serviço para cada item da Ordem de Serviço?",
                       {"Sim", "Não"}) != "Sim")
        return;
    QString codigo, descricao;
    double venda = 0, estoque = 0, reservado = 0, promocional = 0, custo = 0;
    if (!SelecionaProduto(codigo, descricao, venda, estoque, reservado, promocional, custo, true))
        return;
    const bool servico = CarregaDado("com_Fab_s_fs", "acec1101", "Where Codigo = " + QuotedStr(codigo)).trimmed() == "7";
    TdmTec& tec = *dmTec;
    host::ui::WaitCursor ampulheta;
    ControlesDesligados desligados({tec.quOSItem, tec.quOSPecas, tec.quOSAndamento});
    tec.CarregaOSAtributos(tec.quOSAOCODIGO->asInteger(), 0, true);
    host::data::Query& linhas = servico ? *tec.quOSAndamento : *tec.quOSPecas;
    host::data::Field* produto = servico ? tec.quOSAndamentoPRCODIGO : tec.quOSPecasPRCODIGO;
    host::data::Field* quantidade = servico ? tec.quOSAndamentoAAQUANTIDADE : tec.quOSPecasAPQUANTIDADE;
    for (tec.quOSItem->first(); !tec.quOSItem->eof(); tec.quOSItem->next()) {
        if (!linhas.active())
            linhas.open();
        linhas.append();
        produto->setAsString(codigo);
        quantidade->setAsFloat(1);
        linhas.post();
    }
    dmGlobal->MostraAviso("Operação efetuada com sucesso!", false);
}
