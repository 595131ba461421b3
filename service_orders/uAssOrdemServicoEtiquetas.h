#pragma once
// Labels of the service order of dmTec->quOS: the thermal label printer's
// command stream (PPLB), for the equipment received and for each accessory
// with its bar code, and the two label prints of the service-order window
// (the thermal printer's port, the label sheet of an ordinary printer).

#include <QString>

class ArquivoPortaImpressora;

// Where the thermal printer's port is kept (VerificaPortaImpressora).
inline const QString kArquivoPortaTermica = QStringLiteral("ACfgImpT.ini");
inline const QString kSecaoPortaTermica = QStringLiteral("[Configuração_Impressora_Térmica]");

// The 12-digit bar code of an accessory: the order as 9 digits, then the
// accessory's sequence as 3 (a wider number is written whole).
QString CodigoBarraAcessorio(int ordem, int sequencia);

// "INICIALIZAR" writes the label's opening lines, "FINALIZAR" its closing
// lines (any letter case); any other command writes nothing.
void ComandoEspecialImpressoraTermica(const QString& Comando, ArquivoPortaImpressora& F);

// Asks the number of labels and writes them to F: "EQUIPAMENTO" the order's
// equipment label, "ACESSÓRIO" a set per accessory of the order (any letter
// case, accented capitals included); any other mode writes nothing. F is
// closed on every way out.
void ImprimirEtiquetaTermica(const QString& Modo, ArquivoPortaImpressora& F);

// The thermal labels of the order: the port kept in "ACfgImpT.ini" (asked
// when none is kept; nothing when the user gives none), the label kind
// asked, the labels written.
void ImprimirEtiquetaTermicaOrdemServico();

// The label sheet of the order (TqrAssOSEtiquetas), previewed modally.
void ImprimirEtiquetaMatricialOrdemServico();
