// The print dispatcher and the screen buttons that call it.

#include "service_orders/uAssOrdemServicoImpressao.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Abort.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/report/Impressoras.h"
#include "host/report/Report.h"
#include "host/ui/Dialogs.h"
#include "service_orders/uAssAndamento.h"
#include "service_orders/uAssOSColetaImp.h"
#include "service_orders/uAssOSComprovante.h"
#include "service_orders/uAssOSComprovanteEqto.h"
#include "service_orders/uAssOSHistorico.h"
#include "service_orders/uAssOSHistoricoOficina.h"
#include "service_orders/uAssOSHistoricoOficinaNA.h"
#include "service_orders/uAssOSOrcamento.h"
#include "service_orders/uAssOSOrcamentoCompleto.h"
#include "service_orders/uAssOSRecibo.h"
#include "service_orders/uAssOrdemServico.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QPushButton>

using host::ui::Dialogs::question;

namespace {

QString arquivoModoRapido() { return QDir(sCaminhoSistema).filePath("ACIOS40.INI"); }

// One print of a report form: created, prepared by the caller, previewed
// (the call returns once the viewer is closed) and freed however it ends.
template <class T, class Preparo>
void imprimirRelatorioOS(host::ui::FormVar<T>& variavel, Preparo preparar, bool semPrevia = false)
{
    T* relatorio = variavel.create();
    host::ui::ReleaseOnExit liberar(variavel);
    preparar(*relatorio);
    if (!semPrevia)
        relatorio->QuickRepPreview();
}

template <class T>
void imprimirRelatorioOS(host::ui::FormVar<T>& variavel)
{
    imprimirRelatorioOS(variavel, [](T&) {});
}

void abrirCabecalhoEmpresa(bool somenteFechado)
{
    if (!somenteFechado || !dmGlobal->quEmpresa->active())
        dmGlobal->CarregaEmpresa();
}

void imprimirComprovante(int modo)
{
    imprimirRelatorioOS(qrAssOSComprovante, [modo](TqrAssOSComprovante& r) { r.setModo(modo); });
}

// "Cancelar" leaves through the silent abort, so the calling button never
// enables itself again: both screens' print buttons are enabled here.
[[noreturn]] void cancelarImpressao()
{
    if (TfmAssOrdemServico* tela = fmAssOrdemServico.get())
        tela->bbImprimir->setEnabled(true);
    if (TfmAssAndamento* andamento = fmAssAndamento.get())
        if (auto* botao = andamento->findChild<QPushButton*>("bbImprimir"))
            botao->setEnabled(true);
    host::abortOperation();
}

void imprimirNormal()
{
    SalvarAlteracoes(*dmTec->quOSItem);
    if (parametro("ATMODOIMPRESSAOOS") == "S") {
        imprimirComprovante(20);
        return;
    }
    const QString resposta = question("Deseja imprimir Comprovante, Histórico ou Recibo",
                                      {"Comprovante", "Histórico", "Recibo", "Cancelar"});
    if (resposta == "Comprovante") {
        abrirCabecalhoEmpresa(false);
        imprimirComprovante(20);
    } else if (resposta == "Histórico") {
        if (parametro("ATMODOVEICULO") == "O") {
            abrirCabecalhoEmpresa(false);
            if (parametro("ATHISTORICOOFICINANF") == "A")
                imprimirRelatorioOS(qrAssOSHistoricoOficinaNA);
            else
                imprimirRelatorioOS(qrAssOSHistoricoOficina);
        } else {
            abrirCabecalhoEmpresa(true);
            imprimirRelatorioOS(qrAssOSHistorico);
        }
    } else if (resposta == "Recibo") {
        abrirCabecalhoEmpresa(false);
        imprimirRelatorioOS(qrAssOSRecibo);
    } else {
        cancelarImpressao();   // "Cancelar", or the question closed
    }
}

void imprimirOrcamento()
{
    if (parametro("ATMODOIMPRESSAOOS") == "S") {
        TfmAssOrdemServico::MontaOrcamentoCompleto();
        return;
    }
    if (question("Deseja imprimir Orçamento Resumido ou Completo?", {"Resumido", "Completo"}) == "Resumido")
        imprimirRelatorioOS(qrAssOSOrcamento);
    else
        TfmAssOrdemServico::MontaOrcamentoCompleto();
}

// The printer of the rapid receipt is asked once and kept in "ACIOS40.INI".
void escolherImpressoraModoRapido()
{
    const QString arquivo = arquivoModoRapido();
    if (QFile::exists(arquivo))
        return;
    dmGlobal->MostraAviso("Selecione a impressora padrão para OS Modo Rápido");
    QString impressora = host::report::impressoraAtual();
    if (!host::ui::Dialogs::choosePrinter(impressora))
        return;
    QFile saida(arquivo);
    if (!saida.open(QIODevice::WriteOnly | QIODevice::Text))
        dmGlobal->MostraErro("Não foi possível gravar " + arquivo + ": " + saida.errorString());
    saida.write(("[Impressora_Padrao_Ordem_de_Servico_Modo_Rapido]\n" + impressora + "\n").toUtf8());
}

void imprimirRapida()
{
    escolherImpressoraModoRapido();
    const int anterior = host::report::indiceImpressora();
    struct Restaurar {
        int indice;
        ~Restaurar() { host::report::selecionaImpressora(indice); }
    } restaurar{anterior};
    const QString resposta =
        question("Deseja imprimir comprovante com fonte Draft ou Courier New?", {"Draft", "Courier New"});
    imprimirRelatorioOS(qrAssOSComprovanteEqto, [&resposta](TqrAssOSComprovanteEqto& r) {
        if (QFile::exists(arquivoModoRapido()))
            VerificaImpressoraPadraoModoRapido();
        if (resposta == "Draft") {
            r.QuickRep->print();
            return;
        }
        r.ModificaFonte();
        r.qrlaOS->setLeft(host::report::fromScreenUnits(193));
        r.qrlaDefeito->setLeft(host::report::fromScreenUnits(219));
        r.qrmeLaudo->setWidth(host::report::fromScreenUnits(360));
    }, resposta == "Draft");
}

void imprimirPorTipo(TImpressaoOrdemServico Kind)
{
    const bool direto =
        parametro("ATIMPRIMECOMPROVANTEOS") == "S" || parametro("ATMODOIMPRESSAOOS") == "P";
    if (direto && (Kind == iosNormal || Kind == iosInterna)) {
        const QString remanufatura = dmTec->quOSAOREMANUFATURA->asString();
        imprimirComprovante(Kind == iosInterna ? 22 : (remanufatura == "R" || remanufatura == "C") ? 21 : 20);
        return;
    }
    switch (Kind) {
    case iosEtiquetaTermica:
    case iosEtiquetaMatricial:
        ImprimirEtiquetasOrdemServico(Kind);
        break;
    case iosOrcamento:
        imprimirOrcamento();
        break;
    case iosRapida:
        imprimirRapida();
        break;
    case iosNormal:
        imprimirNormal();
        break;
    case iosRecibo:
    case iosInterna:
        break;   // no document of their own
    }
}

// The detail datasets close again and the screen's active tab gets its own back.
void encerrarImpressao()
{
    dmTec->CarregaOSAtributos(0, 0, false);
    if (TfmAssOrdemServico* tela = fmAssOrdemServico.get())
        tela->VerificaOSAtributoAberto();
}

}  // namespace

