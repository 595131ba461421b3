#pragma once
// dmTec on a copy of the upgraded template with scripted dialogs, a
// customer with its representative, bank and contact, two products, and helpers
// that make and save assistance orders and their requested lines.

#include "tests/tec/TecFixture.h"

#include "contract_data/uDataTecCont.h"
#include "host/Udmglobal.h"
#include "host/ui/ScriptedDialogs.h"

#include <memory>

namespace tectest {

class PedidoAssTest : public TecTest {
protected:
    void SetUp() override
    {
        TecTest::SetUp();
        dialogos = std::make_unique<host::ui::ScriptedDialogs>();
        createTec();
        exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME, CODIGO_REPRESENTACAO, COBRANCA)"
             " values ('00001', 'Ana', '00007', '341')");
        exec("insert into AUGC3701 (ANCODIGO, ANNOME, ANVINCULOCATEGORIA, ANVINCULOCODIGO)"
             " values (9, 'Ana Compras', 'C', '00001')");
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA, PESO_MERCADORIA, PESO_BRUTO)"
             " values ('P1', 'Produto 1', 10, 2, 3)");
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA, PESO_MERCADORIA, PESO_BRUTO)"
             " values ('P2', 'Produto 2', 20, 1, 1)");
        parametro("ATNOVOPEDIDOASSISTENCIA", "V");
    }
    void TearDown() override
    {
        dmTec.free();
        dialogos.reset();
        TecTest::TearDown();
    }
    void parametro(const QString& nome, const QString& valor) { dmGlobal->SetParametro(nome, valor); }
    host::data::Field& cab(const char* nome) { return dmTec->campoPedido(nome); }
    host::data::Field& lin(const char* nome) { return dmTec->campoItem(nome); }

    // A new header with the customer and its three contacts, not saved.
    void novoCabecalho()
    {
        CarregaPedidoAssVenda("", "");
        dmTec->quAssVenda->append();
        cab("CODIGO_CLIENTE").setAsString("00001");
        for (const char* contato : {"ANCODIGOCONTATO", "ANCODIGOENTREGA", "ANCODIGOCOBRANCA"})
            cab(contato).setAsInteger(9);
    }
    // A new order (or proposal) saved; its number.
    QString novoPedido()
    {
        novoCabecalho();
        dmTec->quAssVenda->post();
        return cab("NUMERO_PEDIDO").asString();
    }
    // A requested line saved on the current order.
    void linha(const QString& produto, double quantidade, double valor, double ipi = 0, int cod = 0)
    {
        dmTec->quAssVendaItem->append();
        lin("CODIGO").setAsString(produto);
        lin("VALOR").setAsFloat(valor);
        lin("IPI").setAsFloat(ipi);
        lin("QUANTIDADE").setAsFloat(quantidade);
        if (cod > 0)
            lin("COD").setAsInteger(cod);
        dmTec->quAssVendaItem->post();
    }
    // The contract tables as the contract data module upgrades them.
    // Its messages are answered apart.
    void tabelasContrato()
    {
        dialogos.reset();
        {
            host::ui::ScriptedDialogs migracao;
            migracao.setAutoAcknowledgeMessages(true);
            dmTecContrato.create(nullptr);
            dmTecContrato.free();
        }
        dialogos = std::make_unique<host::ui::ScriptedDialogs>();
    }
    QString texto(const QString& sql) { return one(sql).toString(); }
    double valor(const QString& sql) { return one(sql).toDouble(); }

    std::unique_ptr<host::ui::ScriptedDialogs> dialogos;
};

}  // namespace tectest
