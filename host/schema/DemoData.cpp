// Demonstration data of a new installation. Every row is inserted only when
// its key is absent, so that loading again neither duplicates rows nor undoes
// the user's changes.

#include "host/schema/HostSchema.h"

#include "host/db/Database.h"
#include "host/schema/HostParameters.h"

#include <initializer_list>

namespace host {

namespace {

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

void insertIfMissing(db::Transaction& tr, const char* table, std::initializer_list<const char*> key,
                     const QVariantMap& values)
{
    QStringList conditions;
    QVariantMap keyValues;
    for (const char* k : key) {
        conditions << QStringLiteral("%1 = :%1").arg(QLatin1String(k));
        keyValues.insert(QLatin1String(k), values.value(QLatin1String(k)));
    }
    const QString exists = QStringLiteral("select count(*) from %1 where %2")
                               .arg(QLatin1String(table), conditions.join(QStringLiteral(" and ")));
    if (db::selectValue(tr, exists, keyValues).toInt() > 0)
        return;
    const QStringList columns = values.keys();
    QStringList params;
    for (const QString& c : columns)
        params << QLatin1Char(':') + c;
    db::executeSql(tr, QStringLiteral("insert into %1 (%2) values (%3)")
                           .arg(QLatin1String(table), columns.join(QStringLiteral(", ")), params.join(QStringLiteral(", "))),
                   values);
}

void loadCompany(db::Transaction& tr)
{
    insertIfMissing(tr, "EMPRESA", {"CODIGO"},
                    {{"CODIGO", 1},
                     {"NOME", text("Assistência Técnica Exemplo Ltda.")},
                     {"FONE", "(11)3456-7890"},
                     {"FAX", "(11)3456-7891"},
                     {"ENDERECO", text("Rua das Acácias, 120")},
                     {"CIDADE", text("São Paulo")},
                     {"CEP", "01234-000"},
                     {"ESTADO", "SP"},
                     {"CICCGC", "12.345.678/0001-95"},
                     {"UGESPECIFICOEMPRESA", 0},
                     {"UGDECIMALVALORPROD", 2},
                     {"EMAIL", "contato@exemplo.com.br"},
                     {"SITE", "www.exemplo.com.br"}});
    insertIfMissing(tr, "EA", {"CODIGO"},
                    {{"CODIGO", "01"},
                     {"NOME", text("Assistência Técnica Exemplo - Matriz")},
                     {"ESTADO", "SP"},
                     {"ENDERECO", text("Rua das Acácias, 120")},
                     {"BAIRRO", "Centro"},
                     {"CIDADE", text("São Paulo")},
                     {"CEP", "01234-000"},
                     {"FONE", "(11)3456-7890"}});
}

void loadParameters(db::Transaction& tr)
{
    for (const auto& p : schema::parameterDefaults())
        insertIfMissing(tr, schema::kParameterTable, {"NOME"},
                        {{"NOME", QLatin1String(p.name)}, {"VALOR", QLatin1String(p.value)}});
}

void loadCustomers(db::Transaction& tr)
{
    struct Customer {
        const char *code, *name, *kind, *taxNumber, *street, *district, *city, *state, *zip, *phone, *email;
    };
    // The first is the company itself: documents to itself look it up by tax number.
    static const Customer customers[] = {
        {"00001", "Assistência Técnica Exemplo Ltda.", "J", "12.345.678/0001-95", "Rua das Acácias, 120", "Centro",
         "São Paulo", "SP", "01234-000", "(11)3456-7890", "contato@exemplo.com.br"},
        {"00002", "Padaria Pão Quente Ltda.", "J", "23.456.789/0001-95", "Avenida Paulista, 1500", "Bela Vista",
         "São Paulo", "SP", "01310-100", "(11)3333-4444", "compras@paoquente.com.br"},
        {"00003", "José Antônio Ferreira", "F", "123.456.789-09", "Rua Coração de Maria, 45", "Vila Mariana",
         "São Paulo", "SP", "04101-000", "(11)3765-4321", "jose.ferreira@email.com.br"},
        {"00004", "Clínica Saúde & Vida S/A", "J", "34.567.890/0001-30", "Rua Conceição, 300", "Cambuí",
         "Campinas", "SP", "13010-050", "(19)3232-1010", "ti@saudevida.com.br"},
        {"00005", "Maria das Graças Conceição", "F", "987.654.321-00", "Travessa São João, 12", "Boqueirão",
         "Santos", "SP", "11045-000", "(13)3876-5432", "gracas@email.com.br"},
    };
    for (const Customer& c : customers)
        insertIfMissing(tr, "AUGC0301", {"CODIGO_CLIENTE"},
                        {{"CODIGO_CLIENTE", c.code},
                         {"NOME", text(c.name)},
                         {"NOME_FANTASIA", text(c.name).left(40)},
                         {"PESSOA_FISICAOUJURIDICA", c.kind},
                         {"CGC_CNPJ", c.taxNumber},
                         {"ENDERECO", text(c.street)},
                         {"BAIRRO", text(c.district)},
                         {"CIDADE", text(c.city)},
                         {"ESTADO", c.state},
                         {"CEP", c.zip},
                         {"TELEFONE1", c.phone},
                         {"EMAIL", c.email},
                         {"TABELA_VENCIMENTO", "01"},
                         // A new order of the customer takes this operation: its
                         // sales order is refused without one.
                         {"NATUREZA_OPERACAO", "5102"},
                         {"CLDESCONTO", 0.0},
                         {"LIMITE_CREDITO", 5000.0}});
}

void loadSuppliers(db::Transaction& tr)
{
    struct Supplier { const char *code, *name, *kind; };
    static const Supplier suppliers[] = {
        {"00001", "Carlos Eduardo Vendas", "V"},
        {"00002", "Transportadora Rápida Ltda.", "T"},
        {"00003", "Distribuidora de Peças Paulista Ltda.", "F"},
    };
    for (const Supplier& s : suppliers)
        insertIfMissing(tr, "AUGC0501", {"FCOD"},
                        {{"FCOD", s.code}, {"FNOME", text(s.name)}, {"FTIPO", s.kind}});
}

void loadTradeRegisters(db::Transaction& tr)
{
    struct Code { const char *code, *description; };
    static const Code groups[] = {{"PEC", "Peças"}, {"SRV", "Serviços"}, {"GEN", "Genéricos"}};
    for (const Code& g : groups)
        insertIfMissing(tr, "ACEC1201", {"CODIGO"}, {{"CODIGO", g.code}, {"DESCRICAO", text(g.description)}});
    static const Code operations[] = {{"5102", "Venda de mercadoria"}, {"5933", "Prestação de serviço"}};
    for (const Code& o : operations)
        insertIfMissing(tr, "AFVC0901", {"COD_OP"}, {{"COD_OP", o.code}, {"DESC_OP_NF", text(o.description)}});
    insertIfMissing(tr, "AFVT0101", {"CODIGO"}, {{"CODIGO", "01"}, {"DESCRICAO", text("À vista")}, {"QUANTAS_VEZES", 1}});
    insertIfMissing(tr, "AFVT0101", {"CODIGO"}, {{"CODIGO", "02"}, {"DESCRICAO", "30/60 dias"}, {"QUANTAS_VEZES", 2}});
    // Standard texts of the printed budget.
    static const Code messages[] = {{"996", "Validade do orçamento: 10 dias."},
                                    {"997", "Condições de pagamento: à vista ou 30/60 dias."},
                                    {"998", "Prazo de execução: até 5 dias úteis após a aprovação."},
                                    {"999", "Garantia de 90 dias para peças e serviços."}};
    for (const Code& m : messages)
        insertIfMissing(tr, "ALFC2601", {"CODIGO"}, {{"CODIGO", m.code}, {"DESCRICAO", text(m.description)}});
    // The fixed texts of a service order's e-mails to its customer: the
    // opening notice (sequence 1) and the budget (-1).
    struct Fixo { int sequence; const char* text; };
    static const Fixo fixos[] = {
        {1, "Prezado cliente, recebemos o seu equipamento e a ordem de serviço foi aberta. Avisaremos quando o "
            "orçamento estiver pronto."},
        {-1, "Prezado cliente, o orçamento da sua ordem de serviço está pronto. Aguardamos a sua aprovação para "
             "iniciar o serviço."}};
    for (const Fixo& f : fixos)
        insertIfMissing(tr, "AUGC70OB", {"OBCODIGO", "OBID", "OBSEQUENCIA"},
                        {{"OBCODIGO", "FIXO"}, {"OBID", "A"}, {"OBSEQUENCIA", f.sequence}, {"OBTEXTO", text(f.text)}});
}

void loadStockLocations(db::Transaction& tr)
{
    // "001" is the store; the others hold the equipment of assistance orders
    // by status ("0" to "6") and the rental equipment returned ("7").
    struct Location { const char *code, *description, *statusKey; };
    static const Location locations[] = {
        {"001", "Depósito principal", nullptr},
        {"010", "Propostas em andamento", "0"},
        {"011", "Propostas fechadas", "1"},
        {"012", "Pedidos pendentes", "2"},
        {"013", "Pedidos em produção", "3"},
        {"014", "Pedidos prontos para faturar", "4"},
        {"015", "Pedidos liberados à entrega", "5"},
        {"016", "Pedidos entregues", "6"},
        {"017", "Equipamentos de locação devolvidos", "7"},
    };
    for (const Location& l : locations)
        insertIfMissing(tr, "ACEC1401", {"CODIGO"},
                        {{"CODIGO", l.code},
                         {"DESCRICAO", text(l.description)},
                         {"LESTATUSPEDIDO", l.statusKey ? QVariant(QLatin1String(l.statusKey)) : QVariant()},
                         {"LEORIGEM", qstrcmp(l.code, "001") == 0 ? QVariant("S") : QVariant()},
                         {"LEFILIAL", "01"}});
}

void loadProducts(db::Transaction& tr)
{
    // Services carry the product kind "7".
    struct Product {
        const char *code, *description, *unit, *group, *kind;
        double price, cost, stock;
    };
    static const Product products[] = {
        {"P0001", "Fonte de alimentação bivolt 110/220V", "UN", "PEC", nullptr, 89.90, 45.00, 12},
        {"P0002", "Placa-mãe para notebook", "UN", "PEC", nullptr, 450.00, 280.00, 3},
        {"P0003", "Cartucho de toner preto", "UN", "PEC", nullptr, 120.00, 70.00, 25},
        {"P0004", "Compressor de ar-condicionado 12000 BTUs", "UN", "PEC", nullptr, 980.00, 650.00, 2},
        {"P0005", "Correia de transmissão", "UN", "PEC", nullptr, 35.50, 15.00, 40},
        {"S0001", "Mão de obra técnica (hora)", "H", "SRV", "7", 120.00, 0, 0},
        {"S0002", "Visita técnica", "UN", "SRV", "7", 80.00, 0, 0},
        {"S0003", "Limpeza e revisão preventiva", "UN", "SRV", "7", 150.00, 0, 0},
        {"999", "Produto genérico", "UN", "GEN", nullptr, 0, 0, 0},
    };
    for (const Product& p : products) {
        insertIfMissing(tr, "ACEC1101", {"CODIGO"},
                        {{"CODIGO", p.code},
                         {"DESCRICAO", text(p.description)},
                         {"UNIDADE_MEDIDA", p.unit},
                         {"GRUPO", p.group},
                         {"COM_FAB_S_FS", p.kind ? QVariant(QLatin1String(p.kind)) : QVariant()},
                         {"PCO_VENDA", p.price},
                         {"PCO_CUSTO", p.cost},
                         {"ESTOQUE", p.stock},
                         {"QTDE_PRODUCAO", 0.0},
                         {"DESCONTO", 0.0},
                         {"PRATIVO", "S"}});
        if (p.stock > 0)
            insertIfMissing(tr, "ACEC11PO", {"PRCODIGO", "LECODIGO"},
                            {{"PRCODIGO", p.code}, {"LECODIGO", "001"}, {"POENTRADA", p.stock}, {"POSAIDA", 0.0}});
    }
}

void loadTechnicians(db::Transaction& tr, const QString& userName)
{
    struct Technician { int code; const char* name; };
    static const Technician technicians[] = {{1, "JOÃO DA SILVA"}, {2, "MARIA APARECIDA SOUZA"}};
    auto insert = [&](int code, const QString& name, const QString& user) {
        insertIfMissing(tr, "AATC06AT", {"ATCODIGO"},
                        {{"ATCODIGO", code},
                         {"ATNOME", name},
                         {"ATALTERAROS", "S"},
                         {"ATALTERARLAUDO", "S"},
                         {"ATACESSORESTRITO", "N"},
                         {"ATATIVO", "S"},
                         {"ATUSUARIO", user.isEmpty() ? QVariant() : QVariant(user)}});
    };
    for (const Technician& t : technicians)
        insert(t.code, text(t.name), {});
    // The technician whose name is the login's user name carries that user's permissions.
    const QString user = userName.trimmed().toUpper();
    if (user.isEmpty())
        return;
    const QVariantMap byName{{"ATNOME", user}};
    if (db::selectValue(tr, QStringLiteral("select count(*) from AATC06AT where ATNOME = :ATNOME"), byName).toInt() > 0)
        return;
    const int next = db::selectValue(tr, QStringLiteral("select coalesce(max(ATCODIGO), 0) + 1 from AATC06AT")).toInt();
    insert(next, user, user);
}

void loadSituations(db::Transaction& tr)
{
    // One situation of each type, owned by the assistance module ("A").
    struct Situation { int code; const char *description, *type, *approve; };
    static const Situation situations[] = {
        {1, "Aberta", "I", "N"},
        {2, "Em análise", "N", "N"},
        {3, "Aguardando aprovação", "N", "S"},
        {4, "Em execução", "N", "N"},
        {5, "Concluída", "F", "N"},
        {6, "Cancelada", "M", "N"},
        {7, "Remanufatura iniciada", "R", "N"},
        {8, "Remanufatura concluída", "S", "N"},
        {9, "Compra iniciada", "C", "N"},
        {10, "Compra concluída", "D", "N"},
    };
    for (const Situation& s : situations)
        insertIfMissing(tr, "AATC01AS", {"ASCODIGO"},
                        {{"ASCODIGO", s.code},
                         {"ASDESCRICAO", text(s.description)},
                         {"ASTIPO", s.type},
                         {"ASINTERNET", "N"},
                         {"ASAPROVA", s.approve},
                         {"ASID", "A"}});
}

void loadServiceRegisters(db::Transaction& tr)
{
    struct Model { int code; const char *description, *brand, *model, *kind; };
    static const Model models[] = {
        {1, "Impressora laser", "HP", "LaserJet P1102", "Impressora"},
        {2, "Notebook", "Dell", "Inspiron 15 3000", "Informática"},
        {3, "Ar-condicionado split", "Springer", "Midea 12000 BTUs", "Climatização"},
        {4, "Máquina de café expresso", "Saeco", "Lirika", "Cozinha"},
    };
    for (const Model& m : models)
        insertIfMissing(tr, "AATC03AE", {"AECODIGO"},
                        {{"AECODIGO", m.code},
                         {"AEDESCRICAO", text(m.description)},
                         {"AEMARCA", text(m.brand)},
                         {"AEMODELO", text(m.model)},
                         {"AETIPO", text(m.kind)}});
    // Counting: "E" exact hour, "C" rounded up, "B" rounded down.
    struct HourType { int code; const char *description, *counting; double h1, h2, h3, h4, h5; };
    static const HourType hours[] = {
        {1, "Hora técnica normal", "E", 120, 120, 120, 120, 120},
        {2, "Hora técnica externa", "C", 150, 140, 130, 120, 110},
        {3, "Hora técnica de plantão", "B", 180, 180, 170, 170, 160},
    };
    for (const HourType& h : hours)
        insertIfMissing(tr, "AATC04AH", {"AHCODIGO"},
                        {{"AHCODIGO", h.code},
                         {"AHDESCRICAO", text(h.description)},
                         {"AHTIPO", h.counting},
                         {"AHHORA1", h.h1},
                         {"AHHORA2", h.h2},
                         {"AHHORA3", h.h3},
                         {"AHHORA4", h.h4},
                         {"AHHORA5", h.h5}});
    struct Defect { int code; const char *description, *kind; };
    static const Defect defects[] = {
        {1, "Equipamento não liga", "D"},
        {2, "Ruído excessivo", "D"},
        {3, "Fonte de alimentação queimada", "C"},
        {4, "Falta de manutenção preventiva", "C"},
        {5, "Substituição da fonte", "S"},
        {6, "Limpeza e lubrificação", "S"},
    };
    for (const Defect& d : defects)
        insertIfMissing(tr, "AATC02AD", {"ADCODIGO"},
                        {{"ADCODIGO", d.code}, {"ADDESCRICAO", text(d.description)}, {"ADIDENTIFICADOR", d.kind}});
}

}  // namespace

void loadDemoData(db::Transaction& transaction, const QString& userName)
{
    loadCompany(transaction);
    loadParameters(transaction);
    loadCustomers(transaction);
    loadSuppliers(transaction);
    loadTradeRegisters(transaction);
    loadStockLocations(transaction);
    loadProducts(transaction);
    loadTechnicians(transaction, userName);
    loadSituations(transaction);
    loadServiceRegisters(transaction);
    raiseGeneratorsToKeys(transaction);
    transaction.commitRetaining();
}

}  // namespace host
