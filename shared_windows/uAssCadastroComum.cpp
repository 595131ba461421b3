// The registers' shared buttons, moves and list report.

#include "shared_windows/uAssCadastroComum.h"

#include "host/Udatamod.h"
#include "host/Urelatorio.h"
#include "host/data/Dataset.h"
#include "host/data/Query.h"
#include "host/ui/Components.h"
#include "host/ui/Errors.h"

#include <QBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace uAssCadastroComum {

QPushButton* BotaoCadastro(QWidget* janela, QBoxLayout* barra, const char* nome, const QString& texto,
                           std::function<void()> acao)
{
    auto* botao = host::ui::named<QPushButton>(nome, texto);
    barra->addWidget(botao);
    QObject::connect(botao, &QPushButton::clicked, janela, [acao] { host::ui::runGuarded(acao); });
    return botao;
}

void MaiusculasAoDigitar(QLineEdit* edit)
{
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& texto) {
        if (texto == texto.toUpper())
            return;
        const int cursor = edit->cursorPosition();
        edit->setText(texto.toUpper());
        edit->setCursorPosition(cursor);
    });
}

void MoverSalvando(host::data::Dataset& dataset, bool proximo)
{
    SalvarAlteracoes(dataset);
    if (proximo)
        dataset.next();
    else
        dataset.prior();
}

void RelatorioCadastro(host::data::Query& registro, const QString& sqlTodos,
                       const std::function<void(TqrRelatorio&)>& montar)
{
    SalvarAlteracoes(registro);
    const QString sqlRegistro = registro.sql();
    qrRelatorio.reset();
    qrRelatorio = std::make_unique<TqrRelatorio>(&registro);
    struct VoltarRegistro {
        host::data::Query& q;
        const QString& sql;
        bool trocado;
        ~VoltarRegistro()
        {
            qrRelatorio.reset();
            if (!trocado)
                return;
            q.close();
            q.setSql(sql);
            q.open();
        }
    } voltar{registro, sqlRegistro, !sqlTodos.isEmpty()};
    if (voltar.trocado) {
        registro.close();
        registro.setSql(sqlTodos);
        registro.open();
    }
    montar(*qrRelatorio);
    qrRelatorio->preview(true);
}

}  // namespace uAssCadastroComum
