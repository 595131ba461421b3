// The workshop histories of a vehicle order.

#include "service_orders/uAssOSHistoricoOficina.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/report/Report.h"
#include "host/ui/DataGrid.h"
#include "service_orders/uAssOrdemServico.h"


using namespace host::report;
using namespace uAssOSRelatorio;

host::ui::FormVar<TqrAssOSHistoricoOficina> qrAssOSHistoricoOficina("qrAssOSHistoricoOficina");

TqrAssOSHistoricoOficina::TqrAssOSHistoricoOficina(QWidget* parent) : TqrAssOSHistoricoOficinaComum(parent, false) {}

TqrAssOSHistoricoOficinaComum::TqrAssOSHistoricoOficinaComum(QWidget* parent, bool variante)
    : TqrAssOSRelatorio(parent, "Ordem de Serviço"), bVariante(variante)
{
    QuickRep->setPaper(PaperSize::Letter);
    cabecalhoEmpresa(*QuickRep, "qrbnCabecalho", "Ordem de Serviço");
    criarCliente();
    criarLinhas();
    criarObservacao();
    QuickRep->beforePrint = [this](Report&) { QuickRepBeforePrint(); };
    qrsdItens->beforePrint = [this](Band&, bool&) { qrsdItensBeforePrint(); };
    if (bVariante)
        qrsdItens->afterPrint = [](Band&, bool) { dmTec->CarregaOSAtributos(ordemAtual(), 0, true); };
}

TqrAssOSHistoricoOficinaComum::~TqrAssOSHistoricoOficinaComum() = default;

void TqrAssOSHistoricoOficinaComum::criarCliente()
{
    host::data::Dataset* os = dmTec->quOS;
    qrbnCliente = QuickRep->addBand(BandKind::Detail, "qrbnCliente", 31);
    Band& b = *qrbnCliente;
    rotulo(b, "qrlaOS", 0, 0, 22, "Nº da OS:");
    campo(b, "qrteOS", 22, 0, 30, os, "AOCODIGO");
    rotulo(b, "qrlaSituacao", 64, 0, 22, "Situação:");
    b.addExprText("qrteSituacao", 86, 0, 60, 4, [this] { return QVariant(qrteSituacaoPrint()); });
    rotulo(b, "qrlaCliente", 0, 5, 22, "Cliente:");
    campo(b, "qrteCliente", 22, 5, 100, os, "CLIENTE");
    rotulo(b, "qrlaFantasia", 0, 10, 22, "Fantasia:");
    campo(b, "qrteFantasia", 22, 10, 100, os, "NOME_FANTASIA");
    qrlaCNPJ = rotulo(b, "qrlaCNPJ", 0, 15, 22, "CNPJ: ");
    campo(b, "qrteCNPJ", 22, 15, 40, os, "CGC_CNPJ");
    qrlaIE = rotulo(b, "qrlaIE", 64, 15, 22, "Insc. Est.: ");
    b.addExprText("qrteIE", 86, 15, 40, 4, [] { return QVariant(segundoDocumento()); });
    qrlaIM = rotulo(b, "qrlaIM", 128, 15, 22, "Insc. Mun.:");
    qrteIM = campo(b, "qrteIM", 150, 15, 40, os, "INSCRICAO_MUNICIPAL");
    qrlaIM->setEnabled(bVariante);
    qrteIM->setEnabled(bVariante);
    rotulo(b, "qrlaFone", 0, 20, 22, "Fone:");
    b.addExprText("qrteFone", 22, 20, 60, 4, [] { return QVariant(telefoneCliente()); });
    rotulo(b, "qrlaEntrada", 64, 20, 22, "Entrada:");
    campo(b, "qrteEntrada", 86, 20, 30, os, "AODATAENTRADA")->setDisplayFormat("dd/mm/yyyy");
    rotulo(b, "qrlaEndereco", 0, 25, 22, "Endereço:");
    campo(b, "qrteEndereco", 22, 25, 168, os, "ENDERECO");

    host::data::Dataset* d = dmTec->quOSItem;
    qrsdItens = b.addSubDetail("qrsdItens", 10, d);
    qrsdItens->setPrintIfEmpty(false);
    Band& it = *qrsdItens;
    rotulo(it, "qrlaVeiculo", 0, 0, 22, "Veículo:");
    campo(it, "qrteVeiculo", 22, 0, 60, d, "AOITEQUIPDESCRICAO");
    rotulo(it, "qrlaPlaca", 84, 0, 16, "Placa:");
    campo(it, "qrtePlaca", 100, 0, 30, d, "AOITPLACA");
    rotulo(it, "qrlaChassi", 132, 0, 16, "Chassi:");
    campo(it, "qrteChassi", 148, 0, 42, d, "AOITSERIE");
    rotulo(it, "qrlaKm", 0, 5, 22, "Km:");
    campo(it, "qrteKm", 22, 5, 30, d, "AOITKMINICIAL");
    lojaCompra.push_back(rotulo(it, "qrlaLojaCompra", 84, 5, 24, "Loja Compra:"));
    lojaCompra.push_back(campo(it, "qrteLojaCompra", 108, 5, 60, d, "AOITLOJACOMPRA"));
    qrbnRodItens = qrsdItens->addFooter("qrbnRodItens", 11);
    rotulo(*qrbnRodItens, "qrlaServicos", 0, 1, 100, "Serviços");
    qrbnRodItens->beforePrint = [](Band&, bool& print) { print = temLinhas(dmTec->quOSAndamento); };
}

