// The search kinds of the general search. Each is the statement the window
// lists, its fixed filter, order and columns; host/search-kinds.md keeps the
// same list for readers.

#include "host/Upesqgeral.h"

#include <map>

namespace host {

namespace {

PesquisaDefinicao tipo(int numero, const QString& caption, const QString& sql, const QString& filtro,
                       const QString& ordem, std::vector<PesquisaColuna> colunas)
{
    return {numero, caption, "fmPesquisaGeral_" + QString::number(numero), sql, filtro, ordem, std::move(colunas)};
}

const QString kContratos =
    "select ac.ACCODIGO, ac.ACNUMEROCONTRATO, cl.NOME, ac.ACDESCRICAO, ac.CLCODIGO"
    " from AATC05AC ac left join AUGC0301 cl on cl.CODIGO_CLIENTE = ac.CLCODIGO";

const std::map<int, PesquisaDefinicao>& tipos()
{
    static const std::map<int, PesquisaDefinicao> lista = [] {
        std::map<int, PesquisaDefinicao> t;
        auto add = [&t](PesquisaDefinicao d) { t.emplace(d.tipo, std::move(d)); };
        add(tipo(8, "Pesquisa de Grupos de Produtos",
                 "select gr.CODIGO, gr.DESCRICAO from ACEC1201 gr", {}, "gr.DESCRICAO",
                 {{"CODIGO", "Código", 100, "gr.CODIGO"}, {"DESCRICAO", "Descrição", 300, "gr.DESCRICAO"}}));
        add(tipo(12, "Pesquisa de Mensagens",
                 "select mg.CODIGO, mg.DESCRICAO, mg.MENSAGEM_1, mg.MENSAGEM_2, mg.MENSAGEM_3 from ALFC2601 mg",
                 {}, "mg.CODIGO",
                 {{"CODIGO", "Código", 60, "mg.CODIGO"}, {"DESCRICAO", "Descrição", 300, "mg.DESCRICAO"},
                  {"MENSAGEM_1", "Mensagem", 250, "mg.MENSAGEM_1"}}));
        add(tipo(13, "Pesquisa de Tabelas de Vencimento",
                 "select tv.CODIGO, tv.DESCRICAO, tv.QUANTAS_VEZES from AFVT0101 tv", {}, "tv.CODIGO",
                 {{"CODIGO", "Código", 60, "tv.CODIGO"}, {"DESCRICAO", "Descrição", 300, "tv.DESCRICAO"},
                  {"QUANTAS_VEZES", "Parcelas", 70, "tv.QUANTAS_VEZES"}}));
        add(tipo(14, "Pesquisa de Locais de Estoque",
                 "select le.CODIGO, le.DESCRICAO, le.LEFILIAL from ACEC1401 le", {}, "le.CODIGO",
                 {{"CODIGO", "Código", 60, "le.CODIGO"}, {"DESCRICAO", "Descrição", 300, "le.DESCRICAO"}}));
        add(tipo(23, "Pesquisa de Bancos",
                 "select bc.CODIGO_BANCO, bc.NOME_BANCO, bc.NUMERO_DO_BANCO from AUGC0901 bc", {},
                 "bc.CODIGO_BANCO",
                 {{"CODIGO_BANCO", "Código", 60, "bc.CODIGO_BANCO"}, {"NOME_BANCO", "Banco", 300, "bc.NOME_BANCO"},
                  {"NUMERO_DO_BANCO", "Número", 60, "bc.NUMERO_DO_BANCO"}}));
        add(tipo(25, "Pesquisa de Operações",
                 "select op.COD_OP, op.DESC_OP_NF, op.TIPO_OP from AFVC0901 op", {}, "op.COD_OP",
                 {{"COD_OP", "Código", 60, "op.COD_OP"}, {"DESC_OP_NF", "Descrição", 300, "op.DESC_OP_NF"},
                  {"TIPO_OP", "Tipo", 40, "op.TIPO_OP"}}));
        add(tipo(46, "Pesquisa de Veículos/Equipamentos para Locação",
                 "select ev.EVCODIGO, ev.EVPLACA, ev.EVMODELO, ev.EVMARCA, ev.EVNSNUMERO, ev.EVSTATUS, ev.EVID"
                 " from AUGC20EV ev",
                 {}, "ev.EVCODIGO",
                 {{"EVCODIGO", "Código", 60, "ev.EVCODIGO"}, {"EVPLACA", "Placa", 80, "ev.EVPLACA"},
                  {"EVMODELO", "Modelo", 200, "ev.EVMODELO"}, {"EVMARCA", "Marca", 150, "ev.EVMARCA"},
                  {"EVNSNUMERO", "Nº Série", 120, "ev.EVNSNUMERO"}, {"EVSTATUS", "Status", 50, "ev.EVSTATUS"}}));
        add(tipo(47, "Pesquisa de Equipamentos para Locação",
                 "select Veic.EVCODIGO, Veic.EVMARCA, Veic.EVMODELO, Veic.EVNSNUMERO, Veic.EVSTATUS, Veic.EVID"
                 " from AUGC20EV Veic",
                 {}, "Veic.EVCODIGO",
                 {{"EVCODIGO", "Código", 60, "Veic.EVCODIGO"}, {"EVMARCA", "Marca", 150, "Veic.EVMARCA"},
                  {"EVMODELO", "Modelo", 200, "Veic.EVMODELO"}, {"EVNSNUMERO", "Nº Série", 120, "Veic.EVNSNUMERO"},
                  {"EVID", "Tipo", 40, "Veic.EVID"}}));
        add(tipo(68, "Pesquisa de Contratos", kContratos, {}, "ac.ACCODIGO",
                 {{"ACCODIGO", "Código", 60, "ac.ACCODIGO"}, {"ACNUMEROCONTRATO", "Nº Contrato", 120, "ac.ACNUMEROCONTRATO"},
                  {"NOME", "Cliente", 250, "cl.NOME"}, {"ACDESCRICAO", "Descrição", 200, "ac.ACDESCRICAO"}}));
        add(tipo(70, "Pesquisa de Objetos de Contrato",
                 "select aj.AJCODIGO, aj.AJDESCRICAO, aj.AJVALOR from AATC11AJ aj", {}, "aj.AJCODIGO",
                 {{"AJCODIGO", "Código", 60, "aj.AJCODIGO"}, {"AJDESCRICAO", "Descrição", 300, "aj.AJDESCRICAO"}}));
        add(tipo(71, "Pesquisa de Solicitações de Peças",
                 "select ai.AICODIGO, ai.AOCODIGO, ai.AIDATAEMISSAO, ai.AISITUACAO, tec.ATNOME"
                 " from AATC07AI ai left join AATC06AT tec on tec.ATCODIGO = ai.ATCODIGOSOLICITA",
                 "ai.AIID = 'C'", "ai.AICODIGO desc",
                 {{"AICODIGO", "Solicitação", 80, "ai.AICODIGO"}, {"AOCODIGO", "O.S.", 70, "ai.AOCODIGO"},
                  {"AIDATAEMISSAO", "Emissão", 90, "ai.AIDATAEMISSAO"}, {"AISITUACAO", "Situação", 60, "ai.AISITUACAO"},
                  {"ATNOME", "Técnico", 200, "tec.ATNOME"}}));
        add(tipo(72, "Pesquisa de Situações",
                 "select sit.ASCODIGO, sit.ASDESCRICAO, sit.ASID from AATC01AS sit", {}, "sit.ASCODIGO",
                 {{"ASCODIGO", "Código", 60, "sit.ASCODIGO"}, {"ASDESCRICAO", "Descrição", 300, "sit.ASDESCRICAO"}}));
        add(tipo(73, "Pesquisa de Situações da O.S.",
                 "select sit.ASCODIGO, sit.ASDESCRICAO, sit.ASID from AATC01AS sit",
                 "sit.ASID = 'A' or sit.ASID is null", "sit.ASCODIGO",
                 {{"ASCODIGO", "Código", 60, "sit.ASCODIGO"}, {"ASDESCRICAO", "Descrição", 300, "sit.ASDESCRICAO"}}));
        add(tipo(74, "Pesquisa de Técnicos",
                 "select tec.ATCODIGO, tec.ATNOME, tec.ATATIVO from AATC06AT tec", {}, "tec.ATNOME",
                 {{"ATCODIGO", "Código", 60, "tec.ATCODIGO"}, {"ATNOME", "Nome", 300, "tec.ATNOME"}}));
        add(tipo(79, "Pesquisa de Modelos de Veículos",
                 "select en.ENCODIGO, en.ENDESCRICAO, en.ERCODIGO, er.ERDESCRICAO"
                 " from AUGC23EN en left join AUGC24ER er on er.ERCODIGO = en.ERCODIGO",
                 {}, "en.ENDESCRICAO",
                 {{"ENCODIGO", "Código", 60, "en.ENCODIGO"}, {"ENDESCRICAO", "Modelo", 250, "en.ENDESCRICAO"},
                  {"ERDESCRICAO", "Marca", 150, "er.ERDESCRICAO"}}));
        add(tipo(98, "Pesquisa de Números de Série",
                 "select ns.NSNUMERO, ns.PRCODIGO, pr.DESCRICAO, ns.LECODIGO, ns.NSSTATUS, ns.NSCODIGO"
                 " from AUGC50NS ns left join ACEC1101 pr on pr.CODIGO = ns.PRCODIGO",
                 "ns.NSCODIGO = (select max(mx.NSCODIGO) from AUGC50NS mx"
                 " where mx.PRCODIGO = ns.PRCODIGO and mx.NSNUMERO = ns.NSNUMERO)",
                 "ns.NSNUMERO",
                 {{"NSNUMERO", "Nº Série", 150, "ns.NSNUMERO"}, {"PRCODIGO", "Produto", 90, "ns.PRCODIGO"},
                  {"DESCRICAO", "Descrição", 250, "pr.DESCRICAO"}, {"LECODIGO", "Local", 50, "ns.LECODIGO"}}));
        add(tipo(101, "Pesquisa de Contratos por Número", kContratos, {}, "ac.ACNUMEROCONTRATO",
                 {{"ACNUMEROCONTRATO", "Nº Contrato", 120, "ac.ACNUMEROCONTRATO"}, {"ACCODIGO", "Código", 60, "ac.ACCODIGO"},
                  {"NOME", "Cliente", 250, "cl.NOME"}, {"ACDESCRICAO", "Descrição", 200, "ac.ACDESCRICAO"}}));
        // Searches the screens name without a number.
        add(tipo(110, "Pesquisa de Índices",
                 "select distinct ix.MOEDA, ix.DESCRICAO from AGPC7601 ix", {}, "ix.MOEDA",
                 {{"MOEDA", "Índice", 80, "ix.MOEDA"}, {"DESCRICAO", "Descrição", 300, "ix.DESCRICAO"}}));
        add(tipo(111, "Pesquisa de Grupos de Medidores",
                 "select co.COCODIGO, co.CODESCRICAO from AATC05CO co", "co.COID = 'G'", "co.CODESCRICAO",
                 {{"COCODIGO", "Código", 60, "co.COCODIGO"}, {"CODESCRICAO", "Descrição", 300, "co.CODESCRICAO"}}));
        add(tipo(112, "Pesquisa de Contratos por Veículo",
                 "select ac.ACCODIGO, ac.ACNUMEROCONTRATO, ev.EVPLACA, ev.EVMODELO, cl.NOME, ve.EVCODIGO"
                 " from AATC05ACEV ve join AATC05AC ac on ac.ACCODIGO = ve.ACCODIGO"
                 " left join AUGC20EV ev on ev.EVCODIGO = ve.EVCODIGO"
                 " left join AUGC0301 cl on cl.CODIGO_CLIENTE = ac.CLCODIGO",
                 {}, "ev.EVPLACA",
                 {{"EVPLACA", "Placa", 80, "ev.EVPLACA"}, {"EVMODELO", "Modelo", 200, "ev.EVMODELO"},
                  {"ACCODIGO", "Contrato", 70, "ac.ACCODIGO"}, {"ACNUMEROCONTRATO", "Nº Contrato", 110, "ac.ACNUMEROCONTRATO"},
                  {"NOME", "Cliente", 220, "cl.NOME"}}));
        add(tipo(113, "Pesquisa de Históricos",
                 "select hc.HCCODIGO, hc.HCDESCRICAO, hc.HCTIPO from ACBC16HC hc", {}, "hc.HCDESCRICAO",
                 {{"HCCODIGO", "Código", 60, "hc.HCCODIGO"}, {"HCDESCRICAO", "Histórico", 350, "hc.HCDESCRICAO"}}));
        add(tipo(114, "Pesquisa de Contas do Caixa",
                 "select cx.CONTA, cx.DESCRICAO, cx.CONTA_DE_DESPESA from ACXC9001 cx", {}, "cx.CONTA",
                 {{"CONTA", "Conta", 70, "cx.CONTA"}, {"DESCRICAO", "Descrição", 300, "cx.DESCRICAO"}}));
        return t;
    }();
    return lista;
}

}  // namespace

const PesquisaDefinicao* pesquisaGeral(int tipo)
{
    const auto it = tipos().find(tipo);
    return it == tipos().end() ? nullptr : &it->second;
}

std::vector<int> tiposPesquisaGeral()
{
    std::vector<int> result;
    for (const auto& [numero, definicao] : tipos())
        result.push_back(numero);
    return result;
}

}  // namespace host
