#pragma once
// Order 7 of customer 00001 (discount 3, band F1, line of business R1, SP)
// under operation 5102, and a small catalogue: P1 "Parafuso" (UN, group G1,
// sale 10, cost 6, stock 5, product discount 7, IPI 5, ICMS 18, other code
// 789100, cost in currency 8) and P2 "Cabo" (M, sale 2.5, stock 100). Parts
// lines are added through quOSPecas as the order window does.

#include "tests/tec/TotaisFixture.h"

#include "host/Udatamod.h"
#include "host/data/Abort.h"

namespace tectest {

class PecasTest : public TotaisTest {
protected:
    void SetUp() override
    {
        TotaisTest::SetUp();
        exec("update or insert into AUGC0301 (CODIGO_CLIENTE, NOME, ESTADO, CLIE, CLDESCONTO, CLFAIXAVENDA, RAMO)"
             " values ('00001', 'Loja', 'SP', '123', 3, 'F1', 'R1') matching (CODIGO_CLIENTE)");
        exec("insert into ACEC1201 (CODIGO, DESCRICAO) values ('G1', 'Fixação')");
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA, PCO_CUSTO, ESTOQUE, QTDE_PRODUCAO, UNIDADE_MEDIDA,"
             " GRUPO, DESCONTO, AIQ_IPI, PERCENTUAL_ICMS, OUTRO_CODIGO, PRCMVMOEDA) values ('P1', 'Parafuso', 10, 6,"
             " 5, 0, 'UN', 'G1', 7, 5, 18, '789100', 8)");
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA, PCO_CUSTO, ESTOQUE, QTDE_PRODUCAO, UNIDADE_MEDIDA)"
             " values ('P2', 'Cabo', 2.5, 1, 100, 0, 'M')");
        exec("update or insert into AFVC0901 (COD_OP, DESC_OP_NF, ICMS, ASSUME_ICMS_SN, VAL_ITEM_IPI) values"
             " ('5102', 'Venda', 12, 'S', 'S') matching (COD_OP)");
        exec("update AATC01AO set OFCODIGO = '5102', AOLOCAL = '01' where AOCODIGO = 7");
    }
    void parametro(const QString& nome, const QString& valor) { dmGlobal->SetParametro(nome, valor); }
    void abrir()
    {
        CarregaOrdemServico(7);
        dmTec->CarregaOSPecas(7, 0);
    }
    // A new line of the loaded order with the product typed into it.
    void novaLinha(const QString& codigo)
    {
        if (!dmTec->quOSPecas->active())
            abrir();
        dmTec->quOSPecas->append();
        dmTec->quOSPecasPRCODIGO->setText(codigo);
    }
    double valor(host::data::Field* campo) const { return campo->asFloat(); }
    QString texto(host::data::Field* campo) const { return campo->asString(); }
    double reservadoGravado(const QString& produto)
    {
        return one("select QTDE_PRODUCAO from ACEC1101 where CODIGO = '" + produto + "'").toDouble();
    }
};

}  // namespace tectest
