// Officialising a forecast of a contract that also holds a late-return fine
// and an item's own receivable, both due after every instalment: the next
// forecast follows the last instalment, not either of them.

#include "tests/contracts/NotaParcelaFixture.h"

#include "contract_data/uDataTecContOficializar.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Query.h"

#include <memory>

namespace contractstest {
namespace {

using OficializarMultaTest = NotaParcelaTest;

TEST_F(OficializarMultaTest, TheNextForecastFollowsTheLastInstalmentNotTheFineNorTheItemsReceivable)
{
    int contador = 0;
    InserirParcelasContrato("R", "10/01/2031", "10/02/2031", "C0001", false, "10", 7, 100, "01", "2", "001",
                            "10/01/2031", "M", contador, 4, "01", "", false, "", true, nullptr, 0, 0);
    ASSERT_EQ(rows("select NUMERO_DOCUMENTO from ACRC5001 where AOCODIGO = 7"), QStringList{"100131"});
    exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL, SITUACAO_DOCUMENTO,"
         " VALOR_DOCUMENTO, DATA_VENCIMENTO, AOCODIGO, ACITCODIGO, ORIGEM)"
         " values ('000900', 'C0001', 1, '01', ' ', 80, '2031-09-10', 7, 1, 'M')");
    exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL, SITUACAO_DOCUMENTO,"
         " VALOR_DOCUMENTO, DATA_VENCIMENTO, AOCODIGO, ACITCODIGO)"
         " values ('000901', 'C0001', 1, '01', ' ', 60, '2031-08-10', 7, 1)");
    global->IBTransaction1->commitRetaining();

    std::unique_ptr<host::data::Query> selecao = CriarIbQuery("quPesq");
    selecao->setSql("select cont.*, Cli.Nome, obj.ofCodigo, Rec.* from AATC05AC cont"
                    " left outer join Augc0301 Cli on (Cont.clCodigo = Cli.codigo_cliente)"
                    " left outer join Acrc5001 Rec on (Cont.acCodigo = Rec.aoCodigo)"
                    " left outer join Aatc11Aj Obj on (Cont.AjCodigo = Obj.AjCodigo)"
                    " where Rec.aoCodigo = 7 and Rec.situacao_documento = 'V'");
    selecao->open();
    OpcoesOficializacao opcoes;
    opcoes.filial = "01";
    QStringList aviso;
    OficializarParcelaPesquisa(*selecao, opcoes, &aviso);
    EXPECT_EQ(rows("select NUMERO_DOCUMENTO from ACRC5001 where AOCODIGO = 7 and SITUACAO_DOCUMENTO = 'V'"),
              QStringList{"100231"});
    EXPECT_EQ(rows("select NUMERO_DOCUMENTO from ACRC5001 where AOCODIGO = 7 and ACITCODIGO = 1"
                   " order by NUMERO_DOCUMENTO"),
              (QStringList{"000900", "000901"}));
}

}  // namespace
}  // namespace contractstest
