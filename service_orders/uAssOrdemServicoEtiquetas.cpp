// Labels of the service order and the accessory check of the service-order
// window: the thermal printer's command lines, the label prints, the labels
// button, the check window's button and the confirmed accessories' colour.

#include "service_orders/uAssOrdemServicoEtiquetas.h"
#include "service_orders/uAssOrdemServicoImpressao.h"

#include "service_orders/uAssConferenciaAcessorios.h"
#include "service_orders/uAssOSEtiquetas.h"
#include "service_orders/uAssOrdemServico.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/UportaImpressora.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/data/Query.h"
#include "host/report/Report.h"
#include "host/ui/DataGrid.h"
#include "host/ui/Dialogs.h"
#include "host/ui/Errors.h"

#include <QPushButton>

namespace {

// One command line: the text as it is, CR LF, out to the printer at once.
// The printer takes single-byte text; what Latin-1 lacks goes out as "?".
void linhaTermica(ArquivoPortaImpressora& F, const QString& linha)
{
    F.escreve(linha.toLatin1() + "\r\n");
}

// A PPLB text command: the prefix names position and font and opens the
// quoted text; the value goes in unchanged.
void textoTermico(ArquivoPortaImpressora& F, const char* prefixo, const QString& valor)
{
    linhaTermica(F, QString::fromUtf8(prefixo) + valor + '"');
}

// The number of labels asked; 0 when the dialog is cancelled. A text that is
// not a whole number ends the print with the message.
int quantidadeEtiquetasTermicas()
{
    QString texto;
    if (!host::ui::Dialogs::inputQuery("Etiquetas", "Informe a quantidade de etiquetas que deseja imprimir", texto))
        return 0;
    bool ok = false;
    const int quantidade = texto.trimmed().toInt(&ok);
    if (!ok)
        dmGlobal->MostraErro("Nº de etiquetas inválido");
    return quantidade;
}

void etiquetasEquipamento(ArquivoPortaImpressora& F, int quantidade)
{
    TdmTec& tec = *dmTec;
    const QString ordem = tec.quOSAOCODIGO->asString();
    const QString data = host::data::formatDateTime("c", tec.quOSAODATAENTRADA->asDateTime());
    const QString cliente = tec.quOSCLCODIGO->asString() + " " + tec.quOSCLIENTE->asString();
    const QString fone = tec.quOS->fieldByName("TELEFONE1")->asString();
    const QString solicitante = tec.quOSAOCONTATO->asString();
    const QString defeito = tec.quOSItem->active() && !tec.quOSItem->isEmpty()
                                ? tec.quOSItem->fieldByName("AOITDEFEITO")->asString()
                                : QString();
    for (int n = 0; n < quantidade; ++n) {
        ComandoEspecialImpressoraTermica("INICIALIZAR", F);
        textoTermico(F, "A14,1,0,4,1,1,N,\"O.S. No: ", ordem);
        textoTermico(F, "A14,30,0,2,1,1,N,\"Data: ", data);
        textoTermico(F, "A14,60,0,2,1,1,N,\"Cliente: ", cliente);
        textoTermico(F, "A14,90,0,2,1,1,N,\"Fone: ", fone);
        textoTermico(F, "A14,120,0,2,1,1,N,\"Solicitante: ", solicitante);
        // The defect in lines of 25, 34 and 34 characters; past 93 it is cut.
        if (defeito.size() <= 25) {
            textoTermico(F, "A14,150,0,2,1,1,N,\"Defeito: ", defeito);
        } else if (defeito.size() <= 60) {
            textoTermico(F, "A14,150,0,2,1,1,N,\"Defeito: ", defeito.left(25));
            textoTermico(F, "A14,170,0,2,1,1,N,\"", defeito.mid(25));
        } else {
            textoTermico(F, "A14,150,0,2,1,1,N,\"Defeito: ", defeito.left(25));
            textoTermico(F, "A14,170,0,2,1,1,N,\"", defeito.mid(25, 34));
            textoTermico(F, "A14,190,0,2,1,1,N,\"", defeito.mid(59, 34));
        }
        ComandoEspecialImpressoraTermica("FINALIZAR", F);
    }
}

// A set of labels per accessory of the order and item of the order (the
// join repeats each accessory once per item). The order is the one of quOS:
// its items may not be loaded at all.
void etiquetasAcessorio(ArquivoPortaImpressora& F, int quantidade)
{
    TdmTec& tec = *dmTec;
    const int ordem = tec.quOSAOCODIGO->asInteger();
    const QString cliente = tec.quOSCLCODIGO->asString() + " " + tec.quOSCLIENTE->asString();
    host::data::Query& consulta = *dmGlobal->quAuxiliar;
    struct FechaConsulta {
        host::data::Query& consulta;
        ~FechaConsulta() { consulta.close(); }
    } fechaConsulta{consulta};
    consulta.close();
    consulta.setSql("select * from AATC01AR ac      left outer join aatc01aoit it   on(ac.aoCodigo = it.aoCodigo) "
                    "where ac.aocodigo = " +
                    QuotedStr(QString::number(ordem)));
    consulta.open();
    for (consulta.first(); !consulta.eof(); consulta.next()) {
        const QString descricao = consulta.fieldByName("arDescricao")->asString();
        const QString codigo = CodigoBarraAcessorio(ordem, consulta.fieldByName("arSequencia")->asInteger());
        for (int n = 0; n < quantidade; ++n) {
            ComandoEspecialImpressoraTermica("INICIALIZAR", F);
            textoTermico(F, "A14,1,0,4,1,1,N,\"O.S. No: ", QString::number(ordem));
            textoTermico(F, "A14,30,0,2,1,1,N,\"Cliente: ", cliente);
            textoTermico(F, "A14,60,0,2,1,1,N,\"Acessorio: ", descricao);
            textoTermico(F, "B14,90,0,3,2,4,80,B,\"", codigo);
            ComandoEspecialImpressoraTermica("FINALIZAR", F);
        }
    }
}

}  // namespace

