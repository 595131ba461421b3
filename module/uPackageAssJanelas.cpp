// The window dispatcher: every window of the module is opened by its name.

#include "module/uPackageAss.h"

#include "module/uPackageAssAbrir.h"
#include "module/uPackageAssDados.h"

#include "contracts/uAssBasicoContratos.h"
#include "data/uDataTec.h"
#include "contracts/uAssBasicoContratosFaturamento.h"
#include "contracts/uAssCadMedidor.h"
#include "contracts/uAssContCad.h"
#include "contracts/uAssContCadCM.h"
#include "contracts/uAssContCadRegras.h"
#include "contracts/uAssContFat.h"
#include "contracts/uAssContObj.h"
#include "contracts/uAssContReajustarValor.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "rental/uAssCheckoutConsulta.h"
#include "rental/uAssContAditivo.h"
#include "rental/uAssContFatLocEquip.h"
#include "rental/uAssContLocEquipCad.h"
#include "rental/uAssContLocacao.h"
#include "rental/uAssContRenovacao.h"
#include "rental/uAssEntradaEquip.h"
#include "rental/uAssEquipamentoLocacao.h"
#include "rental/uAssVendas.h"
#include "service_orders/uAssAndamento.h"
#include "service_orders/uAssBaixaPecas.h"
#include "service_orders/uAssDefeito.h"
#include "service_orders/uAssEquipamento.h"
#include "service_orders/uAssFaturamento.h"
#include "service_orders/uAssHoraTecnica.h"
#include "service_orders/uAssOSSelecaoRel.h"
#include "service_orders/uAssOrdemServico.h"
#include "service_orders/uAssSituacao.h"
#include "service_orders/uAssSolicitacao.h"
#include "service_orders/uAssTecnico.h"

#include <QRegularExpression>

#include <functional>
#include <vector>

