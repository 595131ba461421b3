#include "tests/tec/ItensFixture.h"

#include "data/uDataTecItens.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"

namespace tectest {

int ItensTest::chamadasLista = 0;

namespace {
int respostaLista = 0;

bool listaFalsa(int, const QString&, int& escolhido)
{
    ++ItensTest::chamadasLista;
    if (respostaLista == 0)
        return false;
    escolhido = respostaLista;
    return true;
}
}  // namespace

void ItensTest::SetUp()
{
    LoadersTest::SetUp();
    chamadasLista = 0;
    ordem(10);
    CarregaOrdemServico(10);
}

void ItensTest::TearDown()
{
    RegistrarSelecionaEquipamentoCliente(nullptr);
    uDataTecItens::setRelogio({});
    LoadersTest::TearDown();
}

void ItensTest::parametro(const QString& nome, const QString& valor)
{
    dmGlobal->SetParametro(nome, valor);
}

void ItensTest::empresa(int especifico)
{
    exec("delete from EMPRESA");
    exec(QString("insert into EMPRESA (CODIGO, NOME, UGESPECIFICOEMPRESA) values (1, 'Oficina', %1)").arg(especifico));
    dmGlobal->CarregaEmpresa();
}

void ItensTest::novoItem(const QString& descricao)
{
    dmTec->quOSItem->append();
    dmTec->quOSItemAOITEQUIPDESCRICAO->setAsString(descricao);
}

int ItensTest::linhasGravadas(const QString& tabela, const QString& condicao)
{
    host::db::Connection outra;
    outra.open({dbPath});
    host::db::Transaction transacao(outra);
    return host::db::selectValue(transacao, "select count(*) from " + tabela + " where " + condicao).toInt();
}

void ItensTest::listaEquipamentoCliente(int escolhido)
{
    respostaLista = escolhido;
    RegistrarSelecionaEquipamentoCliente(&listaFalsa);
}

}  // namespace tectest
