#pragma once
// The print dispatcher of the service order current in dmTec->quOS: every
// document (receipt, internal order, history, receipt note, budgets, rapid
// receipt, label sheet and thermal labels) by kind and by the host's print
// parameters. The order is saved first; its detail datasets are open only
// while the document prints.

enum TImpressaoOrdemServico {
    iosNormal,
    iosRapida,
    iosRecibo,
    iosOrcamento,
    iosInterna,
    iosEtiquetaMatricial,
    iosEtiquetaTermica
};

// May end in the silent abort ("Cancelar" of the receipt question).
void ImprimirOrdemdeServico(TImpressaoOrdemServico Kind);
// The rapid receipt's printer: the name kept in "ACIOS40.INI" selected as
// the system printer (not installed: the default printer).
void VerificaImpressoraPadraoModoRapido();
// The label sheet and the thermal labels of the order.
void ImprimirEtiquetasOrdemServico(TImpressaoOrdemServico Kind);
