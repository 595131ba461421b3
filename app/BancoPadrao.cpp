#include "app/BancoPadrao.h"

#include "host/HostLog.h"
#include "host/db/Database.h"
#include "host/schema/HostSchema.h"

#include <QDir>
#include <QFileInfo>

namespace app {

QString bancoPadrao() { return QDir(host::defaultSystemFolder()).filePath("techassist.fdb"); }

bool prepararBanco(const QString& nome, const QString& usuario, const QString& senha)
{
    const bool servidor = nome.contains(':') && !QFileInfo(nome).isAbsolute();
    const bool novo = !servidor && !QFileInfo::exists(nome);
    host::db::ConnectOptions opcoes;
    opcoes.name = nome;
    opcoes.user = usuario;
    opcoes.password = senha;
    host::db::Connection conexao;
    if (novo) {
        QDir().mkpath(QFileInfo(nome).absolutePath());
        conexao.create(opcoes);
    } else {
        conexao.open(opcoes);
    }
    {
        host::db::Transaction transacao(conexao);
        host::createHostSchema(transacao);
        if (novo)
            host::loadDemoData(transacao, usuario);
        transacao.commit();
    }
    conexao.close();
    return novo;
}

}  // namespace app