namespace uPackageAss {

namespace {

const QString kOrigemJanelas = "[ShowJanelaTec]";
const QString kOrdemServico = "fmAssOrdemServico";

// The rental family of the contract windows ("Q"); the test is logged.
bool opcaoContratoQ()
{
    if (dmGlobal->Parametro("ATOPCAOCONTRATO") != "Q")
        return false;
    dmGlobal->Log(kOrigemJanelas, "ATOPCAOCONTRATO=\"Q\"");
    return true;
}

struct Janela {
    std::function<bool(const QString&)> aceita;
    std::function<void(const QString&)> abre;
};

Janela nome(const char* nomeJanela, std::function<void()> abre)
{
    const QString esperado = QString::fromLatin1(nomeJanela);
    return {[esperado](const QString& n) { return n == esperado; }, [abre](const QString&) { abre(); }};
}

// In order: the first name that matches acts.
const std::vector<Janela>& janelas()
{
    static const std::vector<Janela> tabela = {
        nome("fmAssFaturamento", [] { abrir(fmAssFaturamento); }),
        nome("fmAssHoraTecnica", [] { abrir(fmAssHoraTecnica); }),
        nome("fmAssTecnico", [] { abrir(fmAssTecnico); }),
        nome("fmAssDefeito", [] { abrir(fmAssDefeito); }),
        nome("fmAssEquipamento", [] { abrir(fmAssEquipamento); }),
        nome("fmAssSituacao", [] { abrir(fmAssSituacao); }),
        nome("fmAssContratos",
             [] { opcaoContratoQ() ? (void)abrir(fmAssContLocacao) : (void)abrir(fmAssBasicoContratos); }),
        nome("fmAssContratosFaturamento",
             [] {
                 opcaoContratoQ() ? (void)abrir(fmAssContFatLocEquip)
                                  : (void)abrir(fmAssBasicoContratosFaturamento);
             }),
        nome("fmAssOrdemServico", [] { abrir(fmAssOrdemServico); }),
        {[](const QString& n) { return PegaValorColuna(n, ";", 1) == kOrdemServico; },
         [](const QString& n) {
             abrir(fmAssOrdemServico);
             // The window may already hold another order with changes pending.
             dmTec->OSSalvarPendentes();
             dados::carregaOrdemServico(numeroDaOrdem(n));
             if (TfmAssOrdemServico* janela = fmAssOrdemServico.get())
                 janela->SeguirOrdemMostrada();
         }},
        nome("fmAssAndamento", [] { abrir(fmAssAndamento); }),
        nome("fmAssSolicitacao", [] { abrir(fmAssSolicitacao); }),
        nome("fmAssOSSelecaoRel", [] { abrir(fmAssOSSelecaoRel); }),
        nome("fmAssBaixaPecas", [] { abrir(fmAssBaixaPecas); }),
        nome("fmAssContObj", [] { abrir(fmAssContObj); }),
        nome("fmAssContReaj", [] { abrir(fmAssContReaj); }),
        nome("fmAssContFat",
             [] { opcaoContratoQ() ? (void)abrir(fmAssContFatLocEquip) : (void)abrir(fmAssContFat); }),
        nome("fmAssContFatLocEquip", [] { abrir(fmAssContFatLocEquip); }),
        nome("fmAssContLocacao", [] { abrir(fmAssContLocacao); }),
        nome("fmAssEquipamentoLocacao", [] { abrir(fmAssEquipamentoLocacao); }),
        nome("fmAssContCad",
             [] {
                 if (opcaoContratoQ()) {
                     abrir(fmAssContLocacao);
                     return;
                 }
                 dmGlobal->Log(kOrigemJanelas, "ATOPCAOCONTRATO<>\"Q\"");
                 abrirPelaFabrica(fmAssContCad);
             }),
        nome("fmAssContratosLocEquip", [] { abrirPelaFabrica(fmAssContCadLocEquip); }),
        nome("fmAssContCob", [] { AbrirListaCoberturas(); }),
        nome("fmAssEquipCli", [] { AbrirListaEquipamentosCliente(); }),
        nome("fmAssContCadDet", [] { AbrirListaDetalheItemContrato(); }),
        nome("fmAssContAditivo", [] { abrirModal(fmAssContAditivo); }),
        nome("fmAssVenda", [] { abrir(fmAssVendas); }),
        nome("fmAssCheckout", [] { abrir(fmAssCheckoutConsulta); }),
        nome("fmAssContRenovacao", [] { abrir(fmAssContRenovacao); }),
        nome("fmAssEntradaEquip", [] { abrir(fmAssEntradaEquip); }),
        nome("fmAssCadMedidor", [] { abrir(fmAssCadMedidor); }),
        nome("fmAssContCadCM", [] { abrir(fmAssContCadCM); }),
        nome("AutomatizacaoDeTeste", [] { ExecutarAutomatizacaoDeTeste(); }),
    };
    return tabela;
}

}  // namespace

// The second ";"-field as an order number (blanks around it ignored);
// anything but a whole number is 0.
int numeroDaOrdem(const QString& nome)
{
    static const QRegularExpression inteiro("^[+-]?[0-9]+$");
    const QString campo = PegaValorColuna(nome, ";", 2).trimmed();
    if (!inteiro.match(campo).hasMatch())
        return 0;
    bool ok = false;
    const int numero = campo.toInt(&ok);
    return ok ? numero : 0;
}

void ShowJanelaTec(const QString& nomeJanela)
{
    dmGlobal->Log(kOrigemJanelas, "***INICIO");
    dmGlobal->Log(kOrigemJanelas, "Janela:" + nomeJanela);
    CriarDataTec();
    if (!dados::existeContrato()) {
        // Whatever the contracts option says; a failure here is not the caller's concern.
        try {
            CriarDataTecContrato();
        } catch (...) {
        }
    }
    bool encontrada = false;
    for (const Janela& janela : janelas()) {
        if (janela.aceita(nomeJanela)) {
            janela.abre(nomeJanela);
            encontrada = true;
            break;
        }
    }
    if (!encontrada && !bDesligarMensagens)
        dmGlobal->MostraAviso("Janela não encontrada!", false);
    dmGlobal->Log(kOrigemJanelas, "***FIM");
}

namespace {
// The contract register, beneath this unit, opens windows by name through
// the dispatcher registered here when the module loads.
[[maybe_unused]] const bool janelasContratoRegistradas =
    (uAssContCad::RegistrarShowJanela(&ShowJanelaTec), true);
}  // namespace

}  // namespace uPackageAss
