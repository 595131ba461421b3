// The look-ups of the service-order window's header and observation tab,
// the register labels, the additional observation, the e-mails, the photo
// and the new order from known equipment.

#include "service_orders/uAssOrdemServico.h"

#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Uprincipal.h"
#include "host/Upesq.h"
#include "host/Upesqcli.h"
#include "host/Upesqforn.h"
#include "host/Upesqgeral.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/Dialogs.h"
#include "host/ui/PageControl.h"
#include "host/ui/SearchWindow.h"
#include "service_orders/uPesqAssOrdemServico.h"

#include <QFile>
#include <QPushButton>

namespace {

host::data::Query& os() { return *dmTec->quOS; }

void editarSeNavegando()
{
    if (os().state() == host::data::DatasetState::Browse)
        os().edit();
}

void gravar(const char* coluna, const QString& valor)
{
    editarSeNavegando();
    os().fieldByName(coluna)->setAsString(valor);
}

// An earlier order chosen in the order list (newest first).
// ABC1234 is looked up as ABC-1234.
QString placaFormatada(const QString& digitada) { return digitada.left(3) + "-" + digitada.mid(3, 4); }

}  // namespace

// ---- customers and the other header look-ups ----

void TfmAssOrdemServico::pesquisarCliente(const char* coluna)
{
    editarSeNavegando();
    QString nome, codigo, fantasia;
    if (SelecionaCliente(nome, codigo, fantasia))
        os().fieldByName(coluna)->setAsString(codigo);
}

void TfmAssOrdemServico::sbPesqCliClick() { pesquisarCliente("CLCODIGO"); }
void TfmAssOrdemServico::sbPesqCliCobClick() { pesquisarCliente("CLCODIGOCLIENTECOBRANCA"); }
void TfmAssOrdemServico::sbPesqCliCobServClick() { pesquisarCliente("CLCODIGOCOBRANCASERVICO"); }
void TfmAssOrdemServico::sbPesqClienteDespesasClick() { pesquisarCliente("CLCODIGOCOBRANCADESPESAS"); }

void TfmAssOrdemServico::sbPesqTabVctoClick()
{
    QString codigo, v2, v3;
    if (SelecionaPesquisaGeral(13, "Codigo", "Codigo", "Codigo", codigo, v2, v3))
        gravar("TVCODIGO", codigo);
}

void TfmAssOrdemServico::sbOpClick()
{
    QString codigo, v2, v3;
    if (SelecionaPesquisaGeral(25, "cod_op", "cod_op", "cod_op", codigo, v2, v3))
        gravar("OFCODIGO", codigo);
}

void TfmAssOrdemServico::sbPesqRepresClick()
{
    QString codigo, tipo;
    if (!SelecionaFornecedor(codigo, tipo, dmGlobal->Parametro("ATFORNECEDORTODOS") != "N"))
        return;
    if (tipo.trimmed() != "R")
        dmGlobal->MostraErro("Fornecedor selecionado não é do tipo Representante");
    gravar("FOCODIGOREPRESENTANTE", codigo);
}

void TfmAssOrdemServico::sbPesquisaLocalPrestacaoClick()
{
    int codigo = 0;
    if (SelecionaContatoClienteEntrega(dmTec->quOSCLCODIGO->asString(), codigo))
        gravar("ANCODIGO", QString::number(codigo));
}

void TfmAssOrdemServico::sbCliCobrancaClick()
{
    pcOrdemServico->setActivePage(tsObservacao);
    pcOrdemServicoChange();
    if (dblcCliCobranca->isEnabled())
        dblcCliCobranca->setFocus();
}

// ---- the register labels: the host's registers through its main menu ----

void TfmAssOrdemServico::abrirMenuPrincipal(const char* item)
{
    if (!fmPrincipal)
        return;
    if (TMenuItem* menu = fmPrincipal->findMenuItem(item))
        menu->click();
}

void TfmAssOrdemServico::laClienteClick()
{
    const QString escolha = MostraPergunta("Deseja acessar o cadastro de pessoa Física, Jurídica ou do Cliente "
                                           "selecionado?",
                                           {"Física", "Jurídica", "Cliente"});
    if (escolha == "Física") {
        abrirMenuPrincipal("miCadastroPessoaFisica");
    } else if (escolha == "Jurídica") {
        abrirMenuPrincipal("miCadastroPessoaJuridica");
    } else if (escolha == "Cliente") {
        const bool fisica = dmTec->quOS->fieldByName("PESSOA_FISICAOUJURIDICA")->asString().trimmed() == "F";
        if (fmPrincipal)
            fmPrincipal->AbrirCadastro(fisica ? "PF" : "PJ", dmTec->quOSCLCODIGO->asString());
        dmGlobal->CarregaCliente(dmTec->quOSCLCODIGO->asString());
    }
}

