// A start marker ("<database>.inicio") that names no process, as a machine
// stopped while a start was making it leaves one (empty), or as a file made
// by hand: the next start takes it as stale at once, instead of waiting
// five minutes for a start that will never end.

#include "tests/front/ExecutavelNoBanco.h"

#include <QFile>
#include <QFileInfo>

namespace {

class MarcaSemProcesso : public testfront::ExecutavelNoBanco {};

TEST_F(MarcaSemProcesso, IsTakenAsStaleAtOnceByTheNextStart)
{
    const QString marca = dbPath + ".inicio";
    for (const QByteArray& conteudo : {QByteArray(), QByteArray("texto qualquer\n")}) {
        SCOPED_TRACE(conteudo.toStdString());
        {
            QFile arquivo(marca);
            ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
            arquivo.write(conteudo);
        }
        int codigo = -1;
        const QString saida = executar({"--os-contratos"}, codigo);
        EXPECT_EQ(codigo, 0) << erros.toStdString();
        EXPECT_FALSE(erros.contains("Aguardando")) << erros.toStdString();
        EXPECT_TRUE(saida.contains("ordens geradas")) << saida.toStdString() << erros.toStdString();
        EXPECT_FALSE(QFileInfo::exists(marca)) << "the start's own marker goes when it ends";
    }
}

}  // namespace