void TqrAssOSHistoricoOficinaComum::criarLinhas()
{
    TdmTec& tec = *dmTec;
    qrsdServico = tabelaLinhas(*qrbnCliente, "qrsdServico", tec.quOSAndamento, "Serv",
                               {{"Codigo", "Código", "PRCODIGO", 0, 20, false},
                                {"Qtde", "Qtde.", "AAQUANTIDADE", 124, 18, true},
                                {"Valor", "Valor Unit.", "AAVALOR", 144, 22, true},
                                {"Total", "Total", "AAVALORTOTAL", 168, 22, true}},
                               qrbnRodItens, "AAOBSERVACAO");
    rotulo(*qrbnRodItens, "qrlaServDescricao", 22, 6, 100, "Descrição");
    qrsdServico->addExprText("qrteDescServico", 22, 0, 100, 4, [this] { return QVariant(descricaoServico()); });
    qrbnRodServ = qrsdServico->addFooter("qrbnRodServ", 11);
    rotulo(*qrbnRodServ, "qrlaPecas", 0, 1, 100, "Peças");
    qrbnRodServ->beforePrint = [](Band&, bool& print) { print = temLinhas(dmTec->quOSPecas); };

    qrsdPecas = tabelaLinhas(*qrbnCliente, "qrsdPecas", tec.quOSPecas, "Pec",
                             {{"Codigo", "Código", "PRCODIGO", 0, 20, false},
                              {"Qtde", "Qtde.", "APQUANTIDADE", 110, 14, true},
                              {"Total", "Total", "APVALTOTAL", 168, 22, true}},
                             qrbnRodServ, "APOBSERVACAO");
    rotulo(*qrbnRodServ, "qrlaPecDescricao", 22, 6, 50, "Descrição");
    rotulo(*qrbnRodServ, "qrlaPecObservacao", 74, 6, 34, "Observação");
    rotulo(*qrbnRodServ, "qrlaPecValor", 126, 6, 22, "Valor Unit.")->setAlignment(Qt::AlignRight | Qt::AlignTop);
    qrsdPecas->addExprText("qrtePecDescricao", 22, 0, 50, 4, [this] { return QVariant(descricaoPeca()); });
    qrsdPecas->addExprText("qrtePecObservacao", 74, 0, 34, 4, [this] { return QVariant(observacaoPeca()); });
    qrtePecValor = qrsdPecas->addExprText("qrtePecValor", 126, 0, 40, 4, [this] { return QVariant(unitarioPeca()); });
    qrtePecValor->setAlignment(Qt::AlignRight | Qt::AlignTop);

    qrsdDespViagem = tabelaLinhas(*qrbnCliente, "qrsdDespViagem", tec.quOSDespViagem, "Viag",
                                  {{"Data", "Data", "AVDATA", 0, 22, false},
                                   {"Total", "Total", "AVVALORTOTAL", 168, 22, true}},
                                  nullptr, nullptr);
    qrsdDespViagem->setEnabled(false);
    qrsdDespExtra = tabelaLinhas(*qrbnCliente, "qrsdDespExtra", tec.quOSDespExtra, "Extra",
                                 {{"Numero", "Documento", "AXNUMERO", 0, 30, false},
                                  {"Serie", "Série", "AXSERIE", 32, 14, false},
                                  {"Data", "Data", "AXDATA", 48, 22, false},
                                  {"Valor", "Valor", "AXVALOR", 168, 22, true}},
                                 nullptr, nullptr, "qrbnRodViagem", "Despesas Extras");

    if (!bVariante)
        for (auto [banda, autorizado] : {std::pair{qrsdServico, "AAAUTORIZADO"}, std::pair{qrsdPecas, "APAUTORIZADO"}}) {
            host::data::Dataset* linhas = banda->dataSet();
            const char* coluna = autorizado;
            banda->beforePrint = [linhas, coluna](Band&, bool& print) {
                if (parametro("ATOPCAODOCUMENTOOS") == "O" && linhas->fieldByName(coluna)->asString() == "N")
                    print = false;
            };
        }
}

