#pragma once
// The parts fixture's order 7 (item 1) with service products: S1 "Mão de
// obra" (a service, kind '7', sale 40, unit H, group G1), X1 "Peça" (not a
// service, sale 15) and the hour type 11 "Normal" (exact minutes, hours
// priced 50, 40, 30, 30, 20). Service lines are added through quOSAndamento
// as the order window does.

#include "tests/tec/PecasFixture.h"

namespace tectest {

class AndamentoTest : public PecasTest {
protected:
    void SetUp() override
    {
        PecasTest::SetUp();
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA, PCO_CUSTO, UNIDADE_MEDIDA, GRUPO, DESCONTO,"
             " COM_FAB_S_FS) values ('S1', 'Mão de obra', 40, 20, 'H', 'G1', 4, '7')");
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA, UNIDADE_MEDIDA) values ('X1', 'Peça', 15, 'UN')");
        exec("insert into AATC04AH (AHCODIGO, AHDESCRICAO, AHTIPO, AHHORA1, AHHORA2, AHHORA3, AHHORA4, AHHORA5)"
             " values (11, 'Normal', 'E', 50, 40, 30, 30, 20)");
    }
    void abrirServicos()
    {
        CarregaOrdemServico(7);
        dmTec->CarregaOSAndamento(7, 0);
    }
    // A new service line of the loaded order with the product typed into it.
    void novoServico(const QString& codigo = "S1")
    {
        if (!dmTec->quOSAndamento->active())
            abrirServicos();
        dmTec->quOSAndamento->append();
        dmTec->quOSAndamentoPRCODIGO->setText(codigo);
    }
    // The hour prices and rounding type copied into the current line.
    void precosHora(const QString& tipo, double h1, double h2, double h3, double h4, double h5)
    {
        TdmTec& tec = *dmTec;
        tec.quOSAndamentoAHTIPO->setAsString(tipo);
        tec.quOSAndamentoAHHORA1->setAsFloat(h1);
        tec.quOSAndamentoAHHORA2->setAsFloat(h2);
        tec.quOSAndamentoAHHORA3->setAsFloat(h3);
        tec.quOSAndamentoAHHORA4->setAsFloat(h4);
        tec.quOSAndamentoAHHORA5->setAsFloat(h5);
    }
    // The total the hour pricing gives for `minutos` worked minutes.
    double precoHoras(const QString& tipo, int minutos)
    {
        dmTec->quOSAndamentoAATOTAL->setAsInteger(minutos);
        dmTec->quOSAndamentoAHTIPO->setAsString(tipo);
        dmTec->OSAndamentoCalculaTotalItem();
        return dmTec->quOSAndamentoAAVALORTOTAL->asFloat();
    }
    // Worked minutes from typed start, end and break.
    int minutos(const QString& inicio, const QString& fim, const QString& intervalo = "0")
    {
        TdmTec& tec = *dmTec;
        tec.quOSAndamentoAAHORAINICIO->setText(inicio);
        tec.quOSAndamentoAAHORAFIM->setText(fim);
        tec.quOSAndamentoAAMINUTODESCONTADO->setText(intervalo);
        return tec.quOSAndamentoAATOTAL->asInteger();
    }
};

}  // namespace tectest
