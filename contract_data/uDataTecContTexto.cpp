// The invoice texts of a contract: the text of its billing object for one
// instalment (the object text, the complement with its marks filled in) and
// the list of months an instalment covers.

#include "contract_data/uDataTecCont.h"

#include "contract_data/uDataTecContLocacao.h"
#include "host/Udmglobal.h"
#include "host/data/Field.h"
#include "host/data/Format.h"

#include <map>
#include <memory>
#include <optional>

using host::data::fieldText;

using host::data::Query;

namespace {

// Reads of this unit run on queries of their own, prepared once and kept by
// the data module: the forecast calls this routine while it walks the host's
// scratch queries, so these must not be closed under it.
Query& consultaTexto(TdmTecContrato& dm, const QString& nome, const QString& sql)
{
    if (Query* query = dm.find<Query>(nome))
        return *query;
    Query* query = dm.adopt(std::make_unique<Query>(nullptr, nome));
    query->setTransaction(dmGlobal->IBTransaction1.get());
    query->setSql(sql);
    return *query;
}

// Opens the query on one integer key; the caller reads the current row.
void abrirPorCodigo(Query& query, const QString& parametro, int codigo)
{
    query.close();
    query.paramByName(parametro)->setAsInteger(codigo);
    query.open();
}

// A date in the text form the host's one-value read gives it.
QString textoData(const QVariant& valor)
{
    return valor.isNull() ? QString() : host::data::formatDateTime("c", valor.toDateTime());
}

// The zero date (30/12/1899) some rows keep for "no date" prints as none.
QString textoData(Query& query, const char* campo)
{
    host::data::Field* field = query.fieldByName(campo);
    const QDateTime data = field->asDateTime();
    return uDataTecContLocacao::dataVazia(data) ? QString() : textoData(QVariant(data));
}

bool emBranco(const QString& valor)
{
    return valor.trimmed().isEmpty();
}

// Upper case of the ASCII letters only; accented letters keep their case.
QString maiusculasAscii(QString valor)
{
    for (QChar& c : valor)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 'a' + 'A');
    return valor;
}

// The months an instalment covers, as offsets from its date; the last one
// is written with its year when anoNoUltimo.
struct MesesCobertos {
    int de;
    int ate;
    bool anoNoUltimo;
};

MesesCobertos mesesCobertos(const QString& modalidade, const QString& periodo)
{
    const int coluna = modalidade == "R" ? 0 : modalidade == "A" ? 1 : 2;
    static const QString kPeriodos = "BTSA";
    static const MesesCobertos kTabela[5][3] = {
        {{-1, 0, true}, {0, 1, true}, {0, 1, true}},        // B
        {{-2, 0, true}, {0, 2, true}, {-1, 1, true}},       // T
        {{-5, 0, true}, {0, 5, false}, {-2, 3, false}},     // S
        {{-11, 0, true}, {0, 11, false}, {-5, 6, true}},    // A
        {{-1, -1, true}, {0, 0, true}, {-1, -1, true}},     // any other
    };
    const int linha = periodo.size() == 1 && kPeriodos.contains(periodo) ? int(kPeriodos.indexOf(periodo)) : 4;
    return kTabela[linha][coluna];
}

// What a template becomes once each mark ("@" and the letter after it) is
// replaced by a blank, its value and a blank. The search goes on after the
// inserted value: a value is data, so an "@" inside it (a contract number
// "@C") is written as it stands and can never be expanded without end.
QString expandirMarcas(QString modelo, const std::function<QString(QChar)>& valorDaMarca)
{
    int inicio = 0;
    for (;;) {
        const int arroba = int(modelo.indexOf(u'@', inicio));
        if (arroba < 0)
            return modelo;
        const bool temLetra = arroba + 1 < modelo.size();
        const QString inserido = " " + valorDaMarca(temLetra ? modelo.at(arroba + 1) : QChar()) + " ";
        modelo.replace(arroba, temLetra ? 2 : 1, inserido);
        inicio = arroba + int(inserido.size());
    }
}

}  // namespace

QString TdmTecContrato::FormatarReferenciaPeriodo(const QString& modalidade, const QString& periodo,
                                                  const QDateTime& data)
{
    const MesesCobertos meses = mesesCobertos(modalidade.trimmed(), periodo.trimmed());
    QStringList nomes;
    for (int n = meses.de; n <= meses.ate; ++n) {
        const QDate mes = data.date().addMonths(n);
        const bool comAno = meses.anoNoUltimo && n == meses.ate;
        nomes << host::data::formatDate(comAno ? "mmmm/yyyy" : "mmmm", mes);
    }
    return maiusculasAscii(nomes.join(", "));
}