void TfmAssOrdemServico::laTecnicoClick() { abrirMenuPrincipal("miCadastroTecnico"); }
void TfmAssOrdemServico::Label4Click() { abrirMenuPrincipal("miCadastroSituacao"); }
void TfmAssOrdemServico::laOperacaoClick() { abrirMenuPrincipal("miCadastroOperacao"); }

void TfmAssOrdemServico::Label20Click()
{
    if (dmGlobal->Parametro("ATOPCAOTELAOS") != "S") {
        abrirMenuPrincipal("miCadastroTabelaVencimento");
        return;
    }
    const QString escolha = MostraPergunta("Deseja abrir cadastro de tabelas de vencimento, simular parcelamento, "
                                           "excluir simulação, ver simulação realizada?",
                                           {"Cadastro", "Simulação", "Excluir", "Ver"});
    if (escolha == "Cadastro") {
        abrirMenuPrincipal("miCadastroTabelaVencimento");
        if (!dmGlobal->quTabVenc->active())
            dmGlobal->CarregaTabelaVencimento();
        dmGlobal->quTabVenc->locate("codigo", dmTec->quOSTVCODIGO->asString());
    } else if (escolha == "Excluir") {
        // Only the simulation's own instalments: the order's real receivables carry its number too.
        DeletaRegistros("acrc5001", "where aocodigo = " + QString::number(ordemAtual()) +
                                        " and NUMERO_DOCUMENTO = " + QuotedStr(TdmTec::documentoSimulacao(ordemAtual())));
        dmGlobal->IBTransaction1->commitRetaining();
    } else if (escolha == "Simulação") {
        dmTec->OSSimularParcelamento(true);
    } else if (escolha != "Ver") {
        return;
    }
    pcOrdemServico->setActivePage(tsReceber);
    carregarParcelasReceber();
}

// ---- observation, e-mails, photo ----

void TfmAssOrdemServico::sbObsAdicClick()
{
    if (dmTec->quOSAOCODIGO->asString().trimmed().isEmpty()) {
        dmGlobal->MostraAviso("Não há O.S. selecionada. Para inserir uma Observação adicional selecione uma O.S.");
        return;
    }
    dmGlobal->InserirObservacaoAdicional("obtexto", dmTec->quOSAOCODIGO->asString(), "A", 1, dmGlobal->quObsGeral,
                                         false, 0, "Observação Adicional");
}

void TfmAssOrdemServico::sbEnviarEmailClick(QPushButton* Sender)
{
    if (MostraPergunta("Tem certeza de que deseja enviar email para cliente?", {"Sim", "Não"}) != "Sim")
        return;
    const int sequencia = Sender->property("tag").toInt() == 1 ? 1 : -1;
    const QString texto = CarregaDado("obtexto", "AUGC70OB",
                                      "where obcodigo = 'FIXO' and obid = 'A' and obsequencia = " +
                                          QString::number(sequencia));
    EnviaEmail(dmTec->quOS->fieldByName("EMAIL")->asString(), "Referente O.S.: " + dmTec->quOSAOCODIGO->asString(),
               texto);
}

void TfmAssOrdemServico::sbEnviaEmailOSClick()
{
    dmTec->EnviarMensagemContatoCliente(dmTec->quOSCLCODIGO->asString(), "INSERIDO");
}

void TfmAssOrdemServico::dbimFotoDblClick()
{
    QString arquivo;
    if (!host::ui::Dialogs::openFile("Abrir", "Bitmap (*.bmp)|*.bmp", arquivo))
        return;
    host::data::Query& itens = *dmTec->quOSItem;
    // An order without items has no item to take the photo: editing the
    // empty dataset would append a new item holding only the photo.
    if (!itens.active() || itens.isEmpty())
        return;
    QFile foto(arquivo);
    if (!foto.open(QIODevice::ReadOnly))
        dmGlobal->MostraErro("Não foi possível abrir o arquivo " + arquivo);
    itens.edit();
    dmTec->quOSItemAOITFOTO->setValue(foto.readAll());
    itens.post();
}

