#include "service_orders/uAssOrdemServicoFecha.h"

#include "service_orders/uAssOrdemServico.h"

#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Upesqgeral.h"
#include "host/data/Abort.h"
#include "host/data/DataSource.h"
#include "host/data/HandlerGuard.h"
#include "host/data/Query.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/Errors.h"
#include "host/ui/FormBuilders.h"

#include <QCheckBox>
#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

host::ui::FormVar<TfmAssOrdemServicoFecha> fmAssOrdemServicoFecha("fmAssOrdemServicoFecha");

namespace {

// The combos and the searches write into the order shown in the screen.
void gravarNaOrdemFechamento(const char* coluna, const QString& valor)
{
    host::data::Query& os = *dmTec->quOS;
    if (!os.editing())
        os.edit();
    os.fieldByName(coluna)->setAsString(valor);
}

}  // namespace

TfmAssOrdemServicoFecha::TfmAssOrdemServicoFecha(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Fechamento de OS");
    setStayOnTop(true);
    setCentered(true);
    TfmAssOrdemServico* tela = fmAssOrdemServico.get();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    gbFechamento = new QGroupBox("Confirme os Dados do Fechamento", this);
    gbFechamento->setObjectName("gbFechamento");
    auto* grade = new QGridLayout(gbFechamento);
    grade->setContentsMargins(6, 4, 6, 4);
    laOperacao = new QLabel("Operação", gbFechamento);
    dblcOperacao = host::ui::makeLookup(gbFechamento, "dblcOperacao", tela ? tela->dsOrdem : nullptr, "OFCODIGO",
                                        tela ? tela->dsOperacao : nullptr, "Cod_op", "DESC_OP_NF");
    sbOp = host::ui::makeSearchButton(gbFechamento, "sbOp");
    sbOp->setToolTip("Pesquisa");
    laTabVcto = new QLabel("Tabela Vencimento", gbFechamento);
    dblcTabVcto = host::ui::makeLookup(gbFechamento, "dblcTabVcto", tela ? tela->dsOrdem : nullptr, "TVCODIGO",
                                       tela ? tela->dsTabVcto : nullptr, "CODIGO", "DESCRICAO");
    sbPesqTabVcto = host::ui::makeSearchButton(gbFechamento, "sbPesqTabVcto");
    sbPesqTabVcto->setToolTip("Pesquisar");
    grade->addWidget(laOperacao, 0, 0);
    grade->addWidget(dblcOperacao, 0, 1);
    grade->addWidget(sbOp, 0, 2);
    grade->addWidget(laTabVcto, 1, 0);
    grade->addWidget(dblcTabVcto, 1, 1);
    grade->addWidget(sbPesqTabVcto, 1, 2);
    grade->setColumnStretch(1, 1);
    layout->addWidget(gbFechamento);

    auto* rodape = new QHBoxLayout;
    ckOcultarPecas = new QCheckBox("Ocultar peças", this);
    ckOcultarPecas->setObjectName("ckOcultarPecas");
    ckPV = new QCheckBox("Abrir Pedido", this);
    ckPV->setObjectName("ckPV");
    btOK = host::ui::makeButton(this, "btOK", "OK");
    btOK->setDefault(true);
    btCancelar = host::ui::makeButton(this, "btCancelar", "Cancelar");
    rodape->addWidget(ckOcultarPecas);
    rodape->addWidget(ckPV);
    rodape->addStretch(1);
    rodape->addWidget(btOK);
    rodape->addWidget(btCancelar);
    layout->addLayout(rodape);
    resize(402, 121);

    auto clique = [this](QPushButton* botao, void (TfmAssOrdemServicoFecha::*acao)()) {
        connect(botao, &QPushButton::clicked, this, [this, acao] { host::ui::runGuarded([this, acao] { (this->*acao)(); }); });
    };
    clique(sbOp, &TfmAssOrdemServicoFecha::sbOpClick);
    clique(sbPesqTabVcto, &TfmAssOrdemServicoFecha::sbPesqTabVctoClick);
    clique(btOK, &TfmAssOrdemServicoFecha::btOKClick);
    clique(btCancelar, &TfmAssOrdemServicoFecha::btCancelarClick);
    onCreate = [this] { FormCreate(); };
    onShow = [this] { FormShow(); };
    onClose = [this](host::ui::CloseAction&) { FormClose(); };
}

void TfmAssOrdemServicoFecha::FormCreate()
{
    CarregarConfiguracaoJanela(this, bModoZeltoControlAtivo, false, "");
    SalvarAlteracoes(*dmTec->quOS);
}

void TfmAssOrdemServicoFecha::FormShow()
{
    if (host::data::DataSource* lista = dblcOperacao->listSource(); lista && lista->dataset() &&
                                                                    !lista->dataset()->active())
        lista->dataset()->open();
    dmGlobal->CarregaTabelaVencimento("");
}

void TfmAssOrdemServicoFecha::FormClose() { SalvarConfiguracaoJanela(this, bModoZeltoControlAtivo); }

void TfmAssOrdemServicoFecha::sbOpClick()
{
    if (!dmTec->quOS->editing())
        dmTec->quOS->edit();
    QString codigo, v2, v3;
    if (SelecionaPesquisaGeral(25, "Cod_op", "Cod_op", "Cod_op", codigo, v2, v3))
        gravarNaOrdemFechamento("OFCODIGO", codigo);
}