void TqrAssOSHistoricoOficinaComum::criarObservacao()
{
    host::data::Dataset* os = dmTec->quOS;
    qrbnObs = QuickRep->addBand(BandKind::Summary, "qrbnObs", 44);
    Band& b = *qrbnObs;
    struct Total {
        const char *nome, *caption, *campo;
    };
    static const Total totais[] = {
        {"Pecas", "Peças:", "AOVALORPECAS"},     {"Extras", "Extras:", "AODESPDIVERSAS"},
        {"Servicos", "Serviços:", "AOVALORSERVICO"}, {"Desconto", "Desconto:", "AODESCONTO"},
        {"ValorTotal", "Valor Total da OS:", "AOVALORTOTAL"},
    };
    double top = 1;
    for (const Total& t : totais) {
        rotulo(b, QString("qrlaTot") + t.nome, 130, top, 35, QString::fromUtf8(t.caption));
        DataText* valor = campo(b, QString("qrteTot") + t.nome, 165, top, 25, os, t.campo);
        valor->setDisplayFormat("###,###,##0.00");
        valor->setAlignment(Qt::AlignRight | Qt::AlignTop);
        top += 5;
    }
    rotulo(b, "qrlaLaudo", 0, 1, 24, "Laudo:");
    qrmeLaudo = b.addMemo("qrmeLaudo", 24, 1, 104, 4);
    qrmeLaudo->setDataField(os, "AODESCRICAOLAUDO");
    qrmeLaudo->setAutoStretch(true);
    Band* child = qrbnObs->addChild("ChildBand1", 26);
    child->addShape("qrshAssCliente", 0, 8, 80, 1, ShapeKind::HorizontalLine);
    child->addLabel("qrlaAssCliente", 0, 9, 80, 4, "Assinatura do Cliente");
    child->addShape("qrshAssOficina", 100, 8, 80, 1, ShapeKind::HorizontalLine);
    child->addLabel("qrlaAssOficina", 100, 9, 80, 4, "Assinatura da Oficina");
    rotulo(*child, "qrlaObsOS", 0, 15, 24, "Obs. OS:");
    qrmeObsOS = child->addMemo("qrmeObsOS", 24, 15, 166, 4);
    qrmeObsOS->setDataField(os, "AOOBSERVACAO");
    rotulo(*child, "qrlaObsCliente", 0, 20, 24, "Obs. Cliente:");
    qrmeObsCliente = child->addMemo("qrmeObsCliente", 24, 20, 166, 4);
    qrmeObsCliente->setDataField(os, "OBSCLI");
}

