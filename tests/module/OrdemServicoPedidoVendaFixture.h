#pragma once
// Order 42 with an item, service and parts lines ready for its sales orders,
// opened in the service-order window through the dispatcher; the host's
// sales-order rows are read back through a connection of their own.

#include "tests/module/OrdemServicoEntradaFixture.h"

#include "data/uDataTec.h"
#include "host/Udmglobal.h"

#include <QCoreApplication>

namespace moduletest {

// The question of the sales-document button: the lines the routine ends with
// a carriage return are shown one under another.
inline const char* const kMenuDocumentosVenda = "Selecione a opção desejada:\n1)Pedido de Venda\n2)Nota Fiscal\n"
                                                "3)Nota de Devolução dos Equipamentos";

class OrdemServicoPedidoTest : public OrdemServicoEntradaTest {
protected:
    void SetUp() override
    {
        OrdemServicoEntradaTest::SetUp();
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA, PCO_CUSTO, COM_FAB_S_FS, GRUPO, UNIDADE_MEDIDA)"
             " values ('SRV01', 'Mao de obra', 50, 20, '7', 'SRV', 'HR')");
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA, PCO_CUSTO, GRUPO) values"
             " ('PEC01', 'Correia', 10, 4, 'PEC')");
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA, COM_FAB_S_FS) values ('VIAG', 'Viagem', 0, '7')");
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA, COM_FAB_S_FS) values ('TOTAL', 'Total OS', 0, '7')");
        exec("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOBAIXA, AOPRIORIDADE, ASCODIGO, OFCODIGO,"
             " TVCODIGO, AOATENDENTE, FOCODIGOVENDEDOR, AOREMANUFATURA)"
             " values (42, '00003', '2026-11-02', 'A', 'M', 4, '5933', '01', 'Atendente Carla da Silva Souza', 'V01',"
             " 'A')");
        exec("insert into AATC01AOIT (AOCODIGO, AOITCODIGO, AOITEQUIPDESCRICAO, AOITSERIE, AOITPLACA, AOITKMINICIAL)"
             " values (42, 1, 'Torno', 'SN-77', 'ABC-1234', 15000)");
        for (const char* nome : {"ATPESQUISAOSVEICULO", "ATPEDIDOTOTALSERVICOPECA", "ATIMPRIMECOMPROVANTEOS",
                                 "ATMODOFATURAMENTOOS", "ATSERVICOREEMBOLSOVIAGEM", "ATCLASSIFICACAOOS",
                                 "ATQUANTIDADEIMPRESSAOS", "ATPEDIDOSITUACAOITEM", "ATATENDENTEAUTOMATICO",
                                 "ATSITUACAOPOSPEDIDO", "ATMODOFECHAMENTOOS", "ATMODOVEICULO", "ATPEDIDORECIBO",
                                 "ATPRECOTABELAVENCIMENTO", "ATSOMAITENSPEDIDO", "ATTIPOOSPEDIDOCLIENTE"})
            parametro(nome, "");
        parametro("ATPRODUTOSERVICOPADRAO", "TOTAL");
    }
    // A service line of the order: worked minutes, unit value and total.
    void servico(int linha, int minutos, double valor, double total, const QString& tipo = "3",
                 const QString& autorizado = "S", const QString& extra = {}, const QString& valores = {})
    {
        exec(QString("insert into AATC01AA (AOCODIGO, AOITCODIGO, AACODIGO, PRCODIGO, AAQUANTIDADE, AAVALOR,"
                     " AAVALORTOTAL, AATOTAL, AATIPO, AAAUTORIZADO, OFCODIGO%1) values (42, 1, %2, 'SRV01', 1, %3, %4,"
                     " %5, '%6', '%7', '5933'%8)")
                 .arg(extra.isEmpty() ? QString() : ", " + extra)
                 .arg(linha)
                 .arg(valor)
                 .arg(total)
                 .arg(minutos)
                 .arg(tipo, autorizado)
                 .arg(valores.isEmpty() ? QString() : ", " + valores));
    }
    void peca(int sequencia, double quantidade, double valor, const QString& tipo = "3")
    {
        exec(QString("insert into AATC01AP (AOCODIGO, AOITCODIGO, APSEQUENCIA, PRCODIGO, APQUANTIDADE, APVALUNITARIO,"
                     " APVALTOTAL, APAUTORIZADO, APTIPO, OFCODIGO) values (42, 1, %1, 'PEC01', %2, %3, %4, 'S', '%5',"
                     " '5102')")
                 .arg(sequencia)
                 .arg(quantidade)
                 .arg(valor)
                 .arg(quantidade * valor)
                 .arg(tipo));
    }
    // Travel and miscellaneous expense lines: the order sums them into its
    // AODESPVIAGEM and AODESPDIVERSAS when saved.
    void despesas(double viagem, double diversas)
    {
        exec(QString("insert into AATC01AV (AOCODIGO, AVCODIGO, AVVALORTOTAL) values (42, 1, %1)").arg(viagem));
        exec(QString("insert into AATC01AX (AOCODIGO, AXCODIGO, AXVALOR) values (42, 1, %1)").arg(diversas));
        exec(QString("update AATC01AO set AODESPVIAGEM = %1, AODESPDIVERSAS = %2 where AOCODIGO = 42")
                 .arg(viagem)
                 .arg(diversas));
    }
    // The service lines sent by the window's routine into a new order.
    QString enviarServicos(TfmAssOrdemServico& form, bool pendentes)
    {
        const QString pedido =
            dmGlobal->InserirPedidoVenda("00003", {}, {}, "01", {}, "5933", "S", {}, {}, {}, {}, 0, {}, {}, {});
        dmTec->CarregaOSAtributos(42, 0, true);
        form.InserirServicoPedidoVenda(pendentes, pedido);
        dmGlobal->IBTransaction1->commitRetaining();
        return pedido;
    }
    // "product quantity unit-value discount text" of each line of the order, in order.
    QStringList linhasPedido(const QString& pedido)
    {
        return committed("select list(CODIGO || ' ' || cast(QUANTIDADE as numeric(9,2)) || ' ' ||"
                         " cast(VALOR as numeric(9,2)) || ' ' || cast(DESCONTO as numeric(9,2)) || ' ' ||"
                         " coalesce(OBS, ''), '|') from (select * from AVEC85IT where NUMERO_PEDIDO = '" +
                         pedido + "' order by COD)")
            .toString()
            .split('|', Qt::SkipEmptyParts);
    }
    QString pedidoDoServico(int linha)
    {
        return committed("select coalesce(VECODIGO, '') from AATC01AA where AOCODIGO = 42 and AACODIGO = " +
                         QString::number(linha))
            .toString();
    }
    QString observacaoLinha(const QString& pedido, int linha)
    {
        return committed("select OBTEXTO from AUGC70OB where OBID = 'V' and OBCODIGO = '" + pedido +
                         "' and OBSEQUENCIA = " + QString::number(linha))
            .toString();
    }
    QString cabecalho(const QString& pedido, const QString& coluna)
    {
        return committed("select " + coluna + " from AVEC8501 where NUMERO_PEDIDO = '" + pedido + "'").toString();
    }
    // The window gone: its close frees it once deferred deletes run.
    static bool janelaFechada()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return fmAssOrdemServico.get() == nullptr;
    }
    QString emitir(TfmAssOrdemServico& form, QString* servico = nullptr, QString* despesas = nullptr,
                   bool perguntar = false)
    {
        QString s, d;
        const QString pedido = form.OSEmissaoPedidoVenda(perguntar, false, false, s, d);
        if (servico)
            *servico = s;
        if (despesas)
            *despesas = d;
        return pedido;
    }
};

}  // namespace moduletest
