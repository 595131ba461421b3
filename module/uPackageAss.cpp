// Creation of the data modules and the hooks into the host's main menu.

#include "module/uPackageAss.h"

#include "module/uPackageAssDados.h"

#include "data/uDataTec.h"
#include "host/Udmglobal.h"
#include "host/Uprincipal.h"
#include "host/data/Abort.h"
#include "host/ui/Errors.h"
#include "service_orders/uAssOSComprasCliente.h"
#include "service_orders/uAssSituacaoTroca.h"

#include <exception>

TFormulario* Formulario = nullptr;

namespace uPackageAss {

namespace {

const QString kOrigem = "[CriarDataTec]";

bool contratosEmUso()
{
    const QString opcao = dmGlobal->Parametro("ATUTILIZACONTRATOS");
    return opcao == "S" || opcao == "E";
}

void ligarMenu(TMenuItem* item, void (*handler)(QObject*))
{
    if (item)
        item->OnClick = handler;
}

// The contract items of the host's menu lead to the module's contract windows.
void ligarMenuContratos(TfmPrincipal& principal)
{
    ligarMenu(principal.miCadastroContrato, &TFormulario::AbreContrato);
    ligarMenu(principal.miFaturamentoContrato, &TFormulario::AbreFaturamento);
    ligarMenu(principal.miCadastroObjeto, &TFormulario::AbreObjeto);
    ligarMenu(principal.miCadastroCobertura, &TFormulario::AbreCobertura);
    ligarMenu(principal.miReajusteContrato, &TFormulario::AbreReajuste);
    if (principal.miCadastroObjeto) {
        principal.miCadastroObjeto->setCaption("Cadastro de Objetos");
        principal.miCadastroObjeto->setVisible(true);
    }
    if (principal.miCadastroCobertura) {
        principal.miCadastroCobertura->setCaption("Cadastro de Cobertura");
        principal.miCadastroCobertura->setVisible(false);
    }
    if (principal.miReajusteContrato) {
        principal.miReajusteContrato->setCaption("Reajuste de Contratos");
        principal.miReajusteContrato->setVisible(true);
    }
}

QString mensagemDe(std::exception_ptr falha)
{
    try {
        std::rethrow_exception(falha);
    } catch (const host::Abort&) {
        return "Operação abortada.";
    } catch (const std::exception&) {
        return host::ui::exceptionMessage(std::current_exception());
    } catch (...) {
        return "Erro desconhecido.";
    }
}

}  // namespace

void CriarDataTecContrato()
{
    if (!dados::existeContrato())
        dados::criarContrato();
}

void CriarDataTec()
{
    dmGlobal->Log(kOrigem, "***INICIO");
    try {
        if (!dmTec)
            dmTec.create(nullptr);
        InstalarDialogoTrocaSituacao(&TrocaSituacaoOrdemServico);
        if (fmPrincipal && fmPrincipal->miComprasCliente) {
            ligarMenu(fmPrincipal->miComprasCliente, &TFormulario::AbreComprasCliente);
            fmPrincipal->miComprasCliente->setEnabled(true);
        }
        if (contratosEmUso() && fmPrincipal) {
            CriarDataTecContrato();
            ligarMenuContratos(*fmPrincipal);
        }
    } catch (...) {
        const QString mensagem = mensagemDe(std::current_exception());
        dmGlobal->Log(kOrigem, " EXCEPTION --> " + mensagem);
        dmGlobal->MostraErro("Erro: ao abrir módulo Assistência.\r" + mensagem);
    }
    dmGlobal->Log(kOrigem, "***FIM");
}

}  // namespace uPackageAss

namespace {
bool opcaoContratoLocacao() { return dmGlobal->Parametro("ATOPCAOCONTRATO") == "E"; }
}  // namespace

void TFormulario::AbreContrato(QObject*)
{
    uPackageAss::ShowJanelaTec(opcaoContratoLocacao() ? "fmAssContratosLocEquip" : "fmAssContCad");
}

void TFormulario::AbreFaturamento(QObject*)
{
    uPackageAss::ShowJanelaTec(opcaoContratoLocacao() ? "fmAssContFatLocEquip" : "fmAssContFat");
}

void TFormulario::AbreObjeto(QObject*) { uPackageAss::ShowJanelaTec("fmAssContObj"); }
void TFormulario::AbreCobertura(QObject*) { uPackageAss::ShowJanelaTec("fmAssContCob"); }
void TFormulario::AbreReajuste(QObject*) { uPackageAss::ShowJanelaTec("fmAssContReaj"); }
void TFormulario::AbreComprasCliente(QObject*) { AbrirComprasClienteOrdemAtual(); }
