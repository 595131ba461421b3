// A start marker ("<database>.inicio") that names no running start, of any
// kind (an empty file, as a machine stopped while a start was making it
// leaves, a file made by hand, a folder, a link to nothing): the next start
// goes on at once, instead of waiting five minutes for a start that will
// never end.

#include "tests/front/ExecutavelNoBanco.h"

#include <QDir>
#include <QFile>

#include <functional>

namespace {

class MarcaSemProcesso : public testfront::ExecutavelNoBanco {};

TEST_F(MarcaSemProcesso, DoesNotHoldTheNextStart)
{
    const QString marca = dbPath + ".inicio";
    const auto arquivo = [&](const QByteArray& conteudo) {
        QFile f(marca);
        return f.open(QIODevice::WriteOnly) && f.write(conteudo) == conteudo.size();
    };
    const std::pair<const char*, std::function<bool()>> marcas[] = {
        {"empty file", [&] { return arquivo({}); }},
        {"file made by hand", [&] { return arquivo("texto qualquer\n"); }},
        {"folder", [&] { return QDir().mkdir(marca); }},
        {"link to nothing", [&] { return QFile::link(dbPath + ".nada", marca); }},
    };
    for (const auto& [tipo, fazer] : marcas) {
        SCOPED_TRACE(tipo);
        ASSERT_TRUE(fazer());
        int codigo = -1;
        const QString saida = executar({"--os-contratos"}, codigo);
        EXPECT_EQ(codigo, 0) << erros.toStdString();
        EXPECT_FALSE(erros.contains("Aguardando")) << erros.toStdString();
        EXPECT_TRUE(saida.contains("ordens geradas")) << saida.toStdString() << erros.toStdString();
        QFile::remove(marca);
        QDir().rmdir(marca);
    }
}

}  // namespace
