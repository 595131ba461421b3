// The keyboard commands of the service-order window (seen before the focused
// control, which still receives the key), the vehicle data of the current
// item, the price release and the stock withdrawal of the order's parts.

#include "service_orders/uAssOrdemServico.h"
#include "service_orders/uAssOrdemServicoComum.h"

#include "data/uDataTec.h"

#include "host/PilvTra70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Upesqprod.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"

#include <QPushButton>


namespace {


// A line to duplicate: the dataset open on a row with its order.
bool linhaGravada(host::data::Dataset& linhas)
{
    return linhas.active() && !linhas.isEmpty() && !linhas.fieldByName("AOCODIGO")->isNull();
}

// " and COLUMN=value" of the line's edit text; a line without that value
// (a service line of no item) is found by the column being null, where
// "COLUMN=" alone would not even parse.
QString igualA(const char* coluna, const host::data::Field* campo)
{
    const QString texto = campo->text().trimmed();
    return texto.isEmpty() ? QString(" and ") + coluna + " is null" : QString(" and ") + coluna + "=" + texto;
}

}  // namespace

// A price of the product's range into the current line.
void TfmAssOrdemServico::faixaPreco(host::data::Dataset* linhas, const char* campoValor)
{
    double preco = 0;
    QString auxiliar;
    int iAuxiliar = 0;
    if (!SelecionaProdutoFaixaPreco(linhas->fieldByName("PRCODIGO")->asString(), dmTec->quOSCLCODIGO->asString(), -1,
                                    preco, auxiliar, iAuxiliar))
        return;
    if (!linhas->editing())
        linhas->edit();
    linhas->fieldByName(campoValor)->setAsFloat(preco);
}

// The chosen vehicle's model, plate, brand and driver into the item being
// typed; an item in browse state is left as it is.
void TfmAssOrdemServico::dadosVeiculoItem()
{
    int veiculo = 0;
    QString placa;
    SelecionaVeiculo(veiculo, placa);
    if (veiculo <= 0)
        return;
    host::data::Query& consulta = *dmGlobal->quAuxiliar;
    consulta.close();
    consulta.setSql("select vei.TAMODELO, vei.TAPLACA, vei.TAMARCA, vei.TARG, vei.TACARTEIRAMOTORISTA, mot.FNOME, "
                    " vei.FOCODIGOMOTORISTA from ACVC01TA vei left outer join AUGC0501 mot on (mot.FCOD = "
                    "vei.FOCODIGOMOTORISTA) where TACODIGO = " +
                    QString::number(veiculo));
    consulta.open();
    host::data::Query& item = *dmTec->quOSItem;
    if (item.editing()) {
        auto valor = [&](const char* campo) { return consulta.fieldByName(campo)->asString(); };
        item.fieldByName("AOITMODELO")->setAsString(valor("TAMODELO"));
        item.fieldByName("AOITPLACA")->setAsString(valor("TAPLACA"));
        item.fieldByName("AOITMARCA")->setAsString(valor("TAMARCA"));
        item.fieldByName("AOITOBSERVACAO")->setAsString("Motorista: " + valor("FNOME") + " - " + "RG: " + valor("TARG") +
                                                        " - " + "Carteira: " + valor("TACARTEIRAMOTORISTA"));
        item.fieldByName("FOCODIGOMOTORISTA")->setValue(consulta.fieldByName("FOCODIGOMOTORISTA")->value());
    }
    consulta.close();
}

// The password of ATSENHALIBERAPRECO opens the parts' price columns until
// the window is created again; a wrong one says nothing.
void TfmAssOrdemServico::liberarPrecos()
{
    const QString senha = parametroAparado("ATSENHALIBERAPRECO");
    if (senha.isEmpty() || !VerificaValidadeSenha(senha, "Senha para liberação de preços"))
        return;
    for (const char* campo : {"APVALUNITARIO", "APVALTOTAL"})
        if (host::ui::GridColumn* coluna = dbgdOrdemServicoPecas->columnByField(campo))
            coluna->setReadOnly(false);
}

void TfmAssOrdemServico::FormKeyDown(int& Key, Qt::KeyboardModifiers Shift)
{
    TdmTec& tec = *dmTec;
    host::ui::TabSheet* aba = pcOrdemServico->activePage();
    auto mostrar = [this](host::ui::TabSheet* destino) {
        pcOrdemServico->setActivePage(destino);
        pcOrdemServicoChange();
    };
    const Qt::KeyboardModifiers modificadores = Shift & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    if (modificadores == Qt::ControlModifier) {
        switch (Key) {
        case Qt::Key_I: mostrar(tsItens); break;
        case Qt::Key_R: mostrar(tsServico); break;
        case Qt::Key_D: mostrar(tsPecasOS); break;
        case Qt::Key_G: mostrar(tsDespesaViagem); break;
        case Qt::Key_P: mostrar(tsDespesaExtra); break;
        case Qt::Key_L: mostrar(tsLaudo); break;
        case Qt::Key_T: mostrar(tsAndamento); break;
        case Qt::Key_B: mostrar(tsObservacao); break;
        case Qt::Key_O: tsOutros->setTabVisible(!tsOutros->tabVisible()); break;
        case Qt::Key_F:
            if (aba == tsServico)
                faixaPreco(tec.quOSAndamento, "AAVALOR");
            else if (aba == tsPecasOS)
                faixaPreco(tec.quOSPecas, "APVALUNITARIO");
            break;
        case Qt::Key_E: mostrar(tsCliente); break;
        case Qt::Key_S: dadosVeiculoItem(); break;
        default: break;
        }
    }
    switch (Key) {
    case Qt::Key_F1: bbConferir->click(); break;
    case Qt::Key_F3:
        if (aba == tsServico)
            servicoPrecoQuantidade();
        break;
    case Qt::Key_F4: sbPesqCli->click(); break;
    case Qt::Key_F5: OSInserirPecaPorItem(); break;
    case Qt::Key_F7: mostrar(tsLaudo); break;
    case Qt::Key_F8:
        if (aba == tsPecasOS && linhaGravada(*tec.quOSPecas))
            OSDuplicaServicoProdutoCorrente("AATC01AP",
                                            "Where aoCodigo = " + tec.quOSPecasAOCODIGO->text() +
                                                igualA("AOITCODIGO", tec.quOSPecasAOITCODIGO) +
                                                igualA("APSEQUENCIA", tec.quOSPecasAPSEQUENCIA),
                                            tec.quOSPecas);
        else if (aba == tsServico && linhaGravada(*tec.quOSAndamento))
            OSDuplicaServicoProdutoCorrente("AATC01AA",
                                            "Where aoCodigo = " + tec.quOSAndamentoAOCODIGO->text() +
                                                igualA("AOITCODIGO", tec.quOSAndamentoAOITCODIGO) +
                                                igualA("AACODIGO", tec.quOSAndamentoAACODIGO),
                                            tec.quOSAndamento);
        break;
    case Qt::Key_F9:
        if (aba == tsPecasOS)
            inserirProdutos(tec.quOSPecas, false);
        else if (aba == tsServico)
            inserirProdutos(tec.quOSAndamento, false);
        break;
    default: break;
    }
    if (Key == Qt::Key_F12)
        liberarPrecos();
}

void TfmAssOrdemServico::sbReservaClick()
{
    const bool todas = MostraPergunta("Baixar inclusive peças não autorizadas?", {"Sim", "Não"}) == "Sim";
    dmTec->BaixarEstoqueOrdemServico(dmTec->quOSAOCODIGO->asInteger(), todas, false);
}
