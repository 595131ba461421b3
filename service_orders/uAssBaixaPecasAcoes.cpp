// The parts settlement window: import of a service order's parts and the
// posting of the lines.

#include "service_orders/uAssBaixaPecas.h"

#include "data/uDataTecAcertoPecas.h"
#include "service_orders/uAssEscolhaOrdem.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Abort.h"
#include "host/data/Dataset.h"
#include "host/data/MemDataset.h"
#include "host/data/Query.h"
#include "host/ui/Cursors.h"

#include <QCheckBox>
#include <QLabel>

namespace {

const char* const kOrigemBaixar = "TfmAssBaixaPecas.bbBaixarClick";

}  // namespace

bool TfmAssBaixaPecas::VerificarPecaOrdemServico(const QString& sTipo, const QString& sProduto, double dQuantidade,
                                                 int aoCodigo, bool bRequerida)
{
    return ::VerificarPecaOrdemServico(sTipo, sProduto, dQuantidade, aoCodigo, bRequerida);
}

void TfmAssBaixaPecas::LimpaGridBaixaPecas()
{
    cdsBaixa->emptyDataset();
}

void TfmAssBaixaPecas::bbImportarClick()
{
    if (!cdsBaixa->isEmpty()) {
        if (MostraPergunta("Já foi importada uma O.S. Deseja excluir esta e importar uma nova O.S.?", {"Sim", "Não"}) !=
            "Sim")
            return;
        LimpaGridBaixaPecas();
    }
    int ordem = 0;
    if (!EscolherOrdemServicoPecas(ordem))
        return;
    ImportarOS(ordem);
}

void TfmAssBaixaPecas::ImportarOS(int aoCodigo)
{
    host::data::ControlsDisabled parado(*cdsBaixa);
    host::ui::WaitCursor cursor;
    QStringList jaBaixadas;
    const QList<LinhaAcertoPecas> linhas = PecasDaOrdemAoAcerto(aoCodigo, !modoEntrada(), jaBaixadas);
    if (linhas.isEmpty() && jaBaixadas.isEmpty())
        dmGlobal->MostraAviso("A O.S. informada não possuí peças, por isso não é possível importa-la.", true);
    if (linhas.isEmpty())
        dmGlobal->MostraAviso("Todas as peças desta O.S. já foram baixadas:\r" + jaBaixadas.join("\r"), true);
    const QString cliente =
        CarregaDado("clCodigo", "aatc01ao", "where aoCodigo = " + QuotedStr(QString::number(aoCodigo))).trimmed();
    const QString nome = CarregaDado("nome", "augc0301", "where codigo_cliente= " + QuotedStr(cliente));
    for (const LinhaAcertoPecas& linha : linhas)
        AcrescentarLinha(linha, &nome);
    if (!jaBaixadas.isEmpty())
        dmGlobal->MostraAviso("Peças desta O.S. já baixadas, fora da importação:\r" + jaBaixadas.join("\r"));
}

void TfmAssBaixaPecas::AcrescentarLinha(const LinhaAcertoPecas& linha, const QString* sClienteDaOrdem)
{
    cdsBaixa->append();
    cdsBaixaprCodigo->setText(linha.produto);
    if (linha.aiCodigo > 0)
        cdsBaixaaiCodigo->setAsInteger(linha.aiCodigo);
    cdsBaixaprQuantidade->setAsFloat(linha.quantidade);
    cdsBaixaaoCodigo->setAsInteger(linha.aoCodigo);
    // An order's parts line brings its required quantity, stock location
    // and customer; a request's leaves them to the line's rules.
    if (sClienteDaOrdem) {
        cdsBaixaprQtdeReq->setAsFloat(linha.quantidadeRequerida);
        cdsBaixaprCodigoLocal->setText(linha.local);
        cdsBaixaclNome->setText(*sClienteDaOrdem);
    }
    cdsBaixa->post();
}

QList<LinhaAcertoPecas> TfmAssBaixaPecas::linhasDaGrade()
{
    QList<LinhaAcertoPecas> linhas;
    if (!cdsBaixa->active())
        return linhas;
    if (cdsBaixa->editing())
        cdsBaixa->post();
    host::data::ControlsDisabled parado(*cdsBaixa);
    for (cdsBaixa->first(); !cdsBaixa->eof(); cdsBaixa->next())
        linhas.append({cdsBaixaprCodigo->asString().trimmed(), cdsBaixaprDescricao->asString().trimmed(),
                       cdsBaixaprQuantidade->asFloat(), cdsBaixaaoCodigo->asInteger(),
                       cdsBaixaprCodigoLocal->asString().trimmed(), cdsBaixaaiCodigo->asInteger()});
    return linhas;
}

void TfmAssBaixaPecas::bbBaixarClick()
{
    dmGlobal->Log(QString("[%1]").arg(kOrigemBaixar), "***INICIO");
    // "***FIM" is written however the posting ends.
    struct Fim {
        ~Fim() { dmGlobal->Log(QString("[%1]").arg(kOrigemBaixar), "***FIM"); }
    } fim;
    OpcoesAcertoPecas opcoes;
    opcoes.tipo = modoEntrada() ? "E" : "S";
    opcoes.operacao = (modoEntrada() ? laCodOpEnt : laCodOpSai)->text();
    opcoes.inserirPeca = ckInserirPeca->isChecked();
    opcoes.salvarRequerida = ckSalvarRequerida->isChecked();
    opcoes.validarEntrada = ckValidadeQtdeEntrada->isChecked();
    opcoes.cabecalhoIndependente = ckCabecalhoIndependente->isChecked();
    bool gravou = false;
    try {
        host::ui::WaitCursor cursor;
        BaixarPecas(linhasDaGrade(), opcoes, gravou);
    } catch (...) {
        // Lines already posted must not be posted again: once the writing
        // began the grid goes, whatever stopped it.
        if (gravou)
            LimpaGridBaixaPecas();
        throw;
    }
    LimpaGridBaixaPecas();
}
