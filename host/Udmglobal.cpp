// TdmGlobal: the connection, the transaction, the host datasets and the
// parameter and company records.

#include "host/Udmglobal.h"

#include "host/HostLog.h"
#include "host/Udatamod.h"

#include "host/data/DataModule.h"
#include "host/data/UpdateSql.h"
#include "host/db/Database.h"

#include <QMenu>

#include <atomic>

TdmGlobal* dmGlobal = nullptr;

namespace {

// Changes with every change of any parameter record and whenever another
// record takes over (a new dmGlobal): what parametro() keeps per name is
// good while it stays.
std::atomic<quint64> geracaoParametros{1};

void parametrosMudaram() { geracaoParametros.fetch_add(1, std::memory_order_relaxed); }

host::data::Query* newQuery(TdmGlobal* owner, const QString& name, const QString& sql)
{
    auto* query = owner->adopt(std::make_unique<host::data::Query>(nullptr, name));
    query->setTransaction(owner->IBTransaction1.get());
    query->setSql(sql);
    return query;
}

}  // namespace

TdmGlobal::TdmGlobal(const QString& databaseName, const QString& user, const QString& password)
    : host::Component(nullptr, "dmGlobal")
{
    Database1 = std::make_unique<host::db::Connection>();
    host::db::ConnectOptions options;
    options.name = databaseName;
    options.user = user;
    options.password = password;
    Database1->open(options);
    IBTransaction1 = std::make_unique<host::db::Transaction>(*Database1);

    IBScript1 = adopt(std::make_unique<TIBScript>(nullptr, "IBScript1"));
    IBScript1->transaction = IBTransaction1.get();
    quEmpresa = newQuery(this, "quEmpresa", "select * from EMPRESA order by CODIGO");
    quTabVenc = newQuery(this, "quTabVenc", "select * from AFVT0101 order by CODIGO");
    quReceber = newQuery(this, "quReceber", "select * from ACRC5001 where 1=0");
    // Every list of receivables shows its amounts as the host writes them.
    quReceber->onFieldsCreated = [](host::data::Dataset& receber) {
        SetaFormatoValor(receber);
        // The instalment's number is no amount: "1", not "1,00".
        if (host::data::Field* sequencia = receber.findField("SEQUENCIA"))
            sequencia->setDisplayFormat({});
    };
    quMov = newQuery(this, "quMov", "select * from ACEM1401 where 1=0");
    quMovItem = newQuery(this, "quMovItem", "select * from ACEM14IT where 1=0");
    quClienteConsulta = newQuery(this, "quClienteConsulta",
                                 "select * from AUGC0301 where CODIGO_CLIENTE = :CODIGO_CLIENTE");
    quAuxiliar = newQuery(this, "quAuxiliar", {});
    quAuxiliar2 = newQuery(this, "quAuxiliar2", {});
    quCXContas = newQuery(this, "quCXContas", "select * from ACXC9001 order by DESCRICAO");
    quClienteLista = newQuery(this, "quClienteLista",
                              "select CODIGO_CLIENTE, NOME, CGC_CNPJ from AUGC0301 order by NOME");
    // Read as its combos show it: the customer a combo shows is read by its code.
    quClienteLista->setKeyedRead("CODIGO_CLIENTE", "select CODIGO_CLIENTE, NOME, CGC_CNPJ from AUGC0301"
                                                   " where CODIGO_CLIENTE = :CODIGO_CLIENTE");
    quOperacao = newQuery(this, "quOperacao", "select * from AFVC0901 op order by COD_OP");
    quRepresentante = newQuery(this, "quRepresentante",
                               "select FCOD CODIGO, FNOME NOME from AUGC0501 where FTIPO = 'R' order by FNOME");
    quFornecedorLista = newQuery(this, "quFornecedorLista", "select FCOD, FNOME, FTIPO from AUGC0501 order by FNOME");
    quBanco = newQuery(this, "quBanco", "select * from AUGC0901 order by CODIGO_BANCO");
    quVendedor = newQuery(this, "quVendedor",
                          "select FCOD, FNOME, FTIPO from AUGC0501 order by FNOME");

    attachReceivableUpdates();
    criarDatasetsReceber();
    criarMenus();
    dmGlobal = this;
    if (sCaminhoSistema.isEmpty())
        sCaminhoSistema = host::defaultSystemFolder();
    // What the rows a user writes keep as who wrote them: the login typed is
    // not always the name the engine knows the user by.
    usuarioBanco_ = host::db::selectValue(*IBTransaction1, "select current_user from rdb$database").toString().trimmed();
    CarregaParametros();
    CarregaEmpresa();
    sLocalEstoqueAtual = Parametro("ATLOCALPADRAO");
}