QString CodigoBarraAcessorio(int ordem, int sequencia)
{
    return host::data::formatFloat("000000000", ordem) + host::data::formatFloat("000", sequencia);
}

void ComandoEspecialImpressoraTermica(const QString& Comando, ArquivoPortaImpressora& F)
{
    const QString comando = Comando.toUpper();
    if (comando == "INICIALIZAR") {
        for (const char* linha : {"N", "N", "N", "N", "S2", "D5", "ZB"})
            linhaTermica(F, QString::fromLatin1(linha));
    } else if (comando == "FINALIZAR") {
        for (const char* linha : {"P1", "N", "N", "N", "N"})
            linhaTermica(F, QString::fromLatin1(linha));
    }
}

void ImprimirEtiquetaTermica(const QString& Modo, ArquivoPortaImpressora& F)
{
    // The port is released however the print ends (a refused count included).
    struct LiberaPorta {
        ArquivoPortaImpressora& porta;
        ~LiberaPorta()
        {
            try {
                porta.fecha();
            } catch (const ErroPortaImpressora&) {
                // Already leaving with a failure of its own.
            }
        }
    } liberaPorta{F};
    const QString modo = Modo.toUpper();
    const bool equipamento = modo == "EQUIPAMENTO";
    if (!equipamento && modo != QStringLiteral("ACESSÓRIO"))
        return;
    const int quantidade = quantidadeEtiquetasTermicas();
    if (equipamento)
        etiquetasEquipamento(F, quantidade);
    else
        etiquetasAcessorio(F, quantidade);
    F.fecha();
}

void ImprimirEtiquetaTermicaOrdemServico()
{
    QString porta;
    if (!VerificaPortaImpressora(porta, "CARREGA", kArquivoPortaTermica, kSecaoPortaTermica))
        return;
    ArquivoPortaImpressora F(porta);
    const QString modo =
        MostraPergunta("Deseja imprimir etiqueta para equipamento ou para acessório?", {"Equipamento", "Acessório"});
    ImprimirEtiquetaTermica(modo, F);
}

void ImprimirEtiquetaMatricialOrdemServico()
{
    TqrAssOSEtiquetas* relatorio = qrAssOSEtiquetas.create();
    host::ui::ReleaseOnExit liberar(qrAssOSEtiquetas);
    relatorio->ImprimirEtiqueta();
    relatorio->QuickRep1->preview(true);
}

// ---- the service-order window ----

void TfmAssOrdemServico::sbEtiquetasClick()
{
    const QString tipo =
        MostraPergunta("Deseja imprimir em qual tipo de impressora?", {"Matricial", "Térmica(PPLB)", "Configurar"});
    if (tipo == "Matricial") {
        dmTec->CarregaOSItens(dmTec->quOSItem->fieldByName("AOCODIGO")->asInteger(), 0);
        ImprimirOrdemdeServico(iosEtiquetaMatricial);
    } else if (tipo == "Térmica(PPLB)") {
        ImprimirOrdemdeServico(iosEtiquetaTermica);
    } else if (tipo == "Configurar") {
        QString porta;
        VerificaPortaImpressora(porta, "GRAVA", kArquivoPortaTermica, kSecaoPortaTermica);
    }
}

// A further check window for each click: one per scanner or bench.
void TfmAssOrdemServico::bbConferirClick()
{
    auto* janela = new TfmAssConferenciaAcessorio();
    fmAssConferenciaAcessorio = janela;
    janela->runCreate();
    janela->show();
}

void TfmAssOrdemServico::dbgdAcessoriosDrawColumnCell(host::ui::CellStyle& style)
{
    if (dmTec->quOSAcessorios->fieldByName("ARCONFERIDO")->asString() == "S") {
        style.background = Qt::red;
        style.foreground = Qt::white;
    }
}

void TfmAssOrdemServico::ligarEtiquetas()
{
    for (auto [botao, handler] : {std::pair{sbEtiquetas, &TfmAssOrdemServico::sbEtiquetasClick},
                                  std::pair{bbConferir, &TfmAssOrdemServico::bbConferirClick}})
        connect(botao, &QPushButton::clicked, this,
                [this, handler] { host::ui::runGuarded([&] { (this->*handler)(); }); });
    dbgdAcessorios->onDrawColumnCell = [this](host::ui::CellStyle& style, int, host::ui::GridColumn&, bool) {
        dbgdAcessoriosDrawColumnCell(style);
    };
}
