// The host's registers as the module reads them: each table's columns with
// their captions, what is required, how a new code is numbered and where a
// code is used. A place whose table or column the database lacks holds no
// code (the register window keeps only the places it finds).

#include "host/UcadastroHost.h"

#include "host/data/Abort.h"
#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/PilvOut70.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Upesq.h"
#include "host/db/Database.h"
#include "host/schema/SchemaDefinition.h"

#include <QByteArray>
#include <QRegularExpression>

namespace host::cadastro {

namespace {

using T = Tipo;

const QStringList kSimNao{"S=Sim", "N=Não"};

// The look-ups of the registers a row names.
const char* const kBancos = "select CODIGO_BANCO, NOME_BANCO from AUGC0901 order by CODIGO_BANCO";
const char* const kTabelasVencimento = "select CODIGO, DESCRICAO from AFVT0101 order by CODIGO";
const char* const kOperacoes = "select COD_OP, DESC_OP_NF from AFVC0901 order by COD_OP";
const char* const kGrupos = "select CODIGO, DESCRICAO from ACEC1201 order by CODIGO";
const char* const kLocaisEstoque = "select CODIGO, DESCRICAO from ACEC1401 order by CODIGO";
const char* const kContasCaixa = "select CONTA, DESCRICAO from ACXC9001 order by CONTA";

// The host's payment types of receivables ("2=2 - Duplicata/Boleto").
QStringList tiposPagamento()
{
    QStringList opcoes;
    for (const QString& legenda : RetornaListaSituacao("CRTIPO"))
        opcoes << RetornaCodigoEquivalente(legenda, "CRTIPO") + "=" + legenda;
    return opcoes;
}

QString digitos(const QString& texto) { return QString(texto).remove(QRegularExpression("[^0-9]")); }

// A refusal of the row about to be saved: the message, then the silent end.
[[noreturn]] void recusar(const QString& mensagem)
{
    dmGlobal->MostraAviso(mensagem, true);
    throw host::Abort();
}

void conferirEmail(const host::data::Dataset& linha, const char* coluna)
{
    const QString email = linha.fieldByName(coluna)->asString().trimmed();
    static const QRegularExpression formato("^[^@\\s;]+@[^@\\s;]+\\.[^@\\s;]+$");
    if (!email.isEmpty() && !formato.match(email).hasMatch())
        recusar("E-mail inválido: " + email);
}

void conferirCliente(host::data::Dataset& linha)
{
    const bool fisica = linha.fieldByName("PESSOA_FISICAOUJURIDICA")->asString() == "F";
    const QString numero = digitos(linha.fieldByName("CGC_CNPJ")->asString());
    if (!numero.isEmpty() && !(fisica ? cpfValido(numero) : cnpjValido(numero)))
        recusar(fisica ? "CPF inválido." : "CNPJ inválido.");
    const QString uf = linha.fieldByName("ESTADO")->asString().trimmed();
    if (!uf.isEmpty() && !QRegularExpression("^[A-Za-z]{2}$").match(uf).hasMatch())
        recusar("Estado (UF) inválido: " + uf);
    conferirEmail(linha, "EMAIL");
}

std::vector<Campo> camposCliente(bool fisica)
{
    return {
        {"NOME", fisica ? "Nome" : "Razão social", T::Texto, true, {}, {}, true},
        {"NOME_FANTASIA", fisica ? "Apelido" : "Nome fantasia", T::Texto, false, {}, {}, true},
        {"CGC_CNPJ", fisica ? "CPF" : "CNPJ", T::Texto, true,
         fisica ? "999.999.999-99;1;_" : "99.999.999/9999-99;1;_", {}, true},
        {fisica ? "NUMERO_IDENTIDADE" : "CLIE", fisica ? "RG" : "Inscrição estadual"},
        {"ENDERECO", "Endereço", T::Texto, true},
        {"BAIRRO", "Bairro"},
        {"CIDADE", "Cidade", T::Texto, true, {}, {}, true},
        {"ESTADO", "UF", T::Texto, true, ">ll;0;_"},
        {"CEP", "CEP", T::Texto, false, "99999-999;1;_"},
        {"TELEFONE1", "Telefone"},
        {"TELEFONE2", "Telefone 2"},
        {"EMAIL", "E-mail"},
        {"TIPO_CLIENTE", "Situação do cliente", T::Lista, false, {}, {"1=Ativo", "2=Inativo", "3=Bloqueado"}},
        {"TABELA_VENCIMENTO", "Tabela de vencimento", T::Lista, false, {}, {}, false, kTabelasVencimento},
        {"NATUREZA_OPERACAO", "Operação", T::Lista, false, {}, {}, false, kOperacoes},
        {"COBRANCA", "Banco de cobrança", T::Lista, false, {}, {}, false, kBancos},
        {"TIPO_PAGAMENTO", "Tipo de pagamento", T::Lista, false, {}, tiposPagamento()},
        {"ENDERECO_COBRANCA", "Endereço de cobrança"},
        {"BAIRRO_COBRANCA", "Bairro de cobrança"},
        {"CIDADE_COBRANCA", "Cidade de cobrança"},
        {"ESTADO_COBRANCA", "UF de cobrança", T::Texto, false, ">ll;0;_"},
        {"CEP_COBRANCA", "CEP de cobrança", T::Texto, false, "99999-999;1;_"},
        {"LIMITE_CREDITO", "Limite de crédito", T::Valor},
        {"CLDESCONTO", "Desconto (%)", T::Valor},
        {"OBSERVACAO", "Observação", T::Memo},
    };
}

Detalhe contatosCliente()
{
    return {"Contatos",
            "AUGC3701",
            {"ANCODIGO", Numeracao::Gerador, {}, host::schema::kGeneratorContact},
            "ANVINCULOCODIGO",
            {{"ANVINCULOCATEGORIA", "C"}},
            {{"ANNOME", "Nome", T::Texto, true},
             {"ANTIPO", "Categoria", T::Lista, false, {},
              {"1=Comercial", "2=Cobrança", "3=Entrega", "4=Técnico", "5=Gerência"}},
             {"ANTELEFONE", "Telefone"},
             {"ANEMAIL", "E-mail"},
             {"ANOBSERVACAO", "Observação"}},
            {{"AATC05AC", "ACCONTATO", "contratos"},
             {"AATC05AC", "ACCONTCOBRANCA", "contratos"},
             {"AATC05AC", "ACCONTENTREGA", "contratos"},
             {"AATC01AO", "ANCODIGO", "ordens de serviço"},
             {"AVEC8501", "ANCODIGOCONTATO", "pedidos"},
             {"AVEC8501", "ANCODIGOCOBRANCA", "pedidos"},
             {"AVEC8501", "ANCODIGOENTREGA", "pedidos"},
             {"AVEC8501", "ANCODIGOGERENTE", "pedidos"}},
            "o contato",
            "Excluir contato",
            // Status e-mails go to the contacts: their address is checked as the customer's.
            [](host::data::Dataset& linha) { conferirEmail(linha, "ANEMAIL"); }};
}

Descricao cliente(bool fisica)
{
    Descricao d{fisica ? "PF" : "PJ",
                fisica ? "Cadastro de Pessoa Física" : "Cadastro de Pessoa Jurídica",
                "o cliente",
                "AUGC0301",
                {"CODIGO_CLIENTE", Numeracao::Cadastral, "00000"},
                "NOME",
                fisica ? "PESSOA_FISICAOUJURIDICA = 'F'" : "coalesce(PESSOA_FISICAOUJURIDICA, 'J') <> 'F'",
                {{"PESSOA_FISICAOUJURIDICA", fisica ? "F" : "J"}, {"TIPO_CLIENTE", "1"}},
                camposCliente(fisica),
                {{"AATC01AO", "CLCODIGO", "ordens de serviço"},
                 {"AATC05AC", "CLCODIGO", "contratos"},
                 {"AATC05AC", "ACCONTRATANTE", "contratos"},
                 {"AATC05ACCL", "CLCODIGO", "clientes de contratos"},
                 {"AVEC8501", "CODIGO_CLIENTE", "pedidos"},
                 {"ACRC5001", "CODIGO_CLIENTE", "contas a receber"},
                 {"ACEM1401", "COD_CLI", "documentos de estoque"},
                 {"AUGC03CO", "CLCODIGO", "equipamentos de contratos"},
                 // The equipment the customer owns goes only through its own list.
                 {"AATC03AECL", "CLCODIGO", "equipamentos do cliente"},
                 {"CADCOM", "COD_CLI", "contatos registrados"}},
                {contatosCliente()},
                conferirCliente};
    // Its equipment list ("Equipamentos do Cliente") is the current customer's.
    d.aoMostrar = [](const QVariant& codigo) { dmGlobal->CarregaCliente(codigo.toString()); };
    return d;
}

// A product's quantity on hand at each stock location: what it came in
// and went out with there. The product's own total, which the stock checks
// read, follows them.
Detalhe estoqueProduto()
{
    Detalhe d{"Estoque",
              "ACEC11PO",
              {"LECODIGO"},
              "PRCODIGO",
              {},
              {{"LECODIGO", "Local de estoque", T::Lista, true, {}, {}, false, kLocaisEstoque},
               {"POENTRADA", "Entradas", T::Valor},
               {"POSAIDA", "Saídas", T::Valor}},
              {},
              "o estoque do local",
              "Excluir local de estoque"};
    d.aposGravar = [](const QVariant& produto) {
        host::db::executeSql(*dmGlobal->IBTransaction1,
                             "update ACEC1101 set ESTOQUE = coalesce((select sum(coalesce(POENTRADA, 0)"
                             " - coalesce(POSAIDA, 0)) from ACEC11PO where PRCODIGO = :P), 0) where CODIGO = :P",
                             {{"P", produto.toString()}});
    };
    // A location holding stock is in use: deleting it would change the product's stock.
    d.emUso = [](const host::data::Dataset& linha) {
        const double saldo = linha.fieldByName("POENTRADA")->asFloat() - linha.fieldByName("POSAIDA")->asFloat();
        return qFuzzyIsNull(saldo) ? QString() : "possui estoque de " + host::data::formatFloat(kFormatoDinheiro, saldo);
    };
    return d;
}

// What keeps a piece's entry row from going or taking another number: its
// later movements (out on a contract or an order, or back from one).
QString usoDoNumeroSerie(const host::data::Dataset& linha, const QString& numero)
{
    return host::MovimentosPosterioresNumeroSerie(linha.fieldByName("PRCODIGO")->asString(), numero,
                                                  linha.fieldByName("NSCODIGO")->value());
}

// The pieces of a product the company owns, by their serial numbers: each
// one's entry movement at its stock location, which the serial pickers
// offer (a piece's later movements are its documents', never edited here).
Detalhe numerosSerieProduto()
{
    Detalhe d{"Números de Série",
              "AUGC50NS",
              {"NSCODIGO", Numeracao::Gerador, {}, host::schema::kGeneratorSerialMovement},
              "PRCODIGO",
              {{"NSMOVIMENTO", "E"}, {"NSSTATUS", "D"}},
              {{"NSNUMERO", "Nº de série", T::Texto, true},
               {"LECODIGO", "Local de estoque", T::Lista, true, {}, {}, false, kLocaisEstoque}},
              {},
              "o número de série",
              "Excluir número de série"};
    d.conferir = [](host::data::Dataset& linha) {
        const QString numero = linha.fieldByName("NSNUMERO")->asString().trimmed();
        linha.fieldByName("NSNUMERO")->setAsString(numero);
        const int repetidos = host::db::selectValue(
            *dmGlobal->IBTransaction1,
            "select count(*) from AUGC50NS where PRCODIGO = :PRODUTO and NSNUMERO = :NUMERO"
            " and NSMOVIMENTO = 'E' and NSCODIGO is distinct from :CODIGO",
            {{"PRODUTO", linha.fieldByName("PRCODIGO")->asString()}, {"NUMERO", numero},
             {"CODIGO", linha.fieldByName("NSCODIGO")->value()}}).toInt();
        if (repetidos > 0)
            recusar("Nº de série já cadastrado para o produto: " + numero);
        // Another number on a piece that moved would part it from its movements.
        const QString antigo = linha.fieldByName("NSNUMERO")->oldValue().toString().trimmed();
        if (linha.state() == host::data::DatasetState::Edit && antigo != numero)
            if (const QString uso = usoDoNumeroSerie(linha, antigo); !uso.isEmpty())
                recusar("O Nº de série " + antigo + " não pode ser alterado: " + uso + ".");
    };
    d.emUso = [](const host::data::Dataset& linha) {
        return usoDoNumeroSerie(linha, linha.fieldByName("NSNUMERO")->asString());
    };
    return d;
}

// A movement of the product's pieces that names a document (an order, a
// contract, a stock document) uses the product; its pieces' entries and the
// returns that name none are the product's own and go with it.
constexpr char kMovimentoDeDocumento[] =
    "(coalesce(VECODIGO, '') <> '' or coalesce(OPCODIGO, '') <> '' or coalesce(CMCODIGO, '') <> ''"
    " or coalesce(NSDOCUMENTO, '') <> '' or coalesce(ACCODIGO, 0) <> 0 or coalesce(AOCODIGO, 0) <> 0"
    " or coalesce(OCCODIGO, 0) <> 0)";

const char* pecasEmDocumento()
{
    static const QByteArray condicao = QByteArray("PRCODIGO = :CODIGO and ") + kMovimentoDeDocumento;
    return condicao.constData();
}

Descricao produto()
{
    Descricao d{"PR",
            "Cadastro de Produtos",
            "o produto",
            "ACEC1101",
            {"CODIGO", Numeracao::Cadastral, "00000"},
            "DESCRICAO",
            {},
            {{"PRATIVO", "S"}},
            {{"DESCRICAO", "Descrição", T::Texto, true, {}, {}, true},
             // Only a service is taken by the service lines of an order.
             {"COM_FAB_S_FS", "Tipo", T::Lista, true, {}, {"0=Mercadoria / peça", "7=Serviço"}, true},
             {"GRUPO", "Grupo", T::Lista, true, {}, {}, true, kGrupos},
             {"COD_EMB_COLECAO", "Coleção"},
             {"UNIDADE_MEDIDA", "Unidade", T::Texto, true, {}, {}, true},
             {"PRDESCRICAOCOMERCIAL", "Descrição comercial"},
             {"PCO_VENDA", "Preço de venda", T::Valor, false, {}, {}, true},
             {"PRPRECOCONTRATO", "Preço de contrato", T::Valor},
             {"PRPRECOPROMOCIONAL", "Preço promocional", T::Valor},
             {"PCO_CUSTO", "Preço de custo", T::Valor},
             {"DESCONTO", "Desconto (%)", T::Valor},
             {"PRQUANTIDADEPADRAO", "Quantidade padrão", T::Valor},
             {"LOCALIZACAO", "Local de estoque", T::Lista, false, {}, {}, false, kLocaisEstoque},
             {"PRPOSICIONAMENTO", "Posição no local"},
             // The pieces' serial numbers the orders and contracts pick.
             {"PRGERANS", "Número de série", T::Lista, false, {}, {"O=Um ou mais por linha", "Ú=Um por linha"}},
             {"OUTRO_CODIGO", "Código de barras"},
             {"OFCODIGO", "Operação", T::Lista, false, {}, {}, false, kOperacoes},
             {"XCCODIGO", "Conta de caixa", T::Lista, false, {}, {}, false, kContasCaixa},
             {"NCCODIGO", "NCM"},
             {"AIQ_IPI", "IPI (%)", T::Valor},
             {"PERCENTUAL_ICMS", "ICMS (%)", T::Valor},
             {"ICMS_PARA_REDUCAO", "Redução de ICMS (%)", T::Valor},
             {"PRIMUNE", "Imune", T::Lista, false, {}, kSimNao},
             {"PRATIVO", "Ativo", T::Lista, false, {}, kSimNao}},
            {{"AATC01AA", "PRCODIGO", "serviços de ordens de serviço"},
             {"AATC01AP", "PRCODIGO", "peças de ordens de serviço"},
             {"AVEC85IT", "CODIGO", "pedidos"},
             {"AATC05AC", "PRCODIGO", "contratos"},
             {"AATC05ACIT", "PRCODIGO", "itens de contratos"},
             {"ACEC11PO", "PRCODIGO", "estoque"},
             {"AUGC50NS", "PRCODIGO", "números de série", pecasEmDocumento()},
             {"AATC07AI", "PRCODIGO", "solicitações de peças"},
             {"AATC01AQ", "PRCODIGO", "produtos previstos de ordens de serviço"},
             {"AATC01AX", "PRCODIGO", "despesas extras de ordens de serviço"},
             {"AATC08AF", "PRCODIGO", "custos de ordens de serviço"},
             {"AATC05ACDT", "PRCODIGO", "detalhes de itens de contratos"},
             {"AATC05ACCM", "PRCODIGO", "composições de contratos"}},
            {estoqueProduto(), numerosSerieProduto()},
            {}};
    // A new product holds no stock yet: 0, as the demonstration's, never null
    // (a stock kept elsewhere than its locations is left as it is).
    d.aposGravar = [](const QVariant& produto) {
        host::db::executeSql(*dmGlobal->IBTransaction1,
                             "update ACEC1101 set ESTOQUE = 0 where CODIGO = :P and ESTOQUE is null",
                             {{"P", produto.toString()}});
    };
    d.aoExcluir = [](const QVariant& produto) {
        host::db::executeSql(*dmGlobal->IBTransaction1,
                             QString("delete from AUGC50NS where PRCODIGO = :P and not ") + kMovimentoDeDocumento,
                             {{"P", produto.toString()}});
    };
    return d;
}

Descricao operacao()
{
    return {"OP",
            "Cadastro de Operações",
            "a operação",
            "AFVC0901",
            {"COD_OP", Numeracao::Digitada},
            "DESC_OP_NF",
            {},
            {},
            {{"COD_OP", "Código", T::Texto, true, "9999;0;_", {}, true},
             {"DESC_OP_NF", "Descrição", T::Texto, true, {}, {}, true},
             // The host's own operations of other kinds have none.
             {"TIPO_OP", "Tipo", T::Lista, false, {},
              {"1=Venda", "2=Serviço", "5=Retorno de locação", "6=Remessa de locação", "8=Baixa de peças",
               "D=Devolução de venda"},
              true}},
            {{"AVEC8501", "OPERACAO", "pedidos"},
             {"ACEM1401", "OPERACAO_DOC", "documentos de estoque"},
             {"AATC05AC", "OFCODIGO", "contratos"},
             {"AUGC0301", "NATUREZA_OPERACAO", "clientes"},
             {"ACEC1101", "OFCODIGO", "produtos"}},
            {},
            {}};
}

Descricao tabelaVencimento()
{
    return {"TV",
            "Cadastro de Tabelas de Vencimento",
            "a tabela de vencimento",
            "AFVT0101",
            {"CODIGO", Numeracao::Cadastral, "00"},
            "DESCRICAO",
            {},
            {},
            {{"DESCRICAO", "Descrição", T::Texto, true, {}, {}, true},
             {"QUANTAS_VEZES", "Parcelas", T::Inteiro, true, {}, {}, true},
             {"DIA__INICIAL", "Dias até a 1ª parcela", T::Inteiro},
             {"DESCONTO", "Desconto (%)", T::Valor},
             {"TVCUSTOFINANCEIRO", "Custo financeiro (%)", T::Valor}},
            {{"AUGC0301", "TABELA_VENCIMENTO", "clientes"},
             {"AVEC8501", "TABELA_VENCIMENTO", "pedidos"},
             {"AATC01AO", "TVCODIGO", "ordens de serviço"},
             {"AATC05AC", "TVCODIGO", "contratos"},
             {"ACEM1401", "TAB_VENC", "documentos de estoque"}},
            {},
            {}};
}

Descricao historico()
{
    return {"HC",
            "Cadastro de Históricos",
            "o histórico",
            "ACBC16HC",
            {"HCCODIGO", Numeracao::Gerador, {}, host::schema::kGeneratorHistory},
            "HCDESCRICAO",
            {},
            {},
            {{"HCDESCRICAO", "Descrição", T::Texto, true, {}, {}, true}},
            {{"AATC05AC", "HCCODIGO", "contratos"}},
            {},
            {}};
}

Descricao contaCaixa()
{
    return {"CX",
            "Cadastro de Contas de Caixa",
            "a conta de caixa",
            "ACXC9001",
            {"CONTA", Numeracao::Cadastral, "000000"},
            "DESCRICAO",
            {},
            {{"CONTA_DE_DESPESA", "N"}},
            {{"DESCRICAO", "Descrição", T::Texto, true, {}, {}, true},
             {"CONTA_DE_DESPESA", "Conta de despesa", T::Lista, false, {}, kSimNao, true}},
            {{"AATC05AC", "CXCODIGO", "contratos"},
             {"ACXM9201", "CONTA", "movimentos de caixa"},
             {"ACXC94XP", "XCCODIGO", "previsões de caixa"},
             {"ACEC1101", "XCCODIGO", "produtos"}},
            {},
            {}};
}

}  // namespace

const Descricao* descricao(const QString& sigla)
{
    static const std::vector<Descricao> todas{cliente(true), cliente(false), produto(),          operacao(),
                                              tabelaVencimento(), historico(), contaCaixa()};
    for (const Descricao& d : todas)
        if (d.sigla == sigla)
            return &d;
    return nullptr;
}

bool cpfValido(const QString& cpf)
{
    const QString n = digitos(cpf);
    if (n.size() != 11 || n == QString(11, n[0]))
        return false;
    for (int t = 9; t < 11; ++t) {
        int soma = 0;
        for (int i = 0; i < t; ++i)
            soma += n[i].digitValue() * (t + 1 - i);
        if ((soma * 10) % 11 % 10 != n[t].digitValue())
            return false;
    }
    return true;
}

bool cnpjValido(const QString& cnpj)
{
    const QString n = digitos(cnpj);
    if (n.size() != 14 || n == QString(14, n[0]))
        return false;
    static const int pesos[] = {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
    for (int t = 12; t < 14; ++t) {
        int soma = 0;
        for (int i = 0; i < t; ++i)
            soma += n[i].digitValue() * pesos[i + 13 - t];
        const int resto = soma % 11;
        if ((resto < 2 ? 0 : 11 - resto) != n[t].digitValue())
            return false;
    }
    return true;
}

}  // namespace host::cadastro