TdmGlobal::~TdmGlobal()
{
    parametrosMudaram();
    if (dmGlobal == this) {
        // The modules' data modules run on this connection: they go first.
        host::data::freeDataModules();
        dmGlobal = nullptr;
    }
    receberSql_.reset();
    preparadosNoCodigo_.clear();
    preparados_.clear();
    for (host::data::Query* query : {quEmpresa, quTabVenc, quReceber, quMov, quMovItem,
                                     quClienteConsulta, quAuxiliar, quAuxiliar2, quCXPrev, quObsGeral,
                                     quClienteLista, quOperacao, quRepresentante, quFornecedorLista,
                                     quBanco, quVendedor, quCXContas})
        if (query && query->active())
            query->close();
    if (IBTransaction1 && IBTransaction1->active())
        IBTransaction1->rollback();
}

// ---- parameter record ----

void TdmGlobal::CarregaParametros()
{
    parametrosMudaram();
    parametros_.clear();
    host::db::Statement st(*IBTransaction1, "select NOME, VALOR from PARAMETROS");
    st.execute();
    while (st.fetch())
        parametros_.insert(st.value(0).toString().trimmed().toUpper(), st.value(1).toString());
}

namespace {

// Whether a name is already in the parameters' key form (upper-case, no
// surrounding blanks): the rules ask for parameters by their key a few
// hundred times an order, and the trimmed upper-case copy costs more than
// the look-up itself.
bool nomeNormalizado(QStringView nome)
{
    if (!nome.isEmpty() && (nome.front().isSpace() || nome.back().isSpace()))
        return false;
    for (const QChar c : nome)
        if (c.unicode() >= 0x80 || (c >= u'a' && c <= u'z'))
            return false;
    return true;
}

}  // namespace

QString TdmGlobal::Parametro(const QString& nome) const
{
    return parametros_.value(nomeNormalizado(nome) ? nome : nome.trimmed().toUpper());
}

namespace {

// A name the rules ask for by a literal, with the value last read for it.
struct ParametroLido {
    QString chave;
    mutable QString valor;
    mutable quint64 geracao = 0;
};

}  // namespace

// The rules name parameters by literals, some sixty times an order: each
// literal's key is made once and kept by its address (checked against the
// text, since a caller's buffer may be reused for another name), with its
// value until a parameter changes.
QString parametro(const char* nome)
{
    static thread_local QHash<const char*, host::db::KeptAt<ParametroLido>> lidos;
    const ParametroLido& lido = host::db::keptByAddress<ParametroLido, 1024>(
        lidos, nome, [](const char* texto) { return ParametroLido{QString::fromLatin1(texto)}; });
    const quint64 geracao = geracaoParametros.load(std::memory_order_relaxed);
    if (lido.geracao != geracao) {
        lido.valor = dmGlobal->Parametro(lido.chave);
        lido.geracao = geracao;
    }
    return lido.valor;
}

QString parametroAparado(const char* nome) { return parametro(nome).trimmed(); }

QString parametroMaiusculo(const char* nome) { return parametroAparado(nome).toUpper(); }

void commitRetaining() { dmGlobal->IBTransaction1->commitRetaining(); }

int TdmGlobal::ParametroInteiro(const QString& nome) const
{
    return int(ParametroNumero(nome));
}

double TdmGlobal::ParametroNumero(const QString& nome) const
{
    QString text = Parametro(nome).trimmed();
    if (text.contains(',') && !text.contains('.'))
        text.replace(',', '.');
    bool ok = false;
    double value = text.toDouble(&ok);
    return ok ? value : 0.0;
}