void TfmAssOrdemServico::dbgdOrdemServicoAndamentoTitleClick(host::ui::GridColumn& Column)
{
    host::ui::sortByColumn(*dbgdOrdemServicoAndamento, Column);
    SalvarConfiguracaoDBGrid(dbgdOrdemServicoAndamento, false);
}

// ---- new order from known equipment, equipment of the contracts ----

void TfmAssOrdemServico::novaOSPorPlaca(bool abaVeiculo)
{
    QString placa;
    if (!host::ui::Dialogs::inputQuery("Inserindo OS pela placa",
                                       abaVeiculo ? "Informe a placa do veículo para carregar os dados do mesmo na "
                                                    "nova OS (sem traço, apenas letras e números):"
                                                  : "Informe a placa do veículo para carregar os dados do mesmo na "
                                                    "nova OS:",
                                       placa))
        return;
    const QString formatada = placaFormatada(placa);
    dmTec->NovaOSEquipamentoPreExistente("O", formatada, false);
    if (abaVeiculo) {
        // The vehicle came over; the equipment that went with it is offered too.
        if (formatada != "-")
            dmTec->NovoEquipamentoPlacaPreExistente("O", formatada, dmTec->quOSAOCODIGO->asInteger());
        VerificaOSAtributoAberto();
        dbgdOrdemServicoItensVeiculo->setFocus();
    }
}

void TfmAssOrdemServico::bbNSClick()
{
    const bool porVeiculo = dmGlobal->Parametro("ATPESQUISAOSVEICULO") == "S";
    const bool modoVeiculo = dmGlobal->Parametro("ATMODOVEICULO") == "O";
    QString escolha;
    if (porVeiculo)
        escolha = MostraPergunta("Deseja inserir OS pelo Nº de Série ou Placa?", {"Série", "Placa"});
    else if (modoVeiculo)
        escolha = MostraPergunta("Deseja inserir OS por Pesquisa ou Placa?", {"Pesquisa", "Placa"});
    else
        escolha = MostraPergunta("Deseja inserir OS pelo Nº de Série ou Código Interno?", {"Série", "Código Interno"});
    QString valor;
    if (escolha == "Série") {
        if (host::ui::Dialogs::inputQuery("Inserindo OS pelo número de série",
                                          "Informe o nº de série do equipamento para carregar os dados do mesmo na "
                                          "nova OS:",
                                          valor))
            dmTec->NovaOSEquipamentoPreExistente("A", valor, false);
    } else if (escolha == "Código Interno") {
        if (host::ui::Dialogs::inputQuery("Inserindo OS pelo código interno",
                                          "Informe o Código Interno do equipamento para carregar os dados do mesmo "
                                          "na nova OS:",
                                          valor))
            dmTec->NovaOSEquipamentoPreExistente("C", valor, false);
    } else if (escolha == "Placa") {
        novaOSPorPlaca(pcOrdemServico->activePage() == tsVeiculo);
    } else if (escolha == "Pesquisa") {
        int ordem = 0, equipamento = 0;
        QString descricao;
        if (SelecionaOrdemServico(ordem, equipamento, descricao))
            dmTec->NovaOSEquipamentoPreExistente("P", QString::number(ordem), false);
    }
}

void TfmAssOrdemServico::bbPesquisarClick()
{
    int ordem = 0, equipamento = 0;
    QString descricao;
    if (SelecionaOrdemServico(ordem, equipamento, descricao))
        CarregaOrdemServico(ordem);
    VerificaOSAtributoAberto();
}

void TfmAssOrdemServico::sbPesqContratoClick()
{
    QStringList equipamentos;
    if (!SelecionaAssEquipamentoCliente(dmTec->quOSCLCODIGO->asString(), equipamentos))
        return;
    host::data::Query& itens = *dmTec->quOSItem;
    for (const QString& codigo : equipamentos) {
        const QString condicao = "where evcodigo = " + codigo.trimmed();
        itens.append();
        dmTec->quOSItemAOITEQUIPCODIGO->setAsString(codigo.trimmed());
        dmTec->quOSItemAOITMARCA->setAsString(CarregaDado("evmarca", "augc20ev", condicao));
        dmTec->quOSItemAOITSERIE->setAsString(CarregaDado("evnsnumero", "augc20ev", condicao));
        itens.post();
    }
}