namespace {

// The contract columns the texts read, and the rental lines read only when
// a mark asks for them.
class DadosTextoContrato {
public:
    DadosTextoContrato(TdmTecContrato& dm, int contrato) : dm_(dm), contrato_(contrato)
    {
        Query& query = consultaTexto(dm_, "quTextoContrato",
                                     "select ACOBJETO, ACPERIODO, ACMODALIDADE, ACDATAIMPLANTACAO, ACDATAVALIDADE,\n"
                                     "  ACNUMEROCONTRATO\nfrom AATC05AC\nwhere ACCODIGO = :ACCODIGO");
        abrirPorCodigo(query, "ACCODIGO", contrato);
        objeto = fieldText(query, "ACOBJETO");
        periodo = fieldText(query, "ACPERIODO");
        modalidade = fieldText(query, "ACMODALIDADE");
        implantacao = textoData(query, "ACDATAIMPLANTACAO");
        validade = textoData(query, "ACDATAVALIDADE");
        numero = fieldText(query, "ACNUMEROCONTRATO");
        query.close();
    }

    DadosTextoContrato(TdmTecContrato& dm, int contrato, const TdmTecContrato::ContratoTexto& dados)
        : objeto(dados.objeto), periodo(dados.periodo), modalidade(dados.modalidade),
          implantacao(textoData(dados.implantacao)), validade(textoData(dados.validade)), numero(dados.numero),
          dm_(dm), contrato_(contrato)
    {
    }

    // ACEVDATAINICIO " até " ACEVDATAFIM of the contract's first rental line.
    QString periodoLocacao()
    {
        if (!periodoLocacao_) {
            Query& query = consultaTexto(dm_, "quTextoPeriodoLocacao",
                                         "select first 1 ACEVDATAINICIO, ACEVDATAFIM\nfrom AATC05ACEV\n"
                                         "where ACCODIGO = :ACCODIGO\norder by ACEVCODIGO");
            abrirPorCodigo(query, "ACCODIGO", contrato_);
            periodoLocacao_ = textoData(query, "ACEVDATAINICIO") + " até " + textoData(query, "ACEVDATAFIM");
            query.close();
        }
        return *periodoLocacao_;
    }

    // "Placa(s): " and the plates of the active rental lines; empty without any.
    QString placas()
    {
        if (!placas_) {
            Query& query = consultaTexto(dm_, "quTextoPlacas",
                                         "select Ev.EVPLACA\nfrom AATC05ACEV Lin\n"
                                         "Left Outer Join AUGC20EV Ev On (Ev.EVCODIGO = Lin.EVCODIGO)\n"
                                         "where Lin.ACCODIGO = :ACCODIGO and Lin.ACEVSITUACAO = 'A'\n"
                                         "order by Lin.ACEVCODIGO");
            abrirPorCodigo(query, "ACCODIGO", contrato_);
            QStringList lista;
            for (; !query.eof(); query.next())
                if (!emBranco(fieldText(query, "EVPLACA")))
                    lista << fieldText(query, "EVPLACA");
            query.close();
            placas_ = lista.isEmpty() ? QString() : "Placa(s): " + lista.join(", ");
        }
        return *placas_;
    }

    QString objeto, periodo, modalidade, implantacao, validade, numero;

private:
    TdmTecContrato& dm_;
    int contrato_;
    std::optional<QString> periodoLocacao_;
    std::optional<QString> placas_;
};

struct TextosObjeto {
    QString objeto, complemento, modo;
    double percentual = 0;
    QString operacao;
};

TextosObjeto lerObjeto(TdmTecContrato& dm, int objeto)
{
    Query& quObjeto = consultaTexto(dm, "quTextoObjeto",
                                    "select AJOBJETO, AJCOMPLHC, AJCOMPLNF, AJVALORPERCENTUAL, OFCODIGO\nfrom AATC11AJ\n"
                                    "where AJCODIGO = :AJCODIGO");
    abrirPorCodigo(quObjeto, "AJCODIGO", objeto);
    TextosObjeto lido{fieldText(quObjeto, "AJOBJETO"), fieldText(quObjeto, "AJCOMPLHC"), fieldText(quObjeto, "AJCOMPLNF").left(1),
                      quObjeto.fieldByName("AJVALORPERCENTUAL")->asFloat(), fieldText(quObjeto, "OFCODIGO").trimmed()};
    quObjeto.close();
    return lido;
}

}  // namespace

