#include "tests/tec/LoadersFixture.h"

#include "host/Uglobal.h"
#include "tests/support/TestDatabase.h"

#include <QFile>

namespace tectest {
namespace {

QString texto(const QString& valor)
{
    return valor.isNull() ? QString("null") : QuotedStr(valor);
}

}  // namespace

void LoadersTest::SetUp()
{
    TecTest::SetUp();   // a copy of the upgraded template
    dialogos = std::make_unique<host::ui::ScriptedDialogs>();
    createTec();
}

void LoadersTest::TearDown()
{
    dmTec.free();
    dialogos.reset();
    TecTest::TearDown();
}

QStringList LoadersTest::coluna(host::data::Dataset& dataset, const QString& campo)
{
    QStringList valores;
    for (dataset.first(); !dataset.eof(); dataset.next())
        valores << dataset.fieldByName(campo)->asString();
    return valores;
}

void LoadersTest::ordem(int codigo, const QString& cliente, const QString& tipo, int situacao)
{
    exec(QString("insert into AATC01AO (AOCODIGO, CLCODIGO, AOREMANUFATURA, ASCODIGO) values (%1, %2, %3, %4)")
             .arg(codigo)
             .arg(texto(cliente), texto(tipo), situacao > 0 ? QString::number(situacao) : QString("null")));
}

void LoadersTest::item(int codigo, int ordem, int modelo)
{
    exec(QString("insert into AATC01AOIT (AOITCODIGO, AOCODIGO, AOITEQUIPCODIGO) values (%1, %2, %3)")
             .arg(codigo)
             .arg(ordem > 0 ? QString::number(ordem) : QString("null"),
                  modelo > 0 ? QString::number(modelo) : QString("null")));
}

void LoadersTest::modelo(int codigo, const QString& identificador)
{
    exec(QString("insert into AATC03AE (AECODIGO, AEDESCRICAO, AEIDENTIFICADOR) values (%1, 'Modelo %1', %2)")
             .arg(codigo)
             .arg(texto(identificador)));
}

void LoadersTest::situacao(int codigo, const QString& tipo, const QString& id)
{
    exec(QString("insert into AATC01AS (ASCODIGO, ASDESCRICAO, ASTIPO, ASID) values (%1, 'Situação %1', %2, %3)")
             .arg(codigo)
             .arg(texto(tipo), texto(id)));
}

void LoadersTest::tecnico(int codigo, const QString& nome, const QString& ativo)
{
    exec(QString("insert into AATC06AT (ATCODIGO, ATNOME, ATATIVO) values (%1, %2, %3)")
             .arg(codigo)
             .arg(texto(nome), texto(ativo)));
}

}  // namespace tectest
