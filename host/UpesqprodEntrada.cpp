// The product routines of the entry grids: products appended as lines, the
// quantity and price dialog, the price range and the serial numbers.

#include "host/Upesqprod.h"

#include "host/FaixaDigitada.h"
#include "host/Udatamod.h"
#include "host/Uglobal.h"
#include "host/Upesq.h"
#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/ui/Dialogs.h"
#include "host/ui/Form.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

host::PesquisaDefinicao definicaoInsercao()
{
    return {4, "Pesquisa de Produtos", "fmPesquisaProdutoInsercao",
            "select pr.CODIGO, pr.DESCRICAO, pr.UNIDADE_MEDIDA, pr.PCO_VENDA, pr.ESTOQUE from ACEC1101 pr",
            "coalesce(pr.PRATIVO, 'S') <> 'N'", "pr.DESCRICAO",
            {{"CODIGO", "Código", 90, "pr.CODIGO"},
             {"DESCRICAO", "Descrição", 300, "pr.DESCRICAO"},
             {"UNIDADE_MEDIDA", "Un.", 40, "pr.UNIDADE_MEDIDA"},
             {"PCO_VENDA", "Preço Venda", 90, "pr.PCO_VENDA", host::kFormatoDinheiro},
             {"ESTOQUE", "Estoque", 80, "pr.ESTOQUE"}},
            1};
}

host::data::Field* campoOuNada(host::data::Dataset* dataset, const QString& nome)
{
    // A field the dataset does not have is left out like an empty name: the
    // dataset's own product rule gives what it would have held.
    return nome.trimmed().isEmpty() ? nullptr : dataset->findField(nome.trimmed());
}

double numeroDigitado(const QString& texto)
{
    bool ok = false;
    const double valor = QLocale(QLocale::Portuguese, QLocale::Brazil).toDouble(texto.trimmed(), &ok);
    return ok ? valor : texto.trimmed().toDouble();
}

QString numeroMostrado(double valor) { return host::data::formatFloat("0.00##", valor); }

}  // namespace

bool SelecionaInseriProduto(const QString&, host::data::Dataset* dataset, const QString& sCampoQuantidade,
                            const QString& sCampoProduto, const QString& sCampoValor, const QString&, bool, bool,
                            const QString&, const QString&)
{
    QList<QVariantMap> produtos;
    if (!dataset || !host::executarPesquisaMultipla(definicaoInsercao(), {}, produtos))
        return false;
    if (!dataset->active())
        dataset->open();
    for (const QVariantMap& produto : produtos) {
        dataset->append();
        dataset->fieldByName(sCampoProduto.trimmed())->setAsString(host::textoPesquisa(produto, "CODIGO"));
        if (host::data::Field* quantidade = campoOuNada(dataset, sCampoQuantidade); quantidade && quantidade->asFloat() == 0)
            quantidade->setAsFloat(1);
        if (host::data::Field* valor = campoOuNada(dataset, sCampoValor); valor && valor->asFloat() == 0)
            valor->setAsFloat(host::valorPesquisa(produto, "PCO_VENDA").toDouble());
        dataset->post();
    }
    return true;
}

