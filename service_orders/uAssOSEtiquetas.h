#pragma once
// TqrAssOSEtiquetas (qrAssOSEtiquetas): the label sheet of the current
// service order for an ordinary printer, all labels alike: order, date,
// customer, phone, contact and the current item's defect. The sheet's
// geometry and the font come from "ACIEC.txt" in the system folder; a start
// position leaves the used labels of a partly used sheet blank. The report
// is the form's QuickRep1; the form lives for one print and is freed after it.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <QStringList>

#include <memory>
#include <vector>

namespace host::report {
class Band;
class DataText;
class Label;
class Report;
class TextControl;
}  // namespace host::report

class TqrAssOSEtiquetas : public host::ui::Form {
    Q_OBJECT
public:
    explicit TqrAssOSEtiquetas(QWidget* parent = nullptr);
    ~TqrAssOSEtiquetas() override;

    std::unique_ptr<host::report::Report> QuickRep1;
    host::report::Band* qrbnEtiqueta = nullptr;
    host::report::DataText* qrteOS = nullptr;
    host::report::DataText* qrteData = nullptr;
    host::report::DataText* qrteCodCli = nullptr;
    host::report::DataText* qrteCliente = nullptr;
    host::report::DataText* qrteFone = nullptr;
    host::report::DataText* qrteContato = nullptr;
    host::report::DataText* qrteUF = nullptr;
    host::report::DataText* qrteCep = nullptr;
    host::report::DataText* qrteDefeito = nullptr;

    // Asks the start position and the number of labels. A count that is not
    // a whole number ends the print with a message; a cancelled count ends
    // it silently.
    void ImprimirEtiqueta();

    // The layout file's name, looked for in the system folder.
    static QString ArquivoConfiguracao();

    double posicaoInicial() const { return fPosicaoInicial; }
    int totalEtiquetas() const { return iTotalEtiquetas; }

private:
    void QuickRepBeforePrint();
    void QuickRepNeedData(bool& MoreData);
    void qrbnEtiquetaBeforePrint();
    // Lines 0 to 13 of the layout file; false when one is missing or does
    // not convert.
    bool aplicaConfiguracao(const QStringList& linhas);
    std::vector<host::report::DataText*> textosDados() const;

    double fPosicaoInicial = 0;     // entered by the user
    double fContagemBranco = 0;     // blank labels still to leave
    int iTotalEtiquetas = 0;        // bands to produce: blank plus filled
    int iEtiquetasGeradas = 0;      // bands produced so far
};

extern host::ui::FormVar<TqrAssOSEtiquetas> qrAssOSEtiquetas;