void TdmGlobal::SetParametro(const QString& nome, const QString& valor)
{
    const QString key = nome.trimmed().toUpper();
    const QVariantMap params{{"NOME", key}, {"VALOR", valor}};
    if (host::db::executeSql(*IBTransaction1, "update PARAMETROS set VALOR = :VALOR where NOME = :NOME", params) == 0)
        host::db::executeSql(*IBTransaction1, "insert into PARAMETROS (NOME, VALOR) values (:NOME, :VALOR)", params);
    parametros_.insert(key, valor);
    parametrosMudaram();
}

QStringList TdmGlobal::NomesParametros() const
{
    QStringList names = parametros_.keys();
    names.sort();
    return names;
}

void TdmGlobal::CarregaEmpresa()
{
    if (quEmpresa->active())
        quEmpresa->close();
    quEmpresa->open();
    // Read with the company: a document's print asks them with no statement of its own.
    cnpjFiliais_.clear();
    host::db::Statement st(*IBTransaction1, "select trim(CODIGO), trim(CNPJ) from EA where trim(coalesce(CNPJ, '')) <> ''");
    st.execute();
    while (st.fetch())
        cnpjFiliais_[st.value(0).toString()] = st.value(1).toString();
}

QString TdmGlobal::CnpjEmpresa(const QString& filial) const
{
    QString codigo = filial.trimmed();
    if (codigo.isEmpty())
        codigo = sFilialUsuario.trimmed();
    if (codigo.isEmpty())
        codigo = Parametro("ATLOCALPADRAO").trimmed();
    if (auto it = cnpjFiliais_.find(codigo); it != cnpjFiliais_.end())
        return it->second;
    const QString empresa = quEmpresa->active() && !quEmpresa->isEmpty()
                                ? quEmpresa->fieldByName("CICCGC")->asString().trimmed()
                                : QString();
    if (!empresa.isEmpty() || cnpjFiliais_.size() != 1)
        return empresa;
    return cnpjFiliais_.begin()->second;
}

// Receivables have no primary key: a row is its document, customer and sequence.
void TdmGlobal::attachReceivableUpdates()
{
    static const QStringList columns = {"NUMERO_DOCUMENTO", "CODIGO_CLIENTE", "SEQUENCIA", "CODIGO_FILIAL",
                                        "SITUACAO_DOCUMENTO", "VALOR_DOCUMENTO", "DATA_EMISSAO", "DATA_VENCIMENTO",
                                        "AOCODIGO", "OBSERVACAO", "VALOR_DESCONTO", "DATA_PAGAMENTO", "TVCODIGO",
                                        "OFCODIGO", "CREMISSAOINI", "CREMISSAOFIN", "OBS10", "CRPREVBOLETO",
                                        "CRDATABOLETO", "CRDOCUMENTOORIGINAL", "CRPEDIDOCLI", "CRTIPOVCTO"};
    const QString key = " where NUMERO_DOCUMENTO = :OLD_NUMERO_DOCUMENTO and CODIGO_CLIENTE = :OLD_CODIGO_CLIENTE"
                        " and SEQUENCIA = :OLD_SEQUENCIA";
    QStringList sets;
    for (const QString& column : columns)
        sets << column + " = :" + column;
    // A new row also takes the defaults a receivable starts with; rows loaded
    // without these columns leave them null, as before.
    const QStringList inserted =
        columns + QStringList{"DATA_LANCAMENTO", "TIPO_PAGAMENTO", "SERIE_DOCUMENTO", "ORIGEM"};
    auto* update = adopt(std::make_unique<host::data::UpdateSql>(nullptr, "usReceber"));
    update->setInsertSql("insert into ACRC5001 (" + inserted.join(", ") + ") values (:" + inserted.join(", :") + ")");
    update->setModifySql("update ACRC5001 set " + sets.join(", ") + key);
    update->setDeleteSql("delete from ACRC5001" + key);
    update->setRefreshSql("select * from ACRC5001 where NUMERO_DOCUMENTO = :NUMERO_DOCUMENTO"
                          " and CODIGO_CLIENTE = :CODIGO_CLIENTE and SEQUENCIA = :SEQUENCIA");
    quReceber->setUpdateObject(update);
}

QString TdmGlobal::CodigoFilialCurto(const QString& filial)
{
    const QString code = filial.trimmed();
    return code.size() > 2 ? code.right(2) : code;
}