void ImprimirOrdemdeServico(TImpressaoOrdemServico Kind)
{
    TdmTec& tec = *dmTec;
    const QString cobranca = tec.quOSCLCODIGOCLIENTECOBRANCA->asString();
    const QString cliente = cobranca.trimmed().isEmpty() ? tec.quOSCLCODIGO->asString() : cobranca;
    sEmailDestino = CarregaDado("Email", "Augc0301", "Where Codigo_Cliente = " + QuotedStr(cliente));
    tec.CarregaOSAtributos(tec.quOSAOCODIGO->asInteger(), 0, true);
    tec.quOS->edit();
    SalvarAlteracoes(*tec.quOS);
    try {
        imprimirPorTipo(Kind);
    } catch (...) {
        encerrarImpressao();
        throw;
    }
    encerrarImpressao();
}

void VerificaImpressoraPadraoModoRapido()
{
    QString impressora;
    dmGlobal->RetornaLinhaArquivo("ACIOS40.INI", 1, impressora);
    if (!impressora.isEmpty())
        host::report::selecionaImpressora(host::report::indiceDaImpressora(impressora));
}

// ---- the screen's buttons ---------------------------------------------------------

namespace {

// The button is off while its document prints and on again however the
// print ends: a failing report left it off for good.
void imprimirComBotao(QPushButton* botao, TImpressaoOrdemServico Kind)
{
    botao->setEnabled(false);
    struct Religar {
        QPointer<QPushButton> botao;
        ~Religar()
        {
            if (botao)
                botao->setEnabled(true);
        }
    } religar{botao};
    ImprimirOrdemdeServico(Kind);
}

}  // namespace

void TfmAssOrdemServico::bbImprimirClick() { imprimirComBotao(bbImprimir, iosNormal); }

void TfmAssOrdemServico::bbOrcamentoClick() { imprimirComBotao(bbOrcamento, iosOrcamento); }

void TfmAssOrdemServico::sbImpRapidaClick() { ImprimirOrdemdeServico(iosRapida); }

void TfmAssOrdemServico::bbOSInternaClick() { ImprimirOrdemdeServico(iosInterna); }

void TfmAssOrdemServico::dbgdAcessoriosDblClick() { ImprimirOrdemdeServico(iosEtiquetaTermica); }

void TfmAssOrdemServico::dbgdOrdemServicoDespExtraDblClick()
{
    host::data::Query& despesas = *dmTec->quOSDespExtra;
    if (!despesas.active() || despesas.isEmpty() ||
        dmTec->quOSDespExtraFOCODIGOTRANSPORTADOR->asString().trimmed().isEmpty())
        return;
    if (question("Deseja imprimir controle de distribuição para esse transportador?", {"Sim", "Não"}) != "Sim")
        return;
    const QString transportador = dmTec->quOSDespExtraFOCODIGOTRANSPORTADOR->asString();
    imprimirRelatorioOS(qrAssOSColetaImp, [&transportador](TqrAssOSColetaImp& r) { r.setTransportador(transportador); });
}

void TfmAssOrdemServico::MontaOrcamentoCompleto()
{
    imprimirRelatorioOS(qrAssOSOrcamentoCompleto, [](TqrAssOSOrcamentoCompleto& r) {
        if (dmTec->quOSAOIMPRIMIRLAUDO->asString() == "N")
            r.OcultarLaudo();
    });
}
