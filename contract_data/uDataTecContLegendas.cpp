// Code-to-caption mappings of the contract datasets' one-letter columns.
#include "contract_data/uDataTecContLegendas.h"

#include "contract_data/uDataTecCont.h"

#include "host/Udmglobal.h"
#include "host/data/CodigoNomeado.h"
#include "host/Uglobal.h"

#include <stdexcept>
#include <utility>

namespace uDataTecCont {

namespace {

using Pares = host::data::OpcoesCodigo;

// A typed text that is no caption stores its first character: every one of
// these columns holds one character.
QString primeiraLetra(const QString& texto)
{
    return texto.trimmed().left(1).toUpper();
}

QString procuraTexto(const Pares& pares, const QString& codigo)
{
    for (const auto& [c, t] : pares)
        if (c == codigo)
            return t;
    return QString();
}

// The code of the option a typed text names (by code, caption or name);
// empty when it names none, which the field refuses. The "other" caption
// stores its first letter.
QString procuraCodigo(const Pares& pares, const QString& texto, const QString& outro = {})
{
    if (!outro.isEmpty() && (texto.trimmed().compare(outro, Qt::CaseInsensitive) == 0 ||
                             texto.trimmed().compare(primeiraLetra(outro), Qt::CaseInsensitive) == 0))
        return primeiraLetra(outro);
    return host::data::codigoNomeado(pares, texto);
}

// A fixed table; a code not in it shows the "other" caption (empty by default).
Mapeamento tabela(const QString& dataset, const QStringList& campos, Pares pares, const QString& outro = {})
{
    auto texto = [pares, outro](const QString& codigo) {
        const QString t = procuraTexto(pares, codigo);
        return t.isEmpty() ? outro : t;
    };
    auto codigo = [pares, outro](const QString& t) { return procuraCodigo(pares, t, outro); };
    return {dataset, campos, texto, codigo};
}

// A host code list, then the table's own codes.
Mapeamento listaHost(const QString& dataset, const QStringList& campos, const QString& lista, Pares extras = {})
{
    auto texto = [lista, extras](const QString& codigo) {
        const QString t = RetornaSituacaoEquivalente(codigo, lista);
        return t.isEmpty() ? procuraTexto(extras, codigo) : t;
    };
    auto codigo = [lista, extras](const QString& t) {
        Pares pares;
        for (const QString& legenda : RetornaListaSituacao(lista))
            pares.emplace_back(RetornaCodigoEquivalente(legenda, lista), legenda);
        pares.insert(pares.end(), extras.begin(), extras.end());
        return procuraCodigo(pares, t);
    };
    return {dataset, campos, texto, codigo};
}

const Pares kSoSim = {{"S", "Sim"}};

std::vector<Mapeamento> construir()
{
    std::vector<Mapeamento> m;
    m.push_back(tabela("quCtrCadastro", {"ACPERIODO"},
                       {{"B", "B - Bimestral"}, {"M", "M - Mensal"}, {"T", "T - Trimestral"}, {"S", "S - Semestral"},
                        {"A", "A - Anual"}}));
    // "S" as well: the object's period goes to the contract, whose forecasts bill six-month periods.
    m.push_back(tabela("quCtrObjeto", {"AJPERIODO"},
                       {{"B", "B - Bimestral"}, {"M", "M - Mensal"}, {"T", "T - Trimestral"}, {"S", "S - Semestral"},
                        {"A", "A - Anual"}}));
    m.push_back(tabela("quCtrCadastroIt", {"ACITPERIODO"},
                       {{"D", "D - Diario"}, {"E", "E - Semanal"}, {"Q", "Q - Quinzenal"}, {"B", "B - Bimestral"},
                        {"M", "M - Mensal"}, {"T", "T - Trimestral"}, {"S", "S - Semestral"}, {"A", "A - Anual"}}));
    m.push_back(tabela("quCtrCadastro", {"ACMODALIDADE"},
                       {{"A", "Antecipado"}, {"R", "Retroativo"}, {"I", "Intermédio"}, {"N", "Normal"},
                        {"P", "Pro-Rata"}}));
    m.push_back(tabela("quCtrObjeto", {"AJMODALIDADE"}, {{"A", "Antecipado"}, {"P", "Postecipado"}}));
    {
        // The situation captions of equipment-rental contracts differ; a
        // contract is cancelled under every option.
        const Mapeamento locacao =
            tabela({}, {}, {{"1", "1 - Sim"}, {"2", "2 - Não"}, {"3", "3 - Não Possui"}, {"C", "C - Cancelado"}});
        const Mapeamento normal =
            tabela({}, {}, {{"A", "A - Ativo"}, {"C", "C - Cancelado"}, {"S", "S - Suspenso"}, {"E", "E - Encerrado"},
                            {"M", "M - Mútuo/Permuta"}, {"P", "P - Pendente"}, {"#", "# - Desativado"}});
        m.push_back({"quCtrCadastro", {"ACSITUACAO"},
                     [locacao, normal](const QString& c) {
                         return opcaoContrato() == "E" ? locacao.texto(c) : normal.texto(c);
                     },
                     [locacao, normal](const QString& t) {
                         return opcaoContrato() == "E" ? locacao.codigo(t) : normal.codigo(t);
                     }});
    }
    const Pares tipos = {{"C", "Cortesia"},   {"E", "Especial"},        {"I", "Integral"},
                         {"L", "Locação"},    {"M", "Mão-de-obra"},     {"S", "Suporte Técnico"},
                         {"D", "Demanda"},    {"#", "#Desativado"},     {"A", "Atualização"},
                         {"U", "U - Licença de Uso"}, {"R", "Revenda"}};
    m.push_back(tabela("quCtrCadastro", {"ACTIPO"}, tipos));
    m.push_back(tabela("quCtrCadastroIt", {"ACTIPO"}, tipos));
    m.push_back(tabela("quCtrObjeto", {"AJTIPO"},
                       {{"M", "Manutenção"}, {"C", "Consultoria"}, {"L", "Locação"}, {"V", "Venda"}, {"S", "Suporte"}}));
    m.push_back(tabela("quCtrObjeto", {"AJGERAFATURA"}, {{"F", "Faturamento"}, {"L", "Lançamento"}}));
    m.push_back(tabela("quCtrObjeto", {"AJFRANQUIA"}, {{"K", "KM"}, {"L", "Livre"}}, "Nenhum"));
    {
        Mapeamento franquia = tabela("quCtrCadastro", {"ACTIPOFRANQUIA"}, {{"U", "Única"}, {"G", "Grupo"}}, "Item");
        franquia.codigo = [](const QString& t) {
            const QString texto = t.trimmed();
            if (texto.compare("Única", Qt::CaseInsensitive) == 0)
                return QString("U");
            if (texto.compare("Grupo", Qt::CaseInsensitive) == 0)
                return QString("G");
            return QString("I");
        };
        m.push_back(franquia);
    }
    m.push_back(listaHost("quCtrCadastro", {"ACVALORFIXO"}, "SIMNAO", {{"D", "Dividido"}, {"P", "PMC"}}));
    m.push_back(listaHost("quCtrCadastro", {"ACSEPARASERVICO"}, "SIMNAO",
                          {{"I", "Itens Individuais"}, {"P", "Por Produto"}, {"C", "Composição"},
                           {"E", "Equipamento"}, {"D", "Discriminar Itens"}}));
    m.push_back(tabela("quCtrCadastro", {"ACVINCULO"}, {{"P", "Principal"}, {"C", "Complementar"}}));
    m.push_back(tabela("quCtrCadastro", {"ACJUROAPLICAR"}, {{"P", "Portador"}, {"C", "Contrato"}}));
    m.push_back(tabela("quCtrCadastro", {"ACPORTADORPREVISAO"}, {{"P", "Previsão"}}));
    m.push_back(tabela("quCtrCadastro", {"ACCOMPROVANTE"},
                       {{"R", "Recibo"}, {"N", "Nota Fiscal"}, {"C", "Carta de Devolução"}}));
    m.push_back(tabela("quCtrCadastro", {"ACCOMPROVANTERETIRADA"}, kSoSim, "Não"));
    m.push_back(tabela("quCtrCadastroIt", {"ACITENCERRADO", "ACITRETORNO"}, kSoSim, "Não"));
    {
        // Equipment-rental contracts show the stored code itself.
        const Mapeamento simNao = tabela({}, {}, kSoSim, "Não");
        m.push_back({"quCtrCadastro", {"ACRENOVACAO"},
                     [simNao](const QString& c) { return opcaoContrato() == "E" ? c : simNao.texto(c); },
                     [simNao](const QString& t) {
                         return opcaoContrato() == "E" ? primeiraLetra(t) : simNao.codigo(t);
                     }});
    }
    m.push_back(tabela("quCtrCadastroIt", {"ACITGARANTIA"}, {{"S", "Sim "}, {"N", "Não"}}));
    m.push_back(tabela("quCtrCadastroEquip", {"COGARANTIA"},
                       {{"1", "1- Garantia de Fábrica "}, {"2", "2- Garantia do Serviço"}, {"3", "3- Sem Garantia"},
                        {"4", "4- Cortesia"}}));
    m.push_back(tabela("quCtrCadastroIt", {"ACITTIPORECEBER"}, {{"P", "P - Previsão"}, {"1", "1 - Parcela A Vista"}}));
    m.push_back(tabela("quCtrVeiculo", {"ACEVSITUACAO"}, {{"A", "Ativo"}, {"I", "Inativo"}}));
    m.push_back(tabela("quCtrVeiculo", {"ACEVTIPO"}, {{"R", "Reserva"}}, "Titular"));
    m.push_back(tabela("quCtrVeiculo", {"ACEVADITIVO"}, {{"I", "Inclusão"}, {"D", "Devolução"}, {"S", "Substituição"}}));
    m.push_back(tabela("quCtrCadastroMedidor", {"COID"}, {{"M", "Medidor"}}, "Grupo"));
    m.push_back(listaHost("quCtrCobertura", {"ABPECAS", "ABMDO", "ABDESLOCA"}, "SIMNAO"));
    m.push_back(listaHost("quCtrCadastro", {"ACGERAPV"}, "SIMNAO"));
    m.push_back(listaHost("quCtrObjeto", {"AJVALORDIARIO"}, "SIMNAO"));
    m.push_back(listaHost("quContratoCli", {"ACCLATIVO"}, "SIMNAO"));
    m.push_back(listaHost("quCtrCadastroIt", {"ACITRESERVADO", "ACITDEVOLVIDO"}, "SIMNAO"));
    m.push_back(listaHost("quCtrCadastro", {"ACNATUREZA"}, "CPTIPO"));
    m.push_back(listaHost("quCtrObjeto", {"AJNATUREZA"}, "CPTIPO"));
    m.push_back(listaHost("quCtrCadastro", {"ACTIPOPAGAMENTO"}, "CRTIPO"));
    m.push_back(listaHost("quCtrObjeto", {"AJTIPOPAGAMENTO"}, "CRTIPO"));
    return m;
}

}  // namespace

const std::vector<Mapeamento>& mapeamentos()
{
    static const std::vector<Mapeamento> all = construir();
    return all;
}

const Mapeamento& mapeamento(const QString& dataset, const QString& campo)
{
    for (const Mapeamento& m : mapeamentos())
        if (m.dataset.compare(dataset, Qt::CaseInsensitive) == 0 && m.campos.contains(campo, Qt::CaseInsensitive))
            return m;
    throw std::logic_error("no caption mapping for " + dataset.toStdString() + "." + campo.toStdString());
}

}  // namespace uDataTecCont

QString opcaoContrato()
{
    return dmGlobal ? parametroMaiusculo("ATOPCAOCONTRATO") : QString();
}

QStringList SituacoesContrato()
{
    if (opcaoContrato() == "E")
        return {"1 - Sim", "2 - Não", "3 - Não Possui", "C - Cancelado"};
    return {"A - Ativo", "C - Cancelado", "E - Encerrado", "S - Suspenso", "P - Pendente", "M - Mútuo/Permuta",
            "# - Desativado"};
}

QString SituacaoContratoFaturar(const QString& opcao)
{
    return opcao.trimmed().toUpper() == "E" ? "1" : "A";
}

bool ContratoEmVigor(const QString& situacao)
{
    const QString codigo = situacao.trimmed().toUpper();
    return codigo.isEmpty() || codigo == "A" || codigo == SituacaoContratoFaturar();
}

QString CondicaoContratoEmVigor(const QString& coluna, const QString& opcao)
{
    QString emVigor = QuotedStr("A");
    if (SituacaoContratoFaturar(opcao) != "A")
        emVigor += ", " + QuotedStr(SituacaoContratoFaturar(opcao));
    return "(" + coluna + " in (" + emVigor + ") or coalesce(" + coluna + ", '') = '')";
}