void TfmAssOrdemServicoFecha::sbPesqTabVctoClick()
{
    if (!dmTec->quOS->editing())
        dmTec->quOS->edit();
    QString codigo, v2, v3;
    if (SelecionaPesquisaGeral(13, "Codigo", "Codigo", "Codigo", codigo, v2, v3))
        gravarNaOrdemFechamento("TVCODIGO", codigo);
}

void TfmAssOrdemServicoFecha::btOKClick()
{
    if (dblcOperacao->text().trimmed().isEmpty() || dblcTabVcto->text().trimmed().isEmpty())
        dmGlobal->MostraAviso("Informe os dados requeridos!", true);
    setModalResult(host::ui::ModalResult::Ok);
}

void TfmAssOrdemServicoFecha::btCancelarClick() { close(); }

namespace {

// The final situation of the order's kind: of type "S" for a remanufacture,
// "D" for a purchase, "F" otherwise; the lowest code of that type, so the
// same one is taken every time.
int situacaoFinalFechamento()
{
    const QString tipo = dmTec->quOSAOREMANUFATURA->asString() == "R"   ? "S"
                         : dmTec->quOSAOREMANUFATURA->asString() == "C" ? "D"
                                                                         : "F";
    return CarregaNumeroInteiro("min(ascodigo)", "aatc01as", "where astipo=" + QuotedStr(tipo));
}

// The progress record of the closing, posted before the order exists;
// returns its key (customer and sequence) for the text completed later.
QString registrarAndamentoFechamento(int anterior, int atual)
{
    TdmTec& tec = *dmTec;
    tec.CarregaOSContato(tec.quOSAOCODIGO->asInteger(), 0);
    int tecnico = 0;
    tec.VerificaTecnicoCadastrado(tecnico, IbUserName());
    const QDateTime agora = QDateTime::currentDateTime();
    tec.quOSContato->append();
    tec.quOSContatoCOD_CLI->setAsString(tec.quOSCLCODIGO->asString());
    tec.quOSContatoCONTRATO->setAsInteger(tec.quOSAOCODIGO->asInteger());
    tec.quOSContatoVENDEDOT->setAsString(QString::number(tecnico));
    tec.quOSContatoASCODIGO->setAsInteger(anterior);
    tec.quOSContatoASCODIGOATUAL->setAsInteger(atual);
    tec.quOSContatoOBSERVACAO->setAsString("Fechamento de OS no pedido ");
    tec.quOSContatoHORA_VISITA->setValue(agora);
    tec.quOSContatoCTHORAFINAL->setValue(agora);
    tec.quOSContato->post();
    return "Where COD_CLI = " + QuotedStr(tec.quOSContatoCOD_CLI->asString()) +
           " and SEQUENCIA = " + tec.quOSContatoSEQUENCIA->asString();
}

void fecharOrdemServico(TfmAssOrdemServico& tela, TfmAssOrdemServicoFecha& dialogo)
{
    TdmTec& tec = *dmTec;
    host::data::Query& os = *tec.quOS;
    if (!os.editing())
        os.edit();
    const int anterior = tec.quOSASCODIGO->asInteger();
    host::data::DetachHandler<decltype(tec.quOSASCODIGO->onChange)> semTroca(tec.quOSASCODIGO->onChange);
    struct FecharContato {
        ~FecharContato() { dmTec->quOSContato->close(); }
    } fecharContato;
    const int final = situacaoFinalFechamento();
    if (final <= 0) {
        // Nothing of the closing stays pending in the order for a later save.
        tec.quOSASCODIGO->setAsInteger(anterior);
        dmGlobal->MostraAviso("Situação final não cadastrado para esse tipo de OS! Operação abortada.", true);
    }
    tec.quOSASCODIGO->setAsInteger(final);
    const QString andamento = registrarAndamentoFechamento(anterior, final);
    QString despesas;
    const QString pedido = tela.OSEmissaoPedidoVenda(dialogo.ckPV->isChecked(), false,
                                                     dialogo.ckOcultarPecas->isChecked(), sAuxiliarGeral, despesas);
    UpdateCampoVariavelCommit("CADCOM", "OBSERVACAO", "Fechamento de OS no pedido " + pedido, andamento);
}

}  // namespace

void SelecionaFechamentoOS()
{
    // The order closed is the one the service-order window shows.
    TfmAssOrdemServico* tela = fmAssOrdemServico.get();
    if (!tela)
        return;
    TdmTec& tec = *dmTec;
    const QString tipo =
        CarregaDado("ASTIPO", "AATC01AS", "WHERE ASCODIGO = " + QuotedStr(tec.quOSASCODIGO->asString())).trimmed();
    if (tipo == "S" || tipo == "D" || tipo == "F" || tipo == "M")
        dmGlobal->MostraAviso("OS já fechada, apenas administrador do sistema pode fechar novamente!",
                              !UsuarioMestre());
    TfmAssOrdemServicoFecha* dialogo = fmAssOrdemServicoFecha.create();
    host::ui::ReleaseOnExit liberar(fmAssOrdemServicoFecha);
    dialogo->ckOcultarPecas->setVisible(tec.quOSAOREMANUFATURA->asString() == "A");
    if (dialogo->showModal() != host::ui::ModalResult::Ok) {
        CancelarAlteracoes(*tec.quOS);
        return;
    }
    fecharOrdemServico(*tela, *dialogo);
}
