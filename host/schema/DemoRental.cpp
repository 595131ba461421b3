// The demonstration company as an equipment-rental company: who it deals
// with (its customers' contacts, its bank, an operation of each type the
// module looks for), the equipment it rents, a rental contract with serial
// numbers and forecasts, and an assistance proposal and order. Loaded with
// the other documents, once, on a new database.

#include "host/schema/DemoDocuments.h"

#include "host/db/Database.h"

namespace host::demo {

namespace {

// The people to talk to at each customer: an assistance order names its
// contact, its delivery and its billing contacts among them.
void loadContacts(db::Transaction& tr)
{
    inserir(tr, "AUGC3701", {"ANCODIGO", "ANVINCULOCODIGO", "ANNOME", "ANTELEFONE", "ANEMAIL", "ANVINCULOCATEGORIA"},
            {{1, "00001", textoDemo("Setor de Compras"), "(11)3456-7890", "compras@exemplo.com.br", "C"},
             {2, "00002", textoDemo("Sr. Paulo"), "(11)3333-4444", "paulo@paoquente.com.br", "C"},
             {3, "00002", textoDemo("Ana Ribeiro (Financeiro)"), "(11)3333-4445", "financeiro@paoquente.com.br", "C"},
             {4, "00003", textoDemo("José Antônio Ferreira"), "(11)3765-4321", "jose.ferreira@email.com.br", "C"},
             {5, "00004", textoDemo("Dra. Helena"), "(19)3232-1010", "helena@saudevida.com.br", "C"},
             {6, "00004", textoDemo("Marcos Vieira (TI)"), "(19)3232-1011", "ti@saudevida.com.br", "C"},
             {7, "00005", textoDemo("Maria das Graças Conceição"), "(13)3876-5432", "gracas@email.com.br", "C"}});
}

// The bank the customers' and the contracts' collections go through.
void loadBank(db::Transaction& tr)
{
    inserir(tr, "AUGC0901", {"CODIGO_BANCO", "NOME_BANCO", "NUMERO_DO_BANCO"},
            {{"001", textoDemo("Banco do Brasil S.A."), "001"}});
    db::executeSql(tr, "update AUGC0301 set COBRANCA = '001' where COBRANCA is null");
}

// One operation of each type the module looks for: sale "1", service "2",
// shipment of rented equipment "6", parts used up "8", the return of rented
// equipment "5" and a sale's return "D" (the last two bring goods in).
void loadOperations(db::Transaction& tr)
{
    struct Operacao { const char *codigo, *descricao, *tipo; };
    static const Operacao operacoes[] = {{"5102", "Venda de mercadoria", "1"},
                                         {"5933", "Prestação de serviço", "2"},
                                         {"5949", "Remessa de equipamento em locação", "6"},
                                         {"5927", "Baixa de peças por consumo", "8"},
                                         {"1949", "Retorno de equipamento locado", "5"},
                                         {"1202", "Devolução de venda", "D"}};
    for (const Operacao& o : operacoes) {
        // The host's own operations get their type; the others are added.
        const QVariantMap chave{{"COD", QLatin1String(o.codigo)}};
        const QVariantMap tipo{{"COD", QLatin1String(o.codigo)}, {"TIPO", QLatin1String(o.tipo)}};
        if (db::selectValue(tr, "select count(*) from AFVC0901 where COD_OP = :COD", chave).toInt() > 0)
            db::executeSql(tr, "update AFVC0901 set TIPO_OP = :TIPO where COD_OP = :COD and TIPO_OP is null", tipo);
        else
            inserir(tr, "AFVC0901", {"COD_OP", "DESC_OP_NF", "TIPO_OP"},
                    {{QLatin1String(o.codigo), textoDemo(o.descricao), QLatin1String(o.tipo)}});
    }
}

// Equipment for rent, each piece known by its serial number.
void loadRentalEquipment(db::Transaction& tr)
{
    inserir(tr, "ACEC1201", {"CODIGO", "DESCRICAO"}, {{"LOC", textoDemo("Locação")}});
    inserir(tr, "ACEC1101",
            {"CODIGO", "DESCRICAO", "UNIDADE_MEDIDA", "GRUPO", "PCO_VENDA", "PCO_CUSTO", "ESTOQUE", "QTDE_PRODUCAO",
             "DESCONTO", "PRATIVO"},
            {{"L0001", textoDemo("Gerador de energia 5 kVA"), "UN", "LOC", 300.00, 4200.00, 2.0, 0.0, 0.0, "S"},
             {"L0002", textoDemo("Compressor de ar 10 pés"), "UN", "LOC", 150.00, 2600.00, 2.0, 0.0, 0.0, "S"}});
    inserir(tr, "ACEC11PO", {"PRCODIGO", "LECODIGO", "POENTRADA", "POSAIDA"},
            {{"L0001", "001", 2.0, 0.0}, {"L0002", "001", 2.0, 0.0}});
}

// An equipment-rental contract of customer 00002 billed through bank "001":
// a generator and a compressor with their serial numbers, on rent since the
// contract began, and the first three of its twelve monthly forecasts.
void loadRentalContract(db::Transaction& tr, const QDate& hoje)
{
    const QDate inicio = QDate(hoje.year(), hoje.month(), 1).addMonths(-1);
    inserir(tr, "AATC05AC",
            {"ACCODIGO", "ACNUMEROCONTRATO", "CLCODIGO", "ACCONTRATANTE", "ACSITUACAO", "ACLOCAL", "ACPERIODO",
             "ACMODALIDADE", "ACVENCIMENTO", "ACVALOR", "ACVALORPARCELA", "ACVALORPARCELALIQUIDO", "ACTIPO",
             "ACNATUREZA", "ACTIPOPAGAMENTO", "ACOBJETO", "ACDATAIMPLANTACAO", "ACDATAVALIDADE", "ACRENOVACAO",
             "ACVINCULO", "BCCODIGO", "ACTIPODESC", "ACQUANTIDADEPARCELA"},
            {{3, "LC-2026-001", "00002", "00002", "1", "01", "M", "A", 15, 450.00, 450.00, 450.00, "L", "D", "2",
              textoDemo("Locação de gerador e compressor para a fábrica"), dia(inicio),
              dia(inicio.addMonths(12).addDays(-1)), "S", "P", "001", textoDemo("Locação de Equipamentos"), 12}});
    inserir(tr, "AATC05ACIT",
            {"ACITCODIGO", "ACCODIGO", "CLCODIGO", "PRCODIGO", "ACITNUMEROSERIE", "ACITQUANTIDADE", "ACITVALOR",
             "ACITGARANTIA", "ACITCOMPLEMENTO", "ACITENCERRADO", "ACITOBSERVACAO"},
            {{5, 3, "00002", "L0001", "GER-5K-0001", 1, 300.00, "N", "N", "N", textoDemo("Fábrica")},
             {6, 3, "00002", "L0002", "CMP-10-0107", 1, 150.00, "N", "N", "N", textoDemo("Fábrica")}});
    // The serial numbers' current movement: out on rent under the contract.
    inserir(tr, "AUGC50NS", {"NSCODIGO", "NSNUMERO", "PRCODIGO", "NSSTATUS", "LECODIGO", "ACCODIGO"},
            {{1, "GER-5K-0001", "L0001", "L", "001", 3}, {2, "CMP-10-0107", "L0002", "L", "001", 3}});
    QList<QVariantList> parcelas;
    for (int m = 1; m <= 3; ++m) {
        const QDate vencimento(inicio.addMonths(m).year(), inicio.addMonths(m).month(), 15);
        // Each covers a month of rent, as the forecast run writes it: the
        // renewal carries on from the last one's end.
        parcelas.append({vencimento.toString("ddMMyy") + "L", "00002", 1, "01", "V", 450.00, dia(hoje),
                         dia(vencimento), 3, textoDemo("Lancto. a Partir de Contas a Receber Gerado via Contrato."),
                         0.0, "01", "2", dia(inicio.addMonths(m - 1)), dia(inicio.addMonths(m))});
    }
    inserir(tr, "ACRC5001",
            {"NUMERO_DOCUMENTO", "CODIGO_CLIENTE", "SEQUENCIA", "CODIGO_FILIAL", "SITUACAO_DOCUMENTO",
             "VALOR_DOCUMENTO", "DATA_EMISSAO", "DATA_VENCIMENTO", "AOCODIGO", "OBSERVACAO", "VALOR_DESCONTO",
             "SERIE_DOCUMENTO", "TIPO_PAGAMENTO", "CREMISSAOINI", "CREMISSAOFIN"},
            parcelas);
}

// An assistance proposal and an order of customer 00004, with their contacts
// and requested lines.
void loadAssistanceOrders(db::Transaction& tr, const QDate& hoje)
{
    inserir(tr, "AVEC8501",
            {"NUMERO_PEDIDO", "CODIGO_CLIENTE", "AUX2", "VELOCAL", "OPERACAO", "TABELA_VENCIMENTO", "BCCODIGO",
             "ANCODIGOCONTATO", "ANCODIGOENTREGA", "ANCODIGOCOBRANCA", "DATA_EMISSAO", "VEDATANEGOCIACAO",
             "VALOR_TOTAL", "VEPEDIDOIMPRESSO", "VEPEDIDOIMPRESSO2VIA", "VECREDITO", "VERECIBO", "FRETE"},
            {{"000001", "00004", "0", "01", "5102", "01", "001", 5, 5, 6, dia(hoje.addDays(-3)), dia(hoje.addDays(-3)),
              450.00, "N", "N", "N", "N", "2"},
             {"000002", "00004", "1", "01", "5102", "01", "001", 5, 5, 6, dia(hoje.addDays(-1)), dia(hoje.addDays(-1)),
              300.00, "N", "N", "N", "N", "2"}});
    inserir(tr, "AVEC85IT", {"NUMERO_PEDIDO", "COD", "CODIGO", "QUANTIDADE", "VALOR", "TOTAL_UNIT", "OBS"},
            {{"000001", 1, "L0001", 1, 300.00, 300.00, textoDemo("Centro cirúrgico")},
             {"000001", 2, "L0002", 1, 150.00, 150.00, textoDemo("Manutenção predial")},
             {"000002", 1, "L0001", 1, 300.00, 300.00, textoDemo("Centro cirúrgico")}});
}

}  // namespace

void loadRentalCompany(db::Transaction& tr, const QDate& hoje)
{
    loadContacts(tr);
    loadBank(tr);
    loadOperations(tr);
    loadRentalEquipment(tr);
    loadRentalContract(tr, hoje);
    loadAssistanceOrders(tr, hoje);
}

}  // namespace host::demo