void TqrAssOSHistoricoOficinaComum::QuickRepBeforePrint()
{
    if (!bVariante)
        dmTec->CarregaOSAtributos(ordemAtual(), 0, true);
    const bool juridica = pessoaJuridica();
    qrlaCNPJ->setCaption(juridica ? "CNPJ: " : "CPF: ");
    qrlaIE->setCaption(juridica ? "Insc. Est.: " : "RG:  ");
    if (bVariante) {
        qrlaIM->setEnabled(juridica);
        qrteIM->setEnabled(juridica);
    }
}

void TqrAssOSHistoricoOficinaComum::qrsdItensBeforePrint()
{
    bool mostrar = true;
    if (TfmAssOrdemServico* tela = fmAssOrdemServico.get()) {
        host::ui::GridColumn* coluna = tela->dbgdOrdemServicoItens->columnByField("DESCRICAOCONSECIONARIA");
        mostrar = coluna && coluna->visible();
    }
    for (Control* c : lojaCompra)
        c->setEnabled(mostrar);
}

QString TqrAssOSHistoricoOficinaComum::descricaoServico()
{
    host::data::Dataset& s = *dmTec->quOSAndamento;
    if (bVariante && !ProdutoGenerico(s.fieldByName("PRCODIGO")->asString()))
        return s.fieldByName("PRDESCRICAOCOMERCIAL")->asString();
    return descricaoLinha(s, "AAOBSERVACAO");
}

QString TqrAssOSHistoricoOficinaComum::descricaoPeca()
{
    host::data::Dataset& p = *dmTec->quOSPecas;
    if (p.fieldByName("PRCODIGO")->asString().trimmed() == "999")
        return p.fieldByName("APOBSERVACAO")->asString();
    if (!bVariante)
        return descricaoLinha(p, "APOBSERVACAO");
    const QString marca = p.fieldByName("ESTOQUE")->asFloat() <= 0 ? " * " : QString();
    const QString descricao = ProdutoGenerico(p.fieldByName("PRCODIGO")->asString())
                                  ? p.fieldByName("APOBSERVACAO")->asString()
                                  : p.fieldByName("PRDESCRICAOCOMERCIAL")->asString();
    return marca + descricao;
}

QString TqrAssOSHistoricoOficinaComum::observacaoPeca()
{
    host::data::Dataset& p = *dmTec->quOSPecas;
    return p.fieldByName("PRCODIGO")->asString().trimmed() == "999" ? QString()
                                                                     : p.fieldByName("APOBSERVACAO")->asString();
}

QString TqrAssOSHistoricoOficinaComum::unitarioPeca()
{
    host::data::Dataset& p = *dmTec->quOSPecas;
    const double quantidade = p.fieldByName("APQUANTIDADE")->asFloat();
    if (dmGlobal->ParametroInteiro("ATPRECOUNITARIOLIQUIDOOS") == 2 && quantidade != 0)
        return valorOS(p.fieldByName("APVALTOTAL")->asFloat() / quantidade);
    return valorOS(p.fieldByName("APVALUNITARIO")->asFloat());
}

QString TqrAssOSHistoricoOficinaComum::qrteSituacaoPrint()
{
    bool numero = false;
    const int codigo = dmTec->quOSASCODIGO->asString().trimmed().toInt(&numero);
    return CarregaDado("asdescricao", "AATC01AS", "where ascodigo = " + QString::number(numero ? codigo : 0),
                       dmGlobal->quAuxiliar);
}