bool SelecionaProdutoQuantidade(const QString& sProduto, double& rQuantidade, double& rPreco, double& rTotal,
                                double& rDesconto, bool bPreco, QString& sAuxiliar)
{
    const QString descricao = CarregaDado("DESCRICAO", "ACEC1101", "where CODIGO = " + QuotedStr(sProduto));
    const double venda = CarregaNumero("PCO_VENDA", "ACEC1101", "where CODIGO = " + QuotedStr(sProduto));
    host::ui::Form janela;
    janela.setObjectName("fmProdutoQuantidade");
    janela.setCaption("Quantidade e Preço");
    auto* produto = new QLabel(sProduto + " - " + descricao, &janela);
    produto->setObjectName("laProduto");
    auto* quantidade = new QLineEdit(numeroMostrado(rQuantidade > 0 ? rQuantidade : 1), &janela);
    quantidade->setObjectName("edQuantidade");
    auto* preco = new QLineEdit(numeroMostrado(rPreco != 0 ? rPreco : venda), &janela);
    preco->setObjectName("edPreco");
    preco->setReadOnly(!bPreco);
    auto* desconto = new QLineEdit(numeroMostrado(rDesconto), &janela);
    desconto->setObjectName("edDesconto");
    auto* ok = new QPushButton("&OK", &janela);
    ok->setObjectName("bbOk");
    ok->setDefault(true);
    auto* cancelar = new QPushButton("&Cancelar", &janela);
    cancelar->setObjectName("bbCancelar");
    auto* campos = new QFormLayout;
    campos->addRow("Quantidade", quantidade);
    campos->addRow("Preço Unitário", preco);
    campos->addRow("% Desconto", desconto);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch(1);
    botoes->addWidget(ok);
    botoes->addWidget(cancelar);
    auto* layout = new QVBoxLayout(&janela);
    layout->addWidget(produto);
    layout->addLayout(campos);
    layout->addLayout(botoes);
    // A line of no quantity, of a price below zero or of a discount beyond
    // 100 % would total below zero: refused, and the dialog stays for the
    // value to be corrected.
    QObject::connect(ok, &QPushButton::clicked, &janela, [&] {
        QString recusa = host::RecusaQuantidade(numeroDigitado(quantidade->text()), "Quantidade");
        if (recusa.isEmpty())
            recusa = host::RecusaPreco(numeroDigitado(preco->text()), "Preço Unitário");
        if (recusa.isEmpty())
            recusa = host::RecusaDesconto(numeroDigitado(desconto->text()), "% Desconto");
        if (recusa.isEmpty())
            janela.setModalResult(host::ui::ModalResult::Ok);
        else
            host::ui::Dialogs::warning(recusa);
    });
    QObject::connect(cancelar, &QPushButton::clicked, &janela,
                     [&] { janela.setModalResult(host::ui::ModalResult::Cancel); });
    if (janela.showModal() != host::ui::ModalResult::Ok)
        return false;
    rQuantidade = numeroDigitado(quantidade->text());
    rPreco = numeroDigitado(preco->text());
    rDesconto = numeroDigitado(desconto->text());
    rTotal = rPreco * rQuantidade;
    sAuxiliar = descricao;
    return true;
}

bool SelecionaProdutoFaixaPreco(const QString& sProduto, const QString&, int, double& rPreco, QString& sAuxiliar,
                                int& iAuxiliar)
{
    host::PesquisaDefinicao faixas{
        4, "Faixa de Preço", "fmPesquisaFaixaPreco",
        "select * from (select 1 as FAIXA, 'Venda' as NOME, PCO_VENDA as PRECO from ACEC1101 where CODIGO = :PRODUTO"
        " union all select 2, 'Promocional', PRPRECOPROMOCIONAL from ACEC1101 where CODIGO = :PRODUTO"
        " union all select 3, 'Custo', PCO_CUSTO from ACEC1101 where CODIGO = :PRODUTO) f",
        "f.PRECO is not null", "f.FAIXA",
        {{"NOME", "Faixa", 160, "f.NOME"}, {"PRECO", "Preço", 100, "f.PRECO", host::kFormatoDinheiro}},
        0};
    QVariantMap linha;
    if (!host::executarPesquisa(faixas, {}, linha, {{"PRODUTO", sProduto}}))
        return false;
    rPreco = host::valorPesquisa(linha, "PRECO").toDouble();
    sAuxiliar = host::textoPesquisa(linha, "NOME");
    iAuxiliar = host::valorPesquisa(linha, "FAIXA").toInt();
    return true;
}

void AbreNumeroSerie(const QString& sProduto, const QString& sOrdemServico, const QDateTime&)
{
    host::PesquisaDefinicao numeros{
        0, "Números de Série do Produto", "fmNumeroSerie",
        "select ns.NSNUMERO, ns.NSSTATUS, ns.AOCODIGO, ns.VECODIGO, ns.LECODIGO,"
        " case when ns.AOCODIGO = :ORDEM then 0 else 1 end as DAORDEM from AUGC50NS ns",
        "ns.PRCODIGO = :PRODUTO", "DAORDEM, ns.NSNUMERO",
        {{"NSNUMERO", "Número de Série", 160, "ns.NSNUMERO"},
         {"NSSTATUS", "Status", 50, "ns.NSSTATUS"},
         {"AOCODIGO", "OS", 70, "ns.AOCODIGO"},
         {"VECODIGO", "Pedido", 90, "ns.VECODIGO"},
         {"LECODIGO", "Local", 50, "ns.LECODIGO"}},
        0};
    QVariantMap linha;
    host::executarPesquisa(numeros, {}, linha, {{"PRODUTO", sProduto}, {"ORDEM", sOrdemServico.trimmed().toInt()}});
}