struct TdmTecContrato::CacheTextos {
    std::map<int, TextosObjeto> objetos;
    std::map<int, std::shared_ptr<DadosTextoContrato>> contratos;
};

TdmTecContrato::MemoriaTextos::MemoriaTextos(TdmTecContrato& dm) : dm_(dm), dono_(!dm.cacheTextos_)
{
    if (dono_)
        dm_.cacheTextos_ = std::make_shared<CacheTextos>();
}

TdmTecContrato::MemoriaTextos::~MemoriaTextos()
{
    if (dono_)
        dm_.cacheTextos_.reset();
}

namespace {

// The object's row, from the memory while one lives.
const TextosObjeto& objetoDaMemoria(TdmTecContrato& dm, TdmTecContrato::CacheTextos* memoria, int objeto,
                                    std::optional<TextosObjeto>& semMemoria)
{
    if (!memoria)
        return semMemoria.emplace(lerObjeto(dm, objeto));
    auto lido = memoria->objetos.find(objeto);
    if (lido == memoria->objetos.end())
        lido = memoria->objetos.emplace(objeto, lerObjeto(dm, objeto)).first;
    return lido->second;
}

}  // namespace

void TdmTecContrato::LembraContratoTexto(int contrato, const ContratoTexto& dados)
{
    if (cacheTextos_)
        cacheTextos_->contratos[contrato] = std::make_shared<DadosTextoContrato>(*this, contrato, dados);
}

TdmTecContrato::ObjetoFaturamento TdmTecContrato::DadosObjetoFaturamento(int objeto)
{
    std::optional<TextosObjeto> semMemoria;
    const TextosObjeto& lido = objetoDaMemoria(*this, cacheTextos_.get(), objeto, semMemoria);
    return {lido.percentual, lido.operacao, lido.objeto};
}

QString TdmTecContrato::RetornarTextoContratoObjeto(int objeto, int contrato, int sequencia,
                                                    const QDateTime& vencimento, const QString& textoObjeto)
{
    std::optional<TextosObjeto> objetoSemMemoria;
    const TextosObjeto* objetoLido = &objetoDaMemoria(*this, cacheTextos_.get(), objeto, objetoSemMemoria);
    const QString objetoCadastro = objetoLido->objeto;
    const QString complemento = objetoLido->complemento;
    const QString modo = objetoLido->modo;
    if (modo != "2" && modo != "3" && modo != "4" && modo != "5")
        return {};

    std::shared_ptr<DadosTextoContrato> dadosContrato;
    if (cacheTextos_) {
        std::shared_ptr<DadosTextoContrato>& lido = cacheTextos_->contratos[contrato];
        if (!lido)
            lido = std::make_shared<DadosTextoContrato>(*this, contrato);
        dadosContrato = lido;
    } else {
        dadosContrato = std::make_shared<DadosTextoContrato>(*this, contrato);
    }
    DadosTextoContrato& contratoLido = *dadosContrato;
    const QString textoDoObjeto = !emBranco(textoObjeto)            ? textoObjeto
                                  : !emBranco(contratoLido.objeto) ? contratoLido.objeto
                                                                   : objetoCadastro;
    if (modo == "2")
        return textoDoObjeto;

    const QString expandido = expandirMarcas(complemento, [&](QChar marca) -> QString {
        switch (marca.unicode()) {
        case 'I': return contratoLido.implantacao;
        case 'F': return contratoLido.validade;
        case 'C': return contratoLido.numero;
        case 'M': return FormatarReferenciaPeriodo(contratoLido.modalidade, contratoLido.periodo, vencimento);
        case 'P': return QString::number(sequencia);
        case 'V': return contratoLido.periodoLocacao();
        case 'L': return contratoLido.placas();
        case 'R':
            return ("REF. " + host::data::formatDate("mm/yyyy", QDate::currentDate()) + " Vencimento: " +
                    host::data::formatDateTime("dd/mm/yyyy", vencimento))
                .trimmed();
        default: return {};   // "@Q" and any other letter: blanks only
        }
    });
    if (modo == "3")
        return expandido;
    return modo == "4" ? textoDoObjeto + expandido : expandido + textoDoObjeto;
}
