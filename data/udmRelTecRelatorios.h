#pragma once
// The seven reports of TDmRelTec: layouts (A4, millimetres) and the rules
// their scripts carried, over the module's report datasets. Single-record
// documents read the current row of their header dataset without moving it
// (moving dmTec->quOS would reload the order's lines under the report); their
// lists are sub-details over the line datasets.

#include "data/udmRelTec.h"
#include "host/report/Report.h"

// Shared pieces of the layouts.
namespace udmRelTec {

using host::report::Band;
using host::report::DataRef;

// The value format of the company's decimals (UGDECIMALVALORPROD, 2 when not above 0).
QString formatoValorEmpresa(const DataRef& empresa);
QString texto(const DataRef& dataset, const QString& campo);
double numero(const DataRef& dataset, const QString& campo);
// A caption, bold when asked.
host::report::Label* rotulo(Band& band, const QString& nome, double left, double top, double width,
                            const QString& caption, bool negrito = false);
// A right-aligned number field with its format.
host::report::DataText* valor(Band& band, const QString& nome, double left, double top, double width,
                              const DataRef& dataset, const QString& campo, const QString& formato);
// Company name, address, city, phone and CNPJ from the "Empresa" dataset.
void cabecalhoEmpresa(Band& band, const DataRef& empresa);
// A centred title line.
host::report::Label* titulo(Band& band, const QString& nome, double top, const QString& caption, double pontos);
// Issue date and time on the left, "Página n de m" on the right.
Band* rodapePagina(host::report::Report& report, const QString& nome);
// "TELEFONE1 / TELEFONE2" when both are filled, else TELEFONE1.
QString telefones(const DataRef& dataset);
// The customer of a service order: name, address, district, city and state, CEP, phones, contact.
void blocoCliente(Band& band, const DataRef& os, double top);
// A table of order lines under a data band: caption and column titles in its
// header, then code, description, quantity, unit value and total per row.
struct ColunasLinha {
    const char* codigo;
    const char* descricao;
    const char* quantidade;
    const char* unitario;
    const char* total;
};
Band* tabelaLinhas(Band& master, const QString& nome, const DataRef& linhas, const QString& caption,
                   const ColunasLinha& colunas);
// The order's equipment: description, make, model and serial number per item.
Band* tabelaItens(Band& master, const QString& nome, const DataRef& itens, const QString& caption);

}  // namespace udmRelTec

// Service orders by item ("Relatório de Ordem de Serviço" / "Por Seleção").
// The report variable "Resposta" ('Serviço' or 'Andamento') chooses the
// column of the progress minutes or of the discount.
class TfrSelecaoItemOS : public host::report::Report {
public:
    explicit TfrSelecaoItemOS(TDmRelTec& dm);

    host::report::Band* bnTitulo = nullptr;
    host::report::Band* bnColunas = nullptr;
    host::report::Band* bnItem = nullptr;
    host::report::Band* bnGrupoOS = nullptr;
    host::report::Band* bnRodapeOS = nullptr;
    host::report::Band* bnServico = nullptr;
    host::report::Band* bnPeca = nullptr;
    host::report::Band* bnResumo = nullptr;

    // Running totals of the orders printed (each order once).
    double rTotalPecas = 0;
    double rTotalServicos = 0;
    double rTotalExtras = 0;
    double rTotalViagem = 0;

private:
    void ReportBeforePrint();
    void bnGrupoOSBeforePrint();
    TDmRelTec& dm_;
};

// The summary budget, a letter ("Relatório de Ordem de Serviço" / "Resumido").
class TfrOrdemServResumido : public host::report::Report {
public:
    explicit TfrOrdemServResumido(TDmRelTec& dm);
    host::report::Band* bnCliente = nullptr;
    host::report::Band* bnItens = nullptr;
    host::report::Band* bnServicos = nullptr;
    host::report::Band* bnPecas = nullptr;
    host::report::Band* bnTotais = nullptr;
    host::report::Band* bnDespesas = nullptr;   // shown when "visibleDespesas" is '1'
    host::report::Band* bnFechamento = nullptr;

private:
    TDmRelTec& dm_;
};

// The complete budget ("ORÇAMENTO").
class TfrOrdemServCompleto : public host::report::Report {
public:
    explicit TfrOrdemServCompleto(TDmRelTec& dm);
    host::report::Band* bnCliente = nullptr;
    host::report::Band* bnItens = nullptr;
    host::report::Band* bnServicos = nullptr;
    host::report::Band* bnPecas = nullptr;
    host::report::Band* bnTotais = nullptr;
    host::report::Band* bnLaudo = nullptr;      // hidden when AOIMPRIMIRLAUDO is 'N'

    // Added to the observations by service lines of varied hour prices.
    QString sObservacaoHoras;

private:
    void bnServicosBeforePrint(bool& imprimir);
    TDmRelTec& dm_;
};

// The order receipt over the same order data.
class TfrOrdemServComprovante : public host::report::Report {
public:
    explicit TfrOrdemServComprovante(TDmRelTec& dm);

private:
    TDmRelTec& dm_;
};

// The rental note ("NOTA DE LOCAÇÃO DE BENS MÓVEIS", landscape A4) over the
// host's current stock document, its items and receivables.
class TfrxNotaLocacao : public host::report::Report {
public:
    explicit TfrxNotaLocacao(TDmRelTec& dm);

private:
    TDmRelTec& dm_;
};

// The delivery protocol of the equipment of the contract loaded in dmTecContrato.
class TfrxEntregaEquipamentos : public host::report::Report {
public:
    explicit TfrxEntregaEquipamentos(TDmRelTec& dm);

private:
    TDmRelTec& dm_;
};

// The rental contract loaded in dmTecContrato.
class TfrxContrato : public host::report::Report {
public:
    explicit TfrxContrato(TDmRelTec& dm);

private:
    TDmRelTec& dm_;
};
